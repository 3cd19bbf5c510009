#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "vcl/Graphics.h"

namespace {

// The face the system gives for a generic kind of font.
QString SystemFace(const char* generic, QFont::StyleHint hint) {
    QFont font(QString::fromLatin1(generic));
    font.setStyleHint(hint);
    return QFontInfo(font).family();
}

TEST(Font, DefaultIsMsSansSerifEightPointOnAnInstalledSansFace) {
    TFont font;
    ASSERT_EQ(font.PixelsPerInch(), 96) << "the test screen reports 96 pixels per inch";
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Style(), TFontStyles());
    EXPECT_EQ(font.Pitch(), fpDefault);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    // Not installed here: the nearest sans-serif face stands in, at the same pixel size.
    EXPECT_FALSE(QFontDatabase::families().contains("MS Sans Serif"));
    EXPECT_TRUE(QFontDatabase::families().contains(font.FamilyName()));
    EXPECT_EQ(font.FamilyName(), SystemFace("sans-serif", QFont::SansSerif));
    EXPECT_EQ(font.Handle().pixelSize(), 11);
    EXPECT_EQ(QFontInfo(font.Handle()).family(), font.FamilyName());
    EXPECT_TRUE(font.CanRotate());
}

TEST(Font, PointsAndPixelsAt96PixelsPerInch) {
    struct Case {
        int size;
        int height;
    };
    const Case cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {24, -32}, {72, -96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        TFont font;
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height);
        EXPECT_EQ(font.Handle().pixelSize(), -c.height);
        TFont back;
        back.SetHeight(c.height);
        EXPECT_EQ(back.Size(), c.size);
    }
    TFont cell;
    cell.SetHeight(20); // a cell height gives a negative size
    EXPECT_EQ(cell.Size(), -15);
    // The cell, leading included, is the height asked for.
    EXPECT_NEAR(QFontMetrics(cell.Handle()).height(), 20, 1);
}

TEST(Font, OtherResolutionsKeepThePointSizeOnAssign) {
    TFont large;
    large.SetPixelsPerInch(120);
    large.SetSize(8);
    EXPECT_EQ(large.Height(), -13);
    TFont screen;
    screen.Assign(&large);
    EXPECT_EQ(screen.Size(), 8);
    EXPECT_EQ(screen.Height(), -11);
}

TEST(Font, KindsOfFacesAndStyles) {
    TFont font;
    font.SetName("Courier New");
    EXPECT_EQ(font.FamilyName(), SystemFace("monospace", QFont::Monospace));
    const QFontMetrics mono(font.Handle());
    EXPECT_EQ(mono.horizontalAdvance("iiii"), mono.horizontalAdvance("WWWW"));
    font.SetName("Times New Roman");
    EXPECT_EQ(font.FamilyName(), SystemFace("serif", QFont::Serif));
    font.SetName("DejaVu Sans Mono");
    EXPECT_EQ(font.FamilyName(), "DejaVu Sans Mono");
    font.SetName("dejavu sans");
    EXPECT_EQ(font.FamilyName(), "DejaVu Sans");
    font.SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_TRUE(font.Handle().bold());
    EXPECT_TRUE(font.Handle().italic());
    EXPECT_TRUE(font.Handle().underline());
    EXPECT_TRUE(font.Handle().strikeOut());
}

TEST(Font, ChangeEventAndAssign) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetSize(8); // unchanged
    font.SetName("MS Sans Serif");
    font.SetColor(clRed);
    font.SetOrientation(900);
    font.SetStyle(fsBold);
    EXPECT_EQ(changes, 3);
    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Orientation(), 900);
    EXPECT_EQ(copy.Style(), TFontStyles(fsBold));
}

} // namespace
