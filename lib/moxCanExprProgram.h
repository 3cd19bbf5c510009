#pragma once
// The reader of expression buffers: a buffer is checked once, when an evaluator takes it, and
// decoded into nodes that the evaluator walks without touching the bytes again. Every offset, size
// and node class is checked against the buffer; a node that two operands name (which covers every
// cycle) and nesting beyond MaxExprDepth are refused, so that evaluation is bounded by the buffer.
#include <vector>

#include "lib/moxCanExprData.h"
#include "vcl/Variants.h"

// Operand levels below the root that a buffer may nest (list chains do not count: they are walked).
inline constexpr int MaxExprDepth = 1000;

// The functions of nodeFUNC, by the code of their name; 0 for a name that is not known.
enum TExprFunction {
    efUnknown,
    efSum,
    efMin,
    efMax,
    efAvg,
    efCount,
    efUpper,
    efLower,
    efSubstring,
    efTrim,
    efTrimLeft,
    efTrimRight,
    efYear,
    efMonth,
    efDay,
    efHour,
    efMinute,
    efSecond,
    efGetDate,
    efDate,
    efTime
};
// SUM ... TIME, "COUNT(*)" too, ignoring case.
TExprFunction ExprFunctionOf(const String& Name);

// One node as read; operands are indexes into TExprProgram::Nodes, -1 where there is none.
struct TExprDataNode {
    int Offset = 0;    // node offset in the buffer
    int NodeClass = 0; // the low byte of the class word
    int Operator = 0;
    // nodeUNARY, nodeBINARY, nodeCOMPARE: the operands; nodeLIST: the expression; nodeFUNC: the first
    // list element; nodeLISTELEM: the expression and the next element.
    int Left = -1;
    int Right = -1;
    // nodeCOMPARE.
    bool CaseInsensitive = false;
    int PartialLength = 0;
    // nodeFIELD: number and name; nodeFUNC: name and function.
    int FieldNo = 0;
    String Name;
    TExprFunction Function = efUnknown;
    // nodeCONST: the value as the evaluator reports it. A type the evaluator does not read leaves
    // Supported false; a time stamp outside the calendar leaves its message in ValueError.
    Variant Value;
    int LogicalType = 0;
    int Size = 0;
    bool Supported = true;
    String ValueError;
};

class TExprProgram {
public:
    // Reads the first iTotalSize bytes of `Data`; raises EExprDataError for a malformed buffer.
    explicit TExprProgram(const TExprData& Data);

    // The held copy of the buffer, exactly iTotalSize bytes.
    const TExprData& Data() const { return data_; }
    // Node 0 is the root.
    const std::vector<TExprDataNode>& Nodes() const { return nodes_; }

private:
    TExprData data_;
    std::vector<TExprDataNode> nodes_;
};
