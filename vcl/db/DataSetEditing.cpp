// TDataSet: editing records and reading and writing field values.
#include "vcl/db/Consts.h"
#include "vcl/db/DataSet.h"

using namespace DBConsts;

// Field values

Variant TDataSet::GetFieldData(TField* Field) const {
    const TRecordBuffer* buffer = GetActiveRecBuf();
    if (!buffer) return Null();
    if (Field->calcSlot_ >= 0)
        return size_t(Field->calcSlot_) < buffer->CalcValues.size()
                   ? buffer->CalcValues[size_t(Field->calcSlot_)]
                   : Null();
    if (Field->FieldNo() <= 0) return Null();
    return ReadFieldData(Field, buffer);
}

void TDataSet::SetFieldData(TField* Field, const Variant& Value) {
    const bool calcState = state_ == dsCalcFields || state_ == dsInternalCalc;
    if (!IsEditMode(state_) && !calcState && state_ != dsFilter && state_ != dsNewValue)
        DatabaseError(QString::fromLatin1(SNotEditing), this);
    TRecordBuffer* buffer = GetActiveRecBuf();
    if (!buffer) DatabaseError(QString::fromLatin1(SNotEditing), this);
    if (Field->FieldKind() != fkData) {
        if (Field->calcSlot_ < 0) DatabaseErrorFmt(SFieldReadOnly, {Field->DisplayName()});
        if (buffer->CalcValues.size() <= size_t(Field->calcSlot_))
            buffer->CalcValues.resize(size_t(calcFieldCount_), Null());
        buffer->CalcValues[size_t(Field->calcSlot_)] = Value;
    } else {
        if (calcState) DatabaseError(QString::fromLatin1(SNotEditing), this);
        if (Field->FieldNo() <= 0) DatabaseErrorFmt(SFieldNotFound, {Field->DisplayName()}, this);
        if (Field->ReadOnly() && state_ != dsSetKey && state_ != dsFilter)
            DatabaseErrorFmt(SFieldReadOnly, {Field->DisplayName()});
        Field->Validate(Value);
        WriteFieldData(Field, buffer, Value);
    }
    if (!calcState && state_ != dsFilter && state_ != dsNewValue) DataEvent(deFieldChange, NativeInt(Field));
}

// Editing

void TDataSet::InitRecord(TRecordBuffer* Buffer) {
    InternalInitRecord(Buffer);
    ClearCalcFields(Buffer);
    Buffer->BookmarkFlag = bfInserted;
}

void TDataSet::BeginInsertAppend() {
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeInsert();
    DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
    SetState(dsInsert);
    try {
        DoOnNewRecord();
    } catch (...) {
        UpdateCursorPos();
        SetState(dsBrowse);
        Resync(TResyncMode());
        throw;
    }
    modified_ = false;
    DataEvent(deDataSetChange, 0);
    DoAfterInsert();
    DoAfterScroll();
}

void TDataSet::Insert() {
    BeginInsertAppend();
    // The new record takes the active place; the records from there on move one place down.
    const TBookmark current = GetBookmark();
    MoveBuffer(recordCount_, activeRecord_);
    TRecordBuffer* buffer = buffers_[size_t(activeRecord_)];
    InitRecord(buffer);
    // Positioning on the new record means positioning on the record it was inserted before.
    if (recordCount_ == 0)
        buffer->BookmarkFlag = bfBOF;
    else
        SetBookmarkData(buffer, current);
    if (recordCount_ < bufferCount_) ++recordCount_;
    CursorPosChanged();
    InternalInsert();
    EndInsertAppend();
}

void TDataSet::Append() {
    BeginInsertAppend();
    ClearBuffers();
    TRecordBuffer* buffer = buffers_[0];
    InitRecord(buffer);
    buffer->BookmarkFlag = bfEOF;
    recordCount_ = 1;
    bof_ = false;
    GetPriorRecords();
    InternalInsert();
    EndInsertAppend();
}

void TDataSet::Edit() {
    if (state_ == dsEdit || state_ == dsInsert) return;
    if (recordCount_ == 0) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeEdit();
    CheckOperation([this] { InternalEdit(); }, OnEditError);
    GetCalcFields(ActiveBuffer());
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
    DoAfterEdit();
}

void TDataSet::UpdateRecord() {
    if (!IsEditMode(state_)) DatabaseError(QString::fromLatin1(SNotEditing), this);
    DataEvent(deUpdateRecord, 0);
}

void TDataSet::Post() {
    UpdateRecord();
    if (state_ == dsSetKey) {
        EndKeyEditing(true);
        return;
    }
    DataEvent(deCheckBrowseMode, 0);
    DoBeforePost();
    CheckOperation([this] { InternalPost(); }, OnPostError);
    SetState(dsBrowse);
    Resync(TResyncMode());
    DoAfterPost();
}

void TDataSet::Cancel() {
    if (state_ == dsSetKey) {
        EndKeyEditing(false);
        return;
    }
    if (state_ != dsEdit && state_ != dsInsert) return;
    DataEvent(deCheckBrowseMode, 0);
    DoBeforeCancel();
    UpdateCursorPos();
    InternalCancel();
    SetState(dsBrowse);
    Resync(TResyncMode());
    DoAfterCancel();
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert || state_ == dsSetKey) {
        Cancel();
        return;
    }
    if (recordCount_ == 0) DatabaseError(QString::fromLatin1(SDataSetEmpty), this);
    DataEvent(deCheckBrowseMode, 0);
    DoBeforeDelete();
    DoBeforeScroll();
    CheckOperation([this] { InternalDelete(); }, OnDeleteError);
    SetState(dsBrowse);
    Resync(TResyncMode());
    DoAfterDelete();
    DoAfterScroll();
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    DoBeforeRefresh();
    UpdateCursorPos();
    InternalRefresh();
    Resync(TResyncMode());
    DoAfterRefresh();
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode, 0);
    switch (state_) {
    case dsEdit:
    case dsInsert:
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
        break;
    case dsSetKey:
        Post();
        break;
    default:
        break;
    }
}

void TDataSet::ClearFields() {
    if (!IsEditMode(state_)) DatabaseError(QString::fromLatin1(SNotEditing), this);
    DataEvent(deCheckBrowseMode, 0);
    TRecordBuffer* buffer = GetActiveRecBuf();
    InternalInitRecord(buffer);
    if (state_ != dsSetKey) GetCalcFields(buffer);
    DataEvent(deRecordChange, 0);
}

void TDataSet::SetFields(const QList<Variant>& Values) {
    if (!IsEditMode(state_)) DatabaseError(QString::fromLatin1(SNotEditing), this);
    DisableControls();
    try {
        for (int i = 0; i < Values.size() && i < FieldCount(); ++i)
            if (!Values[i].IsEmpty()) fields_->Fields(i)->SetAsVariant(Values[i]);
    } catch (...) {
        EnableControls();
        throw;
    }
    EnableControls();
}

// A failure leaves the new record being inserted with the values given, as a failed Post does.
void TDataSet::InsertRecord(const QList<Variant>& Values) {
    Insert();
    SetFields(Values);
    Post();
}

void TDataSet::AppendRecord(const QList<Variant>& Values) {
    Append();
    SetFields(Values);
    Post();
}
