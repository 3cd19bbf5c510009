#include "vcl/controls/Control.h"

#include <QApplication>
#include <QCursor>
#include <QMetaObject>
#include <QPalette>
#include <QThread>
#include <QWidget>
#include <algorithm>

#include "vcl/classes/Errors.h"
#include "vcl/controls/ControlsConsts.h"
#include "vcl/controls/CursorShapes.h"
#include "vcl/controls/WidgetBridge.h"
#include "vcl/controls/WinControl.h"
#include "vcl/forms/CustomForm.h"

namespace {
QPointer<TControl>& Capture() {
    static QPointer<TControl> capture;
    return capture;
}
TControl::TMouseControlHook& MouseControlHook() {
    static TControl::TMouseControlHook hook;
    return hook;
}
TControl::TPopupMenuHandler& PopupMenuHandler() {
    static TControl::TPopupMenuHandler handler;
    return handler;
}
bool OnUiThread() {
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}
} // namespace

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), font_(std::make_unique<TFont>()),
      constraints_(std::make_unique<TSizeConstraints>(this)) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
    constraints_->OnChange = [this](TObject*) { ConstraintsChanged(); };
}

TControl::~TControl() {
    if (Capture() == this) Capture() = nullptr;
    if (parent_) parent_->RemoveControl(this);
    ReleaseWidget();
}

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (AParent == this) throw EInvalidOperation(QString::fromLatin1(ControlsConsts::SControlParentSetToSelf));
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* parent = qobject_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::Loaded() {
    TComponent::Loaded();
    UpdateAnchorRules();
    if (parent_ && parentFont_) Perform(CM_PARENTFONTCHANGED);
    if (parent_ && parentColor_) Perform(CM_PARENTCOLORCHANGED);
    AdjustSize();
    RequestAlign();
}

// ---- geometry -------------------------------------------------------------------------------------

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (autoSize_ && !autoSizing_) {
        int w = AWidth, h = AHeight;
        if (CanAutoSize(w, h)) {
            AWidth = w;
            AHeight = h;
        }
    }
    if (AWidth != width_ || AHeight != height_) {
        int w = AWidth, h = AHeight;
        if (CanResize(w, h)) {
            int minW = constraints_->MinWidth(), minH = constraints_->MinHeight();
            int maxW = constraints_->MaxWidth(), maxH = constraints_->MaxHeight();
            ConstrainedResize(minW, minH, maxW, maxH);
            if (maxW > 0) w = std::min(w, maxW);
            if (maxH > 0) h = std::min(h, maxH);
            AWidth = std::max(w, minW);
            AHeight = std::max(h, minH);
        } else {
            AWidth = width_;
            AHeight = height_;
        }
    }
    const bool byLayout = parent_ && parent_->aligning_;
    const bool moved = ALeft != left_ || ATop != top_;
    const bool sized = AWidth != width_ || AHeight != height_;
    if (moved || sized) {
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
        ApplyGeometry();
    }
    if (!byLayout) UpdateAnchorRules();
    if (sized) Perform(WM_SIZE, 0, PointToLParam({ClientWidth(), ClientHeight()}));
    if ((moved || sized) && !byLayout) RequestAlign();
}

void TControl::SetClientSize(int AWidth, int AHeight) {
    const TRect client = ClientRect();
    SetBounds(left_, top_, width_ - client.Width() + AWidth, height_ - client.Height() + AHeight);
}

void TControl::WidgetGeometryChanged(const TRect& R) {
    if (R == BoundsRect()) return;
    const bool sized = R.Width() != width_ || R.Height() != height_;
    left_ = R.Left;
    top_ = R.Top;
    width_ = R.Width();
    height_ = R.Height();
    UpdateAnchorRules();
    if (sized) Perform(WM_SIZE, 0, PointToLParam({ClientWidth(), ClientHeight()}));
}

TPoint TControl::ClientOrigin() const {
    if (widget_) return ToPoint(widget_->mapToGlobal(QPoint(0, 0)));
    if (parent_) {
        const TPoint p = parent_->ClientOrigin();
        return {p.X + left_, p.Y + top_};
    }
    return {left_, top_};
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
    const TPoint o = ClientOrigin();
    return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
    const TPoint o = ClientOrigin();
    return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value) {
    if (align_ == Value) return;
    const TAlign old = align_;
    align_ = Value;
    anchors_ = (Value == alNone || Value == alCustom) && old != alNone ? TAnchors(akLeft | akTop) : anchors_;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (anchors_ == Value) return;
    anchors_ = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!parent_ || (ComponentState() & csLoading)) {
        anchorRulesValid_ = false;
        return;
    }
    TRect area = parent_->ClientRect();
    parent_->AdjustClientRect(area);
    // A parent without an area yet gives no distances; the first layout with one takes them.
    if (area.Width() <= 0 || area.Height() <= 0) {
        anchorRulesValid_ = false;
        return;
    }
    anchorBounds_ = BoundsRect();
    anchorParentSize_ = {area.Width(), area.Height()};
    anchorRulesValid_ = true;
}

