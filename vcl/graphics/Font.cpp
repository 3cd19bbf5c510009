#include "vcl/graphics/Font.h"

#include <QFontMetrics>

#include "vcl/graphics/FontMapping.h"

namespace {
constexpr const char* DefaultFontName = "MS Sans Serif";
constexpr int DefaultFontSize = 8;
} // namespace

TFont::TFont() : name_(QString::fromLatin1(DefaultFontName)), pixelsPerInch_(ScreenPixelsPerInch()) {
    height_ = -MulDiv(DefaultFontSize, pixelsPerInch_, 72);
    Rebuild();
}

TFont::~TFont() = default;

void TFont::Assign(TPersistent* Source) {
    if (auto* font = dynamic_cast<TFont*>(Source)) {
        if (font == this) return;
        name_ = font->name_;
        height_ = font->pixelsPerInch_ == pixelsPerInch_ ? font->height_
                                                         : -MulDiv(font->Size(), pixelsPerInch_, 72);
        orientation_ = font->orientation_;
        color_ = font->color_;
        pitch_ = font->pitch_;
        style_ = font->style_;
        charset_ = font->charset_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::SetCharset(TFontCharset Value) {
    if (charset_ == Value) return;
    charset_ = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (color_ == Value) return;
    color_ = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    if (height_ == Value) return;
    height_ = Value;
    Changed();
}

void TFont::SetName(const TFontName& Value) {
    if (Value.isEmpty() || name_ == Value) return;
    name_ = Value;
    Changed();
}

void TFont::SetOrientation(int Value) {
    if (orientation_ == Value) return;
    orientation_ = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (pitch_ == Value) return;
    pitch_ = Value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, pixelsPerInch_, 72));
}

void TFont::SetStyle(TFontStyles Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed();
}

void TFont::Changed() {
    Rebuild();
    TGraphicsObject::Changed();
}

void TFont::Rebuild() {
    const String family = ResolveFontFamily(name_, pitch_);
    QFont font(family);
    font.setStyleStrategy(QFont::PreferDefault);
    if (pitch_ == fpFixed) font.setFixedPitch(true);
    font.setBold(style_.testFlag(fsBold));
    font.setItalic(style_.testFlag(fsItalic));
    font.setUnderline(style_.testFlag(fsUnderline));
    font.setStrikeOut(style_.testFlag(fsStrikeOut));
    // A zero height asks for the default size.
    int pixels = height_ == 0 ? MulDiv(DefaultFontSize, pixelsPerInch_, 72) : std::abs(height_);
    font.setPixelSize(std::max(1, pixels));
    if (height_ > 0) {
        // A cell height: the character height is the part of it without the internal leading.
        const int cell = QFontMetrics(font).height();
        if (cell > 0) font.setPixelSize(std::max(1, MulDiv(height_, height_, cell)));
    }
    qfont_ = font;
    scalable_ = IsScalableFontFamily(family);
}
