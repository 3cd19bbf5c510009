// The expression evaluator: a walk over the decoded nodes of its buffer.
#include "lib/moxCanExpr.h"

#include "lib/moxCanExprProgram.h"
#include "lib/moxDBConsts.h"
#include "lib/moxSysUtils.h"
#include "vcl/SysUtils.h"

#include <cmath>
#include <map>
#include <vector>

using namespace ExprRules;

namespace {

constexpr qsizetype MaxExprTextWork = qsizetype(1) << 24;

[[noreturn]] void NotSupported() {
    throw ENotSupported(SCapabilityNotSupported);
}

TExprValue Boolean(bool value) {
    return {Variant(value), fldBOOL, 2};
}

// The result types of arithmetic, from the operands' types and sizes.
TExprValue RuleI(Variant v, const TExprValue& a, const TExprValue& b) {
    if (a.DataType == fldINT32) return {std::move(v), fldINT32, a.DataSize};
    return {std::move(v), b.DataType, b.DataSize};
}

TExprValue RuleF(Variant v, const TExprValue& a, const TExprValue& b) {
    if (a.DataType == fldFLOAT) return {std::move(v), fldFLOAT, a.DataSize};
    if (b.DataType == fldFLOAT) return {std::move(v), fldFLOAT, b.DataSize};
    return RuleI(std::move(v), a, b);
}

TExprValue RuleS(Variant v, const TExprValue& a, const TExprValue& b) {
    if (a.DataType == fldZSTRING)
        return {std::move(v), fldZSTRING,
                b.DataType == fldZSTRING ? std::max(a.DataSize, b.DataSize) : std::max(a.DataSize, 10)};
    if (b.DataType == fldZSTRING) return {std::move(v), fldZSTRING, std::max(b.DataSize, 10)};
    return RuleF(std::move(v), a, b);
}

bool Equal(const TExprValue& a, const TExprValue& b) {
    if (a.Value.IsNull() && b.Value.IsNull()) return true;
    return Compare(a, b) == 0;
}

// Decimal arithmetic when either operand is fldBCD.
template <class F> TExprValue BcdArith(TExprValue a, TExprValue b, F f) {
    ToBcd(a);
    ToBcd(b);
    if (a.Value.IsNull() || b.Value.IsNull()) return {Null(), fldBCD, int(sizeof(TBcd))};
    return {BcdValue(f(BcdOf(a.Value), BcdOf(b.Value))), fldBCD, int(sizeof(TBcd))};
}

bool IsBcd(const TExprValue& a, const TExprValue& b) {
    return a.DataType == fldBCD || b.DataType == fldBCD;
}

// Patterns and the comparisons of compare nodes. A pattern never matches NULL; otherwise two NULLs
// are equal and a NULL equals nothing else, as for the binary operators.
bool Match(const TExprValue& a, const TExprValue& b, bool like, bool caseInsensitive, int partial) {
    const bool aNull = a.Value.IsNull(), bNull = b.Value.IsNull();
    if (aNull || bNull) return !like && aNull && bNull;
    try {
        if (like) {
            if (caseInsensitive)
                return WildcardMatch(AnsiUpperCase(Text(a.Value)), AnsiUpperCase(Text(b.Value)));
            return WildcardMatch(Text(a.Value), Text(b.Value));
        }
        if (partial > 0) {
            const String x = Text(a.Value).left(partial), y = Text(b.Value).left(partial);
            return caseInsensitive ? AnsiSameText(x, y) : AnsiSameStr(x, y);
        }
        if (caseInsensitive) return AnsiSameText(Text(a.Value), Text(b.Value));
        return ComparePlain(a.Value, b.Value) == 0;
    } catch (const EVariantTypeCastError&) {
        return false;
    } catch (const EVariantOverflowError&) {
        return false;
    }
}

TDateTime DateTimeOf(const TExprValue& x) {
    return Checked(x.Value).ToDateTime();
}

} // namespace

