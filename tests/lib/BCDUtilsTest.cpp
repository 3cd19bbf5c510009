#include <gtest/gtest.h>
#include <limits>

#include "TestSupport.h"
#include "lib/moxBCDUtils.h"

namespace {

TFormatSettings Dot() {
    TFormatSettings fs;
    fs.DecimalSeparator = u'.';
    return fs;
}

TBcd Dec(const char* text) {
    return StrToBcd(QString::fromLatin1(text), Dot());
}

String Text(const TBcd& bcd) {
    return BcdToStr(bcd, Dot());
}

String Digits(const TBcd& bcd) {
    String s;
    for (int i = 0; i < bcd.Precision; ++i)
        s += QChar(u'0' + BcdDigit(bcd, i));
    return s;
}

// A record with the given digits, places and sign, as another writer may lay it out.
TBcd Record(const char* digits, int places, bool negative = false) {
    TBcd bcd;
    bcd.Precision = Byte(std::strlen(digits));
    bcd.SignSpecialPlaces = Byte(places | (negative ? 0x80 : 0));
    for (int i = 0; digits[i]; ++i)
        SetBcdDigit(bcd, i, digits[i] - '0');
    return bcd;
}

Currency Raw(Int64 v) {
    return Currency::FromRaw(v);
}

} // namespace

TEST(BCDUtils, CurrencyToBcdRoundsOrPadsToThePlaces) {
    struct Case {
        Int64 raw;
        int precision, places;
        const char* digits;
        bool negative;
    };
    const Case cases[] = {
        {123456, 32, 2, "00000000000000000000000000001235", false}, // 12.3456 rounded
        {123456, 32, 6, "00000000000000000000000012345600", false}, // padded with two zeros
        {123456, 32, 4, "00000000000000000000000000123456", false},
        {-1, 32, 18, "00000000000000000100000000000000", true}, // -0.0001: the 18th digit
        {1250, 5, 2, "00012", false},                           // 0.125: the tie goes to even
        {1350, 5, 2, "00014", false},                           // 0.135
        {-1250, 5, 2, "00012", true},
        {15000, 3, 0, "002", false}, // 1.5 -> 2
        {25000, 3, 0, "002", false}, // 2.5 -> 2
        {-49, 4, 2, "0000", false},  // rounds to zero: no sign
        {std::numeric_limits<Int64>::min(), 19, 4, "9223372036854775808", true},
        {0, 1, 0, "0", false},
    };
    for (const Case& c : cases) {
        TBcd bcd;
        ASSERT_TRUE(CurrencyToBcd(Raw(c.raw), bcd, c.precision, c.places)) << c.raw;
        EXPECT_EQ(Digits(bcd), QString::fromLatin1(c.digits)) << c.raw << " places " << c.places;
        EXPECT_EQ(bcd.Precision, c.precision);
        EXPECT_EQ(BcdScale(bcd), c.places);
        EXPECT_EQ(IsBcdNegative(bcd), c.negative) << c.raw;
        EXPECT_TRUE(IsValidBcd(bcd));
    }
}

TEST(BCDUtils, CurrencyToBcdReportsWhatDoesNotFit) {
    TBcd bcd;
    bcd.Fraction[0] = 0x77;
    // 10^14 needs 19 digits as ten-thousandths: more than 18 places leave for it in 32.
    EXPECT_FALSE(CurrencyToBcd(Currency::FromUnits(100000000000000LL), bcd, 32, 18));
    EXPECT_EQ(bcd.Precision, 32);
    EXPECT_EQ(BcdScale(bcd), 18);
    EXPECT_EQ(bcd.Fraction[0], 0x77); // the digits are left as they were
    EXPECT_TRUE(CurrencyToBcd(Currency::FromRaw(999999999999999999LL), bcd, 32, 18)); // just below
    EXPECT_FALSE(CurrencyToBcd(Currency(100), bcd, 3, 2));
    EXPECT_FALSE(CurrencyToBcd(Currency(1), bcd, 2, 8)); // no room before the four padding zeros
    TBcd untouched;
    untouched.Fraction[3] = 0x42;
    EXPECT_FALSE(CurrencyToBcd(Currency(1), untouched, 0, 0));
    EXPECT_FALSE(CurrencyToBcd(Currency(1), untouched, 65, 0));
    EXPECT_FALSE(CurrencyToBcd(Currency(1), untouched, 10, 64));
    EXPECT_EQ(untouched.Precision, 0);
    EXPECT_EQ(untouched.Fraction[3], 0x42);
}

