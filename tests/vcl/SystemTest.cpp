#include <gtest/gtest.h>

#include <limits>

#include "vcl/System.h"

namespace {

TEST(Currency, ConvertsFromFloatsRoundingHalfToEven) {
    struct Case {
        double value;
        Int64 raw;
    };
    const Case cases[] = {
        {1.0, 10000}, {-2.5, -25000}, {0.00005, 0},       {0.00015, 2},
        {0.00025, 2}, {-0.00015, -2}, {12.34567, 123457},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Currency(c.value).Raw(), c.raw) << c.value;
    // The largest amount is reachable exactly; one step beyond overflows.
    EXPECT_EQ(Currency(922337203685477.5807L).Raw(), std::numeric_limits<Int64>::max());
    EXPECT_THROW(Currency(922337203685477.5808L * 2), EOverflow);
    EXPECT_THROW(Currency(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
}

TEST(Currency, ArithmeticKeepsFourDecimalsAndReportsOverflow) {
    EXPECT_EQ((Currency(1.5) + Currency(2.25)).Raw(), 37500);
    EXPECT_EQ((Currency(1.5) - Currency(2.25)).Raw(), -7500);
    EXPECT_EQ((Currency(1.5) * Currency(2.25)).Raw(), 33750);
    EXPECT_EQ((Currency(0.0001) * Currency(0.5)).Raw(), 1); // half away from zero
    EXPECT_EQ((Currency(1) / Currency(3)).Raw(), 3333);
    EXPECT_EQ((Currency(2) / Currency(-3)).Raw(), -6667);
    EXPECT_EQ(Currency::FromUnits(7).Raw(), 70000);
    const Currency max = Currency::FromRaw(std::numeric_limits<Int64>::max());
    EXPECT_THROW(max + Currency::FromRaw(1), EOverflow);
    EXPECT_THROW(max * Currency(2), EOverflow);
    EXPECT_THROW(-Currency::FromRaw(std::numeric_limits<Int64>::min()), EOverflow);
    EXPECT_THROW(Currency(1) / Currency(0), EZeroDivide);
    EXPECT_THROW(Currency::FromUnits(std::numeric_limits<Int64>::max() / 1000), EOverflow);
    EXPECT_LT(Currency(-1), Currency(0.5));
}

struct TMyThing : TObject {};

TEST(Object, ClassNameAndHierarchy) {
    TMyThing thing;
    EXPECT_EQ(thing.ClassName(), "TMyThing");
    EXPECT_EQ(EConvertError("x").ClassName(), "EConvertError");
    try {
        throw EZeroDivide("Floating point division by zero");
    } catch (const EMathError& e) {
        EXPECT_EQ(e.Message(), "Floating point division by zero");
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    try {
        Abort();
    } catch (const Exception& e) {
        EXPECT_NE(dynamic_cast<const EAbort*>(&e), nullptr);
    }
}

} // namespace
