#pragma once
// The library's messages, kept in one place.
#include "vcl/System.h"

namespace moxConsts {
inline const String SCannotCreateIniFile = QStringLiteral("Cannot create ini-file");
} // namespace moxConsts
using namespace moxConsts;
