#pragma once
// The two matchers of the picture language. Both give the same results: the backtracking one is
// quick on ordinary pictures and gives up when its work grows past a budget; the memoised one
// keeps, for every place in the picture and in the text, the ordered ends that can be reached
// from there, so its work grows with the picture's size times a power of the text's length,
// never exponentially; it still stops at a fixed amount of work, so that no match takes long.
#include <optional>

#include "lib/moxMaskProgram.h"

namespace moxMaskProgram {

struct MatchFlags {
    bool partial = false;
    bool caseCorrection = false;
    bool caseInsensitive = false;
};

struct MatchOutcome {
    bool matched = false;
    String text; // the case-corrected text when matched
    String fill; // partial matches only
};

// The steps the backtracking matcher may take before the memoised one takes over.
inline constexpr long DefaultBacktrackBudget = 20000;

std::optional<MatchOutcome> MatchBacktracking(const Program& Picture, const String& Text, MatchFlags Flags,
                                              long Budget = DefaultBacktrackBudget);
// None when its work grows past a fixed limit (pictures that nest counted repetitions deeply).
std::optional<MatchOutcome> MatchMemoised(const Program& Picture, const String& Text, MatchFlags Flags);
// The backtracking matcher within its budget, else the memoised one; a match that both give up is
// refused: reported as not fitting, never as fitting.
MatchOutcome MatchProgram(const Program& Picture, const String& Text, MatchFlags Flags);

} // namespace moxMaskProgram
