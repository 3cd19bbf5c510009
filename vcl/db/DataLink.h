#pragma once
// TDataLink: what a data control holds to follow a data source, with its own window of records;
// TFieldDataLink: the link of a control that shows and edits one field.
#include <functional>

#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"
#include "vcl/db/DataSource.h"

class TDataLink : public TPersistent {
    Q_OBJECT
public:
    TDataLink();
    ~TDataLink() override;

    TDataSource* DataSource() const { return dataSource_; }
    // Raises "DataSource cannot be changed" while the source is fixed.
    void SetDataSource(TDataSource* ADataSource);
    TDataSet* DataSet() const;
    // True while the source is enabled and its data set open.
    bool Active() const { return active_; }
    // True while the data set is being edited, inserted or keyed.
    bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    // A control grid fixes the source of the links of its controls.
    bool DataSourceFixed() const { return dataSourceFixed_; }
    void SetDataSourceFixed(bool Value) { dataSourceFixed_ = Value; }
    // A link of a control that shows data, as opposed to a data set's own links.
    bool VisualControl() const { return visualControl_; }
    void SetVisualControl(bool Value) { visualControl_ = Value; }

    // The link's window: BufferCount records of the data set's window, the active one at
    // ActiveRecord (0-based within the link's window). Setting ActiveRecord makes that record the
    // data set's active record, so that fields read it, as a grid does while painting its rows.
    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int Value);
    int ActiveRecord() const;
    void SetActiveRecord(int Value);
    // Records in the link's window (at most BufferCount).
    int RecordCount() const;
    bool Bof() const;
    bool Eof() const;
    int MoveBy(int Distance);

    // Puts the data set into edit mode (when not read-only and AutoEdit allows); true when editing.
    virtual bool Edit();
    // Writes the control's value into the record (UpdateData), without hearing its own change.
    void UpdateRecord();

protected:
    // What the link hears; a control overrides the ones it needs.
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    // The link's window moved by Distance records (positive toward the end).
    virtual void DataSetScrolled(int Distance) {
        (void)Distance;
        DataSetChanged();
    }
    virtual void EditingChanged() {}
    virtual void FocusControl(TField** Field) { (void)Field; }
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* Field) { (void)Field; }
    virtual void UpdateData() {}
    virtual void DataEvent(TDataEvent Event, NativeInt Info);

    int FirstRecord() const { return firstRecord_; }

private:
    friend class TDataSource;
    friend class TDataSet;

    void UpdateState();
    void SetActive(bool Value);
    void SetEditing(bool Value);
    // Keeps the data set's active record inside the link's window.
    void UpdateRange();

    TDataSource* dataSource_ = nullptr;
    int bufferCount_ = 1;
    int firstRecord_ = 0;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
    bool dataSourceFixed_ = false;
    bool visualControl_ = false;
};

class TFieldDataLink : public TDataLink {
    Q_OBJECT
public:
    TFieldDataLink() = default;

    // The control the link serves; the field's FocusControl focuses it through the focus handler.
    TComponent* Control() const { return control_; }
    void SetControl(TComponent* Value) { control_ = Value; }
    TField* Field() const { return field_; }
    String FieldName() const { return fieldName_; }
    void SetFieldName(const String& Value);
    // Editing means the data set is being edited and the field may be changed.
    bool Editing() const { return editing_; }
    // Not read-only and the field (when there is one) may be changed.
    bool CanModify() const;
    // Starts editing when the field may be changed; true when editing.
    bool Edit() override;
    // The control's value changed: it will be written back on UpdateData.
    void Modified() { modified_ = true; }
    bool IsModified() const { return modified_; }
    // Shows the field's value again, dropping what was typed.
    void Reset() { RecordChanged(nullptr); }

    TNotifyEvent OnDataChange;
    TNotifyEvent OnEditingChange;
    TNotifyEvent OnUpdateData;
    TNotifyEvent OnActiveChange;

    // How the forms layer moves the focus to a link's control; returns whether it did.
    using TFocusHandler = std::function<bool(TComponent* Control)>;
    static void SetFocusHandler(TFocusHandler Handler);

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void FocusControl(TField** Field) override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void UpdateData() override;

private:
    void UpdateField();
    void SetField(TField* Value);
    void SetFieldEditing(bool Value);

    TComponent* control_ = nullptr;
    TField* field_ = nullptr;
    String fieldName_;
    bool editing_ = false;
    bool modified_ = false;
};
