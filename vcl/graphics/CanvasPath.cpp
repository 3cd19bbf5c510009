// The canvas's path: recorded by the drawing operations between BeginPath and EndPath, then
// outlined, filled or made the clip.
#include <QPainter>

#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/CanvasPainting.h"
#include "vcl/graphics/Gdi.h"

using mox::graphics::CanvasPainting;

void TCanvas::BeginPath() {
    recording_ = true;
    path_ = QPainterPath();
}

void TCanvas::EndPath() {
    recording_ = false;
}

void TCanvas::AbortPath() {
    recording_ = false;
    path_ = QPainterPath();
}

void TCanvas::CloseFigure() {
    if (recording_) path_.closeSubpath();
}

void TCanvas::AddToPath(const QPainterPath& Figure, bool Closed) {
    // A closed figure stands alone; an open one continues from the current point.
    if (Closed || path_.elementCount() == 0)
        path_.addPath(Figure);
    else
        path_.connectPath(Figure);
}

QPainterPath TCanvas::TakePath() {
    QPainterPath path = path_;
    path_ = QPainterPath();
    path.setFillRule(polyFillMode_ == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return path;
}

bool TCanvas::StrokePath() {
    if (recording_) return false;
    const QPainterPath path = TakePath();
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UsePenMode);
    if (p) p->strokePath(path, p->pen());
    return true;
}

bool TCanvas::FillPath() {
    if (recording_) return false;
    const QPainterPath path = TakePath();
    CanvasPainting p(this, CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (p) p->fillPath(path, p->brush());
    return true;
}

bool TCanvas::StrokeAndFillPath() {
    if (recording_) return false;
    const QPainterPath path = TakePath();
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (p) p->drawPath(path);
    return true;
}

bool TCanvas::SelectClipPath(int Mode) {
    if (recording_) return false;
    QPainterPath path = TakePath();
    const QPainterPath current = ClipAsPath();
    switch (Mode) {
    case RGN_COPY:
        break;
    case RGN_AND:
        path = clip_.active ? current.intersected(path) : path;
        break;
    case RGN_OR:
        path = current.united(path);
        break;
    case RGN_XOR:
        path = current.united(path).subtracted(current.intersected(path));
        break;
    case RGN_DIFF:
        path = current.subtracted(path);
        break;
    default:
        return false;
    }
    clip_.active = true;
    clip_.region = QRegion();
    clip_.path = path;
    return true;
}
