// Packed decimals: the record is unpacked into a fixed working form of 64 digits (32 before the
// point, 32 after it), combined digit by digit, and packed again.
#include "lib/moxBCDUtils.h"

#include "lib/moxDBConsts.h"

#include <array>
#include <limits>

namespace {

constexpr int Positions = 64;
constexpr int UnitsPosition = 31; // position 0 is 10^31, position 63 is 10^-32

struct Work {
    std::array<Byte, Positions> d{}; // most significant first
    bool negative = false;
};

[[noreturn]] void Overflow() {
    throw EBcdOverflow(SBcdOverflow);
}

void CheckValid(const TBcd& bcd) {
    if (!IsValidBcd(bcd)) throw EBcdException(QString::fromLatin1(FMTBcdConsts::SInvalidBcdRecord));
}

// Digit j of a record with precision P and places S lands at position S + 32 - P + j.
Work Unpack(const TBcd& bcd) {
    CheckValid(bcd);
    Work w;
    w.negative = IsBcdNegative(bcd);
    const int p = bcd.Precision, s = BcdScale(bcd);
    for (int j = 0; j < p; ++j) {
        const int digit = BcdDigit(bcd, j);
        if (digit == 0) continue;
        const int pos = s + 32 - p + j;
        if (pos < 0) Overflow();
        if (pos >= Positions) throw EBcdOverflow(SBcdUnderflow);
        w.d[std::size_t(pos)] = Byte(digit);
    }
    return w;
}

bool IsZero(const Work& w) {
    for (Byte b : w.d)
        if (b) return false;
    return true;
}

int CompareMagnitude(const Work& a, const Work& b) {
    for (int i = 0; i < Positions; ++i)
        if (a.d[std::size_t(i)] != b.d[std::size_t(i)])
            return a.d[std::size_t(i)] < b.d[std::size_t(i)] ? -1 : 1;
    return 0;
}

// Rounds the digits of `d` (most significant first) below position `keep` away, half to even;
// returns false when the carry runs out of the top.
template <std::size_t N> bool RoundAt(std::array<Byte, N>& d, std::size_t keep) {
    if (keep >= N) return true;
    const Byte first = d[keep];
    bool rest = false;
    for (std::size_t i = keep + 1; i < N; ++i)
        rest = rest || d[i] != 0;
    const bool odd = keep > 0 && d[keep - 1] % 2 == 1;
    for (std::size_t i = keep; i < N; ++i)
        d[i] = 0;
    if (!(first > 5 || (first == 5 && (rest || odd)))) return true;
    for (std::size_t i = keep; i-- > 0;) {
        if (d[i] < 9) {
            ++d[i];
            return true;
        }
        d[i] = 0;
    }
    return false;
}

// At most 32 significant digits, the fewest positions that hold them, no negative zero.
TBcd Pack(Work w) {
    int first = 0;
    while (first < Positions && w.d[std::size_t(first)] == 0)
        ++first;
    TBcd bcd;
    if (first == Positions) {
        bcd.Precision = 1;
        return bcd;
    }
    if (!RoundAt(w.d, std::size_t(first + MaxFMTBcdDigits))) Overflow();
    first = 0;
    while (w.d[std::size_t(first)] == 0)
        ++first;
    int last = Positions - 1;
    while (w.d[std::size_t(last)] == 0)
        --last;
    const int start = std::min(first, UnitsPosition + 1);
    const int end = std::max(last, UnitsPosition);
    bcd.Precision = Byte(end - start + 1);
    bcd.SignSpecialPlaces = Byte((end - UnitsPosition) | (w.negative ? 0x80 : 0));
    for (int pos = start; pos <= end; ++pos)
        SetBcdDigit(bcd, pos - start, w.d[std::size_t(pos)]);
    return bcd;
}

Work AddMagnitudes(const Work& a, const Work& b) {
    Work r;
    int carry = 0;
    for (int i = Positions - 1; i >= 0; --i) {
        const int sum = a.d[std::size_t(i)] + b.d[std::size_t(i)] + carry;
        r.d[std::size_t(i)] = Byte(sum % 10);
        carry = sum / 10;
    }
    if (carry) Overflow();
    return r;
}

// a - b for |a| >= |b|.
Work SubtractMagnitudes(const Work& a, const Work& b) {
    Work r;
    int borrow = 0;
    for (int i = Positions - 1; i >= 0; --i) {
        int diff = a.d[std::size_t(i)] - b.d[std::size_t(i)] - borrow;
        borrow = diff < 0;
        if (diff < 0) diff += 10;
        r.d[std::size_t(i)] = Byte(diff);
    }
    return r;
}

Work SignedSum(const Work& a, Work b, bool negateB) {
    if (negateB) b.negative = !b.negative;
    if (a.negative == b.negative) {
        Work r = AddMagnitudes(a, b);
        r.negative = a.negative;
        return r;
    }
    const bool aLarger = CompareMagnitude(a, b) >= 0;
    Work r = aLarger ? SubtractMagnitudes(a, b) : SubtractMagnitudes(b, a);
    r.negative = aLarger ? a.negative : b.negative;
    return r;
}

// The 64 digits as an integer, least significant first.
std::array<int, Positions> LittleEndian(const Work& w) {
    std::array<int, Positions> r{};
    for (int i = 0; i < Positions; ++i)
        r[std::size_t(i)] = w.d[std::size_t(Positions - 1 - i)];
    return r;
}

} // namespace

