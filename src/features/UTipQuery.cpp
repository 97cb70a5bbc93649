#include "features/UTipQuery.h"

#include <utility>
#include <vector>

#include "features/UPasteHandler.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionManager.h"
#include "shell/UknHotKeyCenter.h"

namespace qb {

namespace {

std::u16string EditorSelection() {
    TknEventCenter& events = EventCenter();
    events.SharedText.clear();
    events.EventNotify(evQuerySelection);
    return Trim(std::exchange(events.SharedText, {}));
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const std::u16string& line : lines) text += (text.empty() ? u"" : u"\r\n") + line;
    return text;
}

}  // namespace

TTipQuery::TTipQuery(IDesktopInput& desktop, ITipWindow* tip) : FDesktop(desktop), FTip(tip) {
    OptionManager().AddObserver(this);
}

TTipQuery::~TTipQuery() {
    if (TknHotKeyCenter* center = ExistingHotKeyCenter()) center->RemoveOwner(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
}

void TTipQuery::OptionChanged() {
    const TOptions& o = OptionManager().Options();
    FDictionary.SetSelected(o.SelDictList);
    FDictionary.SetDebugMode(o.DebugMode);
    FColor = o.TipQueryColor;
    HotKeyCenter().AddHotKey(this, HotKeyId, o.TipQueryHotKey);
}

void TTipQuery::OnHotkey(uint32_t id, uint16_t) {
    if (id == HotKeyId) Query();
}

std::u16string TTipQuery::SelectedWord() {
    const bool own = FDesktop.ForegroundWindow() == 0;
    std::u16string word = own ? EditorSelection() : std::u16string();
    if (word.empty()) word = own ? Trim(FDesktop.PrimarySelection()) : SelectedText(FDesktop, true);
    return word.size() > kMaxWord ? Trim(CutAt(word, kMaxWord)) : word;
}

void TTipQuery::Query() {
    const std::u16string word = SelectedWord();
    if (word.empty()) {
        if (FTip) FTip->HideTip();
        return;
    }
    std::vector<std::u16string> results;
    FDictionary.Lookup(word, results, true);
    if (FDictionary.DebugMode())
        results.insert(results.end(), FDictionary.Trace().begin(), FDictionary.Trace().end());
    if (FTip) FTip->ShowTip(word + u":", JoinLines(results), FColor);
}

}  // namespace qb
