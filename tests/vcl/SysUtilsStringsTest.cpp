#include <QLocale>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

TEST(Strings, TrimRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \n"), "  a");
    EXPECT_EQ(Trim(QString::fromUtf8("\u00A0a\u00A0")), QString::fromUtf8("\u00A0a\u00A0")); // above ' '
    EXPECT_EQ(Trim("   "), "");
}

TEST(Strings, CaseAndOrdinalComparison) {
    const QString text = QString::fromUtf8("Grüße abc");
    EXPECT_EQ(UpperCase(text), QString::fromUtf8("GRüßE ABC"));
    EXPECT_EQ(LowerCase("ÄBC"), QString::fromUtf8("Äbc"));
    EXPECT_EQ(AnsiUpperCase(QString::fromUtf8("äbc")), QString::fromUtf8("ÄBC"));
    EXPECT_EQ(AnsiLowerCase(QString::fromUtf8("ÄBC")), QString::fromUtf8("äbc"));
    EXPECT_LT(CompareStr("B", "a"), 0); // ordinal: upper case first
    EXPECT_GT(CompareStr("ab", "a"), 0);
    EXPECT_EQ(CompareStr("a", "a"), 0);
    EXPECT_EQ(CompareText("HeLLo", "hello"), 0);
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_NE(CompareText(QString::fromUtf8("Ä"), QString::fromUtf8("ä")), 0); // ASCII folding only
    EXPECT_TRUE(SameText("ABC", "abc"));
    EXPECT_FALSE(SameText("ABC", "abd"));
}

class LocaleCompare : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(LocaleCompare, AnsiComparisonsCollate) {
    EXPECT_LT(AnsiCompareStr("a", "B"), 0); // the collation puts a before B
    EXPECT_NE(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareText(QString::fromUtf8("Äpfel"), QString::fromUtf8("birne")), 0);
    EXPECT_GT(CompareText(QString::fromUtf8("Äpfel"), QString::fromUtf8("birne")), 0); // ordinal differs
    EXPECT_EQ(AnsiCompareText(QString::fromUtf8("äbc"), QString::fromUtf8("ÄBC")), 0);
    EXPECT_TRUE(AnsiSameText(QString::fromUtf8("Straße"), QString::fromUtf8("STRAßE")));
    EXPECT_FALSE(AnsiSameText("abc", "abd"));
}

TEST(Strings, Quoting) {
    EXPECT_EQ(QuotedStr("It's"), "'It''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("say \"hi\"", u'"'), "\"say \"\"hi\"\"\"");
    struct {
        const char* source;
        const char* extracted;
        const char* rest;
    } cases[] = {
        {"'It''s' here", "It's", " here"},
        {"'open", "open", ""},
        {"plain", "", "plain"},
        {"''", "", ""},
    };
    for (const auto& c : cases) {
        String s = c.source;
        EXPECT_EQ(AnsiExtractQuotedStr(s, u'\''), c.extracted) << c.source;
        EXPECT_EQ(s, c.rest) << c.source;
    }
    EXPECT_EQ(AnsiDequotedStr("'a''b'", u'\''), "a'b");
    EXPECT_EQ(AnsiDequotedStr("'a' b", u'\''), "'a' b");
    EXPECT_EQ(AnsiDequotedStr("'", u'\''), "'");
}

TEST(Strings, ReplacePositionsAndDelimiters) {
    EXPECT_EQ(StringReplace("aXbXc", "X", "--", {}), "a--bXc");
    EXPECT_EQ(StringReplace("aXbXc", "X", "--", rfReplaceAll), "a--b--c");
    EXPECT_EQ(StringReplace("axbXc", "X", "", rfReplaceAll), "axbc");
    EXPECT_EQ(StringReplace("axbXc", "X", "", rfReplaceAll | rfIgnoreCase), "abc");
    EXPECT_EQ(StringReplace("aaa", "a", "aa", rfReplaceAll), "aaaaaa"); // no rescan of the replacement
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
    EXPECT_EQ(Pos("c", "abcabc"), 3);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
    EXPECT_TRUE(IsDelimiter("/.", "a/b.c", 2));
    EXPECT_FALSE(IsDelimiter("/.", "a/b.c", 3));
    EXPECT_FALSE(IsDelimiter("/.", "a/b.c", 0));
    EXPECT_FALSE(IsDelimiter("/.", "a/b.c", 6));
    EXPECT_EQ(LastDelimiter("/.", "a/b.c"), 4);
    EXPECT_EQ(LastDelimiter("/", "abc"), 0);
    EXPECT_EQ(AdjustLineBreaks("a\r\nb\rc\nd\n\re\n\nf"), "a\nb\nc\nd\ne\n\nf");
    EXPECT_EQ(AdjustLineBreaks("a\nb\r", tlbsCRLF), "a\r\nb\r\n");
}

TEST(Strings, Booleans) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
    struct {
        const char* text;
        bool valid, value;
    } cases[] = {{"True", true, true}, {"false", true, false}, {"TRUE", true, true},  {"0", true, false},
                 {"-1", true, true},   {"2", true, true},      {"yes", false, false}, {"", false, false}};
    for (const auto& c : cases) {
        bool v = !c.value;
        EXPECT_EQ(TryStrToBool(c.text, v), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    try {
        StrToBool("yes");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'yes' is not a valid boolean value");
    }
}

} // namespace