bool CurrencyToBcd(Currency Curr, TBcd& Bcd, int Precision, int Places) {
    if (Precision < 1 || Precision > MaxFMTBcdFractionSize || Places < 0 || Places > 63) return false;
    const Int64 raw = Curr.Raw();
    UInt64 magnitude = raw < 0 ? UInt64(0) - UInt64(raw) : UInt64(raw);
    int zeros = 0;
    if (Places > 4) {
        zeros = Places - 4;
    } else if (Places < 4) {
        UInt64 divisor = 1;
        for (int i = Places; i < 4; ++i)
            divisor *= 10;
        const UInt64 quotient = magnitude / divisor, remainder = magnitude % divisor;
        const bool up = remainder * 2 > divisor || (remainder * 2 == divisor && quotient % 2 == 1);
        magnitude = quotient + (up ? 1 : 0);
    }
    Bcd.Precision = Byte(Precision);
    Bcd.SignSpecialPlaces = Byte(Places | (raw < 0 && magnitude != 0 ? 0x80 : 0));
    const int available = Precision - zeros;
    std::array<Byte, MaxFMTBcdFractionSize> digits{};
    int pos = available - 1;
    for (UInt64 m = magnitude; m != 0; m /= 10) {
        if (pos < 0) return false;
        digits[std::size_t(pos--)] = Byte(m % 10);
    }
    if (available < 0) return false;
    for (Byte& b : Bcd.Fraction)
        b = 0;
    for (int i = 0; i < Precision; ++i)
        SetBcdDigit(Bcd, i, digits[std::size_t(i)]);
    return true;
}

bool BcdToCurrency(const TBcd& Bcd, Currency& Curr) {
    CheckValid(Bcd);
    if (Bcd.Precision == 0) return false;
    const int p = Bcd.Precision, drop = BcdScale(Bcd) - 4; // digits below the ten-thousandths
    constexpr UInt64 limit = UInt64(std::numeric_limits<Int64>::max()) + 1;
    UInt64 value = 0;
    auto append = [&](int digit) {
        if (value > (limit - UInt64(digit)) / 10) return false;
        value = value * 10 + UInt64(digit);
        return true;
    };
    const int kept = p - std::max(drop, 0);
    for (int j = 0; j < kept; ++j)
        if (!append(BcdDigit(Bcd, j))) return false;
    for (int j = 0; j < -drop; ++j)
        if (!append(0)) return false;
    if (drop > 0) {
        // The first dropped digit decides and the rest breaks ties; when more places are dropped
        // than there are digits, the first dropped one is a leading zero.
        const int first = kept >= 0 ? BcdDigit(Bcd, kept) : 0;
        bool rest = false;
        for (int j = std::max(kept + 1, 0); j < p; ++j)
            rest = rest || BcdDigit(Bcd, j) != 0;
        if (first > 5 || (first == 5 && (rest || value % 2 == 1))) {
            if (value == limit) return false;
            ++value;
        }
    }
    const bool negative = IsBcdNegative(Bcd);
    if (!negative && value == limit) return false;
    Curr = Currency::FromRaw(negative ? Int64(UInt64(0) - value) : Int64(value));
    return true;
}

int CompareBcd(const TBcd& A, const TBcd& B) {
    CheckValid(A);
    CheckValid(B);
    const bool aNegative = IsBcdNegative(A), bNegative = IsBcdNegative(B);
    if (aNegative != bNegative) {
        if (IsBcdZero(A) && IsBcdZero(B)) return 0;
        return aNegative ? -1 : 1;
    }
    const int magnitude = CompareMagnitude(Unpack(A), Unpack(B));
    return aNegative ? -magnitude : magnitude;
}

TBcd NegateBcd(const TBcd& A) {
    TBcd r = A;
    r.SignSpecialPlaces ^= 0x80;
    return r;
}

