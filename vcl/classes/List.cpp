#include "vcl/classes/List.h"

#include <algorithm>

#include "vcl/classes/ClassesConsts.h"

using namespace ClassesConsts;

TList::TList() = default;

TList::~TList() {
    Clear();
}

void TList::Error(const char* Message, int Data) {
    throw EListError(Fmt(Message, Data));
}

void TList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= items_.size()) Error(SListIndexError, Index);
}

void TList::Notify(Pointer, TListNotification) {}

void TList::Grow() {
    // The platform's growth steps: 4, then 16, then a quarter more.
    const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + delta);
}

void TList::SetCapacity(int NewCapacity) {
    if (NewCapacity < items_.size()) Error(SListCapacityError, NewCapacity);
    if (NewCapacity == capacity_) return;
    if (NewCapacity < capacity_) items_.squeeze();
    items_.reserve(NewCapacity);
    capacity_ = NewCapacity;
}

void TList::SetCount(int NewCount) {
    if (NewCount < 0) Error(SListCountError, NewCount);
    if (NewCount > capacity_) SetCapacity(NewCount);
    if (NewCount > items_.size())
        items_.resize(NewCount, nullptr);
    else
        for (int i = Count() - 1; i >= NewCount; --i)
            Delete(i);
}

Pointer TList::Items(int Index) const {
    CheckIndex(Index);
    return items_[Index];
}

void TList::SetItems(int Index, Pointer Item) {
    CheckIndex(Index);
    Pointer old = items_[Index];
    if (old == Item) return;
    items_[Index] = Item;
    if (old) Notify(old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

int TList::Add(Pointer Item) {
    const int index = Count();
    if (index == capacity_) Grow();
    items_.append(Item);
    if (Item) Notify(Item, lnAdded);
    return index;
}

void TList::Insert(int Index, Pointer Item) {
    if (Index < 0 || Index > items_.size()) Error(SListIndexError, Index);
    if (Count() == capacity_) Grow();
    items_.insert(Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
    CheckIndex(Index);
    Pointer old = items_.takeAt(Index);
    if (old) Notify(old, lnDeleted);
}

int TList::Remove(Pointer Item) {
    const int index = IndexOf(Item);
    if (index >= 0) Delete(index);
    return index;
}

Pointer TList::Extract(Pointer Item) {
    const int index = IndexOf(Item);
    if (index < 0) return nullptr;
    items_.removeAt(index);
    Notify(Item, lnExtracted);
    return Item;
}

void TList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

void TList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    items_.swapItemsAt(Index1, Index2);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(NewIndex);
    CheckIndex(CurIndex);
    items_.move(CurIndex, NewIndex);
}

int TList::IndexOf(Pointer Item) const {
    return int(items_.indexOf(Item));
}

void TList::Pack() {
    items_.removeAll(nullptr);
}

void TList::Sort(const TListSortCompare& Compare) {
    if (!Compare || items_.size() < 2) return;
    std::stable_sort(items_.begin(), items_.end(), [&](Pointer a, Pointer b) { return Compare(a, b) < 0; });
}

void TList::Assign(TList* Source) {
    if (!Source || Source == this) return;
    Clear();
    SetCapacity(Source->Capacity());
    for (Pointer p : Source->items_)
        Add(p);
}
