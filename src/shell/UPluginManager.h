#pragma once

// The owner of the optional feature handlers: at start-up it creates exactly those the
// [ExtFuncs] options ask for, wires the shared popup and paste handlers into them, and frees
// them all when the main window closes. A change of those options takes effect at the next
// start.

#include <memory>

#include "features/UPasteHandler.h"

namespace qb {

class IClipConfirm;
class IItemPopup;
class IMainWindowState;
class IReminderWindows;
class IShell;
class ISoundPlayer;
class ITipWindow;
class TClipHandler;
class TFastLinkHandler;
class TLinkHandler;
class TMemoHandler;
class TMemoryDesktopInput;
class TPopupHandler;
class TTemplateHandler;
class TTipQuery;

// The platform services the handlers use, none owned. The GUI fills in its own; the CLI and
// tests in-memory ones. A service left empty is done without, as each says.
struct TPluginServices {
    IDesktopInput* Desktop = nullptr;  // none: a desktop that only records
    IItemPopup* Popup = nullptr;       // none: no item menu shows
    TPasteHandler::TPoster Post;       // none: a paste runs at once
    IClipConfirm* ClipConfirm = nullptr;
    IShell* Shell = nullptr;
    ISoundPlayer* Sound = nullptr;
    IReminderWindows* Reminders = nullptr;
    IMainWindowState* MainWindow = nullptr;
    ITipWindow* Tip = nullptr;  // none: the tip query shows nothing
};

class TPluginManager {
  public:
    TPluginManager();
    ~TPluginManager();  // Destroy
    TPluginManager(const TPluginManager&) = delete;
    TPluginManager& operator=(const TPluginManager&) = delete;

    // Installs the given services and creates the handlers the options ask for, those on
    // pages under the store's root. A second call without Destroy does nothing.
    void Create(const TPluginServices& services);
    // Frees every handler, those using the popup and paste handlers first, and takes back the
    // services it installed.
    void Destroy();

    TTemplateHandler* TemplateHandler() const { return FTemplate.get(); }
    TLinkHandler* LinkHandler() const { return FLink.get(); }
    TFastLinkHandler* FastLinkHandler() const { return FFastLink.get(); }
    TClipHandler* ClipHandler() const { return FClip.get(); }
    TMemoHandler* MemoHandler() const { return FMemo.get(); }
    TPopupHandler* PopupHandler() const { return FPopup.get(); }
    TPasteHandler* PasteHandler() const { return FPaste.get(); }
    TTipQuery* TipQuery() const { return FTipQuery.get(); }

  private:
    void InstallServices(const TPluginServices& services, bool install);

    TPluginServices FServices;
    bool FCreated = false;
    std::unique_ptr<TMemoryDesktopInput> FRecordingDesktop;
    // In the order of the design; freed in Destroy's own order.
    std::unique_ptr<TTemplateHandler> FTemplate;
    std::unique_ptr<TLinkHandler> FLink;
    std::unique_ptr<TFastLinkHandler> FFastLink;
    std::unique_ptr<TClipHandler> FClip;
    std::unique_ptr<TMemoHandler> FMemo;
    std::unique_ptr<TPopupHandler> FPopup;
    std::unique_ptr<TPasteHandler> FPaste;
    std::unique_ptr<TTipQuery> FTipQuery;
};

}  // namespace qb
