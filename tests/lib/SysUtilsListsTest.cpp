#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

// Counts the objects alive; a second base class puts TObject away from the object's start.
struct Tracked : QObject, TObject {
    explicit Tracked(int& alive) : alive_(alive) { ++alive_; }
    ~Tracked() override { --alive_; }
    int& alive_;
};

TEST(MoxListsOnDemand, ExistOnlyWhileTheyHoldItems) {
    TList* list = nullptr;
    int a = 1, b = 2;
    EXPECT_EQ(ListCount(list), 0);
    EXPECT_EQ(ListIndexOf(list, &a), -1);
    EXPECT_EQ(ListRemove(list, Pointer(&a)), nullptr);
    EXPECT_EQ(ListRemoveLast(list), nullptr);
    try {
        ListItem(list, 3);
        ADD_FAILURE() << "no list, no item";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }

    EXPECT_EQ(ListAdd(list, &a), 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ListNeed(list), list);
    EXPECT_EQ(ListAdd(list, &b), 1);
    EXPECT_EQ(ListCount(list), 2);
    EXPECT_EQ(ListIndexOf(list, &b), 1);
    EXPECT_EQ(ListItem(list, 0), &a);
    EXPECT_THROW(ListItem(list, 2), EListError);

    EXPECT_EQ(ListRemoveLast(list), &b);
    EXPECT_EQ(ListRemove(list, Pointer(&b)), nullptr);
    EXPECT_NE(list, nullptr);
    EXPECT_EQ(ListDelete(list, 0), &a);
    EXPECT_EQ(list, nullptr) << "an emptied list is freed";

    ListNeed(list);
    ListFree(list);
    EXPECT_EQ(list, nullptr);
}

TEST(MoxListsOnDemand, FreeAllFreesObjectsByTheirObjectAddress) {
    int alive = 0;
    TList* list = nullptr;
    auto* first = new Tracked(alive);
    auto* second = new Tracked(alive);
    ListAdd(list, first);
    ListAdd(list, second);
    EXPECT_EQ(ListIndexOf(list, second), 1);
    EXPECT_EQ(ListRemove(list, second), static_cast<TObject*>(second));
    delete second;
    ListAdd(list, new Tracked(alive));
    EXPECT_EQ(alive, 2);

    ListFreeAll(list, false);
    EXPECT_EQ(alive, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 0);

    ListAdd(list, new Tracked(alive));
    ListFreeAll(list, true);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(list, nullptr);
    ListFreeAll(list, true); // no list: nothing to do
}

QStringList Lines(TStrings& list) {
    return list.ToQStringList();
}

TEST(MoxHistory, NewestFirstBoundedWithoutRepeats) {
    TStringList list;
    for (const char* s : {"A", "B", "C"})
        list.Add(s);
    struct {
        const char* text;
        int index, max, position;
        QStringList after;
    } steps[] = {
        {"D", 0, 3, 0, {"D", "A", "B"}}, {"B", 0, 3, 0, {"B", "D", "A"}},
        {"b", 0, 3, 0, {"B", "D", "A"}}, // the list's search ignores case
        {"A", 0, 3, 0, {"A", "B", "D"}}, {"A", 0, 3, 0, {"A", "B", "D"}},
        {"E", 5, 3, 2, {"A", "B", "E"}}, // at most the last place within the bound
        {"F", 1, 2, 1, {"A", "F"}},      // a smaller bound cuts the end
        {"A", 7, 2, 1, {"F", "A"}},      // moving keeps within the list
        {"G", -3, 2, 0, {"G", "F"}},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(AddHistory(&list, s.index, s.text, s.max), s.position) << s.text;
        EXPECT_EQ(Lines(list), s.after) << s.text;
    }
}

TEST(MoxHistory, ObjectsFollowAndAreReplaced) {
    TStringList list;
    TObject one, two, three;
    EXPECT_EQ(AddHistoryItem(&list, 0, "x", 5, &one), 0);
    EXPECT_EQ(AddHistoryItem(&list, 0, "y", 5, &two), 0);
    EXPECT_EQ(list.Objects(1), &one);
    EXPECT_EQ(AddHistoryItem(&list, 0, "x", 5, &three), 0);
    EXPECT_EQ(Lines(list), (QStringList{"x", "y"}));
    EXPECT_EQ(list.Objects(0), &three);
    EXPECT_EQ(list.Objects(1), &two);
    // An index past the end appends.
    EXPECT_EQ(AddHistoryItem(&list, 9, "z", 5, nullptr), 2);
    // No room at all: the entry does not stay.
    EXPECT_EQ(AddHistory(&list, 0, "w", 0), -1);
    EXPECT_EQ(list.Count(), 0);
}

TEST(MoxHistory, OneNoticeForTheWholeChange) {
    TStringList list;
    for (const char* s : {"A", "B", "C"})
        list.Add(s);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    AddHistory(&list, 0, "D", 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Lines(list), (QStringList{"D", "A"}));
}

} // namespace
