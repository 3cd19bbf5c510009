#include "vcl/graphics/Bitmap.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QtEndian>

#include "vcl/classes/Errors.h"
#include "vcl/graphics/GraphicsConsts.h"
#include "vcl/graphics/Resources.h"

using namespace GraphicsConsts;

namespace {

constexpr int BmpFileHeaderSize = 14;

// The sixteen colours of a 4-bit picture: the platform's standard palette.
QList<QRgb> StandardSixteenColors() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
            qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// The picture as it is kept for the pixel format, with its colours reduced to what the format holds.
QImage InFormat(const QImage& image, TPixelFormat format) {
    const Qt::ImageConversionFlags exact = Qt::ThresholdDither | Qt::AvoidDither;
    switch (format) {
    case pf1bit:
        return image.convertToFormat(QImage::Format_Mono, exact).convertToFormat(QImage::Format_RGB32);
    case pf4bit:
        return image.convertToFormat(QImage::Format_Indexed8, StandardSixteenColors(), exact)
            .convertToFormat(QImage::Format_RGB32);
    case pf8bit:
        return image.convertToFormat(QImage::Format_Indexed8, exact).convertToFormat(QImage::Format_RGB32);
    case pf15bit:
        return image.convertToFormat(QImage::Format_RGB555).convertToFormat(QImage::Format_RGB32);
    case pf16bit:
        return image.convertToFormat(QImage::Format_RGB16).convertToFormat(QImage::Format_RGB32);
    case pf32bit:
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    default:
        return image.convertToFormat(QImage::Format_RGB32);
    }
}

// The pixel format of a picture as it was read.
TPixelFormat FormatOf(const QImage& image) {
    if (image.hasAlphaChannel()) return pf32bit;
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return pf1bit;
    case QImage::Format_Indexed8:
        return image.colorCount() <= 16 ? pf4bit : pf8bit;
    case QImage::Format_RGB555:
        return pf15bit;
    case QImage::Format_RGB16:
        return pf16bit;
    default:
        return pf24bit;
    }
}

// The picture in the depth it is written with.
QImage ForWriting(const QImage& image, TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither | Qt::AvoidDither);
    case pf4bit:
        return image.convertToFormat(QImage::Format_Indexed8, StandardSixteenColors(),
                                     Qt::ThresholdDither | Qt::AvoidDither);
    case pf8bit:
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    case pf32bit:
        return image.convertToFormat(QImage::Format_ARGB32);
    default:
        return image.convertToFormat(QImage::Format_RGB32);
    }
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) {
    SetSize(AWidth, AHeight);
    modified_ = false;
}

TBitmap::~TBitmap() = default;

QImage::Format TBitmap::StorageFormat() const {
    return pixelFormat_ == pf32bit ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

void TBitmap::Replace(const QImage& image, int width, int height) {
    image_ = image;
    width_ = width;
    height_ = height;
    // A new picture is a new device: the canvas starts again without clip or saved states.
    if (canvas_) canvas_->SetDevice(&image_);
    Changed();
}

void TBitmap::Assign(TPersistent* Source) {
    if (!Source) {
        Replace(QImage(), 0, 0);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        if (bitmap == this) return;
        pixelFormat_ = bitmap->pixelFormat_;
        transparentColor_ = bitmap->transparentColor_;
        transparentMode_ = bitmap->transparentMode_;
        transparent_ = bitmap->transparent_;
        Replace(bitmap->image_, bitmap->width_, bitmap->height_);
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == width_ && AHeight == height_) return;
    QImage next;
    if (AWidth > 0 && AHeight > 0) {
        next = QImage(AWidth, AHeight, StorageFormat());
        next.fill(Qt::white);
        if (!image_.isNull()) {
            QPainter painter(&next);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image_);
        }
    }
    Replace(next, AWidth, AHeight);
}

TCanvas* TBitmap::Canvas() {
    std::call_once(canvasMade_, [this] {
        auto canvas = std::make_unique<TCanvas>();
        canvas->SetDevice(&image_);
        canvas->OnChange = [this](TObject*) { Changed(); };
        canvas_ = std::move(canvas);
    });
    return canvas_.get();
}

void TBitmap::Changed() {
    TGraphic::Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (pixelFormat_ == Value) return;
    pixelFormat_ = Value;
    Replace(image_.isNull() ? image_ : InFormat(image_, Value), width_, height_);
}

