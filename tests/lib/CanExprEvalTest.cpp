// The evaluator over a record in memory: values, types and sizes of the nodes, NULLs, patterns,
// lists, functions and aggregates.
#include "CanExprTestSupport.h"

using namespace canexpr;

namespace {

const X name = Field(1, QStringLiteral("Name"));
const X items = Field(2, QStringLiteral("ItemsTotal"));
const X qty = Field(3, QStringLiteral("Qty"));
const X nothing = Field(4, QStringLiteral("Nothing"));
const X sale = Field(5, QStringLiteral("SaleDate"));
const X flag = Field(6, QStringLiteral("Flag"));
const X amount = Field(7, QStringLiteral("Amount"));

const TDateTime NewYear2001(36892); // 1 January 2001

struct Case {
    const char* what;
    X expr;
    Variant value;
    int type;
    int size;
};

class Evaluator : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        src.columns = {{"Name", fldZSTRING, 21}, {"ItemsTotal", fldFLOAT, 8}, {"Qty", fldINT32, 4},
                       {"Nothing", fldFLOAT, 8}, {"SaleDate", fldDATE, 8},    {"Flag", fldBOOL, 2},
                       {"Amount", fldFLOAT, 8}};
        src.rows = {{Variant(QStringLiteral("abcdef")), Variant(Currency(5)), Variant(3), Null(),
                     Variant(TDateTime(NewYear2001 + 0.5)), Variant(true), Variant(2.5)}};
    }

    void Check(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            src.SetData(Build(c.expr));
            int type = -1, size = -1;
            const Variant v = src.Evaluate(type, size);
            EXPECT_TRUE(Same(v, c.value));
            EXPECT_EQ(type, c.type);
            EXPECT_EQ(size, c.size);
        }
    }

    // The error class and message an expression raises.
    template <class E> void Raises(const char* what, const X& expr, const char* message) {
        SCOPED_TRACE(what);
        src.SetData(Build(expr));
        try {
            src.Evaluate();
            ADD_FAILURE() << "no error";
        } catch (const E& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(message));
        } catch (const Exception& e) {
            ADD_FAILURE() << "other error: " << e.Message().toStdString();
        }
    }

    TMemorySource src;
};

const Variant T(true), F(false);

// A decimal constant's value as the evaluator reports it: the record written with CurrencyToBcd.
Variant ConstantBcd(double amount, int places) {
    TBcd bcd;
    EXPECT_TRUE(CurrencyToBcd(Currency(amount), bcd, 32, places));
    return ExprRules::BcdValue(bcd);
}

} // namespace

TEST_F(Evaluator, NullsPropagateAndCompare) {
    Check({
        {"NULL = NULL", Bin(coEQ, NullNode(), NullNode()), T, fldBOOL, 2},
        {"NULL <> NULL", Bin(coNE, NullNode(), NullNode()), F, fldBOOL, 2},
        {"Nothing = 0", Bin(coEQ, nothing, Dbl(0)), F, fldBOOL, 2},
        {"Nothing <> 0", Bin(coNE, nothing, Dbl(0)), T, fldBOOL, 2},
        {"Nothing >= 0", Bin(coGE, nothing, Dbl(0)), F, fldBOOL, 2},
        {"0 > Nothing", Bin(coGT, Dbl(0), nothing), F, fldBOOL, 2},
        {"NULL <= NULL", Bin(coLE, NullNode(), NullNode()), F, fldBOOL, 2},
        {"Nothing IS NULL", Un(coISBLANK, nothing), T, fldBOOL, 2},
        {"ItemsTotal IS NULL", Un(coISBLANK, items), F, fldBOOL, 2},
        {"Nothing IS NOT NULL", Un(coNOTBLANK, nothing), F, fldBOOL, 2},
        {"NOT NULL", Un(coNOT, NullNode()), Null(), fldBOOL, 2},
        // NULL with anything gives NULL, in logic too.
        {"NULL AND false", Bin(coAND, NullNode(), Bool(false)), Null(), fldBOOL, 2},
        {"true OR NULL", Bin(coOR, Bool(true), NullNode()), Null(), fldBOOL, 2},
        {"Nothing + 1", Bin(coADD, nothing, Int(1)), Null(), fldFLOAT, 8},
        {"NULL + 1", Bin(coADD, NullNode(), Int(1)), Null(), fldINT32, 4},
        {"-Nothing", Un(coMINUS, nothing), Null(), fldFLOAT, 8},
        {"UPPER(Nothing)", Un(coUPPER, nothing), Null(), fldFLOAT, 8},
        {"Nothing / 2", Bin(coDIV, nothing, Int(2)), Null(), fldFLOAT, 8},
    });
}

