#include "vcl/classes/Synchronize.h"

#include <QCoreApplication>
#include <QList>
#include <QMutexLocker>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <deque>
#include <vector>

#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/classes/Thread.h"

namespace {

const TThreadID loadThreadId = CurrentThreadID();
QThread* const loadThread = QThread::currentThread();

struct HandOver {
    std::function<void()> method;
    TThreadID caller = 0;
    const TThread* owner = nullptr;
    bool queued = false;
    quint64 serial = 0;
    std::exception_ptr error;
    bool done = false;
};

// A main-thread wait in progress: hand-overs that arrive wake it through its own condition.
struct MainWaiter {
    QMutex* lock;
    QWaitCondition* condition;
    MainWaiter* outer;
};

struct HandOvers {
    QMutex lock;
    QWaitCondition done;    // a waited-for hand-over has run
    QWaitCondition arrived; // a hand-over was added
    std::deque<HandOver*> pending;
    quint64 nextSerial = 1;
    std::atomic<int> pendingCount{0};
    std::atomic<bool> posted{false};

    QMutex waiterLock;
    MainWaiter* waiter = nullptr;

    // The callers of the waited-for hand-overs that the main thread is running, innermost last.
    std::vector<TThreadID> serving;

    QMutex retiredLock;
    QList<QThread*> retired;
};

// Never destroyed: a worker may still hand over while the program's statics go.
HandOvers& State() {
    static HandOvers* state = new HandOvers;
    return *state;
}

void PostCheckSynchronize() {
    HandOvers& s = State();
    if (s.posted.exchange(true)) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        s.posted = false;
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [] {
            State().posted = false;
            CheckSynchronize();
        },
        Qt::QueuedConnection);
}

void Enqueue(HandOver* h) {
    HandOvers& s = State();
    {
        QMutexLocker lock(&s.lock);
        h->serial = s.nextSerial++;
        s.pending.push_back(h);
        s.pendingCount = int(s.pending.size());
        s.arrived.wakeAll();
    }
    {
        // Under the waiter's own lock, so that a wait that has just found nothing pending cannot miss it.
        QMutexLocker lock(&s.waiterLock);
        if (MainWaiter* w = s.waiter) {
            QMutexLocker waitLock(w->lock);
            w->condition->wakeAll();
        }
    }
    PostCheckSynchronize();
}

class MainWaitRegistration {
public:
    MainWaitRegistration(QMutex& lock, QWaitCondition& condition) : me_{&lock, &condition, nullptr} {
        HandOvers& s = State();
        QMutexLocker guard(&s.waiterLock);
        me_.outer = s.waiter;
        s.waiter = &me_;
    }
    ~MainWaitRegistration() {
        HandOvers& s = State();
        QMutexLocker guard(&s.waiterLock);
        s.waiter = me_.outer;
    }
    MainWaitRegistration(const MainWaitRegistration&) = delete;
    MainWaitRegistration& operator=(const MainWaitRegistration&) = delete;

private:
    MainWaiter me_;
};

} // namespace

TThreadID CurrentThreadID() {
    return reinterpret_cast<TThreadID>(QThread::currentThreadId());
}

TThreadID MainThreadID() {
    return loadThreadId;
}

bool IsMainThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return QThread::currentThread() == (app ? app->thread() : loadThread);
}

bool CheckSynchronize(int Timeout) {
    if (!IsMainThread())
        throw EThread(ClassesConsts::Fmt(ClassesConsts::SCheckSynchronizeError,
                                         QString::number(CurrentThreadID(), 16).toUpper()));
    TThread::ReleaseCreatedThreads(CurrentThreadID());
    TThread::DeleteRetiredWorkers();
    HandOvers& s = State();
    quint64 last = 0;
    {
        QMutexLocker lock(&s.lock);
        if (s.pending.empty() && Timeout > 0) s.arrived.wait(&s.lock, QDeadlineTimer(Timeout));
        if (s.pending.empty()) return false;
        // Only what is there now: a method that hands over again does not keep this call busy.
        last = s.pending.back()->serial;
    }
    bool ran = false;
    for (;;) {
        HandOver* h = nullptr;
        {
            QMutexLocker lock(&s.lock);
            if (s.pending.empty() || s.pending.front()->serial > last) break;
            h = s.pending.front();
            s.pending.pop_front();
            s.pendingCount = int(s.pending.size());
        }
        ran = true;
        std::exception_ptr error;
        if (!h->queued) s.serving.push_back(h->caller);
        try {
            h->method();
        } catch (...) {
            error = std::current_exception();
        }
        if (h->queued) {
            delete h;
            if (error) ApplicationShowException(nullptr, error);
        } else {
            s.serving.pop_back();
            QMutexLocker lock(&s.lock);
            h->error = error;
            h->done = true;
            s.done.wakeAll();
        }
    }
    return ran;
}

