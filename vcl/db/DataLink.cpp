#include "vcl/db/DataLink.h"

#include <algorithm>

#include "vcl/db/Consts.h"

// TDataLink

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
    if (dataSource_) dataSource_->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* ADataSource) {
    if (ADataSource == dataSource_) return;
    if (dataSourceFixed_) DatabaseError(QString::fromLatin1(DBConsts::SDataSourceChange), ADataSource);
    if (dataSource_) dataSource_->RemoveDataLink(this);
    if (ADataSource) ADataSource->AddDataLink(this);
}

TDataSet* TDataLink::DataSet() const {
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool Value) {
    if (readOnly_ == Value) return;
    readOnly_ = Value;
    UpdateState();
}

void TDataLink::UpdateState() {
    SetActive(dataSource_ && dataSource_->State() != dsInactive);
    SetEditing(dataSource_ && IsEditMode(dataSource_->State()));
}

void TDataLink::SetActive(bool Value) {
    if (active_ == Value) return;
    active_ = Value;
    if (Value)
        UpdateRange();
    else
        firstRecord_ = 0;
    ActiveChanged();
}

void TDataLink::SetEditing(bool Value) {
    if (editing_ == Value) return;
    editing_ = Value;
    EditingChanged();
}

void TDataLink::UpdateRange() {
    TDataSet* ds = DataSet();
    if (!ds) return;
    const int active = ds->activeRecord_;
    const int low = std::max(0, active - bufferCount_ + 1);
    const int high = std::min(std::max(0, ds->bufferCount_ - bufferCount_), active);
    firstRecord_ = std::clamp(firstRecord_, low, std::max(low, high));
}

void TDataLink::SetBufferCount(int Value) {
    Value = std::max(1, Value);
    if (bufferCount_ == Value) return;
    bufferCount_ = Value;
    if (!active_) return;
    UpdateRange();
    if (TDataSet* ds = DataSet()) ds->UpdateBufferCount();
    UpdateRange();
}

int TDataLink::ActiveRecord() const {
    if (!dataSource_ || dataSource_->State() == dsSetKey) return 0;
    TDataSet* ds = DataSet();
    return ds ? ds->activeRecord_ - firstRecord_ : 0;
}

void TDataLink::SetActiveRecord(int Value) {
    if (!dataSource_ || dataSource_->State() == dsSetKey) return;
    if (TDataSet* ds = DataSet()) ds->activeRecord_ = Value + firstRecord_;
}

int TDataLink::RecordCount() const {
    if (!dataSource_ || !active_) return 0;
    if (dataSource_->State() == dsSetKey) return 1;
    TDataSet* ds = DataSet();
    return std::clamp(ds->recordCount_ - firstRecord_, 0, bufferCount_);
}

bool TDataLink::Bof() const {
    return DataSet() ? DataSet()->Bof() : true;
}
bool TDataLink::Eof() const {
    return DataSet() ? DataSet()->Eof() : true;
}
int TDataLink::MoveBy(int Distance) {
    return DataSet() ? DataSet()->MoveBy(Distance) : 0;
}

bool TDataLink::Edit() {
    if (!readOnly_ && dataSource_) dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord() {
    updating_ = true;
    try {
        UpdateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TDataLink::DataEvent(TDataEvent Event, NativeInt Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (!active_) return;
    switch (Event) {
    case deFieldChange:
    case deRecordChange:
        if (!updating_) RecordChanged(reinterpret_cast<TField*>(Info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
        if (Event == deDataSetScroll) firstRecord_ -= int(Info);
        const int before = firstRecord_;
        UpdateRange();
        if (Event == deDataSetChange)
            DataSetChanged();
        else if (Event == deDataSetScroll)
            DataSetScrolled(firstRecord_ - before);
        else
            LayoutChanged();
        break;
    }
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(reinterpret_cast<TField**>(Info));
        break;
    default:
        break;
    }
}

// TFieldDataLink

namespace {
TFieldDataLink::TFocusHandler& FocusHandler() {
    static TFieldDataLink::TFocusHandler handler;
    return handler;
}
} // namespace

void TFieldDataLink::SetFocusHandler(TFocusHandler Handler) {
    FocusHandler() = std::move(Handler);
}

void TFieldDataLink::SetFieldName(const String& Value) {
    if (fieldName_ == Value) return;
    fieldName_ = Value;
    UpdateField();
}

void TFieldDataLink::UpdateField() {
    if (Active() && !fieldName_.isEmpty()) {
        field_ = nullptr;
        SetField(DataSet()->FieldByName(fieldName_));
    } else {
        SetField(nullptr);
    }
}

void TFieldDataLink::SetField(TField* Value) {
    if (field_ == Value) return;
    field_ = Value;
    EditingChanged();
    RecordChanged(nullptr);
}

bool TFieldDataLink::CanModify() const {
    return !ReadOnly() && (!field_ || field_->CanModify());
}

bool TFieldDataLink::Edit() {
    if (CanModify()) TDataLink::Edit();
    return editing_;
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() {
    SetFieldEditing(TDataLink::Editing() && CanModify());
}

void TFieldDataLink::SetFieldEditing(bool Value) {
    if (editing_ == Value) return;
    editing_ = Value;
    modified_ = false;
    if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::FocusControl(TField** Field) {
    if (!Field || !*Field || *Field != field_ || !control_) return;
    if (FocusHandler() && FocusHandler()(control_)) *Field = nullptr;
}

void TFieldDataLink::LayoutChanged() {
    UpdateField();
}

void TFieldDataLink::RecordChanged(TField* Field) {
    if (Field && Field != field_) return;
    if (OnDataChange) OnDataChange(this);
    modified_ = false;
}

void TFieldDataLink::UpdateData() {
    if (!modified_) return;
    if (field_ && OnUpdateData) OnUpdateData(this);
    modified_ = false;
}