TColor TBitmap::TransparentColor() const {
    if (transparentMode_ == tmFixed) return transparentColor_;
    if (image_.isNull()) return clNone;
    if (Monochrome()) return clWhite;
    const QRgb pixel = image_.pixel(0, image_.height() - 1);
    return RGB(Byte(qRed(pixel)), Byte(qGreen(pixel)), Byte(qBlue(pixel)));
}

void TBitmap::SetTransparentColor(TColor Value) {
    if (Value == transparentColor_ && (Value == clDefault) == (transparentMode_ == tmAuto)) return;
    transparentColor_ = Value;
    transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == transparentMode_) return;
    // Fixing the mode keeps the colour that is transparent now.
    SetTransparentColor(Value == tmAuto ? clDefault : TransparentColor());
}

void TBitmap::SetImage(const QImage& Value) {
    if (Value.isNull()) {
        Replace(QImage(), 0, 0);
        return;
    }
    pixelFormat_ = FormatOf(Value);
    Replace(Value.convertToFormat(StorageFormat()), Value.width(), Value.height());
}

void TBitmap::LoadBytes(const QByteArray& bytes) {
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes))
        throw EInvalidGraphic(QString::fromLatin1(SInvalidBitmap));
    SetImage(image);
}

void TBitmap::LoadFromResourceName(const String& ResName) {
    const String path = FindResource(QStringLiteral("bitmaps"), ResName);
    if (path.isEmpty()) throw EResNotFound(Fmt(SResNotFound, ResName));
    LoadFromFile(path);
}

void TBitmap::LoadFromStream(QIODevice* Stream) {
    if (Stream->peek(2) != QByteArrayLiteral("BM")) {
        LoadBytes(Stream->readAll());
        return;
    }
    QByteArray bytes = Stream->read(BmpFileHeaderSize);
    if (bytes.size() < BmpFileHeaderSize) throw EInvalidGraphic(QString::fromLatin1(SInvalidBitmap));
    const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + 2);
    if (size <= quint32(BmpFileHeaderSize)) {
        // A header that does not give the file's size: the rest of the stream is the file.
        bytes += Stream->readAll();
    } else {
        // Read only as much as arrives, so that a size the data does not hold allocates nothing.
        quint64 remaining = size - BmpFileHeaderSize;
        while (remaining > 0) {
            const QByteArray chunk = Stream->read(qint64(std::min<quint64>(remaining, 1 << 16)));
            if (chunk.isEmpty()) throw EInvalidGraphic(QString::fromLatin1(SInvalidBitmap));
            bytes += chunk;
            remaining -= quint64(chunk.size());
        }
    }
    LoadBytes(bytes);
}

void TBitmap::SaveToStream(QIODevice* Stream) {
    if (Empty()) return;
    if (!ForWriting(image_, pixelFormat_).save(Stream, "BMP"))
        throw EInvalidGraphic(QString::fromLatin1(SInvalidBitmap));
}

void TBitmap::SaveToFile(const String& FileName) {
    const String suffix = QFileInfo(FileName).suffix().toLower();
    if (suffix != QLatin1String("png")) {
        TGraphic::SaveToFile(FileName);
        return;
    }
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFCreateError(Fmt(SFCreateErrorEx, FileName, file.errorString()));
    if (!Empty() && !ForWriting(image_, pixelFormat_).save(&file, "PNG"))
        throw EInvalidGraphic(QString::fromLatin1(SInvalidBitmap));
}

void TBitmap::ReadData(const QByteArray& Data) {
    if (Data.size() < 4) throw EReadError(QString::fromLatin1(SReadError));
    const qint32 size = qFromLittleEndian<qint32>(Data.constData());
    if (size < 0 || size > Data.size() - 4) throw EReadError(QString::fromLatin1(SReadError));
    if (size == 0) {
        Replace(QImage(), 0, 0);
        return;
    }
    LoadBytes(Data.mid(4, size));
}

QByteArray TBitmap::WriteData() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(&buffer);
    QByteArray result(4, '\0');
    qToLittleEndian<qint32>(qint32(buffer.data().size()), result.data());
    return result + buffer.data();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (Empty()) return;
    const TRect whole = {0, 0, width_, height_};
    if (Transparent())
        ACanvas->DrawTransparent(Rect, image_, whole, TransparentColor());
    else
        ACanvas->CopyImage(Rect, image_, whole, ACanvas->CopyMode());
}
