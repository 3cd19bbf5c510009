#include "vcl/windows/MessageBeep.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>
#include <atomic>

namespace {
std::atomic<int> beeps{0};
}

bool MessageBeep(Cardinal Type) {
    (void)Type; // one sound here for every kind of beep
    ++beeps;
    QCoreApplication* app = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(app)) return true;
    if (QThread::currentThread() == app->thread()) QApplication::beep();
    else QMetaObject::invokeMethod(app, [] { QApplication::beep(); }, Qt::QueuedConnection);
    return true;
}

int MessageBeepCount() { return beeps.load(); }
