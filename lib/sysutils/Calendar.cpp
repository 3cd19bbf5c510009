// Calendar arithmetic on date-time numbers.
#include "lib/moxSysUtils.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

std::atomic<Byte> centuryWindow{60};

// The whole days and the time of day of a date-time number, as the number's sign rules split them.
double DayPart(TDateTime d) {
    return std::trunc(d.Val);
}
double TimePart(TDateTime d) {
    return std::fabs(d.Val - std::trunc(d.Val));
}

void SplitDate(TDateTime d, Word& y, Word& m, Word& day) {
    DecodeDate(TDateTime(DayPart(d)), y, m, day);
}

[[noreturn]] void RaiseDateError() {
    throw EConvertError(QString::fromLatin1(SysConsts::SDateEncodeError));
}

} // namespace

int DaysPerMonth(int AYear, int AMonth) {
    if (AMonth < 1 || AMonth > 12) return 0;
    const bool leap = AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0);
    return MonthDays[leap][AMonth - 1];
}

TDateTime MonthStart(int AYear, int AMonth) {
    if (AYear < 1 || AYear > 9999 || AMonth < 1 || AMonth > 12) RaiseDateError();
    return EncodeDate(Word(AYear), Word(AMonth), 1);
}

TDateTime FirstDayOfMonth(TDateTime ADate) {
    Word y, m, d;
    SplitDate(ADate, y, m, d);
    return EncodeDate(y, m, 1);
}

TDateTime LastDayOfMonth(TDateTime ADate) {
    Word y, m, d;
    SplitDate(ADate, y, m, d);
    return EncodeDate(y, m, Word(DaysPerMonth(y, m)));
}

bool IsValidDate(Word Y, Word M, Word D) {
    return Y >= 1 && Y <= 9999 && M >= 1 && M <= 12 && D >= 1 && D <= DaysPerMonth(Y, M);
}

bool IsValidTime(Word H, Word M, Word S, Word MS) {
    return H <= 23 && M <= 59 && S <= 59 && MS <= 999;
}

Word ExtractDay(TDateTime ADate) {
    Word y, m, d;
    SplitDate(ADate, y, m, d);
    return d;
}

Word ExtractMonth(TDateTime ADate) {
    Word y, m, d;
    SplitDate(ADate, y, m, d);
    return m;
}

Word ExtractYear(TDateTime ADate) {
    Word y, m, d;
    SplitDate(ADate, y, m, d);
    return y;
}

TDateTime IncDate(TDateTime ADate, int Days, int Months, int Years) {
    Word y0, m0, d0;
    SplitDate(ADate, y0, m0, d0);
    int month = m0 + Months % 12;
    int year = y0 + Years + Months / 12;
    if (month <= 0) {
        month += 12;
        --year;
    } else if (month > 12) {
        month -= 12;
        ++year;
    }
    const int day = std::min<int>(d0, DaysPerMonth(year, month));
    if (year < 1 || year > 9999) RaiseDateError();
    const TDateTime moved = EncodeDate(Word(year), Word(month), Word(day));
    return ComposeDateTime(TDateTime(moved.Val + Days), TDateTime(TimePart(ADate)));
}

TDateTime IncDay(TDateTime ADate, int Delta) {
    const double day = DayPart(ADate) + Delta;
    // Plain addition where the number's sign does not change the meaning of its fraction.
    if (ADate.Val >= 0 && day >= 0) return TDateTime(ADate.Val + Delta);
    return ComposeDateTime(TDateTime(day), TDateTime(TimePart(ADate)));
}

TDateTime IncMonth(TDateTime ADate, int Delta) {
    return IncDate(ADate, 0, Delta, 0);
}

Word CurrentYear() {
    return ExtractYear(Date());
}

int ExpandYear(int AYear) {
    if (AYear >= 100) return AYear;
    const int window = centuryWindow.load();
    const int start = int(CurrentYear()) - window;
    int result = AYear + (start / 100) * 100;
    if (window > 0 && result < start) result += 100;
    return result;
}

Byte CenturyWindow() {
    return centuryWindow.load();
}
void SetCenturyWindow(Byte Value) {
    centuryWindow.store(Value);
}
