#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "FixedFormatSettings.h"
#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

using mox::test::FixedFormatSettings;

struct IntCase {
    const char* text;
    bool valid;
    Int64 value;
};

TEST(IntConvert, ParsesDecimalAndHexWithLeadingBlanksOnly) {
    const IntCase cases[] = {
        {"0", true, 0},
        {"123", true, 123},
        {"  -42", true, -42},
        {"+7", true, 7},
        {"$FF", true, 255},
        {"0x1f", true, 31},
        {"x10", true, 16},
        {"-$10", true, -16},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483648LL},
        {"$FFFFFFFF", true, -1}, // hexadecimal uses the whole 32 bits
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"$100000000", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"12 ", false, 0},
        {"1.5", false, 0},
        {"1e3", false, 0},
        {"abc", false, 0},
        {"1,000", false, 0},
        {"\t5", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int v = -99;
        EXPECT_EQ(TryStrToInt(c.text, v), c.valid);
        if (c.valid) {
            EXPECT_EQ(v, c.value);
        }
        EXPECT_EQ(StrToIntDef(c.text, -99), c.valid ? int(c.value) : -99);
        if (!c.valid) {
            try {
                StrToInt(c.text);
                ADD_FAILURE();
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), QString("'%1' is not a valid integer value").arg(c.text));
            }
        }
    }
}

TEST(IntConvert, Int64CoversTheFullRange) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<Int64>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", 5), 5);
}

TEST(IntConvert, ToText) {
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToStr(Int64(1) << 40), "1099511627776");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64(-1), 2), "FFFFFFFFFFFFFFFF");
}

class FloatText : public FixedFormatSettings {};

TEST_F(FloatText, FloatToStrIsTheShortestGeneralForm) {
    struct {
        Extended value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {-1.5, "-1.5"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-2.5e-10, "-2.5E-10"},
        {100, "100"},
        {-0.0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << double(c.value);
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(FloatToStr(-1.5), "-1,5");
}

TEST_F(FloatText, FloatToStrFLayouts) {
    struct {
        Extended value;
        TFloatFormat format;
        int precision, digits;
        const char* text;
    } cases[] = {
        {1234.5678, ffGeneral, 6, 0, "1234.57"},
        {1234.5678, ffGeneral, 3, 0, "1.23E3"},
        {1234.5678, ffGeneral, 3, 2, "1.23E03"},
        {1234.5678, ffExponent, 4, 2, "1.235E+03"},
        {0.00012, ffExponent, 3, 0, "1.20E-4"},
        {0, ffExponent, 3, 2, "0.00E+00"},
        {1234.5678, ffFixed, 15, 2, "1234.57"},
        {2.5, ffFixed, 15, 0, "3"}, // half away from zero
        {-2.5, ffFixed, 15, 0, "-3"},
        {0.125, ffFixed, 15, 2, "0.13"},
        {-0.001, ffFixed, 15, 2, "0.00"}, // no negative zero
        {1e20, ffFixed, 15, 2, "1E20"},   // more whole digits than the precision
        {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
        {-999.999, ffNumber, 15, 2, "-1,000.00"},
        {12, ffNumber, 15, 0, "12"},
        {1234.5, ffCurrency, 15, 2, "$1,234.50"},
        {-1234.5, ffCurrency, 15, 2, "($1,234.50)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text)
            << double(c.value) << " " << c.format << " " << c.precision << " " << c.digits;
}

TEST_F(FloatText, CurrencyPlacementFollowsTheSettings) {
    const char* negatives[] = {"($1.00)", "-$1.00",  "$-1.00",   "$1.00-",  "(1.00$)", "-1.00$",
                               "1.00-$",  "1.00$-",  "-1.00 $",  "-$ 1.00", "1.00 $-", "$ 1.00-",
                               "$ -1.00", "1.00- $", "($ 1.00)", "(1.00 $)"};
    for (int f = 0; f < 16; ++f) {
        FormatSettings.NegCurrFormat = Byte(f);
        EXPECT_EQ(CurrToStrF(Currency(-1), ffCurrency, 2), negatives[f]) << f;
    }
    const char* positives[] = {"$1.00", "1.00$", "$ 1.00", "1.00 $"};
    for (int f = 0; f < 4; ++f) {
        FormatSettings.CurrencyFormat = Byte(f);
        EXPECT_EQ(CurrToStrF(Currency(1), ffCurrency, 2), positives[f]) << f;
    }
}

TEST_F(FloatText, CurrencyIsExact) {
    EXPECT_EQ(CurrToStr(Currency::FromRaw(15000)), "1.5");
    EXPECT_EQ(CurrToStr(Currency::FromRaw(std::numeric_limits<Int64>::max())), "922337203685477.5807");
    EXPECT_EQ(CurrToStr(Currency::FromRaw(std::numeric_limits<Int64>::min())), "-922337203685477.5808");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), ffFixed, 2), "1.23");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12350), ffFixed, 2), "1.24");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12350), ffNumber, 1), "-1.2");
    EXPECT_EQ(CurrToStrF(Currency::FromUnits(1234567), ffNumber, 2), "1,234,567.00");
    EXPECT_EQ(CurrToStr(Currency()), "0");
}

