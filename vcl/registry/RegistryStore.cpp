#include "vcl/registry/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const String ConfSuffix = QStringLiteral(".conf");

bool SameName(const String& a, const String& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A name as the files hold it: "%", "/" and "\" would split or mangle it, a name of dots would
// climb the folder tree, and the empty name (a key's default value) needs a form of its own.
String Encode(const String& name) {
    if (name.isEmpty()) return QStringLiteral("%");
    if (name.count(QLatin1Char('.')) == name.size()) return QString(name).replace('.', QLatin1String("%2E"));
    String encoded;
    for (QChar c : name) {
        if (c == '%')
            encoded += QLatin1String("%25");
        else if (c == '/')
            encoded += QLatin1String("%2F");
        else if (c == '\\')
            encoded += QLatin1String("%5C");
        else
            encoded += c;
    }
    return encoded;
}

bool IsHex(QChar c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

String Decode(const String& encoded) {
    if (encoded == QLatin1String("%")) return String();
    String name;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size() && IsHex(encoded[i + 1]) && IsHex(encoded[i + 2])) {
            name += QChar(encoded.mid(i + 1, 2).toUShort(nullptr, 16));
            i += 2;
            continue;
        }
        name += encoded[i];
    }
    return name;
}

QStringList Decoded(const QStringList& names) {
    QStringList result;
    for (const String& n : names)
        result << Decode(n);
    return result;
}

// The entry of the folder with that name in any case; the name as given when there is none.
String FindEntry(const String& dir, const String& name, bool wantDir) {
    const QFileInfo exact(dir + '/' + name + (wantDir ? String() : ConfSuffix));
    if (exact.exists() && (wantDir ? exact.isDir() : exact.isFile())) return name;
    if (wantDir) {
        for (const String& entry : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
            if (SameName(entry, name)) return entry;
    } else {
        for (const String& entry :
             QDir(dir).entryList({QStringLiteral("*.conf")}, QDir::Files | QDir::Hidden))
            if (SameName(entry.chopped(ConfSuffix.size()), name)) return entry.chopped(ConfSuffix.size());
    }
    return name;
}

QStringList ConfFiles(const String& dir) {
    QStringList names;
    for (const String& entry : QDir(dir).entryList({QStringLiteral("*.conf")}, QDir::Files | QDir::Hidden))
        names << entry.chopped(ConfSuffix.size());
    return names;
}

// The name in the list that matches in any case; empty when none does.
String FindName(const QStringList& names, const String& name) {
    if (names.contains(name)) return name;
    for (const String& n : names)
        if (SameName(n, name)) return n;
    return String();
}

void AppendUnique(QStringList& names, const String& name) {
    if (FindName(names, name).isEmpty()) names << name;
}

// Keeps a group open on the settings object while it lives.
class GroupScope {
public:
    GroupScope(QSettings* s, const String& group) : s_(s), open_(!group.isEmpty()) {
        if (open_) s_->beginGroup(group);
    }
    ~GroupScope() {
        if (open_) s_->endGroup();
    }

private:
    QSettings* s_;
    bool open_;
};

} // namespace

struct TRegistryStore::Location {
    qsizetype depth = 0;
    bool exists = false;
    String orgDir; // the organisation's folder (depth >= 2)
    String file;   // the file that holds the key's values (depth >= 2)
    String group;  // the key's group in that file, "" for the file's top (depth >= 4)
};

String TRegistryStore::HiveName(HKEY Hive) {
    switch (Hive) {
    case HKEY_CLASSES_ROOT:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case HKEY_USERS:
        return QStringLiteral("HKEY_USERS");
    case HKEY_PERFORMANCE_DATA:
        return QStringLiteral("HKEY_PERFORMANCE_DATA");
    case HKEY_CURRENT_CONFIG:
        return QStringLiteral("HKEY_CURRENT_CONFIG");
    case HKEY_DYN_DATA:
        return QStringLiteral("HKEY_DYN_DATA");
    default:
        return QStringLiteral("0x%1").arg(Hive, 8, 16, QLatin1Char('0'));
    }
}

bool TRegistryStore::HiveAvailable(HKEY Hive) {
    return Hive == HKEY_CURRENT_USER || Hive == HKEY_LOCAL_MACHINE;
}

bool TRegistryStore::PathAvailable(const QStringList& Path) {
    return Path.isEmpty() || SameName(Path.first(), QStringLiteral("Software"));
}

TRegistryStore::TRegistryStore(HKEY Hive)
    : scope_(Hive == HKEY_LOCAL_MACHINE ? QSettings::SystemScope : QSettings::UserScope) {
    // The scope's folder is where QSettings puts an organisation's file.
    const QSettings probe(QSettings::NativeFormat, scope_, QStringLiteral("MoxLibrary"));
    root_ = QFileInfo(probe.fileName()).absolutePath();
}

TRegistryStore::~TRegistryStore() = default;

QSettings* TRegistryStore::Settings(const String& File) {
    auto& settings = files_[File];
    if (!settings)
        settings = std::make_unique<QSettings>(File, QSettings::NativeFormat);
    else
        settings->sync(); // takes in what another process wrote since
    return settings.get();
}

void TRegistryStore::ForgetFile(const String& File) {
    files_.erase(File);
}

