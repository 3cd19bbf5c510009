#include <QApplication>
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "vcl/Graphics.h"
#include "vcl/TypInfo.h"

namespace {

struct NamedColor {
    TColor color;
    const char* name;
};

TEST(Colors, NamesBothWays) {
    const NamedColor cases[] = {
        {clBlack, "clBlack"},
        {clRed, "clRed"},
        {clFuchsia, "clFuchsia"},
        {clWhite, "clWhite"},
        {clMoneyGreen, "clMoneyGreen"},
        {clMedGray, "clMedGray"},
        {clBtnFace, "clBtnFace"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {clInfoBk, "clInfoBk"},
        {clMenuBar, "clMenuBar"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
    };
    for (const auto& [color, name] : cases) {
        SCOPED_TRACE(name);
        String ident;
        ASSERT_TRUE(ColorToIdent(color, ident));
        EXPECT_EQ(ident, QString::fromLatin1(name));
        EXPECT_EQ(ColorToString(color), QString::fromLatin1(name));
        int back = 0;
        ASSERT_TRUE(IdentToColor(QString::fromLatin1(name).toUpper(), back));
        EXPECT_EQ(back, int(color));
        EXPECT_EQ(StringToColor(QString::fromLatin1(name)), color);
    }
}

TEST(Colors, UnnamedColoursAreHexadecimal) {
    EXPECT_EQ(ColorToString(TColor(0x00123456)), "$00123456");
    EXPECT_EQ(ColorToString(TColor(0x80000019)), "$80000019"); // index 25 has no name
    EXPECT_EQ(StringToColor("$00123456"), TColor(0x00123456));
    EXPECT_EQ(StringToColor("$80000005"), clWindow);
    EXPECT_EQ(StringToColor("255"), clRed);
    String ident;
    EXPECT_FALSE(ColorToIdent(0x00123456, ident));
    try {
        StringToColor("clNoSuchColour");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'clNoSuchColour' is not a valid integer value");
    }
}

TEST(Colors, ListsEveryNameStandardFirst) {
    QStringList names;
    GetColorValues([&](const String& name) { names << name; });
    ASSERT_EQ(names.size(), 52);
    EXPECT_EQ(names.first(), "clBlack");
    EXPECT_EQ(names[15], "clWhite");
    EXPECT_TRUE(names.contains("clAppWorkSpace"));
    EXPECT_TRUE(names.contains("clHotLight"));
}

TEST(Colors, PlainColoursAndQtColours) {
    EXPECT_EQ(RGB(1, 2, 3), TColor(0x030201));
    EXPECT_EQ(GetRValue(clBlue), 0);
    EXPECT_EQ(GetBValue(clBlue), 255);
    EXPECT_EQ(ColorToRGB(clTeal), clTeal);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToQColor(clOlive), QColor(128, 128, 0));
    EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
    EXPECT_EQ(QColorToColor(QColor(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(QColorToColor(QColor()), clNone);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(clDefault));
}

using SystemColors = mox::test::DistinctPalette;

TEST_F(SystemColors, FollowTheApplicationsPalette) {
    const QPalette palette = QApplication::palette();
    const std::pair<TColor, QColor> cases[] = {
        {clBtnFace, palette.color(QPalette::Button)},
        {clBtnHighlight, palette.color(QPalette::Light)},
        {clBtnShadow, palette.color(QPalette::Dark)},
        {cl3DDkShadow, palette.color(QPalette::Shadow)},
        {cl3DLight, palette.color(QPalette::Midlight)},
        {clWindow, palette.color(QPalette::Base)},
        {clWindowText, palette.color(QPalette::Text)},
        {clHighlight, palette.color(QPalette::Highlight)},
        {clHighlightText, palette.color(QPalette::HighlightedText)},
        {clBtnText, palette.color(QPalette::ButtonText)},
        {clAppWorkSpace, palette.color(QPalette::Dark)},
        {clInfoBk, palette.color(QPalette::ToolTipBase)},
        {clInfoText, palette.color(QPalette::ToolTipText)},
        {clMenu, palette.color(QPalette::Window)},
        {clGrayText, palette.color(QPalette::Disabled, QPalette::Text)},
    };
    for (const auto& [color, expected] : cases) {
        SCOPED_TRACE(ColorToString(color).toStdString());
        EXPECT_EQ(ColorToQColor(color), expected);
        EXPECT_EQ(ColorToRGB(color), QColorToColor(expected));
    }
    // A changed palette changes the colours at once.
    QPalette changed = palette;
    changed.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
    QApplication::setPalette(changed);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0x12, 0x34, 0x56));
}

// The published properties of the drawing tools hold their declared defaults when new, which is how
// the form writer leaves them out, and colour properties are known by their type's name.
TEST(GraphicsObjects, PublishedDefaults) {
    TPen pen;
    TBrush brush;
    TFont font;
    const std::pair<TObject*, const char*> defaults[] = {
        {&pen, "Color"},   {&pen, "Mode"},    {&pen, "Style"},  {&pen, "Width"},
        {&brush, "Color"}, {&brush, "Style"}, {&font, "Pitch"}, {&font, "Orientation"},
    };
    for (const auto& [object, name] : defaults) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(IsDefaultPropValue(object, FindPublishedProp(object, name)));
    }
    EXPECT_FALSE(IsStoredProp(&font, "Size"));
    EXPECT_EQ(QByteArray(FindPublishedProp(&pen, "Color")->Prop().typeName()), "TColor");
    EXPECT_EQ(GetOrdProp(&font, "Color"), Int64(clWindowText));
    EXPECT_EQ(GetEnumProp(&pen, "Mode"), "pmCopy");
    pen.SetMode(pmXor);
    brush.SetColor(clRed);
    EXPECT_FALSE(IsDefaultPropValue(&pen, FindPublishedProp(&pen, "Mode")));
    EXPECT_FALSE(IsDefaultPropValue(&brush, FindPublishedProp(&brush, "Color")));
    SetOrdProp(&pen, "Color", Int64(clBtnFace));
    EXPECT_EQ(pen.Color(), clBtnFace);
    font.SetStyle(fsBold | fsUnderline);
    EXPECT_EQ(GetSetProp(&font, "Style", true), "[fsBold,fsUnderline]");
}

TEST(GraphicsObjects, ChangeEventsAndAssign) {
    TPen pen;
    int changes = 0;
    pen.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &pen);
        ++changes;
    };
    pen.SetColor(clRed);
    pen.SetColor(clRed);
    pen.SetWidth(3);
    EXPECT_EQ(changes, 2);
    TPen other;
    other.SetStyle(psDot);
    pen.Assign(&other);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(pen.Style(), psDot);
    EXPECT_EQ(pen.Width(), 1);
    TBrush notAPen;
    EXPECT_THROW(pen.Assign(&notAPen), EConvertError);

    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clBlue); // a colour makes a clear brush solid
    EXPECT_EQ(brush.Style(), bsSolid);
}

} // namespace
