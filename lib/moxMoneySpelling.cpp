#include "lib/moxMoneySpelling.h"

#include <QLocale>

#include "lib/moxConsts.h"

namespace {

// The built-in texts, loaded on first use and kept until the program ends.
struct BuiltIns {
    std::array<String, TMoneySpelling::ListCount> texts;
    std::array<std::vector<String>, TMoneySpelling::ListCount> lines;

    BuiltIns()
        : texts{SMoneyCurrency, SMoneyCurrencySub, SMoneyMaleOne,  SMoneyFemaleOne, SMoneyTen,
                SMoneyFirstTen, SMoneyHundred,     SMoneyThousand, SMoneyMillion,   SMoneyBillion} {
        for (int i = 0; i < TMoneySpelling::ListCount; ++i)
            lines[i] = TMoneySpelling::SplitLines(texts[i]);
    }
};

const BuiltIns& TheBuiltIns() {
    static const BuiltIns builtIns;
    return builtIns;
}

constexpr UInt64 Billion = 1000000000;
constexpr UInt64 Million = 1000000;

void AppendDigits(String& Out, UInt64 N) {
    char16_t digits[20];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + N % 10);
        N /= 10;
    } while (N > 0);
    if (count < 2) digits[count++] = u'0';
    while (count > 0)
        Out.append(QChar(digits[--count]));
}

// Replaces the first character by its upper-case form in the current locale.
void UpperFirst(String& Text) {
    const QChar first = Text.at(0);
    const QLocale locale;
    // Plain Latin letters need no case tables, except in the languages with a dotted capital I.
    if (first.unicode() < 0x80 && locale.language() != QLocale::Turkish &&
        locale.language() != QLocale::Azerbaijani) {
        if (first >= u'a' && first <= u'z') Text[0] = QChar(first.unicode() - (u'a' - u'A'));
        return;
    }
    const qsizetype length = first.isHighSurrogate() && Text.size() > 1 ? 2 : 1;
    Text.replace(0, length, locale.toUpper(Text.left(length)));
}

} // namespace

TMoneySpelling::TMoneySpelling() : lists_(TheBuiltIns().lines), minus_(SMoneyMinus) {
    SetZero(SMoneyZero);
}

const std::vector<String>& TMoneySpelling::BuiltInLines(int Index) {
    return TheBuiltIns().lines.at(Index);
}
const String& TMoneySpelling::BuiltInText(int Index) {
    return TheBuiltIns().texts.at(Index);
}
const String& TMoneySpelling::BuiltInZero() {
    return SMoneyZero;
}
const String& TMoneySpelling::BuiltInMinus() {
    return SMoneyMinus;
}

std::vector<String> TMoneySpelling::SplitLines(const String& Text) {
    std::vector<String> lines;
    qsizetype start = 0;
    const qsizetype size = Text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = Text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines.push_back(Text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && Text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < size) lines.push_back(Text.mid(start));
    return lines;
}

void TMoneySpelling::SetZero(const String& Value) {
    zero_ = Value;
    const std::vector<String> lines = SplitLines(Value);
    zeroWord_ = lines.empty() ? String() : lines.front();
}

int TMoneySpelling::WordFormLine(UInt64 n) {
    const UInt64 lastTwo = n % 100;
    if (lastTwo >= 11 && lastTwo <= 19) return 2;
    switch (n % 10) {
    case 1:
        return 0;
    case 2:
    case 3:
    case 4:
        return 1;
    default:
        return 2;
    }
}

const String& TMoneySpelling::Line(int List, qsizetype Index) const {
    static const String empty;
    const std::vector<String>& lines = lists_[List];
    return Index >= 0 && Index < qsizetype(lines.size()) ? lines[Index] : empty;
}

