#include "toolkit/UknPlatform.h"

#include "toolkit/UknDesktopInput.h"
#include "toolkit/UknHotKeys.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknScreen.h"
#include "toolkit/UknTimers.h"

namespace qb {

TknPlatform::TknPlatform()
    : FTimers(std::make_unique<TknQtTimerPlatform>()),
      FHotKeys(std::make_unique<TknX11HotKeyPlatform>()),
      FDesktopInput(std::make_unique<TknDesktopInput>()),
      FScreen(std::make_unique<TknScreen>()) {
    SetTimerPlatform(FTimers.get());
    SetHotKeyPlatform(FHotKeys.get());
    SetScreen(FScreen.get());
    InstallPageImageSink();
}

TknPlatform::~TknPlatform() {
    SetScreen(nullptr);
    // The centers' timers and hotkeys go before the platforms they are set on.
    ReleaseTimerCenter();
    ReleaseHotKeyCenter();
    SetTimerPlatform(nullptr);
    SetHotKeyPlatform(nullptr);
}

}  // namespace qb
