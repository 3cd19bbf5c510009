#include "lib/moxMaskChars.h"

namespace moxMaskProgram {

namespace {

// ASCII letters map alike in every locale except the dotted and dotless i of Turkic languages.
bool PlainAscii(Char c) {
    return c.unicode() < 0x80 && c != u'i' && c != u'I';
}

} // namespace

const QLocale& CharRules::Locale() const {
    if (!locale_) locale_.emplace();
    return *locale_;
}

// The locale's conversion of the one-character string; where that would change the length (German
// sharp s to "SS"), the character's own single mapping.
Char CharRules::Upper(Char c) const {
    if (PlainAscii(c)) return (c >= u'a' && c <= u'z') ? Char(c.unicode() - 32) : c;
    const String s = Locale().toUpper(String(c));
    return s.size() == 1 ? s[0] : c.toUpper();
}

Char CharRules::Lower(Char c) const {
    if (PlainAscii(c)) return (c >= u'A' && c <= u'Z') ? Char(c.unicode() + 32) : c;
    const String s = Locale().toLower(String(c));
    return s.size() == 1 ? s[0] : c.toLower();
}

bool CharRules::SameIgnoringCase(Char a, Char b) const {
    if (a == b) return true;
    if (PlainAscii(a) && PlainAscii(b)) return Upper(a) == Upper(b);
    return Upper(a) == Upper(b) || Lower(a) == Lower(b);
}

bool CharRules::Accept(ItemKind Kind, Char Literal, Char c, Char& Out) const {
    Out = c;
    switch (Kind) {
    case ItemKind::Literal:
    case ItemKind::RepeatLiteral:
        if (c == Literal) return true;
        if (!caseInsensitive_ || !SameIgnoringCase(c, Literal)) return false;
        Out = Literal;
        return true;
    case ItemKind::Digit:
        return c >= u'0' && c <= u'9';
    case ItemKind::Letter:
        return c.isLetter();
    case ItemKind::UpperLetter:
    case ItemKind::LowerLetter:
        if (!c.isLetter()) return false;
        break;
    case ItemKind::AlNum:
        return c.isLetterOrNumber();
    case ItemKind::UpperAlNum:
    case ItemKind::LowerAlNum:
        if (!c.isLetterOrNumber()) return false;
        break;
    default:
        return false;
    }
    if (caseCorrection_)
        Out = (Kind == ItemKind::UpperLetter || Kind == ItemKind::UpperAlNum) ? Upper(c) : Lower(c);
    return true;
}

} // namespace moxMaskProgram
