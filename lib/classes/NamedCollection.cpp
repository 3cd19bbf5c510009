#include "lib/classes/NamedCollection.h"

#include "lib/moxConsts.h"
#include "vcl/SysUtils.h"

void TNamedCollectionItem::Assign(TPersistent* Source) {
    if (auto* item = dynamic_cast<TNamedCollectionItem*>(Source)) {
        SetName(item->Name());
        return;
    }
    TCollectionItem::Assign(Source);
}

String TNamedCollectionItem::GetDisplayName() const {
    return name_.isEmpty() ? TCollectionItem::GetDisplayName() : name_;
}

void TNamedCollectionItem::SetDisplayName(const String& Value) {
    auto* items = dynamic_cast<TNamedCollectionItems*>(Collection());
    if (!Value.isEmpty() && AnsiCompareText(Value, name_) != 0 && items && !items->AllowDuplicateNames() &&
        items->Find(Value))
        throw Exception(Format(moxConsts::SDuplicateItem, {Value}));
    name_ = Value;
    TCollectionItem::SetDisplayName(Value);
}

TNamedCollectionItem* TNamedCollectionItems::Find(const String& Name) const {
    for (int i = 0; i < Count(); ++i) {
        auto* item = dynamic_cast<TNamedCollectionItem*>(Items(i));
        if (item && AnsiCompareText(item->Name(), Name) == 0) return item;
    }
    return nullptr;
}
