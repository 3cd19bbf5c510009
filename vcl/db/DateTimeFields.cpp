#include "vcl/db/DateTimeFields.h"

#include <cmath>

#include "vcl/SysUtils.h"

TDateTimeField::TDateTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftDateTime) {}

TDateTimeField::TDateTimeField(TComponent* AOwner, TFieldType Type) : TField(AOwner) {
    SetDataType(Type);
}

void TDateTimeField::SetDisplayFormat(const String& Value) {
    displayFormat_ = Value;
    PropertyChanged(false);
}

TDateTime TDateTimeField::Adjust(TDateTime Value) const {
    if (DataType() == ftDate) return std::trunc(Value.Val);
    if (DataType() == ftTime) return std::fabs(Value.Val - std::trunc(Value.Val));
    return Value;
}

TDateTime TDateTimeField::ParseText(const String& Text) const {
    if (DataType() == ftDate) return StrToDate(Text);
    if (DataType() == ftTime) return StrToTime(Text);
    return StrToDateTime(Text);
}

Variant TDateTimeField::NativeValue(const Variant& Value) const {
    if (Value.IsNull() || Value.IsEmpty()) return Null();
    TDateTime d;
    try {
        if (VarIsStr(Value)) {
            if (!TryStrToDateTime(Trim(Value.ToString()), d)) ValueError();
        } else {
            d = Value.ToDateTime();
        }
    } catch (const EVariantError&) {
        ValueError();
    }
    if (!std::isfinite(d.Val)) ValueError();
    return Adjust(d);
}

String TDateTimeField::GetAsString() const {
    return GetClassText(false);
}

void TDateTimeField::SetAsStringValue(const String& Value) {
    const String text = Trim(Value);
    if (text.isEmpty())
        Clear();
    else
        SetAsDateTimeValue(ParseText(text));
}

double TDateTimeField::GetAsFloat() const {
    return GetAsDateTime().Val;
}
void TDateTimeField::SetAsFloatValue(double Value) {
    SetAsDateTimeValue(TDateTime(Value));
}

TDateTime TDateTimeField::GetAsDateTime() const {
    const Variant v = GetData();
    return v.IsNull() || v.IsEmpty() ? TDateTime() : v.ToDateTime();
}

void TDateTimeField::SetAsDateTimeValue(TDateTime Value) {
    SetData(Variant(Adjust(Value)));
}

String TDateTimeField::GetClassText(bool DisplayText) const {
    const Variant v = GetData();
    if (v.IsNull() || v.IsEmpty()) return String();
    const TDateTime d = v.ToDateTime();
    if (DisplayText && !displayFormat_.isEmpty()) return FormatDateTime(displayFormat_, d);
    if (DataType() == ftDate) return FormatDateTime(FormatSettings.ShortDateFormat, d);
    if (DataType() == ftTime) return FormatDateTime(FormatSettings.LongTimeFormat, d);
    return DateTimeToStr(d);
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner, ftDate) {}
TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftTime) {}
TSQLTimeStampField::TSQLTimeStampField(TComponent* AOwner) : TDateTimeField(AOwner, ftTimeStamp) {}