TEST_F(Evaluator, LogicOnBooleansAndIntegers) {
    Check({
        {"true AND false", Bin(coAND, Bool(true), Bool(false)), F, fldBOOL, 2},
        {"false OR true", Bin(coOR, Bool(false), Bool(true)), T, fldBOOL, 2},
        {"NOT Flag", Un(coNOT, flag), F, fldBOOL, 2},
        {"Flag <> false", Bin(coNE, flag, Bool(false)), T, fldBOOL, 2},
        {"6 AND 3", Bin(coAND, Int(6), Int(3)), Variant(2), fldBOOL, 2},
        {"6 OR 3", Bin(coOR, Int(6), Int(3)), Variant(7), fldBOOL, 2},
        {"NOT 0", Un(coNOT, Int(0)), Variant(-1), fldBOOL, 2},
        {"nodeCONTINUE",
         {[](TExprDataWriter& w) { return w.AddNode(nodeCONTINUE, coCONTINUE2, 0); }},
         T,
         fldBOOL,
         2},
        {"(Qty > 1) AND (Name LIKE 'a%')",
         Bin(coAND, Bin(coGT, qty, Int(1)), Bin(coLIKE, name, Str(QStringLiteral("a%")))), T, fldBOOL, 2},
    });
}

TEST_F(Evaluator, ArithmeticFollowsTheValueRules) {
    Check({
        {"10 / 0", Bin(coDIV, Int(10), Int(0)), Null(), fldFLOAT, 8},
        {"10 / 0.0", Bin(coDIV, Int(10), Dbl(0)), Null(), fldFLOAT, 8},
        {"10 / '0'", Bin(coDIV, Int(10), Str(QStringLiteral("0"))), Null(), fldFLOAT, 8},
        {"10 / 4", Bin(coDIV, Int(10), Int(4)), Variant(2.5), fldFLOAT, 8},
        {"10 MOD 0", Bin(coMOD, Int(10), Int(0)), Null(), fldINT32, 4},
        {"10 REM 0.4", Bin(coREM, Int(10), Dbl(0.4)), Null(), fldINT32, 4},
        {"7 MOD 3", Bin(coMOD, Int(7), Int(3)), Variant(1), fldINT32, 4},
        {"-7 REM 3", Bin(coREM, Int(-7), Int(3)), Variant(-1), fldINT32, 4},
        {"7.6 MOD 2", Bin(coMOD, Dbl(7.6), Int(2)), Variant(0), fldINT32, 4},
        {"'ab' + 'cd'", Bin(coADD, Str(QStringLiteral("ab")), Str(QStringLiteral("cd"))),
         Variant(QStringLiteral("abcd")), fldZSTRING, 6},
        {"Name + 'x'", Bin(coADD, name, Str(QStringLiteral("x"))), Variant(QStringLiteral("abcdefx")),
         fldZSTRING, 23},
        {"2147483647 + 1", Bin(coADD, Int(2147483647), Int(1)), Variant(2147483648.0), fldINT32, 4},
        {"3 * 4", Bin(coMUL, Int(3), Int(4)), Variant(12), fldINT32, 4},
        {"'3' * 2", Bin(coMUL, Str(QStringLiteral("3")), Int(2)), Variant(6.0), fldINT32, 4},
        {"ItemsTotal + 2.5", Bin(coADD, items, Dbl(2.5)), Variant(Currency(7.5)), fldFLOAT, 8},
        {"Qty - ItemsTotal", Bin(coSUB, qty, items), Variant(Currency(-2)), fldFLOAT, 8},
        {"ItemsTotal * Amount", Bin(coMUL, items, amount), Variant(Currency(12.5)), fldFLOAT, 8},
        {"ItemsTotal / ItemsTotal", Bin(coDIV, items, items), Variant(1.0), fldFLOAT, 8},
        {"ItemsTotal / 2", Bin(coDIV, items, Int(2)), Variant(Currency(2.5)), fldFLOAT, 8},
        {"ItemsTotal / 0.5", Bin(coDIV, items, Dbl(0.5)), Variant(Currency(10)), fldFLOAT, 8},
        {"-Qty", Un(coMINUS, qty), Variant(-3), fldINT32, 4},
        {"-ItemsTotal", Un(coMINUS, items), Variant(Currency(-5)), fldFLOAT, 8},
        {"-Flag", Un(coMINUS, flag), Variant(1), fldBOOL, 2},
        {"true + 1", Bin(coADD, Bool(true), Int(1)), Variant(0), fldINT32, 4},
        {"MIN(3, 5)", Bin(coMIN, Int(3), Int(5)), Variant(3), fldINT32, 4},
        {"MAX(3, 5)", Bin(coMAX, Int(3), Int(5)), Variant(5), fldINT32, 4},
        {"MAX('a', 5)", Bin(coMAX, Str(QStringLiteral("a")), Int(5)), Variant(QStringLiteral("a")),
         fldZSTRING, 10},
        {"AVG(3, 4)", Bin(coAVG, Int(3), Int(4)), Variant(3.5), fldFLOAT, 8},
        {"default 0", Assign(Dbl(0)), Variant(0.0), fldFLOAT, 8},
        {"default ItemsTotal - Amount", Assign(Bin(coSUB, items, amount)), Variant(Currency(2.5)), fldFLOAT,
         8},
    });
}

