#pragma once
// TDataSet: the records of a source seen through a window of buffers, with navigation, editing,
// bookmarks, calculated and lookup fields, filtering, locating and the notices that keep data
// controls in step. A descendant (a table, a query, a test's memory set) supplies the records by
// overriding the protected cursor operations.
#include <QList>
#include <functional>
#include <memory>
#include <vector>

#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Published.h"
#include "vcl/db/Constraints.h"
#include "vcl/db/Errors.h"
#include "vcl/db/Field.h"
#include "vcl/db/FieldDefs.h"
#include "vcl/db/FieldList.h"
#include "vcl/db/Types.h"

class TDataSet;
class TDataSource;
class TDataLink;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
// The handler may set Action to daAbort (end silently) or daRetry (try the operation again).
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
Q_DECLARE_METATYPE(TDataSetNotifyEvent)
Q_DECLARE_METATYPE(TDataSetErrorEvent)
Q_DECLARE_METATYPE(TFilterRecordEvent)

// One record in the data set's window. A descendant derives its own with the record's values.
class TRecordBuffer {
public:
    virtual ~TRecordBuffer() = default;
    TBookmarkFlag BookmarkFlag = bfCurrent;
    // The values of calculated and lookup fields, by the field's slot.
    std::vector<Variant> CalcValues;
};

// A filter text compiled into a test of the record being filtered. The expression engine that
// understands the platform's filter language installs the factory; without one, filtering by text
// raises a database error while OnFilterRecord filtering works as always.
class TFilterExpression {
public:
    virtual ~TFilterExpression() = default;
    virtual bool Accepts(TDataSet* DataSet) = 0;
};
using TFilterExpressionFactory =
    std::function<std::unique_ptr<TFilterExpression>(TDataSet* DataSet, const String& Text, TFilterOptions)>;
void SetFilterExpressionFactory(TFilterExpressionFactory Factory);

