#pragma once
// An orders-like memory data set with persistent fields and the expression lists wired into its
// hooks as the expression table wires them; a readable dump of expression buffers; fixed settings.
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxDBCanExpr.h"
#include "vcl/db/DataSetFixture.h"

namespace dbcanexpr {

using mox::test::TMemoryDataSet;

// A memory data set that applies its fields' and constraints' expressions.
class TExprMemoryDataSet : public TMemoryDataSet {
public:
    TmoxDataSetExpressions expressions{this};
    bool expressionsActive = true;

    void SetFieldData(TField* Field, const Variant& Value) override {
        if (expressionsActive) expressions.ValidateField(Field, Value);
        TMemoryDataSet::SetFieldData(Field, Value);
    }

protected:
    void OpenCursor(bool InfoQuery) override {
        TMemoryDataSet::OpenCursor(InfoQuery);
        if (expressionsActive) expressions.SetActive(true);
    }
    void CloseCursor() override {
        expressions.SetActive(false);
        TMemoryDataSet::CloseCursor();
    }
    void DoBeforePost() override {
        TMemoryDataSet::DoBeforePost();
        if (expressionsActive) {
            expressions.CheckFieldConstraints();
            expressions.CheckRecordConstraints();
        }
    }
    void DoOnCalcFields() override {
        if (expressionsActive) expressions.ApplyCalcFields();
        TMemoryDataSet::DoOnCalcFields();
    }
    void DoOnNewRecord() override {
        if (expressionsActive) expressions.ApplyDefaults();
        TMemoryDataSet::DoOnNewRecord();
    }
};

// Fields 1 to 14 in this order, then the calculated AmountDue.
inline const std::vector<struct TMemoryDataSet::Column> OrderColumns = {
    {"OrderNo", ftInteger},   {"Name", ftString, 20},  {"ItemsTotal", ftCurrency}, {"AmountPaid", ftCurrency},
    {"Qty", ftSmallint},      {"Flag", ftBoolean},     {"SaleDate", ftDateTime},   {"Day", ftDate},
    {"Price", ftBCD, 2},      {"Notes", ftMemo},       {"Count16", ftWord},        {"Big", ftLargeint},
    {"Freight", ftCurrency},  {"ShipToCity", ftString, 15}};

// The data set with persistent fields for every column and the calculated field AmountDue.
inline void AddOrderFields(TMemoryDataSet* ds) {
    ds->columns = OrderColumns;
    for (const auto& c : OrderColumns) {
        auto* field = static_cast<TField*>(DefaultFieldClass(c.type).CreateComponent(ds));
        field->SetFieldName(c.name);
        if (c.size) field->SetSize(c.size);
        field->SetDataSet(ds);
    }
    auto* due = static_cast<TField*>(DefaultFieldClass(ftCurrency).CreateComponent(ds));
    due->SetFieldName("AmountDue");
    due->SetFieldKind(fkCalculated);
    due->SetDataSet(ds);
}

// A record with the given order number, items total and amount paid; other fields NULL.
inline std::vector<Variant> OrderRow(int no, double total, double paid) {
    std::vector<Variant> row(OrderColumns.size(), Null());
    row[0] = no;
    row[1] = String("Order %1").arg(no);
    row[2] = Currency(total);
    row[3] = Currency(paid);
    return row;
}

// The buffer as a term: NAME#no for fields, typed constants (s: w: i: f: b: d: t: ts: bcd:, 'text'),
// OP(operands) for nodes, CMP.OP[ci,partial](l,r), FUNC(args), IN(l,[values]), ASSIGN(x,=) when both
// words name the same node.
String Dump(const TExprData& data);

using mox::test::MessageOf;

// Three orders (numbers 1 to 3; totals 100, 50, 20; paid 30, 50, 0) in an open data set whose
// expressions are off.
inline void OpenThreeOrders(TExprMemoryDataSet* ds) {
    ds->expressionsActive = false;
    ds->AddRow(OrderRow(1, 100, 30));
    ds->AddRow(OrderRow(2, 50, 50));
    ds->AddRow(OrderRow(3, 20, 0));
    ds->Open();
}

class ExprDataSetTest : public mox::test::FixedFormatSettings {
protected:
    void SetUp() override {
        FixedFormatSettings::SetUp();
        orders = new TExprMemoryDataSet();
        AddOrderFields(orders);
    }
    void TearDown() override {
        delete orders;
        FixedFormatSettings::TearDown();
    }
    TField* F(const char* name) const { return orders->FieldByName(name); }

    TExprMemoryDataSet* orders = nullptr;
};

} // namespace dbcanexpr
