// Expressions evaluated against a data set, and the data set's default, calculated-field and
// constraint expressions applied to its records.
#include "DBCanExprTestSupport.h"

namespace dbcanexpr {
namespace {

class DBEvaluatorTest : public ExprDataSetTest {
protected:
    void SetUp() override {
        ExprDataSetTest::SetUp();
        OpenThreeOrders(orders);
        evaluator.SetDataSet(orders);
        evaluator.SetParserOptions(xoExtendedSyntax | xoAggregates);
    }
    Variant Eval(const String& text) {
        evaluator.SetExpression(text);
        return evaluator.Evaluate();
    }
    TmoxDBExprEvaluator evaluator;
};

TEST_F(DBEvaluatorTest, ReadsTheCurrentRecordsFields) {
    evaluator.SetExpression("ItemsTotal - AmountPaid");
    std::vector<double> due;
    for (orders->First(); !orders->Eof(); orders->Next()) {
        int type = 0, size = 0;
        due.push_back(evaluator.Evaluate(type, size).ToDouble());
        EXPECT_EQ(type, fldFLOAT);
        EXPECT_EQ(size, 8);
    }
    EXPECT_EQ(due, (std::vector<double>{70, 0, 20}));

    orders->First();
    const struct {
        const char* text;
        Variant expected;
    } cases[] = {
        {"Name like 'Order%'", Variant(true)},
        {"Name like 'ord*'", Variant(false)},
        {"UPPER(Name) = 'ORDER 1'", Variant(true)},
        {"Name = 'Order*'", Variant(true)},
        {"Name = 'Order 2*'", Variant(false)},
        {"OrderNo in (3, 1)", Variant(true)},
        {"Flag is null and not (Qty > 0)", Variant(true)},
        {"ItemsTotal / 4", Variant(25.0)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(VarSameValue(Eval(c.text), c.expected)) << c.text;
}

TEST_F(DBEvaluatorTest, APatternEndingInAStarMatchesWhatBeginsWithTheRest) {
    evaluator.SetExpression("Name like 'Order*'");
    EXPECT_TRUE(evaluator.Evaluate().ToBool());
    TmoxExprParser parser(orders, FldTypeMap, nullptr, {}, xoExtendedSyntax, foCaseInsensitive, "Name like 'order*'");
    evaluator.SetData(parser.FilterData());
    EXPECT_TRUE(evaluator.Evaluate().ToBool());
}

TEST_F(DBEvaluatorTest, ParsesOnFirstUseAndAgainAfterAChange) {
    evaluator.SetExpression("Nope > 0");
    EXPECT_FALSE(evaluator.Prepared());
    EXPECT_EQ(MessageOf([&] { evaluator.Evaluate(); }), "Field 'Nope' not found");
    EXPECT_FALSE(evaluator.Prepared());
    evaluator.SetExpression("OrderNo * 10");
    EXPECT_EQ(evaluator.Evaluate().ToInt(), 10);
    EXPECT_TRUE(evaluator.Prepared());
    evaluator.SetFieldName("ItemsTotal");
    EXPECT_FALSE(evaluator.Prepared());
    evaluator.SetParserOptions(xoExtendedSyntax | xoDefaultExpression);
    EXPECT_EQ(evaluator.Evaluate().ToInt(), 10);
    EXPECT_EQ(Dump(evaluator.Data()), "ASSIGN(MUL(OrderNo#1,f:10),=)");

    evaluator.SetExpression(String());
    EXPECT_TRUE(evaluator.Evaluate().IsNull()) << "no text, no buffer";
    EXPECT_FALSE(evaluator.HasData());
}

TEST_F(DBEvaluatorTest, UsesABufferHandedInAsItIs) {
    TmoxExprParser parser(orders, FldTypeMap, nullptr, {}, xoExtendedSyntax, {}, "AmountPaid + 1");
    evaluator.SetExpression("OrderNo");
    evaluator.SetFieldName("ItemsTotal");
    evaluator.SetData(parser.FilterData());
    EXPECT_EQ(evaluator.Expression(), String());
    EXPECT_EQ(evaluator.FieldName(), String());
    EXPECT_TRUE(evaluator.Prepared());
    EXPECT_EQ(evaluator.Evaluate().ToDouble(), 31.0);
    TExprMemoryDataSet other;
    AddOrderFields(&other);
    other.AddRow(OrderRow(9, 1, 5));
    other.Open();
    evaluator.SetDataSet(&other);
    EXPECT_EQ(evaluator.Evaluate().ToDouble(), 6.0) << "the handed-in buffer stays with another data set";
    evaluator.SetDataSet(orders);
}

TEST_F(DBEvaluatorTest, AggregatesWalkTheRecordsAndComeBack) {
    orders->Next();
    ASSERT_EQ(F("OrderNo")->AsInteger(), 2);
    int scrolls = 0;
    orders->AfterScroll = [&](TDataSet*) { ++scrolls; };
    const struct {
        const char* text;
        double expected;
    } cases[] = {{"SUM(ItemsTotal)", 170}, {"count(*)", 3}, {"MAX(ItemsTotal - AmountPaid)", 70},
                 {"AVG(AmountPaid)", 80.0 / 3}, {"MIN(OrderNo)", 1}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Eval(c.text).ToDouble(), c.expected) << c.text;
        EXPECT_EQ(F("OrderNo")->AsInteger(), 2) << c.text;
    }
    EXPECT_GT(scrolls, 0);
    EXPECT_FALSE(orders->ControlsDisabled());
}

// Walking the records from inside an edit would post it (and from a check before posting, post
// again and again); from inside a calculation it would rebuild the window being filled.
TEST_F(DBEvaluatorTest, AggregatesAreRefusedWhileTheRecordIsEdited) {
    orders->Edit();
    F("ItemsTotal")->SetAsFloat(999);
    evaluator.SetExpression("SUM(ItemsTotal)");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { evaluator.Evaluate(); }),
              "Aggregate expressions cannot be evaluated while the dataset is editing or calculating");
    EXPECT_EQ(orders->State(), dsEdit);
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), 999);
    EXPECT_FALSE(orders->ControlsDisabled());
    orders->Cancel();
    EXPECT_EQ(evaluator.Evaluate().ToDouble(), 170);
}

