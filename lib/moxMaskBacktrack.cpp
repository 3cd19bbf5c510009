// The backtracking matcher: tries the picture's choices in the order written, the first way that
// matches the whole text wins. The rest of the picture after a choice is a chain of frames on the
// stack instead of a rebuilt picture string.
#include <algorithm>

#include "lib/moxMaskChars.h"
#include "lib/moxMaskEngine.h"

namespace moxMaskProgram {

namespace {

// What follows the end of the current sequence: the place to resume at, or the remaining copies of
// a repetition (More: copies beyond those that the text can use, which only matter to the fill).
struct Frame {
    int resume = -1;
    int repeat = -1;
    int copies = 0;
    bool more = false;
    const Frame* next = nullptr;
};

// Recursion is bounded too, so that a deep picture never exhausts the stack.
constexpr int MaxDepth = 2000;

class Backtracker {
public:
    Backtracker(const Program& program, const String& text, MatchFlags flags, long budget)
        : items_(program.items), alts_(program.alts), src_(text.constData()), length_(int(text.size())),
          rules_(flags.caseCorrection, flags.caseInsensitive), out_(text), partial_(flags.partial),
          bound_(length_), budget_(budget) {
        out_.detach();
        dst_ = out_.data();
    }

    std::optional<MatchOutcome> Run() {
        MatchOutcome outcome;
        outcome.matched = Walk(0, 0, nullptr);
        if (gaveUp_) return std::nullopt;
        if (outcome.matched) {
            outcome.text = out_;
            outcome.fill = fill_;
        }
        return outcome;
    }

private:
    // Giving up unwinds by plain returns: every loop stops once the flag is set.
    struct DepthGuard {
        int& depth;
        DepthGuard(int& d, bool& gaveUp) : depth(d) {
            if (++depth > MaxDepth) gaveUp = true;
        }
        ~DepthGuard() { --depth; }
    };

    // Matches from item p and text position t on, then whatever the frames say follows.
    bool Walk(int p, int t, const Frame* k) {
        DepthGuard guard(depth_, gaveUp_);
        for (;;) {
            if (++steps_ > budget_) gaveUp_ = true;
            if (gaveUp_) return false;
            if (partial_ && t == length_) {
                fill_ = FillAfter(p, k);
                return true;
            }
            const Item& it = items_[p];
            switch (it.kind) {
            case ItemKind::End:
                if (!k) return !partial_ && t == bound_;
                if (k->resume >= 0) {
                    p = k->resume;
                    k = k->next;
                } else if (k->copies > 0) {
                    const Frame again{-1, k->repeat, k->copies - 1, k->more, k->next};
                    return Walk(items_[k->repeat].child, t, &again);
                } else {
                    p = k->repeat + 1;
                    k = k->next;
                }
                continue;
            case ItemKind::Optional: {
                const Frame after{p + 1, -1, 0, false, k};
                if (Walk(it.child, t, &after)) return true;
                ++p;
                continue;
            }
            case ItemKind::Group: {
                const Frame after{p + 1, -1, 0, false, k};
                for (int a = 0; a < it.altCount && !gaveUp_; ++a)
                    if (Walk(alts_[it.firstAlt + a], t, &after)) return true;
                return false;
            }
            case ItemKind::RepeatLiteral:
                if (!partial_ && it.count > bound_ - t) return false;
                for (int j = 0; j < it.count; ++j) {
                    if (t == bound_) {
                        fill_ =
                            String(std::min(it.count - j, MaxFillLength), it.ch) + FillAfter(p + 1, k, true);
                        fill_.truncate(MaxFillLength);
                        return true;
                    }
                    if (!rules_.Accept(it.kind, it.ch, src_[t], dst_[t])) return false;
                    ++t;
                }
                ++p;
                continue;
            case ItemKind::Skip:
                ++p;
                continue;
            case ItemKind::Repeat:
                if (it.count < 0) {
                    if (AnyNumber(it, t)) return true;
                    ++p;
                    continue;
                } else {
                    // Copies beyond one more than the characters left can only match nothing.
                    const int copies = std::min(it.count, length_ - t + 1);
                    const Frame rest{-1, p, copies - 1, it.count > copies, k};
                    return Walk(it.child, t, &rest);
                }
            default: // a character item
                if (t == bound_ || !rules_.Accept(it.kind, it.ch, src_[t], dst_[t])) return false;
                ++t;
                ++p;
                continue;
            }
        }
    }

