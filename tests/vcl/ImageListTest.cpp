#include <QDir>
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"
#include "vcl/TypInfo.h"

namespace {

using mox::test::CountPixels;
using mox::test::FilledBitmap;

// The test strip: three 16 by 16 frames on fuchsia, with a red, a lime and a blue square from
// (4, 4) to (12, 12) of each frame, and one white pixel at the top right of the third.
std::unique_ptr<TBitmap> Strip() {
    auto strip = std::make_unique<TBitmap>();
    strip->LoadFromResourceName("TEST_STRIP");
    return strip;
}

class ImageList : public mox::test::DistinctPalette {
protected:
    void SetUp() override {
        DistinctPalette::SetUp();
        list_ = std::make_unique<TImageList>(nullptr);
        ASSERT_EQ(list_->AddMasked(Strip().get(), clFuchsia), 0);
        dest_ = FilledBitmap(20, 20, clGreen);
    }
    TColor At(int x, int y) { return dest_->Canvas()->Pixels(x, y); }
    void Clean() {
        dest_->Canvas()->Brush()->SetColor(clGreen);
        dest_->Canvas()->FillRect(Rect(0, 0, 20, 20));
    }

    std::unique_ptr<TImageList> list_;
    std::unique_ptr<TBitmap> dest_;
};

TEST_F(ImageList, AStripIsCutIntoImages) {
    EXPECT_EQ(list_->Count(), 3);
    EXPECT_EQ(list_->Width(), 16);
    const QImage second = list_->Image(1);
    EXPECT_EQ(second.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(second.pixel(0, 0)), 0);
    EXPECT_EQ(second.pixel(5, 5), qRgb(0, 255, 0));
    // The next strip adds after the images there are; a strip narrower than one image adds none.
    EXPECT_EQ(list_->AddMasked(Strip().get(), clFuchsia), 3);
    EXPECT_EQ(list_->Count(), 6);
    auto narrow = FilledBitmap(10, 16, clRed);
    EXPECT_EQ(list_->AddMasked(narrow.get(), clFuchsia), -1);
    EXPECT_EQ(list_->Count(), 6);
    // The default mask colour is the top-left pixel's.
    TImageList other(nullptr);
    other.AddMasked(Strip().get(), clDefault);
    EXPECT_EQ(qAlpha(other.Image(0).pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(other.Image(0).pixel(5, 5)), 255);
    EXPECT_TRUE(list_->Image(7).isNull());
}

TEST_F(ImageList, AMaskBitmapMarksTransparentPixelsWhite) {
    TImageList list(4, 4);
    auto image = FilledBitmap(8, 4, clRed);
    auto mask = FilledBitmap(8, 4, clBlack);
    mask->Canvas()->SetPixels(0, 0, clWhite);
    mask->Canvas()->SetPixels(5, 1, clWhite);
    EXPECT_EQ(list.Add(image.get(), mask.get()), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(qAlpha(list.Image(0).pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(list.Image(0).pixel(1, 0)), 255);
    EXPECT_EQ(qAlpha(list.Image(1).pixel(1, 1)), 0);
    list.Add(image.get(), nullptr);
    EXPECT_EQ(qAlpha(list.Image(2).pixel(0, 0)), 255);
}

TEST_F(ImageList, DrawingStylesAndBackgrounds) {
    list_->Draw(dest_->Canvas(), 2, 2, 0);
    EXPECT_EQ(At(2, 2), clGreen) << "no background colour: the masked pixels are left out";
    EXPECT_EQ(At(8, 8), clRed);
    list_->SetBkColor(clYellow);
    list_->Draw(dest_->Canvas(), 2, 2, 0);
    EXPECT_EQ(At(2, 2), clYellow);
    EXPECT_EQ(At(18, 18), clGreen);
    Clean();
    list_->Draw(dest_->Canvas(), 2, 2, 0, dsTransparent, itImage);
    EXPECT_EQ(At(2, 2), clGreen);
    list_->Draw(dest_->Canvas(), 2, 2, 0, dsNormal, itMask);
    EXPECT_EQ(At(2, 2), clWhite);
    EXPECT_EQ(At(8, 8), clBlack);
    // A bad index draws nothing.
    Clean();
    list_->Draw(dest_->Canvas(), 0, 0, 9);
    EXPECT_EQ(CountPixels(*dest_, Rect(0, 0, 20, 20), [](TColor c) { return c != clGreen; }), 0);
}

TEST_F(ImageList, BlendedStylesMixInTheBlendColour) {
    list_->SetBlendColor(clBlue);
    list_->Draw(dest_->Canvas(), 0, 0, 0, dsSelected, itImage);
    EXPECT_EQ(At(8, 8), RGB(128, 0, 128)) << "half red, half blue";
    EXPECT_EQ(At(0, 0), clGreen);
    list_->Draw(dest_->Canvas(), 0, 0, 0, dsFocus, itImage);
    EXPECT_EQ(At(8, 8), RGB(191, 0, 64)) << "a quarter blue";
    // The platform's call: the default blend colour is the highlight.
    Clean();
    EXPECT_TRUE(ImageList_DrawEx(list_->Handle(), 2, dest_->Canvas()->Handle(), 0, 0, 0, 0, CLR_NONE,
                                 CLR_DEFAULT, ILD_BLEND50));
    const QColor highlight = ColorToQColor(clHighlight);
    EXPECT_EQ(At(8, 8), RGB(Byte(qRound(highlight.red() * 0.5)), Byte(qRound(highlight.green() * 0.5)),
                            Byte(qRound((255 + highlight.blue()) * 0.5))));
    // No blend colour: the image shows half through onto what is under it.
    list_->SetBlendColor(clNone);
    Clean();
    list_->Draw(dest_->Canvas(), 0, 0, 0, dsSelected, itImage);
    const TColor mixed = At(8, 8);
    EXPECT_NEAR(GetRValue(mixed), 128, 2);
    EXPECT_NEAR(GetGValue(mixed), 64, 2);
    EXPECT_EQ(GetBValue(mixed), 0);
}

TEST_F(ImageList, DisabledImagesAreGreyShapes) {
    list_->Draw(dest_->Canvas(), 2, 2, 1, false);
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    int shadows = 0, lights = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const TColor c = At(x, y);
            EXPECT_TRUE(c == clGreen || c == shadow || c == light) << x << "," << y;
            shadows += c == shadow;
            lights += c == light;
        }
    EXPECT_EQ(shadows, 8 * 8);
    EXPECT_EQ(lights, 8 + 8 - 1) << "the highlight shows below and to the right of the shadow";
    EXPECT_EQ(At(6, 6), shadow);
    EXPECT_EQ(At(14, 14), light);
    EXPECT_EQ(At(2, 2), clGreen);
}

TEST_F(ImageList, OverlaysAreDrawnOverTheImage) {
    TImageList list(16, 16);
    auto base = FilledBitmap(16, 16, clRed);
    auto badge = FilledBitmap(16, 16, clFuchsia);
    badge->Canvas()->Brush()->SetColor(clWhite);
    badge->Canvas()->FillRect(Rect(0, 8, 8, 16));
    list.AddMasked(base.get(), clFuchsia);
    list.AddMasked(base.get(), clFuchsia);
    list.AddMasked(badge.get(), clFuchsia);
    EXPECT_TRUE(list.Overlay(2, 0));
    EXPECT_FALSE(list.Overlay(9, 1));
    EXPECT_FALSE(list.Overlay(0, 15));
    list.DrawOverlay(dest_->Canvas(), 0, 0, 0, 0);
    EXPECT_EQ(At(2, 12), clWhite);
    EXPECT_EQ(At(12, 2), clRed);
    // The platform's call names the overlay by its number, one more than its index.
    Clean();
    ImageList_Draw(list.Handle(), 1, dest_->Canvas()->Handle(), 0, 0, ILD_NORMAL | IndexToOverlayMask(1));
    EXPECT_EQ(At(2, 12), clWhite);
    Clean();
    ImageList_Draw(list.Handle(), 1, dest_->Canvas()->Handle(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(At(2, 12), clRed);
    // The overlay follows its image when others go.
    list.Delete(0);
    Clean();
    list.DrawOverlay(dest_->Canvas(), 0, 0, 0, 0);
    EXPECT_EQ(At(2, 12), clWhite);
    list.Delete(1);
    Clean();
    list.DrawOverlay(dest_->Canvas(), 0, 0, 0, 0);
    EXPECT_EQ(At(2, 12), clRed);
}

TEST_F(ImageList, OneImageAsABitmapOrAnIcon) {
    TBitmap bitmap;
    EXPECT_TRUE(list_->GetBitmap(2, &bitmap));
    EXPECT_EQ(bitmap.Width(), 16);
    EXPECT_EQ(bitmap.Canvas()->Pixels(8, 8), clBlue);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clWhite) << "a new bitmap is white under the transparent pixels";
    EXPECT_FALSE(list_->GetBitmap(3, &bitmap));
    TIcon icon;
    EXPECT_TRUE(list_->GetIcon(2, &icon));
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(qAlpha(icon.Image().pixel(0, 0)), 0);
    EXPECT_EQ(icon.Image().pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_EQ(icon.Image().pixel(15, 0), qRgb(255, 255, 255));
    TImageList icons(16, 16);
    EXPECT_EQ(icons.AddIcon(&icon), 0);
    EXPECT_EQ(icons.Image(0), list_->Image(2));
}

TEST_F(ImageList, ReplacingMovingAndRemoving) {
    auto lime = FilledBitmap(16, 16, clLime);
    list_->Replace(0, lime.get(), nullptr);
    EXPECT_EQ(list_->Image(0).pixel(0, 0), qRgb(0, 255, 0));
    list_->Move(0, 2);
    EXPECT_EQ(list_->Image(2).pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(list_->Image(0).pixel(5, 5), qRgb(0, 255, 0)) << "the former second image";
    list_->InsertMasked(0, Strip().get(), clFuchsia);
    EXPECT_EQ(list_->Count(), 6);
    for (auto bad : {std::function<void()>([&] { list_->Delete(6); }),
                     std::function<void()>([&] { list_->Replace(-1, lime.get(), nullptr); }),
                     std::function<void()>([&] { list_->Insert(7, lime.get(), nullptr); }),
                     std::function<void()>([&] { list_->Move(0, 6); })}) {
        try {
            bad();
            FAIL() << "no error";
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), "Invalid ImageList index");
        }
    }
    auto narrow = FilledBitmap(4, 4, clRed);
    try {
        list_->Replace(0, narrow.get(), nullptr);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Unable to Replace Image");
    }
    list_->Delete(0);
    EXPECT_EQ(list_->Count(), 5);
    list_->Delete(-1);
    EXPECT_EQ(list_->Count(), 0);
}

TEST_F(ImageList, ANewSizeRemovesTheImages) {
    list_->SetWidth(32);
    EXPECT_EQ(list_->Count(), 0);
    EXPECT_EQ(list_->Width(), 32);
    try {
        list_->SetHeight(0);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Invalid image size");
    }
    EXPECT_EQ(list_->Height(), 16);
}

TEST_F(ImageList, ChangeLinksHearOfChangesAndOfTheListsEnd) {
    auto list = std::make_unique<TImageList>(nullptr);
    TChangeLink link;
    std::vector<TObject*> senders;
    link.OnChange = [&](TObject* sender) { senders.push_back(sender); };
    int events = 0;
    list->OnChange = [&](TObject*) { ++events; };
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list.get());
    list->AddMasked(Strip().get(), clFuchsia);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], static_cast<TObject*>(list.get()));
    EXPECT_EQ(events, 1);
    list->BeginUpdate();
    list->Delete(0);
    list->Delete(0);
    EXPECT_EQ(senders.size(), 1u);
    list->EndUpdate();
    EXPECT_EQ(senders.size(), 2u);
    EXPECT_EQ(events, 2);
    list->UnRegisterChanges(&link);
    EXPECT_EQ(link.Sender(), nullptr);
    list->Clear();
    EXPECT_EQ(senders.size(), 2u);
    // A destroyed list leaves its links without a sender; a destroyed link leaves its list.
    list->RegisterChanges(&link);
    {
        TChangeLink shortLived;
        list->RegisterChanges(&shortLived);
    }
    list->Clear();
    EXPECT_EQ(senders.size(), 3u);
    list.reset();
    EXPECT_EQ(link.Sender(), nullptr);
}

TEST_F(ImageList, LoadsAStripFromANamedResource) {
    TImageList list(nullptr);
    list.SetHeight(32);
    EXPECT_TRUE(list.ResourceLoad(rtBitmap, "test_strip", clFuchsia));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Height(), 16);
    EXPECT_EQ(qAlpha(list.Image(2).pixel(0, 0)), 0);
    EXPECT_FALSE(list.ResourceLoad(rtBitmap, "NOPE", clFuchsia));
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(ImageList, PublishedPropertiesHoldTheirDefaults) {
    TImageList fresh(nullptr);
    for (PPropInfo info : GetPropList(&fresh)) {
        if (info->Name() == "Name" || info->Name() == "Tag") continue;
        SCOPED_TRACE(info->Name().toStdString());
        EXPECT_TRUE(IsDefaultPropValue(&fresh, info));
    }
    fresh.SetBkColor(clRed);
    EXPECT_FALSE(IsDefaultPropValue(&fresh, FindPublishedProp(&fresh, "BkColor")));
    TImageList copy(nullptr);
    copy.Assign(list_.get());
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Image(1), list_->Image(1));
}

