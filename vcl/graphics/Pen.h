#pragma once
// TPen: the lines a canvas draws and the outlines of its figures.
#include "vcl/classes/Published.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/GraphicsObject.h"
#include "vcl/graphics/GraphicsTypes.h"

class TPen : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(Graphics::TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(Graphics::TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    MOX_DEFAULT(Color, 0)
    MOX_DEFAULT(Mode, pmCopy)
    MOX_DEFAULT(Style, psSolid)
    MOX_DEFAULT(Width, 1)
public:
    TPen();
    ~TPen() override;

    void Assign(TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode Value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle Value);
    // In pixels; 0 draws as 1, the thinnest line.
    int Width() const { return width_; }
    void SetWidth(int Value);

private:
    TColor color_ = clBlack;
    TPenMode mode_ = pmCopy;
    TPenStyle style_ = psSolid;
    int width_ = 1;
};
