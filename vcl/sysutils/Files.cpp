#include "vcl/sysutils/Files.h"

#include "vcl/sysutils/DateTime.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
qsizetype NameStart(const String& fileName) {
    return fileName.lastIndexOf(PathDelim) + 1;
}
} // namespace

String ExtractFilePath(const String& fileName) {
    return fileName.left(NameStart(fileName));
}

String ExtractFileDir(const String& fileName) {
    qsizetype n = NameStart(fileName);
    // Keep the root's delimiter: the folder of "/x" is "/".
    if (n > 1) --n;
    return fileName.left(n);
}

String ExtractFileName(const String& fileName) {
    return fileName.mid(NameStart(fileName));
}

String ExtractFileExt(const String& fileName) {
    const qsizetype start = NameStart(fileName);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > start ? fileName.mid(dot) : String();
}

String ChangeFileExt(const String& fileName, const String& extension) {
    const qsizetype start = NameStart(fileName);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return (dot > start ? fileName.left(dot) : fileName) + extension;
}

String ExtractFileDrive(const String&) {
    return String();
}

String IncludeTrailingPathDelimiter(const String& path) {
    return path.endsWith(PathDelim) ? path : path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path) {
    // The root stays the root.
    return path.endsWith(PathDelim) && path.size() > 1 ? path.left(path.size() - 1) : path;
}

String ExpandFileName(const String& fileName) {
    if (fileName.isEmpty()) return String();
    return QDir::cleanPath(QDir::current().absoluteFilePath(fileName));
}

bool FileExists(const String& fileName) {
    const QFileInfo info(fileName);
    return !fileName.isEmpty() && info.exists() && !info.isDir();
}

bool DirectoryExists(const String& directory) {
    return !directory.isEmpty() && QFileInfo(directory).isDir();
}

bool ForceDirectories(const String& directory) {
    if (directory.isEmpty()) return false;
    return QDir().mkpath(directory);
}

bool DeleteFile(const String& fileName) {
    return FileExists(fileName) && QFile::remove(fileName);
}

bool RenameFile(const String& oldName, const String& newName) {
    // The platform never replaces an existing file by renaming.
    if (QFileInfo::exists(newName)) return false;
    return QDir().rename(oldName, newName);
}

bool CreateDir(const String& directory) {
    return !directory.isEmpty() && QDir().mkdir(directory);
}
bool RemoveDir(const String& directory) {
    return !directory.isEmpty() && QDir().rmdir(directory);
}

TDateTime FileAge(const String& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir()) return TDateTime(-1);
    return QDateTimeToDateTime(info.lastModified());
}

String GetCurrentDir() {
    return QDir::currentPath();
}
bool SetCurrentDir(const String& directory) {
    return QDir::setCurrent(directory);
}
