#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "TestSupport.h"
#include "vcl/Graphics.h"

namespace {

using mox::test::FilledBitmap;

std::unique_ptr<TBitmap> Pattern() {
    auto bitmap = FilledBitmap(5, 3, clWhite);
    bitmap->Canvas()->SetPixels(0, 0, clRed);
    bitmap->Canvas()->SetPixels(4, 0, clLime);
    bitmap->Canvas()->SetPixels(0, 2, clBlue);
    bitmap->Canvas()->SetPixels(4, 2, RGB(10, 20, 30));
    return bitmap;
}

void ExpectPattern(TBitmap& bitmap) {
    ASSERT_EQ(bitmap.Width(), 5);
    ASSERT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(4, 0), clLime);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 2), clBlue);
    EXPECT_EQ(bitmap.Canvas()->Pixels(4, 2), RGB(10, 20, 30));
    EXPECT_EQ(bitmap.Canvas()->Pixels(2, 1), clWhite);
}

TEST(Bitmap, SizeAndResizing) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetWidth(10);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 10);
    bitmap.SetHeight(6);
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.Canvas()->Pixels(9, 5), clWhite);
    bitmap.Canvas()->SetPixels(1, 1, clRed);
    bitmap.Canvas()->IntersectClipRect(Rect(0, 0, 2, 2));
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.SetSize(20, 20);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), clRed) << "the picture stays at the top left";
    EXPECT_EQ(bitmap.Canvas()->Pixels(15, 15), clWhite);
    EXPECT_FALSE(bitmap.Canvas()->HasClip()) << "a new picture starts without clip";
    bitmap.SetSize(20, 20);
    EXPECT_EQ(changes, 1);
}

TEST(Bitmap, AssignCopiesThePictureAndItsTransparency) {
    auto source = Pattern();
    source->SetTransparent(true);
    source->SetTransparentColor(clLime);
    TBitmap copy;
    copy.Assign(source.get());
    ExpectPattern(copy);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clLime);
    // The copy is its own picture.
    source->Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clRed);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    TPen pen;
    EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

// The bitmap inside a form resource: a 32-bit length, then a BMP file of exactly that length.
TEST(Bitmap, FormResourceData) {
    auto source = Pattern();
    const QByteArray data = source->WriteData();
    ASSERT_GT(data.size(), 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData()), data.size() - 4);
    EXPECT_EQ(data.mid(4, 2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 6), quint32(data.size() - 4));
    TBitmap back;
    back.ReadData(data);
    ExpectPattern(back);

    QByteArray empty(4, '\0');
    back.ReadData(empty);
    EXPECT_TRUE(back.Empty());

    // A length the data does not hold, a negative one, or no length at all is a read error; bytes
    // that are no bitmap are an invalid bitmap.
    QByteArray longer = data;
    qToLittleEndian<qint32>(data.size(), longer.data());
    const QByteArray negative = QByteArray::fromHex("FFFFFFFF424D");
    for (const QByteArray& bad : {longer, negative, QByteArray("BM"), data.left(data.size() - 1)}) {
        SCOPED_TRACE(bad.toHex().left(16).toStdString());
        try {
            back.ReadData(bad);
            FAIL() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
        }
    }
    QByteArray garbage(4, '\0');
    qToLittleEndian<qint32>(6, garbage.data());
    garbage += "BMxxxx";
    try {
        back.ReadData(garbage);
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
}

TEST(Bitmap, AStreamIsReadUpToTheBitmapsSize) {
    auto first = Pattern();
    auto second = FilledBitmap(2, 2, clTeal);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    first->SaveToStream(&buffer);
    second->SaveToStream(&buffer);
    buffer.seek(0);
    TBitmap a, b;
    a.LoadFromStream(&buffer);
    b.LoadFromStream(&buffer);
    ExpectPattern(a);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clTeal);
    EXPECT_TRUE(buffer.atEnd());
    // A header that promises more than the stream holds.
    QByteArray truncated = first->WriteData().mid(4);
    truncated.chop(5);
    QBuffer shortBuffer(&truncated);
    shortBuffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(a.LoadFromStream(&shortBuffer), EInvalidGraphic);
}

TEST(Bitmap, FilesInBmpAndPng) {
    mox::test::ScratchDir dir;
    auto source = Pattern();
    for (const char* name : {"pattern.bmp", "pattern.png"}) {
        SCOPED_TRACE(name);
        source->SaveToFile(dir.File(name));
        TBitmap back;
        back.LoadFromFile(dir.File(name));
        ExpectPattern(back);
    }
    QFile png(dir.File("pattern.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_EQ(png.read(4), QByteArray("\x89PNG"));
    TBitmap missing;
    try {
        missing.LoadFromFile(dir.File("none.bmp"));
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot open file \"" + dir.File("none.bmp") + "\"."));
    }
}

