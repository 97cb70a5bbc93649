#include "shell/ui/UMenuManager.h"

#include <QMenuBar>

#include "shell/UMemoryManager.h"
#include "shell/UMenuModelToolbar.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UMenuManagerMenus.h"
#include "shell/ui/UToolbarDialog.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknToolBar.h"
#include "toolkit/UknTrayIcon.h"
#include "toolkit/UknWindow.h"

namespace qb {

TMenuManager::TMenuManager(TknWindow* owner) : FOwner(owner) {
    FAccelTable = std::make_unique<TAccelTable>(owner);
    FMainMenu = std::make_unique<TMainMenu>(owner, FAccelTable.get(), false);
    FAccelTable->SetMenu(FMainMenu.get());
    FPopupMainMenu = std::make_unique<TMainMenu>(owner, FAccelTable.get(), true);

    FToolBar = std::make_unique<TknToolBar>();
    FToolBar->ImageOf = [](int32_t id) { return TknIcons::Icon(id); };
    FToolBar->SetMenu(FMainMenu.get());
    FMainMenu->SetToolBar(FToolBar.get());
    FToolBar->OnContextMenu = [] {
        EventCenter().EventNotify(kContextMenuEvent, kToolBarMenuKind);
    };

    FPopupMenu = std::make_unique<TPopupMenu>(owner);
    FTrayMenu = std::make_unique<TTrayMenu>(owner);
    FTrayIcon = std::make_unique<TknTrayIcon>(owner, u"quillbox", kAppIconId);
    FTrayIcon->SetPopupMenu(FTrayMenu->TrayPopup());
    FTrayIcon->OnClick = [] { EventCenter().EventNotify(kTrayClickEvent); };

    if (owner) {
        owner->setMenuBar(MenuBar());
        owner->addToolBar(FToolBar.get());
        owner->SetTrayIcon(FTrayIcon.get());
    }

    OptionManager().AddObserver(this);
    MemoryManager().AddObserver(this);
    CommandCenter().AddExecutor(this);
    EventCenter().AddObserver(this);
    SizeCenter().AddObserver(this);
    CommandCenter().AddSender(FPopupMainMenu.get());
}

TMenuManager::~TMenuManager() {
    if (TknCommandCenter* commands = ExistingCommandCenter())
        commands->RemoveSender(FPopupMainMenu.get());
    if (TSizeManager* sizes = ExistingSizeCenter()) sizes->RemoveObserver(this);
    if (TknEventCenter* events = ExistingEventCenter()) events->RemoveObserver(this);
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
    if (TMemoryManager* memory = ExistingMemoryManager()) memory->RemoveObserver(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);

    if (FOwner) {
        FOwner->SetTrayIcon(nullptr);
        FOwner->removeToolBar(FToolBar.get());
        // The window schedules the bar's deletion; the main menu deletes it right away.
        FOwner->setMenuBar(nullptr);
    }
    FMainMenu->SetToolBar(nullptr);
    FToolBar.reset();
    FPopupMenu.reset();
    FTrayIcon.reset();
    FTrayMenu.reset();
    FPopupMainMenu.reset();
    FMainMenu.reset();
    FAccelTable.reset();
}

QMenuBar* TMenuManager::MenuBar() const {
    return qobject_cast<QMenuBar*>(FMainMenu->Handle());
}

void TMenuManager::AdjustAppearance() {
    const TOptions& options = OptionManager().Options();
    TSizeManager& sizes = SizeCenter();
    MenuBar()->setVisible(options.ShowMenuBar && sizes.RoomForMenuBar());
    FToolBar->setVisible(options.ShowToolBar && sizes.RoomForToolBar());
}

void TMenuManager::OptionChanged() {
    AdjustAppearance();
    FTrayIcon->Show(OptionManager().Options().ShowTrayIcon);
}

void TMenuManager::RestoreMemory() {
    BuildToolBar(MemoryManager().ToolButtons);
}

void TMenuManager::BuildToolBar(std::u16string_view text) {
    FToolBar->SetButtons(
        ToolButtonsFromText(text, [this](int32_t id) { return FMainMenu->ItemExists(id); }));
}

void TMenuManager::SetToolButtons(std::u16string_view text) {
    MemoryManager().ToolButtons = std::u16string(text);
    BuildToolBar(text);
}

void TMenuManager::DefineToolbar() {
    std::optional<std::u16string> text = qb::DefineToolbar(
        FOwner, [this](int32_t id) { return FMainMenu->ItemExists(id); }, FToolBar->Buttons(),
        [this](int32_t id) { return FMainMenu->GetItemText(id); });
    if (text) SetToolButtons(*text);
}

void TMenuManager::ExecuteCommand(int32_t id) {
    if (id == kDefineToolbarId) DefineToolbar();
}

void TMenuManager::EventNotify(int32_t event, int32_t wparam, int32_t) {
    if (event == kContextMenuEvent && wparam == kCaptionMenuKind)
        FPopupMainMenu->TrackPopup(kPopupFormMenuId, -1, -1);
}

}  // namespace qb
