#include "vcl/imglist/ImageList.h"

#include <QFileInfo>
#include <QPainter>

#include "vcl/classes/Errors.h"
#include "vcl/graphics/Resources.h"
#include "vcl/imglist/ImgListConsts.h"

using namespace ImgListConsts;

namespace {

constexpr QRgb Transparent = 0;

bool IsOpaque(QRgb pixel) {
    return qAlpha(pixel) != 0;
}

QRgb RgbOf(TColor color) {
    const auto value = std::uint32_t(ColorToRGB(color));
    return qRgb(GetRValue(value), GetGValue(value), GetBValue(value));
}

QColor FromColorRef(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// A colour property as the drawing flags take it: clNone and clDefault keep their special meaning.
COLORREF ToColorRef(TColor color) {
    if (color == clNone) return CLR_NONE;
    if (color == clDefault) return CLR_DEFAULT;
    return COLORREF(ColorToRGB(color)) & 0x00FFFFFF;
}

QImage Opaque(QImage image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    return image;
}

// One colour where the image is opaque, nothing elsewhere: the shapes of the disabled look.
QImage Shape(const QImage& image, const QColor& color, bool (*inShape)(QRgb)) {
    QImage result(image.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const QRgb paint = color.rgba();
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (inShape(source[x])) line[x] = paint;
    }
    return result;
}

// What the disabled look shows of an image: its opaque pixels that are not white.
bool InDisabledShape(QRgb pixel) {
    return IsOpaque(pixel) && (pixel & 0x00FFFFFF) != 0x00FFFFFF;
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {
    overlays_.fill(-1);
}

TCustomImageList::TCustomImageList(int AWidth, int AHeight, TComponent* AOwner) : TCustomImageList(AOwner) {
    if (AWidth < 1 || AHeight < 1) throw EInvalidOperation(QString::fromLatin1(SInvalidImageSize));
    width_ = AWidth;
    height_ = AHeight;
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : std::as_const(links_))
        link->SetSender(nullptr);
    links_.clear();
}

void TCustomImageList::Assign(TPersistent* Source) {
    auto* list = dynamic_cast<TCustomImageList*>(Source);
    if (!list) {
        TComponent::Assign(Source);
        return;
    }
    if (list == this) return;
    QList<QImage> images;
    std::array<int, 15> overlays;
    {
        QMutexLocker locker(&list->lock_);
        images = list->images_;
        overlays = list->overlays_;
    }
    {
        QMutexLocker locker(&lock_);
        images_ = images;
        overlays_ = overlays;
    }
    width_ = list->width_;
    height_ = list->height_;
    bkColor_ = list->bkColor_;
    blendColor_ = list->blendColor_;
    drawingStyle_ = list->drawingStyle_;
    imageType_ = list->imageType_;
    masked_ = list->masked_;
    shareImages_ = list->shareImages_;
    allocBy_ = list->allocBy_;
    Change();
}

void TCustomImageList::Reset(int width, int height) {
    if (width < 1 || height < 1) throw EInvalidOperation(QString::fromLatin1(SInvalidImageSize));
    {
        QMutexLocker locker(&lock_);
        images_.clear();
        overlays_.fill(-1);
    }
    width_ = width;
    height_ = height;
    Change();
}

void TCustomImageList::SetWidth(int Value) {
    if (Value != width_) Reset(Value, height_);
}

void TCustomImageList::SetHeight(int Value) {
    if (Value != height_) Reset(width_, Value);
}

int TCustomImageList::Count() const {
    QMutexLocker locker(&lock_);
    return int(images_.size());
}

void TCustomImageList::SetBkColor(TColor Value) {
    if (bkColor_ == Value) return;
    bkColor_ = Value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (drawingStyle_ == Value) return;
    drawingStyle_ = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
    if (imageType_ == Value) return;
    imageType_ = Value;
    Change();
}

void TCustomImageList::SetMasked(bool Value) {
    if (masked_ == Value) return;
    masked_ = Value;
    Change();
}

// Adding, replacing and removing

QList<QImage> TCustomImageList::Split(TBitmap* image, TBitmap* mask, std::optional<TColor> maskColor) const {
    QList<QImage> result;
    if (!image || image->Empty()) return result;
    const QImage picture = image->Image().convertToFormat(QImage::Format_ARGB32);
    const QImage maskPicture =
        mask && !mask->Empty() ? mask->Image().convertToFormat(QImage::Format_RGB32) : QImage();
    std::optional<QRgb> key;
    if (maskColor && masked_)
        key = (*maskColor == clDefault ? picture.pixel(0, 0) : RgbOf(*maskColor)) & 0x00FFFFFF;
    const int count = picture.width() / width_;
    const int rows = std::min(height_, picture.height());
    for (int i = 0; i < count; ++i) {
        // Rows the strip does not have stay transparent.
        QImage piece(width_, height_, QImage::Format_ARGB32);
        piece.fill(Transparent);
        for (int y = 0; y < rows; ++y) {
            const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(y)) + i * width_;
            auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < width_; ++x) {
                QRgb pixel = source[x] | 0xFF000000u;
                if (key) {
                    // The platform blackens the masked pixels of the image.
                    if ((pixel & 0x00FFFFFF) == *key) pixel = Transparent;
                } else if (!maskPicture.isNull()) {
                    const int mx = i * width_ + x;
                    const bool clear =
                        maskPicture.valid(mx, y) && (maskPicture.pixel(mx, y) & 0x00FFFFFF) == 0x00FFFFFF;
                    if (clear) pixel &= 0x00FFFFFF;
                }
                line[x] = pixel;
            }
        }
        result.append(piece);
    }
    return result;
}

