// Paths and files in the host's path syntax.
#include "lib/moxSysUtils.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

bool EndsWithDelim(const String& s) {
    return !s.isEmpty() && s.back() == PathDelim;
}

String WithoutTrailingDelims(const String& s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == PathDelim)
        --end;
    return s.left(end);
}

// The entry is there, a symbolic link that points nowhere included.
bool OnDisk(const QFileInfo& info) {
    return info.exists() || info.isSymLink();
}

} // namespace

bool DirExists(const String& Name) {
    return !Name.isEmpty() && QFileInfo(Name).isDir();
}

bool IsValidFileName(const String& FileName) {
    static const String invalid = QStringLiteral("<>\"[]|") + QChar(u'\0');
    if (FileName.isEmpty()) return false;
    for (QChar c : FileName)
        if (invalid.contains(c)) return false;
    return true;
}

String LongComponentName(const String& Path) {
    if (Path.isEmpty()) return String();
    const QFileInfo info(WithoutTrailingDelims(Path));
    if (!OnDisk(info)) return String();
    // A directory listing holds the entry under this name: the host keeps names as they were made.
    return info.fileName();
}

String ShortComponentName(const String& Path) {
    return LongComponentName(Path);
}

String LongPathName(const String& Path) {
    int pos = 1;
    String result = NextPathPrefix(Path, pos);
    while (pos <= Path.size()) {
        const String prefix = NextPathPrefix(Path, pos);
        result += PathDelim;
        // An empty component (two delimiters in a row, or the last one) stays empty.
        if (!prefix.isEmpty() && prefix.back() != PathDelim) result += LongComponentName(prefix);
    }
    if (EndsWithDelim(Path)) result += PathDelim;
    return result;
}

String ShortPathName(const String& Path) {
    return LongPathName(Path);
}

String SetTrailingBackslash(const String& Path, bool Include) {
    if (!Include) return WithoutTrailingDelims(Path);
    return EndsWithDelim(Path) ? Path : Path + PathDelim;
}

String ConcatPath(const String& Directory, const String& Name) {
    return EndsWithDelim(Directory) ? Directory + Name : Directory + PathDelim + Name;
}

String NormalizeDirName(const String& Path) {
    const String trimmed = WithoutTrailingDelims(Path);
    // The root is the one directory whose name is its delimiter.
    if (trimmed.isEmpty() && !Path.isEmpty()) return String(PathDelim);
    return trimmed;
}

String NextPathPrefix(const String& Path, int& Pos) {
    const qsizetype at = Path.indexOf(PathDelim, std::max(Pos, 1) - 1);
    if (at < 0) {
        Pos = int(Path.size()) + 1;
        return Path;
    }
    Pos = int(at) + 2;
    return Path.left(at);
}

void FindFilesByMasks(const String& Directory, const String& Masks, int Attributes, TStrings* List) {
    List->BeginUpdate();
    try {
        List->Clear();
        const String folder = WithoutTrailingDelims(Directory.isEmpty() ? QDir::currentPath() : Directory);
        int pos = 1;
        while (pos <= Masks.size()) {
            const String mask = ExtractDelimited(Masks, QStringLiteral(";"), pos);
            if (mask.isEmpty()) continue;
            const String searchPath = folder + PathDelim + mask;
            // Entries are named after the search path's own folder, which a mask may extend.
            const String entryFolder = searchPath.left(searchPath.lastIndexOf(PathDelim) + 1);
            TSearchRec rec;
            for (int rc = FindFirst(searchPath, Attributes, rec); rc == 0; rc = FindNext(rec)) {
                const int held = rec.Attr & Attributes;
                if (held == Attributes || (held == 0 && (Attributes & faNormal)))
                    List->Add(entryFolder + rec.Name);
            }
            FindClose(rec);
        }
    } catch (...) {
        List->EndUpdate();
        throw;
    }
    List->EndUpdate();
}
