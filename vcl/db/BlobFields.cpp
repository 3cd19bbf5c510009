#include "vcl/db/BlobFields.h"

#include "vcl/db/Consts.h"

namespace {
bool IsValue(const Variant& v) {
    return !v.IsNull() && !v.IsEmpty();
}

// Variant errors become the field's own error.
template <class F> auto Converting(const TField* field, F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const EVariantError&) {
        DatabaseErrorFmt(DBConsts::SFieldValueError, {field->DisplayName()});
    }
}
} // namespace

// TBinaryField

TBinaryField::TBinaryField(TComponent* AOwner, TFieldType Type) : TField(AOwner) {
    SetDataType(Type);
    SetSizeValue(Type == ftBytes || Type == ftVarBytes ? 16 : 0);
}

QByteArray TBinaryField::AsBytes() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToString().toLatin1() : QByteArray();
}

void TBinaryField::SetAsBytes(const QByteArray& Value) {
    if (Value.isNull())
        Clear();
    else
        SetData(QString::fromLatin1(Value));
}

Variant TBinaryField::NativeValue(const Variant& Value) const {
    if (!IsValue(Value)) return Null();
    const String text = Converting(this, [&] { return Value.ToString(); });
    for (QChar c : text)
        if (c.unicode() > 255) ValueError();
    return text;
}

String TBinaryField::GetAsString() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToString() : String();
}

void TBinaryField::SetAsStringValue(const String& Value) {
    SetData(NativeValue(Value));
}

String TBinaryField::GetClassText(bool) const {
    const String text = QStringLiteral("(%1)").arg(FieldTypeName(DataType()));
    return IsNull() ? text : text.toUpper();
}

TBytesField::TBytesField(TComponent* AOwner) : TBinaryField(AOwner, ftBytes) {}
TVarBytesField::TVarBytesField(TComponent* AOwner) : TBinaryField(AOwner, ftVarBytes) {}

// TBlobField

TBlobField::TBlobField(TComponent* AOwner) : TBinaryField(AOwner, ftBlob) {}
TBlobField::TBlobField(TComponent* AOwner, TFieldType Type) : TBinaryField(AOwner, Type) {}

void TBlobField::SetBlobType(TFieldType Value) {
    CheckInactive();
    SetDataType(Value);
}

// TMemoField

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner, ftMemo) {}
TMemoField::TMemoField(TComponent* AOwner, TFieldType Type) : TBlobField(AOwner, Type) {}

Variant TMemoField::NativeValue(const Variant& Value) const {
    if (!IsValue(Value)) return Null();
    return Converting(this, [&] { return Variant(Value.ToString()); });
}

String TMemoField::GetAsString() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToString() : String();
}

void TMemoField::SetAsStringValue(const String& Value) {
    SetData(NativeValue(Value));
}

TWideMemoField::TWideMemoField(TComponent* AOwner) : TMemoField(AOwner, ftWideMemo) {}
TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner, ftGraphic) {}

// TVariantField

TVariantField::TVariantField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftVariant);
}

String TVariantField::GetAsString() const {
    return VarToStr(GetAsVariant());
}
void TVariantField::SetAsStringValue(const String& Value) {
    SetAsVariant(Value);
}
int TVariantField::GetAsInteger() const {
    return Converting(this, [&] { return IsNull() ? 0 : GetAsVariant().ToInt(); });
}
void TVariantField::SetAsIntegerValue(int Value) {
    SetAsVariant(Value);
}
double TVariantField::GetAsFloat() const {
    return Converting(this, [&] { return IsNull() ? 0.0 : GetAsVariant().ToDouble(); });
}
void TVariantField::SetAsFloatValue(double Value) {
    SetAsVariant(Value);
}
Currency TVariantField::GetAsCurrency() const {
    return Converting(this, [&] { return IsNull() ? Currency() : GetAsVariant().ToCurrency(); });
}
void TVariantField::SetAsCurrencyValue(Currency Value) {
    SetAsVariant(Value);
}
TDateTime TVariantField::GetAsDateTime() const {
    return Converting(this, [&] { return IsNull() ? TDateTime() : GetAsVariant().ToDateTime(); });
}
void TVariantField::SetAsDateTimeValue(TDateTime Value) {
    SetAsVariant(Value);
}
bool TVariantField::GetAsBoolean() const {
    return Converting(this, [&] { return !IsNull() && GetAsVariant().ToBool(); });
}
void TVariantField::SetAsBooleanValue(bool Value) {
    SetAsVariant(Value);
}
