#pragma once
// The picture-mask language: a pattern that says, character by character, what a user may type,
// that corrects letter case and proposes the fixed characters that follow.
//
//   #  a digit 0-9               ?  a letter            &  a letter, made upper case
//   ~  a letter, made lower case  @  a letter or digit   !  a letter or digit, upper case
//   _  a letter or digit, lower case
//   *  repeats what follows: *n exactly n times, * alone any number of times (the shortest pieces,
//      never given back)
//   [ ... ]  an optional part       { a, b, ... }  alternatives, the first that fits wins
//   \x  the character x itself; any other character stands for itself
#include <memory>

#include "vcl/Classes.h"

namespace moxMask {
Q_NAMESPACE

enum TPictureOption {
    poAutoFill = 1 << 0,
    poCaseCorrection = 1 << 1,
    poCaseInsensitive = 1 << 2,
};
Q_DECLARE_FLAGS(TPictureOptions, TPictureOption)
Q_FLAG_NS(TPictureOptions)

} // namespace moxMask
Q_DECLARE_OPERATORS_FOR_FLAGS(moxMask::TPictureOptions)
using namespace moxMask;

// The library's error for a malformed picture and for input that does not fit one.
MOX_DECLARE_EXCEPTION(EPictureError, Exception);

namespace moxMaskProgram {
struct Program;
}

// A well-formed picture read once, to match many texts.
class TParsedPicture {
public:
    // The parsed picture, or none when CheckPictureSyntax rejects the mask.
    static std::shared_ptr<const TParsedPicture> Parse(const String& Mask);
    ~TParsedPicture();

    const String& Mask() const { return mask_; }
    // As MatchPicture with this picture.
    bool Match(String& Text, String& Fill, bool Partial, bool CaseCorrection, bool CaseInsensitive) const;

private:
    TParsedPicture(const String& mask, moxMaskProgram::Program&& program);
    String mask_;
    std::unique_ptr<const moxMaskProgram::Program> program_;
};

// Matches Text against Mask: as a complete input, or with Partial as the beginning of one that is
// still being typed. On success Text becomes the case-corrected text and, in partial mode, Fill the
// literal characters that certainly follow it; on failure Text is left alone and Fill is empty.
// A malformed picture matches nothing.
bool MatchPicture(const String& Mask, String& Text, String& Fill, bool Partial, bool CaseCorrection,
                  bool CaseInsensitive);

// True when the picture is well formed (the empty picture is).
bool CheckPictureSyntax(const String& Mask);

// Which part comes first in a date format: 0 the month, 1 the day, 2 the year.
int DateOrderOf(const String& Format);

// The pictures of a date and of a time in the current format settings' order and separators.
String DatePicture(bool FourDigitYear);
String TimePicture(bool WithSeconds);
