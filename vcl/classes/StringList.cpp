#include "vcl/classes/StringList.h"

#include <algorithm>

#include "vcl/classes/ClassesConsts.h"

using namespace ClassesConsts;

TStringList::TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}

TStringList::~TStringList() {
    // No events from a list that is going.
    OnChange = nullptr;
    OnChanging = nullptr;
    if (ownsObjects_)
        for (Item& item : items_)
            FreeAndNil(item.object);
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= items_.size()) Error(SListIndexError, Index);
}

String TStringList::Get(int Index) const {
    CheckIndex(Index);
    return items_[Index].string;
}

void TStringList::Put(int Index, const String& S) {
    if (sorted_) Error(SSortedListError, 0);
    CheckIndex(Index);
    Changing();
    items_[Index].string = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return items_[Index].object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    items_[Index].object = AObject;
    Changed();
}

int TStringList::Add(const String& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject) {
    int index = int(items_.size());
    if (sorted_ && Find(S, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) Error(SDuplicateString, 0);
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const String& S) {
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
    if (sorted_) Error(SSortedListError, 0);
    if (Index < 0 || Index > items_.size()) Error(SListIndexError, Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
    Changing();
    items_.insert(Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* object = items_.takeAt(Index).object;
    if (ownsObjects_ && object) object->Free();
    Changed();
}

void TStringList::Clear() {
    if (items_.isEmpty()) return;
    Changing();
    QList<Item> old;
    old.swap(items_);
    if (ownsObjects_)
        for (Item& item : old)
            FreeAndNil(item.object);
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    items_.swapItemsAt(Index1, Index2);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    // Moved in place: going through Delete would free an owned object.
    if (sorted_) Error(SSortedListError, 0);
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    items_.move(CurIndex, NewIndex);
    Changed();
}

int TStringList::IndexOf(const String& S) const {
    if (!sorted_) return TStrings::IndexOf(S);
    int index = -1;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, int& Index) const {
    bool found = false;
    int lo = 0, hi = int(items_.size()) - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(items_[mid].string, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                // With duplicates the first of the equal lines is the one found.
                if (duplicates_ != dupAccept) lo = mid;
            }
        }
    }
    Index = lo;
    return found;
}

void TStringList::SortItems(const std::function<bool(const Item&, const Item&)>& less) {
    if (items_.size() < 2) return;
    Changing();
    std::stable_sort(items_.begin(), items_.end(), less);
    Changed();
}

void TStringList::Sort() {
    SortItems([this](const Item& a, const Item& b) { return CompareStrings(a.string, b.string) < 0; });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (sorted_ || items_.size() < 2 || !Compare) return;
    // The comparison sees indexes into the list, so the order is worked out on an index permutation.
    QList<int> order(items_.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    Changing();
    QList<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.append(items_[i]);
    items_.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (caseSensitive_ == Value) return;
    caseSensitive_ = Value;
    if (sorted_) Sort();
}

void TStringList::SetCapacity(int Value) {
    if (Value < items_.size()) Error(SListCapacityError, Value);
    items_.reserve(Value);
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
    return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TStringList*>(Source); source && source != this) {
        caseSensitive_ = source->caseSensitive_;
        duplicates_ = source->duplicates_;
        sorted_ = source->sorted_;
    }
    TStrings::Assign(Source);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
