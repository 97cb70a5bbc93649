#include "editor/UFindHandler.h"

#include <algorithm>

#include "model/UPageSuper.h"

namespace qb {

void AddToHistory(std::vector<std::u16string>& history, std::u16string_view text) {
    std::vector<std::u16string> updated{std::u16string(text)};
    for (auto& entry : history)
        if (entry != text && updated.size() < HistoryLimit) updated.push_back(std::move(entry));
    history.swap(updated);
}

TFindHandler::TFindHandler(IEditControl& control, IFindUi& ui) : FUi(ui), FEngine(control) {
    MemoryManager().AddObserver(this);
    EventCenter().AddObserver(this);
}

TFindHandler::~TFindHandler() {
    if (auto* events = ExistingEventCenter()) events->RemoveObserver(this);
    if (auto* memory = ExistingMemoryManager()) memory->RemoveObserver(this);
}

bool TFindHandler::CheckCommand(int32_t id) {
    switch (id) {
        case cmFindReplace:
            return !FFindBoxOpen;
        case cmSubsequentFind:
        case cmFindNext:
        case cmFindPrevious:
        case cmHighlightMatch:
            return !FEngine.FindWhat.empty();
        case cmReplaceFindNext:
        case cmReplaceFindPrevious:
        case cmReplaceAll:
            return FEngine.AllowReplace && !FEngine.FindWhat.empty();
        default:
            return true;
    }
}

void TFindHandler::ExecuteCommand(int32_t id) {
    if (!CheckCommand(id)) return;
    switch (id) {
        case cmFindReplace:
            FFindBoxOpen = true;
            FUi.ShowFindBox();
            break;
        case cmFindNext:
        case cmFindPrevious:
            FindAndTell(id == cmFindPrevious, u"No target text found!");
            break;
        case cmReplaceFindNext:
        case cmReplaceFindPrevious:
            FEngine.Replace();
            FindAndTell(id == cmReplaceFindPrevious, u"No replace target found!");
            break;
        case cmReplaceAll:
            if (FUi.Confirm(ReplaceAllQuestion()))
                FUi.Inform(FEngine.ReplaceAllMatches() ? u"All target text has been replaced!"
                                                       : u"No replace target found!");
            break;
        case cmHighlightMatch:
            FEngine.HighlightMatch = !FEngine.HighlightMatch;
            break;
        default:
            break;
    }
}

void TFindHandler::FindAndTell(bool reverse, std::u16string_view notFound) {
    if (!FEngine.FindNext(reverse)) FUi.Inform(notFound);
}

std::u16string TFindHandler::ReplaceAllQuestion() const {
    std::u16string direction = FEngine.RollBack ? u"" : FEngine.DirUp ? u"upward" : u"downward";
    return u"Do you really want to use \"" + FEngine.ReplaceWith + u"\" to replace each \"" +
           FEngine.FindWhat + u"\" in the " + direction + u" direction?";
}

void TFindHandler::ReadFindBox(const TFindBoxValues& box) {
    FEngine.FindWhat = box.FindText;
    FEngine.ReplaceWith = box.ReplaceText;
    FEngine.AllowReplace = box.AllowReplace;
    FEngine.MatchCase = box.MatchCase;
    FEngine.WholeWord = box.WholeWord;
    FEngine.RollBack = box.RollBack;
    FEngine.DirUp = box.DirUp;
    FEngine.WithinSelection = box.WithinSelection;
    FEngine.HighlightMatch = box.HighlightMatch;
    if (!box.FindText.empty()) AddToHistory(FFindHistory, box.FindText);
    if (!box.ReplaceText.empty()) AddToHistory(FReplaceHistory, box.ReplaceText);
}

void TFindHandler::EventNotify(int32_t event, int32_t, int32_t) {
    if (event == evSearchStringChanged) FEngine.TakeSearchString(SearchString(), SearchMatchCase());
}

void TFindHandler::RestoreMemory() {
    const TMemory& memory = MemoryManager();
    FEngine.FindWhat = memory.FindText;
    FEngine.ReplaceWith = memory.ReplaceText;
    FEngine.AllowReplace = memory.AllowReplace;
    FEngine.DirUp = memory.DirUp;
    FEngine.MatchCase = memory.MatchCase;
    FEngine.WholeWord = memory.WholeWord;
    FEngine.RollBack = memory.RollBack;
    FEngine.HighlightMatch = memory.HighlightMatch;
    FFindHistory = memory.FindHistory;
    FReplaceHistory = memory.ReplaceHistory;
}

void TFindHandler::SaveMemory() {
    TMemory& memory = MemoryManager();
    memory.FindText = FEngine.FindWhat;
    memory.ReplaceText = FEngine.ReplaceWith;
    memory.AllowReplace = FEngine.AllowReplace;
    memory.DirUp = FEngine.DirUp;
    memory.MatchCase = FEngine.MatchCase;
    memory.WholeWord = FEngine.WholeWord;
    memory.RollBack = FEngine.RollBack;
    memory.HighlightMatch = FEngine.HighlightMatch;
    memory.FindHistory = FFindHistory;
    memory.ReplaceHistory = FReplaceHistory;
}

}  // namespace qb
