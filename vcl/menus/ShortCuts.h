#pragma once
// Keyboard shortcuts of menu items and actions: a virtual-key code in the low byte and the
// modifier flags in the high byte, their texts ("Ctrl+O", "Alt+Down") and Qt's key sequences.
#include <QKeySequence>

#include "vcl/System.h"
#include "vcl/classes/ShiftState.h"

using TShortCut = Word;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// The shortcut of a key and the Shift, Ctrl and Alt flags of Shift; other flags are ignored.
// A key code above 255 has no shortcut (scNone).
TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);

// "Shift+", "Ctrl+" and "Alt+" in that order before the key's name ("F1", "Down", "O", "Num 5");
// an empty text for scNone and for a key without a name.
String ShortCutToText(TShortCut ShortCut);
// Reads such a text, modifiers in any order and without regard to case; scNone when the text
// names no key.
TShortCut TextToShortCut(const String& Text);

// The same shortcut as Qt writes it, to show it in a menu; empty for a key Qt has no code for.
QKeySequence ShortCutToKeySequence(TShortCut ShortCut);
