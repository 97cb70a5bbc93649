#pragma once

// The tip query: a global hotkey that looks up the word selected in any program in the
// selected dictionaries and shows the meanings in a small tip near the mouse. The tip window
// is the GUI's, reached through ITipWindow.

#include <cstdint>
#include <string>
#include <string_view>

#include "features/UDictionary.h"
#include "shell/UDesktopInput.h"
#include "shell/UIniRecord.h"
#include "shell/UknClasses.h"

namespace qb {

inline constexpr int32_t evQuerySelection = 3086;  // a shown editor puts its selection in the slot

class ITipWindow {
  public:
    virtual ~ITipWindow() = default;
    // Near the mouse: the title in bold above the text, on the background colour.
    virtual void ShowTip(std::u16string_view title, std::u16string_view text, TColor color) = 0;
    virtual void HideTip() = 0;
};

class TTipQuery : public IOptionObserver, public IHotkeyOwner {
  public:
    static constexpr uint32_t HotKeyId = 0;
    // A selection longer than this is no word; its start is looked up.
    static constexpr size_t kMaxWord = 200;

    // Registers with the option manager, which registers the hotkey at once. Neither is
    // owned; without a tip window the look-up shows nothing.
    TTipQuery(IDesktopInput& desktop, ITipWindow* tip);
    ~TTipQuery() override;
    TTipQuery(const TTipQuery&) = delete;
    TTipQuery& operator=(const TTipQuery&) = delete;

    // Reads the dictionary settings and the tip colour again and re-registers the hotkey.
    void OptionChanged() override;
    void OnHotkey(uint32_t id, uint16_t hotKey) override;

    // The word selected where the user is: in the program's own window the editor's
    // selection; else (or when the editor has none) the platform's selection buffer; in
    // another program, when that is empty, a copy with Ctrl+C that leaves the clipboard as it
    // was. Trimmed.
    std::u16string SelectedWord();
    // Looks up the selected word and shows the meanings; no word hides the tip.
    void Query();

    TDictionary& Dictionary() { return FDictionary; }

  private:
    IDesktopInput& FDesktop;
    ITipWindow* FTip;
    TDictionary FDictionary;
    TColor FColor = Rgb(255, 255, 231);
};

}  // namespace qb
