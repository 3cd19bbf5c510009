#include "vcl/classes/ClassRegistry.h"

#include <QHash>
#include <mutex>

#include "vcl/classes/ClassesConsts.h"

using namespace ClassesConsts;

namespace {
String OwnName(const QMetaObject* meta) {
    const String name = QString::fromLatin1(meta->className());
    const qsizetype colon = name.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

String Key(const String& name) {
    return name.toCaseFolded();
}

// Components may be registered from static initialisers of several libraries and from threads.
struct Registry {
    std::mutex lock;
    QHash<String, TPersistentClass> classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

void Add(const TPersistentClass& AClass, const String& name) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.classes.find(Key(name));
    if (it != r.classes.end()) {
        if (*it == AClass) return;
        throw EFilerError(Fmt(SDuplicateClass, name));
    }
    r.classes.insert(Key(name), AClass);
}
} // namespace

void ClassRegistryDetail::RaiseInvalidCast() {
    throw EInvalidCast(QString::fromLatin1(SInvalidCast));
}

String TPersistentClass::ClassName() const {
    return meta_ ? OwnName(meta_) : String();
}

TPersistent* TPersistentClass::Create(TPersistent* Owner) const {
    if (!create_) throw EInvalidOperation(Fmt(SCannotCreateClass, ClassName()));
    return create_(Owner);
}

TComponent* TPersistentClass::CreateComponent(TComponent* Owner) const {
    if (!InheritsFrom<TComponent>()) ClassRegistryDetail::RaiseInvalidCast();
    return static_cast<TComponent*>(Create(Owner));
}

void RegisterClass(const TPersistentClass& AClass) {
    if (AClass) Add(AClass, AClass.ClassName());
}

void RegisterClasses(std::initializer_list<TPersistentClass> Classes) {
    for (const TPersistentClass& c : Classes)
        RegisterClass(c);
}

void RegisterClassAlias(const TPersistentClass& AClass, const String& Alias) {
    if (AClass && !Alias.isEmpty()) Add(AClass, Alias);
}

void UnRegisterClass(const TPersistentClass& AClass) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    r.classes.removeIf([&](const auto& entry) { return entry.value() == AClass; });
}

TPersistentClass GetClass(const String& AClassName) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    return r.classes.value(Key(AClassName));
}

TPersistentClass FindClass(const String& ClassName) {
    TPersistentClass result = GetClass(ClassName);
    if (!result) throw EClassNotFound(Fmt(SClassNotFound, ClassName));
    return result;
}
