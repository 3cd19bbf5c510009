#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "vcl/Graphics.h"
#include "vcl/Windows.h"

namespace {

using mox::test::CountPixels;
using mox::test::FilledBitmap;
using mox::test::InkBounds;

class Frames : public mox::test::DistinctPalette {
protected:
    void SetUp() override {
        DistinctPalette::SetUp();
        bitmap_ = FilledBitmap(64, 64, clWhite);
        canvas_ = bitmap_->Canvas();
    }
    TColor At(int x, int y) { return canvas_->Pixels(x, y); }

    std::unique_ptr<TBitmap> bitmap_;
    TCanvas* canvas_ = nullptr;
};

TEST_F(Frames, Frame3DPaintsRingsAndShrinksTheRectangle) {
    TRect r = Rect(2, 2, 12, 12);
    Frame3D(canvas_, r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(4, 4, 10, 10));
    EXPECT_EQ(At(2, 2), clRed);
    EXPECT_EQ(At(3, 3), clRed);
    EXPECT_EQ(At(5, 2), clRed);
    EXPECT_EQ(At(2, 5), clRed);
    EXPECT_EQ(At(11, 2), clBlue) << "the corners the sides share belong to the bottom and right";
    EXPECT_EQ(At(2, 11), clBlue);
    EXPECT_EQ(At(11, 11), clBlue);
    EXPECT_EQ(At(10, 10), clBlue);
    EXPECT_EQ(At(4, 4), clWhite);
    EXPECT_EQ(At(12, 12), clWhite);
}

TEST_F(Frames, EdgesTakeTheSystemColoursOfTheirLines) {
    struct Case {
        UINT edge;
        TColor outerTopLeft, innerTopLeft, innerBottomRight, outerBottomRight;
    };
    const Case cases[] = {
        {EDGE_RAISED, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow},
        {EDGE_SUNKEN, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnHighlight},
        {EDGE_ETCHED, clBtnShadow, clBtnHighlight, clBtnShadow, clBtnHighlight},
        {EDGE_BUMP, cl3DLight, cl3DDkShadow, cl3DLight, cl3DDkShadow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        canvas_->Brush()->SetColor(clWhite);
        canvas_->FillRect(Rect(0, 0, 64, 64));
        TRect r = Rect(2, 2, 22, 22);
        EXPECT_TRUE(DrawEdge(canvas_->Handle(), r, c.edge, BF_RECT | BF_ADJUST | BF_MIDDLE));
        EXPECT_EQ(r, Rect(4, 4, 20, 20));
        EXPECT_EQ(At(2, 2), ColorToRGB(c.outerTopLeft));
        EXPECT_EQ(At(3, 3), ColorToRGB(c.innerTopLeft));
        EXPECT_EQ(At(20, 20), ColorToRGB(c.innerBottomRight));
        EXPECT_EQ(At(21, 21), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(At(21, 2), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(At(10, 10), ColorToRGB(clBtnFace));
        EXPECT_EQ(At(22, 22), clWhite);
    }
    // Only the sides asked for, and the soft look's lighter outer line.
    canvas_->Brush()->SetColor(clWhite);
    canvas_->FillRect(Rect(0, 0, 64, 64));
    TRect r = Rect(30, 30, 50, 50);
    canvas_->DrawEdge(r, BDR_RAISEDOUTER, BF_TOP | BF_SOFT);
    EXPECT_EQ(r, Rect(30, 30, 50, 50));
    EXPECT_EQ(At(35, 30), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(30, 35), clWhite);
    EXPECT_EQ(At(49, 35), clWhite);
}

TEST_F(Frames, FocusRectangleInvertsEveryOtherPixelAndGoesAgain) {
    const TRect r = Rect(4, 4, 24, 14);
    DrawFocusRect(canvas_->Handle(), r);
    const int top = CountPixels(*bitmap_, Rect(4, 4, 24, 5), [](TColor c) { return c == clBlack; });
    EXPECT_EQ(top, 10);
    EXPECT_EQ(CountPixels(*bitmap_, Rect(5, 5, 23, 13), [](TColor c) { return c != clWhite; }), 0);
    EXPECT_GT(CountPixels(*bitmap_, Rect(4, 13, 24, 14), [](TColor c) { return c == clBlack; }), 0);
    canvas_->DrawFocusRect(r);
    EXPECT_TRUE(IsRectEmpty(InkBounds(*bitmap_, clWhite)));
}

TEST_F(Frames, FrameRectUsesTheBrush) {
    canvas_->Brush()->SetColor(clPurple);
    canvas_->FrameRect(Rect(10, 10, 20, 20));
    EXPECT_EQ(At(10, 10), clPurple);
    EXPECT_EQ(At(19, 15), clPurple);
    EXPECT_EQ(At(15, 19), clPurple);
    EXPECT_EQ(At(15, 15), clWhite);
    EXPECT_EQ(At(20, 20), clWhite);
}

// Each frame control paints inside its rectangle only, and its states look different.
TEST_F(Frames, FrameControlsComeFromTheStyle) {
    struct Case {
        UINT type, state, other;
    };
    const Case cases[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH, DFCS_BUTTONPUSH | DFCS_PUSHED},
        {DFC_BUTTON, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONRADIO, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE, DFCS_CAPTIONCLOSE | DFCS_INACTIVE},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP, DFCS_SCROLLCOMBOBOX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type * 1000 + c.state);
        QImage looks[2];
        for (int i = 0; i < 2; ++i) {
            canvas_->Brush()->SetColor(clWhite);
            canvas_->FillRect(Rect(0, 0, 64, 64));
            TRect r = Rect(10, 10, 30, 30);
            EXPECT_TRUE(DrawFrameControl(canvas_->Handle(), r, c.type, i == 0 ? c.state : c.other));
            const TRect ink = InkBounds(*bitmap_, clWhite);
            ASSERT_FALSE(IsRectEmpty(ink));
            TRect inside;
            IntersectRect(inside, ink, Rect(10, 10, 30, 30));
            EXPECT_EQ(inside, ink);
            looks[i] = bitmap_->Image();
        }
        EXPECT_NE(looks[0], looks[1]);
    }
    TRect r = Rect(0, 0, 20, 20);
    DrawFrameControl(canvas_->Handle(), r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(r, Rect(2, 2, 18, 18));
}

// A picture of the canvas's effects for a person to look at: edges, controls, text in several
// forms, written next to the test program.
TEST_F(Frames, GalleryPicture) {
    TBitmap gallery(360, 200);
    TCanvas* c = gallery.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 360, 200));
    const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    for (int i = 0; i < 4; ++i) {
        TRect r = Bounds(10 + i * 45, 10, 40, 30);
        c->DrawEdge(r, edges[i], BF_RECT);
    }
    const std::pair<UINT, UINT> controls[] = {{DFC_BUTTON, DFCS_BUTTONPUSH},
                                              {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
                                              {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
                                              {DFC_CAPTION, DFCS_CAPTIONCLOSE},
                                              {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
                                              {DFC_SCROLL, DFCS_SCROLLCOMBOBOX}};
    int x = 200;
    for (const auto& [type, state] : controls) {
        TRect r = Bounds(x, 10, 22, 22);
        c->DrawFrameControl(r, type, state);
        x += 26;
        if (x > 330) x = 200;
    }
    c->Font()->SetName("MS Sans Serif");
    c->Font()->SetSize(8);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(10, 50, "MS Sans Serif 8: The quick brown fox");
    c->Font()->SetHeight(-28);
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(clNavy);
    c->TextOut(10, 70, "Solid");
    c->Pen()->SetColor(clMaroon);
    c->BeginPath();
    c->TextOut(110, 70, "Outline");
    c->EndPath();
    c->StrokePath();
    auto tile = FilledBitmap(8, 8, clYellow);
    tile->Canvas()->Brush()->SetColor(clRed);
    tile->Canvas()->FillRect(Rect(0, 0, 4, 4));
    tile->Canvas()->FillRect(Rect(4, 4, 8, 8));
    c->SaveDC();
    c->BeginPath();
    c->TextOut(10, 110, "Glyph fill");
    c->EndPath();
    c->SelectClipPath(RGN_COPY);
    for (int ty = 100; ty < 160; ty += 8)
        for (int tx = 0; tx < 200; tx += 8)
            c->Draw(tx, ty, tile.get());
    c->RestoreDC(-1);
    c->Font()->SetOrientation(450);
    c->Font()->SetHeight(-18);
    c->Font()->SetColor(clGreen);
    c->TextOut(220, 180, "Rotated 45");
    c->Font()->SetOrientation(0);
    c->DrawFocusRect(Rect(8, 48, 240, 64));

    const QString file = QDir::current().filePath("graphics-gallery.png");
    gallery.SaveToFile(file);
    TBitmap back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.Width(), 360);
    EXPECT_EQ(back.Canvas()->Pixels(5, 5), ColorToRGB(clBtnFace));
}

} // namespace
