// Calculated and lookup fields, filtering and searching, on memory data sets.
#include "DataSetFixture.h"

namespace mox::test {
namespace {

class CalcLookupFilterTest : public PeopleDataSet {
protected:
    // A calculated field Bonus = Salary / 10, computed by OnCalcFields.
    TFloatField* AddBonus() {
        auto* bonus = new TFloatField(people);
        bonus->SetFieldName("Bonus");
        bonus->SetFieldKind(fkCalculated);
        bonus->SetDataSet(people);
        people->OnCalcFields = [this](TDataSet* ds) {
            ++calculations;
            ds->FieldByName("Bonus")->SetAsFloat(ds->FieldByName("Salary")->AsFloat() / 10);
        };
        return bonus;
    }
    // Persistent data fields for every column, so that calculated fields can join them.
    void AddDataFields() {
        auto add = [this](TField* f, const char* name) {
            f->SetFieldName(name);
            f->SetDataSet(people);
        };
        add(new TIntegerField(people), "Id");
        add(new TStringField(people), "Name");
        add(new TFloatField(people), "Salary");
        add(new TDateField(people), "Hired");
    }
    int calculations = 0;
};

TEST_F(CalcLookupFilterTest, CalculatedFieldsFollowTheRecordAndItsEdits) {
    AddDataFields();
    TFloatField* bonus = AddBonus();
    people->Open();
    EXPECT_EQ(bonus->AsFloat(), 100);
    EXPECT_EQ(bonus->FieldNo(), 0);
    EXPECT_FALSE(bonus->CanModify());
    people->Last();
    EXPECT_EQ(bonus->AsFloat(), 500);
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(7000);
    EXPECT_EQ(bonus->AsFloat(), 700) << "recalculated as the record changes";
    people->Cancel();
    EXPECT_EQ(bonus->AsFloat(), 500);

    people->SetAutoCalcFields(false);
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(9000);
    EXPECT_EQ(bonus->AsFloat(), 500) << "without AutoCalcFields only fetching calculates";
    people->Post();
    EXPECT_EQ(bonus->AsFloat(), 900);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->Post(); }), "Dataset not in edit or insert mode");
}

TEST_F(CalcLookupFilterTest, LookupFieldsOpenTheirDataSetAndTakeItsValue) {
    TMemoryDataSet depts;
    depts.columns = {{"DeptId", ftInteger}, {"Title", ftString, 30}};
    depts.AddRow({1, "Sales"});
    depts.AddRow({2, "Research"});
    people->columns.push_back({"DeptId", ftInteger});
    const int deptOf[] = {1, 2, 2, 3, 1};
    for (size_t i = 0; i < people->rows.size(); ++i)
        people->rows[i].values.push_back(deptOf[i]);

    AddDataFields();
    auto* dept = new TIntegerField(people);
    dept->SetFieldName("DeptId");
    dept->SetDataSet(people);
    auto* title = new TStringField(people);
    title->SetFieldName("Dept");
    title->SetFieldKind(fkLookup);
    title->SetSize(30);
    title->SetKeyFields("DeptId");
    title->SetLookupKeyFields("DeptId");
    title->SetLookupResultField("Title");
    title->SetDataSet(people);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->Open(); }),
              "Lookup information for field 'Dept' is incomplete");
    title->SetLookupDataSet(&depts);

    people->Open();
    EXPECT_TRUE(depts.Active()) << "opening the data set opens its lookup data set";
    QStringList titles;
    for (people->First(); !people->Eof(); people->Next())
        titles << title->AsString();
    EXPECT_EQ(titles, QStringList({"Sales", "Research", "Research", "", "Sales"}));
    EXPECT_TRUE(title->IsNull() == false);
    people->SetRecNo(4);
    EXPECT_TRUE(title->IsNull()) << "no department 3";
    people->Edit();
    dept->SetAsInteger(2);
    EXPECT_EQ(title->AsString(), "Research");
    EXPECT_EQ(depts.RecNo(), 1) << "looking up does not move the lookup data set";
}

