// TDataSet: opening and closing, fields, state, events and notices.
#include "vcl/db/DataSet.h"

#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/db/Consts.h"
#include "vcl/db/DataLink.h"
#include "vcl/db/DataSource.h"

using namespace DBConsts;

namespace {
TFilterExpressionFactory& FilterFactory() {
    static TFilterExpressionFactory factory;
    return factory;
}

const bool filterEventRegistered = RegisterEventType<TFilterRecordEvent>("TFilterRecordEvent");

bool IsStringType(TFieldType t) {
    return t == ftString || t == ftFixedChar || t == ftWideString || t == ftFixedWideChar || t == ftGuid;
}

bool IsMemoType(TFieldType t) {
    return t == ftMemo || t == ftWideMemo || t == ftFmtMemo || t == ftOraClob;
}

// Whether a field of one type can stand for a column of the other.
bool Compatible(TFieldType field, TFieldType def) {
    if (field == def) return true;
    if (IsStringType(field) && IsStringType(def)) return true;
    if (IsMemoType(field) && IsMemoType(def)) return true;
    if ((field == ftInteger && def == ftAutoInc) || (field == ftAutoInc && def == ftInteger)) return true;
    if ((field == ftBCD && def == ftFMTBcd) || (field == ftFMTBcd && def == ftBCD)) return true;
    if ((field == ftDateTime && def == ftTimeStamp) || (field == ftTimeStamp && def == ftDateTime))
        return true;
    return false;
}
} // namespace

void SetFilterExpressionFactory(TFilterExpressionFactory Factory) {
    FilterFactory() = std::move(Factory);
}

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner), fields_(std::make_unique<TFields>(this)), fieldDefs_(new TFieldDefs(this)),
      constraints_(new TCheckConstraints(this)) {
    (void)filterEventRegistered;
}

TDataSet::~TDataSet() {
    // A descendant closes itself in its own destructor; what is left here needs no virtual call.
    while (!dataSources_.isEmpty())
        dataSources_.last()->SetDataSet(nullptr);
    fields_->Clear();
    FreeBuffers();
    delete fieldDefs_;
    delete constraints_;
}

void TDataSet::BeforeDestruction() {
    Destroying();
    if (Active()) Close();
    while (!dataSources_.isEmpty())
        dataSources_.last()->SetDataSet(nullptr);
    fields_->Clear();
    TComponent::BeforeDestruction();
}

// Opening and closing

void TDataSet::SetActive(bool Value) {
    if (ComponentState() & (csLoading | csReading)) {
        streamedActive_ = Value;
        return;
    }
    if (Active() == Value) return;
    if (Value) {
        DoBeforeOpen();
        OpenNow();
        DoAfterOpen();
        if (!IsEmpty()) DoAfterScroll();
    } else {
        const bool destroying = ComponentState() & csDestroying;
        if (!destroying) DoBeforeClose();
        CloseNow();
        if (!destroying) DoAfterClose();
    }
}

void TDataSet::OpenNow() {
    state_ = dsOpening;
    try {
        OpenCursor(false);
    } catch (...) {
        state_ = dsInactive;
        try {
            CloseCursor();
        } catch (...) {
        }
        throw;
    }
    state_ = dsInactive;
    enableEvent_ = deLayoutChange;
    SetState(dsBrowse);
}

void TDataSet::CloseNow() {
    SetState(dsInactive);
    CloseCursor();
}

void TDataSet::OpenCursor(bool InfoQuery) {
    if (InfoQuery) {
        InternalInitFieldDefs();
        return;
    }
    defaultFields_ = FieldCount() == 0;
    InternalOpen();
    if (defaultFields_) CreateFields();
    BindFields(true);
    if (filtered_) CompileFilter();
    int count = 1;
    for (TDataSource* ds : dataSources_)
        for (TDataLink* link : ds->dataLinks_)
            count = std::max(count, link->BufferCount());
    AllocateBuffers(count);
    ClearBuffers();
    InternalFirst();
    GetNextRecords();
    bof_ = true;
    eof_ = recordCount_ == 0;
}

void TDataSet::CloseCursor() {
    filterExpression_.reset();
    ClearBuffers();
    FreeBuffers();
    if (IsCursorOpen()) InternalClose();
    BindFields(false);
    if (defaultFields_) DestroyFields();
    defaultFields_ = false;
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (streamedActive_) {
        streamedActive_ = false;
        SetActive(true);
    }
}

// Fields

void TDataSet::SetFieldDefs(TFieldDefs* Value) {
    fieldDefs_->Assign(Value);
}

void TDataSet::SetConstraints(TCheckConstraints* Value) {
    constraints_->Assign(Value);
}

void TDataSet::InitFieldDefs() {
    InternalInitFieldDefs();
    fieldDefs_->SetUpdated(true);
}

