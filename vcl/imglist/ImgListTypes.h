#pragma once
// The enumerations of image lists and the platform's image-list drawing flags.
#include <QObject>

#include "vcl/System.h"

namespace ImgList {
Q_NAMESPACE

// How Draw shows an image: blended 25 % towards the blend colour (the focused look), blended 50 %
// (the selected look), on the background colour, or without any background.
enum TDrawingStyle {
    dsFocus,
    dsSelected,
    dsNormal,
    dsTransparent
};
Q_ENUM_NS(TDrawingStyle)

// Whether Draw shows the image or its mask.
enum TImageType {
    itImage,
    itMask
};
Q_ENUM_NS(TImageType)

// The kinds of resources an image list loads.
enum TResType {
    rtBitmap,
    rtCursor,
    rtIcon
};
Q_ENUM_NS(TResType)

} // namespace ImgList
using namespace ImgList;

// An overlay number: one of the images marked with Overlay, drawn over another.
using TOverlay = int;

// The platform's drawing flags of image lists.
inline constexpr unsigned ILD_NORMAL = 0x0000;
inline constexpr unsigned ILD_TRANSPARENT = 0x0001;
inline constexpr unsigned ILD_BLEND25 = 0x0002;
inline constexpr unsigned ILD_FOCUS = ILD_BLEND25;
inline constexpr unsigned ILD_BLEND50 = 0x0004;
inline constexpr unsigned ILD_SELECTED = ILD_BLEND50;
inline constexpr unsigned ILD_BLEND = ILD_BLEND50;
inline constexpr unsigned ILD_MASK = 0x0010;
inline constexpr unsigned ILD_IMAGE = 0x0020;
inline constexpr unsigned ILD_OVERLAYMASK = 0x0F00;
// The flags that draw overlay number Overlay (1 to 15; 0 draws none) over the image.
constexpr unsigned IndexToOverlayMask(int Overlay) {
    return unsigned(Overlay) << 8;
}
