#include <gtest/gtest.h>

#include <QTest>
#include <QThread>
#include <stdexcept>
#include <thread>

#include "EventLoopSupport.h"
#include "TestSupport.h"
#include "vcl/Forms.h"
#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/Windows.h"

namespace {
// Records every message box the program shows and answers it with the first offered button.
class Boxes {
public:
    Boxes()
        : scope_([this](const TModalQuestion& q) {
              questions << q;
              onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
              for (TModalResult r : {mrOk, mrYes, mrAbort, mrRetry, mrCancel})
                  if ((r == mrOk && (q.Buttons & mbOK)) || (r == mrYes && (q.Buttons & mbYes)) ||
                      (r == mrAbort && (q.Buttons & mbAbort)) || (r == mrRetry && (q.Buttons & mbRetry)) ||
                      (r == mrCancel && (q.Buttons & mbCancel)))
                      return r;
              return mrNone;
          }) {}
    QStringList Texts() const {
        QStringList texts;
        for (const TModalQuestion& q : questions) texts << q.Text;
        return texts;
    }
    QList<TModalQuestion> questions;
    bool onMainThread = true;

private:
    TScopedModalAnswerer scope_;
};
} // namespace

TEST(Application, LivesWithTheQApplication) {
    ASSERT_NE(Application, nullptr);
    ASSERT_NE(Screen, nullptr);
    EXPECT_EQ(Application->Title(), "mox_vcl_tests");
    Application->SetTitle("Mox Library Demo");
    EXPECT_EQ(Application->Title(), "Mox Library Demo");
    Application->SetTitle(QString());
}

TEST(Application, AHintChangeRaisesOnHint) {
    QStringList hints;
    Application->OnHint = [&](TObject* sender) {
        EXPECT_EQ(sender, Application);
        hints << Application->Hint();
    };
    Application->SetHint("Tools");
    Application->SetHint("Tools");
    Application->SetHint(QString());
    Application->OnHint = nullptr;
    EXPECT_EQ(hints, (QStringList{"Tools", ""}));
}

TEST(Application, AnUnhandledErrorIsShownInAnErrorBoxUnderTheTitle) {
    Boxes boxes;
    Application->SetTitle("Demo");
    const std::pair<const char*, const char*> cases[] = {
        {"Freight must be greater or equal to zero", "Freight must be greater or equal to zero."},
        {"Cannot create ini-file", "Cannot create ini-file."},
        {"Done.", "Done."},
        {"Really?", "Really?"},
        {"Stop!", "Stop!"},
        {"", ""},
    };
    for (const auto& [message, shown] : cases) {
        try {
            throw EConvertError(QString::fromLatin1(message));
        } catch (...) {
            Application->HandleException(nullptr);
        }
        (void)shown;
    }
    QStringList expected;
    for (const auto& c : cases) expected << QString::fromLatin1(c.second);
    EXPECT_EQ(boxes.Texts(), expected);
    ASSERT_FALSE(boxes.questions.isEmpty());
    EXPECT_EQ(boxes.questions[0].Caption, "Demo");
    EXPECT_EQ(boxes.questions[0].DlgType, mtError);
    EXPECT_EQ(boxes.questions[0].Buttons, TMsgDlgButtons(mbOK));
    Application->SetTitle(QString());
}

TEST(Application, AbortIsSilentAndOtherErrorsReachOnException) {
    Boxes boxes;
    QStringList seen;
    TObject sender;
    Application->OnException = [&](TObject* s, const Exception& e) {
        EXPECT_EQ(s, &sender);
        seen << e.Message();
    };
    for (int i = 0; i < 3; ++i) {
        try {
            if (i == 0) Abort();
            if (i == 1) throw std::runtime_error("plain error");
            throw EInOutError("disk full");
        } catch (...) {
            Application->HandleException(&sender);
        }
    }
    Application->OnException = nullptr;
    EXPECT_EQ(seen, (QStringList{"plain error", "disk full"}));
    EXPECT_TRUE(boxes.questions.isEmpty());
}

TEST(Application, AnErrorInsideOnExceptionDoesNotEscape) {
    Application->OnException = [](TObject*, const Exception&) { throw std::logic_error("handler broke"); };
    EXPECT_NO_THROW({
        try {
            throw Exception("first");
        } catch (...) {
            Application->HandleException(nullptr);
        }
    });
    Application->OnException = nullptr;
}

TEST(Application, IsTheFrameworksExceptionDisplayAlsoForWorkerThreads) {
    Boxes boxes;
    try {
        throw Exception("on the main thread");
    } catch (...) {
        ApplicationHandleException(nullptr);
    }
    std::thread worker([] {
        try {
            throw Exception("in a worker");
        } catch (...) {
            ApplicationHandleException(nullptr);
        }
    });
    worker.join();
    EXPECT_EQ(boxes.Texts(), QStringList{"on the main thread."});
    QTest::qWait(10);
    EXPECT_EQ(boxes.Texts(), (QStringList{"on the main thread.", "in a worker."}));
    EXPECT_TRUE(boxes.onMainThread);
}

