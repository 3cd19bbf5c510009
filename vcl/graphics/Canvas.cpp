#include "vcl/graphics/Canvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>
#include <exception>

#include "vcl/classes/Errors.h"
#include "vcl/graphics/CanvasPainting.h"
#include "vcl/graphics/Gdi.h"
#include "vcl/graphics/GraphicsConsts.h"

using namespace GraphicsConsts;
using mox::graphics::CanvasPainting;

namespace {

// The extent that stands for "everything" where the device's size is unknown.
constexpr int Unbounded = 1 << 20;

QRect FigureRect(int x1, int y1, int x2, int y2) {
    // The platform takes the corners in any order; the right and bottom edges are outside.
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

QRectF InsideFrame(const QRect& r, const TPen& pen) {
    // A psInsideFrame pen keeps its whole width inside the figure's bounds.
    if (pen.Style() != psInsideFrame || pen.Width() <= 1) return QRectF(r);
    const qreal half = pen.Width() / 2.0;
    return QRectF(r).adjusted(half - 0.5, half - 0.5, 0.5 - half, 0.5 - half);
}

QPolygon ToPolygon(std::span<const TPoint> points) {
    QPolygon polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const TPoint& p : points)
        polygon << QPoint(p.X, p.Y);
    return polygon;
}

// The angle in degrees, counter-clockwise from three o'clock, of the ray from the centre of r
// through (x, y).
qreal RayAngle(const QRectF& r, int x, int y) {
    const QPointF c = r.center();
    return std::atan2(-(y - c.y()), x - c.x()) * 180.0 / M_PI;
}

// Start and sweep of the platform's arcs: counter-clockwise from the first ray to the second; the
// same ray twice is the whole ellipse.
std::pair<qreal, qreal> ArcAngles(const QRectF& r, int x3, int y3, int x4, int y4) {
    const qreal start = RayAngle(r, x3, y3);
    qreal sweep = RayAngle(r, x4, y4) - start;
    while (sweep <= 0)
        sweep += 360;
    while (sweep > 360)
        sweep -= 360;
    return {start, sweep};
}

} // namespace

