// Calculated and lookup fields, filters, locating and data links on tables.
#include "TableFixture.h"

namespace mox::test {
namespace {

class TableFieldsAndLinksTest : public TableFixture {
protected:
    void SetUp() override {
        TableFixture::SetUp();
        Sql("CREATE TABLE cities (City VARCHAR(15) PRIMARY KEY, Country VARCHAR(20))");
        Sql("INSERT INTO cities VALUES ('Oslo', 'Norway'), ('Bergen', 'Norway (west)')");
    }
};

TEST_F(TableFieldsAndLinksTest, CalculatedAndLookupFieldsOnPersistentFields) {
    TTable cities;
    cities.SetDatabaseName("T");
    cities.SetTableName("cities");
    auto add = [&](TField* f, const char* name) {
        f->SetFieldName(name);
        f->SetDataSet(table.get());
        return f;
    };
    add(new TIntegerField(table.get()), "Id");
    add(new TStringField(table.get()), "Name");
    add(new TStringField(table.get()), "City");
    add(new TCurrencyField(table.get()), "Salary");
    auto* country = new TStringField(table.get());
    country->SetFieldName("Country");
    country->SetFieldKind(fkLookup);
    country->SetSize(20);
    country->SetKeyFields("City");
    country->SetLookupKeyFields("City");
    country->SetLookupResultField("Country");
    country->SetLookupDataSet(&cities);
    country->SetDataSet(table.get());
    auto* monthly = new TCurrencyField(table.get());
    monthly->SetFieldName("Monthly");
    monthly->SetFieldKind(fkCalculated);
    monthly->SetDataSet(table.get());
    table->OnCalcFields = [](TDataSet* ds) {
        ds->FieldByName("Monthly")->SetAsCurrency(ds->FieldByName("Salary")->AsCurrency() / Currency(12));
    };
    table->Open();
    EXPECT_TRUE(cities.Active());
    EXPECT_EQ(table->FieldCount(), 6) << "persistent fields only: Hired and Notes are left out";
    EXPECT_EQ(Column("Country"), QStringList({"Norway", "Norway (west)", "", "Norway", "Norway (west)"}));
    table->First();
    EXPECT_EQ(table->FieldByName("Monthly")->AsCurrency(), Currency(1000) / Currency(12));
    table->Edit();
    table->FieldByName("City")->SetAsString("Bergen");
    table->FieldByName("Salary")->SetAsCurrency(Currency(1200));
    EXPECT_EQ(Field("Country"), "Norway (west)");
    EXPECT_EQ(table->FieldByName("Monthly")->AsCurrency(), Currency(100));
    table->Post();
    EXPECT_EQ(OtherValue("SELECT City FROM people WHERE Id = 1").toString(), "Bergen");
    EXPECT_EQ(cities.Lookup("City", Variant("Oslo"), "Country").ToString(), "Norway");
    EXPECT_TRUE(cities.Lookup("City", Variant("Rome"), "Country").IsNull());
}

TEST_F(TableFieldsAndLinksTest, FiltersAndLocate) {
    table->Open();
    table->SetOnFilterRecord([](TDataSet* ds, bool& accept) { accept = ds->FieldByName("Salary")->AsCurrency() >= Currency(2000); });
    table->SetFiltered(true);
    EXPECT_EQ(Column("Name"), QStringList({"Bob", "Dan", "Eve"}));
    EXPECT_EQ(ColumnBackwards("Name"), QStringList({"Eve", "Dan", "Bob"}));
    EXPECT_EQ(table->RecordCount(), 3) << "only the records the filter passes";
    EXPECT_FALSE(table->Locate("Name", Variant("Ann"), {})) << "a filtered-out record is not found";
    EXPECT_TRUE(table->Locate("Name", Variant("Eve"), {}));
    table->SetFiltered(false);

    struct Case {
        const char* fields;
        Variant values;
        TLocateOptions options;
        const char* found; // Name, or "" for none
    } cases[] = {
        {"Name", Variant("Dan"), {}, "Dan"},
        {"Name", Variant("dan"), {}, ""},
        {"Name", Variant("dan"), loCaseInsensitive, "Dan"},
        {"Name", Variant("E"), loPartialKey, "Eve"},
        {"City", Null(), {}, "Cid"},
        {"Salary", Variant(2500), {}, "Eve"},
        {"City;Salary", VarArrayOf({Variant("Oslo"), Variant(3000)}), {}, "Dan"},
        {"City;Salary", VarArrayOf({Variant("Oslo"), Variant(2000)}), {}, ""},
        {"Hired", Variant(QDateToDateTime(QDate(2019, 6, 1))), {}, "Bob"},
    };
    for (const Case& c : cases) {
        table->First();
        const bool found = table->Locate(c.fields, c.values, c.options);
        EXPECT_EQ(found, *c.found != 0) << c.fields << " " << VarToStr(c.values).toStdString();
        const QString expected = found ? c.found : "Ann"; // a failed search does not move
        EXPECT_EQ(Field("Name"), expected) << c.fields;
    }
}

class WindowLink : public TDataLink {
public:
    int changes = 0;

protected:
    void DataSetChanged() override { ++changes; }
    void DataSetScrolled(int) override { ++changes; }
};

TEST_F(TableFieldsAndLinksTest, DataLinksSeeAWindowOfRecords) {
    TDataSource source(nullptr);
    source.SetDataSet(table.get());
    WindowLink link;
    link.SetBufferCount(3);
    link.SetDataSource(&source);
    table->Open();
    EXPECT_TRUE(link.Active());
    EXPECT_EQ(link.RecordCount(), 3);
    auto nameAt = [&](int record) {
        const int saved = link.ActiveRecord();
        link.SetActiveRecord(record);
        const QString name = Field("Name");
        link.SetActiveRecord(saved);
        return name;
    };
    EXPECT_EQ(nameAt(0) + nameAt(1) + nameAt(2), "AnnBobCid");
    table->Last();
    EXPECT_EQ(nameAt(0) + nameAt(1) + nameAt(2), "CidDanEve");
    EXPECT_EQ(link.ActiveRecord(), 2);
    const int before = link.changes;
    table->Prior();
    table->Prior();
    table->Prior();
    EXPECT_EQ(nameAt(0) + nameAt(1) + nameAt(2), "BobCidDan");
    EXPECT_GT(link.changes, before);
    table->Close();
    EXPECT_FALSE(link.Active());
}

} // namespace
} // namespace mox::test
