#pragma once
// TList: the platform's list of untyped pointers, with a notice for every pointer it gains or loses.
#include <QList>
#include <functional>

#include "vcl/classes/Errors.h"

namespace ListTypes {
enum TListNotification {
    lnAdded,
    lnExtracted,
    lnDeleted
};
} // namespace ListTypes
using namespace ListTypes;

// Negative when Item1 goes before Item2.
using TListSortCompare = std::function<int(Pointer Item1, Pointer Item2)>;

class TList : public TObject {
public:
    TList();
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;
    ~TList() override;

    int Count() const { return int(items_.size()); }
    // Growing fills with null pointers, shrinking deletes from the end.
    void SetCount(int NewCount);
    int Capacity() const { return capacity_; }
    // Raises EListError "List capacity out of bounds (%d)" below Count.
    void SetCapacity(int NewCapacity);

    // Index errors raise EListError "List index out of bounds (%d)".
    Pointer Items(int Index) const;
    void SetItems(int Index, Pointer Item);
    Pointer Get(int Index) const { return Items(Index); }
    void Put(int Index, Pointer Item) { SetItems(Index, Item); }
    Pointer First() const { return Items(0); }
    Pointer Last() const { return Items(Count() - 1); }

    int Add(Pointer Item);
    void Insert(int Index, Pointer Item);
    void Delete(int Index);
    // Deletes the first occurrence; returns its index or -1.
    int Remove(Pointer Item);
    // Takes the item out without the deletion notice; null when it is not there.
    Pointer Extract(Pointer Item);
    virtual void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    int IndexOf(Pointer Item) const;
    // Removes the null pointers.
    void Pack();
    void Sort(const TListSortCompare& Compare);
    void Assign(TList* Source);

    [[noreturn]] static void Error(const char* Message, int Data);

protected:
    virtual void Notify(Pointer Ptr, TListNotification Action);

private:
    void CheckIndex(int Index) const;
    void Grow();

    QList<Pointer> items_;
    int capacity_ = 0;
};
