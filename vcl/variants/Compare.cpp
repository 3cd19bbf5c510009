// Variant comparison.
#include "vcl/variants/Access.h"

#include "vcl/SysUtils.h"

#include <cmath>

using namespace VariantRules;
using VA = VariantAccess;

namespace {

template <class T> TVariantRelationship Order(const T& x, const T& y) {
    if (x < y) return vrLessThan;
    if (y < x) return vrGreaterThan;
    if (x == y) return vrEqual;
    return vrNotEqual; // NaN
}

bool IsIntegral(Kind k) {
    return k == Kind::Boolean || k == Kind::Signed || k == Kind::Unsigned || k == Kind::Empty;
}

// A string compared with a value of another kind becomes that kind: a date, a Boolean or a number.
Variant StringAs(const Variant& s, Kind other) {
    if (other == Kind::Date) {
        TDateTime t;
        if (TryStrToDateTime(VA::S(s), t)) return Variant(t);
        return Variant(s.ToDouble());
    }
    if (other == Kind::Boolean) return Variant(s.ToBool());
    return Variant(s.ToDouble());
}

TVariantRelationship CompareNumbers(const Variant& a, const Variant& b) {
    const Kind ka = KindOf(a), kb = KindOf(b);
    if (IsIntegral(ka) && IsIntegral(kb)) {
        if (ka == Kind::Unsigned || kb == Kind::Unsigned) {
            // One unsigned side beyond the signed range is larger than any signed value.
            const bool aNeg = ka != Kind::Unsigned && a.ToInt64() < 0,
                       bNeg = kb != Kind::Unsigned && b.ToInt64() < 0;
            if (aNeg || bNeg)
                return aNeg && bNeg ? Order(a.ToInt64(), b.ToInt64()) : aNeg ? vrLessThan : vrGreaterThan;
            return Order(a.ToUInt64(), b.ToUInt64());
        }
        return Order(a.ToInt64(), b.ToInt64());
    }
    if ((ka == Kind::Currency && (kb == Kind::Currency || IsIntegral(kb))) ||
        (kb == Kind::Currency && IsIntegral(ka))) {
        try {
            return Order(a.ToCurrency().Raw(), b.ToCurrency().Raw());
        } catch (const EVariantOverflowError&) {
            // An integer beyond Currency's range: compare as real numbers.
        }
    }
    return Order(a.ToDouble(), b.ToDouble());
}

} // namespace

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
    if (a.IsArray() || b.IsArray()) InvalidOp();
    if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull() ? vrEqual : vrNotEqual;
    const Kind ka = KindOf(a), kb = KindOf(b);
    if (ka == Kind::Empty && kb == Kind::Empty) return vrEqual;
    if ((ka == Kind::String || ka == Kind::Empty) && (kb == Kind::String || kb == Kind::Empty)) {
        const int c = CompareStr(VA::S(a), VA::S(b));
        return c < 0 ? vrLessThan : c > 0 ? vrGreaterThan : vrEqual;
    }
    if (ka == Kind::String) return CompareNumbers(StringAs(a, kb), b);
    if (kb == Kind::String) return CompareNumbers(a, StringAs(b, ka));
    return CompareNumbers(a, b);
}

bool VarSameValue(const Variant& a, const Variant& b) {
    if (a.IsEmpty() || b.IsEmpty()) return a.IsEmpty() && b.IsEmpty();
    if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
    return VarCompareValue(a, b) == vrEqual;
}

bool VariantOps::Equal(const Variant& a, const Variant& b) {
    return VarCompareValue(a, b) == vrEqual;
}

bool VariantOps::Less(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return false;
    return VarCompareValue(a, b) == vrLessThan;
}

bool VariantOps::LessOrEqual(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
    const TVariantRelationship r = VarCompareValue(a, b);
    return r == vrLessThan || r == vrEqual;
}
