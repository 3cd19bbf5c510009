// The packed decimal record and its text and real-number conversions.
#include "vcl/FMTBcd.h"

#include "vcl/sysutils/Format.h"
#include "vcl/sysutils/Strings.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

// A decimal number as a run of ASCII digits, the last `places` of them after the point.
struct Decimal {
    bool negative = false;
    std::string digits;
    int places = 0;
};

[[noreturn]] void InvalidValue(const String& text) {
    throw EBcdException(Format(QString::fromLatin1(FMTBcdConsts::SInvalidBcdValue), {text}));
}

// Leading integer zeros and trailing fraction zeros dropped; zero becomes "0" without a sign.
void Normalize(Decimal& d) {
    std::size_t lead = 0;
    while (lead + d.places < d.digits.size() && d.digits[lead] == '0')
        ++lead;
    d.digits.erase(0, lead);
    while (d.places > 0 && !d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        --d.places;
    }
    if (d.digits.find_first_not_of('0') == std::string::npos) {
        d.digits = "0";
        d.places = 0;
        d.negative = false;
    }
}

// Keeps `places` fraction digits, rounding half to even.
void RoundTo(Decimal& d, int places) {
    if (d.places <= places) return;
    const int drop = d.places - places;
    if (std::size_t(drop) > d.digits.size()) d.digits.insert(0, std::size_t(drop) - d.digits.size(), '0');
    const std::size_t keep = d.digits.size() - std::size_t(drop);
    const char first = d.digits[keep];
    const bool restNonZero = d.digits.find_first_not_of('0', keep + 1) != std::string::npos;
    d.digits.resize(keep);
    d.places = places;
    const bool lastOdd = keep > 0 && (d.digits[keep - 1] - '0') % 2 == 1;
    if (first > '5' || (first == '5' && (restNonZero || lastOdd))) {
        int i = int(keep) - 1;
        for (; i >= 0 && d.digits[std::size_t(i)] == '9'; --i)
            d.digits[std::size_t(i)] = '0';
        if (i < 0)
            d.digits.insert(d.digits.begin(), '1');
        else
            ++d.digits[std::size_t(i)];
    }
}

// False when the number needs more digits or places than the record has.
bool Pack(Decimal d, TBcd& bcd) {
    Normalize(d);
    if (d.places > 63) return false;
    if (d.digits.size() < std::size_t(d.places))
        d.digits.insert(0, std::size_t(d.places) - d.digits.size(), '0');
    if (d.digits.size() > std::size_t(MaxFMTBcdFractionSize)) return false;
    TBcd result;
    result.Precision = Byte(d.digits.size());
    result.SignSpecialPlaces = Byte(d.places | (d.negative ? 0x80 : 0));
    for (std::size_t i = 0; i < d.digits.size(); ++i)
        SetBcdDigit(result, int(i), d.digits[i] - '0');
    bcd = result;
    return true;
}

Decimal Unpack(const TBcd& bcd) {
    if (!IsValidBcd(bcd)) throw EBcdException(QString::fromLatin1(FMTBcdConsts::SInvalidBcdRecord));
    Decimal d;
    d.negative = IsBcdNegative(bcd);
    d.places = BcdScale(bcd);
    for (int i = 0; i < bcd.Precision; ++i)
        d.digits += char('0' + BcdDigit(bcd, i));
    if (d.digits.size() < std::size_t(d.places))
        d.digits.insert(0, std::size_t(d.places) - d.digits.size(), '0');
    Normalize(d);
    return d;
}

