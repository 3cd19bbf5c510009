#pragma once
// TBrush: how a canvas fills figures and the background of text.
#include <QBrush>
#include <QImage>

#include "vcl/classes/Published.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/GraphicsObject.h"
#include "vcl/graphics/GraphicsTypes.h"

class TBitmap;

class TBrush : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Graphics::TBrushStyle Style READ Style WRITE SetStyle)
    Q_CLASSINFO("default:Color", "$00FFFFFF")
    MOX_DEFAULT(Style, bsSolid)
public:
    TBrush();
    ~TBrush() override;

    void Assign(TPersistent* Source) override;

    TColor Color() const { return color_; }
    // Setting a colour makes a clear brush solid, as the platform does.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle Value);
    // A pattern to fill with instead of the colour, repeated from the canvas's top-left corner. The
    // brush takes the bitmap's picture when it is set (the platform's pattern brush does the same);
    // it does not own the bitmap. Null removes the pattern.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* Value);

    // The Qt brush that fills as this brush does; no brush for bsClear.
    QBrush Handle() const;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
    QImage pattern_;
};
