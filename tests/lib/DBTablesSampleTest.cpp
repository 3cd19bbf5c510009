// The demonstration's orders table on the sample database "DBDEMOS", with its expression settings.
#include <QFile>

#include "DBCanExprTestSupport.h"
#include "lib/moxDBTables.h"

namespace dbcanexpr {
namespace {

class SampleOrdersTest : public mox::test::FixedFormatSettings {
protected:
    void SetUp() override {
        FixedFormatSettings::SetUp();
        // The sample is copied into the user's data folder: a scratch one.
        home = std::make_unique<mox::test::ScratchDir>();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            saved.append({name, qgetenv(name)});
            qputenv(name, (home->Path() + "/" + name).toUtf8());
        }
        db = std::make_unique<TDatabase>();
        db->SetAliasName("DBDEMOS");
        db->SetDatabaseName("A");
        orders = std::make_unique<TmoxTable>();
        orders->SetDatabaseName("A");
        orders->SetTableName("orders.db");
        SetupOrdersExpressions(orders.get());
        orders->Open();
    }
    void TearDown() override {
        orders.reset();
        db.reset();
        for (const auto& [name, value] : saved)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        home.reset();
        FixedFormatSettings::TearDown();
    }
    TField* F(const char* name) const { return orders->FieldByName(name); }

    std::unique_ptr<mox::test::ScratchDir> home;
    QList<QPair<const char*, QByteArray>> saved;
    std::unique_ptr<TDatabase> db;
    std::unique_ptr<TmoxTable> orders;
};

TEST_F(SampleOrdersTest, AppendingAnOrderFillsTheAmountsBeforeOnNewRecord) {
    QStringList seen;
    orders->OnNewRecord = [&](TDataSet* ds) {
        for (const char* name : {"ItemsTotal", "TaxRate", "Freight", "AmountPaid", "AmountDue"})
            seen << (ds->FieldByName(name)->IsNull() ? "null" : ds->FieldByName(name)->AsString());
    };
    orders->Append();
    EXPECT_EQ(seen, (QStringList{"0", "0", "0", "0", "0"}));
    F("OrderNo")->SetAsFloat(99001);
    F("CustNo")->SetAsFloat(1221);
    F("EmpNo")->SetAsInteger(2);
    F("ItemsTotal")->SetAsFloat(100);
    F("AmountPaid")->SetAsFloat(30);
    EXPECT_EQ(F("AmountDue")->AsFloat(), 70);
    orders->Post();
    EXPECT_TRUE(orders->Locate("OrderNo", Variant(99001.0), TLocateOptions()));
    EXPECT_EQ(F("AmountDue")->AsFloat(), 70);
}

TEST_F(SampleOrdersTest, ANegativeItemsTotalIsRefusedAndKeepsTheOldValue) {
    const double old = F("ItemsTotal")->AsFloat();
    orders->Edit();
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { F("ItemsTotal")->SetAsFloat(-1); }),
              "ItemsTotal must be greater or equal to zero");
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), old);
    orders->Cancel();
}

TEST_F(SampleOrdersTest, AmountDueIsItemsTotalLessAmountPaidOnEveryRecord) {
    int records = 0, wrong = 0;
    for (orders->First(); !orders->Eof(); orders->Next()) {
        ++records;
        const Currency expected = F("ItemsTotal")->AsCurrency() - F("AmountPaid")->AsCurrency();
        if (F("AmountDue")->AsCurrency() != expected) ++wrong;
    }
    EXPECT_EQ(records, 1200);
    EXPECT_EQ(wrong, 0);
}

TEST_F(SampleOrdersTest, PostingChecksEveryConstraint) {
    orders->Edit();
    // A value stored past the checks, as one read from an older file would be.
    orders->SetExpressionsActive(false);
    F("TaxRate")->SetAsFloat(-0.5);
    orders->SetExpressionsActive(true);
    F("ItemsTotal")->SetAsFloat(10);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "TaxRate must be greater or equal to zero");
    EXPECT_EQ(orders->State(), dsEdit);
    F("TaxRate")->SetAsFloat(0.5);
    orders->Post();
    EXPECT_EQ(orders->State(), dsBrowse);
}

} // namespace
} // namespace dbcanexpr
