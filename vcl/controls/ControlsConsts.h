#pragma once
// The messages of the control layer; %1 stands where the platform's text has %s.
#include <QString>

namespace ControlsConsts {
inline constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* SParentRequired = "Control '%1' has no parent window";
inline constexpr const char* SControlParentSetToSelf = "A control cannot have itself as its parent";
inline constexpr const char* SVisibleChanged = "Cannot change Visible in OnShow or OnHide";
inline constexpr const char* SCannotShowModal = "Cannot make a visible window modal";
inline constexpr const char* SNotAParent = "%1 is not a parent of this control";
} // namespace ControlsConsts
