#pragma once
// The table that evaluates the expressions attached to its fields and constraints on the client:
// default expressions fill new records, default expressions of calculated fields compute them, and
// field and record constraints are checked as values are set and records posted.
#include <memory>

#include "lib/moxDBCanExprEval.h"
#include "vcl/DBTables.h"

class TmoxTable : public TTable {
    Q_OBJECT
    Q_PROPERTY(bool ExpressionsActive READ ExpressionsActive WRITE SetExpressionsActive)
    Q_PROPERTY(moxDBCanExpr::TExpressionsOptions ExpressionsOptions READ ExpressionsOptions WRITE SetExpressionsOptions)
    MOX_DEFAULT(ExpressionsActive, True)
    MOX_DEFAULT(ExpressionsOptions, [eoRecordConstraints, eoFieldConstraints, eoCalcFields, eoDefaults])

public:
    explicit TmoxTable(TComponent* AOwner = nullptr);
    ~TmoxTable() override;

    // Whether the expressions are applied while the table is open.
    bool ExpressionsActive() const { return expressionsActive_; }
    void SetExpressionsActive(bool Value);
    // Which kinds of expressions are applied; changing them on an open table rebuilds its lists.
    TExpressionsOptions ExpressionsOptions() const { return expressions_->Options(); }
    void SetExpressionsOptions(TExpressionsOptions Value) { expressions_->SetOptions(Value); }
    TmoxDataSetExpressions* Expressions() const { return expressions_.get(); }

    // Checks the field's constraints against the new value before it is stored.
    void SetFieldData(TField* Field, const Variant& Value) override;

protected:
    void OpenCursor(bool InfoQuery) override;
    void CloseCursor() override;
    // After BeforePost: every field constraint, then every record constraint.
    void DoBeforePost() override;
    void DoOnCalcFields() override;
    void DoOnNewRecord() override;

private:
    std::unique_ptr<TmoxDataSetExpressions> expressions_;
    bool expressionsActive_ = true;
};

// The demonstration's orders table: ItemsTotal, TaxRate, Freight and AmountPaid default to 0 and
// must not be negative, and the calculated currency field AmountDue is ItemsTotal - AmountPaid. A
// table without persistent fields first gets one for every column. The table must be closed.
void SetupOrdersExpressions(TDataSet* Orders);