// Digits with an optional point and exponent, in ASCII; the point is the caller's separator.
bool Parse(const String& text, QChar separator, Decimal& d) {
    const String s = Trim(text);
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-')) d.negative = s[i++] == u'-';
    bool point = false, anyDigit = false;
    int fraction = 0;
    for (; i < n; ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            d.digits += char(c.unicode());
            anyDigit = true;
            if (point) ++fraction;
        } else if (c == separator && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    long exponent = 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool negativeExp = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) negativeExp = s[i++] == u'-';
        if (i == n) return false;
        for (; i < n && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            exponent = exponent * 10 + (s[i].unicode() - '0');
            if (exponent > 100000) return false;
        }
        if (negativeExp) exponent = -exponent;
    }
    if (i != n) return false;
    d.places = fraction;
    Normalize(d);
    if (d.digits == "0") return true;
    long places = long(d.places) - exponent;
    if (places < 0) {
        if (d.digits.size() + std::size_t(-places) > std::size_t(MaxFMTBcdFractionSize)) return false;
        d.digits.append(std::size_t(-places), '0');
        places = 0;
    }
    if (places > 1000) return false;
    d.places = int(places);
    return true;
}

String ToText(const Decimal& d, QChar separator) {
    String s;
    if (d.negative) s += u'-';
    const std::size_t intDigits = d.digits.size() - std::size_t(d.places);
    if (intDigits == 0) s += u'0';
    for (std::size_t i = 0; i < d.digits.size(); ++i) {
        if (i == intDigits) s += separator;
        s += QChar::fromLatin1(d.digits[i]);
    }
    return s;
}

} // namespace

bool IsValidBcd(const TBcd& bcd) {
    if (bcd.Precision > MaxFMTBcdFractionSize) return false;
    for (int i = 0; i < bcd.Precision; ++i)
        if (BcdDigit(bcd, i) > 9) return false;
    return bcd.Precision % 2 == 0 || BcdDigit(bcd, bcd.Precision) == 0;
}

bool IsBcdZero(const TBcd& bcd) {
    for (int i = 0; i < bcd.Precision && i < MaxFMTBcdFractionSize; ++i)
        if (BcdDigit(bcd, i) != 0) return false;
    return true;
}

String BcdToStr(const TBcd& bcd) {
    return BcdToStr(bcd, FormatSettings);
}

String BcdToStr(const TBcd& bcd, const TFormatSettings& fs) {
    return ToText(Unpack(bcd), fs.DecimalSeparator);
}

bool TryStrToBcd(const String& s, TBcd& bcd) {
    return TryStrToBcd(s, bcd, FormatSettings);
}

bool TryStrToBcd(const String& s, TBcd& bcd, const TFormatSettings& fs) {
    Decimal d;
    return Parse(s, fs.DecimalSeparator, d) && Pack(d, bcd);
}

TBcd StrToBcd(const String& s) {
    return StrToBcd(s, FormatSettings);
}

TBcd StrToBcd(const String& s, const TFormatSettings& fs) {
    TBcd bcd;
    if (!TryStrToBcd(s, bcd, fs)) InvalidValue(s);
    return bcd;
}

double BcdToDouble(const TBcd& bcd) {
    const Decimal d = Unpack(bcd);
    const std::string text = (d.negative ? "-" : "") + d.digits + "e-" + std::to_string(d.places);
    double value = 0;
    // Out of range cannot happen: 64 digits stay far inside a double's exponent.
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

TBcd DoubleToBcd(double value) {
    if (!std::isfinite(value)) InvalidValue(QString::number(value));
    // 15 significant digits, "d.ddddddddddddddde+xx".
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    if (ec != std::errc()) InvalidValue(QString::number(value));
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    Decimal d;
    std::size_t i = 0;
    if (text[0] == '-') {
        d.negative = true;
        i = 1;
    }
    for (; i < e; ++i)
        if (text[i] != '.') d.digits += text[i];
    const int exponent = std::stoi(text.substr(e + 1));
    int places = int(d.digits.size()) - 1 - exponent;
    if (places < 0) {
        if (d.digits.size() + std::size_t(-places) > std::size_t(MaxFMTBcdFractionSize))
            throw EBcdOverflowException(QString::fromLatin1(FMTBcdConsts::SBcdOverflow));
        d.digits.append(std::size_t(-places), '0');
        places = 0;
    }
    d.places = places;
    RoundTo(d, 63);
    TBcd bcd;
    if (!Pack(d, bcd)) throw EBcdOverflowException(QString::fromLatin1(FMTBcdConsts::SBcdOverflow));
    return bcd;
}
