#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

#include "ThreadTestSupport.h"
#include "vcl/Classes.h"

using namespace mox::test;

namespace {

// Made running; its constructor prepares what Execute returns, slowly, after the base is made.
class PreparedThread : public TThread {
public:
    PreparedThread() : TThread(false) {
        QThread::msleep(30);
        prepared_ = 7;
    }
    std::atomic<TThreadID> ranOn{0};

protected:
    void Execute() override {
        ranOn = CurrentThreadID();
        SetReturnValue(prepared_ * 6);
    }

private:
    int prepared_ = 0;
};

// Tells through a flag that it is gone.
class FlaggedThread : public FunctionThread {
public:
    FlaggedThread(Body body, std::atomic<bool>& gone) : FunctionThread(std::move(body)), gone_(gone) {}
    ~FlaggedThread() override { gone_ = true; }

private:
    std::atomic<bool>& gone_;
};

TEST(Thread, ExecuteRunsOnItsOwnThreadAndWaitForReturnsTheReturnValue) {
    Watchdog watchdog("WaitFor");
    // Created running: Execute begins only after the derived constructor has prepared it.
    auto* running = new PreparedThread;
    EXPECT_FALSE(running->Suspended());
    EXPECT_EQ(running->WaitFor(), 42);
    EXPECT_TRUE(running->Finished());
    EXPECT_EQ(running->ranOn.load(), running->ThreadID());
    EXPECT_NE(running->ThreadID(), CurrentThreadID());
    EXPECT_EQ(running->WaitFor(), 42) << "a finished thread answers again at once";
    running->Free();

    // Created suspended: nothing runs before Start.
    std::atomic<bool> ran{false};
    auto* suspended = new FunctionThread([&](FunctionThread& self) {
        ran = true;
        self.SetReturnValue(-5);
    });
    EXPECT_TRUE(suspended->Suspended());
    EXPECT_EQ(suspended->ThreadID(), TThreadID(0));
    QThread::msleep(20);
    EXPECT_FALSE(ran);
    suspended->Start();
    EXPECT_FALSE(suspended->Suspended());
    EXPECT_NE(suspended->ThreadID(), TThreadID(0));
    EXPECT_EQ(suspended->WaitFor(), -5);
    EXPECT_TRUE(ran);
    suspended->Free();
}

TEST(Thread, ACreatedRunningThreadBeginsOnceTheCreatorIsBackInItsEventLoop) {
    struct Flagging : TThread {
        std::atomic<bool> ran{false};
        Flagging() : TThread(false) {}
        void Execute() override { ran = true; }
    };
    auto* thread = new Flagging;
    EXPECT_TRUE(SpinUntil([&] { return thread->Finished(); }));
    EXPECT_TRUE(thread->ran);
    thread->Free();

    // A creator that only polls lets it go with Resume.
    auto* polled = new Flagging;
    polled->Resume();
    QDeadlineTimer deadline(2000);
    while (!polled->Finished() && !deadline.hasExpired())
        QThread::usleep(200);
    EXPECT_TRUE(polled->ran);
    polled->Free();
}

TEST(Thread, TerminateIsSeenByALoopInExecute) {
    Watchdog watchdog("terminating a loop");
    TEvent looping;
    std::atomic<int> rounds{0};
    auto* thread = StartThread([&](FunctionThread& self) {
        while (!self.Terminated()) {
            ++rounds;
            looping.SetEvent();
            QThread::usleep(100);
        }
        self.SetReturnValue(rounds);
    });
    ASSERT_EQ(looping.WaitFor(2000), wrSignaled);
    EXPECT_FALSE(thread->Terminated());
    thread->Terminate();
    EXPECT_TRUE(thread->Terminated());
    EXPECT_EQ(thread->WaitFor(), rounds.load());
    EXPECT_GT(rounds.load(), 0);
    thread->Free();
}

TEST(Thread, AnErrorEscapingExecuteIsKeptAsFatalExceptionAndTheProcessGoesOn) {
    struct Case {
        const char* name;
        std::function<void()> raise;
        QString message;
    };
    const Case cases[] = {
        {"framework error", [] { throw EConvertError("bad number"); }, "bad number"},
        {"standard error", [] { throw std::runtime_error("plain"); }, "plain"},
        {"anything else", [] { throw 17; }, "Unknown exception"},
    };
    Watchdog watchdog("failing threads");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* thread = new FunctionThread([&](FunctionThread& self) {
            self.SetReturnValue(3);
            c.raise();
        });
        QString seenByOnTerminate;
        thread->OnTerminate = [&](TObject* sender) {
            seenByOnTerminate = ExceptionMessage(static_cast<TThread*>(sender)->FatalException());
        };
        thread->Start();
        EXPECT_EQ(thread->WaitFor(), 3);
        ASSERT_TRUE(thread->FatalException());
        EXPECT_EQ(ExceptionMessage(thread->FatalException()), c.message);
        EXPECT_EQ(seenByOnTerminate, c.message) << "FatalException is there when OnTerminate runs";
        thread->Free();
    }
    // A thread that ends normally has none.
    auto* fine = StartThread([](FunctionThread&) {});
    fine->WaitFor();
    EXPECT_FALSE(fine->FatalException());
    fine->Free();
}

