#pragma once

// Readable texts for editor tests: "[" and "]" mark the selection ("|" an empty one), "{" the
// highlight opening marker and "}1" to "}4" the closing markers of styles 1 to 4, "\n" a line
// break.

#include <string>
#include <string_view>

#include "editor/UEditControl.h"

namespace qb::test {

std::u16string FromReadable(std::u16string_view readable);
std::u16string ToReadable(std::u16string_view inner);
// Loads the text with its selection marks.
void LoadMarked(IEditControl& control, std::u16string_view marked);
// The control's text with the selection marks, as LoadMarked reads it.
std::u16string ShowMarked(const IEditControl& control);

}  // namespace qb::test
