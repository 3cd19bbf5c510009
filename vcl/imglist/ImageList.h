#pragma once
// TCustomImageList and TImageList: a row of images of one size, each with its mask, drawn normal,
// blended, without background, disabled, or with an overlay image over it.
#include <QImage>
#include <QList>
#include <QMutex>
#include <array>

#include "vcl/classes/Component.h"
#include "vcl/classes/Published.h"
#include "vcl/graphics/Bitmap.h"
#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/Gdi.h"
#include "vcl/graphics/Icon.h"
#include "vcl/imglist/ChangeLink.h"
#include "vcl/imglist/ImgListTypes.h"

class TCustomImageList;
// The platform's image-list handle is the list itself.
using HIMAGELIST = TCustomImageList*;

class TCustomImageList : public TComponent {
    Q_OBJECT
public:
    // A list of 16 by 16 images.
    explicit TCustomImageList(TComponent* AOwner);
    TCustomImageList(int AWidth, int AHeight, TComponent* AOwner = nullptr);
    // Tells the registered links that the list is gone (their Sender becomes none).
    ~TCustomImageList() override;

    // From another image list: its size, images, overlays and drawing properties.
    void Assign(TPersistent* Source) override;
    HIMAGELIST Handle() { return this; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size removes every image; a size below 1 raises EInvalidOperation "Invalid image size".
    void SetWidth(int Value);
    void SetHeight(int Value);
    int Count() const;
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor Value);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor Value) { blendColor_ = Value; }
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle Value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType Value);
    // Without masks every image is drawn as the whole rectangle.
    bool Masked() const { return masked_; }
    void SetMasked(bool Value);
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int Value) { allocBy_ = Value; }
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool Value) { shareImages_ = Value; }

    // Adds the images of a strip: the bitmap is cut into as many images as its width holds. Mask
    // is a bitmap of the same layout whose white pixels are transparent (none: all opaque). Returns
    // the index of the first new image, -1 when the bitmap holds none.
    int Add(TBitmap* Image, TBitmap* Mask);
    // The same with every pixel of MaskColor transparent; clDefault takes the top-left pixel's colour.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    int AddIcon(TIcon* Image);
    void AddImages(TCustomImageList* Value);
    // Index may be Count, which adds at the end; others raise EInvalidOperation "Invalid ImageList index".
    void Insert(int Index, TBitmap* Image, TBitmap* Mask);
    void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
    void InsertIcon(int Index, TIcon* Image);
    // Replaces one image with the first image of the bitmap; a bad index raises EInvalidOperation.
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
    void ReplaceIcon(int Index, TIcon* Image);
    // Delete(-1) removes every image, as on the platform; other bad indexes raise EInvalidOperation.
    void Delete(int Index);
    void Clear();
    void Move(int CurIndex, int NewIndex);
    // Marks image ImageIndex as overlay number Overlay (0 to 14); false for a bad number or index.
    bool Overlay(int ImageIndex, TOverlay Overlay);

    // Draws with DrawingStyle and ImageType, or the given ones; a disabled image is drawn embossed in
    // the button highlight and shadow colours. A bad index draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
              bool Enabled = true);
    // The same with overlay image Overlay drawn over the image.
    void DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, TOverlay Overlay, bool Enabled = true);
    void DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, TOverlay Overlay,
                     TDrawingStyle ADrawingStyle, TImageType AImageType, bool Enabled = true);
    // The platform's drawing of one image with its ILD_ flags: Bk is the background for the masked
    // pixels (CLR_NONE none, CLR_DEFAULT BkColor), Fg the colour blended in with ILD_BLEND25 and
    // ILD_BLEND50 (CLR_NONE blends with what is under the image, CLR_DEFAULT is clHighlight); DX and
    // DY draw only that much of the image (0: all of it).
    bool DrawEx(int Index, TCanvas* Canvas, int X, int Y, int DX, int DY, COLORREF Bk, COLORREF Fg,
                unsigned Style);

    // The image drawn on a bitmap of the list's size; false for a bad index.
    bool GetBitmap(int Index, TBitmap* Image);
    // The image as an icon: its mask becomes the icon's transparency.
    bool GetIcon(int Index, TIcon* Image);
    // The image with its mask as the alpha channel; a null image for a bad index.
    QImage Image(int Index) const;

    // Loads a strip from a named resource or a file in place of the images: the images keep their
    // width, their height becomes the strip's. False when there is no such resource or file.
    bool ResourceLoad(TResType ResType, const String& Name, TColor MaskColor);
    bool FileLoad(TResType ResType, const String& Name, TColor MaskColor);

    // Change links are told of every change; BeginUpdate holds the changes back until EndUpdate.
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);
    void BeginUpdate();
    void EndUpdate();

    // Raised after every change, after the links are told.
    TNotifyEvent OnChange;
    TNotifyEvent GetOnChange() const { return OnChange; }
    void SetOnChange(const TNotifyEvent& Value) { OnChange = Value; }

