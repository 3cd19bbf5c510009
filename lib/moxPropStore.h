#pragma once
// The settings file: TmoxAppIniFile, the one place where a program keeps its settings, and
// TIniFileLink, by which a component attaches itself to it.
#include <QList>
#include <QMetaType>
#include <functional>
#include <memory>

#include "vcl/Classes.h"
#include "vcl/IniFiles.h"
#include "vcl/Windows.h"
#include "vcl/classes/Published.h"

namespace moxPropStore {
Q_NAMESPACE

enum TIniFileType {
    ftIniFile,
    ftMemIniFile,
    ftRegIniFile,
    ftUserDefined
};
Q_ENUM_NS(TIniFileType)

enum TRegistryRoot {
    rrCurrentUser,
    rrLocalMachine,
    rrCurrentConfig,
    rrClassesRoot,
    rrUsers,
    rrDynData
};
Q_ENUM_NS(TRegistryRoot)

} // namespace moxPropStore
using namespace moxPropStore;

// Supplies the store object of a user-defined settings file; IniFile starts empty.
using TCreateIniFileEvent = std::function<void(TObject* Sender, TCustomIniFile*& IniFile)>;
Q_DECLARE_METATYPE(TCreateIniFileEvent)

// The hive that a registry root opens. The table is fixed: rrCurrentConfig opens
// HKEY_CLASSES_ROOT and rrClassesRoot opens HKEY_CURRENT_CONFIG.
HKEY RegistryRootKey(TRegistryRoot Root);

class TIniFileLink;

class TmoxAppIniFile : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString IniFileName READ IniFileName WRITE SetIniFileName)
    MOX_STORED(IniFileName, IsIniFileNameStored)
    Q_PROPERTY(moxPropStore::TIniFileType IniFileType READ IniFileType WRITE SetIniFileType)
    MOX_DEFAULT(IniFileType, ftRegIniFile)
    Q_PROPERTY(moxPropStore::TRegistryRoot RegistryRoot READ RegistryRoot WRITE SetRegistryRoot)
    MOX_DEFAULT(RegistryRoot, rrCurrentUser)
    MOX_EVENT(TCreateIniFileEvent, OnCreateIniFile)

public:
    explicit TmoxAppIniFile(TComponent* AOwner);
    // Detaches every link (last first), then closes.
    ~TmoxAppIniFile() override;

    // The name as set, or at run time the default when none is set: "Software\<program>" for the
    // registry, "<program>.ini" otherwise (<program> is the program file's name without extension).
    String IniFileName() const { return GetIniFileName(); }
    // A different name, type or root closes the store first.
    void SetIniFileName(const String& Value);
    TIniFileType IniFileType() const { return iniFileType_; }
    void SetIniFileType(TIniFileType Value);
    TRegistryRoot RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(TRegistryRoot Value);

    // The store object: valid only inside a read or write scope; users never free it.
    TCustomIniFile* IniFile() const { return iniFile_.get(); }

    // Makes the store object when there is none (EInvalidOp "Cannot create ini-file" when none can
    // be made), then tells every link.
    void Open();
    // Tells every link, ends every scope and frees the store object; nothing when there is none.
    void Close();
    // Counted scopes around uses of IniFile. The first Begin opens the store; the End that brings
    // both counts to zero closes it, after UpdateFile when the last write scope ends (an error there
    // goes to the application's exception display). An End without its Begin does nothing.
    bool BeginRead();
    void EndRead();
    bool BeginWrite();
    void EndWrite();

    // Asks every active link, in order, to load or save its settings.
    virtual void LoadAll();
    virtual void SaveAll();

    void AddLink(TIniFileLink* Link);
    void RemoveLink(TIniFileLink* Link);
    int LinkCount() const { return int(links_.size()); }

protected:
    // A new store object of the chosen type, or none.
    virtual TCustomIniFile* CreateIniFile();
    virtual String GetIniFileName() const;

    // The name is stored when one is set: the default is made at run time.
    Q_INVOKABLE bool IsIniFileNameStored() const { return !iniFileName_.isEmpty(); }

private:
    // The path of an INI file: a bare name goes into the program's directory.
    String IniFilePath() const;

    std::unique_ptr<TCustomIniFile> iniFile_;
    String iniFileName_;
    TIniFileType iniFileType_ = ftRegIniFile;
    QList<TIniFileLink*> links_;
    int readCount_ = 0;
    int writeCount_ = 0;
    TRegistryRoot registryRoot_ = rrCurrentUser;
};

class TIniFileLink : public TObject {
public:
    TIniFileLink();
    // Detaches the link from its settings file.
    ~TIniFileLink() override;

    // True at creation; LoadAll and SaveAll skip an inactive link.
    bool Active = true;
    // A section name kept for the link's owner.
    String Section;

    TmoxAppIniFile* AppIniFile() const { return appIniFile_; }
    // Moves the link from its settings file to the new one (either may be none).
    void SetAppIniFile(TmoxAppIniFile* Value);

    // Each called with the link as sender.
    TNotifyEvent OnOpen;  // after the settings file's store object was made available
    TNotifyEvent OnClose; // just before the store object is freed
    TNotifyEvent OnLoad;  // read the settings (inside a read scope)
    TNotifyEvent OnSave;  // write the settings (inside a write scope)

    // Inside a read (write) scope of the settings file: DoLoad (DoSave); the scope ends also when
    // that fails. Nothing without a settings file.
    void Load();
    void Save();

    virtual void DoOpen();
    virtual void DoClose();
    virtual void DoLoad();
    virtual void DoSave();

private:
    friend class TmoxAppIniFile;
    TmoxAppIniFile* appIniFile_ = nullptr;
};

// The property storage, which keeps published properties in the settings file.
#include "lib/propstore/PropStorage.h"
