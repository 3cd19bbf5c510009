#pragma once
// The thread that reports its errors on the user-interface thread.
#include <exception>

#include "lib/moxClasses.h"

// A thread whose errors are shown on the user-interface thread through the application's exception
// display, the worker waiting until the report is over; EAbort is silent. OnException is not called.
class TExceptionHandlingThread : public TCustomThread {
public:
    using TCustomThread::TCustomThread;

    // The error being reported; only set while a report runs.
    std::exception_ptr ReportedException() const { return exception_; }

protected:
    void HandleException() override;
    // The first step of a report, on the user-interface thread: a window that holds the mouse capture
    // is sent the cancel-mode message, so that a drag in progress does not outlive the message box.
    // Sends the cancel-mode message to the control that holds the mouse capture, if any.
    virtual void CancelMouseCapture();

private:
    void Report();

    std::exception_ptr exception_;
};
