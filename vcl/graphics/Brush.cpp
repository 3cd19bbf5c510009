#include "vcl/graphics/Brush.h"

#include "vcl/graphics/Bitmap.h"

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::Assign(TPersistent* Source) {
    if (auto* brush = dynamic_cast<TBrush*>(Source)) {
        if (brush == this) return;
        color_ = brush->color_;
        style_ = brush->style_;
        bitmap_ = brush->bitmap_;
        pattern_ = brush->pattern_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
    if (color_ == Value && style_ != bsClear) return;
    color_ = Value;
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
    bitmap_ = Value;
    pattern_ = Value && !Value->Empty() ? Value->Image() : QImage();
    Changed();
}

QBrush TBrush::Handle() const {
    if (style_ == bsClear) return QBrush(Qt::NoBrush);
    if (!pattern_.isNull()) return QBrush(pattern_);
    const QColor color = ColorToQColor(color_);
    switch (style_) {
    case bsClear:
        return QBrush(Qt::NoBrush);
    case bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case bsVertical:
        return QBrush(color, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case bsCross:
        return QBrush(color, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    case bsSolid:
        break;
    }
    return QBrush(color);
}
