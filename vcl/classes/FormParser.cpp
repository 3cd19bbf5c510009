// The lexer and parser of the text form syntax.
#include <QChar>
#include <charconv>

#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Errors.h"
#include "vcl/classes/FormText.h"

using namespace ClassesConsts;

namespace {

// Deeper nesting of lists and collections than any form has is taken for hostile input, which
// would otherwise exhaust the stack.
constexpr int MaxDepth = 200;

enum TTokenKind { tkEnd, tkSymbol, tkIdent, tkString, tkInteger, tkFloat };

struct TToken {
    TTokenKind Kind = tkEnd;
    QChar Symbol;
    String Text; // an identifier, a string's value, a number as written
    Int64 Integer = 0;
    Extended Float = 0;
    int Line = 1;
};

class TFormLexer {
public:
    explicit TFormLexer(const String& text) : text_(text) { Next(); }

    const TToken& Current() const { return token_; }
    int Line() const { return line_; }

    [[noreturn]] void Error(const String& what, int line = 0) const {
        throw EFormSyntaxError(line ? line : token_.Line, what);
    }

    void Next() {
        SkipBlanks();
        token_ = TToken();
        token_.Line = line_;
        if (pos_ >= text_.size()) return;
        const QChar c = text_[pos_];
        if (IsIdentStart(c)) {
            const qsizetype start = pos_;
            while (pos_ < text_.size() && IsIdentChar(text_[pos_])) ++pos_;
            token_.Kind = tkIdent;
            token_.Text = text_.mid(start, pos_ - start);
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else if (c.isDigit() || c == '$' || (c == '-' && pos_ + 1 < text_.size() &&
                                               (text_[pos_ + 1].isDigit() || text_[pos_ + 1] == '$'))) {
            ReadNumber();
        } else {
            token_.Kind = tkSymbol;
            token_.Symbol = c;
            ++pos_;
        }
    }

    // The hexadecimal digits of binary data up to the closing brace, which is consumed.
    QByteArray ReadBinary() {
        QByteArray hex;
        while (true) {
            if (pos_ >= text_.size()) Error(QString::fromLatin1(SParseBadBinary), line_);
            const QChar c = text_[pos_++];
            if (c == '}') break;
            if (c == '\n') ++line_;
            if (c.isSpace()) continue;
            if (!IsHexDigit(c)) Error(QString::fromLatin1(SParseBadBinary), line_);
            hex.append(char(c.unicode()));
        }
        if (hex.size() % 2 != 0) Error(QString::fromLatin1(SParseBadBinary), line_);
        Next();
        return QByteArray::fromHex(hex);
    }

    // How a token is named in a message.
    String Describe() const {
        switch (token_.Kind) {
        case tkEnd:
            return QStringLiteral("end of text");
        case tkSymbol:
            return "'" + String(token_.Symbol) + "'";
        case tkString:
            return QStringLiteral("string");
        default:
            return "'" + token_.Text + "'";
        }
    }

private:
    static bool IsIdentStart(QChar c) { return c == '_' || (c.unicode() < 128 && c.isLetter()); }
    static bool IsIdentChar(QChar c) { return IsIdentStart(c) || (c.unicode() < 128 && c.isDigit()); }
    static bool IsHexDigit(QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
    }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == '\n') {
                ++line_;
            } else if (c == '\r') {
                if (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n') ++line_;
            } else if (!c.isSpace()) {
                return;
            }
            ++pos_;
        }
    }

