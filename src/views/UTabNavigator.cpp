#include "views/UTabNavigator.h"

#include <algorithm>

#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr std::u16string_view kRenameTitle = u"Rename page";
constexpr std::u16string_view kNamePrompt = u"Please input page name:";

}  // namespace

TTabNavigator::TTabNavigator(ITabControl& control, IPageDropTarget& dropTarget)
    : TNavigatorSuper(dropTarget), FControl(control) {
    FControl.Attach(this);
    OptionManager().AddObserver(this);
    SizeCenter().AddObserver(this);
}

TTabNavigator::~TTabNavigator() {
    if (TSizeManager* sizes = ExistingSizeCenter()) sizes->RemoveObserver(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    FControl.Attach(nullptr);
}

TTabData TTabNavigator::TabData(TPageSuper& page) const {
    return {PageLabel(page, FLayout.ShowImages), page.Id(), page.GetImageIndex()};
}

TTabLayout TTabNavigator::CurrentLayout() const {
    const TOptions& o = OptionManager().Options();
    return {o.MultiLineTab && SizeCenter().RoomForMultiLineTabs(), std::max(o.TabWidth, 0),
            o.ShowTabImages, o.TabFontColor};
}

int TTabNavigator::TabOf(int32_t pageId) const {
    for (int i = 0; i < FControl.TabCount(); ++i)
        if (FControl.TabPageId(i) == pageId) return i;
    return -1;
}

void TTabNavigator::Rebuild() {
    FControl.SetTabs({});
    FParentId = kNoOwnerId;
}

void TTabNavigator::SelectPage(TPageSuper* page) {
    if (!page) return;
    TPageStore& store = GetStore();
    if (FControl.TabCount() == 0 || page->OwnerId() != FParentId) {
        std::vector<TTabData> tabs;
        TPageSuper* parent = store.GetPage(page->OwnerId());
        if (parent) {
            TknIntList ids;
            parent->GetChildIds(ids);
            tabs.reserve(ids.Count());
            for (int i = 0; i < ids.Count(); ++i)
                if (TPageSuper* sibling = store.GetPage(ids.Items(i)))
                    tabs.push_back(TabData(*sibling));
        } else {
            tabs.push_back(TabData(*page));
        }
        FParentId = page->OwnerId();
        FControl.SetTabs(tabs);
        FControl.ApplyLayout(FLayout);
    }
    FShownPageId = page->Id();
    Highlight(TabOf(page->Id()));
}

void TTabNavigator::Highlight(int index) {
    for (int i = 0; i < FControl.TabCount(); ++i)
        FControl.HighlightTab(i, i == index && FHighlightCurrent);
    FControl.SelectTab(index);
}

void TTabNavigator::AddPage(TPageSuper* page) {
    if (!page || FControl.TabCount() == 0 || page->OwnerId() != FParentId) return;
    TPageSuper* parent = GetStore().GetPage(FParentId);
    if (!parent || TabOf(page->Id()) >= 0) return;
    TknIntList ids;
    parent->GetChildIds(ids);
    const int index = ids.IndexOf(page->Id());
    FControl.InsertTab(index < 0 ? FControl.TabCount() : index, TabData(*page));
    FControl.ApplyLayout(FLayout);
    if (page->Id() == FShownPageId) Highlight(TabOf(page->Id()));
}

void TTabNavigator::RefreshPage(TPageSuper* page) {
    if (!page) return;
    const int index = TabOf(page->Id());
    if (index >= 0) FControl.UpdateTab(index, TabData(*page));
}

void TTabNavigator::RemovePage(TPageSuper* page) {
    if (!page) return;
    const int index = TabOf(page->Id());
    if (index >= 0) FControl.DeleteTab(index);
}

void TTabNavigator::StartRename(TPageSuper* page) {
    if (!page) return;
    std::u16string name = page->Name();
    if (FControl.AskText(kRenameTitle, kNamePrompt, name)) RenamePage(page->Id(), name);
}

void TTabNavigator::OptionChanged() {
    const TTabLayout layout = CurrentLayout();
    const bool imagesChanged = layout.ShowImages != FLayout.ShowImages;
    FLayout = layout;
    FHighlightCurrent = OptionManager().HighlightCurrentTab;
    FControl.ApplyLayout(FLayout);
    if (!Active()) return;
    if (imagesChanged) Rebuild();
    if (TPageSuper* page = GetStore().GetPage(FShownPageId)) SelectPage(page);
}

void TTabNavigator::AdjustAppearance() {
    FLayout = CurrentLayout();
    FControl.ApplyLayout(FLayout);
}

// --- what the user did ---

void TTabNavigator::ActivateTab(int index) {
    if (index >= 0 && index < FControl.TabCount()) Activate(FControl.TabPageId(index));
}

void TTabNavigator::TabClicked(int index) {
    ActivateTab(index);
}

void TTabNavigator::TabRightClicked(int index) {
    if (index < 0 || index >= FControl.TabCount()) return;
    ActivateTab(index);
    ShowContextMenu(kPageMenuKind);
}

void TTabNavigator::TabDoubleClicked(int index) {
    ActivateTab(index);
    RunCommand(PageClickCommand(OptionManager().PageDblClick));
}

void TTabNavigator::TabMiddleClicked(int index) {
    // The command acts on the active page: the tab clicked becomes it first.
    ActivateTab(index);
    RunCommand(PageClickCommand(OptionManager().PageMButtonClick));
}

void TTabNavigator::WheelTurned(int steps) {
    const int count = FControl.TabCount();
    if (count == 0 || steps == 0) return;
    const int from = FControl.SelectedTab();
    const int to = std::clamp(from + (steps > 0 ? -1 : 1), 0, count - 1);
    if (to != from) ActivateTab(to);
}

void TTabNavigator::DroppedOnTab(int index, const TDropObject& object) {
    if (index < 0 || index >= FControl.TabCount()) return;
    TPageSuper* page = GetStore().GetPage(FControl.TabPageId(index));
    if (page) Drop(object, page->Id(), page->OwnerId());
}

}  // namespace qb
