#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/Menus.h"

namespace {
struct ShortCutCase {
    Word key;
    TShiftState shift;
    TShortCut shortCut;
    const char* text;
};

constexpr Word vkDown = 0x28, vkF1 = 0x70, vkReturn = 0x0D, vkNumpad5 = 0x65, vkDelete = 0x2E, vkComma = 0xBC;

const ShortCutCase shortCutCases[] = {
    {vkDown, ssAlt, 32808, "Alt+Down"},
    {'O', ssCtrl, 0x4000 + 'O', "Ctrl+O"},
    {vkF1, {}, vkF1, "F1"},
    {'9', ssShift | ssCtrl | ssAlt, 0xE000 + '9', "Shift+Ctrl+Alt+9"},
    {vkReturn, ssShift, 0x2000 + vkReturn, "Shift+Enter"},
    {vkNumpad5, {}, vkNumpad5, "Num 5"},
    {vkDelete, ssCtrl, 0x4000 + vkDelete, "Ctrl+Del"},
    {vkComma, ssCtrl, 0x4000 + vkComma, "Ctrl+,"},
    {0x87, {}, 0x87, "F24"},
};
} // namespace

TEST(ShortCuts, KeyAndShiftMakeTheShortCutAndItsText) {
    for (const ShortCutCase& c : shortCutCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ShortCut(c.key, c.shift), c.shortCut);
        EXPECT_EQ(ShortCutToText(c.shortCut), QString::fromLatin1(c.text));
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(c.text)), c.shortCut);
        Word key = 0;
        TShiftState shift;
        ShortCutToKey(c.shortCut, key, shift);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(shift, c.shift);
    }
}

TEST(ShortCuts, MouseFlagsAndWideKeysMakeNoShortCut) {
    EXPECT_EQ(ShortCut('A', ssLeft | ssDouble | ssCtrl), 0x4000 + 'A');
    EXPECT_EQ(ShortCut(0x100, ssCtrl), scNone);
    EXPECT_EQ(ShortCut(0xFFFF, {}), scNone);
}

TEST(ShortCuts, TextIsReadWithoutRegardToCaseOrModifierOrder) {
    EXPECT_EQ(TextToShortCut("ctrl+o"), ShortCut('O', ssCtrl));
    EXPECT_EQ(TextToShortCut("ALT+DOWN"), 32808);
    EXPECT_EQ(TextToShortCut("Alt+Shift+F1"), ShortCut(vkF1, ssShift | ssAlt));
}

TEST(ShortCuts, TextsThatNameNoKeyGiveNone) {
    for (const char* text : {"", "Ctrl+", "Ctrl+Alt+", "Hyper+O", "Ctrl+Ctrl", "F25", "Ctrl+OO", "Num 10"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(text)), scNone);
    }
    EXPECT_EQ(ShortCutToText(scNone), QString());
    EXPECT_EQ(ShortCutToText(scCtrl), QString()); // modifiers without a key
    EXPECT_EQ(ShortCutToText(0x07), QString());   // a code without a name
}

TEST(ShortCuts, QtShowsTheSameKeys) {
    EXPECT_EQ(ShortCutToKeySequence(TextToShortCut("Ctrl+O")), QKeySequence("Ctrl+O"));
    EXPECT_EQ(ShortCutToKeySequence(32808), QKeySequence(Qt::ALT | Qt::Key_Down));
    EXPECT_EQ(ShortCutToKeySequence(TextToShortCut("Shift+F12")), QKeySequence(Qt::SHIFT | Qt::Key_F12));
    EXPECT_EQ(ShortCutToKeySequence(TextToShortCut("Num 5")), QKeySequence(Qt::KeypadModifier | Qt::Key_5));
    EXPECT_TRUE(ShortCutToKeySequence(0x07).isEmpty());
}
