// Lists created on demand.
#include "lib/moxSysUtils.h"

#include "vcl/classes/ClassesConsts.h"

#include <algorithm>

TList* ListNeed(TList*& List) {
    if (!List) List = new TList;
    return List;
}

int ListAdd(TList*& List, Pointer Item) {
    return ListNeed(List)->Add(Item);
}
int ListAdd(TList*& List, TObject* Item) {
    return ListAdd(List, static_cast<Pointer>(Item));
}

int ListCount(const TList* List) {
    return List ? List->Count() : 0;
}

int ListIndexOf(const TList* List, Pointer Item) {
    return List ? List->IndexOf(Item) : -1;
}
int ListIndexOf(const TList* List, TObject* Item) {
    return ListIndexOf(List, static_cast<Pointer>(Item));
}

Pointer ListItem(const TList* List, int Index) {
    if (!List) TList::Error(ClassesConsts::SListIndexError, Index);
    return List->Items(Index);
}

Pointer ListDelete(TList*& List, int Index) {
    const Pointer item = ListItem(List, Index);
    List->Delete(Index);
    if (List->Count() == 0) ListFree(List);
    return item;
}

Pointer ListRemove(TList*& List, Pointer Item) {
    const int index = ListIndexOf(List, Item);
    return index < 0 ? nullptr : ListDelete(List, index);
}

TObject* ListRemove(TList*& List, TObject* Item) {
    return static_cast<TObject*>(ListRemove(List, static_cast<Pointer>(Item)));
}

Pointer ListRemoveLast(TList*& List) {
    if (ListCount(List) == 0) return nullptr;
    return ListDelete(List, List->Count() - 1);
}

void ListFreeAll(TList*& List, bool FreeList) {
    if (!List) return;
    // An item's destructor may take other items out of the list: look again at each step.
    for (int i = List->Count() - 1; i >= 0; i = std::min(i - 1, List->Count() - 1)) {
        TObject* item = static_cast<TObject*>(List->Items(i));
        List->SetItems(i, nullptr);
        if (item) item->Free();
        if (!List) return;
    }
    if (FreeList) {
        ListFree(List);
    } else {
        List->Clear();
    }
}

void ListFree(TList*& List) {
    TList* list = List;
    List = nullptr;
    delete list;
}