TEST(Thread, FreeOnTerminateFreesTheObjectAfterOnTerminateRanOnTheMainThread) {
    std::atomic<bool> gone{false};
    bool onTerminateOnMain = false;
    bool goneAtOnTerminate = true;
    auto* thread = new FlaggedThread([](FunctionThread&) {}, gone);
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject*) {
        onTerminateOnMain = IsMainThread();
        goneAtOnTerminate = gone;
    };
    EXPECT_EQ(MessageOf<EThread>([&] { thread->WaitFor(); }),
              "Cannot wait for a thread that frees itself when it ends");
    thread->Start();
    EXPECT_TRUE(SpinUntil([&] { return gone.load(); }));
    EXPECT_TRUE(onTerminateOnMain);
    EXPECT_FALSE(goneAtOnTerminate);

    // One that frees itself without OnTerminate needs no help from the main thread.
    std::atomic<bool> alsoGone{false};
    auto* quiet = new FlaggedThread([](FunctionThread&) {}, alsoGone);
    quiet->SetFreeOnTerminate(true);
    quiet->Start();
    QDeadlineTimer deadline(2000);
    while (!alsoGone && !deadline.hasExpired())
        QThread::usleep(200);
    EXPECT_TRUE(alsoGone);
}

TEST(Thread, SynchronizeRunsOnTheMainThreadWhileItWaitsForTheThread) {
    Watchdog watchdog("WaitFor with hand-overs");
    int total = 0; // touched on the main thread only
    bool allOnMain = true;
    auto* thread = StartThread([&](FunctionThread& self) {
        for (int i = 1; i <= 5; ++i) {
            self.Synchronize([&, i] {
                allOnMain = allOnMain && IsMainThread();
                total += i;
            });
        }
        self.SetReturnValue(total);
    });
    EXPECT_EQ(thread->WaitFor(), 15);
    EXPECT_TRUE(allOnMain);
    thread->Free();

    // From the main thread itself the method runs at once.
    bool direct = false;
    TThread::Synchronize(nullptr, [&] { direct = true; });
    EXPECT_TRUE(direct);
}

