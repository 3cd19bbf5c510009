#include <gtest/gtest.h>

#include "EventLoopSupport.h"
#include "TestSupport.h"
#include "vcl/ActnList.h"
#include "vcl/Forms.h"

namespace {
class ApplicationEventsTest : public ::testing::Test {
protected:
    TComponent form{nullptr};
    TApplicationEvents* first = new TApplicationEvents(&form);
    TApplicationEvents* second = new TApplicationEvents(&form);
    QStringList log;
    void TearDown() override { Application->SetHint(QString()); }
};
} // namespace

TEST_F(ApplicationEventsTest, EveryComponentHearsTheHintTheLastMadeFirst) {
    first->OnHint = [&](TObject* sender) {
        EXPECT_EQ(sender, Application);
        log << "first " + Application->Hint();
    };
    second->OnHint = [&](TObject*) { log << "second " + Application->Hint(); };
    Application->SetHint("Tools");
    first->Activate();
    Application->SetHint("Controls");
    EXPECT_EQ(log, (QStringList{"second Tools", "first Tools", "first Controls", "second Controls"}));
}

TEST_F(ApplicationEventsTest, CancelDispatchKeepsTheEventFromTheOthers) {
    second->OnHint = [&](TObject*) {
        log << "second";
        second->CancelDispatch();
    };
    first->OnHint = [&](TObject*) { log << "first"; };
    Application->SetHint("a");
    second->OnHint = [&](TObject*) { log << "second"; };
    Application->SetHint("b");
    EXPECT_EQ(log, (QStringList{"second", "second", "first"}));
}

TEST_F(ApplicationEventsTest, AHandledExceptionIsNotShownAndAGoneComponentHearsNothing) {
    QStringList shown;
    TScopedModalAnswerer answer([&](const TModalQuestion& q) {
        shown << q.Text;
        return mrOk;
    });
    first->OnException = [&](TObject*, const Exception& e) { log << e.Message(); };
    try {
        throw Exception("handled");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    delete first;
    try {
        throw Exception("shown");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(log, QStringList{"handled"});
    EXPECT_EQ(shown, QStringList{"shown."});
}

TEST_F(ApplicationEventsTest, ActionsAndIdleReachTheComponents) {
    TActionList list(nullptr);
    auto* action = new TAction(&list);
    action->SetActionList(&list);
    action->OnExecute = [&](TObject*) { log << "own"; };
    second->OnActionExecute = [&](TBasicAction* a, bool& handled) {
        EXPECT_EQ(a, action);
        log << "events";
        handled = true;
    };
    EXPECT_TRUE(action->Execute());
    int idles = 0;
    first->OnIdle = [&](TObject*, bool&) { ++idles; };
    mox::test::RunEventLoop(20);
    first->OnIdle = nullptr;
    EXPECT_EQ(log, QStringList{"events"});
    EXPECT_GT(idles, 0);
}
