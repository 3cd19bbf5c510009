#pragma once
// The picture language read into a tree that the matchers walk: the tokens of a picture, its
// syntax check, and the parsed form (sequences of items laid out in one array).
#include <vector>

#include "vcl/System.h"

namespace moxMaskProgram {

enum class TokenKind : unsigned char {
    End,
    Literal, // also an escaped character, a digit character and a comma
    Digit,   // #
    Letter,  // ?
    UpperLetter,
    LowerLetter,
    AlNum, // @
    UpperAlNum,
    LowerAlNum,
    Star,
    OpenBracket,
    CloseBracket,
    OpenBrace,
    CloseBrace,
};

struct Token {
    TokenKind kind = TokenKind::End;
    Char ch;
    bool escaped = false;
    // An unescaped comma: a separator inside a group, a literal elsewhere.
    bool IsComma() const { return kind == TokenKind::Literal && !escaped && ch == u','; }
    bool IsCountDigit() const { return kind == TokenKind::Literal && !escaped && ch >= u'0' && ch <= u'9'; }
};

// The picture's tokens, ending with one End token (marked escaped when a lone backslash ends it).
std::vector<Token> Tokenize(const String& Mask);

// The bracket, brace and separator rules of a well-formed picture.
bool CheckTokens(const std::vector<Token>& Tokens);

enum class ItemKind : unsigned char {
    End, // closes a sequence
    Literal,
    Digit,
    Letter,
    UpperLetter,
    LowerLetter,
    AlNum,
    UpperAlNum,
    LowerAlNum,
    Optional,      // [ ... ]: child = start of the inner sequence
    Group,         // { ... }: alternatives firstAlt .. firstAlt + altCount - 1 in Program::alts
    Repeat,        // *n element: child = start of the element's sequence
    RepeatLiteral, // *n of one literal character: ch, count
    Skip,          // a repetition of nothing (*0, or no element in its own part): matches nothing
};

struct Item {
    ItemKind kind = ItemKind::End;
    Char ch;
    int count = 0;    // Repeat, RepeatLiteral: the number of copies, -1 for any number
    int child = -1;   // Optional, Repeat
    int firstAlt = 0; // Group
    int altCount = 0; // Group
    // Repeat: the element holds a repetition of any number itself, so what it matches depends on
    // where the text ends.
    bool openInside = false;
    // Repeat: the fewest and the most characters one element can match (MaxLength for no limit).
    int minLength = 0;
    int maxLength = 0;
};

inline bool Consumes(ItemKind k) {
    return k >= ItemKind::Literal && k <= ItemKind::LowerAlNum;
}

// The parsed picture. Every sequence is a run of items closed by an End item; the root sequence
// starts at 0. A repetition's element is a sequence of its own, so it can be matched alone.
struct Program {
    std::vector<Item> items;
    std::vector<int> alts; // start positions of the alternatives of every group
};

// Reads a well-formed picture (one that CheckTokens accepts) into its program.
Program Parse(const std::vector<Token>& Tokens);

// Counts beyond this are read as this; no text is that long.
inline constexpr int MaxRepeatCount = 1000000000;
// No limit on a length.
inline constexpr int MaxLength = 0x3fffffff;
// A proposed fill never grows beyond this many characters.
inline constexpr int MaxFillLength = 1024;

} // namespace moxMaskProgram
