#pragma once
// The messages of the INI-file and registry stores, kept in one place.
#include "vcl/System.h"

namespace IniFilesConsts {
inline const String SIniFileWriteError = QStringLiteral("Unable to write to %1");
inline const String SFCreateErrorEx = QStringLiteral("Cannot create file \"%1\". %2");
inline const String SFOpenErrorEx = QStringLiteral("Cannot open file \"%1\". %2");
inline const String SIniLineBreak = QStringLiteral("An INI file cannot hold a line break (in '%1')");
inline const String SIniInvalidKey = QStringLiteral("'%1' is not a valid INI file key");
} // namespace IniFilesConsts
using namespace IniFilesConsts;
