#pragma once

// Narrowing and widening the tree panel from the keyboard (Ctrl+Alt+Left / Right) and from the
// splitter: collapsing the tree or expanding it again either inside the window (the page area
// takes or gives the room) or by shrinking or growing the window by the tree's width.

#include <cstdint>

namespace qb {

inline constexpr int32_t cmTreeNarrower = 356;  // Ctrl+Alt+Left
inline constexpr int32_t cmTreeWider = 357;     // Ctrl+Alt+Right

// The splitter, the tree and the window as the handler moves them.
class ITreeWidthSite {
  public:
    virtual ~ITreeWidthSite() = default;
    virtual int32_t TreeWidth() const = 0;
    // Moves the splitter so that the tree is this wide. keepPageArea: the page area keeps its
    // width (the window is about to change by the difference); otherwise it takes or gives
    // the room.
    virtual void SetTreeWidth(int32_t width, bool keepPageArea) = 0;
    // Moves the window's left edge by leftDelta and changes its width by widthDelta.
    virtual void ResizeWindow(int32_t leftDelta, int32_t widthDelta) = 0;
};

class TTreeWidthHandler {
  public:
    explicit TTreeWidthHandler(ITreeWidthSite& site) : FSite(site) {}

    void SetTreeOnRight(bool onRight) { FTreeOnRight = onRight; }

    void CollapseInside();
    void ExpandInside();
    void CollapseShrinking();
    void ExpandGrowing();

    // Ctrl+Alt+Left and Ctrl+Alt+Right: which move each runs depends on the tree's side and
    // whether it is collapsed.
    void Narrower();
    void Wider();
    // The splitter's two actions: collapse or expand inside the window; collapse shrinking or
    // expand growing the window.
    void FirstAction();
    void SecondAction();

    // The user dragged the splitter to this tree width.
    void SplitterMoved(int32_t width);
    // The remembered state: the width the tree has, or gets back when expanded.
    int32_t Width() const { return FWidth; }
    bool Collapsed() const { return FCollapsed; }
    void Restore(int32_t width, bool collapsed);
    // Puts the tree at its width, or at 0 when collapsed (after the tree was shown again).
    void Apply();

    static constexpr int32_t kDefaultWidth = 140;

  private:
    void Remember();

    ITreeWidthSite& FSite;
    bool FTreeOnRight = false;
    bool FCollapsed = false;
    int32_t FWidth = kDefaultWidth;
};

}  // namespace qb
