#include "lib/moxExtCtrls.h"

#include "vcl/Controls.h"
#include "vcl/Messages.h"

namespace {
bool IsAbort(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return true;
    } catch (...) {
        return false;
    }
}
} // namespace

void TExceptionHandlingThread::HandleException() {
    exception_ = std::current_exception();
    // The reference is cleared however the report ends.
    struct Clear {
        std::exception_ptr& error;
        ~Clear() { error = nullptr; }
    } clear{exception_};
    if (!exception_ || IsAbort(exception_)) return;
    Synchronize([this] { Report(); });
}

void TExceptionHandlingThread::CancelMouseCapture() {
    // A dragging or pressed control must not keep the mouse while a message box is up.
    if (TControl* capture = TControl::CaptureControl()) capture->Perform(CM_CANCELMODE, 0, 0);
}

void TExceptionHandlingThread::Report() {
    CancelMouseCapture();
    ApplicationShowException(this, exception_);
}
