// Command-line style parameters.
#include "lib/moxSysUtils.h"

#include <algorithm>

String NextParam(const String& S, int& Pos) {
    qsizetype i = std::max(Pos, 1) - 1;
    const qsizetype n = S.size();
    const auto code = [&](qsizetype at) { return at < n ? S[at].unicode() : 0; };
    // Blanks and empty quoted parameters before the parameter.
    for (;;) {
        if (code(i) >= 1 && code(i) <= 32) {
            ++i;
        } else if (code(i) == u'"' && code(i + 1) == u'"') {
            i += 2;
        } else {
            break;
        }
    }
    String result;
    while (code(i) > 32) {
        if (S[i] == u'"') {
            ++i;
            while (i < n && S[i] != u'"')
                result += S[i++];
            if (i < n) ++i; // the closing quote
        } else {
            result += S[i++];
        }
    }
    Pos = int(std::min(i, n)) + 1;
    return result;
}

String ParamStrOf(const String& S, int Index) {
    int pos = 1;
    for (;;) {
        const String param = NextParam(S, pos);
        if (Index == 0 || param.isEmpty()) return param;
        --Index;
    }
}
