#include "vcl/System.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cxxabi.h>
#include <limits>
#include <memory>
#include <string>
#include <typeinfo>

TObject::~TObject() = default;

String TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                std::free);
    String result = QString::fromLatin1(status == 0 && name ? name.get() : mangled);
    // Only the class's own name counts, not the namespaces around it.
    const qsizetype colon = result.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? result.mid(colon + 2) : result;
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

Exception::Exception(const String& message, int helpContext)
    : message_(message), utf8_(message.toStdString()), helpContext_(helpContext) {}

void Exception::SetMessage(const String& message) {
    message_ = message;
    utf8_ = message.toStdString();
}

void Abort() {
    throw EAbort(QStringLiteral("Operation aborted"));
}

namespace {
[[noreturn]] void RaiseOverflow() {
    throw EOverflow(QStringLiteral("Floating point overflow"));
}

Int64 RoundToRaw(long double scaled) {
    if (!std::isfinite(scaled)) throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
    // The platform rounds half to even when it converts a float to Currency.
    const long double rounded = std::nearbyintl(scaled);
    if (rounded >= 9223372036854775808.0L || rounded < -9223372036854775808.0L) RaiseOverflow();
    return Int64(rounded);
}

// A double is taken at its shortest decimal form (what the user typed, 0.00015 rather than
// 0.000149999...), so halves of the fourth decimal round to even as written.
Int64 DoubleToRaw(double value) {
    if (!std::isfinite(value)) throw EInvalidOp(QStringLiteral("Invalid floating point operation"));
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific);
    if (ec != std::errc()) return RoundToRaw((long double)value * Currency::Scale);
    *end = '\0';
    // text is [-]d[.ddd]e[+-]xx: collect the digits and the decimal exponent.
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    std::string digits;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(p + 1) - int(digits.size()) + 1 + 4; // scale by 10^4
    if (exponent > 0) {
        if (digits.size() + exponent > 19) RaiseOverflow();
        digits.append(std::size_t(exponent), '0');
    }
    __int128 whole = 0;
    const std::ptrdiff_t keep = std::ptrdiff_t(digits.size()) + std::min(exponent, 0);
    for (std::ptrdiff_t i = 0; i < keep; ++i)
        whole = whole * 10 + (digits[std::size_t(i)] - '0');
    if (keep < std::ptrdiff_t(digits.size()) && keep >= 0) {
        const std::string rest = digits.substr(std::size_t(keep));
        const char first = rest[0];
        const bool beyondHalf = rest.find_first_not_of('0', 1) != std::string::npos;
        if (first > '5' || (first == '5' && (beyondHalf || (whole & 1)))) ++whole;
    }
    if (negative) whole = -whole;
    if (whole > std::numeric_limits<Int64>::max() || whole < std::numeric_limits<Int64>::min())
        RaiseOverflow();
    return Int64(whole);
}
} // namespace

Currency::Currency(double value) : value_(DoubleToRaw(value)) {}
Currency::Currency(long double value) : value_(RoundToRaw(value * Scale)) {}

Currency Currency::FromUnits(Int64 units) {
    Int64 raw = 0;
    if (__builtin_mul_overflow(units, Scale, &raw)) RaiseOverflow();
    return FromRaw(raw);
}

Currency Currency::operator-() const {
    if (value_ == std::numeric_limits<Int64>::min()) RaiseOverflow();
    return FromRaw(-value_);
}

Currency& Currency::operator+=(const Currency& other) {
    if (__builtin_add_overflow(value_, other.value_, &value_)) RaiseOverflow();
    return *this;
}

Currency& Currency::operator-=(const Currency& other) {
    if (__builtin_sub_overflow(value_, other.value_, &value_)) RaiseOverflow();
    return *this;
}

Currency& Currency::operator*=(const Currency& other) {
    __int128 product = (__int128)value_ * other.value_;
    // Round the extra four decimals half away from zero.
    __int128 q = product / Scale, r = product % Scale;
    if (r * 2 >= Scale)
        ++q;
    else if (r * 2 <= -Scale)
        --q;
    if (q > std::numeric_limits<Int64>::max() || q < std::numeric_limits<Int64>::min()) RaiseOverflow();
    value_ = Int64(q);
    return *this;
}

Currency& Currency::operator/=(const Currency& other) {
    if (other.value_ == 0) throw EZeroDivide(QStringLiteral("Floating point division by zero"));
    __int128 num = (__int128)value_ * Scale;
    __int128 q = num / other.value_, r = num % other.value_;
    __int128 twice = r * 2, den = other.value_;
    if (den < 0) {
        twice = -twice;
        den = -den;
    }
    if (twice >= den)
        ++q;
    else if (twice <= -den)
        --q;
    if (q > std::numeric_limits<Int64>::max() || q < std::numeric_limits<Int64>::min()) RaiseOverflow();
    value_ = Int64(q);
    return *this;
}
