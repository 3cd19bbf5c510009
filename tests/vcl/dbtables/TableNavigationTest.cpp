// Navigation over tables larger than the pages the cursor reads, in every kind of index order.
#include <algorithm>
#include <optional>

#include "TableFixture.h"

namespace mox::test {
namespace {

class TableNavigationTest : public TableFixture {
protected:
    // n rows: Id 1..n, Grp with duplicates and NULLs, Word text.
    void MakeNumbers(int n) {
        Sql("CREATE TABLE numbers (Id INTEGER PRIMARY KEY, Grp INTEGER, Word VARCHAR(10))");
        Sql("CREATE INDEX byGrp ON numbers (Grp)");
        Sql("CREATE INDEX byGrpDesc ON numbers (Grp DESC, Word)");
        Sql(QString("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < %1) "
                    "INSERT INTO numbers SELECT i, CASE WHEN i % 7 = 0 THEN NULL ELSE i % 13 END, "
                    "printf('w%03d', (i * 37) % 101) FROM s")
                .arg(n));
        for (int i = 1; i <= n; ++i)
            rows.push_back({i, i % 7 == 0 ? std::nullopt : std::optional<int>(i % 13),
                            QString::asprintf("w%03d", (i * 37) % 101)});
        table->SetTableName("numbers");
    }
    struct Row {
        int id;
        std::optional<int> grp;
        QString word;
    };
    // The ids in the order the comparison gives, ties broken by id.
    QStringList Expected(const std::function<int(const Row&, const Row&)>& compare) const {
        std::vector<Row> sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const Row& a, const Row& b) {
            const int c = compare(a, b);
            return c != 0 ? c < 0 : a.id < b.id;
        });
        QStringList ids;
        for (const Row& r : sorted)
            ids << QString::number(r.id);
        return ids;
    }
    static int CompareGrp(const Row& a, const Row& b) {
        if (!a.grp || !b.grp) return a.grp.has_value() - b.grp.has_value(); // NULL first
        return *a.grp - *b.grp;
    }
    std::vector<Row> rows;
};

TEST_F(TableNavigationTest, ScansForwardAndBackwardOverManyPages) {
    MakeNumbers(3000);
    table->Open();
    EXPECT_EQ(table->RecordCount(), 3000);
    const QStringList ids = Expected([](const Row&, const Row&) { return 0; });
    EXPECT_EQ(Column("Id"), ids);
    EXPECT_TRUE(table->Eof());
    QStringList reversed = ids;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(ColumnBackwards("Id"), reversed);
    EXPECT_TRUE(table->Bof());
}

TEST_F(TableNavigationTest, IndexOrdersWithDuplicatesAndNullsScanBothWays) {
    MakeNumbers(700);
    struct Case {
        const char* indexName;
        const char* indexFields;
        std::function<int(const Row&, const Row&)> compare;
    } cases[] = {
        {"byGrp", "", CompareGrp},
        {"byGrpDesc", "", [](const Row& a, const Row& b) {
             const int c = -CompareGrp(a, b);
             return c != 0 ? c : QString::compare(a.word, b.word);
         }},
        {"", "Word;Grp", [](const Row& a, const Row& b) {
             const int c = QString::compare(a.word, b.word);
             return c != 0 ? c : CompareGrp(a, b);
         }},
        {"", "", [](const Row&, const Row&) { return 0; }},
    };
    table->Open();
    for (const Case& c : cases) {
        if (*c.indexFields)
            table->SetIndexFieldNames(c.indexFields);
        else
            table->SetIndexName(c.indexName);
        const QStringList ids = Expected(c.compare);
        EXPECT_EQ(Column("Id"), ids) << c.indexName << c.indexFields;
        QStringList reversed = ids;
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(ColumnBackwards("Id"), reversed) << c.indexName << c.indexFields;
    }
}

