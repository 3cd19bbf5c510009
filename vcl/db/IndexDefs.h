#pragma once
// The definitions of a data set's indexes: their names, fields, directions and options.
#include "vcl/classes/Collection.h"
#include "vcl/db/Types.h"

class TDataSet;

class TIndexDef : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Fields READ Fields WRITE SetFields)
    Q_PROPERTY(QString DescFields READ DescFields WRITE SetDescFields)
    Q_PROPERTY(QString CaseInsFields READ CaseInsFields WRITE SetCaseInsFields)
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(QString Source READ Source WRITE SetSource)
    Q_PROPERTY(DB::TIndexOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(int GroupingLevel READ GroupingLevel WRITE SetGroupingLevel)
public:
    explicit TIndexDef(TCollection* Collection);

    String Name() const { return name_; }
    void SetName(const String& Value);
    // The indexed fields, separated by ";".
    String Fields() const { return fields_; }
    void SetFields(const String& Value);
    // The fields sorted in descending order (all of them with ixDescending and no list).
    String DescFields() const { return descFields_; }
    void SetDescFields(const String& Value);
    String CaseInsFields() const { return caseInsFields_; }
    void SetCaseInsFields(const String& Value);
    String Expression() const { return expression_; }
    void SetExpression(const String& Value) { expression_ = Value; }
    String Source() const { return source_; }
    void SetSource(const String& Value) { source_ = Value; }
    TIndexOptions Options() const { return options_; }
    void SetOptions(TIndexOptions Value);
    int GroupingLevel() const { return groupingLevel_; }
    void SetGroupingLevel(int Value) { groupingLevel_ = Value; }
    // Whether the field at position Index (0-based) of Fields sorts downwards / ignores case.
    bool IsDescending(int FieldIndex) const;
    bool IsCaseInsensitive(int FieldIndex) const;

    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override { return name_; }

private:
    String name_;
    String fields_;
    String descFields_;
    String caseInsFields_;
    String expression_;
    String source_;
    TIndexOptions options_;
    int groupingLevel_ = 0;
};

class TIndexDefs : public TOwnedCollection {
    Q_OBJECT
public:
    explicit TIndexDefs(TDataSet* ADataSet);

    TDataSet* DataSet() const { return dataSet_; }
    TIndexDef* Items(int Index) const { return static_cast<TIndexDef*>(TCollection::Items(Index)); }
    TIndexDef* AddIndexDef() { return static_cast<TIndexDef*>(TCollection::Add()); }
    TIndexDef* Add(const String& Name, const String& Fields, TIndexOptions Options);
    using TCollection::Add;
    int IndexOf(const String& Name) const;
    // Raises "Index '%s' not found".
    TIndexDef* Find(const String& Name) const;
    // The first index whose leading fields are Fields (all of them, in order); null when none.
    TIndexDef* GetIndexForFields(const String& Fields, bool CaseInsensitive) const;
    // As GetIndexForFields; raises "No index for fields '%s'".
    TIndexDef* FindIndexForFields(const String& Fields) const;
    // Reads the definitions from the data set.
    void Update();
    bool Updated() const { return updated_; }
    void SetUpdated(bool Value) { updated_ = Value; }

private:
    TDataSet* dataSet_;
    bool updated_ = false;
};
