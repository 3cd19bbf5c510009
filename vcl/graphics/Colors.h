#pragma once
// Colours as the platform keeps them: 0x00BBGGRR for a plain colour, 0x80000000 | index for one of
// the system's colours, which follow the application's palette, and two special values.
#include <QColor>
#include <QMetaType>
#include <cstdint>
#include <functional>

#include "vcl/System.h"

// A distinct type, so that a published colour property is known as a colour by its type's name
// ("TColor") and is written by its colour name. Integers convert with TColor(value).
enum TColor : std::int32_t {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clWhite = 0xFFFFFF,
    clLtGray = clSilver,
    clDkGray = clGray,
    clMoneyGreen = 0xC0DCC0,
    clSkyBlue = 0xF0CAA6,
    clCream = 0xF0FBFF,
    clMedGray = 0xA4A0A0,

    clSystemColor = std::int32_t(0x80000000u),
    clScrollBar = clSystemColor | 0,
    clBackground = clSystemColor | 1,
    clActiveCaption = clSystemColor | 2,
    clInactiveCaption = clSystemColor | 3,
    clMenu = clSystemColor | 4,
    clWindow = clSystemColor | 5,
    clWindowFrame = clSystemColor | 6,
    clMenuText = clSystemColor | 7,
    clWindowText = clSystemColor | 8,
    clCaptionText = clSystemColor | 9,
    clActiveBorder = clSystemColor | 10,
    clInactiveBorder = clSystemColor | 11,
    clAppWorkSpace = clSystemColor | 12,
    clHighlight = clSystemColor | 13,
    clHighlightText = clSystemColor | 14,
    clBtnFace = clSystemColor | 15,
    clBtnShadow = clSystemColor | 16,
    clGrayText = clSystemColor | 17,
    clBtnText = clSystemColor | 18,
    clInactiveCaptionText = clSystemColor | 19,
    clBtnHighlight = clSystemColor | 20,
    cl3DDkShadow = clSystemColor | 21,
    cl3DLight = clSystemColor | 22,
    clInfoText = clSystemColor | 23,
    clInfoBk = clSystemColor | 24,
    clHotLight = clSystemColor | 26,
    clGradientActiveCaption = clSystemColor | 27,
    clGradientInactiveCaption = clSystemColor | 28,
    clMenuHighlight = clSystemColor | 29,
    clMenuBar = clSystemColor | 30,

    // No colour at all (a transparent background), and "whatever the owner uses by default".
    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,
};
Q_DECLARE_METATYPE(TColor)

constexpr TColor RGB(Byte R, Byte G, Byte B) {
    return TColor(std::int32_t(R) | (std::int32_t(G) << 8) | (std::int32_t(B) << 16));
}
constexpr Byte GetRValue(std::uint32_t Color) {
    return Byte(Color & 0xFF);
}
constexpr Byte GetGValue(std::uint32_t Color) {
    return Byte((Color >> 8) & 0xFF);
}
constexpr Byte GetBValue(std::uint32_t Color) {
    return Byte((Color >> 16) & 0xFF);
}
constexpr bool IsSystemColor(TColor Color) {
    return (std::uint32_t(Color) & 0xFF000000u) == 0x80000000u;
}

// A system colour becomes the plain colour the application's palette gives it now; every other value
// comes back unchanged.
TColor ColorToRGB(TColor Color);
// The plain colour of a system colour index (COLOR_BTNFACE, ...); black for an unknown index.
TColor GetSysColor(int Index);

// The Qt colour to paint with: system colours through the palette, clNone fully transparent,
// anything else from its red, green and blue bytes.
QColor ColorToQColor(TColor Color);
// The colour of a Qt colour's red, green and blue; an invalid or fully transparent one is clNone.
TColor QColorToColor(const QColor& Color);

// The colour's name ("clRed", "clBtnFace") when it has one.
bool ColorToIdent(int Color, String& Ident);
// The colour of a name, found without regard to case.
bool IdentToColor(const String& Ident, int& Color);
// The name when there is one, else "$" and eight hexadecimal digits ("$00FF00FF").
String ColorToString(TColor Color);
// A colour name, or a number in decimal or after "$"; other text raises EConvertError
// "'...' is not a valid integer value".
TColor StringToColor(const String& S);
// Calls Proc with every colour name, the standard colours first.
void GetColorValues(const std::function<void(const String& Name)>& Proc);
