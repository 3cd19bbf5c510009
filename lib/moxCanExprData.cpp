// Writing canonical expression buffers.
#include "lib/moxCanExprData.h"

#include "lib/moxDBConsts.h"
#include "vcl/sysutils/Format.h"

#include <algorithm>
#include <cstring>

namespace {

void PutLittleEndian(QByteArray& bytes, qsizetype at, UInt64 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

QByteArray LittleEndian(UInt64 value, int size) {
    QByteArray bytes(size, '\0');
    PutLittleEndian(bytes, 0, value, size);
    return bytes;
}

Word GetWord(const TExprData& data, int at) {
    return Word(Byte(data[at]) | (Byte(data[at + 1]) << 8));
}

} // namespace

TExprHeader ExprDataHeader(const TExprData& Data) {
    if (Data.size() < ExprHeaderSize) throw EExprDataError(Format(SExprDataTooShort, {int(Data.size())}));
    return {GetWord(Data, 0), GetWord(Data, 2), GetWord(Data, 4), GetWord(Data, 6), GetWord(Data, 8)};
}

TExprDataWriter::TExprDataWriter() = default;

void TExprDataWriter::CheckRoom(qsizetype more) const {
    if (ExprHeaderSize + nodes_.size() + literals_.size() + more > MaxExprDataSize)
        throw EExprDataError(Format(SExprDataTooLarge, {MaxExprDataSize}));
}

int TExprDataWriter::AddNode(int NodeClass, int Operator, int OperandCount) {
    const qsizetype size = ExprNodeHeaderSize + 2 * qsizetype(std::max(OperandCount, 0));
    CheckRoom(size);
    const int offset = int(nodes_.size());
    nodes_.append(size, '\0');
    PutLittleEndian(nodes_, offset, std::uint32_t(NodeClass), 4);
    PutLittleEndian(nodes_, offset + 4, std::uint32_t(Operator), 4);
    operandCounts_.emplace_back(offset, std::max(OperandCount, 0));
    return offset;
}

void TExprDataWriter::SetOperand(int NodeOffset, int Index, int Value) {
    const auto it = std::lower_bound(operandCounts_.begin(), operandCounts_.end(), std::pair(NodeOffset, 0),
                                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (it == operandCounts_.end() || it->first != NodeOffset || Index < 0 || Index >= it->second)
        throw EExprDataError(Format(SExprDataBadOperand, {NodeOffset, Index}));
    if (Value < 0 || Value > 0xFFFF) throw EExprDataError(Format(SExprDataTooLarge, {MaxExprDataSize}));
    PutLittleEndian(nodes_, NodeOffset + ExprNodeHeaderSize + 2 * Index, std::uint32_t(Value), 2);
}

int TExprDataWriter::AddLiteral(const QByteArray& Bytes) {
    CheckRoom(Bytes.size());
    const int offset = int(literals_.size());
    literals_.append(Bytes);
    return offset;
}

int TExprDataWriter::AddString(const String& Text) {
    return AddLiteral(ExprLiteral::ZString(Text));
}

int TExprDataWriter::AddField(int FieldNo, const String& Name) {
    const int node = AddNode(nodeFIELD, coFIELD2, 2);
    SetOperand(node, 0, FieldNo);
    SetOperand(node, 1, AddString(Name));
    return node;
}

int TExprDataWriter::AddConstant(int LogicalType, const QByteArray& Value) {
    const int node = AddNode(nodeCONST, coCONST2, 3);
    SetOperand(node, 0, LogicalType);
    SetOperand(node, 1, int(Value.size()));
    SetOperand(node, 2, AddLiteral(Value));
    return node;
}

TExprData TExprDataWriter::Data() const {
    TExprData data(ExprHeaderSize, '\0');
    const qsizetype literalStart = ExprHeaderSize + nodes_.size();
    PutLittleEndian(data, 0, CANEXPRVERSION, 2);
    PutLittleEndian(data, 2, UInt64(literalStart + literals_.size()), 2);
    PutLittleEndian(data, 4, 0xFFFF, 2);
    PutLittleEndian(data, 6, ExprHeaderSize, 2);
    PutLittleEndian(data, 8, UInt64(literalStart), 2);
    data.append(nodes_);
    data.append(literals_);
    return data;
}

namespace ExprLiteral {

QByteArray ZString(const String& Text) {
    QByteArray bytes = Text.toUtf8();
    // A zero inside the text would end it early for every reader: keep what a reader sees.
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) bytes.truncate(zero);
    bytes.append('\0');
    return bytes;
}

QByteArray Bool(bool Value) {
    return LittleEndian(Value ? 1 : 0, 2);
}

QByteArray Int16(int Value) {
    return LittleEndian(std::uint16_t(std::int16_t(Value)), 2);
}

QByteArray UInt16(int Value) {
    return LittleEndian(Word(Value), 2);
}

QByteArray Int32(int Value) {
    return LittleEndian(std::uint32_t(Value), 4);
}

QByteArray Float(double Value) {
    UInt64 bits = 0;
    std::memcpy(&bits, &Value, sizeof bits);
    return LittleEndian(bits, 8);
}

QByteArray Bcd(const TBcd& Value) {
    return QByteArray(reinterpret_cast<const char*>(&Value), ExprBcdConstSize);
}

QByteArray Date(int DayNumber) {
    return Int32(DayNumber);
}

QByteArray Time(int Milliseconds) {
    return Int32(Milliseconds);
}

QByteArray TimeStamp(double Milliseconds) {
    return Float(Milliseconds);
}

} // namespace ExprLiteral
