#pragma once
// The canonical expression buffer: a ten-byte header, a tree of fixed-layout nodes and a literal area
// with names and constant values, all integers little-endian and nothing padded. This file holds the
// layout's numbers, the writer that builds a buffer, and the encodings of constant values.
#include <utility>
#include <vector>

#include "vcl/FMTBcd.h"
#include "vcl/System.h"

// An expression buffer: header, node area and literal area, exactly iTotalSize bytes.
using TExprData = QByteArray;

// A buffer that is not a well-formed expression, or a writer asked to go beyond the format's 16-bit
// offsets and sizes.
MOX_DECLARE_EXCEPTION(EExprDataError, Exception);

namespace moxCanExpr {
Q_NAMESPACE

// Node classes; a node is 4 bytes of class, 4 bytes of operator and its 16-bit operand words.
enum NODEClass {
    nodeNULL = 0,     // no operands; NULL
    nodeUNARY = 1,    // [0] operand
    nodeBINARY = 2,   // [0] left, [1] right
    nodeCOMPARE = 3,  // [0] case-insensitive, [1] partial length, [2] left, [3] right
    nodeFIELD = 4,    // [0] field number (from 1), [1] literal offset of the name
    nodeCONST = 5,    // [0] logical type, [1] size of the value, [2] literal offset of the value
    nodeTUPLE = 6,    // not supported
    nodeCONTINUE = 7, // no operands; true
    nodeUDF = 8,      // not supported
    nodeLIST = 9,     // the word at byte 16 is the node offset of its expression
    nodeFUNC = 10,    // [0] literal offset of the name, [1] first list element or 0
    nodeLISTELEM = 11 // [0] this element's expression, [1] next element or 0
};
Q_ENUM_NS(NODEClass)

enum CANOp {
    coNOTDEFINED = 0,
    coISBLANK = 1,
    coNOTBLANK = 2,
    coEQ = 3,
    coNE = 4,
    coGT = 5,
    coLT = 6,
    coGE = 7,
    coLE = 8,
    coNOT = 9,
    coAND = 10,
    coOR = 11,
    coTUPLE2 = 12,
    coFIELD2 = 13,
    coCONST2 = 14,
    coMINUS = 15,
    coADD = 16,
    coSUB = 17,
    coMUL = 18,
    coDIV = 19,
    coMOD = 20,
    coREM = 21,
    coSUM = 22,
    coCOUNT = 23,
    coMIN = 24,
    coMAX = 25,
    coAVG = 26,
    coCONT = 27,
    coUDF2 = 28,
    coCONTINUE2 = 29,
    coLIKE = 30,
    coIN = 31,
    coLIST2 = 32,
    coUPPER = 33,
    coLOWER = 34,
    coFUNC2 = 35,
    coLISTELEM2 = 36,
    coASSIGN = 37
};
Q_ENUM_NS(CANOp)
} // namespace moxCanExpr
using namespace moxCanExpr;

// Logical type codes of constants and values.
inline constexpr int fldUNKNOWN = 0;
inline constexpr int fldZSTRING = 1; // text and a zero byte
inline constexpr int fldDATE = 2;    // 4 bytes: day number, 1 January of year 1 is day 1
inline constexpr int fldBLOB = 3;
inline constexpr int fldBOOL = 4;       // 2 bytes, non-zero is true
inline constexpr int fldINT16 = 5;      // 2 bytes signed
inline constexpr int fldINT32 = 6;      // 4 bytes signed
inline constexpr int fldFLOAT = 7;      // 8 bytes IEEE 754
inline constexpr int fldBCD = 8;        // the first 18 bytes of a TBcd
inline constexpr int fldTIME = 10;      // 4 bytes: milliseconds since midnight
inline constexpr int fldTIMESTAMP = 11; // 8-byte double: day number * 86 400 000 + milliseconds
inline constexpr int fldUINT16 = 12;    // 2 bytes unsigned
inline constexpr int fldVARBYTES = 15;
inline constexpr int fldINT64 = 18;

inline constexpr int CANEXPRVERSION = 2;
inline constexpr int ExprHeaderSize = 10;
inline constexpr int ExprNodeHeaderSize = 8;
inline constexpr int MaxExprDataSize = 0xFFFF;
// Bytes of a BCD constant in the literal area.
inline constexpr int ExprBcdConstSize = 18;

// The five header words.
struct TExprHeader {
    Word iVer = 0;
    Word iTotalSize = 0;
    Word iNodes = 0;
    Word iNodeStart = 0;
    Word iLiteralStart = 0;
};
// The header of a buffer of at least ten bytes (EExprDataError otherwise).
TExprHeader ExprDataHeader(const TExprData& Data);

// Builds a buffer node by node: nodes go to the end of the node area and literals to the end of the
// literal area, so an offset once returned never changes. A node is added before its operands, whose
// offsets are set afterwards. Raises EExprDataError rather than exceed the format's 65 535 bytes.
class TExprDataWriter {
public:
    TExprDataWriter();

    // A node of class `NodeClass` with `OperandCount` operand words, all 0; returns its node offset.
    int AddNode(int NodeClass, int Operator, int OperandCount);
    // Operand word `Index` of the node at `NodeOffset`; the node and index must exist and the value
    // must fit in 16 bits.
    void SetOperand(int NodeOffset, int Index, int Value);
    // Bytes appended to the literal area; returns their literal offset.
    int AddLiteral(const QByteArray& Bytes);
    // The text in UTF-8 with a terminating zero byte.
    int AddString(const String& Text);

    // nodeFIELD/coFIELD2 with the field number and the name.
    int AddField(int FieldNo, const String& Name);
    // nodeCONST/coCONST2 with the logical type, the value's size and its literal.
    int AddConstant(int LogicalType, const QByteArray& Value);

    int NodeAreaSize() const { return int(nodes_.size()); }
    int LiteralAreaSize() const { return int(literals_.size()); }
    // The buffer with its header filled: version 2, the total size, 0xFFFF nodes, node area at 10.
    TExprData Data() const;

private:
    void CheckRoom(qsizetype more) const;

    QByteArray nodes_;
    QByteArray literals_;
    std::vector<std::pair<int, int>> operandCounts_; // node offset, operand words; in offset order
};

// The literal-area encodings of constant values (little-endian).
namespace ExprLiteral {
QByteArray ZString(const String& Text);
QByteArray Bool(bool Value);
QByteArray Int16(int Value);
QByteArray UInt16(int Value);
QByteArray Int32(int Value);
QByteArray Float(double Value);
// The first 18 bytes of the record.
QByteArray Bcd(const TBcd& Value);
// Day number from 1 January of year 1 (day 1).
QByteArray Date(int DayNumber);
// Milliseconds since midnight.
QByteArray Time(int Milliseconds);
// Day number * 86 400 000 + milliseconds since midnight.
QByteArray TimeStamp(double Milliseconds);
} // namespace ExprLiteral
