#pragma once
// TStringList: the string list that keeps its lines itself, optionally sorted, with change events.
#include <QList>

#include "vcl/classes/Events.h"
#include "vcl/classes/Strings.h"

namespace StringListTypes {
Q_NAMESPACE
// What a sorted list does with a line it already holds.
enum TDuplicates {
    dupIgnore,
    dupAccept,
    dupError
};
Q_ENUM_NS(TDuplicates)
} // namespace StringListTypes
using namespace StringListTypes;

class TStringList;
// Negative when the line at Index1 goes before the one at Index2.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
    Q_OBJECT
public:
    // With OwnsObjects the list frees the objects of the lines it deletes and those it holds at its end.
    explicit TStringList(bool OwnsObjects = false);
    ~TStringList() override;

    int Count() const override { return int(items_.size()); }
    String Get(int Index) const override;
    // Raises EStringListError on a sorted list.
    void Put(int Index, const String& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;

    // On a sorted list the line goes to its place; Duplicates decides about one already there.
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    // Raises EStringListError on a sorted list.
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;

    int IndexOf(const String& S) const override;
    // Binary search of a sorted list: true when found; Index is where S is or would go.
    virtual bool Find(const String& S, int& Index) const;
    virtual void Sort();
    // Sorts an unsorted list by Compare.
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
    bool CaseSensitive() const { return caseSensitive_; }
    // A sorted list sorts itself again by the new rule.
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }
    int Capacity() const { return int(items_.capacity()); }
    void SetCapacity(int Value);

    // Besides the lines, takes the sorting rules of another TStringList.
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    int CompareStrings(const String& S1, const String& S2) const override;
    void SetUpdateState(bool Updating) override;
    // Raise OnChange / OnChanging unless an update is in progress.
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        String string;
        TObject* object = nullptr;
    };
    void CheckIndex(int Index) const;
    void InsertItem(int Index, const String& S, TObject* AObject);
    void SortItems(const std::function<bool(const Item&, const Item&)>& less);

    QList<Item> items_;
    TDuplicates duplicates_ = dupIgnore;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
};
