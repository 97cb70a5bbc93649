#pragma once

// Setting a list item's fields by field id, as the edit boxes set them from their controls:
// for scripts, and for the checks a box makes before it stores what the user typed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

class TPageSuper;

// A time rule's text is well formed: empty, "yyyy-MM-dd HH:mm", "@HH:mm[:ss]",
// "@w|m|y DAYS HH:mm[:ss]", "yyyy-MM-dd" or a period "yyyy-MM-dd...[yyyy-]MM-dd", with real
// dates and times. Reading is lenient (a missing part takes today's), so a typing error would
// otherwise be stored as some other moment without a word.
bool IsValidTimeText(std::u16string_view text);

// A hotkey as a text: empty or "0" for none, a key text such as "Ctrl+Alt+L", or the hotkey
// word in decimal. Nothing for a text that is none of these.
std::optional<uint16_t> ParseHotKeyValue(std::u16string_view text);

// Sets the field of the item: the title (25840 or 25230) of any item; a memo's time, action
// (0 reminder, 1 execute link, 2 none), description, sound (0/1), sound file and remark; a
// link's link, category (0 to 6), hotkey, abbreviation and remark; each contact field, the sex
// as 0 or 1; a template's text, hotkey, abbreviation and remark; a clip item's text. Editing a
// memo's time starts its reminder state afresh. Throws TknError with the reason for a field
// the item does not have or a value the field cannot take.
void SetItemField(TPageSuper& item, int32_t fieldId, std::u16string_view value);

}  // namespace qb
