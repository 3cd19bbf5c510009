#include "vcl/classes/Persistent.h"


TPersistent::TPersistent() = default;
TPersistent::~TPersistent() = default;

String TPersistent::ClassName() const { return QString::fromLatin1(metaObject()->className()); }

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::DefineProperties(TFiler*) {}

String TPersistent::GetNamePath() const {
    String path = ClassName();
    if (TPersistent* owner = GetOwner()) {
        const String ownerPath = owner->GetNamePath();
        if (!ownerPath.isEmpty()) path = ownerPath + "." + path;
    }
    return path;
}

void TPersistent::AssignError(TPersistent* Source) {
    const String sourceName = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(sourceName, ClassName()));
}
