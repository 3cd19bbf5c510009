#include <QFontMetrics>
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "vcl/Graphics.h"

namespace {

using mox::test::CountPixels;
using mox::test::FilledBitmap;
using mox::test::InkBounds;

bool Dark(TColor c) {
    return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
}

class CanvasText : public ::testing::Test {
protected:
    CanvasText() : bitmap_(FilledBitmap(160, 120, clWhite)), canvas_(bitmap_->Canvas()) {
        canvas_->Font()->SetName("DejaVu Sans");
        canvas_->Font()->SetHeight(-20);
        canvas_->Font()->SetColor(clBlack);
    }
    std::unique_ptr<TBitmap> bitmap_;
    TCanvas* canvas_;
};

TEST_F(CanvasText, TextOutInksOnlyInsideItsExtent) {
    canvas_->Brush()->SetStyle(bsClear);
    const TSize extent = canvas_->TextExtent("Hello");
    canvas_->TextOut(20, 30, "Hello");
    EXPECT_EQ(canvas_->PenPos(), Point(20 + extent.cx, 30));
    const TRect inside = Bounds(20, 30, extent.cx, extent.cy);
    const TRect ink = InkBounds(*bitmap_, clWhite);
    ASSERT_FALSE(IsRectEmpty(ink));
    TRect both;
    IntersectRect(both, ink, inside);
    EXPECT_EQ(both, ink) << "ink at " << ink.Left << "," << ink.Top << "-" << ink.Right << "," << ink.Bottom;
    EXPECT_GT(CountPixels(*bitmap_, inside, Dark), 20);
    EXPECT_EQ(extent.cy, QFontMetrics(canvas_->Font()->Handle()).height());
    EXPECT_EQ(canvas_->TextWidth("Hello"), extent.cx);
}

TEST_F(CanvasText, ASolidBrushFillsTheTextBackground) {
    canvas_->Brush()->SetColor(clYellow);
    const TSize extent = canvas_->TextExtent("Wg");
    canvas_->TextOut(10, 10, "Wg");
    EXPECT_EQ(InkBounds(*bitmap_, clWhite), Bounds(10, 10, extent.cx, extent.cy));
    EXPECT_EQ(canvas_->Pixels(10, 10), clYellow);
    // The background mode set through the platform's call outlasts nothing but the brush.
    SetBkMode(canvas_->Handle(), TRANSPARENT);
    EXPECT_EQ(canvas_->BkMode(), TRANSPARENT);
    canvas_->Brush()->SetColor(clAqua);
    EXPECT_EQ(canvas_->BkMode(), OPAQUE);
}

TEST_F(CanvasText, TextRectClipsToItsRectangle) {
    canvas_->Brush()->SetColor(clYellow);
    canvas_->TextRect(Rect(20, 20, 50, 40), 10, 15, "WWWWWWWW");
    EXPECT_EQ(InkBounds(*bitmap_, clWhite), Rect(20, 20, 50, 40));
    EXPECT_GT(CountPixels(*bitmap_, Rect(20, 20, 50, 40), Dark), 10);
}

TEST_F(CanvasText, RotatedTextRunsUpwards) {
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->Font()->SetOrientation(900);
    ASSERT_TRUE(canvas_->Font()->CanRotate());
    const TSize extent = canvas_->TextExtent("Hello");
    canvas_->TextOut(40, 110, "Hello");
    const TRect ink = InkBounds(*bitmap_, clWhite);
    ASSERT_FALSE(IsRectEmpty(ink));
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_LE(ink.Bottom, 111);
    EXPECT_GE(ink.Top, 110 - extent.cx - 1);
    EXPECT_GE(ink.Left, 39);
    EXPECT_LE(ink.Right, 40 + extent.cy + 1);
}

// The pixels the text covers when it is written, and when its outline path is made the clip of a fill.
TEST_F(CanvasText, TextAsAClipForAFill) {
    canvas_->Font()->SetHeight(-60);
    canvas_->Font()->SetStyle(fsBold);
    auto written = FilledBitmap(160, 120, clWhite);
    written->Canvas()->Font()->Assign(canvas_->Font());
    written->Canvas()->Font()->SetColor(clBlack);
    written->Canvas()->Brush()->SetStyle(bsClear);
    written->Canvas()->TextOut(10, 10, "HO");

    HDC dc = canvas_->Handle();
    BeginPath(dc);
    canvas_->TextOut(10, 10, "HO");
    EXPECT_TRUE(EndPath(dc));
    EXPECT_TRUE(IsRectEmpty(InkBounds(*bitmap_, clWhite))) << "a recorded path paints nothing";
    EXPECT_TRUE(SelectClipPath(dc, RGN_COPY));
    canvas_->Brush()->SetColor(clRed);
    canvas_->FillRect(Rect(0, 0, 160, 120));
    int red = 0, inked = 0, both = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool filled = canvas_->Pixels(x, y) == clRed;
            const bool dark = Dark(written->Canvas()->Pixels(x, y));
            red += filled;
            inked += dark;
            both += filled && dark;
        }
    EXPECT_GT(red, 500);
    EXPECT_GT(both, red * 85 / 100);
    EXPECT_GT(both, inked * 85 / 100);
    TRect inside;
    const TRect extent = Bounds(10, 10, canvas_->TextWidth("HO"), canvas_->TextHeight("HO"));
    const TRect fill = InkBounds(*bitmap_, clWhite);
    IntersectRect(inside, fill, extent);
    EXPECT_EQ(inside, fill);
    // Without the clip the fill reaches everywhere again.
    SelectClipRgn(dc, nullptr);
    canvas_->FillRect(Rect(0, 0, 160, 120));
    EXPECT_EQ(canvas_->Pixels(0, 0), clRed);
}

