#include "vcl/graphics/Icon.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include "vcl/graphics/Bitmap.h"
#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/GraphicsConsts.h"

using namespace GraphicsConsts;

namespace {

QImage WithTransparentColor(const QImage& image, TColor color) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ColorToQColor(ColorToRGB(color)).rgb() & 0x00FFFFFF;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == key) line[x] = 0;
    }
    return result;
}

int SizeDistance(const QSize& a, const QSize& b) {
    return std::abs(a.width() - b.width()) + std::abs(a.height() - b.height());
}

} // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::Assign(TPersistent* Source) {
    if (!Source) {
        icon_ = QIcon();
        images_.clear();
        image_ = QImage();
        Changed();
        return;
    }
    if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        if (icon == this) return;
        icon_ = icon->icon_;
        images_ = icon->images_;
        image_ = icon->image_;
        requested_ = icon->requested_;
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        const QImage picture = bitmap->Image();
        SetImage(bitmap->Transparent() ? WithTransparentColor(picture, bitmap->TransparentColor())
                                       : picture.convertToFormat(QImage::Format_ARGB32));
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::SetWidth(int Value) {
    if (!Empty()) throw EInvalidGraphicOperation(QString::fromLatin1(SChangeIconSize));
    requested_.setWidth(Value);
}

void TIcon::SetHeight(int Value) {
    if (!Empty()) throw EInvalidGraphicOperation(QString::fromLatin1(SChangeIconSize));
    requested_.setHeight(Value);
}

QIcon TIcon::Handle() const {
    if (!icon_.isNull() || images_.isEmpty()) return icon_;
    QIcon icon;
    for (const QImage& image : images_)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

void TIcon::SetHandle(const QIcon& Value) {
    icon_ = Value;
    images_.clear();
    image_ = QImage();
    if (!Value.isNull()) {
        // The size nearest to the one asked for among those the icon has.
        QList<QSize> sizes = Value.availableSizes();
        QSize best = requested_;
        if (!sizes.isEmpty()) {
            best = sizes.first();
            for (const QSize& size : sizes)
                if (SizeDistance(size, requested_) < SizeDistance(best, requested_)) best = size;
        }
        image_ = Value.pixmap(best).toImage().convertToFormat(QImage::Format_ARGB32);
        images_ = {image_};
    }
    Changed();
}

void TIcon::SetImage(const QImage& Value) {
    image_ = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_ARGB32);
    images_.clear();
    if (!image_.isNull()) images_.append(image_);
    icon_ = QIcon();
    Changed();
}

void TIcon::LoadFromStream(QIODevice* Stream) {
    QBuffer buffer;
    buffer.setData(Stream->readAll());
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QList<QImage> images;
    QImage best;
    for (bool more = true; more; more = reader.jumpToNextImage()) {
        const QImage image = reader.read();
        if (image.isNull()) break;
        images.append(image.convertToFormat(QImage::Format_ARGB32));
        if (best.isNull() || SizeDistance(image.size(), requested_) < SizeDistance(best.size(), requested_))
            best = image;
        if (reader.imageCount() <= 1) break;
    }
    if (best.isNull()) throw EInvalidGraphic(QString::fromLatin1(SInvalidIcon));
    icon_ = QIcon();
    images_ = images;
    image_ = best.convertToFormat(QImage::Format_ARGB32);
    Changed();
}

void TIcon::SaveToStream(QIODevice* Stream) {
    if (Empty()) return;
    if (!image_.save(Stream, "ICO")) throw EInvalidGraphic(QString::fromLatin1(SInvalidIcon));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (Empty()) return;
    // The size the icon holds that fits the rectangle best, stretched when none fits exactly.
    const QSize wanted(std::abs(Rect.Width()), std::abs(Rect.Height()));
    QImage best = image_;
    for (const QImage& image : images_)
        if (SizeDistance(image.size(), wanted) < SizeDistance(best.size(), wanted)) best = image;
    if (best.size() == wanted)
        ACanvas->DrawImage(std::min(Rect.Left, Rect.Right), std::min(Rect.Top, Rect.Bottom), best);
    else
        ACanvas->StretchDrawImage(Rect, best);
}
