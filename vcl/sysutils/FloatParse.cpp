// Reading floating-point and currency values.
#include "vcl/sysutils/FloatConvert.h"

#include "vcl/sysutils/Consts.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// A decimal number as read: sign, all its digits, the point's position among them, the exponent.
struct Scanned {
    bool negative = false;
    QByteArray digits;   // integer and fraction digits, in order
    qsizetype whole = 0; // how many of them come before the point
    int exponent = 0;
};

bool Scan(const String& s, QChar decimalSeparator, Scanned& out) {
    qsizetype i = 0, n = s.size();
    while (i < n && s[i] == u' ')
        ++i;
    while (n > i && s[n - 1] == u' ')
        --n;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) out.negative = s[i++] == u'-';
    auto isDigit = [&](qsizetype k) { return k < n && s[k] >= u'0' && s[k] <= u'9'; };
    for (; isDigit(i); ++i)
        out.digits.append(char(s[i].unicode()));
    out.whole = out.digits.size();
    if (i < n && s[i] == decimalSeparator)
        for (++i; isDigit(i); ++i)
            out.digits.append(char(s[i].unicode()));
    if (out.digits.isEmpty()) return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) negativeExponent = s[i++] == u'-';
        if (!isDigit(i)) return false;
        long e = 0;
        for (; isDigit(i); ++i)
            e = qMin(e * 10 + (s[i].unicode() - u'0'), 100000L);
        out.exponent = int(negativeExponent ? -e : e);
    }
    return i == n;
}

bool ToExtended(const Scanned& sc, Extended& value) {
    QByteArray text = sc.digits;
    text.insert(sc.whole, '.');
    text += 'e' + QByteArray::number(sc.exponent);
    long double v = 0;
    const auto r = std::from_chars(text.constData(), text.constData() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small to hold reads as zero; too large is no number.
        qsizetype lead = 0;
        while (lead < sc.digits.size() && sc.digits[lead] == '0')
            ++lead;
        if (qint64(sc.whole) - lead + sc.exponent < 0)
            v = 0;
        else
            return false;
    } else if (r.ec != std::errc() || r.ptr != text.constData() + text.size()) {
        return false;
    }
    value = sc.negative ? -v : v;
    return true;
}

} // namespace

bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& fs) {
    Scanned sc;
    return Scan(s, fs.DecimalSeparator, sc) && ToExtended(sc, value);
}

bool TryStrToFloat(const String& s, Extended& value) {
    return TryStrToFloat(s, value, FormatSettings);
}

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs) {
    Extended v = 0;
    if (!TryStrToFloat(s, v, fs) || std::fabs(v) > std::numeric_limits<double>::max()) return false;
    value = double(v);
    return true;
}

bool TryStrToFloat(const String& s, double& value) {
    return TryStrToFloat(s, value, FormatSettings);
}

Extended StrToFloat(const String& s, const TFormatSettings& fs) {
    Extended v = 0;
    if (!TryStrToFloat(s, v, fs)) SysConsts::RaiseConvertError(SysConsts::SInvalidFloat, s);
    return v;
}

Extended StrToFloat(const String& s) {
    return StrToFloat(s, FormatSettings);
}

Extended StrToFloatDef(const String& s, Extended defaultValue, const TFormatSettings& fs) {
    Extended v = 0;
    return TryStrToFloat(s, v, fs) ? v : defaultValue;
}

Extended StrToFloatDef(const String& s, Extended defaultValue) {
    return StrToFloatDef(s, defaultValue, FormatSettings);
}

bool TryStrToCurr(const String& s, Currency& value, const TFormatSettings& fs) {
    Scanned sc;
    if (!Scan(s, fs.DecimalSeparator, sc)) return false;
    // Ten-thousandths: the digits shifted by the exponent less the fraction's length, plus four.
    const qint64 shift = qint64(sc.exponent) - (sc.digits.size() - sc.whole) + 4;
    QByteArray digits = sc.digits;
    while (digits.size() > 1 && digits[0] == '0')
        digits.remove(0, 1);
    bool up = false;
    if (shift >= 0) {
        if (digits != "0") {
            if (shift > 20) return false;
            digits += QByteArray(int(shift), '0');
        }
    } else {
        const qint64 keep = qint64(digits.size()) + shift;
        up = keep >= 0 && keep < digits.size() && digits[keep] >= '5';
        digits = keep > 0 ? digits.left(keep) : QByteArray("0");
    }
    if (digits.size() > 19) return false;
    __int128 raw = 0;
    for (char d : digits)
        raw = raw * 10 + (d - '0');
    if (up) ++raw;
    if (sc.negative) raw = -raw;
    if (raw > std::numeric_limits<Int64>::max() || raw < std::numeric_limits<Int64>::min()) return false;
    value = Currency::FromRaw(Int64(raw));
    return true;
}

bool TryStrToCurr(const String& s, Currency& value) {
    return TryStrToCurr(s, value, FormatSettings);
}

Currency StrToCurr(const String& s, const TFormatSettings& fs) {
    Currency v;
    if (!TryStrToCurr(s, v, fs)) SysConsts::RaiseConvertError(SysConsts::SInvalidFloat, s);
    return v;
}

Currency StrToCurr(const String& s) {
    return StrToCurr(s, FormatSettings);
}

Currency StrToCurrDef(const String& s, Currency defaultValue, const TFormatSettings& fs) {
    Currency v;
    return TryStrToCurr(s, v, fs) ? v : defaultValue;
}

Currency StrToCurrDef(const String& s, Currency defaultValue) {
    return StrToCurrDef(s, defaultValue, FormatSettings);
}
