#include <QLocale>
#include <QMetaProperty>
#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

QStringList Lines(const TStrings& list) {
    return list.ToQStringList();
}

template <class E> QString MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

// The smallest possible TStrings: everything else comes from the base class.
class PlainStrings : public TStrings {
public:
    QStringList lines;
    int Count() const override { return int(lines.size()); }
    String Get(int Index) const override { return lines.at(Index); }
    void Insert(int Index, const String& S) override { lines.insert(Index, S); }
    void Delete(int Index) override { lines.removeAt(Index); }
    void Clear() override { lines.clear(); }
};

// Comparisons follow the locale's collation, so the tests fix the locale.
class StringList : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

struct Counted : TObject {
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
};

TEST_F(StringList, CommaTextQuotesAsThePlatform) {
    struct Case {
        QStringList lines;
        QString text;
    };
    const Case cases[] = {
        {{}, ""},
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{""}, "\"\""},
        {{"", ""}, ","},
        {{"a", "", "b"}, "a,,b"},
        {{"a", ""}, "a,"},
        {{"x,y"}, "\"x,y\""},
        {{" lead", "tab\there"}, "\" lead\",\"tab\there\""},
        {{"semi;colon", "it's"}, "semi;colon,it's"},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetQStringList(c.lines);
        EXPECT_EQ(list.CommaText(), c.text) << c.lines.join('|').toStdString();
        TStringList back;
        back.SetCommaText(c.text);
        EXPECT_EQ(Lines(back), c.lines) << c.text.toStdString();
    }
}

TEST_F(StringList, CommaTextParsing) {
    struct Case {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"a b,c", {"a", "b", "c"}},
        {"  a , b  ", {"a", "b"}},
        {",a", {"", "a"}},
        {"\"a b\", \"c\"\"d\"", {"a b", "c\"d"}},
        {"\"unterminated", {"unterminated"}},
        {"\"a\"b", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.Add("old");
        list.SetCommaText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text.toStdString();
    }
}

TEST_F(StringList, CommaTextIgnoresTheListsDelimiterSettings) {
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetStrictDelimiter(true);
    list.SetQStringList({"a b", "c"});
    EXPECT_EQ(list.CommaText(), "\"a b\",c");
    EXPECT_EQ(list.DelimitedText(), "a b;c");
}

