#include <gtest/gtest.h>

#include "FixedFormatSettings.h"
#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

class DateText : public mox::test::FixedFormatSettings {};

TDateTime At(Word y, Word m, Word d, Word h = 0, Word n = 0, Word s = 0, Word z = 0) {
    return ComposeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, s, z));
}

TEST_F(DateText, FormatDateTimePictures) {
    const TDateTime t = At(2024, 3, 5, 14, 7, 9, 45); // a Tuesday
    struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"d/m/yy", "5/3/24"},
        {"dd/mm/yyyy", "05/03/2024"},
        {"ddd dddd", "Tue Tuesday"},
        {"mmm mmmm", "Mar March"},
        {"ddddd", "3/5/2024"},
        {"dddddd", "Tuesday, March 5, 2024"},
        {"h:n:s", "14:7:9"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"z", "45"},
        {"hh:mm", "14:07"}, // m after an hour is the minute
        {"mm hh mm", "03 14 07"},
        {"h:nn am/pm", "2:07 pm"},
        {"h:nn AM/PM", "2:07 PM"},
        {"h:nn a/p", "2:07 p"},
        {"h:nn A/P", "2:07 P"},
        {"h:nn ampm", "2:07 PM"},
        {"t", "2:07 PM"},
        {"tt", "2:07:09 PM"},
        {"c", "3/5/2024 2:07:09 PM"},
        {"YYYY-MM-DD", "2024-03-05"},
        {"'day' d \"of\" mmmm", "day 5 of March"},
        {"yyyy/mm/dd", "2024/03/05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, t), c.text) << c.format;
    FormatSettings.DateSeparator = u'-';
    FormatSettings.TimeSeparator = u'.';
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", t), "2024-03-05 14.07");
}

TEST_F(DateText, MidnightNoonAndTheEpoch) {
    EXPECT_EQ(FormatDateTime("h:nn am/pm", At(2024, 1, 1, 0, 0)), "12:00 am");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", At(2024, 1, 1, 12, 0)), "12:00 pm");
    EXPECT_EQ(FormatDateTime("hh:nn", At(2024, 1, 1, 0, 0)), "00:00");
    EXPECT_EQ(DateTimeToStr(At(2024, 1, 1)), "1/1/2024"); // midnight: the date alone
    EXPECT_EQ(DateTimeToStr(At(2024, 1, 1, 0, 0, 1)), "1/1/2024 12:00:01 AM");
    EXPECT_EQ(DateToStr(0), "12/30/1899");
    EXPECT_EQ(TimeToStr(0.75), "6:00:00 PM");
    EXPECT_EQ(DateTimeToStr(-1.25), "12/29/1899 6:00:00 AM");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", EncodeDate(1, 1, 1)), "0001-01-01");
}

struct DateParseCase {
    const char* shortDateFormat;
    const char* text;
    bool valid;
    Word y, m, d;
};

TEST_F(DateText, StrToDateFollowsTheShortDateOrder) {
    // "Now" is 15 June 2024; the century window of 50 years maps two-digit years onto 1974..2073.
    const DateParseCase cases[] = {
        {"m/d/yyyy", "3/5/2024", true, 2024, 3, 5},
        {"m/d/yyyy", " 03 / 05 / 2024 ", true, 2024, 3, 5},
        {"d/m/yyyy", "3/5/2024", true, 2024, 5, 3},
        {"yyyy/m/d", "2024/3/5", true, 2024, 3, 5},
        {"m/d/yyyy", "3/5", true, 2024, 3, 5},
        {"d/m/yyyy", "3/5", true, 2024, 5, 3},
        {"yyyy/m/d", "3/5", true, 2024, 3, 5},
        {"m/d/yy", "1/1/74", true, 1974, 1, 1},
        {"m/d/yy", "1/1/73", true, 2073, 1, 1},
        {"m/d/yy", "1/1/24", true, 2024, 1, 1},
        {"m/d/yy", "1/1/0024", true, 24, 1, 1}, // four digits are taken as written
        {"m/d/yyyy", "2/29/2024", true, 2024, 2, 29},
        {"m/d/yyyy", "2/29/2023", false, 0, 0, 0},
        {"m/d/yyyy", "13/1/2024", false, 0, 0, 0},
        {"m/d/yyyy", "3", false, 0, 0, 0},
        {"m/d/yyyy", "3/5/", false, 0, 0, 0},
        {"m/d/yyyy", "3/5/2024/1", false, 0, 0, 0},
        {"m/d/yyyy", "3-5-2024", false, 0, 0, 0},
        {"m/d/yyyy", "3/5/20245", false, 0, 0, 0},
        {"m/d/yyyy", "", false, 0, 0, 0},
        {"m/d/yyyy", "3/5/2024 10:00", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shortDateFormat) + " " + c.text);
        FormatSettings.ShortDateFormat = c.shortDateFormat;
        TDateTime v(-7);
        EXPECT_EQ(TryStrToDate(c.text, v), c.valid);
        if (c.valid) {
            EXPECT_EQ(v.Val, EncodeDate(c.y, c.m, c.d).Val);
        } else {
            EXPECT_EQ(v.Val, -7);
            try {
                StrToDate(c.text);
                ADD_FAILURE();
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), QString("'%1' is not a valid date").arg(c.text));
            }
        }
    }
}

