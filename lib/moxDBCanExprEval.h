#pragma once
// Expressions evaluated against a data set: the evaluator that parses its text on first use and
// reads the data set's fields, and the lists of default, calculated-field and constraint
// expressions that a data set applies to its records.
#include <QPointer>
#include <memory>
#include <vector>

#include "lib/moxCanExpr.h"
#include "lib/moxDBCanExprParser.h"
#include "vcl/DB.h"

inline constexpr TExpressionsOptions AllExpressionsOptions =
    eoRecordConstraints | eoFieldConstraints | eoCalcFields | eoDefaults;

// The evaluator bound to a data set: field numbers are the data set's, aggregates walk its records.
class TmoxDBExprEvaluator : public TmoxExprEvaluator {
public:
    TmoxDBExprEvaluator();
    ~TmoxDBExprEvaluator() override;
    String ClassName() const override { return QStringLiteral("TmoxDBExprEvaluator"); }

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* Value);
    String Expression() const { return expression_; }
    void SetExpression(const String& Value);
    // The target field of a default expression; empty for a condition of the whole record.
    String FieldName() const { return fieldName_; }
    void SetFieldName(const String& Value);
    TParserOptions ParserOptions() const { return parserOptions_; }
    void SetParserOptions(TParserOptions Value);
    bool Prepared() const { return prepared_; }

    // Parses Expression for the data set when that has not been done; parse errors pass on and
    // leave the evaluator unprepared.
    void Prepare();
    // A buffer handed in directly: used as it is, in place of any expression text.
    void SetData(const TExprData& Data) override;

protected:
    Variant GetFieldValue(int FieldNo, const String& FieldName, int& DataType, int& DataSize) override;
    void First() override;
    void Next() override;
    bool Eof() override;
    void BeginAggregate() override;
    void EndAggregate() override;
    void BeginEvaluate() override;

private:
    QPointer<TDataSet> dataSet_;
    String expression_;
    String fieldName_;
    TParserOptions parserOptions_;
    bool prepared_ = false;
    // The record to return to after an aggregate walked the data set.
    TBookmark savedBookmark_;
};

// An evaluator with the message raised when its condition fails.
class TmoxDataSetExprEvaluator : public TmoxDBExprEvaluator {
public:
    String ClassName() const override { return QStringLiteral("TmoxDataSetExprEvaluator"); }
    String ErrorMessage() const { return errorMessage_; }
    void SetErrorMessage(const String& Value) { errorMessage_ = Value; }

private:
    String errorMessage_;
};

// The expressions a data set applies: built from its fields and constraints when activated.
class TmoxDataSetExpressions : public TObject {
public:
    explicit TmoxDataSetExpressions(TDataSet* DataSet);
    ~TmoxDataSetExpressions() override;
    String ClassName() const override { return QStringLiteral("TmoxDataSetExpressions"); }

    TDataSet* DataSet() const { return dataSet_; }
    bool Active() const { return active_; }
    void SetActive(bool Value);
    TExpressionsOptions Options() const { return options_; }
    void SetOptions(TExpressionsOptions Value);

    // Evaluate the calculated fields' and the data fields' default expressions into the fields.
    void ApplyCalcFields();
    void ApplyDefaults();
    // Check the field constraints of the field named (ignoring case), or all of them for an empty
    // name; and the data set's constraints. A failing one raises EDatabaseError with its message.
    void CheckFieldConstraints(const String& FieldName = String());
    void CheckRecordConstraints();
    // Checks the field's constraints against Value, the value about to be stored, while the data set
    // edits or inserts a record.
    void ValidateField(TField* Field, const Variant& Value);

    using TEvaluators = std::vector<std::unique_ptr<TmoxDataSetExprEvaluator>>;
    // The lists as built (empty while inactive).
    const TEvaluators& RecordConstraints() const { return recordConstraints_; }
    const TEvaluators& FieldConstraints() const { return fieldConstraints_; }
    const TEvaluators& CalcFields() const { return calcFields_; }
    const TEvaluators& Defaults() const { return defaults_; }

private:
    void Build();
    void Clear();
    void Add(TEvaluators& List, const String& Expression, const String& FieldName, const String& ErrorMessage,
             bool DefaultExpression);
    void Assign(const TEvaluators& List);
    static void Check(TmoxDataSetExprEvaluator& Evaluator);

    QPointer<TDataSet> dataSet_;
    bool active_ = false;
    TExpressionsOptions options_ = AllExpressionsOptions;
    TEvaluators recordConstraints_;
    TEvaluators fieldConstraints_;
    TEvaluators calcFields_;
    TEvaluators defaults_;
};
