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

// Form resources: the text syntax, the reader and the writer.
inline constexpr const char* SParseLine = "Line %1: %2";
inline constexpr const char* SParseExpected = "%1 expected but %2 found";
inline constexpr const char* SParseBadString = "Unterminated string";
inline constexpr const char* SParseBadCharCode = "Invalid character code %1";
inline constexpr const char* SParseBadNumber = "Invalid number %1";
inline constexpr const char* SParseBadBinary = "Invalid binary data";
inline constexpr const char* SParseTooDeep = "Values nested too deeply";
inline constexpr const char* SParseTrailing = "Text after the end of the object";
inline constexpr const char* SReadAt = "Error reading %1, line %2: %3";
inline constexpr const char* SReadPropertyAt = "Error reading %1, line %2, property %3: %4";
inline constexpr const char* SUnknownFormProperty = "Property %1 does not exist";
inline constexpr const char* SInvalidFormValue = "Invalid property value";
inline constexpr const char* SNotAComponentClass = "Class %1 is not a component class";
inline constexpr const char* SAncestorNotFound = "Ancestor for '%1' not found";
inline constexpr const char* SMethodNotFound = "Method '%1' not found or its parameters do not fit the event";
inline constexpr const char* SUnresolvedReference = "Component '%1' not found";
inline constexpr const char* SReadPastList = "Read past the end of the list";
inline constexpr const char* SFOpenError = "Cannot open file \"%1\". %2";
inline constexpr const char* SFCreateError = "Cannot create file \"%1\". %2";
inline constexpr const char* SWriteNoList = "List end written without a list begun";
inline constexpr const char* SWriteListOpen = "A list begun was not ended";
inline constexpr const char* SInvalidFloatValue = "A floating-point value that is not a number cannot be written";

// Threads and their hand-overs to the user-interface thread.
inline constexpr const char* SThreadCreateError = "Thread creation error: %1";
inline constexpr const char* SThreadStartError = "Cannot call Start on a running or suspended thread";
inline constexpr const char* SThreadSuspendError = "Suspending a running thread is not supported";
inline constexpr const char* SThreadWaitSelf = "A thread cannot wait for itself";
inline constexpr const char* SThreadWaitFreeOnTerminate =
    "Cannot wait for a thread that frees itself when it ends";
inline constexpr const char* SThreadWaitNotStarted = "Cannot wait for a thread that has not been started";
inline constexpr const char* SThreadWaitInHandOver =
    "Cannot wait for a thread while running its hand-over: the thread waits for it to return";
inline constexpr const char* SThreadDestroyInHandOver =
    "A thread was destroyed inside its own hand-over, which it waits for: it can never end";
inline constexpr const char* SCheckSynchronizeError =
    "CheckSynchronize called from thread $%1, which is NOT the main thread";
inline constexpr const char* SSemaphoreLimit = "The semaphore cannot be released beyond its maximum count";
inline constexpr const char* SSemaphoreCounts = "Invalid semaphore counts: initial %1, maximum %2";

// The message with its argument in place.
inline QString Fmt(const char* message, const QString& arg) {
    return QString::fromLatin1(message).arg(arg);
}
inline QString Fmt(const char* message, long long arg) {
    return QString::fromLatin1(message).arg(arg);
}
} // namespace ClassesConsts
