#pragma once
// Record-level constraints of a data set: a condition and the message shown when it fails.
#include "vcl/classes/Collection.h"

class TDataSet;

class TCheckConstraint : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString CustomConstraint READ CustomConstraint WRITE SetCustomConstraint)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage WRITE SetErrorMessage)
    Q_PROPERTY(bool FromDictionary READ FromDictionary WRITE SetFromDictionary)
    Q_PROPERTY(QString ImportedConstraint READ ImportedConstraint WRITE SetImportedConstraint)
public:
    explicit TCheckConstraint(TCollection* Collection) : TCollectionItem(Collection) {}

    String CustomConstraint() const { return customConstraint_; }
    void SetCustomConstraint(const String& Value);
    String ErrorMessage() const { return errorMessage_; }
    void SetErrorMessage(const String& Value);
    bool FromDictionary() const { return fromDictionary_; }
    void SetFromDictionary(bool Value) { fromDictionary_ = Value; }
    // A constraint the database itself declares, imported with the table.
    String ImportedConstraint() const { return importedConstraint_; }
    void SetImportedConstraint(const String& Value);

    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override;

private:
    String customConstraint_;
    String errorMessage_;
    String importedConstraint_;
    bool fromDictionary_ = true;
};

class TCheckConstraints : public TOwnedCollection {
    Q_OBJECT
public:
    explicit TCheckConstraints(TPersistent* AOwner);
    TCheckConstraint* Items(int Index) const {
        return static_cast<TCheckConstraint*>(TCollection::Items(Index));
    }
    TCheckConstraint* Add() { return static_cast<TCheckConstraint*>(TCollection::Add()); }
};
