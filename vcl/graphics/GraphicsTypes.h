#pragma once
// The enumerations and sets of the graphics unit, declared to the meta-object so that published
// properties of these types read and write by name.
#include <QFlags>
#include <QObject>

#include "vcl/System.h"

namespace Graphics {
Q_NAMESPACE

// A font's styles; the flags are 1 << the platform's ordinal.
enum TFontStyle {
    fsBold = 1 << 0,
    fsItalic = 1 << 1,
    fsUnderline = 1 << 2,
    fsStrikeOut = 1 << 3,
};
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

enum TFontPitch {
    fpDefault,
    fpVariable,
    fpFixed
};
Q_ENUM_NS(TFontPitch)

enum TPenStyle {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate
};
Q_ENUM_NS(TPenStyle)

// How the pen (and the interior of a filled figure) combines with what is on the canvas: the
// platform's sixteen binary raster operations.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
Q_ENUM_NS(TPenMode)

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
Q_ENUM_NS(TBrushStyle)

enum TFillMode {
    fmAlternate,
    fmWinding
};
Q_ENUM_NS(TFillMode)

enum TTransparentMode {
    tmAuto,
    tmFixed
};
Q_ENUM_NS(TTransparentMode)

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
Q_ENUM_NS(TPixelFormat)

} // namespace Graphics
Q_DECLARE_OPERATORS_FOR_FLAGS(Graphics::TFontStyles)
using namespace Graphics;

using TFontName = String;
// The character set a font is asked for; text is Unicode here, so it is kept but selects nothing.
using TFontCharset = Byte;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset OEM_CHARSET = 255;

// The raster operation of a copy between canvases: the platform's ternary codes, which combine the
// source (S), the destination (D) and the destination canvas's brush (P).
using TCopyMode = LongInt;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;
