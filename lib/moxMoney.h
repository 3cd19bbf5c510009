#pragma once
// TmoxMoneyString: a currency amount written out in words, as on cheques and invoices.
#include <array>

#include "lib/moxMoneySpelling.h"
#include "vcl/Classes.h"

// A non-visual component that writes ValueNumber out in words into ValueString. Every word comes
// from ten string lists (built-in English), so another language needs only other lists: the unit
// words have three grammatical forms chosen by the Slavic plural rule, and the digits 1 to 9 a
// masculine and a feminine form (thousands always take the feminine ones).
//
// Negative amounts: the absolute value preceded by the Minus word and a blank ("Minus ten dollars
// fifty cents"; "Minus 05 dollars" in digits). Minus is one more published word, built-in "minus",
// part of the built-in texts that Default restores; an empty Minus writes no sign. An amount that
// rounds to zero hundredths is written without a sign.
//
// The Zero text is written up to its first line break: the built-in text is "zero" and a line break.
//
// Default is true exactly while every list, Zero and Minus hold the built-in texts; it is
// recomputed whenever one of them changes.
class TmoxMoneyString : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool MaleCurrency READ MaleCurrency WRITE SetMaleCurrency)
    Q_PROPERTY(bool MaleCurrencySub READ MaleCurrencySub WRITE SetMaleCurrencySub)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault STORED false)
    Q_PROPERTY(QString Delimeter READ Delimeter WRITE SetDelimeter)
    Q_PROPERTY(TStrings* Currency READ Currency WRITE SetCurrency)
    Q_PROPERTY(TStrings* CurrencySub READ CurrencySub WRITE SetCurrencySub)
    Q_PROPERTY(TStrings* MaleOne READ MaleOne WRITE SetMaleOne)
    Q_PROPERTY(TStrings* FemaleOne READ FemaleOne WRITE SetFemaleOne)
    Q_PROPERTY(TStrings* Ten READ Ten WRITE SetTen)
    Q_PROPERTY(TStrings* FirstTen READ FirstTen WRITE SetFirstTen)
    Q_PROPERTY(TStrings* Hundred READ Hundred WRITE SetHundred)
    Q_PROPERTY(TStrings* Thousand READ Thousand WRITE SetThousand)
    Q_PROPERTY(TStrings* Million READ Million WRITE SetMillion)
    Q_PROPERTY(TStrings* Billion READ Billion WRITE SetBillion)
    Q_PROPERTY(moxMoney::TMoneyFormat FormatCurrency READ FormatCurrency WRITE SetFormatCurrency)
    Q_PROPERTY(moxMoney::TMoneyFormat FormatCurrencySub READ FormatCurrencySub WRITE SetFormatCurrencySub)
    Q_PROPERTY(QString Minus READ Minus WRITE SetMinus)
    Q_PROPERTY(bool UpperStart READ UpperStart WRITE SetUpperStart)
    Q_PROPERTY(::Currency ValueNumber READ ValueNumber WRITE SetValueNumber STORED false)
    Q_PROPERTY(QString ValueString READ ValueString WRITE SetValueString STORED false)
    Q_PROPERTY(QString Zero READ Zero WRITE SetZero)
    Q_PROPERTY(bool ZeroEmptyCurrency READ ZeroEmptyCurrency WRITE SetZeroEmptyCurrency)
    Q_PROPERTY(bool ZeroEmptyCurrencySub READ ZeroEmptyCurrencySub WRITE SetZeroEmptyCurrencySub)
    MOX_DEFAULT(MaleCurrency, True)
    MOX_DEFAULT(Delimeter, "")
    MOX_DEFAULT(FormatCurrency, mfVerbal)
    MOX_DEFAULT(FormatCurrencySub, mfVerbal)
    MOX_DEFAULT(UpperStart, True)
    MOX_DEFAULT(ZeroEmptyCurrency, True)
    MOX_DEFAULT(ZeroEmptyCurrencySub, True)
    // The built-in texts (SMoneyZero, SMoneyMinus).
    Q_CLASSINFO("default:Zero", "zero\r\n")
    Q_CLASSINFO("default:Minus", "minus")
    MOX_STORED(Currency, IsCurrencyStored)
    MOX_STORED(CurrencySub, IsCurrencySubStored)
    MOX_STORED(MaleOne, IsMaleOneStored)
    MOX_STORED(FemaleOne, IsFemaleOneStored)
    MOX_STORED(Ten, IsTenStored)
    MOX_STORED(FirstTen, IsFirstTenStored)
    MOX_STORED(Hundred, IsHundredStored)
    MOX_STORED(Thousand, IsThousandStored)
    MOX_STORED(Million, IsMillionStored)
    MOX_STORED(Billion, IsBillionStored)
