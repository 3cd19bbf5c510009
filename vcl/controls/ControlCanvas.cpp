#include "vcl/controls/ControlCanvas.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <algorithm>

#include "vcl/controls/Control.h"

TControlCanvas::TControlCanvas(TControl* Control) : control_(Control) {}

TControlCanvas::~TControlCanvas() { SetDevice(nullptr); }

bool TControlCanvas::EnsureImage(const QSize& Size, bool Transparent) {
    const QSize size(std::max(1, Size.width()), std::max(1, Size.height()));
    if (!image_.isNull() && image_.size() == size && transparent_ == Transparent) return false;
    QImage image(size, Transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(Transparent || !control_ ? QColor(Qt::transparent) : ColorToQColor(control_->Color()));
    // What was drawn before stays where it was.
    if (!image_.isNull()) {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(image);
    transparent_ = Transparent;
    SetDevice(&image_);
    dirty_ = true;
    return true;
}

void TControlCanvas::CreateHandle() {
    if (!control_) return;
    EnsureImage(QSize(control_->ClientWidth(), control_->ClientHeight()), transparent_);
}

void TControlCanvas::Changed() {
    TCanvas::Changed();
    if (painting_ || !control_) return;
    // Drawn outside a paint: the widget shows the image on its next paint, soon.
    if (showPending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        control_,
        [this] {
            showPending_ = false;
            if (QWidget* w = control_->ControlWidget()) w->update();
        },
        Qt::QueuedConnection);
}

void TControlCanvas::PaintWidget(QWidget* Widget, const QRect& Rect, bool Transparent,
                                 const std::function<void()>& Paint) {
    Lock();
    struct Unlocker {
        TControlCanvas* canvas;
        ~Unlocker() {
            canvas->painting_ = false;
            canvas->DetachPainter();
            canvas->Unlock();
        }
    } unlocker{this};
    EnsureImage(Widget->size(), Transparent);
    if (dirty_.exchange(false)) {
        painting_ = true;
        if (Transparent) image_.fill(Qt::transparent);
        QPainter painter(&image_);
        AttachPainter(&painter);
        try {
            Paint();
        } catch (...) {
            DetachPainter();
            painter.end();
            QPainter screen(Widget);
            screen.drawImage(Rect, image_, Rect);
            throw;
        }
        DetachPainter();
        painting_ = false;
    }
    QPainter screen(Widget);
    if (Transparent) screen.setCompositionMode(QPainter::CompositionMode_SourceOver);
    screen.drawImage(Rect, image_, Rect);
}