namespace mox::graphics {

QPen MakeQPen(const TPen& pen) {
    if (pen.Style() == psClear) return QPen(Qt::NoPen);
    const int width = std::max(1, pen.Width());
    QPen result(ColorToQColor(pen.Color()));
    result.setWidth(width);
    if (width == 1) {
        result.setCapStyle(Qt::FlatCap);
        result.setJoinStyle(Qt::MiterJoin);
        switch (pen.Style()) {
        case psDash:
            result.setDashPattern({18, 6});
            break;
        case psDot:
            result.setDashPattern({3, 3});
            break;
        case psDashDot:
            result.setDashPattern({9, 6, 3, 6});
            break;
        case psDashDotDot:
            result.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        case psAlternate:
            result.setDashPattern({1, 1});
            break;
        default:
            break;
        }
    } else {
        // The platform draws wide pens solid, with round ends and joins.
        result.setCapStyle(Qt::RoundCap);
        result.setJoinStyle(Qt::RoundJoin);
    }
    return result;
}

std::optional<QPainter::CompositionMode> PenModeComposition(TPenMode mode) {
    switch (mode) {
    case pmBlack:
        return QPainter::RasterOp_ClearDestination;
    case pmWhite:
        return QPainter::RasterOp_SetDestination;
    case pmNop:
        return std::nullopt;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmCopy:
        return QPainter::CompositionMode_SourceOver;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

bool OpaqueBackground(const TCanvas& canvas) {
    return canvas.BkMode() == OPAQUE;
}

CanvasPainting::CanvasPainting(TCanvas* canvas, int uses)
    : canvas_(canvas), exceptions_(std::uncaught_exceptions()) {
    canvas->Changing();
    if (!canvas->HandleAllocated()) canvas->CreateHandle();
    if (!canvas->HandleAllocated()) throw EInvalidOperation(QString::fromLatin1(SNoCanvasHandle));
    std::optional<QPainter::CompositionMode> mode = QPainter::CompositionMode_SourceOver;
    if (uses & UsePenMode) {
        mode = PenModeComposition(canvas->pen_->Mode());
        if (!mode) return;
    }
    if (canvas->external_) {
        painter_ = canvas->external_;
        painter_->save();
    } else {
        QPaintDevice* device = canvas->device_;
        if (device->devType() == QInternal::Image && static_cast<QImage*>(device)->isNull()) return;
        if (!own_.begin(device)) return;
        painter_ = &own_;
    }
    const TCanvas::ClipState& clip = canvas->clip_;
    if (clip.active) {
        const Qt::ClipOperation op = painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip;
        if (clip.path)
            painter_->setClipPath(*clip.path, op);
        else
            painter_->setClipRegion(clip.region, op);
    }
    painter_->setCompositionMode(*mode);
    painter_->setPen((uses & UsePen) ? MakeQPen(*canvas->pen_) : QPen(Qt::NoPen));
    painter_->setBrush((uses & UseBrush) ? canvas->brush_->Handle() : QBrush(Qt::NoBrush));
    if (uses & UseFont) painter_->setFont(canvas->font_->Handle());
    // The gaps of dashed lines take the background colour in the opaque mode, as on the platform.
    painter_->setBackgroundMode(OpaqueBackground(*canvas) ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_->setBackground(ColorToQColor(canvas->brush_->Color()));
}

CanvasPainting::~CanvasPainting() {
    if (painter_ == &own_)
        own_.end();
    else if (painter_)
        painter_->restore();
    if (std::uncaught_exceptions() == exceptions_) canvas_->Changed();
}

} // namespace mox::graphics

struct TCanvas::SavedState {
    ClipState clip;
    bool recording = false;
    QPainterPath path;
    TPoint penPos;
    TFont font;
    TPen pen;
    TBrush brush;
    TCopyMode copyMode = cmSrcCopy;
    std::optional<int> bkMode;
    int polyFillMode = ALTERNATE;
};

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush) {
    // A changed brush gives the text background its mode again.
    brush_->OnChange = [this](TObject*) { bkMode_.reset(); };
}

TCanvas::~TCanvas() = default;

void TCanvas::SetDevice(QPaintDevice* Device) {
    device_ = Device;
    clip_ = ClipState();
    recording_ = false;
    path_ = QPainterPath();
    saved_.clear();
}

void TCanvas::AttachPainter(QPainter* Painter) {
    external_ = Painter;
}

void TCanvas::DetachPainter() {
    external_ = nullptr;
}

void TCanvas::WithPainter(const std::function<void(QPainter& Painter)>& Draw) {
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UseFont);
    if (p) Draw(*p);
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::Lock() {
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock() {
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock() {
    if (!lock_.tryLock()) return false;
    ++lockCount_;
    return true;
}

// Lines and figures

void TCanvas::MoveTo(int X, int Y) {
    penPos_ = {X, Y};
    if (recording_) path_.moveTo(X, Y);
}

void TCanvas::LineTo(int X, int Y) {
    if (recording_) {
        if (path_.elementCount() == 0) path_.moveTo(penPos_.X, penPos_.Y);
        path_.lineTo(X, Y);
    } else {
        CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UsePenMode);
        if (p) p->drawLine(penPos_.X, penPos_.Y, X, Y);
    }
    penPos_ = {X, Y};
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
    if (Points.empty()) return;
    if (recording_) {
        QPainterPath figure;
        figure.addPolygon(ToPolygon(Points));
        AddToPath(figure, false);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UsePenMode);
    if (p) p->drawPolyline(ToPolygon(Points));
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    if (Points.empty()) return;
    const Qt::FillRule rule = polyFillMode_ == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    if (recording_) {
        QPainterPath figure;
        figure.addPolygon(ToPolygon(Points));
        figure.closeSubpath();
        AddToPath(figure, true);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (p) p->drawPolygon(ToPolygon(Points), rule);
}

void TCanvas::PolyBezier(std::span<const TPoint> Points) {
    // A start point and three points for each curve.
    if (Points.size() < 4) return;
    QPainterPath figure(QPointF(Points[0].X, Points[0].Y));
    for (std::size_t i = 1; i + 2 < Points.size(); i += 3)
        figure.cubicTo(Points[i].X, Points[i].Y, Points[i + 1].X, Points[i + 1].Y, Points[i + 2].X,
                       Points[i + 2].Y);
    if (recording_) {
        AddToPath(figure, false);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UsePenMode);
    if (p) p->drawPath(figure);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    const QRect r = FigureRect(X1, Y1, X2, Y2);
    if (recording_) {
        QPainterPath figure;
        figure.addRect(QRectF(r));
        AddToPath(figure, true);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (!p) return;
    if (pen_->Style() == psInsideFrame && pen_->Width() > 1)
        p->drawRect(InsideFrame(r, *pen_));
    else
        p->drawRect(r);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    const QRect r = FigureRect(X1, Y1, X2, Y2);
    if (recording_) {
        QPainterPath figure;
        figure.addRoundedRect(QRectF(r), X3 / 2.0, Y3 / 2.0);
        AddToPath(figure, true);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (p) p->drawRoundedRect(InsideFrame(r, *pen_), X3 / 2.0, Y3 / 2.0);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    const QRect r = FigureRect(X1, Y1, X2, Y2);
    if (recording_) {
        QPainterPath figure;
        figure.addEllipse(QRectF(r));
        AddToPath(figure, true);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (!p) return;
    if (pen_->Style() == psInsideFrame && pen_->Width() > 1)
        p->drawEllipse(InsideFrame(r, *pen_));
    else
        p->drawEllipse(r);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    const QRectF r(FigureRect(X1, Y1, X2, Y2));
    const auto [start, sweep] = ArcAngles(r, X3, Y3, X4, Y4);
    if (recording_) {
        QPainterPath figure;
        figure.arcMoveTo(r, start);
        figure.arcTo(r, start, sweep);
        AddToPath(figure, false);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UsePenMode);
    if (p) p->drawArc(r, qRound(start * 16), qRound(sweep * 16));
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    const QRectF r(FigureRect(X1, Y1, X2, Y2));
    const auto [start, sweep] = ArcAngles(r, X3, Y3, X4, Y4);
    if (recording_) {
        QPainterPath figure;
        figure.arcMoveTo(r, start);
        figure.arcTo(r, start, sweep);
        figure.closeSubpath();
        AddToPath(figure, true);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (p) p->drawChord(r, qRound(start * 16), qRound(sweep * 16));
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    const QRectF r(FigureRect(X1, Y1, X2, Y2));
    const auto [start, sweep] = ArcAngles(r, X3, Y3, X4, Y4);
    if (recording_) {
        QPainterPath figure(r.center());
        figure.arcTo(r, start, sweep);
        figure.closeSubpath();
        AddToPath(figure, true);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UsePen | CanvasPainting::UseBrush | CanvasPainting::UsePenMode);
    if (p) p->drawPie(r, qRound(start * 16), qRound(sweep * 16));
}

void TCanvas::FillRect(const TRect& Rect) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (p && !IsRectEmpty(Rect)) p->fillRect(ToQRect(Rect), brush_->Handle());
}

void TCanvas::FrameRect(const TRect& Rect) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (!p || IsRectEmpty(Rect)) return;
    const QBrush brush = brush_->Handle();
    const QRect r = ToQRect(Rect);
    p->fillRect(QRect(r.left(), r.top(), r.width(), 1), brush);
    p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), brush);
    p->fillRect(QRect(r.left(), r.top(), 1, r.height()), brush);
    p->fillRect(QRect(r.right(), r.top(), 1, r.height()), brush);
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (!p || IsRectEmpty(Rect)) return;
    // Every other pixel, inverted: a checkered pattern combined by exclusive or.
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p->setBackgroundMode(Qt::TransparentMode);
    const QBrush dots(Qt::white, Qt::Dense4Pattern);
    const QRect r = ToQRect(Rect);
    p->fillRect(QRect(r.left(), r.top(), r.width(), 1), dots);
    if (r.height() > 1) p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dots);
    if (r.height() > 2) {
        p->fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), dots);
        if (r.width() > 1) p->fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), dots);
    }
}

