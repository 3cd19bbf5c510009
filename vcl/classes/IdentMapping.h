#pragma once
// Names for integer values of one type (colour names for TColor, cursor names for TCursor), so that
// form resources write "clBtnFace" rather than a number. The unit that declares the type registers
// its two conversions once; the form reader and writer ask here by the property's type.
#include <QMetaType>
#include <functional>

#include "vcl/System.h"

using TIdentToInt = std::function<bool(const String& Ident, int& Int)>;
using TIntToIdent = std::function<bool(int Int, String& Ident)>;

// A type registered again keeps its first conversions.
void RegisterIntegerConsts(QMetaType IntegerType, TIdentToInt IdentToInt, TIntToIdent IntToIdent);
// The conversions of a type, or empty functions when it has none.
TIdentToInt FindIdentToInt(QMetaType IntegerType);
TIntToIdent FindIntToIdent(QMetaType IntegerType);
