#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

TEST(MoxVarEquals, ComparesAndNeverRaises) {
    struct {
        Variant a, b;
        bool equal;
    } cases[] = {
        {Variant(1), Variant(1.0), true},
        {Variant(1), Variant("1"), true},
        {Variant("abc"), Variant("abc"), true},
        {Variant("abc"), Variant("ABC"), false},
        {Variant(2), Variant(3), false},
        {Null(), Null(), true},
        {Null(), Variant(0), false},
        {Unassigned(), Unassigned(), true},
        {Variant("abc"), Variant(5), false},             // the text is no number
        {VarArrayOf({1, 2}), VarArrayOf({1, 2}), false}, // arrays do not compare
        {Variant(true), Variant(-1), true},
    };
    for (const auto& c : cases) {
        EXPECT_NO_THROW(EXPECT_EQ(VarEquals(c.a, c.b), c.equal)
                        << VarToStr(c.a).toStdString() << " = " << VarToStr(c.b).toStdString());
    }
}

TEST(MoxNamedValues, AnUnassignedVariantIsTheEmptyList) {
    Variant list;
    EXPECT_EQ(NamedValuesCount(list), 0);
    EXPECT_EQ(NamedValueIndex(list, "x"), -1);
    EXPECT_TRUE(NamedValueByName(list, "x").IsEmpty());
    EXPECT_THROW(NamedValueAt(list, 0), EVariantError);
}

TEST(MoxNamedValues, AddFindAndReplace) {
    Variant list;
    EXPECT_EQ(AddNamedValue(list, "Width", 10), 0);
    EXPECT_EQ(AddNamedValue(list, "Caption", "Hello"), 1);
    EXPECT_EQ(AddNamedValue(list, "Empty", Null()), 2);
    EXPECT_EQ(NamedValuesCount(list), 3);
    // The layout others read: an array from 0 of [name, value] arrays.
    EXPECT_EQ(VarArrayLowBound(list, 1), 0);
    EXPECT_EQ(VarArrayHighBound(list, 1), 2);
    EXPECT_EQ(VarToStr(list[1][0]), "Caption");
    EXPECT_EQ(VarToStr(list[1][1]), "Hello");

    EXPECT_EQ(NamedValueName(list, 0), "Width");
    EXPECT_EQ(NamedValueAt(list, 0).ToInt(), 10);
    EXPECT_EQ(NamedValueIndex(list, "caption"), 1);
    EXPECT_EQ(NamedValueIndex(list, "CAPTION"), 1);
    EXPECT_EQ(NamedValueIndex(list, "Capt"), -1);
    EXPECT_TRUE(NamedValueByName(list, "empty").IsNull());
    EXPECT_EQ(VarToStr(NamedValueByName(list, "CAPTION")), "Hello");

    const Variant before = list; // arrays are values: the copy keeps its contents
    SetNamedValueAt(list, 0, 20);
    EXPECT_EQ(NamedValueAt(list, 0).ToInt(), 20);
    EXPECT_EQ(NamedValueAt(before, 0).ToInt(), 10);

    SetNamedValue(list, "WIDTH", 30);
    EXPECT_EQ(NamedValuesCount(list), 3);
    EXPECT_EQ(NamedValueName(list, 0), "Width"); // the name keeps its first spelling
    EXPECT_EQ(NamedValueAt(list, 0).ToInt(), 30);
    SetNamedValue(list, "Height", 5);
    EXPECT_EQ(NamedValuesCount(list), 4);
    EXPECT_EQ(NamedValueIndex(list, "height"), 3);
    EXPECT_EQ(VarToStr(NamedValueAt(list, 1)), "Hello"); // the others stay

    EXPECT_THROW(NamedValueAt(list, 4), EVariantBadIndexError);
    EXPECT_THROW(SetNamedValueAt(list, -1, 1), EVariantBadIndexError);
}

TEST(MoxNamedValues, DuplicateNamesFindTheFirst) {
    Variant list;
    AddNamedValue(list, "a", 1);
    AddNamedValue(list, "A", 2);
    EXPECT_EQ(NamedValueIndex(list, "a"), 0);
    EXPECT_EQ(NamedValueByName(list, "A").ToInt(), 1);
}

TEST(MoxNamedValues, ValuesMayBeArrays) {
    Variant list;
    AddNamedValue(list, "Range", VarArrayOf({1, 9}));
    const Variant range = NamedValueByName(list, "range");
    ASSERT_TRUE(range.IsArray());
    EXPECT_EQ(range[1].ToInt(), 9);
}

} // namespace
