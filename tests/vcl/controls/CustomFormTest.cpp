// The form: showing, closing with close query and close actions, modal loops, borders and position.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "ControlTestSupport.h"

namespace {

TEST(CustomForm, ShowAndHideRaiseTheirEventsAndCaptionIsTheWindowTitle) {
    TForm form(nullptr);
    QStringList log;
    form.OnCreate = [&](TObject*) { log << "create"; };
    form.OnShow = [&](TObject*) { log << "show"; };
    form.OnHide = [&](TObject*) { log << "hide"; };
    form.SetCaption("Orders");
    mox::test::ShowActive(&form);
    EXPECT_TRUE(form.Handle()->isVisible());
    EXPECT_TRUE(form.Handle()->isWindow());
    EXPECT_EQ(form.Handle()->windowTitle(), "Orders");
    form.Hide();
    EXPECT_FALSE(form.Handle()->isVisible());
    form.Show();
    EXPECT_EQ(log, (QStringList{"create", "show", "hide", "show"})) << "OnCreate runs once";

    form.OnHide = [&](TObject*) { form.SetVisible(true); };
    mox::test::ShownErrors shown;
    EXPECT_THROW(form.Hide(), EInvalidOperation);
}

TEST(CustomForm, CloseRunsTheCloseQueryAndThenTheCloseAction) {
    struct Case {
        bool canClose;
        TCloseAction action;
        bool visible;
        bool freed;
    };
    const Case cases[] = {
        {false, caHide, true, false}, {true, caNone, true, false}, {true, caHide, false, false},
        {true, caMinimize, true, false}, {true, caFree, true, true},
    };
    for (const Case& c : cases) {
        QPointer<TForm> form = new TForm(nullptr);
        QStringList log;
        form->OnCloseQuery = [&](TObject*, bool& canClose) {
            log << "query";
            canClose = c.canClose;
        };
        form->OnClose = [&](TObject*, TCloseAction& action) {
            log << "close";
            EXPECT_EQ(action, caHide) << "a form's default close action hides it";
            action = c.action;
        };
        form->Show();
        form->Close();
        EXPECT_EQ(log, c.canClose ? QStringList({"query", "close"}) : QStringList({"query"}));
        ASSERT_TRUE(form);
        EXPECT_EQ(form->Visible(), c.visible) << int(c.action);
        if (c.action == caMinimize) {
            EXPECT_EQ(form->WindowState(), wsMinimized);
        }
        QApplication::processEvents();
        EXPECT_EQ(form.isNull(), c.freed) << int(c.action);
        delete form.data();
    }
}

TEST(CustomForm, TheWindowsCloseButtonGoesThroughClose) {
    TForm form(nullptr);
    bool refuse = true;
    form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = !refuse; };
    form.Show();
    form.Handle()->close();
    EXPECT_TRUE(form.Visible());
    refuse = false;
    form.Handle()->close();
    EXPECT_FALSE(form.Visible());
}

TEST(CustomForm, ShowModalReturnsTheModalResultAndHidesTheForm) {
    TForm form(nullptr);
    QStringList log;
    form.OnShow = [&](TObject*) {
        log << "show";
        QTimer::singleShot(0, &form, [&] { form.SetModalResult(6); });
    };
    form.OnClose = [&](TObject*, TCloseAction&) { log << "close"; };
    EXPECT_EQ(form.ShowModal(), 6);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(log, (QStringList{"show", "close"}));

    // Close ends the loop with mrCancel; a refused close query keeps the form open.
    int queries = 0;
    form.OnShow = [&](TObject*) { QTimer::singleShot(0, &form, [&] { form.Close(); }); };
    form.OnCloseQuery = [&](TObject*, bool& canClose) {
        if (++queries == 1) {
            canClose = false;
            QTimer::singleShot(0, &form, [&] { form.SetModalResult(1); });
        }
    };
    EXPECT_EQ(form.ShowModal(), 1);
    EXPECT_EQ(queries, 2);

    form.Show();
    EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

TEST(CustomForm, FixedBorderStylesKeepTheSizeTheProgramSets) {
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetBounds(0, 0, 250, 150);
    form.Show();
    EXPECT_EQ(form.Handle()->minimumSize(), QSize(250, 150));
    EXPECT_EQ(form.Handle()->maximumSize(), QSize(250, 150));
    form.SetBounds(0, 0, 260, 160);
    EXPECT_EQ(form.Handle()->size(), QSize(260, 160));
    EXPECT_EQ(form.Handle()->maximumSize(), QSize(260, 160));
    form.SetBorderStyle(bsSizeable);
    EXPECT_EQ(form.Handle()->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    form.SetBorderStyle(bsNone);
    EXPECT_TRUE(form.Handle()->windowFlags() & Qt::FramelessWindowHint);
}

TEST(CustomForm, ScreenCentredFormsAreCentredOnTheScreen) {
    TForm form(nullptr);
    form.SetPosition(poScreenCenter);
    form.SetBounds(0, 0, 200, 100);
    form.Show();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.Left(), area.x() + (area.width() - 200) / 2);
    EXPECT_EQ(form.Top(), area.y() + (area.height() - 100) / 2);
}

TEST(CustomForm, OnDestroyRunsOnceWhileTheControlsStillExist) {
    auto* form = new TForm(nullptr);
    auto* child = new TWinControl(form);
    child->SetName("child");
    child->SetParent(form);
    int destroys = 0;
    int children = -1;
    form->OnDestroy = [&](TObject*) {
        ++destroys;
        children = form->ControlCount();
    };
    form->Free();
    EXPECT_EQ(destroys, 1);
    EXPECT_EQ(children, 1);
}

} // namespace
