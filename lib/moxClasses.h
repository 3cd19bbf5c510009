#pragma once
// Collection items that stand for a component, the named collections, and the thread bases: a
// thread with a safe execution frame and a thread that waits for a signal or a timeout.
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

#include "lib/classes/NamedCollection.h"
#include "vcl/Classes.h"

// A collection item that stands for a component it does not own. The component is watched: once it
// is freed the item stands for none, so no item reads a component that has gone.
class TComponentItem : public TCollectionItem {
    Q_OBJECT
public:
    explicit TComponentItem(TCollection* Collection);

    TComponent* Component() const { return component_.data(); }
    void SetComponent(TComponent* Value) { component_ = Value; }

protected:
    // Back the Tag property that descendants publish: the component's Tag, 0 without a component;
    // setting it without a component does nothing.
    int GetTag() const;
    void SetTag(int Value);

private:
    QPointer<TComponent> component_;
};

// A thread whose work is DoExecute (OnExecute unless overridden). An error raised by the work goes to
// HandleException and goes no further: the thread ends normally.
class TCustomThread : public TThread {
public:
    explicit TCustomThread(bool CreateSuspended);

    // Both run on the worker thread with the thread as sender. OnException runs inside the handler of
    // the error, so std::current_exception() is the error (the platform's current exception object).
    TNotifyEvent OnExecute;
    TNotifyEvent OnException;

protected:
    void Execute() override;
    virtual void DoExecute();
    // Called on the worker thread inside the handler of an error of the work.
    virtual void HandleException();
    // Runs Step; an error it raises is handed to HandleException and swallowed.
    void Guarded(const std::function<void()>& Step);
};

// A thread that waits on its WakeEvent for at most Timeout milliseconds, again and again until it is
// told to terminate: when woken it runs DoSignal (OnSignal), when the time runs out DoTimeout
// (OnTimeout), each on the worker thread with errors going to HandleException. Termination is tested
// before each wait, so Wake(true) runs DoSignal once more before the thread ends.
class TCustomWaitingThread : public TCustomThread {
public:
    // Timeout INFINITE waits without a limit.
    TCustomWaitingThread(bool CreateSuspended, Cardinal Timeout);
    // Wakes the thread with termination and waits for the worker to end before the event goes.
    ~TCustomWaitingThread() override;

    // A new timeout applies from the next wait: set it, then Wake(false) to apply it at once.
    Cardinal Timeout() const { return timeout_.load(); }
    void SetTimeout(Cardinal Value) { timeout_.store(Value); }
    // An auto-reset event, not signalled at first, owned by the thread.
    TEvent* WakeEvent() const { return wakeEvent_.get(); }

    // Asks for termination when Terminate is set, starts the thread when it is suspended, then signals
    // WakeEvent. Any thread may call it.
    void Wake(bool Terminate);

    TNotifyEvent OnSignal;
    TNotifyEvent OnTimeout;

protected:
    void DoExecute() override;
    virtual void DoSignal();
    virtual void DoTimeout();
    // Terminate wakes a thread blocked in its wait, so that Free does not wait out the timeout.
    void TerminatedSet() override;

private:
    // Written by any thread and read by the worker before each wait.
    std::atomic<Cardinal> timeout_;
    std::unique_ptr<TEvent> wakeEvent_;
};
