// The memoised matcher. For a place p in the picture and a text position t it keeps the ordered
// list of the text positions where p's sequence can end, in the order the backtracking matcher
// would reach them, each position once (a later way to the same end can only fail where the first
// failed). A partial match that uses the text up reaches "the end of the text" instead, which ends
// the list, since the backtracking matcher stops there. Each entry points back to how it was
// reached, so the case-corrected text of the winning way is rebuilt at the end.
#include <algorithm>
#include <unordered_map>

#include "lib/moxMaskChars.h"
#include "lib/moxMaskEngine.h"

namespace moxMaskProgram {

namespace {

struct Entry {
    int u = 0;         // where the sequence ends (the text's length for the end of the text)
    int a = -1;        // how the item at origin matched: an inner entry, a chain, a copy level
    int b = -1;        // the entry of the rest of the sequence after it
    int alt = -1;      // the alternative of a group
    int origin = -1;   // the place whose list made this entry (-2: a level of copies)
    int fill = -1;     // the fill at the end of the text (an index into fills), -1 for none
    bool top = false;  // the text was used up: the match has succeeded
    bool open = false; // the fill may go on with the literals after the sequence
    bool leaf = false; // nothing more to rebuild below this entry
};

struct List {
    int offset = 0;
    int count = 0;
};

struct Key {
    int p, t, b;
    bool partial;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    size_t operator()(const Key& k) const {
        size_t h = size_t(k.p) * 0x9E3779B97F4A7C15ull;
        h ^= size_t(k.t) + 0x7F4A7C15ull + (h << 6) + (h >> 2);
        h ^= size_t(k.b) * 0xC2B2AE3Dull + (h << 6) + (h >> 2);
        return h ^ size_t(k.partial);
    }
};

struct Outcome {
    int u = 0;
    bool top = false;
    int a = -1;
    int alt = -1;
    int fill = -1;
    bool open = false;
};

struct Chain {
    std::vector<std::pair<int, int>> steps; // (start, entry of the element's list)
    int fallbackStart = -1;
    int fallback = -1;
};

struct Fill {
    int index = -1;
    bool open = false;
};

// The work (list entries made and copies merged) after which a match is refused: it keeps every
// match of a picture and a text of 256 characters each within a few milliseconds.
constexpr long MaxWork = 40'000;
// What one merge costs beyond its entries (its scratch lists), in the same units.
constexpr long LevelCost = 8;

class Memo {
public:
    Memo(const Program& program, const String& text, MatchFlags flags)
        : items_(program.items), alts_(program.alts), src_(text.constData()), length_(int(text.size())),
          rules_(flags.caseCorrection, flags.caseInsensitive), partial_(flags.partial),
          stamp_(size_t(length_) + 2, 0), fillRun_(program.items.size()),
          fillRunStarted_(program.items.size()), topList_(program.items.size(), -1) {
        fills_.reserve(8);
    }

    bool GaveUp() const { return gaveUp_; }

    MatchOutcome Run(const String& text) {
        MatchOutcome outcome;
        const List list = lists_[Ends(0, 0, length_, partial_)];
        if (gaveUp_) return outcome;
        int winner = -1;
        for (int i = 0; i < list.count && winner < 0; ++i) {
            const Entry& e = arena_[list.offset + i];
            if (partial_ ? e.top : (!e.top && e.u == length_)) winner = list.offset + i;
        }
        if (winner < 0) return outcome;
        outcome.matched = true;
        outcome.text = text;
        outcome.text.detach();
        dst_ = outcome.text.data();
        Rebuild(0, 0, winner);
        if (partial_) outcome.fill = FillText(arena_[winner].fill);
        return outcome;
    }

private:
    // ---- lists

    int NewList(const std::vector<Entry>& entries) {
        Spend(long(entries.size()));
        List list{int(arena_.size()), int(entries.size())};
        arena_.insert(arena_.end(), entries.begin(), entries.end());
        lists_.push_back(list);
        return int(lists_.size()) - 1;
    }

    int EmptyList() {
        if (empty_ < 0) empty_ = NewList({});
        return empty_;
    }

    // ---- fills

    String FillText(int index) const { return index < 0 ? String() : fills_[index]; }