int TCustomImageList::InsertImages(int index, const QList<QImage>& images) {
    if (images.isEmpty()) return -1;
    {
        QMutexLocker locker(&lock_);
        for (int i = 0; i < images.size(); ++i)
            images_.insert(index + i, images[i]);
        for (int& overlay : overlays_)
            if (overlay >= index) overlay += int(images.size());
    }
    Change();
    return index;
}

void TCustomImageList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit) throw EInvalidOperation(QString::fromLatin1(SImageIndexError));
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    return InsertImages(Count(), Split(Image, Mask, std::nullopt));
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    return InsertImages(Count(), Split(Image, nullptr, MaskColor));
}

int TCustomImageList::AddIcon(TIcon* Image) {
    if (!Image || Image->Empty()) return -1;
    QImage picture = Image->Image().convertToFormat(QImage::Format_ARGB32);
    if (picture.size() != QSize(width_, height_))
        picture = picture.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return InsertImages(Count(), {picture});
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
    if (!Value || Value == this) return;
    QList<QImage> images;
    for (int i = 0; i < Value->Count(); ++i) {
        QImage image = Value->Image(i);
        if (image.size() != QSize(width_, height_))
            image = image.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        images.append(image);
    }
    InsertImages(Count(), images);
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
    CheckIndex(Index, Count());
    InsertImages(Index, Split(Image, Mask, std::nullopt));
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor) {
    CheckIndex(Index, Count());
    InsertImages(Index, Split(Image, nullptr, MaskColor));
}

void TCustomImageList::InsertIcon(int Index, TIcon* Image) {
    CheckIndex(Index, Count());
    const int added = AddIcon(Image);
    if (added >= 0 && Index != added) Move(added, Index);
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
    CheckIndex(Index, Count() - 1);
    const QList<QImage> images = Split(Image, Mask, std::nullopt);
    if (images.isEmpty()) throw EInvalidOperation(QString::fromLatin1(SReplaceImage));
    {
        QMutexLocker locker(&lock_);
        images_[Index] = images.first();
    }
    Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
    CheckIndex(Index, Count() - 1);
    const QList<QImage> images = Split(NewImage, nullptr, MaskColor);
    if (images.isEmpty()) throw EInvalidOperation(QString::fromLatin1(SReplaceImage));
    {
        QMutexLocker locker(&lock_);
        images_[Index] = images.first();
    }
    Change();
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image) {
    CheckIndex(Index, Count() - 1);
    if (!Image || Image->Empty()) throw EInvalidOperation(QString::fromLatin1(SReplaceImage));
    QImage picture = Image->Image().convertToFormat(QImage::Format_ARGB32);
    if (picture.size() != QSize(width_, height_))
        picture = picture.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    {
        QMutexLocker locker(&lock_);
        images_[Index] = picture;
    }
    Change();
}

void TCustomImageList::Delete(int Index) {
    if (Index == -1) {
        Clear();
        return;
    }
    CheckIndex(Index, Count() - 1);
    {
        QMutexLocker locker(&lock_);
        images_.removeAt(Index);
        // Overlays keep pointing at their images.
        for (int& overlay : overlays_)
            overlay = overlay == Index ? -1 : overlay > Index ? overlay - 1 : overlay;
    }
    Change();
}

