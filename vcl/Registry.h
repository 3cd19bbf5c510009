#pragma once
// The registry and the settings stores over it: TRegistry, TRegIniFile, TRegistryIniFile.
#include "vcl/registry/RegIniFile.h"
#include "vcl/registry/Registry.h"