TEST_F(DBEvaluatorTest, ReportsEachFieldTypesLogicalType) {
    orders->Edit();
    F("Flag")->SetAsBoolean(true);
    F("Qty")->SetAsInteger(3);
    F("Count16")->SetAsInteger(4);
    F("Big")->SetAsLargeInt(5);
    F("SaleDate")->SetAsDateTime(EncodeDate(2020, 1, 2));
    F("Day")->SetAsDateTime(EncodeDate(2020, 1, 2));
    F("Price")->SetAsFloat(1.5);
    const struct {
        const char* field;
        int type, size;
    } cases[] = {{"OrderNo", fldINT32, 4}, {"Name", fldZSTRING, 20},  {"ItemsTotal", fldFLOAT, 8},
                 {"Qty", fldINT16, 2},     {"Flag", fldBOOL, 2},      {"SaleDate", fldDATE, 8},
                 {"Day", fldDATE, 8},      {"Price", fldFLOAT, 8},    {"Count16", fldUINT16, 2},
                 {"Big", fldINT64, 8},     {"Notes", fldUNKNOWN, 0}};
    for (const auto& c : cases) {
        // The field itself as a value: the default expression of no target.
        evaluator.SetExpression(String("[%1]").arg(c.field));
        evaluator.SetParserOptions(xoExtendedSyntax | xoDefaultExpression);
        int type = -1, size = -1;
        evaluator.Evaluate(type, size);
        EXPECT_EQ(type, c.type) << c.field;
        EXPECT_EQ(size, c.size) << c.field;
        evaluator.SetParserOptions(xoExtendedSyntax);
    }
    orders->Cancel();
}

// The data set's own expressions.