class TmoxExprEvaluator::Machine {
public:
    Machine(TmoxExprEvaluator& owner, const TExprProgram& program) : owner_(owner), nodes_(program.Nodes()) {}

    TExprValue Eval(int index) {
        Q_ASSERT(index >= 0 && std::size_t(index) < nodes_.size());
        const TExprDataNode& n = nodes_[std::size_t(index)];
        switch (n.NodeClass) {
        case nodeNULL:
            return {Null(), fldUNKNOWN, 0};
        case nodeUNARY:
            return Unary(n);
        case nodeBINARY:
            return Binary(n);
        case nodeCOMPARE:
            return CompareNode(n);
        case nodeFIELD: {
            TExprValue v;
            v.Value = owner_.GetFieldValue(n.FieldNo, n.Name, v.DataType, v.DataSize);
            return v;
        }
        case nodeCONST:
            if (!n.Supported) NotSupported();
            if (!n.ValueError.isEmpty()) throw EConvertError(n.ValueError);
            return {n.Value, n.LogicalType, n.Size};
        case nodeCONTINUE:
            return Boolean(true);
        case nodeLIST:
            return {Eval(n.Left).Value, fldUNKNOWN, 0};
        case nodeFUNC:
            return Function(n);
        case nodeLISTELEM:
            return ListValue(index);
        default:
            NotSupported();
        }
    }

private:
    TExprValue Unary(const TExprDataNode& n) {
        TExprValue a = Eval(n.Left);
        switch (n.Operator) {
        case coISBLANK:
            return Boolean(a.Value.IsNull());
        case coNOTBLANK:
            return Boolean(!a.Value.IsNull());
        case coNOT:
            return {Not(a.Value), fldBOOL, 2};
        case coMINUS:
            if (a.DataType == fldBCD) {
                if (!a.Value.IsNull()) a.Value = BcdValue(NegateBcd(BcdOf(a.Value)));
                return a;
            }
            a.Value = Negate(a.Value);
            return a;
        case coUPPER:
        case coLOWER:
            if (!a.Value.IsNull())
                a.Value = Variant(n.Operator == coUPPER ? AnsiUpperCase(Text(a.Value))
                                                        : AnsiLowerCase(Text(a.Value)));
            return a;
        default:
            NotSupported();
        }
    }

    TExprValue Binary(const TExprDataNode& n) {
        TExprValue a = Eval(n.Left);
        if (n.Operator == coASSIGN) return a;
        if (n.Operator == coIN) return In(a, n.Right);
        TExprValue b = Eval(n.Right);
        switch (n.Operator) {
        case coEQ:
            return Boolean(Equal(a, b));
        case coNE:
            return Boolean(!Equal(a, b));
        case coGT:
        case coLT:
        case coGE:
        case coLE: {
            if (a.Value.IsNull() || b.Value.IsNull()) return Boolean(false);
            const int c = Compare(a, b);
            return Boolean(n.Operator == coGT   ? c > 0
                           : n.Operator == coLT ? c < 0
                           : n.Operator == coGE ? c >= 0
                                                : c <= 0);
        }
        case coAND:
            return {And(a.Value, b.Value), fldBOOL, 2};
        case coOR:
            return {Or(a.Value, b.Value), fldBOOL, 2};
        case coADD: {
            if (IsBcd(a, b)) return BcdArith(a, b, AddBcd);
            if (VarIsStr(a.Value) && VarIsStr(b.Value)) {
                textBudget_ -= a.Value.ToString().size() + b.Value.ToString().size();
                if (textBudget_ < 0) throw EOverflow(Format(SExprTextTooLong, {int(MaxExprTextWork)}));
            }
            TExprValue r = RuleS(Add(a.Value, b.Value), a, b);
            if (VarIsStr(r.Value)) r.DataSize = a.DataSize + b.DataSize;
            return r;
        }
        case coSUB:
            if (IsBcd(a, b)) return BcdArith(a, b, SubtractBcd);
            return RuleF(Subtract(a.Value, b.Value), a, b);
        case coMUL:
            if (IsBcd(a, b)) return BcdArith(a, b, MultiplyBcd);
            return RuleF(Multiply(a.Value, b.Value), a, b);
        case coDIV:
            if (IsBcd(a, b)) return BcdArith(a, b, DivideBcd);
            // Division by zero gives NULL rather than an error.
            if (b.Value.IsNull() || Compare(b, {Variant(0), fldINT32, 4}) == 0) return {Null(), fldFLOAT, 8};
            return {Divide(a.Value, b.Value), fldFLOAT, 8};
        case coMOD:
        case coREM:
            FromBcd(a);
            FromBcd(b);
            return RuleI(Remainder(a.Value, b.Value), a, b);
        case coMIN:
        case coMAX: {
            FromBcd(a);
            FromBcd(b);
            const int c = Compare(a, b);
            if (n.Operator == coMIN) return RuleF(c >= 0 ? b.Value : a.Value, a, b);
            return RuleS(c <= 0 ? b.Value : a.Value, a, b);
        }
        case coAVG: {
            FromBcd(a);
            FromBcd(b);
            const Variant sum = Add(a.Value, b.Value);
            if (sum.IsNull()) return {Null(), fldFLOAT, 8};
            return {Variant(Divide(sum, Variant(2)).ToDouble()), fldFLOAT, 8};
        }
        case coLIKE:
            return Boolean(Match(a, b, true, false, 0));
        default:
            NotSupported();
        }
    }

