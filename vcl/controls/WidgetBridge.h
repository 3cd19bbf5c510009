#pragma once
// The link from a control's widget to the control: every Qt event the widget receives becomes the
// control's message, and no exception of a handler leaves the event delivery (Qt cannot unwind
// through its loop): it is shown through the application's exception display.
#include <QObject>
#include <QPointer>

class QEvent;
class QKeyEvent;
class QWidget;
class TControl;
class TWinControl;

namespace mox::controls {

class WidgetBridge : public QObject {
    Q_OBJECT
public:
    WidgetBridge(TControl* Control, QWidget* Widget);

    TControl* Control() const { return control_; }
    void Detach() { control_ = nullptr; }
    static WidgetBridge* Of(const QWidget* Widget);
    // Whether any bridge is delivering an event now: a widget is then deleted later, never under
    // the event that is being delivered to it or to one of its children.
    static bool Delivering();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    bool Deliver(QEvent* Event);
    bool DeliverKey(TWinControl* Control, QKeyEvent* Event);
    bool DeliverMouse(QEvent* Event);

    TControl* control_;
    QWidget* widget_;
};

} // namespace mox::controls