TEST_F(DateText, TheCenturyWindowMovesWithTheClock) {
    FormatSettings.ShortDateFormat = "m/d/yy";
    clock_->SetNow(EncodeDate(2090, 1, 1)); // the window is now 2040..2139
    EXPECT_EQ(StrToDate("1/1/39").Val, EncodeDate(2139, 1, 1).Val);
    EXPECT_EQ(StrToDate("1/1/40").Val, EncodeDate(2040, 1, 1).Val);
    FormatSettings.TwoDigitYearCenturyWindow = 0; // no window: the current century
    EXPECT_EQ(StrToDate("1/1/39").Val, EncodeDate(2039, 1, 1).Val);
    EXPECT_EQ(StrToDate("1/5").Val, EncodeDate(2090, 1, 5).Val);
}

TEST_F(DateText, StrToTimeReadsTwelveAndTwentyFourHourTimes) {
    struct {
        const char* text;
        bool valid;
        Word h, n, s, z;
    } cases[] = {
        {"10:30", true, 10, 30, 0, 0},
        {"10:30:15", true, 10, 30, 15, 0},
        {"10:30:15.5", true, 10, 30, 15, 500},
        {"0:00", true, 0, 0, 0, 0},
        {"23:59:59.999", true, 23, 59, 59, 999},
        {"12:00 AM", true, 0, 0, 0, 0},
        {"12:00 PM", true, 12, 0, 0, 0},
        {"1:15 pm", true, 13, 15, 0, 0},
        {"3 PM", true, 15, 0, 0, 0},
        {"11:00 a", true, 11, 0, 0, 0},
        {"AM 9:05", true, 9, 5, 0, 0},
        {"24:00", false, 0, 0, 0, 0},
        {"10:60", false, 0, 0, 0, 0},
        {"13:00 PM", false, 0, 0, 0, 0},
        {"0:30 AM", false, 0, 0, 0, 0},
        {"10", false, 0, 0, 0, 0},
        {"10:", false, 0, 0, 0, 0},
        {"10:30 XM", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TDateTime v;
        EXPECT_EQ(TryStrToTime(c.text, v), c.valid);
        if (c.valid) {
            EXPECT_EQ(v.Val, EncodeTime(c.h, c.n, c.s, c.z).Val);
        }
        if (!c.valid) {
            try {
                StrToTime(c.text);
                ADD_FAILURE();
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), QString("'%1' is not a valid time").arg(c.text));
            }
        }
    }
}

TEST_F(DateText, StrToDateTimeTakesADateATimeOrBoth) {
    EXPECT_EQ(StrToDateTime("3/5/2024 2:07:09 PM").Val, At(2024, 3, 5, 14, 7, 9).Val);
    EXPECT_EQ(StrToDateTime("3/5/2024").Val, At(2024, 3, 5).Val);
    EXPECT_EQ(StrToDateTime("14:30").Val, EncodeTime(14, 30, 0, 0).Val);
    EXPECT_EQ(StrToDateTime("12/29/1899 6:00").Val, -1.25);
    try {
        StrToDateTime("3/5/2024 25:00");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'3/5/2024 25:00' is not a valid date and time");
    }
    EXPECT_EQ(StrToDateTimeDef("nonsense", 3).Val, 3);
    // What DateTimeToStr writes, StrToDateTime reads back.
    for (TDateTime t :
         {At(2024, 3, 5, 14, 7, 9), At(1999, 12, 31, 23, 59, 59), At(2000, 1, 1), At(1800, 6, 1, 6, 30)})
        EXPECT_EQ(StrToDateTime(DateTimeToStr(t)).Val, t.Val) << DateTimeToStr(t).toStdString();
    FormatSettings.ShortDateFormat = "dd.mm.yyyy";
    FormatSettings.DateSeparator = u'.';
    FormatSettings.LongTimeFormat = "hh:nn:ss";
    const TDateTime t = At(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(DateTimeToStr(t), "05.03.2024 14:07:09");
    EXPECT_EQ(StrToDateTime("05.03.2024 14:07:09").Val, t.Val);
}

} // namespace