TEST(Bitmap, PixelFormatReducesColoursAndIsTheSavedDepth) {
    auto bitmap = Pattern();
    bitmap->SetPixelFormat(pf1bit);
    EXPECT_TRUE(bitmap->Monochrome());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const TColor c = bitmap->Canvas()->Pixels(x, y);
            EXPECT_TRUE(c == clBlack || c == clWhite) << x << "," << y;
        }
    EXPECT_EQ(bitmap->TransparentColor(), clWhite) << "a monochrome bitmap's transparent colour";
    const QByteArray data = bitmap->WriteData();
    EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 4 + 28), 1) << "bits per pixel";
    TBitmap back;
    back.ReadData(data);
    EXPECT_EQ(back.PixelFormat(), pf1bit);
    auto colours = Pattern();
    colours->SetPixelFormat(pf4bit);
    EXPECT_EQ(colours->Canvas()->Pixels(0, 0), clRed) << "red is one of the sixteen colours";
    EXPECT_EQ(qFromLittleEndian<quint16>(colours->WriteData().constData() + 4 + 28), 4);
}

TEST(Bitmap, NamedResourcesAreFoundWithoutRegardToCase) {
    for (const char* name : {"TEST_STRIP", "test_strip", "Test_Strip.BMP"}) {
        SCOPED_TRACE(name);
        TBitmap bitmap;
        bitmap.LoadFromResourceName(name);
        EXPECT_EQ(bitmap.Width(), 48);
        EXPECT_EQ(bitmap.Height(), 16);
        EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
        EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clFuchsia);
        EXPECT_EQ(bitmap.Canvas()->Pixels(5, 5), clRed);
        EXPECT_EQ(bitmap.Canvas()->Pixels(21, 5), clLime);
    }
    EXPECT_EQ(FindResource("bitmaps", "test_strip"), ":/res/bitmaps/TEST_STRIP.bmp");
    EXPECT_TRUE(FindResource("bitmaps", "NOPE").isEmpty());
    TBitmap bitmap;
    try {
        bitmap.LoadFromResourceName("NOPE");
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NOPE not found");
    }
}

TEST(Icon, FromABitmapWithItsTransparency) {
    auto sprite = FilledBitmap(16, 16, clFuchsia);
    sprite->Canvas()->Brush()->SetColor(clBlue);
    sprite->Canvas()->FillRect(Rect(4, 4, 12, 12));
    sprite->SetTransparent(true);
    TIcon icon;
    icon.Assign(sprite.get());
    ASSERT_EQ(icon.Width(), 16);
    EXPECT_EQ(qAlpha(icon.Image().pixel(0, 0)), 0);
    EXPECT_EQ(icon.Image().pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_THROW(icon.SetWidth(32), EInvalidGraphicOperation);
    auto dest = FilledBitmap(16, 16, clGreen);
    dest->Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clGreen);
    EXPECT_EQ(dest->Canvas()->Pixels(8, 8), clBlue);

    mox::test::ScratchDir dir;
    icon.SaveToFile(dir.File("sprite.ico"));
    TIcon back;
    back.LoadFromFile(dir.File("sprite.ico"));
    EXPECT_EQ(back.Width(), 16);
    EXPECT_EQ(qAlpha(back.Image().pixel(0, 0)), 0);
    EXPECT_EQ(back.Image().pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_FALSE(back.Handle().isNull());
}

TEST(Picture, HoldsOneGraphicOfTheFilesKind) {
    mox::test::ScratchDir dir;
    Pattern()->SaveToFile(dir.File("p.bmp"));
    TIcon icon;
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    icon.SetImage(red);
    icon.SaveToFile(dir.File("i.ico"));

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(dir.File("p.bmp"));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(changes, 1);
    picture.Bitmap()->Canvas()->SetPixels(2, 1, clBlack);
    EXPECT_EQ(changes, 2) << "a change of the graphic is the picture's";
    picture.LoadFromFile(dir.File("i.ico"));
    EXPECT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    // Asking for a bitmap of an icon picture replaces the icon with an empty bitmap.
    EXPECT_TRUE(picture.Bitmap()->Empty());
    try {
        picture.LoadFromFile(dir.File("p.xyz"));
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }

    TPicture other;
    other.Bitmap()->Assign(Pattern().get());
    picture.Assign(&other);
    ExpectPattern(*picture.Bitmap());
    EXPECT_NE(picture.Bitmap(), other.Bitmap());
    picture.Assign(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(Picture, FormResourceDataNamesTheGraphicsClass) {
    TPicture picture;
    picture.Bitmap()->Assign(Pattern().get());
    const QByteArray data = picture.WriteData();
    EXPECT_EQ(data.left(8), QByteArray("\x07TBitmap"));
    EXPECT_EQ(data.mid(8), picture.Bitmap()->WriteData());
    TPicture back;
    back.ReadData(data);
    ExpectPattern(*back.Bitmap());
    EXPECT_THROW(back.ReadData(QByteArray("\x08TUnknown")), EInvalidGraphic);
    EXPECT_THROW(back.ReadData(QByteArray("\x20TBitmap")), EReadError);
}

} // namespace
