#pragma once
// Between Qt's keys, modifiers and buttons and the platform's virtual keys and shift state.
#include <Qt>

#include "vcl/System.h"
#include "vcl/classes/ShiftState.h"

class QKeyEvent;

// The virtual key of a Qt key; 0 for a key the platform has no code for. Shifted symbols of the
// US layout give the key they sit on ('!' is '1'), keypad keys their VK_NUMPAD codes.
Word QtKeyToVirtualKey(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
// The Qt key of a virtual key; Qt::Key_unknown for a code without one.
int VirtualKeyToQtKey(Word Key);

TShiftState ModifiersToShiftState(Qt::KeyboardModifiers Modifiers);
TShiftState ButtonsToShiftState(Qt::MouseButtons Buttons);
Qt::KeyboardModifiers ShiftStateToModifiers(TShiftState Shift);
// The shift state of a key event; Alt Gr, which types characters, does not count as Alt.
TShiftState KeyEventShiftState(const QKeyEvent& Event);
// The keys and buttons held now.
TShiftState KeyboardStateToShiftState();
