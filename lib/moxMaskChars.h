#pragma once
// How one text character is tested against one character item of a picture, and how the picture
// corrects its case.
#include <optional>

#include "lib/moxMaskProgram.h"
#include "vcl/SysUtils.h"

namespace moxMaskProgram {

class CharRules {
public:
    CharRules(bool CaseCorrection, bool CaseInsensitive)
        : caseCorrection_(CaseCorrection), caseInsensitive_(CaseInsensitive) {}

    // Whether c fits the item (a literal or a character class); Out is c as the picture corrects it.
    bool Accept(ItemKind Kind, Char Literal, Char c, Char& Out) const;

private:
    Char Upper(Char c) const;
    Char Lower(Char c) const;
    bool SameIgnoringCase(Char a, Char b) const;
    const QLocale& Locale() const;

    bool caseCorrection_;
    bool caseInsensitive_;
    mutable std::optional<QLocale> locale_;
};

} // namespace moxMaskProgram
