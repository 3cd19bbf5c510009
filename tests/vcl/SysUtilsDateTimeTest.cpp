#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

struct DateCase {
    Word y, m, d;
    double serial;
};

// Known serial numbers: the epoch, days either side, leap days and the calendar's ends.
const DateCase dateCases[] = {
    {1899, 12, 30, 0},    {1899, 12, 31, 1},    {1899, 12, 29, -1},      {1900, 1, 1, 2},
    {1900, 3, 1, 61},     {2000, 2, 29, 36585}, {2000, 3, 1, 36586},     {2024, 2, 29, 45351},
    {1800, 1, 1, -36522}, {1, 1, 1, -693593},   {9999, 12, 31, 2958465}, {1970, 1, 1, 25569},
};

TEST(DateTime, EncodeAndDecodeKnownDates) {
    for (const auto& c : dateCases) {
        SCOPED_TRACE(QString("%1-%2-%3").arg(c.y).arg(c.m).arg(c.d).toStdString());
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d).Val, c.serial);
        Word y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(DateTime, InvalidDatesAndTimesRaise) {
    struct {
        Word y, m, d;
    } badDates[] = {{1900, 2, 29}, {2023, 2, 29}, {2024, 4, 31}, {0, 1, 1},
                    {10000, 1, 1}, {2024, 13, 1}, {2024, 0, 1},  {2024, 1, 0}};
    for (const auto& c : badDates) {
        TDateTime out(7);
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, out));
        EXPECT_EQ(out.Val, 7);
        try {
            EncodeDate(c.y, c.m, c.d);
            ADD_FAILURE() << c.y << "-" << c.m << "-" << c.d;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    struct {
        Word h, n, s, z;
    } badTimes[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
    for (const auto& c : badTimes) {
        TDateTime out;
        EXPECT_FALSE(TryEncodeTime(c.h, c.n, c.s, c.z, out));
        try {
            EncodeTime(c.h, c.n, c.s, c.z);
            ADD_FAILURE() << c.h << ":" << c.n << ":" << c.s << "." << c.z;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to time encode");
        }
    }
}

TEST(DateTime, TimesRoundTripToTheMillisecond) {
    struct {
        Word h, n, s, z;
        double value;
    } cases[] = {{0, 0, 0, 0, 0},     {12, 0, 0, 0, 0.5},    {6, 0, 0, 0, 0.25},
                 {18, 0, 0, 0, 0.75}, {23, 59, 59, 999, -1}, {0, 0, 0, 1, -1}};
    for (const auto& c : cases) {
        const TDateTime t = EncodeTime(c.h, c.n, c.s, c.z);
        if (c.value >= 0) {
            EXPECT_EQ(t.Val, c.value);
        }
        Word h, n, s, z;
        DecodeTime(t, h, n, s, z);
        EXPECT_EQ((std::vector<int>{h, n, s, z}), (std::vector<int>{c.h, c.n, c.s, c.z}));
    }
}

TEST(DateTime, NegativeValuesKeepTheTimeAsTheFractionsMagnitude) {
    // -1.25: one day before the epoch, at 06:00; -0.5: the epoch itself at noon.
    Word y, m, d, h, n, s, z;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n}), (std::vector<int>{1899, 12, 29, 6, 0}));
    DecodeDate(-0.5, y, m, d);
    DecodeTime(-0.5, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 30, 12}));
    EXPECT_EQ(ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)).Val, -1.25);
    EXPECT_EQ(ComposeDateTime(EncodeDate(1900, 1, 1), EncodeTime(6, 0, 0, 0)).Val, 2.25);
    // The last millisecond rounds into the next day rather than to "24:00".
    DecodeDate(0.99999999999, y, m, d);
    DecodeTime(0.99999999999, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{1899, 12, 31, 0, 0, 0, 0}));
}

TEST(DateTime, LeapYearsAndDayOfWeek) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(MonthDays[1][1], 29);
    EXPECT_EQ(MonthDays[0][1], 28);
    EXPECT_EQ(DayOfWeek(0), 7);                      // 30 December 1899 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1); // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);    // a Monday
    EXPECT_EQ(DayOfWeek(-1.75), 6);                  // 29 December 1899, a Friday
}

TEST(DateTime, ConvertsToAndFromQtTypes) {
    EXPECT_EQ(DateTimeToQDate(36585.75), QDate(2000, 2, 29));
    EXPECT_EQ(DateTimeToQTime(36585.75), QTime(18, 0));
    EXPECT_EQ(DateTimeToQDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(QDateToDateTime(QDate(1970, 1, 1)).Val, 25569);
    EXPECT_EQ(QTimeToDateTime(QTime(12, 0)).Val, 0.5);
    EXPECT_EQ(QDateTimeToDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))).Val, -1.25);
    EXPECT_THROW(QDateToDateTime(QDate()), EConvertError);
    EXPECT_THROW(QTimeToDateTime(QTime()), EConvertError);
}

class FixedClockTest : public ::testing::Test {
protected:
    void TearDown() override { ResetClock(); }
};

TEST_F(FixedClockTest, NowDateTimeAndTicksFollowTheReplacedClock) {
    auto clock = std::make_shared<TFixedClock>(
        ComposeDateTime(EncodeDate(2024, 2, 29), EncodeTime(23, 59, 0, 0)), 0xFFFFFFF0ull - 60000);
    SetClock(clock);
    EXPECT_EQ(Date().Val, EncodeDate(2024, 2, 29).Val);
    EXPECT_NEAR(Time().Val, EncodeTime(23, 59, 0, 0).Val, 1e-9);
    clock->Advance(60000 + 32);
    EXPECT_EQ(Date().Val, EncodeDate(2024, 3, 1).Val);
    EXPECT_EQ(GetTickCount64(), 0x100000010ull);
    EXPECT_EQ(GetTickCount(), 0x10u); // the 32-bit count wraps
    // Before 1899 the clock still moves forward: 29 December 1899 06:00 plus a day is the epoch, 06:00.
    clock->SetNow(-1.25);
    clock->Advance(MSecsPerDay);
    EXPECT_EQ(Now().Val, 0.25);
    clock->SetNow(-2.75);
    clock->Advance(MSecsPerDay / 2);
    EXPECT_EQ(Now().Val, -1.25);
    ResetClock();
    EXPECT_GT(Now().Val, EncodeDate(2020, 1, 1).Val);
    const UInt64 t0 = GetTickCount64();
    EXPECT_GE(GetTickCount64(), t0);
}

} // namespace
