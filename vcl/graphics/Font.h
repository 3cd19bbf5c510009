#pragma once
// TFont: the font a canvas writes with and a control shows its text in.
#include <QFont>

#include "vcl/classes/Published.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/GraphicsObject.h"
#include "vcl/graphics/GraphicsTypes.h"

class TFont : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(TFontCharset Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(Graphics::TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(Graphics::TFontStyles Style READ Style WRITE SetStyle)
    MOX_DEFAULT(Orientation, 0)
    MOX_DEFAULT(Pitch, fpDefault)
public:
    // The platform's default font: "MS Sans Serif", 8 points, clWindowText, no styles.
    TFont();
    ~TFont() override;

    // From another font: every property; a font made for another resolution keeps the point size.
    void Assign(TPersistent* Source) override;

    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    // Negative: the height of the characters without the internal leading, in pixels (what the
    // point size gives); positive: the height of the character cell.
    int Height() const { return height_; }
    void SetHeight(int Value);
    TFontName Name() const { return name_; }
    void SetName(const TFontName& Value);
    // The angle of the text's baseline, in tenths of a degree counter-clockwise (the platform's
    // escapement); only fonts that CanRotate are drawn rotated.
    int Orientation() const { return orientation_; }
    void SetOrientation(int Value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch Value);
    // The size in points at PixelsPerInch: -Height * 72 / PixelsPerInch, rounded.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles Value);

    // The resolution that relates Size and Height; the screen's unless set.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value > 0 ? Value : pixelsPerInch_; }

    // The Qt font that draws this font: the installed family that stands for Name, sized in pixels.
    const QFont& Handle() const { return qfont_; }
    // The installed family that Handle uses.
    String FamilyName() const { return qfont_.family(); }
    // Whether the font is scalable, so that text in it can be drawn at an angle.
    bool CanRotate() const { return scalable_; }

protected:
    void Changed() override;

private:
    void Rebuild();

    TFontName name_;
    int height_ = 0;
    int orientation_ = 0;
    int pixelsPerInch_ = 96;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = fpDefault;
    TFontStyles style_;
    TFontCharset charset_ = DEFAULT_CHARSET;
    QFont qfont_;
    bool scalable_ = true;
};
