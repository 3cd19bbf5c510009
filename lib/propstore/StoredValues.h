#pragma once
// Free-standing named values that a property storage keeps beside its properties.
#include <functional>

#include "lib/classes/NamedCollection.h"
#include "vcl/Variants.h"
#include "vcl/classes/Published.h"

class TmoxPropStorage;
class TStoredValue;

using TStoredValueEvent = std::function<void(TObject* Sender, TStoredValue* StoredValue, Variant& Value)>;
Q_DECLARE_METATYPE(TStoredValueEvent)

class TStoredValue : public TNamedCollectionItem {
    Q_OBJECT
    Q_PROPERTY(Variant Value READ Value WRITE SetValue)
    MOX_STORED(Value, IsValueStored)
public:
    Q_INVOKABLE explicit TStoredValue(TCollection* Collection) : TNamedCollectionItem(Collection) {}

    Variant Value() const { return value_; }
    void SetValue(const Variant& Value) { value_ = Value; }

    // Another stored value gives its value; other sources are assigned as a named item.
    void Assign(TPersistent* Source) override;

    // The key named after the item in the storage's section. The loaded text arrives as a string
    // variant and passes the storage's DoLoadValue; the saved value passes DoSaveValue first.
    virtual void LoadValue();
    virtual void SaveValue();

protected:
    Q_INVOKABLE bool IsValueStored() const { return !VarIsEmpty(value_); }

private:
    TmoxPropStorage* Storage() const;
    Variant value_;
};

class TStoredValues : public TNamedCollectionItems {
    Q_OBJECT
public:
    explicit TStoredValues(TmoxPropStorage* AOwner);

    TStoredValue* Items(int Index) const { return static_cast<TStoredValue*>(TCollection::Items(Index)); }
    TStoredValue* Add() { return static_cast<TStoredValue*>(TCollection::Add()); }
    TStoredValue* FindValue(const String& Name) const { return static_cast<TStoredValue*>(Find(Name)); }

    // Each value in order inside a scope of the storage's settings file; nothing without one.
    virtual void SaveValues();
    virtual void LoadValues();

private:
    TmoxPropStorage* Storage() const;
};
