#pragma once
// The money-to-words rules on plain word lists: the engine behind TmoxMoneyString.
#include <array>
#include <vector>

#include "vcl/Classes.h"

namespace moxMoney {
Q_NAMESPACE

// Form of one part of the amount: in words, or in decimal digits (at least two).
enum TMoneyFormat {
    mfVerbal,
    mfDigit
};
Q_ENUM_NS(TMoneyFormat)

// The ten word lists, by their index.
enum TMoneyWordList {
    mwCurrency,    // forms 0, 1, 2 of the main unit
    mwCurrencySub, // forms 0, 1, 2 of the hundredth unit
    mwMaleOne,     // masculine 1 to 9
    mwFemaleOne,   // feminine 1 to 9
    mwTen,         // 10, 20, ..., 90
    mwFirstTen,    // 11 to 19
    mwHundred,     // 100, 200, ..., 900
    mwThousand,    // forms 0, 1, 2
    mwMillion,     // forms 0, 1, 2
    mwBillion,     // forms 0, 1, 2
};

} // namespace moxMoney
using namespace moxMoney;

// Writes amounts out in words from ten word lists, choosing among three grammatical forms of each
// unit word by the Slavic plural rule and between masculine and feminine digits, so that only the
// lists change from one language to another. Starts with the built-in English words.
//
// A negative amount is written as its absolute value preceded by the Minus word and a blank
// ("Minus ten dollars"); an empty Minus writes no sign. An amount that rounds to zero hundredths
// gets no Minus word, so -0.001 reads exactly like 0.
class TMoneySpelling {
public:
    static constexpr int ListCount = 10;

    TMoneySpelling();
    // Not copyable: it keeps views into its own word lists.
    TMoneySpelling(const TMoneySpelling&) = delete;
    TMoneySpelling& operator=(const TMoneySpelling&) = delete;

    // The built-in texts: each list's lines, the Zero text and the Minus word.
    static const std::vector<String>& BuiltInLines(int Index);
    static const String& BuiltInText(int Index);
    static const String& BuiltInZero();
    static const String& BuiltInMinus();
    // The lines of a text as the string lists split it: at "\r\n", "\n" or "\r", no line after a
    // final break.
    static std::vector<String> SplitLines(const String& Text);

    const std::vector<String>& Lines(int Index) const { return lists_[Index]; }
    void SetLines(int Index, std::vector<String> Lines);

    // The text of a part that is 0; only its first line is written (the built-in text is the word
    // and a line break, and a line break inside an amount is never wanted).
    const String& Zero() const { return zero_; }
    void SetZero(const String& Value);
    const String& Minus() const { return minus_; }
    void SetMinus(const String& Value) { minus_ = Value; }
    const String& Delimeter() const { return delimeter_; }
    void SetDelimeter(const String& Value) { delimeter_ = Value; }

    bool MaleCurrency = true;
    bool MaleCurrencySub = false;
    TMoneyFormat FormatCurrency = mfVerbal;
    TMoneyFormat FormatCurrencySub = mfVerbal;
    bool UpperStart = true;
    bool ZeroEmptyCurrency = true;
    bool ZeroEmptyCurrencySub = true;

    // The amount in words; does not change the object.
    String MoneyToString(Currency Value) const;

    // The line of the grammatical form for the count n: 0 for 1, 21, 31 ...; 1 for 2 to 4, 22 to 24 ...;
    // 2 for the rest and for 11 to 19.
    static int WordFormLine(UInt64 n);

private:
    // The algorithm asks for lines 0 to 8 only: each list is seen through nine fixed slots, empty
    // where the list is shorter, so that a conversion neither checks bounds nor copies strings.
    static constexpr int SlotCount = 9;
    struct Word {
        const QChar* data = nullptr;
        qsizetype size = 0;
    };
    class Buffer;

    void UpdateWords(int Index);
    void AppendNumber(Buffer& Out, UInt64 N, bool Male) const;
    void AppendTriad(Buffer& Out, unsigned R, bool Male) const;
    void AppendPart(Buffer& Out, UInt64 N, TMoneyFormat Format, bool ZeroEmpty, bool Male,
                    int UnitList) const;

    std::array<std::vector<String>, ListCount> lists_;
    std::array<std::array<Word, SlotCount>, ListCount> words_;
    String zero_;
    String zeroWord_;
    String minus_;
    String delimeter_;
};
