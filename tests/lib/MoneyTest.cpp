#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "lib/moxConsts.h"
#include "lib/moxMoney.h"
#include "vcl/TypInfo.h"

namespace {

// The conversion upper-cases in the current locale: every test fixes it.
class MoneyString : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(saved_); }

    TmoxMoneyString ms;

private:
    QLocale saved_;
};

::Currency Raw(Int64 tenThousandths) {
    return ::Currency::FromRaw(tenThousandths);
}

struct Case {
    ::Currency value;
    std::function<void(TmoxMoneyString&)> setup;
    const char* expected;
};

// Every case on a fresh component.
void CheckCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        TmoxMoneyString fresh;
        if (c.setup) c.setup(fresh);
        EXPECT_EQ(fresh.MoneyToString(c.value).toStdString(), c.expected) << "raw amount " << c.value.Raw();
    }
}

} // namespace

TEST_F(MoneyString, EnglishAmounts) {
    auto delimiter = [](TmoxMoneyString& m) { m.SetDelimeter("and"); };
    auto digitSub = [](TmoxMoneyString& m) { m.SetFormatCurrencySub(mfDigit); };
    auto digitMain = [](TmoxMoneyString& m) { m.SetFormatCurrency(mfDigit); };
    auto zeroMain = [](TmoxMoneyString& m) { m.SetZeroEmptyCurrency(false); };
    auto zeroBoth = [](TmoxMoneyString& m) {
        m.SetZeroEmptyCurrency(false);
        m.SetZeroEmptyCurrencySub(false);
    };
    auto lower = [](TmoxMoneyString& m) { m.SetUpperStart(false); };
    const std::vector<Case> cases = {
        {0, {}, ""},
        {1, {}, "One dollar"},
        {7, {}, "Seven dollars"},
        {10, {}, "Ten dollars"},
        {13, {}, "Thirteen dollars"},
        {19, {}, "Nineteen dollars"},
        {21, {}, "Twenty one dollar"},
        {22, {}, "Twenty two dollars"},
        {40, {}, "Forty dollars"},
        {99, {}, "Ninety nine dollars"},
        {100, {}, "One hundred dollars"},
        {111, {}, "One hundred eleven dollars"},
        {110, {}, "One hundred ten dollars"},
        {905, {}, "Nine hundred five dollars"},
        {1000, {}, "One thousand dollars"},
        {1001, {}, "One thousand one dollar"},
        {12000, {}, "Twelve thousand dollars"},
        {999999, {}, "Nine hundred ninety nine thousand nine hundred ninety nine dollars"},
        {1000000, {}, "One million dollars"},
        {Raw(10000010100), {}, "One million one dollar one cent"},
        {1234567.89,
         {},
         "One million two hundred thirty four thousand five hundred sixty seven dollars eighty nine cents"},
        {Raw(50000000000000), {}, "Five billion dollars"},
        {Raw(20000000000000000), {}, "Two thousand billion dollars"},
        {Raw(std::numeric_limits<Int64>::max()),
         {},
         "Nine hundred twenty two thousand three hundred thirty seven billion two hundred three million six "
         "hundred eighty five thousand four hundred seventy seven dollars fifty eight cents"},
        // The hundredths: rounded to the nearest, halves to the even one, 100 carries.
        {0.5, {}, "Fifty cents"},
        {0.01, {}, "One cent"},
        {0.125, {}, "Twelve cents"},
        {0.375, {}, "Thirty eight cents"},
        {0.005, {}, ""},
        {0.015, {}, "Two cents"},
        {0.0051, {}, "One cent"},
        {0.9975, {}, "One dollar"},
        {Raw(99999), {}, "Ten dollars"},
        // Joining, digits, zero parts and case.
        {3.07, delimiter, "Three dollars and seven cents"},
        {3, delimiter, "Three dollars"},
        {0.07, delimiter, "Seven cents"},
        {3.07, digitSub, "Three dollars 07 cents"},
        {5, digitMain, "05 dollars"},
        {123.4, digitMain, "123 dollars forty cents"},
        {0.25, zeroMain, "Zero dollars twenty five cents"},
        {0, zeroBoth, "Zero dollars zero cents"},
        {0, digitMain, ""},
        {10, lower, "ten dollars"},
    };
    CheckCases(cases);
}

