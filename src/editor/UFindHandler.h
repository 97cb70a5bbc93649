#pragma once

// The find and replace commands of the editor: the find engine on the editor's control, the
// answers shown to the user, and the settings and histories remembered between runs.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/UknRichEditClasses.h"
#include "shell/UMemoryManager.h"
#include "shell/UknClasses.h"

namespace qb {

constexpr int32_t cmFindReplace = 1450;
constexpr int32_t cmSubsequentFind = 1460;
constexpr int32_t cmFindNext = 1462;
constexpr int32_t cmFindPrevious = 1464;
constexpr int32_t cmReplaceFindNext = 1466;
constexpr int32_t cmReplaceFindPrevious = 1468;
constexpr int32_t cmReplaceAll = 1470;
constexpr int32_t cmHighlightMatch = 1480;
constexpr int32_t evSearchStringChanged = 3087;

// What the find commands need of the windows: the dialog and two kinds of message box.
class IFindUi {
  public:
    virtual ~IFindUi() = default;
    virtual void ShowFindBox() = 0;
    virtual void Inform(std::u16string_view message) = 0;    // titled "Information"
    virtual bool Confirm(std::u16string_view question) = 0;  // titled "Prompt", OK and Cancel
};

// The find dialog's fields as the user left them.
struct TFindBoxValues {
    std::u16string FindText;
    bool AllowReplace = false;
    std::u16string ReplaceText;
    bool MatchCase = false;
    bool WholeWord = false;
    bool RollBack = false;
    bool DirUp = false;
    bool WithinSelection = false;
    bool HighlightMatch = true;
};

// Moves `text` to the top of a newest-first history, dropping an equal older entry and the
// entries beyond the newest HistoryLimit.
constexpr size_t HistoryLimit = 30;
void AddToHistory(std::vector<std::u16string>& history, std::u16string_view text);

// The editor client hands it the find commands. Registered for its lifetime with the memory
// manager, which remembers its settings and histories, and with the event center, through which
// the search page hands over its search string (event 3087).
class TFindHandler : public ICommandExecutor, public IMemorizer, public IEventObserver {
  public:
    TFindHandler(IEditControl& control, IFindUi& ui);
    ~TFindHandler() override;
    TFindHandler(const TFindHandler&) = delete;
    TFindHandler& operator=(const TFindHandler&) = delete;

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

    // The dialog's fields into the engine (before each of its actions).
    void ReadFindBox(const TFindBoxValues& box);
    void SetFindBoxOpen(bool open) { FFindBoxOpen = open; }
    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;

    // The remembered settings and histories, to and from the memory manager.
    void SaveMemory() override;
    void RestoreMemory() override;

    TknRichEditFindHandler& Engine() { return FEngine; }
    const std::vector<std::u16string>& FindHistory() const { return FFindHistory; }
    const std::vector<std::u16string>& ReplaceHistory() const { return FReplaceHistory; }

  private:
    void FindAndTell(bool reverse, std::u16string_view notFound);
    std::u16string ReplaceAllQuestion() const;

    IFindUi& FUi;
    TknRichEditFindHandler FEngine;
    bool FFindBoxOpen = false;
    std::vector<std::u16string> FFindHistory;
    std::vector<std::u16string> FReplaceHistory;
};

}  // namespace qb
