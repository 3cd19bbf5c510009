#include "vcl/db/FieldList.h"

#include "vcl/db/BlobFields.h"
#include "vcl/db/BooleanField.h"
#include "vcl/db/Consts.h"
#include "vcl/db/DataSet.h"
#include "vcl/db/DateTimeFields.h"
#include "vcl/db/NumericFields.h"
#include "vcl/db/StringFields.h"

using namespace DBConsts;

TFields::~TFields() {
    Clear();
}

TField* TFields::Fields(int Index) const {
    if (Index < 0 || Index >= fields_.size()) DatabaseError(QString::fromLatin1(SFieldIndexError), dataSet_);
    return fields_[Index];
}

TField* TFields::FindField(const String& FieldName) const {
    for (TField* f : fields_)
        if (f->FieldName().compare(FieldName, Qt::CaseInsensitive) == 0) return f;
    return nullptr;
}

TField* TFields::FieldByName(const String& FieldName) const {
    TField* f = FindField(FieldName);
    if (!f) DatabaseErrorFmt(SFieldNotFound, {FieldName}, dataSet_);
    return f;
}

TField* TFields::FieldByNumber(int FieldNo) const {
    for (TField* f : fields_)
        if (f->FieldNo() == FieldNo && f->FieldKind() == fkData) return f;
    return nullptr;
}

void TFields::CheckFieldName(const String& FieldName) const {
    if (FieldName.isEmpty()) return;
    if (FindField(FieldName)) DatabaseErrorFmt(SDuplicateFieldName, {FieldName}, dataSet_);
}

void TFields::Add(TField* Field) {
    fields_.append(Field);
    Field->dataSet_ = dataSet_;
}

void TFields::Remove(TField* Field) {
    if (fields_.removeOne(Field)) Field->dataSet_ = nullptr;
}

void TFields::Clear() {
    // Each field leaves the list as it is freed; fields owned by a form leave their owner too.
    while (!fields_.isEmpty()) {
        TField* f = fields_.takeLast();
        f->dataSet_ = nullptr;
        f->Free();
    }
}

void TFields::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    fields_.move(CurIndex, NewIndex);
}

namespace {
TPersistentClass fieldClasses[FieldTypeCount];

void Fill() {
    static bool filled = false;
    if (filled) return;
    filled = true;
    fieldClasses[ftString] = TPersistentClass::Of<TStringField>();
    fieldClasses[ftSmallint] = TPersistentClass::Of<TSmallintField>();
    fieldClasses[ftInteger] = TPersistentClass::Of<TIntegerField>();
    fieldClasses[ftWord] = TPersistentClass::Of<TWordField>();
    fieldClasses[ftBoolean] = TPersistentClass::Of<TBooleanField>();
    fieldClasses[ftFloat] = TPersistentClass::Of<TFloatField>();
    fieldClasses[ftCurrency] = TPersistentClass::Of<TCurrencyField>();
    fieldClasses[ftBCD] = TPersistentClass::Of<TBCDField>();
    fieldClasses[ftDate] = TPersistentClass::Of<TDateField>();
    fieldClasses[ftTime] = TPersistentClass::Of<TTimeField>();
    fieldClasses[ftDateTime] = TPersistentClass::Of<TDateTimeField>();
    fieldClasses[ftBytes] = TPersistentClass::Of<TBytesField>();
    fieldClasses[ftVarBytes] = TPersistentClass::Of<TVarBytesField>();
    fieldClasses[ftAutoInc] = TPersistentClass::Of<TAutoIncField>();
    fieldClasses[ftBlob] = TPersistentClass::Of<TBlobField>();
    fieldClasses[ftMemo] = TPersistentClass::Of<TMemoField>();
    fieldClasses[ftGraphic] = TPersistentClass::Of<TGraphicField>();
    fieldClasses[ftFmtMemo] = TPersistentClass::Of<TBlobField>();
    fieldClasses[ftParadoxOle] = TPersistentClass::Of<TBlobField>();
    fieldClasses[ftDBaseOle] = TPersistentClass::Of<TBlobField>();
    fieldClasses[ftTypedBinary] = TPersistentClass::Of<TBlobField>();
    fieldClasses[ftFixedChar] = TPersistentClass::Of<TStringField>();
    fieldClasses[ftWideString] = TPersistentClass::Of<TWideStringField>();
    fieldClasses[ftLargeint] = TPersistentClass::Of<TLargeintField>();
    fieldClasses[ftOraBlob] = TPersistentClass::Of<TBlobField>();
    fieldClasses[ftOraClob] = TPersistentClass::Of<TMemoField>();
    fieldClasses[ftVariant] = TPersistentClass::Of<TVariantField>();
    fieldClasses[ftGuid] = TPersistentClass::Of<TGuidField>();
    fieldClasses[ftTimeStamp] = TPersistentClass::Of<TSQLTimeStampField>();
    fieldClasses[ftFMTBcd] = TPersistentClass::Of<TFMTBCDField>();
    fieldClasses[ftFixedWideChar] = TPersistentClass::Of<TWideStringField>();
    fieldClasses[ftWideMemo] = TPersistentClass::Of<TWideMemoField>();
}

const bool registered = (RegisterFieldClasses(), true);
} // namespace

TPersistentClass DefaultFieldClass(TFieldType Type) {
    Fill();
    const int i = int(Type);
    return i >= 0 && i < FieldTypeCount ? fieldClasses[i] : TPersistentClass();
}

void RegisterFieldClasses() {
    Fill();
    for (const TPersistentClass& c : fieldClasses)
        if (c) RegisterClass(c);
}

String ExtractFieldName(const String& Fields, int& Pos) {
    int i = Pos;
    while (i <= Fields.size() && Fields[i - 1] != u';')
        ++i;
    const String name = Fields.mid(Pos - 1, i - Pos).trimmed();
    if (i <= Fields.size() && Fields[i - 1] == u';') ++i;
    Pos = i;
    return name;
}

QStringList FieldNameList(const String& Fields) {
    QStringList names;
    int pos = 1;
    while (pos <= Fields.size()) {
        const String name = ExtractFieldName(Fields, pos);
        if (!name.isEmpty()) names.append(name);
    }
    return names;
}