    int AddFill(const String& s) {
        if (s.isEmpty()) return -1;
        fills_.push_back(s.left(MaxFillLength));
        return int(fills_.size()) - 1;
    }

    // The literals from p to the first other item; open when they reach the sequence's end. A run
    // that has started stops at any repetition; one that starts at repeated copies of a literal
    // takes them.
    Fill FillRun(int p, bool started) {
        std::optional<Fill>& cached = started ? fillRunStarted_[p] : fillRun_[p];
        if (cached) return *cached;
        String s;
        int q = p;
        while (s.size() < MaxFillLength) {
            const Item& it = items_[q];
            if (it.kind == ItemKind::Literal) {
                s += it.ch;
                started = true;
            } else if (it.kind == ItemKind::RepeatLiteral && !started) {
                s += String(std::min<qsizetype>(it.count, MaxFillLength - s.size()), it.ch);
                started = true;
            } else if (it.kind != ItemKind::Skip || started) {
                break;
            }
            ++q;
        }
        const Fill f{AddFill(s), items_[q].kind == ItemKind::End};
        cached = f;
        return f;
    }

    // A fill that is open goes on with the run of literals from p.
    Fill Extend(Fill f, int p) {
        if (!f.open) return f;
        const Fill more = FillRun(p, f.index >= 0);
        if (more.index < 0) return Fill{f.index, more.open};
        if (f.index < 0) return more;
        return Fill{AddFill(fills_[f.index] + fills_[more.index]), more.open};
    }

    // The text ends before item p: the match has succeeded.
    int TopList(int p) {
        if (topList_[p] < 0) {
            const Fill f = FillRun(p, false);
            Entry e;
            e.u = length_;
            e.top = true;
            e.leaf = true;
            e.origin = p;
            e.fill = f.index;
            e.open = f.open;
            topList_[p] = NewList({e});
        }
        return topList_[p];
    }

    // ---- the ends of the sequence from item p at text position t, within a text ending at b

    int Ends(int p, int t, int b, bool partial) {
        if (gaveUp_) return EmptyList();
        if (partial && t == length_) return TopList(p);
        int* slot = b == length_ ? &Dense(partial)[size_t(p) * (length_ + 1) + t] : nullptr;
        const Key key{p, t, b, partial};
        if (slot) {
            if (*slot >= 0) return *slot;
        } else if (auto found = memo_.find(key); found != memo_.end()) {
            return found->second;
        }
        Spend(1);
        const Item it = items_[p];
        int id = -1;
        switch (it.kind) {
        case ItemKind::End: {
            Entry e;
            e.u = t;
            e.origin = p;
            e.leaf = true;
            id = NewList({e});
            break;
        }
        case ItemKind::Optional: {
            std::vector<Outcome> outs = Inner(it.child, t, b, partial, -1);
            if (outs.empty() || !outs.back().top) outs.push_back(Outcome{t});
            id = Compose(p, b, partial, outs);
            break;
        }
        case ItemKind::Group: {
            std::vector<Outcome> outs;
            for (int k = 0; k < it.altCount && (outs.empty() || !outs.back().top); ++k) {
                const std::vector<Outcome> more = Inner(alts_[it.firstAlt + k], t, b, partial, k);
                outs.insert(outs.end(), more.begin(), more.end());
            }
            id = Compose(p, b, partial, outs);
            break;
        }
        case ItemKind::RepeatLiteral:
            id = RepeatLiteral(p, it, t, b, partial);
            break;
        case ItemKind::Skip:
            id = Ends(p + 1, t, b, partial);
            break;
        case ItemKind::Repeat:
            id = Compose(p, b, partial,
                         it.count < 0 ? AnyNumber(it, t, b, partial) : Copies(it, t, b, partial));
            break;
        default: {
            Char c;
            if (t == b || !rules_.Accept(it.kind, it.ch, src_[t], c))
                id = EmptyList();
            else
                id = Ends(p + 1, t + 1, b, partial);
            break;
        }
        }
        if (slot)
            Dense(partial)[size_t(p) * (length_ + 1) + t] = id;
        else
            memo_[key] = id;
        return id;
    }