TEST(BCDUtils, BcdToCurrencyRoundsToTenThousandths) {
    struct Case {
        TBcd bcd;
        bool ok;
        Int64 raw;
    };
    const Case cases[] = {
        {Record("12345", 2), true, 1234500}, // 123.45
        {Record("12345", 2, true), true, -1234500},
        {Record("123456", 6), true, 1235},  // 0.123456 -> 0.1235
        {Record("1235500", 7), true, 1236}, // a tie after an odd digit: up
        {Record("1234500", 7), true, 1234}, // a tie after an even digit: stays
        {Record("1234501", 7), true, 1235}, // above the tie
        {Record("1234499", 7), true, 1234}, // below it
        {Record("5", 10), true, 0},         // far below the last place
        {Record("00000", 0), true, 0},
        {Record("922337203685477", 0), true, 9223372036854770000},
        {Record("9223372036854775807", 4), true, std::numeric_limits<Int64>::max()},
        {Record("9223372036854775808", 4, true), true, std::numeric_limits<Int64>::min()},
        {Record("9223372036854775808", 4), false, 0},
        {Record("1000000000000000", 0), false, 0},
        {TBcd(), false, 0}, // precision 0
    };
    for (const Case& c : cases) {
        Currency amount = Raw(-7);
        EXPECT_EQ(BcdToCurrency(c.bcd, amount), c.ok) << Digits(c.bcd).toStdString();
        if (c.ok) {
            EXPECT_EQ(amount.Raw(), c.raw) << Digits(c.bcd).toStdString();
        }
    }
    TBcd invalid = Record("12", 0);
    invalid.Fraction[0] = 0x1C;
    Currency amount;
    EXPECT_THROW(BcdToCurrency(invalid, amount), EBcdException);
}

TEST(BCDUtils, CurrencyRoundTripsThroughDecimals) {
    const Int64 amounts[] = {0, 1, -1, 5000, -123456789, 999999999999999999LL, -999999999999999999LL};
    for (Int64 raw : amounts) {
        TBcd bcd;
        ASSERT_TRUE(CurrencyToBcd(Raw(raw), bcd, 32, 18)) << raw;
        Currency back;
        ASSERT_TRUE(BcdToCurrency(bcd, back));
        EXPECT_EQ(back.Raw(), raw);
    }
    for (Int64 raw : {std::numeric_limits<Int64>::max(), std::numeric_limits<Int64>::min(), Int64(42)}) {
        TBcd bcd;
        ASSERT_TRUE(CurrencyToBcd(Raw(raw), bcd, 19, 4)) << raw;
        Currency back;
        ASSERT_TRUE(BcdToCurrency(bcd, back));
        EXPECT_EQ(back.Raw(), raw);
    }
}

TEST(BCDUtils, CompareBcd) {
    struct Case {
        TBcd a, b;
        int expected;
    };
    const Case cases[] = {
        {Record("150", 2), Record("15", 1), 0}, // 1.50 and 1.5
        {Record("2", 0, true), Record("1", 0), -1},
        {Record("1", 0), Record("2", 0, true), 1},
        {Record("3", 0, true), Record("2", 0, true), -1},
        {Record("0", 0, true), Record("00", 1), 0}, // zero has no sign
        {TBcd(), Record("0", 0), 0},                // precision 0 is zero
        {Record("0001", 4), Record("1", 0), -1},
        {Record("99999999999999999999999999999999", 0), Record("1", 32), 1},
        {Record("5", 3), Record("05", 3), 0}, // places beyond the digits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareBcd(c.a, c.b), c.expected)
            << Text(c.a).toStdString() << " vs " << Text(c.b).toStdString();
        EXPECT_EQ(CompareBcd(c.b, c.a), -c.expected);
    }
    // Digits beyond the working form's 32 integer positions do not fit it.
    EXPECT_THROW(CompareBcd(Record("123456789012345678901234567890123", 0), Record("1", 0)), EBcdOverflow);
    EXPECT_THROW(CompareBcd(Record("1", 33), Record("1", 0)), EBcdOverflow);
    EXPECT_EQ(CompareBcd(Record("000000000000000000000000000000001", 0), Record("1", 0)), 0);
    EXPECT_EQ(Text(NegateBcd(Dec("1.25"))), QStringLiteral("-1.25"));
    EXPECT_EQ(Text(NegateBcd(NegateBcd(Dec("1.25")))), QStringLiteral("1.25"));
}

