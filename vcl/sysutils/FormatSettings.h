#pragma once
// The format settings: separators, pictures and names that conversions to and from text follow.
#include "vcl/System.h"

#include <QLocale>

struct TFormatSettings {
    // Currency: CurrencyFormat 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; NegCurrFormat the platform's 0..15.
    String CurrencyString;
    Byte CurrencyFormat = 0;
    Byte NegCurrFormat = 0;
    Char ThousandSeparator = u',';
    Char DecimalSeparator = u'.';
    Byte CurrencyDecimals = 2;
    // Pictures use '/' and ':' for the separators below, whatever the separators are.
    Char DateSeparator = u'/';
    Char TimeSeparator = u':';
    Char ListSeparator = u',';
    String ShortDateFormat;
    String LongDateFormat;
    String TimeAMString;
    String TimePMString;
    String ShortTimeFormat;
    String LongTimeFormat;
    String ShortMonthNames[12];
    String LongMonthNames[12];
    // Indexed from Sunday.
    String ShortDayNames[7];
    String LongDayNames[7];
    // A two-digit year means the year within this many years before now, or less than a century after.
    Word TwoDigitYearCenturyWindow = 50;

    // The settings of a locale, its Qt format pictures translated into the picture language.
    static TFormatSettings FromLocale(const QLocale& locale);
};

// The current settings: every conversion without explicit settings reads them; assignable.
extern TFormatSettings FormatSettings;

// Resets the current settings from the system's locale.
void GetFormatSettings();
