#include "lib/propstore/PropStorage.h"

#include "lib/moxConsts.h"
#include "lib/propstore/PropsFiler.h"
#include "lib/propstore/SettingsScope.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"
#include "vcl/controls/Control.h"
#include "vcl/forms/CustomForm.h"

using namespace mox::propstore;

namespace {

const String SVersion = QStringLiteral("Version");

// Whether the object's class is, or derives from, the framework class of that name. The storage
// asks by name so that it stays usable below the forms layer.
bool InheritsFrom(const QObject* Object, const char* ClassName) {
    for (const QMetaObject* mo = Object ? Object->metaObject() : nullptr; mo; mo = mo->superClass())
        if (qstrcmp(mo->className(), ClassName) == 0) return true;
    return false;
}

bool IsDataModule(const QObject* Object) { return InheritsFrom(Object, "TDataModule"); }

bool IsFormOrDataModule(const QObject* Object) {
    return dynamic_cast<const TCustomForm*>(Object) || IsDataModule(Object);
}

// A StoredProps line: "Component.Property" or "Property" (a property of the owner).
struct TPropPathLine {
    String Component;
    String Property;
    bool HasComponent = false;

    explicit TPropPathLine(const String& Line) {
        const qsizetype dot = Line.indexOf(u'.');
        HasComponent = dot >= 0;
        Component = HasComponent ? Line.left(dot).trimmed() : String();
        Property = (HasComponent ? Line.mid(dot + 1) : Line).trimmed();
    }
    bool Valid() const { return !Property.isEmpty() && (!HasComponent || !Component.isEmpty()); }
};

} // namespace

TmoxPropStorage::TmoxPropStorage(TComponent* AOwner)
    : TComponent(AOwner), storedProps_(new TStringList()), storedValues_(new TStoredValues(this)) {
    storedProps_->setParent(this);
    storedValues_->setParent(this);
    storedProps_->OnChange = [this](TObject* Sender) { StoredPropsChanged(Sender); };
    link_.OnLoad = [this](TObject*) { Load(); };
    link_.OnSave = [this](TObject*) { Save(); };
}

TmoxPropStorage::~TmoxPropStorage() {
    UnhookOwner();
    if (master_) master_->RemoveSlave(this);
    master_ = nullptr;
    for (TmoxPropStorage* slave : slaves_)
        slave->master_ = nullptr;
    slaves_.clear();
    storedProps_->OnChange = nullptr;
}

void TmoxPropStorage::SetAppIniFile(TmoxAppIniFile* Value) { link_.SetAppIniFile(Value); }

String TmoxPropStorage::AppSection() const {
    if (!appSection_.isEmpty() || ComponentState().testFlag(csDesigning)) return appSection_;
    return DefaultSection();
}

void TmoxPropStorage::SetAppSection(const String& Value) {
    appSection_ = Value;
    link_.Section = Value;
}

String TmoxPropStorage::DefaultSection() const {
    const TComponent* owner = Owner();
    if (!owner) return String();
    if (IsFormOrDataModule(owner)) return owner->ClassName();
    if (auto* control = dynamic_cast<const TControl*>(owner)) {
        if (const TCustomForm* form = GetParentForm(control)) return form->ClassName() + owner->Name();
        return (control->Parent() ? control->Parent()->Name() : String()) + owner->Name();
    }
    if (owner->Owner() && IsFormOrDataModule(owner->Owner()))
        return owner->Owner()->ClassName() + u'.' + owner->Name();
    return owner->Name();
}

void TmoxPropStorage::SetMasterStorage(TmoxPropStorage* Value) {
    if (Value == master_) return;
    for (TmoxPropStorage* storage = Value; storage; storage = storage->master_)
        if (storage == this) throw EInvalidOp(moxConsts::SCircularLink);
    if (master_) master_->RemoveSlave(this);
    master_ = Value;
    if (master_) master_->AddSlave(this);
}

void TmoxPropStorage::AddSlave(TmoxPropStorage* Slave) {
    if (slaves_.contains(Slave)) return;
    slaves_.append(Slave);
    FreeNotification(Slave);
}

void TmoxPropStorage::RemoveSlave(TmoxPropStorage* Slave) { slaves_.removeAll(Slave); }

TStrings* TmoxPropStorage::StoredProps() {
    if (!OwnerLoading()) NormalizeStoredProps();
    return storedProps_;
}

