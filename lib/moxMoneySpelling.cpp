#include "lib/moxMoneySpelling.h"

#include <QLocale>
#include <QVarLengthArray>

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

// Upper-cases the first character in the current locale. Plain Latin letters other than "i" have
// the same capital everywhere, so only the rest needs the locale's case tables.
void UpperFirst(String& Text) {
    const QChar first = Text.at(0);
    if (first.unicode() < 0x80 && first != u'i') {
        if (first >= u'a' && first <= u'z') Text[0] = QChar(first.unicode() - (u'a' - u'A'));
        return;
    }
    const qsizetype length = first.isHighSurrogate() && Text.size() > 1 ? 2 : 1;
    Text.replace(0, length, QLocale().toUpper(Text.left(length)));
}

} // namespace

// The text being built, on the stack while it is short; it becomes a string once, at its full size.
class TMoneySpelling::Buffer {
public:
    void Append(QChar C) { chars_.append(C); }
    void Append(const Word& W) { chars_.append(W.data, W.size); }
    void Append(const String& S) { chars_.append(S.constData(), S.size()); }
    void AppendDigits(UInt64 N) {
        QChar digits[20];
        int count = 0;
        do {
            digits[count++] = QChar(char16_t(u'0' + N % 10));
            N /= 10;
        } while (N > 0);
        if (count < 2) digits[count++] = u'0';
        while (count > 0)
            chars_.append(digits[--count]);
    }
    qsizetype Size() const { return chars_.size(); }
    void Truncate(qsizetype Size) { chars_.resize(Size); }
    String ToString() const { return String(chars_.constData(), chars_.size()); }

private:
    QVarLengthArray<QChar, 512> chars_;
};

TMoneySpelling::TMoneySpelling() : lists_(TheBuiltIns().lines), minus_(SMoneyMinus) {
    for (int i = 0; i < ListCount; ++i)
        UpdateWords(i);
    SetZero(SMoneyZero);
}

void TMoneySpelling::SetLines(int Index, std::vector<String> Lines) {
    lists_.at(Index) = std::move(Lines);
    UpdateWords(Index);
}

void TMoneySpelling::UpdateWords(int Index) {
    const std::vector<String>& lines = lists_[Index];
    for (int slot = 0; slot < SlotCount; ++slot)
        words_[Index][slot] =
            slot < int(lines.size()) ? Word{lines[slot].constData(), lines[slot].size()} : Word{};
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

void TMoneySpelling::AppendTriad(Buffer& Out, unsigned R, bool Male) const {
    const unsigned hundreds = R / 100, below = R % 100;
    const int ones = Male ? mwMaleOne : mwFemaleOne;
    if (hundreds > 0) {
        Out.Append(words_[mwHundred][hundreds - 1]);
        if (below > 0) Out.Append(u' ');
    }
    if (below / 10 >= 2) {
        Out.Append(words_[mwTen][below / 10 - 1]);
        if (below % 10 > 0) {
            Out.Append(u' ');
            Out.Append(words_[ones][below % 10 - 1]);
        }
    } else if (below >= 1 && below <= 9) {
        Out.Append(words_[ones][below - 1]);
    } else if (below == 10) {
        Out.Append(words_[mwTen][0]);
    } else if (below >= 11) {
        Out.Append(words_[mwFirstTen][below - 11]);
    }
}

void TMoneySpelling::AppendNumber(Buffer& Out, UInt64 N, bool Male) const {
    if (N == 0) {
        Out.Append(zeroWord_);
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
        Out.Append(u' ');
        Out.Append(words_[block.list][WordFormLine(count)]);
        if (rest > 0) Out.Append(u' ');
    }
    if (rest > 0) AppendTriad(Out, unsigned(rest), Male);
}

void TMoneySpelling::AppendPart(Buffer& Out, UInt64 N, TMoneyFormat Format, bool ZeroEmpty, bool Male,
                                int UnitList) const {
    if (N == 0 && ZeroEmpty) return;
    const qsizetype start = Out.Size();
    if (Format == mfDigit)
        Out.AppendDigits(N);
    else
        AppendNumber(Out, N, Male);
    if (Out.Size() == start) return;
    const Word& unit = words_[UnitList][WordFormLine(N)];
    if (unit.size == 0) return;
    Out.Append(u' ');
    Out.Append(unit);
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

    Buffer result;
    if (raw < 0 && (whole > 0 || hundredths > 0) && !minus_.isEmpty()) {
        result.Append(minus_);
        result.Append(u' ');
    }
    const qsizetype signEnd = result.Size();

    AppendPart(result, whole, FormatCurrency, ZeroEmptyCurrency, MaleCurrency, mwCurrency);
    const qsizetype mainEnd = result.Size();
    if (mainEnd > signEnd) {
        result.Append(u' ');
        if (!delimeter_.isEmpty()) {
            result.Append(delimeter_);
            result.Append(u' ');
        }
    }
    const qsizetype subStart = result.Size();
    AppendPart(result, hundredths, FormatCurrencySub, ZeroEmptyCurrencySub, MaleCurrencySub, mwCurrencySub);
    // No hundredth text: the main text alone, without the joining blank and delimiter.
    if (result.Size() == subStart) result.Truncate(mainEnd);
    // A sign with nothing after it is no amount.
    if (result.Size() == signEnd) result.Truncate(0);

    String text = result.ToString();
    if (UpperStart && !text.isEmpty()) UpperFirst(text);
    return text;
}
