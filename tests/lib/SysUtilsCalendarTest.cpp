#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

TDateTime D(Word y, Word m, Word d) {
    return EncodeDate(y, m, d);
}
TDateTime DT(Word y, Word m, Word d, Word h, Word n = 0) {
    return ComposeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, 0, 0));
}

std::string Show(TDateTime t) {
    return QString::number(t.Val, 'f', 6).toStdString();
}

// The clock stands at 15 May 2026 and the century window at its first value in every test.
class MoxCalendar : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(std::make_shared<TFixedClock>(DT(2026, 5, 15, 10)));
        SetCenturyWindow(60);
    }
    void TearDown() override {
        ResetClock();
        SetCenturyWindow(60);
    }
};

TEST_F(MoxCalendar, DaysPerMonthFollowsTheGregorianLeapRule) {
    struct {
        int y, m, days;
    } cases[] = {{2000, 2, 29}, {1900, 2, 28}, {2024, 2, 29},  {2023, 2, 28}, {2100, 2, 28}, {2400, 2, 29},
                 {2001, 1, 31}, {2001, 4, 30}, {2001, 12, 31}, {2001, 0, 0},  {2001, 13, 0}, {2001, -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DaysPerMonth(c.y, c.m), c.days) << c.y << "-" << c.m;
}

TEST_F(MoxCalendar, ValidDatesAndTimes) {
    struct {
        Word y, m, d;
        bool valid;
    } dates[] = {{2024, 2, 29, true}, {2023, 2, 29, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
                 {1, 1, 1, true},     {9999, 12, 31, true}, {0, 1, 1, false},     {10000, 1, 1, false},
                 {2024, 0, 1, false}, {2024, 13, 1, false}, {2024, 4, 31, false}, {2024, 4, 0, false}};
    for (const auto& c : dates)
        EXPECT_EQ(IsValidDate(c.y, c.m, c.d), c.valid) << c.y << "-" << c.m << "-" << c.d;
    struct {
        Word h, n, s, z;
        bool valid;
    } times[] = {{0, 0, 0, 0, true},   {23, 59, 59, 999, true}, {24, 0, 0, 0, false},   {0, 60, 0, 0, false},
                 {0, 0, 60, 0, false}, {0, 0, 0, 1000, false},  {65535, 0, 0, 0, false}};
    for (const auto& c : times)
        EXPECT_EQ(IsValidTime(c.h, c.n, c.s, c.z), c.valid) << c.h << ":" << c.n << ":" << c.s << "." << c.z;
}

TEST_F(MoxCalendar, MonthBoundsDropTheTime) {
    struct {
        TDateTime date, first, last;
    } cases[] = {{DT(2024, 2, 15, 12), D(2024, 2, 1), D(2024, 2, 29)},
                 {DT(2023, 2, 28, 23), D(2023, 2, 1), D(2023, 2, 28)},
                 {D(2025, 12, 31), D(2025, 12, 1), D(2025, 12, 31)},
                 {DT(1899, 12, 29, 6), D(1899, 12, 1), D(1899, 12, 31)}};
    for (const auto& c : cases) {
        EXPECT_EQ(FirstDayOfMonth(c.date).Val, c.first.Val) << Show(c.date);
        EXPECT_EQ(LastDayOfMonth(c.date).Val, c.last.Val) << Show(c.date);
    }
    EXPECT_EQ(MonthStart(2024, 3).Val, D(2024, 3, 1).Val);
    EXPECT_THROW(MonthStart(2024, 13), EConvertError);
    EXPECT_THROW(MonthStart(0, 1), EConvertError);
}

TEST_F(MoxCalendar, ExtractParts) {
    const TDateTime date = DT(2024, 2, 29, 18, 30);
    EXPECT_EQ(ExtractDay(date), 29);
    EXPECT_EQ(ExtractMonth(date), 2);
    EXPECT_EQ(ExtractYear(date), 2024);
    // 23:59 must not round into the next day.
    EXPECT_EQ(ExtractDay(DT(2024, 12, 31, 23, 59)), 31);
    EXPECT_EQ(ExtractYear(DT(2024, 12, 31, 23, 59)), 2024);
}

TEST_F(MoxCalendar, IncDateAcrossMonthEndsYearsAndLeapDays) {
    struct {
        TDateTime date;
        int days, months, years;
        TDateTime expected;
    } cases[] = {
        {D(2001, 3, 31), 0, -1, 0, D(2001, 2, 28)},
        {D(2004, 1, 31), 0, 1, 0, D(2004, 2, 29)},
        {D(2026, 5, 15), 0, -17, 0, D(2024, 12, 15)},
        {D(2001, 1, 15), 0, -1, 0, D(2000, 12, 15)},
        {D(2000, 12, 31), 0, 2, 0, D(2001, 2, 28)},
        {D(2001, 1, 15), 0, -12, 0, D(2000, 1, 15)},
        {D(2001, 1, 15), 0, -13, 0, D(1999, 12, 15)},
        {D(2001, 12, 15), 0, 11, 0, D(2002, 11, 15)},
        {D(2001, 1, 15), 0, -11, 0, D(2000, 2, 15)},
        {D(2001, 6, 30), 0, 12, 0, D(2002, 6, 30)},
        {D(2001, 6, 30), 0, 25, 0, D(2003, 7, 30)},
        {D(2000, 2, 29), 0, 12, 0, D(2001, 2, 28)},
        {D(2000, 2, 29), 0, 0, 4, D(2004, 2, 29)},
        {D(2000, 2, 29), 0, 0, -100, D(1900, 2, 28)},
        // The day is capped first, then the days are added.
        {D(2001, 1, 31), 1, 1, 0, D(2001, 3, 1)},
        {D(2024, 2, 28), 1, 0, 0, D(2024, 2, 29)},
        {D(2024, 12, 31), 1, 0, 0, D(2025, 1, 1)},
        {D(2024, 3, 1), -1, 0, 0, D(2024, 2, 29)},
        // The time of day stays.
        {DT(2001, 1, 31, 18), 0, 1, 0, DT(2001, 2, 28, 18)},
        // Before 30 December 1899 the fraction counts the other way; the time of day still stays.
        {DT(1899, 12, 29, 6), 0, 1, 0, DT(1900, 1, 29, 6)},
        {DT(1900, 1, 29, 6), 0, -1, 0, DT(1899, 12, 29, 6)},
    };
    for (const auto& c : cases) {
        const TDateTime got = IncDate(c.date, c.days, c.months, c.years);
        EXPECT_NEAR(got.Val, c.expected.Val, 1e-9)
            << Show(c.date) << " " << c.days << "d " << c.months << "m " << c.years << "y gave " << Show(got);
    }
    EXPECT_EQ(IncMonth(D(2001, 3, 31), -1).Val, D(2001, 2, 28).Val);
    EXPECT_THROW(IncDate(D(9999, 12, 1), 0, 1, 0), EConvertError);
    EXPECT_THROW(IncDate(D(1, 1, 1), 0, -1, 0), EConvertError);
}

TEST_F(MoxCalendar, IncDayKeepsTheTimeOfDayOnBothSidesOfTheEpoch) {
    struct {
        TDateTime date;
        int days;
        TDateTime expected;
    } cases[] = {
        {DT(2024, 2, 28, 12), 1, DT(2024, 2, 29, 12)},  {DT(2024, 2, 28, 12), 2, DT(2024, 3, 1, 12)},
        {DT(1899, 12, 29, 6), 1, DT(1899, 12, 30, 6)}, // -1.25 becomes 0.25
        {DT(1899, 12, 30, 6), -1, DT(1899, 12, 29, 6)}, {DT(1899, 12, 31, 18), -3, DT(1899, 12, 28, 18)},
        {TDateTime(-0.5), 1, DT(1899, 12, 31, 12)}, // -0.5 is noon of the epoch day
    };
    for (const auto& c : cases)
        EXPECT_NEAR(IncDay(c.date, c.days).Val, c.expected.Val, 1e-9) << Show(c.date) << " + " << c.days;
}

TEST_F(MoxCalendar, CurrentYearAndExpandYearFollowTheClock) {
    EXPECT_EQ(CurrentYear(), 2026);
    struct {
        int year, expanded;
    } cases[] = {{99, 1999}, {65, 2065}, {66, 1966},   {30, 2030},  {70, 1970},
                 {0, 2000},  {100, 100}, {2026, 2026}, {1850, 1850}};
    for (const auto& c : cases)
        EXPECT_EQ(ExpandYear(c.year), c.expanded) << c.year;

    SetClock(std::make_shared<TFixedClock>(D(2000, 1, 1)));
    EXPECT_EQ(ExpandYear(39), 2039);
    EXPECT_EQ(ExpandYear(40), 1940);

    // Without a window two-digit years stay in the current century.
    SetCenturyWindow(0);
    EXPECT_EQ(CenturyWindow(), 0);
    EXPECT_EQ(ExpandYear(99), 2099);
    EXPECT_EQ(ExpandYear(5), 2005);
}

} // namespace
