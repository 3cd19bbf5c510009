#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "vcl/Graphics.h"

namespace {

using mox::test::CountPixels;
using mox::test::FilledBitmap;

class Canvas : public ::testing::Test {
protected:
    Canvas() : bitmap_(FilledBitmap(64, 64, clWhite)), canvas_(bitmap_->Canvas()) {}
    TColor At(int x, int y) { return canvas_->Pixels(x, y); }

    std::unique_ptr<TBitmap> bitmap_;
    TCanvas* canvas_;
};

TEST_F(Canvas, FillRectLeavesTheRightAndBottomEdgesOut) {
    canvas_->Brush()->SetColor(clRed);
    canvas_->FillRect(Rect(10, 10, 20, 30));
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(19, 29), clRed);
    EXPECT_EQ(At(20, 15), clWhite);
    EXPECT_EQ(At(15, 30), clWhite);
    EXPECT_EQ(At(9, 15), clWhite);
    EXPECT_EQ(CountPixels(*bitmap_, Rect(0, 0, 64, 64), [](TColor c) { return c == clRed; }), 10 * 20);
    // An inverted rectangle fills nothing.
    canvas_->Brush()->SetColor(clBlue);
    canvas_->FillRect(Rect(40, 40, 30, 30));
    EXPECT_EQ(At(35, 35), clWhite);
}

TEST_F(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    canvas_->Pen()->SetColor(clBlack);
    canvas_->Brush()->SetColor(clYellow);
    canvas_->Rectangle(10, 10, 20, 20);
    EXPECT_EQ(At(10, 10), clBlack);
    EXPECT_EQ(At(19, 19), clBlack);
    EXPECT_EQ(At(19, 10), clBlack);
    EXPECT_EQ(At(15, 15), clYellow);
    EXPECT_EQ(At(20, 15), clWhite);
    EXPECT_EQ(At(15, 20), clWhite);
    // Without a pen the filled part is one pixel smaller, as on the platform.
    canvas_->Pen()->SetStyle(psClear);
    canvas_->Brush()->SetColor(clLime);
    canvas_->Rectangle(30, 30, 40, 40);
    EXPECT_EQ(At(30, 30), clLime);
    EXPECT_EQ(At(38, 38), clLime);
    EXPECT_EQ(At(39, 39), clWhite);
}

TEST_F(Canvas, LinesLeaveTheirEndPointOut) {
    canvas_->MoveTo(5, 5);
    canvas_->LineTo(15, 5);
    EXPECT_EQ(canvas_->PenPos(), Point(15, 5));
    EXPECT_EQ(At(5, 5), clBlack);
    EXPECT_EQ(At(14, 5), clBlack);
    EXPECT_EQ(At(15, 5), clWhite);
    canvas_->Polyline({Point(5, 10), Point(25, 10), Point(25, 20)});
    EXPECT_EQ(At(20, 10), clBlack);
    EXPECT_EQ(At(25, 15), clBlack);
    EXPECT_EQ(At(25, 20), clWhite);
    // A dashed pen leaves gaps.
    canvas_->Pen()->SetStyle(psDot);
    canvas_->MoveTo(0, 30);
    canvas_->LineTo(60, 30);
    const int ink = CountPixels(*bitmap_, Rect(0, 30, 60, 31), [](TColor c) { return c == clBlack; });
    EXPECT_EQ(ink, 30);
}

