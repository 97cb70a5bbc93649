// The virtual-key table: every key a hotkey can be made of is grabbable and comes back from
// Qt's key events as the same virtual key.
#include <gtest/gtest.h>

#include <Qt>
#include <set>

#include "toolkit/UknKeys.h"

// X11 last: its macros would spoil Qt's headers.
#include <X11/X.h>
#include <X11/keysym.h>

namespace qb {
namespace {

// The keys a hotkey control offers: letters, digits, F1-F24, the navigation and editing keys,
// Space, Enter, Tab, Escape, Backspace, Pause, Print, the keypad and the punctuation keys.
std::vector<uint8_t> HotKeyKeys() {
    std::vector<uint8_t> keys = {0x08, 0x09, 0x0D, 0x13, 0x1B, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
                                 0x26, 0x27, 0x28, 0x2C, 0x2D, 0x2E, 0x6A, 0x6B, 0x6D, 0x6E, 0x6F,
                                 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE};
    for (int vk = '0'; vk <= '9'; ++vk) keys.push_back(static_cast<uint8_t>(vk));
    for (int vk = 'A'; vk <= 'Z'; ++vk) keys.push_back(static_cast<uint8_t>(vk));
    for (int vk = 0x60; vk <= 0x69; ++vk) keys.push_back(static_cast<uint8_t>(vk));  // keypad
    for (int vk = 0x70; vk <= 0x87; ++vk) keys.push_back(static_cast<uint8_t>(vk));  // F1-F24
    return keys;
}

TEST(KeysTest, EveryHotKeyKeyHasAKeySymAndComesBackFromQt) {
    for (uint8_t vk : HotKeyKeys()) {
        SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << int(vk));
        EXPECT_NE(VirtualKeyToKeySym(vk), 0u);
        int qtKey = VirtualKeyToQtKey(vk);
        ASSERT_NE(qtKey, 0);
        const bool keypad = (vk >= 0x60 && vk <= 0x6F);
        EXPECT_EQ(VirtualKeyFromQtKey(qtKey, keypad), vk);
    }
}

TEST(KeysTest, KeySymsOfTheKeyGroups) {
    struct TCase {
        uint32_t VirtualKey;
        uint32_t KeySym;
    };
    const TCase cases[] = {
        {'A', XK_a},           {'Z', XK_z},        {'0', XK_0},          {'9', XK_9},
        {0x70, XK_F1},         {0x7B, XK_F12},     {0x87, XK_F24},       {0x60, XK_KP_0},
        {0x69, XK_KP_9},       {0x6B, XK_KP_Add},  {0x6F, XK_KP_Divide}, {0x25, XK_Left},
        {0x28, XK_Down},       {0x21, XK_Prior},   {0x22, XK_Next},      {0x24, XK_Home},
        {0x23, XK_End},        {0x2D, XK_Insert},  {0x2E, XK_Delete},    {0x20, XK_space},
        {0x0D, XK_Return},     {0x09, XK_Tab},     {0x1B, XK_Escape},    {0xBA, XK_semicolon},
        {0xBB, XK_equal},      {0xBF, XK_slash},   {0xC0, XK_grave},     {0xDB, XK_bracketleft},
        {0xDE, XK_apostrophe}, {0x10, XK_Shift_L}, {0x11, XK_Control_L}, {0x12, XK_Alt_L},
        {0xA1, XK_Shift_R},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(VirtualKeyToKeySym(c.VirtualKey), c.KeySym) << "vk " << c.VirtualKey;
    for (uint32_t unknown : {0u, 0x07u, 0x3Au, 0xFFu, 0x141u})
        EXPECT_EQ(VirtualKeyToKeySym(unknown), 0u) << "vk " << unknown;
}

TEST(KeysTest, TableIsInVirtualKeyOrderWithoutDoubles) {
    int count = 0;
    const TknKeyMapping* keys = KeyMappings(count);
    ASSERT_GT(count, 100);
    for (int i = 1; i < count; ++i) EXPECT_LT(keys[i - 1].VirtualKey, keys[i].VirtualKey);
}

TEST(KeysTest, QtKeysUnderOtherNames) {
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter), 0x0D);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Backtab), 0x09);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Colon), 0xBA);    // Shift+;
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Exclam), '1');    // Shift+1
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_1, true), 0x61);  // keypad 1
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_1, false), '1');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Minus, true), 0x6D);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Minus, false), 0xBD);
    EXPECT_EQ(VirtualKeyFromQtKey(0), 0);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_unknown), 0);
}

TEST(KeysTest, ModifiersBecomeXMasks) {
    EXPECT_EQ(HotKeyModifiersToXMask(0), 0u);
    EXPECT_EQ(HotKeyModifiersToXMask(modShift), static_cast<uint32_t>(ShiftMask));
    EXPECT_EQ(HotKeyModifiersToXMask(modControl), static_cast<uint32_t>(ControlMask));
    EXPECT_EQ(HotKeyModifiersToXMask(modAlt), static_cast<uint32_t>(Mod1Mask));
    EXPECT_EQ(HotKeyModifiersToXMask(modAlt | modControl | modShift),
              static_cast<uint32_t>(Mod1Mask | ControlMask | ShiftMask));
    // From a hotkey word: Ctrl+Shift+F5 (high byte: shift 1, control 2).
    const uint16_t ctrlShiftF5 = 0x0374;
    EXPECT_EQ(HotKeyModifiersToXMask(HotKeyModifiers(ctrlShiftF5)),
              static_cast<uint32_t>(ControlMask | ShiftMask));
    EXPECT_EQ(VirtualKeyToKeySym(HotKeyVirtualKey(ctrlShiftF5)), static_cast<uint32_t>(XK_F5));
}

}  // namespace
}  // namespace qb
