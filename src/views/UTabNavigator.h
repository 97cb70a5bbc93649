#pragma once

// The tab navigator: while the tree is hidden, a tab bar over the siblings of the active page.
// The tabs are built again only when the active page has another parent than the pages shown;
// a sibling only moves the selection.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UOptionManager.h"
#include "views/UNavigatorSuper.h"

namespace qb {

class TTabNavigator;

struct TTabData {
    std::u16string Label;
    int32_t PageId = 0;
    int ImageIndex = -1;
    bool operator==(const TTabData&) const = default;
};

struct TTabLayout {
    bool MultiLine = false;  // several rows of tabs
    int32_t TabWidth = 0;    // above 0: every tab this wide
    bool ShowImages = false;
    TFontSettings Font;
    bool operator==(const TTabLayout&) const = default;
};

// The tab bar as the navigator sees it; it reports what the user does to the attached
// navigator, and nothing of what the navigator does to it.
class ITabControl : public IClientControl {
  public:
    virtual void Attach(TTabNavigator* navigator) = 0;
    virtual void ApplyLayout(const TTabLayout& layout) = 0;
    virtual void SetTabs(const std::vector<TTabData>& tabs) = 0;
    virtual void InsertTab(int index, const TTabData& tab) = 0;  // past the end: appended
    virtual void UpdateTab(int index, const TTabData& tab) = 0;
    virtual void DeleteTab(int index) = 0;
    virtual int TabCount() const = 0;
    virtual int32_t TabPageId(int index) const = 0;
    virtual void SelectTab(int index) = 0;  // -1: none
    virtual int SelectedTab() const = 0;
    virtual void HighlightTab(int index, bool highlighted) = 0;
    // An input box over the tab bar; false when cancelled.
    virtual bool AskText(std::u16string_view title, std::u16string_view prompt,
                         std::u16string& text) = 0;
};

class TTabNavigator : public TNavigatorSuper, public IOptionObserver, public ISizeObserver {
  public:
    // Attaches itself to the control and registers with the option and size centers.
    TTabNavigator(ITabControl& control, IPageDropTarget& dropTarget);
    ~TTabNavigator() override;

    void Rebuild() override;  // no tabs until the next SelectPage
    void SelectPage(TPageSuper* page) override;
    void AddPage(TPageSuper* page) override;
    void RefreshPage(TPageSuper* page) override;
    void RemovePage(TPageSuper* page) override;
    // Asks for the name in an input box.
    void StartRename(TPageSuper* page) override;
    IClientControl& Control() override { return FControl; }
    void OptionChanged() override;
    void AdjustAppearance() override;

    // --- what the user did on the control ---
    void TabClicked(int index);
    void TabRightClicked(int index);
    void TabDoubleClicked(int index);
    void TabMiddleClicked(int index);
    // Wheel turns: positive away from the user (towards the tabs on the left).
    void WheelTurned(int steps);
    void DroppedOnTab(int index, const TDropObject& object);

  private:
    TTabData TabData(TPageSuper& page) const;
    TTabLayout CurrentLayout() const;
    int TabOf(int32_t pageId) const;
    void Highlight(int index);
    void ActivateTab(int index);

    ITabControl& FControl;
    TTabLayout FLayout;
    bool FHighlightCurrent = false;
    int32_t FShownPageId = kNoOwnerId;
    int32_t FParentId = kNoOwnerId;
};

}  // namespace qb
