#pragma once
// TControlCanvas: the canvas of a control that paints itself. It paints on an off-screen image of
// the control's client size; the widget's paint event shows that image. Paint runs when the
// control was invalidated (or the image is new); drawing outside Paint, also from a worker thread
// that holds the canvas lock, lands in the image and asks the widget to show it.
#include <QImage>
#include <atomic>
#include <functional>

#include "vcl/graphics/Canvas.h"

class QWidget;
class TControl;

class TControlCanvas : public TCanvas {
    Q_OBJECT
public:
    explicit TControlCanvas(TControl* Control = nullptr);
    ~TControlCanvas() override;

    TControl* Control() const { return control_; }
    void SetControl(TControl* Value) { control_ = Value; }

    // The next paint event runs the control's painting again.
    void Invalidate() { dirty_ = true; }
    // Paints the widget's event rectangle from the image, under the canvas lock. Paint draws the
    // image anew first when it is invalid; a transparent image starts clear, an opaque one is left
    // as it was for Paint to erase.
    void PaintWidget(QWidget* Widget, const QRect& Rect, bool Transparent, const std::function<void()>& Paint);
    // The off-screen image (read under the lock).
    const QImage& Image() const { return image_; }

protected:
    void CreateHandle() override;
    void Changed() override;

private:
    // Makes the image of the given size when it has another; true when it was made.
    bool EnsureImage(const QSize& Size, bool Transparent);

    TControl* control_;
    QImage image_;
    bool transparent_ = false;
    std::atomic<bool> dirty_{true};
    std::atomic<bool> showPending_{false};
    std::atomic<bool> painting_{false};
};
