// Search keys and ranges over the table's indexes.
#include "TableFixture.h"

namespace mox::test {
namespace {

using TableKeysTest = TableFixture;

TEST_F(TableKeysTest, FindKeyAndFindNearestOnThePrimaryAndASecondaryIndex) {
    table->Open();
    EXPECT_TRUE(table->FindKey({4}));
    EXPECT_EQ(Field("Name"), "Dan");
    EXPECT_FALSE(table->FindKey({42}));
    EXPECT_EQ(Field("Name"), "Dan") << "a key not found leaves the record";
    table->SetIndexName("byCity");
    EXPECT_TRUE(table->FindKey({"Oslo", "Dan"}));
    EXPECT_EQ(Field("Id"), "4");
    EXPECT_TRUE(table->FindKey({"Bergen"})) << "a partial key matches the first of its records";
    EXPECT_EQ(Field("Name"), "Bob");
    table->FindNearest({"C"});
    EXPECT_EQ(Field("Name"), "Ann") << "the first city at or after C";
    table->FindNearest({"Zz"});
    EXPECT_TRUE(table->Eof()) << "nothing after: the last record";
    EXPECT_EQ(Field("Name"), "Dan");

    table->SetKey();
    table->FieldByName("City")->SetAsString("Bergen");
    table->FieldByName("Name")->SetAsString("Bob");
    table->SetKeyExclusive(true);
    table->GotoNearest();
    EXPECT_EQ(Field("Name"), "Eve") << "an exclusive key passes over the equal record";

    table->SetKey();
    EXPECT_EQ(table->State(), dsSetKey);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->FieldByName("Salary")->SetAsInteger(1); }),
              "Field 'Salary' is not indexed and cannot be modified");
    table->Cancel();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Field("Name"), "Eve") << "the record shows again after the key editing";
    table->SetKey();
    table->FieldByName("City")->Clear();
    EXPECT_TRUE(table->GotoKey()) << "a NULL key finds the record without a city";
    EXPECT_EQ(Field("Name"), "Cid");
}

TEST_F(TableKeysTest, RangesLimitTheRecordsToTheirKeys) {
    table->Open();
    table->SetIndexName("byCity");
    table->SetRange({"Bergen"}, {"Bergen"});
    EXPECT_EQ(Column("Name"), QStringList({"Bob", "Eve"}));
    EXPECT_EQ(ColumnBackwards("Name"), QStringList({"Eve", "Bob"}));
    EXPECT_EQ(table->RecordCount(), 2);
    EXPECT_FALSE(table->FindKey({"Oslo"})) << "keys are searched within the range";
    table->SetRange({"Bergen", "C"}, {"Oslo", "B"});
    EXPECT_EQ(Column("Name"), QStringList({"Eve", "Ann"}));

    table->SetRangeStart();
    table->FieldByName("City")->SetAsString("Bergen");
    table->SetKeyExclusive(true);
    table->SetRangeEnd();
    table->FieldByName("City")->SetAsString("Oslo");
    table->ApplyRange();
    EXPECT_EQ(Column("Name"), QStringList({"Ann", "Dan"})) << "an exclusive start leaves Bergen out";

    table->Locate("Name", Variant("Dan"), {});
    table->CancelRange();
    EXPECT_EQ(Field("Name"), "Dan") << "cancelling keeps the record";
    EXPECT_EQ(table->RecordCount(), 5);

    table->SetIndexName("bySalary");
    table->SetRange({3000}, {2000});
    EXPECT_EQ(Column("Name"), QStringList({"Dan", "Eve", "Bob"})) << "a descending index ranges downwards";
    table->SetRange({1200}, {1300});
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_TRUE(table->Bof() && table->Eof());
}

} // namespace
} // namespace mox::test
