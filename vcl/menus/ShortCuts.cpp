#include "vcl/menus/ShortCuts.h"

#include <QStringList>

namespace {
struct NamedKey {
    Word key;
    const char* name;
    Qt::Key qtKey;
};

// Keys whose names are not their character; letters, digits and function keys are computed.
constexpr NamedKey namedKeys[] = {
    {0x08, "BkSp", Qt::Key_Backspace}, {0x09, "Tab", Qt::Key_Tab},        {0x0D, "Enter", Qt::Key_Return},
    {0x13, "Pause", Qt::Key_Pause},    {0x1B, "Esc", Qt::Key_Escape},     {0x20, "Space", Qt::Key_Space},
    {0x21, "PgUp", Qt::Key_PageUp},    {0x22, "PgDn", Qt::Key_PageDown},  {0x23, "End", Qt::Key_End},
    {0x24, "Home", Qt::Key_Home},      {0x25, "Left", Qt::Key_Left},      {0x26, "Up", Qt::Key_Up},
    {0x27, "Right", Qt::Key_Right},    {0x28, "Down", Qt::Key_Down},      {0x2D, "Ins", Qt::Key_Insert},
    {0x2E, "Del", Qt::Key_Delete},     {0x6A, "Num *", Qt::Key_Asterisk}, {0x6B, "Num +", Qt::Key_Plus},
    {0x6D, "Num -", Qt::Key_Minus},    {0x6E, "Num Del", Qt::Key_Period}, {0x6F, "Num /", Qt::Key_Slash},
    {0xBA, ";", Qt::Key_Semicolon},    {0xBB, "=", Qt::Key_Equal},        {0xBC, ",", Qt::Key_Comma},
    {0xBD, "-", Qt::Key_Minus},        {0xBE, ".", Qt::Key_Period},       {0xBF, "/", Qt::Key_Slash},
    {0xC0, "`", Qt::Key_QuoteLeft},    {0xDB, "[", Qt::Key_BracketLeft},  {0xDC, "\\", Qt::Key_Backslash},
    {0xDD, "]", Qt::Key_BracketRight}, {0xDE, "'", Qt::Key_Apostrophe},
};

constexpr Word vkNumpad0 = 0x60, vkNumpad9 = 0x69, vkF1 = 0x70, vkF24 = 0x87;

bool IsLetterOrDigit(Word key) { return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'); }

String KeyName(Word key) {
    if (IsLetterOrDigit(key)) return QString(QChar(key));
    if (key >= vkF1 && key <= vkF24) return QStringLiteral("F%1").arg(key - vkF1 + 1);
    if (key >= vkNumpad0 && key <= vkNumpad9) return QStringLiteral("Num %1").arg(key - vkNumpad0);
    for (const NamedKey& k : namedKeys)
        if (k.key == key) return QString::fromLatin1(k.name);
    return {};
}

int QtKey(Word key) {
    if (IsLetterOrDigit(key)) return key; // Qt's codes of letters and digits are their characters
    if (key >= vkF1 && key <= vkF24) return Qt::Key_F1 + (key - vkF1);
    if (key >= vkNumpad0 && key <= vkNumpad9) return int(Qt::Key_0 + (key - vkNumpad0)) | Qt::KeypadModifier;
    for (const NamedKey& k : namedKeys)
        if (k.key == key) return (key >= 0x6A && key <= 0x6F) ? int(k.qtKey) | Qt::KeypadModifier : int(k.qtKey);
    return 0;
}

struct Modifier {
    TShortCut flag;
    const char* text;
};
constexpr Modifier modifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};
} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
    if (Key > 0xFF) return scNone;
    TShortCut result = Key;
    if (Shift & ssShift) result |= scShift;
    if (Shift & ssCtrl) result |= scCtrl;
    if (Shift & ssAlt) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = {};
    if (ShortCut & scShift) Shift |= ssShift;
    if (ShortCut & scCtrl) Shift |= ssCtrl;
    if (ShortCut & scAlt) Shift |= ssAlt;
}

String ShortCutToText(TShortCut ShortCut) {
    const String name = KeyName(ShortCut & 0xFF);
    if (name.isEmpty()) return {};
    String text;
    for (const Modifier& m : modifiers)
        if (ShortCut & m.flag) text += QString::fromLatin1(m.text);
    return text + name;
}

TShortCut TextToShortCut(const String& Text) {
    String rest = Text;
    TShortCut flags = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& m : modifiers) {
            const String prefix = QString::fromLatin1(m.text);
            if (rest.startsWith(prefix, Qt::CaseInsensitive)) {
                flags |= m.flag;
                rest = rest.mid(prefix.size());
                found = true;
            }
        }
    }
    if (rest.isEmpty()) return scNone;
    for (int key = 0x08; key <= 0xFF; ++key) {
        const String name = KeyName(Word(key));
        if (!name.isEmpty() && name.compare(rest, Qt::CaseInsensitive) == 0) return TShortCut(key | flags);
    }
    return scNone;
}

QKeySequence ShortCutToKeySequence(TShortCut ShortCut) {
    int key = QtKey(ShortCut & 0xFF);
    if (key == 0) return {};
    if (ShortCut & scShift) key |= Qt::ShiftModifier;
    if (ShortCut & scCtrl) key |= Qt::ControlModifier;
    if (ShortCut & scAlt) key |= Qt::AltModifier;
    return QKeySequence(key);
}