TBcd AddBcd(const TBcd& A, const TBcd& B) {
    return Pack(SignedSum(Unpack(A), Unpack(B), false));
}

TBcd SubtractBcd(const TBcd& A, const TBcd& B) {
    return Pack(SignedSum(Unpack(A), Unpack(B), true));
}

TBcd MultiplyBcd(const TBcd& A, const TBcd& B) {
    const Work a = Unpack(A), b = Unpack(B);
    const auto la = LittleEndian(a), lb = LittleEndian(b);
    // The exact product has 64 fraction digits: 128 digits in all, least significant first.
    std::array<int, 2 * Positions + 1> product{};
    for (int i = 0; i < Positions; ++i) {
        if (!la[std::size_t(i)]) continue;
        for (int j = 0; j < Positions; ++j)
            product[std::size_t(i + j)] += la[std::size_t(i)] * lb[std::size_t(j)];
    }
    for (std::size_t k = 0; k + 1 < product.size(); ++k) {
        product[k + 1] += product[k] / 10;
        product[k] %= 10;
    }
    // Most significant first; the top 32 digits must be zero, the lowest 32 are rounded away.
    std::array<Byte, 2 * Positions> digits{};
    for (std::size_t k = 0; k < digits.size(); ++k)
        digits[digits.size() - 1 - k] = Byte(product[k]);
    if (product[2 * Positions] != 0) Overflow();
    if (!RoundAt(digits, std::size_t(Positions + 32))) Overflow();
    Work r;
    for (int i = 0; i < 32; ++i)
        if (digits[std::size_t(i)]) Overflow();
    for (int i = 0; i < Positions; ++i)
        r.d[std::size_t(i)] = digits[std::size_t(32 + i)];
    r.negative = a.negative != b.negative;
    return Pack(r);
}

TBcd DivideBcd(const TBcd& A, const TBcd& B) {
    const Work a = Unpack(A), b = Unpack(B);
    if (IsZero(b)) throw EBcdOverflow(SBcdZeroDivide);
    // (a * 10^32) / b on digit arrays, most significant first: 96 dividend digits, and a remainder
    // that stays below ten times the divisor.
    constexpr int DividendDigits = Positions + 32;
    std::array<Byte, DividendDigits> quotient{};
    std::array<int, Positions + 1> remainder{}; // most significant first
    std::array<int, Positions + 1> divisor{};
    for (int i = 0; i < Positions; ++i)
        divisor[std::size_t(i + 1)] = b.d[std::size_t(i)];
    auto notBelow = [&]() {
        for (std::size_t i = 0; i < remainder.size(); ++i)
            if (remainder[i] != divisor[i]) return remainder[i] > divisor[i];
        return true;
    };
    for (int k = 0; k < DividendDigits; ++k) {
        for (std::size_t i = 0; i + 1 < remainder.size(); ++i)
            remainder[i] = remainder[i + 1];
        remainder.back() = k < Positions ? a.d[std::size_t(k)] : 0;
        int q = 0;
        while (notBelow()) {
            int borrow = 0;
            for (std::size_t i = remainder.size(); i-- > 0;) {
                int diff = remainder[i] - divisor[i] - borrow;
                borrow = diff < 0;
                remainder[i] = diff < 0 ? diff + 10 : diff;
            }
            ++q;
        }
        quotient[std::size_t(k)] = Byte(q);
    }
    // Half to even: compare twice the remainder with the divisor.
    std::array<int, Positions + 1> twice{};
    int carry = 0;
    for (std::size_t i = remainder.size(); i-- > 0;) {
        const int v = remainder[i] * 2 + carry;
        twice[i] = v % 10;
        carry = v / 10;
    }
    int order = carry ? 1 : 0;
    for (std::size_t i = 0; order == 0 && i < twice.size(); ++i)
        if (twice[i] != divisor[i]) order = twice[i] > divisor[i] ? 1 : -1;
    if (order > 0 || (order == 0 && quotient.back() % 2 == 1)) {
        std::size_t i = quotient.size();
        while (i-- > 0 && quotient[i] == 9)
            quotient[i] = 0;
        if (i == std::size_t(-1)) Overflow();
        ++quotient[i];
    }
    Work r;
    for (int i = 0; i < DividendDigits - Positions; ++i)
        if (quotient[std::size_t(i)]) Overflow();
    for (int i = 0; i < Positions; ++i)
        r.d[std::size_t(i)] = quotient[std::size_t(DividendDigits - Positions + i)];
    r.negative = a.negative != b.negative;
    return Pack(r);
}
