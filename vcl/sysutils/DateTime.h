#pragma once
// Calendar arithmetic on the date-time number, and its conversions to and from Qt's date types.
#include "vcl/System.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

// Days in each month, for common years [0] and leap years [1]; months indexed from 0.
inline constexpr Word MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                          {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

bool IsLeapYear(Word year);

// Years 1..9999. The Try forms report an invalid date or time instead of raising EConvertError.
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
TDateTime EncodeDate(Word year, Word month, Word day);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);

// The date part is the whole number of days (toward zero), the time part the fraction's magnitude:
// -1.25 is 29 December 1899, 06:00.
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
// A date plus a time of day; before 30 December 1899 the time is subtracted, as the number demands.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// 1 = Sunday ... 7 = Saturday.
Word DayOfWeek(TDateTime date);

// The current moment, today (no time) and the time of day (no date), from the clock (vcl/sysutils/Clock.h).
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Qt's values; an invalid QDate or QTime raises EConvertError. A QDateTime is taken in local time.
QDate DateTimeToQDate(TDateTime value);
QTime DateTimeToQTime(TDateTime value);
QDateTime DateTimeToQDateTime(TDateTime value);
TDateTime QDateToDateTime(const QDate& date);
TDateTime QTimeToDateTime(const QTime& time);
TDateTime QDateTimeToDateTime(const QDateTime& dateTime);