TEST(Application, MessageBoxStylesOfferTheirButtons) {
    struct Case {
        int flags;
        TMsgDlgButtons buttons;
        TMsgDlgType type;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, mbOK, mtCustom, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, mbOKCancel, mtConfirmation, IDOK},
        {MB_ABORTRETRYIGNORE | MB_ICONWARNING, mbAbortRetryIgnore, mtWarning, IDABORT},
        {MB_YESNOCANCEL | MB_ICONINFORMATION, mbYesNoCancel, mtInformation, IDYES},
        {MB_YESNO | MB_ICONSTOP, mbYes | mbNo, mtError, IDYES},
        {MB_RETRYCANCEL, mbRetry | mbCancel, mtCustom, IDRETRY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        Boxes boxes;
        EXPECT_EQ(Application->MessageBox("Go on?", "Question", c.flags), c.answer);
        ASSERT_EQ(boxes.questions.size(), 1);
        EXPECT_EQ(boxes.questions[0].Buttons, c.buttons);
        EXPECT_EQ(boxes.questions[0].DlgType, c.type);
        EXPECT_EQ(boxes.questions[0].Caption, "Question");
    }
}

TEST(Application, AnAnswerThatIsNoButtonOfTheBoxIsAnError) {
    TScopedModalAnswerer answer([](const TModalQuestion&) { return mrNo; });
    EXPECT_THROW(MessageDlg("Save?", mtConfirmation, mbOKCancel), Exception);
    EXPECT_EQ(MessageDlg("Save?", mtConfirmation, mbYesNoCancel), mrNo);
}

TEST(Application, MessageDlgTakesTheCaptionOfItsType) {
    Boxes boxes;
    Application->SetTitle("Demo");
    for (TMsgDlgType type : {mtWarning, mtError, mtInformation, mtConfirmation, mtCustom}) MessageDlg("x", type, mbOK);
    ShowMessage("hello");
    Application->SetTitle(QString());
    QStringList captions;
    for (const TModalQuestion& q : boxes.questions) captions << q.Caption;
    EXPECT_EQ(captions, (QStringList{"Warning", "Error", "Information", "Confirm", "Demo", "Demo"}));
    EXPECT_EQ(boxes.questions.last().Text, "hello");
}

TEST(Application, AnswerersNestAndRestore) {
    TModalResult outer = mrNone;
    {
        TScopedModalAnswerer first([](const TModalQuestion&) { return mrYes; });
        {
            TScopedModalAnswerer second([](const TModalQuestion&) { return mrNo; });
            EXPECT_EQ(MessageDlg("?", mtConfirmation, mbYes | mbNo), mrNo);
        }
        outer = MessageDlg("?", mtConfirmation, mbYes | mbNo);
    }
    EXPECT_EQ(outer, mrYes);
    TModalResult none = mrNone;
    TModalAnswerer installed = SetModalAnswerer({});
    EXPECT_FALSE(AskModalAnswerer(TModalQuestion(), none));
    SetModalAnswerer(installed);
    EXPECT_TRUE(AskModalAnswerer(TModalQuestion(), none));
}

TEST(Application, BeepsAreCounted) {
    const int before = MessageBeepCount();
    MessageBeep(0);
    std::thread([] { MessageBeep(MB_BEEP_DEFAULT); }).join();
    EXPECT_EQ(MessageBeepCount(), before + 2);
    QTest::qWait(1); // the worker's sound is made here
}

TEST(Application, HelpGoesToOnHelp) {
    EXPECT_FALSE(Application->HelpContext(12));
    Word command = 0;
    NativeInt data = 0;
    Application->OnHelp = [&](Word c, NativeInt d, bool& callHelp) {
        command = c;
        data = d;
        callHelp = false;
        return true;
    };
    EXPECT_TRUE(Application->HelpContext(12));
    Application->OnHelp = nullptr;
    EXPECT_EQ(command, HELP_CONTEXT);
    EXPECT_EQ(data, 12);
}

TEST(Application, OnIdleRunsWhenTheLoopHasNothingToDo) {
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        ++idles;
        done = true;
    };
    mox::test::RunEventLoop(20);
    Application->OnIdle = nullptr;
    EXPECT_GT(idles, 0);
}

TEST(Application, RunWithoutAMainFormReturnsAtOnce) {
    EXPECT_EQ(Application->MainForm(), nullptr);
    Application->Run();
    EXPECT_FALSE(Application->Terminated());
}