void TmoxPropStorage::SetStoredProps(TStrings* Value) { storedProps_->Assign(Value); }

void TmoxPropStorage::SetStoredValues(TStoredValues* Value) { storedValues_->Assign(Value); }

bool TmoxPropStorage::OwnerLoading() const {
    if (ComponentState().testFlag(csLoading)) return true;
    return Owner() && Owner()->ComponentState().testFlag(csLoading);
}

void TmoxPropStorage::StoredPropsChanged(TObject*) {
    if (resolving_ || OwnerLoading()) return;
    ResolveStoredProps();
    for (int i = 0; i < storedProps_->Count(); ++i)
        if (auto* component = dynamic_cast<TComponent*>(storedProps_->Objects(i))) component->FreeNotification(this);
}

void TmoxPropStorage::ResolveStoredProps() {
    resolving_ = true;
    try {
        TComponent* owner = Owner();
        for (int i = storedProps_->Count() - 1; i >= 0; --i) {
            const TPropPathLine line(storedProps_->Strings(i));
            TComponent* component = nullptr;
            if (line.Valid() && owner) {
                const String name = line.HasComponent ? line.Component : owner->Name();
                component = owner->FindComponent(name);
                if (!component && AnsiCompareText(name, owner->Name()) == 0) component = owner;
            }
            if (component)
                storedProps_->SetObjects(i, component);
            else
                storedProps_->Delete(i);
        }
    } catch (...) {
        resolving_ = false;
        throw;
    }
    resolving_ = false;
}

void TmoxPropStorage::NormalizeStoredProps() {
    resolving_ = true;
    try {
        const TComponent* owner = Owner();
        for (int i = storedProps_->Count() - 1; i >= 0; --i) {
            auto* component = dynamic_cast<TComponent*>(storedProps_->Objects(i));
            const TPropPathLine line(storedProps_->Strings(i));
            if (!component || !line.Valid()) {
                storedProps_->Delete(i);
                continue;
            }
            const bool ofOwner = owner && AnsiCompareText(component->Name(), owner->Name()) == 0;
            const String text = ofOwner ? line.Property : component->Name() + u'.' + line.Property;
            if (text != storedProps_->Strings(i)) storedProps_->SetStrings(i, text);
        }
    } catch (...) {
        resolving_ = false;
        throw;
    }
    resolving_ = false;
}

void TmoxPropStorage::Loaded() {
    TComponent::Loaded();
    ResolveStoredProps();
    for (int i = 0; i < storedProps_->Count(); ++i)
        if (auto* component = dynamic_cast<TComponent*>(storedProps_->Objects(i))) component->FreeNotification(this);
    // Only a storage read from its owner's resource takes over the owner's events; a slave is
    // loaded and saved by its master instead.
    if (!ComponentState().testFlag(csDesigning) && !master_) HookOwner();
}

void TmoxPropStorage::HookOwner() {
    TComponent* owner = Owner();
    if (hooked_ || !owner) return;
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        savedShow_ = form->OnShow;
        savedCloseQuery_ = form->OnCloseQuery;
        savedDestroy_ = form->OnDestroy;
        form->OnShow = [this](TObject* Sender) { FirstShow(Sender); };
        form->OnCloseQuery = [this](TObject* Sender, bool& CanClose) { CloseQuery(Sender, CanClose); };
        form->OnDestroy = [this](TObject* Sender) { OwnerDestroying(Sender); };
        hooked_ = true;
    } else if (IsDataModule(owner)) {
        // Reached through the published events, so the storage needs nothing of the data module's class.
        savedShow_ = GetMethodProp<TNotifyEvent>(owner, "OnCreate");
        savedDestroy_ = GetMethodProp<TNotifyEvent>(owner, "OnDestroy");
        SetMethodProp(owner, "OnCreate", TNotifyEvent([this](TObject* Sender) { FirstShow(Sender); }));
        SetMethodProp(owner, "OnDestroy", TNotifyEvent([this](TObject* Sender) { OwnerDestroying(Sender); }));
        hooked_ = true;
    }
}

void TmoxPropStorage::UnhookOwner() {
    if (!hooked_) return;
    hooked_ = false;
    TComponent* owner = Owner();
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        form->OnShow = savedShow_;
        form->OnCloseQuery = savedCloseQuery_;
        form->OnDestroy = savedDestroy_;
    } else if (owner) {
        SetMethodProp(owner, "OnCreate", savedShow_);
        SetMethodProp(owner, "OnDestroy", savedDestroy_);
    }
}

