#include "vcl/controls/WidgetBridge.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/controls/KeyMapping.h"
#include "vcl/controls/WinControl.h"
#include "vcl/forms/CustomForm.h"
#include "vcl/windows/VirtualKeys.h"

namespace mox::controls {

namespace {
int delivering = 0;

struct DeliveryScope {
    DeliveryScope() { ++delivering; }
    ~DeliveryScope() { --delivering; }
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;
};

TMessage MessageOf(Cardinal msg, WPARAM w, LPARAM l, QEvent* event) {
    TMessage m;
    m.Msg = msg;
    m.WParam = w;
    m.LParam = l;
    m.Event = event;
    return m;
}

// The DLGC_ answer a key needs for the control to keep it from the dialog handling.
LRESULT DialogMask(Word key) {
    switch (key) {
    case VK_TAB: return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: return DLGC_WANTALLKEYS;
    default: return 0;
    }
}

// The characters a key event types: none for Delete (which Qt reports as a character) and for
// keys without text.
QString TypedText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || text == QString(QChar(0x7F))) return {};
    return text;
}
} // namespace

WidgetBridge::WidgetBridge(TControl* Control, QWidget* Widget) : QObject(Widget), control_(Control), widget_(Widget) {
    setObjectName(QStringLiteral("mox_control_bridge"));
    Widget->installEventFilter(this);
}

WidgetBridge* WidgetBridge::Of(const QWidget* Widget) {
    if (!Widget) return nullptr;
    return Widget->findChild<WidgetBridge*>(QStringLiteral("mox_control_bridge"), Qt::FindDirectChildrenOnly);
}

bool WidgetBridge::Delivering() { return delivering > 0; }

bool WidgetBridge::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched != widget_ || !control_) return false;
    DeliveryScope scope;
    QPointer<TControl> control(control_);
    try {
        return Deliver(Event);
    } catch (...) {
        if (Event->type() == QEvent::Close) Event->ignore();
        ApplicationHandleException(control.data());
        return true;
    }
}

