#include "vcl/graphics/Pen.h"

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::Assign(TPersistent* Source) {
    if (auto* pen = dynamic_cast<TPen*>(Source)) {
        if (pen == this) return;
        color_ = pen->color_;
        mode_ = pen->mode_;
        style_ = pen->style_;
        width_ = pen->width_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) {
    if (color_ == Value) return;
    color_ = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (mode_ == Value) return;
    mode_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || width_ == Value) return;
    width_ = Value;
    Changed();
}
