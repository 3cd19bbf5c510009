#pragma once
// TControl: a component that shows itself in its parent control: geometry, alignment, look, text,
// hint, mouse handling and the message handlers that its widget's events arrive at.
#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <memory>

#include "vcl/Messages.h"
#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Published.h"
#include "vcl/controls/ControlTypes.h"
#include "vcl/controls/SizeConstraints.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/Font.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

namespace mox::controls {
class WidgetBridge;
}

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    MOX_DEFAULT(Cursor, 0)
    MOX_DEFAULT(Hint, "")
    MOX_DEFAULT(HelpContext, 0)
    MOX_EVENT(TNotifyEvent, OnClick)
    MOX_EVENT(TNotifyEvent, OnDblClick)
    MOX_EVENT(TNotifyEvent, OnResize)
    MOX_EVENT(TCanResizeEvent, OnCanResize)
    MOX_EVENT(TConstrainedResizeEvent, OnConstrainedResize)
    MOX_EVENT(TContextPopupEvent, OnContextPopup)
    MOX_EVENT(TMouseEvent, OnMouseDown)
    MOX_EVENT(TMouseMoveEvent, OnMouseMove)
    MOX_EVENT(TMouseEvent, OnMouseUp)
    MOX_EVENT(TMouseWheelEvent, OnMouseWheel)
    MOX_EVENT(TMouseWheelUpDownEvent, OnMouseWheelDown)
    MOX_EVENT(TMouseWheelUpDownEvent, OnMouseWheelUp)
    MOX_EVENT(TDragDropEvent, OnDragDrop)
    MOX_EVENT(TDragOverEvent, OnDragOver)
    MOX_EVENT(TEndDragEvent, OnEndDrag)
    MOX_EVENT(TStartDragEvent, OnStartDrag)
    MOX_EVENT(TEndDockEvent, OnEndDock)
    MOX_EVENT(TStartDockEvent, OnStartDock)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // The control it shows in; a control without a parent is never shown. Setting the parent to
    // the control itself raises EInvalidOperation.
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);

    // Geometry in pixels relative to the parent's client area.
    int Left() const { return left_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    int Top() const { return top_; }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    int Width() const { return width_; }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    int Height() const { return height_; }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    // Moves and sizes the control; the size passes the constraints and CanResize first. A change
    // realigns the parent and the control's own children and raises OnResize.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client area: the whole control unless a descendant keeps a frame outside it.
    virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
    virtual void SetClientSize(int AWidth, int AHeight);
    // Screen coordinates of the client area's top-left corner (the parent's chain when there is no
    // widget yet).
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* Value) { constraints_->Assign(Value); }
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool Value);

    // Visible is the control's own wish; Showing is whether it is on the screen with its parents.
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);

    // The caption and the text are the same string.
    String Caption() const { return GetText(); }
    void SetCaption(const String& Value) { SetText(Value); }
    String Text() const { return GetText(); }
    virtual String GetText() const { return text_; }
    // Stores the text and sends CM_TEXTCHANGED when it differs.
    virtual void SetText(const String& Value);

    String Hint() const { return hint_; }
    void SetHint(const String& Value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int Value) { helpContext_ = Value; }

    // The menu shown on a right click. The menu is a component whose removal clears the property;
    // the setter is a template so that it compiles where the menu class is complete.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    template <class Menu> void SetPopupMenu(Menu* Value) { SetPopupMenuLink(Value, Value); }
    void SetPopupMenu(std::nullptr_t) { SetPopupMenuLink(nullptr, nullptr); }
    void SetPopupMenuLink(TPopupMenu* Menu, TComponent* AsComponent);

    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool Value);
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value);
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState Value) { controlState_ = Value; }

    // Drag and dock settings, kept for the form resources and the library's descendants; the
    // framework starts no drag or dock operation of its own.
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode Value) { dragMode_ = Value; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind Value) { dragKind_ = Value; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor Value) { dragCursor_ = Value; }

    // The control that receives the mouse until the capture is released. Pressing a button on a
    // control with csCaptureMouse captures the mouse until the button is released.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    static TControl* CaptureControl();

    // Sends a message to the control and returns its result.
    LRESULT Perform(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // Every message passes here; descendants override it to see messages before the handlers.
    virtual void WndProc(TMessage& Message);
    // Calls the handler of the message, or DefaultHandler when there is none.
    virtual void Dispatch(TMessage& Message);
    // Hands a message made from a Qt event to the widget's own handling.
    virtual void DefaultHandler(TMessage& Message);

    // Marks the control for repainting; callable from any thread.
    virtual void Invalidate();
    // Paints pending changes now (user-interface thread).
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // The widget that shows the control: a windowed control's window, a graphic control's view; null
    // until the parent chain has a window.
    QWidget* ControlWidget() const { return widget_.data(); }
    // The control shown by the widget or by its nearest ancestor that shows one.
    static TControl* FindControl(const QWidget* Widget);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void Loaded() override;

    // Events the library raises itself and the virtual operations behind them.
    virtual void Click();
    virtual void DblClick();

    // Called when the mouse enters (Control) or leaves (nullptr) a control; the application's hint
    // handling listens here.
    using TMouseControlHook = std::function<void(TControl* Control)>;
    static void SetMouseControlHook(TMouseControlHook Hook);
    // Shows a control's popup menu at a screen point; the menu unit installs it. Without one, a
    // popup menu is not shown.
    using TPopupMenuHandler = std::function<void(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos)>;
    static void SetPopupMenuHandler(TPopupMenuHandler Handler);

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // True when the wheel was handled; unhandled wheel turns go on to the parent.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // Raises OnContextPopup; unless it handled the request, shows PopupMenu.
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    virtual void Resize();
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
    // The size AutoSize gives; false keeps the size.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual void AdjustSize();
    virtual void Changed();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Asks the parent to lay out its children again (it waits while loading or aligning is off).
    void RequestAlign();

    // Message handlers.
    virtual void WMPaint(TMessage& Message);
    virtual void WMEraseBkgnd(TMessage& Message);
    virtual void WMSize(TMessage& Message);
    virtual void WMMouseMove(TMessage& Message);
    virtual void WMLButtonDown(TMessage& Message);
    virtual void WMLButtonUp(TMessage& Message);
    virtual void WMLButtonDblClk(TMessage& Message);
    virtual void WMRButtonDown(TMessage& Message);
    virtual void WMRButtonUp(TMessage& Message);
    virtual void WMRButtonDblClk(TMessage& Message);
    virtual void WMMButtonDown(TMessage& Message);
    virtual void WMMButtonUp(TMessage& Message);
    virtual void WMMButtonDblClk(TMessage& Message);
    virtual void WMMouseWheel(TMessage& Message);
    virtual void WMContextMenu(TMessage& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void CMCancelMode(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMParentBiDiModeChanged(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);

    // Widget management: a descendant makes the widget (CreateViewWidget for a control without a
    // window of its own), AttachWidget binds it, ReleaseWidget lets it go.
    virtual QWidget* CreateViewWidget(QWidget* ParentWidget);
    void UpdateViewWidget();
    void AttachWidget(QWidget* Widget);
    void ReleaseWidget();
    // Copies the control's look and geometry onto the widget.
    virtual void ApplyWidgetState();
    void ApplyGeometry();
    void ApplyVisibility();
    void ApplyPalette();
    // Whether the control's widget is shown; a control without a parent never is.
    virtual bool WidgetShouldShow() const;

    // The mouse handling shared by every button.
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    // Sends CM_CANCELMODE to the focused control of the form and to the capturing control.
    void SendCancelMode(TControl* Sender);
    // Called after the widget reports a size or position that the control did not set.
    virtual void WidgetGeometryChanged(const TRect& Bounds);

    // Anchoring: the control's distances to the parent's edges, taken when its bounds are set.
    void UpdateAnchorRules();
    TRect anchorBounds_;
    TSize anchorParentSize_;
    bool anchorRulesValid_ = false;

    std::unique_ptr<TFont> font_;
    TWinControl* parent_ = nullptr;
    QPointer<QWidget> widget_;
    String text_;

private:
    friend class TWinControl;
    friend class mox::controls::WidgetBridge;
    void FontChanged();
    void ConstraintsChanged();
    void ApplyCursor();
    void ApplyToolTip();
    bool DispatchMouse(TMessage& Message);

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    std::unique_ptr<TSizeConstraints> constraints_;
    bool autoSize_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    bool parentFont_ = true;
    bool updatingParentFont_ = false;
    String hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = 0;
    int helpContext_ = 0;
    TPopupMenu* popupMenu_ = nullptr;
    TComponent* popupMenuComponent_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState controlState_;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    TCursor dragCursor_ = -12;
    bool settingBounds_ = false;
    bool autoSizing_ = false;
};

// The form the control sits on (the control itself when it is a form), or null.
TCustomForm* GetParentForm(const TControl* Control);
// True when the caption has "&" before the character (compared without regard to case); "&&"
// stands for one ampersand.
bool IsAccel(Word VK, const String& Str);
// The hint up to its "|", and what follows it.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
