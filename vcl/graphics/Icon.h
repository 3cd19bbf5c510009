#pragma once
// TIcon: a small picture with its own transparency (an alpha channel), as windows, the tray and
// image lists show them.
#include <QIcon>
#include <QImage>

#include "vcl/graphics/Graphic.h"

class TIcon : public TGraphic {
    Q_OBJECT
public:
    TIcon();
    ~TIcon() override;

    // From another icon; from a bitmap, its picture with its transparent colour left out when the
    // bitmap is transparent; from null: empty.
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return image_.isNull(); }
    int Width() const override { return Empty() ? requested_.width() : image_.width(); }
    int Height() const override { return Empty() ? requested_.height() : image_.height(); }
    // Only an empty icon takes a size (the size it asks for when it is loaded); the size of a loaded
    // icon is its picture's and raises EInvalidGraphicOperation "Cannot change the size of an icon".
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    bool Transparent() const override { return true; }

    // The Qt icon, with every size the icon file held. Qt icons are pixmaps: use it on the
    // user-interface thread only; everything else in an icon works on any thread.
    QIcon Handle() const;
    void SetHandle(const QIcon& Value);
    // The picture at the icon's size, with its alpha channel.
    QImage Image() const { return image_; }
    void SetImage(const QImage& Value);

    // An icon file (or any picture file the image readers know); of several sizes the one nearest
    // to the requested size (32 by 32 unless set) is the icon's picture.
    void LoadFromStream(QIODevice* Stream) override;
    void SaveToStream(QIODevice* Stream) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    QIcon icon_;
    QList<QImage> images_;
    QImage image_;
    QSize requested_{32, 32};
};
