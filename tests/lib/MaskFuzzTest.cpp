// The picture engine under generated pictures: both matchers against a plain transcription of the
// matching rules, and every well-formed picture, however pathological, ends quickly.
#include <gtest/gtest.h>
#include <random>
#include <time.h>

#include "MaskReference.h"
#include "lib/moxMask.h"
#include "lib/moxMaskEngine.h"

using namespace moxMaskProgram;

namespace {

// The time one match may take: 10 ms in an optimised build; debug and sanitizer builds are slower
// by an order of magnitude or more, so they get a bound that still catches exponential work.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 MaxMatchNs = 1'500'000'000;
#elif !defined(NDEBUG)
constexpr qint64 MaxMatchNs = 400'000'000;
#else
constexpr qint64 MaxMatchNs = 10'000'000;
#endif

// Processor time of this thread: other work on a busy machine does not count against a match.
qint64 ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

Program Compile(const QString& mask) {
    const std::vector<Token> tokens = Tokenize(mask);
    EXPECT_TRUE(CheckTokens(tokens)) << mask.toStdString();
    return Parse(tokens);
}

// Random well-formed pictures as trees, to render and to draw sample texts from.
class PictureGen {
public:
    explicit PictureGen(unsigned seed) : rng_(seed) {}

    struct Node {
        enum Kind {
            Char,
            Optional,
            Group,
            Star
        } kind = Char;
        QString token;                       // Char
        std::vector<Node> seq;               // Optional content
        std::vector<std::vector<Node>> alts; // Group
        int count = -1;                      // Star
        std::vector<Node> element;           // Star: one node
    };

    std::vector<Node> Sequence(int depth, int maxItems) {
        std::vector<Node> seq;
        const int n = R(maxItems + 1);
        for (int i = 0; i < n; ++i)
            seq.push_back(Item(depth, true));
        return seq;
    }

    static QString Render(const std::vector<Node>& seq) {
        QString s;
        for (const Node& n : seq)
            s += Render(n);
        return s;
    }

    QString Sample(const std::vector<Node>& seq) {
        QString s;
        for (const Node& n : seq)
            s += Sample(n);
        return s;
    }

    int R(int n) { return int(rng_() % unsigned(n)); }
    QChar Pick(const char* chars) { return QChar::fromLatin1(chars[R(int(strlen(chars)))]); }

private:
    Node Item(int depth, bool starAllowed) {
        const int roll = R(100);
        Node n;
        if (depth > 0 && roll < 14) {
            n.kind = Node::Optional;
            n.seq = Sequence(depth - 1, 3);
        } else if (depth > 0 && roll < 30) {
            n.kind = Node::Group;
            const int alts = R(4);
            for (int i = 0; i < alts; ++i)
                n.alts.push_back(Sequence(depth - 1, 3));
            // The last alternative may not be empty.
            if (!n.alts.empty() && Render(n.alts.back()).isEmpty()) n.alts.back().push_back(Char());
        } else if (starAllowed && roll < 42) {
            n.kind = Node::Star;
            n.count = R(3) == 0 ? -1 : R(4);
            n.element.push_back(Item(depth, false));
        } else {
            n = Char();
        }
        return n;
    }

    Node Char() {
        static const char* tokens[] = {"a", "b", "A", "-", ".",   "#",   "?",   "&",
                                       "~", "@", "!", "_", "\\#", "\\,", "\\1", "\\*"};
        Node n;
        n.token = QString::fromLatin1(tokens[R(int(std::size(tokens)))]);
        return n;
    }

    static QString Render(const Node& n) {
        switch (n.kind) {
        case Node::Optional:
            return "[" + Render(n.seq) + "]";
        case Node::Group: {
            QStringList alts;
            for (const auto& a : n.alts)
                alts << Render(a);
            return "{" + alts.join(",") + "}";
        }
        case Node::Star:
            return "*" + (n.count >= 0 ? QString::number(n.count) : QString()) + Render(n.element);
        default:
            return n.token;
        }
    }

