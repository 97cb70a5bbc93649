#pragma once

// The template handler: pastes template items into the program in front, with their
// placeholders expanded, from the items' own hotkeys (and, through the paste machinery of the
// clipboard feature, from its popup and digit hotkeys).

#include <cstdint>
#include <string>

#include "features/UItemHotKeys.h"
#include "features/UTemplatePage.h"
#include "shell/UknClasses.h"

namespace qb {

inline constexpr int32_t evTemplateHotKeySet = 3068;    // wparam: the item, lparam: the hotkey
inline constexpr int32_t evTemplateItemDeleted = 3075;  // wparam: the item

inline constexpr uint8_t vkShift = 0x10;
inline constexpr uint8_t vkControl = 0x11;
inline constexpr uint8_t vkAlt = 0x12;

// The keyboard and the pasting into the foreground program, as templates need them.
class ITemplatePasteSite {
  public:
    virtual ~ITemplatePasteSite() = default;
    virtual bool KeyHeld(uint8_t virtualKey) = 0;
    virtual void KeyUp(uint8_t virtualKey) = 0;
    virtual void Pause(uint32_t milliseconds) = 0;
    // Hands the text to the paste handler, tokens processed in template mode.
    virtual void Paste(const std::u16string& text, bool templateMode) = 0;
};
// Not owned; none (the default): nothing is pasted.
void SetTemplatePasteSite(ITemplatePasteSite* site);

class TTemplateHandler : public IEventObserver {
  public:
    // Registers the hotkey of every template item, then listens to events.
    TTemplateHandler();
    ~TTemplateHandler() override;
    TTemplateHandler(const TTemplateHandler&) = delete;
    TTemplateHandler& operator=(const TTemplateHandler&) = delete;

    static constexpr uint8_t PageType = ptTemplate;
    static constexpr int32_t CaptionId = 25370;  // "Template"
    static constexpr int32_t CommandId = 1750;   // opens the template page
    static constexpr int32_t ItemCommandBase = 5000;
    // The popup hotkey and whether the digits 1 to 9 paste items.
    static uint16_t PopupHotKey();
    static bool ItemHotKeysEnabled();

    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;

    // Pastes the item's text with its placeholders expanded; no template item, no paste.
    void PasteItem(int32_t itemId);

  private:
    // An item's own hotkey: its key and the held modifiers are released first, so that the
    // receiving program does not take the paste for a shortcut.
    void ItemHotKeyPressed(TTemplateItem& item, uint16_t hotKey);

    TItemHotKeys FHotKeys;
};

}  // namespace qb
