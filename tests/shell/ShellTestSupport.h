#pragma once

// A fresh program folder and fresh shell globals for every test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UknClasses.h"
#include "support/TestSupport.h"

namespace qb::test {

struct TIniLine {
    std::u16string Section;
    std::u16string Key;
    std::u16string Value;
};
// The key lines of an ini file in file order (any encoding the text layer detects).
std::vector<TIniLine> ReadIniLines(const std::u16string& path);
// The value of section/key (exact spelling), or nullptr.
const TIniLine* FindIniLine(const std::vector<TIniLine>& lines, std::u16string_view section,
                            std::u16string_view key);

class TShellTest : public ::testing::Test {
  protected:
    TShellTest() { Reset(); }
    ~TShellTest() override { Reset(); }

    static void Reset() {
        ReleaseShellGlobals();
        SetOptionsDialog(nullptr);
        SetScreen(nullptr);
        SetSaveCenterFactory({});
    }

    std::u16string IniPath() const { return FFolder.File16("quillbox.ini"); }
    std::vector<TIniLine> IniLines() const { return ReadIniLines(IniPath()); }
    // Lines given with "\n" are written with CR LF.
    void WriteIni(std::string_view utf8) const;

    TTempFolder FFolder;
};

}  // namespace qb::test
