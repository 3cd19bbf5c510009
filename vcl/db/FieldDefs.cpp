#include "vcl/db/FieldDefs.h"

#include "vcl/db/Consts.h"
#include "vcl/db/DataSet.h"

using namespace DBConsts;

TFieldDef::TFieldDef(TCollection* Collection) : TCollectionItem(Collection) {}

void TFieldDef::SetName(const String& Value) {
    name_ = Value;
    Changed(false);
}

void TFieldDef::SetDataType(TFieldType Value) {
    dataType_ = Value;
    Changed(false);
}

void TFieldDef::SetSize(int Value) {
    size_ = Value;
    Changed(false);
}

void TFieldDef::SetPrecision(int Value) {
    precision_ = Value;
    Changed(false);
}

void TFieldDef::SetAttributes(TFieldAttributes Value) {
    attributes_ = Value;
    Changed(false);
}

void TFieldDef::SetRequired(bool Value) {
    SetAttributes(Value ? attributes_ | faRequired : attributes_ & ~TFieldAttributes(faRequired));
}

TField* TFieldDef::CreateField(TComponent* Owner) {
    const TPersistentClass fieldClass = DefaultFieldClass(dataType_);
    if (!fieldClass)
        DatabaseErrorFmt(SFieldTypeMismatch,
                         {name_, QStringLiteral("a field class"), FieldTypeName(dataType_)});
    auto* field = static_cast<TField*>(fieldClass.CreateComponent(Owner));
    try {
        field->SetFieldName(name_);
        // A class that serves several types (BLOBs, fixed strings) takes the definition's.
        if (field->DataType() != dataType_) field->SetDataType(dataType_);
        if (field->DataType() == ftString || field->DataType() == ftFixedChar ||
            field->DataType() == ftWideString || field->DataType() == ftFixedWideChar ||
            field->DataType() == ftGuid || field->DataType() == ftBytes || field->DataType() == ftVarBytes ||
            field->DataType() == ftBCD || field->DataType() == ftFMTBcd)
            field->SetSizeValue(size_);
        field->SetRequired(Required());
        if (attributes_.testFlag(faReadonly)) field->SetReadOnly(true);
        if (attributes_.testFlag(faHiddenCol)) field->SetVisible(false);
        if (auto* defs = dynamic_cast<TFieldDefs*>(Collection())) field->SetDataSet(defs->DataSet());
    } catch (...) {
        field->Free();
        throw;
    }
    return field;
}

void TFieldDef::Assign(TPersistent* Source) {
    if (auto* def = dynamic_cast<TFieldDef*>(Source)) {
        name_ = def->name_;
        dataType_ = def->dataType_;
        size_ = def->size_;
        precision_ = def->precision_;
        attributes_ = def->attributes_;
        internalCalc_ = def->internalCalc_;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

TFieldDefs::TFieldDefs(TDataSet* ADataSet)
    : TOwnedCollection(ADataSet, TCollectionItemClass::Of<TFieldDef>()), dataSet_(ADataSet) {}

TFieldDef* TFieldDefs::Add(const String& Name, TFieldType DataType, int Size, bool Required) {
    if (Name.isEmpty()) DatabaseError(QString::fromLatin1(SFieldNameMissing), dataSet_);
    if (IndexOf(Name) >= 0) DatabaseErrorFmt(SDuplicateFieldName, {Name}, dataSet_);
    TFieldDef* def = AddFieldDef();
    BeginUpdate();
    def->SetName(Name);
    def->SetDataType(DataType);
    def->SetSize(Size);
    def->SetRequired(Required);
    EndUpdate();
    return def;
}

int TFieldDefs::IndexOf(const String& Name) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Name().compare(Name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

TFieldDef* TFieldDefs::FindDef(const String& Name) const {
    const int i = IndexOf(Name);
    return i >= 0 ? Items(i) : nullptr;
}

TFieldDef* TFieldDefs::Find(const String& Name) const {
    TFieldDef* def = FindDef(Name);
    if (!def) DatabaseErrorFmt(SFieldNotFound, {Name}, dataSet_);
    return def;
}

void TFieldDefs::Update() {
    if (!updated_ && dataSet_) dataSet_->InitFieldDefs();
}
