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