class TDataSet : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(bool AutoCalcFields READ AutoCalcFields WRITE SetAutoCalcFields)
    Q_PROPERTY(TCheckConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(bool Filtered READ Filtered WRITE SetFiltered)
    Q_PROPERTY(DB::TFilterOptions FilterOptions READ FilterOptions WRITE SetFilterOptions)
    Q_PROPERTY(TFilterRecordEvent OnFilterRecord READ GetOnFilterRecord WRITE SetOnFilterRecord)
    MOX_DEFAULT(Active, False)
    MOX_DEFAULT(AutoCalcFields, True)
    MOX_DEFAULT(Filter, "")
    MOX_DEFAULT(Filtered, False)
    MOX_DEFAULT(FilterOptions, [])
    MOX_EVENT(TDataSetNotifyEvent, BeforeOpen)
    MOX_EVENT(TDataSetNotifyEvent, AfterOpen)
    MOX_EVENT(TDataSetNotifyEvent, BeforeClose)
    MOX_EVENT(TDataSetNotifyEvent, AfterClose)
    MOX_EVENT(TDataSetNotifyEvent, BeforeInsert)
    MOX_EVENT(TDataSetNotifyEvent, AfterInsert)
    MOX_EVENT(TDataSetNotifyEvent, BeforeEdit)
    MOX_EVENT(TDataSetNotifyEvent, AfterEdit)
    MOX_EVENT(TDataSetNotifyEvent, BeforePost)
    MOX_EVENT(TDataSetNotifyEvent, AfterPost)
    MOX_EVENT(TDataSetNotifyEvent, BeforeCancel)
    MOX_EVENT(TDataSetNotifyEvent, AfterCancel)
    MOX_EVENT(TDataSetNotifyEvent, BeforeDelete)
    MOX_EVENT(TDataSetNotifyEvent, AfterDelete)
    MOX_EVENT(TDataSetNotifyEvent, BeforeScroll)
    MOX_EVENT(TDataSetNotifyEvent, AfterScroll)
    MOX_EVENT(TDataSetNotifyEvent, BeforeRefresh)
    MOX_EVENT(TDataSetNotifyEvent, AfterRefresh)
    MOX_EVENT(TDataSetNotifyEvent, OnCalcFields)
    MOX_EVENT(TDataSetNotifyEvent, OnNewRecord)
    MOX_EVENT(TDataSetErrorEvent, OnDeleteError)
    MOX_EVENT(TDataSetErrorEvent, OnEditError)
    MOX_EVENT(TDataSetErrorEvent, OnPostError)

public:
    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;
    // Closes the data set and frees its fields while the descendant is still whole.
    void BeforeDestruction() override;

    // Opening and closing. Setting Active while the owner loads its form resource is applied in Loaded.
    bool Active() const { return state_ != dsInactive && state_ != dsOpening; }
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    // Navigation. Bof and Eof tell that the last move reached the first or the last record.
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Returns how many records it moved (negative backwards).
    int MoveBy(int Distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    // True when the window holds no record (also while closed).
    bool IsEmpty() const { return activeRecord_ >= recordCount_; }
    // -1 when the data set cannot tell.
    int RecordCount() const;
    // 1-based position of the current record; -1 when the data set cannot tell.
    int RecNo() const;
    void SetRecNo(int Value);
    virtual bool IsSequenced() const { return false; }

    // Bookmarks: a stable identity of the current record. An empty bookmark stands for none.
    TBookmark GetBookmark() const;
    // Raises "Record not found" when the record is gone.
    void GotoBookmark(const TBookmark& Bookmark);
    void FreeBookmark(TBookmark& Bookmark) const { Bookmark.clear(); }
    virtual bool BookmarkValid(const TBookmark& Bookmark) const;
    // -1, 0 or 1 by the records' order in the data set; an empty bookmark comes first.
    virtual int CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const;
    TBookmarkStr Bookmark() const;
    void SetBookmark(const TBookmarkStr& Value);

    // Editing.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Posts or cancels an edit in progress (cancels when nothing was modified).
    void CheckBrowseMode();
    // Asks the data controls to write their values into the fields.
    void UpdateRecord();
    void ClearFields();
    // Insert or append a record with the values in field order (Empty values leave a field as it is).
    void InsertRecord(const QList<Variant>& Values);
    void AppendRecord(const QList<Variant>& Values);
    void SetFields(const QList<Variant>& Values);
    bool Modified() const { return modified_; }
    bool CanModify() const { return GetCanModify(); }

    // Fields.
    TFields* Fields() const { return fields_.get(); }
    int FieldCount() const { return fields_->Count(); }
    TFieldDefs* FieldDefs() const { return fieldDefs_; }
    void SetFieldDefs(TFieldDefs* Value);
    TField* FindField(const String& FieldName) const { return fields_->FindField(FieldName); }
    // Raises "Field '%s' not found" naming the data set.
    TField* FieldByName(const String& FieldName) const;
    TField* FieldByNumber(int FieldNo) const { return fields_->FieldByNumber(FieldNo); }
    QStringList GetFieldNames() const;
    // The fields named in a ";"-separated list, each raising "Field '%s' not found" when missing.
    QList<TField*> GetFieldList(const String& FieldNames) const;
    // The value of one field, or an array of values for several names separated by ";".
    Variant FieldValues(const String& FieldNames) const;
    void SetFieldValues(const String& FieldNames, const Variant& Value);
    // True when the fields were made from the definitions on opening (no persistent fields).
    bool DefaultFields() const { return defaultFields_; }
    TCheckConstraints* Constraints() const { return constraints_; }
    void SetConstraints(TCheckConstraints* Value);
    bool AutoCalcFields() const { return autoCalcFields_; }
    void SetAutoCalcFields(bool Value) { autoCalcFields_ = Value; }

    // Searching. KeyValues is one value, or an array of one value per name of KeyFields.
    // loCaseInsensitive and loPartialKey apply to string fields.
    virtual bool Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options);
    // The ResultFields (one value, or an array for several) of the first matching record, without
    // moving; Null when none matches.
    virtual Variant Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields);

    // Filtering: OnFilterRecord and the filter text decide while Filtered is true. Changing
    // Filtered, Filter or FilterOptions of an open data set posts a pending edit first.
    String Filter() const { return filterText_; }
    virtual void SetFilter(const String& Value);
    bool Filtered() const { return filtered_; }
    virtual void SetFiltered(bool Value);
    TFilterOptions FilterOptions() const { return filterOptions_; }
    virtual void SetFilterOptions(TFilterOptions Value);
    TFilterRecordEvent GetOnFilterRecord() const { return onFilterRecord_; }
    virtual void SetOnFilterRecord(const TFilterRecordEvent& Value);

    // Data controls hear nothing while disabled; enabling tells them of everything at once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ != 0; }
    bool IsLinkedTo(TDataSource* DataSource) const;
    // The master source of a detail data set; none here.
    virtual TDataSource* DataSource() const { return nullptr; }

    // The record window, as data links read it.
    TRecordBuffer* ActiveBuffer() const;
    int BufferCount() const { return bufferCount_; }
    int ActiveRecord() const { return activeRecord_; }
    // Puts the descendant's cursor on the active record.
    void UpdateCursorPos();
    void CursorPosChanged() { currentRecord_ = -1; }
    // Fetches the window again around the cursor's record.
    void Resync(TResyncMode Mode);

    // The value of a field in the record that the state selects; Null when there is none.
    virtual Variant GetFieldData(TField* Field) const;
    // Stores a new field value: checks the state and the field, runs the field's validation with the
    // new value visible, stores it and tells the data controls. Descendants that check more first
    // call this one after their checks.
    virtual void SetFieldData(TField* Field, const Variant& Value);
    // The value a field had when the record was read.
    virtual Variant GetOldFieldData(TField* Field) const { return GetFieldData(Field); }

