#pragma once

// The editor client with its window parts: the Qt text control in the workspace's page area,
// the questions and boxes it asks, and the options applied to the control's looks.

#include <memory>

class QWidget;

namespace qb {

class TClientSuper;

std::unique_ptr<TClientSuper> MakeEditorClient(QWidget* pageArea);

}  // namespace qb