void TMoneySpelling::AppendTriad(String& Out, unsigned R, bool Male) const {
    const unsigned hundreds = R / 100, below = R % 100;
    const int ones = Male ? mwMaleOne : mwFemaleOne;
    if (hundreds > 0) {
        Out.append(Line(mwHundred, hundreds - 1));
        if (below > 0) Out.append(u' ');
    }
    if (below / 10 >= 2) {
        Out.append(Line(mwTen, below / 10 - 1));
        if (below % 10 > 0) {
            Out.append(u' ');
            Out.append(Line(ones, below % 10 - 1));
        }
    } else if (below >= 1 && below <= 9) {
        Out.append(Line(ones, below - 1));
    } else if (below == 10) {
        Out.append(Line(mwTen, 0));
    } else if (below >= 11) {
        Out.append(Line(mwFirstTen, below - 11));
    }
}

void TMoneySpelling::AppendNumber(String& Out, UInt64 N, bool Male) const {
    if (N == 0) {
        Out.append(zeroWord_);
        return;
    }
    // Billions, millions and thousands each count with the same rules; a count of 1000 billions or
    // more recurses ("two thousand billion"). Thousands always take the feminine digits.
    struct Block {
        UInt64 size;
        int list;
        bool male;
    };
    static constexpr Block blocks[] = {
        {Billion, mwBillion, true}, {Million, mwMillion, true}, {1000, mwThousand, false}};
    UInt64 rest = N;
    for (const Block& block : blocks) {
        const UInt64 count = rest / block.size;
        rest %= block.size;
        if (count == 0) continue;
        AppendNumber(Out, count, block.male);
        Out.append(u' ');
        Out.append(Line(block.list, WordFormLine(count)));
        if (rest > 0) Out.append(u' ');
    }
    if (rest > 0) AppendTriad(Out, unsigned(rest), Male);
}

void TMoneySpelling::AppendPart(String& Out, UInt64 N, TMoneyFormat Format, bool ZeroEmpty, bool Male,
                                int UnitList) const {
    if (N == 0 && ZeroEmpty) return;
    const qsizetype start = Out.size();
    if (Format == mfDigit)
        AppendDigits(Out, N);
    else
        AppendNumber(Out, N, Male);
    if (Out.size() == start) return;
    const String& unit = Line(UnitList, WordFormLine(N));
    if (unit.isEmpty()) return;
    Out.append(u' ');
    Out.append(unit);
}

String TMoneySpelling::MoneyToString(Currency Value) const {
    const Int64 raw = Value.Raw();
    // The magnitude in unsigned arithmetic, so that the most negative amount has one too.
    const UInt64 magnitude = raw < 0 ? UInt64(0) - UInt64(raw) : UInt64(raw);
    UInt64 whole = magnitude / UInt64(Currency::Scale);
    const unsigned fraction = unsigned(magnitude % UInt64(Currency::Scale));
    // Hundredths rounded to the nearest, halves to the even one; 100 carries into the whole part.
    unsigned hundredths = fraction / 100;
    const unsigned beyond = fraction % 100;
    if (beyond > 50 || (beyond == 50 && hundredths % 2 == 1)) ++hundredths;
    if (hundredths == 100) {
        hundredths = 0;
        ++whole;
    }

    String result;
    result.reserve(192);
    if (raw < 0 && (whole > 0 || hundredths > 0) && !minus_.isEmpty()) {
        result.append(minus_);
        result.append(u' ');
    }
    const qsizetype signEnd = result.size();

    AppendPart(result, whole, FormatCurrency, ZeroEmptyCurrency, MaleCurrency, mwCurrency);
    const qsizetype mainEnd = result.size();
    if (mainEnd > signEnd) {
        result.append(u' ');
        if (!delimeter_.isEmpty()) {
            result.append(delimeter_);
            result.append(u' ');
        }
    }
    const qsizetype subStart = result.size();
    AppendPart(result, hundredths, FormatCurrencySub, ZeroEmptyCurrencySub, MaleCurrencySub, mwCurrencySub);
    // No hundredth text: the main text alone, without the joining blank and delimiter.
    if (result.size() == subStart) result.truncate(mainEnd);
    // A sign with nothing after it is no amount.
    if (result.size() == signEnd) result.truncate(0);

    if (UpperStart && !result.isEmpty()) UpperFirst(result);
    return result;
}
