#pragma once

// The platform services of the desktop program in one object: the desktop program makes one
// after the QApplication and before the main window; it points the core's timer center,
// hotkey center, screen and page images at Qt and X11, and takes them back when it goes.

#include <memory>

namespace qb {

class TknQtTimerPlatform;
class TknX11HotKeyPlatform;
class TknDesktopInput;
class TknScreen;

class TknPlatform {
  public:
    TknPlatform();
    ~TknPlatform();  // releases the timer and hotkey centers, then the platforms
    TknPlatform(const TknPlatform&) = delete;
    TknPlatform& operator=(const TknPlatform&) = delete;

    TknQtTimerPlatform& Timers() { return *FTimers; }
    TknX11HotKeyPlatform& HotKeys() { return *FHotKeys; }
    TknDesktopInput& DesktopInput() { return *FDesktopInput; }
    TknScreen& Screen() { return *FScreen; }

  private:
    std::unique_ptr<TknQtTimerPlatform> FTimers;
    std::unique_ptr<TknX11HotKeyPlatform> FHotKeys;
    std::unique_ptr<TknDesktopInput> FDesktopInput;
    std::unique_ptr<TknScreen> FScreen;
};

}  // namespace qb