TEST_F(MoneyString, NegativeAmountsTakeTheMinusWord) {
    auto digitMain = [](TmoxMoneyString& m) { m.SetFormatCurrency(mfDigit); };
    auto noMinus = [](TmoxMoneyString& m) { m.SetMinus(""); };
    auto otherMinus = [](TmoxMoneyString& m) {
        m.SetMinus("less");
        m.SetUpperStart(false);
    };
    const std::vector<Case> cases = {
        {-10.5, {}, "Minus ten dollars fifty cents"},
        {-0.25, {}, "Minus twenty five cents"},
        {-21, {}, "Minus twenty one dollar"},
        {-5, digitMain, "Minus 05 dollars"},
        {-3, noMinus, "Three dollars"},
        {-3, otherMinus, "less three dollars"},
        // Nothing is written for an amount that rounds to zero, so there is nothing to sign.
        {Raw(-1), {}, ""},
        {-0.005, {}, ""},
        {Raw(std::numeric_limits<Int64>::min()),
         {},
         "Minus nine hundred twenty two thousand three hundred thirty seven billion two hundred three "
         "million six hundred eighty five thousand four hundred seventy seven dollars fifty eight cents"},
    };
    CheckCases(cases);
}

namespace {

// Russian words: rubles are masculine, kopecks and thousands feminine.
void UseRussian(TmoxMoneyString& m) {
    m.Currency()->SetText("рубль\nрубля\nрублей");
    m.CurrencySub()->SetText("копейка\nкопейки\nкопеек");
    m.MaleOne()->SetText("один\nдва\nтри\nчетыре\nпять\nшесть\nсемь\nвосемь\nдевять");
    m.FemaleOne()->SetText("одна\nдве\nтри\nчетыре\nпять\nшесть\nсемь\nвосемь\nдевять");
    m.Ten()->SetText(
        "десять\nдвадцать\nтридцать\nсорок\nпятьдесят\nшестьдесят\nсемьдесят\nвосемьдесят\nдевяносто");
    m.FirstTen()->SetText("одиннадцать\nдвенадцать\nтринадцать\nчетырнадцать\nпятнадцать\nшестнадцать\n"
                          "семнадцать\nвосемнадцать\nдевятнадцать");
    m.Hundred()->SetText("сто\nдвести\nтриста\nчетыреста\nпятьсот\nшестьсот\nсемьсот\nвосемьсот\nдевятьсот");
    m.Thousand()->SetText("тысяча\nтысячи\nтысяч");
    m.Million()->SetText("миллион\nмиллиона\nмиллионов");
    m.Billion()->SetText("миллиард\nмиллиарда\nмиллиардов");
    m.SetZero("ноль");
    m.SetMinus("минус");
}

} // namespace

TEST_F(MoneyString, RussianFormsAndGenders) {
    const std::vector<Case> cases = {
        {1, UseRussian, "Один рубль"},
        {2, UseRussian, "Два рубля"},
        {5, UseRussian, "Пять рублей"},
        {11, UseRussian, "Одиннадцать рублей"},
        {21, UseRussian, "Двадцать один рубль"},
        {22, UseRussian, "Двадцать два рубля"},
        {25, UseRussian, "Двадцать пять рублей"},
        {101, UseRussian, "Сто один рубль"},
        {112, UseRussian, "Сто двенадцать рублей"},
        {1000, UseRussian, "Одна тысяча рублей"},
        {2000, UseRussian, "Две тысячи рублей"},
        {5000, UseRussian, "Пять тысяч рублей"},
        {11000, UseRussian, "Одиннадцать тысяч рублей"},
        {21000, UseRussian, "Двадцать одна тысяча рублей"},
        {22001, UseRussian, "Двадцать две тысячи один рубль"},
        {1000000, UseRussian, "Один миллион рублей"},
        {22000000, UseRussian, "Двадцать два миллиона рублей"},
        {Raw(20000000000000), UseRussian, "Два миллиарда рублей"},
        {Raw(20000000000000000), UseRussian, "Две тысячи миллиардов рублей"},
        {0.01, UseRussian, "Одна копейка"},
        {0.02, UseRussian, "Две копейки"},
        {0.05, UseRussian, "Пять копеек"},
        {0.11, UseRussian, "Одиннадцать копеек"},
        {0.21, UseRussian, "Двадцать одна копейка"},
        {0.22, UseRussian, "Двадцать две копейки"},
        {0.25, UseRussian, "Двадцать пять копеек"},
        {101.01, UseRussian, "Сто один рубль одна копейка"},
        {-21.21, UseRussian, "Минус двадцать один рубль двадцать одна копейка"},
    };
    CheckCases(cases);

    // The gender switches choose the digit list of each part.
    TmoxMoneyString m;
    UseRussian(m);
    m.SetMaleCurrency(false);
    m.SetMaleCurrencySub(true);
    EXPECT_EQ(m.MoneyToString(21.21), "Двадцать одна рубль двадцать один копейка");
    m.SetZeroEmptyCurrency(false);
    EXPECT_EQ(m.MoneyToString(0.5), "Ноль рублей пятьдесят копеек");
}

