// Variant's type tests and conversions.
#include "vcl/variants/Access.h"

#include "vcl/SysUtils.h"

#include <cmath>
#include <limits>

using namespace VariantRules;
using VA = VariantAccess;

namespace VariantRules {
void CastError() {
    throw EVariantTypeCastError(QString::fromLatin1(VariantConsts::SInvalidVarCast));
}
void InvalidOp() {
    throw EVariantInvalidOpError(QString::fromLatin1(VariantConsts::SInvalidVarOp));
}
void Overflow() {
    throw EVariantOverflowError(QString::fromLatin1(VariantConsts::SVarOverflow));
}
void BadIndex() {
    throw EVariantBadIndexError(QString::fromLatin1(VariantConsts::SVarBadIndex));
}

bool IsStringType(TVarType t) {
    return t == varString || t == varUString || t == varOleStr;
}

Kind KindOf(const Variant& v) {
    const TVarType t = v.VarType();
    if (t & varArray) return Kind::Array;
    switch (t) {
    case varEmpty:
        return Kind::Empty;
    case varNull:
        return Kind::Null;
    case varBoolean:
        return Kind::Boolean;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varInt64:
        return Kind::Signed;
    case varLongWord:
    case varUInt64:
        return Kind::Unsigned;
    case varSingle:
    case varDouble:
        return Kind::Float;
    case varCurrency:
        return Kind::Currency;
    case varDate:
        return Kind::Date;
    default:
        return Kind::String;
    }
}
} // namespace VariantRules

namespace {

// Rounds half to even, as the platform does when a real number becomes an integer.
Int64 RoundToInt64(long double x) {
    if (!std::isfinite(x)) Overflow();
    const long double r = std::nearbyintl(x);
    if (r >= 9223372036854775808.0L || r < -9223372036854775808.0L) Overflow();
    return Int64(r);
}

// A string read as an integer: an integer text, else a real one rounded.
Int64 StringToInt64(const String& s) {
    Int64 i = 0;
    if (TryStrToInt64(s, i)) return i;
    Extended e = 0;
    if (TryStrToFloat(s, e)) return RoundToInt64(e);
    CastError();
}

double StringToDouble(const String& s) {
    double d = 0;
    if (!TryStrToFloat(s, d)) CastError();
    return d;
}

Int64 CheckRange(Int64 v, Int64 low, Int64 high) {
    if (v < low || v > high) Overflow();
    return v;
}

} // namespace

