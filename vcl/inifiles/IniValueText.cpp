#include "vcl/inifiles/IniValueText.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <cmath>

namespace {

const QDate& DateOrigin() {
    static const QDate origin(1899, 12, 30);
    return origin;
}

// Splits a date-time number into its calendar day and milliseconds of the day. Before the origin
// the number is the day minus the time, as the platform counts it.
void SplitDateTime(double value, QDate& date, int& msecs) {
    double day = std::trunc(value);
    double fraction = std::fabs(value - day);
    long long ms = std::llround(fraction * MSecsPerDay);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        day += 1;
    }
    date = DateOrigin().addDays(qint64(day));
    msecs = int(ms);
}

double JoinDateTime(const QDate& date, const QTime& time) {
    const double day = date.isValid() ? double(DateOrigin().daysTo(date)) : 0.0;
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / double(MSecsPerDay) : 0.0;
    return day >= 0 ? day + fraction : day - fraction;
}

String TimeText(int msecs) {
    const QTime time = QTime::fromMSecsSinceStartOfDay(msecs);
    return time.toString(time.msec() ? QStringLiteral("hh:mm:ss.zzz") : QStringLiteral("hh:mm:ss"));
}

bool ParseDate(const String& text, QDate& date) {
    date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return date.isValid();
}

bool ParseTime(const String& text, QTime& time) {
    for (const char* format : {"hh:mm:ss.zzz", "hh:mm:ss", "hh:mm"}) {
        time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid()) return true;
    }
    return false;
}

int HexDigit(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

} // namespace

bool TryIniTextToInt(const String& Text, int& Value) {
    const String s = Text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    // Hexadecimal covers the 32 bits without sign; decimal the signed range.
    const qint64 limit = hex ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    qint64 magnitude = 0;
    for (; i < s.size(); ++i) {
        const int digit = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i].unicode() - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > limit) return false;
    }
    const qint64 signedValue = negative ? -magnitude : magnitude;
    Value = int(std::uint32_t(std::uint64_t(signedValue)));
    return true;
}

String IniIntToText(int Value) {
    return QString::number(Value);
}

bool TryIniTextToFloat(const String& Text, double& Value) {
    bool ok = false;
    const double v = QLocale::c().toDouble(Text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

String IniFloatToText(double Value) {
    return QString::number(Value, 'g', QLocale::FloatingPointShortest);
}

String IniDateToText(TDateTime Value) {
    QDate date;
    int msecs = 0;
    SplitDateTime(Value, date, msecs);
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

String IniTimeToText(TDateTime Value) {
    QDate date;
    int msecs = 0;
    SplitDateTime(Value, date, msecs);
    return TimeText(msecs);
}

String IniDateTimeToText(TDateTime Value) {
    QDate date;
    int msecs = 0;
    SplitDateTime(Value, date, msecs);
    return date.toString(QStringLiteral("yyyy-MM-dd")) + ' ' + TimeText(msecs);
}

bool TryIniTextToDate(const String& Text, TDateTime& Value) {
    QDate date;
    if (!ParseDate(Text.trimmed(), date)) return false;
    Value = JoinDateTime(date, QTime());
    return true;
}

bool TryIniTextToTime(const String& Text, TDateTime& Value) {
    QTime time;
    if (!ParseTime(Text.trimmed(), time)) return false;
    Value = JoinDateTime(QDate(), time);
    return true;
}

bool TryIniTextToDateTime(const String& Text, TDateTime& Value) {
    const String s = Text.trimmed();
    QDate date;
    QTime time;
    qsizetype split = s.indexOf(QLatin1Char(' '));
    if (split < 0) split = s.indexOf(QLatin1Char('T'));
    if (split > 0) {
        if (!ParseDate(s.left(split), date) || !ParseTime(s.mid(split + 1).trimmed(), time)) return false;
    } else if (!ParseDate(s, date) && !ParseTime(s, time)) {
        return false;
    }
    Value = JoinDateTime(date, time);
    return true;
}
