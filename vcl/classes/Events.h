#pragma once
// The event types that the framework's core raises, declared to the meta-object so that
// event properties can be bound by name, and the one-line declaration of an event property.
#include <QMetaType>
#include <QVariant>
#include <functional>
#include <type_traits>

#include "vcl/System.h"

// The plain event: only the object that raised it.
using TNotifyEvent = std::function<void(TObject* Sender)>;
Q_DECLARE_METATYPE(TNotifyEvent)

// The registry of event types: the run-time type information reports a property of such a type
// as a method property. Every event type is a std::function type; the registry also keeps how to
// tell whether a handler held in a QVariant is assigned, and the type's name as the program writes
// it ("TNotifyEvent"; Qt's own name of the type is the std::function spelled out). A type registered
// again keeps its first name. The event types of this header are registered from the start;
// MOX_EVENT registers the type of the property it declares.
void RegisterEventType(QMetaType Type, bool (*Assigned)(const QVariant& Handler), const char* Name);
template <class T> bool RegisterEventType(const char* Name = nullptr) {
    RegisterEventType(
        QMetaType::fromType<T>(), [](const QVariant& handler) { return bool(handler.value<T>()); }, Name);
    return true;
}
bool IsEventType(QMetaType Type);
// The name the type was registered with; an empty text for a type that is no event type.
QString EventTypeName(QMetaType Type);
// True when the QVariant holds a non-empty handler of a registered event type.
bool IsEventAssigned(const QVariant& Handler);

namespace mox::detail {
template <class T> struct IsStdFunction : std::false_type {};
template <class R, class... A> struct IsStdFunction<std::function<R(A...)>> : std::true_type {};
} // namespace mox::detail

// Declares an event property inside a Q_OBJECT class in one line:
//
//     MOX_EVENT(TNotifyEvent, OnClick)
//
// gives the public member OnClick, the accessors GetOnClick / SetOnClick, the published property
// OnClick, and registers the type as an event type. moc expands the macro because it is defined
// in a header that moc reads through the target's include path (every layer's include path holds
// this one). Like Q_OBJECT, the macro leaves the access at private.
//
// An event type is a std::function type with Q_DECLARE_METATYPE. Two event names with the same
// signature are the same C++ type: declare the second as an alias of the first
// (using TFooEvent = TNotifyEvent;) without a second Q_DECLARE_METATYPE.
#define MOX_EVENT(Type, Name)                                                                                \
    Q_PROPERTY(Type Name READ Get##Name WRITE Set##Name)                                                     \
public:                                                                                                      \
    Type Name;                                                                                               \
    Type Get##Name() const {                                                                                 \
        return Name;                                                                                         \
    }                                                                                                        \
    void Set##Name(const Type& Value) {                                                                      \
        Name = Value;                                                                                        \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    static_assert(::mox::detail::IsStdFunction<Type>::value, "an event type is a std::function type");       \
    static inline const bool moxEventRegistered_##Name = ::RegisterEventType<Type>(#Type);
