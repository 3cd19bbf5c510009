#pragma once
// Helpers for the tests of threads and their hand-overs: a thread that runs a function, a bounded
// wait that keeps the event loop going, and a watchdog that ends a hung test instead of letting it hang.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

#include "vcl/Classes.h"

namespace mox::test {

// A thread whose Execute is a function given before the start.
class FunctionThread : public TThread {
public:
    using Body = std::function<void(FunctionThread&)>;
    explicit FunctionThread(Body body) : TThread(true), body_(std::move(body)) {}

    using TThread::Queue;
    using TThread::SetReturnValue;
    using TThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    Body body_;
};

inline FunctionThread* StartThread(FunctionThread::Body body) {
    auto* thread = new FunctionThread(std::move(body));
    thread->Start();
    return thread;
}

// Runs the main thread's events until done() or the time is up; true when done.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs = 2000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

// Ends the process with a message when the scope is not left in time: a dead-lock fails the test.
class Watchdog {
public:
    explicit Watchdog(const char* what, int timeoutMs = 5000)
        : thread_([this, what, timeoutMs] {
              std::unique_lock lock(mutex_);
              if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return done_; })) {
                  std::fprintf(stderr, "Watchdog: %s did not finish within %d ms\n", what, timeoutMs);
                  std::fflush(stderr);
                  std::_Exit(3);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::thread thread_;
};

template <class E> QString MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("<nothing raised>");
}

} // namespace mox::test
