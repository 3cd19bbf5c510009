// The table that applies its fields' and constraints' expressions.
#include "lib/moxDBTables.h"

TmoxTable::TmoxTable(TComponent* AOwner)
    : TTable(AOwner), expressions_(std::make_unique<TmoxDataSetExpressions>(this)) {}

// Closed here, while the expressions it deactivates are still there (Free closes it even earlier).
TmoxTable::~TmoxTable() {
    if (Active()) Close();
}

void TmoxTable::SetExpressionsActive(bool Value) {
    if (Value == expressionsActive_) return;
    expressions_->SetActive(Value && Active());
    expressionsActive_ = Value;
}

void TmoxTable::SetFieldData(TField* Field, const Variant& Value) {
    if (expressionsActive_) expressions_->ValidateField(Field, Value);
    TTable::SetFieldData(Field, Value);
}

void TmoxTable::OpenCursor(bool InfoQuery) {
    TTable::OpenCursor(InfoQuery);
    if (expressionsActive_ && !InfoQuery) expressions_->SetActive(true);
}

void TmoxTable::CloseCursor() {
    if (expressions_) expressions_->SetActive(false);
    TTable::CloseCursor();
}

void TmoxTable::DoBeforePost() {
    TTable::DoBeforePost();
    if (!expressionsActive_) return;
    expressions_->CheckFieldConstraints();
    expressions_->CheckRecordConstraints();
}

void TmoxTable::DoOnCalcFields() {
    if (expressionsActive_) expressions_->ApplyCalcFields();
    TTable::DoOnCalcFields();
}

void TmoxTable::DoOnNewRecord() {
    if (expressionsActive_) expressions_->ApplyDefaults();
    TTable::DoOnNewRecord();
}

void SetupOrdersExpressions(TDataSet* Orders) {
    if (Orders->FieldCount() == 0) {
        Orders->FieldDefs()->Update();
        for (int i = 0; i < Orders->FieldDefs()->Count(); ++i)
            Orders->FieldDefs()->Items(i)->CreateField(Orders->Owner() ? Orders->Owner() : Orders);
    }
    for (const char* name : {"ItemsTotal", "TaxRate", "Freight", "AmountPaid"}) {
        TField* field = Orders->FindField(QString::fromLatin1(name));
        if (!field) continue;
        field->SetDefaultExpression(QStringLiteral("0"));
        field->SetCustomConstraint(QString::fromLatin1(name) + QStringLiteral(" >= 0"));
        field->SetConstraintErrorMessage(QString::fromLatin1(name) +
                                         QStringLiteral(" must be greater or equal to zero"));
    }
    TField* due = Orders->FindField(QStringLiteral("AmountDue"));
    if (!due) {
        due = new TCurrencyField(Orders->Owner() ? Orders->Owner() : Orders);
        due->SetFieldName(QStringLiteral("AmountDue"));
        due->SetFieldKind(fkCalculated);
        due->SetDataSet(Orders);
    }
    due->SetDefaultExpression(QStringLiteral("ItemsTotal - AmountPaid"));
}
