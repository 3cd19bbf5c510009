#include "lib/moxPropStore.h"

#include <QPointer>

#include "lib/moxConsts.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"

HKEY RegistryRootKey(TRegistryRoot Root) {
    switch (Root) {
    case rrCurrentUser:
        return HKEY_CURRENT_USER;
    case rrLocalMachine:
        return HKEY_LOCAL_MACHINE;
    case rrCurrentConfig:
        return HKEY_CLASSES_ROOT;
    case rrClassesRoot:
        return HKEY_CURRENT_CONFIG;
    case rrUsers:
        return HKEY_USERS;
    case rrDynData:
        return HKEY_DYN_DATA;
    }
    return HKEY_CURRENT_USER;
}

// ---- TmoxAppIniFile

TmoxAppIniFile::TmoxAppIniFile(TComponent* AOwner) : TComponent(AOwner) {
    iniFileType_ = ftRegIniFile;
}

TmoxAppIniFile::~TmoxAppIniFile() {
    while (!links_.isEmpty())
        RemoveLink(links_.last());
    Close();
}

void TmoxAppIniFile::SetIniFileName(const String& Value) {
    if (Value == iniFileName_) return;
    Close();
    iniFileName_ = Value;
}

void TmoxAppIniFile::SetIniFileType(TIniFileType Value) {
    if (Value == iniFileType_) return;
    Close();
    iniFileType_ = Value;
}

void TmoxAppIniFile::SetRegistryRoot(TRegistryRoot Value) {
    if (Value == registryRoot_) return;
    Close();
    registryRoot_ = Value;
}

String TmoxAppIniFile::GetIniFileName() const {
    if (!iniFileName_.isEmpty() || (ComponentState() & csDesigning)) return iniFileName_;
    const String program = ExtractFileName(ProgramFileName());
    if (iniFileType_ == ftRegIniFile) return QStringLiteral("Software\\") + ChangeFileExt(program, String());
    return ChangeFileExt(program, QStringLiteral(".ini"));
}

String TmoxAppIniFile::IniFilePath() const {
    const String name = GetIniFileName();
    if (!ExtractFilePath(name).isEmpty()) return name;
    return ExtractFilePath(ProgramFileName()) + name;
}

TCustomIniFile* TmoxAppIniFile::CreateIniFile() {
    switch (iniFileType_) {
    case ftIniFile:
        return new TIniFile(IniFilePath());
    case ftMemIniFile:
        return new TMemIniFile(IniFilePath());
    case ftRegIniFile: {
        auto ini = std::make_unique<TRegistryIniFile>(String());
        ini->RegIniFile()->SetRootKey(RegistryRootKey(registryRoot_));
        ini->RegIniFile()->OpenKey(GetIniFileName(), true);
        return ini.release();
    }
    case ftUserDefined: {
        TCustomIniFile* ini = nullptr;
        if (OnCreateIniFile) OnCreateIniFile(this, ini);
        return ini;
    }
    }
    return nullptr;
}

void TmoxAppIniFile::Open() {
    if (!iniFile_) {
        iniFile_.reset(CreateIniFile());
        if (!iniFile_) throw EInvalidOp(SCannotCreateIniFile);
    }
    // By index: a link may leave the list while it is told.
    for (int i = 0; i < links_.size(); ++i)
        links_[i]->DoOpen();
}

void TmoxAppIniFile::Close() {
    if (!iniFile_) return;
    auto release = [this] {
        readCount_ = 0;
        writeCount_ = 0;
        iniFile_.reset();
    };
    try {
        for (int i = 0; i < links_.size(); ++i)
            links_[i]->DoClose();
    } catch (...) {
        release(); // a failing link still leaves the settings file closed
        throw;
    }
    release();
}

bool TmoxAppIniFile::BeginRead() {
    if (readCount_ == 0) Open();
    if (!iniFile_) return false;
    ++readCount_;
    return true;
}

void TmoxAppIniFile::EndRead() {
    if (readCount_ <= 0) return;
    --readCount_;
    if (readCount_ == 0 && writeCount_ == 0) Close();
}

bool TmoxAppIniFile::BeginWrite() {
    if (writeCount_ == 0) Open();
    if (!iniFile_) return false;
    ++writeCount_;
    return true;
}

void TmoxAppIniFile::EndWrite() {
    if (writeCount_ <= 0) return;
    --writeCount_;
    if (writeCount_ == 0 && iniFile_) {
        try {
            iniFile_->UpdateFile();
        } catch (...) {
            ApplicationHandleException(this);
        }
    }
    if (readCount_ == 0 && writeCount_ == 0) Close();
}

void TmoxAppIniFile::LoadAll() {
    for (int i = 0; i < links_.size(); ++i)
        if (links_[i]->Active) links_[i]->Load();
}

void TmoxAppIniFile::SaveAll() {
    for (int i = 0; i < links_.size(); ++i)
        if (links_[i]->Active) links_[i]->Save();
}

void TmoxAppIniFile::AddLink(TIniFileLink* Link) {
    if (!Link) return;
    // A link belongs to one settings file at a time.
    if (Link->appIniFile_ && Link->appIniFile_ != this) Link->appIniFile_->RemoveLink(Link);
    if (!links_.contains(Link)) links_.append(Link);
    Link->appIniFile_ = this;
}

void TmoxAppIniFile::RemoveLink(TIniFileLink* Link) {
    if (!Link) return;
    links_.removeAll(Link);
    if (Link->appIniFile_ == this) Link->appIniFile_ = nullptr;
}

// ---- TIniFileLink

TIniFileLink::TIniFileLink() = default;

TIniFileLink::~TIniFileLink() {
    SetAppIniFile(nullptr);
}

void TIniFileLink::SetAppIniFile(TmoxAppIniFile* Value) {
    if (Value == appIniFile_) return;
    if (appIniFile_) appIniFile_->RemoveLink(this);
    if (Value) Value->AddLink(this);
}

void TIniFileLink::Load() {
    QPointer<TmoxAppIniFile> file = appIniFile_;
    if (!file || !file->BeginRead()) return;
    try {
        DoLoad();
    } catch (...) {
        if (file) file->EndRead();
        throw;
    }
    if (file) file->EndRead();
}

void TIniFileLink::Save() {
    QPointer<TmoxAppIniFile> file = appIniFile_;
    if (!file || !file->BeginWrite()) return;
    try {
        DoSave();
    } catch (...) {
        if (file) file->EndWrite();
        throw;
    }
    if (file) file->EndWrite();
}

void TIniFileLink::DoOpen() {
    if (OnOpen) OnOpen(this);
}

void TIniFileLink::DoClose() {
    if (OnClose) OnClose(this);
}

void TIniFileLink::DoLoad() {
    if (OnLoad) OnLoad(this);
}

void TIniFileLink::DoSave() {
    if (OnSave) OnSave(this);
}
