#include "vcl/controls/CustomControl.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
    // The window goes before the canvas it paints from.
    DestroyHandle();
}

QWidget* TCustomControl::CreateWindowHandle(const TCreateParams& Params) {
    auto* w = new QWidget(Params.WndParent);
    w->setAutoFillBackground(false);
    // The whole widget comes from the canvas image: Qt need not paint what is under it.
    w->setAttribute(Qt::WA_OpaquePaintEvent, true);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void TCustomControl::Invalidate() {
    canvas_->Invalidate();
    TWinControl::Invalidate();
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow() {
    Perform(WM_ERASEBKGND, WPARAM(canvas_.get()));
    Paint();
}

void TCustomControl::WMPaint(TMessage& Message) {
    auto* event = dynamic_cast<QPaintEvent*>(Message.Event);
    if (!event || !ControlWidget()) return;
    canvas_->PaintWidget(ControlWidget(), event->rect(), false, [this] { PaintWindow(); });
}

void TCustomControl::WMEraseBkgnd(TMessage& Message) {
    auto* canvas = reinterpret_cast<TCanvas*>(Message.WParam);
    Message.Result = 1;
    if (!canvas || (ControlStyle() & csOpaque)) return;
    const QColor color = ColorToQColor(Color());
    const QRect area = ToQRect(ClientRect());
    canvas->WithPainter([&](QPainter& p) { p.fillRect(area, color); });
}
