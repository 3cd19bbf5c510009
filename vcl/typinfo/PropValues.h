#pragma once
// Published properties read and written as Variant values, whatever their kind.
#include "vcl/typinfo/PropInfo.h"
#include "vcl/variants/Variant.h"

// A variant property's value: a Variant property's own, a QVariant property's converted at the Qt
// boundary (Variant::FromQVariant, Variant::ToQVariant).
Variant GetVariantProp(const TObject* Instance, PPropInfo PropInfo);
Variant GetVariantProp(const TObject* Instance, const String& PropName);
void SetVariantProp(TObject* Instance, PPropInfo PropInfo, const Variant& Value);
void SetVariantProp(TObject* Instance, const String& PropName, const Variant& Value);

// Any property's value as a Variant: integers and characters as their ordinal; a Boolean as a
// Boolean; enumerations and sets by name ("alClient", "akLeft,akTop") with PreferStrings, else as
// their ordinal; floating point as Single, Double, Currency or a date as the property keeps it;
// strings, 64-bit integers and variants as they are. Class and event properties raise
// EPropertyError "Invalid property type: %s".
Variant GetPropValue(const TObject* Instance, PPropInfo PropInfo, bool PreferStrings = true);
Variant GetPropValue(const TObject* Instance, const String& PropName, bool PreferStrings = true);
// The reverse: a string sets an enumeration or a set by name and a character by its one character
// (a text of another length raises EPropertyConvertError "Invalid property value"); other values
// convert by the variant rules (EVariantTypeCastError when they do not).
void SetPropValue(TObject* Instance, PPropInfo PropInfo, const Variant& Value);
void SetPropValue(TObject* Instance, const String& PropName, const Variant& Value);