    // The lists of the whole text's bound, the common case, in plain arrays.
    std::vector<int>& Dense(bool partial) {
        std::vector<int>& table = dense_[partial];
        if (table.empty()) table.assign(items_.size() * (size_t(length_) + 1), -1);
        return table;
    }

    // Past the limit every list asked for comes back empty, so the work unwinds by plain returns.
    void Spend(long work) {
        work_ += work;
        if (work_ > MaxWork) gaveUp_ = true;
    }

    // The entries of an inner sequence as outcomes of the item that holds it.
    std::vector<Outcome> Inner(int start, int t, int b, bool partial, int alt) {
        const List list = lists_[Ends(start, t, b, partial)];
        std::vector<Outcome> outs;
        outs.reserve(list.count);
        for (int i = 0; i < list.count; ++i) {
            const Entry& e = arena_[list.offset + i];
            outs.push_back(Outcome{e.u, e.top, list.offset + i, alt, e.fill, e.open});
        }
        return outs;
    }

    // How many different plain ends a list from t on can hold: t to b, or to the text's length
    // less one in partial mode (there the text's length itself is "the end of the text").
    int PossibleEnds(int t, int b, bool partial) const { return (partial ? length_ - 1 : b) - t + 1; }

    static int MinEnd(const std::vector<Outcome>& outs) {
        int m = outs.front().u;
        for (const Outcome& o : outs)
            m = std::min(m, o.u);
        return m;
    }

    // The item at p ended in each of the outcomes, in order: go on with the rest of its sequence.
    int Compose(int p, int b, bool partial, const std::vector<Outcome>& outs) {
        Spend(LevelCost + long(outs.size()));
        std::vector<char> keep(outs.size(), 0);
        int gen = ++generation_;
        for (size_t i = 0; i < outs.size(); ++i) {
            if (outs[i].top) {
                keep[i] = 1;
                break;
            }
            if (stamp_[outs[i].u] != gen) {
                stamp_[outs[i].u] = gen;
                keep[i] = 1;
            }
        }
        std::vector<int> rest(outs.size(), -1);
        for (size_t i = 0; i < outs.size(); ++i)
            if (keep[i] && !outs[i].top) rest[i] = Ends(p + 1, outs[i].u, b, partial);
        gen = ++generation_;
        std::vector<Entry> result;
        const int possible = PossibleEnds(outs.empty() ? 0 : MinEnd(outs), b, partial);
        int distinct = 0;
        for (size_t i = 0; i < outs.size(); ++i) {
            if (!keep[i]) continue;
            const Outcome& o = outs[i];
            Entry e;
            e.a = o.a;
            e.alt = o.alt;
            e.origin = p;
            if (o.top) {
                const Fill f = Extend(Fill{o.fill, o.open}, p + 1);
                e.u = length_;
                e.top = true;
                e.fill = f.index;
                e.open = f.open;
                result.push_back(e);
                break;
            }
            const List list = lists_[rest[i]];
            // Once every end has been seen, a list can only add the end of the text, its last entry.
            const int from = distinct == possible ? std::max(0, list.count - 1) : 0;
            Spend(list.count - from);
            bool done = false;
            for (int j = from; j < list.count && !done; ++j) {
                const Entry& y = arena_[list.offset + j];
                if (!y.top && stamp_[y.u] == gen) continue;
                stamp_[y.u] = gen;
                if (!y.top) ++distinct;
                e.u = y.u;
                e.b = list.offset + j;
                e.top = y.top;
                e.fill = y.fill;
                e.open = y.open;
                result.push_back(e);
                done = y.top;
            }
            if (done) break;
        }
        return NewList(result);
    }

    int RepeatLiteral(int p, const Item& it, int t, int b, bool partial) {
        if (!partial && it.count > b - t) return EmptyList();
        int j = 0;
        Char c;
        for (; j < it.count && t + j < b; ++j)
            if (!rules_.Accept(it.kind, it.ch, src_[t + j], c)) return EmptyList();
        if (j == it.count) return Ends(p + 1, t + j, b, partial);
        String copies(std::min(it.count - j, MaxFillLength), it.ch);
        const Fill f = Extend(Fill{AddFill(copies), true}, p + 1);
        Entry e;
        e.u = length_;
        e.top = true;
        e.leaf = true;
        e.origin = p;
        e.fill = f.index;
        e.open = f.open;
        return NewList({e});
    }

