#include <QElapsedTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "ThreadTestSupport.h"
#include "vcl/SyncObjs.h"

using namespace mox::test;

namespace {

// Runs Count threads of the same body and frees them when it goes.
class ThreadGroup {
public:
    ThreadGroup(int count, const FunctionThread::Body& body) {
        for (int i = 0; i < count; ++i)
            threads_.push_back(StartThread(body));
    }
    ~ThreadGroup() {
        for (FunctionThread* t : threads_)
            t->Free();
    }
    void WaitForAll() {
        for (FunctionThread* t : threads_)
            t->WaitFor();
    }

private:
    std::vector<FunctionThread*> threads_;
};

TEST(Event, AnAutoResetEventLetsExactlyOneWaiterThroughPerSignal) {
    Watchdog watchdog("auto-reset waiters");
    TEvent event(false, false);
    EXPECT_FALSE(event.ManualReset());
    std::atomic<int> waiting{0}, through{0};
    ThreadGroup group(3, [&](FunctionThread&) {
        ++waiting;
        if (event.WaitFor(3000) == wrSignaled) ++through;
    });
    ASSERT_TRUE(SpinUntil([&] { return waiting == 3; }));
    for (int signal = 1; signal <= 3; ++signal) {
        event.SetEvent();
        ASSERT_TRUE(SpinUntil([&] { return through == signal; }));
        QThread::msleep(30); // time for a wrongly woken second waiter to get through
        EXPECT_EQ(through.load(), signal);
    }
    group.WaitForAll();
    EXPECT_EQ(event.WaitFor(0), wrTimeout) << "the last waiter reset it";
}

TEST(Event, AManualResetEventStaysSignalledUntilReset) {
    Watchdog watchdog("manual-reset waiters");
    for (bool initial : {false, true}) {
        TEvent event(true, initial);
        EXPECT_EQ(event.WaitFor(0), initial ? wrSignaled : wrTimeout);
        event.SetEvent();
        EXPECT_EQ(event.WaitFor(0), wrSignaled);
        EXPECT_EQ(event.WaitFor(0), wrSignaled);
        event.ResetEvent();
        EXPECT_EQ(event.WaitFor(0), wrTimeout);
    }
    // One signal lets every waiter through.
    TSimpleEvent event;
    EXPECT_TRUE(event.ManualReset());
    std::atomic<int> through{0};
    ThreadGroup group(3, [&](FunctionThread&) {
        if (event.WaitFor(3000) == wrSignaled) ++through;
    });
    event.SetEvent();
    group.WaitForAll();
    EXPECT_EQ(through.load(), 3);
    TEvent plain;
    EXPECT_TRUE(plain.ManualReset());
    EXPECT_EQ(plain.WaitFor(0), wrTimeout);
}

TEST(Event, ATimedWaitRunsOutInAboutTheTimeAsked) {
    for (bool onMain : {true, false}) {
        SCOPED_TRACE(onMain ? "main thread" : "worker");
        TEvent event(false, false);
        qint64 elapsed = -1;
        TWaitResult result = wrError;
        auto measure = [&] {
            QElapsedTimer timer;
            timer.start();
            result = event.WaitFor(120);
            elapsed = timer.elapsed();
        };
        if (onMain) {
            measure();
        } else {
            auto* t = StartThread([&](FunctionThread&) { measure(); });
            t->WaitFor();
            t->Free();
        }
        EXPECT_EQ(result, wrTimeout);
        EXPECT_GE(elapsed, 115);
        EXPECT_LT(elapsed, 1000);
    }
}

TEST(Event, AWaitOnTheMainThreadServesAWorkersHandOver) {
    Watchdog watchdog("main-thread event wait");
    TEvent done(false, false);
    TSemaphore slot(0, 1);
    bool ranOnMain = false;
    auto* thread = StartThread([&](FunctionThread& self) {
        self.Synchronize([&] { ranOnMain = IsMainThread(); });
        done.SetEvent();
        self.Synchronize([] {});
        slot.Release();
    });
    EXPECT_EQ(done.WaitFor(3000), wrSignaled);
    EXPECT_TRUE(ranOnMain);
    EXPECT_EQ(slot.WaitFor(3000), wrSignaled) << "a semaphore wait serves hand-overs too";
    thread->WaitFor();
    thread->Free();
}

TEST(Semaphore, CountsItsSlotsWithinItsMaximum) {
    TSemaphore semaphore(1, 2);
    EXPECT_EQ(semaphore.WaitFor(0), wrSignaled);
    EXPECT_EQ(semaphore.WaitFor(0), wrTimeout);
    EXPECT_EQ(semaphore.Release(2), 0);
    EXPECT_EQ(MessageOf<ESyncObjectException>([&] { semaphore.Release(); }),
              "The semaphore cannot be released beyond its maximum count");
    EXPECT_EQ(semaphore.WaitFor(0), wrSignaled);
    EXPECT_EQ(semaphore.WaitFor(0), wrSignaled);
    EXPECT_EQ(semaphore.WaitFor(0), wrTimeout) << "the failed release gave nothing back";
    EXPECT_EQ(MessageOf<ESyncObjectException>([] { TSemaphore(2, 1); }),
              "Invalid semaphore counts: initial 2, maximum 1");
    EXPECT_EQ(MessageOf<ESyncObjectException>([] { TSemaphore(0, 0); }),
              "Invalid semaphore counts: initial 0, maximum 0");

    // A waiter gets the slot that another thread gives back.
    Watchdog watchdog("semaphore hand-over");
    TSemaphore gate(0, 1);
    auto* thread = StartThread([&](FunctionThread& self) { self.SetReturnValue(gate.WaitFor(3000)); });
    gate.Release();
    EXPECT_EQ(thread->WaitFor(), int(wrSignaled));
    thread->Free();
}

TEST(CriticalSection, ExcludesOtherThreadsAndLetsItsHolderEnterAgain) {
    Watchdog watchdog("critical section");
    TCriticalSection section;
    long long counter = 0; // guarded by section only
    constexpr int threads = 4, rounds = 20000;
    {
        ThreadGroup group(threads, [&](FunctionThread&) {
            for (int i = 0; i < rounds; ++i) {
                if (i % 2) {
                    TSynchroGuard guard(section);
                    counter = counter + 1;
                } else {
                    section.Enter();
                    section.Enter(); // recursive, as the platform's
                    counter = counter + 1;
                    section.Leave();
                    section.Leave();
                }
            }
        });
        group.WaitForAll();
    }
    EXPECT_EQ(counter, threads * rounds);

    // Held twice here, it is free for others only after both leaves.
    section.Acquire();
    EXPECT_TRUE(section.TryEnter());
    auto tryFromOther = [&] {
        bool got = false;
        auto* t = StartThread([&](FunctionThread&) {
            got = section.TryEnter();
            if (got) section.Leave();
        });
        t->WaitFor();
        t->Free();
        return got;
    };
    EXPECT_FALSE(tryFromOther());
    section.Leave();
    EXPECT_FALSE(tryFromOther());
    section.Release();
    EXPECT_TRUE(tryFromOther());
}

TEST(MainThread, IsKnownFromEveryThread) {
    EXPECT_TRUE(IsMainThread());
    EXPECT_EQ(MainThreadID(), CurrentThreadID());
    bool workerIsMain = true;
    TThreadID workerId = 0;
    auto* t = StartThread([&](FunctionThread&) {
        workerIsMain = IsMainThread();
        workerId = CurrentThreadID();
    });
    t->WaitFor();
    EXPECT_FALSE(workerIsMain);
    EXPECT_EQ(workerId, t->ThreadID());
    EXPECT_NE(workerId, MainThreadID());
    t->Free();
}

} // namespace