TEST(BCDUtils, ArithmeticIsExactAndRoundsBeyondThirtyTwoPlaces) {
    struct Case {
        TBcd (*op)(const TBcd&, const TBcd&);
        const char *a, *b, *expected;
    };
    const Case cases[] = {
        {AddBcd, "1.5", "2.25", "3.75"},
        {AddBcd, "-1.5", "1.5", "0"},
        {AddBcd, "0.1", "0.2", "0.3"},
        {AddBcd, "99999999999999999999999999999999", "-1", "99999999999999999999999999999998"},
        {SubtractBcd, "1", "0.0001", "0.9999"},
        {SubtractBcd, "-2", "3", "-5"},
        {SubtractBcd, "0.5", "0.75", "-0.25"},
        {MultiplyBcd, "1.5", "-2", "-3"},
        {MultiplyBcd, "123.456", "1000", "123456"},
        {MultiplyBcd, "0.0000000000000001", "0.0000000000000001", "0.00000000000000000000000000000001"},
        {MultiplyBcd, "0.0000000000000001", "0.00000000000000005", "0"}, // a tie at the 33rd place: to even
        {MultiplyBcd, "0.0000000000000001", "0.00000000000000015", "0.00000000000000000000000000000002"},
        {DivideBcd, "1", "4", "0.25"},
        {DivideBcd, "-10", "4", "-2.5"},
        {DivideBcd, "1", "3", "0.33333333333333333333333333333333"},
        {DivideBcd, "2", "3", "0.66666666666666666666666666666667"},
        {DivideBcd, "1", "0.5", "2"},
        // 32 significant digits at most: the sum is rounded, ties to even.
        {AddBcd, "10000000000000000000000000000000", "0.5", "10000000000000000000000000000000"},
        {AddBcd, "10000000000000000000000000000001", "0.5", "10000000000000000000000000000002"},
        {AddBcd, "10000000000000000000000000000000", "0.51", "10000000000000000000000000000001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(c.op(Dec(c.a), Dec(c.b))), QString::fromLatin1(c.expected)) << c.a << " " << c.b;

    const TBcd zero = SubtractBcd(Dec("1"), Dec("1"));
    EXPECT_FALSE(IsBcdNegative(zero));
    EXPECT_FALSE(IsBcdNegative(MultiplyBcd(Dec("-1"), Dec("0"))));
    EXPECT_LE(AddBcd(Dec("0.1"), Dec("0.2")).Precision, 32);
}

TEST(BCDUtils, OverflowAndDivisionByZero) {
    const TBcd max = Dec("99999999999999999999999999999999");
    struct Case {
        TBcd (*op)(const TBcd&, const TBcd&);
        TBcd a, b;
        const char* message;
    };
    const Case cases[] = {
        {AddBcd, max, Dec("1"), "Floating point overflow"},
        {SubtractBcd, NegateBcd(max), Dec("1"), "Floating point overflow"},
        {MultiplyBcd, Dec("10000000000000000"), Dec("10000000000000000"), "Floating point overflow"},
        {DivideBcd, max, Dec("0.1"), "Floating point overflow"},
        {DivideBcd, Dec("1"), Dec("0"), "Floating point division by zero"},
        {DivideBcd, Dec("0"), TBcd(), "Floating point division by zero"},
        // Rounding the 33rd digit up carries out of the top.
        {AddBcd, max, Dec("0.5"), "Floating point overflow"},
    };
    for (const Case& c : cases) {
        try {
            c.op(c.a, c.b);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EBcdOverflow& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
            EXPECT_NE(dynamic_cast<const EOverflow*>(&e), nullptr);
        }
    }
}