public:
    explicit TmoxMoneyString(TComponent* AOwner = nullptr);
    ~TmoxMoneyString() override;

    // The text for Value, without changing the component.
    String MoneyToString(::Currency Value) const { return spelling_.MoneyToString(Value); }

    // The ten lists by index (TMoneyWordList); setting one copies the lines of Value.
    TStrings* List(int Index) const;
    void SetList(int Index, TStrings* Value);
    // A list is stored only when its text differs from its built-in text; so are Zero and Minus.
    bool IsListStored(int Index) const;
    bool IsZeroStored() const { return Zero() != TMoneySpelling::BuiltInZero(); }
    bool IsMinusStored() const { return Minus() != TMoneySpelling::BuiltInMinus(); }
    Q_INVOKABLE bool IsCurrencyStored() const { return IsListStored(mwCurrency); }
    Q_INVOKABLE bool IsCurrencySubStored() const { return IsListStored(mwCurrencySub); }
    Q_INVOKABLE bool IsMaleOneStored() const { return IsListStored(mwMaleOne); }
    Q_INVOKABLE bool IsFemaleOneStored() const { return IsListStored(mwFemaleOne); }
    Q_INVOKABLE bool IsTenStored() const { return IsListStored(mwTen); }
    Q_INVOKABLE bool IsFirstTenStored() const { return IsListStored(mwFirstTen); }
    Q_INVOKABLE bool IsHundredStored() const { return IsListStored(mwHundred); }
    Q_INVOKABLE bool IsThousandStored() const { return IsListStored(mwThousand); }
    Q_INVOKABLE bool IsMillionStored() const { return IsListStored(mwMillion); }
    Q_INVOKABLE bool IsBillionStored() const { return IsListStored(mwBillion); }

    TStrings* Currency() const { return List(mwCurrency); }
    void SetCurrency(TStrings* Value) { SetList(mwCurrency, Value); }
    TStrings* CurrencySub() const { return List(mwCurrencySub); }
    void SetCurrencySub(TStrings* Value) { SetList(mwCurrencySub, Value); }
    TStrings* MaleOne() const { return List(mwMaleOne); }
    void SetMaleOne(TStrings* Value) { SetList(mwMaleOne, Value); }
    TStrings* FemaleOne() const { return List(mwFemaleOne); }
    void SetFemaleOne(TStrings* Value) { SetList(mwFemaleOne, Value); }
    TStrings* Ten() const { return List(mwTen); }
    void SetTen(TStrings* Value) { SetList(mwTen, Value); }
    TStrings* FirstTen() const { return List(mwFirstTen); }
    void SetFirstTen(TStrings* Value) { SetList(mwFirstTen, Value); }
    TStrings* Hundred() const { return List(mwHundred); }
    void SetHundred(TStrings* Value) { SetList(mwHundred, Value); }
    TStrings* Thousand() const { return List(mwThousand); }
    void SetThousand(TStrings* Value) { SetList(mwThousand, Value); }
    TStrings* Million() const { return List(mwMillion); }
    void SetMillion(TStrings* Value) { SetList(mwMillion, Value); }
    TStrings* Billion() const { return List(mwBillion); }
    void SetBillion(TStrings* Value) { SetList(mwBillion, Value); }

    bool MaleCurrency() const { return spelling_.MaleCurrency; }
    void SetMaleCurrency(bool Value);
    bool MaleCurrencySub() const { return spelling_.MaleCurrencySub; }
    void SetMaleCurrencySub(bool Value);
    bool Default() const { return default_; }
    // True puts the built-in texts into every list, Zero and Minus; false only clears the flag.
    void SetDefault(bool Value);
    String Delimeter() const { return spelling_.Delimeter(); }
    void SetDelimeter(const String& Value);
    TMoneyFormat FormatCurrency() const { return spelling_.FormatCurrency; }
    void SetFormatCurrency(TMoneyFormat Value);
    TMoneyFormat FormatCurrencySub() const { return spelling_.FormatCurrencySub; }
    void SetFormatCurrencySub(TMoneyFormat Value);
    String Minus() const { return spelling_.Minus(); }
    void SetMinus(const String& Value);
    bool UpperStart() const { return spelling_.UpperStart; }
    void SetUpperStart(bool Value);
    ::Currency ValueNumber() const { return value_; }
    void SetValueNumber(::Currency Value);
    String ValueString() const { return valueString_; }
    // Any text only recomputes ValueString from ValueNumber.
    void SetValueString(const String& Value);
    String Zero() const { return spelling_.Zero(); }
    void SetZero(const String& Value);
    bool ZeroEmptyCurrency() const { return spelling_.ZeroEmptyCurrency; }
    void SetZeroEmptyCurrency(bool Value);
    bool ZeroEmptyCurrencySub() const { return spelling_.ZeroEmptyCurrencySub; }
    void SetZeroEmptyCurrencySub(bool Value);

private:
    void ListChanged(int Index);
    void WordsChanged();
    void Recompute() { valueString_ = spelling_.MoneyToString(value_); }
    template <class T> void Change(T& Field, T Value);

    TMoneySpelling spelling_;
    std::array<TStringList*, TMoneySpelling::ListCount> lists_{};
    ::Currency value_;
    String valueString_;
    bool default_ = false;
    bool assigningDefaults_ = false;
};
