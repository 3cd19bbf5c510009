#include <QDateTime>
#include <QObject>
#include <QSize>
#include <QUrl>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "FixedFormatSettings.h"
#include "TestSupport.h"
#include "vcl/SysUtils.h"
#include "vcl/Variants.h"

namespace {

class VariantTest : public mox::test::FixedFormatSettings {};

// Runs f and returns the class and message of the error it raised, or "" when it raised none.
template <class F> std::string ErrorOf(F f) {
    try {
        f();
    } catch (const Exception& e) {
        return (e.ClassName() + ": " + e.Message()).toStdString();
    }
    return "";
}

const std::string castError = "EVariantTypeCastError: Invalid variant type conversion";
const std::string invalidOp = "EVariantInvalidOpError: Invalid variant operation";
const std::string badIndex = "EVariantBadIndexError: Variant or safe array index out of bounds";

TEST_F(VariantTest, TypesOfTheCppValues) {
    struct {
        Variant v;
        TVarType type;
    } cases[] = {
        {Variant(), varEmpty},
        {Null(), varNull},
        {Variant(1), varInteger},
        {Variant(Int64(1)), varInt64},
        {Variant(1u), varLongWord},
        {Variant(UInt64(1)), varUInt64},
        {Variant(SmallInt(1)), varSmallint},
        {Variant(Byte(1)), varByte},
        {Variant(1.5), varDouble},
        {Variant(1.5f), varSingle},
        {Variant(true), varBoolean},
        {Variant(String("x")), varString},
        {Variant("x"), varString},
        {Variant(Currency(1)), varCurrency},
        {Variant(TDateTime(1)), varDate},
        {VarArrayOf({1, 2}), TVarType(varArray | varVariant)},
        {VarArrayCreate({0, 1}, varInteger), TVarType(varArray | varInteger)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VarType(c.v), c.type);
    EXPECT_TRUE(VarIsEmpty(Unassigned()));
    EXPECT_TRUE(VarIsClear(Variant()));
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_FALSE(VarIsNull(Variant()));
    EXPECT_TRUE(VarIsNumeric(Variant(true)));
    EXPECT_TRUE(VarIsNumeric(Variant(Currency(1))));
    EXPECT_FALSE(VarIsNumeric(Variant(TDateTime(1))));
    EXPECT_FALSE(VarIsNumeric(Variant("1")));
    EXPECT_TRUE(VarIsStr(Variant("1")));
    EXPECT_TRUE(VarIsStr(VarAsType(1, varOleStr)));
    EXPECT_TRUE(VarIsArray(VarArrayOf({})));
    EXPECT_TRUE(VarIsType(Variant(1), {varSmallint, varInteger}));
    EXPECT_FALSE(VarIsType(Variant(1), varInt64));
}

TEST_F(VariantTest, ConversionRules) {
    struct {
        Variant v;
        std::string asInt, asDouble, asString, asBool;
    } cases[] = {
        {Variant(), "0", "0", "", "false"},
        {Variant(true), "-1", "-1", "True", "true"},
        {Variant(false), "0", "0", "False", "false"},
        {Variant(42), "42", "42", "42", "true"},
        {Variant(2.5), "2", "2.5", "2.5", "true"}, // half to even
        {Variant(3.5), "4", "3.5", "3.5", "true"},
        {Variant(-2.5), "-2", "-2.5", "-2.5", "true"},
        {Variant(Currency::FromRaw(15000)), "2", "1.5", "1.5", "true"},
        {Variant("12"), "12", "12", "12", "true"},
        {Variant(" 12"), "12", "12", " 12", "true"},
        {Variant("1.5"), "2", "1.5", "1.5", "true"},
        {Variant("$10"), "16", castError, "$10", castError},
        {Variant("abc"), castError, castError, "abc", castError},
        {Variant(""), castError, castError, "", castError},
        {Variant("true"), castError, castError, "true", "true"},
        {Variant(UInt64(1) << 63), "EVariantOverflowError: Variant overflow", "9.22337203685478e+18",
         "9223372036854775808", "true"},
        {Variant(1e10), "EVariantOverflowError: Variant overflow", "10000000000", "10000000000", "true"},
        {Variant(TDateTime(45000.25)), "45000", "45000.25", "3/15/2023 6:00:00 AM", "true"},
        {Null(), castError, castError, castError, castError},
        {VarArrayOf({1}), castError, castError, castError, castError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(VarType(c.v));
        auto text = [](auto f) {
            std::string e = ErrorOf([&] { f(); });
            if (!e.empty()) return e;
            return f();
        };
        EXPECT_EQ(text([&] { return std::to_string(c.v.ToInt()); }), c.asInt);
        EXPECT_EQ(text([&] {
                      char buf[64];
                      std::snprintf(buf, sizeof buf, "%.15g", c.v.ToDouble());
                      return std::string(buf);
                  }),
                  c.asDouble);
        EXPECT_EQ(text([&] { return c.v.ToString().toStdString(); }), c.asString);
        EXPECT_EQ(text([&] { return std::string(c.v.ToBool() ? "true" : "false"); }), c.asBool);
    }
}

TEST_F(VariantTest, TypeCastErrorsAreVariantErrors) {
    try {
        Variant("abc").ToInt();
        FAIL();
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), "Invalid variant type conversion");
        EXPECT_NE(dynamic_cast<const EVariantTypeCastError*>(&e), nullptr);
    }
}

TEST_F(VariantTest, TextAndDates) {
    EXPECT_EQ(VarToStr(Null()), "");
    EXPECT_EQ(VarToStr(Variant()), "");
    EXPECT_EQ(VarToStrDef(Null(), "none"), "none");
    EXPECT_EQ(VarToStrDef(Variant(5), "none"), "5");
    EXPECT_EQ(VarToStr(Variant(1.5f)), "1.5");
    EXPECT_EQ(VarToStr(Variant(0.1f)), "0.100000001490116"); // a Single's own value
    EXPECT_EQ(Variant("3/5/2024 2:00 PM").ToDateTime().Val, EncodeDate(2024, 3, 5) + 14.0 / 24);
    EXPECT_EQ(ErrorOf([] { Variant("13/45/2024").ToDateTime(); }), castError);
    EXPECT_EQ(VarToDateTime(Variant(2)).Val, 2);
    EXPECT_EQ(VarToStr(VarFromDateTime(EncodeDate(2024, 3, 5))), "3/5/2024");
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(Variant("1,5").ToDouble(), 1.5);
    EXPECT_EQ(VarToStr(Variant(1.5)), "1,5");
}

TEST_F(VariantTest, VarAsTypeChecksRanges) {
    EXPECT_EQ(VarType(VarAsType("12", varInteger)), varInteger);
    EXPECT_EQ(VarAsType("12", varInteger).ToInt(), 12);
    EXPECT_EQ(VarType(VarAsType(12, varString)), varString);
    EXPECT_EQ(VarAsType(12, varUString).ToString(), "12");
    EXPECT_EQ(VarAsType(255, varByte).ToInt(), 255);
    EXPECT_EQ(VarAsType(-1.25, varCurrency).ToCurrency().Raw(), -12500);
    EXPECT_EQ(VarAsType(1, varBoolean).ToBool(), true);
    EXPECT_EQ(VarType(VarAsType(Null(), varNull)), varNull);
    EXPECT_EQ(VarType(VarAsType(5, varEmpty)), varEmpty);
    EXPECT_EQ(VarType(VarAsType("3/5/2024", varDate)), varDate);
    const std::string overflow = "EVariantOverflowError: Variant overflow";
    EXPECT_EQ(ErrorOf([] { VarAsType(256, varByte); }), overflow);
    EXPECT_EQ(ErrorOf([] { VarAsType(-1, varWord); }), overflow);
    EXPECT_EQ(ErrorOf([] { VarAsType(40000, varSmallint); }), overflow);
    EXPECT_EQ(ErrorOf([] { VarAsType(1e300, varSingle); }), overflow);
    EXPECT_EQ(ErrorOf([] { VarAsType(1e300, varCurrency); }), overflow);
    EXPECT_EQ(ErrorOf([] { VarAsType(Null(), varInteger); }), castError);
    EXPECT_EQ(ErrorOf([] { VarAsType(VarArrayOf({1}), varInteger); }), castError);
}

TEST_F(VariantTest, Arithmetic) {
    struct {
        std::function<Variant()> op;
        TVarType type;
        std::string text; // the result as text, or the error
    } cases[] = {
        {[] { return Variant(2) + Variant(3); }, varInteger, "5"},
        {[] { return Variant(std::numeric_limits<int>::max()) + Variant(1); }, varInt64, "2147483648"},
        {[] { return Variant(std::numeric_limits<Int64>::max()) + Variant(1); }, varDouble,
         "9.22337203685478E18"},
        {[] { return Variant(7) / Variant(2); }, varDouble, "3.5"},
        {[] { return IntDiv(Variant(7), Variant(2)); }, varInteger, "3"},
        {[] { return IntDiv(Variant(-7), Variant(2)); }, varInteger, "-3"},
        {[] { return Variant(7) % Variant(3); }, varInteger, "1"},
        {[] { return Variant(2) * Variant(1.5); }, varDouble, "3"},
        {[] { return Variant("1") + Variant("2"); }, varString, "12"},
        {[] { return Variant("1") + Variant(2); }, varDouble, "3"},
        {[] { return Variant("3") - Variant("1"); }, varDouble, "2"},
        {[] { return Variant("x") + Variant(); }, varString, "x"},
        {[] { return Variant() + Variant(1); }, varInteger, "1"},
        {[] { return Variant(true) + Variant(1); }, varInteger, "0"},
        {[] { return Null() + Variant(1); }, varNull, ""},
        {[] { return Variant("abc") * Null(); }, varNull, ""},
        {[] { return -Null(); }, varNull, ""},
        {[] { return Variant(Currency(3)) + Variant(1); }, varCurrency, "4"},
        {[] { return Variant(Currency(10)) / Variant(4); }, varCurrency, "2.5"},
        {[] { return Variant(Currency(10)) * Variant(0.5); }, varDouble, "5"},
        {[] { return Variant(TDateTime(45000)) + Variant(1); }, varDate, "3/16/2023"},
        {[] { return Variant(TDateTime(45001)) - Variant(TDateTime(45000.5)); }, varDouble, "0.5"},
        {[] { return -Variant(5); }, varInteger, "-5"},
        {[] { return -Variant(std::numeric_limits<Int64>::min()); }, varDouble, "9.22337203685478E18"},
        {[] { return Variant(true) & Variant(false); }, varBoolean, "False"},
        {[] { return Variant(true) | Variant(false); }, varBoolean, "True"},
        {[] { return Variant(6) & Variant(3); }, varInteger, "2"},
        {[] { return Variant(6) ^ Variant(3); }, varInteger, "5"},
        {[] { return !Variant(true); }, varBoolean, "False"},
        {[] { return !Variant(0); }, varInteger, "-1"},
        {[] { return Variant("abc") + Variant(1); }, varEmpty, castError},
        {[] { return VarArrayOf({1}) + Variant(1); }, varEmpty, invalidOp},
        {[] { return -VarArrayOf({1}); }, varEmpty, invalidOp},
        {[] { return IntDiv(Variant(1), Variant(0)); }, varEmpty, "EDivByZero: Division by zero"},
        {[] { return Variant(1) % Variant(0); }, varEmpty, "EDivByZero: Division by zero"},
        {[] { return Variant(1) / Variant(0); }, varEmpty, "EZeroDivide: Floating point division by zero"},
        {[] { return Variant(0) / Variant(0.0); }, varEmpty, "EInvalidOp: Invalid floating point operation"},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(row++);
        Variant r;
        const std::string error = ErrorOf([&] { r = c.op(); });
        if (!error.empty()) {
            EXPECT_EQ(error, c.text);
            continue;
        }
        EXPECT_EQ(VarType(r), c.type);
        EXPECT_EQ(VarToStr(r).toStdString(), c.text);
    }
    Variant sum = 1;
    sum += 2;
    sum -= Variant("0.5");
    EXPECT_EQ(sum.ToDouble(), 2.5);
}

TEST_F(VariantTest, Comparisons) {
    struct {
        Variant a, b;
        TVariantRelationship r;
    } cases[] = {
        {Null(), Null(), vrEqual},
        {Null(), Variant(1), vrNotEqual},
        {Variant(), Null(), vrNotEqual},
        {Variant(), Variant(), vrEqual},
        {Variant(), Variant(0), vrEqual},
        {Variant(), Variant(""), vrEqual},
        {Variant(1), Variant(2), vrLessThan},
        {Variant(2.5), Variant(2), vrGreaterThan},
        {Variant("10"), Variant(9), vrGreaterThan}, // the string is read as a number
        {Variant("10"), Variant("9"), vrLessThan},  // two strings compare as text
        {Variant("a"), Variant("B"), vrGreaterThan},
        {Variant(true), Variant(-1), vrEqual},
        {Variant("True"), Variant(true), vrEqual},
        {Variant(Currency(1)), Variant(1), vrEqual},
        {Variant(Currency::FromRaw(10001)), Variant(1), vrGreaterThan},
        {Variant(UInt64(1) << 63), Variant(std::numeric_limits<Int64>::max()), vrGreaterThan},
        {Variant(UInt64(1)), Variant(-1), vrGreaterThan},
        {Variant(TDateTime(EncodeDate(2024, 3, 5))), Variant("3/5/2024"), vrEqual},
        {Variant(TDateTime(2)), Variant(2), vrEqual},
        {Variant(std::nan("")), Variant(1.0), vrNotEqual},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(VarToStr(c.a).toStdString() + " / " + VarToStr(c.b).toStdString());
        EXPECT_EQ(VarCompareValue(c.a, c.b), c.r);
    }
    EXPECT_TRUE(Null() == Null());
    EXPECT_FALSE(Null() == Variant(0));
    EXPECT_TRUE(Null() != Variant(0));
    EXPECT_FALSE(Null() < Variant(1));
    EXPECT_FALSE(Null() > Variant(1));
    EXPECT_FALSE(Variant(1) <= Null());
    EXPECT_TRUE(Variant(1) < Variant("2"));
    EXPECT_TRUE(Variant(2) >= Variant(2.0));
    EXPECT_EQ(ErrorOf([] { (void)(Variant("abc") == Variant(1)); }), castError);
    EXPECT_EQ(ErrorOf([] { VarCompareValue(VarArrayOf({1}), VarArrayOf({1})); }), invalidOp);
    // Same value: Empty and Null only match themselves.
    EXPECT_TRUE(VarSameValue(Variant(), Variant()));
    EXPECT_FALSE(VarSameValue(Variant(), Variant(0)));
    EXPECT_TRUE(VarSameValue(Null(), Null()));
    EXPECT_FALSE(VarSameValue(Null(), Variant()));
    EXPECT_TRUE(VarSameValue(Variant("1"), Variant(1)));
    EXPECT_FALSE(VarSameValue(Variant(1), Variant(2)));
}

TEST_F(VariantTest, ArraysHaveBoundsTypesAndValueSemantics) {
    Variant a = VarArrayCreate({1, 3}, varInteger);
    EXPECT_EQ(VarArrayDimCount(a), 1);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 3);
    EXPECT_EQ(VarType(a[1]), varInteger);
    EXPECT_EQ(a[1].ToInt(), 0);
    a.PutElement({2}, "42"); // stored as the element type
    EXPECT_EQ(VarType(a[2]), varInteger);
    EXPECT_EQ(a[2].ToInt(), 42);
    EXPECT_EQ(ErrorOf([&] { a.PutElement({2}, "x"); }), castError);
    EXPECT_EQ(ErrorOf([&] { a[0]; }), badIndex);
    EXPECT_EQ(ErrorOf([&] { a[4]; }), badIndex);
    EXPECT_EQ(ErrorOf([&] { a.GetElement({1, 1}); }), badIndex);
    EXPECT_EQ(ErrorOf([&] { VarArrayHighBound(a, 2); }), badIndex);

