// Buffers that are not what a writer makes: every one is refused with the library's error or
// evaluates; none reads outside the buffer, loops or nests without end.
#include <QElapsedTimer>
#include <random>

#include "CanExprTestSupport.h"

using namespace canexpr;

namespace {

void PutWord(TExprData& d, int at, int value) {
    d[at] = char(value & 0xFF);
    d[at + 1] = char((value >> 8) & 0xFF);
}

// A node with raw operand words, for shapes no tree makes.
X Raw(int nodeClass, int op, std::vector<int> operands) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeClass, op, int(operands.size()));
        for (std::size_t i = 0; i < operands.size(); ++i)
            w.SetOperand(node, int(i), operands[i]);
        return node;
    }};
}

X Nots(int count, X leaf) {
    return {[=](TExprDataWriter& w) {
        const int first = w.AddNode(nodeUNARY, coNOT, 1);
        int node = first;
        for (int i = 1; i < count; ++i) {
            const int next = w.AddNode(nodeUNARY, coNOT, 1);
            w.SetOperand(node, 0, next);
            node = next;
        }
        w.SetOperand(node, 0, leaf.write(w));
        return first;
    }};
}

std::vector<TExprData> Corpus() {
    const X name = Field(1, QStringLiteral("Name")), total = Field(2, QStringLiteral("Total"));
    const X all[] = {
        Bin(coGE, total, Dbl(0)),
        Assign(Bin(coSUB, total, Field(3, QStringLiteral("Paid")))),
        Bin(coAND, Bin(coGT, total, Int(10)), Bin(coLIKE, name, Str(QStringLiteral("S%")))),
        Cmp(coEQ, true, 2, name, Str(QStringLiteral("ab"))),
        In(name, {Str(QStringLiteral("a")), Str(QStringLiteral("b")), NullNode()}),
        Fn(QStringLiteral("SUBSTRING"), {Fn(QStringLiteral("UPPER"), {name}), Int(2), Int(3)}),
        Bin(coADD, Fn(QStringLiteral("SUM"), {total}), Fn(QStringLiteral("COUNT(*)"))),
        Fn(QStringLiteral("MAX"), {Bin(coSUB, total, Fn(QStringLiteral("AVG"), {Int(2)}))}),
        Bin(coMUL, Bcd(1.25, 2), Un(coMINUS, total)),
        Bin(coDIV, Bcd(2, 0), Const(fldINT16, ExprLiteral::Int16(3))),
        Bin(coOR, Un(coISBLANK, total), Bin(coMOD, Const(fldUINT16, ExprLiteral::UInt16(7)), Int(2))),
        Fn(QStringLiteral("YEAR"), {Const(fldTIMESTAMP, ExprLiteral::TimeStamp(63113990400000.0))}),
        Bin(coEQ, Const(fldDATE, ExprLiteral::Date(730486)), Const(fldTIME, ExprLiteral::Time(1000))),
        Bin(coAVG, Bin(coMIN, Int(1), Dbl(2)), Bin(coMAX, Str(QStringLiteral("7")), Bool(true))),
        List({Int(1), Fn(QStringLiteral("GETDATE"))}),
    };
    std::vector<TExprData> corpus;
    for (const X& x : all)
        corpus.push_back(Build(x));
    // The nodeLIST's operand points behind itself: give it a constant there.
    TExprDataWriter w;
    const int list = w.AddNode(nodeLIST, coLIST2, 5);
    w.SetOperand(list, 4, Int(4).write(w));
    corpus.push_back(w.Data());
    return corpus;
}

class Robust : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        src.columns = {{"Name", fldZSTRING, 21}, {"Total", fldFLOAT, 8}, {"Paid", fldFLOAT, 8}};
        src.rows = {{Variant(QStringLiteral("Sam")), Variant(Currency(12)), Variant(2.5)},
                    {Null(), Variant(Currency(-3)), Null()},
                    {Variant(QStringLiteral("ab")), Null(), Variant(1.0)}};
    }

    // True when the buffer evaluated; false when it raised one of the library's errors.
    bool Run(const TExprData& data) {
        try {
            src.SetData(data);
            src.Evaluate();
            return true;
        } catch (const Exception&) {
            return false;
        }
    }

    TMemorySource src;
};

} // namespace

