#pragma once

// The workspace over in-memory controls: a tree, a tab bar, the splitter and the window's
// services, each recording what was done to it, on a fresh notebook with its system pages.

#include <memory>
#include <string>
#include <vector>

#include "model/SysPagesFixture.h"
#include "views/UWorkSpace.h"

namespace qb::test {

class TMemoryFocus : public IClientControl {
  public:
    void ShowControl(bool visible) override { Visible = visible; }
    bool ControlHasFocus() const override { return Focused; }
    void FocusControl() override { Focused = true; }
    bool Visible = true;
    bool Focused = false;
};

class TMemoryTreeControl : public ITreeControl {
  public:
    struct TNode {
        TTreeNodeData Data;
        TNode* Parent = nullptr;
        std::vector<std::unique_ptr<TNode>> Children;
        bool Expanded = false;
    };

    void ShowControl(bool visible) override { Focus.ShowControl(visible); }
    bool ControlHasFocus() const override { return Focus.Focused; }
    void FocusControl() override { Focus.Focused = true; }
    void Attach(TTreeNavigator* navigator) override { Navigator = navigator; }
    void ApplyStyle(const TTreeStyle&) override {}
    void Clear() override {
        Top.Children.clear();
        Selected = nullptr;
    }
    int ChildCount(TTreeNode parent) const override {
        return static_cast<int>(Of(parent)->Children.size());
    }
    TTreeNode Child(TTreeNode parent, int index) const override {
        return Ref(Of(parent)->Children[index].get());
    }
    TTreeNode ParentNode(TTreeNode node) const override {
        TNode* parent = Of(node)->Parent;
        return parent == &Top ? nullptr : Ref(parent);
    }
    int IndexOf(TTreeNode node) const override {
        const auto& siblings = Of(node)->Parent->Children;
        for (size_t i = 0; i < siblings.size(); ++i)
            if (siblings[i].get() == Of(node)) return static_cast<int>(i);
        return -1;
    }
    int32_t PageIdOf(TTreeNode node) const override { return Of(node)->Data.PageId; }
    TTreeNode InsertNode(TTreeNode parent, int index, const TTreeNodeData& data) override {
        auto& siblings = Of(parent)->Children;
        auto node = std::make_unique<TNode>();
        node->Data = data;
        node->Parent = Of(parent);
        index = std::min(index, static_cast<int>(siblings.size()));
        return Ref(siblings.insert(siblings.begin() + index, std::move(node))->get());
    }
    void AppendNodes(TTreeNode parent, const std::vector<TTreeNodeData>& nodes) override {
        for (const TTreeNodeData& data : nodes) InsertNode(parent, ChildCount(parent), data);
    }
    void UpdateNode(TTreeNode node, const TTreeNodeData& data) override { Of(node)->Data = data; }
    void DeleteNode(TTreeNode node) override {
        auto& siblings = Of(node)->Parent->Children;
        siblings.erase(siblings.begin() + IndexOf(node));
        Selected = nullptr;  // as a real tree: the selection moves on, here to nothing
    }
    void ExpandNode(TTreeNode node) override { Of(node)->Expanded = true; }
    void SelectNode(TTreeNode node) override { Selected = node ? Of(node) : nullptr; }
    TTreeNode SelectedNode() const override { return Selected ? Ref(Selected) : nullptr; }
    void EditNode(TTreeNode node, std::u16string_view text) override {
        Editing = Of(node);
        EditText = text;
    }

    // The labels under a node (null: the top level).
    std::vector<std::u16string> Labels(TTreeNode parent = nullptr) const {
        std::vector<std::u16string> labels;
        for (const auto& child : Of(parent)->Children) labels.push_back(child->Data.Label);
        return labels;
    }
    // The user clicks the node of a page found among the nodes that exist.
    TTreeNode NodeOf(int32_t pageId, TNode* from = nullptr) const {
        const TNode* node = from ? from : &Top;
        for (const auto& child : node->Children) {
            if (child->Data.PageId == pageId) return Ref(child.get());
            if (TTreeNode found = NodeOf(pageId, child.get())) return found;
        }
        return nullptr;
    }
    int32_t SelectedPage() const { return Selected ? Selected->Data.PageId : kNoOwnerId; }

    TNode* Of(TTreeNode node) const {
        return node ? reinterpret_cast<TNode*>(node) : const_cast<TNode*>(&Top);
    }
    static TTreeNode Ref(TNode* node) { return reinterpret_cast<TTreeNode>(node); }

    TNode Top;
    TNode* Selected = nullptr;
    TNode* Editing = nullptr;
    std::u16string EditText;
    TTreeNavigator* Navigator = nullptr;
    TMemoryFocus Focus;
};

class TMemoryTabControl : public ITabControl {
  public:
    void ShowControl(bool visible) override { Focus.ShowControl(visible); }
    bool ControlHasFocus() const override { return Focus.Focused; }
    void FocusControl() override { Focus.Focused = true; }
    void Attach(TTabNavigator* navigator) override { Navigator = navigator; }
    void ApplyLayout(const TTabLayout&) override {}
    void SetTabs(const std::vector<TTabData>& tabs) override {
        Tabs = tabs;
        Highlighted.assign(tabs.size(), false);
        Selected = -1;
        if (!tabs.empty()) ++Rebuilds;
    }
    void InsertTab(int index, const TTabData& tab) override {
        index = std::min(index, TabCount());
        Tabs.insert(Tabs.begin() + index, tab);
        Highlighted.insert(Highlighted.begin() + index, false);
        if (Selected >= index) ++Selected;  // the same tab stays selected
    }
    void UpdateTab(int index, const TTabData& tab) override { Tabs[index] = tab; }
    void DeleteTab(int index) override {
        Tabs.erase(Tabs.begin() + index);
        Highlighted.erase(Highlighted.begin() + index);
        Selected = std::min(Selected, TabCount() - 1);
    }
    int TabCount() const override { return static_cast<int>(Tabs.size()); }
    int32_t TabPageId(int index) const override { return Tabs[index].PageId; }
    void SelectTab(int index) override { Selected = index; }
    int SelectedTab() const override { return Selected; }
    void HighlightTab(int index, bool highlighted) override { Highlighted[index] = highlighted; }
    bool AskText(std::u16string_view, std::u16string_view, std::u16string& text) override {
        Asked = text;
        text = Answer;
        return !Answer.empty();
    }
    std::vector<std::u16string> Labels() const {
        std::vector<std::u16string> labels;
        for (const TTabData& tab : Tabs) labels.push_back(tab.Label);
        return labels;
    }

