#pragma once
// Message boxes and the answers to modal questions. Every message box and every modal form asks
// the installed answerer first, so that a test can give the user's answer; without one the user
// answers a QMessageBox (or the form's own loop).
#include <QFlags>
#include <QObject>
#include <functional>

#include "vcl/System.h"
#include "vcl/forms/ModalResult.h"

namespace Dialogs {
Q_NAMESPACE
enum TMsgDlgType {
    mtWarning,
    mtError,
    mtInformation,
    mtConfirmation,
    mtCustom
};
Q_ENUM_NS(TMsgDlgType)

// The flags are 1 << the platform's ordinal.
enum TMsgDlgBtn {
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
    mbAll = 1 << 7,
    mbNoToAll = 1 << 8,
    mbYesToAll = 1 << 9,
    mbHelp = 1 << 10,
};
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_FLAG_NS(TMsgDlgButtons)
} // namespace Dialogs
Q_DECLARE_OPERATORS_FOR_FLAGS(Dialogs::TMsgDlgButtons)
using namespace Dialogs;

inline constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The platform's message-box styles and answers (Application->MessageBox).
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_OKCANCEL = 0x01;
inline constexpr int MB_ABORTRETRYIGNORE = 0x02;
inline constexpr int MB_YESNOCANCEL = 0x03;
inline constexpr int MB_YESNO = 0x04;
inline constexpr int MB_RETRYCANCEL = 0x05;
inline constexpr int MB_ICONERROR = 0x10;
inline constexpr int MB_ICONHAND = MB_ICONERROR;
inline constexpr int MB_ICONSTOP = MB_ICONERROR;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONWARNING = 0x30;
inline constexpr int MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr int MB_ICONINFORMATION = 0x40;
inline constexpr int MB_ICONASTERISK = MB_ICONINFORMATION;
inline constexpr int IDOK = mrOk;
inline constexpr int IDCANCEL = mrCancel;
inline constexpr int IDABORT = mrAbort;
inline constexpr int IDRETRY = mrRetry;
inline constexpr int IDIGNORE = mrIgnore;
inline constexpr int IDYES = mrYes;
inline constexpr int IDNO = mrNo;

class TCustomForm;

// One modal question: a message box (Text and Buttons) or a form shown modally (Form).
struct TModalQuestion {
    String Caption;
    String Text;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons;
    TCustomForm* Form = nullptr;
};

// Returns the modal result of the button chosen (for a form: the form's ModalResult). It may also
// work the form it is given (type into it, click its buttons) before it answers.
using TModalAnswerer = std::function<TModalResult(const TModalQuestion& Question)>;

// Installs the answerer and returns the one before; an empty function gives the questions back
// to the user. The user-interface thread only.
TModalAnswerer SetModalAnswerer(TModalAnswerer Answerer);
// True when an answerer is installed; Result is then its answer.
bool AskModalAnswerer(const TModalQuestion& Question, TModalResult& Result);

// Installs an answerer for the life of the object and restores the previous one.
class TScopedModalAnswerer {
public:
    explicit TScopedModalAnswerer(TModalAnswerer Answerer) : previous_(SetModalAnswerer(std::move(Answerer))) {}
    ~TScopedModalAnswerer() { SetModalAnswerer(std::move(previous_)); }
    TScopedModalAnswerer(const TScopedModalAnswerer&) = delete;
    TScopedModalAnswerer& operator=(const TScopedModalAnswerer&) = delete;

private:
    TModalAnswerer previous_;
};

// Asks the question as a message box and returns the chosen button's modal result. An answerer's
// answer that is not one of the offered buttons raises Exception (a test that answers wrongly).
TModalResult ShowMessageBox(const TModalQuestion& Question);
// A message box with the caption of its type ("Warning", "Error", "Information", "Confirm"; the
// application's title for mtCustom).
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// An information box with an OK button and the application's title.
void ShowMessage(const String& Msg);
// The buttons and type of the platform's message-box style flags.
TModalQuestion MessageBoxQuestion(const String& Text, const String& Caption, int Flags);
