#include "shell/UMemoryManager.h"

#include <algorithm>
#include <memory>

#include "foundation/UknIniFile.h"
#include "shell/UOptionManager.h"

namespace qb {

namespace {

using TKey = TIniKey<TMemory>;

#define QB_MEM(section, key) \
    { section, u## #key, nullptr, kfNone, QB_INI_FIELD(TMemory, key) }
#define QB_MEM_LIST(section) \
    { u## #section, nullptr, nullptr, kfNone, QB_INI_FIELD(TMemory, section) }

constexpr const char16_t* kWindow = u"Window";
constexpr const char16_t* kNotePos = u"NotePos";
constexpr const char16_t* kOption = u"Option";
constexpr const char16_t* kMemory = u"Memory";
constexpr const char16_t* kFindCrit = u"FindCrit";
constexpr const char16_t* kSearchCrit = u"SearchCrit";

const std::vector<TKey>& MemoryKeys() {
    static const std::vector<TKey> keys = {
        QB_MEM(kWindow, WinPosX),          QB_MEM(kWindow, WinPosY),
        QB_MEM(kWindow, WinPosWidth),      QB_MEM(kWindow, WinPosHeight),
        QB_MEM(kWindow, WinStatus),

        QB_MEM(kNotePos, NotePosX),        QB_MEM(kNotePos, NotePosY),
        QB_MEM(kNotePos, NotePosWidth),    QB_MEM(kNotePos, NotePosHeight),

        QB_MEM(kOption, ShowTree),         QB_MEM(kOption, StayOnTop),
        QB_MEM(kOption, Transparent),      QB_MEM(kOption, SpecialMode),
        QB_MEM(kOption, WordWrap),         QB_MEM(kOption, WatchClipboard),
        QB_MEM(kOption, ToolButtons),

        QB_MEM(kMemory, TreeWidth),        QB_MEM(kMemory, TreeHide),
        QB_MEM(kMemory, PageId),           QB_MEM(kMemory, SaveCount),
        QB_MEM(kMemory, LastBackupTime),   QB_MEM(kMemory, LastBackupSaveCount),
        QB_MEM(kMemory, OptionPage),       QB_MEM(kMemory, IconFilePath),
        QB_MEM(kMemory, MemoTimeMode),     QB_MEM(kMemory, MemoAction),
        QB_MEM(kMemory, MemoUseSound),     QB_MEM(kMemory, MemoSoundFile),
        QB_MEM(kMemory, LinkType),         QB_MEM(kMemory, InsertLinkType),

        QB_MEM(kFindCrit, FindText),       QB_MEM(kFindCrit, ReplaceText),
        QB_MEM(kFindCrit, AllowReplace),   QB_MEM(kFindCrit, DirUp),
        QB_MEM(kFindCrit, MatchCase),      QB_MEM(kFindCrit, WholeWord),
        QB_MEM(kFindCrit, RollBack),       QB_MEM(kFindCrit, ExitAfterFirstMatch),
        QB_MEM(kFindCrit, HighlightMatch),

        QB_MEM(kSearchCrit, PageType),     QB_MEM(kSearchCrit, Col),
        QB_MEM(kSearchCrit, Opr),          QB_MEM(kSearchCrit, Value),

        QB_MEM_LIST(FindHistory),          QB_MEM_LIST(ReplaceHistory),
    };
    return keys;
}

#undef QB_MEM
#undef QB_MEM_LIST

IScreen*& Screen() {
    static IScreen* screen = nullptr;
    return screen;
}

std::unique_ptr<TMemoryManager>& Instance() {
    static std::unique_ptr<TMemoryManager> instance;
    return instance;
}

}  // namespace

void SetScreen(IScreen* screen) {
    Screen() = screen;
}

void FitToScreen(int32_t& x, int32_t& y, int32_t& width, int32_t& height, int32_t screenWidth,
                 int32_t screenHeight) {
    width = std::min(std::max(width, 20), screenWidth);
    height = std::min(std::max(height, 20), screenHeight);
    x = std::max(0, std::min(x, screenWidth - width));
    y = std::max(0, std::min(y, screenHeight - height));
}

TMemoryManager::TMemoryManager() {
    OnCreate();
    Load();
}

TMemoryManager::~TMemoryManager() {
    OnDestroy();
}

const std::vector<TIniKey<TMemory>>& TMemoryManager::Keys() {
    return MemoryKeys();
}

void TMemoryManager::Load() {
    TIniFileEx ini(IniFileName());
    ReadIniKeys(ini, MemoryKeys(), static_cast<TMemory&>(*this));
    if (IScreen* screen = Screen()) {
        int32_t w = screen->ScreenWidth(), h = screen->ScreenHeight();
        if (w <= 0 || h <= 0) return;  // no usable screen size: keep what was stored
        FitToScreen(WinPosX, WinPosY, WinPosWidth, WinPosHeight, w, h);
        FitToScreen(NotePosX, NotePosY, NotePosWidth, NotePosHeight, w, h);
    }
}

void TMemoryManager::Save() {
    TIniFileEx ini(IniFileName());
    ini.BeginUpdate();
    WriteIniKeys(ini, MemoryKeys(), static_cast<TMemory&>(*this));
    ini.EndUpdate();
}

std::optional<std::u16string> TMemoryManager::ValueText(std::u16string_view section,
                                                        std::u16string_view key) {
    return KeyValueText(MemoryKeys(), static_cast<TMemory&>(*this), section, key);
}

void TMemoryManager::SetValueText(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view text) {
    SetKeyValueText(MemoryKeys(), static_cast<TMemory&>(*this), section, key, text);
}

TMemoryManager& MemoryManager() {
    auto& instance = Instance();
    if (!instance) instance = std::make_unique<TMemoryManager>();
    return *instance;
}

TMemoryManager* ExistingMemoryManager() {
    return Instance().get();
}

void ReleaseMemoryManager() {
    std::unique_ptr<TMemoryManager> instance = std::move(Instance());
}

}  // namespace qb
