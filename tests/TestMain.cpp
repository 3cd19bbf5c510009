#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "TestSupport.h"
#include "vcl/forms/MessageBoxes.h"

namespace {
// No one sits at the screen during a test run: a message box or modal form that no test answers
// would wait forever. It is told on standard error and closed as the escape key closes it.
TModalResult AnswerUnexpectedQuestion(const TModalQuestion& Question) {
    std::fprintf(stderr, "unanswered %s: %s: %s\n", Question.Form ? "modal form" : "message box",
                 Question.Caption.toLocal8Bit().constData(), Question.Text.toLocal8Bit().constData());
    if (Question.Form || (Question.Buttons & mbCancel)) return mrCancel;
    for (auto [button, result] : {std::pair{mbOK, mrOk}, {mbNo, mrNo}, {mbIgnore, mrIgnore}, {mbAbort, mrAbort},
                                  {mbYes, mrYes}, {mbRetry, mrRetry}})
        if (!Question.Buttons || (Question.Buttons & button)) return result;
    return mrOk;
}
} // namespace

int main(int argc, char** argv) {
    // A child process started by a test does its job and leaves before any test runs.
    if (int rc = 0; mox::test::RunChildRole(argc, argv, rc)) return rc;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    SetModalAnswerer(AnswerUnexpectedQuestion);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
