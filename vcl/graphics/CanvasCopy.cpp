// The canvas's pictures and pixels: drawing graphics, copies through raster operations, the copy
// with a transparent colour, and single pixels.
#include <QPainter>

#include "vcl/graphics/Bitmap.h"
#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/CanvasPainting.h"
#include "vcl/graphics/Graphic.h"

using mox::graphics::CanvasPainting;

namespace {

QRect Normalized(const TRect& r) {
    return ToQRect(r).normalized();
}

// The part of the image that Source names, mirrored where Source and Dest run in opposite
// directions, at the size of Dest.
QImage SourcePiece(const QImage& image, const TRect& dest, const TRect& source, bool scale) {
    const bool flipX = (dest.Width() < 0) != (source.Width() < 0);
    const bool flipY = (dest.Height() < 0) != (source.Height() < 0);
    QImage piece = image.copy(Normalized(source));
    if (flipX || flipY) piece = piece.mirrored(flipX, flipY);
    const QSize size = Normalized(dest).size();
    if (scale && piece.size() != size)
        piece = piece.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return piece;
}

// The image with every pixel of the colour made fully transparent.
QImage WithoutColor(const QImage& image, TColor color) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ColorToQColor(ColorToRGB(color)).rgb() & 0x00FFFFFF;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == key) line[x] = 0;
    }
    return result;
}

std::optional<QPainter::CompositionMode> SourceRop(TCopyMode mode) {
    switch (mode) {
    case cmSrcCopy:
        return QPainter::CompositionMode_Source;
    case cmSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    case cmSrcErase:
        return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcCopy:
        return QPainter::RasterOp_NotSource;
    case cmNotSrcErase:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint:
        return QPainter::RasterOp_NotSourceOrDestination;
    default:
        return std::nullopt;
    }
}

} // namespace

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, Rect);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    // A copy within one image is safe: the piece is taken out before anything is painted.
    const QImage* image = Canvas ? Canvas->TargetImage() : nullptr;
    CopyImage(Dest, image ? *image : QImage(), Source, copyMode_);
}

void TCanvas::CopyImage(const TRect& Dest, const QImage& Image, const TRect& Source, TCopyMode Mode) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (p && Dest.Width() != 0 && Dest.Height() != 0) CopyThroughRop(*p, Dest, Image, Source, Mode);
}

void TCanvas::CopyThroughRop(QPainter& Painter, const TRect& Dest, const QImage& Image, const TRect& Source,
                             TCopyMode Mode) {
    const QRect dest = Normalized(Dest);
    QBrush pattern = brush_->Handle();
    if (pattern.style() == Qt::NoBrush) pattern = QBrush(ColorToQColor(brush_->Color()));
    Painter.setBackgroundMode(Qt::TransparentMode);
    switch (Mode) {
    case cmBlackness:
    case cmWhiteness:
        Painter.setCompositionMode(QPainter::CompositionMode_Source);
        Painter.fillRect(dest, Mode == cmBlackness ? Qt::black : Qt::white);
        return;
    case cmDstInvert:
        Painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        Painter.fillRect(dest, Qt::black);
        return;
    case cmPatCopy:
        Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        Painter.fillRect(dest, pattern);
        return;
    case cmPatInvert:
        Painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        Painter.fillRect(dest, pattern);
        return;
    default:
        break;
    }
    if (Image.isNull()) return;
    // The raster operations work on the colour values alone.
    QImage piece = SourcePiece(Image, Dest, Source, true).convertToFormat(QImage::Format_RGB32);
    if (Mode == cmMergeCopy || Mode == cmPatPaint) {
        // Three operands: the source is combined with the brush first, aligned with the canvas.
        QPainter combine(&piece);
        combine.setBrushOrigin(-dest.topLeft());
        if (Mode == cmMergeCopy) {
            combine.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            combine.fillRect(piece.rect(), pattern);
        } else {
            combine.setCompositionMode(QPainter::RasterOp_NotDestination);
            combine.fillRect(piece.rect(), Qt::black);
            combine.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            combine.fillRect(piece.rect(), pattern);
        }
        combine.end();
        Painter.setCompositionMode(Mode == cmMergeCopy ? QPainter::CompositionMode_Source
                                                       : QPainter::RasterOp_SourceOrDestination);
        Painter.drawImage(dest.topLeft(), piece);
        return;
    }
    // A code without a meaning here copies.
    Painter.setCompositionMode(SourceRop(Mode).value_or(QPainter::CompositionMode_Source));
    Painter.drawImage(dest.topLeft(), piece);
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (!Bitmap || Bitmap->Empty()) return;
    if (brush_->Style() == bsClear) {
        DrawTransparent(Dest, Bitmap->Image(), Source, Color);
        return;
    }
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (!p || Dest.Width() == 0 || Dest.Height() == 0) return;
    const QRect dest = Normalized(Dest);
    const QImage front = WithoutColor(SourcePiece(Bitmap->Image(), Dest, Source, true), Color);
    // The brush under the bitmap shows where the colour was.
    QImage combined(front.size(), QImage::Format_ARGB32_Premultiplied);
    combined.fill(Qt::transparent);
    QPainter compose(&combined);
    compose.setBrushOrigin(-dest.topLeft());
    compose.fillRect(combined.rect(), brush_->Handle());
    compose.drawImage(0, 0, front);
    compose.end();
    p->drawImage(dest.topLeft(), combined);
}

void TCanvas::DrawTransparent(const TRect& Dest, const QImage& Image, const TRect& Source,
                              TColor TransparentColor) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (!p || Image.isNull() || Dest.Width() == 0 || Dest.Height() == 0) return;
    const QImage piece = WithoutColor(SourcePiece(Image, Dest, Source, false), TransparentColor);
    p->drawImage(Normalized(Dest), piece);
}

void TCanvas::DrawImage(int X, int Y, const QImage& Image) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (p && !Image.isNull()) p->drawImage(X, Y, Image);
}

void TCanvas::StretchDrawImage(const TRect& Dest, const QImage& Image) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (p && !Image.isNull() && !IsRectEmpty(Dest)) p->drawImage(ToQRect(Dest), Image);
}

QImage* TCanvas::TargetImage() const {
    QPaintDevice* device = external_ ? external_->device() : device_;
    if (device && device->devType() == QInternal::Image) return static_cast<QImage*>(device);
    return nullptr;
}

TColor TCanvas::Pixels(int X, int Y) {
    if (!HandleAllocated()) CreateHandle();
    const QImage* image = TargetImage();
    if (!image || !image->valid(X, Y)) return TColor(-1);
    const QRgb pixel = image->pixel(X, Y);
    return RGB(Byte(qRed(pixel)), Byte(qGreen(pixel)), Byte(qBlue(pixel)));
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    if (!p) return;
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(QRect(X, Y, 1, 1), ColorToQColor(Color));
}
