#include "lib/moxMultiLang.h"

#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

using namespace moxMultiLangSections;

namespace {
String JoinPath(const String& Path, const String& Part) {
    return Path.isEmpty() ? Part : Path + QLatin1Char('.') + Part;
}

constexpr TTypeKinds StringKinds = TTypeKinds(tkString) | tkLString | tkWString | tkUString;
} // namespace

String JoinTranslationLines(const QStringList& Lines) {
    String text;
    for (int i = 0; i < Lines.size(); ++i) {
        if (i > 0) text += QLatin1Char(',');
        text += String(Lines[i]).replace(QLatin1Char(','), QLatin1String(",,"));
    }
    return text;
}

QStringList SplitTranslationLines(const String& Text) {
    QStringList lines;
    if (Text.isEmpty()) return lines;
    String line;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] != QLatin1Char(',')) {
            line += Text[i];
        } else if (i + 1 < Text.size() && Text[i + 1] == QLatin1Char(',')) {
            line += QLatin1Char(',');
            ++i;
        } else {
            lines << line;
            line.clear();
        }
    }
    // An empty line at the very end is not kept.
    if (!line.isEmpty()) lines << line;
    return lines;
}

// ---- TmoxCustomMultiLanguage

TmoxCustomMultiLanguage::TmoxCustomMultiLanguage(TComponent* AOwner)
    : TComponent(AOwner), properties_(std::make_unique<TStringList>()) {}

TmoxCustomMultiLanguage::~TmoxCustomMultiLanguage() = default;

void TmoxCustomMultiLanguage::BeforeDestruction() {
    try {
        SetActive(false);
    } catch (...) {
        ApplicationHandleException(this);
    }
    TComponent::BeforeDestruction();
}

void TmoxCustomMultiLanguage::SetActive(bool Value) {
    if (ComponentState() & csLoading) {
        streamedActive_ = Value;
        return;
    }
    if (Value == active_) return;
    if (Value)
        OpenSource();
    else
        CloseSource();
    active_ = Value;
}

void TmoxCustomMultiLanguage::SetProperties(TStrings* Value) {
    properties_->Assign(Value);
}

void TmoxCustomMultiLanguage::Loaded() {
    TComponent::Loaded();
    try {
        SetActive(streamedActive_);
        if (!(ComponentState() & csDesigning) && active_) Translate();
    } catch (...) {
        if (!(ComponentState() & csDesigning)) throw;
        ApplicationHandleException(this);
    }
}

void TmoxCustomMultiLanguage::Translate() {
    if (Owner()) TranslateObject(Owner());
}

String TmoxCustomMultiLanguage::TranslateMsg(const String& Msg) {
    SetActive(true);
    String result = Msg;
    DoTranslateMsg(Msg, result);
    return result;
}

void TmoxCustomMultiLanguage::DoTranslateMsg(const String& OldMsg, String& NewMsg) {
    NewMsg = OldMsg;
    if (OnTranslateMsg) OnTranslateMsg(this, OldMsg, NewMsg);
}

void TmoxCustomMultiLanguage::DoTranslateProp(const String& PropPath, const String& OldValue,
                                              String& NewValue) {
    NewValue = OldValue;
    if (OnTranslateProp) OnTranslateProp(this, PropPath, OldValue, NewValue);
}

void TmoxCustomMultiLanguage::DoTranslatePropString(TObject* Instance, const String& PropName,
                                                    String& NewValue, const String& OldValue) {
    const String path = PropName.isEmpty() ? path_ : JoinPath(path_, PropName);
    if (properties_->Count() > 0 && properties_->IndexOf(path) < 0) return;
    if (OnTranslatePropString) {
        OnTranslatePropString(this, Instance, PropName, OldValue, NewValue);
    } else {
        SetActive(true);
        DoTranslateProp(path, OldValue, NewValue);
    }
}

