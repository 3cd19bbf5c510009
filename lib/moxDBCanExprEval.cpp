// Expressions evaluated against a data set, and the lists of them a data set applies.
#include "lib/moxDBCanExprEval.h"

#include "lib/moxCanExprRules.h"
#include "lib/moxDBConsts.h"

#include <algorithm>

// TmoxDBExprEvaluator

TmoxDBExprEvaluator::TmoxDBExprEvaluator() = default;
TmoxDBExprEvaluator::~TmoxDBExprEvaluator() = default;

void TmoxDBExprEvaluator::SetDataSet(TDataSet* Value) {
    if (Value == dataSet_) return;
    // A buffer handed in directly stays; one parsed from the text belongs to the old data set.
    if (!expression_.isEmpty()) {
        TmoxExprEvaluator::SetData(TExprData());
        prepared_ = false;
    }
    dataSet_ = Value;
}

void TmoxDBExprEvaluator::SetExpression(const String& Value) {
    if (Value == expression_) return;
    TmoxExprEvaluator::SetData(TExprData());
    expression_ = Value;
    prepared_ = false;
}

void TmoxDBExprEvaluator::SetFieldName(const String& Value) {
    if (Value == fieldName_) return;
    fieldName_ = Value;
    prepared_ = false;
}

void TmoxDBExprEvaluator::SetParserOptions(TParserOptions Value) {
    if (Value == parserOptions_) return;
    parserOptions_ = Value;
    if (!expression_.isEmpty()) prepared_ = false;
}

void TmoxDBExprEvaluator::Prepare() {
    if (prepared_ || !dataSet_) return;
    const TmoxExprParser parser(dataSet_, FldTypeMap, nullptr, fieldName_, parserOptions_, TFilterOptions(),
                                expression_);
    TmoxExprEvaluator::SetData(parser.FilterData());
    prepared_ = true;
}

void TmoxDBExprEvaluator::SetData(const TExprData& Data) {
    expression_.clear();
    fieldName_.clear();
    prepared_ = true;
    TmoxExprEvaluator::SetData(Data);
}

Variant TmoxDBExprEvaluator::GetFieldValue(int FieldNo, const String&, int& DataType, int& DataSize) {
    TField* field = dataSet_ ? dataSet_->FieldByNumber(FieldNo) : nullptr;
    DataType = fldUNKNOWN;
    DataSize = 0;
    if (!field) return Null();
    switch (field->DataType()) {
    case ftString:
    case ftBytes:
    case ftVarBytes:
        DataType = fldZSTRING;
        DataSize = field->Size();
        break;
    case ftSmallint:
        DataType = fldINT16;
        DataSize = 2;
        break;
    case ftInteger:
    case ftAutoInc:
        DataType = fldINT32;
        DataSize = 4;
        break;
    case ftWord:
        DataType = fldUINT16;
        DataSize = 2;
        break;
    case ftBoolean:
        DataType = fldBOOL;
        DataSize = 2;
        break;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        DataType = fldFLOAT;
        DataSize = 8;
        break;
    case ftDate:
    case ftTime:
    case ftDateTime:
        DataType = fldDATE;
        DataSize = 8;
        break;
    case ftLargeint:
        DataType = fldINT64;
        DataSize = 8;
        break;
    default:
        break;
    }
    return field->AsVariant();
}

void TmoxDBExprEvaluator::First() {
    if (dataSet_) dataSet_->First();
}

void TmoxDBExprEvaluator::Next() {
    if (dataSet_) dataSet_->Next();
}

bool TmoxDBExprEvaluator::Eof() {
    return !dataSet_ || dataSet_->Eof();
}

// Walking the records would post the record being edited (and, from a check before posting, start
// the post again without end) or rebuild the record window while one of its records is being read:
// aggregates are computed only while the data set browses.
void TmoxDBExprEvaluator::BeginAggregate() {
    if (!dataSet_) return;
    if (dataSet_->State() != dsBrowse) DatabaseError(SExprAggregateState);
    dataSet_->DisableControls();
    savedBookmark_ = dataSet_->GetBookmark();
}

void TmoxDBExprEvaluator::EndAggregate() {
    if (!dataSet_) return;
    try {
        dataSet_->GotoBookmark(savedBookmark_);
    } catch (const EDatabaseError&) {
        // The record may be gone; the data set stays where the walk left it.
    }
    dataSet_->FreeBookmark(savedBookmark_);
    dataSet_->EnableControls();
}

void TmoxDBExprEvaluator::BeginEvaluate() {
    Prepare();
}

// TmoxDataSetExpressions

TmoxDataSetExpressions::TmoxDataSetExpressions(TDataSet* DataSet) : dataSet_(DataSet) {}

TmoxDataSetExpressions::~TmoxDataSetExpressions() = default;

void TmoxDataSetExpressions::SetActive(bool Value) {
    if (Value == active_) return;
    if (Value)
        Build();
    else
        Clear();
    active_ = Value;
}

