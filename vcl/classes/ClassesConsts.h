#pragma once
// The messages of the component framework's core; %1 stands where the platform's text has %d or %s.
#include <QString>

namespace ClassesConsts {
inline constexpr const char* SListIndexError = "List index out of bounds (%1)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%1)";
inline constexpr const char* SListCountError = "List count out of bounds (%1)";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SInvalidProperty = "Invalid property value";
inline constexpr const char* SClassNotFound = "Class %1 not found";
inline constexpr const char* SDuplicateClass = "A class named %1 already exists";
inline constexpr const char* SCannotCreateClass = "Cannot create an instance of %1";
inline constexpr const char* SInvalidCast = "Invalid class typecast";

// The message with its argument in place.
inline QString Fmt(const char* message, const QString& arg) {
    return QString::fromLatin1(message).arg(arg);
}
inline QString Fmt(const char* message, long long arg) {
    return QString::fromLatin1(message).arg(arg);
}
} // namespace ClassesConsts