TEST_F(Evaluator, DateArithmetic) {
    const double noon = NewYear2001 + 0.5;
    Check({
        {"SaleDate + 1", Bin(coADD, sale, Int(1)), Variant(TDateTime(noon + 1)), fldINT32, 4},
        {"SaleDate - 1.5", Bin(coSUB, sale, Dbl(1.5)), Variant(TDateTime(noon - 1.5)), fldFLOAT, 8},
        {"SaleDate - 12/31/2000", Bin(coSUB, sale, Day(2000, 12, 31)), Variant(1.5), fldTIMESTAMP, 8},
        {"SaleDate * 2", Bin(coMUL, sale, Int(2)), Variant(noon * 2), fldINT32, 4},
        {"SaleDate > 1/1/2001", Bin(coGT, sale, Day(2001, 1, 1)), T, fldBOOL, 2},
        {"SaleDate < 1/2/2001", Bin(coLT, sale, Day(2001, 1, 2)), T, fldBOOL, 2},
        {"1/1/2001 = 36892", Bin(coEQ, Day(2001, 1, 1), Int(36892)), T, fldBOOL, 2},
        {"DATE(SaleDate)", Fn(QStringLiteral("DATE"), {sale}), Variant(NewYear2001), fldTIMESTAMP, 8},
        {"TIME(SaleDate)", Fn(QStringLiteral("TIME"), {sale}), Variant(TDateTime(0.5)), fldTIMESTAMP, 8},
        {"DATE(-1.25)", Fn(QStringLiteral("DATE"), {Dbl(-1.25)}), Variant(TDateTime(-1)), fldTIMESTAMP, 8},
        {"TIME(-1.25)", Fn(QStringLiteral("TIME"), {Dbl(-1.25)}), Variant(TDateTime(-0.25)), fldTIMESTAMP, 8},
    });
}

TEST_F(Evaluator, ComparisonsAcrossTypes) {
    Check({
        {"'a' < 'b'", Bin(coLT, Str(QStringLiteral("a")), Str(QStringLiteral("b"))), T, fldBOOL, 2},
        {"'ab' < 'abc'", Bin(coLT, Str(QStringLiteral("ab")), Str(QStringLiteral("abc"))), T, fldBOOL, 2},
        {"'B' < 'a' by codes", Bin(coLT, Str(QStringLiteral("B")), Str(QStringLiteral("a"))), T, fldBOOL, 2},
        {"'' < 'a'", Bin(coLT, Str(QString()), Str(QStringLiteral("a"))), T, fldBOOL, 2},
        {"'10' > 9 as numbers", Bin(coGT, Str(QStringLiteral("10")), Int(9)), T, fldBOOL, 2},
        {"'10' > '9' as texts", Bin(coGT, Str(QStringLiteral("10")), Str(QStringLiteral("9"))), F, fldBOOL,
         2},
        // A text that is no number counts as greater.
        {"'abc' > 5", Bin(coGT, Str(QStringLiteral("abc")), Int(5)), T, fldBOOL, 2},
        {"5 > 'abc'", Bin(coGT, Int(5), Str(QStringLiteral("abc"))), T, fldBOOL, 2},
        {"'abc' = 5", Bin(coEQ, Str(QStringLiteral("abc")), Int(5)), F, fldBOOL, 2},
        {"'abc' < 5", Bin(coLT, Str(QStringLiteral("abc")), Int(5)), F, fldBOOL, 2},
        {"Flag = -1", Bin(coEQ, flag, Int(-1)), T, fldBOOL, 2},
        {"Flag = 1", Bin(coEQ, flag, Int(1)), F, fldBOOL, 2},
        {"ItemsTotal = 5.0", Bin(coEQ, items, Dbl(5.0)), T, fldBOOL, 2},
        {"ItemsTotal = 5", Bin(coEQ, items, Int(5)), T, fldBOOL, 2},
        {"ItemsTotal >= 0", Bin(coGE, items, Dbl(0)), T, fldBOOL, 2},
        {"Amount < ItemsTotal", Bin(coLT, amount, items), T, fldBOOL, 2},
        {"ItemsTotal = 5.00 (decimal)", Bin(coEQ, items, Bcd(5, 2)), T, fldBOOL, 2},
        {"ItemsTotal > 4.99 (decimal)", Bin(coGT, items, Bcd(4.99, 2)), T, fldBOOL, 2},
        {"ItemsTotal < 5.0001 (decimal)", Bin(coLT, items, Bcd(5.0001, 4)), T, fldBOOL, 2},
        {"1.5 (2 places) = 1.5 (1 place)", Bin(coEQ, Bcd(1.5, 2), Bcd(1.5, 1)), T, fldBOOL, 2},
        {"Nothing = 0.00 (decimal)", Bin(coEQ, nothing, Bcd(0, 2)), F, fldBOOL, 2},
        {"'x' = 1.5 (decimal)", Bin(coEQ, Str(QStringLiteral("x")), Bcd(1.5, 2)), F, fldBOOL, 2},
    });
}

