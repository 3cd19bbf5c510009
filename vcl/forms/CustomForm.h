#pragma once
// TCustomForm and TForm: a top-level window that holds controls, keeps the focused control, runs
// the dialog keys (Tab, arrows, default and cancel buttons), closes with a close query and a close
// action, and shows itself modally.
#include <QPointer>

#include "vcl/controls/WinControl.h"

class QEventLoop;

namespace CustomForms {
Q_NAMESPACE

enum TCloseAction { caNone, caHide, caFree, caMinimize };
Q_ENUM_NS(TCloseAction)

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
Q_ENUM_NS(TFormBorderStyle)

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
Q_ENUM_NS(TPosition)

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)

} // namespace CustomForms
using namespace CustomForms;

// The border style of other controls (an edit, a panel) takes bsNone and bsSingle of the same type.
using TBorderStyle = TFormBorderStyle;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
Q_DECLARE_METATYPE(TCloseEvent)
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
Q_DECLARE_METATYPE(TCloseQueryEvent)
// Msg is the key's WM_KEYDOWN message (WParam the virtual key, LParam the shift state).
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;
Q_DECLARE_METATYPE(TShortCutEvent)

class TCustomForm : public TWinControl {
    Q_OBJECT
    MOX_EVENT(TNotifyEvent, OnActivate)
    MOX_EVENT(TNotifyEvent, OnDeactivate)
    MOX_EVENT(TNotifyEvent, OnCreate)
    MOX_EVENT(TNotifyEvent, OnDestroy)
    MOX_EVENT(TNotifyEvent, OnShow)
    MOX_EVENT(TNotifyEvent, OnHide)
    MOX_EVENT(TCloseEvent, OnClose)
    MOX_EVENT(TCloseQueryEvent, OnCloseQuery)
    MOX_EVENT(TShortCutEvent, OnShortCut)
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Raises OnCreate; whoever creates a form calls it once the form is built (the form reader,
    // the application). A form shown before that raises it first.
    virtual void AfterConstruction();
    // Raises OnDestroy while the form is whole.
    void BeforeDestruction() override;

    // The control that has the focus within the form, or null. Setting it to a control that cannot
    // take the focus raises EInvalidOperation; while loading it is only recorded.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* Control);
    TWinControl* FocusedControl() const { return focusedControl_; }
    // Moves the form's focus to Control: CM_EXIT goes to the controls left (innermost first), then
    // CM_ENTER to the controls entered (outermost first). When an exit raises, the focus stays
    // where it was and the exception goes on to the caller. True when the focus moved or was there.
    virtual bool SetFocusedControl(TWinControl* Control);
    // SetFocusedControl and then the window focus.
    void FocusControl(TWinControl* Control);
    // Forgets Control (and what it holds) as the active control; when Removing, also as the
    // focused control, which becomes its parent.
    void DefocusControl(TControl* Control, bool Removing);
    // Sends CM_CANCELMODE to the active control: the user pressed on Sender.
    void CancelModeFrom(TControl* Sender);

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool Value) { keyPreview_ = Value; }
    // A key down as a shortcut: raises OnShortCut; true when it was handled.
    virtual bool IsShortCut(Word Key, TShiftState Shift);

    bool Active() const;
    void SetVisible(bool Value) override;
    bool WidgetShouldShow() const override { return Visible(); }
    // Shows the form and brings it to the front.
    void Show();
    void Hide() { SetVisible(false); }

    // Close: OnCloseQuery may refuse; OnClose chooses what happens (caHide by default): caNone
    // nothing, caHide hides, caMinimize minimizes, caFree frees the form once the current event is
    // done. A modal form only ends its ShowModal with mrCancel.
    void Close();
    virtual bool CloseQuery();
    // Frees the form after the events being delivered now.
    void Release();
    // Shows the form modally and runs a nested event loop until ModalResult is set (or the form is
    // closed or hidden), then hides the form and returns ModalResult. Raises EInvalidOperation
    // "Cannot make a visible window modal" for a form already shown.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value);
    bool Modal() const { return modalLoop_ != nullptr; }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);

    QWidget* CreateWindowHandle(const TCreateParams& Params) override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    virtual void WMClose(TMessage& Message);
    virtual void WMActivate(TMessage& Message);

private:
    void ApplyWindowFlags();
    void ApplyFixedSize();
    void PlaceOnScreen();
    void FocusOnShow();
    bool FixedSize() const;
    // The end of a modal loop: close query and close action; false keeps the form open.
    bool CloseModal();

    QPointer<TWinControl> activeControl_;
    QPointer<TWinControl> focusedControl_;
    bool keyPreview_ = false;
    bool created_ = false;
    bool destroyed_ = false;
    bool showing_ = false;
    TModalResult modalResult_ = 0;
    QEventLoop* modalLoop_ = nullptr;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
};

// The form that publishes the form's properties for the form resources.
class TForm : public TCustomForm {
    Q_OBJECT
    Q_PROPERTY(TWinControl* ActiveControl READ ActiveControl WRITE SetActiveControl)
    Q_PROPERTY(Controls::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(Controls::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(CustomForms::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight STORED false)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth STORED false)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(CustomForms::TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(CustomForms::TWindowState WindowState READ WindowState WRITE SetWindowState)
    MOX_DEFAULT(Align, alNone)
    MOX_DEFAULT(AutoSize, False)
    MOX_DEFAULT(BiDiMode, bdLeftToRight)
    MOX_DEFAULT(BorderStyle, bsSizeable)
    MOX_DEFAULT(Color, clBtnFace)
    MOX_DEFAULT(Enabled, True)
    MOX_DEFAULT(KeyPreview, False)
    MOX_DEFAULT(ParentFont, False)
    MOX_DEFAULT(Position, poDesigned)
    MOX_DEFAULT(ShowHint, False)
    MOX_DEFAULT(Visible, False)
    MOX_DEFAULT(WindowState, wsNormal)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
