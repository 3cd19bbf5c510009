#pragma once
// Reading and writing published properties by name or description.
//
// Every function raises EPropertyError "Unknown property: '%s'" for a name the instance has no
// published property of, EPropertyError "Invalid property type: %s" when the property's kind does
// not fit the function, and EPropertyError "Property is read-only" when a property without a
// setter is written. What a setter raises passes through unchanged.
#include <QObject>
#include <QVariant>
#include <type_traits>

#include "vcl/classes/Events.h"
#include "vcl/typinfo/EnumNames.h"
#include "vcl/typinfo/PropInfo.h"

namespace mox::typinfo {
// Raises EPropertyError "Invalid property type: %s" naming the property's type.
[[noreturn]] void RaiseInvalidPropType(PPropInfo PropInfo);
} // namespace mox::typinfo

// The ordinal value of an integer, character, enumeration, Boolean or set property (a set's value
// is its bit mask). Writing a value that the property's type cannot hold (outside the integer's
// range, no value of the enumeration, bits that are no member of the set) raises ERangeError
// "Range check error".
Int64 GetOrdProp(const TObject* Instance, PPropInfo PropInfo);
Int64 GetOrdProp(const TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, PPropInfo PropInfo, Int64 Value);
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value);

// The name of an enumeration or Boolean property's value; writing an unknown name raises
// EPropertyConvertError "Invalid property element: %s".
String GetEnumProp(const TObject* Instance, PPropInfo PropInfo);
String GetEnumProp(const TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, PPropInfo PropInfo, const String& Value);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);

// A set property as text (SetToString, StringToSet).
String GetSetProp(const TObject* Instance, PPropInfo PropInfo, bool Brackets = false);
String GetSetProp(const TObject* Instance, const String& PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, PPropInfo PropInfo, const String& Value);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);

String GetStrProp(const TObject* Instance, PPropInfo PropInfo);
String GetStrProp(const TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, PPropInfo PropInfo, const String& Value);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);

// Floating-point properties of every storage (float, double, long double, TDateTime, Currency).
Extended GetFloatProp(const TObject* Instance, PPropInfo PropInfo);
Extended GetFloatProp(const TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, PPropInfo PropInfo, Extended Value);
void SetFloatProp(TObject* Instance, const String& PropName, Extended Value);

// 64-bit integer properties; integer properties are read and written too (with the range check).
Int64 GetInt64Prop(const TObject* Instance, PPropInfo PropInfo);
Int64 GetInt64Prop(const TObject* Instance, const String& PropName);
void SetInt64Prop(TObject* Instance, PPropInfo PropInfo, Int64 Value);
void SetInt64Prop(TObject* Instance, const String& PropName, Int64 Value);

// The object a class-typed property holds; none when it holds none or, with MinClass, when the
// object is not of that class.
QObject* GetObjectProp(const TObject* Instance, PPropInfo PropInfo, const QMetaObject* MinClass = nullptr);
QObject* GetObjectProp(const TObject* Instance, const String& PropName,
                       const QMetaObject* MinClass = nullptr);
template <class T> T* GetObjectProp(const TObject* Instance, const String& PropName) {
    return dynamic_cast<T*>(GetObjectProp(Instance, PropName));
}
// Writes the object through the property's setter (which copies an owned object with Assign).
// An object that is not of the property's declared class raises EPropertyConvertError
// "Invalid property value": the platform's unchecked write would leave a pointer of the wrong type.
void SetObjectProp(TObject* Instance, PPropInfo PropInfo, QObject* Value);
void SetObjectProp(TObject* Instance, const String& PropName, QObject* Value);

// An event property's handler, copied through a QVariant of the event type. Writing an invalid
// QVariant clears the handler; a QVariant of another type raises EPropertyError
// "Invalid property type: %s".
QVariant GetMethodProp(const TObject* Instance, PPropInfo PropInfo);
QVariant GetMethodProp(const TObject* Instance, const String& PropName);
void SetMethodProp(TObject* Instance, PPropInfo PropInfo, const QVariant& Handler);
void SetMethodProp(TObject* Instance, const String& PropName, const QVariant& Handler);
// Typed forms: T is the event type (TNotifyEvent, ...), named explicitly when reading.
template <class T> T GetMethodProp(const TObject* Instance, const String& PropName) {
    PPropInfo info = FindPublishedProp(Instance, PropName);
    if (info->Type() != QMetaType::fromType<T>()) mox::typinfo::RaiseInvalidPropType(info);
    return GetMethodProp(Instance, info).template value<T>();
}
template <class T> void SetMethodProp(TObject* Instance, const String& PropName, const T& Handler) {
    static_assert(mox::detail::IsStdFunction<T>::value,
                  "pass the event type: SetMethodProp(obj, name, TNotifyEvent(handler))");
    SetMethodProp(Instance, PropName, QVariant::fromValue(Handler));
}
// True when an event property holds a handler.
bool IsMethodAssigned(const TObject* Instance, PPropInfo PropInfo);

// A property reached along a dotted path ("Font.Size"): every name but the last is a class-typed
// property whose object is walked into.
struct TPropPath {
    TObject* Instance = nullptr;
    PPropInfo PropInfo = nullptr;
    explicit operator bool() const { return PropInfo != nullptr; }
};
// None when any step of the path is missing, not class-typed, or holds no object.
TPropPath FindPropPath(TObject* Root, const String& Path);
// As above, raising EPropertyError "Unknown property: '%s'" with the whole path.
TPropPath GetPropPath(TObject* Root, const String& Path);