TEST_F(Evaluator, PatternsHaveNoEscapes) {
    struct Like {
        const char* text;
        const char* pattern;
        bool match;
    };
    const Like likes[] = {
        {"abc", "a%", true},    {"abc", "a_c", true},     {"abc", "A%", false},    {"abc", "%c", true},
        {"abc", "a?c", true},   {"abc", "a*", true},      {"abc", "ab", false},    {"abc", "%b", false},
        {"", "%", false},       {"a", "", false},         {"a%b", "a\\%b", false}, {"a\\b", "a\\b", true},
        {"50%", "50%", true},   {"50", "50%", true},      {"5_0", "5\\_0", false}, {"ab", "a[b]", false},
        {"a[b]", "a[b]", true}, {"aXbXc", "a%b%c", true}, {"abab", "%ab", true},   {"ab", "%a%b%", true},
    };
    for (const Like& l : likes) {
        SCOPED_TRACE(std::string(l.text) + " LIKE " + l.pattern);
        src.SetData(
            Build(Bin(coLIKE, Str(QString::fromLatin1(l.text)), Str(QString::fromLatin1(l.pattern)))));
        EXPECT_TRUE(Same(src.Evaluate(), Variant(l.match)));
    }
    Check({
        {"Nothing LIKE '%'", Bin(coLIKE, nothing, Str(QStringLiteral("%"))), F, fldBOOL, 2},
        {"'x' LIKE NULL", Bin(coLIKE, Str(QStringLiteral("x")), NullNode()), F, fldBOOL, 2},
        {"123 LIKE '12%'", Bin(coLIKE, Int(123), Str(QStringLiteral("12%"))), T, fldBOOL, 2},
        {"Name LIKE 'ABC%' ignoring case", Cmp(coLIKE, true, 0, name, Str(QStringLiteral("ABC%"))), T,
         fldBOOL, 2},
        {"Name LIKE 'ABC%'", Cmp(coLIKE, false, 0, name, Str(QStringLiteral("ABC%"))), F, fldBOOL, 2},
        {"NULL LIKE '%' ignoring case", Cmp(coLIKE, true, 0, NullNode(), Str(QStringLiteral("%"))), F,
         fldBOOL, 2},
    });
}

TEST_F(Evaluator, CompareNodesWithCaseAndPartialLength) {
    const X abx = Str(QStringLiteral("abx"));
    Check({
        {"'ABC' = 'abc' ignoring case",
         Cmp(coEQ, true, 0, Str(QStringLiteral("ABC")), Str(QStringLiteral("abc"))), T, fldBOOL, 2},
        {"'ABC' <> 'abc' ignoring case",
         Cmp(coNE, true, 0, Str(QStringLiteral("ABC")), Str(QStringLiteral("abc"))), F, fldBOOL, 2},
        {"'ABC' = 'abc'", Cmp(coEQ, false, 0, Str(QStringLiteral("ABC")), Str(QStringLiteral("abc"))), F,
         fldBOOL, 2},
        {"Name = 'abx' on 2", Cmp(coEQ, false, 2, name, abx), T, fldBOOL, 2},
        {"Name = 'abx' on 3", Cmp(coEQ, false, 3, name, abx), F, fldBOOL, 2},
        {"'ABcdef' = 'abx' on 2 ignoring case", Cmp(coEQ, true, 2, Str(QStringLiteral("ABcdef")), abx), T,
         fldBOOL, 2},
        {"'ABcdef' = 'abx' on 2", Cmp(coEQ, false, 2, Str(QStringLiteral("ABcdef")), abx), F, fldBOOL, 2},
        {"'a' = 'abx' on 2", Cmp(coEQ, false, 2, Str(QStringLiteral("a")), abx), F, fldBOOL, 2},
        {"Qty = 3 in a compare node", Cmp(coEQ, false, 0, qty, Int(3)), T, fldBOOL, 2},
        {"Nothing = 'ab' on 2", Cmp(coEQ, false, 2, nothing, Str(QStringLiteral("ab"))), F, fldBOOL, 2},
        {"Nothing <> 'ab' on 2", Cmp(coNE, false, 2, nothing, Str(QStringLiteral("ab"))), T, fldBOOL, 2},
        {"NULL = NULL ignoring case", Cmp(coEQ, true, 0, NullNode(), NullNode()), T, fldBOOL, 2},
        {"'abc' = 5 in a compare node", Cmp(coEQ, false, 0, Str(QStringLiteral("abc")), Int(5)), F, fldBOOL,
         2},
    });
}

