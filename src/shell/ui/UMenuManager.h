#pragma once

// The owner of the main window's commands: the main menu (as the menu bar and as a popup
// copy), the accelerator table, the context menus, the toolbar, the tray menu and the tray
// icon. The main window creates it after the backup handler and frees it before its own end.

#include <memory>

#include "shell/UknClasses.h"

class QMenuBar;

namespace qb {

class TknWindow;
class TknToolBar;
class TknTrayIcon;
class TMainMenu;
class TPopupMenu;
class TTrayMenu;
class TAccelTable;

class TMenuManager : public IOptionObserver,
                     public IMemorizer,
                     public ICommandExecutor,
                     public IEventObserver,
                     public ISizeObserver {
  public:
    // Builds everything, puts the menu bar, the toolbar, the accelerators and the tray icon
    // on the owner and registers with the option, memory, command, event and size centers.
    explicit TMenuManager(TknWindow* owner);
    ~TMenuManager() override;
    TMenuManager(const TMenuManager&) = delete;
    TMenuManager& operator=(const TMenuManager&) = delete;

    TMainMenu& MainMenu() const { return *FMainMenu; }
    TMainMenu& PopupMainMenu() const { return *FPopupMainMenu; }
    TPopupMenu& PopupMenu() const { return *FPopupMenu; }
    TTrayMenu& TrayMenu() const { return *FTrayMenu; }
    TAccelTable& AccelTable() const { return *FAccelTable; }
    TknToolBar& ToolBar() const { return *FToolBar; }
    TknTrayIcon& TrayIcon() const { return *FTrayIcon; }
    QMenuBar* MenuBar() const;

    // Runs "Define Toolbar"; when confirmed the buttons are remembered and rebuilt.
    void DefineToolbar();
    // Remembers a ToolButtons text and builds the toolbar from it.
    void SetToolButtons(std::u16string_view text);

    // The menu bar and the toolbar are shown when their options are on and the window has
    // room for them; OptionChanged also shows or removes the tray icon.
    void OptionChanged() override;
    void AdjustAppearance() override;
    void SaveMemory() override {}
    // Builds the toolbar from the remembered buttons.
    void RestoreMemory() override;
    bool CheckCommand(int32_t) override { return true; }
    // 1810: Define Toolbar.
    void ExecuteCommand(int32_t id) override;
    // 3051 with kind 7 (the caption, no menu bar): the popup main menu at the cursor.
    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;

  private:
    void BuildToolBar(std::u16string_view text);

    TknWindow* FOwner;
    std::unique_ptr<TAccelTable> FAccelTable;
    std::unique_ptr<TMainMenu> FMainMenu;
    std::unique_ptr<TMainMenu> FPopupMainMenu;
    std::unique_ptr<TknToolBar> FToolBar;
    std::unique_ptr<TPopupMenu> FPopupMenu;
    std::unique_ptr<TTrayMenu> FTrayMenu;
    std::unique_ptr<TknTrayIcon> FTrayIcon;
};

}  // namespace qb
