#pragma once
// TCollection and TCollectionItem: a persistent list of items of one class, each with an ID,
// published as one object-valued property of its owner.
#include <QList>
#include <functional>

#include "vcl/classes/Errors.h"
#include "vcl/classes/Persistent.h"

namespace CollectionTypes {
Q_NAMESPACE
enum TCollectionNotification {
    cnAdded,
    cnExtracting,
    cnDeleting
};
Q_ENUM_NS(TCollectionNotification)
} // namespace CollectionTypes
using namespace CollectionTypes;

class TCollection;
class TCollectionItem;

// The class of a collection's items: its meta-object and a factory that makes one in a collection.
struct TCollectionItemClass {
    const QMetaObject* MetaObject = nullptr;
    std::function<TCollectionItem*(TCollection* Collection)> Create;

    template <class T> static TCollectionItemClass Of() {
        return {&T::staticMetaObject,
                [](TCollection* Collection) -> TCollectionItem* { return new T(Collection); }};
    }
    String ClassName() const;
};

class TCollectionItem : public TPersistent {
    Q_OBJECT
public:
    // Joins the collection at its end, with the collection's next ID. Made by the collection's Add,
    // the item is announced (Notify, Update) once it is wholly made; made directly, it is announced
    // from here, when the hooks can only see it as a TCollectionItem.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    // Leaves the collection while the item is still whole.
    void BeforeDestruction() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item into another collection (or out of any with null); it gets that one's next ID.
    virtual void SetCollection(TCollection* Value);
    int ID() const { return id_; }
    int Index() const;
    // Moves the item within its collection.
    virtual void SetIndex(int Value);
    String DisplayName() const { return GetDisplayName(); }
    // The base only reports the change; items with a name of their own keep it here.
    virtual void SetDisplayName(const String& Value);

    // "Collection path[index]", or the class name outside a collection.
    String GetNamePath() const override;
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection of the change: of this item alone, or of all items.
    void Changed(bool AllItems);
    // The class name unless a descendant has a better one.
    virtual String GetDisplayName() const;

private:
    friend class TCollection;
    void Leave();

    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
    Q_OBJECT
public:
    explicit TCollection(const TCollectionItemClass& ItemClass);
    ~TCollection() override;
    void BeforeDestruction() override;

    const TCollectionItemClass& ItemClass() const { return itemClass_; }
    int Count() const { return int(items_.size()); }
    // Index errors raise EListError "List index out of bounds (%d)".
    TCollectionItem* Items(int Index) const;
    // Copies Value into the item at Index with the item's Assign.
    void SetItems(int Index, TCollectionItem* Value);

    TCollectionItem* Add();
    // A new item placed at Index (0..Count).
    TCollectionItem* Insert(int Index);
    // Tells Deleting, then frees the item.
    void Delete(int Index);
    void Clear();
    // Reorders the items: the one at CurIndex goes to NewIndex.
    void Move(int CurIndex, int NewIndex);
    TCollectionItem* FindItemID(int ID) const;

    // While updates nest, item changes are not reported; the last EndUpdate reports one change of all.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Replaces the items by copies of Source's, made with each item's Assign.
    void Assign(TPersistent* Source) override;
    // "Owner path.Property" when the owner publishes this collection, else the class name.
    String GetNamePath() const override;
    TPersistent* Owner() const { return GetOwner(); }
    // The name of the owner's published property that holds this collection ("" when none does).
    String PropName() const;

protected:
    // Reports a change of all items unless an update is in progress.
    void Changed();
    // An item changed (or all did, with null); descendants repaint or re-read here.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    virtual void Added(TCollectionItem* Item);
    virtual void Deleting(TCollectionItem* Item);
    // Gives a new item its name, for collections whose items have one.
    virtual void SetItemName(TCollectionItem* Item);

private:
    friend class TCollectionItem;
    // Adds the item; with announce the hooks hear of it at once, else the caller tells them later.
    void InsertItem(TCollectionItem* Item, bool announce);
    void Announce(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void RunDestruction();

    TCollectionItemClass itemClass_;
    QList<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextID_ = 0;
    // While Add builds an item, its hooks wait until the item is wholly made.
    bool building_ = false;
    bool destroyed_ = false;
};

// A collection with an owner, which is what its name path and the form resources reach it through.
class TOwnedCollection : public TCollection {
    Q_OBJECT
public:
    TOwnedCollection(TPersistent* AOwner, const TCollectionItemClass& ItemClass)
        : TCollection(ItemClass), owner_(AOwner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};