TEST_F(Evaluator, ConstantsOfEveryType) {
    QByteArray two("\x02\x00", 2);
    Check({
        {"fldUINT16 40000", Const(fldUINT16, ExprLiteral::UInt16(40000)), Variant(40000), fldUINT16, 2},
        {"fldINT16 -2", Const(fldINT16, ExprLiteral::Int16(-2)), Variant(short(-2)), fldINT16, 2},
        {"fldBOOL 2", Const(fldBOOL, two), T, fldBOOL, 2},
        {"fldTIMESTAMP 1/1/2001", Const(fldTIMESTAMP, ExprLiteral::TimeStamp(63113990400000.0)),
         Variant(NewYear2001), fldTIMESTAMP, 8},
        {"fldTIMESTAMP 12/29/1899 06:00",
         Const(fldTIMESTAMP, ExprLiteral::TimeStamp((DateDelta - 1) * double(MSecsPerDay) + MSecsPerDay / 4)),
         Variant(TDateTime(-1.25)), fldTIMESTAMP, 8},
        {"fldDATE 730486", Const(fldDATE, ExprLiteral::Date(730486)), Variant(NewYear2001), fldTIMESTAMP, 8},
        {"fldTIME 12:00", Const(fldTIME, ExprLiteral::Time(MSecsPerDay / 2)), Variant(TDateTime(0.5)),
         fldTIMESTAMP, 8},
        {"fldZSTRING ''", Str(QString()), Variant(QString()), fldZSTRING, 1},
        {"fldZSTRING in UTF-8", Str(QString::fromUtf8("\xc3\xa9t\xc3\xa9")),
         Variant(QString::fromUtf8("\xc3\xa9t\xc3\xa9")), fldZSTRING, 6},
        {"fldFLOAT", Dbl(-0.125), Variant(-0.125), fldFLOAT, 8},
        {"nodeNULL", NullNode(), Null(), fldUNKNOWN, 0},
    });
    // A decimal constant is the whole record, widened from its 18 stored bytes.
    src.SetData(Build(Bcd(-12.5, 2)));
    int type = 0, size = 0;
    const Variant v = src.Evaluate(type, size);
    EXPECT_EQ(type, fldBCD);
    EXPECT_EQ(size, 34);
    ASSERT_EQ(v.ToString().size(), 34);
    TFormatSettings fs;
    fs.DecimalSeparator = u'.';
    EXPECT_EQ(BcdToStr(ExprRules::BcdOf(v), fs), QStringLiteral("-12.5"));
    Check({{"-(-12.50)", Un(coMINUS, Bcd(-12.5, 2)), ExprRules::BcdValue(NegateBcd(ExprRules::BcdOf(v))),
            fldBCD, 34}});
}

TEST_F(Evaluator, DecimalArithmetic) {
    TFormatSettings fs;
    fs.DecimalSeparator = u'.';
    struct DecimalCase {
        const char* what;
        X expr;
        const char* text;
    };
    const DecimalCase cases[] = {
        {"1.25 + 2", Bin(coADD, Bcd(1.25, 2), Int(2)), "3.25"},
        {"ItemsTotal - 0.75", Bin(coSUB, items, Bcd(0.75, 2)), "4.25"},
        {"1.5 * -2", Bin(coMUL, Bcd(1.5, 1), Int(-2)), "-3"},
        {"1 / 3", Bin(coDIV, Bcd(1, 0), Int(3)), "0.33333333333333333333333333333333"},
    };
    for (const DecimalCase& c : cases) {
        SCOPED_TRACE(c.what);
        src.SetData(Build(c.expr));
        int type = 0, size = 0;
        const Variant v = src.Evaluate(type, size);
        EXPECT_EQ(type, fldBCD);
        EXPECT_EQ(size, 34);
        EXPECT_EQ(BcdToStr(ExprRules::BcdOf(v), fs), QString::fromLatin1(c.text));
    }
    Check({
        {"Nothing + 1.25", Bin(coADD, nothing, Bcd(1.25, 2)), Null(), fldBCD, 34},
        {"7.5 MOD 2 from decimals", Bin(coMOD, Bcd(7.5, 1), Int(2)), Variant(0), fldINT32, 4},
        {"ItemsTotal IN (5.00)", In(items, {Bcd(5, 2)}), T, fldBOOL, 2},
    });
    Raises<EBcdOverflow>("1.25 / 0", Bin(coDIV, Bcd(1.25, 2), Int(0)), "Floating point division by zero");
    // An amount of 10^14 does not fit the 18 places of the working decimals: an error, not zero.
    src.rows[0][1] = Variant(Currency::FromUnits(100000000000000LL));
    Raises<EBcdOverflow>("10^14 = 0.00", Bin(coEQ, items, Bcd(0, 2)), "Floating point overflow");
}