void TDataSet::CreateFields() {
    for (int i = 0; i < fieldDefs_->Count(); ++i) {
        TFieldDef* def = fieldDefs_->Items(i);
        if (def->Attributes().testFlag(faHiddenCol)) continue;
        def->CreateField(this);
    }
}

void TDataSet::DestroyFields() {
    fields_->Clear();
}

void TDataSet::BindFields(bool Binding) {
    calcFieldCount_ = 0;
    for (TField* f : *fields_) {
        f->fieldNo_ = 0;
        f->calcSlot_ = -1;
        if (!Binding) continue;
        if (f->FieldKind() == fkData) {
            TFieldDef* def = fieldDefs_->FindDef(f->FieldName());
            if (!def) DatabaseErrorFmt(SFieldNotFound, {f->DisplayName()}, this);
            if (!Compatible(f->DataType(), def->DataType()))
                DatabaseErrorFmt(
                    SFieldTypeMismatch,
                    {f->DisplayName(), FieldTypeName(f->DataType()), FieldTypeName(def->DataType())}, this);
            f->fieldNo_ = def->FieldNo();
            continue;
        }
        f->calcSlot_ = calcFieldCount_++;
        if (f->FieldKind() != fkLookup) continue;
        TDataSet* lookup = f->LookupDataSet();
        if (!lookup || f->KeyFields().isEmpty() || f->LookupKeyFields().isEmpty() ||
            f->LookupResultField().isEmpty())
            DatabaseErrorFmt(SLookupInfoError, {f->DisplayName()});
        GetFieldList(f->KeyFields());
        // The lookup data set opens with the one that shows its values.
        if (lookup != this && !lookup->Active()) lookup->Open();
        lookup->GetFieldList(f->LookupKeyFields());
        lookup->FieldByName(f->LookupResultField());
    }
}

TField* TDataSet::FieldByName(const String& FieldName) const {
    return fields_->FieldByName(FieldName);
}

QStringList TDataSet::GetFieldNames() const {
    QStringList names;
    if (fields_->Count() > 0) {
        for (TField* f : *fields_)
            names.append(f->FieldName());
    } else {
        fieldDefs_->Update();
        for (int i = 0; i < fieldDefs_->Count(); ++i)
            names.append(fieldDefs_->Items(i)->Name());
    }
    return names;
}

QList<TField*> TDataSet::GetFieldList(const String& FieldNames) const {
    QList<TField*> list;
    for (const String& name : FieldNameList(FieldNames))
        list.append(FieldByName(name));
    return list;
}

Variant TDataSet::FieldValues(const String& FieldNames) const {
    const QList<TField*> list = GetFieldList(FieldNames);
    if (list.size() == 1) return list[0]->AsVariant();
    Variant values = VarArrayCreate({0, int(list.size()) - 1}, varVariant);
    for (int i = 0; i < list.size(); ++i)
        VarArrayPut(values, list[i]->AsVariant(), {i});
    return values;
}

void TDataSet::SetFieldValues(const String& FieldNames, const Variant& Value) {
    const QList<TField*> list = GetFieldList(FieldNames);
    if (list.size() == 1 && !Value.IsArray()) {
        list[0]->SetAsVariant(Value);
        return;
    }
    for (int i = 0; i < list.size(); ++i)
        list[i]->SetAsVariant(VarArrayGet(Value, {i}));
}

void TDataSet::SetFieldIndexFlags(const QStringList& IndexFieldNames) {
    for (TField* f : *fields_) {
        f->isIndexField_ = false;
        for (const String& name : IndexFieldNames)
            if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0) f->isIndexField_ = true;
    }
}

// State and notices

void TDataSet::SetState(TDataSetState Value) {
    if (state_ == Value) return;
    state_ = Value;
    modified_ = false;
    DataEvent(deUpdateState, 0);
}

void TDataSet::DataEvent(TDataEvent Event, NativeInt Info) {
    if (Event == deFieldChange) {
        auto* field = reinterpret_cast<TField*>(Info);
        if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc) modified_ = true;
        UpdateCalcFields();
        field->Change();
    }
    if (!ControlsDisabled() && state_ != dsBlockRead)
        NotifyDataSources(Event, Info);
    else if ((Event == deUpdateState && state_ == dsInactive) || Event == deLayoutChange)
        enableEvent_ = deLayoutChange;
}

void TDataSet::NotifyDataSources(TDataEvent Event, NativeInt Info) {
    const QList<TDataSource*> sources = dataSources_;
    for (TDataSource* ds : sources)
        if (dataSources_.contains(ds)) ds->DataEvent(Event, Info);
}

void TDataSet::ShiftLinks(int Shift) {
    if (Shift == 0) return;
    for (TDataSource* ds : dataSources_)
        for (TDataLink* link : ds->dataLinks_) {
            link->firstRecord_ -= Shift;
            if (link->active_) link->UpdateRange();
        }
}