    // Quoted pieces and character codes written next to each other make one string.
    void ReadString() {
        token_.Kind = tkString;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == '\'') {
                ++pos_;
                while (true) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                        Error(QString::fromLatin1(SParseBadString));
                    const QChar q = text_[pos_++];
                    if (q == '\'') {
                        if (pos_ < text_.size() && text_[pos_] == '\'') {
                            token_.Text += '\'';
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    token_.Text += q;
                }
            } else if (c == '#') {
                ++pos_;
                const qsizetype start = pos_;
                int base = 10;
                if (pos_ < text_.size() && text_[pos_] == '$') {
                    base = 16;
                    ++pos_;
                }
                const qsizetype digits = pos_;
                while (pos_ < text_.size() && (base == 16 ? IsHexDigit(text_[pos_]) : text_[pos_].isDigit()))
                    ++pos_;
                bool ok = pos_ > digits;
                const uint code = ok ? text_.mid(digits, pos_ - digits).toUInt(&ok, base) : 0;
                if (!ok || code > 0xFFFF)
                    Error(QString::fromLatin1(SParseBadCharCode).arg("#" + text_.mid(start, pos_ - start)));
                token_.Text += QChar(char16_t(code));
            } else {
                return;
            }
        }
    }

    void ReadNumber() {
        const qsizetype start = pos_;
        if (text_[pos_] == '-') ++pos_;
        bool ok = false;
        if (text_[pos_] == '$') {
            ++pos_;
            const qsizetype digits = pos_;
            while (pos_ < text_.size() && IsHexDigit(text_[pos_])) ++pos_;
            token_.Kind = tkInteger;
            const quint64 value = pos_ > digits ? text_.mid(digits, pos_ - digits).toULongLong(&ok, 16) : 0;
            // Hexadecimal is the bit pattern: $FFFFFFFF is the unsigned 32-bit value.
            token_.Integer = text_[start] == '-' ? -Int64(value) : Int64(value);
        } else {
            while (pos_ < text_.size() && text_[pos_].isDigit()) ++pos_;
            bool isFloat = false;
            if (pos_ + 1 < text_.size() && text_[pos_] == '.' && text_[pos_ + 1].isDigit()) {
                isFloat = true;
                ++pos_;
                while (pos_ < text_.size() && text_[pos_].isDigit()) ++pos_;
            }
            if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
                qsizetype exp = pos_ + 1;
                if (exp < text_.size() && (text_[exp] == '+' || text_[exp] == '-')) ++exp;
                if (exp < text_.size() && text_[exp].isDigit()) {
                    isFloat = true;
                    pos_ = exp;
                    while (pos_ < text_.size() && text_[pos_].isDigit()) ++pos_;
                }
            }
            const String number = text_.mid(start, pos_ - start);
            if (isFloat) {
                token_.Kind = tkFloat;
                // Independent of the C locale's decimal point, and as precise as the widest storage.
                const QByteArray latin = number.toLatin1();
                const auto [end, error] =
                    std::from_chars(latin.constData(), latin.constData() + latin.size(), token_.Float);
                ok = error == std::errc() && end == latin.constData() + latin.size();
            } else {
                token_.Kind = tkInteger;
                token_.Integer = number.toLongLong(&ok);
            }
        }
        // A number runs into a letter ("12px") or has no digits at all ("$").
        if (pos_ < text_.size() && IsIdentChar(text_[pos_])) {
            ok = false;
            while (pos_ < text_.size() && IsIdentChar(text_[pos_])) ++pos_;
        }
        token_.Text = text_.mid(start, pos_ - start);
        if (!ok) Error(QString::fromLatin1(SParseBadNumber).arg(token_.Text));
    }

    const String& text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    TToken token_;
};

class TFormParser {
public:
    explicit TFormParser(const String& text) : lexer_(text) {}

    TFormObject ParseRoot() {
        TFormObject root = ParseObject();
        if (lexer_.Current().Kind != tkEnd) lexer_.Error(QString::fromLatin1(SParseTrailing));
        return root;
    }

private:
    const TToken& Tok() const { return lexer_.Current(); }
    bool IsKeyword(const char* word) const {
        return Tok().Kind == tkIdent && Tok().Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(char c) const { return Tok().Kind == tkSymbol && Tok().Symbol == QLatin1Char(c); }
    [[noreturn]] void Expected(const String& what) const {
        lexer_.Error(QString::fromLatin1(SParseExpected).arg(what, lexer_.Describe()));
    }
    void ExpectSymbol(char c) {
        if (!IsSymbol(c)) Expected("'" + QString(QLatin1Char(c)) + "'");
        lexer_.Next();
    }
    String ExpectIdent(const char* what) {
        if (Tok().Kind != tkIdent) Expected(QString::fromLatin1(what));
        String ident = Tok().Text;
        lexer_.Next();
        return ident;
    }
    // Names joined with dots: a property path or a reference into another module.
    String DottedIdent(const char* what) {
        String ident = ExpectIdent(what);
        while (IsSymbol('.')) {
            lexer_.Next();
            ident += '.' + ExpectIdent(what);
        }
        return ident;
    }
    bool AtObjectStart() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }

