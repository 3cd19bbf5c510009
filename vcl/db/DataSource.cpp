#include "vcl/db/DataSource.h"

#include "vcl/db/Consts.h"
#include "vcl/db/DataLink.h"

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    BeforeDestruction();
}

void TDataSource::BeforeDestruction() {
    Destroying();
    while (!dataLinks_.isEmpty()) {
        TDataLink* link = dataLinks_.takeLast();
        link->dataSource_ = nullptr;
        link->UpdateState();
    }
    if (dataSet_) SetDataSet(nullptr);
    TComponent::BeforeDestruction();
}

void TDataSource::SetDataSet(TDataSet* ADataSet) {
    if (ADataSet == dataSet_) return;
    if (ADataSet && ADataSet->IsLinkedTo(this))
        DatabaseError(QString::fromLatin1(DBConsts::SCircularDataLink), this);
    if (dataSet_) {
        dataSet_->RemoveFreeNotification(this);
        dataSet_->RemoveDataSource(this);
    }
    if (ADataSet) {
        ADataSet->AddDataSource(this);
        ADataSet->FreeNotification(this);
    }
    UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == dataSet_) SetDataSet(nullptr);
}

void TDataSource::SetEnabled(bool Value) {
    enabled_ = Value;
    UpdateState();
}

void TDataSource::UpdateState() {
    SetState(enabled_ && dataSet_ ? dataSet_->State() : dsInactive);
}

void TDataSource::SetState(TDataSetState Value) {
    if (state_ == Value) return;
    const TDataSetState prior = state_;
    state_ = Value;
    NotifyDataLinks(deUpdateState, 0);
    if (ComponentState() & csDestroying) return;
    if (OnStateChange) OnStateChange(this);
    if (prior == dsInactive && OnDataChange) OnDataChange(this, nullptr);
}

void TDataSource::Edit() {
    if (autoEdit_ && state_ == dsBrowse && dataSet_) dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(TDataSet* ADataSet) const {
    const TDataSource* source = this;
    while (source) {
        TDataSet* ds = source->DataSet();
        if (!ds) break;
        if (ds == ADataSet) return true;
        source = ds->DataSource();
    }
    return false;
}

void TDataSource::AddDataLink(TDataLink* DataLink) {
    dataLinks_.append(DataLink);
    DataLink->dataSource_ = this;
    if (dataSet_) dataSet_->UpdateBufferCount();
    DataLink->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* DataLink) {
    DataLink->dataSource_ = nullptr;
    dataLinks_.removeOne(DataLink);
    DataLink->UpdateState();
    if (dataSet_) dataSet_->UpdateBufferCount();
}

void TDataSource::DataEvent(TDataEvent Event, NativeInt Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (state_ == dsInactive) return;
    NotifyDataLinks(Event, Info);
    switch (Event) {
    case deFieldChange:
        if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(Info));
        break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (OnDataChange) OnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (OnUpdateData) OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::NotifyDataLinks(TDataEvent Event, NativeInt Info) {
    // Links with a window of several records (grids) hear first, then single-record controls.
    const QList<TDataLink*> links = dataLinks_;
    for (int pass = 0; pass < 2; ++pass)
        for (qsizetype i = links.size() - 1; i >= 0; --i) {
            TDataLink* link = links[i];
            if (!dataLinks_.contains(link)) continue;
            if ((pass == 0) == (link->BufferCount() > 1)) link->DataEvent(Event, Info);
        }
}
