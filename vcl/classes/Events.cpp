#include "vcl/classes/Events.h"

#include <QHash>
#include <QReadWriteLock>

namespace {
using AssignedTest = bool (*)(const QVariant&);

struct EventType {
    AssignedTest assigned = nullptr;
    QString name;
    TEventMethodBinder binder;
};

template <class T> bool IsAssigned(const QVariant& handler) {
    return bool(handler.value<T>());
}

struct EventTypes {
    QReadWriteLock lock;
    QHash<int, EventType> types;

    // The types of this header are event types from the start, also for properties declared
    // without MOX_EVENT.
    EventTypes() {
        types.insert(QMetaType::fromType<TNotifyEvent>().id(),
                     {IsAssigned<TNotifyEvent>, "TNotifyEvent", mox::detail::MakeEventMethodBinder<TNotifyEvent>()});
    }
};

// Built on first use: registrations run while shared libraries are being initialised.
EventTypes& Registry() {
    static EventTypes registry;
    return registry;
}

EventType Find(QMetaType type) {
    if (!type.isValid()) return {};
    EventTypes& r = Registry();
    QReadLocker locker(&r.lock);
    return r.types.value(type.id());
}
} // namespace

void RegisterEventType(QMetaType Type, bool (*Assigned)(const QVariant& Handler), const char* Name) {
    EventTypes& r = Registry();
    QWriteLocker locker(&r.lock);
    if (r.types.contains(Type.id())) return;
    r.types.insert(Type.id(), {Assigned, QString::fromLatin1(Name ? Name : Type.name()), {}});
}

void RegisterEventMethodBinder(QMetaType Type, const TEventMethodBinder& Binder) {
    EventTypes& r = Registry();
    QWriteLocker locker(&r.lock);
    auto it = r.types.find(Type.id());
    // Kept from the first registration, like the type's name.
    if (it != r.types.end() && !it->binder.Bind) it->binder = Binder;
}

TEventMethodBinder EventMethodBinder(QMetaType Type) {
    return Find(Type).binder;
}

bool IsEventType(QMetaType Type) {
    return Find(Type).assigned != nullptr;
}

QString EventTypeName(QMetaType Type) {
    return Find(Type).name;
}

bool IsEventAssigned(const QVariant& Handler) {
    const AssignedTest test = Find(Handler.metaType()).assigned;
    return test && test(Handler);
}