TEST_F(Evaluator, ScalarFunctions) {
    auto fixed = std::make_shared<TFixedClock>(TDateTime(NewYear2001 + 0.75));
    SetClock(fixed);
    const X stamp =
        Const(fldTIMESTAMP, ExprLiteral::TimeStamp(63113990400000.0 + ((13 * 60 + 45) * 60 + 30) * 1000.0));
    Check({
        {"SUBSTRING(Name, 2, 3)", Fn(QStringLiteral("SUBSTRING"), {name, Int(2), Int(3)}),
         Variant(QStringLiteral("bcd")), fldZSTRING, 21},
        {"SUBSTRING(Name, 0, 2)", Fn(QStringLiteral("SUBSTRING"), {name, Int(0), Int(2)}),
         Variant(QStringLiteral("ab")), fldZSTRING, 21},
        {"SUBSTRING(Name, 7, 2)", Fn(QStringLiteral("SUBSTRING"), {name, Int(7), Int(2)}), Variant(QString()),
         fldZSTRING, 21},
        {"SUBSTRING(Name, 2, -1)", Fn(QStringLiteral("SUBSTRING"), {name, Int(2), Int(-1)}),
         Variant(QString()), fldZSTRING, 21},
        {"SUBSTRING(Name, 5)", Fn(QStringLiteral("SUBSTRING"), {name, Int(5)}), Variant(QStringLiteral("ef")),
         fldZSTRING, 21},
        {"SUBSTRING('abc', 2, 10)",
         Fn(QStringLiteral("substring"), {Str(QStringLiteral("abc")), Int(2), Int(10)}),
         Variant(QStringLiteral("bc")), fldZSTRING, 4},
        {"SUBSTRING(Nothing, 1, 1)", Fn(QStringLiteral("SUBSTRING"), {nothing, Int(1), Int(1)}), Null(),
         fldZSTRING, 10},
        {"UPPER(Name)", Fn(QStringLiteral("UPPER"), {name}), Variant(QStringLiteral("ABCDEF")), fldZSTRING,
         21},
        {"Lower('ÉA')",
         Fn(QStringLiteral("Lower"), {Str(QString::fromUtf8("\xc3\x89"
                                                            "A"))}),
         Variant(QString::fromUtf8("\xc3\xa9"
                                   "a")),
         fldZSTRING, 4},
        {"UPPER(Qty)", Fn(QStringLiteral("UPPER"), {qty}), Variant(QStringLiteral("3")), fldZSTRING, 10},
        {"TRIM", Fn(QStringLiteral("TRIM"), {Str(QStringLiteral("\t a b \n"))}),
         Variant(QStringLiteral("a b")), fldZSTRING, 8},
        {"TRIMLEFT", Fn(QStringLiteral("TRIMLEFT"), {Str(QStringLiteral("  a "))}),
         Variant(QStringLiteral("a ")), fldZSTRING, 5},
        {"TRIMRIGHT", Fn(QStringLiteral("TRIMRIGHT"), {Str(QStringLiteral("  a "))}),
         Variant(QStringLiteral("  a")), fldZSTRING, 5},
        {"YEAR(SaleDate)", Fn(QStringLiteral("YEAR"), {sale}), Variant(2001), fldUINT16, 2},
        {"MONTH(SaleDate)", Fn(QStringLiteral("MONTH"), {sale}), Variant(1), fldUINT16, 2},
        {"DAY(SaleDate)", Fn(QStringLiteral("DAY"), {sale}), Variant(1), fldUINT16, 2},
        {"HOUR(SaleDate)", Fn(QStringLiteral("HOUR"), {sale}), Variant(12), fldUINT16, 2},
        {"HOUR(13:45:30)", Fn(QStringLiteral("HOUR"), {stamp}), Variant(13), fldUINT16, 2},
        {"MINUTE(13:45:30)", Fn(QStringLiteral("MINUTE"), {stamp}), Variant(45), fldUINT16, 2},
        {"SECOND(13:45:30)", Fn(QStringLiteral("SECOND"), {stamp}), Variant(30), fldUINT16, 2},
        {"YEAR('2/3/2004')", Fn(QStringLiteral("YEAR"), {Str(QStringLiteral("2/3/2004"))}), Variant(2004),
         fldUINT16, 2},
        {"GETDATE", Fn(QStringLiteral("GETDATE")), Variant(TDateTime(NewYear2001 + 0.75)), fldTIMESTAMP, 8},
        {"SUBSTRING(UPPER(SUBSTRING(Name, 1, 3)), 2, 2)",
         Fn(QStringLiteral("SUBSTRING"),
            {Fn(QStringLiteral("UPPER"), {Fn(QStringLiteral("SUBSTRING"), {name, Int(1), Int(3)})}), Int(2),
             Int(2)}),
         Variant(QStringLiteral("BC")), fldZSTRING, 21},
    });
    ResetClock();
}

TEST_F(Evaluator, ListsAndIn) {
    Check({
        {"2 IN (1, 2, 3)", In(Int(2), {Int(1), Int(2), Int(3)}), T, fldBOOL, 2},
        {"'b' IN ('a')", In(Str(QStringLiteral("b")), {Str(QStringLiteral("a"))}), F, fldBOOL, 2},
        {"Nothing IN (NULL)", In(nothing, {NullNode()}), T, fldBOOL, 2},
        {"Nothing IN (0)", In(nothing, {Int(0)}), F, fldBOOL, 2},
        {"ItemsTotal IN (1, 5.0)", In(items, {Int(1), Dbl(5.0)}), T, fldBOOL, 2},
        {"5 IN ('5')", In(Int(5), {Str(QStringLiteral("5"))}), T, fldBOOL, 2},
        {"'x' IN (1)", In(Str(QStringLiteral("x")), {Int(1)}), F, fldBOOL, 2},
    });
    // A list as a value: one (value, type, size) array per element.
    src.SetData(Build(List({Int(1), Str(QStringLiteral("ab"))})));
    int type = -1, size = -1;
    const Variant list = src.Evaluate(type, size);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(size, 0);
    ASSERT_TRUE(list.IsArray());
    ASSERT_EQ(VarArrayHighBound(list, 1), 1);
    EXPECT_TRUE(Same(list[0][0], Variant(1)));
    EXPECT_TRUE(Same(list[0][1], Variant(fldINT32)));
    EXPECT_TRUE(Same(list[1][0], Variant(QStringLiteral("ab"))));
    EXPECT_TRUE(Same(list[1][2], Variant(3)));
    // nodeLIST yields its expression's value.
    Check({{"nodeLIST",
            {[](TExprDataWriter& w) {
                const int node = w.AddNode(nodeLIST, coLIST2, 5);
                w.SetOperand(node, 4, Int(9).write(w));
                return node;
            }},
            Variant(9),
            fldUNKNOWN,
            0}});
}

