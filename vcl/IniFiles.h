#pragma once
// The settings stores over INI files: TCustomIniFile, TIniFile, TMemIniFile.
#include "vcl/inifiles/CustomIniFile.h"
#include "vcl/inifiles/IniFile.h"
#include "vcl/inifiles/IniValueText.h"
#include "vcl/inifiles/MemIniFile.h"
