// Character sets, wildcard matching, words and delimited lists.
#include "lib/moxSysUtils.h"

#include <algorithm>

namespace {

bool IsBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool IsAnyRun(QChar c) {
    return c == u'*' || c == u'%';
}
bool IsAnyChar(QChar c) {
    return c == u'?' || c == u'_';
}

String TrimBlanks(const String& s) {
    qsizetype first = 0, last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.mid(first, last - first);
}

// True when the text's characters match the pattern's one by one ("?" and "_" take any).
bool MatchesRun(const QChar* text, const QChar* pattern, qsizetype length) {
    for (qsizetype i = 0; i < length; ++i)
        if (!IsAnyChar(pattern[i]) && pattern[i] != text[i]) return false;
    return true;
}

} // namespace

TCharSet::TCharSet(std::initializer_list<QChar> Chars) {
    for (QChar c : Chars)
        Include(c);
}

TCharSet TCharSet::Of(const String& Chars) {
    TCharSet set;
    for (QChar c : Chars)
        set.Include(c);
    return set;
}

bool TCharSet::Contains(QChar C) const {
    if (C.unicode() < 256) return latin1_.test(C.unicode());
    return std::binary_search(others_.begin(), others_.end(), C);
}

TCharSet& TCharSet::Include(QChar C) {
    if (C.unicode() < 256) {
        latin1_.set(C.unicode());
    } else {
        auto at = std::lower_bound(others_.begin(), others_.end(), C);
        if (at == others_.end() || *at != C) others_.insert(at - others_.begin(), C);
    }
    return *this;
}

TCharSet& TCharSet::Exclude(QChar C) {
    if (C.unicode() < 256) {
        latin1_.reset(C.unicode());
    } else {
        auto at = std::lower_bound(others_.begin(), others_.end(), C);
        if (at != others_.end() && *at == C) others_.remove(at - others_.begin(), 1);
    }
    return *this;
}

bool WildcardMatch(const String& Text, const String& Pattern) {
    if (Text.isEmpty() || Pattern.isEmpty()) return false;
    const QChar* text = Text.constData();
    const QChar* pattern = Pattern.constData();
    const qsizetype n = Text.size(), m = Pattern.size();
    qsizetype lastStar = m - 1;
    while (lastStar >= 0 && !IsAnyRun(pattern[lastStar]))
        --lastStar;
    // p and t walk the pattern and the text. After a star, starP is the pattern position behind it
    // and starT the text position its run ends at; a mismatch lets the star take one more character
    // and retries from there. Stars before the last one never need to move again: the part between
    // two stars is best placed at its earliest fit, as that leaves the most text to what follows.
    // Behind the last star the rest of the pattern can only match the end of the text.
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < n) {
        if (p < m && IsAnyRun(pattern[p])) {
            if (p == lastStar) {
                const qsizetype rest = m - p - 1;
                return n - t >= rest && MatchesRun(text + n - rest, pattern + p + 1, rest);
            }
            starP = ++p;
            starT = t;
        } else if (p < m && (IsAnyChar(pattern[p]) || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < m && IsAnyRun(pattern[p]))
        ++p;
    return p == m;
}

String ReplaceStr(const String& S, const String& S1, const String& S2) {
    if (S1.isEmpty()) return S;
    String result = S;
    return result.replace(S1, S2, Qt::CaseSensitive);
}

String MakeStr(QChar C, int Count) {
    return Count < 1 ? String() : String(Count, C);
}

void AddDelimited(String& S, const String& Item, const String& Separator) {
    if (!S.isEmpty()) S += Separator;
    S += Item;
}

String ExtractDelimited(const String& S, const String& Delimiter, int& Pos) {
    const qsizetype from = std::max(Pos, 1) - 1;
    if (from >= S.size()) {
        Pos = int(S.size()) + 1;
        return String();
    }
    const qsizetype at = Delimiter.isEmpty() ? -1 : S.indexOf(Delimiter, from);
    if (at < 0) {
        Pos = int(S.size()) + 1;
        return TrimBlanks(S.mid(from));
    }
    Pos = int(at + Delimiter.size()) + 1;
    return TrimBlanks(S.mid(from, at - from));
}

int WordCount(const String& S, const TCharSet& WordDelims) {
    int count = 0;
    bool inWord = false;
    for (QChar c : S) {
        const bool delim = WordDelims.Contains(c);
        if (!delim && !inWord) ++count;
        inWord = !delim;
    }
    return count;
}

int WordPosition(int N, const String& S, const TCharSet& WordDelims) {
    if (N < 1) return 0;
    int count = 0;
    bool inWord = false;
    for (qsizetype i = 0; i < S.size(); ++i) {
        const bool delim = WordDelims.Contains(S[i]);
        if (!delim && !inWord && ++count == N) return int(i) + 1;
        inWord = !delim;
    }
    return 0;
}

String ExtractWord(int N, const String& S, const TCharSet& WordDelims) {
    const int start = WordPosition(N, S, WordDelims);
    if (start == 0) return String();
    qsizetype end = start - 1;
    while (end < S.size() && !WordDelims.Contains(S[end]))
        ++end;
    return S.mid(start - 1, end - (start - 1));
}

bool HasAnyChar(const String& S, const String& Chars) {
    return std::any_of(S.begin(), S.end(), [&](QChar c) { return Chars.contains(c); });
}
