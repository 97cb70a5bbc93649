// The X11 pieces against a real X server: the error trap, the four grabs of a hotkey, keys
// another program holds, the window in front and window properties. Runs only when DISPLAY
// names a server (the other widget tests run offscreen); each test opens connections of its
// own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include <QMessageBox>
#include <QWidget>
#include "GuiWait.h"

#include "foundation/UknError.h"
#include "shell/UknHotKeyCenter.h"
#include "toolkit/UknDesktopInput.h"
#include "toolkit/UknHotKeys.h"
#include "toolkit/UknKeys.h"
#include "toolkit/UknX11.h"

// X11 last: its macros would spoil Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace qb {
namespace {

class TDisplay {
  public:
    TDisplay() : FDisplay(std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr) {}
    ~TDisplay() {
        if (FDisplay) XCloseDisplay(FDisplay);
    }
    TDisplay(const TDisplay&) = delete;
    TDisplay& operator=(const TDisplay&) = delete;
    Display* operator*() const { return FDisplay; }
    Window Root() const { return DefaultRootWindow(FDisplay); }

  private:
    Display* FDisplay;
};

// Presses the keys in order and lets them go in reverse, as a user's chord.
void Chord(Display* display, std::vector<KeySym> keys) {
    for (KeySym key : keys)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
    XSync(display, False);
}

constexpr unsigned kLockVariants[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

class X11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!*Other || !*Mine) GTEST_SKIP() << "no X server (DISPLAY not set)";
    }
    KeyCode Code(KeySym keySym) { return XKeysymToKeycode(*Mine, keySym); }

    TDisplay Other;  // "another program"
    TDisplay Mine;
};

TEST_F(X11Test, TrapSeesBadAccessOfAKeyTakenElsewhere) {
    const KeyCode f12 = Code(XK_F12);
    XGrabKey(*Other, f12, ControlMask | Mod1Mask, Other.Root(), True, GrabModeAsync, GrabModeAsync);
    XSync(*Other, False);
    {
        TknXErrorTrap trap(*Mine);
        XGrabKey(*Mine, f12, ControlMask | Mod1Mask, Mine.Root(), True, GrabModeAsync,
                 GrabModeAsync);
        EXPECT_TRUE(trap.Has(BadAccess));
    }
    TknXErrorTrap clean(*Mine);
    XGrabKey(*Mine, f12, ShiftMask, Mine.Root(), True, GrabModeAsync, GrabModeAsync);
    EXPECT_FALSE(clean.Failed());
    XUngrabKey(*Mine, f12, ShiftMask, Mine.Root());
}

TEST_F(X11Test, HotKeysAreGrabbedWithTheLockKeysAndRefusedWhenTaken) {
    std::vector<int32_t> presses;
    TknX11HotKeyPlatform platform([&](int32_t id) { presses.push_back(id); }, *Mine);
    ASSERT_TRUE(platform.Available());

    XGrabKey(*Other, Code(XK_F10), ControlMask | Mod1Mask, Other.Root(), True, GrabModeAsync,
             GrabModeAsync);
    XSync(*Other, False);
    EXPECT_FALSE(platform.RegisterHotKey(1000, modControl | modAlt, 0x79));  // F10: taken
    EXPECT_TRUE(platform.RegisterHotKey(1001, modControl | modAlt, 0x7A));   // F11
    EXPECT_FALSE(platform.RegisterHotKey(1002, modControl | modAlt, 0x7A));  // ours already
    EXPECT_FALSE(platform.RegisterHotKey(1003, modControl, 0x07));           // no such key
    EXPECT_EQ(platform.Count(), 1);

    // Every lock-key variant is ours now: the other program can grab none of them.
    for (unsigned locks : kLockVariants) {
        TknXErrorTrap trap(*Other);
        XGrabKey(*Other, Code(XK_F11), ControlMask | Mod1Mask | locks, Other.Root(), True,
                 GrabModeAsync, GrabModeAsync);
        EXPECT_TRUE(trap.Has(BadAccess)) << "locks " << locks;
    }

    // A press with CapsLock and NumLock on still is the hotkey; one with Shift too is not.
    EXPECT_TRUE(platform.KeyPressed(Code(XK_F11), ControlMask | Mod1Mask | LockMask | Mod2Mask));
    EXPECT_FALSE(platform.KeyPressed(Code(XK_F11), ControlMask | Mod1Mask | ShiftMask));
    EXPECT_EQ(presses, std::vector<int32_t>{1001});

    platform.UnregisterHotKey(1001);
    EXPECT_FALSE(platform.KeyPressed(Code(XK_F11), ControlMask | Mod1Mask));
    TknXErrorTrap freed(*Other);  // all four grabs were given back
    for (unsigned locks : kLockVariants)
        XGrabKey(*Other, Code(XK_F11), ControlMask | Mod1Mask | locks, Other.Root(), True,
                 GrabModeAsync, GrabModeAsync);
    EXPECT_FALSE(freed.Failed());
}