TEST_F(FloatText, FormatFloatPictures) {
    struct {
        const char* format;
        Extended value;
        const char* text;
    } cases[] = {
        {"0", 1234.567, "1235"},
        {"0.00", 1234.567, "1234.57"},
        {"#.##", 1234.5, "1234.5"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0.00", -1234567.891, "-1,234,567.89"},
        {"#,##0", 999, "999"},
        {"#,##0", 1000, "1,000"},
        {"000000", 1234, "001234"},
        {"0.###", 1.5, "1.5"},
        {"0.000", 1.5, "1.500"},
        {"0.0#", 1.5, "1.5"},
        {"0.0#", 1.125, "1.13"},
        {"#.##", 0.5, ".5"},
        {"#", 0, ""},
        {"0", 0, "0"},
        {"0", 0.5, "1"},
        {"0", -0.4, "0"}, // rounds to zero: no sign
        {".00", 12.5, "12.50"},
        {"0.00E+00", 1234.5, "1.23E+03"},
        {"0.00E-00", 1234.5, "1.23E03"},
        {"0.00E-00", 0.0012345, "1.23E-03"},
        {"0.0e+0", 0, "0.0e+0"},
        {"00.0E+0", 1234.5, "12.3E+2"},
        {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
        {"#,##0.00;(#,##0.00)", 1234.5, "1,234.50"},
        {"0.00;-0.00;'zero'", 0, "zero"},
        {"0.00;-0.00;'zero'", 0.001, "zero"}, // rounds to zero: the zero section
        {"0.0;;'nothing'", -2, "-2.0"},       // an empty negative section: the positive one with a sign
        {"'Total: '0.00' EUR'", 5, "Total: 5.00 EUR"},
        {"\"#\"0", 7, "#7"},
        {"000-000", 123456, "123-456"},
        {"0", 1e20, "100000000000000000000"},
        {"", 1.5, "1.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " " << double(c.value);
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
    EXPECT_EQ(FormatCurr("#,##0.00##", Currency::FromRaw(12345678)), "1.234,5678");
}

TEST_F(FloatText, StrToFloatAcceptsThePlatformsSyntax) {
    struct {
        const char* text;
        bool valid;
        double value;
    } cases[] = {
        {"1.5", true, 1.5},    {" -2.25 ", true, -2.25}, {"+3", true, 3},         {".5", true, 0.5},
        {"5.", true, 5},       {"1e3", true, 1000},      {"1.5E-2", true, 0.015}, {"-0", true, 0},
        {"1e-5000", true, 0},  {"", false, 0},           {" ", false, 0},         {"1,5", false, 0},
        {"1,000.5", false, 0}, {"e5", false, 0},         {"1e", false, 0},        {"1e+", false, 0},
        {"abc", false, 0},     {"1.5x", false, 0},       {"1e5000", false, 0},    {"--1", false, 0},
        {"INF", false, 0},     {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Extended v = -99;
        EXPECT_EQ(TryStrToFloat(c.text, v), c.valid);
        if (c.valid) {
            EXPECT_DOUBLE_EQ(double(v), c.value);
        }
        if (!c.valid) {
            try {
                StrToFloat(c.text);
                ADD_FAILURE();
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), QString("'%1' is not a valid floating point value").arg(c.text));
            }
        }
    }
    double d = 0;
    EXPECT_FALSE(TryStrToFloat("1e400", d)); // an Extended, but no double
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(StrToFloat("1,5"), 1.5L);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
    EXPECT_EQ(StrToFloatDef("x", 7), 7);
}

TEST_F(FloatText, StrToCurrReadsDecimalsExactly) {
    struct {
        const char* text;
        bool valid;
        Int64 raw;
    } cases[] = {
        {"1.2345", true, 12345},
        {"0.00005", true, 1}, // half away from zero
        {"-0.00005", true, -1},
        {"0.00004", true, 0},
        {"922337203685477.5807", true, std::numeric_limits<Int64>::max()},
        {"-922337203685477.5808", true, std::numeric_limits<Int64>::min()},
        {"922337203685477.5808", false, 0},
        {"1e3", true, 10000000},
        {"12.5e-1", true, 12500},
        {"0.1", true, 1000},
        {"x", false, 0},
        {"1e30", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Currency v;
        EXPECT_EQ(TryStrToCurr(c.text, v), c.valid);
        if (c.valid) {
            EXPECT_EQ(v.Raw(), c.raw);
        }
    }
    EXPECT_THROW(StrToCurr("1.2.3"), EConvertError);
}

TEST_F(FloatText, TextRoundTripsThroughTheSettings) {
    for (Extended v : {0.1L, -123.456L, 1e-7L, 9.87654321e12L})
        EXPECT_NEAR(double(StrToFloat(FloatToStr(v)) / v), 1.0, 1e-14) << double(v);
    for (Int64 raw : {Int64(1), Int64(-99999), Int64(123456789012345)})
        EXPECT_EQ(StrToCurr(CurrToStr(Currency::FromRaw(raw))).Raw(), raw);
}

} // namespace