void TmoxDataSetExpressions::SetOptions(TExpressionsOptions Value) {
    if (Value == options_) return;
    options_ = Value;
    if (active_) {
        Clear();
        Build();
    }
}

void TmoxDataSetExpressions::Clear() {
    recordConstraints_.clear();
    fieldConstraints_.clear();
    calcFields_.clear();
    defaults_.clear();
}

void TmoxDataSetExpressions::Add(TEvaluators& List, const String& Expression, const String& FieldName,
                                 const String& ErrorMessage, bool DefaultExpression) {
    if (Expression.isEmpty()) return;
    auto evaluator = std::make_unique<TmoxDataSetExprEvaluator>();
    evaluator->SetDataSet(dataSet_);
    evaluator->SetExpression(Expression);
    evaluator->SetFieldName(FieldName);
    evaluator->SetErrorMessage(ErrorMessage);
    TParserOptions options = xoExtendedSyntax | xoAggregates;
    if (DefaultExpression) options |= xoDefaultExpression;
    evaluator->SetParserOptions(options);
    List.push_back(std::move(evaluator));
}

void TmoxDataSetExpressions::Build() {
    Clear();
    if (!dataSet_) return;
    if (options_ & eoRecordConstraints) {
        TCheckConstraints* constraints = dataSet_->Constraints();
        for (int i = 0; i < constraints->Count(); ++i)
            Add(recordConstraints_, constraints->Items(i)->CustomConstraint(), String(),
                constraints->Items(i)->ErrorMessage(), false);
        for (int i = 0; i < constraints->Count(); ++i)
            Add(recordConstraints_, constraints->Items(i)->ImportedConstraint(), String(),
                constraints->Items(i)->ErrorMessage(), false);
    }
    if (options_ & eoFieldConstraints)
        for (TField* field : *dataSet_->Fields())
            if (field->FieldKind() == fkData)
                Add(fieldConstraints_, field->CustomConstraint(), field->FieldName(),
                    field->ConstraintErrorMessage(), false);
    for (TField* field : *dataSet_->Fields()) {
        const TFieldKind kind = field->FieldKind();
        if ((kind == fkCalculated || kind == fkInternalCalc) && (options_ & eoCalcFields))
            Add(calcFields_, field->DefaultExpression(), field->FieldName(), String(), true);
        else if (kind == fkData && (options_ & eoDefaults))
            Add(defaults_, field->DefaultExpression(), field->FieldName(), String(), true);
    }
}

void TmoxDataSetExpressions::Assign(const TEvaluators& List) {
    for (const auto& evaluator : List) {
        int type = 0, size = 0;
        TExprValue value{evaluator->Evaluate(type, size), type, size};
        // A decimal result travels as its record's bytes: the field takes its amount.
        ExprRules::FromBcd(value);
        dataSet_->FieldByName(evaluator->FieldName())->SetAsVariant(value.Value);
    }
}

void TmoxDataSetExpressions::ApplyCalcFields() {
    SetActive(true);
    Assign(calcFields_);
}

void TmoxDataSetExpressions::ApplyDefaults() {
    SetActive(true);
    Assign(defaults_);
}

void TmoxDataSetExpressions::Check(TmoxDataSetExprEvaluator& Evaluator) {
    // NULL is neither true nor false and raises the conversion error.
    if (!Evaluator.Evaluate().ToBool()) DatabaseError(Evaluator.ErrorMessage());
}

void TmoxDataSetExpressions::CheckFieldConstraints(const String& FieldName) {
    SetActive(true);
    for (const auto& evaluator : fieldConstraints_)
        if (FieldName.isEmpty() || evaluator->FieldName().compare(FieldName, Qt::CaseInsensitive) == 0)
            Check(*evaluator);
}

void TmoxDataSetExpressions::CheckRecordConstraints() {
    SetActive(true);
    for (const auto& evaluator : recordConstraints_)
        Check(*evaluator);
}

void TmoxDataSetExpressions::ValidateField(TField* Field, const Variant& Value) {
    // A search key is no record value: only records being edited or inserted are checked.
    if (!dataSet_ || (dataSet_->State() != dsEdit && dataSet_->State() != dsInsert)) return;
    SetActive(true);
    const String name = Field->FieldName();
    const bool constrained = std::any_of(fieldConstraints_.begin(), fieldConstraints_.end(), [&](const auto& e) {
        return e->FieldName().compare(name, Qt::CaseInsensitive) == 0;
    });
    if (!constrained) return;
    // The field shows the new value to its validation handler: the constraints run as that handler.
    const TFieldNotifyEvent previous = Field->OnValidate;
    Field->OnValidate = [this, name](TField*) { CheckFieldConstraints(name); };
    try {
        Field->Validate(Value);
    } catch (...) {
        Field->OnValidate = previous;
        throw;
    }
    Field->OnValidate = previous;
}