    QString Sample(const Node& n) {
        switch (n.kind) {
        case Node::Optional:
            return R(2) ? Sample(n.seq) : QString();
        case Node::Group:
            return n.alts.empty() ? QString() : Sample(n.alts[R(int(n.alts.size()))]);
        case Node::Star: {
            QString s;
            const int times = n.count >= 0 ? n.count : R(4);
            for (int i = 0; i < times; ++i)
                s += Sample(n.element);
            return s;
        }
        default:
            break;
        }
        const QChar c = n.token.back();
        if (n.token.size() == 2) return QString(c);
        switch (c.unicode()) {
        case u'#':
            return QString(Pick("0123456789"));
        case u'?':
        case u'&':
        case u'~':
            return QString(Pick("aBzQ"));
        case u'@':
        case u'!':
        case u'_':
            return QString(Pick("aB7z"));
        default:
            return R(4) == 0 ? QString(c).toUpper() : QString(c); // a case to correct now and then
        }
    }

    std::mt19937 rng_;
};

std::string Describe(const QString& mask, const QString& text, MatchFlags f) {
    return QString("picture '%1' text '%2' partial %3 case correction %4 case insensitive %5")
        .arg(mask, text)
        .arg(f.partial)
        .arg(f.caseCorrection)
        .arg(f.caseInsensitive)
        .toStdString();
}

// Both matchers give exactly what the plain transcription of the rules gives.
TEST(MaskFuzz, MatchersAgreeWithTheRules) {
    PictureGen gen(20240615);
    int compared = 0, matched = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::vector<PictureGen::Node> tree = gen.Sequence(3, 4);
        const QString mask = PictureGen::Render(tree);
        const Program program = Compile(mask);
        QStringList texts;
        for (int i = 0; i < 3; ++i)
            texts << gen.Sample(tree);
        for (int i = 0; i < 2; ++i) {
            const QString s = gen.Sample(tree);
            texts << s.left(gen.R(int(s.size()) + 1));
        }
        for (int i = 0; i < 2; ++i) {
            QString s = gen.Sample(tree);
            if (!s.isEmpty()) s[gen.R(int(s.size()))] = gen.Pick("a1-B.");
            texts << s;
        }
        for (int i = 0; i < 2; ++i) {
            QString s;
            for (int n = gen.R(7); n > 0; --n)
                s += gen.Pick("aAbB1-.,#z9");
            texts << s;
        }
        for (const QString& text : texts) {
            for (bool partial : {false, true}) {
                const MatchFlags flags{partial, gen.R(2) == 0, gen.R(2) == 0};
                const mox::test::ReferenceMatch ref = mox::test::ReferenceMatchPicture(
                    mask, text, partial, flags.caseCorrection, flags.caseInsensitive);
                const std::optional<MatchOutcome> quick = MatchBacktracking(program, text, flags, 5'000'000);
                const std::optional<MatchOutcome> memoised = MatchMemoised(program, text, flags);
                const std::string where = Describe(mask, text, flags);
                ASSERT_TRUE(quick.has_value()) << where;
                ASSERT_TRUE(memoised.has_value()) << where;
                const MatchOutcome& memo = *memoised;
                ASSERT_EQ(quick->matched, ref.ok) << where;
                ASSERT_EQ(memo.matched, ref.ok) << where;
                if (ref.ok) {
                    ASSERT_EQ(quick->text, ref.text) << where;
                    ASSERT_EQ(quick->fill, ref.fill) << where;
                    ASSERT_EQ(memo.text, ref.text) << where;
                    ASSERT_EQ(memo.fill, ref.fill) << where;
                    ++matched;
                }
                ++compared;
            }
        }
    }
    // The generated texts reach both outcomes often enough to mean something.
    EXPECT_GT(matched, compared / 5);
    EXPECT_LT(matched, compared - compared / 5);
}

struct Pathological {
    QString picture;
    QString text;
};

