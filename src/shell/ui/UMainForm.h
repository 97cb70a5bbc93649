#pragma once

// The program's one top-level window. It builds the rest of the interface in a fixed order,
// owns the window's status (normal, minimized or hidden in the tray, maximized), answers the
// show/hide hotkey and the tray icon, keeps the title in step with the active page, runs the
// program-level commands and tears everything down in a fixed order when the program closes.

#include <memory>

#include "model/UPageFactory.h"
#include "shell/UStatusHandler.h"
#include "shell/UknClasses.h"
#include "toolkit/UknWindow.h"

namespace qb {

class TBackupHandler;
class TIOHandler;
class TSpModeManager;
class TSpecialModeWindow;
class TknClipboardWatch;
class TknDesktopInput;
class TknTrackingTip;
class TPluginManager;
class TProcessShell;
class TMenuManager;
class TMainFormTray;
class TWorkSpacePanel;

// Program-level commands.
inline constexpr int32_t kExitCommand = 1210;
inline constexpr int32_t kShowTreeCommand = 1710;
inline constexpr int32_t kTransparentCommand = 1730;
inline constexpr int32_t kOptionsCommand = 1820;
inline constexpr int32_t kHelpCommand = 1910;
inline constexpr int32_t kHomePageCommand = 1920;
inline constexpr int32_t kForumCommand = 1930;
inline constexpr int32_t kAboutCommand = 1940;
inline constexpr int32_t kDonateCommand = 1950;
inline constexpr int32_t kRestoreCommand = 1960;
inline constexpr int32_t kEscapeCommand = 1310;
inline constexpr uint32_t kShowHideHotKeyId = 3059;
inline constexpr int32_t kEventTrayClick = 3060;
inline constexpr int32_t kEventTitleChanged = 3088;

class TMainForm : public TknWindow,
                  public IPageObserver,
                  public IHotkeyOwner,
                  public IEventObserver,
                  public ISizeObserver,
                  public IOptionObserver,
                  public IMemorizer,
                  public ICommandExecutor {
  public:
    // `minimizeArgument`: the command line asked to start minimized ("-m").
    explicit TMainForm(bool minimizeArgument = false);
    ~TMainForm() override;

    // A second start of the program asks this window to show itself.
    void ShowRequested();

    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) override;
    void OnHotkey(uint32_t id, uint16_t hotKey) override;
    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;
    void AdjustAppearance() override;
    void OptionChanged() override;
    void SaveMemory() override;
    void RestoreMemory() override;
    bool CheckCommand(int32_t) override { return true; }
    void ExecuteCommand(int32_t id) override;

    bool Initialized() const { return FInitialized; }
    bool Transparent() const { return FTransparent; }
    TWorkSpacePanel& Workspace() const { return *FWorkspace; }
    TSpModeManager& SpecialMode() const { return *FSpModeManager; }
    TMainFormTray& Tray() const { return *FTray; }
    TPluginManager& Plugins() const { return *FPluginManager; }

  protected:
    // Close becomes minimize with CloseMinimize; minimize hides with MinimizeToTray; maximize
    // and restore bring the window forward.
    void SysCommand(TSysCommand command) override;
    void StatusChanged(int status) override;
    void OnDestroy() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The paste handler's focus bookkeeping around the tray menu.
    void TrayMouseMove() override;
    void TrayMenuClosed() override;

  private:
    void MinimizeToTray();
    void RefreshTitle();
    void ApplyTransparency();
    void SwitchTree();
    void ShowOrMinimize();
    void OpenOptions();
    void OpenHelp(const QString& anchor);
    void ShowAbout();
    void ShowTip(const std::u16string& text);

    bool FMinimizeArgument;
    bool FMinimizeToTray = true;
    bool FCloseMinimize = false;
    bool FEscMinimize = true;
    bool FCaptionPageName = true;
    int32_t FTransparency = 5;
    bool FTransparent = false;
    bool FInitialized = false;
    bool FDestroyed = false;
    bool FExiting = false;  // Exit closes even when the close box only hides

    std::unique_ptr<TknClipboardWatch> FClipboardWatch;
    std::unique_ptr<TBackupHandler> FBackupHandler;
    std::unique_ptr<TMenuManager> FMenuManager;
    TWorkSpacePanel* FWorkspace = nullptr;  // a child widget
    std::unique_ptr<TSpecialModeWindow> FSpModeWindow;
    std::unique_ptr<TSpModeManager> FSpModeManager;
    std::unique_ptr<TknTrackingTip> FTip;
    std::unique_ptr<TknDesktopInput> FDesktopInput;  // the plug-ins' desktop
    std::unique_ptr<TProcessShell> FShell;
    std::unique_ptr<TMainFormTray> FTray;  // the tray features' windows
    std::unique_ptr<TPluginManager> FPluginManager;
    std::unique_ptr<TIOHandler> FIOHandler;
};

}  // namespace qb
