#pragma once

// What the options dialog shows: its panels, the option each control edits, the ranges and
// choices a control offers, and the conversions between a stored value and what the control
// shows. The window side builds its controls from this table and does nothing else with the
// values, so that every rule here is testable without a display.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UOptionManager.h"
#include "shell/UknHotKeyCenter.h"

namespace qb {

enum class TOptionKind : uint8_t {
    Check,         // a bool
    Number,        // an int: a spin box, or an editable list when Presets are given
    Choice,        // an int or a bool: a list of fixed choices
    Text,          // a one-line string
    Password,      // a one-line string shown masked
    Folder,        // a path, with a folder browser; stored relative inside the program folder
    Program,       // a path, with a file browser
    HotKey,        // a hotkey word
    Colour,        // an RGB colour
    Font,          // a whole font section (Section names it, Key is null)
    Lines,         // the user-function list
    Language,      // the interface language name
    StartPage,     // a page id, -1 for none
    Dictionaries,  // SelDictList and AllDictList together
    Remark,        // a text only
};

struct TOptionChoice {
    int32_t TextId;
    int32_t Value;
};

struct TOptionEntry {
    TOptionKind Kind;
    int32_t TextId;           // the caption (a check box's own text)
    const char16_t* Section;  // the option's ini section
    const char16_t* Key;      // its key; null for a font or list section and a remark
    int32_t Min = 0;          // Number: the range a typed value is kept in (shown units)
    int32_t Max = 0;
    // Number: when set, Min - 1 (in stored units) means "off" and shows this text.
    int32_t OffTextId = 0;
    int32_t Scale = 1;                  // Number: stored = shown * Scale
    std::vector<int32_t> Presets = {};  // Number: values offered in the list
    std::vector<TOptionChoice> Choices = {};
    const char16_t* Suffix = nullptr;  // Number: unit text after the value
    bool SameRow = false;              // placed beside the previous entry's control
};

struct TOptionPanel {
    int32_t TextId;  // also the panel's key in the remembered OptionPage
    std::vector<TOptionEntry> Entries;
};

// Text ids of the dialog itself.
inline constexpr int32_t kOptionsCaptionId = 15000;
inline constexpr int32_t kOkTextId = 15001;
inline constexpr int32_t kCancelTextId = 15002;
inline constexpr int32_t kBrowseTextId = 15003;
inline constexpr int32_t kFontButtonTextId = 15004;
inline constexpr int32_t kFontColourTextId = 15005;
inline constexpr int32_t kBackColourTextId = 15006;
inline constexpr int32_t kMoveUpTextId = 15008;
inline constexpr int32_t kMoveDownTextId = 15009;
inline constexpr int32_t kNoHotKeyTextId = 25132;  // "None"
inline constexpr int32_t kDefaultLanguageTextId = 15501;
inline constexpr int32_t kNoStartPageTextId = 25132;
inline constexpr int32_t kDictConvertTextId = 15595;
inline constexpr int32_t kFirstPanelId = 15050;  // "Program Settings"

// The panels in the order shown.
const std::vector<TOptionPanel>& OptionPanels();
// The panel with that text id; null when none has it (a remembered id of another version).
const TOptionPanel* FindOptionPanel(int32_t textId);

// The record's field an entry edits; valueless for fonts, dictionaries and remarks.
std::optional<TFieldRef> OptionField(const TOptionEntry& entry, TOptions& options);
// The font section an entry edits; null when it is no font entry.
TFontSettings* OptionFont(const TOptionEntry& entry, TOptions& options);

// Integer view of an int or bool field (bools as 1/0); fields of other types read 0.
int32_t FieldInt(TFieldRef field);
void SetFieldInt(TFieldRef field, int32_t value);

// Number entries: the value a control shows for a stored one, the stored value for a shown one
// (kept in the entry's range; "off" stays off), and the text of an editable list's item.
int32_t ShownNumber(const TOptionEntry& entry, int32_t stored);
int32_t StoredNumber(const TOptionEntry& entry, int32_t shown);
bool IsOffNumber(const TOptionEntry& entry, int32_t stored);
// A typed text: a whole number is kept in range, the off text (as given) means off; anything
// else gives nullopt, and the control keeps its value.
std::optional<int32_t> ParseShownNumber(const TOptionEntry& entry, std::u16string_view text,
                                        std::u16string_view offText);
// The lowest value a spin box offers: Min, or Min - 1 standing for "off".
int32_t SpinMinimum(const TOptionEntry& entry);

// Choice entries: the list position of a stored value (0 for a value no choice has).
int ChoiceIndex(const TOptionEntry& entry, int32_t value);

// Hotkey words: modifier flags in the high byte (shift 1, control 2, alt 4), key in the low.
inline constexpr uint8_t kHotKeyShift = 1;
inline constexpr uint8_t kHotKeyControl = 2;
inline constexpr uint8_t kHotKeyAlt = 4;
THotKey MakeHotKey(uint8_t modifiers, uint8_t virtualKey);
// The word's own modifier flags (not the platform's, see HotKeyModifiers of the hotkey center).
inline uint8_t HotKeyFlags(THotKey key) {
    return static_cast<uint8_t>((key >> 8) & (kHotKeyShift | kHotKeyControl | kHotKeyAlt));
}

// The user-function lines as the dialog keeps them: each trimmed, empty ones dropped, a
// leading "#" removed.
std::vector<std::u16string> CleanUserFunctions(std::u16string_view text);

// A path as stored: inside the program folder relative (".\" + the rest), else as given.
std::u16string StoredPath(std::u16string_view path);

// The languages offered: "Chinese", "English" and every "lang/NAME.lng" of the program
// folder, each once (without regard to case), sorted.
std::vector<std::u16string> LanguageChoices();

// One dictionary of the dictionary panel.
struct TDictChoice {
    std::u16string FileName;  // in the dict folder
    std::u16string Title;     // the file's header, or the file name when it has none
    bool Selected = false;
};
// The list the panel shows: the selected dictionaries in look-up order, then the others in
// the order of allDictList. Titles come from the files' first lines.
std::vector<TDictChoice> DictionaryChoices(std::u16string_view selDictList,
                                           std::u16string_view allDictList);
// The panel's list back into the two options ("," between names).
void StoreDictionaryChoices(const std::vector<TDictChoice>& choices, TOptions& options);

// The rules between options applied when the dialog is confirmed: data-file encryption only
// with a login.
void NormalizeOptions(TOptions& options);

}  // namespace qb