// The drawing styles side by side, written next to the test program for a person to look at.
TEST_F(ImageList, StylesPicture) {
    TBitmap picture(6 * 20 + 4, 24);
    picture.Canvas()->Brush()->SetColor(clBtnFace);
    picture.Canvas()->FillRect(Rect(0, 0, picture.Width(), 24));
    list_->SetBlendColor(clHighlight);
    list_->Overlay(2, 0);
    list_->Draw(picture.Canvas(), 4, 4, 0, dsNormal, itImage);
    list_->Draw(picture.Canvas(), 24, 4, 0, dsFocus, itImage);
    list_->Draw(picture.Canvas(), 44, 4, 0, dsSelected, itImage);
    list_->Draw(picture.Canvas(), 64, 4, 0, dsNormal, itMask);
    list_->Draw(picture.Canvas(), 84, 4, 0, false);
    list_->DrawOverlay(picture.Canvas(), 104, 4, 1, 0);
    picture.SaveToFile(QDir::current().filePath("imagelist-styles.png"));
    EXPECT_EQ(picture.Canvas()->Pixels(110, 10), clBlue) << "the overlay's square over the lime one";
    EXPECT_EQ(picture.Canvas()->Pixels(119, 4), clWhite);
    EXPECT_EQ(picture.Canvas()->Pixels(105, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Canvas()->Pixels(1, 1), ColorToRGB(clBtnFace));
}

} // namespace
