#include "vcl/db/StringFields.h"

#include "vcl/SysUtils.h"

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftString);
    SetSizeValue(20);
}

Variant TStringField::NativeValue(const Variant& Value) const {
    if (Value.IsNull() || Value.IsEmpty()) return Null();
    String text;
    try {
        text = Value.ToString();
    } catch (const EVariantError&) {
        ValueError();
    }
    if (Size() > 0 && text.size() > Size()) text.truncate(Size());
    if (text.isEmpty()) return Null();
    return text;
}

String TStringField::GetAsString() const {
    const Variant v = GetData();
    return v.IsNull() || v.IsEmpty() ? String() : v.ToString();
}

void TStringField::SetAsStringValue(const String& Value) {
    SetData(NativeValue(Value));
}
int TStringField::GetAsInteger() const {
    return StrToInt(GetAsString());
}
void TStringField::SetAsIntegerValue(int Value) {
    SetAsStringValue(IntToStr(Value));
}
Int64 TStringField::GetAsLargeInt() const {
    return StrToInt64(GetAsString());
}
void TStringField::SetAsLargeIntValue(Int64 Value) {
    SetAsStringValue(IntToStr(Value));
}
double TStringField::GetAsFloat() const {
    return double(StrToFloat(GetAsString()));
}
void TStringField::SetAsFloatValue(double Value) {
    SetAsStringValue(FloatToStr(Value));
}
Currency TStringField::GetAsCurrency() const {
    return StrToCurr(GetAsString());
}
void TStringField::SetAsCurrencyValue(Currency Value) {
    SetAsStringValue(CurrToStr(Value));
}
TDateTime TStringField::GetAsDateTime() const {
    return StrToDateTime(GetAsString());
}
void TStringField::SetAsDateTimeValue(TDateTime Value) {
    SetAsStringValue(DateTimeToStr(Value));
}

bool TStringField::GetAsBoolean() const {
    const String s = GetAsString();
    return !s.isEmpty() && String(QStringLiteral("TtYy")).contains(s[0]);
}

void TStringField::SetAsBooleanValue(bool Value) {
    SetAsStringValue(Value ? QStringLiteral("T") : QStringLiteral("F"));
}

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) {
    SetDataType(ftWideString);
}

TGuidField::TGuidField(TComponent* AOwner) : TStringField(AOwner) {
    SetDataType(ftGuid);
    SetSizeValue(38);
}
