#pragma once
// A fixture that puts known format settings in place of the machine's and restores them after.
#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

namespace mox::test {

// The settings of a United States system, written out so that no locale data is involved.
inline TFormatSettings UsFormatSettings() {
    TFormatSettings fs;
    fs.CurrencyString = "$";
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 0;
    fs.ThousandSeparator = u',';
    fs.DecimalSeparator = u'.';
    fs.CurrencyDecimals = 2;
    fs.DateSeparator = u'/';
    fs.TimeSeparator = u':';
    fs.ListSeparator = u',';
    fs.ShortDateFormat = "m/d/yyyy";
    fs.LongDateFormat = "dddd, mmmm d, yyyy";
    fs.TimeAMString = "AM";
    fs.TimePMString = "PM";
    fs.ShortTimeFormat = "h:nn AMPM";
    fs.LongTimeFormat = "h:nn:ss AMPM";
    const char* shortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* longMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
    const char* shortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* longDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i) {
        fs.ShortMonthNames[i] = shortMonths[i];
        fs.LongMonthNames[i] = longMonths[i];
    }
    for (int i = 0; i < 7; ++i) {
        fs.ShortDayNames[i] = shortDays[i];
        fs.LongDayNames[i] = longDays[i];
    }
    fs.TwoDigitYearCenturyWindow = 50;
    return fs;
}

// Fixes the global settings to UsFormatSettings() and "now" to 15 June 2024 10:00 for each test.
class FixedFormatSettings : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = FormatSettings;
        FormatSettings = UsFormatSettings();
        clock_ = std::make_shared<TFixedClock>(EncodeDate(2024, 6, 15) + EncodeTime(10, 0, 0, 0).Val);
        SetClock(clock_);
    }
    void TearDown() override {
        FormatSettings = saved_;
        ResetClock();
    }
    std::shared_ptr<TFixedClock> clock_;

private:
    TFormatSettings saved_;
};

} // namespace mox::test
