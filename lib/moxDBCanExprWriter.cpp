// The filter-expression writer: parse nodes, field resolution and the buffer they are written into.
#include "lib/moxDBCanExprParser.h"

#include "lib/moxBCDUtils.h"
#include "lib/moxDBCanExprTypes.h"
#include "lib/moxDBConsts.h"
#include "vcl/SysUtils.h"

#include <cmath>
#include <limits>

using namespace ExprFieldTypes;

const TFieldMap FldTypeMap = [] {
    TFieldMap map{};
    map.fill(Byte(fldUNKNOWN));
    auto set = [&](std::initializer_list<TFieldType> types, int logical) {
        for (TFieldType t : types)
            map[std::size_t(t)] = Byte(logical);
    };
    set({ftString, ftFixedChar, ftWideString, ftGuid, ftFixedWideChar}, fldZSTRING);
    set({ftSmallint}, fldINT16);
    set({ftInteger, ftAutoInc}, fldINT32);
    set({ftWord}, fldUINT16);
    set({ftBoolean}, fldBOOL);
    set({ftFloat, ftCurrency}, fldFLOAT);
    set({ftBCD}, fldBCD);
    set({ftDate}, fldDATE);
    set({ftTime}, fldTIME);
    set({ftDateTime}, fldTIMESTAMP);
    set({ftVarBytes}, fldVARBYTES);
    set({ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftOraBlob, ftOraClob,
         ftWideMemo},
        fldBLOB);
    set({ftLargeint}, fldINT64);
    return map;
}();

namespace {

// Characters of a string constant that are written.
constexpr int MaxStringConstant = 255;

int Mirror(int op) {
    switch (op) {
    case coGT: return coLT;
    case coLT: return coGT;
    case coGE: return coLE;
    case coLE: return coGE;
    default: return op;
    }
}

// A whole number from a constant: its text read with the locale's rules, or its value.
Int64 IntegerOf(const Variant& value) {
    if (!VarIsStr(value)) return value.ToInt64();
    const String text = value.ToString().trimmed();
    Int64 n = 0;
    if (TryStrToInt64(text, n)) return n;
    double d = 0;
    if (TryStrToFloat(text, d) && std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18) return Int64(d);
    return StrToInt(text); // raises the conversion error
}

Int64 IntegerInRange(const Variant& value, Int64 low, Int64 high) {
    const Int64 n = IntegerOf(value);
    if (n < low || n > high) DatabaseError(SExprRangeError);
    return n;
}

double FloatOf(const Variant& value) {
    if (!VarIsStr(value)) return value.ToDouble();
    return double(StrToFloat(value.ToString().trimmed()));
}

TDateTime DateTimeOf(const Variant& value, TFieldType type) {
    if (!VarIsStr(value)) return value.ToDateTime();
    const String text = value.ToString().trimmed();
    if (type == ftDate) return StrToDate(text);
    if (type == ftTime) return StrToTime(text);
    return StrToDateTime(text);
}

// The day number (1 January of year 1 is day 1) and the milliseconds since midnight.
void SplitDateTime(TDateTime value, double& day, double& ms) {
    const double whole = std::trunc(value.Val);
    day = whole + DateDelta;
    ms = std::round(std::fabs(value.Val - whole) * MSecsPerDay);
}

} // namespace

TmoxFilterExpr::TmoxFilterExpr(TDataSet* DataSet, TFilterOptions Options, TParserOptions ParserOptions,
                               const String& FieldName, TFieldDependencies* DependentFields,
                               const TFieldMap& FieldMap)
    : dataSet_(DataSet), options_(Options), parserOptions_(ParserOptions), fieldName_(FieldName),
      dependentFields_(DependentFields), fieldMap_(FieldMap) {}

TmoxFilterExpr::~TmoxFilterExpr() = default;

TField* TmoxFilterExpr::ResolveField(const String& Name) const {
    if (!dataSet_) return nullptr;
    if (parserOptions_ & xoFieldNameGiven) return dataSet_->FindField(fieldName_);
    if (parserOptions_ & xoOriginNames) {
        for (TField* field : *dataSet_->Fields()) {
            const String origin = field->Origin();
            if (origin.isEmpty()) continue;
            // An origin names its column after the table: "ORDERS.ItemsTotal" or "ItemsTotal".
            if (origin.mid(origin.lastIndexOf(u'.') + 1) == Name) return field;
        }
    }
    return dataSet_->FindField(Name);
}

