#pragma once

// The main window's side of the tray features: the reminder windows and their sound, the
// popup menu of items, the tip of the tip query, the Clear Clipboard question and the window
// state that opening a link may minimize, handed to the plug-in manager's handlers; and the
// mini-note handler with its note windows.

#include <memory>

#include "features/UClipHandler.h"
#include "features/ULinkHandler.h"
#include "features/ui/UExtPopupMenu.h"
#include "features/ui/UNoteBox.h"
#include "features/ui/UReminderPopupBox.h"
#include "features/ui/UTipQueryWindow.h"
#include "shell/UPluginManager.h"
#include "toolkit/UknSound.h"

namespace qb {

class TknWindow;

class TMainFormTray : public IMainWindowState, public IClipConfirm {
  public:
    explicit TMainFormTray(TknWindow& window);
    ~TMainFormTray() override;
    TMainFormTray(const TMainFormTray&) = delete;
    TMainFormTray& operator=(const TMainFormTray&) = delete;

    // The services of the plug-in manager, pastes posted to the event loop.
    TPluginServices Services(IDesktopInput& desktop, IShell& shell);

    // The mini-note handler lives beside the note windows it opens; the main window makes it
    // after the plug-ins, over the same desktop input, and frees it before them.
    void CreateNoteHandler(IDesktopInput& desktop);
    // Closes the open note windows first, so that their texts become notes.
    void DestroyNoteHandler();

    TNoteHandler* NoteHandler() const { return FNoteHandler.get(); }
    TNoteWindows& NoteWindows() { return FNoteWindows; }
    TReminderWindows& ReminderWindows() { return FReminders; }
    TExtPopupMenu& PopupMenu() { return FPopup; }
    TTipQueryWindow& TipWindow() { return FTip; }

    bool IsMinimized() override;
    void Minimize() override;
    // The question of Clear Clipboard: OK / Cancel, titled "Prompt".
    bool Confirm(std::u16string_view question) override;

  private:
    TknWindow& FWindow;
    TknSoundPlayer FSound;
    TReminderWindows FReminders;
    TExtPopupMenu FPopup;
    TTipQueryWindow FTip;
    TNoteWindows FNoteWindows;
    std::unique_ptr<TNoteHandler> FNoteHandler;
};

}  // namespace qb
