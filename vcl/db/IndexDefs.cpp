#include "vcl/db/IndexDefs.h"

#include "vcl/db/Consts.h"
#include "vcl/db/DataSet.h"

using namespace DBConsts;

namespace {
bool ListHas(const String& list, const String& name) {
    for (const String& n : FieldNameList(list))
        if (n.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}
} // namespace

TIndexDef::TIndexDef(TCollection* Collection) : TCollectionItem(Collection) {}

void TIndexDef::SetName(const String& Value) {
    name_ = Value;
    Changed(false);
}

void TIndexDef::SetFields(const String& Value) {
    fields_ = Value;
    Changed(false);
}

void TIndexDef::SetDescFields(const String& Value) {
    descFields_ = Value;
    Changed(false);
}

void TIndexDef::SetCaseInsFields(const String& Value) {
    caseInsFields_ = Value;
    Changed(false);
}

void TIndexDef::SetOptions(TIndexOptions Value) {
    options_ = Value;
    Changed(false);
}

bool TIndexDef::IsDescending(int FieldIndex) const {
    const QStringList names = FieldNameList(fields_);
    if (FieldIndex < 0 || FieldIndex >= names.size()) return false;
    if (descFields_.isEmpty()) return options_.testFlag(ixDescending);
    return ListHas(descFields_, names[FieldIndex]);
}

bool TIndexDef::IsCaseInsensitive(int FieldIndex) const {
    const QStringList names = FieldNameList(fields_);
    if (FieldIndex < 0 || FieldIndex >= names.size()) return false;
    if (caseInsFields_.isEmpty()) return options_.testFlag(ixCaseInsensitive);
    return ListHas(caseInsFields_, names[FieldIndex]);
}

void TIndexDef::Assign(TPersistent* Source) {
    if (auto* def = dynamic_cast<TIndexDef*>(Source)) {
        name_ = def->name_;
        fields_ = def->fields_;
        descFields_ = def->descFields_;
        caseInsFields_ = def->caseInsFields_;
        expression_ = def->expression_;
        source_ = def->source_;
        options_ = def->options_;
        groupingLevel_ = def->groupingLevel_;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

TIndexDefs::TIndexDefs(TDataSet* ADataSet)
    : TOwnedCollection(ADataSet, TCollectionItemClass::Of<TIndexDef>()), dataSet_(ADataSet) {}

TIndexDef* TIndexDefs::Add(const String& Name, const String& Fields, TIndexOptions Options) {
    if (IndexOf(Name) >= 0) DatabaseErrorFmt(SDuplicateIndexName, {Name}, dataSet_);
    TIndexDef* def = AddIndexDef();
    BeginUpdate();
    def->SetName(Name);
    def->SetFields(Fields);
    def->SetOptions(Options);
    EndUpdate();
    return def;
}

int TIndexDefs::IndexOf(const String& Name) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Name().compare(Name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

TIndexDef* TIndexDefs::Find(const String& Name) const {
    const int i = IndexOf(Name);
    if (i < 0) DatabaseErrorFmt(SIndexNotFound, {Name}, dataSet_);
    return Items(i);
}

TIndexDef* TIndexDefs::GetIndexForFields(const String& Fields, bool CaseInsensitive) const {
    const QStringList wanted = FieldNameList(Fields);
    if (wanted.isEmpty()) return nullptr;
    for (int i = 0; i < Count(); ++i) {
        TIndexDef* def = Items(i);
        if (def->Options().testFlag(ixExpression)) continue;
        if (CaseInsensitive != def->Options().testFlag(ixCaseInsensitive)) continue;
        const QStringList have = FieldNameList(def->Fields());
        if (have.size() < wanted.size()) continue;
        bool match = true;
        for (int k = 0; k < wanted.size() && match; ++k)
            match = have[k].compare(wanted[k], Qt::CaseInsensitive) == 0;
        if (match) return def;
    }
    return nullptr;
}

TIndexDef* TIndexDefs::FindIndexForFields(const String& Fields) const {
    TIndexDef* def = GetIndexForFields(Fields, false);
    if (!def) def = GetIndexForFields(Fields, true);
    if (!def) DatabaseErrorFmt(SNoIndexForFields, {Fields}, dataSet_);
    return def;
}

void TIndexDefs::Update() {
    if (dataSet_) dataSet_->UpdateIndexDefs();
}
