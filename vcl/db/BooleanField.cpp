#include "vcl/db/BooleanField.h"

#include "vcl/SysUtils.h"
#include "vcl/db/Consts.h"

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftBoolean);
    SetDisplayValues(String());
}

void TBooleanField::SetDisplayValues(const String& Value) {
    displayValues_ = Value;
    if (Value.isEmpty()) {
        trueText_ = QStringLiteral("True");
        falseText_ = QStringLiteral("False");
    } else {
        const qsizetype semicolon = Value.indexOf(u';');
        trueText_ = semicolon < 0 ? Value : Value.left(semicolon);
        falseText_ = semicolon < 0 ? String() : Value.mid(semicolon + 1);
    }
    PropertyChanged(true);
}

Variant TBooleanField::NativeValue(const Variant& Value) const {
    if (Value.IsNull() || Value.IsEmpty()) return Null();
    if (VarIsStr(Value)) {
        const String text = Value.ToString();
        if (text.compare(trueText_, Qt::CaseInsensitive) == 0) return true;
        if (text.compare(falseText_, Qt::CaseInsensitive) == 0) return false;
        bool b = false;
        if (TryStrToBool(text, b)) return b;
        ValueError();
    }
    try {
        return Value.ToBool();
    } catch (const EVariantError&) {
        ValueError();
    }
}

String TBooleanField::GetAsString() const {
    const Variant v = GetData();
    if (v.IsNull() || v.IsEmpty()) return String();
    return v.ToBool() ? trueText_ : falseText_;
}

void TBooleanField::SetAsStringValue(const String& Value) {
    const int length = int(Value.size());
    if (length == 0) {
        Clear();
        return;
    }
    if (AnsiSameText(Value, falseText_.left(length)))
        SetAsBooleanValue(false);
    else if (AnsiSameText(Value, trueText_.left(length)))
        SetAsBooleanValue(true);
    else
        DatabaseErrorFmt(DBConsts::SInvalidBoolValue, {Value, DisplayName()});
}

bool TBooleanField::GetAsBoolean() const {
    const Variant v = GetData();
    return !v.IsNull() && !v.IsEmpty() && v.ToBool();
}

void TBooleanField::SetAsBooleanValue(bool Value) {
    SetData(Value);
}

int TBooleanField::GetDefaultWidth() const {
    return int(std::max(trueText_.size(), falseText_.size()));
}