void TControl::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustSize();
}

bool TControl::CanAutoSize(int& NewWidth, int& NewHeight) {
    (void)NewWidth;
    (void)NewHeight;
    return false;
}

void TControl::AdjustSize() {
    if (!autoSize_ || autoSizing_ || (ComponentState() & csLoading)) return;
    int w = width_, h = height_;
    if (!CanAutoSize(w, h)) return;
    autoSizing_ = true;
    try {
        SetBounds(left_, top_, w, h);
    } catch (...) {
        autoSizing_ = false;
        throw;
    }
    autoSizing_ = false;
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
    bool resize = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
    if (OnConstrainedResize) OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

void TControl::ConstraintsChanged() {
    if (widget_ && widget_->isWindow()) {
        widget_->setMinimumSize(constraints_->MinWidth(), constraints_->MinHeight());
        widget_->setMaximumSize(constraints_->MaxWidth() > 0 ? constraints_->MaxWidth() : QWIDGETSIZE_MAX,
                                constraints_->MaxHeight() > 0 ? constraints_->MaxHeight() : QWIDGETSIZE_MAX);
    }
    SetBounds(left_, top_, constraints_->ConstrainWidth(width_), constraints_->ConstrainHeight(height_));
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (parent_) parent_->AlignChildren(this);
}

void TControl::Changed() { Perform(CM_CHANGED); }

// ---- visibility, look and text ---------------------------------------------------------------------

void TControl::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    RequestAlign();
}

bool TControl::Showing() const { return widget_ && widget_->isVisible(); }

bool TControl::WidgetShouldShow() const { return visible_ && parent_ != nullptr; }