// Every pen mode over a known background, as the platform's binary raster operations compute it.
TEST_F(Canvas, PenModesCombineWithTheBackground) {
    const std::uint32_t background = 0x3C5A96, pen = 0x0F33CC;
    struct Case {
        TPenMode mode;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {pmBlack, 0},
        {pmWhite, 0xFFFFFF},
        {pmNop, background},
        {pmNot, ~background},
        {pmCopy, pen},
        {pmNotCopy, ~pen},
        {pmMergePenNot, pen | ~background},
        {pmMaskPenNot, pen & ~background},
        {pmMergeNotPen, ~pen | background},
        {pmMaskNotPen, ~pen & background},
        {pmMerge, pen | background},
        {pmNotMerge, ~(pen | background)},
        {pmMask, pen & background},
        {pmNotMask, ~(pen & background)},
        {pmXor, pen ^ background},
        {pmNotXor, ~(pen ^ background)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        canvas_->Brush()->SetColor(TColor(background));
        canvas_->FillRect(Rect(0, 0, 64, 64));
        canvas_->Pen()->SetColor(TColor(pen));
        canvas_->Pen()->SetMode(c.mode);
        canvas_->MoveTo(0, 5);
        canvas_->LineTo(20, 5);
        canvas_->Pen()->SetMode(pmCopy);
        EXPECT_EQ(std::uint32_t(At(10, 5)), c.expected & 0xFFFFFF);
        EXPECT_EQ(std::uint32_t(At(10, 6)), background);
    }
}

TEST_F(Canvas, AnInvertingPenDrawnTwiceLeavesNoTrace) {
    canvas_->Brush()->SetColor(clTeal);
    canvas_->FillRect(Rect(0, 0, 32, 32));
    canvas_->Pen()->SetMode(pmNot);
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->Rectangle(4, 4, 28, 28);
    EXPECT_EQ(At(4, 10), TColor(~std::uint32_t(clTeal) & 0xFFFFFF));
    EXPECT_EQ(At(40, 40), clWhite);
    canvas_->Rectangle(4, 4, 28, 28);
    EXPECT_EQ(At(4, 10), clTeal);
    // The interior of a figure goes through the mode too.
    canvas_->Pen()->SetMode(pmXor);
    canvas_->Brush()->SetColor(clWhite);
    canvas_->Ellipse(0, 0, 32, 32);
    EXPECT_EQ(At(16, 16), TColor(0xFFFFFF ^ std::uint32_t(clTeal)));
}

TEST_F(Canvas, FiguresAndArcs) {
    canvas_->Brush()->SetColor(clRed);
    canvas_->Pen()->SetColor(clRed);
    canvas_->Ellipse(0, 0, 20, 20);
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(1, 1), clWhite);
    canvas_->Polygon({Point(30, 0), Point(50, 0), Point(30, 20)});
    EXPECT_EQ(At(33, 3), clRed);
    EXPECT_EQ(At(48, 18), clWhite);
    // A pie from the ray at three o'clock counter-clockwise to the ray at twelve o'clock.
    canvas_->Brush()->SetColor(clBlue);
    canvas_->Pen()->SetColor(clBlue);
    canvas_->Pie(20, 24, 60, 64, 60, 44, 40, 24);
    EXPECT_EQ(At(50, 34), clBlue);
    EXPECT_EQ(At(30, 34), clWhite);
    EXPECT_EQ(At(50, 54), clWhite);
    canvas_->RoundRect(0, 40, 16, 56, 8, 8);
    EXPECT_EQ(At(8, 48), clBlue);
    EXPECT_EQ(At(0, 40), clWhite);
}

TEST_F(Canvas, ClipRectanglesStopFills) {
    EXPECT_EQ(canvas_->ClipRect(), Rect(0, 0, 64, 64));
    EXPECT_EQ(canvas_->IntersectClipRect(Rect(10, 10, 40, 40)), SIMPLEREGION);
    EXPECT_EQ(canvas_->ExcludeClipRect(Rect(20, 20, 25, 25)), COMPLEXREGION);
    EXPECT_EQ(canvas_->ClipRect(), Rect(10, 10, 40, 40));
    canvas_->Brush()->SetColor(clRed);
    canvas_->FillRect(Rect(0, 0, 64, 64));
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(39, 39), clRed);
    EXPECT_EQ(At(40, 39), clWhite);
    EXPECT_EQ(At(5, 5), clWhite);
    EXPECT_EQ(At(22, 22), clWhite);
    EXPECT_EQ(canvas_->IntersectClipRect(Rect(50, 50, 60, 60)), NULLREGION);
    canvas_->ResetClip();
    canvas_->FillRect(Rect(0, 0, 64, 64));
    EXPECT_EQ(At(5, 5), clRed);
}

