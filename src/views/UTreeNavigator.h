#pragma once

// The tree navigator: the whole page tree in a tree control, built lazily (a node's children
// are added when it is first expanded), kept in step with the page center, and turning
// clicks, renames and drops on its nodes into page-center calls, commands and drops.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UOptionManager.h"
#include "views/UNavigatorSuper.h"

namespace qb {

class TTreeNavigator;

// A node of the tree control, as the control hands it out; null stands for the top level.
struct TTreeNodeTag;
using TTreeNode = TTreeNodeTag*;

struct TTreeNodeData {
    std::u16string Label;
    int32_t PageId = 0;
    int ImageIndex = -1;  // the same when selected
    bool HasChildren = false;
    bool operator==(const TTreeNodeData&) const = default;
};

struct TTreeStyle {
    bool HorzScroll = true;
    bool NodeButtons = true;
    bool NodeLines = true;
    bool LinesAtRoot = true;
    bool ShowImages = true;
    TFontSettings Font;
    bool operator==(const TTreeStyle&) const = default;
};

// The tree control as the navigator sees it. The control reports what the user does to the
// attached navigator; what the navigator does to the control is reported back to nobody.
class ITreeControl : public IClientControl {
  public:
    virtual void Attach(TTreeNavigator* navigator) = 0;
    virtual void ApplyStyle(const TTreeStyle& style) = 0;
    virtual void Clear() = 0;
    virtual int ChildCount(TTreeNode parent) const = 0;
    virtual TTreeNode Child(TTreeNode parent, int index) const = 0;
    virtual TTreeNode ParentNode(TTreeNode node) const = 0;
    virtual int IndexOf(TTreeNode node) const = 0;  // among its parent's children
    virtual int32_t PageIdOf(TTreeNode node) const = 0;
    // Inserts at the index among the parent's children (past the end: appended).
    virtual TTreeNode InsertNode(TTreeNode parent, int index, const TTreeNodeData& data) = 0;
    virtual void AppendNodes(TTreeNode parent, const std::vector<TTreeNodeData>& nodes) = 0;
    virtual void UpdateNode(TTreeNode node, const TTreeNodeData& data) = 0;
    virtual void DeleteNode(TTreeNode node) = 0;  // with everything below it
    virtual void ExpandNode(TTreeNode node) = 0;
    virtual void SelectNode(TTreeNode node) = 0;  // null: no node
    virtual TTreeNode SelectedNode() const = 0;
    // In-place editing of the node's label, starting from the text, all selected.
    virtual void EditNode(TTreeNode node, std::u16string_view text) = 0;
};

// The nodes of the page's children as the tree shows them, in order (read from the store).
std::vector<TTreeNodeData> TreeChildNodes(TPageSuper& parent, bool showImages);

class TTreeNavigator : public TNavigatorSuper, public IOptionObserver {
  public:
    // Attaches itself to the control and takes the current options.
    TTreeNavigator(ITreeControl& control, IPageDropTarget& dropTarget);
    ~TTreeNavigator() override;

    void Rebuild() override;
    // Selects the page's node, expanding its ancestors (nothing selected when it has none).
    void SelectPage(TPageSuper* page) override;
    void AddPage(TPageSuper* page) override;
    void RefreshPage(TPageSuper* page) override;
    void RemovePage(TPageSuper* page) override;
    void StartRename(TPageSuper* page) override;
    IClientControl& Control() override { return FControl; }
    void OptionChanged() override;

    // --- what the user did on the control ---
    // A node is about to open: its children are added if it has none yet.
    void NodeExpanding(TTreeNode node);
    void NodeSelected(TTreeNode node);
    void NodeRightClicked(TTreeNode node);
    void NodeMiddleClicked(TTreeNode node);
    void NodeRenamed(TTreeNode node, std::u16string_view text);
    void DroppedOnNode(TTreeNode node, const TDropObject& object);

    // The node of a page; with expand, ancestors' nodes are filled and opened on the way,
    // without it only the nodes that exist are searched.
    TTreeNode FindNode(const TPageSuper& page, bool expand);
    TTreeNodeData NodeData(TPageSuper& page) const;

  private:
    class TBusy;
    void Fill(TTreeNode node);
    void Open(TTreeNode node);
    TTreeNode FindChild(TTreeNode parent, int32_t pageId) const;
    bool SelectionWithin(TTreeNode node) const;
    int32_t PageOfNode(TTreeNode node) const;

    ITreeControl& FControl;
    TTreeStyle FStyle;
    int FBusy = 0;  // the navigator itself is changing the control: selections are not the user's
    int32_t FLastPageId = kNoOwnerId;
};

}  // namespace qb
