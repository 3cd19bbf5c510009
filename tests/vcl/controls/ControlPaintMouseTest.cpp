// Painting through the canvas (also from a worker thread), the mouse, and exceptions of handlers.
#include <gtest/gtest.h>

#include <QImage>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <memory>

#include "ControlTestSupport.h"

namespace {

// Paints a red square at (2, 2, 12, 12) on its background and counts its paints.
class SquareControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(2, 2, 12, 12));
    }
};

class Label : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(0, 0, 4, 4));
    }
};

struct PaintFixture : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    SquareControl* square = nullptr;
    void SetUp() override {
        form->SetBounds(0, 0, 200, 120);
        square = new SquareControl(form.get());
        square->SetBounds(10, 10, 40, 30);
        square->SetColor(clLime);
        square->SetParent(form.get());
        mox::test::ShowActive(form.get());
    }
    QImage Shot(TControl* c) { return c->ControlWidget()->grab().toImage(); }
};

TEST_F(PaintFixture, PaintDrawsOnTheErasedBackgroundAndRunsAgainOnlyWhenInvalidated) {
    ASSERT_TRUE(mox::test::WaitUntil([&] { return square->paints > 0; }));
    QImage shot = Shot(square);
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::green)) << "the background takes Color";
    const int paints = square->paints;
    square->ControlWidget()->repaint();
    EXPECT_EQ(square->paints, paints) << "an exposure shows the image without painting again";
    square->SetColor(clYellow);
    ASSERT_TRUE(mox::test::WaitUntil([&] { return square->paints > paints; }));
    EXPECT_EQ(Shot(square).pixelColor(20, 20), QColor(Qt::yellow));
}

TEST_F(PaintFixture, AGraphicControlPaintsOverItsParentAndNeverTakesTheFocus) {
    auto* label = new Label(form.get());
    label->SetBounds(100, 10, 20, 20);
    label->SetParent(form.get());
    ASSERT_NE(label->ControlWidget(), nullptr);
    EXPECT_EQ(label->ControlWidget()->focusPolicy(), Qt::NoFocus);
    QApplication::processEvents();
    const QImage shot = form->Handle()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(101, 11), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(110, 20), ColorToQColor(clBtnFace)) << "the unpainted part shows the form";
}

TEST_F(PaintFixture, AWorkerThreadPaintsUnderTheCanvasLockAndTheWindowShowsIt) {
    ASSERT_TRUE(mox::test::WaitUntil([&] { return square->paints > 0; }));
    const int paints = square->paints;
    std::atomic<bool> done{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        TCanvas* canvas = square->Canvas();
        canvas->Lock();
        canvas->Brush()->SetColor(clNavy);
        canvas->FillRect(Rect(20, 15, 30, 25));
        canvas->Unlock();
        done = true;
    }));
    worker->start();
    ASSERT_TRUE(mox::test::WaitUntil([&] { return done.load(); }));
    worker->wait();
    ASSERT_TRUE(mox::test::WaitUntil([&] { return Shot(square).pixelColor(25, 20) == ColorToQColor(clNavy); }));
    EXPECT_EQ(square->paints, paints) << "showing the worker's drawing does not paint over it";
    EXPECT_EQ(Shot(square).pixelColor(5, 5), QColor(Qt::red));
}

TEST_F(PaintFixture, TheMouseRaisesDownUpClickAndDoubleClickWithPositionAndShift) {
    QStringList events;
    square->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        events << QString("down %1 %2,%3%4%5").arg(int(b)).arg(x).arg(y).arg(s & ssShift ? " shift" : "").arg(s & ssDouble ? " double" : "");
    };
    square->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        events << QString("up %1 %2,%3").arg(int(b)).arg(x).arg(y);
    };
    square->OnClick = [&](TObject*) { events << "click"; };
    square->OnDblClick = [&](TObject*) { events << "dblclick"; };
    QWidget* w = square->ControlWidget();
    QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_EQ(events, (QStringList{"down 0 5,6 shift", "click", "up 0 5,6"}));
    events.clear();
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_EQ(events, (QStringList{"down 1 7,8", "up 1 7,8"})) << "the right button does not click";
    events.clear();
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(events.contains("dblclick"));
    EXPECT_TRUE(events.contains("down 0 3,3 double"));
    events.clear();
    // Released outside: no click, and the capture ends.
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(square->MouseCapture());
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_FALSE(square->MouseCapture());
    EXPECT_FALSE(events.contains("click"));
}

TEST_F(PaintFixture, AnExceptionInAHandlerIsShownAndTheProgramGoesOn) {
    mox::test::ShownErrors shown;
    int clicks = 0;
    square->OnClick = [&](TObject*) {
        ++clicks;
        throw EConvertError("'x' is not a valid integer value");
    };
    QTest::mouseClick(square->ControlWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(square->ControlWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(shown.messages, (QStringList{"'x' is not a valid integer value", "'x' is not a valid integer value"}));

    class Throwing : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void Paint() override { throw Exception("paint failed"); }
    };
    auto* bad = new Throwing(form.get());
    bad->SetBounds(60, 60, 20, 20);
    bad->SetParent(form.get());
    ASSERT_TRUE(mox::test::WaitUntil([&] { return shown.messages.contains("paint failed"); }));
}

TEST_F(PaintFixture, TheWheelGoesToTheParentWhenTheControlLeavesItUnhandled) {
    int formTurns = 0, squareTurns = 0;
    bool handle = false;
    form->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        formTurns += delta;
        handled = true;
    };
    square->OnMouseWheel = [&](TObject*, TShiftState s, int delta, TPoint, bool& handled) {
        if (s & ssCtrl) squareTurns += delta;
        handled = handle;
    };
    QWidget* w = square->ControlWidget();
    QWheelEvent turn(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &turn);
    EXPECT_EQ(squareTurns, -120);
    EXPECT_EQ(formTurns, -120);
    handle = true;
    QWheelEvent again(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &again);
    EXPECT_EQ(squareTurns, 0);
    EXPECT_EQ(formTurns, -120);
}

} // namespace
