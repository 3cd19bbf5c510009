#include "vcl/sysutils/DateTime.h"

#include "vcl/sysutils/Clock.h"
#include "vcl/sysutils/Consts.h"

#include <cmath>

namespace {

// A date-time as whole days since 1 January 0001 (that day is 1) and milliseconds into the day.
struct TimeStamp {
    Int64 date;
    int time;
};

TimeStamp ToTimeStamp(TDateTime value) {
    if (!std::isfinite(value.Val) || std::fabs(value.Val) > 3.0e6)
        throw EConvertError(QString::fromLatin1(SysConsts::SDateEncodeError));
    const Int64 ms = std::llround(value.Val * MSecsPerDay);
    return {DateDelta + ms / MSecsPerDay, int(std::llabs(ms) % MSecsPerDay)};
}

// The civil date of a day count from 1 January 0001 = 1, for any count (years may leave 1..9999).
void CivilFromDays(Int64 days, Int64& year, int& month, int& day) {
    // Shift to days since 1 March 0000 so that the leap day ends each 4/100/400-year cycle.
    Int64 z = days + 305;
    const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
    const Int64 doe = z - era * 146097;
    const Int64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const Int64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const Int64 mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = yoe + era * 400 + (month <= 2 ? 1 : 0);
}

} // namespace

bool IsLeapYear(Word year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    if (day < 1 || day > MonthDays[IsLeapYear(year)][month - 1]) return false;
    int days = day;
    for (int m = 0; m < month - 1; ++m)
        days += MonthDays[IsLeapYear(year)][m];
    const int y = year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400;
    date = TDateTime(double(days - DateDelta));
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QString::fromLatin1(SysConsts::SDateEncodeError));
    return result;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) {
    if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
    time = TDateTime(double(((hour * 60 + min) * 60 + sec) * 1000 + msec) / MSecsPerDay);
    return true;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
    TDateTime result;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError(QString::fromLatin1(SysConsts::STimeEncodeError));
    return result;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
    const TimeStamp ts = ToTimeStamp(date);
    Int64 y = 0;
    int m = 0, d = 0;
    CivilFromDays(ts.date, y, m, d);
    if (y < 1 || y > 9999) {
        // Outside the calendar's years the platform reports zeros.
        year = month = day = 0;
        return;
    }
    year = Word(y);
    month = Word(m);
    day = Word(d);
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
    int ms = ToTimeStamp(time).time;
    msec = Word(ms % 1000);
    ms /= 1000;
    sec = Word(ms % 60);
    ms /= 60;
    min = Word(ms % 60);
    hour = Word(ms / 60);
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    const double day = std::trunc(date.Val), fraction = std::fabs(time.Val - std::trunc(time.Val));
    return TDateTime(day < 0 ? day - fraction : day + fraction);
}

Word DayOfWeek(TDateTime date) {
    const Int64 days = ToTimeStamp(date).date;
    return Word(((days % 7) + 7) % 7 + 1);
}

TDateTime Now() {
    return Clock()->Now();
}
TDateTime Date() {
    return TDateTime(std::trunc(Now().Val));
}
TDateTime Time() {
    const double now = Now().Val;
    return TDateTime(std::fabs(now - std::trunc(now)));
}

QDate DateTimeToQDate(TDateTime value) {
    Word y, m, d;
    DecodeDate(value, y, m, d);
    if (y == 0) throw EConvertError(QString::fromLatin1(SysConsts::SDateEncodeError));
    return QDate(y, m, d);
}

QTime DateTimeToQTime(TDateTime value) {
    return QTime::fromMSecsSinceStartOfDay(ToTimeStamp(value).time);
}

QDateTime DateTimeToQDateTime(TDateTime value) {
    return QDateTime(DateTimeToQDate(value), DateTimeToQTime(value));
}

TDateTime QDateToDateTime(const QDate& date) {
    if (!date.isValid()) throw EConvertError(QString::fromLatin1(SysConsts::SDateEncodeError));
    return EncodeDate(Word(date.year()), Word(date.month()), Word(date.day()));
}

TDateTime QTimeToDateTime(const QTime& time) {
    if (!time.isValid()) throw EConvertError(QString::fromLatin1(SysConsts::STimeEncodeError));
    return TDateTime(double(time.msecsSinceStartOfDay()) / MSecsPerDay);
}

TDateTime QDateTimeToDateTime(const QDateTime& dateTime) {
    const QDateTime local = dateTime.toLocalTime();
    return ComposeDateTime(QDateToDateTime(local.date()), QTimeToDateTime(local.time()));
}
