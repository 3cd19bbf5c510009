#pragma once
// The messages and captions of the forms unit.
namespace FormsConsts {
inline constexpr const char* SMsgDlgWarning = "Warning";
inline constexpr const char* SMsgDlgError = "Error";
inline constexpr const char* SMsgDlgInformation = "Information";
inline constexpr const char* SMsgDlgConfirm = "Confirm";
inline constexpr const char* SAnswerNotOffered = "The answer %1 is not one of the buttons of the message box \"%2\"";
} // namespace FormsConsts
