#pragma once
// The few Win32 types and constants that the library uses, with their Linux meaning.
#include "vcl/System.h"
#include "vcl/Types.h"
#include "vcl/graphics/Gdi.h"
#include "vcl/windows/MessageBeep.h"

// A registry key handle; the predefined hives are the platform's fixed values.
using HKEY = LongWord;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006u;
