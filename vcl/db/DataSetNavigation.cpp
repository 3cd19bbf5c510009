// TDataSet: the record window, navigation, bookmarks and searching.
#include <algorithm>

#include "vcl/db/Consts.h"
#include "vcl/db/DataLink.h"
#include "vcl/db/DataSet.h"
#include "vcl/db/DataSource.h"

using namespace DBConsts;

// The window

TRecordBuffer* TDataSet::NewBuffer() {
    TRecordBuffer* buffer = AllocRecordBuffer();
    buffer->CalcValues.assign(size_t(calcFieldCount_), Null());
    return buffer;
}

void TDataSet::AllocateBuffers(int Count) {
    FreeBuffers();
    bufferCount_ = std::max(1, Count);
    buffers_.reserve(size_t(bufferCount_) + 1);
    for (int i = 0; i <= bufferCount_; ++i)
        buffers_.push_back(NewBuffer());
}

void TDataSet::FreeBuffers() {
    for (TRecordBuffer* b : buffers_)
        FreeRecordBuffer(b);
    buffers_.clear();
    if (tempBuffer_) FreeRecordBuffer(tempBuffer_);
    tempBuffer_ = nullptr;
    calcBuffer_ = nullptr;
    filterBuffer_ = nullptr;
    bufferCount_ = 0;
    recordCount_ = 0;
    activeRecord_ = 0;
    currentRecord_ = -1;
}

TRecordBuffer* TDataSet::TempBuffer() {
    if (!tempBuffer_) tempBuffer_ = NewBuffer();
    return tempBuffer_;
}

void TDataSet::ClearBuffers() {
    recordCount_ = 0;
    activeRecord_ = 0;
    currentRecord_ = -1;
    bof_ = true;
    eof_ = true;
}

void TDataSet::ActivateBuffers() {
    recordCount_ = 1;
    activeRecord_ = 0;
    currentRecord_ = 0;
    bof_ = false;
    eof_ = false;
}

void TDataSet::MoveBuffer(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    TRecordBuffer* buffer = buffers_[size_t(CurIndex)];
    if (CurIndex < NewIndex)
        std::move(buffers_.begin() + CurIndex + 1, buffers_.begin() + NewIndex + 1,
                  buffers_.begin() + CurIndex);
    else
        std::move_backward(buffers_.begin() + NewIndex, buffers_.begin() + CurIndex,
                           buffers_.begin() + CurIndex + 1);
    buffers_[size_t(NewIndex)] = buffer;
}

TRecordBuffer* TDataSet::ActiveBuffer() const {
    return activeRecord_ < recordCount_ ? buffers_[size_t(activeRecord_)] : nullptr;
}

TRecordBuffer* TDataSet::GetActiveRecBuf() const {
    switch (state_) {
    case dsBrowse:
    case dsEdit:
    case dsInsert:
    case dsNewValue:
    case dsOldValue:
    case dsCurValue:
        return ActiveBuffer();
    case dsCalcFields:
    case dsInternalCalc:
        return calcBuffer_;
    case dsFilter:
        return filterBuffer_;
    default:
        return nullptr;
    }
}

void TDataSet::SetCurrentRecord(int Index) {
    if (currentRecord_ == Index) return;
    TRecordBuffer* buffer = buffers_[size_t(Index)];
    switch (buffer->BookmarkFlag) {
    case bfCurrent:
    case bfInserted:
        InternalSetToRecord(buffer);
        break;
    case bfBOF:
        InternalFirst();
        break;
    case bfEOF:
        InternalLast();
        break;
    }
    currentRecord_ = Index;
}

void TDataSet::UpdateCursorPos() {
    if (recordCount_ > 0) SetCurrentRecord(activeRecord_);
}

TGetResult TDataSet::FetchRecord(TRecordBuffer* Buffer, TGetMode Mode, bool DoCheck) {
    for (;;) {
        const TGetResult result = GetRecord(Buffer, Mode, DoCheck);
        if (result != grOK) return result;
        Buffer->BookmarkFlag = bfCurrent;
        ClearCalcFields(Buffer);
        GetCalcFields(Buffer);
        if (!FilterActive() || RecordFilter(Buffer)) return grOK;
        // A rejected record is passed over in the direction of travel.
        if (Mode == gmCurrent) Mode = gmNext;
    }
}

bool TDataSet::GetNextRecord() {
    if (recordCount_ > 0) SetCurrentRecord(recordCount_ - 1);
    const bool ok = FetchRecord(buffers_[size_t(recordCount_)], gmNext, true) == grOK;
    if (ok) {
        if (recordCount_ == 0)
            ActivateBuffers();
        else if (recordCount_ < bufferCount_)
            ++recordCount_;
        else
            MoveBuffer(0, recordCount_); // the window is full: its first record leaves it
        currentRecord_ = recordCount_ - 1;
    } else {
        CursorPosChanged();
    }
    return ok;
}

