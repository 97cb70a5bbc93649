#pragma once

// Readable texts for editor tests: "[" and "]" mark the selection ("|" an empty one), "{" the
// highlight opening marker and "}1" to "}4" the closing markers of styles 1 to 4, "\n" a line
// break.

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "editor/UEditControl.h"
#include "shell/UknClasses.h"
#include "support/TestSupport.h"

namespace qb::test {

std::u16string FromReadable(std::u16string_view readable);
std::u16string ToReadable(std::u16string_view inner);
// Loads the text with its selection marks.
void LoadMarked(IEditControl& control, std::u16string_view marked);
// The control's text with the selection marks, as LoadMarked reads it.
std::u16string ShowMarked(const IEditControl& control);

// A fresh program folder and fresh shell globals (options, memory, centers) for every test.
class TEditorTest : public ::testing::Test {
  protected:
    TEditorTest() { ReleaseShellGlobals(); }
    ~TEditorTest() override { ReleaseShellGlobals(); }
    TTempFolder FFolder;
};

// Besides, a fresh page store in the program folder with the root and the group root.
class TStoreEditorTest : public TEditorTest {
  protected:
    TStoreEditorTest();
    ~TStoreEditorTest() override;
    // A new page of the type under the parent, named.
    int32_t Add(int32_t parent, uint8_t type, std::u16string_view name);
    int32_t FGroupRoot;
};

}  // namespace qb::test
