#pragma once

// Mini-notes and snapped text: global hotkeys that catch the selected text of any program into
// a new note or the current text page, "Auto Record" that snaps every new clipboard text, and
// the note windows, whose text becomes a note when they close. The windows, the message
// display and the file dialog are the GUI's, reached through INoteUi.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "features/UClipHandler.h"
#include "shell/UDesktopInput.h"
#include "shell/UknClasses.h"

namespace qb {

inline constexpr int32_t cmNewNotePage = 1010;
inline constexpr int32_t cmNewNote = 1975;
inline constexpr int32_t cmAutoRecord = 1980;
inline constexpr int32_t evAppendText = 3078;  // the shared text goes to the end of the page

// Hotkey ids of the handler.
inline constexpr uint32_t hkNewNote = 1;
inline constexpr uint32_t hkNewNoteInBackground = 2;
inline constexpr uint32_t hkSnapText = 3;
inline constexpr uint32_t hkNewNoteAndSnap = 4;
inline constexpr uint32_t hkCloseNote = 15306;
inline constexpr uint32_t hkAutoRecord = 15307;
inline constexpr uint32_t hkSnapToFile = 15346;

// A report of the main window's message display: the label, a line break and the text, a
// text of 501 characters or more cut to its first 500, a line break and "...".
std::u16string SnapReport(std::u16string_view label, std::u16string_view text);

// A page's text with a text appended: after a line break, the expanded separator line
// ("SepLine") and another line break, unless the page is empty.
std::u16string AppendedText(std::u16string_view pageText, std::u16string_view text);

struct TNoteRect {
    int32_t X, Y, Width, Height;
};

class INoteUi {
  public:
    virtual ~INoteUi() = default;
    // A new note window ("New Note") with the title preset, at the remembered rectangle. When
    // it closes, the GUI hands its text and rectangle to TNoteHandler::NoteClosed.
    virtual void OpenNoteWindow(std::u16string_view title) = 0;
    // Closes the most recently opened note window (as if the user had), if any is open.
    virtual void CloseLatestNoteWindow() = 0;
    virtual void Report(std::u16string_view text) = 0;
    // The save dialog "Save snapped text to file"; false when cancelled.
    virtual bool ChooseSnapFile(std::u16string& path) = 0;
};

class TNoteHandler : public ICommandExecutor,
                     public IOptionObserver,
                     public IHotkeyOwner,
                     public IClipObserver {
  public:
    // Registers with the command center, the option manager (which registers the hotkeys at
    // once) and the hotkey center. Neither is owned; without a UI nothing shows.
    TNoteHandler(IDesktopInput& desktop, INoteUi* ui);
    ~TNoteHandler() override;
    TNoteHandler(const TNoteHandler&) = delete;
    TNoteHandler& operator=(const TNoteHandler&) = delete;

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;
    void OptionChanged() override;
    void OnHotkey(uint32_t id, uint16_t hotKey) override;
    // Auto Record: every new clipboard text is snapped.
    void ClipboardChanged(std::u16string_view text) override;

    // The selected text of the program in front (its selection buffer first), trimmed; the
    // clipboard keeps what it held when nothing was selected.
    std::u16string Capture();
    // Appends the text to the text page in front, or to a new note when none is; the same
    // text twice in a row, or an empty one, is snapped once or not at all.
    void Snap(const std::u16string& text);
    // A note window has closed: a first line "@title" names the note made of the rest; an
    // empty window makes none. The rectangle is remembered for the next window.
    void NoteClosed(std::u16string_view windowText, const TNoteRect& rect);

    // A new note page, named automatically or with the title; its name, or none when no note
    // could be made. When nobody answers the new-page command, the note goes to the end of
    // the group root, so that a note window's text is never lost.
    std::optional<std::u16string> NewNote(std::u16string_view title);
    // The text goes to the end of the active text page (event 3078, taken by the editor that
    // shows it), then everything is saved. When no editor took it, it is appended to the
    // page's stored text as the editor would.
    static void AppendToActivePage(std::u16string_view text);

    bool AutoRecord() const { return FAutoRecord; }
    const std::u16string& LastSnapped() const { return FLastSnapped; }

  private:
    // A note at the end of the group root, made active.
    static TPageSuper* NoteInGroupRoot();
    void Report(std::u16string_view label, std::u16string_view text);
    void SetAutoRecord(bool on);
    void NewNoteWithText(std::u16string_view text);
    void SnapToFile(const std::u16string& text);

    IDesktopInput& FDesktop;
    INoteUi* FUi;
    std::u16string FLastSnapped;
    bool FAutoRecord = false;
};

}  // namespace qb
