// The expression table on an orders table of a temporary SQLite database, set up as the
// demonstration's orders table.
#include "DBCanExprTestSupport.h"
#include "lib/moxDBTables.h"

namespace dbcanexpr {
namespace {

class ExpressionTableTest : public mox::test::FixedFormatSettings {
protected:
    void SetUp() override {
        FixedFormatSettings::SetUp();
        scratch = std::make_unique<mox::test::ScratchDir>();
        db = std::make_unique<TDatabase>();
        db->SetDatabaseName("T");
        db->SetDriverName("SQLITE");
        db->Params()->Add("PATH=" + scratch->File("orders.sqlite"));
        db->Params()->Add("CREATE=TRUE");
        db->Open();
        Sql("CREATE TABLE orders (OrderNo INTEGER PRIMARY KEY, CustNo FLOAT NOT NULL, ShipToCity VARCHAR(15), "
            "ItemsTotal CURRENCY, TaxRate FLOAT, Freight CURRENCY, AmountPaid CURRENCY)");
        Sql("CREATE INDEX byTotal ON orders (ItemsTotal)");
        Sql("INSERT INTO orders VALUES (1, 1221, 'Kapaa', 100, 0, 10, 30), (2, 1231, 'Freeport', 50, 0.5, 0, 50), "
            "(3, 1351, 'Kato Paphos', 20, 0, 5, 0)");
        orders = std::make_unique<TmoxTable>();
        orders->SetDatabaseName("T");
        orders->SetTableName("orders.db");
        SetupOrdersExpressions(orders.get());
    }
    void TearDown() override {
        orders.reset();
        db.reset();
        scratch.reset();
        FixedFormatSettings::TearDown();
    }
    void Sql(const QString& sql) { db->Connection()->Execute(sql); }
    QVariant Value(const QString& sql) {
        auto stmt = db->Connection()->Prepare(sql);
        return stmt->Step() ? stmt->Column(0) : QVariant();
    }
    TField* F(const char* name) const { return orders->FieldByName(name); }

