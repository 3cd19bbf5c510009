// The library's bitmap resources: found by name without regard to case, at the sizes the controls
// lay their glyphs out for, with fuchsia as the transparent colour in the corner.
#include <gtest/gtest.h>

#include "vcl/Graphics.h"

namespace {

TEST(LibraryResources, GlyphBitmapsHaveTheirSizes) {
    const struct {
        const char* name;
        int width, height;
    } cases[] = {
        {"BTN_DROPDOWN", 20, 10},      {"btn_lookup", 20, 10},          {"BTN_FIND", 20, 10},
        {"BTN_FOLDER", 20, 10},        {"BTN_COMPUTER", 20, 10},        {"BTN_CALENDAR", 20, 10},
        {"BTN_CLOCK", 20, 10},         {"BTN_ACCEPT", 20, 10},          {"BTN_REJECT", 20, 10},
        {"BTN_CALCULATOR", 20, 10},    {"BTN_DBN_FIRST", 36, 18},       {"BTN_DBN_PRIORPAGE", 36, 18},
        {"BTN_DBN_PRIOR", 36, 18},     {"BTN_DBN_NEXT", 36, 18},        {"BTN_DBN_NEXTPAGE", 36, 18},
        {"BTN_DBN_LAST", 36, 18},      {"BTN_DBN_INSERT", 36, 18},      {"BTN_DBN_EDIT", 36, 18},
        {"BTN_DBN_DELETE", 36, 18},    {"BTN_DBN_POST", 36, 18},        {"BTN_DBN_CANCEL", 36, 18},
        {"BTN_DBN_REFRESH", 36, 18},   {"BTN_DBN_SETBOOKMARK", 36, 18}, {"Btn_Dbn_GotoBookmark", 36, 18},
        {"BTN_DBN_FILTERDIALOG", 36, 18}, {"BTN_DBN_LOCATEDIALOG", 36, 18}, {"BTN_DBN_SEARCHDIALOG", 36, 18},
        {"BTN_DBN_RECORDDIALOG", 36, 18}, {"BMP_TRUETYPE", 16, 16},
    };
    for (const auto& c : cases) {
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFromResourceName(c.name)) << c.name;
        EXPECT_EQ(bitmap.Width(), c.width) << c.name;
        EXPECT_EQ(bitmap.Height(), c.height) << c.name;
        EXPECT_EQ(ColorToRGB(bitmap.Canvas()->Pixels(0, 0)), TColor(0xFF00FF)) << c.name;
    }
}

} // namespace
