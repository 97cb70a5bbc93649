#pragma once

// The workspace's window: the splitter with the tree beside the client column, the tab bar
// over or under the page area, and the page area in which the three clients' controls lie
// one over the other. It gives the workspace the dialogs, key states and posted commands the
// page commands need, moves the splitter and the window for the tree-width moves, and imports
// files dropped onto it.

#include <QWidget>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "views/UWorkSpace.h"

class QGridLayout;
class QSplitter;
class QVBoxLayout;

namespace qb {

class TknIOProgress;
class TknTabControl;
class TknTrackingTip;
class TknTreeView;
class TScrollHandler;

// Which keys are down, for the rule that Shift and Ctrl count only while no other key is.
class TKeyTracker : public QObject {
    Q_OBJECT
  public:
    TKeyTracker();  // watches every key event of the program
    ~TKeyTracker() override;
    THeldKeys Held() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::set<int> FDown;  // keys other than modifiers
};

class TWorkSpacePanel : public QWidget, public IWorkSpaceControl, public ITreeWidthSite {
    Q_OBJECT
  public:
    explicit TWorkSpacePanel(QWidget* parent);
    ~TWorkSpacePanel() override;

    void ShowTree(bool shown) { FWorkSpace->ShowTree(shown); }
    bool TreeShown() const override { return FWorkSpace && FWorkSpace->TreeShown(); }
    // Where the clients' controls lie.
    QWidget* PageArea() const { return FPageArea; }
    TknTreeView& Tree() const { return *FTree; }
    TknTabControl& Tabs() const { return *FTabs; }
    // Files dropped onto the main window outside any page.
    void DropFiles(const std::vector<std::u16string>& files, Qt::KeyboardModifiers keys);

    // --- IWorkSpaceControl ---
    std::unique_ptr<TClientSuper> CreateClient(int clientKind, IPageDropTarget& dropTarget) override;
    ITreeControl& TreeControl() override;
    ITabControl& TabControl() override;
    ITreeWidthSite& TreeWidthSite() override { return *this; }
    void ApplyLayout(const TWorkSpaceLayout& layout) override;
    IIOProgress* ImportProgress() override;
    void EndImportProgress() override;

    // --- ISpaceSite ---
    THeldKeys HeldKeys() override { return FKeys->Held(); }
    bool AskName(std::u16string_view title, std::u16string_view prompt,
                 std::u16string& name) override;
    void PostCommand(int32_t id) override;
    void PostCheckCommands() override;
    bool Confirm(std::u16string_view question) override;
    void ShowProgress(std::u16string_view text, std::u16string_view name) override;
    void HideProgress() override;
    bool EscapeHeld() override;
    void ShowNotice(std::u16string_view text) override;
    bool CanShowProperties() const override;
    bool ShowProperties(int32_t pageId) override;
    bool OpenItemBox(int itemType, int32_t itemId, int32_t parentId,
                     int32_t insertBeforeId) override;

    // --- ITreeWidthSite ---
    int32_t TreeWidth() const override;
    void SetTreeWidth(int32_t width, bool keepPageArea) override;
    void ResizeWindow(int32_t leftDelta, int32_t widthDelta) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int TreeIndex() const;
    void HookScrolling(bool hook);

    TknTreeView* FTree;
    TknTabControl* FTabs;
    QWidget* FPageArea;
    QGridLayout* FPageLayout;
    QWidget* FColumn;
    QVBoxLayout* FColumnLayout;
    QSplitter* FSplitter;
    std::unique_ptr<TKeyTracker> FKeys;
    std::unique_ptr<TknTrackingTip> FTip;
    std::unique_ptr<TknIOProgress> FImportProgress;
    std::unique_ptr<TknIOProgress> FDeleteProgress;
    std::unique_ptr<TScrollHandler> FScroll;
    QList<int> FPendingSizes;  // splitter sizes for the window's next width
    bool FCheckPosted = false;
    std::unique_ptr<TWorkSpace> FWorkSpace;
};

}  // namespace qb
