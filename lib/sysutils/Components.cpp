// Published properties and the walk over owned components.
#include "lib/moxSysUtils.h"

#include <QPointer>

void GetPublishedProps(const TObject* AObject, TTypeKinds Kinds, TPropList& List) {
    List.clear();
    try {
        List = GetPropList(AObject, Kinds);
    } catch (...) {
        List.clear();
        throw;
    }
}

PPropInfo FindPropInfo(const TPropList& List, const String& Name) {
    for (PPropInfo info : List)
        if (info && info->Name().compare(Name, Qt::CaseInsensitive) == 0) return info;
    return nullptr;
}

void ForEachComponent(TComponent* Owner, const QMetaObject* AClass, const TComponentProc& Proc, Pointer Data,
                      bool Recursive) {
    if (!Owner) return;
    // The procedure may free or add components: walk the ones owned at the start, skipping the freed.
    QList<QPointer<TComponent>> owned;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        owned.append(Owner->Components(i));
    for (const QPointer<TComponent>& component : owned) {
        if (!component) continue;
        if (!AClass || component->metaObject()->inherits(AClass)) Proc(component, Data);
        if (Recursive && component) ForEachComponent(component, AClass, Proc, Data, true);
    }
}