    Variant copy = a;
    copy.PutElement({1}, 7);
    EXPECT_EQ(a[1].ToInt(), 0); // the original keeps its elements
    EXPECT_EQ(copy[1].ToInt(), 7);

    Variant s = VarArrayCreate({0, 1}, varString);
    EXPECT_EQ(s[0].ToString(), "");

    Variant grid = VarArrayCreate({0, 1, 5, 7}, varVariant);
    EXPECT_EQ(VarArrayDimCount(grid), 2);
    EXPECT_EQ(VarArrayLowBound(grid, 2), 5);
    EXPECT_EQ(VarArrayHighBound(grid, 2), 7);
    EXPECT_TRUE(VarIsEmpty(grid.GetElement({1, 7})));
    VarArrayPut(grid, "corner", {1, 7});
    VarArrayPut(grid, 3.5, {0, 5});
    EXPECT_EQ(VarArrayGet(grid, {1, 7}).ToString(), "corner");
    EXPECT_EQ(VarArrayGet(grid, {0, 5}).ToDouble(), 3.5);
    EXPECT_EQ(ErrorOf([&] { grid.GetElement({2, 5}); }), badIndex);
    EXPECT_EQ(ErrorOf([&] { grid.GetElement({0, 8}); }), badIndex);
    VarArrayRedim(grid, 8);
    EXPECT_EQ(VarArrayGet(grid, {1, 7}).ToString(), "corner");
    EXPECT_TRUE(VarIsEmpty(VarArrayGet(grid, {1, 8})));

