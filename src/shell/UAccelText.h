#pragma once

// The accelerator entries of the main window: the built-in keys, the user's "accel.txt" on top
// of them, and the key texts ("Ctrl+Shift+F5") read into keys and written back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UVirtualKeys.h"

namespace qb {

// Modifier flags of a key, the same bits as the high byte of a hotkey word.
inline constexpr uint8_t akShift = 1;
inline constexpr uint8_t akControl = 2;
inline constexpr uint8_t akAlt = 4;

// The named keys are the virtual keys of UVirtualKeys.h; a character key is its upper-case
// character code.

struct TAccelKey {
    uint8_t Modifiers = 0;
    uint16_t Key = 0;
    // A character key's code can equal a named key's (vkDelete is "."), so the kind is kept.
    bool Named = false;
    bool operator==(const TAccelKey&) const = default;
};

// Reads a key text without regard to case: "CTRL", "SHIFT" and "ALT" anywhere add their
// modifier; the key is the part after the last "+": F1 to F12, ESC, DEL, INS, TAB, NEXT,
// PRIOR, LEFT, RIGHT, UP, DOWN, or one character. Anything else gives nothing.
std::optional<TAccelKey> ParseAccelKey(std::u16string_view text);
// The canonical text of a key, e.g. "Ctrl+Shift+F5", "Alt+Left", "Ctrl+N"; it reads back as
// the same key.
std::u16string FormatAccelKey(const TAccelKey& key);

struct TAccelEntry {
    int32_t Id = 0;
    std::u16string KeyText;  // shown in the menus whether or not it parses
    bool InTable = false;    // false: shown only, the key is left to the editor control
    bool operator==(const TAccelEntry&) const = default;
};
using TAccelEntries = std::vector<TAccelEntry>;

// The built-in entries, in their fixed order.
TAccelEntries DefaultAccelEntries();

// Applies the lines of an accelerator file: each "id=key text" line replaces the key text of
// that id or adds an entry, in the table either way. Lines without a command id (1 to 65535)
// before the "=" are skipped; their count is the result.
int ApplyAccelLines(TAccelEntries& entries, std::u16string_view fileText);
// The text of an accelerator file with the key of a command set: the command's first line
// takes the key (its later lines, which would override it, go), else a line is appended.
// Every other line stays as it was; all end in CR LF.
std::u16string SetAccelLine(std::u16string_view fileText, int32_t id, std::u16string_view keyText);

// ProgramFolder() + "accel.txt".
std::u16string AccelFileName();
// The file's text in any encoding the text files detect; empty when it does not exist.
std::u16string ReadAccelFile(const std::u16string& fileName);
// Writes the text as UTF-16 LE with the byte-order mark, replacing the file in one step.
void WriteAccelFile(const std::u16string& fileName, std::u16string_view text);
// The defaults with the file applied. A missing or unreadable file leaves the defaults.
TAccelEntries LoadAccelEntries(const std::u16string& fileName);

// The key text shown for a command, empty when it has none.
std::u16string AccelKeyText(const TAccelEntries& entries, int32_t id);

struct TAccelBinding {
    int32_t Id = 0;
    TAccelKey Key;
    bool operator==(const TAccelBinding&) const = default;
};
// The keys the window translates: the in-table entries whose text parses, in list order; a key
// already bound by an earlier entry stays with that one.
std::vector<TAccelBinding> AccelBindings(const TAccelEntries& entries);

}  // namespace qb
