#pragma once
// TmoxPropStorage: keeps chosen published properties of a form and its components, and named
// values, in the settings file between runs.
#include <QList>
#include <functional>

#include "lib/moxPropStore.h"
#include "lib/propstore/StoredValues.h"
#include "vcl/Classes.h"

class TmoxPropStorage : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    MOX_DEFAULT(Active, True)
    Q_PROPERTY(TmoxAppIniFile* AppIniFile READ AppIniFile WRITE SetAppIniFile)
    Q_PROPERTY(QString AppSection READ AppSection WRITE SetAppSection)
    MOX_STORED(AppSection, IsAppSectionStored)
    Q_PROPERTY(TmoxPropStorage* MasterStorage READ MasterStorage WRITE SetMasterStorage)
    Q_PROPERTY(TStrings* StoredProps READ StoredProps WRITE SetStoredProps)
    // Kept in form resources as the defined property "StoredValues", never as a plain property.
    Q_PROPERTY(TStoredValues* StoredValues READ StoredValues WRITE SetStoredValues STORED false)
    Q_PROPERTY(int Version READ Version WRITE SetVersion)
    MOX_DEFAULT(Version, 0)
    MOX_EVENT(TNotifyEvent, OnLoad)
    MOX_EVENT(TNotifyEvent, OnSave)
    MOX_EVENT(TStoredValueEvent, OnLoadValue)
    MOX_EVENT(TStoredValueEvent, OnSaveValue)

public:
    Q_INVOKABLE explicit TmoxPropStorage(TComponent* AOwner);
    // Leaves its master, releases its slaves and puts the owner's handlers back.
    ~TmoxPropStorage() override;

    bool Active() const { return link_.Active; }
    void SetActive(bool Value) { link_.Active = Value; }
    TmoxAppIniFile* AppIniFile() const { return link_.AppIniFile(); }
    void SetAppIniFile(TmoxAppIniFile* Value);
    // The section of the settings file: as set, or the default made from the owner when empty.
    String AppSection() const;
    void SetAppSection(const String& Value);
    TmoxPropStorage* MasterStorage() const { return master_; }
    // Raises EInvalidOp "Circular links not allowed" when this storage would become its own master.
    void SetMasterStorage(TmoxPropStorage* Value);
    // Reading the list outside loading normalises it: lines follow their components' current names.
    TStrings* StoredProps();
    void SetStoredProps(TStrings* Value);
    TStoredValues* StoredValues() const { return storedValues_; }
    void SetStoredValues(TStoredValues* Value);
    int Version() const { return version_; }
    void SetVersion(int Value) { version_ = Value; }

    int SlaveCount() const { return int(slaves_.size()); }
    TmoxPropStorage* Slaves(int Index) const { return slaves_.at(Index); }

    // Reads the properties (when the stored version matches), the values, tells OnLoad, then loads
    // the slaves. A property that cannot be loaded is skipped.
    virtual void Load();
    // Tells OnSave, writes the values, the properties and the version, then saves the slaves. A
    // failure stops the save and propagates.
    virtual void Save();
    // Called with every stored value on load and save; fire OnLoadValue and OnSaveValue.
    virtual void DoLoadValue(TStoredValue* StoredValue, Variant& Value);
    virtual void DoSaveValue(TStoredValue* StoredValue, Variant& Value);

    // The section used when AppSection is empty (Algorithms of the default section).
    String DefaultSection() const;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    Q_INVOKABLE bool IsAppSectionStored() const { return !appSection_.isEmpty(); }

private:
    void StoredPropsChanged(TObject* Sender);
    // Gives every valid line its component, deleting the rest.
    void ResolveStoredProps();
    void NormalizeStoredProps();
    bool OwnerLoading() const;
    void LoadProperties();
    void SaveProperties();
    void AddSlave(TmoxPropStorage* Slave);
    void RemoveSlave(TmoxPropStorage* Slave);
    // Takes over the owner's show (a data module's create), close-query and destroy events,
    // keeping the previous handlers, which the hooks call and the destructor puts back.
    void HookOwner();
    void UnhookOwner();
    void FirstShow(TObject* Sender);
    void CloseQuery(TObject* Sender, bool& CanClose);
    void OwnerDestroying(TObject* Sender);
    void LoadReportingErrors();
    void SaveReportingErrors();

    TIniFileLink link_;
    TmoxPropStorage* master_ = nullptr;
    QList<TmoxPropStorage*> slaves_;
    TStringList* storedProps_;
    String appSection_;
    int version_ = 0;
    TStoredValues* storedValues_;
    bool resolving_ = false;
    bool hooked_ = false;
    bool loaded_ = false;
    bool saved_ = false;
    TNotifyEvent savedShow_;
    TNotifyEvent savedDestroy_;
    std::function<void(TObject*, bool&)> savedCloseQuery_;
};
