// Editing tables: what posting writes, failures that keep the user's values, and rows that another
// connection changed or deleted meanwhile.
#include "TableFixture.h"

namespace mox::test {
namespace {

using TableEditingTest = TableFixture;

TEST_F(TableEditingTest, EditInsertAppendAndDeleteReachTheDatabase) {
    table->Open();
    table->Locate("Id", Variant(2), {});
    table->Edit();
    table->FieldByName("City")->SetAsString("Tromso");
    table->FieldByName("Salary")->SetAsCurrency(Currency(2100.5));
    table->FieldByName("Hired")->Clear();
    table->Post();
    EXPECT_EQ(OtherValue("SELECT City FROM people WHERE Id = 2").toString(), "Tromso");
    EXPECT_DOUBLE_EQ(OtherValue("SELECT Salary FROM people WHERE Id = 2").toDouble(), 2100.5);
    EXPECT_TRUE(OtherValue("SELECT Hired IS NULL FROM people WHERE Id = 2").toBool());
    EXPECT_EQ(Field("Name"), "Bob") << "the posted record stays current";

    table->Insert();
    table->FieldByName("Name")->SetAsString("Fay");
    table->FieldByName("Hired")->SetAsDateTime(QDateToDateTime(QDate(2022, 2, 28)));
    table->Post();
    EXPECT_EQ(Field("Name"), "Fay");
    EXPECT_EQ(Field("Id"), "6") << "the new row's number is read back";
    EXPECT_EQ(OtherValue("SELECT Hired FROM people WHERE Name = 'Fay'").toString(), "2022-02-28");

    table->Append();
    table->FieldByName("Id")->SetAsInteger(10);
    table->FieldByName("Name")->SetAsString("Gus");
    table->Post();
    EXPECT_EQ(Column("Name"), QStringList({"Ann", "Bob", "Cid", "Dan", "Eve", "Fay", "Gus"}));

    table->Locate("Name", Variant("Cid"), {});
    table->Delete();
    EXPECT_EQ(Field("Name"), "Dan") << "the next record becomes current";
    EXPECT_EQ(OtherValue("SELECT COUNT(*) FROM people").toInt(), 6);
    table->Last();
    table->Delete();
    EXPECT_EQ(Field("Name"), "Fay") << "deleting the last record makes the one before current";
    EXPECT_EQ(table->RecordCount(), 5);
}

TEST_F(TableEditingTest, AFailedPostLeavesTheRecordInEditWithTheUsersValues) {
    table->Open();
    table->Insert();
    table->FieldByName("Id")->SetAsInteger(1); // taken
    table->FieldByName("Name")->SetAsString("Dup");
    EXPECT_TRUE(MessageOf<EDatabaseError>([&] { table->Post(); }).contains("UNIQUE")) << "the database's reason";
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(Field("Name"), "Dup");
    table->FieldByName("Id")->SetAsInteger(7);
    table->Post();
    EXPECT_EQ(OtherValue("SELECT Name FROM people WHERE Id = 7").toString(), "Dup");

    // A constraint the database checks (NOT NULL) with the value cleared.
    Sql("CREATE TABLE checked (Id INTEGER PRIMARY KEY, Amount REAL CHECK (Amount >= 0))");
    Sql("INSERT INTO checked VALUES (1, 5)");
    TTable t;
    t.SetDatabaseName("T");
    t.SetTableName("checked");
    t.Open();
    t.Edit();
    t.FieldByName("Amount")->SetAsFloat(-1);
    EXPECT_TRUE(MessageOf<EDatabaseError>([&] { t.Post(); }).contains("CHECK"));
    EXPECT_EQ(t.State(), dsEdit);
    EXPECT_EQ(t.FieldByName("Amount")->AsFloat(), -1);
    EXPECT_EQ(OtherValue("SELECT Amount FROM checked").toDouble(), 5) << "nothing was written";
    EXPECT_FALSE(db->InTransaction()) << "the failed write was rolled back";
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Amount")->AsFloat(), 5);
}

TEST_F(TableEditingTest, ARowChangedOrDeletedByAnotherConnectionIsNeverOverwritten) {
    struct Case {
        const char* otherSql;
        const char* message;
        bool deleting;
    } cases[] = {
        {"UPDATE people SET City = 'Bodo' WHERE Id = 4", "another user changed the record", false},
        {"DELETE FROM people WHERE Id = 4", "another user deleted the record", false},
        {"UPDATE people SET Notes = 'x' WHERE Id = 4", "another user changed the record", true},
        {"DELETE FROM people WHERE Id = 4", "another user deleted the record", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.otherSql);
        Sql("DELETE FROM people WHERE Id = 4");
        Sql("INSERT INTO people (Id, Name, City, Salary) VALUES (4, 'Dan', 'Oslo', 3000)");
        table->Open();
        table->Locate("Id", Variant(4), {});
        if (!c.deleting) {
            table->Edit();
            table->FieldByName("Salary")->SetAsCurrency(Currency(9999));
        }
        Other()->Execute(c.otherSql);
        if (c.deleting) {
            EXPECT_TRUE(MessageOf<EDatabaseError>([&] { table->Delete(); }).contains(c.message));
            EXPECT_EQ(table->State(), dsBrowse);
        } else {
            EXPECT_TRUE(MessageOf<EDatabaseError>([&] { table->Post(); }).contains(c.message));
            EXPECT_EQ(table->State(), dsEdit);
            EXPECT_EQ(table->FieldByName("Salary")->AsCurrency(), Currency(9999)) << "the user's value stays";
            table->Cancel();
        }
        EXPECT_NE(OtherValue("SELECT COUNT(*) FROM people WHERE Salary = 9999").toInt(), 1);
        table->Close();
    }
}

TEST_F(TableEditingTest, EditingReadsTheRowAsItIsNow) {
    table->Open();
    table->Locate("Id", Variant(1), {});
    Other()->Execute("UPDATE people SET City = 'Narvik' WHERE Id = 1");
    EXPECT_EQ(Field("City"), "Oslo") << "the record as read";
    table->Edit();
    EXPECT_EQ(Field("City"), "Narvik") << "editing starts from the row as it is";
    EXPECT_EQ(table->FieldByName("City")->OldValue().ToString(), "Narvik");
    table->FieldByName("Name")->SetAsString("Anne");
    table->Post();
    EXPECT_EQ(OtherValue("SELECT Name || '/' || City FROM people WHERE Id = 1").toString(), "Anne/Narvik");
    Other()->Execute("DELETE FROM people WHERE Id = 1");
    EXPECT_TRUE(MessageOf<EDatabaseError>([&] { table->Edit(); }).contains("deleted"));
    EXPECT_EQ(table->State(), dsBrowse);
    table->Refresh();
    EXPECT_EQ(Field("Name"), "Bob") << "refreshing passes over the vanished row";
}

TEST_F(TableEditingTest, ReadOnlyTablesAndTransactions) {
    table->SetReadOnly(true);
    table->Open();
    EXPECT_FALSE(table->CanModify());
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { table->Edit(); }), "Cannot modify a read-only dataset");
    table->Close();
    table->SetReadOnly(false);
    table->Open();
    db->StartTransaction();
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { db->StartTransaction(); }), "A transaction is already active");
    table->Edit();
    table->FieldByName("Name")->SetAsString("Zed");
    table->Post();
    db->Rollback();
    EXPECT_EQ(Field("Name"), "Ann") << "the table shows the rolled-back row";
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { db->Commit(); }), "No transaction is active");
}

} // namespace
} // namespace mox::test
