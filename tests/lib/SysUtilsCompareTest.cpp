#include <gtest/gtest.h>

#include <cfloat>
#include <thread>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

TEST(MoxCompare, IndexOfPointerFindsTheFirstEqualElement) {
    int a = 0, b = 0, c = 0;
    Pointer list[] = {&a, &b, &a, nullptr};
    EXPECT_EQ(IndexOfPointer(&a, list, 4), 0);
    EXPECT_EQ(IndexOfPointer(&b, list, 4), 1);
    EXPECT_EQ(IndexOfPointer(nullptr, list, 4), 3);
    EXPECT_EQ(IndexOfPointer(&c, list, 4), -1);
    EXPECT_EQ(IndexOfPointer(&b, list, 1), -1); // only the first Count elements count
    EXPECT_EQ(IndexOfPointer(&a, list, 0), -1);
}

TEST(MoxCompare, CompareBytesIsUnsignedAndStopsAtTheLength) {
    const unsigned char x[] = {1, 2, 0x80, 4};
    const unsigned char y[] = {1, 2, 0x7F, 9};
    EXPECT_GT(CompareBytes(x, y, 4), 0); // 0x80 is above 0x7F, not a negative byte
    EXPECT_LT(CompareBytes(y, x, 4), 0);
    EXPECT_EQ(CompareBytes(x, y, 2), 0);
    EXPECT_EQ(CompareBytes(x, y, 0), 0);
    EXPECT_EQ(CompareBytes(x, y, -5), 0);
    EXPECT_EQ(CompareBytes(x, x, 4), 0);
}

TEST(MoxCompare, ZeroBytesFillsOnlyTheRun) {
    unsigned char buf[4] = {9, 9, 9, 9};
    ZeroBytes(buf + 1, 2);
    EXPECT_EQ(buf[0], 9);
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(buf[2], 0);
    EXPECT_EQ(buf[3], 9);
    ZeroBytes(buf, -1);
    EXPECT_EQ(buf[0], 9);
}

TEST(MoxCompare, IsMainThread) {
    EXPECT_TRUE(IsMainThread());
    bool onWorker = true;
    std::thread([&] { onWorker = IsMainThread(); }).join();
    EXPECT_FALSE(onWorker);
}

TEST(MoxCompare, Bounds) {
    EXPECT_EQ(MaxInteger(-3, 2), 2);
    EXPECT_EQ(MinInteger(-3, 2), -3);
    EXPECT_EQ(MaxInteger(INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(MinInteger(INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(MaxOfIntegers({7}), 7);
    EXPECT_EQ(MaxOfIntegers({-5, -2, -9}), -2);
    const int values[] = {3, 11, 11, 4};
    EXPECT_EQ(MaxOfIntegers(values), 11);
    try {
        MaxOfIntegers(std::span<const int>());
        ADD_FAILURE() << "an empty list has no largest value";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (0)");
    }
    EXPECT_EQ(MaxFloat(1.5, -2.0), 1.5);
    EXPECT_EQ(MinFloat(1.5, -2.0), -2.0);
    EXPECT_EQ(MaxExtended(1.0L, LDBL_MAX), LDBL_MAX);
    EXPECT_EQ(MinExtended(-LDBL_MAX, 0.0L), -LDBL_MAX);
}

} // namespace
