#include "vcl/sysutils/Strings.h"

#include "vcl/sysutils/Consts.h"
#include "vcl/sysutils/FloatConvert.h"

#include <QCollator>
#include <QLocale>

namespace {
bool IsBlank(QChar c) {
    return c.unicode() <= u' ';
}

QChar AsciiUpper(QChar c) {
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
}
QChar AsciiLower(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

int Sign(int v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

// One collator per thread and locale: building one costs more than a comparison.
const QCollator& Collator(Qt::CaseSensitivity cs) {
    thread_local QCollator sensitive, insensitive;
    thread_local QString localeName;
    const QLocale locale;
    if (localeName != locale.name()) {
        localeName = locale.name();
        sensitive = QCollator(locale);
        insensitive = QCollator(locale);
        sensitive.setCaseSensitivity(Qt::CaseSensitive);
        insensitive.setCaseSensitivity(Qt::CaseInsensitive);
    }
    return cs == Qt::CaseSensitive ? sensitive : insensitive;
}
} // namespace

String Trim(const String& s) {
    return TrimRight(TrimLeft(s));
}

String TrimLeft(const String& s) {
    qsizetype i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.mid(i);
}

String TrimRight(const String& s) {
    qsizetype n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return s.left(n);
}

String UpperCase(const String& s) {
    String r = s;
    for (QChar& c : r)
        c = AsciiUpper(c);
    return r;
}

String LowerCase(const String& s) {
    String r = s;
    for (QChar& c : r)
        c = AsciiLower(c);
    return r;
}

String AnsiUpperCase(const String& s) {
    return QLocale().toUpper(s);
}
String AnsiLowerCase(const String& s) {
    return QLocale().toLower(s);
}

int CompareStr(const String& a, const String& b) {
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a[i] != b[i]) return int(a[i].unicode()) - int(b[i].unicode());
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int CompareText(const String& a, const String& b) {
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar x = AsciiUpper(a[i]), y = AsciiUpper(b[i]);
        if (x != y) return int(x.unicode()) - int(y.unicode());
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SameStr(const String& a, const String& b) {
    return a == b;
}
bool SameText(const String& a, const String& b) {
    return CompareText(a, b) == 0;
}

int AnsiCompareStr(const String& a, const String& b) {
    const int r = Sign(Collator(Qt::CaseSensitive).compare(a, b));
    // Texts the collation cannot tell apart still differ when their characters do.
    return r != 0 ? r : Sign(CompareStr(a, b));
}

int AnsiCompareText(const String& a, const String& b) {
    return Sign(Collator(Qt::CaseInsensitive).compare(a, b));
}
bool AnsiSameStr(const String& a, const String& b) {
    return a == b;
}
bool AnsiSameText(const String& a, const String& b) {
    return AnsiCompareText(a, b) == 0;
}

String QuotedStr(const String& s) {
    return AnsiQuotedStr(s, u'\'');
}

String AnsiQuotedStr(const String& s, Char quote) {
    String r = s;
    r.replace(quote, QString(2, quote));
    return quote + r + quote;
}

String AnsiExtractQuotedStr(String& s, Char quote) {
    if (s.isEmpty() || s[0] != quote) return String();
    String r;
    qsizetype i = 1;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                r += quote;
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        r += s[i++];
    }
    s = s.mid(i);
    return r;
}

String AnsiDequotedStr(const String& s, Char quote) {
    String rest = s;
    const String r = AnsiExtractQuotedStr(rest, quote);
    const bool closed = s.size() >= 2 && s.endsWith(quote);
    return !s.isEmpty() && s[0] == quote && rest.isEmpty() && closed ? r : s;
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
    if (oldPattern.isEmpty()) return s;
    const Qt::CaseSensitivity cs = flags.testFlag(rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    String r;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = s.indexOf(oldPattern, from, cs);
        if (at < 0) break;
        r += QStringView(s).mid(from, at - from);
        r += newPattern;
        from = at + oldPattern.size();
        if (!flags.testFlag(rfReplaceAll)) break;
    }
    return r + s.mid(from);
}

int Pos(const String& substr, const String& s) {
    return substr.isEmpty() ? 0 : int(s.indexOf(substr) + 1);
}
int Pos(Char c, const String& s) {
    return int(s.indexOf(c) + 1);
}

String Copy(const String& s, int index, int count) {
    if (index < 1) index = 1;
    if (count <= 0 || index > s.size()) return String();
    return s.mid(index - 1, count);
}

bool IsDelimiter(const String& delimiters, const String& s, int index) {
    return index >= 1 && index <= s.size() && delimiters.contains(s[index - 1]);
}

int LastDelimiter(const String& delimiters, const String& s) {
    for (qsizetype i = s.size(); i >= 1; --i)
        if (delimiters.contains(s[i - 1])) return int(i);
    return 0;
}

String AdjustLineBreaks(const String& s, TTextLineBreakStyle style) {
    const QString lineBreak = style == tlbsCRLF ? QStringLiteral("\r\n") : QStringLiteral("\n");
    String r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\r' || c == u'\n') {
            // A CR LF or LF CR pair is one break.
            if (i + 1 < s.size() && (s[i + 1] == u'\r' || s[i + 1] == u'\n') && s[i + 1] != c) ++i;
            r += lineBreak;
        } else {
            r += c;
        }
    }
    return r;
}

String BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs) return value ? QStringLiteral("True") : QStringLiteral("False");
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

bool TryStrToBool(const String& s, bool& value) {
    Extended number = 0;
    if (TryStrToFloat(s, number)) {
        value = number != 0;
        return true;
    }
    if (SameText(s, QStringLiteral("True"))) {
        value = true;
        return true;
    }
    if (SameText(s, QStringLiteral("False"))) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBool(const String& s) {
    bool v = false;
    if (!TryStrToBool(s, v)) SysConsts::RaiseConvertError(SysConsts::SInvalidBoolean, s);
    return v;
}

bool StrToBoolDef(const String& s, bool defaultValue) {
    bool v = false;
    return TryStrToBool(s, v) ? v : defaultValue;
}
