#include "vcl/forms/CustomForm.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>

#include "vcl/classes/Errors.h"
#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/controls/ControlsConsts.h"
#include "vcl/windows/VirtualKeys.h"

namespace {
// The modal result a form closed by Close gives its ShowModal.
constexpr TModalResult CancelledModal = 2;
} // namespace

TCustomForm* GetParentForm(const TControl* Control) {
    const TControl* top = Control;
    while (top && top->Parent()) top = top->Parent();
    return qobject_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    TWinControl::SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    if (!destroyed_) {
        destroyed_ = true;
        DoDestroy();
    }
    if (modalLoop_) modalLoop_->exit();
}

void TCustomForm::AfterConstruction() {
    if (created_) return;
    created_ = true;
    DoCreate();
}

void TCustomForm::BeforeDestruction() {
    if (!destroyed_) {
        destroyed_ = true;
        try {
            DoDestroy();
        } catch (...) {
            ApplicationHandleException(this);
        }
    }
    TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// ---- the window ------------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WndParent = nullptr;
    Params.Style &= ~WS_CHILD;
    Params.Style |= WS_CAPTION;
    if (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin) Params.Style |= WS_THICKFRAME;
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
}

QWidget* TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setAutoFillBackground(true);
    w->setFocusPolicy(Qt::NoFocus);
    w->setWindowTitle(Params.Caption);
    return w;
}

bool TCustomForm::FixedSize() const {
    return borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow ||
           borderStyle_ == bsNone;
}

void TCustomForm::ApplyWindowFlags() {
    QWidget* w = ControlWidget();
    if (!w) return;
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle_) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    default: break;
    }
    const bool shown = w->isVisible();
    w->setWindowFlags(flags);
    ApplyFixedSize();
    if (shown) w->show();
}

void TCustomForm::ApplyFixedSize() {
    QWidget* w = ControlWidget();
    if (!w) return;
    if (FixedSize()) {
        w->setFixedSize(Width(), Height());
    } else {
        w->setMinimumSize(Constraints()->MinWidth(), Constraints()->MinHeight());
        w->setMaximumSize(Constraints()->MaxWidth() > 0 ? Constraints()->MaxWidth() : QWIDGETSIZE_MAX,
                          Constraints()->MaxHeight() > 0 ? Constraints()->MaxHeight() : QWIDGETSIZE_MAX);
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    QWidget* w = ControlWidget();
    // A fixed size is the one the program sets: the limits open for it and close around it again.
    if (w && FixedSize()) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (w && FixedSize()) w->setFixedSize(Width(), Height());
}

void TCustomForm::SetWindowState(TWindowState Value) {
    windowState_ = Value;
    QWidget* w = ControlWidget();
    if (!w || !Visible()) return;
    switch (Value) {
    case wsMinimized: w->showMinimized(); break;
    case wsMaximized: w->showMaximized(); break;
    case wsNormal: w->showNormal(); break;
    }
}

void TCustomForm::CMTextChanged(TMessage& Message) {
    TWinControl::CMTextChanged(Message);
    if (QWidget* w = ControlWidget()) w->setWindowTitle(Text());
}

void TCustomForm::PlaceOnScreen() {
    QRect area;
    if (position_ == poOwnerFormCenter || position_ == poMainFormCenter) {
        if (auto* owner = qobject_cast<TCustomForm*>(Owner()); owner && owner->Visible())
            area = QRect(owner->Left(), owner->Top(), owner->Width(), owner->Height());
    }
    if (area.isNull() && position_ != poDesigned && position_ != poDefault && position_ != poDefaultPosOnly &&
        position_ != poDefaultSizeOnly)
        if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    if (area.isNull()) return;
    SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2, Width(), Height());
}

// ---- showing and hiding ----------------------------------------------------------------------------

