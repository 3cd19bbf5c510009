#include <QThread>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

#include "TestSupport.h"
#include "lib/moxClasses.h"
#include "lib/moxExtCtrls.h"
#include "vcl/ThreadTestSupport.h"
#include "vcl/Controls.h"
#include "vcl/Messages.h"
#include "vcl/forms/CustomForm.h"

using namespace mox::test;
using Clock = std::chrono::steady_clock;

namespace {

// Times of the calls of one handler, written by the worker and read by the test.
class CallLog {
public:
    void Add() {
        std::lock_guard lock(mutex_);
        times_.push_back(Clock::now());
    }
    int Count() const {
        std::lock_guard lock(mutex_);
        return int(times_.size());
    }
    int CountAfter(Clock::time_point t) const {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (auto time : times_)
            if (time > t) ++n;
        return n;
    }

private:
    mutable std::mutex mutex_;
    std::vector<Clock::time_point> times_;
};

// Captures what the application's exception display is given, and restores the default display.
class DisplayCapture {
public:
    DisplayCapture() {
        SetApplicationExceptionDisplay([this](TObject*, std::exception_ptr e) {
            std::lock_guard lock(mutex_);
            messages_ << ExceptionMessage(e);
            onMainThread_.push_back(IsMainThread());
            if (thread_) reportedDuringDisplay_.push_back(bool(thread_->ReportedException()));
            if (failWith_) throw EInvalidOp(*failWith_);
        });
    }
    ~DisplayCapture() { SetApplicationExceptionDisplay({}); }
    QStringList Messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<bool> OnMainThread() const {
        std::lock_guard lock(mutex_);
        return onMainThread_;
    }
    std::vector<bool> ReportedDuringDisplay() const {
        std::lock_guard lock(mutex_);
        return reportedDuringDisplay_;
    }
    void Watch(TExceptionHandlingThread* thread) { thread_ = thread; }
    void FailWith(const QString& message) { failWith_ = message; }

private:
    mutable std::mutex mutex_;
    QStringList messages_;
    std::vector<bool> onMainThread_;
    std::vector<bool> reportedDuringDisplay_;
    TExceptionHandlingThread* thread_ = nullptr;
    std::optional<QString> failWith_;
};

QString CurrentMessage() {
    return ExceptionMessage(std::current_exception());
}

} // namespace

TEST(WaitingThread, TimesOutAtItsRateAndANewTimeoutAppliesAtTheWake) {
    Watchdog watchdog("the waiting thread's rate", 10000);
    CallLog timeouts, wakes;
    auto* thread = new TCustomWaitingThread(true, 100);
    thread->OnTimeout = [&](TObject*) { timeouts.Add(); };
    thread->OnSignal = [&](TObject*) { wakes.Add(); };
    thread->Start();
    QThread::msleep(1050);
    const int inASecond = timeouts.Count();
    // Ten a second; a busy machine may lose a few, but no wait is ever shorter than the timeout.
    EXPECT_GE(inASecond, 5);
    EXPECT_LE(inASecond, 10);
    EXPECT_EQ(wakes.Count(), 0);

    thread->SetTimeout(1000);
    thread->Wake(false);
    ASSERT_TRUE(SpinUntil([&] { return wakes.Count() == 1; }));
    const auto woken = Clock::now();
    QThread::msleep(600);
    EXPECT_EQ(timeouts.CountAfter(woken), 0) << "the long timeout applies from the wake on";
    thread->Free();
    EXPECT_EQ(wakes.Count(), 2) << "the terminating wake runs DoSignal once more";
}

TEST(WaitingThread, AnInfiniteTimeoutWaitsOnlyForTheWake) {
    Watchdog watchdog("an infinite wait");
    CallLog timeouts, wakes;
    auto* thread = new TCustomWaitingThread(true, INFINITE);
    thread->OnTimeout = [&](TObject*) { timeouts.Add(); };
    thread->OnSignal = [&](TObject*) { wakes.Add(); };
    thread->Wake(false); // starts the suspended thread and wakes it
    ASSERT_TRUE(SpinUntil([&] { return wakes.Count() == 1; }));
    QThread::msleep(150);
    EXPECT_EQ(timeouts.Count(), 0);
    thread->Free();
}

// Free and plain delete both return only once the worker is out of its handler.
class WaitingThreadEnd : public ::testing::TestWithParam<bool> {};

TEST_P(WaitingThreadEnd, DestroyingReturnsOnlyAfterTheWorkerHasEnded) {
    Watchdog watchdog("destroying a waiting thread");
    std::atomic<bool> entered{false}, left{false};
    std::atomic<int> calls{0};
    auto* thread = new TCustomWaitingThread(false, INFINITE);
    thread->OnSignal = [&](TObject*) {
        if (calls++ > 0) return;
        entered = true;
        QThread::msleep(150);
        left = true;
    };
    thread->Wake(false);
    ASSERT_TRUE(SpinUntil([&] { return entered.load(); }));
    if (GetParam())
        thread->Free();
    else
        delete thread;
    EXPECT_TRUE(left.load());
}