class ExpressionsTest : public ExprDataSetTest {
protected:
    void SetUp() override {
        ExprDataSetTest::SetUp();
        for (const char* name : {"ItemsTotal", "AmountPaid", "Freight"}) {
            F(name)->SetDefaultExpression("0");
            F(name)->SetCustomConstraint(String("%1 >= 0").arg(name));
            F(name)->SetConstraintErrorMessage(String("%1 must be greater or equal to zero").arg(name));
        }
        F("AmountDue")->SetDefaultExpression("ItemsTotal - AmountPaid");
        orders->AddRow(OrderRow(1, 100, 30));
        orders->AddRow(OrderRow(2, 50, 50));
    }
};

TEST_F(ExpressionsTest, FillsDefaultsBeforeOnNewRecord) {
    orders->Open();
    Variant seen[3];
    orders->OnNewRecord = [&](TDataSet*) {
        seen[0] = F("ItemsTotal")->AsVariant();
        seen[1] = F("AmountPaid")->AsVariant();
        seen[2] = F("AmountDue")->AsVariant();
    };
    orders->Append();
    for (const Variant& v : seen)
        EXPECT_TRUE(!v.IsNull() && v.ToDouble() == 0);
    EXPECT_TRUE(F("Qty")->IsNull());
    F("ItemsTotal")->SetAsFloat(100);
    F("AmountPaid")->SetAsFloat(30);
    EXPECT_EQ(F("AmountDue")->AsFloat(), 70);
    orders->Post();
    EXPECT_EQ(orders->rows.size(), 3u);
}

TEST_F(ExpressionsTest, CalculatesFieldsForEveryRecordBeforeOnCalcFields) {
    orders->OnCalcFields = [](TDataSet* ds) {
        // What the handler sees has been calculated already.
        EXPECT_EQ(ds->FieldByName("AmountDue")->AsFloat(),
                  ds->FieldByName("ItemsTotal")->AsFloat() - ds->FieldByName("AmountPaid")->AsFloat());
    };
    orders->Open();
    std::vector<double> due;
    for (orders->First(); !orders->Eof(); orders->Next())
        due.push_back(F("AmountDue")->AsFloat());
    EXPECT_EQ(due, (std::vector<double>{70, 0}));
}

TEST_F(ExpressionsTest, AFieldConstraintRefusesTheValueAndKeepsTheOldOne) {
    orders->Open();
    orders->Edit();
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { F("ItemsTotal")->SetAsFloat(-1); }),
              "ItemsTotal must be greater or equal to zero");
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), 100);
    F("ItemsTotal")->SetAsFloat(0);
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), 0);
    // Only the constraints of the field being set are checked.
    F("Freight")->SetCustomConstraint("ItemsTotal > 10");
    orders->Close();
    orders->Open();
    orders->Edit();
    F("ItemsTotal")->SetAsFloat(1);
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), 1);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "Freight must be greater or equal to zero")
        << "posting checks every field constraint, also of fields never touched";
    EXPECT_EQ(orders->State(), dsEdit);
    EXPECT_EQ(F("ItemsTotal")->AsFloat(), 1);
}

TEST_F(ExpressionsTest, TheOwnValidationHandlerStaysAndRunsAfterTheConstraint) {
    int validations = 0;
    F("ItemsTotal")->OnValidate = [&](TField* f) {
        ++validations;
        EXPECT_EQ(f->AsFloat(), 7);
    };
    orders->Open();
    orders->Edit();
    F("ItemsTotal")->SetAsFloat(7);
    EXPECT_EQ(validations, 1);
    EXPECT_THROW(F("ItemsTotal")->SetAsFloat(-7), EDatabaseError);
    EXPECT_EQ(validations, 1);
    EXPECT_TRUE(bool(F("ItemsTotal")->OnValidate));
}

