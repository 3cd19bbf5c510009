#include "vcl/classes/Collection.h"

#include <QMetaProperty>

#include "vcl/classes/ClassesConsts.h"

using namespace ClassesConsts;

String TCollectionItemClass::ClassName() const {
    return MetaObject ? QString::fromLatin1(MetaObject->className()) : String();
}

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* Collection) {
    if (Collection) Collection->InsertItem(this, !Collection->building_);
}

TCollectionItem::~TCollectionItem() {
    Leave();
}

void TCollectionItem::BeforeDestruction() {
    Leave();
}

void TCollectionItem::Leave() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == collection_) return;
    if (Value && Value->itemClass_.MetaObject && !metaObject()->inherits(Value->itemClass_.MetaObject))
        throw EListError(QString::fromLatin1(SInvalidProperty));
    if (collection_) collection_->RemoveItem(this);
    if (Value) Value->InsertItem(this, true);
}

int TCollectionItem::Index() const {
    return collection_ ? int(collection_->items_.indexOf(const_cast<TCollectionItem*>(this))) : -1;
}

void TCollectionItem::SetIndex(int Value) {
    const int current = Index();
    if (current >= 0 && current != Value) collection_->Move(current, Value);
}

void TCollectionItem::SetDisplayName(const String&) {
    Changed(false);
}

String TCollectionItem::GetDisplayName() const {
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems) {
    if (collection_ && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

String TCollectionItem::GetNamePath() const {
    if (!collection_) return ClassName();
    return QStringLiteral("%1[%2]").arg(collection_->GetNamePath()).arg(Index());
}

TPersistent* TCollectionItem::GetOwner() const {
    return collection_;
}

// ---- TCollection ----

TCollection::TCollection(const TCollectionItemClass& ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
    RunDestruction();
}

void TCollection::BeforeDestruction() {
    RunDestruction();
}

void TCollection::RunDestruction() {
    if (destroyed_) return;
    destroyed_ = true;
    // No change reports from a collection that is going.
    updateCount_ = 1;
    while (!items_.isEmpty())
        items_.last()->Free();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= items_.size()) throw EListError(Fmt(SListIndexError, Index));
    return items_[Index];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) {
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::Add() {
    if (!itemClass_.Create) throw EListError(QString::fromLatin1(SInvalidProperty));
    building_ = true;
    TCollectionItem* item = nullptr;
    try {
        item = itemClass_.Create(this);
        if (!item) throw EListError(QString::fromLatin1(SInvalidProperty));
    } catch (...) {
        building_ = false;
        throw;
    }
    building_ = false;
    // The item is wholly made now, so the hooks may look at all of it.
    if (item->collection_ == this)
        Announce(item);
    else
        item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int Index) {
    // Checked first, so a bad index adds nothing.
    if (Index < 0 || Index > items_.size()) throw EListError(Fmt(SListIndexError, Index));
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    item->Free();
}

void TCollection::Clear() {
    if (items_.isEmpty()) return;
    BeginUpdate();
    try {
        while (!items_.isEmpty())
            items_.last()->Free();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    Items(NewIndex);
    Items(CurIndex);
    items_.move(CurIndex, NewIndex);
    Changed();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == ID) return item;
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++updateCount_;
}

void TCollection::EndUpdate() {
    // An unmatched EndUpdate is ignored rather than leaving the count below zero.
    if (updateCount_ == 0) return;
    --updateCount_;
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    if (Action == cnAdded)
        Added(Item);
    else if (Action == cnDeleting)
        Deleting(Item);
}

void TCollection::Added(TCollectionItem*) {}

void TCollection::Deleting(TCollectionItem*) {}

void TCollection::SetItemName(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* Item, bool announce) {
    // Only the item that Add is building waits for its announcement.
    building_ = false;
    items_.append(Item);
    Item->collection_ = this;
    Item->id_ = nextID_++;
    SetItemName(Item);
    if (announce) Announce(Item);
}

void TCollection::Announce(TCollectionItem* Item) {
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    items_.removeOne(Item);
    Item->collection_ = nullptr;
    Changed();
}

void TCollection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCollection*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    BeginUpdate();
    try {
        Clear();
        for (int i = 0; i < source->Count(); ++i)
            Add()->Assign(source->Items(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TCollection::PropName() const {
    TPersistent* owner = GetOwner();
    if (!owner) return String();
    const QMetaObject* meta = owner->metaObject();
    const QObject* self = this;
    // Only the published properties count: those declared at or below TPersistent.
    for (int i = TPersistent::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if (!(prop.metaType().flags() & QMetaType::PointerToQObject)) continue;
        if (qvariant_cast<QObject*>(prop.read(owner)) == self) return QString::fromLatin1(prop.name());
    }
    return String();
}

String TCollection::GetNamePath() const {
    const String className = ClassName();
    TPersistent* owner = GetOwner();
    if (!owner) return className;
    const String ownerPath = owner->GetNamePath();
    if (ownerPath.isEmpty()) return className;
    const String prop = PropName();
    if (prop.isEmpty()) return className;
    return ownerPath + "." + prop;
}
