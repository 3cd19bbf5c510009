#include "vcl/forms/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "vcl/forms/Application.h"
#include "vcl/forms/FormsConsts.h"

namespace {
TModalAnswerer& Answerer() {
    static TModalAnswerer answerer;
    return answerer;
}

struct ButtonMap {
    TMsgDlgBtn button;
    TModalResult result;
    QMessageBox::StandardButton qt;
};

// In the order the platform places them.
constexpr ButtonMap buttonMap[] = {
    {mbYes, mrYes, QMessageBox::Yes},
    {mbNo, mrNo, QMessageBox::No},
    {mbOK, mrOk, QMessageBox::Ok},
    {mbCancel, mrCancel, QMessageBox::Cancel},
    {mbAbort, mrAbort, QMessageBox::Abort},
    {mbRetry, mrRetry, QMessageBox::Retry},
    {mbIgnore, mrIgnore, QMessageBox::Ignore},
    {mbAll, mrAll, QMessageBox::YesToAll},
    {mbNoToAll, mrNoToAll, QMessageBox::NoToAll},
    {mbYesToAll, mrYesToAll, QMessageBox::YesToAll},
};

bool Offers(TMsgDlgButtons Buttons, TModalResult Result) {
    for (const ButtonMap& b : buttonMap)
        if ((Buttons & b.button) && b.result == Result) return true;
    return false;
}

TModalResult AskUser(const TModalQuestion& Question) {
    QMessageBox box;
    box.setWindowTitle(Question.Caption);
    box.setText(Question.Text);
    switch (Question.DlgType) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    case mtCustom: break;
    }
    QList<QPair<QAbstractButton*, TModalResult>> buttons;
    for (const ButtonMap& b : buttonMap) {
        if (!(Question.Buttons & b.button)) continue;
        // "All" and "Yes to all" share Qt's button, so each gets a button of its own.
        QAbstractButton* button = b.button == mbAll ? box.addButton(QObject::tr("&All"), QMessageBox::YesRole)
                                                    : box.addButton(b.qt);
        buttons.append({button, b.result});
    }
    if (buttons.isEmpty()) buttons.append({box.addButton(QMessageBox::Ok), mrOk});
    box.exec();
    for (const auto& [button, result] : buttons)
        if (box.clickedButton() == button) return result;
    return Offers(Question.Buttons, mrCancel) ? mrCancel : buttons.first().second;
}
} // namespace

TModalAnswerer SetModalAnswerer(TModalAnswerer NewAnswerer) {
    TModalAnswerer previous = std::move(Answerer());
    Answerer() = std::move(NewAnswerer);
    return previous;
}

bool AskModalAnswerer(const TModalQuestion& Question, TModalResult& Result) {
    if (!Answerer()) return false;
    // A copy: the answerer may install another one while it answers.
    const TModalAnswerer answerer = Answerer();
    Result = answerer(Question);
    return true;
}

TModalResult ShowMessageBox(const TModalQuestion& Question) {
    TModalResult result = mrNone;
    if (!AskModalAnswerer(Question, result)) return AskUser(Question);
    const TMsgDlgButtons offered = Question.Buttons ? Question.Buttons : TMsgDlgButtons(mbOK);
    if (!Offers(offered, result))
        throw Exception(QString::fromLatin1(FormsConsts::SAnswerNotOffered).arg(result).arg(Question.Text));
    return result;
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    (void)HelpCtx;
    static const char* const captions[] = {FormsConsts::SMsgDlgWarning, FormsConsts::SMsgDlgError,
                                           FormsConsts::SMsgDlgInformation, FormsConsts::SMsgDlgConfirm};
    TModalQuestion question;
    question.Caption = DlgType == mtCustom ? (Application ? Application->Title() : String())
                                           : QString::fromLatin1(captions[DlgType]);
    question.Text = Msg;
    question.DlgType = DlgType;
    question.Buttons = Buttons;
    return ShowMessageBox(question);
}

void ShowMessage(const String& Msg) { MessageDlg(Msg, mtCustom, mbOK); }

TModalQuestion MessageBoxQuestion(const String& Text, const String& Caption, int Flags) {
    static const TMsgDlgButtons buttons[] = {mbOK, mbOKCancel, mbAbortRetryIgnore, mbYesNoCancel, mbYes | mbNo,
                                             mbRetry | mbCancel};
    TModalQuestion question;
    question.Caption = Caption;
    question.Text = Text;
    const int style = Flags & 0x0F;
    question.Buttons = style < int(std::size(buttons)) ? buttons[style] : TMsgDlgButtons(mbOK);
    switch (Flags & 0xF0) {
    case MB_ICONERROR: question.DlgType = mtError; break;
    case MB_ICONQUESTION: question.DlgType = mtConfirmation; break;
    case MB_ICONWARNING: question.DlgType = mtWarning; break;
    case MB_ICONINFORMATION: question.DlgType = mtInformation; break;
    default: question.DlgType = mtCustom; break;
    }
    return question;
}
