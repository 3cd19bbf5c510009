#include "vcl/sysutils/FloatDecimal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The most digits a long double carries faithfully.
constexpr int MaxDigits = 18;

void Round(TFloatRec& rec, int precision, int decimals) {
    const qint64 keepWide = qMin<qint64>(precision, qint64(rec.Exponent) + decimals);
    if (keepWide < 0) {
        rec.Digits.clear();
    } else if (keepWide < rec.Digits.size()) {
        const int keep = int(keepWide);
        const bool up = rec.Digits[keep] >= '5';
        rec.Digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && rec.Digits[i] == '9')
                rec.Digits[i--] = '0';
            if (i >= 0) {
                rec.Digits[i] = char(rec.Digits[i] + 1);
            } else {
                rec.Digits.prepend('1');
                rec.Exponent += 1;
            }
        }
    }
    while (!rec.Digits.isEmpty() && rec.Digits.back() == '0')
        rec.Digits.chop(1);
    if (rec.Digits.isEmpty()) rec.Exponent = 0;
}

} // namespace

TFloatRec FloatToDecimal(Extended value, int precision, int decimals) {
    TFloatRec rec;
    if (std::isnan(value)) {
        rec.kind = TFloatRec::NaN;
        return rec;
    }
    if (std::isinf(value)) {
        rec.kind = value > 0 ? TFloatRec::PositiveInfinity : TFloatRec::NegativeInfinity;
        return rec;
    }
    rec.Negative = std::signbit(value);
    if (value == 0) return rec;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", MaxDigits - 1, std::fabs(value));
    // "d.ddddde+XX"
    char* e = buf;
    while (*e && *e != 'e')
        ++e;
    rec.Exponent = int(std::strtol(e + 1, nullptr, 10)) + 1;
    for (char* p = buf; p < e; ++p)
        if (*p >= '0' && *p <= '9') rec.Digits.append(*p);
    Round(rec, qBound(1, precision, MaxDigits), decimals);
    return rec;
}

TFloatRec CurrToDecimal(Currency value, int precision, int decimals) {
    TFloatRec rec;
    const Int64 raw = value.Raw();
    rec.Negative = raw < 0;
    if (raw == 0) return rec;
    const UInt64 magnitude = raw < 0 ? UInt64(0) - UInt64(raw) : UInt64(raw);
    rec.Digits = QByteArray::number(qulonglong(magnitude));
    rec.Exponent = int(rec.Digits.size()) - 4;
    Round(rec, qBound(1, precision, 19), decimals);
    return rec;
}