bool TDataSet::GetPriorRecord() {
    if (recordCount_ > 0) SetCurrentRecord(0);
    const bool ok = FetchRecord(buffers_[size_t(recordCount_)], gmPrior, true) == grOK;
    if (ok) {
        if (recordCount_ == 0) {
            ActivateBuffers();
        } else {
            MoveBuffer(recordCount_, 0);
            // While there is room the active record stays the same; in a full window its last record
            // leaves and the active index now names the record before.
            if (recordCount_ < bufferCount_) {
                ++recordCount_;
                ++activeRecord_;
            }
        }
        currentRecord_ = 0;
    } else {
        CursorPosChanged();
    }
    return ok;
}

int TDataSet::GetNextRecords() {
    int n = 0;
    while (recordCount_ < bufferCount_ && GetNextRecord())
        ++n;
    return n;
}

int TDataSet::GetPriorRecords() {
    int n = 0;
    while (recordCount_ < bufferCount_ && GetPriorRecord())
        ++n;
    return n;
}

void TDataSet::SetBufferCount(int Value) {
    Value = std::max(1, Value);
    if (Value == bufferCount_ || buffers_.empty()) return;
    int shift = 0;
    if (Value < bufferCount_) {
        // Records leave from the front as far as the active one must stay, then from the end.
        const int drop = std::max(0, activeRecord_ - (Value - 1));
        for (int i = 0; i < drop; ++i)
            MoveBuffer(0, bufferCount_);
        activeRecord_ -= drop;
        recordCount_ = std::min(recordCount_ - drop, Value);
        shift = drop;
        for (size_t i = size_t(Value) + 1; i < buffers_.size(); ++i)
            FreeRecordBuffer(buffers_[i]);
        buffers_.resize(size_t(Value) + 1);
        CursorPosChanged();
    } else {
        while (buffers_.size() < size_t(Value) + 1)
            buffers_.push_back(NewBuffer());
    }
    bufferCount_ = Value;
    if (recordCount_ > 0 && state_ != dsInsert && state_ != dsSetKey) {
        GetNextRecords();
        shift -= GetPriorRecords();
    }
    ShiftLinks(shift);
}

void TDataSet::UpdateBufferCount() {
    // Closed (also while being destroyed, when no descendant is left to ask): nothing to size.
    if (buffers_.empty() || !IsCursorOpen()) return;
    int count = 1;
    for (TDataSource* ds : dataSources_)
        for (TDataLink* link : ds->dataLinks_)
            count = std::max(count, link->BufferCount());
    SetBufferCount(count);
}

void TDataSet::Resync(TResyncMode Mode) {
    TRecordBuffer* spare = buffers_[size_t(recordCount_)];
    if (Mode & rmExact) {
        CursorPosChanged();
        if (FetchRecord(spare, gmCurrent, true) != grOK)
            DatabaseError(QString::fromLatin1(SRecordNotFound), this);
    } else if (FetchRecord(spare, gmCurrent, false) != grOK && FetchRecord(spare, gmNext, false) != grOK &&
               FetchRecord(spare, gmPrior, false) != grOK) {
        ClearBuffers();
        DataEvent(deDataSetChange, 0);
        return;
    }
    int count = (Mode & rmCenter) ? (bufferCount_ - 1) / 2 : activeRecord_;
    MoveBuffer(recordCount_, 0);
    ActivateBuffers();
    try {
        while (count > 0 && GetPriorRecord())
            --count;
        GetNextRecords();
        GetPriorRecords();
    } catch (...) {
        DataEvent(deDataSetChange, 0);
        throw;
    }
    DataEvent(deDataSetChange, 0);
}

// Navigation

