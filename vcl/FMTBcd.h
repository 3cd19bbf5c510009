#pragma once
// The platform's packed decimal record (TBcd) and its conversions to and from text and real numbers.
#include "vcl/System.h"
#include "vcl/sysutils/FormatSettings.h"

// A decimal number of up to 64 digits, 34 bytes without padding: the layout that data buffers and
// expression buffers exchange.
//   Precision          number of digits held, 1..64; 0 stands for the value zero
//   SignSpecialPlaces  bit 7: negative; bit 6: special (unused here); bits 0..5: digits after the point
//   Fraction           the digits, two per byte, the first one in the high four bits of Fraction[0];
//                      only the first Precision digits count (the spare nibble of an odd count is 0)
struct TBcd {
    Byte Precision = 0;
    Byte SignSpecialPlaces = 0;
    Byte Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34, "TBcd must keep the 34-byte exchange layout");

inline constexpr int MaxFMTBcdFractionSize = 64;
inline constexpr int MaxFMTBcdDigits = 32;

MOX_DECLARE_EXCEPTION(EBcdException, Exception);
MOX_DECLARE_EXCEPTION(EBcdOverflowException, EBcdException);

namespace FMTBcdConsts {
inline constexpr const char* SInvalidBcdValue = "'%s' is not a valid BCD value";
inline constexpr const char* SBcdOverflow = "BCD overflow";
inline constexpr const char* SInvalidBcdRecord = "Invalid BCD record";
} // namespace FMTBcdConsts

inline int BcdPrecision(const TBcd& bcd) {
    return bcd.Precision;
}
inline int BcdScale(const TBcd& bcd) {
    return bcd.SignSpecialPlaces & 0x3F;
}
inline bool IsBcdNegative(const TBcd& bcd) {
    return (bcd.SignSpecialPlaces & 0x80) != 0;
}
// Digit number `index` (0-based, from the first nibble); no bounds check beyond the 64 nibbles.
inline int BcdDigit(const TBcd& bcd, int index) {
    const Byte b = bcd.Fraction[index / 2];
    return index % 2 == 0 ? b >> 4 : b & 0x0F;
}
inline void SetBcdDigit(TBcd& bcd, int index, int digit) {
    Byte& b = bcd.Fraction[index / 2];
    b = index % 2 == 0 ? Byte((b & 0x0F) | (digit << 4)) : Byte((b & 0xF0) | (digit & 0x0F));
}

// A precision of at most 64, places that fit beside it, and decimal digits only (the spare nibble 0).
bool IsValidBcd(const TBcd& bcd);
// True for a precision of 0 and for any record whose digits are all 0, whatever its sign.
bool IsBcdZero(const TBcd& bcd);

// The number as text: an optional "-", the integer digits (at least "0"), and the fraction digits
// without trailing zeros after the settings' decimal separator. Raises EBcdException "Invalid BCD
// record" for a record that IsValidBcd rejects (so do BcdToDouble and the library's BCD functions).
String BcdToStr(const TBcd& bcd);
String BcdToStr(const TBcd& bcd, const TFormatSettings& fs);
// Reads an optional sign, digits with at most one decimal separator and an optional exponent
// ("1.5E-3"); blanks around the number are ignored. The record holds the significant digits only.
// False (StrToBcd: EBcdException "'%s' is not a valid BCD value") for other text and for numbers that
// need more than 64 digits or 63 places.
bool TryStrToBcd(const String& s, TBcd& bcd);
bool TryStrToBcd(const String& s, TBcd& bcd, const TFormatSettings& fs);
TBcd StrToBcd(const String& s);
TBcd StrToBcd(const String& s, const TFormatSettings& fs);

// The nearest double to the decimal value.
double BcdToDouble(const TBcd& bcd);
// The double to 15 significant digits, as the platform's text conversion gives it; digits beyond 63
// places are rounded away. NaN and infinities raise EBcdException, magnitudes of 10^64 and more
// EBcdOverflowException.
TBcd DoubleToBcd(double value);