TEST_F(CanvasText, OutlinedTextIsHollow) {
    canvas_->Font()->SetHeight(-80);
    canvas_->Font()->SetStyle(fsBold);
    auto filled = FilledBitmap(160, 120, clWhite);
    TCanvas* fill = filled->Canvas();
    fill->Font()->Assign(canvas_->Font());
    fill->BeginPath();
    fill->TextOut(10, 0, "I");
    fill->EndPath();
    fill->Brush()->SetColor(clBlack);
    EXPECT_TRUE(fill->FillPath());
    EXPECT_EQ(fill->Path().elementCount(), 0) << "the path is used up";

    canvas_->BeginPath();
    canvas_->TextOut(10, 0, "I");
    EXPECT_FALSE(canvas_->StrokePath()) << "no stroke while the path is open";
    canvas_->EndPath();
    canvas_->Pen()->SetColor(clBlack);
    EXPECT_TRUE(canvas_->StrokePath());

    const int solid = CountPixels(*filled, Rect(0, 0, 160, 120), Dark);
    const int outline = CountPixels(*bitmap_, Rect(0, 0, 160, 120), Dark);
    EXPECT_GT(outline, 50);
    EXPECT_LT(outline, solid);
    // Deep inside the filled stem the outline has nothing.
    int interior = 0;
    for (int y = 3; y < 117; ++y)
        for (int x = 3; x < 157; ++x) {
            bool deep = true;
            for (int dy = -3; dy <= 3 && deep; ++dy)
                for (int dx = -3; dx <= 3 && deep; ++dx)
                    deep = Dark(filled->Canvas()->Pixels(x + dx, y + dy));
            if (!deep) continue;
            ++interior;
            EXPECT_EQ(canvas_->Pixels(x, y), clWhite) << x << "," << y;
        }
    EXPECT_GT(interior, 20);
}

TEST_F(CanvasText, FiguresMakePathsToo) {
    canvas_->BeginPath();
    canvas_->Rectangle(10, 10, 30, 30);
    canvas_->MoveTo(40, 10);
    canvas_->LineTo(60, 10);
    canvas_->EndPath();
    EXPECT_EQ(canvas_->Pixels(10, 10), clWhite);
    canvas_->Pen()->SetColor(clBlue);
    canvas_->StrokePath();
    EXPECT_EQ(canvas_->Pixels(10, 20), clBlue);
    EXPECT_EQ(canvas_->Pixels(20, 20), clWhite);
    EXPECT_EQ(canvas_->Pixels(50, 10), clBlue);
}

TEST_F(CanvasText, DrawTextMeasuresAndPlaces) {
    const int line = canvas_->TextHeight("Wg");
    TRect r = Rect(5, 5, 5, 5);
    EXPECT_EQ(canvas_->DrawText("Hello", r, DT_CALCRECT | DT_SINGLELINE), line);
    EXPECT_EQ(r, Bounds(5, 5, canvas_->TextWidth("Hello"), line));
    r = Rect(0, 0, 0, 0);
    canvas_->DrawText("&File", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), canvas_->TextWidth("File"));
    r = Rect(0, 0, 0, 0);
    canvas_->DrawText("&File", r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.Width(), canvas_->TextWidth("&File"));
    r = Rect(0, 0, 0, 0);
    canvas_->DrawText("one\r\ntwo", r, DT_CALCRECT);
    EXPECT_EQ(r.Height(), 2 * line);
    r = Rect(0, 0, 70, 0);
    canvas_->DrawText("one two three four five", r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(r.Height(), 3 * line);
    EXPECT_LE(r.Width(), 70);
    EXPECT_TRUE(IsRectEmpty(InkBounds(*bitmap_, clWhite))) << "measuring paints nothing";

    canvas_->Brush()->SetStyle(bsClear);
    r = Rect(0, 0, 160, 120);
    canvas_->DrawText("Mid", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect ink = InkBounds(*bitmap_, clWhite);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 80, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 60, 4);
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Brush()->SetColor(clWhite);
    canvas_->FillRect(Rect(0, 0, 160, 120));
    canvas_->Brush()->SetStyle(bsClear);
    DrawText(canvas_->Handle(), "Corner", -1, r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    ink = InkBounds(*bitmap_, clWhite);
    EXPECT_GE(ink.Right, 150);
    EXPECT_GE(ink.Bottom, 110);
    EXPECT_GE(ink.Left, 160 - canvas_->TextWidth("Corner") - 1);
}

} // namespace
