#include "vcl/classes/ExceptionDisplay.h"

#include <QMutex>
#include <QMutexLocker>
#include <cstdio>

namespace {
QMutex displayLock;
TExceptionDisplay& Display() {
    static TExceptionDisplay display;
    return display;
}
} // namespace

String ExceptionMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown exception");
    }
}

void ApplicationShowException(TObject* Sender, std::exception_ptr error) {
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return;
    } catch (...) {
    }
    TExceptionDisplay display;
    {
        QMutexLocker lock(&displayLock);
        display = Display();
    }
    if (display) display(Sender, error);
    else std::fprintf(stderr, "%s\n", ExceptionMessage(error).toLocal8Bit().constData());
}

void ApplicationHandleException(TObject* Sender) { ApplicationShowException(Sender, std::current_exception()); }

void SetApplicationExceptionDisplay(TExceptionDisplay display) {
    QMutexLocker lock(&displayLock);
    Display() = std::move(display);
}
