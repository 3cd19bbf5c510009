// Aliases from the alias file and the built-in sample database "DBDEMOS".
#include <QFile>

#include "TableFixture.h"

namespace mox::test {
namespace {

// The configuration and data folders of a scratch home, so that no test sees the user's.
class AliasesTest : public TableFixture {
protected:
    void SetUp() override {
        TableFixture::SetUp();
        home = std::make_unique<ScratchDir>();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            saved.append({name, qgetenv(name)});
            qputenv(name, (home->Path() + "/" + name).toUtf8());
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        home.reset();
        TableFixture::TearDown();
    }
    std::unique_ptr<ScratchDir> home;
    QList<QPair<const char*, QByteArray>> saved;
};

TEST_F(AliasesTest, TheSampleDatabaseOpensThroughDbdemosWithItsThreeTables) {
    TDatabase demo;
    demo.SetAliasName("DBDEMOS");
    demo.SetDatabaseName("A");
    demo.Open();
    EXPECT_TRUE(QFile::exists(home->Path() + "/XDG_DATA_HOME/MoxLibrary/dbdemos.sqlite"))
        << "copied into the user's data folder";
    TStringList tables;
    demo.GetTableNames(&tables);
    EXPECT_EQ(tables.Text().trimmed().split('\n').join(","), "customer,employee,orders");

    TTable customers, employees, orders;
    for (auto [t, name] : {std::pair{&customers, "customer.db"}, {&employees, "employee.db"}, {&orders, "orders.db"}}) {
        t->SetDatabaseName("A");
        t->SetTableName(name);
        t->Open();
    }
    EXPECT_EQ(customers.RecordCount(), 55);
    EXPECT_EQ(employees.RecordCount(), 40);
    EXPECT_EQ(orders.RecordCount(), 1200);
    struct Case {
        TTable* table;
        const char* field;
        TFieldType type;
        int size;
    } cases[] = {
        {&orders, "OrderNo", ftFloat, 0},       {&orders, "CustNo", ftFloat, 0},
        {&orders, "SaleDate", ftDateTime, 0},   {&orders, "EmpNo", ftInteger, 0},
        {&orders, "ShipToAddr1", ftString, 30}, {&orders, "ShipToCity", ftString, 15},
        {&orders, "ShipToZip", ftString, 10},   {&orders, "ShipVIA", ftString, 7},
        {&orders, "Terms", ftString, 6},        {&orders, "PaymentMethod", ftString, 7},
        {&orders, "ItemsTotal", ftCurrency, 0}, {&orders, "TaxRate", ftFloat, 0},
        {&orders, "Freight", ftCurrency, 0},    {&orders, "AmountPaid", ftCurrency, 0},
        {&orders, "ShipToContact", ftString, 20}, {&customers, "Company", ftString, 30},
        {&customers, "LastInvoiceDate", ftDateTime, 0}, {&employees, "LastName", ftString, 20},
        {&employees, "FirstName", ftString, 15}, {&employees, "PhoneExt", ftString, 4},
        {&employees, "Salary", ftFloat, 0},
    };
    for (const Case& c : cases) {
        TField* f = c.table->FieldByName(c.field);
        EXPECT_EQ(f->DataType(), c.type) << c.field;
        if (c.size) {
            EXPECT_EQ(f->Size(), c.size) << c.field;
        }
    }
    EXPECT_TRUE(orders.FieldByName("CustNo")->Required());
    EXPECT_TRUE(orders.FieldByName("EmpNo")->Required());
    orders.SetIndexName("CustNo");
    orders.SetIndexName("SaleDate");
    EXPECT_EQ(orders.IndexDefs()->Items(0)->Fields(), "OrderNo");

    // Every order's customer and employee exist.
    int orphans = 0;
    for (orders.First(); !orders.Eof(); orders.Next()) {
        if (customers.Lookup("CustNo", orders.FieldByName("CustNo")->AsVariant(), "Company").IsNull()) ++orphans;
        if (employees.Lookup("EmpNo", orders.FieldByName("EmpNo")->AsVariant(), "LastName").IsNull()) ++orphans;
    }
    EXPECT_EQ(orphans, 0);

    // The copy is the user's own: what they change stays.
    customers.First();
    customers.Edit();
    customers.FieldByName("Company")->SetAsString("Changed Co.");
    customers.Post();
    demo.Close();
    demo.Open();
    customers.Open();
    EXPECT_EQ(customers.FieldByName("Company")->AsString(), "Changed Co.");
}

TEST_F(AliasesTest, TheAliasFileNamesConnections) {
    TStringList params;
    params.Add("PATH=" + path);
    AddAlias("Shop", "SQLITE", &params);
    TStringList names;
    GetAliasNames(&names);
    EXPECT_EQ(names.Text().trimmed().split('\n').join(","), "DBDEMOS,Shop");

    TTable t;
    t.SetDatabaseName("shop"); // no database component: the alias, found without regard to case
    t.SetTableName("people");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 5);
    t.Close();

    params.Clear();
    AddAlias("NoPath", "SQLITE", &params);
    TDatabase noPath;
    noPath.SetAliasName("NoPath");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { noPath.Open(); }), "Database file not given for 'NoPath'");
    params.Add("PATH=" + path);
    AddAlias("OddDriver", "PARADOX", &params);
    TDatabase odd;
    odd.SetAliasName("OddDriver");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { odd.Open(); }), "Unknown database driver 'PARADOX'");
    DeleteAlias("Shop");
    t.SetDatabaseName("Shop");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { t.Open(); }), "Alias 'Shop' not found");
}

} // namespace
} // namespace mox::test