TEST_F(Evaluator, Aggregates) {
    src.rows = {
        {Variant(QStringLiteral("a")), Variant(Currency(5)), Variant(3), Null(), Null(), Null(), Null()},
        {Variant(QStringLiteral("b")), Variant(Currency(10)), Null(), Null(), Null(), Null(), Null()},
        {Variant(QStringLiteral("c")), Variant(Currency(1.5)), Variant(4), Null(), Null(), Null(), Null()},
    };
    Check({
        {"SUM(ItemsTotal)", Fn(QStringLiteral("SUM"), {items}), Variant(Currency(16.5)), fldFLOAT, 8},
        {"SUM(Qty)", Fn(QStringLiteral("SUM"), {qty}), Variant(7), fldINT32, 4},
        {"SUM(Nothing)", Fn(QStringLiteral("SUM"), {nothing}), Variant(0.0), fldFLOAT, 8},
        {"MIN(ItemsTotal)", Fn(QStringLiteral("MIN"), {items}), Variant(Currency(1.5)), fldFLOAT, 8},
        {"MAX(ItemsTotal)", Fn(QStringLiteral("MAX"), {items}), Variant(Currency(10)), fldFLOAT, 8},
        {"MIN(Qty): NULL is the smallest", Fn(QStringLiteral("MIN"), {qty}), Null(), fldINT32, 4},
        {"MAX(Qty)", Fn(QStringLiteral("MAX"), {qty}), Variant(4), fldINT32, 4},
        {"MAX(Name)", Fn(QStringLiteral("max"), {name}), Variant(QStringLiteral("c")), fldZSTRING, 21},
        {"AVG(ItemsTotal)", Fn(QStringLiteral("AVG"), {items}), Variant(5.5), fldFLOAT, 8},
        {"COUNT(*)", Fn(QStringLiteral("COUNT(*)")), Variant(3), fldINT32, 4},
        {"COUNT(Qty)", Fn(QStringLiteral("Count"), {qty}), Variant(3), fldINT32, 4},
        {"SUM(ItemsTotal) * 2", Bin(coMUL, Fn(QStringLiteral("SUM"), {items}), Int(2)), Variant(Currency(33)),
         fldFLOAT, 8},
        {"SUM(1.25 decimal)", Fn(QStringLiteral("SUM"), {Bcd(1.25, 2)}),
         ExprRules::BcdValue(StrToBcd(QStringLiteral("3.75"), TFormatSettings())), fldBCD, 34},
        // Aggregates inside aggregates are computed before the outer scan.
        {"SUM(COUNT(*))", Fn(QStringLiteral("SUM"), {Fn(QStringLiteral("COUNT(*)"))}), Variant(9), fldINT32,
         4},
        {"MAX(ItemsTotal - MIN(ItemsTotal))",
         Fn(QStringLiteral("MAX"), {Bin(coSUB, items, Fn(QStringLiteral("MIN"), {items}))}),
         Variant(Currency(8.5)), fldFLOAT, 8},
    });
    EXPECT_EQ(src.aggregates, src.aggregateEnds);
    EXPECT_GE(src.aggregates, 17);

    // AVG reads every value as a number: a NULL one is a conversion error; the scan still ends.
    const int ends = src.aggregateEnds;
    Raises<EVariantTypeCastError>("AVG(Qty)", Fn(QStringLiteral("AVG"), {qty}),
                                  "Invalid variant type conversion");
    EXPECT_EQ(src.aggregateEnds, ends + 1);
    EXPECT_EQ(src.aggregates, src.aggregateEnds);
}

TEST_F(Evaluator, AggregatesOverNoRecords) {
    src.rows.clear();
    Check({
        {"COUNT(*)", Fn(QStringLiteral("COUNT(*)")), Variant(0), fldINT32, 4},
        {"SUM(ItemsTotal)", Fn(QStringLiteral("SUM"), {items}), Variant(0.0), fldFLOAT, 8},
        {"AVG(ItemsTotal)", Fn(QStringLiteral("AVG"), {items}), Variant(), fldFLOAT, 8},
        {"MIN(ItemsTotal)", Fn(QStringLiteral("MIN"), {items}), Null(), fldFLOAT, 8},
        // The first position is read even without records: here a constant, taken as it is.
        {"SUM(1.25 decimal)", Fn(QStringLiteral("SUM"), {Bcd(1.25, 2)}), ConstantBcd(1.25, 2), fldBCD, 34},
    });
    // The empty value takes part in no comparison.
    Raises<EVariantInvalidOpError>("AVG(ItemsTotal) > 1",
                                   Bin(coGT, Fn(QStringLiteral("AVG"), {items}), Int(1)),
                                   "Invalid variant operation");
}

