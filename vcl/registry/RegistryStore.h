#pragma once
// Where registry keys live on this system: in QSettings files of the native format.
//   HKEY_CURRENT_USER is the user scope ($XDG_CONFIG_HOME), HKEY_LOCAL_MACHINE the system scope;
//   the other hives have no place here.
//   Below a hive only "Software" holds anything: Software\Org is the organisation's file
//   Org.conf, Software\Org\App the application's file Org/App.conf, and deeper keys are groups in
//   that file (Software\MoxLibrary\Demo\Main is group "Main" of MoxLibrary/Demo.conf).
//   Software itself lists the organisations (the files and the folders with files), and holds
//   no values.
// Names compare without regard to case, as the registry's do: an existing file, group or value is
// found in any case, a new one takes the case given. Characters that the files cannot take in a
// name ("%", "/", "\", a name of dots) are written as %XX and read back as they were. Values are
// kept as text. A key exists while it holds values (the files have no empty groups). Every write
// reaches the file at once, and every read first takes in what another process wrote.
#include <QSettings>
#include <QStringList>
#include <map>
#include <memory>

#include "vcl/Windows.h"

class TRegistryStore {
public:
    // The hive's platform name ("HKEY_CURRENT_USER"), or its number for an unknown one.
    static String HiveName(HKEY Hive);
    static bool HiveAvailable(HKEY Hive);
    // True when a key of that path (names below the hive) can hold values or keys here: the hive
    // itself, Software, and everything below Software.
    static bool PathAvailable(const QStringList& Path);

    // The hive must be available.
    explicit TRegistryStore(HKEY Hive);
    ~TRegistryStore();

    bool KeyExists(const QStringList& Path);
    QStringList KeyNames(const QStringList& Path);
    QStringList ValueNames(const QStringList& Path);
    bool ReadValue(const QStringList& Path, const String& Name, String& Value);
    // False when the key cannot hold values or the file cannot be written.
    bool WriteValue(const QStringList& Path, const String& Name, const String& Value);
    bool DeleteValue(const QStringList& Path, const String& Name);
    // Removes the key with its values and subkeys; false when there was none or it cannot go.
    bool DeleteKey(const QStringList& Path);

private:
    struct Location;
    Location Locate(const QStringList& Path);
    QSettings* Settings(const String& File);
    void ForgetFile(const String& File);
    bool RemoveFile(const String& File);

    QSettings::Scope scope_;
    String root_; // the folder of the scope's files
    std::map<String, std::unique_ptr<QSettings>> files_;
};
