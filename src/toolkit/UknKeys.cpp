#include "toolkit/UknKeys.h"

#include <Qt>
#include <algorithm>
#include <iterator>

// X11 last: its macros (None, KeyPress, ...) would spoil Qt's headers.
#include <X11/X.h>
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace qb {

namespace {

constexpr TknKeyMapping Letter(char c) {
    return {static_cast<uint8_t>(c), static_cast<uint32_t>(c - 'A' + XK_a), c - 'A' + Qt::Key_A};
}
constexpr TknKeyMapping Digit(char c) {
    return {static_cast<uint8_t>(c), static_cast<uint32_t>(c - '0' + XK_0), c - '0' + Qt::Key_0};
}
constexpr TknKeyMapping Numpad(int n) {
    return {static_cast<uint8_t>(0x60 + n), static_cast<uint32_t>(XK_KP_0 + n), 0};
}
constexpr TknKeyMapping Function(int n) {
    return {static_cast<uint8_t>(0x6F + n), static_cast<uint32_t>(XK_F1 + n - 1),
            Qt::Key_F1 + n - 1};
}

// In virtual-key order; keypad keys carry no Qt key of their own (Qt marks them with the
// keypad modifier instead, see kKeypadKeys).
constexpr TknKeyMapping kKeys[] = {
    {0x08, XK_BackSpace, Qt::Key_Backspace},
    {0x09, XK_Tab, Qt::Key_Tab},
    {0x0C, XK_Clear, Qt::Key_Clear},
    {0x0D, XK_Return, Qt::Key_Return},
    {0x10, XK_Shift_L, Qt::Key_Shift},
    {0x11, XK_Control_L, Qt::Key_Control},
    {0x12, XK_Alt_L, Qt::Key_Alt},
    {0x13, XK_Pause, Qt::Key_Pause},
    {0x14, XK_Caps_Lock, Qt::Key_CapsLock},
    {0x1B, XK_Escape, Qt::Key_Escape},
    {0x20, XK_space, Qt::Key_Space},
    {0x21, XK_Prior, Qt::Key_PageUp},
    {0x22, XK_Next, Qt::Key_PageDown},
    {0x23, XK_End, Qt::Key_End},
    {0x24, XK_Home, Qt::Key_Home},
    {0x25, XK_Left, Qt::Key_Left},
    {0x26, XK_Up, Qt::Key_Up},
    {0x27, XK_Right, Qt::Key_Right},
    {0x28, XK_Down, Qt::Key_Down},
    {0x2C, XK_Print, Qt::Key_Print},
    {0x2D, XK_Insert, Qt::Key_Insert},
    {0x2E, XK_Delete, Qt::Key_Delete},
    {0x2F, XK_Help, Qt::Key_Help},
    Digit('0'),
    Digit('1'),
    Digit('2'),
    Digit('3'),
    Digit('4'),
    Digit('5'),
    Digit('6'),
    Digit('7'),
    Digit('8'),
    Digit('9'),
    Letter('A'),
    Letter('B'),
    Letter('C'),
    Letter('D'),
    Letter('E'),
    Letter('F'),
    Letter('G'),
    Letter('H'),
    Letter('I'),
    Letter('J'),
    Letter('K'),
    Letter('L'),
    Letter('M'),
    Letter('N'),
    Letter('O'),
    Letter('P'),
    Letter('Q'),
    Letter('R'),
    Letter('S'),
    Letter('T'),
    Letter('U'),
    Letter('V'),
    Letter('W'),
    Letter('X'),
    Letter('Y'),
    Letter('Z'),
    {0x5B, XK_Super_L, Qt::Key_Super_L},
    {0x5C, XK_Super_R, Qt::Key_Super_R},
    {0x5D, XK_Menu, Qt::Key_Menu},
    Numpad(0),
    Numpad(1),
    Numpad(2),
    Numpad(3),
    Numpad(4),
    Numpad(5),
    Numpad(6),
    Numpad(7),
    Numpad(8),
    Numpad(9),
    {0x6A, XK_KP_Multiply, 0},
    {0x6B, XK_KP_Add, 0},
    {0x6C, XK_KP_Separator, 0},
    {0x6D, XK_KP_Subtract, 0},
    {0x6E, XK_KP_Decimal, 0},
    {0x6F, XK_KP_Divide, 0},
    Function(1),
    Function(2),
    Function(3),
    Function(4),
    Function(5),
    Function(6),
    Function(7),
    Function(8),
    Function(9),
    Function(10),
    Function(11),
    Function(12),
    Function(13),
    Function(14),
    Function(15),
    Function(16),
    Function(17),
    Function(18),
    Function(19),
    Function(20),
    Function(21),
    Function(22),
    Function(23),
    Function(24),
    {0x90, XK_Num_Lock, Qt::Key_NumLock},
    {0x91, XK_Scroll_Lock, Qt::Key_ScrollLock},
    {0xA0, XK_Shift_L, 0},
    {0xA1, XK_Shift_R, 0},
    {0xA2, XK_Control_L, 0},
    {0xA3, XK_Control_R, 0},
    {0xA4, XK_Alt_L, 0},
    {0xA5, XK_Alt_R, 0},
    {0xA6, XF86XK_Back, Qt::Key_Back},
    {0xA7, XF86XK_Forward, Qt::Key_Forward},
    {0xA8, XF86XK_Refresh, Qt::Key_Refresh},
    {0xA9, XF86XK_Stop, Qt::Key_Stop},
    {0xAA, XF86XK_Search, Qt::Key_Search},
    {0xAB, XF86XK_Favorites, Qt::Key_Favorites},
    {0xAC, XF86XK_HomePage, Qt::Key_HomePage},
    {0xAD, XF86XK_AudioMute, Qt::Key_VolumeMute},
    {0xAE, XF86XK_AudioLowerVolume, Qt::Key_VolumeDown},
    {0xAF, XF86XK_AudioRaiseVolume, Qt::Key_VolumeUp},
    {0xB0, XF86XK_AudioNext, Qt::Key_MediaNext},
    {0xB1, XF86XK_AudioPrev, Qt::Key_MediaPrevious},
    {0xB2, XF86XK_AudioStop, Qt::Key_MediaStop},
    {0xB3, XF86XK_AudioPlay, Qt::Key_MediaTogglePlayPause},
    {0xB4, XF86XK_Mail, Qt::Key_LaunchMail},
    {0xBA, XK_semicolon, Qt::Key_Semicolon},
    {0xBB, XK_equal, Qt::Key_Equal},
    {0xBC, XK_comma, Qt::Key_Comma},
    {0xBD, XK_minus, Qt::Key_Minus},
    {0xBE, XK_period, Qt::Key_Period},
    {0xBF, XK_slash, Qt::Key_Slash},
    {0xC0, XK_grave, Qt::Key_QuoteLeft},
    {0xDB, XK_bracketleft, Qt::Key_BracketLeft},
    {0xDC, XK_backslash, Qt::Key_Backslash},
    {0xDD, XK_bracketright, Qt::Key_BracketRight},
    {0xDE, XK_apostrophe, Qt::Key_Apostrophe},
    {0xE2, XK_less, Qt::Key_Less},
};

struct TQtAlias {
    int QtKey;
    uint8_t VirtualKey;
};

// Keys Qt reports under another name: Enter, the shifted punctuation of a US layout (Shift+;
// arrives as a colon) and Backtab (Shift+Tab).
constexpr TQtAlias kQtAliases[] = {
    {Qt::Key_Enter, 0x0D},      {Qt::Key_Backtab, 0x09},    {Qt::Key_Colon, 0xBA},
    {Qt::Key_Plus, 0xBB},       {Qt::Key_Underscore, 0xBD}, {Qt::Key_Greater, 0xBE},
    {Qt::Key_Question, 0xBF},   {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BraceLeft, 0xDB},
    {Qt::Key_Bar, 0xDC},        {Qt::Key_BraceRight, 0xDD}, {Qt::Key_QuoteDbl, 0xDE},
    {Qt::Key_Exclam, 0x31},     {Qt::Key_At, 0x32},         {Qt::Key_NumberSign, 0x33},
    {Qt::Key_Dollar, 0x34},     {Qt::Key_Percent, 0x35},    {Qt::Key_AsciiCircum, 0x36},
    {Qt::Key_Ampersand, 0x37},  {Qt::Key_Asterisk, 0x38},   {Qt::Key_ParenLeft, 0x39},
    {Qt::Key_ParenRight, 0x30}, {Qt::Key_MediaPlay, 0xB3},
};

// Keypad keys as Qt reports them (with the keypad modifier).
constexpr TQtAlias kKeypadKeys[] = {
    {Qt::Key_0, 0x60},     {Qt::Key_1, 0x61},      {Qt::Key_2, 0x62},        {Qt::Key_3, 0x63},
    {Qt::Key_4, 0x64},     {Qt::Key_5, 0x65},      {Qt::Key_6, 0x66},        {Qt::Key_7, 0x67},
    {Qt::Key_8, 0x68},     {Qt::Key_9, 0x69},      {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},
    {Qt::Key_Minus, 0x6D}, {Qt::Key_Period, 0x6E}, {Qt::Key_Comma, 0x6E},    {Qt::Key_Slash, 0x6F},
    {Qt::Key_Enter, 0x0D},
};

const TknKeyMapping* FindVirtualKey(uint32_t virtualKey) {
    auto it =
        std::lower_bound(std::begin(kKeys), std::end(kKeys), virtualKey,
                         [](const TknKeyMapping& m, uint32_t vk) { return m.VirtualKey < vk; });
    return it != std::end(kKeys) && it->VirtualKey == virtualKey ? &*it : nullptr;
}

template <size_t N>
uint8_t FindAlias(const TQtAlias (&aliases)[N], int qtKey) {
    for (const TQtAlias& alias : aliases)
        if (alias.QtKey == qtKey) return alias.VirtualKey;
    return 0;
}

}  // namespace

const TknKeyMapping* KeyMappings(int& count) {
    count = static_cast<int>(std::size(kKeys));
    return kKeys;
}

uint32_t VirtualKeyToKeySym(uint32_t virtualKey) {
    const TknKeyMapping* m = FindVirtualKey(virtualKey);
    return m ? m->KeySym : 0;
}

uint8_t VirtualKeyFromQtKey(int qtKey, bool keypad) {
    if (qtKey == 0) return 0;
    if (keypad) {
        if (uint8_t vk = FindAlias(kKeypadKeys, qtKey)) return vk;
    }
    for (const TknKeyMapping& m : kKeys)
        if (m.QtKey == qtKey) return m.VirtualKey;
    return FindAlias(kQtAliases, qtKey);
}

bool IsModifierQtKey(int qtKey) {
    return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
           qtKey == Qt::Key_Meta || qtKey == Qt::Key_AltGr || qtKey == Qt::Key_CapsLock ||
           qtKey == Qt::Key_NumLock || qtKey == Qt::Key_unknown || qtKey == 0;
}

int VirtualKeyToQtKey(uint32_t virtualKey) {
    const TknKeyMapping* m = FindVirtualKey(virtualKey);
    if (!m) return 0;
    if (m->QtKey != 0) return m->QtKey;
    for (const TQtAlias& alias : kKeypadKeys)
        if (alias.VirtualKey == virtualKey) return alias.QtKey;
    return 0;
}

uint32_t HotKeyModifiersToXMask(uint32_t modifiers) {
    uint32_t mask = 0;
    if (modifiers & modAlt) mask |= Mod1Mask;
    if (modifiers & modControl) mask |= ControlMask;
    if (modifiers & modShift) mask |= ShiftMask;
    return mask;
}

}  // namespace qb
