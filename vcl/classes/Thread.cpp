#include "vcl/classes/Thread.h"

#include <QMutexLocker>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <utility>
#include <vector>

#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/ExceptionDisplay.h"

class TThread::Worker : public QThread {
public:
    explicit Worker(TThread* owner) : owner_(owner) {}

protected:
    // The owner may free itself in Run: nothing here touches it afterwards.
    void run() override { owner_->Run(); }

private:
    TThread* owner_;
};

namespace {
QThread::Priority ToQt(TThreadPriority priority) {
    switch (priority) {
    case tpIdle:
        return QThread::IdlePriority;
    case tpLowest:
        return QThread::LowestPriority;
    case tpLower:
        return QThread::LowPriority;
    case tpNormal:
        return QThread::NormalPriority;
    case tpHigher:
        return QThread::HighPriority;
    case tpHighest:
        return QThread::HighestPriority;
    case tpTimeCritical:
        return QThread::TimeCriticalPriority;
    }
    return QThread::NormalPriority;
}

// Threads created running that wait for the go-ahead, with the thread that created each.
struct WaitingStarts {
    QMutex lock;
    std::vector<std::pair<TThreadID, TThread*>> threads;
    std::atomic<int> count{0};
};
// Never destroyed: threads may still be made and freed while the program's statics go.
WaitingStarts& Waiting() {
    static WaitingStarts* waiting = new WaitingStarts;
    return *waiting;
}

void ForgetWaitingStart(TThread* thread) {
    WaitingStarts& w = Waiting();
    if (w.count.load() == 0) return;
    QMutexLocker lock(&w.lock);
    std::erase_if(w.threads, [thread](const auto& entry) { return entry.second == thread; });
    w.count = int(w.threads.size());
}
} // namespace

TThread::TThread(bool CreateSuspended) : worker_(new Worker(this)) {
    DeleteRetiredWorkers();
    if (CreateSuspended) return;
    started_ = true;
    goAhead_ = false;
    const TThreadID creator = CurrentThreadID();
    {
        WaitingStarts& w = Waiting();
        QMutexLocker lock(&w.lock);
        w.threads.emplace_back(creator, this);
        w.count = int(w.threads.size());
    }
    try {
        StartWorker();
    } catch (...) {
        ForgetWaitingStart(this);
        delete worker_;
        throw;
    }
    // Runs once the creating thread is back in its event loop, whatever became of this object.
    QTimer::singleShot(0, [creator] { ReleaseCreatedThreads(creator); });
}

void TThread::GoAhead() {
    ForgetWaitingStart(this);
    QMutexLocker lock(&stateLock_);
    goAhead_ = true;
    stateChanged_.wakeAll();
}

void TThread::ReleaseCreatedThreads(TThreadID Creator) {
    WaitingStarts& w = Waiting();
    if (w.count.load() == 0) return;
    // Under the list's lock, so that none of them can be destroyed meanwhile.
    QMutexLocker lock(&w.lock);
    std::erase_if(w.threads, [Creator](const auto& entry) {
        if (entry.first != Creator) return false;
        TThread* thread = entry.second;
        QMutexLocker stateLock(&thread->stateLock_);
        thread->goAhead_ = true;
        thread->stateChanged_.wakeAll();
        return true;
    });
    w.count = int(w.threads.size());
}

TThread::~TThread() {
    if (!StopAndWait()) qFatal("%s", ClassesConsts::SThreadDestroyInHandOver);
    bool ownThread = false;
    {
        QMutexLocker lock(&stateLock_);
        ownThread = threadId_ != 0 && threadId_ == CurrentThreadID();
    }
    // Its queued methods would find it gone; a thread that frees itself drops them here.
    RemoveQueuedEvents(this);
    // A thread that frees itself cannot delete the QThread it still runs on.
    if (ownThread)
        RetireWorker(worker_);
    else
        delete worker_;
}

void TThread::BeforeDestruction() {
    if (!StopAndWait()) throw EThread(QString::fromLatin1(ClassesConsts::SThreadWaitInHandOver));
}

void TThread::StartWorker() {
    worker_->start(ToQt(Priority()));
    // A start that failed leaves the QThread neither running nor finished.
    if (!worker_->isRunning() && !worker_->isFinished()) {
        {
            QMutexLocker lock(&stateLock_);
            started_ = false;
        }
        throw EThread(ClassesConsts::Fmt(ClassesConsts::SThreadCreateError,
                                         QStringLiteral("the system could not start a thread")));
    }
}

void TThread::Start() {
    {
        QMutexLocker lock(&stateLock_);
        if (started_) throw EThread(QString::fromLatin1(ClassesConsts::SThreadStartError));
        started_ = true;
    }
    StartWorker();
}

