#pragma once

// What the tree, the tab bar and the window carry in a drag: pages of the notebook (by id, in
// the source's order) or files from the desktop.

#include <QMimeData>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "views/UClientSuper.h"

class QDropEvent;

namespace qb {

// The drag data of pages dragged from a control (fromTree: from the tree navigator).
std::unique_ptr<QMimeData> PageDragData(const std::vector<int32_t>& pageIds, bool fromTree);
// Pages or local files.
bool CanDropOn(const QMimeData* data);
// The local files of a drop, in order.
std::vector<std::u16string> DroppedFiles(const QMimeData* data);
// The drop as the workspace takes it: Ctrl copies, Shift places beside the target.
TDropObject DropObjectOf(const QDropEvent& event);

}  // namespace qb
