#pragma once
// TThread: a thread object in the platform's manner, run on a QThread. Execute runs on the new thread;
// OnTerminate and the hand-overs (Synchronize, Queue) run on the user-interface thread.
#include <QMutex>
#include <atomic>
#include <exception>
#include <functional>

#include "vcl/classes/Errors.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/SyncObjects.h"
#include "vcl/classes/Synchronize.h"

namespace ThreadTypes {
Q_NAMESPACE
enum TThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};
Q_ENUM_NS(TThreadPriority)
} // namespace ThreadTypes
using namespace ThreadTypes;

class QThread;

// A thread created running starts after its construction, as on the platform: a C++ base class is
// made before the classes derived from it, so the new thread waits with Execute until the creating
// thread is back in its event loop or waits through the framework (WaitFor, an event, a semaphore,
// CheckSynchronize), or until Start, Resume, WaitFor or the destruction is called on it. A creating
// thread that does none of these (a busy loop without events) calls Resume to let it go.
//
// Free it with Free(): a running thread is told to terminate and waited for while the whole object,
// derived members included, still exists. Plain delete waits in this class's destructor, after the
// derived members are gone; a derived class that owns what Execute uses then terminates and waits for
// the thread in its own destructor.
class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended);
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    ~TThread() override;

    // Terminates a running (or never started) thread and waits for it; on the user-interface thread
    // the wait runs hand-overs meanwhile. Raises EThread when called on the user-interface thread
    // inside a hand-over of this very thread, which waits for that hand-over and so could never end.
    void BeforeDestruction() override;

    // Starts a thread created suspended; EThread "Cannot call Start on a running or suspended thread"
    // when it has already been started.
    void Start();
    // Starts a thread created suspended, lets a thread created running begin at once; a thread already
    // running or finished is left as it is.
    void Resume();
    // Suspending a running thread at an arbitrary point is not supported on this system (it could stop
    // the thread while it holds a lock): a thread not yet started stays suspended, any other raises
    // EThread.
    void Suspend();
    bool Suspended() const;
    // false starts a suspended thread; true on a started one raises EThread like Suspend.
    void SetSuspended(bool Value);

    // Asks Execute to end: sets Terminated, which Execute checks.
    void Terminate();
    bool Terminated() const { return terminated_.load(); }

    // Waits until the thread has ended (running hand-overs meanwhile on the user-interface thread) and
    // returns ReturnValue. EThread when called on the thread itself, for a FreeOnTerminate thread, for
    // a thread never started, or inside a hand-over of this thread (see BeforeDestruction).
    int WaitFor();

    // Set it before the thread ends: it then frees itself after OnTerminate, on its own thread.
    bool FreeOnTerminate() const;
    void SetFreeOnTerminate(bool Value);
    TThreadPriority Priority() const { return priority_.load(); }
    void SetPriority(TThreadPriority Value);

    int ReturnValue() const { return returnValue_.load(); }
    // Known from the start of the thread on; 0 before a suspended thread is started.
    TThreadID ThreadID() const;
    // True once Execute and OnTerminate are over.
    bool Finished() const { return finished_.load(); }
    // What escaped Execute (kept, never passed on), null when it ended normally.
    std::exception_ptr FatalException() const;

    // Called on the user-interface thread after Execute has ended; an error it raises is shown through
    // the application's exception display.
    TNotifyEvent OnTerminate;

    // Runs Method on the user-interface thread and waits for it; an error it raises is raised again
    // here. On the user-interface thread itself it runs Method at once. Any thread may call it.
    static void Synchronize(TThread* AThread, std::function<void()> Method);
    // Hands Method to the user-interface thread without waiting (at once on that thread itself).
    static void Queue(TThread* AThread, std::function<void()> Method);
    // Drops the methods queued for AThread that have not run yet.
    static void RemoveQueuedEvents(TThread* AThread);

protected:
    virtual void Execute() = 0;
    // Raises OnTerminate through Synchronize; runs on the thread after Execute.
    virtual void DoTerminate();
    // Called by Terminate, on the calling thread, so that a thread blocked in a wait can be woken.
    virtual void TerminatedSet() {}
    void SetReturnValue(int Value) { returnValue_.store(Value); }
    void Synchronize(std::function<void()> Method) { Synchronize(this, std::move(Method)); }
    void Queue(std::function<void()> Method) { Queue(this, std::move(Method)); }

private:
    class Worker;
    friend class Worker;
    void Run();
    void StartWorker();
    // Terminates, starts if suspended and waits for the end; false when that would dead-lock.
    bool StopAndWait();
    // True on the main thread while it runs a waited-for hand-over of the given thread.
    static bool ServingHandOverOf(TThreadID Thread);
    // Lets Execute begin on a thread created running.
    void GoAhead();
    // Lets every thread made running by that creating thread begin.
    static void ReleaseCreatedThreads(TThreadID Creator);
    friend bool WaitServingHandOvers(QMutex&, QWaitCondition&, QDeadlineTimer, const std::function<bool()>&);
    // A QThread whose TThread freed itself on it is deleted here once it has ended.
    static void RetireWorker(QThread* Thread);
    static void DeleteRetiredWorkers();
    friend bool CheckSynchronize(int Timeout);

    Worker* worker_;
    TEvent finishedEvent_{true, false};
    mutable QMutex stateLock_;
    mutable QWaitCondition stateChanged_;
    TThreadID threadId_ = 0;
    bool started_ = false;
    bool goAhead_ = true;
    bool freeOnTerminate_ = false;
    bool destroying_ = false;
    bool stopped_ = false;
    std::exception_ptr fatalException_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> returnValue_{0};
    std::atomic<TThreadPriority> priority_{tpNormal};
};
