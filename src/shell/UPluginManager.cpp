#include "shell/UPluginManager.h"

#include "features/UClipHandler.h"
#include "features/UCommonClasses.h"
#include "features/ULinkHandler.h"
#include "features/ULinkOpener.h"
#include "features/UMemoHandler.h"
#include "features/UTemplateHandler.h"
#include "features/UTipQuery.h"
#include "shell/UInMemoryPlatform.h"
#include "shell/UOptionManager.h"

namespace qb {

TPluginManager::TPluginManager() = default;

TPluginManager::~TPluginManager() {
    Destroy();
}

void TPluginManager::InstallServices(const TPluginServices& services, bool install) {
    // Only the services given are set, and only those are taken back.
    if (services.Shell) SetShell(install ? services.Shell : nullptr);
    if (services.Sound) SetSoundPlayer(install ? services.Sound : nullptr);
    if (services.Reminders) SetReminderWindows(install ? services.Reminders : nullptr);
    if (services.MainWindow) SetMainWindowState(install ? services.MainWindow : nullptr);
}

void TPluginManager::Create(const TPluginServices& services) {
    if (FCreated) return;
    FCreated = true;
    FServices = services;
    InstallServices(FServices, true);
    IDesktopInput* desktop = FServices.Desktop;
    if (!desktop) {
        FRecordingDesktop = std::make_unique<TMemoryDesktopInput>();
        desktop = FRecordingDesktop.get();
    }
    const TOptions& options = OptionManager().Options();
    if (options.EnableTemplate || options.EnableClipboard)
        FPaste = std::make_unique<TPasteHandler>(*desktop, FServices.Post);
    if (options.EnableTemplate || options.EnableClipboard || options.EnableLinkPage)
        FPopup = std::make_unique<TPopupHandler>(*desktop, FServices.Popup);
    if (options.EnableMemoPage) FMemo = std::make_unique<TMemoHandler>();
    if (options.EnableLinkPage) {
        FLink = std::make_unique<TLinkHandler>();
        FFastLink = std::make_unique<TFastLinkHandler>(kRootId, *FPopup);
    }
    if (options.EnableTemplate)
        FTemplate = std::make_unique<TTemplateHandler>(kRootId, *FPopup, *FPaste);
    if (options.EnableClipboard)
        FClip = std::make_unique<TClipHandler>(kRootId, *FPopup, *FPaste, FServices.ClipConfirm);
    if (options.EnableDictPage) FTipQuery = std::make_unique<TTipQuery>(*desktop, FServices.Tip);
}

void TPluginManager::Destroy() {
    if (!FCreated) return;
    FTipQuery.reset();
    FMemo.reset();
    FFastLink.reset();
    FLink.reset();
    FTemplate.reset();
    FClip.reset();
    FPaste.reset();
    FPopup.reset();
    FRecordingDesktop.reset();
    InstallServices(FServices, false);
    FServices = {};
    FCreated = false;
}

}  // namespace qb
