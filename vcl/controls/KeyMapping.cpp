#include "vcl/controls/KeyMapping.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <array>
#include <utility>

#include "vcl/windows/VirtualKeys.h"

namespace {
// Keys whose virtual key is not their character code.
constexpr std::array<std::pair<int, Word>, 63> keyTable{{
    {Qt::Key_Backspace, VK_BACK},     {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},        {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},        {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},        {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},        {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},            {Qt::Key_Home, VK_HOME},        {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},              {Qt::Key_Right, VK_RIGHT},      {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},      {Qt::Key_Print, VK_SNAPSHOT},   {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Insert, VK_INSERT},      {Qt::Key_Delete, VK_DELETE},    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},          {Qt::Key_Menu, VK_APPS},        {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},  {Qt::Key_Semicolon, VK_OEM_1},  {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},     {Qt::Key_Plus, VK_OEM_PLUS},    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},     {Qt::Key_Minus, VK_OEM_MINUS},  {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},  {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},     {Qt::Key_QuoteLeft, VK_OEM_3},  {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},  {Qt::Key_BraceLeft, VK_OEM_4},  {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},          {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},   {Qt::Key_QuoteDbl, VK_OEM_7},   {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},                {Qt::Key_NumberSign, '3'},      {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},           {Qt::Key_AsciiCircum, '6'},     {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},          {Qt::Key_ParenLeft, '9'},       {Qt::Key_ParenRight, '0'},
}};

// The keypad keys Qt reports with the keypad modifier.
Word KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return Word(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VK_DECIMAL;
    case Qt::Key_Slash: return VK_DIVIDE;
    default: return 0;
    }
}
} // namespace

Word QtKeyToVirtualKey(int Key, Qt::KeyboardModifiers Modifiers) {
    if (Modifiers & Qt::KeypadModifier)
        if (Word k = KeypadKey(Key)) return k;
    if ((Key >= Qt::Key_A && Key <= Qt::Key_Z) || (Key >= Qt::Key_0 && Key <= Qt::Key_9)) return Word(Key);
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return Word(VK_F1 + (Key - Qt::Key_F1));
    for (const auto& [qt, vk] : keyTable)
        if (qt == Key) return vk;
    return 0;
}

int VirtualKeyToQtKey(Word Key) {
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return Key;
    if (Key >= VK_F1 && Key <= VK_F24) return Qt::Key_F1 + (Key - VK_F1);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return Qt::Key_0 + (Key - VK_NUMPAD0);
    switch (Key) {
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    default: break;
    }
    // The first entry of a code is its unshifted key.
    for (const auto& [qt, vk] : keyTable)
        if (vk == Key) return qt;
    return Qt::Key_unknown;
}

TShiftState ModifiersToShiftState(Qt::KeyboardModifiers Modifiers) {
    TShiftState s;
    if (Modifiers & Qt::ShiftModifier) s |= ssShift;
    if (Modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (Modifiers & Qt::AltModifier) s |= ssAlt;
    return s;
}

TShiftState ButtonsToShiftState(Qt::MouseButtons Buttons) {
    TShiftState s;
    if (Buttons & Qt::LeftButton) s |= ssLeft;
    if (Buttons & Qt::RightButton) s |= ssRight;
    if (Buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

Qt::KeyboardModifiers ShiftStateToModifiers(TShiftState Shift) {
    Qt::KeyboardModifiers m;
    if (Shift & ssShift) m |= Qt::ShiftModifier;
    if (Shift & ssCtrl) m |= Qt::ControlModifier;
    if (Shift & ssAlt) m |= Qt::AltModifier;
    return m;
}

TShiftState KeyEventShiftState(const QKeyEvent& Event) {
    Qt::KeyboardModifiers m = Event.modifiers();
    if (m & Qt::GroupSwitchModifier) m &= ~Qt::AltModifier;
    return ModifiersToShiftState(m);
}

TShiftState KeyboardStateToShiftState() {
    return ModifiersToShiftState(QGuiApplication::queryKeyboardModifiers()) |
           ButtonsToShiftState(QGuiApplication::mouseButtons());
}
