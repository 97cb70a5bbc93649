#pragma once

// Small RAII pieces over Xlib for the toolkit's X11 services. The display is Qt's own
// connection, so grabs made through it deliver their events to Qt's event loop; on a platform
// without X11 (offscreen, Wayland) there is none and every service quietly does nothing.

#include <cstdint>
#include <string>
#include <vector>

using Display = struct _XDisplay;

namespace qb {

// Qt's X11 display, or null when the application does not run on X11.
Display* QtX11Display();
// The root window of the default screen; 0 without X11.
unsigned long QtX11RootWindow();

// Catches the X errors of the requests made while it lives. The destructor (and Sync)
// flushes the requests and waits for the server, so every error has arrived by then. Traps
// nest; only the innermost sees errors.
class TknXErrorTrap {
  public:
    explicit TknXErrorTrap(Display* display);
    ~TknXErrorTrap();
    TknXErrorTrap(const TknXErrorTrap&) = delete;
    TknXErrorTrap& operator=(const TknXErrorTrap&) = delete;

    // Waits for the server; the error codes seen so far (BadAccess is 10).
    const std::vector<int>& Sync();
    bool Failed() { return !Sync().empty(); }
    bool Has(int errorCode);

  private:
    friend struct TknXErrorTrapHandler;
    Display* FDisplay;
    TknXErrorTrap* FOuter;
    void* FOldHandler;  // the Xlib handler to put back
    std::vector<int> FErrors;
};

// A window property read with XGetWindowProperty; the data are freed with XFree.
class TknXProperty {
  public:
    TknXProperty(Display* display, unsigned long window, const char* name);
    ~TknXProperty();
    TknXProperty(const TknXProperty&) = delete;
    TknXProperty& operator=(const TknXProperty&) = delete;

    bool Valid() const { return FData != nullptr && FCount > 0; }
    // The first item of a 32-bit (window, cardinal) property; 0 when there is none.
    unsigned long First() const;

  private:
    unsigned char* FData = nullptr;
    unsigned long FCount = 0;
    int FFormat = 0;
};

}  // namespace qb
