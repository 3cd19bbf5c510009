#include "vcl/controls/WinControl.h"

#include <QKeyEvent>
#include <QWidget>

#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Errors.h"
#include "vcl/controls/ControlsConsts.h"
#include "vcl/forms/CustomForm.h"
#include "vcl/windows/VirtualKeys.h"

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    Destroying();
    while (!controls_.isEmpty()) {
        TControl* child = controls_.last();
        RemoveControl(child);
        child->Free();
    }
    if (parent_) parent_->RemoveControl(this);
    DestroyHandle();
}

// ---- children --------------------------------------------------------------------------------------

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= controls_.size())
        throw EListError(QString::fromLatin1(ClassesConsts::SListIndexError).arg(Index));
    return controls_[Index];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl || AControl->parent_ == this) return;
    if (AControl == this) throw EInvalidOperation(QString::fromLatin1(ControlsConsts::SControlParentSetToSelf));
    if (AControl->parent_) AControl->parent_->RemoveControl(AControl);
    AControl->parent_ = this;
    controls_.append(AControl);
    auto* win = qobject_cast<TWinControl*>(AControl);
    if (win) tabList_.append(win);
    if (AControl->parentFont_) AControl->Perform(CM_PARENTFONTCHANGED);
    if (AControl->parentColor_) AControl->Perform(CM_PARENTCOLORCHANGED);
    if (AControl->parentShowHint_) AControl->Perform(CM_PARENTSHOWHINTCHANGED);
    if (AControl->parentBiDiMode_) AControl->Perform(CM_PARENTBIDIMODECHANGED);
    if (win && win->HandleAllocated()) {
        // A window made before the control had this parent moves in, or goes until it is needed.
        if (HandleAllocated() && !win->popup_) {
            win->ControlWidget()->setParent(ClientWidget());
            win->ApplyWidgetState();
        } else {
            win->DestroyHandle();
        }
    }
    if (HandleAllocated()) {
        if (win) win->CreateHandle();
        else AControl->UpdateViewWidget();
    }
    AControl->UpdateAnchorRules();
    Perform(CM_CONTROLCHANGE, WPARAM(AControl), 1);
    AlignChildren(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (!AControl || AControl->parent_ != this) return;
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(AControl, true);
    if (auto* win = qobject_cast<TWinControl*>(AControl)) {
        win->DestroyHandle();
        tabList_.removeAll(win);
    } else {
        AControl->ReleaseWidget();
    }
    controls_.removeAll(AControl);
    AControl->parent_ = nullptr;
    if (!(ComponentState() & csDestroying)) {
        Perform(CM_CONTROLCHANGE, WPARAM(AControl), 0);
        Realign();
    }
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled) const {
    for (int i = int(controls_.size()) - 1; i >= 0; --i) {
        TControl* c = controls_[i];
        if (c->Visible() && (AllowDisabled || c->Enabled()) && PtInRect(c->BoundsRect(), Pos)) return c;
    }
    return nullptr;
}

