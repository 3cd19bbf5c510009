// The canvas's frames: 3-D rings, the platform's edges, and the frame controls from the style.
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/CanvasPainting.h"
#include "vcl/graphics/Gdi.h"

using mox::graphics::CanvasPainting;

namespace {

struct EdgeColors {
    TColor topLeft;
    TColor bottomRight;
};

// The colours of one line of an edge: the outer or the inner one, raised or sunken.
EdgeColors LineColors(bool outer, bool raised, unsigned flags) {
    if (flags & BF_MONO)
        return outer ? EdgeColors{clWindowFrame, clWindowFrame} : EdgeColors{clWindow, clWindow};
    if (flags & BF_FLAT)
        return outer ? EdgeColors{clBtnShadow, clBtnShadow} : EdgeColors{clBtnFace, clBtnFace};
    const bool soft = flags & BF_SOFT;
    if (raised) {
        if (outer) return {soft ? clBtnHighlight : cl3DLight, cl3DDkShadow};
        return {soft ? cl3DLight : clBtnHighlight, clBtnShadow};
    }
    if (outer) return {soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight};
    return {soft ? clBtnShadow : cl3DDkShadow, cl3DLight};
}

// One ring of lines on the sides that flags name; the bottom and right sides cover the corners
// they share with the others. Returns the rectangle inside the ring.
QRect DrawRing(QPainter& p, QRect r, const EdgeColors& colors, unsigned flags) {
    if (r.isEmpty()) return r;
    const QColor tl = ColorToQColor(colors.topLeft);
    const QColor br = ColorToQColor(colors.bottomRight);
    if (flags & BF_TOP) p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), tl);
    if (flags & BF_LEFT) p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), tl);
    if (flags & BF_RIGHT) p.fillRect(QRect(r.right(), r.top(), 1, r.height()), br);
    if (flags & BF_BOTTOM) p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), br);
    return r.adjusted((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? -1 : 0,
                      (flags & BF_BOTTOM) ? -1 : 0);
}

// The diagonal of an edge: from the corner opposite the end the flags name, to that end.
QRect DrawDiagonal(QPainter& p, const QRect& r, const EdgeColors& colors, unsigned flags) {
    if (r.isEmpty()) return r;
    const bool endTop = flags & BF_TOP, endRight = flags & BF_RIGHT;
    const QPoint start(endRight ? r.left() : r.right(), endTop ? r.bottom() : r.top());
    const QPoint end(endRight ? r.right() : r.left(), endTop ? r.top() : r.bottom());
    p.setPen(QPen(ColorToQColor(endTop ? colors.topLeft : colors.bottomRight), 1));
    p.drawLine(start, end);
    return r.adjusted(endRight ? 0 : 1, endTop ? 1 : 0, endRight ? -1 : 0, endTop ? 0 : -1);
}

QStyle::State FrameState(unsigned state) {
    QStyle::State result = QStyle::State_None;
    if (!(state & DFCS_INACTIVE)) result |= QStyle::State_Enabled;
    if (state & DFCS_PUSHED)
        result |= QStyle::State_Sunken;
    else
        result |= QStyle::State_Raised;
    if (state & DFCS_HOT) result |= QStyle::State_MouseOver;
    return result;
}

void DrawButtonFace(QPainter& p, QStyle* style, const QRect& r, unsigned state) {
    QStyleOptionButton option;
    option.rect = r;
    option.palette = QApplication::palette();
    option.state = FrameState(state);
    if (state & (DFCS_FLAT | DFCS_MONO)) option.features |= QStyleOptionButton::Flat;
    if (state & DFCS_CHECKED) option.state |= QStyle::State_On;
    style->drawControl(QStyle::CE_PushButtonBevel, &option, &p, nullptr);
}

void DrawIndicator(QPainter& p, QStyle* style, QStyle::PrimitiveElement element, const QRect& r,
                   unsigned state, bool checkable) {
    // Styles draw check boxes and radio buttons only from a button's option.
    QStyleOptionButton option;
    option.rect = r;
    option.palette = QApplication::palette();
    option.state = FrameState(state) & ~QStyle::State_Raised;
    if (checkable) {
        if ((state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED))
            option.state |= QStyle::State_NoChange;
        else
            option.state |= (state & DFCS_CHECKED) ? QStyle::State_On : QStyle::State_Off;
    }
    style->drawPrimitive(element, &option, &p, nullptr);
}

void DrawStandardIcon(QPainter& p, QStyle* style, QStyle::StandardPixmap which, const QRect& r,
                      unsigned state) {
    QStyleOption option;
    option.rect = r;
    option.palette = QApplication::palette();
    option.state = FrameState(state);
    const int side = std::max(1, std::min(r.width(), r.height()) - 4);
    const QIcon icon = style->standardIcon(which, &option, nullptr);
    const QIcon::Mode mode = (state & DFCS_INACTIVE) ? QIcon::Disabled : QIcon::Normal;
    const QPixmap pixmap = icon.pixmap(QSize(side, side), mode);
    const QPoint at =
        r.center() - QPoint(side / 2, side / 2) + ((state & DFCS_PUSHED) ? QPoint(1, 1) : QPoint());
    p.drawPixmap(QRect(at, QSize(side, side)), pixmap);
}

} // namespace

void TCanvas::Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    {
        CanvasPainting p(this, CanvasPainting::UseNothing);
        if (p) {
            QRect r = ToQRect(Rect);
            for (int ring = 0; ring < Width && !r.isEmpty(); ++ring)
                r = DrawRing(*p, r, {TopColor, BottomColor}, BF_RECT);
        }
    }
    InflateRect(Rect, -std::max(0, Width), -std::max(0, Width));
}

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
    Canvas->Frame3D(Rect, TopColor, BottomColor, Width);
}