bool WaitServingHandOvers(QMutex& Lock, QWaitCondition& Condition, QDeadlineTimer Deadline,
                          const std::function<bool()>& Ready) {
    // The threads this one created running may begin: it has finished making them.
    TThread::ReleaseCreatedThreads(CurrentThreadID());
    if (!IsMainThread()) {
        QMutexLocker lock(&Lock);
        while (!Ready()) {
            if (Deadline.hasExpired()) return false;
            Condition.wait(&Lock, Deadline);
        }
        return true;
    }
    HandOvers& s = State();
    MainWaitRegistration registration(Lock, Condition);
    QMutexLocker lock(&Lock);
    for (;;) {
        if (Ready()) return true;
        if (s.pendingCount.load() > 0) {
            lock.unlock();
            CheckSynchronize();
            lock.relock();
            continue;
        }
        if (Deadline.hasExpired()) return false;
        Condition.wait(&Lock, Deadline);
    }
}

void TThread::Synchronize(TThread* AThread, std::function<void()> Method) {
    if (!Method) return;
    if (IsMainThread()) {
        Method();
        return;
    }
    HandOver h;
    h.method = std::move(Method);
    h.caller = CurrentThreadID();
    h.owner = AThread;
    Enqueue(&h);
    HandOvers& s = State();
    {
        QMutexLocker lock(&s.lock);
        while (!h.done)
            s.done.wait(&s.lock);
    }
    if (h.error) std::rethrow_exception(h.error);
}

void TThread::Queue(TThread* AThread, std::function<void()> Method) {
    if (!Method) return;
    if (IsMainThread()) {
        Method();
        return;
    }
    auto* h = new HandOver;
    h->method = std::move(Method);
    h->caller = CurrentThreadID();
    h->owner = AThread;
    h->queued = true;
    Enqueue(h);
}

void TThread::RemoveQueuedEvents(TThread* AThread) {
    HandOvers& s = State();
    std::vector<HandOver*> dropped;
    {
        QMutexLocker lock(&s.lock);
        for (auto it = s.pending.begin(); it != s.pending.end();) {
            if ((*it)->queued && (*it)->owner == AThread) {
                dropped.push_back(*it);
                it = s.pending.erase(it);
            } else {
                ++it;
            }
        }
        s.pendingCount = int(s.pending.size());
    }
    // The methods' captures are destroyed outside the lock: they may hand over themselves.
    for (HandOver* h : dropped)
        delete h;
}

bool TThread::ServingHandOverOf(TThreadID Thread) {
    if (Thread == 0 || !IsMainThread()) return false;
    const std::vector<TThreadID>& serving = State().serving;
    return std::find(serving.begin(), serving.end(), Thread) != serving.end();
}

void TThread::RetireWorker(QThread* Thread) {
    HandOvers& s = State();
    {
        QMutexLocker lock(&s.retiredLock);
        s.retired.append(Thread);
    }
    PostCheckSynchronize();
}

void TThread::DeleteRetiredWorkers() {
    HandOvers& s = State();
    QList<QThread*> ended;
    {
        QMutexLocker lock(&s.retiredLock);
        for (qsizetype i = s.retired.size() - 1; i >= 0; --i) {
            if (s.retired.at(i)->isFinished()) ended.append(s.retired.takeAt(i));
        }
    }
    for (QThread* t : ended) {
        t->wait();
        delete t;
    }
}
