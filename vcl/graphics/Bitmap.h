#pragma once
// TBitmap: a picture of pixels with a canvas to paint on it, drawn opaque or with a transparent
// colour left out.
#include <QImage>
#include <memory>
#include <mutex>

#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/Graphic.h"
#include "vcl/graphics/GraphicsTypes.h"

class TBitmap : public TGraphic {
    Q_OBJECT
public:
    TBitmap();
    // A bitmap of the given size, white.
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;

    // From another bitmap: its picture, pixel format and transparency; from null: empty.
    void Assign(TPersistent* Source) override;

    // No pixels: a width or a height of 0.
    bool Empty() const override { return image_.isNull(); }
    int Width() const override { return width_; }
    // A new size keeps the picture at the top left; new pixels are white.
    void SetWidth(int Value) override { SetSize(Value, Height()); }
    int Height() const override { return height_; }
    void SetHeight(int Value) override { SetSize(Width(), Value); }
    void SetSize(int AWidth, int AHeight);

    // The canvas that paints on the bitmap; painting on it raises the bitmap's OnChange.
    TCanvas* Canvas();

    // The picture's colour depth: changing it reduces the colours at once, and it is the depth the
    // picture is saved with (pfDevice and pf24bit: 24 bits).
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat Value);
    bool Monochrome() const { return pixelFormat_ == pf1bit; }
    void SetMonochrome(bool Value) { SetPixelFormat(Value ? pf1bit : pfDevice); }

    // With tmAuto the transparent colour is the bottom-left pixel (white for a monochrome bitmap);
    // setting a colour fixes it (tmFixed), setting clDefault goes back to tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode Value);

    // The picture; a copy that later painting does not change.
    QImage Image() const { return image_; }
    void SetImage(const QImage& Value);

    // Loads the bitmap resource of that name (vcl/graphics/Resources.h: the kind "bitmaps");
    // raises EResNotFound "Resource %s not found" when there is none.
    void LoadFromResourceName(const String& ResName);
    // A BMP or PNG file (by content); SaveToFile writes PNG for a ".png" name, else BMP.
    void SaveToFile(const String& FileName) override;
    // A BMP file in the stream, read up to the size its header gives; other picture files the
    // platform's image readers know are read to the end of the stream.
    void LoadFromStream(QIODevice* Stream) override;
    void SaveToStream(QIODevice* Stream) override;
    // The bitmap inside a form resource: the length of a BMP file as a 32-bit little-endian number,
    // then the file. Raises EReadError "Stream read error" when the data is shorter than it says.
    void ReadData(const QByteArray& Data) override;
    QByteArray WriteData() override;

    // The platform frees device resources of a bitmap with these; a bitmap here holds none.
    void Dormant() {}
    void FreeImage() {}

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    void Changed() override;

private:
    void Replace(const QImage& image, int width, int height);
    void LoadBytes(const QByteArray& bytes);
    QImage::Format StorageFormat() const;

    QImage image_;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pfDevice;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    std::unique_ptr<TCanvas> canvas_;
    std::once_flag canvasMade_;
};