protected:
    virtual void Change();
    virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, unsigned Style, bool Enabled);

private:
    QList<QImage> Split(TBitmap* image, TBitmap* mask, std::optional<TColor> maskColor) const;
    int InsertImages(int index, const QList<QImage>& images);
    void CheckIndex(int index, int limit) const;
    QImage Composite(int index, int overlay) const;
    void Reset(int width, int height);

    int width_ = 16;
    int height_ = 16;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    bool masked_ = true;
    bool shareImages_ = false;
    int allocBy_ = 4;
    int updateCount_ = 0;
    bool changed_ = false;
    QList<TChangeLink*> links_;
    // The images (each with its mask as the alpha channel) and the overlays: a worker drawing the
    // list while the user-interface thread changes it sees one or the other whole.
    mutable QMutex lock_;
    QList<QImage> images_;
    std::array<int, 15> overlays_;
};

class TImageList : public TCustomImageList {
    Q_OBJECT
    Q_PROPERTY(int AllocBy READ AllocBy WRITE SetAllocBy)
    Q_PROPERTY(TColor BlendColor READ BlendColor WRITE SetBlendColor)
    Q_PROPERTY(TColor BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(ImgList::TDrawingStyle DrawingStyle READ DrawingStyle WRITE SetDrawingStyle)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(ImgList::TImageType ImageType READ ImageType WRITE SetImageType)
    Q_PROPERTY(bool Masked READ Masked WRITE SetMasked)
    Q_PROPERTY(bool ShareImages READ ShareImages WRITE SetShareImages)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(TNotifyEvent OnChange READ GetOnChange WRITE SetOnChange)
    MOX_DEFAULT(AllocBy, 4)
    Q_CLASSINFO("default:BlendColor", "$1FFFFFFF")
    Q_CLASSINFO("default:BkColor", "$1FFFFFFF")
    MOX_DEFAULT(DrawingStyle, dsNormal)
    MOX_DEFAULT(Height, 16)
    MOX_DEFAULT(ImageType, itImage)
    MOX_DEFAULT(Masked, True)
    MOX_DEFAULT(ShareImages, False)
    MOX_DEFAULT(Width, 16)
public:
    Q_INVOKABLE explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
    TImageList(int AWidth, int AHeight, TComponent* AOwner = nullptr)
        : TCustomImageList(AWidth, AHeight, AOwner) {}
};

// The platform's drawing calls of image lists.
bool ImageList_Draw(HIMAGELIST ImageList, int Index, HDC Dest, int X, int Y, unsigned Style);
bool ImageList_DrawEx(HIMAGELIST ImageList, int Index, HDC Dest, int X, int Y, int DX, int DY, COLORREF Bk,
                      COLORREF Fg, unsigned Style);
int ImageList_GetImageCount(HIMAGELIST ImageList);
