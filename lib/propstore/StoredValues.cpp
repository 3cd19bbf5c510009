#include "lib/propstore/StoredValues.h"

#include "lib/propstore/PropStorage.h"
#include "lib/propstore/SettingsScope.h"

using namespace mox::propstore;

void TStoredValue::Assign(TPersistent* Source) {
    if (auto* value = dynamic_cast<TStoredValue*>(Source)) {
        value_ = value->value_;
        return;
    }
    TNamedCollectionItem::Assign(Source);
}

TmoxPropStorage* TStoredValue::Storage() const {
    return Collection() ? dynamic_cast<TmoxPropStorage*>(Collection()->Owner()) : nullptr;
}

void TStoredValue::LoadValue() {
    TmoxPropStorage* storage = Storage();
    if (!storage) return;
    InReadScope(storage->AppIniFile(), [&](TCustomIniFile* store) {
        Variant value(store->ReadString(storage->AppSection(), Name(), VarToStr(value_)));
        storage->DoLoadValue(this, value);
        value_ = value;
    });
}

void TStoredValue::SaveValue() {
    TmoxPropStorage* storage = Storage();
    if (!storage) return;
    InWriteScope(storage->AppIniFile(), [&](TCustomIniFile* store) {
        Variant value = value_;
        storage->DoSaveValue(this, value);
        store->WriteString(storage->AppSection(), Name(), VarToStr(value));
    });
}

TStoredValues::TStoredValues(TmoxPropStorage* AOwner)
    : TNamedCollectionItems(AOwner, TCollectionItemClass::Of<TStoredValue>()) {}

TmoxPropStorage* TStoredValues::Storage() const { return dynamic_cast<TmoxPropStorage*>(Owner()); }

void TStoredValues::SaveValues() {
    TmoxPropStorage* storage = Storage();
    if (!storage) return;
    InWriteScope(storage->AppIniFile(), [&](TCustomIniFile*) {
        for (int i = 0; i < Count(); ++i)
            Items(i)->SaveValue();
    });
}

void TStoredValues::LoadValues() {
    TmoxPropStorage* storage = Storage();
    if (!storage) return;
    InReadScope(storage->AppIniFile(), [&](TCustomIniFile*) {
        for (int i = 0; i < Count(); ++i)
            Items(i)->LoadValue();
    });
}
