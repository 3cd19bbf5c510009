#include "vcl/typinfo/PropValues.h"

#include <limits>

#include "vcl/typinfo/Consts.h"
#include "vcl/typinfo/Internal.h"
#include "vcl/typinfo/PropAccess.h"

using namespace TypInfoConsts;
using mox::typinfo::RaiseInvalidPropType;
using mox::typinfo::RequireKind;
using mox::typinfo::RequireProp;

namespace {

bool IsQVariant(PPropInfo info) {
    return info->Type() == QMetaType::fromType<QVariant>();
}
bool IsUnsigned64(PPropInfo info) {
    return info->Type().id() == QMetaType::ULongLong || info->Type().id() == QMetaType::ULong;
}

Variant IntegerVariant(Int64 value) {
    if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
        return Variant(int(value));
    return Variant((long long)value);
}

} // namespace

Variant GetVariantProp(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, tkVariant);
    const QVariant value = mox::typinfo::ReadValue(Instance, PropInfo);
    return IsQVariant(PropInfo) ? Variant::FromQVariant(value) : value.value<Variant>();
}
Variant GetVariantProp(const TObject* Instance, const String& PropName) {
    return GetVariantProp(Instance, RequireProp(Instance, PropName));
}

void SetVariantProp(TObject* Instance, PPropInfo PropInfo, const Variant& Value) {
    RequireKind(PropInfo, tkVariant);
    mox::typinfo::WriteValue(Instance, PropInfo,
                             IsQVariant(PropInfo) ? Value.ToQVariant() : QVariant::fromValue(Value));
}
void SetVariantProp(TObject* Instance, const String& PropName, const Variant& Value) {
    SetVariantProp(Instance, RequireProp(Instance, PropName), Value);
}

Variant GetPropValue(const TObject* Instance, PPropInfo PropInfo, bool PreferStrings) {
    switch (PropInfo->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
        return IntegerVariant(GetOrdProp(Instance, PropInfo));
    case tkEnumeration:
        if (PropInfo->Type().id() == QMetaType::Bool) return Variant(GetOrdProp(Instance, PropInfo) != 0);
        return PreferStrings ? Variant(GetEnumProp(Instance, PropInfo))
                             : IntegerVariant(GetOrdProp(Instance, PropInfo));
    case tkSet:
        return PreferStrings ? Variant(GetSetProp(Instance, PropInfo))
                             : IntegerVariant(GetOrdProp(Instance, PropInfo));
    case tkFloat: {
        const Extended value = GetFloatProp(Instance, PropInfo);
        if (PropInfo->Type() == QMetaType::fromType<TDateTime>()) return Variant(TDateTime(double(value)));
        if (PropInfo->FloatType() == ftCurr) return Variant(Currency(value));
        if (PropInfo->FloatType() == ftSingle) return Variant(float(value));
        return Variant(double(value));
    }
    case tkLString:
        return Variant(GetStrProp(Instance, PropInfo));
    case tkInt64: {
        const Int64 value = GetInt64Prop(Instance, PropInfo);
        return IsUnsigned64(PropInfo) ? Variant((unsigned long long)value) : Variant((long long)value);
    }
    case tkVariant:
        return GetVariantProp(Instance, PropInfo);
    default:
        RaiseInvalidPropType(PropInfo);
    }
}
Variant GetPropValue(const TObject* Instance, const String& PropName, bool PreferStrings) {
    return GetPropValue(Instance, RequireProp(Instance, PropName), PreferStrings);
}

void SetPropValue(TObject* Instance, PPropInfo PropInfo, const Variant& Value) {
    switch (PropInfo->Kind()) {
    case tkInteger:
        SetOrdProp(Instance, PropInfo, Value.ToInt64());
        break;
    case tkChar:
    case tkWChar:
        if (VarIsStr(Value)) {
            const String text = Value.ToString();
            if (text.size() != 1) throw EPropertyConvertError(QString::fromLatin1(SInvalidPropertyValue));
            SetOrdProp(Instance, PropInfo, text[0].unicode());
        } else {
            SetOrdProp(Instance, PropInfo, Value.ToInt64());
        }
        break;
    case tkEnumeration:
        if (PropInfo->Type().id() == QMetaType::Bool)
            SetOrdProp(Instance, PropInfo, Value.ToBool() ? 1 : 0);
        else if (VarIsStr(Value))
            SetEnumProp(Instance, PropInfo, Value.ToString());
        else
            SetOrdProp(Instance, PropInfo, Value.ToInt64());
        break;
    case tkSet:
        if (VarIsStr(Value))
            SetSetProp(Instance, PropInfo, Value.ToString());
        else
            SetOrdProp(Instance, PropInfo, Value.ToInt64());
        break;
    case tkFloat:
        if (PropInfo->FloatType() == ftCurr) {
            // Straight from the variant's count of ten-thousandths, not through a binary fraction.
            mox::typinfo::WriteValue(Instance, PropInfo, QVariant::fromValue(Value.ToCurrency()));
        } else if (PropInfo->Type() == QMetaType::fromType<TDateTime>()) {
            SetFloatProp(Instance, PropInfo, Value.ToDateTime().Val);
        } else {
            SetFloatProp(Instance, PropInfo, Value.ToDouble());
        }
        break;
    case tkLString:
        SetStrProp(Instance, PropInfo, VarToStr(Value));
        break;
    case tkInt64:
        SetInt64Prop(Instance, PropInfo, IsUnsigned64(PropInfo) ? Int64(Value.ToUInt64()) : Value.ToInt64());
        break;
    case tkVariant:
        SetVariantProp(Instance, PropInfo, Value);
        break;
    default:
        RaiseInvalidPropType(PropInfo);
    }
}
void SetPropValue(TObject* Instance, const String& PropName, const Variant& Value) {
    SetPropValue(Instance, RequireProp(Instance, PropName), Value);
}
