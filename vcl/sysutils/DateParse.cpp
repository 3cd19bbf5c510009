// Reading dates and times in the order and with the separators of the format settings.
#include "vcl/sysutils/DateText.h"

#include "vcl/sysutils/Consts.h"
#include "vcl/sysutils/DateTime.h"

#include <cmath>

namespace {

enum class Order {
    MDY,
    DMY,
    YMD
};

Order DateOrder(const QString& shortDateFormat) {
    for (QChar c : shortDateFormat) {
        switch (c.toUpper().unicode()) {
        case u'D':
            return Order::DMY;
        case u'M':
            return Order::MDY;
        case u'Y':
            return Order::YMD;
        default:
            break;
        }
    }
    return Order::MDY;
}

class Scanner {
public:
    Scanner(const QString& s, const TFormatSettings& fs) : s_(s), fs_(fs) {}

    bool AtEnd() {
        SkipBlanks();
        return i_ >= s_.size();
    }
    qsizetype Position() const { return i_; }
    void SetPosition(qsizetype i) { i_ = i; }

    // Up to four digits after blanks; `digits` tells how many were read.
    bool Number(int& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (i_ < s_.size() && s_[i_] >= u'0' && s_[i_] <= u'9' && digits < 4) {
            value = value * 10 + (s_[i_++].unicode() - u'0');
            ++digits;
        }
        // More digits than a field holds make the text invalid.
        return digits > 0 && !(i_ < s_.size() && s_[i_] >= u'0' && s_[i_] <= u'9');
    }

    bool Char(QChar c) {
        SkipBlanks();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }

    bool Text(const QString& t) {
        SkipBlanks();
        if (t.isEmpty() || QStringView(s_).mid(i_, t.size()).compare(t, Qt::CaseInsensitive) != 0)
            return false;
        i_ += t.size();
        return true;
    }

    bool Date(TDateTime& result) {
        const qsizetype start = i_;
        int n[3] = {}, len[3] = {}, count = 0;
        if (!Number(n[0], len[0])) return Fail(start);
        for (count = 1; count < 3; ++count) {
            const qsizetype before = i_;
            if (!Char(fs_.DateSeparator)) break;
            if (!Number(n[count], len[count])) {
                // A separator with nothing after it belongs to no date.
                i_ = before;
                return Fail(start);
            }
        }
        if (count < 2) return Fail(start);
        int year = 0, month = 0, day = 0, yearDigits = 0;
        bool hasYear = count == 3;
        switch (DateOrder(fs_.ShortDateFormat)) {
        case Order::MDY:
            month = n[0], day = n[1], year = n[2], yearDigits = len[2];
            break;
        case Order::DMY:
            day = n[0], month = n[1], year = n[2], yearDigits = len[2];
            break;
        case Order::YMD:
            if (hasYear)
                year = n[0], yearDigits = len[0], month = n[1], day = n[2];
            else
                month = n[0], day = n[1];
            break;
        }
        const int currentYear = CurrentYear();
        if (!hasYear) {
            year = currentYear;
        } else if (yearDigits <= 2) {
            const int window = fs_.TwoDigitYearCenturyWindow;
            if (window > 0) {
                const int base = currentYear - window;
                year += base / 100 * 100;
                if (year < base) year += 100;
            } else {
                year += currentYear / 100 * 100;
            }
        }
        TDateTime d;
        if (year < 1 || year > 9999 || !TryEncodeDate(Word(year), Word(month), Word(day), d))
            return Fail(start);
        result = d;
        return true;
    }

