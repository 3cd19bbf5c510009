#pragma once
// TTable: a data set over one table of a database, in the order of one of its indexes, with
// search keys (SetKey, GotoKey, FindKey, FindNearest) and ranges over the index's fields. Records
// are read in pages by key (see TKeysetCursor); posting writes the row in a transaction and
// refuses, with a database error, a row that another connection changed or deleted since it was
// read.
#include <array>
#include <memory>

#include "vcl/classes/Published.h"
#include "vcl/db/DataSet.h"
#include "vcl/db/IndexDefs.h"
#include "vcl/dbtables/KeysetCursor.h"

class TDatabase;

// The key buffers: the search key, the range being edited, the range applied.
enum TKeyIndex { kiLookup, kiRangeStart, kiRangeEnd, kiCurRangeStart, kiCurRangeEnd };

class TTable : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(QString SessionName READ SessionName WRITE SetSessionName)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(QString IndexName READ IndexName WRITE SetIndexName)
    Q_PROPERTY(QString IndexFieldNames READ IndexFieldNames WRITE SetIndexFieldNames)
    Q_PROPERTY(TIndexDefs* IndexDefs READ IndexDefs WRITE SetIndexDefs)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    MOX_DEFAULT(DatabaseName, "")
    MOX_DEFAULT(SessionName, "")
    MOX_DEFAULT(TableName, "")
    MOX_DEFAULT(IndexName, "")
    MOX_DEFAULT(IndexFieldNames, "")
    MOX_DEFAULT(ReadOnly, False)

public:
    explicit TTable(TComponent* AOwner = nullptr);
    ~TTable() override;

    String DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const String& Value);
    String SessionName() const { return sessionName_; }
    void SetSessionName(const String& Value) { sessionName_ = Value; }
    // "orders.db" names the table "orders".
    String TableName() const { return tableName_; }
    void SetTableName(const String& Value);
    // The database the table is open on (null while closed).
    TDatabase* Database() const { return database_; }

    // The order: an index by name ("" the primary index), or fields in ascending order. Setting one
    // clears the other; an open table keeps its current record.
    String IndexName() const { return indexName_; }
    void SetIndexName(const String& Value);
    String IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const String& Value);
    TIndexDefs* IndexDefs() const { return indexDefs_; }
    void SetIndexDefs(TIndexDefs* Value);
    // The fields of the current order, and their number.
    int IndexFieldCount() const { return int(orderFields_.size()); }
    TField* IndexFields(int Index) const;
    void GetIndexNames(TStrings* List);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);

    // Search keys: SetKey empties the search key and lets the index fields take its values until
    // GotoKey or GotoNearest (or Post) ends the key editing; EditKey keeps the values. The key is the
    // leading index fields given a value (or KeyFieldCount of them).
    void SetKey();
    void EditKey();
    bool GotoKey();
    void GotoNearest();
    bool FindKey(const QList<Variant>& KeyValues);
    void FindNearest(const QList<Variant>& KeyValues);
    // When set, GotoNearest goes past rows equal to the key and range bounds leave them out.
    bool KeyExclusive() const;
    void SetKeyExclusive(bool Value);
    int KeyFieldCount() const;
    void SetKeyFieldCount(int Value);

    // Ranges over the index fields.
    void SetRangeStart();
    void SetRangeEnd();
    void EditRangeStart();
    void EditRangeEnd();
    void ApplyRange();
    void CancelRange();
    void SetRange(const QList<Variant>& StartValues, const QList<Variant>& EndValues);

    bool Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) override;
    Variant Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields) override;
    bool BookmarkValid(const TBookmark& Bookmark) const override;
    int CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const override;
    Variant GetOldFieldData(TField* Field) const override;
    void SetFieldData(TField* Field, const Variant& Value) override;

