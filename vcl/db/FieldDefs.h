#pragma once
// The definitions of a data set's columns, from which its default fields are made.
#include "vcl/classes/Collection.h"
#include "vcl/classes/Component.h"
#include "vcl/db/Types.h"

class TDataSet;
class TField;
class TFieldDefs;

class TFieldDef : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(DB::TFieldType DataType READ DataType WRITE SetDataType)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(DB::TFieldAttributes Attributes READ Attributes WRITE SetAttributes)
public:
    explicit TFieldDef(TCollection* Collection);

    String Name() const { return name_; }
    void SetName(const String& Value);
    TFieldType DataType() const { return dataType_; }
    void SetDataType(TFieldType Value);
    int Size() const { return size_; }
    void SetSize(int Value);
    int Precision() const { return precision_; }
    void SetPrecision(int Value);
    TFieldAttributes Attributes() const { return attributes_; }
    void SetAttributes(TFieldAttributes Value);
    bool Required() const { return attributes_.testFlag(faRequired); }
    void SetRequired(bool Value);
    bool InternalCalcField() const { return internalCalc_; }
    void SetInternalCalcField(bool Value) { internalCalc_ = Value; }
    // 1-based position among the definitions.
    int FieldNo() const { return Index() + 1; }

    // Makes a field of the type's default class for this definition, owned by Owner, in the
    // definitions' data set.
    TField* CreateField(TComponent* Owner);
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override { return name_; }

private:
    String name_;
    TFieldType dataType_ = ftUnknown;
    int size_ = 0;
    int precision_ = 0;
    TFieldAttributes attributes_;
    bool internalCalc_ = false;
};

class TFieldDefs : public TOwnedCollection {
    Q_OBJECT
public:
    explicit TFieldDefs(TDataSet* ADataSet);

    TDataSet* DataSet() const { return dataSet_; }
    TFieldDef* Items(int Index) const { return static_cast<TFieldDef*>(TCollection::Items(Index)); }
    TFieldDef* AddFieldDef() { return static_cast<TFieldDef*>(Add()); }
    TFieldDef* Add(const String& Name, TFieldType DataType, int Size = 0, bool Required = false);
    using TCollection::Add;
    // Names compare without regard to case; Find raises "Field '%s' not found".
    int IndexOf(const String& Name) const;
    TFieldDef* FindDef(const String& Name) const;
    TFieldDef* Find(const String& Name) const;
    // Reads the definitions from the data set when they are not up to date.
    void Update();
    bool Updated() const { return updated_; }
    void SetUpdated(bool Value) { updated_ = Value; }

private:
    TDataSet* dataSet_;
    bool updated_ = false;
};
