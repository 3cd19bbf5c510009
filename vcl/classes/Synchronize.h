#pragma once
// Hand-overs to the user-interface (main) thread: a worker hands a method over and waits for it, or
// queues it and goes on; the main thread runs them in CheckSynchronize, which is also posted to its
// event loop, so they run while it is idle in the loop or waits in a framework wait.
#include <QDeadlineTimer>
#include <QMutex>
#include <QWaitCondition>
#include <functional>

#include "vcl/System.h"

// A thread's identity as the operating system knows it; 0 stands for no thread.
using TThreadID = quintptr;

TThreadID CurrentThreadID();
// The thread that runs the application: the one that made QCoreApplication, or before there is one,
// the thread that loaded the framework.
TThreadID MainThreadID();
bool IsMainThread();

// Runs the hand-overs that are waiting (on the main thread only; EThread elsewhere). With Timeout
// above 0 it first waits up to that many milliseconds for one to arrive. True when one ran.
// An error raised by a waited-for hand-over goes back to the thread that waits for it; one raised by a
// queued hand-over is shown through the application's exception display.
bool CheckSynchronize(int Timeout = 0);

// Waits until Ready (called with Lock held) says yes or Deadline passes, woken through Condition,
// which whoever makes Ready true signals with Lock held. On the main thread the wait also runs the
// hand-overs that arrive meanwhile, so a worker that hands over to the main thread while the main
// thread waits for that worker cannot dead-lock. Lock must not be held by the caller.
// Returns Ready's last answer.
bool WaitServingHandOvers(QMutex& Lock, QWaitCondition& Condition, QDeadlineTimer Deadline,
                          const std::function<bool()>& Ready);