    // Count copies of the element, each copy's ends in order; at most one more copy than there are
    // characters left, since further copies can only match nothing.
    std::vector<Outcome> Copies(const Item& it, int t, int b, bool partial) {
        const int copies = std::min(it.count, length_ - t + 1);
        Entry start;
        start.u = t;
        start.origin = -2;
        arena_.push_back(start);
        std::vector<int> level{int(arena_.size()) - 1};
        for (int k = 1; k <= copies && !level.empty(); ++k) {
            Spend(LevelCost + long(level.size()));
            std::vector<int> elementLists(level.size(), -1);
            for (size_t i = 0; i < level.size(); ++i)
                if (!arena_[level[i]].top) elementLists[i] = Ends(it.child, arena_[level[i]].u, b, partial);
            const int gen = ++generation_;
            std::vector<Entry> next;
            bool done = false;
            const int possible = PossibleEnds(t, b, partial);
            int distinct = 0;
            for (size_t i = 0; i < level.size() && !done; ++i) {
                const Entry prev = arena_[level[i]];
                if (prev.top) { // carried from an earlier copy: the text ended there
                    Entry e = prev;
                    e.a = level[i];
                    e.b = -1;
                    e.origin = -2;
                    e.open = false;
                    next.push_back(e);
                    break;
                }
                const List list = lists_[elementLists[i]];
                const int from = distinct == possible ? std::max(0, list.count - 1) : 0;
                Spend(list.count - from);
                for (int j = from; j < list.count && !done; ++j) {
                    const Entry& y = arena_[list.offset + j];
                    if (!y.top && stamp_[y.u] == gen) continue;
                    stamp_[y.u] = gen;
                    if (!y.top) ++distinct;
                    Entry e;
                    e.u = y.u;
                    e.a = level[i];
                    e.b = list.offset + j;
                    e.origin = -2;
                    e.top = y.top;
                    e.fill = y.fill;
                    // Only the last of all the copies lets the fill go on after the repetition.
                    e.open = y.top && y.open && k == it.count;
                    next.push_back(e);
                    done = y.top;
                }
            }
            level.clear();
            for (const Entry& e : next) {
                arena_.push_back(e);
                level.push_back(int(arena_.size()) - 1);
            }
        }
        std::vector<Outcome> outs;
        for (int index : level) {
            const Entry& e = arena_[index];
            outs.push_back(Outcome{e.u, e.top, index, -1, e.fill, e.open});
        }
        return outs;
    }

    // The shortest piece from r, at most to b, that the element matches alone as a complete input;
    // returns the entry of the element's list for it, or -1.
    int Shortest(const Item& it, int r, int b, int& q) {
        const int lo = r + std::max(1, it.minLength);
        const int hi = int(std::min<long long>(b, (long long)r + it.maxLength));
        if (lo > hi) return -1;
        if (!it.openInside) {
            // Within the element alone, the ends up to b do not depend on where the text ends.
            const List list = lists_[Ends(it.child, r, length_, false)];
            int best = -1;
            for (int i = 0; i < list.count; ++i) {
                const Entry& e = arena_[list.offset + i];
                if (e.u >= lo && e.u <= hi && (best < 0 || e.u < arena_[best].u)) best = list.offset + i;
            }
            if (best >= 0) q = arena_[best].u;
            return best;
        }
        for (int e = lo; e <= hi; ++e) {
            const List list = lists_[Ends(it.child, r, e, false)];
            for (int i = 0; i < list.count; ++i)
                if (arena_[list.offset + i].u == e) {
                    q = e;
                    return list.offset + i;
                }
        }
        return -1;
    }