TRegistryStore::Location TRegistryStore::Locate(const QStringList& Path) {
    Location loc;
    loc.depth = Path.size();
    if (!PathAvailable(Path)) return loc;
    if (loc.depth <= 1) {
        loc.exists = true;
        return loc;
    }
    const String org = Encode(Path[1]);
    if (loc.depth == 2) {
        loc.orgDir = root_ + '/' + FindEntry(root_, org, true);
        loc.file = root_ + '/' + FindEntry(root_, org, false) + ConfSuffix;
        loc.exists = QFileInfo(loc.file).isFile() || !ConfFiles(loc.orgDir).isEmpty();
        return loc;
    }
    loc.orgDir = root_ + '/' + FindEntry(root_, org, true);
    loc.file = loc.orgDir + '/' + FindEntry(loc.orgDir, Encode(Path[2]), false) + ConfSuffix;
    loc.exists = QFileInfo(loc.file).isFile();
    QSettings* settings = loc.exists && loc.depth > 3 ? Settings(loc.file) : nullptr;
    QStringList groups;
    for (qsizetype i = 3; i < loc.depth; ++i) {
        const String wanted = Encode(Path[i]);
        String found;
        if (loc.exists) {
            GroupScope scope(settings, groups.join('/'));
            found = FindName(settings->childGroups(), wanted);
        }
        if (found.isEmpty()) loc.exists = false;
        groups << (found.isEmpty() ? wanted : found);
    }
    loc.group = groups.join('/');
    return loc;
}

bool TRegistryStore::KeyExists(const QStringList& Path) {
    return Locate(Path).exists;
}

QStringList TRegistryStore::KeyNames(const QStringList& Path) {
    const Location loc = Locate(Path);
    QStringList names;
    if (!loc.exists) return names;
    if (loc.depth == 0) return {QStringLiteral("Software")};
    if (loc.depth == 1) {
        for (const String& file : ConfFiles(root_))
            AppendUnique(names, file);
        for (const String& dir : QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
            if (!ConfFiles(root_ + '/' + dir).isEmpty()) AppendUnique(names, dir);
        return Decoded(names);
    }
    if (loc.depth == 2) return Decoded(ConfFiles(loc.orgDir));
    QSettings* settings = Settings(loc.file);
    GroupScope scope(settings, loc.group);
    return Decoded(settings->childGroups());
}

QStringList TRegistryStore::ValueNames(const QStringList& Path) {
    const Location loc = Locate(Path);
    if (!loc.exists || loc.depth < 2 || !QFileInfo(loc.file).isFile()) return {};
    QSettings* settings = Settings(loc.file);
    GroupScope scope(settings, loc.group);
    return Decoded(settings->childKeys());
}

bool TRegistryStore::ReadValue(const QStringList& Path, const String& Name, String& Value) {
    const Location loc = Locate(Path);
    if (!loc.exists || loc.depth < 2 || !QFileInfo(loc.file).isFile()) return false;
    QSettings* settings = Settings(loc.file);
    GroupScope scope(settings, loc.group);
    const String key = FindName(settings->childKeys(), Encode(Name));
    if (key.isEmpty()) return false;
    const QVariant value = settings->value(key);
    // Text with unquoted commas, written by another program, reads as a list.
    Value = value.typeId() == QMetaType::QStringList ? value.toStringList().join(',') : value.toString();
    return true;
}

bool TRegistryStore::WriteValue(const QStringList& Path, const String& Name, const String& Value) {
    const Location loc = Locate(Path);
    if (loc.depth < 2 || !PathAvailable(Path)) return false;
    QSettings* settings = Settings(loc.file);
    {
        GroupScope scope(settings, loc.group);
        String key = FindName(settings->childKeys(), Encode(Name));
        if (key.isEmpty()) key = Encode(Name);
        settings->setValue(key, Value);
    }
    settings->sync();
    if (settings->status() == QSettings::NoError) return true;
    // The status stays set on the object: the next write starts from a fresh one.
    ForgetFile(loc.file);
    return false;
}

bool TRegistryStore::DeleteValue(const QStringList& Path, const String& Name) {
    const Location loc = Locate(Path);
    if (!loc.exists || loc.depth < 2 || !QFileInfo(loc.file).isFile()) return false;
    QSettings* settings = Settings(loc.file);
    {
        GroupScope scope(settings, loc.group);
        const String key = FindName(settings->childKeys(), Encode(Name));
        if (key.isEmpty()) return false;
        settings->remove(key);
    }
    settings->sync();
    if (settings->status() == QSettings::NoError) return true;
    ForgetFile(loc.file);
    return false;
}

bool TRegistryStore::RemoveFile(const String& File) {
    if (!QFileInfo(File).isFile()) return false;
    QSettings* settings = Settings(File);
    settings->clear();
    settings->sync();
    ForgetFile(File);
    return QFile::remove(File);
}

bool TRegistryStore::DeleteKey(const QStringList& Path) {
    const Location loc = Locate(Path);
    if (!loc.exists || loc.depth < 2) return false;
    if (loc.depth == 2) {
        bool removed = RemoveFile(loc.file);
        for (const String& app : ConfFiles(loc.orgDir))
            removed = RemoveFile(loc.orgDir + '/' + app + ConfSuffix) || removed;
        QDir().rmdir(loc.orgDir); // only when nothing else is left in it
        return removed;
    }
    if (loc.depth == 3) return RemoveFile(loc.file);
    QSettings* settings = Settings(loc.file);
    settings->remove(loc.group);
    settings->sync();
    if (settings->status() == QSettings::NoError) return true;
    ForgetFile(loc.file);
    return false;
}
