#pragma once
// The synchronisation objects of the platform: events, a semaphore and the critical section.
// Waits on the user-interface thread run the threads' hand-overs meanwhile (see Synchronize.h).
#include <QMutex>
#include <QRecursiveMutex>
#include <QWaitCondition>

#include "vcl/System.h"

namespace SyncObjTypes {
Q_NAMESPACE
enum TWaitResult {
    wrSignaled,
    wrTimeout,
    wrAbandoned,
    wrError,
    wrIOCompletion
};
Q_ENUM_NS(TWaitResult)
} // namespace SyncObjTypes
using namespace SyncObjTypes;

// The time-out that waits without a limit.
inline constexpr Cardinal INFINITE = 0xFFFFFFFFu;

MOX_DECLARE_EXCEPTION(ESyncObjectException, Exception);

// An object that can be taken and given back.
class TSynchroObject : public TObject {
public:
    virtual void Acquire() = 0;
    virtual void Release() = 0;
};

// Takes the object for the guard's lifetime.
class TSynchroGuard {
public:
    explicit TSynchroGuard(TSynchroObject& Object) : object_(Object) { object_.Acquire(); }
    ~TSynchroGuard() { object_.Release(); }
    TSynchroGuard(const TSynchroGuard&) = delete;
    TSynchroGuard& operator=(const TSynchroGuard&) = delete;

private:
    TSynchroObject& object_;
};

// A signal that threads wait for. A manual-reset event stays signalled until ResetEvent and lets
// every waiter through; an auto-reset event lets exactly one waiter through and resets itself.
// Waits here either get the signal or run out of time: wrAbandoned and wrError do not occur.
class TEvent : public TObject {
public:
    // The platform's plain constructor: manual reset, not signalled.
    TEvent() : TEvent(true, false) {}
    TEvent(bool ManualReset, bool InitialState);

    void SetEvent();
    void ResetEvent();
    // Timeout in milliseconds; INFINITE waits without a limit, 0 only looks.
    TWaitResult WaitFor(Cardinal Timeout = INFINITE);
    bool ManualReset() const { return manualReset_; }

private:
    QMutex lock_;
    QWaitCondition changed_;
    const bool manualReset_;
    bool signaled_;
};

// A manual-reset event, not signalled at first.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

// A counter of free slots: WaitFor takes one (waiting while there is none), Release gives back.
class TSemaphore : public TSynchroObject {
public:
    // ESyncObjectException unless 0 <= InitialCount <= MaximumCount and MaximumCount > 0.
    TSemaphore(int InitialCount, int MaximumCount);

    TWaitResult WaitFor(Cardinal Timeout = INFINITE);
    void Acquire() override { WaitFor(INFINITE); }
    void Release() override { Release(1); }
    // Gives back Count slots and returns the count before; ESyncObjectException when that would pass
    // the maximum (nothing is given back then).
    int Release(int Count);

private:
    QMutex lock_;
    QWaitCondition changed_;
    int count_;
    const int maximum_;
};

// A lock that the thread holding it may take again; each Enter needs its Leave. Waiting to enter
// runs no hand-overs: the user-interface thread must not wait for a section that a worker holds while
// it hands over to the user-interface thread.
class TCriticalSection : public TSynchroObject {
public:
    void Acquire() override { lock_.lock(); }
    void Release() override { lock_.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter() { return lock_.tryLock(); }

private:
    QRecursiveMutex lock_;
};