protected:
    // The cursor operations a descendant supplies.
    virtual TRecordBuffer* AllocRecordBuffer() = 0;
    virtual void FreeRecordBuffer(TRecordBuffer* Buffer) { delete Buffer; }
    // Fills Buffer with the record at, after or before the cursor, moving the cursor onto it.
    virtual TGetResult GetRecord(TRecordBuffer* Buffer, TGetMode GetMode, bool DoCheck) = 0;
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual bool IsCursorOpen() const = 0;
    virtual void InternalInitFieldDefs() = 0;
    // The cursor before the first record, after the last, on a buffer's record, on a bookmark.
    virtual void InternalFirst() = 0;
    virtual void InternalLast() = 0;
    virtual void InternalSetToRecord(TRecordBuffer* Buffer) = 0;
    virtual void InternalGotoBookmark(const TBookmark& Bookmark) = 0;
    virtual TBookmark GetBookmarkData(const TRecordBuffer* Buffer) const = 0;
    virtual void SetBookmarkData(TRecordBuffer* Buffer, const TBookmark& Bookmark) = 0;
    // Empties the data values of a buffer for a new record.
    virtual void InternalInitRecord(TRecordBuffer* Buffer) = 0;
    // The value of a data field in a buffer (Null when empty), and storing one.
    virtual Variant ReadFieldData(TField* Field, const TRecordBuffer* Buffer) const = 0;
    virtual void WriteFieldData(TField* Field, TRecordBuffer* Buffer, const Variant& Value) = 0;
    // Writes the active record; the base checks the required fields, descendants call it first.
    virtual void InternalPost();
    virtual void InternalDelete() = 0;
    virtual void InternalEdit() {}
    virtual void InternalInsert() {}
    virtual void InternalCancel() {}
    virtual void InternalRefresh() {}
    virtual void InternalHandleException();
    virtual bool GetCanModify() const { return true; }
    virtual int GetRecordCount() const { return -1; }
    virtual int GetRecNo() const { return -1; }
    virtual void SetRecNoValue(int Value) { (void)Value; }

    // The hooks around opening and closing, and the steps that raise events.
    virtual void OpenCursor(bool InfoQuery);
    virtual void CloseCursor();
    virtual void DoBeforeOpen();
    virtual void DoAfterOpen();
    virtual void DoBeforeClose();
    virtual void DoAfterClose();
    virtual void DoBeforeInsert();
    virtual void DoAfterInsert();
    virtual void DoBeforeEdit();
    virtual void DoAfterEdit();
    virtual void DoBeforePost();
    virtual void DoAfterPost();
    virtual void DoBeforeCancel();
    virtual void DoAfterCancel();
    virtual void DoBeforeDelete();
    virtual void DoAfterDelete();
    virtual void DoBeforeScroll();
    virtual void DoAfterScroll();
    virtual void DoBeforeRefresh();
    virtual void DoAfterRefresh();
    virtual void DoOnCalcFields();
    virtual void DoOnNewRecord();

    // Fields and their definitions.
    void InitFieldDefs();
    virtual void CreateFields();
    virtual void DestroyFields();
    // Connects the fields with their definitions (field numbers, types) and with their lookup data
    // sets, which it opens; gives calculated fields their slots.
    virtual void BindFields(bool Binding);
    // Re-reads the index definitions; descendants with indexes override it.
    virtual void UpdateIndexDefs() {}
    // Ends the editing of a search key (dsSetKey) by Post (Commit) or Cancel; descendants with keys
    // override it.
    virtual void EndKeyEditing(bool Commit) { (void)Commit; }
    friend class TIndexDefs;
    friend class TFieldDefs;

    // State and notices.
    void SetState(TDataSetState Value);
    virtual void DataEvent(TDataEvent Event, NativeInt Info);
    void CheckActive() const;
    void CheckInactive() const;
    void CheckCanModify() const;
    void CheckRequiredFields();
    void SetModified(bool Value) { modified_ = Value; }
    // The buffer that fields of the current state read from and write to.
    virtual TRecordBuffer* GetActiveRecBuf() const;
    // Runs the operation, passing a database error to the error event, which may retry or abort.
    void CheckOperation(const std::function<void()>& Operation, const TDataSetErrorEvent& ErrorEvent);

    // Calculated and lookup fields of a buffer.
    bool HasCalcFields() const { return calcFieldCount_ > 0; }
    void ClearCalcFields(TRecordBuffer* Buffer);
    void GetCalcFields(TRecordBuffer* Buffer);
    virtual void CalculateFields(TRecordBuffer* Buffer);
    // Whether the filter (OnFilterRecord and the filter text) accepts the record of the buffer.
    bool RecordFilter(TRecordBuffer* Buffer);
    bool FilterActive() const;
    // Tells the descendant that what passes the filter changed; the base fetches the window again.
    virtual void FilterChanged();

    // The window.
    void SetBufferCount(int Value);
    void UpdateBufferCount();
    int RecordCountInWindow() const { return recordCount_; }
    TRecordBuffer* Buffers(int Index) const { return buffers_[Index]; }
    // A buffer outside the window for a descendant's own reading (locating, counting).
    TRecordBuffer* TempBuffer();
    // Fields read from Buffer while Job runs (state dsFilter), as filtering and locating need.
    void WithRecord(TRecordBuffer* Buffer, const std::function<void()>& Job);

    void Loaded() override;
    void SetFieldIndexFlags(const QStringList& IndexFieldNames);

