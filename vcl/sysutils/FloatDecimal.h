#pragma once
// A number as decimal digits, the common ground of every floating-point and currency layout.
#include "vcl/System.h"

#include <QByteArray>

struct TFloatRec {
    enum Kind {
        Finite,
        NaN,
        PositiveInfinity,
        NegativeInfinity
    };
    Kind kind = Finite;
    bool Negative = false;
    // The value is 0.Digits x 10^Exponent; no leading or trailing zeros, none at all for zero.
    int Exponent = 0;
    QByteArray Digits;

    bool IsZero() const { return kind == Finite && Digits.isEmpty(); }
};

// Rounded half away from zero to `precision` significant digits and `decimals` digits after the
// point, whichever leaves fewer (pass a large `decimals` for significant digits only).
TFloatRec FloatToDecimal(Extended value, int precision, int decimals);
TFloatRec CurrToDecimal(Currency value, int precision, int decimals);
