#pragma once
// Helpers shared by the parts of the run-time type information; not for use outside it.
#include <QObject>
#include <optional>

#include "vcl/typinfo/PropInfo.h"

namespace mox::typinfo {
// The QObject side of an instance that can have published properties, else none.
const QObject* AsQObject(const TObject* Instance);
QObject* AsQObject(TObject* Instance);
[[noreturn]] void RaiseUnknownProperty(const String& Name);
// The description of an instance's property; raises when it has none or when its kind is not one
// of the kinds given.
PPropInfo RequireProp(const TObject* Instance, const String& PropName);
void RequireKind(PPropInfo PropInfo, TTypeKinds Kinds);
// The value of an enumeration or Boolean property's name, or none.
std::optional<int> FindEnumValue(PPropInfo PropInfo, const String& Name);
// The value a property holds now.
QVariant ReadValue(const TObject* Instance, PPropInfo PropInfo);
// Writes a value of the property's own type through its setter.
void WriteValue(TObject* Instance, PPropInfo PropInfo, const QVariant& Value);
} // namespace mox::typinfo