TExprNode* TmoxFilterExpr::NewNode(TExprNodeKind Kind, int Operator, const Variant& Data, TExprNode* Left,
                                   TExprNode* Right) {
    // No buffer could hold more nodes than this: stop before memory grows with a pathological text.
    if (nodes_.size() >= std::size_t(MaxExprDataSize / ExprNodeHeaderSize))
        DatabaseError(Format(SExprDataTooLarge, {MaxExprDataSize}));
    auto node = std::make_unique<TExprNode>();
    node->Kind = Kind;
    node->Operator = Operator;
    node->Data = Data;
    node->Left = Left;
    node->Right = Right;
    if (Kind == nkField) {
        const String name = Data.ToString();
        TField* field = ResolveField(name);
        if (!field) DatabaseError(Format(SExprFieldNotFound, {name}));
        node->Field = field;
        node->DataType = field->DataType();
        node->DataSize = field->Size();
        if ((parserOptions_ & xoFieldDependencies) && dependentFields_ && field->FieldNo() > 0) {
            const std::size_t bit = std::size_t(field->FieldNo() - 1);
            if (dependentFields_->size() <= bit) dependentFields_->resize(bit + 1, false);
            (*dependentFields_)[bit] = true;
        }
    }
    nodes_.push_back(std::move(node));
    return nodes_.back().get();
}

TExprData TmoxFilterExpr::WriteBuffer(TExprNode* Root) {
    writer_ = std::make_unique<TExprDataWriter>();
    try {
        PutNode(Root, coNOTDEFINED);
    } catch (const EExprDataError& e) {
        DatabaseError(e.Message());
    }
    TExprData data = writer_->Data();
    dataSize_ = int(data.size());
    return data;
}

int TmoxFilterExpr::PutNode(TExprNode* Node, int ParentOperator) {
    TExprDataWriter& w = *writer_;
    switch (Node->Kind) {
    case nkField:
        return PutFieldNode(Node, ParentOperator);
    case nkConstant:
        return PutConstant(Node);
    case nkFunction: {
        const int node = w.AddNode(nodeFUNC, coFUNC2, 2);
        w.SetOperand(node, 0, w.AddString(Node->Data.ToString()));
        w.SetOperand(node, 1, PutList(Node->Args));
        return node;
    }
    case nkOperator:
        break;
    }
    switch (Node->Operator) {
    case coISBLANK:
    case coNOTBLANK:
    case coNOT: {
        const int node = w.AddNode(nodeUNARY, Node->Operator, 1);
        w.SetOperand(node, 0, PutNode(Node->Left, Node->Operator));
        return node;
    }
    case coIN: {
        const int node = w.AddNode(nodeBINARY, coIN, 2);
        w.SetOperand(node, 0, PutNode(Node->Left, coIN));
        w.SetOperand(node, 1, PutList(Node->Args));
        return node;
    }
    case coEQ:
    case coNE:
    case coGT:
    case coLT:
    case coGE:
    case coLE:
    case coAND:
    case coOR:
    case coADD:
    case coSUB:
    case coMUL:
    case coDIV:
    case coLIKE:
    case coASSIGN:
        return PutCompare(Node);
    default:
        // The grammar makes no other operator.
        return w.AddNode(nodeNULL, coNOTDEFINED, 0);
    }
}

int TmoxFilterExpr::PutFieldNode(TExprNode* Node, int ParentOperator) {
    TExprDataWriter& w = *writer_;
    TField* field = Node->Field;
    if (field->FieldKind() != fkData && field->FieldKind() != fkInternalCalc)
        DatabaseError(Format(SExprBadField, {field->FieldName()}));
    const String name = (parserOptions_ & xoFieldNameGiven) ? field->FieldName() : Node->Data.ToString();
    if (field->DataType() == ftBoolean &&
        (ParentOperator == coNOTDEFINED || ParentOperator == coNOT || ParentOperator == coAND ||
         ParentOperator == coOR)) {
        // A Boolean field standing as a condition means "the field is true".
        const int node = w.AddNode(nodeBINARY, coNE, 2);
        w.SetOperand(node, 0, w.AddField(field->FieldNo(), name));
        w.SetOperand(node, 1, w.AddConstant(fieldMap_[ftBoolean], ExprLiteral::Bool(false)));
        return node;
    }
    return w.AddField(field->FieldNo(), name);
}

