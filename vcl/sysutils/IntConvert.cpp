#include "vcl/sysutils/IntConvert.h"

#include "vcl/sysutils/Consts.h"

#include <limits>

String IntToStr(int value) {
    return QString::number(value);
}
String IntToStr(Int64 value) {
    return QString::number(qlonglong(value));
}
String UIntToStr(UInt64 value) {
    return QString::number(qulonglong(value));
}

String IntToHex(int value, int digits) {
    return QString::number(quint32(value), 16).toUpper().rightJustified(digits, u'0');
}

String IntToHex(Int64 value, int digits) {
    return QString::number(quint64(value), 16).toUpper().rightJustified(digits, u'0');
}

namespace {

int DigitValue(QChar c, bool hex) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (hex && u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (hex && u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Parses into a magnitude no larger than `limit` (decimal) or `hexLimit` (hexadecimal, which may
// use the full unsigned width and then reads as two's complement).
bool ParseInteger(const String& s, UInt64 limit, UInt64 hexLimit, bool& negative, UInt64& magnitude,
                  bool& hex) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && s[i] == u' ')
        ++i;
    negative = false;
    if (i < n && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
    hex = false;
    if (i < n && s[i] == u'$') {
        hex = true;
        ++i;
    } else if (i < n && (s[i] == u'x' || s[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    UInt64 value = 0;
    const UInt64 max = hex ? hexLimit : limit;
    const unsigned base = hex ? 16 : 10;
    for (; i < n; ++i) {
        const int digit = DigitValue(s[i], hex);
        if (digit < 0) return false;
        if (value > (max - UInt64(digit)) / base) return false;
        value = value * base + UInt64(digit);
    }
    magnitude = value;
    return true;
}

template <class T> bool TryParse(const String& s, T& result) {
    using U = std::make_unsigned_t<T>;
    bool negative = false, hex = false;
    UInt64 magnitude = 0;
    const UInt64 maxPositive = UInt64(std::numeric_limits<T>::max());
    if (!ParseInteger(s, maxPositive + 1, UInt64(std::numeric_limits<U>::max()), negative, magnitude, hex))
        return false;
    if (hex) {
        const T v = T(U(magnitude));
        result = negative ? T(U(0) - U(v)) : v;
        return true;
    }
    if (!negative && magnitude > maxPositive) return false;
    result = negative ? T(U(0) - U(magnitude)) : T(magnitude);
    return true;
}

} // namespace

bool TryStrToInt(const String& s, int& value) {
    return TryParse(s, value);
}
bool TryStrToInt64(const String& s, Int64& value) {
    return TryParse(s, value);
}

int StrToInt(const String& s) {
    int v = 0;
    if (!TryStrToInt(s, v)) SysConsts::RaiseConvertError(SysConsts::SInvalidInteger, s);
    return v;
}

Int64 StrToInt64(const String& s) {
    Int64 v = 0;
    if (!TryStrToInt64(s, v)) SysConsts::RaiseConvertError(SysConsts::SInvalidInteger, s);
    return v;
}

int StrToIntDef(const String& s, int defaultValue) {
    int v = 0;
    return TryStrToInt(s, v) ? v : defaultValue;
}

Int64 StrToInt64Def(const String& s, Int64 defaultValue) {
    Int64 v = 0;
    return TryStrToInt64(s, v) ? v : defaultValue;
}
