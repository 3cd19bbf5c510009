#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "vcl/Graphics.h"

namespace {

using mox::test::FilledBitmap;

// A bitmap of four colours in its quarters.
std::unique_ptr<TBitmap> Quarters() {
    auto bitmap = std::make_unique<TBitmap>(2, 2);
    TCanvas* c = bitmap->Canvas();
    c->SetPixels(0, 0, clRed);
    c->SetPixels(1, 0, clLime);
    c->SetPixels(0, 1, clBlue);
    c->SetPixels(1, 1, clYellow);
    return bitmap;
}

// An 8 by 8 bitmap in fuchsia with a blue square in its middle.
std::unique_ptr<TBitmap> Sprite() {
    auto bitmap = FilledBitmap(8, 8, clFuchsia);
    bitmap->Canvas()->Brush()->SetColor(clBlue);
    bitmap->Canvas()->FillRect(Rect(2, 2, 6, 6));
    return bitmap;
}

// Every copy mode on known source, destination and brush colours, as the platform's ternary raster
// operations compute them.
TEST(CanvasCopy, CopyModesCombineSourceDestinationAndBrush) {
    const std::uint32_t S = 0x3C5A96, D = 0x0F33CC, P = 0x55AA0F;
    struct Case {
        TCopyMode mode;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {cmBlackness, 0},         {cmDstInvert, ~D},         {cmMergeCopy, P & S},    {cmMergePaint, ~S | D},
        {cmNotSrcCopy, ~S},       {cmNotSrcErase, ~(S | D)}, {cmPatCopy, P},          {cmPatInvert, P ^ D},
        {cmPatPaint, P | ~S | D}, {cmSrcAnd, S & D},         {cmSrcCopy, S},          {cmSrcErase, S & ~D},
        {cmSrcInvert, S ^ D},     {cmSrcPaint, S | D},       {cmWhiteness, 0xFFFFFF},
    };
    auto source = FilledBitmap(4, 4, TColor(S));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        auto dest = FilledBitmap(8, 8, TColor(D));
        TCanvas* canvas = dest->Canvas();
        canvas->Brush()->SetColor(TColor(P));
        canvas->SetCopyMode(c.mode);
        canvas->CopyRect(Rect(2, 2, 6, 6), source->Canvas(), Rect(0, 0, 4, 4));
        EXPECT_EQ(std::uint32_t(canvas->Pixels(3, 3)), c.expected & 0xFFFFFF);
        EXPECT_EQ(std::uint32_t(canvas->Pixels(0, 0)), D);
        EXPECT_EQ(std::uint32_t(canvas->Pixels(6, 6)), D);
    }
    // The platform's call takes the same codes.
    auto dest = FilledBitmap(8, 8, TColor(D));
    EXPECT_TRUE(BitBlt(dest->Canvas()->Handle(), 0, 0, 4, 4, source->Canvas()->Handle(), 0, 0, SRCINVERT));
    EXPECT_EQ(std::uint32_t(dest->Canvas()->Pixels(1, 1)), S ^ D);
}

