#include "views/UTreeNavigator.h"

#include <unordered_set>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb {

class TTreeNavigator::TBusy {
  public:
    explicit TBusy(TTreeNavigator& navigator) : FNavigator(navigator) { ++FNavigator.FBusy; }
    ~TBusy() { --FNavigator.FBusy; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

  private:
    TTreeNavigator& FNavigator;
};

namespace {

bool HasTreeChildren(TPageSuper& page) {
    TPageChilds* childs = page.Childs();
    return childs && childs->HasTreeChildren();
}

TTreeNodeData NodeDataOf(TPageSuper& page, bool showImages) {
    return {PageLabel(page, showImages), page.Id(), page.GetImageIndex(), HasTreeChildren(page)};
}

}  // namespace

std::vector<TTreeNodeData> TreeChildNodes(TPageSuper& parent, bool showImages) {
    TPageStore& store = GetStore();
    TknIntList ids;
    parent.GetChildIds(ids);
    std::vector<TTreeNodeData> nodes;
    nodes.reserve(ids.Count());
    for (int i = 0; i < ids.Count(); ++i) {
        TPageSuper* child = store.GetPage(ids.Items(i));
        if (child && parent.ShowsChildInTree(child->PageType()))
            nodes.push_back(NodeDataOf(*child, showImages));
    }
    return nodes;
}

TTreeNavigator::TTreeNavigator(ITreeControl& control, IPageDropTarget& dropTarget)
    : TNavigatorSuper(dropTarget), FControl(control) {
    FControl.Attach(this);
    OptionManager().AddObserver(this);
}

TTreeNavigator::~TTreeNavigator() {
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    FControl.Attach(nullptr);
}

TTreeNodeData TTreeNavigator::NodeData(TPageSuper& page) const {
    return NodeDataOf(page, FStyle.ShowImages);
}

void TTreeNavigator::Rebuild() {
    TBusy busy(*this);
    FControl.Clear();
    Fill(nullptr);
}

void TTreeNavigator::Fill(TTreeNode node) {
    if (FControl.ChildCount(node) > 0) return;
    TPageStore& store = GetStore();
    TPageSuper* page = node ? store.GetPage(FControl.PageIdOf(node)) : store.GetRoot();
    if (!page) return;
    std::vector<TTreeNodeData> nodes = TreeChildNodes(*page, FStyle.ShowImages);
    if (nodes.empty()) return;
    TBusy busy(*this);
    FControl.AppendNodes(node, nodes);
}

void TTreeNavigator::Open(TTreeNode node) {
    if (!node) return;
    Fill(node);
    TBusy busy(*this);
    FControl.ExpandNode(node);
}

TTreeNode TTreeNavigator::FindChild(TTreeNode parent, int32_t pageId) const {
    // From the end: new pages are mostly appended.
    for (int i = FControl.ChildCount(parent) - 1; i >= 0; --i) {
        TTreeNode child = FControl.Child(parent, i);
        if (FControl.PageIdOf(child) == pageId) return child;
    }
    return nullptr;
}

TTreeNode TTreeNavigator::FindNode(const TPageSuper& page, bool expand) {
    // The ancestors below the root, nearest first; a damaged tree may loop or break off.
    std::vector<int32_t> path{page.Id()};
    std::unordered_set<int32_t> seen{page.Id()};
    TPageStore& store = GetStore();
    for (int32_t owner = page.OwnerId(); owner != kRootId; ) {
        TPageSuper* ancestor = store.GetPage(owner);
        if (!ancestor || !seen.insert(owner).second) return nullptr;
        path.push_back(owner);
        owner = ancestor->OwnerId();
    }
    TTreeNode node = nullptr;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (expand && node) Open(node);
        node = FindChild(node, *it);
        if (!node) return nullptr;
    }
    return node;
}

int32_t TTreeNavigator::PageOfNode(TTreeNode node) const {
    return node ? FControl.PageIdOf(node) : kRootId;
}

void TTreeNavigator::SelectPage(TPageSuper* page) {
    if (!page) return;
    TTreeNode node = FindNode(*page, true);
    TBusy busy(*this);
    FControl.SelectNode(node);
    FLastPageId = page->Id();
}

