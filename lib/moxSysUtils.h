#pragma once
// The library's shared free functions: comparisons and bounds, calendar arithmetic, wildcard
// matching, words and delimited lists, command-line style parameters, paths and files, lists
// created on demand, bounded history lists, named-value lists, published properties and a walk
// over the components a component owns.
//
// Texts are indexed from 1 where a function takes or returns a position. "Blank" means a character
// with a code from 1 to 32.
#include <bitset>
#include <functional>
#include <initializer_list>
#include <span>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"
#include "vcl/Variants.h"

// Raised for invalid file names and failed file operations.
MOX_DECLARE_EXCEPTION(EFileOperation, Exception);

// ---------------------------------------------------------------------------------------------
// Comparisons and bounds

// The index of the first element of List[0..Count-1] equal to P, -1 when there is none.
int IndexOfPointer(Pointer P, const Pointer* List, int Count);
// Negative, zero or positive as the first differing byte of P1 is below or above that of P2
// (bytes compared unsigned); zero when the runs are equal or Length is 0 or less.
int CompareBytes(const void* P1, const void* P2, int Length);
// Fills the run with zeros; does nothing for a length of 0 or less.
void ZeroBytes(void* P, int Length);
// True on the application's main thread (the thread that runs the event loop); the framework's own,
// declared with the threads in vcl/classes/Synchronize.h.
bool IsMainThread();

int MaxInteger(int A, int B);
int MinInteger(int A, int B);
// The largest of the values; an empty list raises EListError "List index out of bounds (0)".
int MaxOfIntegers(std::span<const int> Values);
int MaxOfIntegers(std::initializer_list<int> Values);
double MaxFloat(double A, double B);
double MinFloat(double A, double B);
Extended MaxExtended(Extended A, Extended B);
Extended MinExtended(Extended A, Extended B);

// ---------------------------------------------------------------------------------------------
// Calendar. Dates are date-time numbers; functions that return a date drop the time unless they
// say otherwise. Invalid dates raise EConvertError as EncodeDate does.

// 28 to 31 by the Gregorian rule; 0 for a month outside 1..12.
int DaysPerMonth(int AYear, int AMonth);
// Day 1 of the month.
TDateTime MonthStart(int AYear, int AMonth);
TDateTime FirstDayOfMonth(TDateTime ADate);
TDateTime LastDayOfMonth(TDateTime ADate);
// Years 1..9999, months 1..12, days within the month.
bool IsValidDate(Word Y, Word M, Word D);
bool IsValidTime(Word H, Word M, Word S, Word MS);
// Parts of the date; 0 for a date outside years 1..9999.
Word ExtractDay(TDateTime ADate);
Word ExtractMonth(TDateTime ADate);
Word ExtractYear(TDateTime ADate);
// Moves the date by whole months and years, keeping the day where the new month has it and capping
// it at the month's last day otherwise (31 January + 1 month is the end of February), then by Days;
// the time of day is kept.
TDateTime IncDate(TDateTime ADate, int Days, int Months, int Years);
// The date plus whole days, keeping the time of day (also for dates before 30 December 1899).
TDateTime IncDay(TDateTime ADate, int Delta);
TDateTime IncMonth(TDateTime ADate, int Delta);
// The year of the clock's local date.
Word CurrentYear();

// Two-digit years fall into the hundred years that start CenturyWindow years before the current
// year (60 at first: in 2026, 66 is 1966 and 65 is 2065); years of 100 and more are unchanged.
int ExpandYear(int AYear);
Byte CenturyWindow();
void SetCenturyWindow(Byte Value);

// ---------------------------------------------------------------------------------------------
// Strings

// A set of characters: the Latin-1 ones held as 256 bits, any others beside them.
class TCharSet {
public:
    TCharSet() = default;
    TCharSet(std::initializer_list<QChar> Chars);
    // Every character of the text.
    static TCharSet Of(const String& Chars);

    bool Contains(QChar C) const;
    TCharSet& Include(QChar C);
    TCharSet& Exclude(QChar C);
    bool IsEmpty() const { return latin1_.none() && others_.isEmpty(); }

private:
    std::bitset<256> latin1_;
    String others_; // sorted, no repeats
};

