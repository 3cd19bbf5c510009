#pragma once
// File names and the file system, in the host's path syntax.
#include "vcl/System.h"

#include <QLatin1String>

inline constexpr QChar PathDelim = u'/';
// Volumes have no drive letters here: a drive is a mounted folder, its name is part of the path.
inline constexpr QLatin1String DriveDelim{""};
inline constexpr QChar PathSep = u':';

// "/a/b/c.txt": path "/a/b/", dir "/a/b", name "c.txt", extension ".txt" (the dot included; a
// leading dot alone, as in ".profile", is the name, not an extension).
String ExtractFilePath(const String& fileName);
String ExtractFileDir(const String& fileName);
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);
String ChangeFileExt(const String& fileName, const String& extension);
// Always empty: paths carry no drive on this system.
String ExtractFileDrive(const String& fileName);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
// Absolute and clean ("." and ".." resolved) against the current folder.
String ExpandFileName(const String& fileName);

bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
// Creates the folder and any missing parents; false when that fails.
bool ForceDirectories(const String& directory);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);
bool CreateDir(const String& directory);
bool RemoveDir(const String& directory);
// The file's last modification as a date-time; -1 when there is no such file.
TDateTime FileAge(const String& fileName);
String GetCurrentDir();
bool SetCurrentDir(const String& directory);

// The running program's file: QCoreApplication's file path, argv[0] before an application
// exists, or what SetProgramFileName put in its place (an empty name restores the real one).
String ProgramFileName();
void SetProgramFileName(const String& fileName);
// 0 is the program's file name, 1.. the command-line arguments; "" beyond the last.
String ParamStr(int index);
int ParamCount();