TEST_F(Evaluator, Errors) {
    const char* const cast = "Invalid variant type conversion";
    const char* const unsupported = "Capability not supported";
    Raises<EVariantTypeCastError>("5 + 'ab'", Bin(coADD, Int(5), Str(QStringLiteral("ab"))), cast);
    Raises<EVariantTypeCastError>("YEAR(Nothing)", Fn(QStringLiteral("YEAR"), {nothing}), cast);
    Raises<EVariantTypeCastError>("SUBSTRING(Name, NULL)",
                                  Fn(QStringLiteral("SUBSTRING"), {name, NullNode()}), cast);
    Raises<ENotSupported>("LENGTH(Name)", Fn(QStringLiteral("LENGTH"), {name}), unsupported);
    Raises<ENotSupported>("nodeTUPLE", {[](TExprDataWriter& w) { return w.AddNode(nodeTUPLE, coTUPLE2, 0); }},
                          unsupported);
    Raises<ENotSupported>("nodeUDF", {[](TExprDataWriter& w) { return w.AddNode(nodeUDF, coUDF2, 0); }},
                          unsupported);
    Raises<ENotSupported>("class 12", {[](TExprDataWriter& w) { return w.AddNode(12, coEQ, 2); }},
                          unsupported);
    Raises<ENotSupported>("unary coADD", Un(coADD, Int(1)), unsupported);
    Raises<ENotSupported>("binary coTUPLE2", Bin(coTUPLE2, Int(1), Int(2)), unsupported);
    Raises<ENotSupported>("binary coSUM", Bin(coSUM, Int(1), Int(2)), unsupported);
    Raises<ENotSupported>("fldBLOB constant", Const(fldBLOB, QByteArray(4, '\0')), unsupported);
    Raises<ENotSupported>("fldINT64 constant", Const(fldINT64, QByteArray(8, '\0')), unsupported);
    // A compare node has a meaning only for =, <> and LIKE.
    Raises<ENotSupported>("compare node with >", Cmp(coGT, false, 0, Int(1), Int(2)), unsupported);
    Raises<EConvertError>("time stamp before year 1", Const(fldTIMESTAMP, ExprLiteral::TimeStamp(-1)),
                          "'-1' is not a valid timestamp");
    Raises<EConvertError>("YEAR beyond the calendar", Fn(QStringLiteral("YEAR"), {Dbl(1e300)}),
                          "Invalid argument to date encode");
}

TEST_F(Evaluator, EvaluationIsBracketedAndKeepsItsBuffer) {
    // Without a buffer: NULL, and still one BeginEvaluate and one EndEvaluate.
    int type = -1, size = -1;
    EXPECT_TRUE(Same(src.Evaluate(type, size), Null()));
    EXPECT_EQ(type, 0);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(src.evaluations, 1);
    EXPECT_EQ(src.evaluationEnds, 1);
    EXPECT_FALSE(src.HasData());

    // The held copy is exactly iTotalSize bytes and does not follow the caller's buffer.
    TExprData data = Build(Bin(coADD, qty, Int(1)));
    const TExprData original = data;
    data.append("trailing bytes");
    src.SetData(data);
    data[10] = char(nodeNULL);
    EXPECT_EQ(src.Data(), original);
    EXPECT_TRUE(Same(src.Evaluate(), Variant(4)));

    // A failed evaluation still ends, and leaves the buffer.
    src.SetData(Build(Bin(coADD, Int(5), Str(QStringLiteral("ab")))));
    const TExprData failing = src.Data();
    EXPECT_THROW(src.Evaluate(), EVariantTypeCastError);
    EXPECT_EQ(src.evaluations, src.evaluationEnds);
    EXPECT_EQ(src.Data(), failing);

    // A malformed buffer is refused and the held one stays.
    TExprData broken = Build(Bin(coADD, qty, Int(1)));
    broken[10 + 8] = char(0xF0);
    EXPECT_THROW(src.SetData(broken), EExprDataError);
    EXPECT_EQ(src.Data(), failing);

    // A hook that replaces the buffer does not disturb the evaluation under way.
    src.SetData(Build(Bin(coADD, qty, Int(1))));
    src.onField = [&] { src.SetData(Build(Int(7))); };
    EXPECT_TRUE(Same(src.Evaluate(), Variant(4)));
    src.onField = nullptr;
    EXPECT_TRUE(Same(src.Evaluate(), Variant(7)));

    src.SetData(TExprData());
    EXPECT_FALSE(src.HasData());
    EXPECT_TRUE(Same(src.Evaluate(), Null()));
}

TEST_F(Evaluator, TheConstraintOfTheExampleBuffer) {
    // "ItemsTotal >= 0" against a currency field, as the buffer lays it out.
    struct Row {
        Variant itemsTotal;
        bool valid;
        bool blank;
    };
    const Row rows[] = {{Variant(Currency(5)), true, false},
                        {Variant(Currency(0)), true, false},
                        {Variant(Currency(-1)), false, false},
                        {Null(), false, true}};
    for (const Row& r : rows) {
        src.rows[0][1] = r.itemsTotal;
        src.SetData(Build(Bin(coGE, items, Dbl(0))));
        EXPECT_TRUE(Same(src.Evaluate(), Variant(r.valid)));
        src.SetData(Build(Un(coISBLANK, items)));
        EXPECT_TRUE(Same(src.Evaluate(), Variant(r.blank)));
    }
}
