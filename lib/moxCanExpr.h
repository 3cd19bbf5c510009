#pragma once
// The expression evaluator: computes the value of a canonical expression buffer for the current record
// of a record source that a descendant supplies (field values, navigation for aggregates, and the
// bracketing of each evaluation).
#include <memory>

#include "lib/moxCanExprData.h"
#include "lib/moxCanExprRules.h"
#include "vcl/Variants.h"

// Node classes, operators, constant types and functions the evaluator does not handle.
MOX_DECLARE_EXCEPTION(ENotSupported, Exception);

class TExprProgram;

class TmoxExprEvaluator : public TObject {
public:
    TmoxExprEvaluator();
    ~TmoxExprEvaluator() override;
    String ClassName() const override { return QStringLiteral("TmoxExprEvaluator"); }

    // Replaces the held buffer with a copy of the first iTotalSize bytes of `Data`; an empty `Data`
    // leaves none. A malformed buffer raises EExprDataError and keeps the held one.
    virtual void SetData(const TExprData& Data);
    bool HasData() const { return program_ != nullptr; }
    // The held copy (empty when there is none).
    TExprData Data() const;

    // BeginEvaluate, the value of the root node (NULL, type 0, size 0 without a buffer), and
    // EndEvaluate, which runs also when the evaluation fails; errors pass on.
    Variant Evaluate(int& DataType, int& DataSize);
    Variant Evaluate();

protected:
    // The value of field number `FieldNo` (from 1) named `FieldName`, with its logical type and size.
    // Aggregates read the record that First gives even when Eof is already true then, so a source
    // answers NULL when it has no record. The default answers NULL, type 0, size 0.
    virtual Variant GetFieldValue(int FieldNo, const String& FieldName, int& DataType, int& DataSize);
    // Navigation for aggregates; by default a source without records.
    virtual void First() {}
    virtual void Next() {}
    virtual bool Eof() { return true; }
    // Around the scan of one aggregate; EndAggregate runs also when the scan fails.
    virtual void BeginAggregate() {}
    virtual void EndAggregate() {}
    // Around every Evaluate.
    virtual void BeginEvaluate() {}
    virtual void EndEvaluate() {}

private:
    class Machine;
    friend class Machine;

    std::shared_ptr<const TExprProgram> program_;
};