void TDataSet::DisableControls() {
    if (disableCount_ == 0) {
        disableState_ = state_;
        enableEvent_ = deDataSetChange;
    }
    ++disableCount_;
}

void TDataSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ != 0) return;
    if (disableState_ != state_) DataEvent(deUpdateState, 0);
    if (disableState_ != dsInactive && state_ != dsInactive) DataEvent(enableEvent_, 0);
}

bool TDataSet::IsLinkedTo(TDataSource* DataSource) const {
    while (DataSource) {
        TDataSet* ds = DataSource->DataSet();
        if (!ds) break;
        if (ds == this) return true;
        DataSource = ds->DataSource();
    }
    return false;
}

void TDataSet::AddDataSource(TDataSource* DataSource) {
    dataSources_.append(DataSource);
    DataSource->dataSet_ = this;
    UpdateBufferCount();
    DataSource->UpdateState();
}

void TDataSet::RemoveDataSource(TDataSource* DataSource) {
    DataSource->dataSet_ = nullptr;
    dataSources_.removeOne(DataSource);
    DataSource->UpdateState();
    UpdateBufferCount();
}

void TDataSet::CheckActive() const {
    if (state_ == dsInactive) DatabaseError(QString::fromLatin1(SDataSetClosed), this);
}

void TDataSet::CheckInactive() const {
    if (!Active()) return;
    if (ComponentState() & (csUpdating | csDesigning))
        const_cast<TDataSet*>(this)->Close();
    else
        DatabaseError(QString::fromLatin1(SDataSetOpen), this);
}

void TDataSet::CheckCanModify() const {
    if (!CanModify()) DatabaseError(QString::fromLatin1(SDataSetReadOnly), this);
}

void TDataSet::CheckRequiredFields() {
    for (TField* f : *fields_)
        if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->IsNull()) {
            f->FocusControl();
            DatabaseErrorFmt(SFieldRequired, {f->DisplayName()});
        }
}

void TDataSet::CheckOperation(const std::function<void()>& Operation, const TDataSetErrorEvent& ErrorEvent) {
    for (;;) {
        try {
            UpdateCursorPos();
            Operation();
            return;
        } catch (EDatabaseError& e) {
            TDataAction action = daFail;
            if (ErrorEvent) ErrorEvent(this, e, action);
            if (action == daFail) throw;
            if (action == daAbort) Abort();
        }
    }
}

void TDataSet::InternalHandleException() {
    ApplicationHandleException(this);
}

void TDataSet::InternalPost() {
    CheckRequiredFields();
}

// The steps that raise events

void TDataSet::DoBeforeOpen() {
    if (BeforeOpen) BeforeOpen(this);
}
void TDataSet::DoAfterOpen() {
    if (AfterOpen) AfterOpen(this);
}
void TDataSet::DoBeforeClose() {
    if (BeforeClose) BeforeClose(this);
}
void TDataSet::DoAfterClose() {
    if (AfterClose) AfterClose(this);
}
void TDataSet::DoBeforeInsert() {
    if (BeforeInsert) BeforeInsert(this);
}
void TDataSet::DoAfterInsert() {
    if (AfterInsert) AfterInsert(this);
}
void TDataSet::DoBeforeEdit() {
    if (BeforeEdit) BeforeEdit(this);
}
void TDataSet::DoAfterEdit() {
    if (AfterEdit) AfterEdit(this);
}
void TDataSet::DoBeforePost() {
    if (BeforePost) BeforePost(this);
}
void TDataSet::DoAfterPost() {
    if (AfterPost) AfterPost(this);
}
void TDataSet::DoBeforeCancel() {
    if (BeforeCancel) BeforeCancel(this);
}
void TDataSet::DoAfterCancel() {
    if (AfterCancel) AfterCancel(this);
}
void TDataSet::DoBeforeDelete() {
    if (BeforeDelete) BeforeDelete(this);
}
void TDataSet::DoAfterDelete() {
    if (AfterDelete) AfterDelete(this);
}
void TDataSet::DoBeforeScroll() {
    if (BeforeScroll) BeforeScroll(this);
}
void TDataSet::DoAfterScroll() {
    if (AfterScroll) AfterScroll(this);
}
void TDataSet::DoBeforeRefresh() {
    if (BeforeRefresh) BeforeRefresh(this);
}
void TDataSet::DoAfterRefresh() {
    if (AfterRefresh) AfterRefresh(this);
}
void TDataSet::DoOnCalcFields() {
    if (OnCalcFields) OnCalcFields(this);
}
void TDataSet::DoOnNewRecord() {
    if (OnNewRecord) OnNewRecord(this);
}

// Calculated and lookup fields

void TDataSet::ClearCalcFields(TRecordBuffer* Buffer) {
    if (Buffer) Buffer->CalcValues.assign(size_t(calcFieldCount_), Null());
}