    TExprValue In(TExprValue a, int list) {
        FromBcd(a);
        for (const TExprValue& e : List(list))
            if (Compare(a, e) == 0) return Boolean(true);
        return Boolean(false);
    }

    TExprValue CompareNode(const TExprDataNode& n) {
        const TExprValue a = Eval(n.Left), b = Eval(n.Right);
        // Only equality and patterns have a meaning here.
        if (n.Operator != coEQ && n.Operator != coNE && n.Operator != coLIKE) NotSupported();
        const bool m = Match(a, b, n.Operator == coLIKE, n.CaseInsensitive, n.PartialLength);
        return Boolean(n.Operator == coNE ? !m : m);
    }

    // The elements of a list operand: a list chain is walked; any other node is one element, or the
    // elements of the array of (value, type, size) triples it yields. A chain whose next element is
    // no list element ends with that node's value.
    std::vector<TExprValue> List(int index) {
        std::vector<TExprValue> elements;
        if (index < 0) return elements;
        if (nodes_[std::size_t(index)].NodeClass == nodeLISTELEM) {
            for (int i = index; i >= 0;) {
                const TExprDataNode& element = nodes_[std::size_t(i)];
                if (element.NodeClass != nodeLISTELEM) {
                    elements.push_back(Eval(i));
                    break;
                }
                elements.push_back(Eval(element.Left));
                i = element.Right;
            }
            return elements;
        }
        TExprValue v = Eval(index);
        if (!v.Value.IsArray() || VarArrayDimCount(v.Value) != 1) {
            elements.push_back(std::move(v));
            return elements;
        }
        for (int i = VarArrayLowBound(v.Value, 1); i <= VarArrayHighBound(v.Value, 1); ++i) {
            const Variant e = v.Value[i];
            if (e.IsArray() && VarArrayDimCount(e) == 1 &&
                VarArrayHighBound(e, 1) - VarArrayLowBound(e, 1) == 2) {
                const int low = VarArrayLowBound(e, 1);
                elements.push_back({e[low], e[low + 1].ToInt(), e[low + 2].ToInt()});
            } else {
                elements.push_back({e, fldUNKNOWN, 0});
            }
        }
        return elements;
    }

    // A list chain as a value: an array with one (value, type, size) array per element.
    TExprValue ListValue(int index) {
        const std::vector<TExprValue> elements = List(index);
        Variant array = VarArrayCreate({0, int(elements.size()) - 1}, varVariant);
        for (std::size_t i = 0; i < elements.size(); ++i)
            VarArrayPut(array, VarArrayOf({elements[i].Value, elements[i].DataType, elements[i].DataSize}),
                        {int(i)});
        return {array, fldUNKNOWN, 0};
    }

