#include "vcl/db/Field.h"

#include "vcl/db/Consts.h"
#include "vcl/db/DataSet.h"

using namespace DBConsts;

namespace {
const char* const TypeNames[FieldTypeCount] = {
    "Unknown",     "String",    "SmallInt",  "Integer",       "Word",     "Boolean",    "Float",
    "Currency",    "BCD",       "Date",      "Time",          "DateTime", "Bytes",      "VarBytes",
    "AutoInc",     "Blob",      "Memo",      "Graphic",       "FmtMemo",  "ParadoxOle", "dBaseOle",
    "TypedBinary", "Cursor",    "FixedChar", "WideString",    "Largeint", "ADT",        "Array",
    "Reference",   "DataSet",   "OraBlob",   "OraClob",       "Variant",  "Interface",  "IDispatch",
    "Guid",        "TimeStamp", "FMTBcd",    "FixedWideChar", "WideMemo"};
} // namespace

String FieldTypeName(TFieldType Type) {
    const int i = int(Type);
    return i >= 0 && i < FieldTypeCount ? QString::fromLatin1(TypeNames[i]) : QStringLiteral("Unknown");
}

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
    BeforeDestruction();
}

void TField::BeforeDestruction() {
    if (dataSet_) {
        // A field cannot leave an open data set: its records are laid out with the field in them.
        if (dataSet_->Active()) dataSet_->Close();
        TDataSet* ds = dataSet_;
        ds->fields_->Remove(this);
        ds->DataEvent(deFieldListChange, 0);
    }
    TComponent::BeforeDestruction();
}

void TField::SetDataSet(TDataSet* ADataSet) {
    if (ADataSet == dataSet_) return;
    if (dataSet_) dataSet_->CheckInactive();
    if (ADataSet) {
        ADataSet->CheckInactive();
        ADataSet->fields_->CheckFieldName(fieldName_);
    }
    if (TDataSet* old = dataSet_) {
        old->fields_->Remove(this);
        old->DataEvent(deFieldListChange, 0);
    }
    if (ADataSet) {
        ADataSet->fields_->Add(this);
        ADataSet->DataEvent(deFieldListChange, 0);
    }
}

TComponent* TField::GetParentComponent() const {
    return dataSet_;
}

void TField::SetParentComponent(TComponent* AParent) {
    if (!(ComponentState() & csLoading) || AParent) SetDataSet(dynamic_cast<TDataSet*>(AParent));
}

void TField::CheckInactive() const {
    if (dataSet_) dataSet_->CheckInactive();
}

void TField::SetSize(int Value) {
    CheckInactive();
    size_ = Value;
}

void TField::SetFieldKind(TFieldKind Value) {
    if (fieldKind_ == Value) return;
    CheckInactive();
    fieldKind_ = Value;
}

void TField::SetFieldName(const String& Value) {
    if (Value == fieldName_) return;
    CheckInactive();
    if (dataSet_ && Value.compare(fieldName_, Qt::CaseInsensitive) != 0)
        dataSet_->fields_->CheckFieldName(Value);
    fieldName_ = Value;
}

void TField::PropertyChanged(bool LayoutAffected) {
    if (dataSet_ && dataSet_->Active())
        dataSet_->DataEvent(LayoutAffected ? deLayoutChange : deDataSetChange, 0);
}

void TField::SetDisplayLabel(const String& Value) {
    const String label = Value == fieldName_ ? String() : Value;
    if (label == displayLabel_) return;
    displayLabel_ = label;
    PropertyChanged(true);
}

void TField::SetDisplayWidth(int Value) {
    if (Value == displayWidth_) return;
    displayWidth_ = Value;
    PropertyChanged(true);
}

void TField::SetAlignment(TAlignment Value) {
    if (Value == alignment_) return;
    alignment_ = Value;
    PropertyChanged(false);
}

void TField::SetVisible(bool Value) {
    if (Value == visible_) return;
    visible_ = Value;
    PropertyChanged(true);
}

void TField::SetReadOnly(bool Value) {
    if (Value == readOnly_) return;
    readOnly_ = Value;
    PropertyChanged(true);
}

void TField::SetEditMask(const String& Value) {
    editMask_ = Value;
    PropertyChanged(false);
}

int TField::Index() const {
    return dataSet_ ? dataSet_->fields_->IndexOf(this) : -1;
}

void TField::SetIndex(int Value) {
    if (!dataSet_) return;
    const int count = dataSet_->fields_->Count();
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    const int current = Index();
    if (current == Value) return;
    dataSet_->fields_->Move(current, Value);
    PropertyChanged(true);
}

void TField::SetLookupDataSet(TDataSet* Value) {
    if (Value == lookupDataSet_) return;
    CheckInactive();
    if (Value && Value == dataSet_) DatabaseError(QString::fromLatin1(SCircularDataLink), this);
    if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
    lookupDataSet_ = Value;
    if (Value) Value->FreeNotification(this);
}

