#pragma once
// The names of enumeration values and the platform's text form of sets ("[akLeft,akTop]").
// The value of an enumeration is its C++ value: an ordinal for a plain enumeration, 1 << ordinal
// for the members of a set. Names compare without regard to case.
#include <QFlags>
#include <QMetaEnum>
#include <type_traits>

#include "vcl/typinfo/PropInfo.h"

// The name of a value, or an empty text when the type has no value of that number.
String GetEnumName(const QMetaEnum& TypeInfo, Int64 Value);
// As above for an enumeration property; a Boolean property's names are False and True.
String GetEnumName(PPropInfo PropInfo, Int64 Value);
template <class E>
requires std::is_enum_v<E> String GetEnumName(E Value) {
    return GetEnumName(QMetaEnum::fromType<E>(), Int64(Value));
}
inline String GetEnumName(bool Value) {
    return Value ? QStringLiteral("True") : QStringLiteral("False");
}

// The value of a name, or -1 when the type has no value of that name.
int GetEnumValue(const QMetaEnum& TypeInfo, const String& Name);
int GetEnumValue(PPropInfo PropInfo, const String& Name);
template <class E>
requires std::is_enum_v<E>
int GetEnumValue(const String& Name) {
    return GetEnumValue(QMetaEnum::fromType<E>(), Name);
}

// The members of a set in ascending order, separated by commas without blanks, in brackets when
// asked. Bits that name no member are left out.
String SetToString(const QMetaEnum& TypeInfo, int Value, bool Brackets = false);
String SetToString(PPropInfo PropInfo, int Value, bool Brackets = false);
template <class E> String SetToString(QFlags<E> Value, bool Brackets = false) {
    return SetToString(QMetaEnum::fromType<QFlags<E>>(), Value.toInt(), Brackets);
}

// The set that a text names: members separated by commas or blanks, the whole optionally in
// brackets; "" and "[]" are the empty set. A name that is no member raises EPropertyConvertError
// "Invalid property element: %s"; a bracket that does not pair raises EPropertyConvertError
// "Invalid property value".
int StringToSet(const QMetaEnum& TypeInfo, const String& Value);
int StringToSet(PPropInfo PropInfo, const String& Value);
template <class E> QFlags<E> StringToSet(const String& Value) {
    return QFlags<E>::fromInt(StringToSet(QMetaEnum::fromType<QFlags<E>>(), Value));
}