    std::unique_ptr<mox::test::ScratchDir> scratch;
    std::unique_ptr<TDatabase> db;
    std::unique_ptr<TmoxTable> orders;
};

TEST_F(ExpressionTableTest, TheOrdersSetupGivesEveryColumnAFieldAndTheCalculatedAmountDue) {
    EXPECT_EQ(orders->FieldCount(), 8);
    EXPECT_EQ(F("AmountDue")->FieldKind(), fkCalculated);
    EXPECT_EQ(F("AmountDue")->DataType(), ftCurrency);
    EXPECT_EQ(F("AmountDue")->DefaultExpression(), "ItemsTotal - AmountPaid");
    EXPECT_EQ(F("TaxRate")->CustomConstraint(), "TaxRate >= 0");
    EXPECT_EQ(F("TaxRate")->ConstraintErrorMessage(), "TaxRate must be greater or equal to zero");
    EXPECT_TRUE(orders->ExpressionsActive());
    EXPECT_EQ(orders->ExpressionsOptions(), AllExpressionsOptions);
}

TEST_F(ExpressionTableTest, AppendingFillsTheAmountsWithZeroBeforeOnNewRecord) {
    orders->Open();
    QStringList seen;
    orders->OnNewRecord = [&](TDataSet* ds) {
        for (const char* name : {"ItemsTotal", "TaxRate", "Freight", "AmountPaid", "AmountDue", "ShipToCity"})
            seen << (ds->FieldByName(name)->IsNull() ? "null" : ds->FieldByName(name)->AsString());
        ds->FieldByName("CustNo")->SetAsInteger(1560);
    };
    orders->Append();
    EXPECT_EQ(seen, (QStringList{"0", "0", "0", "0", "0", "null"}));
    F("ItemsTotal")->SetAsFloat(100);
    F("AmountPaid")->SetAsFloat(30);
    EXPECT_EQ(F("AmountDue")->AsFloat(), 70);
    orders->Post();
    EXPECT_EQ(Value("SELECT ItemsTotal - AmountPaid FROM orders WHERE CustNo = 1560").toDouble(), 70);
    EXPECT_EQ(Value("SELECT TaxRate FROM orders WHERE CustNo = 1560").toDouble(), 0);
}

TEST_F(ExpressionTableTest, ANegativeAmountIsRefusedAndTheOldValueStays) {
    orders->Open();
    orders->Edit();
    for (const char* name : {"ItemsTotal", "TaxRate", "Freight", "AmountPaid"}) {
        const double old = F(name)->AsFloat();
        EXPECT_EQ(MessageOf<EDatabaseError>([&] { F(name)->SetAsFloat(-1); }),
                  String("%1 must be greater or equal to zero").arg(name));
        EXPECT_EQ(F(name)->AsFloat(), old) << name;
    }
    EXPECT_FALSE(orders->Modified());
    orders->Cancel();
}

TEST_F(ExpressionTableTest, AmountDueFollowsEveryRecord) {
    orders->Open();
    std::vector<double> due;
    for (orders->First(); !orders->Eof(); orders->Next())
        due.push_back(F("AmountDue")->AsFloat());
    EXPECT_EQ(due, (std::vector<double>{70, 0, 20}));
    orders->Last();
    orders->Edit();
    F("AmountPaid")->SetAsFloat(5);
    EXPECT_EQ(F("AmountDue")->AsFloat(), 15);
    orders->Post();
    EXPECT_EQ(F("AmountDue")->AsFloat(), 15);
}

TEST_F(ExpressionTableTest, PostingChecksEveryConstraintAndKeepsTheEdit) {
    Sql("UPDATE orders SET Freight = -5 WHERE OrderNo = 2");
    auto* c = orders->Constraints()->Add();
    c->SetCustomConstraint("AmountPaid <= ItemsTotal");
    c->SetErrorMessage("AmountPaid must not exceed ItemsTotal");
    orders->Open();
    orders->Next();
    orders->Edit();
    F("ItemsTotal")->SetAsFloat(40);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "Freight must be greater or equal to zero")
        << "a field never touched is checked too";
    EXPECT_EQ(orders->State(), dsEdit);
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), 40);
    F("Freight")->SetAsFloat(1);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "AmountPaid must not exceed ItemsTotal");
    F("AmountPaid")->SetAsFloat(40);
    orders->Post();
    EXPECT_EQ(Value("SELECT Freight FROM orders WHERE OrderNo = 2").toDouble(), 1);
}

TEST_F(ExpressionTableTest, InactiveExpressionsApplyNothingUntilSwitchedOn) {
    orders->SetExpressionsActive(false);
    orders->Open();
    EXPECT_FALSE(orders->Expressions()->Active());
    EXPECT_TRUE(orders->Expressions()->Defaults().empty());
    orders->Edit();
    F("Freight")->SetAsFloat(-1);
    EXPECT_TRUE(F("AmountDue")->IsNull());
    orders->Cancel();
    orders->SetExpressionsActive(true);
    EXPECT_TRUE(orders->Expressions()->Active()) << "an open table builds its lists at once";
    EXPECT_EQ(orders->Expressions()->Defaults().size(), 4u);
    orders->Edit();
    EXPECT_THROW(F("Freight")->SetAsFloat(-1), EDatabaseError);
    orders->Cancel();
    orders->Close();
    EXPECT_FALSE(orders->Expressions()->Active());
}

TEST_F(ExpressionTableTest, RemovingDefaultsStopsThemFromTheNextRecordOn) {
    orders->Open();
    orders->SetExpressionsOptions(AllExpressionsOptions & ~TExpressionsOptions(eoDefaults));
    orders->Append();
    EXPECT_TRUE(F("ItemsTotal")->IsNull());
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { F("ItemsTotal")->SetAsFloat(-2); }),
              "ItemsTotal must be greater or equal to zero");
    orders->Cancel();
}

// A search key is no record: the constraints of the record do not judge it.
TEST_F(ExpressionTableTest, SearchKeysAreNotCheckedAgainstTheConstraints) {
    orders->SetIndexFieldNames("ItemsTotal");
    orders->Open();
    EXPECT_FALSE(orders->FindKey({Variant(-1)}));
    EXPECT_TRUE(orders->FindKey({Variant(50)}));
    EXPECT_EQ(F("OrderNo")->AsInteger(), 2);
}

} // namespace
} // namespace dbcanexpr
