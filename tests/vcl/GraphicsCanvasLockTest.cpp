#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

#include "vcl/Graphics.h"

namespace {

TEST(CanvasLock, IsRecursiveAndCounts) {
    TCanvas canvas;
    EXPECT_EQ(canvas.LockCount(), 0);
    canvas.Lock();
    EXPECT_TRUE(canvas.TryLock());
    EXPECT_EQ(canvas.LockCount(), 2);
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

// A worker paints the bitmap under the canvas lock, slowly; the user-interface thread cannot take
// the lock meanwhile, and once it has it the worker's picture is complete.
TEST(CanvasLock, ExcludesAPaintingWorker) {
    TBitmap bitmap(32, 32);
    TCanvas* canvas = bitmap.Canvas();
    std::atomic<bool> locked{false};
    std::atomic<bool> painted{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        canvas->Lock();
        locked = true;
        canvas->Brush()->SetColor(clRed);
        for (int y = 0; y < 32; ++y) {
            canvas->FillRect(Rect(0, y, 32, y + 1));
            QThread::msleep(5);
        }
        painted = true;
        canvas->Unlock();
    }));
    worker->start();
    while (!locked)
        QThread::yieldCurrentThread();
    EXPECT_FALSE(canvas->TryLock());
    canvas->Lock();
    EXPECT_TRUE(painted);
    EXPECT_EQ(canvas->Pixels(0, 0), clRed);
    EXPECT_EQ(canvas->Pixels(31, 31), clRed);
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(Rect(0, 0, 16, 16));
    canvas->Unlock();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_EQ(canvas->Pixels(0, 0), clBlue);
    EXPECT_EQ(canvas->Pixels(31, 31), clRed);
}

// Text and figures drawn from a worker thread into a bitmap come out as on the user-interface thread.
TEST(CanvasLock, AWorkerDrawsTextLikeTheUserInterfaceThread) {
    auto draw = [](TBitmap& bitmap) {
        bitmap.SetSize(80, 30);
        TCanvas* c = bitmap.Canvas();
        c->Lock();
        c->Brush()->SetColor(clWhite);
        c->FillRect(Rect(0, 0, 80, 30));
        c->Font()->SetName("DejaVu Sans");
        c->Font()->SetHeight(-16);
        c->TextOut(2, 2, "Worker");
        c->Ellipse(60, 5, 75, 20);
        c->Unlock();
    };
    TBitmap here, there;
    draw(here);
    std::unique_ptr<QThread> worker(QThread::create([&] { draw(there); }));
    worker->start();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_EQ(here.Image(), there.Image());
}

} // namespace