// "*" and "%" stand for any run of characters, "?" and "_" for exactly one; every other character
// must equal its text character (case counts). An empty text or pattern never matches, an empty
// text not even "*". The matcher remembers only the last star it passed, so it takes at most
// length(Text) * length(Pattern) steps, whatever the pattern.
bool WildcardMatch(const String& Text, const String& Pattern);
// Every occurrence of S1 (case-sensitive, left to right, not overlapping) replaced by S2; an empty
// S1 occurs nowhere.
String ReplaceStr(const String& S, const String& S1, const String& S2);
// Count copies of C; empty for a count below 1.
String MakeStr(QChar C, int Count);
// Appends Separator (when S is not empty) and Item.
void AddDelimited(String& S, const String& Item, const String& Separator);
// The part of S from Pos up to the next Delimiter, without blanks at its ends. Pos moves past the
// delimiter, or to length + 1 when there is none (an empty delimiter never occurs).
String ExtractDelimited(const String& S, const String& Delimiter, int& Pos);
// Words are the maximal runs of characters that are not delimiters; N counts from 1.
int WordCount(const String& S, const TCharSet& WordDelims);
// The position of the first character of the N-th word, 0 when there are fewer words.
int WordPosition(int N, const String& S, const TCharSet& WordDelims);
// The N-th word, empty when there are fewer words.
String ExtractWord(int N, const String& S, const TCharSet& WordDelims);
// True when S holds at least one of the characters.
bool HasAnyChar(const String& S, const String& Chars);

// ---------------------------------------------------------------------------------------------
// Variants and named-value lists. A named-value list is a variant array indexed from 0 whose
// elements are two-element arrays: the name (text) and the value (any variant). An unassigned
// variant is the empty list. A bad index raises EVariantBadIndexError; a list that is neither
// unassigned nor an array raises EVariantError.

// True when the variant comparison finds the values equal; false also when it fails (a text that
// is no number against a number, arrays): it never raises.
bool VarEquals(const Variant& V1, const Variant& V2);

int NamedValuesCount(const Variant& List);
String NamedValueName(const Variant& List, int Index);
Variant NamedValueAt(const Variant& List, int Index);
// The index of the first pair whose name equals Name without regard to case, -1 when none does.
int NamedValueIndex(const Variant& List, const String& Name);
// The value of that pair, unassigned when there is none.
Variant NamedValueByName(const Variant& List, const String& Name);
void SetNamedValueAt(Variant& List, int Index, const Variant& Value);
// Appends a pair; returns its index.
int AddNamedValue(Variant& List, const String& Name, const Variant& Value);
// Replaces the value of the named pair, or appends a pair when there is none.
void SetNamedValue(Variant& List, const String& Name, const Variant& Value);

// ---------------------------------------------------------------------------------------------
// Command-line style parameters

// The parameter that starts at or after Pos: blanks and empty quote pairs ("") before it are
// skipped; it runs up to the next blank outside double quotes; quoted parts keep their blanks and
// lose their quotes, and glue to the unquoted parts around them (a"b c"d is ab cd). Pos moves to
// the character after the parameter. Parameters have no length limit.
String NextParam(const String& S, int& Pos);
// The parameter at Index (from 0); empty when the text has fewer.
String ParamStrOf(const String& S, int Index);

// ---------------------------------------------------------------------------------------------
// Paths and files, in the host's path syntax: PathDelim separates the components, and a volume's
// root is its mount point. A file's short name is its name. File-system functions report absence
// by their result and raise nothing.