void TDataSet::First() {
    CheckBrowseMode();
    DoBeforeScroll();
    ClearBuffers();
    try {
        InternalFirst();
        GetNextRecord();
        GetNextRecords();
    } catch (...) {
        bof_ = true;
        DataEvent(deDataSetChange, 0);
        throw;
    }
    bof_ = true;
    eof_ = recordCount_ == 0;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

void TDataSet::Last() {
    CheckBrowseMode();
    DoBeforeScroll();
    ClearBuffers();
    try {
        InternalLast();
        GetPriorRecord();
        GetPriorRecords();
    } catch (...) {
        eof_ = true;
        DataEvent(deDataSetChange, 0);
        throw;
    }
    eof_ = true;
    bof_ = recordCount_ == 0;
    DataEvent(deDataSetChange, 0);
    DoAfterScroll();
}

int TDataSet::MoveBy(int Distance) {
    CheckBrowseMode();
    int result = 0;
    DoBeforeScroll();
    if ((Distance > 0 && !eof_) || (Distance < 0 && !bof_)) {
        bof_ = false;
        eof_ = false;
        int shift = 0;
        auto notify = [&] {
            if (std::abs(shift) >= bufferCount_)
                DataEvent(deDataSetChange, 0);
            else
                DataEvent(deDataSetScroll, shift);
        };
        try {
            while (Distance > 0 && !eof_) {
                if (activeRecord_ < recordCount_ - 1) {
                    ++activeRecord_;
                    --Distance;
                    ++result;
                } else {
                    const bool full = recordCount_ == bufferCount_;
                    if (GetNextRecord()) {
                        if (full) ++shift;
                        activeRecord_ = recordCount_ - 1;
                        --Distance;
                        ++result;
                    } else {
                        eof_ = true;
                    }
                }
            }
            while (Distance < 0 && !bof_) {
                if (activeRecord_ > 0) {
                    --activeRecord_;
                    ++Distance;
                    --result;
                } else if (GetPriorRecord()) {
                    --shift;
                    activeRecord_ = 0;
                    ++Distance;
                    --result;
                } else {
                    bof_ = true;
                }
            }
        } catch (...) {
            notify();
            throw;
        }
        notify();
    }
    DoAfterScroll();
    return result;
}

int TDataSet::RecordCount() const {
    CheckActive();
    return GetRecordCount();
}

int TDataSet::RecNo() const {
    CheckActive();
    return GetRecNo();
}

void TDataSet::SetRecNo(int Value) {
    CheckBrowseMode();
    DoBeforeScroll();
    UpdateCursorPos();
    SetRecNoValue(Value);
    Resync(rmCenter);
    DoAfterScroll();
}

// Bookmarks

TBookmark TDataSet::GetBookmark() const {
    if ((state_ == dsBrowse || state_ == dsEdit || state_ == dsInsert) && !IsEmpty() &&
        ActiveBuffer()->BookmarkFlag == bfCurrent)
        return GetBookmarkData(ActiveBuffer());
    return TBookmark();
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
    if (Bookmark.isEmpty()) return;
    CheckBrowseMode();
    DoBeforeScroll();
    InternalGotoBookmark(Bookmark);
    Resync(rmExact | rmCenter);
    DoAfterScroll();
}

bool TDataSet::BookmarkValid(const TBookmark&) const {
    return false;
}

int TDataSet::CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const {
    if (Bookmark1.isEmpty() || Bookmark2.isEmpty())
        return Bookmark1.isEmpty() ? (Bookmark2.isEmpty() ? 0 : -1) : 1;
    const int c = Bookmark1.compare(Bookmark2);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

TBookmarkStr TDataSet::Bookmark() const {
    return QString::fromLatin1(GetBookmark());
}

void TDataSet::SetBookmark(const TBookmarkStr& Value) {
    GotoBookmark(Value.toLatin1());
}

// Searching

bool TDataSet::RecordMatches(const QList<TField*>& Fields, const Variant& KeyValues,
                             TLocateOptions Options) const {
    for (int i = 0; i < Fields.size(); ++i) {
        TField* field = Fields[i];
        Variant wanted = KeyValues;
        if (KeyValues.IsArray()) wanted = VarArrayGet(KeyValues, {VarArrayLowBound(KeyValues, 1) + i});
        const bool wantNull = wanted.IsNull() || wanted.IsEmpty();
        if (field->IsNull() || wantNull) {
            if (field->IsNull() != wantNull) return false;
            continue;
        }
        const TFieldType t = field->DataType();
        if (t == ftString || t == ftFixedChar || t == ftWideString || t == ftFixedWideChar || t == ftGuid ||
            t == ftMemo || t == ftWideMemo) {
            const String have = field->AsString();
            const String want = VarToStr(wanted);
            const Qt::CaseSensitivity cs =
                Options.testFlag(loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (Options.testFlag(loPartialKey) ? !have.startsWith(want, cs) : have.compare(want, cs) != 0)
                return false;
            continue;
        }
        if (!VarSameValue(field->AsVariant(), field->NativeValue(wanted))) return false;
    }
    return true;
}

bool TDataSet::Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
    CheckBrowseMode();
    const QList<TField*> fields = GetFieldList(KeyFields);
    TRecordBuffer* record = TempBuffer();
    bool found = false;
    InternalFirst();
    CursorPosChanged();
    while (!found && FetchRecord(record, gmNext, true) == grOK)
        WithRecord(record, [&] { found = RecordMatches(fields, KeyValues, Options); });
    if (!found) return false;
    const TBookmark bookmark = GetBookmarkData(record);
    DoBeforeScroll();
    InternalGotoBookmark(bookmark);
    Resync(rmExact | rmCenter);
    DoAfterScroll();
    return true;
}

Variant TDataSet::Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields) {
    CheckBrowseMode();
    const QList<TField*> fields = GetFieldList(KeyFields);
    TRecordBuffer* record = TempBuffer();
    Variant result = Null();
    InternalFirst();
    CursorPosChanged();
    bool found = false;
    while (!found && FetchRecord(record, gmNext, true) == grOK)
        WithRecord(record, [&] {
            found = RecordMatches(fields, KeyValues, {});
            if (found) result = FieldValues(ResultFields);
        });
    return result;
}