// Clipping

TRect TCanvas::DeviceRect() const {
    const QPaintDevice* device = external_ ? external_->device() : device_;
    if (!device) return {-Unbounded, -Unbounded, Unbounded, Unbounded};
    return {0, 0, device->width(), device->height()};
}

QPainterPath TCanvas::ClipAsPath() const {
    QPainterPath result;
    if (!clip_.active)
        result.addRect(QRectF(ToQRect(DeviceRect())));
    else if (clip_.path)
        result = *clip_.path;
    else
        result.addRegion(clip_.region);
    return result;
}

int TCanvas::ClipResult() const {
    if (!clip_.active) return SIMPLEREGION;
    if (clip_.path) {
        if (clip_.path->isEmpty() || clip_.path->boundingRect().isEmpty()) return NULLREGION;
        return COMPLEXREGION;
    }
    if (clip_.region.isEmpty()) return NULLREGION;
    return clip_.region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TCanvas::ClipRect() const {
    const TRect device = DeviceRect();
    if (!clip_.active) return device;
    const QRect bounds =
        clip_.path ? clip_.path->boundingRect().toAlignedRect() : clip_.region.boundingRect();
    TRect result;
    IntersectRect(result, ToRect(bounds), device);
    return result;
}

int TCanvas::IntersectClipRect(const TRect& Rect) {
    const QRect r = IsRectEmpty(Rect) ? QRect() : ToQRect(Rect);
    if (!clip_.active) {
        clip_.active = true;
        clip_.region = QRegion(r);
    } else if (clip_.path) {
        QPainterPath rect;
        rect.addRect(QRectF(r));
        clip_.path = clip_.path->intersected(rect);
    } else {
        clip_.region &= QRegion(r);
    }
    return ClipResult();
}

int TCanvas::ExcludeClipRect(const TRect& Rect) {
    if (IsRectEmpty(Rect)) return ClipResult();
    const QRect r = ToQRect(Rect);
    if (!clip_.active) {
        clip_.active = true;
        clip_.region = QRegion(ToQRect(DeviceRect())) - QRegion(r);
    } else if (clip_.path) {
        QPainterPath rect;
        rect.addRect(QRectF(r));
        clip_.path = clip_.path->subtracted(rect);
    } else {
        clip_.region -= QRegion(r);
    }
    return ClipResult();
}

int TCanvas::SelectClipRegion(const std::optional<QRegion>& Region) {
    clip_ = ClipState();
    if (Region) {
        clip_.active = true;
        clip_.region = *Region;
    }
    return ClipResult();
}

// Saved states

int TCanvas::SaveDC() {
    auto state = std::make_unique<SavedState>();
    state->clip = clip_;
    state->recording = recording_;
    state->path = path_;
    state->penPos = penPos_;
    state->font.Assign(font_.get());
    state->pen.Assign(pen_.get());
    state->brush.Assign(brush_.get());
    state->copyMode = copyMode_;
    state->bkMode = bkMode_;
    state->polyFillMode = polyFillMode_;
    saved_.push_back(std::move(state));
    return int(saved_.size());
}

bool TCanvas::RestoreDC(int SavedDC) {
    const int count = int(saved_.size());
    const int level = SavedDC < 0 ? count + SavedDC + 1 : SavedDC;
    if (level < 1 || level > count) return false;
    std::unique_ptr<SavedState> state = std::move(saved_[std::size_t(level - 1)]);
    saved_.resize(std::size_t(level - 1));
    clip_ = state->clip;
    recording_ = state->recording;
    path_ = state->path;
    penPos_ = state->penPos;
    font_->Assign(&state->font);
    pen_->Assign(&state->pen);
    brush_->Assign(&state->brush);
    copyMode_ = state->copyMode;
    bkMode_ = state->bkMode;
    polyFillMode_ = state->polyFillMode;
    return true;
}

int TCanvas::SetBkMode(int Mode) {
    const int previous = BkMode();
    if (Mode == TRANSPARENT || Mode == OPAQUE) bkMode_ = Mode;
    return previous;
}

int TCanvas::BkMode() const {
    if (bkMode_) return *bkMode_;
    return brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT;
}

int TCanvas::SetPolyFillMode(int Mode) {
    const int previous = polyFillMode_;
    if (Mode == ALTERNATE || Mode == WINDING) polyFillMode_ = Mode;
    return previous;
}
