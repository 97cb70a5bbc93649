#pragma once

// The toolbar's button list: the defaults, the remembered text form (memory key ToolButtons,
// ids joined by ","), its clean-up against the main menu, the buttons' hint texts, and the two
// lists the "Define Toolbar" dialog edits. 0 stands for a separator throughout.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

using TButtonIds = std::vector<int32_t>;
// Whether the main menu holds a command id.
using TMenuHolds = std::function<bool(int32_t id)>;

const TButtonIds& DefaultToolButtons();
// The ids of a ToolButtons text; a piece that is no number reads as 0, as stored numbers do.
TButtonIds ParseToolButtons(std::u16string_view text);
std::u16string ToolButtonsText(const TButtonIds& ids);
// Drops the ids the main menu does not hold, then every entry equal to its successor
// (doubled separators collapse).
TButtonIds CleanToolButtons(const TButtonIds& ids, const TMenuHolds& holds);
// The buttons for a remembered text: the defaults when it is empty, cleaned.
TButtonIds ToolButtonsFromText(std::u16string_view text, const TMenuHolds& holds);

// A button's hint from its menu text: a "(...)" part after the first character and every "&"
// removed.
std::u16string ButtonHint(std::u16string_view menuText);

// The ids the dialog offers, in its fixed order, each only when the main menu holds it.
TButtonIds DefineToolbarIds(const TMenuHolds& holds);

// The two lists of the "Define Toolbar" dialog. The available list starts with the separator,
// which stays there, followed by the offered ids not on the toolbar.
class TToolbarEdit {
  public:
    TToolbarEdit(const TMenuHolds& holds, TButtonIds current);

    const TButtonIds& Available() const { return FAvailable; }
    const TButtonIds& Current() const { return FCurrent; }

    // Moves available entry index to the current list before position (appended when the
    // position is past the end); the new position, or -1 for a bad index.
    int Add(int availableIndex, int position);
    // Moves a current entry back to the available list; false for a bad index.
    bool Remove(int currentIndex);
    // Swaps a current entry with its neighbour; the entry's new index (unchanged at the ends).
    int MoveUp(int currentIndex);
    int MoveDown(int currentIndex);
    // The default buttons again.
    void Reset();
    // The ToolButtons text of the current list.
    std::u16string Text() const { return ToolButtonsText(FCurrent); }

  private:
    void FillAvailable();
    int Swap(int index, int other);

    TMenuHolds FHolds;
    TButtonIds FOffered;
    TButtonIds FAvailable;
    TButtonIds FCurrent;
};

}  // namespace qb
