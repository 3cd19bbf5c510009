// The layout of a windowed control's children: edges first (top, bottom, left, right), then the
// client filler, then custom placement, and the anchors of the children that are not aligned.
#include <algorithm>

#include "vcl/controls/WinControl.h"

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0 && --alignLevel_ == 0 && (ControlState() & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignChildren(nullptr); }

void TWinControl::AdjustClientRect(TRect& Rect) { (void)Rect; }

void TWinControl::CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth,
                                      int& NewHeight, TRect& AlignRect) {
    (void)Control;
    (void)NewLeft;
    (void)NewTop;
    (void)NewWidth;
    (void)NewHeight;
    (void)AlignRect;
}

void TWinControl::AlignChildren(TControl* AControl) {
    if (aligning_) return;
    if (alignLevel_ > 0 || (ComponentState() & (csLoading | csDestroying))) {
        SetControlState(ControlState() | csAlignmentNeeded);
        return;
    }
    SetControlState(ControlState() & ~TControlState(csAlignmentNeeded));
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    aligning_ = true;
    try {
        AlignControls(AControl, rect);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
    // A control that sizes itself around its children follows them.
    AdjustSize();
}

namespace {
// The order in which the children of one alignment take their place: by their position along the
// edge they stick to, the control being moved first among equals.
bool Before(const TControl* a, const TControl* b, TAlign align, const TControl* moving) {
    auto key = [align](const TControl* c) {
        switch (align) {
        case alTop: return c->Top();
        case alBottom: return -(c->Top() + c->Height());
        case alLeft: return c->Left();
        case alRight: return -(c->Left() + c->Width());
        default: return 0;
        }
    };
    const int ka = key(a), kb = key(b);
    if (ka != kb) return ka < kb;
    return a == moving && b != moving;
}
} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom}) {
        QList<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) list.append(c);
        std::stable_sort(list.begin(), list.end(),
                         [&](const TControl* a, const TControl* b) { return Before(a, b, align, AControl); });
        for (TControl* c : list) {
            int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
            switch (align) {
            case alTop:
                left = Rect.Left;
                top = Rect.Top;
                width = Rect.Width();
                break;
            case alBottom:
                left = Rect.Left;
                top = Rect.Bottom - height;
                width = Rect.Width();
                break;
            case alLeft:
                left = Rect.Left;
                top = Rect.Top;
                height = Rect.Height();
                break;
            case alRight:
                left = Rect.Right - width;
                top = Rect.Top;
                height = Rect.Height();
                break;
            case alClient:
                left = Rect.Left;
                top = Rect.Top;
                width = Rect.Width();
                height = Rect.Height();
                break;
            default: CustomAlignPosition(c, left, top, width, height, Rect); break;
            }
            c->SetBounds(left, top, width, height);
            // The constraints may have kept another size: the rest of the area follows the real one.
            switch (align) {
            case alTop: Rect.Top = std::min(Rect.Bottom, Rect.Top + c->Height()); break;
            case alBottom:
                if (c->Top() != Rect.Bottom - c->Height()) c->SetBounds(c->Left(), Rect.Bottom - c->Height(), c->Width(), c->Height());
                Rect.Bottom = std::max(Rect.Top, Rect.Bottom - c->Height());
                break;
            case alLeft: Rect.Left = std::min(Rect.Right, Rect.Left + c->Width()); break;
            case alRight:
                if (c->Left() != Rect.Right - c->Width()) c->SetBounds(Rect.Right - c->Width(), c->Top(), c->Width(), c->Height());
                Rect.Right = std::max(Rect.Left, Rect.Right - c->Width());
                break;
            default: break;
            }
        }
    }
    TRect area = ClientRect();
    AdjustClientRect(area);
    for (TControl* c : controls_)
        if (c->Align() == alNone) ApplyAnchors(c, area);
}

void TWinControl::ApplyAnchors(TControl* Control, const TRect& Area) {
    if (!Control->anchorRulesValid_) {
        Control->UpdateAnchorRules();
        return;
    }
    const TAnchors anchors = Control->Anchors();
    const TRect& was = Control->anchorBounds_;
    const int dw = Area.Width() - Control->anchorParentSize_.cx;
    const int dh = Area.Height() - Control->anchorParentSize_.cy;
    int left = was.Left, width = was.Width();
    if ((anchors & akLeft) && (anchors & akRight)) width = std::max(0, width + dw);
    else if (anchors & akRight) left += dw;
    else if (!(anchors & akLeft) && Control->anchorParentSize_.cx > 0)
        // Anchored to neither side: the centre keeps its place relative to the width.
        left = (was.Left + was.Width() / 2) * Area.Width() / Control->anchorParentSize_.cx - width / 2;
    int top = was.Top, height = was.Height();
    if ((anchors & akTop) && (anchors & akBottom)) height = std::max(0, height + dh);
    else if (anchors & akBottom) top += dh;
    else if (!(anchors & akTop) && Control->anchorParentSize_.cy > 0)
        top = (was.Top + was.Height() / 2) * Area.Height() / Control->anchorParentSize_.cy - height / 2;
    if (left != Control->Left() || top != Control->Top() || width != Control->Width() || height != Control->Height())
        Control->SetBounds(left, top, width, height);
}