bool WidgetBridge::Deliver(QEvent* Event) {
    TControl* control = control_;
    switch (Event->type()) {
    case QEvent::Paint: {
        TMessage m = MessageOf(WM_PAINT, 0, 0, Event);
        control->WndProc(m);
        return true;
    }
    case QEvent::Resize:
    case QEvent::Move: {
        const QRect g = widget_->geometry();
        const QPoint at = widget_->isWindow() ? widget_->pos() : g.topLeft();
        control->WidgetGeometryChanged(Bounds(at.x(), at.y(), g.width(), g.height()));
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return DeliverMouse(Event);
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(Event);
        const TShiftState shift = ModifiersToShiftState(we->modifiers()) | ButtonsToShiftState(we->buttons());
        const int delta = we->angleDelta().y() != 0 ? we->angleDelta().y() : we->angleDelta().x();
        TMessage m = MessageOf(WM_MOUSEWHEEL, WPARAM(std::uint16_t(int(shift))) | (WPARAM(std::uint16_t(delta)) << 16),
                               PointToLParam(ToPoint(we->globalPosition().toPoint())), Event);
        we->ignore();
        control->WndProc(m);
        // The control passed what it left to its parents itself.
        we->accept();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (auto* win = qobject_cast<TWinControl*>(control)) return DeliverKey(win, static_cast<QKeyEvent*>(Event));
        return false;
    case QEvent::FocusIn: {
        TMessage m = MessageOf(WM_SETFOCUS, 0, 0, Event);
        control->WndProc(m);
        return true;
    }
    case QEvent::FocusOut: {
        TMessage m = MessageOf(WM_KILLFOCUS, 0, 0, Event);
        control->WndProc(m);
        return true;
    }
    case QEvent::Enter: control->Perform(CM_MOUSEENTER, 0, LPARAM(control)); return false;
    case QEvent::Leave: control->Perform(CM_MOUSELEAVE, 0, LPARAM(control)); return false;
    case QEvent::ContextMenu: {
        auto* ce = static_cast<QContextMenuEvent*>(Event);
        const TPoint at = ce->reason() == QContextMenuEvent::Keyboard ? TPoint{-1, -1} : ToPoint(ce->globalPos());
        TMessage m = MessageOf(WM_CONTEXTMENU, 0, PointToLParam(at), Event);
        ce->ignore();
        QPointer<TControl> guard(control);
        control->WndProc(m);
        if (guard && m.Result) ce->accept();
        return true;
    }
    case QEvent::Close: {
        TMessage m = MessageOf(WM_CLOSE, 0, 0, Event);
        control->WndProc(m);
        return true;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        TMessage m = MessageOf(WM_SHOWWINDOW, Event->type() == QEvent::Show ? 1 : 0, 0, Event);
        control->WndProc(m);
        return true;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        TMessage m = MessageOf(WM_ACTIVATE, Event->type() == QEvent::WindowActivate ? 1 : 0, 0, Event);
        control->WndProc(m);
        return true;
    }
    default: return false;
    }
}

bool WidgetBridge::DeliverMouse(QEvent* Event) {
    auto* me = static_cast<QMouseEvent*>(Event);
    TShiftState shift = ModifiersToShiftState(me->modifiers()) | ButtonsToShiftState(me->buttons());
    Cardinal msg = WM_MOUSEMOVE;
    if (Event->type() != QEvent::MouseMove) {
        const int base = me->button() == Qt::LeftButton    ? 0
                         : me->button() == Qt::RightButton ? 1
                         : me->button() == Qt::MiddleButton ? 2
                                                            : -1;
        if (base < 0) return false;
        const Cardinal downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        const Cardinal ups[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        const Cardinal doubles[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
        if (Event->type() == QEvent::MouseButtonPress) msg = downs[base];
        else if (Event->type() == QEvent::MouseButtonRelease) msg = ups[base];
        else {
            msg = doubles[base];
            shift |= ssDouble;
        }
    }
    TMessage m = MessageOf(msg, WPARAM(int(shift)), PointToLParam(ToPoint(me->position().toPoint())), Event);
    QPointer<TControl> guard(control_);
    control_->WndProc(m);
    // The control took the mouse: the parent does not see it too.
    Event->accept();
    return true;
}

bool WidgetBridge::DeliverKey(TWinControl* Control, QKeyEvent* Event) {
    QPointer<TWinControl> control(Control);
    const TShiftState shift = KeyEventShiftState(*Event);
    const Word key = QtKeyToVirtualKey(Event->key(), Event->modifiers());
    const bool alt = (shift & ssAlt) && !(shift & ssCtrl);
    // A key goes to the focused control only: what its widget leaves does not climb to the parents.
    struct Accept {
        QKeyEvent* event;
        ~Accept() { event->accept(); }
    } accept{Event};
    if (Event->type() == QEvent::KeyRelease) {
        TMessage m = MessageOf(alt ? WM_SYSKEYUP : WM_KEYUP, key, int(shift), Event);
        Control->WndProc(m);
        return true;
    }
    TCustomForm* form = GetParentForm(Control);
    // Shortcuts, then the parents' look at the key, then the dialog keys the control does not want.
    if (key && form && form->IsShortCut(key, shift)) return true;
    if (!control) return true;
    if (key && Control->Perform(CM_CHILDKEY, key, LPARAM(Control)) != 0) return true;
    if (!control) return true;
    if (const LRESULT mask = DialogMask(key); mask && form && !(shift & ssAlt)) {
        const bool wants = Control->Perform(CM_WANTSPECIALKEY, key, int(shift)) != 0 ||
                           (Control->Perform(WM_GETDLGCODE) & (mask | DLGC_WANTALLKEYS)) != 0;
        if (!control) return true;
        if (!wants && form->Perform(CM_DIALOGKEY, key, int(shift)) != 0) return true;
        if (!control) return true;
    }
    const QString text = TypedText(*Event);
    // The key: delivered to the widget here unless it types a character, which the character step
    // delivers.
    TMessage down = MessageOf(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, int(shift), text.isEmpty() ? Event : nullptr);
    if (key) Control->WndProc(down);
    else if (text.isEmpty()) Control->DefaultHandler(down);
    if (!control || (key && down.WParam == 0) || text.isEmpty()) return true;
    if (alt) {
        TMessage sys = MessageOf(WM_SYSCHAR, text.at(0).unicode(), int(shift), nullptr);
        Control->WndProc(sys);
        return true;
    }
    if (text.size() == 1) {
        TMessage ch = MessageOf(WM_CHAR, text.at(0).unicode(), int(shift), Event);
        Control->WndProc(ch);
        return true;
    }
    // Text of several characters (composed input): each goes through KeyPress, the survivors are typed.
    QString typed;
    for (QChar c : text) {
        TMessage ch = MessageOf(WM_CHAR, c.unicode(), int(shift), nullptr);
        Control->WndProc(ch);
        if (!control) return true;
        if (ch.WParam) typed.append(QChar(char16_t(ch.WParam)));
    }
    if (!typed.isEmpty()) {
        QKeyEvent rewritten(Event->type(), Event->key(), Event->modifiers(), typed, Event->isAutoRepeat(),
                            ushort(Event->count()));
        TMessage deliver = MessageOf(WM_CHAR, 0, int(shift), &rewritten);
        Control->DefaultHandler(deliver);
    }
    return true;
}

} // namespace mox::controls