// The hotkey's work runs with the keyboard free again although the user still holds the keys:
// another program could grab it (so the keys the work sends would reach the program in front).
TEST_F(X11Test, ASyntheticPressReachesTheGrabWhichEndsBeforeTheWork) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(*Other, &eventBase, &errorBase, &major, &minor))
        GTEST_SKIP() << "no XTEST";
    std::vector<int32_t> presses;
    int grabDuringWork = -1;
    TknX11HotKeyPlatform platform(
        [&](int32_t id) {
            presses.push_back(id);
            grabDuringWork = XGrabKeyboard(*Other, Other.Root(), False, GrabModeAsync,
                                           GrabModeAsync, CurrentTime);
            XUngrabKeyboard(*Other, CurrentTime);
            XSync(*Other, False);
        },
        *Mine);
    ASSERT_TRUE(platform.RegisterHotKey(1005, modShift | modControl, 0x78));  // F9

    const std::vector<KeySym> keys{XK_Shift_L, XK_Control_L, XK_F9};
    for (KeySym key : keys) XTestFakeKeyEvent(*Other, Code(key), True, CurrentTime);
    XSync(*Other, False);
    ASSERT_TRUE(test::WaitUntil([&] {
        while (XPending(*Mine) > 0) {
            XEvent event;
            XNextEvent(*Mine, &event);
            if (event.type == KeyPress)
                platform.KeyPressed(event.xkey.keycode, event.xkey.state,
                                    event.xkey.window == Mine.Root());
        }
        return !presses.empty();
    }));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        XTestFakeKeyEvent(*Other, Code(*key), False, CurrentTime);
    XSync(*Other, False);
    EXPECT_EQ(presses, std::vector<int32_t>{1005});
    EXPECT_EQ(grabDuringWork, GrabSuccess);
}

class TFailingOwner : public IHotkeyOwner {
  public:
    void OnHotkey(uint32_t, uint16_t) override { throw TknError(u"文件不存在！ /nowhere"); }
};

