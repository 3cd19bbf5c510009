#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/FMTBcd.h"

namespace {

TFormatSettings Settings(QChar decimal) {
    TFormatSettings fs;
    fs.DecimalSeparator = decimal;
    return fs;
}

String Digits(const TBcd& bcd) {
    String s;
    for (int i = 0; i < bcd.Precision; ++i)
        s += QChar(u'0' + BcdDigit(bcd, i));
    return s;
}

} // namespace

TEST(FMTBcd, TextRoundTripKeepsOnlySignificantDigits) {
    struct Case {
        const char* text;
        const char* digits;
        int places;
        bool negative;
        const char* back;
    };
    const Case cases[] = {
        {"0", "0", 0, false, "0"},
        {"-0.000", "0", 0, false, "0"},
        {"123.45", "12345", 2, false, "123.45"},
        {"-0.05", "05", 2, true, "-0.05"},
        {"  007.500 ", "75", 1, false, "7.5"},
        {"1.5E3", "1500", 0, false, "1500"},
        {"25e-4", "0025", 4, false, "0.0025"},
        {".5", "5", 1, false, "0.5"},
        {"5.", "5", 0, false, "5"},
        {"+99999999999999999999999999999999.99999999999999999999999999999999",
         "9999999999999999999999999999999999999999999999999999999999999999", 32, false,
         "99999999999999999999999999999999.99999999999999999999999999999999"},
    };
    const TFormatSettings fs = Settings(u'.');
    for (const Case& c : cases) {
        TBcd bcd;
        ASSERT_TRUE(TryStrToBcd(QString::fromLatin1(c.text), bcd, fs)) << c.text;
        EXPECT_EQ(Digits(bcd), QString::fromLatin1(c.digits)) << c.text;
        EXPECT_EQ(BcdScale(bcd), c.places) << c.text;
        EXPECT_EQ(IsBcdNegative(bcd), c.negative) << c.text;
        EXPECT_EQ(BcdToStr(bcd, fs), QString::fromLatin1(c.back)) << c.text;
    }
}

TEST(FMTBcd, RejectsTextThatIsNoNumberOrDoesNotFit) {
    const TFormatSettings fs = Settings(u'.');
    for (const char* text : {"", "-", "1.2.3", "1,5", "12a", "1e", "1e+", "e5", "1e99999999", "1e64", "1e-64",
                             "12345678901234567890123456789012345678901234567890123456789012345"}) {
        TBcd bcd;
        EXPECT_FALSE(TryStrToBcd(QString::fromLatin1(text), bcd, fs)) << text;
    }
    try {
        StrToBcd(QStringLiteral("x1"), fs);
        FAIL() << "no error";
    } catch (const EBcdException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'x1' is not a valid BCD value"));
    }
}

TEST(FMTBcd, FollowsTheDecimalSeparator) {
    const TFormatSettings fs = Settings(u',');
    const TBcd bcd = StrToBcd(QStringLiteral("-12,5"), fs);
    EXPECT_EQ(BcdToStr(bcd, fs), QStringLiteral("-12,5"));
    TBcd other;
    EXPECT_FALSE(TryStrToBcd(QStringLiteral("12.5"), other, fs));
}

TEST(FMTBcd, RealNumbersTakeFifteenSignificantDigits) {
    const TFormatSettings fs = Settings(u'.');
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},           {-0.0, "0"},
        {0.1, "0.1"},         {1.0 / 3, "0.333333333333333"},
        {-1234.5, "-1234.5"}, {1e20, "100000000000000000000"},
        {1e-70, "0"},         {2.5e-63, "0.000000000000000000000000000000000000000000000000000000000000002"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BcdToStr(DoubleToBcd(c.value), fs), QString::fromLatin1(c.text)) << c.value;
    EXPECT_THROW(DoubleToBcd(1e70), EBcdOverflowException);
    EXPECT_THROW(DoubleToBcd(std::nan("")), EBcdException);
    EXPECT_DOUBLE_EQ(BcdToDouble(StrToBcd(QStringLiteral("-123.456"), fs)), -123.456);
    EXPECT_EQ(BcdToDouble(StrToBcd(QStringLiteral("0.1"), fs)), 0.1);
}

TEST(FMTBcd, InvalidRecordsAreRefused) {
    TBcd digitTen;
    digitTen.Precision = 2;
    digitTen.Fraction[0] = 0x1A;
    TBcd spareNibble;
    spareNibble.Precision = 1;
    spareNibble.Fraction[0] = 0x13;
    TBcd tooLong;
    tooLong.Precision = 65;
    for (const TBcd& bcd : {digitTen, spareNibble, tooLong}) {
        EXPECT_FALSE(IsValidBcd(bcd));
        EXPECT_THROW(BcdToStr(bcd), EBcdException);
        EXPECT_THROW(BcdToDouble(bcd), EBcdException);
    }
    TBcd zero; // precision 0 stands for zero
    EXPECT_TRUE(IsValidBcd(zero));
    EXPECT_TRUE(IsBcdZero(zero));
    EXPECT_EQ(BcdToStr(zero, Settings(u'.')), QStringLiteral("0"));
}