    TFormObject ParseObject() {
        TFormObject object;
        object.Line = Tok().Line;
        if (IsKeyword("object"))
            object.Kind = TFormObject::okObject;
        else if (IsKeyword("inherited"))
            object.Kind = TFormObject::okInherited;
        else if (IsKeyword("inline"))
            object.Kind = TFormObject::okInline;
        else
            Expected(QStringLiteral("'object'"));
        lexer_.Next();
        const String first = ExpectIdent("name or class name");
        if (IsSymbol(':')) {
            lexer_.Next();
            object.Name = first;
            object.ClassName = ExpectIdent("class name");
        } else {
            object.ClassName = first;
        }
        while (!IsKeyword("end")) {
            if (AtObjectStart()) {
                if (++depth_ > MaxDepth) lexer_.Error(QString::fromLatin1(SParseTooDeep));
                object.Children.push_back(ParseObject());
                --depth_;
            } else if (Tok().Kind == tkIdent) {
                object.Properties.push_back(ParseProperty());
            } else {
                Expected(QStringLiteral("'end'"));
            }
        }
        lexer_.Next();
        return object;
    }

    TFormProperty ParseProperty() {
        TFormProperty prop;
        prop.Line = Tok().Line;
        prop.Name = DottedIdent("property name");
        ExpectSymbol('=');
        prop.Value = ParseValue();
        return prop;
    }

    TFormValue ParseValue() {
        if (++depth_ > MaxDepth) lexer_.Error(QString::fromLatin1(SParseTooDeep));
        TFormValue value;
        value.Line = Tok().Line;
        switch (Tok().Kind) {
        case tkInteger:
            value.Kind = TFormValue::vkInteger;
            value.Integer = Tok().Integer;
            lexer_.Next();
            break;
        case tkFloat:
            value.Kind = TFormValue::vkFloat;
            value.Float = Tok().Float;
            lexer_.Next();
            break;
        case tkString:
            value.Kind = TFormValue::vkString;
            value.Text = Tok().Text;
            lexer_.Next();
            while (IsSymbol('+')) {
                lexer_.Next();
                if (Tok().Kind != tkString) Expected(QStringLiteral("string"));
                value.Text += Tok().Text;
                lexer_.Next();
            }
            break;
        case tkIdent:
            value.Kind = TFormValue::vkIdent;
            value.Text = DottedIdent("identifier");
            break;
        case tkSymbol:
            ParseBracketed(value);
            break;
        case tkEnd:
            Expected(QStringLiteral("value"));
        }
        --depth_;
        return value;
    }

    void ParseBracketed(TFormValue& value) {
        if (IsSymbol('[')) {
            value.Kind = TFormValue::vkSet;
            lexer_.Next();
            if (!IsSymbol(']')) {
                value.Members.append(ExpectIdent("set member"));
                while (IsSymbol(',')) {
                    lexer_.Next();
                    value.Members.append(ExpectIdent("set member"));
                }
            }
            ExpectSymbol(']');
        } else if (IsSymbol('(')) {
            value.Kind = TFormValue::vkList;
            lexer_.Next();
            while (!IsSymbol(')')) value.List.push_back(ParseValue());
            lexer_.Next();
        } else if (IsSymbol('<')) {
            value.Kind = TFormValue::vkCollection;
            lexer_.Next();
            while (!IsSymbol('>')) {
                if (!IsKeyword("item")) Expected(QStringLiteral("'item'"));
                lexer_.Next();
                std::vector<TFormProperty> item;
                while (!IsKeyword("end")) {
                    if (Tok().Kind != tkIdent) Expected(QStringLiteral("'end'"));
                    item.push_back(ParseProperty());
                }
                lexer_.Next();
                value.Items.push_back(std::move(item));
            }
            lexer_.Next();
        } else if (IsSymbol('{')) {
            value.Kind = TFormValue::vkBinary;
            value.Binary = lexer_.ReadBinary();
        } else {
            Expected(QStringLiteral("value"));
        }
    }

    TFormLexer lexer_;
    int depth_ = 0;
};

} // namespace

EFormSyntaxError::EFormSyntaxError(int Line, const String& What)
    : EParserError(QString::fromLatin1(SParseLine).arg(Line).arg(What)), line_(Line), what_(What) {}

TFormObject ParseFormText(const String& Text) {
    return TFormParser(Text).ParseRoot();
}