void TCustomImageList::Clear() {
    {
        QMutexLocker locker(&lock_);
        images_.clear();
        overlays_.fill(-1);
    }
    Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex, Count() - 1);
    CheckIndex(NewIndex, Count() - 1);
    if (CurIndex == NewIndex) return;
    {
        QMutexLocker locker(&lock_);
        images_.move(CurIndex, NewIndex);
        for (int& overlay : overlays_) {
            if (overlay < 0) continue;
            if (overlay == CurIndex)
                overlay = NewIndex;
            else if (CurIndex < NewIndex && overlay > CurIndex && overlay <= NewIndex)
                --overlay;
            else if (NewIndex < CurIndex && overlay >= NewIndex && overlay < CurIndex)
                ++overlay;
        }
    }
    Change();
}

bool TCustomImageList::Overlay(int ImageIndex, TOverlay Overlay) {
    QMutexLocker locker(&lock_);
    if (Overlay < 0 || Overlay >= int(overlays_.size()) || ImageIndex < 0 || ImageIndex >= images_.size())
        return false;
    overlays_[std::size_t(Overlay)] = ImageIndex;
    return true;
}

// Reading and drawing

QImage TCustomImageList::Image(int Index) const {
    return Composite(Index, 0);
}

QImage TCustomImageList::Composite(int index, int overlay) const {
    QImage image, over;
    {
        QMutexLocker locker(&lock_);
        if (index < 0 || index >= images_.size()) return QImage();
        image = images_[index];
        if (overlay >= 1 && overlay <= int(overlays_.size())) {
            const int overlayIndex = overlays_[std::size_t(overlay - 1)];
            if (overlayIndex >= 0 && overlayIndex < images_.size()) over = images_[overlayIndex];
        }
    }
    if (!masked_) {
        image = Opaque(image);
        over = QImage();
    }
    if (!over.isNull()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(0, 0, over);
    }
    return image;
}

bool TCustomImageList::DrawEx(int Index, TCanvas* Canvas, int X, int Y, int DX, int DY, COLORREF Bk,
                              COLORREF Fg, unsigned Style) {
    QImage image = Composite(Index, int((Style & ILD_OVERLAYMASK) >> 8));
    if (image.isNull() || !Canvas) return false;
    if (DX > 0 || DY > 0) image = image.copy(0, 0, DX > 0 ? DX : image.width(), DY > 0 ? DY : image.height());
    if (Style & ILD_MASK) {
        // The mask itself: black where the image is, white around it.
        QImage mask(image.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                mask.setPixel(x, y, IsOpaque(image.pixel(x, y)) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        Canvas->DrawImage(X, Y, mask);
        return true;
    }
    if (Style & ILD_IMAGE) {
        Canvas->DrawImage(X, Y, Opaque(image));
        return true;
    }
    std::optional<QRgb> background;
    if (!(Style & ILD_TRANSPARENT)) {
        const COLORREF bk = Bk == CLR_DEFAULT ? ToColorRef(bkColor_) : Bk;
        if (bk != CLR_NONE && bk != CLR_DEFAULT) background = FromColorRef(bk).rgb();
    }
    qreal blend = 0;
    if (Style & ILD_BLEND50)
        blend = 0.5;
    else if (Style & ILD_BLEND25)
        blend = 0.25;
    const bool withDestination = blend > 0 && Fg == CLR_NONE;
    const QColor blendColor = Fg == CLR_DEFAULT ? ColorToQColor(clHighlight) : FromColorRef(Fg);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb pixel = line[x];
            if (IsOpaque(pixel)) {
                if (blend > 0 && !withDestination)
                    pixel =
                        qRgba(qRound(qRed(pixel) * (1 - blend) + blendColor.red() * blend),
                              qRound(qGreen(pixel) * (1 - blend) + blendColor.green() * blend),
                              qRound(qBlue(pixel) * (1 - blend) + blendColor.blue() * blend), qAlpha(pixel));
                if (withDestination)
                    pixel = (pixel & 0x00FFFFFF) | (QRgb(qRound(qAlpha(pixel) * (1 - blend))) << 24);
            } else if (background) {
                pixel = *background;
            }
            line[x] = pixel;
        }
    }
    Canvas->DrawImage(X, Y, image);
    return true;
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, unsigned Style, bool Enabled) {
    if (Enabled) {
        DrawEx(Index, Canvas, X, Y, 0, 0, ToColorRef(bkColor_), ToColorRef(blendColor_), Style);
        return;
    }
    const QImage image = Composite(Index, int((Style & ILD_OVERLAYMASK) >> 8));
    if (image.isNull() || !Canvas) return;
    // The disabled look: the image's shape embossed, a highlight below and to the right of a shadow.
    Canvas->DrawImage(X + 1, Y + 1, Shape(image, ColorToQColor(clBtnHighlight), InDisabledShape));
    Canvas->DrawImage(X, Y, Shape(image, ColorToQColor(clBtnShadow), InDisabledShape));
}