void TTreeNavigator::AddPage(TPageSuper* page) {
    if (!page) return;
    TPageStore& store = GetStore();
    TPageSuper* parent = store.GetPage(page->OwnerId());
    if (!parent) return;
    TTreeNode parentNode = nullptr;
    if (parent->Id() != kRootId) {
        parentNode = FindNode(*parent, true);
        if (!parentNode) return;
        FControl.UpdateNode(parentNode, NodeData(*parent));
        Open(parentNode);
    }
    if (!FindChild(parentNode, page->Id())) {
        // After the node of the nearest sibling before it in the parent's order.
        TknIntList ids;
        parent->GetChildIds(ids);
        int index = 0;
        for (int i = ids.IndexOf(page->Id()) - 1; i >= 0; --i) {
            if (TTreeNode before = FindChild(parentNode, ids.Items(i))) {
                index = FControl.IndexOf(before) + 1;
                break;
            }
        }
        TBusy busy(*this);
        FControl.InsertNode(parentNode, index, NodeData(*page));
    }
    TPageSuper* active = PageCenter().ActivePage();
    if (active == page) SelectPage(page);
}

void TTreeNavigator::RefreshPage(TPageSuper* page) {
    if (!page) return;
    if (TTreeNode node = FindNode(*page, false)) FControl.UpdateNode(node, NodeData(*page));
}

bool TTreeNavigator::SelectionWithin(TTreeNode node) const {
    for (TTreeNode at = FControl.SelectedNode(); at; at = FControl.ParentNode(at))
        if (at == node) return true;
    return false;
}

void TTreeNavigator::RemovePage(TPageSuper* page) {
    if (!page) return;
    TTreeNode node = FindNode(*page, false);
    if (!node) return;
    TBusy busy(*this);
    const bool selected = SelectionWithin(node);
    TTreeNode parent = FControl.ParentNode(node);
    FControl.DeleteNode(node);
    if (parent && FControl.ChildCount(parent) == 0) {
        // The page is still listed while it is being removed; its parent has no tree child left.
        if (TPageSuper* parentPage = GetStore().GetPage(FControl.PageIdOf(parent))) {
            TTreeNodeData data = NodeData(*parentPage);
            data.HasChildren = false;
            FControl.UpdateNode(parent, data);
        }
    }
    // The control moved its selection to a neighbour; the active page did not change.
    if (selected) FControl.SelectNode(nullptr);
}

void TTreeNavigator::StartRename(TPageSuper* page) {
    if (!page) return;
    if (TTreeNode node = FindNode(*page, true)) FControl.EditNode(node, page->Name());
}

void TTreeNavigator::OptionChanged() {
    const TOptions& o = OptionManager().Options();
    TTreeStyle style{o.TreeHorzScroll, o.NodeButtons,    o.NodeLines,
                     o.LinesAtRoot,    o.ShowNodeImages, o.TreeFontColor};
    const bool imagesChanged = style.ShowImages != FStyle.ShowImages;
    FStyle = style;
    FControl.ApplyStyle(FStyle);
    if (!imagesChanged || !Active()) return;
    Rebuild();
    if (TPageSuper* page = GetStore().GetPage(FLastPageId)) SelectPage(page);
}

// --- what the user did ---

void TTreeNavigator::NodeExpanding(TTreeNode node) {
    Fill(node);
}

void TTreeNavigator::NodeSelected(TTreeNode node) {
    if (FBusy > 0 || !node) return;
    const int32_t pageId = FControl.PageIdOf(node);
    if (pageId == FLastPageId) return;
    FLastPageId = pageId;
    Activate(pageId);
}

void TTreeNavigator::NodeRightClicked(TTreeNode node) {
    if (!node) return;
    TPageSuper* page = GetStore().GetPage(FControl.PageIdOf(node));
    if (!page) return;
    Activate(page->Id());
    ShowContextMenu(ContextMenuKind(page->PageType()));
}

void TTreeNavigator::NodeMiddleClicked(TTreeNode node) {
    // The command acts on the active page: the page clicked becomes it first.
    if (node) Activate(FControl.PageIdOf(node));
    RunCommand(TreeMiddleButtonCommand(OptionManager().PageMButtonClick));
}

void TTreeNavigator::NodeRenamed(TTreeNode node, std::u16string_view text) {
    if (node) RenamePage(FControl.PageIdOf(node), text);
}

void TTreeNavigator::DroppedOnNode(TTreeNode node, const TDropObject& object) {
    if (!node) return;
    Drop(object, FControl.PageIdOf(node), PageOfNode(FControl.ParentNode(node)));
}

}  // namespace qb