void TmoxCustomMultiLanguage::TranslateObject(TObject* Object) {
    if (!Object) return;
    SetActive(true);
    const bool isRoot = !visited_;
    if (isRoot) {
        visited_.emplace();
        root_ = Object;
    }
    const qsizetype pathOnEntry = path_.size();
    // Leaving, also on failure: the root call ends the pass, any other takes its name off the path.
    struct Leave {
        TmoxCustomMultiLanguage* self;
        bool isRoot;
        qsizetype pathOnEntry;
        ~Leave() {
            if (isRoot) {
                self->visited_.reset();
                self->root_ = nullptr;
                self->path_.clear();
            } else {
                self->path_.truncate(pathOnEntry);
            }
        }
    } leave{this, isRoot, pathOnEntry};

    auto* component = dynamic_cast<TComponent*>(Object);
    if (visited_->contains(Object)) return;
    if (component && Object != root_ && !visited_->contains(static_cast<TObject*>(component->Owner())))
        return;
    visited_->insert(Object);
    if (component && !component->Name().isEmpty()) path_ = JoinPath(path_, component->Name());

    DoTranslateInstance(Object);
    TranslateStringProperties(Object);
    TranslateObjectProperties(Object);
    if (component) {
        // By index: a handler may free or add components while the pass runs.
        for (int i = 0; i < component->ComponentCount(); ++i) {
            TComponent* child = component->Components(i);
            if (!child->Name().isEmpty()) TranslateObject(child);
        }
    }
}

void TmoxCustomMultiLanguage::DoTranslateInstance(TObject* Instance) {
    if (auto* list = dynamic_cast<TStrings*>(Instance))
        TranslateStrings(list);
    else if (auto* collection = dynamic_cast<TCollection*>(Instance))
        TranslateCollection(collection);
    if (OnTranslatePropInstance) OnTranslatePropInstance(this, Instance);
}

void TmoxCustomMultiLanguage::TranslateStrings(TStrings* List) {
    const QStringList lines = List->ToQStringList();
    const String oldText = JoinTranslationLines(lines);
    String newText = oldText;
    DoTranslatePropString(List, String(), newText, oldText);
    if (newText == oldText) return;
    const QStringList translated = SplitTranslationLines(newText);
    List->BeginUpdate();
    try {
        if (translated.size() == List->Count()) {
            // Line by line, so that the objects beside the lines (images, data) stay.
            for (int i = 0; i < translated.size(); ++i)
                List->SetStrings(i, translated[i]);
        } else {
            List->Clear();
            List->AddStrings(translated);
        }
    } catch (...) {
        List->EndUpdate();
        throw;
    }
    List->EndUpdate();
}

void TmoxCustomMultiLanguage::TranslateCollection(TCollection* Collection) {
    for (int i = 0; i < Collection->Count(); ++i)
        TranslateBelow(QString::number(i), Collection->Items(i));
}

void TmoxCustomMultiLanguage::TranslateBelow(const String& Part, TObject* Object) {
    const String pathOnEntry = path_;
    path_ = JoinPath(path_, Part);
    try {
        TranslateObject(Object);
    } catch (...) {
        path_ = pathOnEntry;
        throw;
    }
    path_ = pathOnEntry;
}

void TmoxCustomMultiLanguage::TranslateStringProperties(TObject* Instance) {
    for (PPropInfo info : GetPropList(Instance, StringKinds)) {
        if (info->Name().compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) continue;
        const String oldValue = GetStrProp(Instance, info);
        String newValue = oldValue;
        DoTranslatePropString(Instance, info->Name(), newValue, oldValue);
        // A property without a setter keeps its text.
        if (newValue != oldValue && info->IsWritable()) SetStrProp(Instance, info, newValue);
    }
}

void TmoxCustomMultiLanguage::TranslateObjectProperties(TObject* Instance) {
    for (PPropInfo info : GetPropList(Instance, tkClass)) {
        auto* object = dynamic_cast<TPersistent*>(GetObjectProp(Instance, info));
        // Components are reached only as owned components of their owner.
        if (!object || dynamic_cast<TComponent*>(object)) continue;
        TranslateBelow(info->Name(), object);
    }
}

