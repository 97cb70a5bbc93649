#include "toolkit/UknDesktopInput.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>

#include "toolkit/UknClipboard.h"
#include "toolkit/UknKeys.h"
#include "toolkit/UknX11.h"

// X11 last: its macros would spoil Qt's headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace qb {

namespace {

bool KeySymHeld(Display* display, const char keys[32], KeySym keySym) {
    KeyCode code = XKeysymToKeycode(display, keySym);
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

// The other key of the pairs Shift, Control and Alt, 0 for any other key.
KeySym RightHandTwin(uint8_t virtualKey) {
    switch (virtualKey) {
        case vkShift:
            return XK_Shift_R;
        case vkControl:
            return XK_Control_R;
        case vkAlt:
            return XK_Alt_R;
        default:
            return 0;
    }
}

// The top-level window that holds the keyboard focus, for an X server without a window
// manager to name the active window; 0 when the focus is on no window.
uint64_t FocusedTopLevel(Display* display) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    const Window root = DefaultRootWindow(display);
    if (focus == None || focus == PointerRoot) return 0;
    TknXErrorTrap trap(display);  // the window may be gone
    for (Window window = focus;;) {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root || parent == 0) return window;
        window = parent;
    }
}

}  // namespace

std::u16string TknDesktopInput::ClipboardText() {
    return TknClipboard::GetText();
}

void TknDesktopInput::SetClipboardText(std::u16string_view text) {
    TknClipboard::SetText(text);
}

std::u16string TknDesktopInput::PrimarySelection() {
    return TknClipboard::GetText(true);
}

bool TknDesktopInput::KeyHeld(uint8_t virtualKey) {
    Display* display = QtX11Display();
    KeySym keySym = VirtualKeyToKeySym(virtualKey);
    if (!display || keySym == 0) return false;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    if (KeySymHeld(display, keys, keySym)) return true;
    KeySym twin = RightHandTwin(virtualKey);
    return twin != 0 && KeySymHeld(display, keys, twin);
}

void TknDesktopInput::SendKey(uint8_t virtualKey, bool down) {
    Display* display = QtX11Display();
    KeySym keySym = VirtualKeyToKeySym(virtualKey);
    if (!display || keySym == 0) return;
    KeyCode code = XKeysymToKeycode(display, keySym);
    if (code == 0) return;
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    XFlush(display);
}

void TknDesktopInput::Pause(uint32_t milliseconds) {
    // A local loop that sleeps until its timer ends it: the program's events keep running and
    // nothing spins.
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(milliseconds), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

uint64_t TknDesktopInput::ForegroundWindow() {
    Display* display = QtX11Display();
    if (!display) return 0;
    TknXProperty active(display, DefaultRootWindow(display), "_NET_ACTIVE_WINDOW");
    const uint64_t window = active.Valid() ? active.First() : FocusedTopLevel(display);
    return IsOwnWindow(window) ? 0 : window;
}

void TknDesktopInput::SetForegroundWindow(uint64_t window) {
    Display* display = QtX11Display();
    if (!display || window == 0) return;
    Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = activeWindow;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // source indication: a pager, which window managers obey
    event.xclient.data.l[1] = CurrentTime;
    TknXErrorTrap trap(display);  // the window may be gone
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

void TknDesktopInput::PopupPoint(int32_t& x, int32_t& y) {
    QPoint point = QCursor::pos();
    x = point.x();
    y = point.y();
}

bool TknDesktopInput::IsOwnWindow(uint64_t window) {
    if (window == 0) return false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->testAttribute(Qt::WA_WState_Created)) continue;
        if (static_cast<uint64_t>(widget->winId()) == window) return true;
    }
    return false;
}

}  // namespace qb