private:
    friend class TDataLink;
    friend class TDataSource;
    friend class TField;

    void OpenNow();
    void CloseNow();
    TRecordBuffer* NewBuffer();
    void AllocateBuffers(int Count);
    void FreeBuffers();
    void ClearBuffers();
    void ActivateBuffers();
    void MoveBuffer(int CurIndex, int NewIndex);
    void SetCurrentRecord(int Index);
    TGetResult FetchRecord(TRecordBuffer* Buffer, TGetMode Mode, bool DoCheck);
    bool GetNextRecord();
    bool GetPriorRecord();
    int GetNextRecords();
    int GetPriorRecords();
    void InitRecord(TRecordBuffer* Buffer);
    void BeginInsertAppend();
    void EndInsertAppend();
    void UpdateCalcFields();
    void CalcLookupValue(TField* Field);
    bool RecordMatches(const QList<TField*>& Fields, const Variant& KeyValues, TLocateOptions Options) const;
    void AddDataSource(TDataSource* DataSource);
    void RemoveDataSource(TDataSource* DataSource);
    void NotifyDataSources(TDataEvent Event, NativeInt Info);
    // Tells the links that the window's records moved Shift places toward its start.
    void ShiftLinks(int Shift);
    void CompileFilter();

    TDataSetState state_ = dsInactive;
    std::unique_ptr<TFields> fields_;
    TFieldDefs* fieldDefs_;
    TCheckConstraints* constraints_;
    QList<TDataSource*> dataSources_;
    // The window: bufferCount_ records at most in buffers_[0 .. recordCount_ - 1], one spare after.
    std::vector<TRecordBuffer*> buffers_;
    TRecordBuffer* tempBuffer_ = nullptr;
    TRecordBuffer* calcBuffer_ = nullptr;
    TRecordBuffer* filterBuffer_ = nullptr;
    int bufferCount_ = 0;
    int recordCount_ = 0;
    int activeRecord_ = 0;
    int currentRecord_ = -1;
    int calcFieldCount_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    bool defaultFields_ = false;
    bool autoCalcFields_ = true;
    bool streamedActive_ = false;
    bool filtered_ = false;
    bool insertedOnEmpty_ = false;
    TBookmark insertReturn_;
    TFilterOptions filterOptions_;
    String filterText_;
    TFilterRecordEvent onFilterRecord_;
    std::unique_ptr<TFilterExpression> filterExpression_;
    int disableCount_ = 0;
    TDataSetState disableState_ = dsInactive;
    TDataEvent enableEvent_ = deDataSetChange;
};