TEST_F(StringList, DelimitedTextWithOwnDelimiterAndQuote) {
    struct Case {
        QChar delimiter, quote;
        bool strict;
        QStringList lines;
        QString text;
        QString parse; // parsed back into lines
        QStringList parsed;
    };
    const Case cases[] = {
        {';', '\'', false, {"a b", "it's", "c"}, "'a b';'it''s';c", "a b;'x;y' z", {"a", "b", "x;y", "z"}},
        {';', '"', true, {"a b", " c", "d;e"}, "a b; c;\"d;e\"", "a b; c;;", {"a b", " c", "", ""}},
        {'|', '"', true, {"", "x"}, "|x", " \"q\" |x", {" \"q\" ", "x"}},
        {',', '"', true, {"\"quoted\""}, "\"\"\"quoted\"\"\"", "\"a,b\",c", {"a,b", "c"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetDelimiter(c.delimiter);
        list.SetQuoteChar(c.quote);
        list.SetStrictDelimiter(c.strict);
        list.SetQStringList(c.lines);
        EXPECT_EQ(list.DelimitedText(), c.text);
        TStringList back;
        back.SetDelimiter(c.delimiter);
        back.SetQuoteChar(c.quote);
        back.SetStrictDelimiter(c.strict);
        back.SetDelimitedText(c.text);
        EXPECT_EQ(Lines(back), c.lines) << c.text.toStdString();
        back.SetDelimitedText(c.parse);
        EXPECT_EQ(Lines(back), c.parsed) << c.parse.toStdString();
    }
}

TEST_F(StringList, TextEndsEveryLineAndSplitsAtAnyBreak) {
    TStringList list;
    list.SetQStringList({"a", "b"});
    EXPECT_EQ(list.Text(), "a\nb\n");
    list.SetLineBreak("\r\n");
    EXPECT_EQ(list.Text(), "a\r\nb\r\n");
    list.SetTrailingLineBreak(false);
    EXPECT_EQ(list.Text(), "a\r\nb");
    list.Clear();
    EXPECT_EQ(list.Text(), "");

    struct Case {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\n\ra", {"", "", "a"}},
        {" x \n", {" x "}},
    };
    for (const Case& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text.toStdString();
    }
}

TEST_F(StringList, NamesAndValues) {
    TStringList list;
    list.SetQStringList({"a=1", "B=2", "noeq", "c==3", "=empty"});
    EXPECT_EQ(list.Values("b"), "2");
    EXPECT_EQ(list.Values("c"), "=3");
    EXPECT_EQ(list.Values("noeq"), "");
    EXPECT_EQ(list.Values(""), "empty");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Names(3), "c");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.ValueFromIndex(3), "=3");
    EXPECT_EQ(list.ValueFromIndex(-1), "");
    EXPECT_EQ(list.IndexOfName("C"), 3);
    EXPECT_EQ(list.IndexOfName("noeq"), -1);

    list.SetValues("A", "x");
    EXPECT_EQ(list.Strings(0), "A=x");
    list.SetValues("new", "v");
    EXPECT_EQ(list.Strings(list.Count() - 1), "new=v");
    list.SetValues("b", "");
    EXPECT_EQ(list.IndexOfName("B"), -1);
    list.SetValues("missing", ""); // deleting what is not there changes nothing
    EXPECT_EQ(list.Count(), 5);
    list.SetValueFromIndex(1, "changed");
    EXPECT_EQ(list.Strings(1), "=changed"); // "noeq" had no name
    list.SetValueFromIndex(-1, "added");
    EXPECT_EQ(list.Strings(list.Count() - 1), "=added");

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOfName("a"), -1);
    EXPECT_EQ(list.IndexOfName("A"), 0);

    TStringList colon;
    colon.SetNameValueSeparator(':');
    colon.SetQStringList({"key:a=b"});
    EXPECT_EQ(colon.Names(0), "key");
    EXPECT_EQ(colon.Values("KEY"), "a=b");
}