void TControl::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
    if (color_ == Value && !parentColor_) return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
    if (parentColor_ == Value) return;
    parentColor_ = Value;
    if (Value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    if (!updatingParentFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value) {
    if (parentFont_ == Value) return;
    parentFont_ = Value;
    if (Value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const String& Value) {
    if (text_ == Value) return;
    text_ = Value;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetHint(const String& Value) {
    if (hint_ == Value) return;
    hint_ = Value;
    ApplyToolTip();
}

void TControl::SetShowHint(bool Value) {
    parentShowHint_ = false;
    if (showHint_ == Value) return;
    showHint_ = Value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
    if (parentShowHint_ == Value) return;
    parentShowHint_ = Value;
    if (Value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    ApplyCursor();
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenuLink(TPopupMenu* Menu, TComponent* AsComponent) {
    if (popupMenu_ == Menu) return;
    if (popupMenuComponent_) popupMenuComponent_->RemoveFreeNotification(this);
    popupMenu_ = Menu;
    popupMenuComponent_ = AsComponent;
    if (AsComponent) AsComponent->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == popupMenuComponent_) {
        popupMenu_ = nullptr;
        popupMenuComponent_ = nullptr;
    }
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    parentBiDiMode_ = false;
    if (biDiMode_ == Value) return;
    biDiMode_ = Value;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (parentBiDiMode_ == Value) return;
    parentBiDiMode_ = Value;
    if (Value && parent_) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::SetControlStyle(TControlStyle Value) {
    if (controlStyle_ == Value) return;
    controlStyle_ = Value;
    if (widget_) widget_->setAttribute(Qt::WA_OpaquePaintEvent, bool(controlStyle_ & csOpaque));
}

// ---- mouse capture ---------------------------------------------------------------------------------

bool TControl::MouseCapture() const { return Capture() == this; }

TControl* TControl::CaptureControl() { return Capture().data(); }

void TControl::SetMouseCapture(bool Value) {
    if (Value) {
        Capture() = this;
        // While a button is held Qt sends the mouse to the pressed widget anyway (its implicit grab).
        if (widget_ && widget_->isVisible() && QGuiApplication::mouseButtons() == Qt::NoButton)
            widget_->grabMouse();
    } else if (Capture() == this) {
        Capture() = nullptr;
        if (widget_ && QWidget::mouseGrabber() == widget_) widget_->releaseMouse();
    }
}

// ---- messages --------------------------------------------------------------------------------------

LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::DefaultHandler(TMessage& Message) {
    if (Message.Event && widget_) static_cast<QObject*>(widget_.data())->event(Message.Event);
}

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); break;
    case CM_SHOWHINTCHANGED: ApplyToolTip(); break;
    case CM_BIDIMODECHANGED:
        if (widget_)
            widget_->setLayoutDirection(UseRightToLeftAlignment() ? Qt::RightToLeft : Qt::LeftToRight);
        break;
    case CM_HITTEST: CMHitTest(Message); break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::WMPaint(TMessage& Message) { DefaultHandler(Message); }

void TControl::WMEraseBkgnd(TMessage& Message) { DefaultHandler(Message); }

void TControl::WMSize(TMessage& Message) {
    (void)Message;
    if (!(ComponentState() & csLoading)) Resize();
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = 1; }

void TControl::CMEnabledChanged(TMessage& Message) {
    (void)Message;
    if (widget_) widget_->setEnabled(enabled_);
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage& Message) {
    (void)Message;
    ApplyVisibility();
}

void TControl::CMColorChanged(TMessage& Message) {
    (void)Message;
    ApplyPalette();
    Invalidate();
}

void TControl::CMFontChanged(TMessage& Message) {
    (void)Message;
    if (widget_) widget_->setFont(font_->Handle());
    ApplyPalette();
    Invalidate();
    AdjustSize();
}

void TControl::CMTextChanged(TMessage& Message) {
    (void)Message;
    Invalidate();
    AdjustSize();
}

void TControl::CMParentColorChanged(TMessage& Message) {
    (void)Message;
    if (!parentColor_ || !parent_) return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::CMParentFontChanged(TMessage& Message) {
    (void)Message;
    if (!parentFont_ || !parent_) return;
    updatingParentFont_ = true;
    try {
        font_->Assign(parent_->Font());
    } catch (...) {
        updatingParentFont_ = false;
        throw;
    }
    updatingParentFont_ = false;
}

void TControl::CMParentShowHintChanged(TMessage& Message) {
    (void)Message;
    if (!parentShowHint_ || !parent_) return;
    if (showHint_ != parent_->ShowHint()) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED);
    }
}

void TControl::CMParentBiDiModeChanged(TMessage& Message) {
    (void)Message;
    if (!parentBiDiMode_ || !parent_) return;
    if (biDiMode_ != parent_->BiDiMode()) {
        biDiMode_ = parent_->BiDiMode();
        Perform(CM_BIDIMODECHANGED);
    }
}

void TControl::CMMouseEnter(TMessage& Message) {
    (void)Message;
    if (MouseControlHook()) MouseControlHook()(this);
}

void TControl::CMMouseLeave(TMessage& Message) {
    (void)Message;
    if (MouseControlHook()) MouseControlHook()(nullptr);
}

void TControl::SetMouseControlHook(TMouseControlHook Hook) { MouseControlHook() = std::move(Hook); }
void TControl::SetPopupMenuHandler(TPopupMenuHandler Handler) { PopupMenuHandler() = std::move(Handler); }

// ---- mouse -----------------------------------------------------------------------------------------

void TControl::SendCancelMode(TControl* Sender) {
    if (TControl* capture = Capture(); capture && capture != Sender)
        capture->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
    if (TCustomForm* form = GetParentForm(this)) form->CancelModeFrom(Sender);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
    QPointer<TControl> self(this);
    SendCancelMode(this);
    if (!self) return;
    DefaultHandler(Message);
    if (!self) return;
    if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
    if (Button == mbLeft && (controlStyle_ & csClickEvents)) controlState_ |= csClicked;
    const TPoint p = LParamToPoint(Message.LParam);
    if (!(controlStyle_ & csNoStdEvents)) MouseDown(Button, Shift, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
    QPointer<TControl> self(this);
    DefaultHandler(Message);
    if (!self) return;
    const TPoint p = LParamToPoint(Message.LParam);
    const TShiftState shift = TShiftState(int(Message.WParam));
    if (Button == mbLeft) {
        if (MouseCapture()) SetMouseCapture(false);
        if (controlState_ & csClicked) {
            controlState_ &= ~TControlState(csClicked);
            if (PtInRect(ClientRect(), p)) Click();
            if (!self) return;
        }
    }
    if (!(controlStyle_ & csNoStdEvents)) MouseUp(Button, shift, p.X, p.Y);
}

void TControl::WMMouseMove(TMessage& Message) {
    QPointer<TControl> self(this);
    DefaultHandler(Message);
    if (!self) return;
    const TPoint p = LParamToPoint(Message.LParam);
    if (!(controlStyle_ & csNoStdEvents)) MouseMove(TShiftState(int(Message.WParam)), p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& Message) { DoMouseDown(Message, mbLeft, TShiftState(int(Message.WParam))); }
void TControl::WMLButtonUp(TMessage& Message) { DoMouseUp(Message, mbLeft); }
void TControl::WMRButtonDown(TMessage& Message) { DoMouseDown(Message, mbRight, TShiftState(int(Message.WParam))); }
void TControl::WMRButtonUp(TMessage& Message) { DoMouseUp(Message, mbRight); }
void TControl::WMMButtonDown(TMessage& Message) { DoMouseDown(Message, mbMiddle, TShiftState(int(Message.WParam))); }
void TControl::WMMButtonUp(TMessage& Message) { DoMouseUp(Message, mbMiddle); }

namespace {
// A control without double clicks sees the second press as a plain one.
void DoubleClick(TControl* control, TMessage& message, Cardinal plainMsg) {
    if (!(control->ControlStyle() & csDoubleClicks)) {
        message.Msg = plainMsg;
        message.WParam = WPARAM(int(TShiftState(int(message.WParam)) & ~TShiftState(ssDouble)));
        control->Dispatch(message);
        return;
    }
    QPointer<TControl> self(control);
    if (plainMsg == WM_LBUTTONDOWN) control->DblClick();
    if (!self) return;
    message.Msg = plainMsg;
    control->Dispatch(message);
}
} // namespace

void TControl::WMLButtonDblClk(TMessage& Message) { DoubleClick(this, Message, WM_LBUTTONDOWN); }
void TControl::WMRButtonDblClk(TMessage& Message) { DoubleClick(this, Message, WM_RBUTTONDOWN); }
void TControl::WMMButtonDblClk(TMessage& Message) { DoubleClick(this, Message, WM_MBUTTONDOWN); }

void TControl::WMMouseWheel(TMessage& Message) {
    const TShiftState shift = TShiftState(int(Message.WParam & 0xFFFF));
    const int delta = std::int16_t(std::uint16_t((Message.WParam >> 16) & 0xFFFF));
    QPointer<TControl> self(this);
    if (DoMouseWheel(shift, delta, LParamToPoint(Message.LParam))) {
        Message.Result = 1;
        return;
    }
    if (!self) return;
    DefaultHandler(Message);
    if (Message.Event && Message.Event->isAccepted()) {
        Message.Result = 1;
        return;
    }
    // Left to the parent, as the platform passes unhandled wheel turns up.
    if (self && parent_) Message.Result = parent_->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::WMContextMenu(TMessage& Message) {
    const TPoint screen = LParamToPoint(Message.LParam);
    const TPoint pos = screen.X == -1 && screen.Y == -1 ? screen : ScreenToClient(screen);
    bool handled = false;
    DoContextPopup(pos, handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

void TControl::WMCancelMode(TMessage& Message) {
    if (MouseCapture()) SetMouseCapture(false);
    controlState_ &= ~TControlState(csClicked | csLButtonDown);
    DefaultHandler(Message);
}

void TControl::CMCancelMode(TMessage& Message) {
    if (MouseCapture()) Perform(WM_CANCELMODE, Message.WParam, Message.LParam);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled) {
        if (WheelDelta < 0) handled = DoMouseWheelDown(Shift, MousePos);
        else if (WheelDelta > 0) handled = DoMouseWheelUp(Shift, MousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
    if (Handled || !popupMenu_) return;
    const TPoint at = MousePos.X == -1 && MousePos.Y == -1 ? ClientToScreen({0, 0}) : ClientToScreen(MousePos);
    if (PopupMenuHandler()) {
        PopupMenuHandler()(popupMenu_, this, at);
        Handled = true;
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

// ---- painting --------------------------------------------------------------------------------------

void TControl::Invalidate() {
    if (!OnUiThread()) {
        QMetaObject::invokeMethod(this, [this] { Invalidate(); }, Qt::QueuedConnection);
        return;
    }
    if (widget_) widget_->update();
}

void TControl::Update() {
    if (widget_ && OnUiThread()) widget_->repaint();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_) {
        parent_->controls_.removeAll(this);
        parent_->controls_.append(this);
    }
    if (widget_) widget_->raise();
}

void TControl::SendToBack() {
    if (parent_) {
        parent_->controls_.removeAll(this);
        parent_->controls_.prepend(this);
    }
    if (widget_) widget_->lower();
}

// ---- the widget ------------------------------------------------------------------------------------

TControl* TControl::FindControl(const QWidget* Widget) {
    for (const QWidget* w = Widget; w; w = w->parentWidget())
        if (auto* bridge = mox::controls::WidgetBridge::Of(w); bridge && bridge->Control()) return bridge->Control();
    return nullptr;
}

QWidget* TControl::CreateViewWidget(QWidget* ParentWidget) {
    (void)ParentWidget;
    return nullptr;
}

void TControl::UpdateViewWidget() {
    QWidget* parentWidget = parent_ && parent_->HandleAllocated() ? parent_->ClientWidget() : nullptr;
    if (!parentWidget) {
        ReleaseWidget();
        return;
    }
    if (widget_) {
        if (widget_->parentWidget() != parentWidget) {
            widget_->setParent(parentWidget);
            ApplyWidgetState();
        }
        return;
    }
    if (QWidget* w = CreateViewWidget(parentWidget)) {
        w->setParent(parentWidget);
        w->setFocusPolicy(Qt::NoFocus);
        AttachWidget(w);
    }
}

void TControl::AttachWidget(QWidget* Widget) {
    widget_ = Widget;
    new mox::controls::WidgetBridge(this, Widget);
    Widget->setMouseTracking(true);
    Widget->setFocusPolicy(Qt::FocusPolicy(Widget->focusPolicy() & ~Qt::TabFocus));
    Widget->setAttribute(Qt::WA_OpaquePaintEvent, bool(controlStyle_ & csOpaque));
    ApplyWidgetState();
}

void TControl::ReleaseWidget() {
    if (!widget_) return;
    QWidget* w = widget_.data();
    widget_ = nullptr;
    if (Capture() == this && QWidget::mouseGrabber() == w) w->releaseMouse();
    if (auto* bridge = mox::controls::WidgetBridge::Of(w)) bridge->Detach();
    // Never under the event being delivered to the widget or to a widget inside it.
    if (mox::controls::WidgetBridge::Delivering()) {
        w->hide();
        w->deleteLater();
    } else {
        delete w;
    }
}

void TControl::ApplyWidgetState() {
    if (!widget_) return;
    ApplyGeometry();
    widget_->setEnabled(enabled_);
    widget_->setFont(font_->Handle());
    ApplyPalette();
    ApplyCursor();
    ApplyToolTip();
    widget_->setLayoutDirection(UseRightToLeftAlignment() ? Qt::RightToLeft : Qt::LeftToRight);
    ApplyVisibility();
}

void TControl::ApplyGeometry() {
    if (!widget_) return;
    if (widget_->isWindow()) {
        widget_->move(left_, top_);
        widget_->resize(width_, height_);
    } else {
        widget_->setGeometry(left_, top_, width_, height_);
    }
}

void TControl::ApplyVisibility() {
    if (!widget_) return;
    const bool show = WidgetShouldShow();
    if (widget_->isWindow() && !show) {
        widget_->hide();
        return;
    }
    if (widget_->isWindow()) {
        if (show) widget_->show();
        return;
    }
    widget_->setVisible(show);
}

void TControl::ApplyPalette() {
    if (!widget_) return;
    QPalette palette = widget_->palette();
    const QColor back = ColorToQColor(color_);
    const QColor text = ColorToQColor(font_->Color());
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Button, back);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    widget_->setPalette(palette);
}

void TControl::ApplyCursor() {
    if (!widget_) return;
    if (cursor_ == 0) widget_->unsetCursor();
    else widget_->setCursor(QCursor(mox::controls::CursorToShape(cursor_)));
}

void TControl::ApplyToolTip() {
    if (widget_) widget_->setToolTip(showHint_ ? GetShortHint(hint_) : QString());
}

// ---- free functions --------------------------------------------------------------------------------

bool IsAccel(Word VK, const String& Str) {
    for (int i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != QLatin1Char('&')) continue;
        if (Str[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return Str[i + 1].toUpper() == QChar(VK).toUpper();
    }
    return false;
}

String GetShortHint(const String& Hint) {
    const int bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.left(bar);
}

String GetLongHint(const String& Hint) {
    const int bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.mid(bar + 1);
}
