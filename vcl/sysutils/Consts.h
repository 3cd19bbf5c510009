#pragma once
// The messages of the run-time unit: the platform's texts, kept in one place.

namespace SysConsts {
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* SInvalidBoolean = "'%s' is not a valid boolean value";
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SArgumentMissing = "No argument for format '%s'";
} // namespace SysConsts

#include "vcl/System.h"

namespace SysConsts {
// The message with its one "%s" replaced by the argument.
inline String Fmt(const char* message, const String& arg) {
    return QString::fromLatin1(message).replace(QLatin1String("%s"), arg);
}
[[noreturn]] inline void RaiseConvertError(const char* message, const String& arg) {
    throw EConvertError(Fmt(message, arg));
}
} // namespace SysConsts