    // A repetition of any number: from t on, the shortest piece that matches the element alone as a
    // complete input, again and again; it never gives characters back. Returns true when it has
    // matched the text to its end in partial mode (the whole match succeeds); otherwise t is where
    // the repetition stopped.
    bool AnyNumber(const Item& it, int& t) {
        int r = t;
        while (r < bound_ && !gaveUp_) {
            const int lo = r + std::max(1, it.minLength);
            const int hi = int(std::min<long long>(bound_, (long long)r + it.maxLength));
            int q = -1;
            for (int e = lo; e <= hi && q < 0 && !gaveUp_; ++e)
                if (Root(it.child, r, e, false)) q = e;
            if (q >= 0) {
                r = q;
                continue;
            }
            if (partial_ && Root(it.child, r, length_, true)) return true; // fill_ is the element's
            break;
        }
        t = r;
        if (partial_ && r == length_) {
            fill_.clear(); // the repetition may go on: nothing after it is certain
            return true;
        }
        return false;
    }

    // The element alone against the text from t to bound.
    bool Root(int start, int t, int bound, bool partial) {
        const int savedBound = bound_;
        const bool savedPartial = partial_;
        bound_ = bound;
        partial_ = partial;
        const bool ok = Walk(start, t, nullptr);
        bound_ = savedBound;
        partial_ = savedPartial;
        return ok;
    }

    // The literals that certainly follow when the text ends before item p. A run of literals stops
    // at any repetition; only where the text ends right before repeated copies of a literal do they
    // belong to the fill.
    String FillAfter(int p, const Frame* k, bool started = false) const {
        String fill;
        while (fill.size() < MaxFillLength) {
            const Item& it = items_[p];
            if (it.kind == ItemKind::Literal) {
                fill += it.ch;
                started = true;
                ++p;
            } else if (it.kind == ItemKind::RepeatLiteral && !started) {
                fill += String(std::min<qsizetype>(it.count, MaxFillLength - fill.size()), it.ch);
                started = true;
                ++p;
            } else if (it.kind == ItemKind::Skip && !started) {
                ++p;
            } else if (it.kind == ItemKind::End && k && k->resume >= 0) {
                p = k->resume;
                k = k->next;
            } else if (it.kind == ItemKind::End && k && k->copies == 0 && !k->more) {
                p = k->repeat + 1;
                k = k->next;
            } else {
                break;
            }
        }
        fill.truncate(MaxFillLength);
        return fill;
    }

    const std::vector<Item>& items_;
    const std::vector<int>& alts_;
    const Char* src_;
    const int length_;
    const CharRules rules_;
    String out_;
    Char* dst_ = nullptr;
    String fill_;
    bool partial_;
    int bound_;
    long steps_ = 0;
    const long budget_;
    int depth_ = 0;
    bool gaveUp_ = false;
};

} // namespace

std::optional<MatchOutcome> MatchBacktracking(const Program& Picture, const String& Text, MatchFlags Flags,
                                              long Budget) {
    return Backtracker(Picture, Text, Flags, Budget).Run();
}

MatchOutcome MatchProgram(const Program& Picture, const String& Text, MatchFlags Flags) {
    if (std::optional<MatchOutcome> quick = MatchBacktracking(Picture, Text, Flags)) return *quick;
    if (std::optional<MatchOutcome> memo = MatchMemoised(Picture, Text, Flags)) return *memo;
    return MatchOutcome{};
}

} // namespace moxMaskProgram
