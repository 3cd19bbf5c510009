#include "vcl/classes/SyncObjects.h"

#include <QMutexLocker>

#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Synchronize.h"

namespace {
QDeadlineTimer DeadlineOf(Cardinal timeout) {
    return timeout == INFINITE ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(qint64(timeout));
}
} // namespace

TEvent::TEvent(bool ManualReset, bool InitialState) : manualReset_(ManualReset), signaled_(InitialState) {}

void TEvent::SetEvent() {
    QMutexLocker lock(&lock_);
    signaled_ = true;
    // Every waiter looks: an auto-reset event still lets only the first one through.
    changed_.wakeAll();
}

void TEvent::ResetEvent() {
    QMutexLocker lock(&lock_);
    signaled_ = false;
}

TWaitResult TEvent::WaitFor(Cardinal Timeout) {
    const bool got = WaitServingHandOvers(lock_, changed_, DeadlineOf(Timeout), [this] {
        if (!signaled_) return false;
        if (!manualReset_) signaled_ = false;
        return true;
    });
    return got ? wrSignaled : wrTimeout;
}

TSemaphore::TSemaphore(int InitialCount, int MaximumCount) : count_(InitialCount), maximum_(MaximumCount) {
    if (MaximumCount <= 0 || InitialCount < 0 || InitialCount > MaximumCount)
        throw ESyncObjectException(
            QString::fromLatin1(ClassesConsts::SSemaphoreCounts).arg(InitialCount).arg(MaximumCount));
}

TWaitResult TSemaphore::WaitFor(Cardinal Timeout) {
    const bool got = WaitServingHandOvers(lock_, changed_, DeadlineOf(Timeout), [this] {
        if (count_ == 0) return false;
        --count_;
        return true;
    });
    return got ? wrSignaled : wrTimeout;
}

int TSemaphore::Release(int Count) {
    QMutexLocker lock(&lock_);
    if (Count <= 0 || Count > maximum_ - count_)
        throw ESyncObjectException(QString::fromLatin1(ClassesConsts::SSemaphoreLimit));
    const int previous = count_;
    count_ += Count;
    changed_.wakeAll();
    return previous;
}
