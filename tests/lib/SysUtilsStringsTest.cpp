#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

struct MatchCase {
    const char* text;
    const char* pattern;
    bool match;
};

TEST(MoxWildcardMatch, RunsSingleCharactersAndLiterals) {
    const MatchCase cases[] = {
        {"abc", "a?c", true},
        {"abc", "a%", true},
        {"abc", "%c", true},
        {"abc", "*b*", true},
        {"abc", "ab", false},
        {"abc", "a_c", true},
        {"abc", "abc", true},
        {"abc", "ABC", false},
        {"abc", "abcd", false},
        {"abcd", "abc", false},
        {"ab", "ab%", true},
        {"abc", "ab%", true},
        {"abc", "???", true},
        {"abc", "??", false},
        {"ab", "???", false},
        {"x", "%%%", true},
        {"x", "*%*", true},
        {"a", "_%", true},
        {"a", "a*?", false},
        {"ab", "a*?", true},
        {"x", "*?x", false},
        {"yx", "*?x", true},
        {"aXbYc", "a*b*c", true},
        {"aXbY", "a*b*c", false},
        {"file.txt", "*.txt", true},
        {"file.txt.bak", "*.txt", false},
        {"a", "a*a", false},
        {"aa", "a*a", true},
        {"aaaXb", "*a*b", true},
        {"abab", "*ab", true},
        // A star gives back what the rest of the pattern needs.
        {"aaab", "*aab", true},
        {"mississippi", "*sip*", true},
        {"mississippi", "m*iss*ppi", true},
        {"mississippi", "m*sipx*", false},
        {"100%", "100%", true},
        {"a*b", "a*b", true},
        {"abcbc", "a*bc", true},
        {"ab", "a*b?", false},
        {"abc", "a*b?", true},
        {"abc", "*ab**", true},
        {"ab", "ab*c", false},
        {"aXbX", "*X", true},
        // An empty text or pattern never matches.
        {"", "*", false},
        {"", "%", false},
        {"", "", false},
        {"abc", "", false},
        {"", "?", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.match)
            << "text \"" << c.text << "\" pattern \"" << c.pattern << "\"";
}

TEST(MoxWildcardMatch, PathologicalPatternsStayFast) {
    const QString text(20000, u'a');
    struct {
        QString pattern;
        bool match;
    } cases[] = {
        {QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"), false},
        {QString("a*").repeated(200) + "b", false},
        {QString("%_").repeated(300) + "b", false},
        {"*" + QString(300, u'a') + "b", false},
        {"*" + QString(100, u'a') + "b*", false},
        {"*" + QString(300, u'a'), true},
        {QString("*a").repeated(500), true},
    };
    QElapsedTimer timer;
    timer.start();
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(text, c.pattern), c.match) << c.pattern.left(40).toStdString();
    // Each case is at most a few million steps; an exponential matcher would never come back.
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(MoxStrings, ReplaceStr) {
    struct {
        const char *s, *from, *to, *expected;
    } cases[] = {
        {"aaa", "aa", "b", "ba"},                              // left to right, not overlapping
        {"ab", "a", "aa", "aab"},                              // the replacement is not searched again
        {"abcabc", "b", "", "acac"}, {"aAa", "a", "x", "xAx"}, // case counts
        {"abc", "", "x", "abc"},                               // an empty text occurs nowhere
        {"", "a", "x", ""},          {"abc", "abc", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceStr(c.s, c.from, c.to), QString(c.expected)) << c.s << " " << c.from << " " << c.to;
}

TEST(MoxStrings, MakeStr) {
    EXPECT_EQ(MakeStr(u'x', 3), "xxx");
    EXPECT_EQ(MakeStr(u'x', 1), "x");
    EXPECT_EQ(MakeStr(u'x', 0), "");
    EXPECT_EQ(MakeStr(u'x', -4), "");
}

TEST(MoxStrings, AddDelimitedKeepsEmptyItemsAfterTheFirst) {
    String s;
    AddDelimited(s, "a", ";");
    EXPECT_EQ(s, "a");
    AddDelimited(s, "", ";");
    AddDelimited(s, "c", ";");
    EXPECT_EQ(s, "a;;c");
    AddDelimited(s, "d", ", ");
    EXPECT_EQ(s, "a;;c, d");
    // A separator only follows text: an empty first item leaves nothing to separate.
    String t;
    AddDelimited(t, "", ";");
    AddDelimited(t, "b", ";");
    EXPECT_EQ(t, "b");
}

TEST(MoxStrings, ExtractDelimitedWalksTheText) {
    struct Step {
        const char* part;
        int pos;
    };
    struct {
        const char* text;
        const char* delim;
        std::vector<Step> steps;
    } cases[] = {
        {"a ; b;", ";", {{"a", 4}, {"b", 7}, {"", 7}}},
        {"a;;b", ";", {{"a", 3}, {"", 4}, {"b", 5}}},
        {"a::b:c", "::", {{"a", 4}, {"b:c", 7}}},
        {"\t x \t", ";", {{"x", 6}}},
        {"a;b", "", {{"a;b", 4}}}, // an empty delimiter never occurs
        {"", ";", {{"", 1}}},
        {";", ";", {{"", 2}, {"", 2}}},
    };
    for (const auto& c : cases) {
        int pos = 1;
        for (const auto& step : c.steps) {
            EXPECT_EQ(ExtractDelimited(c.text, c.delim, pos), QString(step.part)) << c.text;
            EXPECT_EQ(pos, step.pos) << c.text;
        }
    }
    int pos = 0; // before the start counts as the start
    EXPECT_EQ(ExtractDelimited("x;y", ";", pos), "x");
    pos = 99;
    EXPECT_EQ(ExtractDelimited("x;y", ";", pos), "");
    EXPECT_EQ(pos, 4);
}

TEST(MoxStrings, Words) {
    const TCharSet delims{u' ', u','};
    const QString s = QStringLiteral("  a,b ,, c");
    EXPECT_EQ(WordCount(s, delims), 3);
    struct {
        int n, position;
        const char* word;
    } cases[] = {{1, 3, "a"}, {2, 5, "b"}, {3, 10, "c"}, {4, 0, ""}, {0, 0, ""}, {-1, 0, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(WordPosition(c.n, s, delims), c.position) << c.n;
        EXPECT_EQ(ExtractWord(c.n, s, delims), QString(c.word)) << c.n;
    }
    EXPECT_EQ(WordCount("", delims), 0);
    EXPECT_EQ(WordCount(" , ", delims), 0);
    EXPECT_EQ(WordCount("one", delims), 1);
    EXPECT_EQ(WordCount("one two", TCharSet()), 1);
    EXPECT_EQ(ExtractWord(2, "alpha  beta gamma", TCharSet{u' '}), "beta");
    // Delimiters beyond Latin-1.
    const TCharSet dash{u'\u2014'};
    EXPECT_EQ(WordCount(QStringLiteral("x\u2014y\u2014\u2014z"), dash), 3);
    EXPECT_EQ(ExtractWord(3, QStringLiteral("x\u2014y\u2014\u2014z"), dash), "z");
}

TEST(MoxStrings, CharSet) {
    TCharSet set = TCharSet::Of(QStringLiteral("a\u00e9\u2014\u20ac"));
    for (QChar c : QStringLiteral("a\u00e9\u2014\u20ac"))
        EXPECT_TRUE(set.Contains(c));
    EXPECT_FALSE(set.Contains(u'b'));
    EXPECT_FALSE(set.Contains(u'\u2013'));
    set.Exclude(u'\u2014').Exclude(u'a');
    EXPECT_FALSE(set.Contains(u'\u2014'));
    EXPECT_FALSE(set.Contains(u'a'));
    EXPECT_TRUE(set.Contains(u'\u20ac'));
    EXPECT_FALSE(set.IsEmpty());
    EXPECT_TRUE(TCharSet().IsEmpty());
}

TEST(MoxStrings, HasAnyChar) {
    EXPECT_TRUE(HasAnyChar("hello", "xyo"));
    EXPECT_FALSE(HasAnyChar("hello", "xyz"));
    EXPECT_FALSE(HasAnyChar("", "a"));
    EXPECT_FALSE(HasAnyChar("a", ""));
    EXPECT_FALSE(HasAnyChar("Hello", "h")); // case counts
}

} // namespace