bool TCanvas::DrawEdge(TRect& Rect, unsigned Edge, unsigned Flags) {
    CanvasPainting p(this, CanvasPainting::UseNothing);
    QRect r = ToQRect(Rect);
    const bool hasOuter = Edge & BDR_OUTER, hasInner = Edge & BDR_INNER;
    const EdgeColors outer = LineColors(true, Edge & BDR_RAISEDOUTER, Flags);
    const EdgeColors inner = LineColors(false, Edge & BDR_RAISEDINNER, Flags);
    if (Flags & BF_DIAGONAL) {
        if (p && hasOuter) r = DrawDiagonal(*p, r, outer, Flags);
        if (p && hasInner) r = DrawDiagonal(*p, r, inner, Flags);
    } else {
        if (p && hasOuter) r = DrawRing(*p, r, outer, Flags);
        if (p && hasInner) r = DrawRing(*p, r, inner, Flags);
        if (p && (Flags & BF_MIDDLE) && !r.isEmpty())
            p->fillRect(r, ColorToQColor((Flags & BF_MONO) ? clWindow : clBtnFace));
    }
    if (!p) {
        // Nothing painted (an empty image), but the interior is still what BF_ADJUST asks for.
        const int lines = (hasOuter ? 1 : 0) + (hasInner ? 1 : 0);
        r = r.adjusted((Flags & BF_LEFT) ? lines : 0, (Flags & BF_TOP) ? lines : 0,
                       (Flags & BF_RIGHT) ? -lines : 0, (Flags & BF_BOTTOM) ? -lines : 0);
    }
    if (Flags & BF_ADJUST) Rect = ToRect(r);
    return true;
}

bool TCanvas::DrawFrameControl(TRect& Rect, unsigned Type, unsigned State) {
    // The frame controls come from the widget style, which needs the widgets' application object.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    QStyle* style = QApplication::style();
    CanvasPainting p(this, CanvasPainting::UseNothing);
    const QRect r = ToQRect(Rect);
    if (p && !r.isEmpty()) {
        switch (Type) {
        case DFC_BUTTON:
            if (State & DFCS_BUTTONPUSH)
                DrawButtonFace(*p, style, r, State);
            else if (State & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK))
                DrawIndicator(*p, style, QStyle::PE_IndicatorRadioButton, r, State, true);
            else
                DrawIndicator(*p, style, QStyle::PE_IndicatorCheckBox, r, State, true);
            break;
        case DFC_CAPTION: {
            DrawButtonFace(*p, style, r, State);
            QStyle::StandardPixmap which = QStyle::SP_TitleBarCloseButton;
            switch (State & 0xFF) {
            case DFCS_CAPTIONMIN:
                which = QStyle::SP_TitleBarMinButton;
                break;
            case DFCS_CAPTIONMAX:
                which = QStyle::SP_TitleBarMaxButton;
                break;
            case DFCS_CAPTIONRESTORE:
                which = QStyle::SP_TitleBarNormalButton;
                break;
            case DFCS_CAPTIONHELP:
                which = QStyle::SP_TitleBarContextHelpButton;
                break;
            default:
                break;
            }
            DrawStandardIcon(*p, style, which, r, State);
            break;
        }
        case DFC_SCROLL: {
            const unsigned kind = State & 0xFF;
            if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
                QStyleOptionSizeGrip grip;
                grip.rect = r;
                grip.palette = QApplication::palette();
                grip.state = FrameState(State);
                grip.corner = kind == DFCS_SCROLLSIZEGRIP ? Qt::BottomRightCorner : Qt::BottomLeftCorner;
                style->drawControl(QStyle::CE_SizeGrip, &grip, p.operator->(), nullptr);
                break;
            }
            DrawButtonFace(*p, style, r, State);
            QStyle::PrimitiveElement arrow = QStyle::PE_IndicatorArrowDown;
            if (kind == DFCS_SCROLLUP) arrow = QStyle::PE_IndicatorArrowUp;
            if (kind == DFCS_SCROLLLEFT) arrow = QStyle::PE_IndicatorArrowLeft;
            if (kind == DFCS_SCROLLRIGHT) arrow = QStyle::PE_IndicatorArrowRight;
            const QRect face =
                r.adjusted(2, 2, -2, -2).translated((State & DFCS_PUSHED) ? QPoint(1, 1) : QPoint());
            DrawIndicator(*p, style, arrow, face, State, false);
            break;
        }
        case DFC_MENU: {
            const unsigned kind = State & 0xFF;
            if (kind == DFCS_MENUCHECK) {
                QStyleOptionMenuItem item;
                item.rect = r;
                item.palette = QApplication::palette();
                item.state = FrameState(State) | QStyle::State_On;
                item.checkType = QStyleOptionMenuItem::NonExclusive;
                item.checked = true;
                style->drawPrimitive(QStyle::PE_IndicatorMenuCheckMark, &item, p.operator->(), nullptr);
            } else if (kind == DFCS_MENUBULLET) {
                const int side = std::max(2, std::min(r.width(), r.height()) / 3);
                p->setRenderHint(QPainter::Antialiasing);
                p->setPen(Qt::NoPen);
                p->setBrush(ColorToQColor((State & DFCS_INACTIVE) ? clGrayText : clMenuText));
                p->drawEllipse(QRect(r.center() - QPoint(side / 2, side / 2), QSize(side, side)));
            } else {
                DrawIndicator(*p, style, QStyle::PE_IndicatorArrowRight, r, State, false);
            }
            break;
        }
        default:
            return false;
        }
    }
    if (State & DFCS_ADJUSTRECT) InflateRect(Rect, -2, -2);
    return true;
}
