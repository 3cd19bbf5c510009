#include "vcl/sysutils/FormatSettings.h"

TFormatSettings FormatSettings = TFormatSettings::FromLocale(QLocale::system());

void GetFormatSettings() {
    FormatSettings = TFormatSettings::FromLocale(QLocale::system());
}

namespace {

bool IsDateField(QChar c) {
    return c == u'd' || c == u'M' || c == u'y';
}
bool IsTimeField(QChar c) {
    return c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u'z';
}

// The first character after a field of the given kind that is no letter, quote or blank.
QChar FindSeparator(const QString& qt, bool (*isField)(QChar), QChar fallback) {
    for (qsizetype i = 1; i < qt.size(); ++i) {
        const QChar c = qt[i];
        if (isField(qt[i - 1]) && !c.isLetter() && c != u'\'' && !c.isSpace()) return c;
    }
    return fallback;
}

// Appends literal text so that the picture language copies it unchanged: letters, separators and
// quotes go inside quotes, anything else stays as it is.
void AppendLiteral(QString& out, const QString& text) {
    bool open = false;
    for (QChar c : text) {
        const bool special = c.isLetter() || c == u'/' || c == u':' || c == u'\'';
        if (c == u'"') {
            if (open) out += u'"';
            open = false;
            out += QStringLiteral("'\"'");
            continue;
        }
        if (special != open) out += u'"';
        open = special;
        out += c;
    }
    if (open) out += u'"';
}

// Translates a Qt format into the picture language: fields by their names, dateSep / timeSep
// (when not null) into '/' / ':', the time zone dropped, any other literal kept literal.
QString TranslateQtFormat(const QString& qt, QChar dateSep, QChar timeSep) {
    QString out, literal;
    auto flush = [&] {
        AppendLiteral(out, literal);
        literal.clear();
    };
    qsizetype i = 0;
    while (i < qt.size()) {
        const QChar c = qt[i];
        qsizetype run = 1;
        while (i + run < qt.size() && qt[i + run] == c)
            ++run;
        if (c == u'\'') {
            // Quoted text; two quotes stand for one.
            if (run >= 2 && run % 2 == 0) {
                literal += QString(run / 2, u'\'');
                i += run;
                continue;
            }
            qsizetype j = i + 1;
            while (j < qt.size()) {
                if (qt[j] == u'\'') {
                    if (j + 1 < qt.size() && qt[j + 1] == u'\'') {
                        literal += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += qt[j++];
            }
            i = j + 1;
            continue;
        }
        QString field;
        switch (c.unicode()) {
        case u'd':
            field = QString(qMin<qsizetype>(run, 4), u'd');
            break;
        case u'M':
            field = QString(qMin<qsizetype>(run, 4), u'm');
            break;
        case u'y':
            field = run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
            break;
        case u'h':
        case u'H':
            field = run >= 2 ? QStringLiteral("hh") : QStringLiteral("h");
            break;
        case u'm':
            field = run >= 2 ? QStringLiteral("nn") : QStringLiteral("n");
            break;
        case u's':
            field = run >= 2 ? QStringLiteral("ss") : QStringLiteral("s");
            break;
        case u'z':
            field = run >= 2 ? QStringLiteral("zzz") : QStringLiteral("z");
            break;
        case u'a':
        case u'A':
            field = QStringLiteral("AMPM");
            // "AP" / "ap" is one field.
            if (i + run < qt.size() && (qt[i + run] == u'p' || qt[i + run] == u'P')) ++run;
            break;
        case u't':
            i += run;
            continue; // the time zone has no place in the picture language
        default:
            break;
        }
        if (!field.isEmpty()) {
            flush();
            out += field;
            i += run;
            continue;
        }
        if (!dateSep.isNull() && c == dateSep) {
            flush();
            out += QString(run, u'/');
        } else if (!timeSep.isNull() && c == timeSep) {
            flush();
            out += QString(run, u':');
        } else {
            literal += QString(run, c);
        }
        i += run;
    }
    flush();
    // What surrounded a dropped time zone: "h:mm:ss (t)" or "h:mm:ss t".
    out.remove(QStringLiteral("()"));
    return out.trimmed();
}

QString NormalizeCurrencyText(QString s, const QString& symbol) {
    if (!symbol.isEmpty()) s.replace(symbol, QStringLiteral("$"));
    for (QChar& c : s) {
        if (c.isSpace())
            c = u' ';
        else if (c == QChar(0x2212))
            c = u'-';
    }
    return s;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale) {
    TFormatSettings fs;
    const QString decimal = locale.decimalPoint(), group = locale.groupSeparator();
    fs.DecimalSeparator = decimal.isEmpty() ? u'.' : decimal[0];
    fs.ThousandSeparator = group.isEmpty() ? u',' : group[0];
    if (fs.ThousandSeparator.isSpace()) fs.ThousandSeparator = u' ';
    // The locale has no list separator; the platform's locales use ';' where ',' is the decimal one.
    fs.ListSeparator = fs.DecimalSeparator == u',' ? u';' : u',';

    fs.CurrencyString = locale.currencySymbol(QLocale::CurrencySymbol);
    const QString sym = fs.CurrencyString;
    const QString positive = NormalizeCurrencyText(locale.toCurrencyString(1.0, sym, 0), sym);
    static const char* const positives[] = {"$1", "1$", "$ 1", "1 $"};
    for (int k = 0; k < 4; ++k)
        if (positive == QLatin1String(positives[k])) fs.CurrencyFormat = Byte(k);
    const QString negative = NormalizeCurrencyText(locale.toCurrencyString(-1.0, sym, 0), sym);
    static const char* const negatives[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                            "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    fs.NegCurrFormat = positive.startsWith(u'$') ? 1 : 5;
    for (int k = 0; k < 16; ++k)
        if (negative == QLatin1String(negatives[k])) fs.NegCurrFormat = Byte(k);
    const QString amount = locale.toCurrencyString(1.0, sym);
    const qsizetype point = amount.indexOf(fs.DecimalSeparator);
    int decimals = 0;
    if (point >= 0)
        for (qsizetype k = point + 1; k < amount.size() && amount[k].isDigit(); ++k)
            ++decimals;
    fs.CurrencyDecimals = Byte(decimals);

    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    if (shortDate.contains(QLatin1String("MMM"))) {
        // The picture language reads numeric dates only: use the international order instead.
        fs.DateSeparator = u'-';
        fs.ShortDateFormat = QStringLiteral("yyyy/mm/dd");
    } else {
        fs.DateSeparator = FindSeparator(shortDate, IsDateField, u'/');
        fs.ShortDateFormat = TranslateQtFormat(shortDate, fs.DateSeparator, QChar());
    }
    fs.LongDateFormat = TranslateQtFormat(locale.dateFormat(QLocale::LongFormat), QChar(), QChar());
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    fs.TimeSeparator = FindSeparator(shortTime, IsTimeField, u':');
    fs.ShortTimeFormat = TranslateQtFormat(shortTime, QChar(), fs.TimeSeparator);
    fs.LongTimeFormat = TranslateQtFormat(locale.timeFormat(QLocale::LongFormat), QChar(), fs.TimeSeparator);
    fs.TimeAMString = locale.amText();
    fs.TimePMString = locale.pmText();
    for (int m = 0; m < 12; ++m) {
        fs.ShortMonthNames[m] = locale.monthName(m + 1, QLocale::ShortFormat);
        fs.LongMonthNames[m] = locale.monthName(m + 1, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts from Monday = 1
        fs.ShortDayNames[d] = locale.dayName(qtDay, QLocale::ShortFormat);
        fs.LongDayNames[d] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    fs.TwoDigitYearCenturyWindow = 50;
    return fs;
}