Variant Variant::MakeNull() {
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Null() {
    return Variant::MakeNull();
}
Variant Unassigned() {
    return Variant();
}

Int64 Variant::ToInt64() const {
    switch (KindOf(*this)) {
    case Kind::Empty:
        return 0;
    case Kind::Boolean:
        return i_ ? -1 : 0;
    case Kind::Signed:
        return i_;
    case Kind::Unsigned:
        if (u_ > UInt64(std::numeric_limits<Int64>::max())) Overflow();
        return Int64(u_);
    case Kind::Float:
    case Kind::Date:
        return RoundToInt64(d_);
    case Kind::Currency:
        return RoundToInt64((long double)i_ / Currency::Scale);
    case Kind::String:
        return StringToInt64(s_);
    case Kind::Null:
    case Kind::Array:
        break;
    }
    CastError();
}

int Variant::ToInt() const {
    return int(CheckRange(ToInt64(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

UInt64 Variant::ToUInt64() const {
    if (KindOf(*this) == Kind::Unsigned) return u_;
    if (KindOf(*this) == Kind::Float || KindOf(*this) == Kind::Date) {
        if (!std::isfinite(d_)) Overflow();
        const long double r = std::nearbyintl((long double)d_);
        if (r < 0 || r >= 18446744073709551616.0L) Overflow();
        return UInt64(r);
    }
    const Int64 v = ToInt64();
    if (v < 0) Overflow();
    return UInt64(v);
}

double Variant::ToDouble() const {
    switch (KindOf(*this)) {
    case Kind::Empty:
        return 0;
    case Kind::Boolean:
        return i_ ? -1 : 0;
    case Kind::Signed:
        return double(i_);
    case Kind::Unsigned:
        return double(u_);
    case Kind::Float:
    case Kind::Date:
        return d_;
    case Kind::Currency:
        return Currency::FromRaw(i_).ToDouble();
    case Kind::String:
        return StringToDouble(s_);
    case Kind::Null:
    case Kind::Array:
        break;
    }
    CastError();
}

Currency Variant::ToCurrency() const {
    switch (KindOf(*this)) {
    case Kind::Currency:
        return Currency::FromRaw(i_);
    case Kind::String: {
        Currency c;
        if (!TryStrToCurr(s_, c)) CastError();
        return c;
    }
    case Kind::Signed:
    case Kind::Boolean:
    case Kind::Empty: {
        const Int64 v = ToInt64();
        if (v > std::numeric_limits<Int64>::max() / Currency::Scale ||
            v < std::numeric_limits<Int64>::min() / Currency::Scale)
            Overflow();
        return Currency::FromUnits(v);
    }
    case Kind::Unsigned:
    case Kind::Float:
    case Kind::Date:
        try {
            return Currency(KindOf(*this) == Kind::Unsigned ? (long double)u_ : (long double)d_);
        } catch (const EMathError&) {
            Overflow();
        }
    case Kind::Null:
    case Kind::Array:
        break;
    }
    CastError();
}

TDateTime Variant::ToDateTime() const {
    switch (KindOf(*this)) {
    case Kind::String: {
        TDateTime t;
        if (!TryStrToDateTime(s_, t)) CastError();
        return t;
    }
    case Kind::Null:
    case Kind::Array:
        CastError();
    default:
        return TDateTime(ToDouble());
    }
}

bool Variant::ToBool() const {
    switch (KindOf(*this)) {
    case Kind::Empty:
        return false;
    case Kind::Boolean:
    case Kind::Signed:
    case Kind::Currency:
        return i_ != 0;
    case Kind::Unsigned:
        return u_ != 0;
    case Kind::Float:
    case Kind::Date:
        return d_ != 0;
    case Kind::String: {
        bool b = false;
        if (!TryStrToBool(s_, b)) CastError();
        return b;
    }
    case Kind::Null:
    case Kind::Array:
        break;
    }
    CastError();
}

String Variant::ToString() const {
    switch (KindOf(*this)) {
    case Kind::Empty:
        return String();
    case Kind::Boolean:
        return BoolToStr(i_ != 0, true);
    case Kind::Signed:
        return IntToStr(i_);
    case Kind::Unsigned:
        return UIntToStr(u_);
    case Kind::Float:
        return FloatToStr(type_ == varSingle ? Extended(float(d_)) : Extended(d_));
    case Kind::Currency:
        return CurrToStr(Currency::FromRaw(i_));
    case Kind::Date:
        return DateTimeToStr(d_);
    case Kind::String:
        return s_;
    case Kind::Null:
    case Kind::Array:
        break;
    }
    CastError();
}

TVarType VarType(const Variant& v) {
    return v.VarType();
}
bool VarIsNull(const Variant& v) {
    return v.IsNull();
}
bool VarIsEmpty(const Variant& v) {
    return v.IsEmpty();
}
bool VarIsClear(const Variant& v) {
    return v.IsEmpty();
}
bool VarIsArray(const Variant& v) {
    return v.IsArray();
}

bool VarIsNumeric(const Variant& v) {
    switch (KindOf(v)) {
    case Kind::Boolean:
    case Kind::Signed:
    case Kind::Unsigned:
    case Kind::Float:
    case Kind::Currency:
        return true;
    default:
        return false;
    }
}

bool VarIsStr(const Variant& v) {
    return IsStringType(v.VarType());
}
bool VarIsType(const Variant& v, TVarType type) {
    return v.VarType() == type;
}

bool VarIsType(const Variant& v, std::initializer_list<TVarType> types) {
    for (TVarType t : types)
        if (v.VarType() == t) return true;
    return false;
}

String VarToStr(const Variant& v) {
    return v.IsNull() ? String() : v.ToString();
}
String VarToStrDef(const Variant& v, const String& defaultValue) {
    return v.IsNull() ? defaultValue : v.ToString();
}

TDateTime VarToDateTime(const Variant& v) {
    return v.ToDateTime();
}
Variant VarFromDateTime(TDateTime value) {
    return Variant(value);
}

Variant VarAsType(const Variant& v, TVarType type) {
    if (type == v.VarType() || type == varVariant) return v;
    if (type == varEmpty) return Variant();
    if (type == varNull) return Null();
    if (v.IsArray() || (type & varArray)) CastError();
    switch (type) {
    case varSmallint:
        return VA::Make(type, CheckRange(v.ToInt64(), -32768, 32767));
    case varInteger:
        return v.ToInt();
    case varShortInt:
        return VA::Make(type, CheckRange(v.ToInt64(), -128, 127));
    case varByte:
        return VA::Make(type, CheckRange(v.ToInt64(), 0, 255));
    case varWord:
        return VA::Make(type, CheckRange(v.ToInt64(), 0, 65535));
    case varLongWord:
        return VA::MakeUnsigned(type, UInt64(CheckRange(v.ToInt64(), 0, 4294967295LL)));
    case varInt64:
        return v.ToInt64();
    case varUInt64:
        return VA::MakeUnsigned(type, v.ToUInt64());
    case varSingle: {
        const double d = v.ToDouble();
        if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) Overflow();
        return VA::MakeDouble(type, double(float(d)));
    }
    case varDouble:
        return v.ToDouble();
    case varCurrency:
        return v.ToCurrency();
    case varDate:
        return v.ToDateTime();
    case varBoolean:
        return v.ToBool();
    case varString:
    case varUString:
    case varOleStr:
        return VA::MakeString(type, v.ToString());
    default:
        CastError();
    }
}
