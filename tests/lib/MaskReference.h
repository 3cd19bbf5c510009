#pragma once
// A plain transcription of the picture language's matching rules on picture strings: every choice
// rebuilds the rest of the picture as a new string and matches it recursively. Exponential and
// slow, so only for small pictures; the tests compare the library's matchers against it.
//
// It differs from a literal reading of the rules only where the library settles what they leave
// open, in the same way as the library:
// - a failed match of the repeated copies (*n) fails the whole match;
// - once a repetition of any number has reached the end of the text, nothing after it is proposed
//   as fill (the repetition may still go on).
// It does not model repetitions without an element in their own part ('[#*]', '#*5', '**'): the
// generated pictures avoid them.
#include <QString>

namespace mox::test {

struct ReferenceMatch {
    bool ok = false;
    QString text;
    QString fill;
    int matched = 0;
};

ReferenceMatch ReferenceMatchPicture(const QString& mask, const QString& text, bool partial,
                                     bool caseCorrection, bool caseInsensitive);

} // namespace mox::test
