#pragma once
// TRegistry: a key of the registry and the values in it. Where keys live on this system is told
// in RegistryStore.h. Values are kept as text; the typed reads and writes use the text rules of
// the INI stores (vcl/inifiles/IniValueText.h), so that every store reads back what another wrote.
#include <QStringList>
#include <memory>

#include "vcl/Windows.h"

MOX_DECLARE_EXCEPTION(ERegistryException, Exception);

class TRegistryStore;
class TStrings;

enum TRegDataType {
    rdUnknown,
    rdString,
    rdExpandString,
    rdInteger,
    rdBinary
};

class TRegistry : public TObject {
public:
    // Starts at the root of HKEY_CURRENT_USER with no key open.
    TRegistry();
    ~TRegistry() override;

    HKEY RootKey() const { return rootKey_; }
    // Closes the open key.
    void SetRootKey(HKEY Value);
    // The open key's path below the root, without a leading "\"; empty when none is open.
    String CurrentPath() const { return currentPath_; }

    // A key name is relative to the open key, or to the root when it starts with "\" or no key is
    // open. Opening an existing key succeeds; a missing one is made when CanCreate is set (it keeps
    // on once it holds a value) and OpenKey is false otherwise. A hive that this system has no
    // place for, or a key outside Software, raises ERegistryException naming it.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key) { return OpenKey(Key, false); }
    void CloseKey();
    // Removes the key with everything below it.
    bool DeleteKey(const String& Key);
    bool KeyExists(const String& Key);
    bool HasSubKeys();
    QStringList KeyNames();
    QStringList ValueNames();
    // Fill the list afresh with the open key's subkeys or value names.
    void GetKeyNames(TStrings* Strings);
    void GetValueNames(TStrings* Strings);

    // The values of the open key.
    bool ValueExists(const String& Name);
    bool DeleteValue(const String& Name);
    // rdString for every value that exists (values are text here), rdUnknown otherwise.
    TRegDataType GetDataType(const String& Name);
    // Empty text when the value is absent.
    String ReadString(const String& Name);
    // Typed reads raise ERegistryException "Failed to get data for '<name>'" for an absent value and
    // "Invalid data type for '<name>'" for text that is not of the type.
    int ReadInteger(const String& Name);
    bool ReadBool(const String& Name);
    double ReadFloat(const String& Name);
    TDateTime ReadDate(const String& Name);
    TDateTime ReadDateTime(const String& Name);
    TDateTime ReadTime(const String& Name);
    // Writes raise ERegistryException "Failed to set data for '<name>'" when the value cannot be kept.
    void WriteString(const String& Name, const String& Value);
    void WriteInteger(const String& Name, int Value);
    void WriteBool(const String& Name, bool Value);
    void WriteFloat(const String& Name, double Value);
    void WriteDate(const String& Name, TDateTime Value);
    void WriteDateTime(const String& Name, TDateTime Value);
    void WriteTime(const String& Name, TDateTime Value);

protected:
    // The full path (names below the root) of a key name, as OpenKey takes it.
    QStringList KeyPath(const String& Key) const;
    // The names of the open key's path; empty at the root or when none is open.
    const QStringList& CurrentParts() const { return currentParts_; }
    bool KeyOpen() const { return keyOpen_; }
    // The root's store; raises ERegistryException when the hive has no place here.
    TRegistryStore& Store();
    // Raises ERegistryException when the key cannot be reached here.
    void CheckAvailable(const QStringList& Path) const;

private:
    String ReadText(const String& Name);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    std::unique_ptr<TRegistryStore> store_;
    bool keyOpen_ = false;
    String currentPath_;
    QStringList currentParts_;
};
