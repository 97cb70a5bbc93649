#include "toolkit/UknX11.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace qb {

namespace {
TknXErrorTrap* gInnermostTrap = nullptr;
}

Display* QtX11Display() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

unsigned long QtX11RootWindow() {
    Display* display = QtX11Display();
    return display ? DefaultRootWindow(display) : 0;
}

struct TknXErrorTrapHandler {
    static int Handle(Display*, XErrorEvent* error) {
        if (gInnermostTrap) gInnermostTrap->FErrors.push_back(error->error_code);
        return 0;
    }
};

TknXErrorTrap::TknXErrorTrap(Display* display) : FDisplay(display), FOuter(gInnermostTrap) {
    // Errors of requests made before the trap belong to whoever made them.
    XSync(FDisplay, False);
    gInnermostTrap = this;
    FOldHandler = reinterpret_cast<void*>(XSetErrorHandler(&TknXErrorTrapHandler::Handle));
}

TknXErrorTrap::~TknXErrorTrap() {
    XSync(FDisplay, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(FOldHandler));
    gInnermostTrap = FOuter;
}

const std::vector<int>& TknXErrorTrap::Sync() {
    XSync(FDisplay, False);
    return FErrors;
}

bool TknXErrorTrap::Has(int errorCode) {
    for (int code : Sync())
        if (code == errorCode) return true;
    return false;
}

TknXProperty::TknXProperty(Display* display, unsigned long window, const char* name) {
    if (!display || !window) return;
    Atom property = XInternAtom(display, name, True);
    if (property == None) return;
    Atom type = None;
    unsigned long after = 0;
    TknXErrorTrap trap(display);  // the window may be gone
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                           &FFormat, &FCount, &after, &FData) != Success) {
        FData = nullptr;
        FCount = 0;
    }
}

TknXProperty::~TknXProperty() {
    if (FData) XFree(FData);
}

unsigned long TknXProperty::First() const {
    if (!Valid() || FFormat != 32) return 0;
    // Xlib hands 32-bit items over as longs.
    return reinterpret_cast<const unsigned long*>(FData)[0];
}

}  // namespace qb