std::vector<Pathological> PathologicalCases() {
    const QString digits256 = QString(256, u'7');
    const QString a200 = QString(200, u'a');
    QString alternatives40, nested9, nestedAny, brackets, braces, stars;
    for (int i = 0; i < 40; ++i)
        alternatives40 += "{a,aa}";
    nested9 = "*9{*9{*9{*9{*9{,#}}}}}";
    nestedAny = "*{*{*{*{*{*{*{*#}}}}}}}";
    for (int i = 0; i < 60; ++i)
        brackets += "[";
    brackets += "a";
    for (int i = 0; i < 60; ++i)
        brackets += "]";
    for (int i = 0; i < 60; ++i)
        braces += "{";
    braces += "a";
    for (int i = 0; i < 60; ++i)
        braces += ",a}";
    for (int i = 0; i < 16; ++i)
        stars += "*?";
    QString manyAlts = "{";
    for (int i = 1; i <= 30; ++i)
        manyAlts += QString(i, u'7') + (i < 30 ? "," : "}");
    return {
        {"#*5", "12345"},
        {"[#*]", "1"},
        {"#*5", digits256},
        {"[#*]", digits256},
        {"*5{#}", digits256},
        {stars + "b", a200},
        {alternatives40 + "b", QString(60, u'a') + "b"},
        {alternatives40 + "b", QString(79, u'a') + "c"},
        {alternatives40 + alternatives40 + "b", QString(120, u'a')},
        {nested9 + "x", QString(200, u'1') + "y"},
        {nested9 + "x", QString(200, u'1') + "x"},
        {nestedAny + "x", digits256},
        {"*{*{#,##}[#]}x", digits256},
        {"*{[a][b][c]}", a200 + "d"},
        {"*{,a,aa,aaa}b", a200},
        {brackets, "a"},
        {brackets + brackets + brackets, "aab"},
        {braces, "a"},
        {"*" + manyAlts + "x", digits256},
        {"*999999999-", QString(256, u'-')},
        {"*999999999-", ""},
        {"*999999999[-]", QString(256, u'-') + "x"},
        {"*999999999{*99999999{,#}}x", digits256},
        {"*99{*99{*99[#]}}" + QString("[#]").repeated(20), digits256},
        {QString("*[#]").repeated(60), digits256 + "x"},
        {QString("{,#,##}").repeated(36), digits256 + "x"},
        {QString("*{{a,b}{a,b},{a,b}}").repeated(8) + "c", QString("ab").repeated(128)},
    };
}

// Each picture ends, in both modes, quickly; results do not depend on which matcher ran.
TEST(MaskFuzz, PathologicalPicturesEndQuickly) {
    for (const Pathological& c : PathologicalCases()) {
        ASSERT_TRUE(CheckPictureSyntax(c.picture)) << c.picture.toStdString();
        const Program program = Compile(c.picture);
        for (bool partial : {false, true}) {
            const MatchFlags flags{partial, true, true};
            const qint64 start = ThreadCpuNs();
            const MatchOutcome outcome = MatchProgram(program, c.text, flags);
            const qint64 ns = ThreadCpuNs() - start;
            EXPECT_LT(ns, MaxMatchNs)
                << Describe(c.picture, c.text.left(20) + "...", flags) << ": " << ns / 1000 << " us";
            if (const std::optional<MatchOutcome> memo = MatchMemoised(program, c.text, flags)) {
                EXPECT_EQ(memo->matched, outcome.matched) << Describe(c.picture, c.text, flags);
                EXPECT_EQ(memo->text, outcome.text);
                EXPECT_EQ(memo->fill, outcome.fill);
            }
        }
    }
}