    TExprValue FirstOf(const std::vector<TExprValue>& args) {
        return args.empty() ? TExprValue{Null(), fldUNKNOWN, 0} : args[0];
    }

    TExprValue Function(const TExprDataNode& n) {
        switch (n.Function) {
        case efUnknown:
            NotSupported();
        case efSum:
        case efMin:
        case efMax:
        case efAvg:
        case efCount:
            return Aggregate(n);
        default:
            break;
        }
        const std::vector<TExprValue> args = List(n.Left);
        const TExprValue x = FirstOf(args);
        switch (n.Function) {
        case efUpper:
        case efLower:
        case efSubstring:
        case efTrim:
        case efTrimLeft:
        case efTrimRight: {
            const int size = x.DataType == fldZSTRING ? x.DataSize : 10;
            if (x.Value.IsNull()) return {Null(), fldZSTRING, size};
            return {Variant(TextFunction(n.Function, Text(x.Value), args)), fldZSTRING, size};
        }
        case efYear:
        case efMonth:
        case efDay: {
            Word year = 0, month = 0, day = 0;
            DecodeDate(DateTimeOf(x), year, month, day);
            return {Variant(int(n.Function == efYear    ? year
                                : n.Function == efMonth ? month
                                                        : day)),
                    fldUINT16, 2};
        }
        case efHour:
        case efMinute:
        case efSecond: {
            Word hour = 0, minute = 0, second = 0, ms = 0;
            DecodeTime(DateTimeOf(x), hour, minute, second, ms);
            return {Variant(int(n.Function == efHour     ? hour
                                : n.Function == efMinute ? minute
                                                         : second)),
                    fldUINT16, 2};
        }
        case efGetDate:
            return {Variant(Now()), fldTIMESTAMP, 8};
        case efDate:
        case efTime: {
            const double t = DateTimeOf(x).Val;
            return {Variant(TDateTime(n.Function == efDate ? std::trunc(t) : t - std::trunc(t))),
                    fldTIMESTAMP, 8};
        }
        default:
            NotSupported();
        }
    }

    static String TextFunction(TExprFunction f, const String& text, const std::vector<TExprValue>& args) {
        switch (f) {
        case efUpper:
            return AnsiUpperCase(text);
        case efLower:
            return AnsiLowerCase(text);
        case efTrim:
            return Trim(text);
        case efTrimLeft:
            return TrimLeft(text);
        case efTrimRight:
            return TrimRight(text);
        default: {
            // SUBSTRING(text, start, count): start below 1 counts as 1; without a count, the rest.
            const qsizetype start = args.size() > 1 ? std::max(Checked(args[1].Value).ToInt(), 1) : 1;
            const qsizetype count = args.size() > 2 ? Checked(args[2].Value).ToInt() : text.size();
            if (count < 0 || start > text.size()) return String();
            return text.mid(start - 1, count);
        }
        }
    }

    // An aggregate's value does not depend on the current record, so each is computed once per
    // evaluation. Aggregates inside the arguments of another are computed before its scan starts:
    // scanning them on the way would move the source under the outer scan.
    TExprValue Aggregate(const TExprDataNode& n) {
        const std::size_t index = std::size_t(&n - nodes_.data());
        if (const auto it = aggregates_.find(index); it != aggregates_.end()) return it->second;
        if (n.Function != efCount) PrepareNestedAggregates(n.Left);
        owner_.BeginAggregate();
        TExprValue result;
        try {
            result = Scan(n);
        } catch (...) {
            owner_.EndAggregate();
            throw;
        }
        owner_.EndAggregate();
        aggregates_.emplace(index, result);
        return result;
    }