TEST_F(TableNavigationTest, MoveByRecNoAndLastAfterOpen) {
    MakeNumbers(1000);
    table->Open();
    table->Last();
    EXPECT_EQ(Field("Id"), "1000");
    EXPECT_EQ(table->RecNo(), 1000);
    // Backwards in steps of ten, across page boundaries.
    int steps = 0, moved = 0;
    while ((moved = table->MoveBy(-10)) == -10)
        ++steps;
    EXPECT_EQ(steps, 99);
    EXPECT_EQ(moved, -9) << "the last step stops at the first record";
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(Field("Id"), "1");
    table->SetRecNo(500);
    EXPECT_EQ(Field("Id"), "500");
    EXPECT_EQ(table->RecNo(), 500);
    EXPECT_EQ(table->MoveBy(600), 500);
    EXPECT_TRUE(table->Eof());
    table->SetIndexName("byGrp");
    EXPECT_EQ(Field("Id"), "1000") << "changing the index keeps the current record";
    EXPECT_EQ(table->RecNo(), Expected(CompareGrp).indexOf("1000") + 1);
}

TEST_F(TableNavigationTest, AnEmptyTableIsBofAndEof) {
    Sql("CREATE TABLE empty (Id INTEGER PRIMARY KEY, Name VARCHAR(5))");
    table->SetTableName("empty");
    table->Open();
    EXPECT_TRUE(table->Bof());
    EXPECT_TRUE(table->Eof());
    EXPECT_TRUE(table->IsEmpty());
    table->Last();
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_EQ(table->RecordCount(), 0);
    EXPECT_EQ(table->MoveBy(-3), 0);
}

TEST_F(TableNavigationTest, BookmarksSurviveOrderChangesAndCompareInTheOrder) {
    table->Open();
    table->Locate("Name", Variant("Eve"), {});
    const TBookmark eve = table->GetBookmark();
    table->Locate("Name", Variant("Ann"), {});
    const TBookmark ann = table->GetBookmark();
    EXPECT_EQ(table->CompareBookmarks(ann, eve), -1) << "Ann (1) before Eve (5) by Id";
    table->SetIndexName("bySalary");
    EXPECT_EQ(table->CompareBookmarks(ann, eve), 1) << "Ann (1000) after Eve (2500) by salary downwards";
    table->First();
    table->GotoBookmark(eve);
    EXPECT_EQ(Field("Name"), "Eve");
    table->Next();
    EXPECT_EQ(Field("Name"), "Bob") << "the neighbours follow the index";
    EXPECT_TRUE(table->BookmarkValid(eve));
    table->GotoBookmark(eve);
    table->Delete();
    EXPECT_FALSE(table->BookmarkValid(eve));
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->GotoBookmark(eve); }), "Record not found");
    EXPECT_FALSE(table->BookmarkValid(TBookmark("garbage")));
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->GotoBookmark(TBookmark("\x01\x02\x03")); }), "Record not found");
}

TEST_F(TableNavigationTest, TextPrimaryKeysIdentifyRowsOfTablesWithoutRowNumbers) {
    Sql("CREATE TABLE codes (Code VARCHAR(5) PRIMARY KEY, Label VARCHAR(20)) WITHOUT ROWID");
    Sql("INSERT INTO codes VALUES ('b', 'Bee'), ('a', 'Ay'), ('c', 'See')");
    table->SetTableName("codes");
    table->Open();
    EXPECT_EQ(Column("Code"), QStringList({"a", "b", "c"}));
    table->Locate("Code", Variant("b"), {});
    const TBookmark b = table->GetBookmark();
    table->Edit();
    table->FieldByName("Label")->SetAsString("Bea");
    table->Post();
    EXPECT_EQ(OtherValue("SELECT Label FROM codes WHERE Code = 'b'").toString(), "Bea");
    table->First();
    table->GotoBookmark(b);
    EXPECT_EQ(Field("Label"), "Bea");
    table->Append();
    table->FieldByName("Code")->SetAsString("d");
    table->Post();
    EXPECT_EQ(Field("Code"), "d");
    EXPECT_EQ(table->RecordCount(), 4);
}

} // namespace
} // namespace mox::test
