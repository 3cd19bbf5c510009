#pragma once
// Small controls and helpers that the control tests drive with simulated keys and mouse.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <functional>

#include "vcl/Classes.h"
#include "vcl/Controls.h"
#include "vcl/forms/CustomForm.h"

namespace mox::test {

// Collects what the application's exception display shows while it lives.
class ShownErrors {
public:
    ShownErrors() {
        SetApplicationExceptionDisplay([this](TObject*, std::exception_ptr e) { messages << ExceptionMessage(e); });
    }
    ~ShownErrors() { SetApplicationExceptionDisplay({}); }
    ShownErrors(const ShownErrors&) = delete;
    ShownErrors& operator=(const ShownErrors&) = delete;
    QStringList messages;
};

// Serves events until the condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& Condition, int TimeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!Condition()) {
        if (timer.elapsed() > TimeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A form shown and activated offscreen.
inline void ShowActive(TCustomForm* Form) {
    Form->Show();
    QWidget* w = Form->Handle();
    QApplication::setActiveWindow(w);
    (void)QTest::qWaitForWindowActive(w, 2000);
    QApplication::processEvents();
}

// An edit: a windowed control that wraps a QLineEdit, as the standard edit does.
class TestEdit : public TWinControl {
public:
    explicit TestEdit(TComponent* AOwner) : TWinControl(AOwner) {
        SetTabStop(true);
        SetBounds(0, 0, 100, 22);
    }
    QLineEdit* Line() { return static_cast<QLineEdit*>(Handle()); }
    String GetText() const override {
        return HandleAllocated() ? static_cast<QLineEdit*>(ControlWidget())->text() : TWinControl::GetText();
    }

protected:
    QWidget* CreateWindowHandle(const TCreateParams& Params) override {
        auto* line = new QLineEdit(Params.WndParent);
        line->setText(TWinControl::GetText());
        return line;
    }
};

// A button that paints itself, clicks on Space, and answers Enter as the default button and Esc as
// the cancel button, and its "&" accelerator.
class TestButton : public TCustomControl {
public:
    explicit TestButton(TComponent* AOwner) : TCustomControl(AOwner) {
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    bool Default = false;
    bool Cancel = false;

protected:
    void KeyPress(Char& Key) override {
        TCustomControl::KeyPress(Key);
        if (Key == QLatin1Char(' ')) Click();
    }
    void CMDialogKey(TMessage& Message) override {
        if (((Message.WParam == VK_RETURN && Default) || (Message.WParam == VK_ESCAPE && Cancel)) &&
            (TShiftState(int(Message.LParam)) & (ssAlt | ssCtrl)) == TShiftState()) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::CMDialogKey(Message);
    }
    void CMDialogChar(TMessage& Message) override {
        if (IsAccel(Word(QChar(char16_t(Message.WParam)).toUpper().unicode()), Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::CMDialogChar(Message);
    }
};

} // namespace mox::test