TEST_F(CalcLookupFilterTest, OnFilterRecordHidesRecordsWhileFiltered) {
    people->Open();
    people->SetOnFilterRecord(
        [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("Salary")->AsFloat() >= 3000; });
    EXPECT_EQ(Names().size(), 5) << "nothing is hidden until Filtered";
    people->SetFiltered(true);
    EXPECT_EQ(Names(), QStringList({"Cid", "Dan", "Eve"}));
    people->Last();
    people->Prior();
    people->Prior();
    EXPECT_EQ(Name(), "Cid");
    people->Prior();
    EXPECT_TRUE(people->Bof());
    EXPECT_TRUE(people->Locate("Name", "Eve", {}));
    EXPECT_FALSE(people->Locate("Name", "Ann", {})) << "locating honours the filter";

    // Changing the filter posts a pending edit first, then shows the data set from its first record.
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(10);
    people->SetOnFilterRecord(
        [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("Salary")->AsFloat() < 3000; });
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_EQ(people->rows[4].values[2].ToDouble(), 10);
    EXPECT_EQ(Names(), QStringList({"Ann", "Bob", "Eve"}));
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(5000);
    people->SetFiltered(false);
    EXPECT_EQ(people->State(), dsBrowse);
    EXPECT_EQ(Names().size(), 5);

    // An edited record that no longer passes the filter leaves the view when posted.
    people->SetFiltered(true);
    people->First();
    people->Edit();
    people->FieldByName("Salary")->SetAsFloat(9999);
    people->Post();
    EXPECT_EQ(Name(), "Bob");
}

TEST_F(CalcLookupFilterTest, AFilterTextNeedsTheExpressionEngine) {
    people->SetFilter("Salary > 100");
    people->SetFiltered(true);
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { people->Open(); }),
              "Filter expressions are not available: the expression engine is not installed");
    EXPECT_FALSE(people->Active());

    struct SalaryAbove : TFilterExpression {
        bool Accepts(TDataSet* ds) override { return ds->FieldByName("Salary")->AsFloat() > 2500; }
    };
    SetFilterExpressionFactory(
        [](TDataSet*, const String&, TFilterOptions) { return std::make_unique<SalaryAbove>(); });
    people->Open();
    EXPECT_EQ(Names(), QStringList({"Cid", "Dan", "Eve"}));
    SetFilterExpressionFactory({});
}

TEST_F(CalcLookupFilterTest, LocateHonoursCaseAndPartialKeyOptions) {
    people->Open();
    struct Case {
        const char* fields;
        Variant values;
        TLocateOptions options;
        bool found;
        const char* name;
    } cases[] = {
        {"Name", "Dan", {}, true, "Dan"},
        {"Name", "dan", {}, false, nullptr},
        {"Name", "dan", loCaseInsensitive, true, "Dan"},
        {"Name", "E", {}, false, nullptr},
        {"Name", "E", loPartialKey, true, "Eve"},
        {"Name", "c", loPartialKey | loCaseInsensitive, true, "Cid"},
        {"Id;Name", VarArrayOf({2, "Bob"}), {}, true, "Bob"},
        {"Id;Name", VarArrayOf({2, "Ann"}), {}, false, nullptr},
        {"Salary", "3000", {}, true, "Cid"},
        {"Name", Null(), {}, false, nullptr},
    };
    for (const Case& c : cases) {
        people->SetRecNo(1);
        EXPECT_EQ(people->Locate(c.fields, c.values, c.options), c.found)
            << c.fields << " " << VarToStr(c.values).toStdString();
        EXPECT_EQ(Name(), c.found ? c.name : "Ann") << "a failed locate does not move";
    }
    EXPECT_EQ(people->Lookup("Name", "Dan", "Id").ToInt(), 4);
    EXPECT_TRUE(people->Lookup("Name", "Nobody", "Id").IsNull());
    const Variant both = people->Lookup("Id", 5, "Name;Salary");
    EXPECT_EQ(VarArrayGet(both, {0}).ToString(), "Eve");
    EXPECT_EQ(VarArrayGet(both, {1}).ToDouble(), 5000);
    EXPECT_EQ(Name(), "Ann");
}

TEST_F(CalcLookupFilterTest, DisabledControlsHearOneChangeWhenEnabled) {
    TDataSource source(nullptr);
    source.SetDataSet(people);
    int changes = 0;
    source.OnDataChange = [&](TObject*, TField*) { ++changes; };
    people->Open();
    changes = 0;
    people->DisableControls();
    people->Next();
    people->Next();
    people->Edit();
    people->FieldByName("Name")->SetAsString("X");
    people->Post();
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(people->ControlsDisabled());
    people->EnableControls();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(people->ControlsDisabled());
}

} // namespace
} // namespace mox::test