TEST_F(X11Test, AFailingHotKeyShowsItsMessage) {
    if (!QtX11Display()) GTEST_SKIP() << "Qt does not run on X11";
    TknX11HotKeyPlatform platform;
    SetHotKeyPlatform(&platform);
    TFailingOwner owner;
    HotKeyCenter().AddHotKey(&owner, 7, 0x0500 | 0x75);  // Shift+Alt+F6
    std::u16string shown;
    test::WhenModal([&](QWidget* modal) {
        shown = static_cast<QMessageBox*>(modal)->text().toStdU16String();
        modal->close();
    });
    EXPECT_TRUE(platform.KeyPressed(XKeysymToKeycode(*Mine, XK_F6), ShiftMask | Mod1Mask));
    EXPECT_TRUE(test::WaitUntil([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, u"文件不存在！ /nowhere");
    SetHotKeyPlatform(nullptr);
}

// On Qt's own connection (the test program run with QT_QPA_PLATFORM=xcb): errors still reach
// the trap, and presses arrive through the native event filter.
TEST_F(X11Test, QtConnectionRefusesTakenKeysAndFiltersPresses) {
    if (!QtX11Display()) GTEST_SKIP() << "Qt does not run on X11";
    std::vector<int32_t> presses;
    TknX11HotKeyPlatform platform([&](int32_t id) { presses.push_back(id); });
    XGrabKey(*Other, XKeysymToKeycode(*Other, XK_F8), ShiftMask | Mod1Mask, Other.Root(), True,
             GrabModeAsync, GrabModeAsync);
    XSync(*Other, False);
    EXPECT_FALSE(platform.RegisterHotKey(1010, modShift | modAlt, 0x77));  // F8: taken
    ASSERT_TRUE(platform.RegisterHotKey(1011, modShift | modAlt, 0x76));   // F7

    Chord(*Other, {XK_Shift_L, XK_Alt_L, XK_F7});
    ASSERT_TRUE(test::WaitUntil([&] { return !presses.empty(); }));
    EXPECT_EQ(presses, std::vector<int32_t>{1011});
}

TEST_F(X11Test, DesktopInputKeysAndForegroundWindow) {
    if (!QtX11Display()) GTEST_SKIP() << "Qt does not run on X11";
    TknDesktopInput input;
    EXPECT_FALSE(input.KeyHeld(vkShift));
    input.SendKey(vkShift, true);
    EXPECT_TRUE(input.KeyHeld(vkShift));
    EXPECT_TRUE(input.KeyHeld(0xA0));   // the left Shift itself
    EXPECT_FALSE(input.KeyHeld(0xA1));  // not the right one
    input.SendKey(vkShift, false);
    EXPECT_FALSE(input.KeyHeld(vkShift));

    // The window in front as the window manager announces it; ours count as none.
    Window foreign = XCreateSimpleWindow(*Other, Other.Root(), 0, 0, 10, 10, 0, 0, 0);
    QWidget own;
    own.show();
    const Atom active = XInternAtom(*Other, "_NET_ACTIVE_WINDOW", False);
    auto announce = [&](unsigned long window) {
        XChangeProperty(*Other, Other.Root(), active, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&window), 1);
        XSync(*Other, False);
    };
    announce(foreign);
    EXPECT_EQ(input.ForegroundWindow(), foreign);
    announce(static_cast<unsigned long>(own.winId()));
    EXPECT_EQ(input.ForegroundWindow(), 0u);

    // Activation is asked of the window manager as a pager would.
    XSelectInput(*Other, Other.Root(), SubstructureRedirectMask);
    XSync(*Other, False);
    input.SetForegroundWindow(foreign);
    long source = -1;
    ASSERT_TRUE(test::WaitUntil([&] {
        while (XPending(*Other) > 0) {
            XEvent event;
            XNextEvent(*Other, &event);
            if (event.type == ClientMessage && event.xclient.message_type == active &&
                event.xclient.window == foreign)
                source = event.xclient.data.l[0];
        }
        return source != -1;
    }));
    EXPECT_EQ(source, 2);
    XDestroyWindow(*Other, foreign);
    XSync(*Other, False);
}

TEST_F(X11Test, WithoutAWindowManagerTheFocusedWindowIsInFront) {
    if (!QtX11Display()) GTEST_SKIP() << "Qt does not run on X11";
    TknDesktopInput input;
    XDeleteProperty(*Other, Other.Root(), XInternAtom(*Other, "_NET_ACTIVE_WINDOW", False));
    Window top = XCreateSimpleWindow(*Other, Other.Root(), 0, 0, 50, 50, 0, 0, 0);
    Window child = XCreateSimpleWindow(*Other, top, 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(*Other, top);
    XMapWindow(*Other, child);
    XSync(*Other, False);
    ASSERT_TRUE(test::WaitUntil([&] {
        XSetInputFocus(*Other, child, RevertToParent, CurrentTime);
        XSync(*Other, False);
        return input.ForegroundWindow() == top;  // the top-level window, not the child
    }));
    XSetInputFocus(*Other, PointerRoot, RevertToNone, CurrentTime);
    XSync(*Other, False);
    EXPECT_EQ(input.ForegroundWindow(), 0u);
    XDestroyWindow(*Other, top);
    XSync(*Other, False);
}

TEST_F(X11Test, WindowPropertyIsRead) {
    Window window = XCreateSimpleWindow(*Other, Other.Root(), 0, 0, 10, 10, 0, 0, 0);
    Atom property = XInternAtom(*Other, "QB_TEST_ACTIVE", False);
    unsigned long value = window;
    XChangeProperty(*Other, window, property, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&value), 1);
    XSync(*Other, False);
    TknXProperty read(*Mine, window, "QB_TEST_ACTIVE");
    EXPECT_TRUE(read.Valid());
    EXPECT_EQ(read.First(), window);
    EXPECT_EQ(TknXProperty(*Mine, window, "QB_TEST_NO_SUCH_PROPERTY").First(), 0u);
    XDestroyWindow(*Other, window);
    XSync(*Other, False);
    EXPECT_EQ(TknXProperty(*Mine, window, "QB_TEST_ACTIVE").First(), 0u);  // window gone
}

}  // namespace
}  // namespace qb
