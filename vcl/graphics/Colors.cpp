#include "vcl/graphics/Colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <iterator>

#include "vcl/classes/IdentMapping.h"
#include "vcl/sysutils/IntConvert.h"

namespace {

struct ColorName {
    TColor color;
    const char* name;
};

// Every named colour, in the order the platform lists them: standard colours first, then the
// system colours and the two special values by name.
constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Where each system colour index is found in the palette: the role a Qt widget paints the same
// part of itself with. Index 25 has no colour on the platform either.
constexpr PaletteEntry SystemColors[] = {
    {QPalette::Active, QPalette::Midlight},        // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop background
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Mid},           // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Window},          // 10 active border
    {QPalette::Inactive, QPalette::Window},        // 11 inactive border
    {QPalette::Active, QPalette::Dark},            // 12 application work space (the MDI area)
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlight text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Disabled, QPalette::WindowText},    // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 tooltip background
    {QPalette::Active, QPalette::NoRole},          // 25 none
    {QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // 27 gradient of the active caption
    {QPalette::Inactive, QPalette::Mid},           // 28 gradient of the inactive caption
    {QPalette::Active, QPalette::Highlight},       // 29 highlighted menu item
    {QPalette::Active, QPalette::Window},          // 30 menu bar
};

QColor SystemQColor(int index) {
    if (index < 0 || index >= int(std::size(SystemColors))) return QColor(0, 0, 0);
    const PaletteEntry entry = SystemColors[index];
    if (entry.role == QPalette::NoRole) return QColor(0, 0, 0);
    return QGuiApplication::palette().color(entry.group, entry.role);
}

TColor FromRgb(const QColor& c) {
    return RGB(Byte(c.red()), Byte(c.green()), Byte(c.blue()));
}

} // namespace

TColor ColorToRGB(TColor Color) {
    if (!IsSystemColor(Color)) return Color;
    return FromRgb(SystemQColor(int(std::uint32_t(Color) & 0xFF)));
}

TColor GetSysColor(int Index) {
    return FromRgb(SystemQColor(Index));
}

QColor ColorToQColor(TColor Color) {
    if (Color == clNone) return QColor(Qt::transparent);
    if (IsSystemColor(Color)) return SystemQColor(int(std::uint32_t(Color) & 0xFF));
    const auto value = std::uint32_t(Color);
    return QColor(GetRValue(value), GetGValue(value), GetBValue(value));
}

TColor QColorToColor(const QColor& Color) {
    if (!Color.isValid() || Color.alpha() == 0) return clNone;
    return FromRgb(Color);
}

bool ColorToIdent(int Color, String& Ident) {
    for (const ColorName& entry : ColorNames)
        if (int(entry.color) == Color) {
            Ident = QString::fromLatin1(entry.name);
            return true;
        }
    return false;
}

bool IdentToColor(const String& Ident, int& Color) {
    for (const ColorName& entry : ColorNames)
        if (Ident.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            Color = int(entry.color);
            return true;
        }
    return false;
}

String ColorToString(TColor Color) {
    String ident;
    if (ColorToIdent(int(Color), ident)) return ident;
    return "$" + IntToHex(int(Color), 8);
}

TColor StringToColor(const String& S) {
    int color = 0;
    if (IdentToColor(S, color)) return TColor(color);
    return TColor(StrToInt(S));
}

void GetColorValues(const std::function<void(const String& Name)>& Proc) {
    for (const ColorName& entry : ColorNames)
        Proc(QString::fromLatin1(entry.name));
}

namespace {
// Form resources write colour properties by their names ("clBtnFace").
const bool colorIdentsRegistered = [] {
    RegisterIntegerConsts(QMetaType::fromType<TColor>(), IdentToColor, ColorToIdent);
    return true;
}();
} // namespace