// Results that the pathological pictures must give, whichever matcher ends up doing the work.
TEST(MaskFuzz, PathologicalResults) {
    struct Expect {
        QString picture, text;
        bool partial, ok;
        QString fill;
    };
    QString alternatives40;
    for (int i = 0; i < 40; ++i)
        alternatives40 += "{a,aa}";
    const std::vector<Expect> cases = {
        {alternatives40 + "b", QString(60, u'a') + "b", false, true, ""},
        {alternatives40 + "b", QString(81, u'a') + "b", false, false, ""},
        {alternatives40 + "b", QString(79, u'a') + "c", false, false, ""},
        {alternatives40 + "b", QString(80, u'a'), true, true, "b"},
        {"*3{*3{*3{,#}}}x", QString(20, u'1') + "x", false, true, ""},
        {"*3{*3{*3{,#}}}x", QString(28, u'1') + "x", false, false, ""},
        {"*9{*9{*9{*9{,#}}}}x", QString(200, u'1') + "y", false, false, ""},
        // Beyond the matchers' work limit (four nested counted repetitions of an element that can
        // match nothing, over 200 characters): refused, reported as not fitting.
        {"*9{*9{*9{*9{,#}}}}x", QString(200, u'1') + "x", false, false, ""},
        {QString("*?").repeated(16) + "b", QString(200, u'a') + "b", false, false, ""},
        {"*999999999-", QString(300, u'-'), true, true, QString(1024, u'-')},
        {"*999999999-", QString(300, u'-'), false, false, ""},
        {"*3{*2{ab}}", "ababab", true, true, ""},
    };
    for (const Expect& c : cases) {
        // The exponential ones are beyond the backtracking budget: the memoised matcher answers.
        String text = c.text, fill;
        const bool ok = MatchPicture(c.picture, text, fill, c.partial, true, true);
        EXPECT_EQ(ok, c.ok) << c.picture.toStdString();
        EXPECT_EQ(fill, c.fill) << c.picture.toStdString();
        if (ok) {
            EXPECT_EQ(text, c.text);
        }
    }
    const Program alternatives = Compile(alternatives40 + "b");
    EXPECT_FALSE(MatchBacktracking(alternatives, QString(79, u'a') + "c", MatchFlags{}).has_value());
}

// Random symbol soup of up to 256 characters: whatever passes the syntax check ends in time in both
// modes, and the two matchers agree wherever the backtracking one finishes.
TEST(MaskFuzz, RandomPicturesAndTextsEnd) {
    std::mt19937 rng(4242);
    auto r = [&](int n) { return int(rng() % unsigned(n)); };
    const char* alphabet = "#?&~@!_*[]{},\\a1-5*{}[]";
    const char* textChars = "a1-5Zb9,.";
    PictureGen gen(77);
    int wellFormed = 0;
    for (int round = 0; round < 3000 && wellFormed < 400; ++round) {
        QString mask;
        if (round % 2) {
            mask = PictureGen::Render(gen.Sequence(6, 8));
            if (mask.size() > 256) mask.truncate(0);
        } else {
            for (int n = 1 + r(256); n > 0; --n)
                mask += QChar::fromLatin1(alphabet[r(int(strlen(alphabet)))]);
        }
        if (!CheckPictureSyntax(mask)) continue;
        ++wellFormed;
        const Program program = Compile(mask);
        for (int k = 0; k < 3; ++k) {
            QString text;
            for (int n = r(257); n > 0; --n)
                text += QChar::fromLatin1(textChars[r(int(strlen(textChars)))]);
            if (k == 0) text = gen.Sample(gen.Sequence(2, 3)).left(256);
            for (bool partial : {false, true}) {
                const MatchFlags flags{partial, r(2) == 0, r(2) == 0};
                const qint64 start = ThreadCpuNs();
                const MatchOutcome outcome = MatchProgram(program, text, flags);
                const qint64 ns = ThreadCpuNs() - start;
                ASSERT_LT(ns, MaxMatchNs) << Describe(mask, text, flags);
                const std::optional<MatchOutcome> memo = MatchMemoised(program, text, flags);
                if (!memo) continue;
                ASSERT_EQ(memo->matched, outcome.matched) << Describe(mask, text, flags);
                ASSERT_EQ(memo->text, outcome.text) << Describe(mask, text, flags);
                ASSERT_EQ(memo->fill, outcome.fill) << Describe(mask, text, flags);
            }
        }
    }
    EXPECT_GT(wellFormed, 100);
}

} // namespace