    // A repetition of any number from t: one outcome, deterministic.
    std::vector<Outcome> AnyNumber(const Item& it, int t, int b, bool partial) {
        Chain chain;
        int r = t;
        bool top = false;
        int fill = -1;
        while (r < b) {
            int q = -1;
            const int entry = Shortest(it, r, b, q);
            if (entry >= 0) {
                chain.steps.emplace_back(r, entry);
                r = q;
                continue;
            }
            if (partial) {
                const List list = lists_[Ends(it.child, r, length_, true)];
                if (list.count > 0 && arena_[list.offset + list.count - 1].top) {
                    chain.fallbackStart = r;
                    chain.fallback = list.offset + list.count - 1;
                    fill = arena_[chain.fallback].fill;
                    top = true;
                }
            }
            break;
        }
        // The repetition may go on after the text's end: nothing after it is certain.
        if (partial && r == length_) top = true;
        chains_.push_back(std::move(chain));
        return {Outcome{top ? length_ : r, top, int(chains_.size()) - 1, -1, fill, false}};
    }

    // ---- rebuilding the corrected text of the winning way

    void Write(const Item& it, int t) { rules_.Accept(it.kind, it.ch, src_[t], dst_[t]); }

    void Rebuild(int p, int t, int index) {
        for (;;) {
            const Entry e = arena_[index];
            const Item& it = items_[p];
            if (e.origin != p) { // passed through a character item
                const int n = it.kind == ItemKind::RepeatLiteral ? it.count
                              : it.kind == ItemKind::Skip        ? 0
                                                                 : 1;
                for (int j = 0; j < n; ++j)
                    Write(it, t + j);
                t += n;
                ++p;
                continue;
            }
            if (e.leaf) {
                if (it.kind == ItemKind::RepeatLiteral)
                    for (int j = t; j < length_; ++j)
                        Write(it, j);
                return;
            }
            int u = t;
            switch (it.kind) {
            case ItemKind::Optional:
                if (e.a >= 0) {
                    Rebuild(it.child, t, e.a);
                    u = arena_[e.a].u;
                }
                break;
            case ItemKind::Group:
                Rebuild(alts_[it.firstAlt + e.alt], t, e.a);
                u = arena_[e.a].u;
                break;
            case ItemKind::Repeat:
                u = it.count < 0 ? RebuildChain(it, t, e.a) : RebuildCopies(it, t, e.a);
                break;
            default:
                return;
            }
            if (e.b < 0) return;
            p = p + 1;
            t = u;
            index = e.b;
        }
    }

    int RebuildChain(const Item& it, int t, int chainIndex) {
        const Chain& chain = chains_[chainIndex];
        int u = t;
        for (const auto& [start, entry] : chain.steps) {
            Rebuild(it.child, start, entry);
            u = arena_[entry].u;
        }
        if (chain.fallback < 0) return u;
        Rebuild(it.child, chain.fallbackStart, chain.fallback);
        return length_;
    }

    int RebuildCopies(const Item& it, int t, int last) {
        std::vector<int> levels;
        for (int x = last; x >= 0 && arena_[x].a >= 0; x = arena_[x].a)
            levels.push_back(x);
        int u = t;
        for (auto x = levels.rbegin(); x != levels.rend(); ++x) {
            const Entry& e = arena_[*x];
            if (e.b >= 0) Rebuild(it.child, u, e.b);
            u = e.u;
        }
        return u;
    }

    const std::vector<Item>& items_;
    const std::vector<int>& alts_;
    const Char* src_;
    const int length_;
    const CharRules rules_;
    const bool partial_;
    Char* dst_ = nullptr;
    std::vector<Entry> arena_;
    std::vector<List> lists_;
    std::unordered_map<Key, int, KeyHash> memo_;
    std::vector<int> dense_[2];
    long work_ = 0;
    bool gaveUp_ = false;
    std::vector<String> fills_;
    std::vector<int> stamp_;
    int generation_ = 0;
    std::vector<std::optional<Fill>> fillRun_;
    std::vector<std::optional<Fill>> fillRunStarted_;
    std::vector<int> topList_;
    std::vector<Chain> chains_;
    int empty_ = -1;
};

} // namespace

std::optional<MatchOutcome> MatchMemoised(const Program& Picture, const String& Text, MatchFlags Flags) {
    Memo memo(Picture, Text, Flags);
    MatchOutcome outcome = memo.Run(Text);
    if (memo.GaveUp()) return std::nullopt;
    return outcome;
}

} // namespace moxMaskProgram
