// Variant arithmetic and logic.
#include "vcl/variants/Access.h"

#include <cmath>
#include <limits>

using namespace VariantRules;
using VA = VariantAccess;

namespace {

enum class Op {
    Add,
    Sub,
    Mul,
    Div
};

// Types that fit in 32 bits keep an Integer result when it fits too.
bool IsNarrow(TVarType t) {
    switch (t) {
    case varEmpty:
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varBoolean:
        return true;
    default:
        return false;
    }
}

// The operand as a number: strings are read as real numbers, Empty is 0, true is -1.
Variant Numeric(const Variant& v) {
    switch (KindOf(v)) {
    case Kind::Empty:
        return Variant(0);
    case Kind::Boolean:
        return Variant(v.ToBool() ? -1 : 0);
    case Kind::String:
        return Variant(v.ToDouble());
    case Kind::Unsigned:
        if (VA::U(v) <= UInt64(std::numeric_limits<Int64>::max())) return Variant(Int64(VA::U(v)));
        return Variant(double(VA::U(v)));
    default:
        return v;
    }
}

double RealDivide(double a, double b) {
    if (b == 0) {
        if (a == 0 || std::isnan(a)) throw EInvalidOp(QString::fromLatin1(VariantConsts::SInvalidOp));
        throw EZeroDivide(QString::fromLatin1(VariantConsts::SZeroDivide));
    }
    return a / b;
}

Variant IntegerResult(Int64 r, bool narrow) {
    if (narrow && r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max())
        return Variant(int(r));
    return Variant(r);
}

Variant Arith(Op op, const Variant& a0, const Variant& b0) {
    if (a0.IsArray() || b0.IsArray()) InvalidOp();
    if (a0.IsNull() || b0.IsNull()) return Null();
    const Kind ka0 = KindOf(a0), kb0 = KindOf(b0);
    if (op == Op::Add && (ka0 == Kind::String || ka0 == Kind::Empty) &&
        (kb0 == Kind::String || kb0 == Kind::Empty) && (ka0 == Kind::String || kb0 == Kind::String))
        return Variant(a0.ToString() + b0.ToString());
    const bool narrow = IsNarrow(a0.VarType()) && IsNarrow(b0.VarType());
    const Variant a = Numeric(a0), b = Numeric(b0);
    const Kind ka = KindOf(a), kb = KindOf(b);
    const bool date = ka == Kind::Date || kb == Kind::Date;
    const bool real = ka == Kind::Float || kb == Kind::Float;
    const bool money = ka == Kind::Currency || kb == Kind::Currency;

    if (date && (op == Op::Add || op == Op::Sub)) {
        const double r = op == Op::Add ? a.ToDouble() + b.ToDouble() : a.ToDouble() - b.ToDouble();
        // The distance between two dates is a number of days, not a date.
        if (op == Op::Sub && ka == Kind::Date && kb == Kind::Date) return Variant(r);
        return Variant(TDateTime(r));
    }
    if (real || date || (op == Op::Div && !money)) {
        const double x = a.ToDouble(), y = b.ToDouble();
        switch (op) {
        case Op::Add:
            return Variant(x + y);
        case Op::Sub:
            return Variant(x - y);
        case Op::Mul:
            return Variant(x * y);
        case Op::Div:
            return Variant(RealDivide(x, y));
        }
    }
    if (money) {
        const Currency x = a.ToCurrency(), y = b.ToCurrency();
        try {
            switch (op) {
            case Op::Add:
                return Variant(x + y);
            case Op::Sub:
                return Variant(x - y);
            case Op::Mul:
                return Variant(x * y);
            case Op::Div:
                if (y.Raw() == 0) throw EZeroDivide(QString::fromLatin1(VariantConsts::SZeroDivide));
                return Variant(x / y);
            }
        } catch (const EOverflow&) {
            Overflow();
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
    case Op::Mul:
        overflow = __builtin_mul_overflow(x, y, &r);
        break;
    case Op::Div:
        break;
    }
    if (overflow) {
        // Beyond 64 bits the result continues as a real number.
        const double dx = double(x), dy = double(y);
        return Variant(op == Op::Add ? dx + dy : op == Op::Sub ? dx - dy : dx * dy);
    }
    return IntegerResult(r, narrow);
}

// Both operands as integers for div, mod and the bitwise operators.
bool Integers(const Variant& a, const Variant& b, Int64& x, Int64& y, Variant& nullResult) {
    if (a.IsArray() || b.IsArray()) InvalidOp();
    if (a.IsNull() || b.IsNull()) {
        nullResult = Null();
        return false;
    }
    x = a.ToInt64();
    y = b.ToInt64();
    return true;
}

enum class Logic {
    And,
    Or,
    Xor
};

Variant Bitwise(Logic op, const Variant& a, const Variant& b) {
    if (a.IsArray() || b.IsArray()) InvalidOp();
    if (a.IsNull() || b.IsNull()) return Null();
    if (a.VarType() == varBoolean && b.VarType() == varBoolean) {
        const bool x = a.ToBool(), y = b.ToBool();
        return Variant(op == Logic::And ? (x && y) : op == Logic::Or ? (x || y) : (x != y));
    }
    const Int64 x = a.ToInt64(), y = b.ToInt64();
    const Int64 r = op == Logic::And ? (x & y) : op == Logic::Or ? (x | y) : (x ^ y);
    return IntegerResult(r, IsNarrow(a.VarType()) && IsNarrow(b.VarType()));
}

} // namespace

Variant VariantOps::Add(const Variant& a, const Variant& b) {
    return Arith(Op::Add, a, b);
}
Variant VariantOps::Subtract(const Variant& a, const Variant& b) {
    return Arith(Op::Sub, a, b);
}
Variant VariantOps::Multiply(const Variant& a, const Variant& b) {
    return Arith(Op::Mul, a, b);
}
Variant VariantOps::Divide(const Variant& a, const Variant& b) {
    return Arith(Op::Div, a, b);
}

Variant IntDiv(const Variant& a, const Variant& b) {
    Int64 x = 0, y = 0;
    Variant null;
    if (!Integers(a, b, x, y, null)) return null;
    if (y == 0) throw EDivByZero(QString::fromLatin1(VariantConsts::SDivByZero));
    if (x == std::numeric_limits<Int64>::min() && y == -1) return Variant(-double(x));
    return IntegerResult(x / y, IsNarrow(a.VarType()) && IsNarrow(b.VarType()));
}

Variant VariantOps::Modulus(const Variant& a, const Variant& b) {
    Int64 x = 0, y = 0;
    Variant null;
    if (!Integers(a, b, x, y, null)) return null;
    if (y == 0) throw EDivByZero(QString::fromLatin1(VariantConsts::SDivByZero));
    if (y == -1) return IntegerResult(0, true);
    return IntegerResult(x % y, IsNarrow(a.VarType()) && IsNarrow(b.VarType()));
}

Variant VariantOps::Negate(const Variant& a) {
    switch (KindOf(a)) {
    case Kind::Array:
        InvalidOp();
    case Kind::Null:
        return Null();
    case Kind::Empty:
        return Variant(0);
    case Kind::Float:
        return VarAsType(Variant(-a.ToDouble()), a.VarType());
    case Kind::Date:
        return Variant(TDateTime(-a.ToDouble()));
    case Kind::Currency:
        try {
            return Variant(-a.ToCurrency());
        } catch (const EOverflow&) {
            Overflow();
        }
    default:
        return Arith(Op::Sub, Variant(0), a);
    }
}

Variant VariantOps::And(const Variant& a, const Variant& b) {
    return Bitwise(Logic::And, a, b);
}
Variant VariantOps::Or(const Variant& a, const Variant& b) {
    return Bitwise(Logic::Or, a, b);
}
Variant VariantOps::Xor(const Variant& a, const Variant& b) {
    return Bitwise(Logic::Xor, a, b);
}

Variant VariantOps::Not(const Variant& a) {
    if (a.IsArray()) InvalidOp();
    if (a.IsNull()) return Null();
    if (a.VarType() == varBoolean) return Variant(!a.ToBool());
    return IntegerResult(~a.ToInt64(), IsNarrow(a.VarType()));
}
