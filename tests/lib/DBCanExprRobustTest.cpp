// Any text given to the parser gives a buffer that the evaluator takes, or raises the parser's
// error; none crashes, hangs or grows without bound.
#include <QElapsedTimer>
#include <random>

#include "DBCanExprTestSupport.h"

namespace dbcanexpr {
namespace {

const char* const Vocabulary[] = {
    "OrderNo", "Name", "ItemsTotal", "AmountPaid", "Qty", "Flag", "SaleDate", "Day", "Price", "Notes",
    "Count16", "Big", "Freight", "ShipToCity", "AmountDue", "[Name]", "[Nope", "Nope", "and", "or", "not",
    "like", "in", "is", "null", "is not null", "is null", "true", "false", "=", "<>", "<", ">", "<=", ">=",
    "+", "-", "*", "/", "(", ")", ",", "0", "1", "-1", "2.5", "1e3", "1e999", "99999999999", "'S%'",
    "'ab*'", "'*'", "''", "'1/2/2020'", "'x''y'", "'open", "/* c */", "/*", "*/", "upper(", "lower(",
    "substring(", "trim(", "year(", "getdate()", "date(", "sum(", "min(", "max(", "avg(", "count(*)",
    "count(", "#", ".", ";", "!", "\t", "é", "Größe"};

const char* const Corpus[] = {
    "ItemsTotal >= 0",
    "ItemsTotal - AmountPaid",
    "(Freight > 10) and (ShipToCity like 'S%')",
    "Name = 'ab*' or Name in ('a', 'b') and not Flag",
    "UPPER(SUBSTRING(Name, 2, 3)) = 'RD'",
    "SUM(ItemsTotal) / count(*) > AVG(AmountPaid)",
    "SaleDate - 1 > '1/2/2020' and YEAR(Day) = 2020",
    "Price = 1.5 or Qty in (1, 2, 3) or Count16 <> 7",
    "/* note */ OrderNo-1 = 2 and Big is not null",
};

class RobustParserTest : public ExprDataSetTest {
protected:
    void SetUp() override {
        ExprDataSetTest::SetUp();
        OpenThreeOrders(orders);
        orders->Close();
        orders->rows[1].values[5] = true;
        orders->rows[1].values[6] = TDateTime(43832.5);
        orders->Open();
        evaluator.SetDataSet(orders);
    }

    // Parses the text; a buffer must be taken by the evaluator and evaluate or fail with one of the
    // library's errors. Only the parser's errors may refuse the text.
    void Check(const String& text) {
        QElapsedTimer timer;
        timer.start();
        TExprData data;
        try {
            TmoxExprParser parser(orders, FldTypeMap, nullptr, "ItemsTotal", options, {}, text);
            data = parser.FilterData();
        } catch (const EDatabaseError&) {
            ++refused;
        } catch (const EConvertError&) {
            ++refused;
        } catch (const Exception& e) {
            ADD_FAILURE() << "unexpected " << e.ClassName().toStdString() << " '" << e.Message().toStdString()
                          << "' for: " << text.toStdString();
        }
        if (!data.isEmpty()) {
            ++parsed;
            try {
                evaluator.SetData(data);
            } catch (const Exception& e) {
                ADD_FAILURE() << "the reader refused what the parser wrote (" << e.Message().toStdString()
                              << ") for: " << text.toStdString();
            }
            try {
                evaluator.Evaluate();
            } catch (const Exception&) {
                // Evaluation errors (conversions, overflow) are the evaluator's to raise.
            }
        }
        EXPECT_LT(timer.elapsed(), 2000) << text.toStdString();
    }

    TmoxDBExprEvaluator evaluator;
    TParserOptions options = xoExtendedSyntax | xoAggregates;
    int parsed = 0, refused = 0;
};

TEST_F(RobustParserTest, RandomTokenSequences) {
    std::mt19937 random(20261211);
    for (TParserOptions o : {xoExtendedSyntax | xoAggregates, xoExtendedSyntax | xoAggregates | xoDefaultExpression,
                             TParserOptions()}) {
        options = o;
        for (int i = 0; i < 4000; ++i) {
            const int length = 1 + int(random() % 12);
            String text;
            for (int t = 0; t < length; ++t)
                text += String(Vocabulary[random() % std::size(Vocabulary)]) + (random() % 4 ? " " : "");
            Check(text);
        }
    }
    EXPECT_GT(parsed, 100) << "the sequences reach the writer, not only the errors";
    EXPECT_GT(refused, 100);
}

TEST_F(RobustParserTest, MutatedExpressions) {
    for (const char* text : Corpus) {
        Check(text);
        EXPECT_EQ(refused, 0) << text;
    }
    std::mt19937 random(7);
    const String alphabet = QStringLiteral("()'[]*/-+,=<>%_ .0123456789eEaAnNoOrRtTlLiIkKsS\"\\#\x01\xe9");
    for (int i = 0; i < 20000; ++i) {
        String text = Corpus[random() % std::size(Corpus)];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits && !text.isEmpty(); ++e) {
            const int at = int(random() % text.size());
            switch (random() % 4) {
            case 0:
                text.remove(at, 1 + int(random() % 3));
                break;
            case 1:
                text.insert(at, alphabet[int(random() % alphabet.size())]);
                break;
            case 2:
                text[at] = alphabet[int(random() % alphabet.size())];
                break;
            default:
                text.insert(at, text.mid(int(random() % text.size()), int(random() % 8)));
                break;
            }
        }
        Check(text);
    }
    EXPECT_GT(parsed, 500) << "mutations reach the writer";
    EXPECT_GT(refused, 1000);
}

TEST_F(RobustParserTest, RandomCharacters) {
    std::mt19937 random(99);
    for (int i = 0; i < 5000; ++i) {
        String text;
        const int length = int(random() % 40);
        for (int c = 0; c < length; ++c)
            text += QChar(char16_t(random() % 2 ? 32 + random() % 96 : random() % 0x3000));
        Check(text);
    }
}

TEST_F(RobustParserTest, PathologicalTextsStayBounded) {
    const String texts[] = {
        String(100000, u'('),
        QStringList(20000, "not").join(' '),
        "Name in (" + QStringList(40000, "'a'").join(',') + ")",
        QStringList(50000, "OrderNo").join(" and "),
        "'" + String(1000000, u'x') + "' = Name",
        "/*" + String(1000000, u' ') + "*/ OrderNo = 1",
        String(100000, u'1'),
        "[" + String(100000, u'a'),
    };
    for (const String& text : texts)
        Check(text);
}

} // namespace
} // namespace dbcanexpr
