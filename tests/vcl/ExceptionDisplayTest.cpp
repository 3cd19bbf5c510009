#include <gtest/gtest.h>

#include "vcl/Classes.h"

TEST(ExceptionDisplay, ShowsTheHandledErrorAndKeepsAbortSilent) {
    QStringList shown;
    SetApplicationExceptionDisplay([&](TObject*, std::exception_ptr e) { shown << ExceptionMessage(e); });
    try {
        throw EConvertError("bad number");
    } catch (...) {
        ApplicationHandleException(nullptr);
    }
    try {
        Abort();
    } catch (...) {
        ApplicationHandleException(nullptr);
    }
    try {
        throw std::runtime_error("plain");
    } catch (...) {
        ApplicationHandleException(nullptr);
    }
    SetApplicationExceptionDisplay({});
    EXPECT_EQ(shown, (QStringList{"bad number", "plain"}));
}
