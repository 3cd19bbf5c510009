// The canvas's text: written at a point (turned by the font's orientation), clipped to a rectangle,
// formatted in a rectangle, measured, or recorded into the path.
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>

#include "vcl/graphics/Canvas.h"
#include "vcl/graphics/CanvasPainting.h"
#include "vcl/graphics/Gdi.h"

using mox::graphics::CanvasPainting;
using mox::graphics::OpaqueBackground;

namespace {

// The angle the text turns by, in degrees counter-clockwise; a font that cannot turn stays level.
qreal TextAngle(const TFont& font) {
    return font.CanRotate() ? font.Orientation() / 10.0 : 0.0;
}

QString UnifiedLineBreaks(const QString& text) {
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(u'\r', u'\n');
    return result;
}

int QtTextFlags(unsigned format) {
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        // The vertical placement applies to a single line only, as on the platform.
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
    if (format & DT_NOCLIP) flags |= Qt::TextDontClip;
    if (!(format & DT_NOPREFIX))
        flags |= (format & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    return flags;
}

// Shortens every line that does not fit the width with an ellipsis, as the ellipsis flags ask.
QString Elided(const QString& text, const QFontMetrics& metrics, int width, unsigned format, int flags) {
    Qt::TextElideMode mode = Qt::ElideNone;
    if (format & DT_END_ELLIPSIS)
        mode = Qt::ElideRight;
    else if (format & DT_PATH_ELLIPSIS)
        mode = Qt::ElideMiddle;
    else if (format & DT_WORD_ELLIPSIS)
        mode = Qt::ElideRight;
    if (mode == Qt::ElideNone || (format & DT_WORDBREAK)) return text;
    const int mnemonic = flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic);
    if (format & DT_SINGLELINE) return metrics.elidedText(text, mode, width, mnemonic);
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = metrics.elidedText(line, mode, width, mnemonic);
    return lines.join(u'\n');
}

// The text as shown: "&&" is an ampersand, a single "&" marks the next character and is not shown.
QString WithoutPrefixes(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            result += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'&') {
            result += u'&';
            ++i;
        }
    }
    return result;
}

} // namespace

TSize TCanvas::TextExtent(const String& Text) {
    const QFontMetrics metrics(font_->Handle());
    return {metrics.horizontalAdvance(Text), metrics.height()};
}

void TCanvas::AddTextPath(int X, int Y, const String& Text) {
    const QFont& font = font_->Handle();
    QPainterPath glyphs;
    glyphs.addText(QPointF(0, QFontMetrics(font).ascent()), font, Text);
    // Glyphs made of overlapping parts would leave holes under the alternate fill rule.
    glyphs = glyphs.simplified();
    QTransform place;
    place.translate(X, Y);
    place.rotate(-TextAngle(*font_));
    path_.addPath(place.map(glyphs));
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
    const QFontMetrics metrics(font_->Handle());
    const int width = metrics.horizontalAdvance(Text);
    if (recording_) {
        AddTextPath(X, Y, Text);
    } else {
        CanvasPainting p(this, CanvasPainting::UseFont);
        if (p) {
            p->translate(X, Y);
            if (const qreal angle = TextAngle(*font_); angle != 0) p->rotate(-angle);
            if (OpaqueBackground(*this))
                p->fillRect(QRect(0, 0, width, metrics.height()), ColorToQColor(brush_->Color()));
            p->setBackgroundMode(Qt::TransparentMode);
            p->setPen(ColorToQColor(font_->Color()));
            p->drawText(QPoint(0, metrics.ascent()), Text);
        }
    }
    penPos_ = {X + width, Y};
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
    CanvasPainting p(this, CanvasPainting::UseFont);
    if (!p || IsRectEmpty(Rect)) return;
    const QRect r = ToQRect(Rect);
    p->setClipRect(r, p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (OpaqueBackground(*this)) p->fillRect(r, ColorToQColor(brush_->Color()));
    p->setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(font_->Handle());
    p->translate(X, Y);
    if (const qreal angle = TextAngle(*font_); angle != 0) p->rotate(-angle);
    p->setPen(ColorToQColor(font_->Color()));
    p->drawText(QPoint(0, metrics.ascent()), Text);
}

int TCanvas::DrawText(const String& Text, TRect& Rect, unsigned Format) {
    const QFontMetrics metrics(font_->Handle());
    const int flags = QtTextFlags(Format);
    const QString text = Elided(UnifiedLineBreaks(Text), metrics, Rect.Width(), Format, flags);
    if (Format & DT_CALCRECT) {
        if (text.isEmpty()) {
            Rect.Right = Rect.Left;
            Rect.Bottom = Rect.Top;
            return 0;
        }
        QSize size;
        if (Format & DT_WORDBREAK) {
            // Word breaking keeps to the width.
            const int measureFlags =
                (flags & ~(Qt::AlignVCenter | Qt::AlignBottom | Qt::AlignHCenter | Qt::AlignRight)) |
                Qt::AlignLeft | Qt::AlignTop;
            size = metrics.boundingRect(QRect(0, 0, std::max(1, Rect.Width()), 1 << 24), measureFlags, text)
                       .size();
        } else {
            // Otherwise each line is as wide as its characters advance, as the platform measures.
            const QStringList lines = (Format & DT_SINGLELINE)
                                          ? QStringList{QString(text).replace(u'\n', u' ')}
                                          : text.split(u'\n');
            for (const QString& line : lines) {
                const QString shown = (Format & DT_NOPREFIX) ? line : WithoutPrefixes(line);
                const int width = (Format & DT_EXPANDTABS)
                                      ? metrics.boundingRect(QRect(), Qt::TextExpandTabs, shown).width()
                                      : metrics.horizontalAdvance(shown);
                size.setWidth(std::max(size.width(), width));
            }
            size.setHeight(int(lines.size()) * metrics.height());
        }
        Rect.Right = Rect.Left + size.width();
        Rect.Bottom = Rect.Top + size.height();
        return size.height();
    }
    CanvasPainting p(this, CanvasPainting::UseFont);
    if (!p) return 0;
    const QRect r = ToQRect(Rect);
    if (Format & DT_RTLREADING) p->setLayoutDirection(Qt::RightToLeft);
    QRect drawn = p->boundingRect(r, flags, text);
    if (OpaqueBackground(*this)) {
        const QRect fill = (Format & DT_NOCLIP) ? drawn : drawn.intersected(r);
        p->fillRect(fill, ColorToQColor(brush_->Color()));
    }
    p->setBackgroundMode(Qt::TransparentMode);
    p->setPen(ColorToQColor(font_->Color()));
    p->drawText(r, flags, text);
    return drawn.height();
}