protected:
    struct TTableBuffer : TRecordBuffer {
        TCursorRowPtr Row;
        // Values given since the row was read; an Empty value means the one read.
        std::vector<Variant> Values;
        // Where a record without a row stands (one being inserted, a search key).
        TBookmark Position;
        bool Exclusive = false;
        int FieldCount = 0;
    };

    TRecordBuffer* AllocRecordBuffer() override { return new TTableBuffer; }
    TGetResult GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) override;
    void InternalOpen() override;
    void InternalClose() override;
    bool IsCursorOpen() const override { return cursor_ != nullptr; }
    void InternalInitFieldDefs() override;
    void InternalFirst() override;
    void InternalLast() override;
    void InternalSetToRecord(TRecordBuffer* Buffer) override;
    void InternalGotoBookmark(const TBookmark& Bookmark) override;
    TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const override;
    void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Bookmark) override;
    void InternalInitRecord(TRecordBuffer* Buffer) override;
    Variant ReadFieldData(TField* Field, const TRecordBuffer* Buffer) const override;
    void WriteFieldData(TField* Field, TRecordBuffer* Buffer, const Variant& Value) override;
    void InternalPost() override;
    void InternalDelete() override;
    void InternalEdit() override;
    void InternalRefresh() override;
    bool GetCanModify() const override;
    int GetRecordCount() const override;
    int GetRecNo() const override;
    void SetRecNoValue(int Value) override;
    void UpdateIndexDefs() override;
    void EndKeyEditing(bool Commit) override;
    TRecordBuffer* GetActiveRecBuf() const override;

private:
    // Opening: the database, the table's columns, its identity and indexes.
    TDbConnection* OpenConnection();
    void ReleaseDatabase();
    String PhysicalTableName() const;
    void ReadSchema(TDbConnection* Connection);
    // The order that IndexName or IndexFieldNames selects, applied to the cursor.
    void ApplyOrder();
    void ChangeOrder(const std::function<void()>& Change);
    std::vector<QVariant> KeyValuesOf(const TTableBuffer& Buffer) const;
    TBookmark EncodeKey(const std::vector<QVariant>& Key) const;
    std::vector<QVariant> DecodeKey(const TBookmark& Bookmark) const;
    // Moves onto a row found by a search, with the events and notices of a scroll.
    void GotoRow(const TCursorRowPtr& Row);
    void BeginKeyEditing(TKeyIndex Index, bool Clear);
    TTableBuffer& KeyBuffer(TKeyIndex Index) const;
    // The key of a key buffer in the database's values.
    std::vector<QVariant> KeyOf(const TTableBuffer& Buffer) const;
    // The SQL condition for matching KeyValues in Fields, or false when SQL cannot decide it exactly.
    bool SearchCondition(const QList<TField*>& Fields, const Variant& KeyValues, TLocateOptions Options,
                         String& Condition, std::vector<QVariant>& Binds) const;
    void UpdateRow(TTableBuffer& Buffer);
    void InsertRow(TTableBuffer& Buffer);
    // Raises the error for a row that did not match what was read.
    [[noreturn]] void RaiseConflict(const TCursorRow& Row);
    // Appends the conditions that every column still holds what Row read.
    String SameRowSql(const TCursorRow& Row, std::vector<QVariant>& Binds) const;
    void RunInTransaction(const std::function<void()>& Job);
    Variant FieldValueOf(const TTableBuffer& Buffer, int Column) const;
    Variant ValueOf(const TCursorRow& Row, int Column) const;

    String databaseName_;
    String sessionName_;
    String tableName_;
    String indexName_;
    String indexFieldNames_;
    bool readOnly_ = false;
    TIndexDefs* indexDefs_;
    TDatabase* database_ = nullptr;
    std::unique_ptr<TDatabase> ownDatabase_;
    std::vector<TDbColumnInfo> columns_;
    QStringList identity_;
    std::unique_ptr<TKeysetCursor> cursor_;
    std::vector<int> orderFields_;
    mutable std::array<std::unique_ptr<TTableBuffer>, 5> keyBuffers_;
    TKeyIndex keyIndex_ = kiLookup;
    std::unique_ptr<TTableBuffer> savedKey_;
    bool rangeApplied_ = false;
};
