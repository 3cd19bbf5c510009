#pragma once
// The value rules of the expression evaluator: what its arithmetic, logic and comparisons make of the
// values they meet, and how values become packed decimals and back.
#include "lib/moxBCDUtils.h"
#include "lib/moxCanExprData.h"
#include "vcl/Variants.h"

// A value with its logical type code and size in bytes, as every node of an expression yields it.
// A value of type fldBCD is carried as a string of exactly 34 characters, each one byte of a TBcd.
struct TExprValue {
    Variant Value;
    int DataType = fldUNKNOWN;
    int DataSize = 0;
};

namespace ExprRules {

// The empty value and arrays take part in no rule: EVariantInvalidOpError ("Invalid variant
// operation"). Texts that are no number raise EVariantTypeCastError ("Invalid variant type
// conversion") where a number is needed.

// Three-way comparison (-1, 0, 1): NULL equals NULL and is below every other value; numbers, Booleans
// (true is -1) and date-times compare numerically; two texts by their character codes, a proper
// prefix being smaller; a text against a number is read as a number.
int ComparePlain(const Variant& A, const Variant& B);
// As ComparePlain, but when either type is fldBCD both values become decimals first. A comparison
// whose conversion fails counts as 1 (greater).
int Compare(const TExprValue& A, const TExprValue& B);

// NULL with any value gives NULL. Two texts concatenate (Add only); otherwise a text is read as a
// real number and a Boolean counts as an integer. With a date-time on either side + and - give a
// date-time (date-time - date-time the days between, a double) and * and / doubles; else with a
// currency amount + - * give currency, / gives a double for a currency divisor and currency
// otherwise; else with a double the result is a double; integers stay integers while they fit in
// 32 bits (64 when an operand is wider) and become doubles beyond. Divide is real division and
// divides as IEEE doubles do: the evaluator catches zero divisors before.
Variant Add(const Variant& A, const Variant& B);
Variant Subtract(const Variant& A, const Variant& B);
Variant Multiply(const Variant& A, const Variant& B);
Variant Divide(const Variant& A, const Variant& B);
// Both operands taken as integers (reals rounded half to even, texts read); NULL for a NULL operand
// and for a divisor that is 0 as an integer. The remainder has the dividend's sign.
Variant Remainder(const Variant& A, const Variant& B);
Variant Negate(const Variant& A);
// Logical for Booleans, bitwise for integers; NULL with anything gives NULL.
Variant And(const Variant& A, const Variant& B);
Variant Or(const Variant& A, const Variant& B);
Variant Not(const Variant& A);

// A value of any type as fldBCD: its currency amount as 32 digits with 18 places. NULL keeps its
// value. An amount of 10^14 or more does not fit those digits and raises EBcdOverflow.
void ToBcd(TExprValue& V);
// A non-NULL fldBCD value as a currency amount of type fldFLOAT, size 8; other values unchanged.
// A decimal beyond Currency's range raises EBcdOverflow.
void FromBcd(TExprValue& V);
// The decimal a value stands for: a 34-byte string as it is, any other value through its currency
// amount as ToBcd does.
TBcd BcdOf(const Variant& V);
// The record as the 34-byte string.
Variant BcdValue(const TBcd& Bcd);

// The value as text (for patterns, case changes and partial comparisons).
String Text(const Variant& V);
// The value itself, checked to be neither empty nor an array.
const Variant& Checked(const Variant& V);

} // namespace ExprRules
