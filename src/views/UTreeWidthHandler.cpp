#include "views/UTreeWidthHandler.h"

namespace qb {

void TTreeWidthHandler::Remember() {
    if (!FCollapsed && FSite.TreeWidth() > 0) FWidth = FSite.TreeWidth();
}

void TTreeWidthHandler::CollapseInside() {
    Remember();
    FSite.SetTreeWidth(0, false);
    FCollapsed = true;
}

void TTreeWidthHandler::ExpandInside() {
    FSite.SetTreeWidth(FWidth, false);
    FCollapsed = false;
}

void TTreeWidthHandler::CollapseShrinking() {
    Remember();
    FSite.SetTreeWidth(0, true);
    FSite.ResizeWindow(FTreeOnRight ? 0 : FWidth, -FWidth);
    FCollapsed = true;
}

void TTreeWidthHandler::ExpandGrowing() {
    FSite.SetTreeWidth(FWidth, true);
    FSite.ResizeWindow(FTreeOnRight ? 0 : -FWidth, FWidth);
    FCollapsed = false;
}

void TTreeWidthHandler::Narrower() {
    if (!FTreeOnRight)
        FCollapsed ? ExpandGrowing() : CollapseInside();
    else
        FCollapsed ? ExpandInside() : CollapseShrinking();
}

void TTreeWidthHandler::Wider() {
    if (!FTreeOnRight)
        FCollapsed ? ExpandInside() : CollapseShrinking();
    else
        FCollapsed ? ExpandGrowing() : CollapseInside();
}

void TTreeWidthHandler::FirstAction() {
    FCollapsed ? ExpandInside() : CollapseInside();
}

void TTreeWidthHandler::SecondAction() {
    FCollapsed ? ExpandGrowing() : CollapseShrinking();
}

void TTreeWidthHandler::SplitterMoved(int32_t width) {
    FCollapsed = width <= 0;
    if (width > 0) FWidth = width;
}

void TTreeWidthHandler::Restore(int32_t width, bool collapsed) {
    FWidth = width > 0 ? width : kDefaultWidth;
    FCollapsed = collapsed;
}

void TTreeWidthHandler::Apply() {
    FSite.SetTreeWidth(FCollapsed ? 0 : FWidth, false);
}

}  // namespace qb
