#pragma once
// Run-time type information of published properties, built on Qt's meta-object system: property
// kinds, descriptions and lists, enumeration and set names, and reading and writing by name.
#include "vcl/typinfo/EnumNames.h"
#include "vcl/typinfo/PropAccess.h"
#include "vcl/typinfo/PropInfo.h"
#include "vcl/typinfo/PropValues.h"
