// The expression parser: what it writes for each construct, its typing, and its errors.
#include "DBCanExprTestSupport.h"

namespace dbcanexpr {
namespace {

constexpr TParserOptions Extended = xoExtendedSyntax | xoAggregates;

class ParserTest : public ExprDataSetTest {
protected:
    void SetUp() override {
        ExprDataSetTest::SetUp();
        orders->Open();
    }
    // The dump of the buffer, or "error: " and the database error's message.
    String Parse(const String& text, TParserOptions options = Extended, const String& target = String(),
                 TFilterOptions filter = TFilterOptions()) {
        try {
            TmoxExprParser parser(orders, FldTypeMap, nullptr, target, options, filter, text);
            return Dump(parser.FilterData());
        } catch (const EDatabaseError& e) {
            return "error: " + e.Message();
        }
    }
};

struct Case {
    std::string text;
    std::string expected;
};

TEST_F(ParserTest, WritesEachConstruct) {
    const Case cases[] = {
        {"ItemsTotal >= 0", "GE(ItemsTotal#3,f:0)"},
        {"ItemsTotal - AmountPaid", "SUB(ItemsTotal#3,AmountPaid#4)"},
        {"(Freight > 10) and (ShipToCity like 'S%')", "AND(GT(Freight#13,f:10),LIKE(ShipToCity#14,'S%'))"},
        // A constant takes the type of the field it is compared with; the field goes left.
        {"Qty > 5", "GT(Qty#5,s:5)"},
        {"5 < Qty", "GT(Qty#5,s:5)"},
        {"1e3 <= OrderNo", "GE(OrderNo#1,i:1000)"},
        {"Count16 = 7", "EQ(Count16#11,w:7)"},
        {"Big = 5", "EQ(Big#12,f:5)"},
        {"Price = 1.5", "EQ(Price#9,bcd18:2002" + QString(28, '0').toStdString() + "0150)"},
        {"SaleDate > '1/2/2020'", "GT(SaleDate#7,ts:63713606400000)"},
        {"Day = '1/2/2020'", "EQ(Day#8,d:737426)"},
        {"SaleDate - 1 > '1/2/2020'", "GT(SUB(SaleDate#7,f:1),ts:63713606400000)"},
        {"SaleDate in ('1/2/2020', '1/3/2020')", "IN(SaleDate#7,[ts:63713606400000,ts:63713692800000])"},
        // "-" and digits after an operand are the minus operator, after AND, OR and NOT a number.
        {"OrderNo-1", "SUB(OrderNo#1,f:1)"},
        {"OrderNo - -1", "SUB(OrderNo#1,f:-1)"},
        {"OrderNo = 1 and 2 = OrderNo", "AND(EQ(OrderNo#1,i:1),EQ(OrderNo#1,i:2))"},
        {"OrderNo = 1 or -1 = OrderNo", "OR(EQ(OrderNo#1,i:1),EQ(OrderNo#1,i:-1))"},
        {"not 0 >= OrderNo", "NOT(LE(OrderNo#1,i:0))"},
        {"OrderNo + 1 * 2", "ADD(OrderNo#1,MUL(f:1,f:2))"},
        {"(OrderNo + 1) * 2", "MUL(ADD(OrderNo#1,f:1),f:2)"},
        {"Name + 'x' = 'yx'", "EQ(ADD(Name#2,'x'),'yx')"},
        // Boolean fields as conditions, and the words for true and false.
        {"Flag", "NE(Flag#6,b:0)"},
        {"not Flag", "NOT(NE(Flag#6,b:0))"},
        {"Flag and OrderNo > 1", "AND(NE(Flag#6,b:0),GT(OrderNo#1,i:1))"},
        {"Flag = True", "EQ(Flag#6,b:1)"},
        {"false = Flag", "EQ(Flag#6,b:0)"},
        // Partial comparisons and patterns.
        {"Name = 'ab*'", "CMP.EQ[0,2](Name#2,'ab')"},
        {"Name <> 'a*'", "CMP.NE[0,1](Name#2,'a')"},
        {"'ab*' = Name", "CMP.EQ[0,2](Name#2,'ab')"},
        {"Name = '*'", "EQ(Name#2,'*')"},
        {"Name = ''", "EQ(Name#2,'')"},
        {"Name like 'ab*'", "LIKE(Name#2,'ab*')"},
        {"Notes like 'x%'", "LIKE(Notes#10,'x%')"},
        // NULL.
        {"Name is null", "ISBLANK(Name#2)"},
        {"Name IS   NOT  NULL", "NOTBLANK(Name#2)"},
        {"Notes is null", "ISBLANK(Notes#10)"},
        {"Name = null", "ISBLANK(Name#2)"},
        {"Name <> NULL", "NOTBLANK(Name#2)"},
        {"OrderNo > NULL", "GT(OrderNo#1,NULL)"},
        {"Name in ('a', 'b', 'c')", "IN(Name#2,['a','b','c'])"},
        {"OrderNo in (1,2)", "IN(OrderNo#1,[f:1,f:2])"},
        // Functions and aggregates.
        {"UPPER(Name) = 'X'", "EQ(UPPER(Name#2),'X')"},
        {"substring(Name, 2, 3)", "substring(Name#2,f:2,f:3)"},
        {"GETDATE ( )", "GETDATE()"},
        {"count(*) > 1", "GT(COUNT(*)(),f:1)"},
        {"Sum(ItemsTotal) >= 0", "GE(Sum(ItemsTotal#3),f:0)"},
        {"MAX(ItemsTotal) - MIN(AmountPaid)", "SUB(MAX(ItemsTotal#3),MIN(AmountPaid#4))"},
        {"YEAR(SaleDate) = 2020", "EQ(YEAR(SaleDate#7),f:2020)"},
        // Names, blanks and comments.
        {"[Name] = 'x'", "EQ(Name#2,'x')"},
        {"/* note */ OrderNo = 1", "EQ(OrderNo#1,i:1)"},
        {"OrderNo /**/ = 1", "EQ(OrderNo#1,i:1)"},
        {"\tOrderNo\n=\r1 ", "EQ(OrderNo#1,i:1)"},
        {"'it''s' = Name", "EQ(Name#2,'it's')"},
        {"True", "b:1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(QString::fromStdString(c.text)).toStdString(), c.expected) << c.text;
}

TEST_F(ParserTest, RaisesItsMessages) {
    const Case cases[] = {
        {"OrderNo 1", "Expression expected but nothing found"},
        {"= 1", "Expression expected but '=' found"},
        {"OrderNo = ", "Expression expected but nothing found"},
        {"Name is not 5", "Invalid use of keyword"},
        {"Name is 5", "Invalid use of keyword"},
        {"Name is nothing", "Invalid use of keyword"},
        {"/* a*b */ OrderNo = 1", "Invalid filter expression character: '*'"},
        {"/* open", "Invalid filter expression character: ''"},
        {"OrderNo # 1", "Invalid filter expression character: '#'"},
        {"OrderNo = .5", "Invalid filter expression character: '.'"},
        {"Name like NULL", "NULL only allowed with '=' and '<>'"},
        {"Qty = 40000", "Constant out of range"},
        {"Qty = -32769", "Constant out of range"},
        {"Count16 = -1", "Constant out of range"},
        {"OrderNo = 3000000000", "Constant out of range"},
        {"Notes = 'x'", "Type mismatch in expression"},
        {"OrderNo + Name", "Type mismatch in expression"},
        {"Flag + 1", "Type mismatch in expression"},
        {"UPPER()", "Type mismatch in expression"},
        {"SUM(ItemsTotal) > ItemsTotal", "Operation cannot mix aggregate value with record-varying value"},
        {"OrderNo in ()", "IN predicate list may not be empty"},
        {"OrderNo in 1", "'(' expected but '1' found"},
        {"OrderNo in (1 'a')", "')' or ',' expected but 'a' found"},
        {"OrderNo in (1, 2", "')' or ',' expected but nothing found"},
        {"(OrderNo = 1", "')' expected but nothing found"},
        {"UPPER(Name Name)", "')' or ',' expected but 'Name' found"},
        {"OrderNo = 1)", "Filter expression incorrectly terminated"},
        {"OrderNo = 1 OrderNo", "Filter expression incorrectly terminated"},
        {"[Name", "Unterminated field name"},
        {"Name = 'abc", "Unterminated string constant"},
        {"Nope = 1", "Field 'Nope' not found"},
        {"not not Flag", "Field 'not' not found"},
        {"AmountDue > 0", "Field 'AmountDue' cannot be used in a filter expression"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(QString::fromStdString(c.text)).toStdString(), "error: " + c.expected) << c.text;
}

TEST_F(ParserTest, TextsThatAreNoConstantOfTheirTypeRaiseTheConversionError) {
    for (const char* text : {"Day = 45000", "OrderNo = 'x'", "OrderNo = 1.5", "Flag = 'maybe'", "ItemsTotal > '1a'"}) {
        EXPECT_THROW(TmoxExprParser(orders, FldTypeMap, nullptr, {}, Extended, {}, text), EConvertError) << text;
    }
}

TEST_F(ParserTest, FilterOptionsChooseTheCompareNode) {
    const TFilterOptions ci = foCaseInsensitive;
    EXPECT_EQ(Parse("Name = 'x'", Extended, {}, ci), "CMP.EQ[1,0](Name#2,'x')");
    EXPECT_EQ(Parse("Name = 'ab*'", Extended, {}, ci), "CMP.EQ[1,2](Name#2,'ab')");
    EXPECT_EQ(Parse("Name like 'ab*'", Extended, {}, ci), "CMP.LIKE[1,0](Name#2,'ab*')");
    EXPECT_EQ(Parse("Name = 'ab*'", Extended, {}, foNoPartialCompare), "EQ(Name#2,'ab*')");
    EXPECT_EQ(Parse("OrderNo = 1", Extended, {}, ci), "EQ(OrderNo#1,i:1)");
}

TEST_F(ParserTest, DefaultExpressionsAssignWithoutWritingTheTarget) {
    const TParserOptions d = Extended | xoDefaultExpression;
    EXPECT_EQ(Parse("0", d, "ItemsTotal"), "ASSIGN(f:0,=)");
    EXPECT_EQ(Parse("ItemsTotal - AmountPaid", d, "AmountDue"), "ASSIGN(SUB(ItemsTotal#3,AmountPaid#4),=)");
    EXPECT_EQ(Parse("True", d, "Flag"), "ASSIGN(b:1,=)");
    EXPECT_EQ(Parse("'1/2/2020'", d, "Day"), "ASSIGN(d:737426,=)");
    EXPECT_EQ(Parse("'x' + Name", d, "Name"), "ASSIGN(ADD('x',Name#2),=)");
    EXPECT_EQ(Parse("1 + 2", d), "ASSIGN(ADD(f:1,f:2),=)");
    // The difference of two amounts is a number: no text or Boolean field takes it.
    EXPECT_EQ(Parse("ItemsTotal - AmountPaid", d, "Name"), "error: Type mismatch in expression");
    EXPECT_EQ(Parse("0", d, "Flag"), "error: Type mismatch in expression");
    EXPECT_EQ(Parse("'x'", d, "ItemsTotal"), "error: Type mismatch in expression");
    EXPECT_EQ(Parse("0", d, "Nope"), "error: Field 'Nope' not found");
}

TEST_F(ParserTest, WritesTheConstraintByteForByte) {
    TmoxExprParser parser(orders, FldTypeMap, nullptr, {}, Extended, {}, "ItemsTotal >= 0");
    QByteArray expected;
    auto words = [&](std::initializer_list<int> ws) {
        for (int w : ws)
            expected.append(char(w & 0xFF)).append(char(w >> 8));
    };
    auto dwords = [&](std::initializer_list<int> ds) {
        for (int d : ds)
            words({d & 0xFFFF, d >> 16});
    };
    words({2, 67, 0xFFFF, 10, 48});
    dwords({nodeBINARY, coGE});
    words({12, 24});
    dwords({nodeFIELD, coFIELD2});
    words({3, 0});
    dwords({nodeCONST, coCONST2});
    words({fldFLOAT, 8, 11});
    expected.append("ItemsTotal").append('\0').append(QByteArray(8, '\0'));
    EXPECT_EQ(parser.FilterData().toHex().toStdString(), expected.toHex().toStdString());
    EXPECT_EQ(parser.DataSize(), 67);

    // A function without arguments has no first list element.
    parser.Parse("GETDATE()", {}, {}, Extended);
    ASSERT_EQ(parser.DataSize(), 10 + 12 + 8);
    EXPECT_EQ(parser.FilterData().mid(10, 4), QByteArray::fromHex("0a000000"));
    EXPECT_EQ(parser.FilterData().mid(20, 2), QByteArray::fromHex("0000"));
}

TEST_F(ParserTest, AFailedParseKeepsThePreviousBuffer) {
    TmoxExprParser parser(orders, FldTypeMap, nullptr, {}, Extended, {}, "OrderNo = 1");
    const TExprData first = parser.FilterData();
    EXPECT_THROW(parser.Parse("OrderNo = ", {}, {}, Extended), EDatabaseError);
    EXPECT_EQ(parser.FilterData(), first);
    EXPECT_EQ(parser.DataSize(), first.size());
}

TEST_F(ParserTest, ArithmeticNeedsTheExtendedSyntax) {
    EXPECT_EQ(Parse("OrderNo + 1 > 2", xoAggregates), "error: Arithmetic in filter expressions not supported");
    EXPECT_EQ(Parse("OrderNo * 2 > 2", TParserOptions()), "error: Arithmetic in filter expressions not supported");
    // Without it a function name is a field name like any other.
    EXPECT_EQ(Parse("UPPER(Name) = 'X'", TParserOptions()), "error: Field 'UPPER' not found");
    EXPECT_EQ(Parse("OrderNo = 1", TParserOptions()), "EQ(OrderNo#1,i:1)");
}

TEST_F(ParserTest, ResolvesNamesByOriginOrAsTheTarget) {
    F("ItemsTotal")->SetOrigin("ORDERS.Total");
    EXPECT_EQ(Parse("Total > 0", Extended | xoOriginNames), "GT(Total#3,f:0)");
    EXPECT_EQ(Parse("total > 0", Extended | xoOriginNames), "error: Field 'total' not found") << "origins match exactly";
    EXPECT_EQ(Parse("Name > 'a'", Extended | xoOriginNames), "GT(Name#2,'a')");
    EXPECT_EQ(Parse("Value > 0", Extended | xoFieldNameGiven, "ItemsTotal"), "GT(ItemsTotal#3,f:0)");
}

TEST_F(ParserTest, RecordsTheFieldsItReads) {
    TFieldDependencies deps;
    TmoxExprParser parser(orders, FldTypeMap, &deps, {}, Extended | xoFieldDependencies, {},
                          "ItemsTotal - AmountPaid > Freight");
    const TFieldDependencies expected = {false, false, true, true, false, false, false,
                                         false, false, false, false, false, true};
    EXPECT_EQ(deps, expected);
}

TEST_F(ParserTest, TheCommaSeparatorLeavesTheCommaBeforeABlankToTheList) {
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(Parse("OrderNo in (1, 2)"), "IN(OrderNo#1,[f:1,f:2])");
    EXPECT_EQ(Parse("OrderNo in (1,5)"), "IN(OrderNo#1,[f:1.5])");
    EXPECT_EQ(Parse("ItemsTotal > 2,5"), "GT(ItemsTotal#3,f:2.5)");
}

TEST_F(ParserTest, CutsLongTextsAndRefusesNestingBeyondWhatIsRead) {
    const String longText(300, u'x');
    const String dump = Parse("Name = '" + longText + "'");
    EXPECT_EQ(dump, "EQ(Name#2,'" + String(255, u'x') + "')") << "256 characters read, 255 written";

    EXPECT_EQ(Parse(String(100, u'(') + "OrderNo" + String(100, u')')), "OrderNo#1");
    EXPECT_EQ(Parse(String(300, u'(') + "OrderNo" + String(300, u')')),
              "error: Expression nested more than 200 levels deep");
    QStringList terms(1500, "OrderNo");
    EXPECT_EQ(Parse(terms.join("+")), "error: Expression nested more than 1000 levels deep");
    QStringList values(1500, "1");
    EXPECT_TRUE(Parse("OrderNo in (" + values.join(", ") + ")").startsWith("IN(")) << "lists are not nested";
    QStringList many(7000, "'abcdefghij'");
    EXPECT_EQ(Parse("Name in (" + many.join(", ") + ")"),
              "error: Expression too large: the buffer would exceed 65535 bytes");
}

} // namespace
} // namespace dbcanexpr
