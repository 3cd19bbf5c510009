#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

struct LocaleCase {
    const char* locale;
    const char* shortDate;
    QChar dateSep;
    const char* longDate;
    const char* shortTime;
    const char* longTime;
    QChar timeSep;
    QChar decimal;
    int currencyFormat;
    int negCurrFormat;
};

// Qt's CLDR pictures translated into the picture language.
const LocaleCase localeCases[] = {
    {"en_US", "m/d/yy", u'/', "dddd, mmmm d, yyyy", "h:nn AMPM", "h:nn:ss AMPM", u':', u'.', 0, 0},
    {"en_GB", "dd/mm/yyyy", u'/', "dddd, d mmmm yyyy", "hh:nn", "hh:nn:ss", u':', u'.', 0, 0},
    {"de_DE", "dd/mm/yy", u'.', "dddd, d. mmmm yyyy", "hh:nn", "hh:nn:ss", u':', u',', 3, 8},
    {"fi_FI", "d/m/yyyy", u'.', "dddd d. mmmm yyyy", "h:nn", "h:nn:ss", u'.', u',', 3, 8},
    {"es_ES", "d/m/yy", u'/', "dddd, d \"de\" mmmm \"de\" yyyy", "h:nn", "h:nn:ss", u':', u',', 3, 8},
};

TEST(FormatSettings, FromLocaleTranslatesTheLocalesPictures) {
    for (const auto& c : localeCases) {
        SCOPED_TRACE(c.locale);
        const TFormatSettings fs = TFormatSettings::FromLocale(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(fs.ShortDateFormat, c.shortDate);
        EXPECT_EQ(fs.DateSeparator, c.dateSep);
        EXPECT_EQ(fs.LongDateFormat, c.longDate);
        EXPECT_EQ(fs.ShortTimeFormat, c.shortTime);
        EXPECT_EQ(fs.LongTimeFormat, c.longTime);
        EXPECT_EQ(fs.TimeSeparator, c.timeSep);
        EXPECT_EQ(fs.DecimalSeparator, c.decimal);
        EXPECT_EQ(fs.CurrencyFormat, c.currencyFormat);
        EXPECT_EQ(fs.NegCurrFormat, c.negCurrFormat);
        EXPECT_EQ(fs.TwoDigitYearCenturyWindow, 50);
    }
}

TEST(FormatSettings, NamesStartOnSundayAndCurrencyFollowsTheLocale) {
    const TFormatSettings us = TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.LongDayNames[0], "Sunday");
    EXPECT_EQ(us.ShortDayNames[6], "Sat");
    EXPECT_EQ(us.LongMonthNames[0], "January");
    EXPECT_EQ(us.ShortMonthNames[11], "Dec");
    EXPECT_EQ(us.CurrencyString, "$");
    EXPECT_EQ(us.CurrencyDecimals, 2);
    EXPECT_EQ(us.TimeAMString, "AM");
    EXPECT_EQ(us.ThousandSeparator, u',');
    EXPECT_EQ(us.ListSeparator, u',');
    const TFormatSettings de = TFormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.CurrencyString, QString::fromUtf8("€"));
    EXPECT_EQ(de.ThousandSeparator, u'.');
    EXPECT_EQ(de.ListSeparator, u';');
    EXPECT_EQ(de.LongDayNames[0], "Sonntag");
    const TFormatSettings ja = TFormatSettings::FromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(ja.CurrencyDecimals, 0);
    EXPECT_EQ(ja.ShortDateFormat, "yyyy/mm/dd");
}

TEST(FormatSettings, TextualShortDatesFallBackToTheNumericInternationalOrder) {
    const TFormatSettings c = TFormatSettings::FromLocale(QLocale::c());
    EXPECT_EQ(c.ShortDateFormat, "yyyy/mm/dd");
    EXPECT_EQ(c.DateSeparator, u'-');
}

TEST(FormatSettings, TheGlobalSettingsCanBeChangedAndReset) {
    FormatSettings.DecimalSeparator = u'#';
    FormatSettings.ShortDateFormat = "yyyy";
    GetFormatSettings();
    const TFormatSettings system = TFormatSettings::FromLocale(QLocale::system());
    EXPECT_EQ(FormatSettings.DecimalSeparator, system.DecimalSeparator);
    EXPECT_EQ(FormatSettings.ShortDateFormat, system.ShortDateFormat);
}

} // namespace
