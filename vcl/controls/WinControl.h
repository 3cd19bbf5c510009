#pragma once
// TWinControl: a control with a window of its own (a QWidget, its Handle) that holds child controls,
// lays them out, takes the keyboard focus and receives keys.
#include <QList>
#include <Qt>

#include "vcl/controls/Control.h"

// What a windowed control asks of its window when it is made: the platform's style bits
// (WS_ constants below) and the window it belongs to.
struct TCreateParams {
    String Caption;
    unsigned Style = 0;
    unsigned ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    QWidget* WndParent = nullptr;
};

inline constexpr unsigned WS_POPUP = 0x80000000u;
inline constexpr unsigned WS_CHILD = 0x40000000u;
inline constexpr unsigned WS_VISIBLE = 0x10000000u;
inline constexpr unsigned WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr unsigned WS_CLIPCHILDREN = 0x02000000u;
inline constexpr unsigned WS_CAPTION = 0x00C00000u;
inline constexpr unsigned WS_BORDER = 0x00800000u;
inline constexpr unsigned WS_THICKFRAME = 0x00040000u;
inline constexpr unsigned WS_TABSTOP = 0x00010000u;
inline constexpr unsigned WS_EX_TOPMOST = 0x00000008u;
inline constexpr unsigned WS_EX_TOOLWINDOW = 0x00000080u;
inline constexpr unsigned WS_EX_CLIENTEDGE = 0x00000200u;

class TWinControl : public TControl {
    Q_OBJECT
    MOX_EVENT(TNotifyEvent, OnEnter)
    MOX_EVENT(TNotifyEvent, OnExit)
    MOX_EVENT(TKeyEvent, OnKeyDown)
    MOX_EVENT(TKeyPressEvent, OnKeyPress)
    MOX_EVENT(TKeyEvent, OnKeyUp)
public:
    explicit TWinControl(TComponent* AOwner);
    // Frees the child controls first, then the window.
    ~TWinControl() override;

    int ControlCount() const { return int(controls_.size()); }
    // Raises EListError for a bad index.
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // True for the control itself and every control inside it.
    bool ContainsControl(const TControl* Control) const;
    // The visible child at a client point (the topmost), or null.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled = false) const;
    // A child control by name, without regard to case.
    TControl* FindChildControl(const String& ControlName) const;

    // The window, made on first use together with the parents' windows.
    QWidget* Handle();
    bool HandleAllocated() const { return !widget_.isNull(); }
    void HandleNeeded();
    void DestroyHandle();
    void RecreateWnd();
    // The widget the children's widgets go in; the window unless a descendant has an inner area.
    virtual QWidget* ClientWidget() { return Handle(); }
    // Whether the window is a window of the desktop although the control has a parent: a
    // descendant asks for one by leaving CreateParams' WndParent empty. Its bounds are in screen
    // coordinates.
    bool IsPopupWindow() const { return popup_; }

    // Focus. TabOrder is the position among the parent's windowed children (-1 without a parent).
    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value);
    virtual bool CanFocus() const;
    virtual bool Focused() const;
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when CanFocus is false.
    virtual void SetFocus();
    // The windowed descendants in the order Tab visits them.
    void GetTabOrderList(QList<TWinControl*>& List) const;
    // The next (or previous) control that can take the focus after CurControl, wrapping around.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    // Layout of the children.
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return alignLevel_ > 0; }
    void Realign();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The area aligned children share; a descendant with a frame shrinks it.
    virtual void AdjustClientRect(TRect& Rect);
    // Where an alCustom child goes; the default leaves it where it is.
    virtual void CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth,
                                     int& NewHeight, TRect& AlignRect);

    // Sends the message to every child control until one answers with a result other than 0.
    void Broadcast(TMessage& Message);

    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool Value) { dockSite_ = Value; }
    bool UseDockManager() const { return useDockManager_; }
    void SetUseDockManager(bool Value) { useDockManager_ = Value; }

    bool Showing() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    void Update() override;

    // The keyboard: KeyDown, then KeyPress for the character the key types (none when KeyDown set
    // the key to 0, none for Alt combinations), then KeyUp. A form that previews keys sees each first.
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    // The key steps with the form's preview; true when the key was swallowed (set to 0).
    bool DoKeyDown(Word& Key, TShiftState Shift);
    bool DoKeyPress(Char& Key);
    bool DoKeyUp(Word& Key, TShiftState Shift);

    void Loaded() override;

protected:
    virtual void CreateParams(TCreateParams& Params);
    // Makes the window (without parent); descendants that wrap a Qt control make it here.
    virtual QWidget* CreateWindowHandle(const TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateHandle();

    virtual void DoEnter();
    virtual void DoExit();
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void ApplyWidgetState() override;
    bool WidgetShouldShow() const override;
    void Dispatch(TMessage& Message) override;

    virtual void WMKeyDown(TMessage& Message);
    virtual void WMKeyUp(TMessage& Message);
    virtual void WMChar(TMessage& Message);
    virtual void WMSysKeyDown(TMessage& Message);
    virtual void WMSysChar(TMessage& Message);
    virtual void WMGetDlgCode(TMessage& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMDialogKey(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    virtual void CMChildKey(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    friend class TControl;
    friend class mox::controls::WidgetBridge;
    void AlignChildren(TControl* AControl);
    void ApplyAnchors(TControl* Control, const TRect& ClientArea);
    void NotifyChildren(Cardinal Msg);

    QList<TControl*> controls_;
    QList<TWinControl*> tabList_;
    int alignLevel_ = 0;
    bool aligning_ = false;
    bool tabStop_ = false;
    bool dockSite_ = false;
    bool useDockManager_ = false;
    bool popup_ = false;
};
