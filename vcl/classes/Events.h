#pragma once
// The event types that the framework's core raises, declared to the meta-object so that
// event properties can be bound by name, and the one-line declaration of an event property.
#include <QMetaMethod>
#include <QMetaType>
#include <QPointer>
#include <QVariant>
#include <functional>
#include <memory>
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

// What the form resources need of an event type: a handler that calls a method of an object
// (made only for a method whose parameters fit the event's), and the name of the method that a
// handler made so calls.
struct TEventMethodBinder {
    bool (*Fits)(const QMetaMethod& Method) = nullptr;
    QVariant (*Bind)(QObject* Target, const QMetaMethod& Method) = nullptr;
    QString (*MethodName)(const QVariant& Handler) = nullptr;
};
void RegisterEventMethodBinder(QMetaType Type, const TEventMethodBinder& Binder);

namespace mox::detail {
// True when the method's parameter Index has the C++ type A (a non-const reference as "T&", any
// other reference or value as the type itself, as moc normalises signatures).
template <class A> bool ParameterIs(const QMetaMethod& method, int index) {
    using Plain = std::remove_cvref_t<A>;
    const QMetaType expected = QMetaType::fromType<Plain>();
    const QMetaType actual = method.parameterMetaType(index);
    QByteArray expectedName = QMetaObject::normalizedType(expected.name());
    if constexpr (std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>>)
        expectedName += '&';
    const QByteArray actualName = QMetaObject::normalizedType(method.parameterTypeName(index));
    if (actualName == expectedName) return true;
    // A type moc knows by another spelling (a namespace left out) is still the same type.
    if constexpr (std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>>)
        return false;
    else
        return actual.isValid() && actual == expected;
}

template <class F> struct MethodBinding;
// A handler that calls a Q_INVOKABLE method of the target by its index; once the target is gone
// it does nothing (a result then is the type's default).
template <class R, class... A> struct MethodBinding<std::function<R(A...)>> {
    QPointer<QObject> target;
    int index = -1;
    QString name;

    R operator()(A... args) const {
        [[maybe_unused]] std::conditional_t<std::is_void_v<R>, int, R> result{};
        void* argv[] = {std::is_void_v<R> ? nullptr : static_cast<void*>(&result),
                        const_cast<void*>(static_cast<const void*>(std::addressof(args)))...};
        if (QObject* object = target.data())
            QMetaObject::metacall(object, QMetaObject::InvokeMetaMethod, index, argv);
        if constexpr (!std::is_void_v<R>) return result;
    }

    static bool Fits(const QMetaMethod& method) {
        if (method.parameterCount() != int(sizeof...(A))) return false;
        if constexpr (std::is_void_v<R>) {
            if (method.returnMetaType().id() != QMetaType::Void) return false;
        } else {
            if (method.returnMetaType() != QMetaType::fromType<R>()) return false;
        }
        int i = 0;
        return (ParameterIs<A>(method, i++) && ...);
    }
};

template <class T> TEventMethodBinder MakeEventMethodBinder() {
    using Binding = MethodBinding<T>;
    TEventMethodBinder binder;
    binder.Fits = &Binding::Fits;
    binder.Bind = [](QObject* target, const QMetaMethod& method) {
        return QVariant::fromValue(T(Binding{target, method.methodIndex(), QString::fromLatin1(method.name())}));
    };
    binder.MethodName = [](const QVariant& handler) {
        const T function = handler.value<T>();
        const Binding* binding = function.template target<Binding>();
        return binding ? binding->name : QString();
    };
    return binder;
}
} // namespace mox::detail

template <class T> bool RegisterEventType(const char* Name = nullptr) {
    RegisterEventType(
        QMetaType::fromType<T>(), [](const QVariant& handler) { return bool(handler.value<T>()); }, Name);
    RegisterEventMethodBinder(QMetaType::fromType<T>(), mox::detail::MakeEventMethodBinder<T>());
    return true;
}

// The binder of an event type; its functions are null for a type that is no event type.
TEventMethodBinder EventMethodBinder(QMetaType Type);
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