void TThread::Resume() {
    {
        QMutexLocker lock(&stateLock_);
        if (!started_) {
            started_ = true;
            lock.unlock();
            StartWorker();
            return;
        }
    }
    GoAhead();
}

void TThread::Suspend() {
    {
        QMutexLocker lock(&stateLock_);
        if (!started_) return;
    }
    throw EThread(QString::fromLatin1(ClassesConsts::SThreadSuspendError));
}

bool TThread::Suspended() const {
    QMutexLocker lock(&stateLock_);
    return !started_;
}

void TThread::SetSuspended(bool Value) {
    if (Value)
        Suspend();
    else
        Resume();
}

void TThread::Terminate() {
    terminated_ = true;
    TerminatedSet();
}

bool TThread::FreeOnTerminate() const {
    QMutexLocker lock(&stateLock_);
    return freeOnTerminate_;
}

void TThread::SetFreeOnTerminate(bool Value) {
    QMutexLocker lock(&stateLock_);
    freeOnTerminate_ = Value;
}

void TThread::SetPriority(TThreadPriority Value) {
    priority_ = Value;
    QMutexLocker lock(&stateLock_);
    // Before the start the priority is given to QThread::start.
    if (started_ && worker_->isRunning()) worker_->setPriority(ToQt(Value));
}

TThreadID TThread::ThreadID() const {
    QMutexLocker lock(&stateLock_);
    // A started thread tells its identity as its first act.
    while (started_ && threadId_ == 0)
        stateChanged_.wait(&stateLock_);
    return threadId_;
}

std::exception_ptr TThread::FatalException() const {
    QMutexLocker lock(&stateLock_);
    return fatalException_;
}

int TThread::WaitFor() {
    TThreadID id = 0;
    bool started = false;
    bool freeItself = false;
    {
        QMutexLocker lock(&stateLock_);
        id = threadId_;
        started = started_;
        freeItself = freeOnTerminate_;
    }
    const char* error = nullptr;
    if (id != 0 && id == CurrentThreadID())
        error = ClassesConsts::SThreadWaitSelf;
    else if (freeItself)
        error = ClassesConsts::SThreadWaitFreeOnTerminate;
    else if (!started)
        error = ClassesConsts::SThreadWaitNotStarted;
    else if (!Finished() && ServingHandOverOf(id))
        error = ClassesConsts::SThreadWaitInHandOver;
    if (error) throw EThread(QString::fromLatin1(error));
    GoAhead();
    finishedEvent_.WaitFor(INFINITE);
    worker_->wait();
    return ReturnValue();
}

bool TThread::StopAndWait() {
    bool wasStarted = false;
    {
        QMutexLocker lock(&stateLock_);
        if (stopped_) return true;
        if (threadId_ != 0 && threadId_ == CurrentThreadID()) {
            // Freeing itself after its end (or from inside Execute): there is nothing to wait for.
            stopped_ = true;
            return true;
        }
        if (started_ && !finished_ && ServingHandOverOf(threadId_)) return false;
        stopped_ = true;
        destroying_ = true;
        wasStarted = started_;
        started_ = true;
    }
    Terminate();
    GoAhead();
    // Like the platform, a thread never started is started terminated: Execute is skipped, but it ends
    // as any thread does, OnTerminate included.
    if (!wasStarted) {
        try {
            StartWorker();
        } catch (const EThread&) {
            return true;
        }
    }
    finishedEvent_.WaitFor(INFINITE);
    worker_->wait();
    RemoveQueuedEvents(this);
    return true;
}

void TThread::DoTerminate() {
    if (!OnTerminate) return;
    Synchronize([this] {
        try {
            if (OnTerminate) OnTerminate(this);
        } catch (...) {
            ApplicationHandleException(this);
        }
    });
}

void TThread::Run() {
    {
        QMutexLocker lock(&stateLock_);
        threadId_ = CurrentThreadID();
        stateChanged_.wakeAll();
        while (!goAhead_)
            stateChanged_.wait(&stateLock_);
    }
    if (!Terminated()) {
        try {
            Execute();
        } catch (...) {
            // Kept before OnTerminate, which may look at it.
            QMutexLocker lock(&stateLock_);
            fatalException_ = std::current_exception();
        }
    }
    try {
        DoTerminate();
    } catch (...) {
        QMutexLocker lock(&stateLock_);
        if (!fatalException_) fatalException_ = std::current_exception();
    }
    bool freeItself = false;
    {
        QMutexLocker lock(&stateLock_);
        // A thread that is being destroyed by someone else is not freed here as well.
        freeItself = freeOnTerminate_ && !destroying_;
        finished_ = true;
    }
    finishedEvent_.SetEvent();
    if (freeItself) Free();
}