    // A list of name/value pairs, as the library keeps them.
    Variant list = VarArrayOf({VarArrayOf({"Name", "x"}), VarArrayOf({"Count", 3})});
    EXPECT_EQ(VarArrayHighBound(list, 1), 1);
    EXPECT_EQ(list[1][1].ToInt(), 3);
    VarArrayRedim(list, 2);
    list.PutElement({2}, VarArrayOf({"Last", Null()}));
    EXPECT_TRUE(VarIsNull(list[2][1]));
    VarArrayRedim(list, 0);
    EXPECT_EQ(VarArrayHighBound(list, 1), 0);
    EXPECT_EQ(VarArrayHighBound(VarArrayOf({}), 1), -1);

    EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
    EXPECT_EQ(ErrorOf([] { VarArrayLowBound(Variant(1), 1); }),
              "EVariantNotAnArrayError: Variant is not an array");
    const std::string createError = "EVariantArrayCreateError: Error creating variant or safe array";
    EXPECT_EQ(ErrorOf([] { VarArrayCreate({0}, varInteger); }), createError);
    EXPECT_EQ(ErrorOf([] { VarArrayCreate({5, 3}, varInteger); }), createError);
    EXPECT_EQ(ErrorOf([] { VarArrayCreate({0, 1}, varNull); }), createError);
    EXPECT_EQ(VarArrayHighBound(VarArrayCreate({5, 4}, varVariant), 1), 4); // empty
}

