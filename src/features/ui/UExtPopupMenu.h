#pragma once

// The popup menu of list items that the template, clipboard and fast-link hotkeys open over
// the program in front: one item per entry, the digit of the first nine underlined so that
// typing it chooses the item.

#include <QString>
#include <string_view>

#include "features/UCommonClasses.h"

class QMenu;

namespace qb {

// A caption "1.\tname" (or "abbrev.\tname") as the menu shows it: "&1. name", the first
// character of the part before the tab the mnemonic, and "&" in the name kept as itself.
QString PopupMenuText(std::u16string_view caption);

class TExtPopupMenu : public IItemPopup {
  public:
    // Runs the menu at the place (the mouse when it is not at the caret) until an item is
    // chosen or the menu is closed. On X11 a popup menu takes the keyboard while it is open
    // without taking the focus from the program in front, with or without `TakeFocus`.
    int32_t Popup(const std::vector<TPopupItem>& items, const TPopupPlace& place) override;

    // The menu while it is open (for tests), else null.
    QMenu* OpenMenu() const { return FOpen; }

  private:
    QMenu* FOpen = nullptr;
};

}  // namespace qb
