#include "lib/moxExtCtrls.h"

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

void TExceptionHandlingThread::CancelMouseCapture() {}

void TExceptionHandlingThread::Report() {
    CancelMouseCapture();
    ApplicationShowException(this, exception_);
}
