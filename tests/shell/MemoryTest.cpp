#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "foundation/UknStrUtils.h"
#include "shell/UInMemoryPlatform.h"

namespace qb::test {

using MemoryTest = TShellTest;

TEST_F(MemoryTest, DefaultsAndTheKeysOfAFirstSave) {
    TMemoryManager& m = MemoryManager();
    EXPECT_EQ(m.WinPosX, 300);
    EXPECT_EQ(m.WinPosHeight, 400);
    EXPECT_EQ(m.NotePosWidth, 240);
    EXPECT_TRUE(m.WordWrap);
    EXPECT_EQ(m.PageId, -10);
    EXPECT_EQ(m.SaveCount, 0);
    EXPECT_EQ(m.OptionPage, 15050);
    EXPECT_TRUE(m.HighlightMatch);
    EXPECT_EQ(m.Col, 25920);
    EXPECT_EQ(m.Opr, 2);
    EXPECT_EQ(m.PageType, 1);

    m.Save();
    std::vector<std::u16string> written;
    for (const auto& l : IniLines()) written.push_back(l.Section + u"/" + l.Key);
    const std::vector<std::u16string> expected = {
        u"Window/WinPosX",
        u"Window/WinPosY",
        u"Window/WinPosWidth",
        u"Window/WinPosHeight",
        u"Window/WinStatus",
        u"NotePos/NotePosX",
        u"NotePos/NotePosY",
        u"NotePos/NotePosWidth",
        u"NotePos/NotePosHeight",
        u"Option/ShowTree",
        u"Option/StayOnTop",
        u"Option/Transparent",
        u"Option/SpecialMode",
        u"Option/WordWrap",
        u"Option/WatchClipboard",
        u"Option/ToolButtons",
        u"Memory/TreeWidth",
        u"Memory/TreeHide",
        u"Memory/PageId",
        u"Memory/SaveCount",
        u"Memory/LastBackupTime",
        u"Memory/LastBackupSaveCount",
        u"Memory/OptionPage",
        u"Memory/IconFilePath",
        u"Memory/MemoTimeMode",
        u"Memory/MemoAction",
        u"Memory/MemoUseSound",
        u"Memory/MemoSoundFile",
        u"Memory/LinkType",
        u"Memory/InsertLinkType",
        u"FindCrit/FindText",
        u"FindCrit/ReplaceText",
        u"FindCrit/AllowReplace",
        u"FindCrit/DirUp",
        u"FindCrit/MatchCase",
        u"FindCrit/WholeWord",
        u"FindCrit/RollBack",
        u"FindCrit/ExitAfterFirstMatch",
        u"FindCrit/HighlightMatch",
        u"SearchCrit/PageType",
        u"SearchCrit/Col",
        u"SearchCrit/Opr",
        u"SearchCrit/Value",
        u"FindHistory/ItemCount",
        u"ReplaceHistory/ItemCount",
    };
    EXPECT_EQ(written, expected);
}

TEST_F(MemoryTest, ValuesAndHistoriesSurviveASaveAndAReload) {
    TMemoryManager& m = MemoryManager();
    m.SaveCount = 9000000000LL;  // beyond 32 bits: kept as decimal text
    m.LastBackupTime = 222000000;
    m.ToolButtons = u"1010,0,1110";
    m.FindHistory = {u"newest", u"older one", u"tab\tinside", u" padded ", u"\"quoted\"", u""};
    m.FindText = u"word ";  // blanks at the ends survive the file
    m.ReplaceHistory = {u"x"};
    m.Value = u"search value";
    m.Save();
    std::vector<TIniLine> lines = IniLines();
    EXPECT_EQ(FindIniLine(lines, u"Memory", u"SaveCount")->Value, u"9000000000");
    EXPECT_EQ(FindIniLine(lines, u"FindHistory", u"ItemCount")->Value, u"6");
    EXPECT_EQ(FindIniLine(lines, u"FindHistory", u"Item1")->Value, u"older one");

    const std::vector<std::u16string> history = m.FindHistory;
    ReleaseMemoryManager();
    TMemoryManager& again = MemoryManager();
    EXPECT_EQ(again.SaveCount, 9000000000LL);
    EXPECT_EQ(again.LastBackupTime, 222000000);
    EXPECT_EQ(again.ToolButtons, u"1010,0,1110");
    EXPECT_EQ(again.FindHistory, history);
    EXPECT_EQ(again.ReplaceHistory, (std::vector<std::u16string>{u"x"}));
    EXPECT_EQ(again.Value, u"search value");
    EXPECT_EQ(again.FindText, u"word ");

    // A shorter list leaves the old item keys; the count decides what is read.
    again.FindHistory = {u"only"};
    again.Save();
    ReleaseMemoryManager();
    EXPECT_EQ(MemoryManager().FindHistory, (std::vector<std::u16string>{u"only"}));
}

TEST_F(MemoryTest, RectanglesAreFittedToTheScreen) {
    struct TCase {
        int32_t X, Y, W, H;
        int32_t FitX, FitY, FitW, FitH;
    };
    // Screen 1024 x 768.
    const std::vector<TCase> cases = {
        {300, 200, 480, 400, 300, 200, 480, 400},    // fits: unchanged
        {1800, 1000, 480, 400, 544, 368, 480, 400},  // saved on a larger screen
        {-50, -20, 480, 400, 0, 0, 480, 400},        // off the top left
        {0, 0, 3000, 2000, 0, 0, 1024, 768},         // larger than the screen
        {10, 10, 5, -7, 10, 10, 20, 20},             // too small
        {1020, 760, 20, 20, 1004, 748, 20, 20},      // the last pixel column
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y) + " " + std::to_string(c.W) +
                     "x" + std::to_string(c.H));
        int32_t x = c.X, y = c.Y, w = c.W, h = c.H;
        FitToScreen(x, y, w, h, 1024, 768);
        EXPECT_EQ((std::vector<int32_t>{x, y, w, h}),
                  (std::vector<int32_t>{c.FitX, c.FitY, c.FitW, c.FitH}));
    }

    WriteIni(
        "[Window]\nWinPosX=1800\nWinPosY=1000\nWinPosWidth=480\nWinPosHeight=400\n"
        "[NotePos]\nNotePosX=-5\nNotePosY=900\nNotePosWidth=5000\nNotePosHeight=200\n");
    TFixedScreen screen(1024, 768);
    SetScreen(&screen);
    TMemoryManager& m = MemoryManager();
    EXPECT_EQ((std::vector<int32_t>{m.WinPosX, m.WinPosY, m.WinPosWidth, m.WinPosHeight}),
              (std::vector<int32_t>{544, 368, 480, 400}));
    EXPECT_EQ((std::vector<int32_t>{m.NotePosX, m.NotePosY, m.NotePosWidth, m.NotePosHeight}),
              (std::vector<int32_t>{0, 568, 1024, 200}));

    // Without a screen (or with a broken one) the stored rectangle is kept.
    ReleaseMemoryManager();
    screen.Width = 0;
    EXPECT_EQ(MemoryManager().WinPosX, 1800);
    ReleaseMemoryManager();
    SetScreen(nullptr);
    EXPECT_EQ(MemoryManager().WinPosX, 1800);
}

TEST_F(MemoryTest, SavingMemoryKeepsTheOptionsInTheSameFile) {
    OptionManager().AutoSaveTime = 20;
    OptionManager().Save();
    MemoryManager().TreeWidth = 321;
    MemoryManager().Save();
    OptionManager().Save();
    ReleaseShellGlobals();
    EXPECT_EQ(OptionManager().AutoSaveTime, 20);
    EXPECT_EQ(MemoryManager().TreeWidth, 321);
}

}  // namespace qb::test
