// The expression parser: the scanner, the grammar and the typing of parse nodes.
#include "lib/moxDBCanExprParser.h"

#include "lib/moxCanExprProgram.h"
#include "lib/moxDBCanExprTypes.h"
#include "lib/moxDBConsts.h"
#include "vcl/SysUtils.h"

#include <algorithm>

using namespace ExprFieldTypes;

namespace {

// Parentheses, calls and lists the recursive descent follows before it gives up.
constexpr int MaxParseNesting = 200;
// Characters of a string literal that are kept.
constexpr int MaxLiteralLength = 256;

[[noreturn]] void ParseError(const String& Message) {
    DatabaseError(Message);
}

[[noreturn]] void ParseErrorFmt(const String& Message, const String& Arg) {
    DatabaseError(Format(Message, {Arg}));
}

enum class Tok {
    End,
    Name,
    QuotedName,
    Literal,
    LParen,
    RParen,
    Comma,
    EQ,
    NE,
    GE,
    LE,
    GT,
    LT,
    Add,
    Sub,
    Mul,
    Div,
    Like,
    In,
    IsNull,
    IsNotNull
};

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsBlank(QChar c) {
    return c.unicode() < u'!';
}
// Names start with an ASCII letter, "_" or any character beyond ASCII, and go on with ASCII letters,
// digits, "_", ".", "[", "]" and letters and digits beyond ASCII.
bool IsWordStart(QChar c) {
    return IsAsciiLetter(c) || c == u'_' || c.unicode() >= 0x81;
}
bool IsWordChar(QChar c) {
    return IsAsciiLetter(c) || IsDigit(c) || c == u'_' || c == u'.' || c == u'[' || c == u']' ||
           (c.unicode() >= 0x81 && c.isLetterOrNumber());
}

bool SameWord(const String& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The functions the grammar knows.
bool IsFunctionName(const String& name) {
    static const char* const names[] = {"UPPER", "LOWER", "SUBSTRING", "TRIM",    "TRIMLEFT",
                                        "TRIMRIGHT", "YEAR", "MONTH",     "DAY",     "HOUR",
                                        "MINUTE",    "SECOND", "GETDATE", "DATE",    "TIME",
                                        "SUM",       "MIN",    "MAX",     "AVG",     "COUNT"};
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return SameWord(name, n); });
}

} // namespace

// One parse: the scanner over the text and the recursive descent that builds the nodes.
class TmoxExprParser::Reader {
public:
    Reader(TmoxFilterExpr& nodes, const String& text, TParserOptions options, const String& fieldName)
        : nodes_(nodes), text_(text), options_(options), fieldName_(fieldName) {}

    TExprNode* Run() {
        NextToken();
        TExprNode* root = Expression();
        if (tok_ != Tok::End) ParseError(SExprTermination);
        if (options_ & xoDefaultExpression) root = DefaultExpression(root);
        return root;
    }

private:
    // Scanning

    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    QChar At(qsizetype i) const { return i < text_.size() ? text_[i] : QChar(); }

    // A "-" or a digit after an operand is the minus operator; after anything else, and after the
    // keywords AND, OR and NOT (which no operand can be followed by), it starts a number.
    bool AfterOperand() const {
        switch (tok_) {
        case Tok::Name:
            return !(SameWord(tokText_, "AND") || SameWord(tokText_, "OR") || SameWord(tokText_, "NOT"));
        case Tok::QuotedName:
        case Tok::Literal:
        case Tok::RParen:
            return true;
        default:
            return false;
        }
    }

    String ReadWord() {
        const qsizetype start = pos_;
        if (pos_ < text_.size() && IsWordStart(text_[pos_])) {
            ++pos_;
            while (pos_ < text_.size() && IsWordChar(text_[pos_]))
                ++pos_;
        }
        return text_.mid(start, pos_ - start);
    }

