#pragma once

// Pasting text into the program in front: through the clipboard and a synthetic Ctrl+V, with
// the clipboard watcher told to let the program's own change pass. In template mode a text's
// "~" tokens become the selection of the target, a caret mark, and key presses.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/UknStack.h"
#include "shell/UDesktopInput.h"

namespace qb {

// A key token repeats its key at most this often, whatever count it names.
inline constexpr int kMaxKeyRepeat = 1000;

// Releases each of Alt, Ctrl and Shift that is held (a key-up event), each followed by a pause
// of `pauseMs` (none for 0).
void ReleaseHeldModifiers(IDesktopInput& desktop, uint32_t pauseMs);

// Ctrl + key as key events, then a pause for the program in front to act on it.
void SendShortcut(IDesktopInput& desktop, uint8_t key);
// The selection of the program in front, copied with Ctrl+C (the watcher ignoring the change)
// once any held modifier is released; what the clipboard then holds.
std::u16string CopySelection(IDesktopInput& desktop);
// The selection of the program in front copied with Ctrl+C, trimmed, with the clipboard
// emptied first so that a stale text is not taken for it, and the copy waited for a moment.
// When nothing was copied, or with `restoreAlways`, the clipboard gets back what it held.
std::u16string CopySelectionAside(IDesktopInput& desktop, bool restoreAlways);
// The text selected in the program in front, trimmed: the platform's selection buffer when it
// holds a text (no key is sent: Ctrl+C means something else to a terminal), else the copy.
std::u16string SelectedText(IDesktopInput& desktop, bool restoreAlways);

class TPasteHandler {
  public:
    // Runs a call later, from the GUI's event loop, once the code that asked for it has
    // finished (the hotkey or the menu choice). None: the call runs at once.
    using TPoster = std::function<void(std::function<void()> call)>;

    explicit TPasteHandler(IDesktopInput& desktop, TPoster poster = {});
    TPasteHandler(const TPasteHandler&) = delete;
    TPasteHandler& operator=(const TPasteHandler&) = delete;

    // Queues the text and posts its paste. Texts queued together are pasted one per posted
    // call, each but the last followed by a line break.
    void Paste(std::u16string text, bool templateMode);
    // A posted call: pastes the next queued text into the program in front.
    void PasteNext();

    // The tray menu's focus bookkeeping: the mouse over the tray icon remembers the window in
    // front (not one of the program's own); the closed menu marks the focus as handed away,
    // so that the next paste brings that window back first.
    void RememberForeground();
    void MenuClosed() { FFocusHandedAway = true; }

    IDesktopInput& Desktop() const { return FDesktop; }

  private:
    void BringBackForeground();
    void PasteTemplate(std::u16string text);
    // Puts the text on the clipboard (the watcher ignoring it) and sends Ctrl+V; an empty
    // text is not pasted.
    void PastePlain(std::u16string_view text);
    void PressKey(uint8_t key, int times);

    IDesktopInput& FDesktop;
    TPoster FPoster;
    TknStrQueue FQueue;
    bool FTemplateMode = false;
    bool FFocusHandedAway = false;
    uint64_t FForeground = 0;
    // Posted calls check it, so that one arriving after the handler has gone does nothing.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace qb
