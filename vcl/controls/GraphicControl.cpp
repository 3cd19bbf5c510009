#include "vcl/controls/GraphicControl.h"

#include <QPaintEvent>
#include <QWidget>

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() {
    if (parent_) SetParent(nullptr);
    ReleaseWidget();
}

QWidget* TGraphicControl::CreateViewWidget(QWidget* ParentWidget) {
    auto* w = new QWidget(ParentWidget);
    w->setAutoFillBackground(false);
    return w;
}

void TGraphicControl::Invalidate() {
    canvas_->Invalidate();
    TControl::Invalidate();
}

void TGraphicControl::Paint() {}

void TGraphicControl::WMPaint(TMessage& Message) {
    auto* event = dynamic_cast<QPaintEvent*>(Message.Event);
    if (!event || !ControlWidget()) return;
    canvas_->PaintWidget(ControlWidget(), event->rect(), !(ControlStyle() & csOpaque), [this] { Paint(); });
}
