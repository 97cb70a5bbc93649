#include "shell/UMenuModelToolbar.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

bool Contains(const TButtonIds& ids, int32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool ValidIndex(const TButtonIds& ids, int index) {
    return index >= 0 && index < static_cast<int>(ids.size());
}

}  // namespace

const TButtonIds& DefaultToolButtons() {
    static const TButtonIds kDefaults = {1010, 1020, 1110, 0,    1130, 1160, 1170, 0,
                                         1320, 1410, 1380, 1450, 0,    1560, 1570, 1580,
                                         0,    6500, 1630, 0,    1710, 1720, 1740};
    return kDefaults;
}

TButtonIds ParseToolButtons(std::u16string_view text) {
    TButtonIds ids;
    if (Trim(text).empty()) return ids;
    size_t start = 0;
    while (true) {
        size_t comma = text.find(u',', start);
        std::u16string_view piece = text.substr(start, comma - start);
        int64_t id = StrToIntDef(Trim(piece), 0);
        // Out of the command range: kept as an id no menu holds, so the clean-up drops it.
        ids.push_back(id >= 0 && id <= 0xFFFF ? static_cast<int32_t>(id) : -1);
        if (comma == std::u16string_view::npos) break;
        start = comma + 1;
    }
    return ids;
}

std::u16string ToolButtonsText(const TButtonIds& ids) {
    std::u16string text;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) text += u',';
        text += IntToStr(ids[i]);
    }
    return text;
}

TButtonIds CleanToolButtons(const TButtonIds& ids, const TMenuHolds& holds) {
    TButtonIds held;
    std::copy_if(ids.begin(), ids.end(), std::back_inserter(held),
                 [&](int32_t id) { return id == 0 || holds(id); });
    for (size_t i = held.size(); i-- > 1;)
        if (held[i - 1] == held[i]) held.erase(held.begin() + static_cast<std::ptrdiff_t>(i));
    return held;
}

TButtonIds ToolButtonsFromText(std::u16string_view text, const TMenuHolds& holds) {
    TButtonIds ids = ParseToolButtons(text);
    return CleanToolButtons(ids.empty() ? DefaultToolButtons() : ids, holds);
}

std::u16string ButtonHint(std::u16string_view menuText) {
    std::u16string text(menuText);
    size_t open = text.find(u'(');
    if (open != std::u16string::npos && open > 0) {
        size_t close = text.find(u')', open + 1);
        if (close != std::u16string::npos) text.erase(open, close - open + 1);
    }
    std::erase(text, u'&');
    return text;
}

TButtonIds DefineToolbarIds(const TMenuHolds& holds) {
    static const TButtonIds kOffered = {
        1010, 1020, 1030, 1040, 1050, 1060, 1070, 1110, 1120, 1130, 1150, 1140, 1160, 1170, 1180,
        1190, 1200, 1210, 1310, 1320, 1330, 1340, 1350, 1360, 1370, 1400, 1410, 1420, 1430, 1440,
        1380, 1450, 1460, 1490, 5000, 4000, 1560, 1570, 1580, 7000, 7500, 8000, 6500, 1630, 1650,
        1710, 1720, 1730, 1740, 1750, 1760, 1770, 1780, 1790, 1800, 1810, 1820, 1910, 1920, 1930};
    TButtonIds ids;
    std::copy_if(kOffered.begin(), kOffered.end(), std::back_inserter(ids), holds);
    return ids;
}

TToolbarEdit::TToolbarEdit(const TMenuHolds& holds, TButtonIds current)
    : FHolds(holds), FOffered(DefineToolbarIds(holds)), FCurrent(std::move(current)) {
    FillAvailable();
}

void TToolbarEdit::FillAvailable() {
    FAvailable = {0};
    std::copy_if(FOffered.begin(), FOffered.end(), std::back_inserter(FAvailable),
                 [this](int32_t id) { return !Contains(FCurrent, id); });
}

int TToolbarEdit::Add(int availableIndex, int position) {
    if (!ValidIndex(FAvailable, availableIndex)) return -1;
    position = std::clamp(position, 0, static_cast<int>(FCurrent.size()));
    FCurrent.insert(FCurrent.begin() + position, FAvailable[static_cast<size_t>(availableIndex)]);
    FillAvailable();
    return position;
}

bool TToolbarEdit::Remove(int currentIndex) {
    if (!ValidIndex(FCurrent, currentIndex)) return false;
    FCurrent.erase(FCurrent.begin() + currentIndex);
    FillAvailable();
    return true;
}

int TToolbarEdit::Swap(int index, int other) {
    if (!ValidIndex(FCurrent, index) || !ValidIndex(FCurrent, other)) return index;
    std::swap(FCurrent[static_cast<size_t>(index)], FCurrent[static_cast<size_t>(other)]);
    return other;
}

int TToolbarEdit::MoveUp(int currentIndex) {
    return Swap(currentIndex, currentIndex - 1);
}

int TToolbarEdit::MoveDown(int currentIndex) {
    return Swap(currentIndex, currentIndex + 1);
}

void TToolbarEdit::Reset() {
    FCurrent = CleanToolButtons(DefaultToolButtons(), FHolds);
    FillAvailable();
}

}  // namespace qb
