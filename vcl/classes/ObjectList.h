#pragma once
// TObjectList: a TList of objects that, when it owns them, frees those it deletes.
#include "vcl/classes/List.h"

class TObjectList : public TList {
public:
    explicit TObjectList(bool AOwnsObjects = true) : ownsObjects_(AOwnsObjects) {}
    ~TObjectList() override;

    TObject* Items(int Index) const { return static_cast<TObject*>(TList::Items(Index)); }
    void SetItems(int Index, TObject* AObject) { TList::SetItems(Index, AObject); }
    TObject* First() const { return static_cast<TObject*>(TList::First()); }
    TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
    int Add(TObject* AObject) { return TList::Add(AObject); }
    void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
    int Remove(TObject* AObject) { return TList::Remove(AObject); }
    TObject* Extract(TObject* AObject) { return static_cast<TObject*>(TList::Extract(AObject)); }
    int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

protected:
    void Notify(Pointer Ptr, TListNotification Action) override;

private:
    bool ownsObjects_;
};