TEST_F(Robust, MalformedBuffersAreRefused) {
    // The layout of "ItemsTotal >= 0": nodes at 0, 12 and 24, literals from byte 48, 67 bytes.
    const TExprData valid = Build(Bin(coGE, Field(2, QStringLiteral("ItemsTotal")), Dbl(0)));
    auto patched = [&](std::function<void(TExprData&)> patch) {
        TExprData d = valid;
        patch(d);
        return d;
    };
    struct Case {
        const char* what;
        TExprData data;
        const char* message;
    };
    TExprData headerOnly(10, '\0');
    PutWord(headerOnly, 0, 2);
    PutWord(headerOnly, 2, 10);
    PutWord(headerOnly, 8, 10);
    const Case cases[] = {
        {"nine bytes", valid.left(9), "Invalid expression buffer: 9 bytes is too short"},
        {"total beyond the bytes", valid.left(40),
         "Invalid expression buffer: total size 67, literal area at 48, 40 bytes given"},
        {"total below the header", patched([](TExprData& d) { PutWord(d, 2, 9); }),
         "Invalid expression buffer: total size 9, literal area at 48, 67 bytes given"},
        {"literal area beyond the total", patched([](TExprData& d) { PutWord(d, 8, 68); }),
         "Invalid expression buffer: total size 67, literal area at 68, 67 bytes given"},
        {"literal area inside the header", patched([](TExprData& d) { PutWord(d, 8, 9); }),
         "Invalid expression buffer: total size 67, literal area at 9, 67 bytes given"},
        {"no nodes", headerOnly, "Invalid expression buffer: no node fits at node offset 0"},
        {"node area cut inside a node", patched([](TExprData& d) { PutWord(d, 8, 40); }),
         "Invalid expression buffer: no node fits at node offset 24"},
        {"operand beyond the node area", patched([](TExprData& d) { PutWord(d, 10 + 10, 36); }),
         "Invalid expression buffer: no node fits at node offset 36"},
        {"field name beyond the literals", patched([](TExprData& d) { PutWord(d, 10 + 12 + 10, 19); }),
         "Invalid expression buffer: the text at literal offset 19 has no terminating zero"},
        {"constant beyond the literals", patched([](TExprData& d) { PutWord(d, 10 + 24 + 12, 12); }),
         "Invalid expression buffer: no literal of 8 bytes fits at literal offset 12"},
        {"constant larger than the literals", patched([](TExprData& d) { PutWord(d, 10 + 24 + 10, 9); }),
         "Invalid expression buffer: no literal of 9 bytes fits at literal offset 11"},
        {"constant smaller than its type", patched([](TExprData& d) { PutWord(d, 10 + 24 + 10, 4); }),
         "Invalid expression buffer: no literal of 8 bytes fits at literal offset 11"},
        {"text constant without its zero", Build(Const(fldZSTRING, QByteArray("abc", 3))),
         "Invalid expression buffer: the text at literal offset 0 has no terminating zero"},
        {"field name without its zero", patched([](TExprData& d) {
             d[48 + 10] = 'x';
             PutWord(d, 2, 59);
             d.truncate(59);
         }),
         "Invalid expression buffer: the text at literal offset 0 has no terminating zero"},
        {"operand names the root", Build(Un(coNOT, Raw(nodeUNARY, coNOT, {0}))),
         "Invalid expression buffer: the node at node offset 0 is used more than once"},
        {"node names itself", Build(Un(coNOT, Raw(nodeUNARY, coNOT, {10}))),
         "Invalid expression buffer: the node at node offset 10 is used more than once"},
        {"two operands name one node",
         [] {
             TExprData d = Build(Bin(coADD, Int(1), Int(2)));
             PutWord(d, 10 + 10, 12);
             return d;
         }(),
         "Invalid expression buffer: the node at node offset 12 is used more than once"},
        {"list chain in a circle",
         Build(In(Int(1), {Int(2)})).replace(10 + 26 + 10, 2, QByteArray("\x1a\x00", 2)),
         "Invalid expression buffer: the node at node offset 26 is used more than once"},
        {"list element naming the root", Build(Raw(nodeLISTELEM, coLISTELEM2, {0, 0})),
         "Invalid expression buffer: the node at node offset 0 is used more than once"},
        {"1001 levels", Build(Nots(1000, Int(1))),
         "Invalid expression buffer: operands nested more than 1000 levels deep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            src.SetData(c.data);
            ADD_FAILURE() << "accepted";
        } catch (const EExprDataError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
    }
    EXPECT_TRUE(Same(src.Value(fldBOOL, 2, Nots(999, Bool(true))), Variant(false))); // 1000 levels
}

TEST_F(Robust, LongListsAndOddClassWordsStillEvaluate) {
    std::vector<X> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back(Int(i));
    EXPECT_TRUE(Same(src.Value(fldBOOL, 2, In(Int(1999), many)), Variant(true)));
    // A chain whose next element is some other node ends with that node's value.
    {
        TExprDataWriter w;
        const int in = w.AddNode(nodeBINARY, coIN, 2);
        w.SetOperand(in, 0, Int(5).write(w));
        const int element = w.AddNode(nodeLISTELEM, coLISTELEM2, 2);
        w.SetOperand(in, 1, element);
        w.SetOperand(element, 0, Int(4).write(w));
        w.SetOperand(element, 1, Int(5).write(w));
        src.SetData(w.Data());
        EXPECT_TRUE(Same(src.Evaluate(), Variant(true)));
    }
    // Only the low byte of the class word counts.
    TExprData d = Build(Bin(coADD, Int(1), Int(2)));
    d[10 + 1] = char(0x7F);
    d[10 + 3] = char(0x80);
    src.SetData(d);
    EXPECT_TRUE(Same(src.Evaluate(), Variant(3)));
    // Concatenations are bounded per evaluation: a text added to itself over and over stops with
    // an error instead of copying without end.
    // A left-deep chain of 900 additions, each adding the same 20 000-character literal.
    TExprDataWriter w;
    const int levels = 900;
    std::vector<int> adds;
    for (int i = 0; i < levels; ++i)
        adds.push_back(w.AddNode(nodeBINARY, coADD, 2));
    const int text = w.AddString(QString(20000, u'x'));
    auto constant = [&] {
        const int node = w.AddNode(nodeCONST, coCONST2, 3);
        w.SetOperand(node, 0, fldZSTRING);
        w.SetOperand(node, 1, 20001);
        w.SetOperand(node, 2, text);
        return node;
    };
    for (int i = 0; i < levels; ++i) {
        w.SetOperand(adds[std::size_t(i)], 0, i + 1 < levels ? adds[std::size_t(i + 1)] : constant());
        w.SetOperand(adds[std::size_t(i)], 1, constant());
    }
    src.SetData(w.Data());
    EXPECT_THROW(src.Evaluate(), EOverflow);
}

TEST_F(Robust, RandomAndMutatedBuffersEvaluateOrRaise) {
    std::mt19937 random(20240611);
    auto below = [&](int n) { return int(random() % unsigned(n)); };
    const std::vector<TExprData> corpus = Corpus();
    for (const TExprData& d : corpus)
        ASSERT_TRUE(Run(d)) << d.toHex(' ').toStdString();

    int evaluated = 0, refused = 0;
    QElapsedTimer slowest;
    qint64 worst = 0;
    for (int round = 0; round < 6000; ++round) {
        TExprData d;
        if (round % 4 == 0) {
            // Random bytes, mostly behind a plausible header.
            d.resize(below(200) + (round % 8 == 0 ? 0 : 10));
            for (char& c : d)
                c = char(below(256));
            if (d.size() >= 10 && below(4) != 0) {
                PutWord(d, 0, 2);
                PutWord(d, 2, int(d.size()));
                PutWord(d, 8, 10 + below(int(d.size()) - 9));
            }
        } else {
            d = corpus[std::size_t(below(int(corpus.size())))];
            for (int m = below(4) + 1; m > 0; --m) {
                const int at = below(int(d.size()));
                switch (below(5)) {
                case 0:
                    d[at] = char(below(256));
                    break;
                case 1:
                    d[at] = char(d[at] ^ (1 << below(8)));
                    break;
                case 2: // a plausible offset or count into an operand word
                    if (at + 1 < d.size()) PutWord(d, at, below(int(d.size())));
                    break;
                case 3:
                    d.truncate(at);
                    break;
                default:
                    d.append(QByteArray(below(20), char(below(256))));
                    break;
                }
                if (d.isEmpty()) break;
            }
        }
        slowest.start();
        (Run(d) ? evaluated : refused)++;
        worst = std::max(worst, slowest.elapsed());
    }
    // Both outcomes occur, and no buffer takes long.
    EXPECT_GT(evaluated, 300);
    EXPECT_GT(refused, 300);
    EXPECT_LT(worst, 2000);
    EXPECT_EQ(src.evaluations, src.evaluationEnds);
    EXPECT_EQ(src.aggregates, src.aggregateEnds);
}
