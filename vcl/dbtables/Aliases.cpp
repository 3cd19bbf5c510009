#include "vcl/dbtables/Aliases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

#include "vcl/Classes.h"
#include "vcl/IniFiles.h"
#include "vcl/db/Consts.h"
#include "vcl/db/Errors.h"

using namespace DBConsts;
using namespace DBAliases;

namespace {
String DemoAliasName() {
    return QString::fromLatin1(DemoAlias);
}

// The alias file's section of that name, found without regard to case as INI sections are.
bool ReadAliasSection(const String& Name, String& Driver, TStrings* Params) {
    const String file = AliasFileName();
    if (!QFileInfo::exists(file)) return false;
    TMemIniFile ini(file);
    if (!ini.SectionExists(Name)) return false;
    TStringList values;
    ini.ReadSectionValues(Name, &values);
    Driver = QString::fromLatin1(SQLiteDriverName);
    if (Params) Params->Clear();
    for (int i = 0; i < values.Count(); ++i) {
        const String key = values.Names(i);
        const String value = values.Values(key);
        if (key.compare(QLatin1String(DriverKey), Qt::CaseInsensitive) == 0)
            Driver = value;
        else if (Params)
            Params->Add(key.toUpper() + QLatin1Char('=') + value);
    }
    return true;
}
} // namespace

String AliasFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/MoxLibrary/Aliases.ini");
}

bool FindAlias(const String& Name, String& Driver, TStrings* Params) {
    if (Name.trimmed().isEmpty()) return false;
    // The alias file may point the demo alias elsewhere.
    if (ReadAliasSection(Name, Driver, Params)) return true;
    if (Name.compare(DemoAliasName(), Qt::CaseInsensitive) != 0) return false;
    Driver = QString::fromLatin1(SQLiteDriverName);
    if (Params) {
        Params->Clear();
        Params->Add(QStringLiteral("PATH=") + SampleDatabasePath());
    }
    return true;
}

void GetAliasNames(TStrings* List) {
    List->Clear();
    List->Add(DemoAliasName());
    const String file = AliasFileName();
    if (!QFileInfo::exists(file)) return;
    TMemIniFile ini(file);
    TStringList sections;
    ini.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i)
        if (sections.Strings(i).compare(DemoAliasName(), Qt::CaseInsensitive) != 0) List->Add(sections.Strings(i));
}

void AddAlias(const String& Name, const String& Driver, TStrings* Params) {
    const String file = AliasFileName();
    QDir().mkpath(QFileInfo(file).absolutePath());
    TMemIniFile ini(file);
    ini.EraseSection(Name);
    ini.WriteString(Name, QString::fromLatin1(DriverKey), Driver);
    if (Params)
        for (int i = 0; i < Params->Count(); ++i) {
            const String key = Params->Names(i);
            if (!key.isEmpty()) ini.WriteString(Name, key, Params->Values(key));
        }
    ini.UpdateFile();
}

void DeleteAlias(const String& Name) {
    const String file = AliasFileName();
    if (!QFileInfo::exists(file)) return;
    TMemIniFile ini(file);
    ini.EraseSection(Name);
    ini.UpdateFile();
}

String SampleDatabasePath() {
    const String folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/MoxLibrary");
    const String path = folder + QStringLiteral("/dbdemos.sqlite");
    if (QFileInfo::exists(path)) return path;
    const String resource = QString::fromLatin1(SampleResource);
    if (!QFileInfo::exists(resource))
        DatabaseError(Fmt(SSampleDatabase, {path, QStringLiteral("the program holds no sample database")}));
    if (!QDir().mkpath(folder))
        DatabaseError(Fmt(SSampleDatabase, {path, QStringLiteral("the folder cannot be made")}));
    // Copied under a temporary name first, so that an interrupted copy is never taken for the database.
    const String partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QFile source(resource);
    if (!source.copy(partial)) DatabaseError(Fmt(SSampleDatabase, {path, source.errorString()}));
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        if (!QFileInfo::exists(path)) DatabaseError(Fmt(SSampleDatabase, {path, QStringLiteral("rename failed")}));
    }
    return path;
}