TEST(Thread, HandOversRunWhileTheMainThreadIsIdleInItsEventLoop) {
    QEventLoop loop;
    QStringList order;
    bool timedOut = false;
    QTimer::singleShot(2000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    auto* thread = StartThread([&](FunctionThread& self) {
        self.Queue([&] { order << "queued"; });
        self.Synchronize([&] { order << "synchronized"; });
        self.Queue([&] {
            order << QString("last on main: %1").arg(IsMainThread());
            loop.quit();
        });
    });
    loop.exec();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(order, (QStringList{"queued", "synchronized", "last on main: 1"}));
    thread->WaitFor();
    thread->Free();
}

TEST(Thread, CheckSynchronizeRunsWhatWaitsAndAThreadsQueuedMethodsCanBeDropped) {
    Watchdog watchdog("CheckSynchronize");
    EXPECT_FALSE(CheckSynchronize()) << "nothing waits";
    bool ran = false;
    auto* thread = StartThread([&](FunctionThread& self) { self.Synchronize([&] { ran = true; }); });
    EXPECT_TRUE(CheckSynchronize(2000)) << "waits for the hand-over to arrive";
    EXPECT_TRUE(ran);
    thread->WaitFor();
    thread->Free();

    bool dropped = true, kept = false;
    auto* queuing = StartThread([&](FunctionThread& self) {
        self.Queue([&] { dropped = false; });
        TThread::Queue(nullptr, [&] { kept = true; });
    });
    QDeadlineTimer deadline(2000);
    while (!queuing->Finished() && !deadline.hasExpired())
        QThread::usleep(200);
    TThread::RemoveQueuedEvents(queuing);
    queuing->Free();
    EXPECT_TRUE(SpinUntil([&] { return kept; }));
    EXPECT_TRUE(dropped);
}

TEST(Thread, AnErrorInAHandOverReachesTheThreadOrTheExceptionDisplay) {
    Watchdog watchdog("failing hand-overs");
    QStringList shown;
    SetApplicationExceptionDisplay([&](TObject*, std::exception_ptr e) { shown << ExceptionMessage(e); });
    QString caught;
    bool afterQueue = false;
    auto* thread = StartThread([&](FunctionThread& self) {
        try {
            self.Synchronize([] { throw EConvertError("refused on main"); });
        } catch (const EConvertError& e) {
            caught = e.Message();
        }
        // Nobody waits for a queued method: its error is shown instead.
        self.Queue([] { throw EConvertError("queued failure"); });
        self.Synchronize([&] { afterQueue = true; });
    });
    thread->WaitFor();
    thread->Free();
    SetApplicationExceptionDisplay({});
    EXPECT_EQ(caught, "refused on main");
    EXPECT_TRUE(afterQueue);
    EXPECT_EQ(shown, QStringList{"queued failure"});
}

TEST(Thread, DestroyingAThreadStopsItAndWaitsForIt) {
    Watchdog watchdog("destroying threads");
    // Running: Free terminates it and waits, serving its OnTerminate meanwhile.
    {
        TEvent running;
        std::atomic<bool> sawTerminated{false};
        bool onTerminate = false;
        auto* thread = new FunctionThread([&](FunctionThread& self) {
            running.SetEvent();
            while (!self.Terminated())
                QThread::usleep(100);
            sawTerminated = true;
        });
        thread->OnTerminate = [&](TObject*) { onTerminate = IsMainThread(); };
        thread->Start();
        ASSERT_EQ(running.WaitFor(2000), wrSignaled);
        thread->Free();
        EXPECT_TRUE(sawTerminated);
        EXPECT_TRUE(onTerminate);
    }
    // Never started: it is started terminated, so Execute is skipped but it ends as any thread does.
    for (bool freeOnTerminate : {false, true}) {
        SCOPED_TRACE(freeOnTerminate ? "FreeOnTerminate" : "owned");
        std::atomic<bool> executed{false};
        std::atomic<bool> gone{false};
        bool onTerminate = false;
        auto* thread = new FlaggedThread([&](FunctionThread&) { executed = true; }, gone);
        thread->SetFreeOnTerminate(freeOnTerminate);
        thread->OnTerminate = [&](TObject*) { onTerminate = true; };
        thread->Free();
        EXPECT_TRUE(gone);
        EXPECT_FALSE(executed);
        EXPECT_TRUE(onTerminate);
    }
    // Plain delete of a class that stops the thread in its own destructor, as its comment asks.
    {
        struct Counting : TThread {
            std::atomic<int> rounds{0};
            Counting() : TThread(false) {}
            ~Counting() override {
                Terminate();
                WaitFor();
            }
            void Execute() override {
                while (!Terminated()) {
                    ++rounds;
                    QThread::usleep(100);
                }
            }
        };
        auto* thread = new Counting;
        thread->Resume();
        QDeadlineTimer deadline(2000);
        while (thread->rounds == 0 && !deadline.hasExpired())
            QThread::usleep(100);
        EXPECT_GT(thread->rounds.load(), 0);
        delete thread;
    }
}

TEST(Thread, WaitsThatCouldNeverEndAreRefused) {
    Watchdog watchdog("refused waits");
    auto* notStarted = new FunctionThread([](FunctionThread&) {});
    EXPECT_EQ(MessageOf<EThread>([&] { notStarted->WaitFor(); }),
              "Cannot wait for a thread that has not been started");
    notStarted->Free();

    QString self, inHandOver, freeInHandOver;
    FunctionThread* thread = nullptr;
    thread = StartThread([&](FunctionThread& me) {
        self = MessageOf<EThread>([&] { me.WaitFor(); });
        // On the main thread, inside this thread's hand-over: waiting for the thread could never end.
        inHandOver = MessageOf<EThread>([&] { me.Synchronize([&] { thread->WaitFor(); }); });
        freeInHandOver = MessageOf<EThread>([&] { me.Synchronize([&] { thread->Free(); }); });
    });
    thread->WaitFor();
    EXPECT_EQ(self, "A thread cannot wait for itself");
    const QString deadLock =
        "Cannot wait for a thread while running its hand-over: the thread waits for it to return";
    EXPECT_EQ(inHandOver, deadLock);
    EXPECT_EQ(freeInHandOver, deadLock) << "and the object is still whole";
    thread->Free();

    QString fromWorker;
    auto* checker =
        StartThread([&](FunctionThread&) { fromWorker = MessageOf<EThread>([] { CheckSynchronize(); }); });
    checker->WaitFor();
    checker->Free();
    EXPECT_TRUE(fromWorker.startsWith("CheckSynchronize called from thread $")) << fromWorker.toStdString();
    EXPECT_TRUE(fromWorker.endsWith(", which is NOT the main thread"));
}

TEST(Thread, StartResumeAndSuspendFollowThePlatform) {
    Watchdog watchdog("start and suspend");
    TEvent release;
    auto* thread = new FunctionThread([&](FunctionThread&) { release.WaitFor(2000); });
    thread->Suspend(); // a thread not started stays suspended
    EXPECT_TRUE(thread->Suspended());
    thread->SetSuspended(false);
    EXPECT_FALSE(thread->Suspended());
    EXPECT_EQ(MessageOf<EThread>([&] { thread->Start(); }),
              "Cannot call Start on a running or suspended thread");
    thread->Resume(); // harmless on a running thread
    EXPECT_EQ(MessageOf<EThread>([&] { thread->Suspend(); }), "Suspending a running thread is not supported");
    EXPECT_EQ(MessageOf<EThread>([&] { thread->SetSuspended(true); }),
              "Suspending a running thread is not supported");
    release.SetEvent();
    thread->WaitFor();
    thread->Resume(); // and on a finished one
    thread->Free();
}

TEST(Thread, PriorityIsGivenToTheQThread) {
    struct Case {
        TThreadPriority priority;
        QThread::Priority qt;
    };
    const Case cases[] = {
        {tpIdle, QThread::IdlePriority},
        {tpLowest, QThread::LowestPriority},
        {tpLower, QThread::LowPriority},
        {tpNormal, QThread::NormalPriority},
        {tpHigher, QThread::HighPriority},
        {tpHighest, QThread::HighestPriority},
        {tpTimeCritical, QThread::TimeCriticalPriority},
    };
    Watchdog watchdog("priorities");
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.priority));
        // Set before the start, and changed while it runs.
        TEvent started, changed;
        QThread::Priority atStart = QThread::InheritPriority, afterChange = QThread::InheritPriority;
        auto* thread = new FunctionThread([&](FunctionThread&) {
            atStart = QThread::currentThread()->priority();
            started.SetEvent();
            changed.WaitFor(2000);
            afterChange = QThread::currentThread()->priority();
        });
        EXPECT_EQ(thread->Priority(), tpNormal);
        thread->SetPriority(c.priority);
        thread->Start();
        ASSERT_EQ(started.WaitFor(2000), wrSignaled);
        const TThreadPriority other = c.priority == tpNormal ? tpLower : tpNormal;
        thread->SetPriority(other);
        EXPECT_EQ(thread->Priority(), other);
        changed.SetEvent();
        thread->WaitFor();
        thread->Free();
        EXPECT_EQ(atStart, c.qt);
        EXPECT_EQ(afterChange, other == tpNormal ? QThread::NormalPriority : QThread::LowPriority);
    }
}

} // namespace
