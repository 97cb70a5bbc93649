#pragma once

// A dialog that picks one page from the notebook's tree, for settings that name a page (the
// start page). The tree is read lazily, a group's pages when it is first expanded, so a large
// notebook opens at once.

#include <cstdint>
#include <optional>

#include "toolkit/UknDialog.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace qb {

class TPageChooser : public TknDialog {
    Q_OBJECT
  public:
    // current: the page selected at first (its ancestors expanded), or none.
    TPageChooser(QWidget* parent, int32_t current);

    // The page chosen with OK; none when the dialog was cancelled or nothing was selected.
    static std::optional<int32_t> Choose(QWidget* parent, int32_t current);
    int32_t SelectedPage() const;
    QTreeWidget* Tree() const { return FTree; }

  private:
    void Fill(QTreeWidgetItem* item);
    QTreeWidgetItem* Expose(int32_t pageId);

    QTreeWidget* FTree;
};

}  // namespace qb