namespace {
unsigned StyleFlags(TDrawingStyle style, TImageType type) {
    unsigned flags = ILD_NORMAL;
    switch (style) {
    case dsFocus:
        flags = ILD_FOCUS;
        break;
    case dsSelected:
        flags = ILD_SELECTED;
        break;
    case dsTransparent:
        flags = ILD_TRANSPARENT;
        break;
    case dsNormal:
        break;
    }
    return flags | (type == itMask ? ILD_MASK : 0u);
}
} // namespace

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
    DoDraw(Index, Canvas, X, Y, StyleFlags(ADrawingStyle, AImageType), Enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, TOverlay Overlay,
                                   bool Enabled) {
    DrawOverlay(Canvas, X, Y, ImageIndex, Overlay, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, TOverlay Overlay,
                                   TDrawingStyle ADrawingStyle, TImageType AImageType, bool Enabled) {
    if (Overlay < 0 || Overlay >= int(overlays_.size())) return;
    DoDraw(ImageIndex, Canvas, X, Y, StyleFlags(ADrawingStyle, AImageType) | IndexToOverlayMask(Overlay + 1),
           Enabled);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
    if (!Image || Index < 0 || Index >= Count()) return false;
    Image->SetSize(width_, height_);
    Draw(Image->Canvas(), 0, 0, Index);
    return true;
}

bool TCustomImageList::GetIcon(int Index, TIcon* Image) {
    const QImage image = Composite(Index, 0);
    if (!Image || image.isNull()) return false;
    Image->SetImage(image);
    return true;
}

// Loading strips

bool TCustomImageList::ResourceLoad(TResType ResType, const String& Name, TColor MaskColor) {
    const String kind = ResType == rtBitmap ? QStringLiteral("bitmaps") : QStringLiteral("icons");
    const String path = FindResource(kind, Name);
    return !path.isEmpty() && FileLoad(ResType, path, MaskColor);
}

bool TCustomImageList::FileLoad(TResType ResType, const String& Name, TColor MaskColor) {
    if (!QFileInfo(Name).isFile()) return false;
    try {
        if (ResType == rtBitmap) {
            TBitmap strip;
            strip.LoadFromFile(Name);
            BeginUpdate();
            try {
                Reset(width_, strip.Height());
                AddMasked(&strip, MaskColor);
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        } else {
            TIcon icon;
            icon.LoadFromFile(Name);
            BeginUpdate();
            try {
                Reset(width_, icon.Height());
                AddIcon(&icon);
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        }
    } catch (const EInvalidGraphic&) {
        return false;
    }
    return true;
}

// Change links

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (!Value) return;
    if (Value->Sender() && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
    if (!links_.contains(Value)) links_.append(Value);
    Value->SetSender(this);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    if (!Value) return;
    links_.removeAll(Value);
    if (Value->Sender() == this) Value->SetSender(nullptr);
}

void TCustomImageList::BeginUpdate() {
    ++updateCount_;
}

void TCustomImageList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changed_) Change();
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changed_ = true;
        return;
    }
    changed_ = false;
    // A link may leave the list while it is told.
    const QList<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (links_.contains(link)) link->Change();
    if (OnChange) OnChange(this);
}

bool ImageList_Draw(HIMAGELIST ImageList, int Index, HDC Dest, int X, int Y, unsigned Style) {
    return ImageList && ImageList->DrawEx(Index, Dest, X, Y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, Style);
}

bool ImageList_DrawEx(HIMAGELIST ImageList, int Index, HDC Dest, int X, int Y, int DX, int DY, COLORREF Bk,
                      COLORREF Fg, unsigned Style) {
    return ImageList && ImageList->DrawEx(Index, Dest, X, Y, DX, DY, Bk, Fg, Style);
}

int ImageList_GetImageCount(HIMAGELIST ImageList) {
    return ImageList ? ImageList->Count() : 0;
}
