#include "vcl/classes/Strings.h"

#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Reader.h"
#include "vcl/classes/Writer.h"

using namespace ClassesConsts;

TStrings::TStrings() = default;
TStrings::~TStrings() = default;

void TStrings::DefineProperties(TFiler* Filer) {
    auto* ancestor = dynamic_cast<TStrings*>(Filer->Ancestor());
    const bool hasData = ancestor ? !Equals(ancestor) : Count() > 0;
    Filer->DefineProperty(
        QStringLiteral("Strings"),
        [this](TReader* Reader) {
            Updating([&] {
                Clear();
                Reader->ReadListBegin();
                while (!Reader->EndOfList()) Add(Reader->ReadString());
                Reader->ReadListEnd();
            });
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            for (int i = 0; i < Count(); ++i) Writer->WriteString(Get(i));
            Writer->WriteListEnd();
        },
        hasData);
}

void TStrings::Error(const char* Message, int Data) const {
    throw EStringListError(Fmt(Message, Data));
}

int TStrings::CompareStrings(const String& S1, const String& S2) const {
    return AnsiCompareText(S1, S2);
}

void TStrings::Put(int Index, const String& S) {
    TObject* object = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, object);
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const String& S) {
    const int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::AddStrings(TStrings* Strings) {
    if (!Strings) return;
    Updating([&] {
        // The count is taken once, so adding a list to itself doubles it instead of running on.
        const int n = Strings->Count();
        for (int i = 0; i < n; ++i)
            AddObject(Strings->Get(i), Strings->GetObject(i));
    });
}

void TStrings::AddStrings(const QStringList& Strings) {
    Updating([&] {
        for (const String& s : Strings)
            Add(s);
    });
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
    Updating([&] {
        const String s = Get(Index1);
        TObject* o = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, s);
        PutObject(Index2, o);
    });
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    Updating([&] {
        const String s = Get(CurIndex);
        TObject* o = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, o);
    });
}

int TStrings::IndexOf(const String& S) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        const String s = Get(i);
        const qsizetype p = s.indexOf(nameValueSeparator_);
        if (p >= 0 && CompareStrings(s.left(p), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const {
    if (!Strings) return false;
    const int n = Count();
    if (n != Strings->Count()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

String TStrings::Names(int Index) const {
    const String s = Get(Index);
    const qsizetype p = s.indexOf(nameValueSeparator_);
    return p >= 0 ? s.left(p) : String();
}

String TStrings::Values(const String& Name) const {
    const int i = IndexOfName(Name);
    return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(const String& Name, const String& Value) {
    int i = IndexOfName(Name);
    if (!Value.isEmpty()) {
        if (i < 0) i = Add(String());
        Put(i, Name + nameValueSeparator_ + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::ValueFromIndex(int Index) const {
    if (Index < 0) return String();
    // The value starts after the first separator; a line without one is all name and has no value.
    const String s = Get(Index);
    const qsizetype p = s.indexOf(nameValueSeparator_);
    return p >= 0 ? s.mid(p + 1) : String();
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
    if (!Value.isEmpty()) {
        if (Index < 0) Index = Add(String());
        Put(Index, Names(Index) + nameValueSeparator_ + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

String TStrings::Text() const {
    String result;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && !trailingLineBreak_) result += lineBreak_;
        result += Get(i);
        if (trailingLineBreak_) result += lineBreak_;
    }
    return result;
}

void TStrings::SetText(const String& Value) {
    Updating([&] {
        Clear();
        const qsizetype n = Value.size();
        qsizetype p = 0;
        while (p < n) {
            const qsizetype start = p;
            while (p < n && Value[p] != '\r' && Value[p] != '\n')
                ++p;
            Add(Value.mid(start, p - start));
            if (p < n && Value[p] == '\r') ++p;
            if (p < n && Value[p] == '\n') ++p;
        }
    });
}

String TStrings::CommaText() const {
    return DelimitedTextWith(',', '"', false);
}

void TStrings::SetCommaText(const String& Value) {
    SetDelimitedTextWith(Value, ',', '"', false);
}

String TStrings::DelimitedText() const {
    return DelimitedTextWith(delimiter_, quoteChar_, strictDelimiter_);
}

void TStrings::SetDelimitedText(const String& Value) {
    SetDelimitedTextWith(Value, delimiter_, quoteChar_, strictDelimiter_);
}

namespace {
// The text in quotes with every inner quote doubled.
String QuotedStr(const String& S, QChar Quote) {
    String result(Quote);
    for (QChar c : S) {
        result += c;
        if (c == Quote) result += c;
    }
    result += Quote;
    return result;
}

bool IsBlank(QChar c) {
    return c.unicode() <= ' ';
}
} // namespace

String TStrings::DelimitedTextWith(QChar Delim, QChar Quote, bool Strict) const {
    const int n = Count();
    // A single empty line must differ from an empty list.
    if (n == 1 && Get(0).isEmpty()) return String(2, Quote);
    String result;
    for (int i = 0; i < n; ++i) {
        const String s = Get(i);
        bool quote = false;
        for (QChar c : s)
            if (c == Quote || c == Delim || (!Strict && IsBlank(c))) {
                quote = true;
                break;
            }
        if (i > 0) result += Delim;
        result += quote ? QuotedStr(s, Quote) : s;
    }
    return result;
}

void TStrings::SetDelimitedTextWith(const String& Value, QChar Delim, QChar Quote, bool Strict) {
    Updating([&] {
        Clear();
        const qsizetype n = Value.size();
        qsizetype p = 0;
        auto skipBlanks = [&] {
            if (!Strict)
                while (p < n && IsBlank(Value[p]))
                    ++p;
        };
        skipBlanks();
        while (p < n) {
            String s;
            if (Value[p] == Quote) {
                // A quoted item runs to the closing quote; a doubled quote stands for one.
                ++p;
                while (p < n) {
                    if (Value[p] == Quote) {
                        if (p + 1 < n && Value[p + 1] == Quote) {
                            s += Quote;
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    s += Value[p++];
                }
            } else {
                const qsizetype start = p;
                while (p < n && Value[p] != Delim && (Strict || !IsBlank(Value[p])))
                    ++p;
                s = Value.mid(start, p - start);
            }
            Add(s);
            skipBlanks();
            if (p < n && Value[p] == Delim) {
                // A delimiter at the very end stands before one more, empty, item.
                if (p + 1 == n) Add(String());
                ++p;
                skipBlanks();
            }
        }
    });
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    // An unmatched EndUpdate is ignored rather than leaving the count below zero.
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TStrings*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    Updating([&] {
        delimiter_ = source->delimiter_;
        quoteChar_ = source->quoteChar_;
        nameValueSeparator_ = source->nameValueSeparator_;
        strictDelimiter_ = source->strictDelimiter_;
        lineBreak_ = source->lineBreak_;
        trailingLineBreak_ = source->trailingLineBreak_;
        Clear();
        AddStrings(source);
    });
}

QStringList TStrings::ToQStringList() const {
    QStringList result;
    const int n = Count();
    result.reserve(n);
    for (int i = 0; i < n; ++i)
        result << Get(i);
    return result;
}

void TStrings::SetQStringList(const QStringList& Lines) {
    Updating([&] {
        Clear();
        AddStrings(Lines);
    });
}