    void NextToken() {
        const bool afterOperand = AfterOperand();
        numeric_ = false;
        SkipBlanks();
        if (At(pos_) == u'/' && At(pos_ + 1) == u'*') {
            const qsizetype star = text_.indexOf(u'*', pos_ + 2);
            if (star < 0) ParseErrorFmt(SExprInvalidChar, String());
            if (At(star + 1) != u'/') ParseErrorFmt(SExprInvalidChar, QStringLiteral("*"));
            pos_ = star + 2;
            SkipBlanks();
        }
        tokStart_ = pos_;
        if (pos_ >= text_.size()) {
            Set(Tok::End, String());
            return;
        }
        const QChar c = text_[pos_];
        switch (c.unicode()) {
        case u'\'':
            ReadString();
            return;
        case u'(':
            return Symbol(Tok::LParen, 1);
        case u')':
            return Symbol(Tok::RParen, 1);
        case u'*':
            return Symbol(Tok::Mul, 1);
        case u'+':
            return Symbol(Tok::Add, 1);
        case u',':
            return Symbol(Tok::Comma, 1);
        case u'/':
            return Symbol(Tok::Div, 1);
        case u'=':
            return Symbol(Tok::EQ, 1);
        case u'<':
            if (At(pos_ + 1) == u'=') return Symbol(Tok::LE, 2);
            if (At(pos_ + 1) == u'>') return Symbol(Tok::NE, 2);
            return Symbol(Tok::LT, 1);
        case u'>':
            if (At(pos_ + 1) == u'=') return Symbol(Tok::GE, 2);
            return Symbol(Tok::GT, 1);
        case u'[': {
            const qsizetype close = text_.indexOf(u']', pos_ + 1);
            if (close < 0) ParseError(SExprNameError);
            const String name = text_.mid(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            Set(Tok::QuotedName, name);
            return;
        }
        default:
            break;
        }
        if (c == u'-' || IsDigit(c)) {
            if (afterOperand) return Symbol(Tok::Sub, 1);
            ReadNumber();
            return;
        }
        if (IsWordStart(c)) {
            ReadWordToken();
            return;
        }
        ParseErrorFmt(SExprInvalidChar, String(c));
    }

    void Set(Tok kind, const String& text) {
        tok_ = kind;
        tokText_ = text;
    }

    void Symbol(Tok kind, int length) {
        Set(kind, text_.mid(pos_, length));
        pos_ += length;
    }

    void ReadString() {
        String value;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) ParseError(SExprStringError);
            const QChar c = text_[pos_++];
            if (c == u'\'') {
                if (At(pos_) != u'\'') break;
                ++pos_;
            }
            if (value.size() < MaxLiteralLength) value += c;
        }
        Set(Tok::Literal, value);
    }

    void ReadNumber() {
        const QChar separator = FormatSettings.DecimalSeparator;
        const qsizetype start = pos_;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (!(IsDigit(c) || c == u'+' || c == u'-' || c == u'E' || c == u'e' || c == separator)) break;
            ++pos_;
        }
        // "1, 2" lists two numbers where the comma is the decimal separator.
        if (separator == u',' && pos_ - start > 1 && text_[pos_ - 1] == u',' && pos_ < text_.size() &&
            IsBlank(text_[pos_]))
            --pos_;
        Set(Tok::Literal, text_.mid(start, pos_ - start));
        numeric_ = true;
    }

    void ReadWordToken() {
        const String word = ReadWord();
        if (SameWord(word, "LIKE")) return Set(Tok::Like, word);
        if (SameWord(word, "IN")) return Set(Tok::In, word);
        if (!SameWord(word, "IS")) return Set(Tok::Name, word);
        SkipBlanks();
        const String next = ReadWord();
        if (SameWord(next, "NULL")) return Set(Tok::IsNull, text_.mid(tokStart_, pos_ - tokStart_));
        if (!SameWord(next, "NOT")) ParseError(SExprBadKeyword);
        SkipBlanks();
        if (!SameWord(ReadWord(), "NULL")) ParseError(SExprBadKeyword);
        Set(Tok::IsNotNull, text_.mid(tokStart_, pos_ - tokStart_));
    }

    // The current token as messages name it.
    String Describe() const {
        if (tok_ == Tok::End) return SExprNothing;
        return QLatin1Char('\'') + tokText_ + QLatin1Char('\'');
    }

    bool IsWord(const char* word) const { return tok_ == Tok::Name && SameWord(tokText_, word); }

    // The next character after blanks, without scanning a token.
    QChar PeekChar() const {
        qsizetype i = pos_;
        while (i < text_.size() && IsBlank(text_[i]))
            ++i;
        return At(i);
    }

    // Grammar

    struct NestingGuard {
        explicit NestingGuard(int& level) : level_(level) {
            if (++level_ > MaxParseNesting) {
                --level_;
                DatabaseError(Format(SExprTooDeep, {MaxParseNesting}));
            }
        }
        ~NestingGuard() { --level_; }
        int& level_;
    };

    TExprNode* Expression() {
        NestingGuard guard(nesting_);
        TExprNode* left = AndTerm();
        while (IsWord("OR")) {
            NextToken();
            left = Logical(coOR, left, AndTerm());
        }
        return left;
    }

    TExprNode* AndTerm() {
        TExprNode* left = NotTerm();
        while (IsWord("AND")) {
            NextToken();
            left = Logical(coAND, left, NotTerm());
        }
        return left;
    }

    TExprNode* NotTerm() {
        if (!IsWord("NOT")) return Comparison();
        NextToken();
        TExprNode* operand = Comparison();
        TExprNode* node = Operator(coNOT, operand, nullptr);
        node->DataType = ftBoolean;
        node->ScopeKind = operand->ScopeKind;
        return node;
    }

    TExprNode* Logical(int op, TExprNode* left, TExprNode* right) {
        TExprNode* node = Operator(op, left, right);
        node->DataType = ftBoolean;
        node->ScopeKind = CombineScopes(left, right);
        return node;
    }

    TExprNode* Comparison() {
        TExprNode* left = Sum();
        int op = coNOTDEFINED;
        switch (tok_) {
        case Tok::EQ: op = coEQ; break;
        case Tok::NE: op = coNE; break;
        case Tok::GE: op = coGE; break;
        case Tok::LE: op = coLE; break;
        case Tok::GT: op = coGT; break;
        case Tok::LT: op = coLT; break;
        case Tok::Like: op = coLIKE; break;
        case Tok::IsNull: op = coISBLANK; break;
        case Tok::IsNotNull: op = coNOTBLANK; break;
        case Tok::In: return InList(left);
        default: return left;
        }
        NextToken();
        TExprNode* right = nullptr;
        if (op != coISBLANK && op != coNOTBLANK) right = Sum();
        TExprNode* node = Operator(op, left, right);
        TypeComparison(node);
        return node;
    }

    TExprNode* InList(TExprNode* left) {
        NestingGuard guard(nesting_);
        NextToken();
        if (tok_ != Tok::LParen) ParseErrorFmt(SExprNoLParen, Describe());
        NextToken();
        if (tok_ == Tok::RParen) ParseError(SExprEmptyInList);
        TExprNode* node = Operator(coIN, left, nullptr);
        node->ScopeKind = left->ScopeKind;
        ExpressionList([&](TExprNode* value) {
            if (IsTemporal(left->DataType)) value->DataType = left->DataType;
            node->Args.push_back(value);
            node->ScopeKind = CombineScopes(node, value);
        });
        node->DataType = ftBoolean;
        SetDepth(node);
        return node;
    }

    // One level of left-associative arithmetic: Operand { (first | second) Operand }.
    TExprNode* ArithmeticLevel(Tok first, int firstOp, Tok second, int secondOp, TExprNode* (Reader::*operand)()) {
        TExprNode* left = (this->*operand)();
        while (tok_ == first || tok_ == second) {
            const int op = tok_ == first ? firstOp : secondOp;
            CheckArithmetic();
            NextToken();
            left = Arithmetic(op, left, (this->*operand)());
        }
        return left;
    }

    TExprNode* Sum() { return ArithmeticLevel(Tok::Add, coADD, Tok::Sub, coSUB, &Reader::Product); }
    TExprNode* Product() { return ArithmeticLevel(Tok::Mul, coMUL, Tok::Div, coDIV, &Reader::Primary); }

    // Expressions separated by "," up to the closing ")", which is read too.
    template <class F> void ExpressionList(F&& each) {
        for (;;) {
            each(Expression());
            if (tok_ == Tok::RParen) break;
            if (tok_ != Tok::Comma) ParseErrorFmt(SExprNoRParenOrComma, Describe());
            NextToken();
        }
        NextToken();
    }

    void CheckArithmetic() const {
        if (!(options_ & xoExtendedSyntax)) ParseError(SExprNoArith);
    }

    TExprNode* Primary() {
        switch (tok_) {
        case Tok::Name:
            if ((options_ & xoExtendedSyntax) && PeekChar() == u'(' && IsFunctionName(tokText_))
                return FunctionCall();
            if (SameWord(tokText_, "NULL")) {
                NextToken();
                return Constant(Null(), ftUnknown);
            }
            if (tokText_.compare(STextTrue, Qt::CaseInsensitive) == 0 ||
                tokText_.compare(STextFalse, Qt::CaseInsensitive) == 0) {
                const bool value = tokText_.compare(STextTrue, Qt::CaseInsensitive) == 0;
                NextToken();
                return Constant(Variant(value ? 1 : 0), ftBoolean);
            }
            [[fallthrough]];
        case Tok::QuotedName: {
            TExprNode* node = nodes_.NewNode(nkField, coNOTDEFINED, Variant(tokText_), nullptr, nullptr);
            NextToken();
            return node;
        }
        case Tok::Literal: {
            TExprNode* node = Constant(Variant(tokText_), numeric_ ? ftFloat : ftString);
            NextToken();
            return node;
        }
        case Tok::LParen: {
            NextToken();
            TExprNode* node = Expression();
            if (tok_ != Tok::RParen) ParseErrorFmt(SExprNoRParen, Describe());
            NextToken();
            return node;
        }
        default:
            ParseErrorFmt(SExprExpected, Describe());
        }
    }

    TExprNode* Constant(const Variant& value, TFieldType type) {
        TExprNode* node = nodes_.NewNode(nkConstant, coNOTDEFINED, value, nullptr, nullptr);
        node->DataType = type;
        node->ScopeKind = esConstant;
        return node;
    }

    TExprNode* FunctionCall() {
        NestingGuard guard(nesting_);
        String name = tokText_;
        NextToken(); // the "("
        NextToken();
        if (SameWord(name, "COUNT") && tok_ == Tok::Mul) {
            name = QStringLiteral("COUNT(*)");
            NextToken();
        }
        TExprNode* node = nodes_.NewNode(nkFunction, coNOTDEFINED, Variant(name), nullptr, nullptr);
        if (tok_ == Tok::RParen)
            NextToken();
        else
            ExpressionList([&](TExprNode* arg) { node->Args.push_back(arg); });
        TypeFunction(node, name);
        SetDepth(node);
        return node;
    }

    // Typing

    TExprNode* Operator(int op, TExprNode* left, TExprNode* right) {
        TExprNode* node = nodes_.NewNode(nkOperator, op, Variant(), left, right);
        SetDepth(node);
        return node;
    }

    // Operand levels below the node as the writer lays them out; refused beyond what a reader takes.
    static void SetDepth(TExprNode* node) {
        int depth = 0;
        if (node->Left) depth = std::max(depth, node->Left->Depth + 1);
        if (node->Right) depth = std::max(depth, node->Right->Depth + 1);
        for (const TExprNode* arg : node->Args)
            depth = std::max(depth, arg->Depth + 2);
        // A Boolean field alone and the assignment of a default expression add a level.
        node->Depth = depth + 1;
        if (node->Depth >= MaxExprDepth) DatabaseError(Format(SExprTooDeep, {MaxExprDepth}));
    }

    static TExprScopeKind CombineScopes(const TExprNode* left, const TExprNode* right) {
        if (!right) return left->ScopeKind;
        const TExprScopeKind a = left->ScopeKind, b = right->ScopeKind;
        if ((a == esRecord && b == esAggregate) || (a == esAggregate && b == esRecord))
            ParseError(SExprBadScope);
        if (a == esConstant && b == esConstant) return esConstant;
        if (a == esAggregate || b == esAggregate) return esAggregate;
        return esRecord;
    }

    static void TakeType(TExprNode* node, const TExprNode* from) {
        node->DataType = from->DataType;
        node->DataSize = from->DataSize;
    }

    static void TypeComparison(TExprNode* node) {
        TExprNode* left = node->Left;
        TExprNode* right = node->Right;
        if (right) {
            if (left->Kind == nkField && right->Kind == nkConstant)
                TakeType(right, left);
            else if (right->Kind == nkField && left->Kind == nkConstant)
                TakeType(left, right);
        }
        if (IsBlob(left->DataType) && node->Operator == coLIKE) {
            if (right && right->Kind == nkConstant) right->DataType = ftString;
        } else if (node->Operator != coISBLANK && node->Operator != coNOTBLANK) {
            auto refused = [](const TExprNode* n) { return n && (n->DataType == ftBytes || IsBlob(n->DataType)); };
            if (refused(left) || refused(right)) ParseError(SExprTypeMis);
        }
        node->DataType = ftBoolean;
        if (right) {
            if (IsTemporal(left->DataType) && IsString(right->DataType))
                right->DataType = left->DataType;
            else if (IsTemporal(right->DataType) && IsString(left->DataType))
                left->DataType = right->DataType;
        }
        node->ScopeKind = CombineScopes(left, right);
    }

    TExprNode* Arithmetic(int op, TExprNode* left, TExprNode* right) {
        TExprNode* node = Operator(op, left, right);
        const TFieldType l = left->DataType, r = right->DataType;
        if (IsNumeric(l) && IsNumeric(r))
            node->DataType = ftFloat;
        else if (IsString(l) && IsString(r) && op == coADD)
            node->DataType = ftString;
        else if (IsTemporal(l) && IsNumeric(r) && op == coADD)
            node->DataType = ftDateTime;
        else if (IsTemporal(l) && IsNumeric(r) && op == coSUB)
            node->DataType = l;
        else if (IsTemporal(l) && IsTemporal(r) && op == coSUB)
            node->DataType = ftFloat;
        else if (IsString(l) && IsTemporal(r) && op == coSUB) {
            left->DataType = r;
            node->DataType = ftFloat;
        } else if (IsString(l) && left->Kind == nkConstant && IsNumeric(r))
            left->DataType = ftDateTime;
        else
            ParseError(SExprTypeMis);
        node->ScopeKind = CombineScopes(left, right);
        return node;
    }

    static void TypeFunction(TExprNode* node, const String& name) {
        node->DataType = ftString;
        const bool noArgsAllowed = name == QLatin1String("COUNT(*)") || SameWord(name, "GETDATE");
        if (node->Args.empty()) {
            if (!noArgsAllowed) ParseError(SExprTypeMis);
        } else {
            node->ScopeKind = node->Args.front()->ScopeKind;
        }
        if (SameWord(name, "SUM") || SameWord(name, "AVG")) {
            node->DataType = ftFloat;
            node->ScopeKind = esAggregate;
        } else if (SameWord(name, "MIN") || SameWord(name, "MAX")) {
            TakeType(node, node->Args.front());
            node->ScopeKind = esAggregate;
        } else if (SameWord(name, "COUNT") || name == QLatin1String("COUNT(*)")) {
            node->DataType = ftInteger;
            node->ScopeKind = esAggregate;
        } else if (SameWord(name, "YEAR") || SameWord(name, "MONTH") || SameWord(name, "DAY") ||
                   SameWord(name, "HOUR") || SameWord(name, "MINUTE") || SameWord(name, "SECOND")) {
            node->DataType = ftInteger;
        } else if (SameWord(name, "GETDATE")) {
            node->DataType = ftDateTime;
            node->ScopeKind = esConstant;
        } else if (SameWord(name, "DATE")) {
            node->DataType = ftDate;
        } else if (SameWord(name, "TIME")) {
            node->DataType = ftTime;
        }
    }

    TExprNode* DefaultExpression(TExprNode* root) {
        TExprNode* target = nullptr;
        if (!fieldName_.isEmpty()) {
            target = nodes_.NewNode(nkField, coNOTDEFINED, Variant(fieldName_), nullptr, nullptr);
            const TFieldType t = target->DataType;
            if ((IsTemporal(t) || t == ftBoolean) && IsString(root->DataType)) root->DataType = t;
            const TFieldType e = root->DataType;
            const bool compatible = (IsTemporal(t) && IsTemporal(e)) || (IsNumeric(t) && IsNumeric(e)) ||
                                    (IsString(t) && IsString(e)) || (t == ftBoolean && e == ftBoolean);
            if (!compatible) ParseError(SExprTypeMis);
        } else {
            target = nodes_.NewNode(nkConstant, coNOTDEFINED, Null(), nullptr, nullptr);
        }
        TExprNode* node = Operator(coASSIGN, root, target);
        TakeType(node, root);
        node->ScopeKind = root->ScopeKind;
        return node;
    }

    TmoxFilterExpr& nodes_;
    const String text_;
    const TParserOptions options_;
    const String fieldName_;
    qsizetype pos_ = 0;
    qsizetype tokStart_ = 0;
    Tok tok_ = Tok::End;
    String tokText_;
    bool numeric_ = false;
    int nesting_ = 0;
};

TmoxExprParser::TmoxExprParser(TDataSet* DataSet, const TFieldMap& FieldMap, TFieldDependencies* DependentFields,
                               const String& FieldName, TParserOptions ParserOptions,
                               TFilterOptions FilterOptions, const String& Text)
    : dataSet_(DataSet), fieldMap_(FieldMap), dependentFields_(DependentFields) {
    if (!Text.isEmpty()) Parse(Text, FilterOptions, FieldName, ParserOptions);
}

TmoxExprParser::~TmoxExprParser() = default;

void TmoxExprParser::Parse(const String& Text, TFilterOptions FilterOptions, const String& FieldName,
                           TParserOptions ParserOptions) {
    writer_.reset();
    auto writer = std::make_unique<TmoxFilterExpr>(dataSet_, FilterOptions, ParserOptions, FieldName,
                                                   dependentFields_, fieldMap_);
    Reader reader(*writer, Text, ParserOptions, FieldName);
    TExprData data = writer->WriteBuffer(reader.Run());
    filterData_ = std::move(data);
    dataSize_ = writer->DataSize();
    writer_ = std::move(writer);
}