bool DirExists(const String& Name);
// Not empty and free of < > " [ ] | and of the null character (which no file name can hold).
bool IsValidFileName(const String& FileName);
// The name of the file or folder the path names, as found on disk; empty when nothing is there.
String LongComponentName(const String& Path);
String ShortComponentName(const String& Path);
// The path with every component after the first replaced by its name as found on disk (empty for
// a component that does not exist); empty components and a trailing delimiter are kept.
String LongPathName(const String& Path);
String ShortPathName(const String& Path);
// With Include: PathDelim for an empty path, else the path ending in one PathDelim (added when it
// has none). Without: the path without any trailing PathDelim.
String SetTrailingBackslash(const String& Path, bool Include);
// Directory + Name with one PathDelim between them unless Directory already ends in one.
String ConcatPath(const String& Directory, const String& Name);
// A directory name without trailing delimiters; the root keeps its one delimiter.
String NormalizeDirName(const String& Path);
// The path up to (not including) the next PathDelim at or after Pos, and Pos just past that
// delimiter; the whole path and Pos = length + 1 when there is none. From 1 on /a/b the calls give
// "" (the root's prefix), /a, then /a/b.
String NextPathPrefix(const String& Path, int& Pos);
// Empties List, then adds, for each ";"-separated mask, the entries of the directory (the current
// one when empty) that match the mask: as the folder + PathDelim + name, when the entry's
// attributes hold all of Attributes, or when they hold none of them and Attributes has faNormal.
// The list's updates are suspended during the whole search.
void FindFilesByMasks(const String& Directory, const String& Masks, int Attributes, TStrings* List);

// ---------------------------------------------------------------------------------------------
// Lists on demand: a TList reference that is none while the list is empty. Objects are held by
// their TObject address, as the platform's object lists hold them: the TObject overloads convert
// any object pointer to it, so that adding, searching and freeing agree.

// Creates the list when there is none; returns it.
TList* ListNeed(TList*& List);
// Appends the item to the list (created when needed); returns its index.
int ListAdd(TList*& List, Pointer Item);
int ListAdd(TList*& List, TObject* Item);
int ListCount(const TList* List);
// -1 when there is no list or the item is not in it.
int ListIndexOf(const TList* List, Pointer Item);
int ListIndexOf(const TList* List, TObject* Item);
// Raises EListError "List index out of bounds (%d)" for a bad index, and when there is no list.
Pointer ListItem(const TList* List, int Index);
// Takes the item out and returns it; frees the list and clears the reference once it is empty.
Pointer ListDelete(TList*& List, int Index);
// ListDelete of the item when it is there; returns it, or none.
Pointer ListRemove(TList*& List, Pointer Item);
TObject* ListRemove(TList*& List, TObject* Item);
// ListRemove of the last item; none when there is no list.
Pointer ListRemoveLast(TList*& List);
// Frees every item as a TObject, from the last to the first; then frees the list and clears the
// reference when FreeList says so, else leaves it empty.
void ListFreeAll(TList*& List, bool FreeList = true);
// Frees the list (not its items) and clears the reference.
void ListFree(TList*& List);

// ---------------------------------------------------------------------------------------------
// History lists

// Puts Text at Index (or at the end, whichever comes first, within MaxCount) with AObject: an entry
// already there (found by the list's own search) moves instead, taking the new object. The list is
// then cut to MaxCount entries from its end. Returns the entry's position, -1 when MaxCount leaves
// no room for it.
int AddHistoryItem(TStrings* List, int Index, const String& Text, int MaxCount, TObject* AObject);
int AddHistory(TStrings* List, int Index, const String& Text, int MaxCount);

// ---------------------------------------------------------------------------------------------
// Published properties and owned components

// Fills List with the descriptions of the object's published properties of the given kinds, in
// declaration order (the base classes' first). The list is emptied first, and again when filling
// fails (the failure then passes on).
void GetPublishedProps(const TObject* AObject, TTypeKinds Kinds, TPropList& List);
// The first description in the list whose property name equals Name without regard to case, or none.
PPropInfo FindPropInfo(const TPropList& List, const String& Name);

using TComponentProc = std::function<void(TComponent* AComponent, Pointer Data)>;
// Calls Proc with every component that Owner owns, in order, when it is of AClass or derived from
// it (no class: every component); with Recursive, each component's own components follow it,
// whether or not it matched. A component that Proc frees is not visited (nor what it owned).
void ForEachComponent(TComponent* Owner, const QMetaObject* AClass, const TComponentProc& Proc, Pointer Data,
                      bool Recursive);
