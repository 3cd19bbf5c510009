#pragma once
// The messages of the run-time type information; %1 and %2 stand where the platform's text has %s.
#include <QString>

namespace TypInfoConsts {
inline constexpr const char* SUnknownProperty = "Unknown property: '%1'";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SInvalidPropertyElement = "Invalid property element: %1";
inline constexpr const char* SInvalidPropertyType = "Invalid property type: %1";
inline constexpr const char* SReadOnlyProperty = "Property is read-only";
inline constexpr const char* SRangeError = "Range check error";
// Faults in a class's own declarations rather than in the values given to it.
inline constexpr const char* SInvalidPropertyDefault = "Invalid default value '%1' of property '%2'";
inline constexpr const char* SStoredMethodNotFound = "Stored condition '%1' of property '%2' not found";
} // namespace TypInfoConsts
