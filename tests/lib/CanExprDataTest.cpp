// The buffer layout as the writer produces it.
#include "CanExprTestSupport.h"

using namespace canexpr;

namespace {

QByteArray Bytes(std::initializer_list<int> bytes) {
    QByteArray b;
    for (int v : bytes)
        b.append(char(v));
    return b;
}

int WordAt(const TExprData& d, int at) {
    return Byte(d[at]) | Byte(d[at + 1]) << 8;
}

} // namespace

TEST(CanExprData, ConstraintOnACurrencyFieldIsLaidOutByteForByte) {
    const int n = 9; // the field's number in its data set
    const TExprData data = Build(Bin(coGE, Field(n, QStringLiteral("ItemsTotal")), Dbl(0.0)));
    QByteArray expected = Bytes({
        2, 0, 67, 0, 0xFF, 0xFF, 10, 0, 48, 0,               // header
        2, 0, 0,  0, 7,    0,    0,  0, 12, 0, 24, 0,        // 0: nodeBINARY coGE 12 24
        4, 0, 0,  0, 13,   0,    0,  0, n,  0, 0,  0,        // 12: nodeFIELD coFIELD2 n 0
        5, 0, 0,  0, 14,   0,    0,  0, 7,  0, 8,  0, 11, 0, // 24: nodeCONST fldFLOAT 8 11
    });
    expected.append("ItemsTotal");
    expected.append('\0');
    expected.append(QByteArray(8, '\0')); // the double 0.0
    EXPECT_EQ(data.toHex(' ').toStdString(), expected.toHex(' ').toStdString());

    const TExprHeader header = ExprDataHeader(data);
    EXPECT_EQ(header.iVer, 2);
    EXPECT_EQ(header.iTotalSize, 67);
    EXPECT_EQ(header.iNodes, 0xFFFF);
    EXPECT_EQ(header.iNodeStart, 10);
    EXPECT_EQ(header.iLiteralStart, 48);
}

TEST(CanExprData, ShapesOfFunctionsConstantsAndDefaults) {
    // A call without arguments has no list.
    const TExprData getDate = Build(Fn(QStringLiteral("GETDATE")));
    EXPECT_EQ(WordAt(getDate, 10 + 8), 0);  // the name at literal offset 0
    EXPECT_EQ(WordAt(getDate, 10 + 10), 0); // no first list element
    EXPECT_EQ(getDate.size(), 10 + 12 + 8); // "GETDATE" and its zero

    // A decimal constant takes 18 bytes of the literal area.
    const TExprData bcd = Build(Bcd(12.5, 2));
    EXPECT_EQ(WordAt(bcd, 10 + 8), fldBCD);
    EXPECT_EQ(WordAt(bcd, 10 + 10), 18);
    EXPECT_EQ(bcd.size(), 10 + 14 + 18);
    EXPECT_EQ(Byte(bcd[24]), 32);        // precision
    EXPECT_EQ(Byte(bcd[25]), 2);         // places
    EXPECT_EQ(Byte(bcd[24 + 17]), 0x50); // ...1250: the last stored byte holds 5 and 0
    EXPECT_EQ(Byte(bcd[24 + 16]), 0x12);

    // A default expression "0": coASSIGN repeats its value in both words and names no target.
    const TExprData assign = Build(Assign(Dbl(0)));
    EXPECT_EQ(WordAt(assign, 10 + 4), coASSIGN);
    EXPECT_EQ(WordAt(assign, 10 + 8), 12);
    EXPECT_EQ(WordAt(assign, 10 + 10), 12);
    EXPECT_EQ(WordAt(assign, 10 + 12), nodeCONST);
    EXPECT_EQ(assign.size(), 10 + 12 + 14 + 8);

    // A list: each element node is written before its expression.
    const TExprData in = Build(In(Field(1, QStringLiteral("A")), {Int(1), Int(2)}));
    EXPECT_EQ(WordAt(in, 10 + 10), 24); // first element after the field node
    EXPECT_EQ(WordAt(in, 10 + 24), nodeLISTELEM);
    EXPECT_EQ(WordAt(in, 10 + 24 + 8), 36);  // its expression follows it
    EXPECT_EQ(WordAt(in, 10 + 24 + 10), 50); // the next element follows that expression
    EXPECT_EQ(WordAt(in, 10 + 50 + 10), 0);  // the last element ends the chain
}

TEST(CanExprData, LiteralEncodings) {
    struct Case {
        QByteArray actual;
        QByteArray expected;
    };
    TBcd bcd;
    ASSERT_TRUE(CurrencyToBcd(Currency(-1), bcd, 5, 0));
    const Case cases[] = {
        {ExprLiteral::ZString(QStringLiteral("ab")), Bytes({'a', 'b', 0})},
        {ExprLiteral::ZString(QString::fromUtf8("\xc3\xa9")), Bytes({0xC3, 0xA9, 0})},
        {ExprLiteral::Bool(true), Bytes({1, 0})},
        {ExprLiteral::Int16(-2), Bytes({0xFE, 0xFF})},
        {ExprLiteral::UInt16(40000), Bytes({0x40, 0x9C})},
        {ExprLiteral::Int32(-2), Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
        {ExprLiteral::Float(1.0), Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
        {ExprLiteral::Date(730486), Bytes({0x76, 0x25, 0x0B, 0})},
        {ExprLiteral::Time(1000), Bytes({0xE8, 0x03, 0, 0})},
        {ExprLiteral::Bcd(bcd), Bytes({5, 0x80, 0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual.toHex(' ').toStdString(), c.expected.toHex(' ').toStdString());
}

TEST(CanExprData, WriterRefusesWhatTheFormatCannotHold) {
    TExprDataWriter w;
    const int node = w.AddNode(nodeUNARY, coNOT, 1);
    EXPECT_THROW(w.SetOperand(node, 1, 0), EExprDataError);       // no such operand
    EXPECT_THROW(w.SetOperand(node + 2, 0, 0), EExprDataError);   // no node there
    EXPECT_THROW(w.SetOperand(node, 0, 0x10000), EExprDataError); // beyond a word
    w.AddLiteral(QByteArray(65000, 'x'));
    EXPECT_THROW(w.AddLiteral(QByteArray(600, 'x')), EExprDataError);
    EXPECT_THROW(w.AddNode(nodeBINARY, coAND, 300), EExprDataError);
    EXPECT_EQ(ExprDataHeader(w.Data()).iTotalSize, 10 + 10 + 65000);
    try {
        ExprDataHeader(QByteArray(9, '\0'));
        FAIL() << "a short buffer has no header";
    } catch (const EExprDataError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid expression buffer: 9 bytes is too short"));
    }
}