    std::vector<TTabData> Tabs;
    std::vector<bool> Highlighted;
    int Selected = -1;
    int Rebuilds = 0;
    std::u16string Asked, Answer;
    TTabNavigator* Navigator = nullptr;
    TMemoryFocus Focus;
};

// The splitter and the window: the tree width and the window's left edge and width.
class TMemoryTreeWidthSite : public ITreeWidthSite {
  public:
    int32_t TreeWidth() const override { return Tree; }
    void SetTreeWidth(int32_t width, bool keepPageArea) override {
        if (!keepPageArea) PageArea -= width - Tree;
        Tree = width;
    }
    void ResizeWindow(int32_t leftDelta, int32_t widthDelta) override {
        Left += leftDelta;
        Width += widthDelta;
    }
    int32_t Tree = 140, PageArea = 340, Left = 100, Width = 484;
};

class TLogClient : public TClientSuper {
  public:
    explicit TLogClient(std::u16string& log, char16_t tag) : FLog(log), FTag(tag) {}
    void Load(TPageSuper* page) override {
        SetPage(page);
        FLog += FTag + std::u16string(u"L");
    }
    void Unload() override { FLog += FTag + std::u16string(u"U"); }
    IClientControl* Control() override { return &Focus; }
    void Save() override { FLog += FTag + std::u16string(u"S"); }
    TMemoryFocus Focus;

  private:
    std::u16string& FLog;
    char16_t FTag;
};

class TMemoryWorkSpace : public IWorkSpaceControl {
  public:
    std::unique_ptr<TClientSuper> CreateClient(int kind, IPageDropTarget&) override {
        auto client = std::make_unique<TLogClient>(ClientLog, u"ELA"[kind - 1]);
        Clients[kind - 1] = client.get();
        return client;
    }
    ITreeControl& TreeControl() override { return Tree; }
    ITabControl& TabControl() override { return Tabs; }
    ITreeWidthSite& TreeWidthSite() override { return Splitter; }
    void ApplyLayout(const TWorkSpaceLayout&) override {}
    IIOProgress* ImportProgress() override { return nullptr; }
    void EndImportProgress() override { ++ImportsEnded; }

    bool TreeShown() const override { return WorkSpace && WorkSpace->TreeShown(); }
    THeldKeys HeldKeys() override { return Keys; }
    bool AskName(std::u16string_view title, std::u16string_view, std::u16string& name) override {
        Asked.emplace_back(title);
        Asked.push_back(name);
        if (NameAnswer.empty()) return false;
        name = NameAnswer;
        return true;
    }
    void PostCommand(int32_t id) override { Posted.push_back(id); }
    void PostCheckCommands() override { CommandCenter().CheckCommands(); }
    bool Confirm(std::u16string_view question) override {
        Questions.emplace_back(question);
        return true;
    }
    void ShowProgress(std::u16string_view, std::u16string_view) override {}
    void HideProgress() override {}
    bool EscapeHeld() override { return false; }
    void ShowNotice(std::u16string_view) override {}
    bool CanShowProperties() const override { return true; }
    bool ShowProperties(int32_t) override { return true; }
    bool OpenItemBox(int, int32_t, int32_t, int32_t) override { return false; }

    TMemoryTreeControl Tree;
    TMemoryTabControl Tabs;
    int ImportsEnded = 0;  // the progress of dropped files closed
    TMemoryTreeWidthSite Splitter;
    TLogClient* Clients[3] = {};
    std::u16string ClientLog;
    TWorkSpace* WorkSpace = nullptr;
    THeldKeys Keys;
    std::u16string NameAnswer;
    std::vector<std::u16string> Asked, Questions;
    std::vector<int32_t> Posted;
};

// A started notebook with the workspace over the in-memory controls.
class TWorkSpaceTest : public TModelTest {
  protected:
    TWorkSpaceTest() {
        SizeCenter().SetSize(800, 600);  // room for the tree and the tab bar
        WorkSpace = std::make_unique<TWorkSpace>(Control);
        Control.WorkSpace = WorkSpace.get();
    }
    ~TWorkSpaceTest() override {
        WorkSpace.reset();
        Control.WorkSpace = nullptr;
        ReleaseDeleteHandler();
        ReleaseShellGlobals();
    }
    int32_t IdOf(uint8_t type) {
        int32_t id = 0;
        return Store().FindFirstOfType(type, id) ? id : kNoOwnerId;
    }
    TPageSuper* Active() { return PageCenter().ActivePage(); }
    int32_t ActiveId() { return Active() ? Active()->Id() : kNoOwnerId; }
    std::vector<int32_t> Children(TPageSuper* page) {
        TknIntList ids;
        page->GetChildIds(ids);
        return Ids(ids);
    }
    void Run(int32_t id) { CommandCenter().ExecuteCommand(id); }

    TMemoryWorkSpace Control;
    std::unique_ptr<TWorkSpace> WorkSpace;
};

}  // namespace qb::test
