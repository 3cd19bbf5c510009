// The evaluator's value rules.
#include "lib/moxCanExprRules.h"

#include "lib/moxDBConsts.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The kinds of value the rules tell apart.
enum class K {
    Empty,
    Null,
    Bool,
    Int,  // fits in 32 bits
    Wide, // 64-bit and unsigned 32-bit integers
    Real,
    Money,
    Date,
    Str,
    Other // arrays and anything else: no rule applies
};

K KindOf(const Variant& v) {
    if (v.IsArray()) return K::Other;
    switch (v.VarType()) {
    case varEmpty:
        return K::Empty;
    case varNull:
        return K::Null;
    case varBoolean:
        return K::Bool;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
        return K::Int;
    case varLongWord:
    case varInt64:
    case varUInt64:
        return K::Wide;
    case varSingle:
    case varDouble:
        return K::Real;
    case varCurrency:
        return K::Money;
    case varDate:
        return K::Date;
    case varString:
    case varUString:
    case varOleStr:
        return K::Str;
    default:
        return K::Other;
    }
}

[[noreturn]] void InvalidOp() {
    throw EVariantInvalidOpError(QString::fromLatin1(VariantConsts::SInvalidVarOp));
}
[[noreturn]] void VariantOverflow() {
    throw EVariantOverflowError(QString::fromLatin1(VariantConsts::SVarOverflow));
}

bool IsInteger(K k) {
    return k == K::Bool || k == K::Int || k == K::Wide;
}

// A text becomes a real number, a Boolean an integer; other values stay.
Variant Numeric(const Variant& v, K& k) {
    if (k == K::Str) {
        k = K::Real;
        return Variant(v.ToDouble());
    }
    if (k == K::Bool) {
        k = K::Int;
        return Variant(v.ToBool() ? -1 : 0);
    }
    return v;
}

// Checks both operands; false (and NULL in `result`) when either is NULL.
bool Operands(const Variant& a, const Variant& b, K& ka, K& kb) {
    ka = KindOf(a);
    kb = KindOf(b);
    if (ka == K::Empty || ka == K::Other || kb == K::Empty || kb == K::Other) InvalidOp();
    return ka != K::Null && kb != K::Null;
}

Variant IntegerResult(Int64 r, bool narrow) {
    if (!narrow) return Variant(r);
    if (r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()) return Variant(int(r));
    return Variant(double(r));
}

template <class F> Variant MoneyResult(F f) {
    try {
        return Variant(f());
    } catch (const EMathError&) {
        VariantOverflow();
    }
}

enum class Op {
    Add,
    Sub,
    Mul,
    Div
};

Variant Arith(Op op, const Variant& a0, const Variant& b0) {
    K ka, kb;
    if (!Operands(a0, b0, ka, kb)) return Null();
    if (op == Op::Add && ka == K::Str && kb == K::Str) return Variant(a0.ToString() + b0.ToString());
    const Variant a = Numeric(a0, ka), b = Numeric(b0, kb);

    if (ka == K::Date || kb == K::Date) {
        const double x = a.ToDouble(), y = b.ToDouble();
        switch (op) {
        case Op::Add:
            return Variant(TDateTime(x + y));
        case Op::Sub:
            if (ka == K::Date && kb == K::Date) return Variant(x - y);
            return Variant(TDateTime(x - y));
        case Op::Mul:
            return Variant(x * y);
        case Op::Div:
            return Variant(x / y);
        }
    }
    if (ka == K::Money || kb == K::Money) {
        if (op == Op::Div) {
            if (kb == K::Money) return Variant(a.ToDouble() / b.ToDouble());
            const Currency x = a.ToCurrency();
            if (IsInteger(kb)) return MoneyResult([&] { return x / Currency::FromUnits(b.ToInt64()); });
            return MoneyResult([&] { return Currency(x.ToExtended() / (long double)b.ToDouble()); });
        }
        const Currency x = a.ToCurrency(), y = b.ToCurrency();
        return MoneyResult([&] { return op == Op::Add ? x + y : op == Op::Sub ? x - y : x * y; });
    }
    if (ka == K::Real || kb == K::Real || op == Op::Div) {
        const double x = a.ToDouble(), y = b.ToDouble();
        switch (op) {
        case Op::Add:
            return Variant(x + y);
        case Op::Sub:
            return Variant(x - y);
        case Op::Mul:
            return Variant(x * y);
        case Op::Div:
            return Variant(x / y);
        }
    }
    const Int64 x = a.ToInt64(), y = b.ToInt64();
    Int64 r = 0;
    bool overflow = false;
    switch (op) {
    case Op::Add:
        overflow = __builtin_add_overflow(x, y, &r);
        break;
    case Op::Sub:
        overflow = __builtin_sub_overflow(x, y, &r);
        break;
    default:
        overflow = __builtin_mul_overflow(x, y, &r);
        break;
    }
    if (overflow) {
        const double dx = double(x), dy = double(y);
        return Variant(op == Op::Add ? dx + dy : op == Op::Sub ? dx - dy : dx * dy);
    }
    return IntegerResult(r, ka == K::Int && kb == K::Int);
}

template <class T> int Order(const T& x, const T& y) {
    return x < y ? -1 : y < x ? 1 : 0;
}

__int128 WideInteger(const Variant& v) {
    if (v.VarType() == varUInt64) return __int128(v.ToUInt64());
    return v.ToInt64();
}