TEST(CanvasCopy, StretchingRepeatsPixels) {
    auto source = Quarters();
    auto dest = FilledBitmap(8, 8, clWhite);
    dest->Canvas()->CopyRect(Rect(0, 0, 8, 8), source->Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(dest->Canvas()->Pixels(3, 3), clRed);
    EXPECT_EQ(dest->Canvas()->Pixels(4, 3), clLime);
    EXPECT_EQ(dest->Canvas()->Pixels(3, 4), clBlue);
    EXPECT_EQ(dest->Canvas()->Pixels(7, 7), clYellow);
    // Opposite directions mirror.
    dest->Canvas()->CopyRect(Rect(8, 0, 0, 8), source->Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clLime);
    EXPECT_EQ(dest->Canvas()->Pixels(7, 7), clBlue);
    dest->Canvas()->StretchDraw(Rect(0, 0, 4, 4), source.get());
    EXPECT_EQ(dest->Canvas()->Pixels(3, 0), clLime);
    // A copy within one canvas.
    dest->Canvas()->CopyRect(Rect(4, 4, 8, 8), dest->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(dest->Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(dest->Canvas()->Pixels(7, 4), clLime);
}

TEST(CanvasCopy, ATransparentBitmapLeavesItsTransparentColourOut) {
    auto sprite = Sprite();
    EXPECT_EQ(sprite->TransparentMode(), tmAuto);
    EXPECT_EQ(sprite->TransparentColor(), clFuchsia) << "the bottom-left pixel";
    auto dest = FilledBitmap(16, 16, clGreen);
    dest->Canvas()->Draw(4, 4, sprite.get());
    EXPECT_EQ(dest->Canvas()->Pixels(4, 4), clFuchsia) << "an opaque bitmap is copied whole";
    sprite->SetTransparent(true);
    dest = FilledBitmap(16, 16, clGreen);
    dest->Canvas()->Draw(4, 4, sprite.get());
    EXPECT_EQ(dest->Canvas()->Pixels(4, 4), clGreen);
    EXPECT_EQ(dest->Canvas()->Pixels(7, 7), clBlue);
    EXPECT_EQ(dest->Canvas()->Pixels(11, 11), clGreen);
    // A fixed colour: now the blue is left out and the fuchsia drawn.
    sprite->SetTransparentColor(clBlue);
    EXPECT_EQ(sprite->TransparentMode(), tmFixed);
    dest->Canvas()->Draw(4, 4, sprite.get());
    EXPECT_EQ(dest->Canvas()->Pixels(4, 4), clFuchsia);
    EXPECT_EQ(dest->Canvas()->Pixels(7, 7), clBlue) << "the blue under it was drawn before";
    dest = FilledBitmap(16, 16, clGreen);
    dest->Canvas()->StretchDraw(Rect(0, 0, 16, 16), sprite.get());
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clFuchsia);
    EXPECT_EQ(dest->Canvas()->Pixels(8, 8), clGreen);
    sprite->SetTransparentMode(tmAuto);
    EXPECT_EQ(sprite->TransparentColor(), clFuchsia);
}

TEST(CanvasCopy, BrushCopyReplacesAColourWithTheBrush) {
    auto sprite = Sprite();
    auto dest = FilledBitmap(8, 8, clGreen);
    dest->Canvas()->Brush()->SetColor(clYellow);
    dest->Canvas()->BrushCopy(Rect(0, 0, 8, 8), sprite.get(), Rect(0, 0, 8, 8), clFuchsia);
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clYellow);
    EXPECT_EQ(dest->Canvas()->Pixels(3, 3), clBlue);
    // A clear brush leaves those pixels out.
    dest = FilledBitmap(8, 8, clGreen);
    dest->Canvas()->Brush()->SetStyle(bsClear);
    dest->Canvas()->BrushCopy(Rect(0, 0, 8, 8), sprite.get(), Rect(0, 0, 8, 8), clFuchsia);
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clGreen);
    EXPECT_EQ(dest->Canvas()->Pixels(3, 3), clBlue);
}

TEST(CanvasCopy, PatternBrushesAndHatches) {
    auto pattern = Quarters();
    auto dest = FilledBitmap(8, 8, clWhite);
    dest->Canvas()->Brush()->SetBitmap(pattern.get());
    dest->Canvas()->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(dest->Canvas()->Pixels(3, 1), clYellow);
    dest = FilledBitmap(8, 8, clWhite);
    dest->Canvas()->Brush()->SetColor(clBlack);
    dest->Canvas()->Brush()->SetStyle(bsHorizontal);
    dest->Canvas()->FillRect(Rect(0, 0, 8, 8));
    int black = 0, white = 0;
    for (int y = 0; y < 8; ++y) {
        black += dest->Canvas()->Pixels(0, y) == clBlack;
        white += dest->Canvas()->Pixels(0, y) == clWhite;
    }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0) << "the hatch leaves its gaps";
}

} // namespace