int TmoxFilterExpr::PutCompare(TExprNode* Node) {
    TExprDataWriter& w = *writer_;
    TExprNode* left = Node->Left;
    TExprNode* right = Node->Right;
    const int original = Node->Operator;
    int op = original;
    if (op >= coEQ && op <= coLE && right->Kind == nkField && left->Kind != nkField) {
        std::swap(left, right);
        op = Mirror(op);
    }
    if (left->Kind == nkField && right->Kind == nkConstant &&
        (original == coEQ || original == coNE || original == coLIKE)) {
        if (right->Data.IsNull()) {
            if (op == coLIKE) DatabaseError(SExprBadNullTest);
            const int unary = op == coEQ ? coISBLANK : coNOTBLANK;
            const int node = w.AddNode(nodeUNARY, unary, 1);
            w.SetOperand(node, 0, PutNode(left, unary));
            return node;
        }
        String value = right->Data.ToString();
        if (IsString(right->DataType) && !value.isEmpty()) {
            int partial = 0;
            // A trailing "*" asks for the values that begin with the rest. A pattern keeps it: there
            // it already means any run of characters, and the pattern without it would match only
            // the rest itself.
            if (op != coLIKE && !(options_ & foNoPartialCompare) && value.size() >= 2 && value.endsWith(u'*')) {
                value.chop(1);
                partial = int(value.size());
            }
            if ((options_ & foCaseInsensitive) || partial != 0) {
                const int node = w.AddNode(nodeCOMPARE, op, 4);
                w.SetOperand(node, 0, (options_ & foCaseInsensitive) ? 1 : 0);
                w.SetOperand(node, 1, partial);
                w.SetOperand(node, 2, PutNode(left, op));
                w.SetOperand(node, 3, PutStringConstant(value));
                return node;
            }
        }
    }
    const int node = w.AddNode(nodeBINARY, op, 2);
    const int l = PutNode(left, op);
    w.SetOperand(node, 0, l);
    // A default expression's value stands in both words; the target field is not written.
    w.SetOperand(node, 1, op == coASSIGN ? l : PutNode(right, op));
    return node;
}

int TmoxFilterExpr::PutList(const std::vector<TExprNode*>& Items) {
    TExprDataWriter& w = *writer_;
    int first = 0, previous = -1;
    for (TExprNode* item : Items) {
        const int element = w.AddNode(nodeLISTELEM, coLISTELEM2, 2);
        if (previous < 0)
            first = element;
        else
            w.SetOperand(previous, 1, element);
        w.SetOperand(element, 0, PutNode(item, coNOTDEFINED));
        previous = element;
    }
    return first;
}

int TmoxFilterExpr::PutStringConstant(const String& Text) {
    return writer_->AddConstant(fieldMap_[ftString], ExprLiteral::ZString(Text.left(MaxStringConstant)));
}

int TmoxFilterExpr::PutConstant(TExprNode* Node) {
    // NULL is no value of any type: whatever type it took, it is written as the NULL node.
    if (Node->Data.IsNull()) return writer_->AddNode(nodeNULL, coNOTDEFINED, 0);
    if (IsString(Node->DataType)) return PutStringConstant(Node->Data.ToString());
    int logical = fldUNKNOWN;
    const QByteArray value = ConstantValue(Node, logical);
    return writer_->AddConstant(logical, value);
}

QByteArray TmoxFilterExpr::ConstantValue(const TExprNode* Node, int& LogicalType) const {
    const Variant& v = Node->Data;
    const TFieldType type = Node->DataType;
    LogicalType = fieldMap_[std::size_t(type)];
    switch (type) {
    case ftSmallint:
        return ExprLiteral::Int16(int(IntegerInRange(v, -32768, 32767)));
    case ftWord:
        return ExprLiteral::UInt16(int(IntegerInRange(v, 0, 65535)));
    case ftInteger:
    case ftAutoInc:
        return ExprLiteral::Int32(int(IntegerInRange(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    case ftBoolean:
        return ExprLiteral::Bool(VarIsStr(v) ? StrToBool(v.ToString().trimmed()) : v.ToInt64() != 0);
    case ftFloat:
    case ftCurrency:
        LogicalType = fieldMap_[ftFloat];
        return ExprLiteral::Float(FloatOf(v));
    case ftLargeint:
        // The reader takes no 64-bit constants; a double holds every whole number up to 2^53.
        LogicalType = fieldMap_[ftFloat];
        return ExprLiteral::Float(double(IntegerOf(v)));
    case ftBCD: {
        const double amount = FloatOf(v);
        if (!std::isfinite(amount) || std::fabs(amount) >= 922337203685477.0) DatabaseError(SExprRangeError);
        TBcd bcd;
        if (!CurrencyToBcd(Currency(amount), bcd, 32, Node->DataSize)) DatabaseError(SExprRangeError);
        return ExprLiteral::Bcd(bcd);
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
        double day = 0, ms = 0;
        SplitDateTime(DateTimeOf(v, type), day, ms);
        if (type == ftDate) return ExprLiteral::Date(int(day));
        if (type == ftTime) return ExprLiteral::Time(int(ms));
        return ExprLiteral::TimeStamp(day * MSecsPerDay + ms);
    }
    default:
        DatabaseError(Format(SExprBadConst, {v.ToString()}));
    }
}