void TmoxPropStorage::LoadReportingErrors() {
    try {
        link_.Load();
    } catch (...) {
        ApplicationHandleException(this);
    }
}

void TmoxPropStorage::SaveReportingErrors() {
    try {
        link_.Save();
    } catch (...) {
        ApplicationHandleException(this);
    }
}

void TmoxPropStorage::FirstShow(TObject* Sender) {
    if (!loaded_ && Active()) {
        loaded_ = true;
        LoadReportingErrors();
    }
    if (savedShow_) savedShow_(Sender);
}

void TmoxPropStorage::CloseQuery(TObject* Sender, bool& CanClose) {
    if (savedCloseQuery_) savedCloseQuery_(Sender, CanClose);
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (!CanClose || !form) return;
    form->HandleNeeded();
    saved_ = true;
    if (Active()) SaveReportingErrors();
}

void TmoxPropStorage::OwnerDestroying(TObject* Sender) {
    if (!saved_) {
        saved_ = true;
        if (Active()) SaveReportingErrors();
    }
    // The previous handler may be the last thing the owner runs: call a copy.
    const TNotifyEvent previous = savedDestroy_;
    if (previous) previous(Sender);
}

void TmoxPropStorage::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == master_) master_ = nullptr;
    if (auto* slave = dynamic_cast<TmoxPropStorage*>(AComponent)) RemoveSlave(slave);
    resolving_ = true;
    for (int i = storedProps_->Count() - 1; i >= 0; --i)
        if (storedProps_->Objects(i) == AComponent) storedProps_->Delete(i);
    resolving_ = false;
}

void TmoxPropStorage::DoLoadValue(TStoredValue* StoredValue, Variant& Value) {
    if (OnLoadValue) OnLoadValue(this, StoredValue, Value);
}

void TmoxPropStorage::DoSaveValue(TStoredValue* StoredValue, Variant& Value) {
    if (OnSaveValue) OnSaveValue(this, StoredValue, Value);
}

void TmoxPropStorage::LoadProperties() {
    InReadScope(AppIniFile(), [&](TCustomIniFile* store) {
        const String section = AppSection();
        if (store->ReadInteger(section, SVersion, version_) != version_) return;
        NormalizeStoredProps();
        for (int i = 0; i < storedProps_->Count(); ++i) {
            try {
                auto* component = dynamic_cast<TComponent*>(storedProps_->Objects(i));
                const TPropPathLine line(storedProps_->Strings(i));
                PPropInfo info = GetPropInfo(component, line.Property, tkProperties);
                if (!info) continue;
                TPropsFiler filer(store, section);
                filer.Instance = component;
                filer.Root = Owner();
                filer.Prefix = component->Name() + u'_';
                filer.LoadProperty(info);
            } catch (...) {
                // Each property loads on its own: one that fails keeps its value.
            }
        }
    });
}

void TmoxPropStorage::SaveProperties() {
    InWriteScope(AppIniFile(), [&](TCustomIniFile* store) {
        const String section = AppSection();
        NormalizeStoredProps();
        for (int i = 0; i < storedProps_->Count(); ++i) {
            auto* component = dynamic_cast<TComponent*>(storedProps_->Objects(i));
            const TPropPathLine line(storedProps_->Strings(i));
            PPropInfo info = GetPropInfo(component, line.Property, tkProperties);
            if (!info) continue;
            TPropsFiler filer(store, section);
            filer.Instance = component;
            filer.Root = Owner();
            filer.Prefix = component->Name() + u'_';
            filer.StoreProperty(info);
        }
        store->WriteInteger(section, SVersion, version_);
    });
}

void TmoxPropStorage::Load() {
    if (!AppIniFile()) return;
    LoadProperties();
    storedValues_->LoadValues();
    if (OnLoad) OnLoad(this);
    for (TmoxPropStorage* slave : QList<TmoxPropStorage*>(slaves_))
        slave->link_.Load();
}

void TmoxPropStorage::Save() {
    if (!AppIniFile()) return;
    if (OnSave) OnSave(this);
    storedValues_->SaveValues();
    SaveProperties();
    for (TmoxPropStorage* slave : QList<TmoxPropStorage*>(slaves_))
        slave->link_.Save();
}
