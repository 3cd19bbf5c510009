#pragma once
// Collections whose items carry a name that is unique within the collection (unless the collection
// allows duplicates), compared without regard to case.
#include "vcl/Classes.h"

class TNamedCollectionItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
public:
    explicit TNamedCollectionItem(TCollection* Collection) : TCollectionItem(Collection) {}

    String Name() const { return name_; }
    // Raises Exception "Items '%s' already exists" when another item of a collection that does not
    // allow duplicates has the name; an empty name and a change of letter case alone always pass.
    void SetName(const String& Value) { SetDisplayName(Value); }

    // Takes another named item's name through the duplicate check.
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override;
    void SetDisplayName(const String& Value) override;

private:
    String name_;
};

class TNamedCollectionItems : public TOwnedCollection {
    Q_OBJECT
public:
    TNamedCollectionItems(TPersistent* AOwner, const TCollectionItemClass& ItemClass)
        : TOwnedCollection(AOwner, ItemClass) {}

    virtual bool AllowDuplicateNames() const { return false; }
    // The item of that name (without regard to case), or none.
    TNamedCollectionItem* Find(const String& Name) const;
};