void TCustomForm::SetVisible(bool Value) {
    if (showing_) throw EInvalidOperation(QString::fromLatin1(ControlsConsts::SVisibleChanged));
    if (Value == Visible()) return;
    if (ComponentState() & csLoading) {
        TWinControl::SetVisible(Value);
        return;
    }
    if (Value) {
        AfterConstruction();
        HandleNeeded();
        ApplyWindowFlags();
        PlaceOnScreen();
    }
    showing_ = true;
    try {
        if (Value) DoShow();
        else DoHide();
    } catch (...) {
        showing_ = false;
        throw;
    }
    showing_ = false;
    TWinControl::SetVisible(Value);
    if (Value) {
        SetWindowState(windowState_);
        FocusOnShow();
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    if (QWidget* w = ControlWidget()) {
        w->raise();
        w->activateWindow();
    }
}

bool TCustomForm::Active() const {
    const QWidget* w = ControlWidget();
    return w && w->isActiveWindow();
}

void TCustomForm::FocusOnShow() {
    if (activeControl_ && activeControl_->CanFocus()) FocusControl(activeControl_);
    else SelectFirst();
}

// ---- focus -----------------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (activeControl_ == Control) return;
    if (ComponentState() & csLoading) {
        activeControl_ = Control;
        return;
    }
    if (Control && (!Control->CanFocus() || GetParentForm(Control) != this))
        throw EInvalidOperation(QString::fromLatin1(ControlsConsts::SCannotFocus));
    if (!Control) {
        activeControl_ = nullptr;
        return;
    }
    if (Visible()) FocusControl(Control);
    else activeControl_ = Control;
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (!Control) return;
    QPointer<TWinControl> target(Control);
    if (!SetFocusedControl(Control) || !target) return;
    if (QWidget* w = target->Handle()) w->setFocus(Qt::OtherFocusReason);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (Control == this) return true;
    if (Control == focusedControl_) {
        activeControl_ = Control;
        return true;
    }
    QPointer<TWinControl> old(focusedControl_);
    QPointer<TWinControl> target(Control);
    // The innermost control that holds both the old and the new focus.
    TWinControl* common = old;
    while (common && !(Control && common->ContainsControl(Control))) common = common->Parent();
    try {
        for (TWinControl* c = old; c && c != common && c != this; c = c->Parent()) {
            QPointer<TWinControl> guard(c);
            c->Perform(CM_EXIT);
            if (!guard) break;
        }
    } catch (...) {
        // A refused exit (a failed validation) keeps the user where he was.
        if (old && old->HandleAllocated() && old->CanFocus()) old->Handle()->setFocus(Qt::OtherFocusReason);
        throw;
    }
    if (!target) return false;
    focusedControl_ = Control;
    activeControl_ = Control;
    QList<TWinControl*> entered;
    for (TWinControl* c = Control; c && c != common && c != this; c = c->Parent()) entered.prepend(c);
    for (TWinControl* c : entered) {
        QPointer<TWinControl> guard(c);
        c->Perform(CM_ENTER);
        if (!target) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
    return true;
}

void TCustomForm::DefocusControl(TControl* Control, bool Removing) {
    auto* win = qobject_cast<TWinControl*>(Control);
    if (!win) return;
    if (Removing && focusedControl_ && win->ContainsControl(focusedControl_))
        focusedControl_ = win->Parent() == this ? nullptr : win->Parent();
    if (activeControl_ && win->ContainsControl(activeControl_)) activeControl_ = nullptr;
}

void TCustomForm::CancelModeFrom(TControl* Sender) {
    if (!Visible() || !Enabled()) return;
    TWinControl* active = activeControl_ ? activeControl_.data() : focusedControl_.data();
    if (active && active != TControl::CaptureControl()) active->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
}

bool TCustomForm::IsShortCut(Word Key, TShiftState Shift) {
    if (!OnShortCut) return false;
    TMessage message;
    message.Msg = WM_KEYDOWN;
    message.WParam = Key;
    message.LParam = int(Shift);
    bool handled = false;
    OnShortCut(message, handled);
    return handled;
}

// ---- messages --------------------------------------------------------------------------------------

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CLOSE: WMClose(Message); break;
    case WM_ACTIVATE: WMActivate(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomForm::CMDialogKey(TMessage& Message) {
    const auto shift = TShiftState(int(Message.LParam));
    switch (Message.WParam) {
    case VK_TAB:
        if (shift & (ssCtrl | ssAlt)) break;
        SelectNext(activeControl_, !(shift & ssShift), true);
        Message.Result = 1;
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
            activeControl_->Parent()->SelectNext(activeControl_,
                                                 Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
            Message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TWinControl::CMDialogKey(Message);
}

void TCustomForm::WMClose(TMessage& Message) {
    // The form decides itself whether its window goes.
    if (Message.Event) Message.Event->ignore();
    Close();
}

void TCustomForm::WMActivate(TMessage& Message) {
    DefaultHandler(Message);
    if (Message.WParam) {
        if (!focusedControl_ || !focusedControl_->Focused()) FocusOnShow();
        Activate();
    } else {
        Deactivate();
    }
}

// ---- closing ---------------------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
    if (modalLoop_) {
        SetModalResult(CancelledModal);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    switch (action) {
    case caNone: break;
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    }
}

void TCustomForm::Release() {
    QMetaObject::invokeMethod(this, [this] { Free(); }, Qt::QueuedConnection);
}

void TCustomForm::SetModalResult(TModalResult Value) {
    modalResult_ = Value;
    if (Value != 0 && modalLoop_) modalLoop_->exit();
}

bool TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) {
        modalResult_ = 0;
        return false;
    }
    if (action == caFree) Release();
    return true;
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || modalLoop_) throw EInvalidOperation(QString::fromLatin1(ControlsConsts::SCannotShowModal));
    QPointer<TCustomForm> self(this);
    HandleNeeded();
    ControlWidget()->setWindowModality(Qt::ApplicationModal);
    modalResult_ = 0;
    Show();
    QEventLoop loop;
    modalLoop_ = &loop;
    for (;;) {
        if (self && modalResult_ == 0 && Visible()) loop.exec();
        if (!self) return CancelledModal;
        if (!Visible() && modalResult_ == 0) modalResult_ = CancelledModal;
        bool closing = true;
        try {
            closing = CloseModal();
        } catch (...) {
            ApplicationHandleException(this);
            closing = false;
            modalResult_ = 0;
        }
        if (!self) return CancelledModal;
        if (closing || !Visible()) break;
    }
    modalLoop_ = nullptr;
    const TModalResult result = modalResult_ != 0 ? modalResult_ : CancelledModal;
    if (Visible()) Hide();
    if (QWidget* w = ControlWidget()) w->setWindowModality(Qt::NonModal);
    return result;
}
