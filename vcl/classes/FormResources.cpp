#include "vcl/classes/FormResources.h"

#include <QFile>
#include <QFileInfo>
#include <QVariant>

#include "vcl/classes/ClassRegistry.h"
#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Reader.h"
#include "vcl/classes/Writer.h"
#include "vcl/graphics/Resources.h"

using namespace ClassesConsts;

namespace {
// The instance's most derived class whose resource was read, kept beside the instance so that a
// later constructor of the chain continues below it.
constexpr const char* ResourceReadMark = "_moxFormResourceClass";

String ReadTextFile(const String& FileName) {
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QString::fromLatin1(SFOpenError).arg(FileName, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

String DisplayName(const String& FileName) {
    return QFileInfo(FileName).fileName();
}
} // namespace

void ReadComponentFromText(TComponent* Root, const String& Text, const String& ResourceName) {
    TReader reader(ResourceName.isEmpty() ? QStringLiteral("form text") : ResourceName);
    reader.ReadRootComponent(Root, Text);
}

TComponent* ObjectTextToComponent(const String& Text, TComponent* Owner, const String& ResourceName) {
    TReader reader(ResourceName.isEmpty() ? QStringLiteral("form text") : ResourceName);
    return reader.ReadNewRootComponent(Text, Owner);
}

String ComponentToObjectText(TComponent* Root, TComponent* Ancestor) {
    TWriter writer;
    return writer.WriteDescendent(Root, Ancestor);
}

TComponent* ReadComponentResFile(const String& FileName, TComponent* Instance) {
    const String text = ReadTextFile(FileName);
    if (!Instance) return ObjectTextToComponent(text, nullptr, DisplayName(FileName));
    ReadComponentFromText(Instance, text, DisplayName(FileName));
    return Instance;
}

void WriteComponentResFile(const String& FileName, TComponent* Instance, TComponent* Ancestor) {
    const QByteArray text = ComponentToObjectText(Instance, Ancestor).toUtf8();
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        throw EFCreateError(QString::fromLatin1(SFCreateError).arg(FileName, file.errorString()));
}

String FindFormResource(const String& ResName) {
    return FindResource(QStringLiteral("forms"), ResName);
}

bool ReadComponentRes(const String& ResName, TComponent* Instance) {
    const String path = FindFormResource(ResName);
    if (path.isEmpty()) return false;
    ReadComponentResFile(path, Instance);
    return true;
}

bool InitInheritedComponent(TComponent* Instance, const QMetaObject* RootAncestor) {
    const QByteArray done = Instance->property(ResourceReadMark).toByteArray();
    QList<const QMetaObject*> classes;
    for (const QMetaObject* mo = Instance->metaObject();
         mo && mo != RootAncestor && mo != &TComponent::staticMetaObject; mo = mo->superClass()) {
        if (done == mo->className()) break;
        classes.prepend(mo);
    }
    bool found = !done.isEmpty();
    for (const QMetaObject* mo : classes) {
        if (!ReadComponentRes(TPersistentClass(mo, {}).ClassName(), Instance)) continue;
        Instance->setProperty(ResourceReadMark, QByteArray(mo->className()));
        found = true;
    }
    return found;
}
