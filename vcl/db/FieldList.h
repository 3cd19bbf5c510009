#pragma once
// TFields: the ordered fields of a data set; and the default field class of every field type.
#include <QList>

#include "vcl/classes/ClassRegistry.h"
#include "vcl/db/Types.h"

class TDataSet;
class TField;

class TFields : public TObject {
public:
    explicit TFields(TDataSet* ADataSet) : dataSet_(ADataSet) {}
    TFields(const TFields&) = delete;
    TFields& operator=(const TFields&) = delete;
    // Frees the fields it still holds.
    ~TFields() override;

    TDataSet* DataSet() const { return dataSet_; }
    int Count() const { return int(fields_.size()); }
    // Raises "Field index out of range".
    TField* Fields(int Index) const;
    TField* operator[](int Index) const { return Fields(Index); }
    int IndexOf(const TField* Field) const { return int(fields_.indexOf(const_cast<TField*>(Field))); }
    // Names compare without regard to case. FieldByName raises "Field '%s' not found".
    TField* FindField(const String& FieldName) const;
    TField* FieldByName(const String& FieldName) const;
    // The data field of that 1-based field number; null when none has it.
    TField* FieldByNumber(int FieldNo) const;
    // Raises "Duplicate field name '%s'" for a name already used.
    void CheckFieldName(const String& FieldName) const;
    void Add(TField* Field);
    void Remove(TField* Field);
    void Clear();
    void Move(int CurIndex, int NewIndex);
    QList<TField*>::const_iterator begin() const { return fields_.begin(); }
    QList<TField*>::const_iterator end() const { return fields_.end(); }

private:
    TDataSet* dataSet_;
    QList<TField*> fields_;
};

// The class a field of the type is made of (a null reference for types without one), and the
// registration of every such class with the class registry, which runs when the library loads.
TPersistentClass DefaultFieldClass(TFieldType Type);
void RegisterFieldClasses();

// The platform's field-name extraction: the name that starts at the 1-based position Pos of a
// ";"-separated list, blanks around it removed; Pos moves past the separator.
String ExtractFieldName(const String& Fields, int& Pos);
// All names of such a list.
QStringList FieldNameList(const String& Fields);
