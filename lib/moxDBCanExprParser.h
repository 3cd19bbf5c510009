#pragma once
// The expression parser: reads the text of a filter, default, calculated-field or constraint
// expression against the fields of a data set, checks its types and writes it as a canonical
// expression buffer.
#include <array>
#include <memory>
#include <vector>

#include "lib/moxCanExprData.h"
#include "vcl/DB.h"

namespace moxDBCanExpr {
Q_NAMESPACE

enum TParserOption {
    xoExtendedSyntax = 1 << 0,    // arithmetic and function calls
    xoAggregates = 1 << 1,        // accepted; aggregates are always allowed here
    xoDefaultExpression = 1 << 2, // the text is the value for a target field
    xoOriginNames = 1 << 3,       // names match the columns of the fields' origins first
    xoFieldNameGiven = 1 << 4,    // every field reference means the target field
    xoFieldDependencies = 1 << 5  // record which fields the expression reads
};
Q_DECLARE_FLAGS(TParserOptions, TParserOption)
Q_FLAG_NS(TParserOptions)

enum TExprNodeKind {
    nkField,
    nkConstant,
    nkOperator,
    nkFunction
};
Q_ENUM_NS(TExprNodeKind)

enum TExprScopeKind {
    esRecord,
    esAggregate,
    esConstant
};
Q_ENUM_NS(TExprScopeKind)

// The kinds of expressions a data set applies to its records.
enum TExpressionsOption {
    eoRecordConstraints = 1 << 0, // the data set's constraints
    eoFieldConstraints = 1 << 1,  // the fields' custom constraints
    eoCalcFields = 1 << 2,        // default expressions of calculated fields
    eoDefaults = 1 << 3           // default expressions of data fields
};
Q_DECLARE_FLAGS(TExpressionsOptions, TExpressionsOption)
Q_FLAG_NS(TExpressionsOptions)
} // namespace moxDBCanExpr
Q_DECLARE_OPERATORS_FOR_FLAGS(moxDBCanExpr::TParserOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(moxDBCanExpr::TExpressionsOptions)
using namespace moxDBCanExpr;

// The logical type written for a constant of each field type.
using TFieldMap = std::array<Byte, FieldTypeCount>;
extern const TFieldMap FldTypeMap;

// Which fields an expression reads: entry FieldNo - 1 is set for each.
using TFieldDependencies = std::vector<bool>;

// One construct of the parsed text. Nodes belong to the TmoxFilterExpr that made them.
struct TExprNode {
    TExprNodeKind Kind = nkConstant;
    int Operator = coNOTDEFINED;
    // The field name as written, the constant (text as written for literals, 1 or 0 for the words
    // for true and false, Null for NULL) or the function name.
    Variant Data;
    TExprNode* Left = nullptr;
    TExprNode* Right = nullptr;
    TFieldType DataType = ftUnknown;
    int DataSize = 0;
    // Arguments of a function, values of an IN list.
    std::vector<TExprNode*> Args;
    TExprScopeKind ScopeKind = esRecord;
    // The field a field node names.
    TField* Field = nullptr;
    // Operand levels below this node once written, so that nothing deeper than a reader takes is
    // ever written.
    int Depth = 0;
};

// Owns the parse nodes, resolves field names against the data set and writes the buffer.
class TmoxFilterExpr {
public:
    TmoxFilterExpr(TDataSet* DataSet, TFilterOptions Options, TParserOptions ParserOptions,
                   const String& FieldName, TFieldDependencies* DependentFields, const TFieldMap& FieldMap);
    ~TmoxFilterExpr();
    TmoxFilterExpr(const TmoxFilterExpr&) = delete;
    TmoxFilterExpr& operator=(const TmoxFilterExpr&) = delete;

    // A new node; a field node resolves its name ("Field '%s' not found") and takes the field's
    // type and size.
    TExprNode* NewNode(TExprNodeKind Kind, int Operator, const Variant& Data, TExprNode* Left, TExprNode* Right);
    // The whole buffer for the tree under Root.
    TExprData WriteBuffer(TExprNode* Root);
    int DataSize() const { return dataSize_; }

private:
    TField* ResolveField(const String& Name) const;
    int PutNode(TExprNode* Node, int ParentOperator);
    int PutFieldNode(TExprNode* Node, int ParentOperator);
    int PutConstant(TExprNode* Node);
    int PutStringConstant(const String& Text);
    int PutCompare(TExprNode* Node);
    int PutList(const std::vector<TExprNode*>& Items);
    QByteArray ConstantValue(const TExprNode* Node, int& LogicalType) const;

    TDataSet* dataSet_;
    TFilterOptions options_;
    TParserOptions parserOptions_;
    String fieldName_;
    TFieldDependencies* dependentFields_;
    const TFieldMap& fieldMap_;
    std::vector<std::unique_ptr<TExprNode>> nodes_;
    std::unique_ptr<TExprDataWriter> writer_;
    int dataSize_ = 0;
};

// Reads the text into parse nodes by recursive descent and has them written. Every failure raises
// EDatabaseError with the parser's message (a constant text that is no number or date raises
// EConvertError); the previous buffer stays.
class TmoxExprParser {
public:
    TmoxExprParser(TDataSet* DataSet, const TFieldMap& FieldMap, TFieldDependencies* DependentFields,
                   const String& FieldName, TParserOptions ParserOptions, TFilterOptions FilterOptions,
                   const String& Text);
    ~TmoxExprParser();
    TmoxExprParser(const TmoxExprParser&) = delete;
    TmoxExprParser& operator=(const TmoxExprParser&) = delete;

    void Parse(const String& Text, TFilterOptions FilterOptions, const String& FieldName,
               TParserOptions ParserOptions);
    const TExprData& FilterData() const { return filterData_; }
    int DataSize() const { return dataSize_; }

private:
    class Reader;

    TDataSet* dataSet_;
    const TFieldMap& fieldMap_;
    TFieldDependencies* dependentFields_;
    std::unique_ptr<TmoxFilterExpr> writer_;
    TExprData filterData_;
    int dataSize_ = 0;
};
