#pragma once
// The messages of the registry classes, kept in one place.
#include "vcl/System.h"

namespace RegistryConsts {
inline const String SRegGetDataFailed = QStringLiteral("Failed to get data for '%1'");
inline const String SRegSetDataFailed = QStringLiteral("Failed to set data for '%1'");
inline const String SInvalidRegType = QStringLiteral("Invalid data type for '%1'");
inline const String SRegHiveUnavailable = QStringLiteral("Registry hive %1 is not available on this system");
inline const String SRegKeyUnavailable =
    QStringLiteral("Registry key %1 is not available on this system: only keys below Software are kept");
} // namespace RegistryConsts
using namespace RegistryConsts;