void TField::SetKeyFields(const String& Value) {
    CheckInactive();
    keyFields_ = Value;
}

void TField::SetLookupKeyFields(const String& Value) {
    CheckInactive();
    lookupKeyFields_ = Value;
}

void TField::SetLookupResultField(const String& Value) {
    CheckInactive();
    lookupResultField_ = Value;
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == lookupDataSet_) lookupDataSet_ = nullptr;
}

Variant TField::GetData() const {
    if (validating_) return *validateValue_;
    if (!dataSet_) DatabaseErrorFmt(SDataSetMissing, {DisplayName()});
    return dataSet_->GetFieldData(const_cast<TField*>(this));
}

void TField::SetData(const Variant& Value) {
    if (!dataSet_) DatabaseErrorFmt(SDataSetMissing, {DisplayName()});
    dataSet_->SetFieldData(this, Value);
}

bool TField::IsNull() const {
    const Variant v = GetData();
    return v.IsNull() || v.IsEmpty();
}

Variant TField::OldValue() const {
    if (!dataSet_) DatabaseErrorFmt(SDataSetMissing, {DisplayName()});
    return dataSet_->GetOldFieldData(const_cast<TField*>(this));
}

void TField::AccessError(const char* TypeName) const {
    DatabaseErrorFmt(SFieldAccessError, {DisplayName(), QString::fromLatin1(TypeName)});
}

void TField::ValueError() const {
    DatabaseErrorFmt(SFieldValueError, {DisplayName()});
}

// The base has no representation of its own: each kind of field gives the ones it supports.
String TField::GetAsString() const {
    AccessError("String");
}
void TField::SetAsStringValue(const String&) {
    AccessError("String");
}
int TField::GetAsInteger() const {
    AccessError("Integer");
}
void TField::SetAsIntegerValue(int) {
    AccessError("Integer");
}
Int64 TField::GetAsLargeInt() const {
    AccessError("Largeint");
}
void TField::SetAsLargeIntValue(Int64) {
    AccessError("Largeint");
}
double TField::GetAsFloat() const {
    AccessError("Float");
}
void TField::SetAsFloatValue(double) {
    AccessError("Float");
}
Currency TField::GetAsCurrency() const {
    AccessError("Currency");
}
void TField::SetAsCurrencyValue(Currency) {
    AccessError("Currency");
}
TDateTime TField::GetAsDateTime() const {
    AccessError("DateTime");
}
void TField::SetAsDateTimeValue(TDateTime) {
    AccessError("DateTime");
}
bool TField::GetAsBoolean() const {
    AccessError("Boolean");
}
void TField::SetAsBooleanValue(bool) {
    AccessError("Boolean");
}

Variant TField::GetAsVariant() const {
    const Variant v = GetData();
    return v.IsEmpty() ? Null() : v;
}

void TField::SetAsVariant(const Variant& Value) {
    if (Value.IsNull() || Value.IsEmpty()) {
        Clear();
        return;
    }
    SetData(NativeValue(Value));
}

Variant TField::NativeValue(const Variant& Value) const {
    return Value;
}

void TField::Assign(TPersistent* Source) {
    if (!Source) {
        Clear();
        return;
    }
    if (auto* field = dynamic_cast<TField*>(Source)) {
        SetAsVariant(field->AsVariant());
        return;
    }
    TComponent::Assign(Source);
}

String TField::GetClassText(bool) const {
    return GetAsString();
}

String TField::DisplayText() const {
    if (OnGetText) {
        String text;
        OnGetText(const_cast<TField*>(this), text, true);
        return text;
    }
    return GetClassText(true);
}

String TField::Text() const {
    if (OnGetText) {
        String text;
        OnGetText(const_cast<TField*>(this), text, false);
        return text;
    }
    return GetClassText(false);
}

void TField::SetText(const String& Value) {
    if (OnSetText)
        OnSetText(this, Value);
    else
        SetAsString(Value);
}

void TField::Validate(const Variant& NewValue) {
    if (!OnValidate) return;
    // The handler reads the field as if the new value were already stored.
    const bool wasValidating = validating_;
    const Variant* previous = validateValue_;
    validating_ = true;
    validateValue_ = &NewValue;
    try {
        OnValidate(this);
    } catch (...) {
        validating_ = wasValidating;
        validateValue_ = previous;
        throw;
    }
    validating_ = wasValidating;
    validateValue_ = previous;
}

bool TField::IsValidChar(QChar) const {
    return true;
}

bool TField::CanModify() const {
    if (!dataSet_ || fieldNo_ <= 0) return false;
    if (dataSet_->State() == dsSetKey) return isIndexField_;
    return !readOnly_ && dataSet_->CanModify();
}

void TField::FocusControl() {
    if (!dataSet_ || !dataSet_->Active()) return;
    TField* field = this;
    dataSet_->DataEvent(deFocusControl, NativeInt(&field));
}

void TField::Change() {
    if (OnChange) OnChange(this);
}

#include "moc_Field.cpp"
