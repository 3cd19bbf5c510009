#pragma once
// Inside the canvas: one drawing operation's painter, set up with the canvas's state.
#include <QPainter>
#include <optional>

#include "vcl/graphics/Canvas.h"

namespace mox::graphics {

// The Qt pen that draws as the platform's pen: a width of 0 or 1 is one pixel with flat ends (a
// line leaves its end point out), dashes of thin pens keep the platform's lengths, and wide pens
// are solid with round ends.
QPen MakeQPen(const TPen& Pen);
// The composition that carries out a pen mode; none for pmNop, which leaves the canvas as it is.
std::optional<QPainter::CompositionMode> PenModeComposition(TPenMode Mode);

class CanvasPainting {
public:
    enum Use {
        UseNothing = 0,
        UsePen = 1,
        UseBrush = 2,
        UseFont = 4,
        UsePenMode = 8
    };

    // Raises the canvas's OnChanging, and EInvalidOperation when it has nothing to paint on.
    CanvasPainting(TCanvas* Canvas, int Uses);
    ~CanvasPainting();
    CanvasPainting(const CanvasPainting&) = delete;
    CanvasPainting& operator=(const CanvasPainting&) = delete;

    // False when there is nothing to paint: an empty image, or a pen mode that leaves all as it is.
    explicit operator bool() const { return painter_ != nullptr; }
    QPainter* operator->() const { return painter_; }
    QPainter& operator*() const { return *painter_; }

private:
    TCanvas* canvas_;
    QPainter own_;
    QPainter* painter_ = nullptr;
    int exceptions_;
};

// Whether the text background is filled: the canvas's background mode.
bool OpaqueBackground(const TCanvas& Canvas);

} // namespace mox::graphics
