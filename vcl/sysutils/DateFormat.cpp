// The date-time picture language.
#include "vcl/sysutils/DateText.h"

#include "vcl/sysutils/DateTime.h"

namespace {

struct Parts {
    Word year, month, day, hour, minute, second, msec, dayOfWeek;
};

bool StartsWithNoCase(const QString& s, qsizetype i, QLatin1String what) {
    return QStringView(s).mid(i, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// True when an am/pm marker follows position i: then hours count on a 12-hour clock.
bool TwelveHourAhead(const QString& f, qsizetype i) {
    QChar quote;
    for (; i < f.size(); ++i) {
        const QChar c = f[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'a' || c == u'A') {
            if (StartsWithNoCase(f, i, QLatin1String("am/pm")) ||
                StartsWithNoCase(f, i, QLatin1String("a/p")) || StartsWithNoCase(f, i, QLatin1String("ampm")))
                return true;
        }
    }
    return false;
}

class Writer {
public:
    Writer(TDateTime value, const TFormatSettings& fs) : value_(value), fs_(fs) {
        DecodeDate(value, p_.year, p_.month, p_.day);
        DecodeTime(value, p_.hour, p_.minute, p_.second, p_.msec);
        p_.dayOfWeek = DayOfWeek(value);
    }

    void Write(const QString& f, int depth) {
        // Pictures may name pictures (ddddd, c, t); two levels are all a sound picture needs.
        if (depth > 2) return;
        QChar last; // the last field letter, upper case: an "m" after an "h" means minutes
        qsizetype i = 0;
        while (i < f.size()) {
            const QChar c = f[i];
            const QChar u = c.toUpper();
            qsizetype run = 1;
            while (i + run < f.size() && f[i + run].toUpper() == u)
                ++run;
            if (c == u'"' || c == u'\'') {
                const qsizetype end = f.indexOf(c, i + 1);
                out_ += f.mid(i + 1, (end < 0 ? f.size() : end) - i - 1);
                i = end < 0 ? f.size() : end + 1;
                continue;
            }
            switch (u.unicode()) {
            case u'C':
                Write(fs_.ShortDateFormat, depth + 1);
                if (p_.hour || p_.minute || p_.second) {
                    out_ += u' ';
                    Write(fs_.LongTimeFormat, depth + 1);
                }
                i += 1;
                break;
            case u'D':
                run = qMin<qsizetype>(run, 6);
                switch (run) {
                case 1:
                    out_ += QString::number(p_.day);
                    break;
                case 2:
                    out_ += Two(p_.day);
                    break;
                case 3:
                    out_ += Name(fs_.ShortDayNames, p_.dayOfWeek, 7);
                    break;
                case 4:
                    out_ += Name(fs_.LongDayNames, p_.dayOfWeek, 7);
                    break;
                case 5:
                    Write(fs_.ShortDateFormat, depth + 1);
                    break;
                default:
                    Write(fs_.LongDateFormat, depth + 1);
                    break;
                }
                i += run;
                break;
            case u'M':
                run = qMin<qsizetype>(run, 4);
                if (last == u'H' && run <= 2) {
                    out_ += run == 1 ? QString::number(p_.minute) : Two(p_.minute);
                } else {
                    switch (run) {
                    case 1:
                        out_ += QString::number(p_.month);
                        break;
                    case 2:
                        out_ += Two(p_.month);
                        break;
                    case 3:
                        out_ += Name(fs_.ShortMonthNames, p_.month, 12);
                        break;
                    default:
                        out_ += Name(fs_.LongMonthNames, p_.month, 12);
                        break;
                    }
                }
                i += run;
                break;
            case u'Y':
                if (run <= 2)
                    out_ += Two(p_.year % 100);
                else
                    out_ += QString::number(p_.year).rightJustified(4, u'0');
                i += run;
                break;
            case u'H': {
                run = qMin<qsizetype>(run, 2);
                int h = p_.hour;
                if (TwelveHourAhead(f, i)) h = h % 12 == 0 ? 12 : h % 12;
                out_ += run == 1 ? QString::number(h) : Two(h);
                i += run;
                break;
            }
            case u'N':
                run = qMin<qsizetype>(run, 2);
                out_ += run == 1 ? QString::number(p_.minute) : Two(p_.minute);
                i += run;
                break;
            case u'S':
                run = qMin<qsizetype>(run, 2);
                out_ += run == 1 ? QString::number(p_.second) : Two(p_.second);
                i += run;
                break;
            case u'Z':
                run = run >= 3 ? 3 : 1;
                out_ +=
                    run == 1 ? QString::number(p_.msec) : QString::number(p_.msec).rightJustified(3, u'0');
                i += run;
                break;
            case u'T':
                run = qMin<qsizetype>(run, 2);
                Write(run == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
                i += run;
                break;
            case u'A':
                run = AmPm(f, i);
                if (run == 0) {
                    out_ += c;
                    run = 1;
                }
                i += run;
                break;
            case u'/':
                out_ += fs_.DateSeparator;
                i += 1;
                continue;
            case u':':
                out_ += fs_.TimeSeparator;
                i += 1;
                continue;
            default:
                out_ += c;
                i += 1;
                continue; // a literal leaves the last field as it was
            }
            last = u;
        }
    }

    QString Result() const { return out_; }

private:
    // Dates outside the calendar's years decode to zeros and have no names.
    static QString Name(const QString* names, int oneBased, int count) {
        return oneBased >= 1 && oneBased <= count ? names[oneBased - 1] : QString();
    }
    static QString Two(int v) { return QString::number(v).rightJustified(2, u'0'); }

    // Writes the marker at i and returns its length, or 0 when none is there.
    qsizetype AmPm(const QString& f, qsizetype i) {
        const bool pm = p_.hour >= 12;
        if (StartsWithNoCase(f, i, QLatin1String("am/pm"))) {
            const QChar first = f[i + (pm ? 3 : 0)];
            const QString text = pm ? QStringLiteral("pm") : QStringLiteral("am");
            out_ += first.isUpper() ? text.toUpper() : text;
            return 5;
        }
        if (StartsWithNoCase(f, i, QLatin1String("a/p"))) {
            const QChar marker = f[i + (pm ? 2 : 0)];
            out_ += marker;
            return 3;
        }
        if (StartsWithNoCase(f, i, QLatin1String("ampm"))) {
            out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
            return 4;
        }
        return 0;
    }

    TDateTime value_;
    const TFormatSettings& fs_;
    Parts p_{};
    QString out_;
};

} // namespace

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& fs) {
    Writer w(value, fs);
    w.Write(format.isEmpty() ? QStringLiteral("c") : format, 0);
    return w.Result();
}

String FormatDateTime(const String& format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings);
}
String DateToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(QStringLiteral("ddddd"), value, fs);
}
String DateToStr(TDateTime value) {
    return DateToStr(value, FormatSettings);
}
String TimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(QStringLiteral("tt"), value, fs);
}
String TimeToStr(TDateTime value) {
    return TimeToStr(value, FormatSettings);
}
String DateTimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(QStringLiteral("c"), value, fs);
}
String DateTimeToStr(TDateTime value) {
    return DateTimeToStr(value, FormatSettings);
}
