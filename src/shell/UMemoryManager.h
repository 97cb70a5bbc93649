#pragma once

// Remembered state between runs, kept in the same ini file as the options: window and
// mini-note rectangles, view toggles, the last search and find criteria, find and replace
// histories, the last choices of item dialogs and the save and backup counters.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UIniRecord.h"
#include "shell/UknClasses.h"

namespace qb {

struct TMemory {
    // [Window]
    int32_t WinPosX = 300;
    int32_t WinPosY = 200;
    int32_t WinPosWidth = 480;
    int32_t WinPosHeight = 400;
    int32_t WinStatus = 0;
    // [NotePos]
    int32_t NotePosX = 300;
    int32_t NotePosY = 200;
    int32_t NotePosWidth = 240;
    int32_t NotePosHeight = 200;
    // [Option]
    bool ShowTree = false;
    bool StayOnTop = false;
    bool Transparent = false;
    bool SpecialMode = false;
    bool WordWrap = true;
    bool WatchClipboard = false;
    std::u16string ToolButtons;  // ids joined by ","
    // [Memory]
    int32_t TreeWidth = 140;
    bool TreeHide = false;
    int32_t PageId = -10;
    int64_t SaveCount = 0;  // stored as decimal text
    int64_t LastBackupTime = 0;
    int32_t LastBackupSaveCount = 0;
    int32_t OptionPage = 15050;
    std::u16string IconFilePath;
    int32_t MemoTimeMode = 0;
    int32_t MemoAction = 0;
    bool MemoUseSound = false;
    std::u16string MemoSoundFile;
    int32_t LinkType = 0;
    int32_t InsertLinkType = 0;
    // [FindCrit]
    std::u16string FindText;
    std::u16string ReplaceText;
    bool AllowReplace = false;
    bool DirUp = false;
    bool MatchCase = false;
    bool WholeWord = false;
    bool RollBack = false;
    bool ExitAfterFirstMatch = false;
    bool HighlightMatch = true;
    // [SearchCrit]
    int32_t PageType = 1;
    int32_t Col = 25920;
    int32_t Opr = 2;
    std::u16string Value;
    // [FindHistory], [ReplaceHistory]: newest first
    std::vector<std::u16string> FindHistory;
    std::vector<std::u16string> ReplaceHistory;
};

// The screen the rectangles are fitted to, supplied by the GUI.
class IScreen {
  public:
    virtual ~IScreen() = default;
    virtual int32_t ScreenWidth() = 0;
    virtual int32_t ScreenHeight() = 0;
};
// Not owned; with none (the default) rectangles are read as stored.
void SetScreen(IScreen* screen);

// Width and height clamped to 20..screen size, then left to 0..screen width - width and top
// to 0..screen height - height.
void FitToScreen(int32_t& x, int32_t& y, int32_t& width, int32_t& height, int32_t screenWidth,
                 int32_t screenHeight);

class TMemoryManager : public TknMemory, public TMemory {
  public:
    TMemoryManager();  // OnCreate, then Load
    ~TMemoryManager() override;

    // Reads every key, then fits both rectangles to the screen.
    void Load() override;
    // Writes every key (SaveMemory asks the observers first).
    void Save() override;

    std::optional<std::u16string> ValueText(std::u16string_view section, std::u16string_view key);
    void SetValueText(std::u16string_view section, std::u16string_view key,
                      std::u16string_view text);

    static const std::vector<TIniKey<TMemory>>& Keys();
};

TMemoryManager& MemoryManager();
TMemoryManager* ExistingMemoryManager();
void ReleaseMemoryManager();

}  // namespace qb
