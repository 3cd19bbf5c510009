#pragma once
// Database aliases: named connections kept in the alias file, an INI file in the user's
// configuration folder ("MoxLibrary/Aliases.ini"). Each section is an alias; its key "DRIVER" names
// the driver (SQLITE when absent) and the other keys are the driver's parameters, such as
// "PATH=/home/me/data/shop.sqlite". "DBDEMOS" is built in: the sample database, copied from the
// program's resources into the user's data folder on first use.
#include "vcl/System.h"

class TStrings;

namespace DBAliases {
inline constexpr const char* DemoAlias = "DBDEMOS";
inline constexpr const char* DriverKey = "DRIVER";
inline constexpr const char* SQLiteDriverName = "SQLITE";
inline constexpr const char* SampleResource = ":/mox/db/dbdemos.sqlite";
} // namespace DBAliases

String AliasFileName();
// Fills Driver and Params from the alias; false when there is no such alias.
bool FindAlias(const String& Name, String& Driver, TStrings* Params);
// The names of the aliases: the built-in one, then the alias file's.
void GetAliasNames(TStrings* List);
// Adds or replaces an alias in the alias file.
void AddAlias(const String& Name, const String& Driver, TStrings* Params);
void DeleteAlias(const String& Name);
// The sample database in the user's data folder, copied there first when missing; raises a
// database error when it cannot be.
String SampleDatabasePath();
