#include "vcl/sysutils/FileSearch.h"

#include "vcl/sysutils/DateTime.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>

struct TSearchRec::State {
    String folder;
    String mask;
    QStringList names;
    int next = 0;
};

namespace {

constexpr int specialAttrs = faHidden | faSysFile | faVolumeID | faDirectory;

// "*" any run, "?" one character; the last star passed is the only point to come back to, so a
// mask never costs more than name length * mask length steps.
bool GlobMatch(const String& name, const String& mask) {
    qsizetype n = 0, m = 0, starM = -1, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starM = ++m;
            starN = n;
        } else if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (starM >= 0) {
            m = starM;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

// The platform's convention: a mask ending in ".*" also takes names without an extension, so "*.*"
// is every name.
bool MatchesMask(const String& name, const String& mask) {
    if (GlobMatch(name, mask)) return true;
    return mask.endsWith(QStringLiteral(".*")) && GlobMatch(name, mask.chopped(2));
}

int AttributesOf(const QFileInfo& info, const String& name) {
    int attr = 0;
    if (info.isDir()) attr |= faDirectory;
    if (info.isSymLink()) attr |= faSymLink;
    if (info.exists() && !info.isDir() && !info.isFile()) attr |= faSysFile;
    if (name.startsWith(u'.') && name != QStringLiteral(".") && name != QStringLiteral(".."))
        attr |= faHidden;
    // The owner's write permission, like the platform's read-only flag a property of the entry
    // itself: it does not depend on who searches (root may write anything).
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) attr |= faReadOnly;
    return attr;
}

// Moves to the next entry that fits the mask and the attributes; fills F with it.
int Advance(TSearchRec& F) {
    TSearchRec::State& s = *F.FindState;
    while (s.next < s.names.size()) {
        const String name = s.names[s.next++];
        if (!MatchesMask(name, s.mask)) continue;
        const QFileInfo info(QDir(s.folder).filePath(name));
        const int attr = AttributesOf(info, name);
        if (attr & F.ExcludeAttr) continue;
        F.Name = name;
        F.Attr = attr;
        F.Size = info.isFile() ? info.size() : 0;
        const QDateTime modified = info.lastModified();
        F.TimeStamp = modified.isValid() ? QDateTimeToDateTime(modified) : TDateTime();
        return 0;
    }
    return ENOENT;
}

} // namespace

int FindFirst(const String& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    const qsizetype delim = Path.lastIndexOf(PathDelim);
    auto state = std::make_shared<TSearchRec::State>();
    state->folder = delim < 0 ? QStringLiteral(".") : delim == 0 ? String(PathDelim) : Path.left(delim);
    state->mask = Path.mid(delim + 1);
    if (state->mask.isEmpty()) return ENOENT;
    const QDir dir(state->folder);
    if (!dir.exists()) return ENOENT;
    state->names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Unsorted);
    // Code-point order, so that results never depend on the machine's collation.
    std::sort(state->names.begin(), state->names.end());
    F.FindState = std::move(state);
    F.ExcludeAttr = specialAttrs & ~Attr;
    const int rc = Advance(F);
    if (rc != 0) FindClose(F);
    return rc;
}

int FindNext(TSearchRec& F) {
    if (!F.FindState) return ENOENT;
    return Advance(F);
}

void FindClose(TSearchRec& F) {
    F.FindState.reset();
}