TEST_F(StringList, SortedListsAndDuplicatesFollowTheCaseRule) {
    struct Case {
        bool caseSensitive;
        TDuplicates duplicates;
        QStringList result;
        QList<int> indexes; // what each Add returned
    };
    const QStringList added{"b", "A", "a", "B"};
    const Case cases[] = {
        {false, dupIgnore, {"A", "b"}, {0, 0, 0, 1}},
        {false, dupAccept, {"a", "A", "B", "b"}, {0, 0, 0, 2}},
        {true, dupIgnore, {"a", "A", "b", "B"}, {0, 0, 0, 3}},
        {true, dupError, {"a", "A", "b", "B"}, {0, 0, 0, 3}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetCaseSensitive(c.caseSensitive);
        list.SetDuplicates(c.duplicates);
        list.SetSorted(true);
        QList<int> indexes;
        for (const QString& s : added)
            indexes << list.Add(s);
        EXPECT_EQ(Lines(list), c.result) << c.caseSensitive << c.duplicates;
        EXPECT_EQ(indexes, c.indexes) << c.caseSensitive << c.duplicates;
    }

    TStringList strict;
    strict.SetSorted(true);
    strict.SetDuplicates(dupError);
    strict.Add("Apple");
    EXPECT_EQ(MessageOf<EStringListError>([&] { strict.Add("APPLE"); }),
              "String list does not allow duplicates");
    EXPECT_EQ(MessageOf<EStringListError>([&] { strict.Insert(0, "x"); }),
              "Operation not allowed on sorted list");
    EXPECT_EQ(MessageOf<EStringListError>([&] { strict.SetStrings(0, "x"); }),
              "Operation not allowed on sorted list");
    EXPECT_EQ(Lines(strict), QStringList{"Apple"});
}

TEST_F(StringList, FindAndIndexOfOnSortedLists) {
    TStringList list;
    list.SetQStringList({"pear", "Apple", "cherry", "banana"});
    EXPECT_EQ(list.IndexOf("APPLE"), 1); // unsorted: linear, without case
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (QStringList{"Apple", "banana", "cherry", "pear"}));
    int index = -1;
    EXPECT_TRUE(list.Find("CHERRY", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("blueberry", index));
    EXPECT_EQ(index, 2); // where it would go
    EXPECT_FALSE(list.Find("zzz", index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(list.IndexOf("Pear"), 3);
    EXPECT_EQ(list.IndexOf("plum"), -1);
    EXPECT_EQ(list.Add("Blueberry"), 2);

    // A new case rule sorts the list again.
    TStringList mixed;
    mixed.SetQStringList({"b", "B", "a", "A"});
    mixed.SetSorted(true); // without case, equal lines keep their order
    EXPECT_EQ(Lines(mixed), (QStringList{"a", "A", "b", "B"}));
    mixed.SetSorted(false);
    mixed.Exchange(0, 1);
    mixed.SetSorted(true);
    EXPECT_EQ(Lines(mixed), (QStringList{"A", "a", "b", "B"}));
    mixed.SetCaseSensitive(true);
    EXPECT_EQ(Lines(mixed), (QStringList{"a", "A", "b", "B"}));
    EXPECT_EQ(mixed.IndexOf("B"), 3);
    EXPECT_EQ(mixed.IndexOf("b"), 2);
}

TEST_F(StringList, SortAndCustomSort) {
    TStringList list;
    list.SetQStringList({"ccc", "B", "a", "dd"});
    list.Sort();
    EXPECT_EQ(Lines(list), (QStringList{"a", "B", "ccc", "dd"}));
    TStringList accents;
    accents.SetQStringList({"b", "\u00e4", "a", "Z"});
    accents.Sort(); // the locale's collation, not the character codes
    EXPECT_EQ(Lines(accents), (QStringList{"a", "\u00e4", "b", "Z"}));
    list.CustomSort(
        [](TStringList* l, int i, int j) { return int(l->Strings(i).size() - l->Strings(j).size()); });
    EXPECT_EQ(Lines(list), (QStringList{"a", "B", "dd", "ccc"}));
    // A sorted list keeps its own order.
    list.SetSorted(true);
    list.CustomSort(
        [](TStringList* l, int i, int j) { return -AnsiCompareText(l->Strings(i), l->Strings(j)); });
    EXPECT_EQ(Lines(list), (QStringList{"a", "B", "ccc", "dd"}));
}

TEST_F(StringList, IndexErrorsCarryTheIndex) {
    TStringList list;
    list.SetQStringList({"a", "b"});
    struct Case {
        const char* what;
        std::function<void()> call;
        int index;
    };
    const Case cases[] = {
        {"Get", [&] { list.Strings(2); }, 2},
        {"Get negative", [&] { list.Get(-1); }, -1},
        {"Put", [&] { list.SetStrings(5, "x"); }, 5},
        {"Objects", [&] { list.Objects(2); }, 2},
        {"PutObject", [&] { list.SetObjects(-3, nullptr); }, -3},
        {"Delete", [&] { list.Delete(2); }, 2},
        {"Insert past the end", [&] { list.Insert(3, "x"); }, 3},
        {"Exchange", [&] { list.Exchange(0, 7); }, 7},
        {"Move", [&] { list.Move(4, 0); }, 4},
        {"Names", [&] { list.Names(9); }, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EStringListError>(c.call), QString("List index out of bounds (%1)").arg(c.index))
            << c.what;
    EXPECT_EQ(Lines(list), (QStringList{"a", "b"}));
    list.Insert(2, "c"); // at the end is allowed
    EXPECT_EQ(list.Count(), 3);
}

class StringListEvents : public StringList {
protected:
    TStringList list;
    QStringList log;
    void SetUp() override {
        StringList::SetUp();
        list.OnChanging = [this](TObject* sender) {
            EXPECT_EQ(sender, static_cast<TObject*>(&list));
            log << QString("changing:%1").arg(list.Count());
        };
        list.OnChange = [this](TObject*) { log << QString("change:%1").arg(list.Count()); };
    }
};

TEST_F(StringListEvents, EachChangeRaisesBothEventsAroundIt) {
    list.Add("a");
    list.Insert(0, "b");
    list.Delete(1);
    EXPECT_EQ(log,
              (QStringList{"changing:0", "change:1", "changing:1", "change:2", "changing:2", "change:1"}));
    log.clear();
    list.Clear();
    list.Clear(); // nothing to clear: no events
    EXPECT_EQ(log, (QStringList{"changing:1", "change:0"}));
}

TEST_F(StringListEvents, UpdatesRaiseOnceAtTheOutermostEnds) {
    list.BeginUpdate();
    list.Add("a");
    list.BeginUpdate();
    list.Add("b");
    list.EndUpdate();
    list.Add("c");
    EXPECT_EQ(log, QStringList{"changing:0"});
    list.EndUpdate();
    EXPECT_EQ(log, (QStringList{"changing:0", "change:3"}));
    log.clear();
    list.BeginUpdate(); // as the platform does: the update's ends are reported even when nothing changed
    list.EndUpdate();
    EXPECT_EQ(log, (QStringList{"changing:3", "change:3"}));
    log.clear();
    list.EndUpdate(); // unmatched: ignored
    list.Add("d");
    EXPECT_EQ(log, (QStringList{"changing:3", "change:4"}));

    // Whole-list operations are one update each.
    for (const std::function<void()>& op : std::initializer_list<std::function<void()>>{
             [&] { list.SetText("x\ny\nz"); }, [&] { list.SetCommaText("p,q"); },
             [&] {
                 list.SetQStringList({"1", "2"});
             },
             [&] { list.Sort(); }}) {
        log.clear();
        op();
        EXPECT_EQ(log.size(), 2) << log.join(' ').toStdString();
        EXPECT_TRUE(log.first().startsWith("changing:"));
        EXPECT_TRUE(log.last().startsWith("change:"));
    }
}

TEST_F(StringListEvents, AnUpdateThatRaisesStillEnds) {
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    TStringList source;
    source.SetQStringList({"a", "A"});
    EXPECT_THROW(list.AddStrings(&source), EStringListError);
    log.clear();
    list.Add("b");
    EXPECT_EQ(log, (QStringList{"changing:1", "change:2"}));
}

TEST_F(StringList, ObjectsTravelWithTheirLines) {
    TObject one, two, three;
    TStringList list;
    list.AddObject("one", &one);
    list.AddObject("two", &two);
    list.InsertObject(0, "three", &three);
    EXPECT_EQ(list.IndexOfObject(&two), 2);
    EXPECT_EQ(list.IndexOfObject(nullptr), -1);
    list.Exchange(0, 2);
    EXPECT_EQ(list.Objects(0), &two);
    EXPECT_EQ(list.Objects(2), &three);
    list.Move(0, 2);
    EXPECT_EQ(Lines(list), (QStringList{"one", "three", "two"}));
    EXPECT_EQ(list.Objects(2), &two);

    TStringList copy;
    copy.Assign(&list);
    EXPECT_EQ(copy.Objects(1), &three);
    EXPECT_TRUE(copy.Equals(&list));
    copy.SetStrings(0, "ONE");
    EXPECT_FALSE(copy.Equals(&list)); // case counts
}

TEST_F(StringList, OwnsObjectsFreesWhatItDrops) {
    Counted::alive = 0;
    {
        TStringList list(true);
        list.AddObject("a", new Counted);
        list.AddObject("b", new Counted);
        list.AddObject("c", new Counted);
        list.AddObject("d", new Counted);
        list.Delete(0);
        EXPECT_EQ(Counted::alive, 3);
        list.Move(0, 2); // a move keeps the object
        EXPECT_EQ(Counted::alive, 3);
        TStringList other(true);
        other.AddObject("x", new Counted);
        other.Clear();
        EXPECT_EQ(Counted::alive, 3);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST_F(StringList, AssignCopiesLinesAndSettings) {
    TStringList source;
    source.SetCaseSensitive(true);
    source.SetDuplicates(dupError);
    source.SetSorted(true);
    source.SetDelimiter(';');
    source.SetQuoteChar('\'');
    source.SetNameValueSeparator(':');
    source.SetStrictDelimiter(true);
    source.AddStrings(QStringList{"b", "a", "B"});

    TStringList dest;
    dest.Add("old");
    dest.Assign(&source);
    EXPECT_EQ(Lines(dest), (QStringList{"a", "b", "B"}));
    EXPECT_TRUE(dest.Sorted());
    EXPECT_TRUE(dest.CaseSensitive());
    EXPECT_EQ(dest.Duplicates(), dupError);
    EXPECT_EQ(dest.Delimiter(), ';');
    EXPECT_EQ(dest.QuoteChar(), '\'');
    EXPECT_EQ(dest.NameValueSeparator(), ':');
    EXPECT_TRUE(dest.StrictDelimiter());

    dest.Assign(&dest); // onto itself: unchanged
    EXPECT_EQ(dest.Count(), 3);
    dest.SetSorted(false);
    dest.AddStrings(&dest);
    EXPECT_EQ(dest.Count(), 6);

    // From a TStrings that is no TStringList: lines only.
    PlainStrings plain;
    plain.lines = {"z", "y"};
    TStringList fromPlain;
    fromPlain.SetSorted(true);
    fromPlain.Assign(&plain);
    EXPECT_EQ(Lines(fromPlain), (QStringList{"y", "z"}));
    plain.Assign(&source);
    EXPECT_EQ(plain.lines, (QStringList{"a", "b", "B"}));
    EXPECT_EQ(plain.Delimiter(), ';');

    TComponent component(nullptr);
    EXPECT_EQ(MessageOf<EConvertError>([&] { dest.Assign(&component); }),
              "Cannot assign a TComponent to a TStringList");
}

TEST_F(StringList, TheAbstractBaseWorksFromFiveOperations) {
    PlainStrings list;
    list.Add("Alpha=1");
    list.Add("beta=2");
    list.Insert(0, "gamma");
    EXPECT_EQ(list.IndexOf("ALPHA=1"), 1); // the base compares without case
    EXPECT_EQ(list.Values("BETA"), "2");
    list.SetStrings(0, "delta"); // Put through Delete and Insert
    list.SetValues("alpha", "9");
    EXPECT_EQ(list.lines, (QStringList{"delta", "alpha=9", "beta=2"}));
    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_EQ(list.lines, (QStringList{"alpha=9", "beta=2", "delta"}));
    EXPECT_EQ(list.Objects(0), nullptr);
    EXPECT_EQ(list.Text(), "alpha=9\nbeta=2\ndelta\n");
    EXPECT_EQ(list.ClassName(), "TStrings");
    TStringList sl;
    EXPECT_EQ(sl.ClassName(), "TStringList");
}

// A component that publishes a string list the way the controls do.
class LinesHolder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TStrings* Lines READ Lines WRITE SetLines)
public:
    using TComponent::TComponent;
    TStrings* Lines() const { return lines_; }
    void SetLines(TStrings* Value) { lines_->Assign(Value); }
    ~LinesHolder() override { delete lines_; }

private:
    TStringList* lines_ = new TStringList;
};

TEST_F(StringList, PublishedAsAnObjectProperty) {
    LinesHolder holder(nullptr);
    const QMetaObject* meta = holder.metaObject();
    const QMetaProperty prop = meta->property(meta->indexOfProperty("Lines"));
    ASSERT_TRUE(prop.isValid());
    EXPECT_TRUE(prop.metaType().flags() & QMetaType::PointerToQObject);
    EXPECT_EQ(prop.metaType().metaObject(), &TStrings::staticMetaObject);

    TStringList source;
    source.SetQStringList({"x", "y"});
    ASSERT_TRUE(holder.setProperty("Lines", QVariant::fromValue<TStrings*>(&source)));
    EXPECT_EQ(Lines(*holder.Lines()), (QStringList{"x", "y"}));
    EXPECT_NE(holder.Lines(), &source); // copied, not taken over
    // A variant of the derived pointer type is taken as well.
    source.Add("z");
    ASSERT_TRUE(holder.setProperty("Lines", QVariant::fromValue(&source)));
    EXPECT_EQ(holder.Lines()->Count(), 3);
    EXPECT_EQ(holder.property("Lines").value<TStrings*>(), holder.Lines());
}

} // namespace

#include "StringListTest.moc"
