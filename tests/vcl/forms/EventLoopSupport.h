#pragma once
#include <QEventLoop>
#include <QTimer>

namespace mox::test {

// Runs a real event loop for a while: the loop blocks when it runs out of events, which is when
// the application does its idle work (QTest::qWait never blocks).
inline void RunEventLoop(int Milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace mox::test