// ---- TmoxMultiLanguage

TmoxMultiLanguage::TmoxMultiLanguage(TComponent* AOwner) : TmoxCustomMultiLanguage(AOwner) {
    link_.OnClose = [this](TObject*) { SettingsFileClosed(); };
}

TmoxMultiLanguage::~TmoxMultiLanguage() {
    // Freed without Free, the base can no longer reach this class's CloseSource.
    try {
        SetActive(false);
    } catch (...) {
        ApplicationHandleException(this);
    }
    if (appIniFile_) RemoveFreeNotification(appIniFile_);
}

TCustomIniFile* TmoxMultiLanguage::Store() const {
    if (!borrowed_) return languageFile_.get();
    TmoxAppIniFile* file = link_.AppIniFile();
    return file ? file->IniFile() : nullptr;
}

void TmoxMultiLanguage::OpenSource() {
    if (!appIniFile_) {
        languageFile_ = std::make_unique<TMemIniFile>(fileName_);
        return;
    }
    if (!appIniFile_->BeginRead()) return;
    borrowed_ = true;
}

void TmoxMultiLanguage::CloseSource() {
    if (borrowed_) {
        borrowed_ = false;
        // A settings file that let go of the link already ended every scope.
        if (TmoxAppIniFile* file = link_.AppIniFile()) file->EndRead();
    }
    languageFile_.reset();
}

void TmoxMultiLanguage::SettingsFileClosed() {
    borrowed_ = false;
    SetActive(false);
}

// The events, when assigned, take the place of the store.
void TmoxMultiLanguage::DoTranslateMsg(const String& OldMsg, String& NewMsg) {
    TmoxCustomMultiLanguage::DoTranslateMsg(OldMsg, NewMsg);
    if (!OnTranslateMsg) NewMsg = Lookup(SMessages, OldMsg, OldMsg);
}

void TmoxMultiLanguage::DoTranslateProp(const String& PropPath, const String& OldValue, String& NewValue) {
    TmoxCustomMultiLanguage::DoTranslateProp(PropPath, OldValue, NewValue);
    if (!OnTranslateProp) NewValue = Lookup(STranslations, PropPath, OldValue);
}

String TmoxMultiLanguage::Lookup(const String& Section, const String& Key, const String& Default) const {
    TCustomIniFile* store = Store();
    return store ? store->ReadString(Section, Key, Default) : Default;
}

void TmoxMultiLanguage::SetFileName(const String& Value) {
    if (ComponentState() & csLoading) {
        fileName_ = Value;
        return;
    }
    if (Value == fileName_) return;
    const bool wasActive = Active();
    SetActive(false);
    fileName_ = Value;
    AttachTo(nullptr);
    if (!Value.isEmpty()) SetActive(wasActive);
}

void TmoxMultiLanguage::SetAppIniFile(TmoxAppIniFile* Value) {
    if (Value == appIniFile_) return;
    // While loading, Active is only recorded: leave the recorded value alone.
    if (ComponentState() & csLoading) {
        fileName_.clear();
        AttachTo(Value);
        return;
    }
    const bool wasActive = Active();
    SetActive(false);
    fileName_.clear();
    AttachTo(Value);
    if (Value) SetActive(wasActive);
}

void TmoxMultiLanguage::AttachTo(TmoxAppIniFile* Value) {
    if (Value == appIniFile_) return;
    if (appIniFile_) RemoveFreeNotification(appIniFile_);
    appIniFile_ = Value;
    link_.SetAppIniFile(Value);
    if (Value) FreeNotification(Value);
}

void TmoxMultiLanguage::Notification(TComponent* AComponent, TOperation Operation) {
    TmoxCustomMultiLanguage::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == appIniFile_) SetAppIniFile(nullptr);
}

String LanguageFilePath(const String& Language) {
    return IncludeTrailingPathDelimiter(ExtractFilePath(ProgramFileName())) + Language +
           QStringLiteral(".lng");
}
