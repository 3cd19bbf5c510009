#pragma once
// Currency amounts and packed decimals (TBcd): conversions, comparison and exact arithmetic, as the
// expression evaluator uses them.
#include "vcl/FMTBcd.h"
#include "vcl/System.h"

// Decimal results that leave the range of the working form (32 integer and 32 fraction digits), and
// decimal division by zero.
MOX_DECLARE_EXCEPTION(EBcdOverflow, EOverflow);

// The amount as a record of `Precision` digits, `Places` of them after the point. More than four
// places append zero digits; fewer round the amount to that many places, ties to even. A negative
// amount sets the sign, unless it rounds to zero. False when the digits do not fit; then the
// precision and places bytes are written and the digits are left as they were. False without
// writing anything for a precision outside 1..64 or places outside 0..63.
bool CurrencyToBcd(Currency Curr, TBcd& Bcd, int Precision, int Places);
// The record's value rounded to four places, ties to even. False for a precision of 0 and for a
// value outside Currency's range. Every function of this unit raises EBcdException for a record
// that IsValidBcd rejects.
bool BcdToCurrency(const TBcd& Bcd, Currency& Curr);

// -1, 0 or 1. Zero equals zero whatever the sign bits say; otherwise the sign decides first.
// Non-zero digits outside the working form raise EBcdOverflow.
int CompareBcd(const TBcd& A, const TBcd& B);
// The sign bit flipped.
TBcd NegateBcd(const TBcd& A);

// Exact sums and differences; products and quotients rounded to 32 fraction digits, ties to even.
// Results keep at most 32 significant digits (rounded, ties to even) and have no negative zero.
// More than 32 integer digits raise EBcdOverflow "Floating point overflow"; a zero divisor raises
// EBcdOverflow "Floating point division by zero".
TBcd AddBcd(const TBcd& A, const TBcd& B);
TBcd SubtractBcd(const TBcd& A, const TBcd& B);
TBcd MultiplyBcd(const TBcd& A, const TBcd& B);
TBcd DivideBcd(const TBcd& A, const TBcd& B);