TEST_F(MoneyString, StartsAsTheDefaultsSay) {
    EXPECT_TRUE(ms.MaleCurrency());
    EXPECT_FALSE(ms.MaleCurrencySub());
    EXPECT_TRUE(ms.Default());
    EXPECT_EQ(ms.Delimeter(), "");
    EXPECT_EQ(ms.FormatCurrency(), mfVerbal);
    EXPECT_EQ(ms.FormatCurrencySub(), mfVerbal);
    EXPECT_TRUE(ms.UpperStart());
    EXPECT_EQ(ms.ValueNumber(), ::Currency(0));
    EXPECT_EQ(ms.ValueString(), "");
    EXPECT_EQ(ms.Zero(), "zero\r\n");
    EXPECT_EQ(ms.Minus(), "minus");
    EXPECT_TRUE(ms.ZeroEmptyCurrency());
    EXPECT_TRUE(ms.ZeroEmptyCurrencySub());
    EXPECT_EQ(ms.Currency()->ToQStringList(), QStringList({"dollar", "dollars", "dollars"}));
    EXPECT_EQ(ms.Hundred()->Strings(8), "nine hundred");
    EXPECT_EQ(ms.FirstTen()->Strings(0), "eleven");
    for (int i = 0; i < TMoneySpelling::ListCount; ++i)
        EXPECT_FALSE(ms.IsListStored(i)) << i;
    EXPECT_FALSE(ms.IsZeroStored());
}

