#include "lib/moxMoney.h"

#include <QScopedValueRollback>

namespace {
std::vector<String> LinesOf(const TStrings* List) {
    std::vector<String> lines;
    const int count = List->Count();
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.push_back(List->Strings(i));
    return lines;
}
} // namespace

TmoxMoneyString::TmoxMoneyString(TComponent* AOwner) : TComponent(AOwner) {
    for (int i = 0; i < TMoneySpelling::ListCount; ++i) {
        lists_[i] = new TStringList;
        lists_[i]->OnChange = [this, i](TObject*) { ListChanged(i); };
    }
    SetDefault(true);
}

TmoxMoneyString::~TmoxMoneyString() {
    for (TStringList*& list : lists_) {
        list->OnChange = nullptr;
        FreeAndNil(list);
    }
}

TStrings* TmoxMoneyString::List(int Index) const {
    return lists_.at(Index);
}

void TmoxMoneyString::SetList(int Index, TStrings* Value) {
    lists_.at(Index)->Assign(Value);
}

bool TmoxMoneyString::IsListStored(int Index) const {
    return LinesOf(lists_.at(Index)) != TMoneySpelling::BuiltInLines(Index);
}

void TmoxMoneyString::SetDefault(bool Value) {
    if (!Value) {
        default_ = false;
        return;
    }
    // One recomputation at the end instead of one per list.
    {
        const QScopedValueRollback<bool> quiet(assigningDefaults_, true);
        for (int i = 0; i < TMoneySpelling::ListCount; ++i)
            lists_[i]->SetText(TMoneySpelling::BuiltInText(i));
    }
    spelling_.SetZero(TMoneySpelling::BuiltInZero());
    spelling_.SetMinus(TMoneySpelling::BuiltInMinus());
    for (int i = 0; i < TMoneySpelling::ListCount; ++i)
        spelling_.SetLines(i, LinesOf(lists_[i]));
    default_ = true;
    Recompute();
}

void TmoxMoneyString::ListChanged(int Index) {
    if (assigningDefaults_) return;
    spelling_.SetLines(Index, LinesOf(lists_[Index]));
    WordsChanged();
}

void TmoxMoneyString::WordsChanged() {
    bool builtIn = !IsZeroStored() && !IsMinusStored();
    for (int i = 0; builtIn && i < TMoneySpelling::ListCount; ++i)
        builtIn = spelling_.Lines(i) == TMoneySpelling::BuiltInLines(i);
    default_ = builtIn;
    Recompute();
}

template <class T> void TmoxMoneyString::Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Recompute();
}

void TmoxMoneyString::SetMaleCurrency(bool Value) {
    Change(spelling_.MaleCurrency, Value);
}
void TmoxMoneyString::SetMaleCurrencySub(bool Value) {
    Change(spelling_.MaleCurrencySub, Value);
}
void TmoxMoneyString::SetFormatCurrency(TMoneyFormat Value) {
    Change(spelling_.FormatCurrency, Value);
}
void TmoxMoneyString::SetFormatCurrencySub(TMoneyFormat Value) {
    Change(spelling_.FormatCurrencySub, Value);
}
void TmoxMoneyString::SetUpperStart(bool Value) {
    Change(spelling_.UpperStart, Value);
}
void TmoxMoneyString::SetZeroEmptyCurrency(bool Value) {
    Change(spelling_.ZeroEmptyCurrency, Value);
}
void TmoxMoneyString::SetZeroEmptyCurrencySub(bool Value) {
    Change(spelling_.ZeroEmptyCurrencySub, Value);
}

void TmoxMoneyString::SetDelimeter(const String& Value) {
    if (Value == spelling_.Delimeter()) return;
    spelling_.SetDelimeter(Value);
    Recompute();
}

void TmoxMoneyString::SetZero(const String& Value) {
    if (Value == spelling_.Zero()) return;
    spelling_.SetZero(Value);
    WordsChanged();
}

void TmoxMoneyString::SetMinus(const String& Value) {
    if (Value == spelling_.Minus()) return;
    spelling_.SetMinus(Value);
    WordsChanged();
}

void TmoxMoneyString::SetValueNumber(::Currency Value) {
    if (Value == value_) return;
    valueString_ = spelling_.MoneyToString(Value);
    value_ = Value;
}

void TmoxMoneyString::SetValueString(const String&) {
    Recompute();
}
