#pragma once
// Text functions; character positions count from 1.
#include "vcl/System.h"
#include "vcl/sysutils/Enums.h"

// The line break of this platform.
inline constexpr const char* sLineBreak = "\n";

// Blanks are all characters up to and including ' ' (control characters too).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// ASCII letters only.
String UpperCase(const String& s);
String LowerCase(const String& s);
// The locale's rules for every letter.
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);

// Ordinal comparisons; CompareText folds only ASCII letters. Results < 0, 0, > 0.
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameStr(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// The current locale's collation (QLocale's default), with and without regard to case.
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);

// 'It''s': the text in quotes, quotes inside doubled.
String QuotedStr(const String& s);
String AnsiQuotedStr(const String& s, Char quote);
// Reads a quoted text at the start of `s`, undoubling quotes; `s` keeps what follows the closing
// quote. Without an opening quote the result is empty and `s` unchanged; without a closing one
// the rest is taken.
String AnsiExtractQuotedStr(String& s, Char quote);
// The text without its quotes when it is entirely quoted, else the text itself.
String AnsiDequotedStr(const String& s, Char quote);

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags);

// 1-based position of the first occurrence, 0 when absent (also for an empty substring).
int Pos(const String& substr, const String& s);
int Pos(Char c, const String& s);
// `count` characters from the 1-based `index`; out-of-range parts are clamped away.
String Copy(const String& s, int index, int count);
// True when the character at the 1-based index is one of the delimiters.
bool IsDelimiter(const String& delimiters, const String& s, int index);
// The 1-based index of the last character that is one of the delimiters, 0 when none is.
int LastDelimiter(const String& delimiters, const String& s);
// Every CR, LF, CR LF and LF CR becomes one line break of the given style.
String AdjustLineBreaks(const String& s, TTextLineBreakStyle style = tlbsLF);

// "True"/"False" with useBoolStrs, else "-1"/"0".
String BoolToStr(bool value, bool useBoolStrs = false);
// "True"/"False" in any case, or a number (zero is false). StrToBool raises EConvertError
// "'...' is not a valid boolean value".
bool TryStrToBool(const String& s, bool& value);
bool StrToBool(const String& s);
bool StrToBoolDef(const String& s, bool defaultValue);
