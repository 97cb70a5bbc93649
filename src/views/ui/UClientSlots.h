#pragma once

// Where the workspace gets its three page clients. Each client creates its widget as a child of
// the workspace's page area; the widget implements the client's IClientControl.

#include <cstdint>
#include <memory>

class QWidget;

namespace qb {

class TClientSuper;
class IPageDropTarget;

std::unique_ptr<TClientSuper> CreateEditorClient(QWidget* pageArea);
std::unique_ptr<TClientSuper> CreateListClient(QWidget* pageArea, IPageDropTarget& dropTarget);
std::unique_ptr<TClientSuper> CreateBlogClient(QWidget* pageArea);

// The boxes the page commands open. Until a box exists its slot answers that there is none.
// The property box of a page (1160): whether one exists, and true when confirmed.
bool PropertyBoxAvailable();
bool ShowPropertyBox(QWidget* parent, int32_t pageId);
// The edit box for list items of the type (1410, 1420, 1430): itemId -1 makes a new item,
// placed before insertBeforeId (-1: at the end) in the parent. False when no box edits items
// of that type (the command then makes or opens a page instead).
bool ShowItemEditBox(QWidget* parent, int itemType, int32_t itemId, int32_t parentId,
                     int32_t insertBeforeId);

}  // namespace qb