TEST_F(Canvas, SavedStatesComeBackInOrder) {
    canvas_->Brush()->SetColor(clBlue);
    const int outer = canvas_->SaveDC();
    EXPECT_EQ(outer, 1);
    canvas_->IntersectClipRect(Rect(0, 0, 32, 32));
    canvas_->Brush()->SetColor(clRed);
    canvas_->MoveTo(7, 7);
    EXPECT_EQ(canvas_->SaveDC(), 2);
    canvas_->IntersectClipRect(Rect(0, 0, 8, 8));
    EXPECT_TRUE(canvas_->RestoreDC(-1));
    EXPECT_EQ(canvas_->ClipRect(), Rect(0, 0, 32, 32));
    EXPECT_TRUE(canvas_->RestoreDC(outer));
    EXPECT_FALSE(canvas_->HasClip());
    EXPECT_EQ(canvas_->Brush()->Color(), clBlue);
    EXPECT_EQ(canvas_->PenPos(), Point(0, 0));
    EXPECT_FALSE(canvas_->RestoreDC(1));
    EXPECT_FALSE(canvas_->RestoreDC(-1));
    // The Win32 form of the same calls.
    const int saved = SaveDC(canvas_->Handle());
    IntersectClipRect(canvas_->Handle(), 0, 0, 4, 4);
    EXPECT_TRUE(RestoreDC(canvas_->Handle(), saved));
    EXPECT_FALSE(canvas_->HasClip());
}

TEST_F(Canvas, PixelsAndTheDrawingEvents) {
    int changing = 0, changed = 0, bitmapChanged = 0;
    canvas_->OnChanging = [&](TObject*) { ++changing; };
    canvas_->OnChange = [&](TObject*) { ++changed; };
    bitmap_->OnChange = [&](TObject*) { ++bitmapChanged; };
    canvas_->SetPixels(3, 4, clNavy);
    EXPECT_EQ(At(3, 4), clNavy);
    EXPECT_EQ(At(-1, 4), TColor(-1));
    EXPECT_EQ(At(64, 0), TColor(-1));
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    // The bitmap hears of its canvas's changes; its canvas's own event is bound by the bitmap, so
    // the count above replaced it: set again to see both.
    TBitmap other(8, 8);
    int otherChanged = 0;
    other.OnChange = [&](TObject*) { ++otherChanged; };
    other.Canvas()->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(otherChanged, 1);
    EXPECT_EQ(bitmapChanged, 0);
}

TEST(CanvasDevice, DrawingNeedsSomethingToPaintOn) {
    TCanvas canvas;
    try {
        canvas.FillRect(Rect(0, 0, 4, 4));
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
    }
    // Measuring needs no device.
    EXPECT_GT(canvas.TextWidth("Hello"), 0);
    // An empty bitmap paints nothing and raises nothing.
    TBitmap empty;
    empty.Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_TRUE(empty.Empty());
}

TEST(CanvasDevice, PaintsThroughALentPainterAndTheLibrarysOwnPainter) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(0, 0, 8, 16);
    TCanvas canvas;
    canvas.AttachPainter(&painter);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(canvas.Pixels(4, 4), clRed);
    canvas.IntersectClipRect(Rect(0, 8, 16, 16));
    canvas.WithPainter([](QPainter& p) { p.fillRect(0, 0, 16, 16, Qt::blue); });
    canvas.DetachPainter();
    painter.end();
    EXPECT_EQ(image.pixel(4, 4), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(4, 12), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(12, 12), qRgb(255, 255, 255)); // outside the lender's clip
}

} // namespace