TEST_F(MoneyString, PublishesItsPropertiesAndStoresOnlyWhatItShould) {
    // A fresh component writes only MaleCurrencySub, which has no default and is always stored.
    for (const char* name : {"MaleCurrency", "Delimeter", "FormatCurrency", "FormatCurrencySub", "UpperStart",
                             "Zero", "Minus", "ZeroEmptyCurrency", "ZeroEmptyCurrencySub"}) {
        PPropInfo info = GetPropInfo(&ms, name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_TRUE(IsStoredProp(&ms, info)) << name;
        EXPECT_TRUE(IsDefaultPropValue(&ms, info)) << name;
    }
    EXPECT_TRUE(IsStoredProp(&ms, "MaleCurrencySub"));
    EXPECT_FALSE(IsDefaultPropValue(&ms, GetPropInfo(&ms, "MaleCurrencySub")));
    EXPECT_EQ(GetPropDefaultText(GetPropInfo(&ms, "Zero")), SMoneyZero);
    EXPECT_EQ(GetPropDefaultText(GetPropInfo(&ms, "Minus")), SMoneyMinus);
    for (const char* name : {"Default", "ValueNumber", "ValueString"})
        EXPECT_FALSE(IsStoredProp(&ms, name)) << name;
    EXPECT_EQ(PropType(&ms, "ValueNumber"), tkFloat);

    // A list is stored once its text differs from the built-in one, and only then.
    for (const char* name : {"Currency", "CurrencySub", "MaleOne", "FemaleOne", "Ten", "FirstTen", "Hundred",
                             "Thousand", "Million", "Billion"}) {
        EXPECT_EQ(PropType(&ms, name), tkClass) << name;
        EXPECT_FALSE(IsStoredProp(&ms, name)) << name;
    }
    ms.Million()->SetStrings(1, "millions");
    EXPECT_TRUE(IsStoredProp(&ms, "Million"));
    EXPECT_FALSE(IsStoredProp(&ms, "Billion"));
    ms.SetZero("nil");
    EXPECT_FALSE(IsDefaultPropValue(&ms, GetPropInfo(&ms, "Zero")));

    // Properties set by name, as a form resource sets them.
    SetEnumProp(&ms, "FormatCurrency", "mfDigit");
    EXPECT_EQ(ms.FormatCurrency(), mfDigit);
    SetFloatProp(&ms, "ValueNumber", 7);
    EXPECT_EQ(ms.ValueString(), "07 dollars");
    EXPECT_EQ(GetStrProp(&ms, "ValueString"), "07 dollars");
}

TEST_F(MoneyString, ValueStringFollowsEveryChange) {
    ms.SetValueNumber(21.5);
    EXPECT_EQ(ms.ValueString(), "Twenty one dollar fifty cents");
    ms.SetDelimeter("and");
    EXPECT_EQ(ms.ValueString(), "Twenty one dollar and fifty cents");
    ms.SetFormatCurrency(mfDigit);
    EXPECT_EQ(ms.ValueString(), "21 dollar and fifty cents");
    ms.SetFormatCurrencySub(mfDigit);
    EXPECT_EQ(ms.ValueString(), "21 dollar and 50 cents");
    ms.SetFormatCurrency(mfVerbal);
    ms.SetFormatCurrencySub(mfVerbal);
    ms.SetUpperStart(false);
    EXPECT_EQ(ms.ValueString(), "twenty one dollar and fifty cents");
    ms.Currency()->SetStrings(0, "buck");
    EXPECT_EQ(ms.ValueString(), "twenty one buck and fifty cents");
    ms.MaleOne()->SetStrings(0, "uno");
    EXPECT_EQ(ms.ValueString(), "twenty uno buck and fifty cents");
    ms.SetMaleCurrency(false);
    EXPECT_EQ(ms.ValueString(), "twenty one buck and fifty cents");

    ms.SetValueNumber(0);
    EXPECT_EQ(ms.ValueString(), "");
    ms.SetZeroEmptyCurrency(false);
    EXPECT_EQ(ms.ValueString(), "zero dollars");
    ms.SetZero("nil");
    EXPECT_EQ(ms.ValueString(), "nil dollars");
    ms.SetZeroEmptyCurrencySub(false);
    EXPECT_EQ(ms.ValueString(), "nil dollars and nil cents");
    ms.SetValueNumber(-1);
    ms.SetMinus("less");
    EXPECT_EQ(ms.ValueString(), "less one buck and nil cents");

    // Writing the text only recomputes it.
    ms.SetValueString("anything");
    EXPECT_EQ(ms.ValueString(), "less one buck and nil cents");
    // MoneyToString leaves the component as it was.
    EXPECT_EQ(ms.MoneyToString(2), "two dollars and nil cents");
    EXPECT_EQ(ms.ValueNumber(), ::Currency(-1));
}

TEST_F(MoneyString, DefaultTellsWhetherEveryTextIsBuiltIn) {
    ms.Million()->SetText("mio\nmio\nmio");
    EXPECT_FALSE(ms.Default());
    EXPECT_TRUE(ms.IsListStored(mwMillion));
    ms.Thousand()->SetText("k\nk\nk");
    // Putting one list back is not enough while another still differs.
    ms.Million()->SetText(SMoneyMillion);
    EXPECT_FALSE(ms.Default());
    EXPECT_FALSE(ms.IsListStored(mwMillion));
    ms.Thousand()->SetText("thousand\nthousand\nthousand");
    EXPECT_TRUE(ms.Default());

    ms.SetZero("nil");
    EXPECT_FALSE(ms.Default());
    EXPECT_TRUE(ms.IsZeroStored());
    ms.SetZero(SMoneyZero);
    EXPECT_TRUE(ms.Default());

    // False only clears the flag; true brings every built-in text back.
    ms.SetDefault(false);
    EXPECT_FALSE(ms.Default());
    EXPECT_EQ(ms.MoneyToString(1000000), "One million dollars");
    UseRussian(ms);
    ms.SetValueNumber(21000);
    EXPECT_EQ(ms.ValueString(), "Двадцать одна тысяча рублей");
    ms.SetDefault(true);
    EXPECT_TRUE(ms.Default());
    EXPECT_EQ(ms.ValueString(), "Twenty one thousand dollars");
    EXPECT_EQ(ms.Zero(), SMoneyZero);
    EXPECT_EQ(ms.Minus(), "minus");
    for (int i = 0; i < TMoneySpelling::ListCount; ++i)
        EXPECT_FALSE(ms.IsListStored(i)) << i;

    // Assigning a list copies its lines.
    TStringList units;
    units.SetText("euro\neuros\neuros");
    ms.SetCurrency(&units);
    EXPECT_EQ(ms.ValueString(), "Twenty one thousand euros");
    EXPECT_FALSE(ms.Default());
    units.SetText("other");
    EXPECT_EQ(ms.Currency()->Strings(0), "euro");
}

TEST_F(MoneyString, ShortListsGiveEmptyWords) {
    ms.Currency()->Clear();
    ms.Ten()->SetText("ten\ntwenty");
    // A missing unit word leaves the number alone; a missing digit word leaves an empty gap.
    EXPECT_EQ(ms.MoneyToString(20.01), "Twenty one cent");
    EXPECT_EQ(ms.MoneyToString(35), " five");
    ms.CurrencySub()->Clear();
    EXPECT_EQ(ms.MoneyToString(10.2), "Ten twenty");
}

TEST_F(MoneyString, UpperCasesInTheCurrentLocale) {
    ms.MaleOne()->SetStrings(0, "ýksi");
    EXPECT_EQ(ms.MoneyToString(1), "Ýksi dollar");
    ms.MaleOne()->SetStrings(0, "iki");
    EXPECT_EQ(ms.MoneyToString(1), "Iki dollar");
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    EXPECT_EQ(ms.MoneyToString(1), "İki dollar");
}
