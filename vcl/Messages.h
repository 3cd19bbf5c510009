#pragma once
// Window messages: the record that Perform and the message handlers pass, the platform's message
// numbers that the framework delivers and the framework's own control notifications (CM_).
#include <cstdint>

#include "vcl/System.h"
#include "vcl/Types.h"

class QEvent;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// One message. Event is the Qt event the message was made from, or null for a message sent with
// Perform; the default handling (TControl::DefaultHandler) hands that event to the widget's own
// handling, which is what "inherited" reaches at the end of a handler chain.
struct TMessage {
    Cardinal Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
    QEvent* Event = nullptr;
};

// A point packed into a message parameter: x in the low 16 bits, y in the next 16, both signed.
inline LPARAM PointToLParam(const TPoint& P) {
    return LPARAM((std::uint32_t(std::uint16_t(P.Y)) << 16) | std::uint16_t(P.X));
}
inline TPoint LParamToPoint(LPARAM L) {
    return {std::int16_t(std::uint16_t(L & 0xFFFF)), std::int16_t(std::uint16_t((L >> 16) & 0xFFFF))};
}

// Parameters, by message:
//  WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP: WParam the virtual key, LParam the shift state.
//  WM_CHAR, WM_SYSCHAR, CM_DIALOGCHAR: WParam the character (a UTF-16 unit), LParam the shift state.
//  CM_DIALOGKEY, CM_CHILDKEY, CM_WANTSPECIALKEY: WParam the virtual key, LParam the shift state.
//  mouse buttons and moves: WParam the shift state, LParam the point in client coordinates.
//  WM_MOUSEWHEEL: WParam the shift state in the low 16 bits and the wheel delta (multiples of
//    WHEEL_DELTA, signed) in the next 16; LParam the screen point.
//  WM_CONTEXTMENU: LParam the screen point, (-1, -1) when the keyboard asked for the menu.
//  WM_SIZE: LParam the new client width and height as a point.
//  WM_GETDLGCODE: Result the DLGC_ flags of the keys the control wants.
//  CM_CANCELMODE: LParam the control that takes over (a TControl*), or 0.
inline constexpr Cardinal WM_NULL = 0x0000;
inline constexpr Cardinal WM_CREATE = 0x0001;
inline constexpr Cardinal WM_DESTROY = 0x0002;
inline constexpr Cardinal WM_MOVE = 0x0003;
inline constexpr Cardinal WM_SIZE = 0x0005;
inline constexpr Cardinal WM_ACTIVATE = 0x0006;
inline constexpr Cardinal WM_SETFOCUS = 0x0007;
inline constexpr Cardinal WM_KILLFOCUS = 0x0008;
inline constexpr Cardinal WM_ENABLE = 0x000A;
inline constexpr Cardinal WM_SETTEXT = 0x000C;
inline constexpr Cardinal WM_GETTEXT = 0x000D;
inline constexpr Cardinal WM_PAINT = 0x000F;
inline constexpr Cardinal WM_CLOSE = 0x0010;
inline constexpr Cardinal WM_ERASEBKGND = 0x0014;
inline constexpr Cardinal WM_SHOWWINDOW = 0x0018;
inline constexpr Cardinal WM_CANCELMODE = 0x001F;
inline constexpr Cardinal WM_SETCURSOR = 0x0020;
inline constexpr Cardinal WM_SETFONT = 0x0030;
inline constexpr Cardinal WM_GETFONT = 0x0031;
inline constexpr Cardinal WM_CONTEXTMENU = 0x007B;
inline constexpr Cardinal WM_NCDESTROY = 0x0082;
inline constexpr Cardinal WM_GETDLGCODE = 0x0087;
inline constexpr Cardinal WM_KEYDOWN = 0x0100;
inline constexpr Cardinal WM_KEYUP = 0x0101;
inline constexpr Cardinal WM_CHAR = 0x0102;
inline constexpr Cardinal WM_SYSKEYDOWN = 0x0104;
inline constexpr Cardinal WM_SYSKEYUP = 0x0105;
inline constexpr Cardinal WM_SYSCHAR = 0x0106;
inline constexpr Cardinal WM_COMMAND = 0x0111;
inline constexpr Cardinal WM_TIMER = 0x0113;
inline constexpr Cardinal WM_MOUSEMOVE = 0x0200;
inline constexpr Cardinal WM_LBUTTONDOWN = 0x0201;
inline constexpr Cardinal WM_LBUTTONUP = 0x0202;
inline constexpr Cardinal WM_LBUTTONDBLCLK = 0x0203;
inline constexpr Cardinal WM_RBUTTONDOWN = 0x0204;
inline constexpr Cardinal WM_RBUTTONUP = 0x0205;
inline constexpr Cardinal WM_RBUTTONDBLCLK = 0x0206;
inline constexpr Cardinal WM_MBUTTONDOWN = 0x0207;
inline constexpr Cardinal WM_MBUTTONUP = 0x0208;
inline constexpr Cardinal WM_MBUTTONDBLCLK = 0x0209;
inline constexpr Cardinal WM_MOUSEWHEEL = 0x020A;
inline constexpr Cardinal WM_DROPFILES = 0x0233;
inline constexpr Cardinal WM_USER = 0x0400;

inline constexpr int WHEEL_DELTA = 120;

// The answers to WM_GETDLGCODE.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// The framework's control notifications.
inline constexpr Cardinal CM_BASE = 0xB000;
inline constexpr Cardinal CM_ACTIVATE = CM_BASE + 0;
inline constexpr Cardinal CM_DEACTIVATE = CM_BASE + 1;
inline constexpr Cardinal CM_GOTFOCUS = CM_BASE + 2;
inline constexpr Cardinal CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr Cardinal CM_CANCELMODE = CM_BASE + 4;
inline constexpr Cardinal CM_DIALOGKEY = CM_BASE + 5;
inline constexpr Cardinal CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr Cardinal CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr Cardinal CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr Cardinal CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr Cardinal CM_HITTEST = CM_BASE + 10;
inline constexpr Cardinal CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr Cardinal CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr Cardinal CM_COLORCHANGED = CM_BASE + 13;
inline constexpr Cardinal CM_FONTCHANGED = CM_BASE + 14;
inline constexpr Cardinal CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr Cardinal CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr Cardinal CM_MOUSEENTER = CM_BASE + 19;
inline constexpr Cardinal CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr Cardinal CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr Cardinal CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr Cardinal CM_ENTER = CM_BASE + 26;
inline constexpr Cardinal CM_EXIT = CM_BASE + 27;
inline constexpr Cardinal CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr Cardinal CM_RELEASE = CM_BASE + 33;
inline constexpr Cardinal CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr Cardinal CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr Cardinal CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr Cardinal CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr Cardinal CM_CHILDKEY = CM_BASE + 46;
inline constexpr Cardinal CM_HINTSHOW = CM_BASE + 48;
inline constexpr Cardinal CM_RECREATEWND = CM_BASE + 51;
inline constexpr Cardinal CM_INVALIDATE = CM_BASE + 52;
inline constexpr Cardinal CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr Cardinal CM_CHANGED = CM_BASE + 55;
inline constexpr Cardinal CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr Cardinal CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr Cardinal CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr Cardinal CM_MOUSEWHEEL = CM_BASE + 67;
