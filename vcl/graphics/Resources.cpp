#include "vcl/graphics/Resources.h"

#include <QDir>
#include <QFileInfo>

String ResourceFolder(const String& Kind) {
    return QStringLiteral(":/res/") + Kind;
}

String FindResource(const String& Kind, const String& Name) {
    if (Name.isEmpty()) return String();
    const QDir folder(ResourceFolder(Kind));
    const QStringList entries = folder.entryList(QDir::Files);
    // A file named exactly comes before one whose name without the extension matches.
    for (const QString& entry : entries)
        if (entry.compare(Name, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
    for (const QString& entry : entries)
        if (QFileInfo(entry).completeBaseName().compare(Name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return String();
}