void TDataSet::GetCalcFields(TRecordBuffer* Buffer) {
    if (calcFieldCount_ == 0 || !Buffer) return;
    const TDataSetState saved = state_;
    TRecordBuffer* savedBuffer = calcBuffer_;
    state_ = dsCalcFields;
    try {
        CalculateFields(Buffer);
    } catch (...) {
        state_ = saved;
        calcBuffer_ = savedBuffer;
        throw;
    }
    state_ = saved;
    calcBuffer_ = savedBuffer;
}

void TDataSet::CalculateFields(TRecordBuffer* Buffer) {
    calcBuffer_ = Buffer;
    for (TField* f : *fields_)
        if (f->FieldKind() == fkLookup) CalcLookupValue(f);
    DoOnCalcFields();
}

void TDataSet::CalcLookupValue(TField* Field) {
    TDataSet* lookup = Field->LookupDataSet();
    if (!lookup || !lookup->Active()) return;
    const Variant keys = FieldValues(Field->KeyFields());
    if (keys.IsNull()) return;
    if (keys.IsArray())
        for (int i = VarArrayLowBound(keys, 1); i <= VarArrayHighBound(keys, 1); ++i)
            if (VarArrayGet(keys, {i}).IsNull()) return;
    Field->SetAsVariant(lookup->Lookup(Field->LookupKeyFields(), keys, Field->LookupResultField()));
}

void TDataSet::UpdateCalcFields() {
    if (state_ == dsSetKey || !autoCalcFields_ || calcFieldCount_ == 0) return;
    TRecordBuffer* buffer = GetActiveRecBuf();
    if (!buffer || state_ == dsCalcFields || state_ == dsFilter) return;
    ClearCalcFields(buffer);
    GetCalcFields(buffer);
}

// Filtering

bool TDataSet::FilterActive() const {
    return filtered_ && (onFilterRecord_ || filterExpression_);
}

bool TDataSet::RecordFilter(TRecordBuffer* Buffer) {
    bool accept = true;
    const TDataSetState saved = state_;
    TRecordBuffer* savedBuffer = filterBuffer_;
    state_ = dsFilter;
    filterBuffer_ = Buffer;
    try {
        if (onFilterRecord_) onFilterRecord_(this, accept);
        if (accept && filterExpression_) accept = filterExpression_->Accepts(this);
    } catch (...) {
        state_ = saved;
        filterBuffer_ = savedBuffer;
        // As the platform does: the error is shown and the record keeps the verdict reached so far.
        InternalHandleException();
        return accept;
    }
    state_ = saved;
    filterBuffer_ = savedBuffer;
    return accept;
}

void TDataSet::WithRecord(TRecordBuffer* Buffer, const std::function<void()>& Job) {
    const TDataSetState saved = state_;
    TRecordBuffer* savedBuffer = filterBuffer_;
    state_ = dsFilter;
    filterBuffer_ = Buffer;
    try {
        Job();
    } catch (...) {
        state_ = saved;
        filterBuffer_ = savedBuffer;
        throw;
    }
    state_ = saved;
    filterBuffer_ = savedBuffer;
}

void TDataSet::CompileFilter() {
    filterExpression_.reset();
    if (!filtered_ || filterText_.trimmed().isEmpty()) return;
    if (!FilterFactory()) DatabaseError(QString::fromLatin1(SFilterNotSupported), this);
    filterExpression_ = FilterFactory()(this, filterText_, filterOptions_);
}

void TDataSet::FilterChanged() {
    First();
}

void TDataSet::SetFiltered(bool Value) {
    if (!Active()) {
        filtered_ = Value;
        return;
    }
    CheckBrowseMode();
    if (filtered_ != Value) {
        filtered_ = Value;
        try {
            CompileFilter();
        } catch (...) {
            filtered_ = false;
            filterExpression_.reset();
            FilterChanged();
            throw;
        }
    }
    FilterChanged();
}

void TDataSet::SetFilter(const String& Value) {
    if (!Active()) {
        filterText_ = Value;
        return;
    }
    CheckBrowseMode();
    filterText_ = Value;
    if (!filtered_) return;
    CompileFilter();
    FilterChanged();
}

void TDataSet::SetFilterOptions(TFilterOptions Value) {
    if (!Active()) {
        filterOptions_ = Value;
        return;
    }
    CheckBrowseMode();
    filterOptions_ = Value;
    if (!filtered_) return;
    CompileFilter();
    FilterChanged();
}

void TDataSet::SetOnFilterRecord(const TFilterRecordEvent& Value) {
    if (!Active() || !filtered_) {
        onFilterRecord_ = Value;
        return;
    }
    CheckBrowseMode();
    onFilterRecord_ = Value;
    FilterChanged();
}
