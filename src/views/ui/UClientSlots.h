#pragma once

// Where the workspace gets its three page clients. Each client creates its widget as a child of
// the workspace's page area; the widget implements the client's IClientControl.

#include <memory>

class QWidget;

namespace qb {

class TClientSuper;
class IPageDropTarget;

std::unique_ptr<TClientSuper> CreateEditorClient(QWidget* pageArea);
std::unique_ptr<TClientSuper> CreateListClient(QWidget* pageArea, IPageDropTarget& dropTarget);
std::unique_ptr<TClientSuper> CreateBlogClient(QWidget* pageArea);

}  // namespace qb