int CompareNumbers(const Variant& a, K ka, const Variant& b, K kb) {
    if (IsInteger(ka) && IsInteger(kb)) return Order(WideInteger(a), WideInteger(b));
    if ((ka == K::Money || IsInteger(ka)) && (kb == K::Money || IsInteger(kb))) {
        auto raw = [](const Variant& v, K k) {
            return k == K::Money ? __int128(v.ToCurrency().Raw()) : WideInteger(v) * Currency::Scale;
        };
        return Order(raw(a, ka), raw(b, kb));
    }
    const double x = a.ToDouble(), y = b.ToDouble();
    // NaN sorts below every number, so that the order stays total.
    if (std::isnan(x) || std::isnan(y)) return std::isnan(x) ? (std::isnan(y) ? 0 : -1) : 1;
    return Order(x, y);
}

bool IsBcdString(const Variant& v) {
    if (KindOf(v) != K::Str) return false;
    const String s = v.ToString();
    if (s.size() != qsizetype(sizeof(TBcd))) return false;
    for (QChar c : s)
        if (c.unicode() > 0xFF) return false;
    return true;
}

} // namespace

namespace ExprRules {

const Variant& Checked(const Variant& V) {
    const K k = KindOf(V);
    if (k == K::Empty || k == K::Other) InvalidOp();
    return V;
}

int ComparePlain(const Variant& A, const Variant& B) {
    K ka = KindOf(A), kb = KindOf(B);
    if (ka == K::Empty || ka == K::Other || kb == K::Empty || kb == K::Other) InvalidOp();
    if (ka == K::Null || kb == K::Null) return ka == kb ? 0 : ka == K::Null ? -1 : 1;
    if (ka == K::Str && kb == K::Str) {
        const int c = A.ToString().compare(B.ToString(), Qt::CaseSensitive);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    const Variant a = ka == K::Str ? Variant(A.ToDouble()) : A;
    const Variant b = kb == K::Str ? Variant(B.ToDouble()) : B;
    if (ka == K::Str) ka = K::Real;
    if (kb == K::Str) kb = K::Real;
    return CompareNumbers(a, ka, b, kb);
}

int Compare(const TExprValue& A, const TExprValue& B) {
    try {
        if ((A.DataType == fldBCD || B.DataType == fldBCD) && !A.Value.IsNull() && !B.Value.IsNull()) {
            Checked(A.Value);
            Checked(B.Value);
            return CompareBcd(BcdOf(A.Value), BcdOf(B.Value));
        }
        return ComparePlain(A.Value, B.Value);
    } catch (const EVariantTypeCastError&) {
        return 1;
    } catch (const EVariantOverflowError&) {
        return 1;
    }
}

Variant Add(const Variant& A, const Variant& B) {
    return Arith(Op::Add, A, B);
}
Variant Subtract(const Variant& A, const Variant& B) {
    return Arith(Op::Sub, A, B);
}
Variant Multiply(const Variant& A, const Variant& B) {
    return Arith(Op::Mul, A, B);
}
Variant Divide(const Variant& A, const Variant& B) {
    return Arith(Op::Div, A, B);
}

Variant Remainder(const Variant& A, const Variant& B) {
    K ka, kb;
    if (!Operands(A, B, ka, kb)) return Null();
    const Int64 x = A.ToInt64(), y = B.ToInt64();
    if (y == 0) return Null();
    // -1 divides everything; x % -1 would overflow for the smallest x.
    const Int64 r = y == -1 ? 0 : x % y;
    return IntegerResult(r, r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max());
}

Variant Negate(const Variant& A) {
    switch (KindOf(A)) {
    case K::Empty:
    case K::Other:
        InvalidOp();
    case K::Null:
        return Null();
    case K::Date:
        return Variant(TDateTime(-A.ToDouble()));
    case K::Money:
        return MoneyResult([&] { return -A.ToCurrency(); });
    case K::Real:
    case K::Str:
        return Variant(-A.ToDouble());
    default:
        return Arith(Op::Sub, Variant(0), A);
    }
}

Variant And(const Variant& A, const Variant& B) {
    K ka, kb;
    if (!Operands(A, B, ka, kb)) return Null();
    return VariantOps::And(A, B);
}

Variant Or(const Variant& A, const Variant& B) {
    K ka, kb;
    if (!Operands(A, B, ka, kb)) return Null();
    return VariantOps::Or(A, B);
}

Variant Not(const Variant& A) {
    if (Checked(A).IsNull()) return Null();
    return VariantOps::Not(A);
}

TBcd BcdOf(const Variant& V) {
    if (IsBcdString(V)) {
        const QByteArray bytes = V.ToString().toLatin1();
        TBcd bcd;
        std::memcpy(&bcd, bytes.constData(), sizeof bcd);
        return bcd;
    }
    const Currency amount = Checked(V).ToCurrency();
    TBcd bcd;
    if (!CurrencyToBcd(amount, bcd, 32, 18)) throw EBcdOverflow(SBcdOverflow);
    return bcd;
}

Variant BcdValue(const TBcd& Bcd) {
    return Variant(String::fromLatin1(reinterpret_cast<const char*>(&Bcd), sizeof Bcd));
}

void ToBcd(TExprValue& V) {
    if (!Checked(V.Value).IsNull() && !(V.DataType == fldBCD && IsBcdString(V.Value)))
        V.Value = BcdValue(BcdOf(V.Value));
    V.DataType = fldBCD;
    V.DataSize = int(sizeof(TBcd));
}

void FromBcd(TExprValue& V) {
    if (V.DataType != fldBCD || V.Value.IsNull()) return;
    const TBcd bcd = BcdOf(V.Value);
    Currency amount;
    // A precision of 0 is the value zero.
    if (!BcdToCurrency(bcd, amount) && bcd.Precision != 0) throw EBcdOverflow(SBcdOverflow);
    V.Value = Variant(amount);
    V.DataType = fldFLOAT;
    V.DataSize = 8;
}

String Text(const Variant& V) {
    return Checked(V).ToString();
}

} // namespace ExprRules
