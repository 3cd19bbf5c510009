#pragma once
// The state of the modifier keys and mouse buttons that keyboard and mouse events report.
#include <QFlags>
#include <QObject>

namespace ShiftStates {
Q_NAMESPACE

// The flags are 1 << the platform's ordinal, so a set is a QFlags value.
enum TShiftStateFlag {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
    ssDouble = 1 << 6,
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_FLAG_NS(TShiftState)
} // namespace ShiftStates
Q_DECLARE_OPERATORS_FOR_FLAGS(ShiftStates::TShiftState)
using namespace ShiftStates;