    void PrepareNestedAggregates(int root) {
        std::vector<int> pending;
        if (root >= 0) pending.push_back(root);
        while (!pending.empty()) {
            const TExprDataNode& n = nodes_[std::size_t(pending.back())];
            pending.pop_back();
            if (n.NodeClass == nodeFUNC && IsAggregate(n.Function)) {
                Aggregate(n);
                continue;
            }
            if (n.Left >= 0) pending.push_back(n.Left);
            if (n.Right >= 0) pending.push_back(n.Right);
        }
    }

    static bool IsAggregate(TExprFunction f) { return f >= efSum && f <= efCount; }

    TExprValue Scan(const TExprDataNode& n) {
        TmoxExprEvaluator& o = owner_;
        switch (n.Function) {
        case efSum: {
            o.First();
            // The first position is read even when the source is empty.
            const TExprValue x = FirstOf(List(n.Left));
            TExprValue total = x;
            if (x.Value.IsNull()) {
                TBcd zero;
                zero.Precision = 1;
                total.Value = x.DataType == fldBCD ? BcdValue(zero) : Variant(0.0);
            }
            for (o.Next(); !o.Eof(); o.Next()) {
                const TExprValue v = FirstOf(List(n.Left));
                if (v.Value.IsNull()) continue;
                if (total.DataType == fldBCD || v.DataType == fldBCD)
                    total.Value = BcdValue(AddBcd(BcdOf(total.Value), BcdOf(v.Value)));
                else
                    total.Value = Add(total.Value, v.Value);
            }
            return total;
        }
        case efMin:
        case efMax: {
            o.First();
            TExprValue result = FirstOf(List(n.Left));
            for (o.Next(); !o.Eof(); o.Next()) {
                TExprValue v = FirstOf(List(n.Left));
                const int c = Compare(result, v);
                if (n.Function == efMin ? c > 0 : c < 0) result = std::move(v);
            }
            return result;
        }
        case efAvg: {
            double total = 0;
            int count = 0;
            for (o.First(); !o.Eof(); o.Next()) {
                TExprValue v = FirstOf(List(n.Left));
                FromBcd(v);
                total += Checked(v.Value).ToDouble();
                ++count;
            }
            return {count > 0 ? Variant(total / count) : Variant(), fldFLOAT, 8};
        }
        default: {
            int count = 0;
            for (o.First(); !o.Eof(); o.Next())
                ++count;
            return {Variant(count), fldINT32, 4};
        }
        }
    }

    TmoxExprEvaluator& owner_;
    const std::vector<TExprDataNode>& nodes_;
    std::map<std::size_t, TExprValue> aggregates_;
    // Characters that concatenations may still produce in this evaluation: a buffer that adds a long
    // literal to itself over and over would otherwise copy gigabytes.
    qsizetype textBudget_ = MaxExprTextWork;
};

TmoxExprEvaluator::TmoxExprEvaluator() = default;
TmoxExprEvaluator::~TmoxExprEvaluator() = default;

void TmoxExprEvaluator::SetData(const TExprData& Data) {
    if (Data.isEmpty()) {
        program_.reset();
        return;
    }
    program_ = std::make_shared<const TExprProgram>(Data);
}

TExprData TmoxExprEvaluator::Data() const {
    return program_ ? program_->Data() : TExprData();
}

Variant TmoxExprEvaluator::GetFieldValue(int, const String&, int& DataType, int& DataSize) {
    DataType = fldUNKNOWN;
    DataSize = 0;
    return Null();
}

Variant TmoxExprEvaluator::Evaluate(int& DataType, int& DataSize) {
    BeginEvaluate();
    TExprValue result{Null(), fldUNKNOWN, 0};
    try {
        // A hook may replace the buffer; this evaluation keeps the one it started with.
        const std::shared_ptr<const TExprProgram> program = program_;
        if (program) result = Machine(*this, *program).Eval(0);
    } catch (...) {
        EndEvaluate();
        throw;
    }
    EndEvaluate();
    DataType = result.DataType;
    DataSize = result.DataSize;
    return result.Value;
}

Variant TmoxExprEvaluator::Evaluate() {
    int type = 0, size = 0;
    return Evaluate(type, size);
}