TEST_F(VariantTest, ConvertsToAndFromQVariant) {
    struct {
        Variant v;
        QVariant q;
    } cases[] = {
        {Variant(), QVariant()},
        {Null(), QVariant::fromValue(nullptr)},
        {Variant(true), QVariant(true)},
        {Variant(5), QVariant(5)},
        {Variant(Int64(1) << 40), QVariant(qlonglong(1) << 40)},
        {Variant(2.5), QVariant(2.5)},
        {Variant("text"), QVariant(QString("text"))},
        {Variant(TDateTime(EncodeDate(2024, 3, 5) + 0.5)),
         QVariant(QDateTime(QDate(2024, 3, 5), QTime(12, 0)))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(VarType(c.v));
        EXPECT_EQ(c.v.ToQVariant(), c.q);
        EXPECT_TRUE(VarSameValue(Variant::FromQVariant(c.q), c.v));
        EXPECT_EQ(VarType(Variant::FromQVariant(c.q)), VarType(c.v));
    }
    EXPECT_EQ(Variant(Currency::FromRaw(12500)).ToQVariant(), QVariant(1.25));
    const QVariant list = VarArrayOf({1, "a", VarArrayOf({2})}).ToQVariant();
    EXPECT_EQ(list, QVariant(QVariantList{1, QString("a"), QVariantList{2}}));
    const Variant back = Variant::FromQVariant(list);
    EXPECT_EQ(back[1].ToString(), "a");
    EXPECT_EQ(back[2][0].ToInt(), 2);
    const QVariant grid = VarArrayCreate({0, 1, 0, 2}, varInteger).ToQVariant();
    EXPECT_EQ(grid.toList().size(), 2);
    EXPECT_EQ(grid.toList()[0].toList().size(), 3);
    EXPECT_EQ(Variant::FromQVariant(QVariant(QUrl("http://x/"))).ToString(), "http://x/");
    EXPECT_EQ(ErrorOf([] { Variant::FromQVariant(QVariant(QSize(1, 2))); }), castError);
    // A QVariant may carry the Variant itself.
    const QVariant wrapped = QVariant::fromValue(VarArrayOf({1, 2}));
    EXPECT_EQ(VarArrayHighBound(Variant::FromQVariant(wrapped), 1), 1);
}

// A published property of type Variant, as the library's components declare them.
class Holder : public QObject {
    Q_OBJECT
    Q_PROPERTY(Variant Value READ Value WRITE SetValue)
public:
    Variant Value() const { return value_; }
    void SetValue(const Variant& v) { value_ = v; }

private:
    Variant value_;
};

TEST_F(VariantTest, ServesAsAQtPropertyType) {
    Holder h;
    EXPECT_TRUE(h.setProperty("Value", QVariant::fromValue(Variant("x"))));
    EXPECT_EQ(h.Value().ToString(), "x");
    const QVariant read = h.property("Value");
    EXPECT_EQ(read.metaType(), QMetaType::fromType<Variant>());
    EXPECT_TRUE(VarIsNull(Variant::FromQVariant(QVariant::fromValue(Null()))));
    EXPECT_EQ(read.value<Variant>().ToString(), "x");
}

} // namespace

#include "VariantTest.moc"