TControl* TWinControl::FindChildControl(const String& ControlName) const {
    for (TControl* c : controls_)
        if (c->Name().compare(ControlName, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

void TWinControl::NotifyChildren(Cardinal Msg) {
    const QList<TControl*> children = controls_;
    for (TControl* c : children) c->Perform(Msg);
}

void TWinControl::Broadcast(TMessage& Message) {
    const QList<TControl*> children = controls_;
    for (TControl* c : children) {
        if (!controls_.contains(c)) continue;
        c->WndProc(Message);
        if (Message.Result != 0) return;
    }
}

// ---- the window ------------------------------------------------------------------------------------

QWidget* TWinControl::Handle() {
    HandleNeeded();
    return widget_.data();
}

void TWinControl::HandleNeeded() {
    if (HandleAllocated()) return;
    if (parent_) parent_->HandleNeeded();
    if (!HandleAllocated()) CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = Text();
    Params.Style = parent_ ? WS_CHILD | WS_CLIPSIBLINGS : 0;
    if (tabStop_) Params.Style |= WS_TABSTOP;
    if (Visible()) Params.Style |= WS_VISIBLE;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = parent_ && parent_->HandleAllocated() ? parent_->ClientWidget() : nullptr;
}

QWidget* TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    auto* w = new QWidget(Params.WndParent);
    w->setAutoFillBackground(true);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    QWidget* w = CreateWindowHandle(params);
    popup_ = parent_ && !params.WndParent;
    if (popup_) {
        // A window of the desktop while its parent is a control: it floats over the form, frameless,
        // and never takes the activation or the focus from it.
        if (w->parentWidget()) w->setParent(nullptr);
        w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setFocusPolicy(Qt::NoFocus);
    } else if (params.WndParent && w->parentWidget() != params.WndParent) {
        w->setParent(params.WndParent);
    }
    AttachWidget(w);
}

void TWinControl::CreateHandle() {
    if (HandleAllocated()) return;
    SetControlState(ControlState() | csCreating);
    try {
        CreateWnd();
        const QList<TControl*> children = controls_;
        for (TControl* c : children) {
            if (auto* win = qobject_cast<TWinControl*>(c)) win->CreateHandle();
            else c->UpdateViewWidget();
        }
    } catch (...) {
        SetControlState(ControlState() & ~TControlState(csCreating));
        throw;
    }
    SetControlState(ControlState() & ~TControlState(csCreating));
    ApplyVisibility();
}

void TWinControl::DestroyWnd() { ReleaseWidget(); }

void TWinControl::DestroyHandle() {
    if (!HandleAllocated()) return;
    SetControlState(ControlState() | csDestroyingHandle);
    const QList<TControl*> children = controls_;
    for (TControl* c : children) {
        if (auto* win = qobject_cast<TWinControl*>(c)) win->DestroyHandle();
        else c->ReleaseWidget();
    }
    DestroyWnd();
    SetControlState(ControlState() & ~TControlState(csDestroyingHandle));
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated()) return;
    DestroyHandle();
    HandleNeeded();
}

bool TWinControl::Showing() const { return widget_ && widget_->isVisible(); }

bool TWinControl::WidgetShouldShow() const { return Visible() && parent_ != nullptr; }

void TWinControl::ApplyWidgetState() {
    if (widget_ && !widget_->isWindow() && Text() != widget_->windowTitle()) widget_->setWindowTitle(Text());
    TControl::ApplyWidgetState();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::Invalidate() { TControl::Invalidate(); }

void TWinControl::Update() { TControl::Update(); }

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

bool TWinControl::CanAutoSize(int& NewWidth, int& NewHeight) {
    int right = 0, bottom = 0;
    bool any = false;
    for (TControl* c : controls_) {
        if (!c->Visible()) continue;
        any = true;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    if (!any) return false;
    TRect client = ClientRect();
    TRect area = client;
    AdjustClientRect(area);
    NewWidth = right + (client.Right - area.Right) + (Width() - client.Width());
    NewHeight = bottom + (client.Bottom - area.Bottom) + (Height() - client.Height());
    return true;
}

// ---- messages --------------------------------------------------------------------------------------

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SYSCHAR: WMSysChar(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_CHILDKEY: CMChildKey(Message); break;
    case CM_SHOWHINTCHANGED:
        TControl::Dispatch(Message);
        NotifyChildren(CM_PARENTSHOWHINTCHANGED);
        break;
    case CM_BIDIMODECHANGED:
        TControl::Dispatch(Message);
        NotifyChildren(CM_PARENTBIDIMODECHANGED);
        break;
    default: TControl::Dispatch(Message); break;
    }
}

void TWinControl::WMSize(TMessage& Message) {
    Realign();
    TControl::WMSize(Message);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    if (!Visible())
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
    TControl::CMVisibleChanged(Message);
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (!Enabled())
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, false);
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    TControl::CMColorChanged(Message);
    NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    TControl::CMFontChanged(Message);
    if (HandleAllocated()) Perform(WM_SETFONT);
    NotifyChildren(CM_PARENTFONTCHANGED);
}

// ---- focus -----------------------------------------------------------------------------------------

int TWinControl::TabOrder() const { return parent_ ? int(parent_->tabList_.indexOf(const_cast<TWinControl*>(this))) : -1; }

void TWinControl::SetTabOrder(int Value) {
    if (!parent_) return;
    QList<TWinControl*>& list = parent_->tabList_;
    const int current = int(list.indexOf(this));
    if (current < 0) return;
    const int target = Value < 0 || Value >= list.size() ? int(list.size()) - 1 : Value;
    list.move(current, target);
}

void TWinControl::SetTabStop(bool Value) {
    if (tabStop_ == Value) return;
    tabStop_ = Value;
    Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm(this);
    if (!form) return Visible() && Enabled();
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return form->Visible() && form->Enabled();
}

bool TWinControl::Focused() const {
    if (!widget_) return false;
    const QWidget* focus = widget_->window()->focusWidget();
    return focus && FindControl(focus) == this;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation(QString::fromLatin1(ControlsConsts::SCannotFocus));
    if (TCustomForm* form = GetParentForm(this); form && form != this) {
        form->FocusControl(this);
        return;
    }
    if (QWidget* w = Handle()) w->setFocus(Qt::OtherFocusReason);
}

void TWinControl::GetTabOrderList(QList<TWinControl*>& List) const {
    for (TWinControl* c : tabList_) {
        List.append(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    QList<TWinControl*> list;
    GetTabOrderList(list);
    if (list.isEmpty()) return nullptr;
    const int count = int(list.size());
    int start = int(list.indexOf(CurControl));
    if (start < 0) start = GoForward ? count - 1 : 0;
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[i];
        if (c == CurControl) continue;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() {
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

void TWinControl::WMSetFocus(TMessage& Message) {
    if (TCustomForm* form = GetParentForm(this)) {
        if (!form->SetFocusedControl(this)) return;
    } else {
        Perform(CM_ENTER);
    }
    DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message) {
    DefaultHandler(Message);
    if (!GetParentForm(this)) Perform(CM_EXIT);
}

void TWinControl::CMEnter(TMessage& Message) {
    (void)Message;
    DoEnter();
}

void TWinControl::CMExit(TMessage& Message) {
    (void)Message;
    DoExit();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- keys ------------------------------------------------------------------------------------------

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

namespace {
TCustomForm* PreviewForm(const TWinControl* control) {
    TCustomForm* form = GetParentForm(control);
    return form && form != control && form->KeyPreview() ? form : nullptr;
}
} // namespace

bool TWinControl::DoKeyDown(Word& Key, TShiftState Shift) {
    if (TCustomForm* form = PreviewForm(this)) {
        QPointer<TWinControl> self(this);
        form->KeyDown(Key, Shift);
        if (Key == 0 || !self) return true;
    }
    if (!(ControlStyle() & csNoStdEvents)) KeyDown(Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyPress(Char& Key) {
    if (TCustomForm* form = PreviewForm(this)) {
        QPointer<TWinControl> self(this);
        form->KeyPress(Key);
        if (Key.isNull() || !self) return true;
    }
    if (!(ControlStyle() & csNoStdEvents)) KeyPress(Key);
    return Key.isNull();
}

bool TWinControl::DoKeyUp(Word& Key, TShiftState Shift) {
    if (TCustomForm* form = PreviewForm(this)) {
        QPointer<TWinControl> self(this);
        form->KeyUp(Key, Shift);
        if (Key == 0 || !self) return true;
    }
    if (!(ControlStyle() & csNoStdEvents)) KeyUp(Key, Shift);
    return Key == 0;
}

void TWinControl::WMKeyDown(TMessage& Message) {
    Word key = Word(Message.WParam);
    QPointer<TWinControl> self(this);
    if (DoKeyDown(key, TShiftState(int(Message.LParam)))) {
        Message.WParam = 0;
        return;
    }
    if (!self) return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) { WMKeyDown(Message); }

void TWinControl::WMKeyUp(TMessage& Message) {
    Word key = Word(Message.WParam);
    QPointer<TWinControl> self(this);
    if (DoKeyUp(key, TShiftState(int(Message.LParam)))) {
        Message.WParam = 0;
        return;
    }
    if (!self) return;
    Message.WParam = key;
    DefaultHandler(Message);
}

namespace {
// The Qt key that types a character, for a key event rewritten by KeyPress.
int KeyOfChar(QChar c) {
    switch (c.unicode()) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    case 27: return Qt::Key_Escape;
    default: break;
    }
    const QChar upper = c.toUpper();
    return upper.unicode() < 0x80 ? int(upper.unicode()) : int(Qt::Key_unknown);
}
} // namespace

void TWinControl::WMChar(TMessage& Message) {
    const Char original(char16_t(Message.WParam));
    Char key = original;
    QPointer<TWinControl> self(this);
    if (DoKeyPress(key)) {
        Message.WParam = 0;
        return;
    }
    if (!self) return;
    Message.WParam = key.unicode();
    if (!(Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) {
        if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, key.unicode(), Message.LParam)) {
            Message.WParam = 0;
            return;
        }
        if (!self) return;
    }
    auto* event = dynamic_cast<QKeyEvent*>(Message.Event);
    if (event && key != original) {
        QKeyEvent typed(event->type(), KeyOfChar(key), event->modifiers(), QString(key), event->isAutoRepeat(),
                        ushort(event->count()));
        TMessage rewritten = Message;
        rewritten.Event = &typed;
        DefaultHandler(rewritten);
        event->setAccepted(typed.isAccepted());
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message) {
    // Alt with a character chooses an accelerator; it never types the character.
    if (Message.WParam == VK_SPACE) return;
    if (TCustomForm* form = GetParentForm(this)) Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::WMGetDlgCode(TMessage& Message) {
    // A wrapped Qt control that takes text input wants characters and arrows.
    if (widget_ && widget_->testAttribute(Qt::WA_InputMethodEnabled))
        Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
    else
        Message.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMChildKey(TMessage& Message) {
    if (parent_) Message.Result = parent_->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}
