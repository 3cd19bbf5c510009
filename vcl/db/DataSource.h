#pragma once
// TDataSource: the connection between one data set and the data links of the controls showing it.
#include <QList>

#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Published.h"
#include "vcl/db/DataSet.h"

class TDataLink;
class TDataSource;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;
Q_DECLARE_METATYPE(TDataChangeEvent)

class TDataSource : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool AutoEdit READ AutoEdit WRITE SetAutoEdit)
    Q_PROPERTY(TDataSet* DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    MOX_DEFAULT(AutoEdit, True)
    MOX_DEFAULT(Enabled, True)
    MOX_EVENT(TNotifyEvent, OnStateChange)
    // Field is the changed field, or null when the record or the whole data set changed.
    MOX_EVENT(TDataChangeEvent, OnDataChange)
    MOX_EVENT(TNotifyEvent, OnUpdateData)

public:
    explicit TDataSource(TComponent* AOwner);
    ~TDataSource() override;
    void BeforeDestruction() override;

    TDataSet* DataSet() const { return dataSet_; }
    // Raises "Circular datalinks are not allowed" when the data set is linked back to this source.
    void SetDataSet(TDataSet* ADataSet);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool Value) { autoEdit_ = Value; }
    // The data set's state while enabled; dsInactive otherwise.
    TDataSetState State() const { return state_; }
    // Puts the data set into edit mode when AutoEdit allows it.
    void Edit();
    // True when this source's data set is, directly or through masters, a detail of DataSet.
    bool IsLinkedTo(TDataSet* ADataSet) const;

    int DataLinkCount() const { return int(dataLinks_.size()); }
    TDataLink* DataLinks(int Index) const { return dataLinks_.value(Index); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TDataSet;
    friend class TDataLink;

    void AddDataLink(TDataLink* DataLink);
    void RemoveDataLink(TDataLink* DataLink);
    void DataEvent(TDataEvent Event, NativeInt Info);
    void NotifyDataLinks(TDataEvent Event, NativeInt Info);
    void SetState(TDataSetState Value);
    void UpdateState();

    TDataSet* dataSet_ = nullptr;
    QList<TDataLink*> dataLinks_;
    TDataSetState state_ = dsInactive;
    bool enabled_ = true;
    bool autoEdit_ = true;
};