TEST_F(ExpressionsTest, PostChecksFieldConstraintsThenRecordConstraintsInOrder) {
    auto* c1 = orders->Constraints()->Add();
    c1->SetImportedConstraint("OrderNo < 100");
    c1->SetErrorMessage("imported first item");
    auto* c2 = orders->Constraints()->Add();
    c2->SetCustomConstraint("AmountPaid <= ItemsTotal");
    c2->SetErrorMessage("paid too much");
    orders->Open();
    ASSERT_EQ(orders->expressions.RecordConstraints().size(), 2u);
    EXPECT_EQ(orders->expressions.RecordConstraints()[0]->Expression(), "AmountPaid <= ItemsTotal")
        << "custom constraints before imported ones";
    orders->Edit();
    F("Freight")->SetAsFloat(0);
    F("AmountPaid")->SetAsFloat(500);
    F("OrderNo")->SetAsInteger(200);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "paid too much");
    F("AmountPaid")->SetAsFloat(5);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "imported first item")
        << "a constraint with only an imported text is checked";
    F("OrderNo")->SetAsInteger(9);
    orders->Post();
    EXPECT_EQ(orders->rows[0].values[0].ToInt(), 9);
}

TEST_F(ExpressionsTest, AConstraintThatGivesNullCannotBeTakenAsTrueOrFalse) {
    F("Qty")->SetCustomConstraint("(Qty > 0) or NULL");
    auto* c = orders->Constraints()->Add();
    c->SetCustomConstraint("OrderNo > 100");
    orders->Open();
    orders->Edit();
    EXPECT_EQ(MessageOf([&] { F("Qty")->SetAsInteger(1); }), "Invalid variant type conversion");
    F("Qty")->SetCustomConstraint(String());
    orders->Close();
    orders->Open();
    orders->Edit();
    F("Freight")->SetAsFloat(0);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Post(); }), "") << "an empty message raises an empty text";
}

TEST_F(ExpressionsTest, FaultyExpressionsSurfaceWhenFirstApplied) {
    F("AmountPaid")->SetCustomConstraint("AmountPaid >=");
    orders->Open();
    orders->Edit();
    F("ItemsTotal")->SetAsFloat(3);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { F("AmountPaid")->SetAsFloat(3); }),
              "Expression expected but nothing found");
    orders->Cancel();
    F("AmountPaid")->SetCustomConstraint("AmountPaid >= 0");
    F("Freight")->SetDefaultExpression("'text'");
    orders->Close();
    orders->Open();
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { orders->Append(); }), "Type mismatch in expression");
    EXPECT_EQ(orders->State(), dsBrowse);
}

TEST_F(ExpressionsTest, InactiveExpressionsApplyNothing) {
    orders->expressionsActive = false;
    orders->Open();
    EXPECT_FALSE(orders->expressions.Active());
    EXPECT_TRUE(orders->expressions.Defaults().empty());
    orders->Append();
    EXPECT_TRUE(F("ItemsTotal")->IsNull());
    EXPECT_TRUE(F("AmountDue")->IsNull());
    F("ItemsTotal")->SetAsFloat(-1);
    orders->Post();
    orders->expressions.SetActive(true);
    EXPECT_EQ(orders->expressions.Defaults().size(), 3u);
    EXPECT_EQ(orders->expressions.FieldConstraints().size(), 3u);
    EXPECT_EQ(orders->expressions.CalcFields().size(), 1u);
    orders->Close();
    EXPECT_FALSE(orders->expressions.Active());
}

TEST_F(ExpressionsTest, ChangingTheOptionsRebuildsTheLists) {
    orders->Open();
    orders->expressions.SetOptions(AllExpressionsOptions & ~TExpressionsOptions(eoDefaults));
    EXPECT_TRUE(orders->expressions.Defaults().empty());
    orders->Append();
    EXPECT_TRUE(F("ItemsTotal")->IsNull()) << "no defaults from the next new record on";
    orders->Cancel();
    orders->expressions.SetOptions(eoCalcFields);
    EXPECT_TRUE(orders->expressions.FieldConstraints().empty());
    orders->First();
    orders->Edit();
    F("ItemsTotal")->SetAsFloat(-1);
    EXPECT_EQ(F("AmountDue")->AsFloat(), -31);
    orders->Cancel();
}

} // namespace
} // namespace dbcanexpr