INSTANTIATE_TEST_SUITE_P(FreeOrDelete, WaitingThreadEnd, ::testing::Bool());

TEST(WaitingThread, AFailingHandlerGoesToOnExceptionAndTheLoopGoesOn) {
    Watchdog watchdog("a failing waiting thread");
    std::mutex mutex;
    QStringList errors;
    std::atomic<bool> onWorker{true};
    auto* thread = new TCustomWaitingThread(true, 10);
    thread->OnTimeout = [](TObject*) { throw EConvertError("late"); };
    thread->OnException = [&](TObject* sender) {
        std::lock_guard lock(mutex);
        errors << CurrentMessage();
        if (IsMainThread() || sender != thread) onWorker = false;
    };
    thread->Start();
    ASSERT_TRUE(SpinUntil([&] {
        std::lock_guard lock(mutex);
        return errors.size() >= 3;
    }));
    thread->Free();
    EXPECT_EQ(errors.first(), "late");
    EXPECT_TRUE(onWorker.load());
}

TEST(CustomThread, AnErrorOfTheWorkReachesOnExceptionAndTheThreadEndsNormally) {
    Watchdog watchdog("a failing custom thread");
    QString seen;
    std::atomic<bool> onWorker{false};
    auto* thread = new TCustomThread(true);
    thread->OnExecute = [](TObject*) { throw EConvertError("bad work"); };
    thread->OnException = [&](TObject*) {
        seen = CurrentMessage();
        onWorker = !IsMainThread();
    };
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(seen, "bad work");
    EXPECT_TRUE(onWorker.load());
    EXPECT_FALSE(thread->FatalException());
    thread->Free();
}

struct ThreadReportCase {
    const char* name;
    std::function<void()> work;
    QStringList shown;
};
void PrintTo(const ThreadReportCase& c, std::ostream* os) {
    *os << c.name;
}

class ExceptionHandlingThreadReport : public ::testing::TestWithParam<ThreadReportCase> {};

TEST_P(ExceptionHandlingThreadReport, ShowsErrorsOnTheUserInterfaceThreadAndKeepsAbortSilent) {
    Watchdog watchdog("an exception-reporting thread");
    DisplayCapture display;
    bool onExceptionCalled = false;
    auto* thread = new TExceptionHandlingThread(true);
    display.Watch(thread);
    thread->OnExecute = [&](TObject*) { GetParam().work(); };
    thread->OnException = [&](TObject*) { onExceptionCalled = true; };
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(display.Messages(), GetParam().shown);
    for (bool main : display.OnMainThread())
        EXPECT_TRUE(main);
    for (bool reported : display.ReportedDuringDisplay())
        EXPECT_TRUE(reported) << "the error is kept while its report runs";
    EXPECT_FALSE(thread->ReportedException());
    EXPECT_FALSE(onExceptionCalled);
    EXPECT_FALSE(thread->FatalException());
    thread->Free();
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ExceptionHandlingThreadReport,
    ::testing::Values(ThreadReportCase{"Abort", [] { Abort(); }, {}},
                      ThreadReportCase{"DerivedAbort", [] { throw EAbort("quiet"); }, {}},
                      ThreadReportCase{"Exception",
                                       [] { throw EConvertError("'x' is not a number"); },
                                       {"'x' is not a number"}},
                      ThreadReportCase{"ForeignError", [] { throw std::runtime_error("plain"); }, {"plain"}},
                      ThreadReportCase{"NoError", [] {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExceptionHandlingThread, AFailingReportStillClearsTheErrorAndTheThreadEnds) {
    Watchdog watchdog("a failing report");
    DisplayCapture display;
    display.FailWith("display broke");
    auto* thread = new TExceptionHandlingThread(true);
    thread->OnExecute = [](TObject*) { throw EConvertError("first"); };
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(display.Messages(), QStringList{"first"});
    EXPECT_FALSE(thread->ReportedException());
    // What escaped the report is kept by the thread, never raised into the process.
    EXPECT_EQ(ExceptionMessage(thread->FatalException()), "display broke");
    thread->Free();
}

namespace {

// A control that notes the cancel-mode message.
class CancelModeProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int cancelled = 0;

protected:
    void CMCancelMode(TMessage& Message) override {
        ++cancelled;
        TCustomControl::CMCancelMode(Message);
    }
};

} // namespace

TEST(ExceptionHandlingThread, AReportFirstCancelsTheMouseCapture) {
    Watchdog watchdog("a report with a mouse capture");
    DisplayCapture display;
    TForm form(nullptr);
    auto* probe = new CancelModeProbe(&form);
    probe->SetParent(&form);
    form.Show();
    probe->SetMouseCapture(true);
    ASSERT_EQ(TControl::CaptureControl(), probe);
    auto* thread = new TExceptionHandlingThread(true);
    thread->OnExecute = [](TObject*) { throw EConvertError("while dragging"); };
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(probe->cancelled, 1);
    EXPECT_EQ(display.Messages(), QStringList{"while dragging"});
    thread->Free();
    probe->SetMouseCapture(false);
}
