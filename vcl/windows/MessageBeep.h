#pragma once
// The system's warning sound. Tests count the beeps instead of listening for them.
#include "vcl/System.h"

inline constexpr Cardinal MB_BEEP_DEFAULT = 0;

// Sounds the beep (QApplication::beep) and counts it; callable from any thread, the sound itself
// is made on the user-interface thread.
bool MessageBeep(Cardinal Type);
// How many beeps the program made so far.
int MessageBeepCount();
