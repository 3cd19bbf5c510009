#include <QLocale>
#include <gtest/gtest.h>

#include "lib/moxMask.h"
#include "vcl/SysUtils.h"

namespace {

enum Flags {
    None = 0,
    Partial = 1,
    CaseCorrection = 2,
    CaseInsensitive = 4
};

struct Case {
    const char* picture;
    const char* text;
    int flags;
    bool ok;
    const char* corrected; // the text afterwards (the input itself on failure)
    const char* fill;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << "picture '" << c.picture << "' text '" << c.text << "' flags " << c.flags;
}

class MatchCases : public ::testing::TestWithParam<Case> {};

TEST_P(MatchCases, MatchesCorrectsAndFills) {
    const Case& c = GetParam();
    String text = QString::fromUtf8(c.text);
    String fill = QStringLiteral("stale");
    const bool ok = MatchPicture(QString::fromUtf8(c.picture), text, fill, c.flags & Partial,
                                 c.flags & CaseCorrection, c.flags & CaseInsensitive);
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(text, QString::fromUtf8(c.corrected));
    EXPECT_EQ(fill, QString::fromUtf8(c.fill));
}

constexpr int P = Partial, CC = CaseCorrection, CI = CaseInsensitive, All = CC | CI;

// An optional part: complete and partial inputs, and no fill before an optional part.
INSTANTIATE_TEST_SUITE_P(Optional, MatchCases,
                         ::testing::Values(Case{"#####[-####]", "12345", All, true, "12345", ""},
                                           Case{"#####[-####]", "12345-6789", All, true, "12345-6789", ""},
                                           Case{"#####[-####]", "12345-67", All, false, "12345-67", ""},
                                           Case{"#####[-####]", "12345-67", P | All, true, "12345-67", ""},
                                           Case{"#####[-####]", "123456", All, false, "123456", ""},
                                           Case{"#####[-####]", "123456", P | All, false, "123456", ""},
                                           Case{"#####[-####]", "1234", P | All, true, "1234", ""},
                                           Case{"#####[-####]", "12345", P | All, true, "12345", ""},
                                           Case{"#####[-####]", "12345-", P | All, true, "12345-", ""},
                                           Case{"#[#][#]", "1", All, true, "1", ""},
                                           Case{"#[#][#]", "123", All, true, "123", ""},
                                           Case{"#[#][#]", "", All, false, "", ""},
                                           Case{"#[#][#]", "1234", All, false, "1234", ""},
                                           // Typed text inside an optional part takes its fill.
                                           Case{"#[ab]c", "1a", P, true, "1a", "bc"}));

// Fixed characters are proposed after the text while the picture goes on with literals.
INSTANTIATE_TEST_SUITE_P(Fill, MatchCases,
                         ::testing::Values(Case{"(###)###-####", "(123", P | All, true, "(123", ")"},
                                           Case{"(###)###-####", "(123)456", P | All, true, "(123)456", "-"},
                                           Case{"(###)###-####", "", P | All, true, "", "("},
                                           Case{"(###)###-####", "(12a", P | All, false, "(12a", ""},
                                           Case{"###-####", "123", P | All, true, "123", "-"},
                                           // Complete matches never fill.
                                           Case{"##-", "12", All, false, "12", ""},
                                           // Repeated copies of a literal right after the text belong to
                                           // the fill, but a run of literals stops at any repetition.
                                           Case{"*3-x", "", P, true, "", "---x"},
                                           Case{"*3-x", "-", P, true, "-", "--x"},
                                           Case{"a*3-", "", P, true, "", "a"},
                                           Case{"#*0[b]c", "1", P, true, "1", "c"},
                                           Case{"a*0[b]c", "", P, true, "", "a"}));

// Alternatives: the first that fits in written order wins; fill only where the text reached into it.
INSTANTIATE_TEST_SUITE_P(
    Alternatives, MatchCases,
    ::testing::Values(
        Case{"{Yes,No}", "y", P | CI, true, "Y", "es"}, Case{"{Yes,No}", "yes", CI, true, "Yes", ""},
        Case{"{Yes,No}", "y", CI, false, "y", ""}, Case{"{Yes,No}", "n", P | All, true, "N", "o"},
        Case{"{Auto,Automobile,Car}", "a", P | All, true, "A", "uto"},
        Case{"{Auto,Automobile,Car}", "autom", P | All, true, "Autom", "obile"},
        Case{"{Auto,Automobile,Car}", "automobile", All, true, "Automobile", ""},
        Case{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", "g", P | All, true, "G", "r"},
        Case{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", "gre", P | All, true, "Gre", "en"},
        Case{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", "b", P | All, true, "B", ""},
        Case{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", "bla", P | All, true, "Bla", "ck"},
        Case{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", "blue", All, true, "Blue", ""},
        Case{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", "pink", P | All, false, "pink", ""},
        Case{"{,0,1,2}", "", None, true, "", ""}, Case{"{,0,1,2}", "2", None, true, "2", ""},
        Case{"{,0,1,2}", "3", None, false, "3", ""}, Case{"{,0,1,2}", "01", None, false, "01", ""},
        // An alternative that fits its own characters but not the rest is abandoned.
        Case{"{a,ab}c", "abc", None, true, "abc", ""},
        // Commas nested in an optional part of an alternative are literals.
        Case{"{[x,y]z,w}", "x,yz", None, true, "x,yz", ""},
        // A group without alternatives never matches a character.
        Case{"{}", "", None, false, "", ""}, Case{"{}a", "a", P, false, "a", ""}));

// Repetitions: counts, any number (the shortest pieces, never given back).
INSTANTIATE_TEST_SUITE_P(
    Repetition, MatchCases,
    ::testing::Values(
        Case{"&*?", "john", CC, true, "John", ""}, Case{"&*?", "j0hn", CC, false, "j0hn", ""},
        Case{"*!", "123abc", CC, true, "123ABC", ""}, Case{"*!", "12-ab", CC, false, "12-ab", ""},
        Case{"*5{#}", "12345", None, true, "12345", ""}, Case{"*5{#}", "1234", None, false, "1234", ""},
        Case{"*5{#}", "123456", None, false, "123456", ""}, Case{"*5{#}", "1234", P, true, "1234", ""},
        Case{"*5{#}", "", None, false, "", ""}, Case{"*12#", "123456789012", None, true, "123456789012", ""},
        Case{"*#", "", None, true, "", ""},
        // Never given back: the repetition eats the digit the rest needs.
        Case{"*##", "12", None, false, "12", ""},
        // A piece is the shortest that matches the element alone: "a", and then
        // nothing fits "bab".
        Case{"*{a,ab}", "abab", None, false, "abab", ""}, Case{"*{ab,a}", "aaa", None, true, "aaa", ""},
        // A repeated element that the text only begins.
        Case{"*{ab}c", "aba", P, true, "aba", "b"},
        // Any number may go on after the text: nothing after it is proposed.
        Case{"*#.", "1", P, true, "1", ""}, Case{"*{ab}c", "a", P, true, "a", "b"},
        Case{"*#.", "1.", P, true, "1.", ""}, Case{"*#.##", "12.3", None, false, "12.3", ""},
        Case{"*#.##", "12.34", None, true, "12.34", ""},
        // A repetition without an element in its own part repeats nothing.
        Case{"#*5", "1", None, true, "1", ""}, Case{"#*5", "12", None, false, "12", ""},
        Case{"[#*]", "", None, true, "", ""}, Case{"[#*]", "1", None, true, "1", ""},
        Case{"[#*]a", "1aa", None, false, "1aa", ""}, Case{"**5#", "51", None, true, "51", ""}));

// Literals, escapes and case.
INSTANTIATE_TEST_SUITE_P(
    LiteralsAndCase, MatchCases,
    ::testing::Values(Case{"\\#\\[", "#[", None, true, "#[", ""}, Case{"\\#\\[", "1[", None, false, "1[", ""},
                      Case{"\\#\\[", "#", P, true, "#", "["}, Case{"Y", "y", None, false, "y", ""},
                      Case{"Y", "y", CI, true, "Y", ""}, Case{"Yes", "yEs", CI, true, "Yes", ""},
                      Case{"&", "a", None, true, "a", ""}, Case{"&", "a", CC, true, "A", ""},
                      Case{"~", "Q", CC, true, "q", ""}, Case{"!_", "aB", CC, true, "Ab", ""},
                      Case{"&&", "ab1", CC, false, "ab1", ""}, Case{"?", "1", None, false, "1", ""},
                      Case{"@", "-", None, false, "-", ""}, Case{"@@", "a1", None, true, "a1", ""},
                      Case{"#", "a", None, false, "a", ""}, Case{"?", "\u00e9", None, true, "\u00e9", ""},
                      Case{"&", "\u00e9", CC, true, "\u00c9", ""},
                      // Upper case of the sharp s would be two letters: it stays.
                      Case{"&", "\u00df", CC, true, "\u00df", ""},
                      // Fill is the picture's own characters.
                      Case{"a-B", "A", P | CI, true, "a", "-B"},
                      // A malformed picture matches nothing and leaves the text alone.
                      Case{"{a,}", "a", All, false, "a", ""}, Case{"", "", None, true, "", ""},
                      Case{"", "x", P, false, "x", ""}));

TEST(PictureCase, FollowsTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    String text = "i";
    String fill;
    const bool ok = MatchPicture("&", text, fill, false, true, false);
    QLocale::setDefault(saved);
    EXPECT_TRUE(ok);
    EXPECT_EQ(text, QString(u'\u0130')); // dotted capital I
}

struct SyntaxCase {
    const char* picture;
    bool ok;
};

class SyntaxCases : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(SyntaxCases, Check) {
    EXPECT_EQ(CheckPictureSyntax(QString::fromUtf8(GetParam().picture)), GetParam().ok) << GetParam().picture;
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, SyntaxCases,
    ::testing::Values(SyntaxCase{"{a,b}", true}, SyntaxCase{"[#]", true}, SyntaxCase{"", true},
                      SyntaxCase{"{a,}", false}, SyntaxCase{"{a*}", false}, SyntaxCase{"[#", false},
                      SyntaxCase{"#]", false}, SyntaxCase{"{[}]", false}, SyntaxCase{"abc\\", false},
                      SyntaxCase{"##*", false}, SyntaxCase{"#*5", true}, SyntaxCase{"[#*]", true},
                      SyntaxCase{"{a\\,}", true}, SyntaxCase{"a\\,", true}, SyntaxCase{"a,", false},
                      SyntaxCase{"{a*,b}", true}, SyntaxCase{"}", false}, SyntaxCase{"{}", true},
                      SyntaxCase{"\\\\", true},
                      SyntaxCase{"{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}", true}));

TEST(DateOrder, FirstDateLetterDecides) {
    EXPECT_EQ(DateOrderOf("yyyy-MM-dd"), 2);
    EXPECT_EQ(DateOrderOf("M/d/yy"), 0);
    EXPECT_EQ(DateOrderOf("dd.MM.yyyy"), 1);
    EXPECT_EQ(DateOrderOf(""), 1);
    EXPECT_EQ(DateOrderOf("ee/mm/dd"), 2);
    EXPECT_EQ(DateOrderOf("%1 x"), 1);
}

// The date and time pictures follow the format settings, fixed here.
class DateTimePictures : public ::testing::Test {
protected:
    void SetUp() override { saved_ = FormatSettings; }
    void TearDown() override { FormatSettings = saved_; }

    static bool Complete(const String& picture, String text) {
        String fill;
        return MatchPicture(picture, text, fill, false, true, true);
    }

    const String month = "{0{1,2,3,4,5,6,7,8,9},1{,0,1,2},2,3,4,5,6,7,8,9}";
    const String day = "{0{1,2,3,4,5,6,7,8,9},1[#],2[#],3[{0,1}]}";

private:
    TFormatSettings saved_;
};

TEST_F(DateTimePictures, DayFirstDate) {
    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings.DateSeparator = u'/';
    const String picture = DatePicture(true);
    EXPECT_EQ(picture, day + "/" + month + "/####");
    EXPECT_TRUE(CheckPictureSyntax(picture));
    for (const char* good : {"31/12/2001", "1/1/2001", "09/09/1999", "30/10/2000", "2/3/2004"})
        EXPECT_TRUE(Complete(picture, good)) << good;
    for (const char* bad : {"32/01/2001", "4/01/2001", "01/13/2001", "00/01/2001", "1/1/01"})
        EXPECT_FALSE(Complete(picture, bad)) << bad;
}

TEST_F(DateTimePictures, OrderAndSeparator) {
    FormatSettings.ShortDateFormat = "M/d/yy";
    FormatSettings.DateSeparator = u'-';
    EXPECT_EQ(DatePicture(false), month + "-" + day + "-##");
    EXPECT_TRUE(Complete(DatePicture(false), "12-31-01"));
    FormatSettings.ShortDateFormat = "yyyy.MM.dd";
    FormatSettings.DateSeparator = u'.';
    EXPECT_EQ(DatePicture(true), "####." + month + "." + day);
    EXPECT_TRUE(Complete(DatePicture(true), "2001.12.31"));
    // A separator that is a character of the picture language stands for itself.
    FormatSettings.DateSeparator = u'#';
    EXPECT_TRUE(CheckPictureSyntax(DatePicture(true)));
    EXPECT_TRUE(Complete(DatePicture(true), "2001#12#31"));
    EXPECT_FALSE(Complete(DatePicture(true), "2001112131"));
}

TEST_F(DateTimePictures, Time) {
    FormatSettings.TimeSeparator = u':';
    const String hour = "{#,{0{,#},1#,2{0,1,2,3}}}";
    const String minute = "{#,{0,1,2,3,4,5}#}";
    EXPECT_EQ(TimePicture(false), hour + ":" + minute);
    EXPECT_EQ(TimePicture(true), hour + ":" + minute + ":" + minute);
    for (const char* h : {"7", "07", "19", "23", "0", "00"})
        EXPECT_TRUE(Complete(hour, h)) << h;
    for (const char* h : {"24", "30", "123", ""})
        EXPECT_FALSE(Complete(hour, h)) << h;
    for (const char* m : {"5", "05", "59"})
        EXPECT_TRUE(Complete(minute, m)) << m;
    for (const char* m : {"60", "99"})
        EXPECT_FALSE(Complete(minute, m)) << m;
    EXPECT_TRUE(Complete(TimePicture(true), "23:59:59"));
    EXPECT_FALSE(Complete(TimePicture(true), "23:60:59"));
    FormatSettings.TimeSeparator = u'.';
    EXPECT_TRUE(Complete(TimePicture(false), "12.30"));
}

} // namespace
