#pragma once

// What the editor's text control does on its own, written once over the control interface so
// that the Qt control and the in-memory control behave the same: line prefixes (lists and the
// Tab indentation of several lines), Enter with auto indent and auto empty line, and the find
// engine.

#include <string>
#include <string_view>

#include "editor/UEditControl.h"

namespace qb {

// Adds or removes `prefix` at the start of every non-blank line the selection touches, after
// the line's own indentation; an empty prefix means numbering ("1. ", "2. ", ...). The
// selection first grows back to the start of its first line. One undoable step.
void LinePrefix(IEditControl& control, bool add, std::u16string_view prefix);

// Enter as the control handles it once the key hook has let it through.
void EnterKey(IEditControl& control, bool autoIndent, bool autoEmptyLine);

// Tab and Shift+Tab over a selection holding a line break indent or unindent its lines and
// return true; otherwise they return false and the key is the control's ordinary Tab.
bool TabKey(IEditControl& control, bool shift);

}  // namespace qb