    bool Time(TDateTime& result) {
        const qsizetype start = i_;
        int marker = AmPm(); // -1 none, 0 am, 12 pm
        int hour = 0, minute = 0, second = 0, msec = 0, digits = 0;
        if (!Number(hour, digits)) return Fail(start);
        bool fields = false;
        if (Char(fs_.TimeSeparator)) {
            if (!Number(minute, digits)) return Fail(start);
            fields = true;
            if (Char(fs_.TimeSeparator)) {
                if (!Number(second, digits)) return Fail(start);
                if (Char(fs_.DecimalSeparator)) {
                    if (!Number(msec, digits)) return Fail(start);
                    // ".5" is half a second.
                    for (int k = digits; k < 3; ++k)
                        msec *= 10;
                }
            }
        }
        if (marker < 0) marker = AmPm();
        // A lone number is a time only with a marker ("3 PM").
        if (!fields && marker < 0) return Fail(start);
        if (marker >= 0) {
            if (hour < 1 || hour > 12) return Fail(start);
            hour = hour % 12 + marker;
        }
        TDateTime t;
        if (!TryEncodeTime(Word(hour), Word(minute), Word(second), Word(msec), t)) return Fail(start);
        result = t;
        return true;
    }

private:
    void SkipBlanks() {
        while (i_ < s_.size() && s_[i_] == u' ')
            ++i_;
    }

    bool Fail(qsizetype start) {
        i_ = start;
        return false;
    }

    int AmPm() {
        if (Text(fs_.TimeAMString) || Text(QStringLiteral("AM"))) return 0;
        if (Text(fs_.TimePMString) || Text(QStringLiteral("PM"))) return 12;
        // "A" / "P" alone, not the start of some other word.
        const qsizetype save = i_;
        SkipBlanks();
        if (i_ < s_.size() && (s_[i_] == u'a' || s_[i_] == u'A' || s_[i_] == u'p' || s_[i_] == u'P') &&
            (i_ + 1 >= s_.size() || !s_[i_ + 1].isLetter())) {
            return s_[i_++].toUpper() == u'A' ? 0 : 12;
        }
        i_ = save;
        return -1;
    }

    static int CurrentYear() {
        Word y, m, d;
        DecodeDate(::Date(), y, m, d);
        return y;
    }

    const QString& s_;
    const TFormatSettings& fs_;
    qsizetype i_ = 0;
};

} // namespace

bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc(s, fs);
    TDateTime d;
    if (!sc.Date(d) || !sc.AtEnd()) return false;
    value = d;
    return true;
}

bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc(s, fs);
    TDateTime t;
    if (!sc.Time(t) || !sc.AtEnd()) return false;
    value = t;
    return true;
}

bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc(s, fs);
    TDateTime d, t;
    if (sc.Date(d)) {
        if (sc.AtEnd() || (sc.Time(t) && sc.AtEnd())) {
            value = ComposeDateTime(d, t);
            return true;
        }
    }
    // Not a date first: perhaps a time alone.
    return TryStrToTime(s, value, fs);
}

bool TryStrToDate(const String& s, TDateTime& value) {
    return TryStrToDate(s, value, FormatSettings);
}
bool TryStrToTime(const String& s, TDateTime& value) {
    return TryStrToTime(s, value, FormatSettings);
}
bool TryStrToDateTime(const String& s, TDateTime& value) {
    return TryStrToDateTime(s, value, FormatSettings);
}

TDateTime StrToDate(const String& s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToDate(s, v, fs)) SysConsts::RaiseConvertError(SysConsts::SInvalidDate, s);
    return v;
}

TDateTime StrToTime(const String& s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToTime(s, v, fs)) SysConsts::RaiseConvertError(SysConsts::SInvalidTime, s);
    return v;
}

TDateTime StrToDateTime(const String& s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToDateTime(s, v, fs)) SysConsts::RaiseConvertError(SysConsts::SInvalidDateTime, s);
    return v;
}

TDateTime StrToDate(const String& s) {
    return StrToDate(s, FormatSettings);
}
TDateTime StrToTime(const String& s) {
    return StrToTime(s, FormatSettings);
}
TDateTime StrToDateTime(const String& s) {
    return StrToDateTime(s, FormatSettings);
}

TDateTime StrToDateDef(const String& s, TDateTime defaultValue) {
    TDateTime v;
    return TryStrToDate(s, v) ? v : defaultValue;
}

TDateTime StrToTimeDef(const String& s, TDateTime defaultValue) {
    TDateTime v;
    return TryStrToTime(s, v) ? v : defaultValue;
}

TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue) {
    TDateTime v;
    return TryStrToDateTime(s, v) ? v : defaultValue;
}
