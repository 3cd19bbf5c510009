#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

template <class E> QString MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

// Remembers every notice as "added:x", "deleted:x", "extracted:x".
class LoggingList : public TList {
public:
    QStringList log;

protected:
    void Notify(Pointer Ptr, TListNotification Action) override {
        static const char* names[] = {"added", "extracted", "deleted"};
        log << QString("%1:%2").arg(names[Action]).arg(*static_cast<char*>(Ptr));
    }
};

struct Counted : TObject {
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
};

TEST(List, ErrorsCarryThePlatformsMessages) {
    TList list;
    char a = 'a', b = 'b';
    list.Add(&a);
    list.Add(&b);
    TList empty;
    struct Case {
        const char* what;
        std::function<void()> call;
        QString message;
    };
    const Case cases[] = {
        {"Items below", [&] { list.Items(-1); }, "List index out of bounds (-1)"},
        {"Items past", [&] { list.Items(2); }, "List index out of bounds (2)"},
        {"SetItems", [&] { list.SetItems(3, nullptr); }, "List index out of bounds (3)"},
        {"Delete", [&] { list.Delete(2); }, "List index out of bounds (2)"},
        {"Insert", [&] { list.Insert(3, &a); }, "List index out of bounds (3)"},
        {"Exchange", [&] { list.Exchange(1, -2); }, "List index out of bounds (-2)"},
        {"Move to", [&] { list.Move(0, 2); }, "List index out of bounds (2)"},
        {"Move from", [&] { list.Move(5, 1); }, "List index out of bounds (5)"},
        {"First of empty", [&] { empty.First(); }, "List index out of bounds (0)"},
        {"Last of empty", [&] { empty.Last(); }, "List index out of bounds (-1)"},
        {"Capacity", [&] { list.SetCapacity(1); }, "List capacity out of bounds (1)"},
        {"Count", [&] { list.SetCount(-1); }, "List count out of bounds (-1)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EListError>(c.call), c.message) << c.what;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &b);
}

TEST(List, OperationsAndTheirNotices) {
    char a = 'a', b = 'b', c = 'c', d = 'd';
    LoggingList list;
    list.Add(&a);
    list.Add(nullptr); // no notice for a null pointer
    list.Insert(0, &b);
    list.Add(&c);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf(&c), 3);
    EXPECT_EQ(list.IndexOf(&d), -1);
    EXPECT_EQ(list.Remove(&d), -1);
    EXPECT_EQ(list.Extract(&d), nullptr);
    EXPECT_EQ(list.Extract(&a), &a);
    EXPECT_EQ(list.Remove(&c), 2);
    list.SetItems(0, &d); // replaces b
    EXPECT_EQ(list.log, (QStringList{"added:a", "added:b", "added:c", "extracted:a", "deleted:c", "deleted:b",
                                     "added:d"}));
    EXPECT_EQ(list.Count(), 2);
    list.Pack();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), &d);

    list.log.clear();
    list.SetCount(3);
    EXPECT_EQ(list.Items(2), nullptr);
    list.SetItems(1, &a);
    list.SetCount(1);
    EXPECT_EQ(list.log, (QStringList{"added:a", "deleted:a"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(List, SortExchangeMoveAndCapacity) {
    int values[] = {5, 3, 9, 1, 3};
    TList list;
    for (int& v : values)
        list.Add(&v);
    EXPECT_GE(list.Capacity(), list.Count());
    list.Sort([](Pointer x, Pointer y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    auto contents = [&] {
        QList<int> r;
        for (int i = 0; i < list.Count(); ++i)
            r << *static_cast<int*>(list.Items(i));
        return r;
    };
    EXPECT_EQ(contents(), (QList<int>{1, 3, 3, 5, 9}));
    EXPECT_EQ(list.Items(1), &values[1]); // equal items keep their order
    list.Exchange(0, 4);
    EXPECT_EQ(contents(), (QList<int>{9, 3, 3, 5, 1}));
    list.Move(0, 3);
    EXPECT_EQ(contents(), (QList<int>{3, 3, 5, 9, 1}));
    list.SetCapacity(100);
    EXPECT_EQ(list.Capacity(), 100);
    list.SetCapacity(5);
    EXPECT_EQ(list.Capacity(), 5);

    TList copy;
    copy.Assign(&list);
    EXPECT_EQ(copy.Count(), 5);
    EXPECT_EQ(copy.Items(3), list.Items(3));
}

TEST(ObjectList, FreesWhatItOwnsAndNotWhatItGivesAway) {
    Counted::alive = 0;
    auto* kept = new Counted;
    {
        TObjectList list;
        EXPECT_TRUE(list.OwnsObjects());
        auto* first = new Counted;
        list.Add(first);
        list.Add(kept);
        list.Add(new Counted);
        list.Add(new Counted);
        EXPECT_EQ(Counted::alive, 4);
        list.Delete(0);
        EXPECT_EQ(Counted::alive, 3);
        EXPECT_EQ(list.Extract(kept), kept);
        list.Remove(list.Last());
        list.SetItems(0, new Counted); // the replaced object goes
        EXPECT_EQ(Counted::alive, 2);
        EXPECT_EQ(list.Count(), 1);

        TObjectList borrowing(false);
        borrowing.Add(kept);
        borrowing.Clear();
        EXPECT_EQ(Counted::alive, 2);
    }
    EXPECT_EQ(Counted::alive, 1);
    delete kept;
}

} // namespace
