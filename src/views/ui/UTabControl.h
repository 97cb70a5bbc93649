#pragma once

// The tab bar of the tab navigator, drawn by the desktop's style: one tab per sibling of the
// active page, in one scrolling row or in as many rows as the width needs, with fixed or
// natural widths, optional images and a highlighted current tab. It is a source and a target
// of page drags and a target of files, and reports what the user does to its navigator.

#include <QWidget>
#include <vector>

#include "views/UTabNavigator.h"

class QToolButton;
class QStyleOptionTab;

namespace qb {

class TknTabControl : public QWidget, public ITabControl {
    Q_OBJECT
  public:
    explicit TknTabControl(QWidget* parent);
    ~TknTabControl() override;

    // --- IClientControl ---
    void ShowControl(bool visible) override { setVisible(visible); }
    bool ControlHasFocus() const override { return hasFocus(); }
    void FocusControl() override { setFocus(Qt::OtherFocusReason); }

    // --- ITabControl ---
    void Attach(TTabNavigator* navigator) override { FNavigator = navigator; }
    void ApplyLayout(const TTabLayout& layout) override;
    void SetTabs(const std::vector<TTabData>& tabs) override;
    void InsertTab(int index, const TTabData& tab) override;
    void UpdateTab(int index, const TTabData& tab) override;
    void DeleteTab(int index) override;
    int TabCount() const override { return static_cast<int>(FTabs.size()); }
    int32_t TabPageId(int index) const override { return FTabs[index].Data.PageId; }
    void SelectTab(int index) override;
    int SelectedTab() const override { return FSelected; }
    void HighlightTab(int index, bool highlighted) override;
    bool AskText(std::u16string_view title, std::u16string_view prompt,
                 std::u16string& text) override;

    // The tabs drawn for a bar at the bottom of the page area.
    void SetOnBottom(bool onBottom);
    // The tab under a point, -1 for none.
    int TabAt(const QPoint& point) const;
    QRect TabRect(int index) const { return FTabs[index].Rect; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    struct TTab {
        TTabData Data;
        bool Highlighted = false;
        QRect Rect;
        bool Elided = false;
        int TextWidth = 0;  // the label, measured once
        int Natural = 0;    // the tab's width before it is fitted into the bar
    };
    TTab MakeTab(const TTabData& info) const;
    int TabHeight() const;
    void Measure(TTab& tab) const;
    int Padding() const;  // around the label: the style's space and the image
    void Relayout();
    int PlaceInRows(int area, int height);
    void EnsureVisible(int index);
    void ScrollBy(int tabs);
    void InitOption(QStyleOptionTab& option, int index) const;
    void DrawTab(QPainter& painter, int index) const;
    int TabAreaWidth() const;
    void Activate(int index);

    TTabNavigator* FNavigator = nullptr;
    std::vector<TTab> FTabs;
    TTabLayout FLayout;
    bool FOnBottom = false;
    int FSelected = -1;
    int FHover = -1;
    int FDropTarget = -1;
    int FPressed = -1;
    QPoint FPressPos;
    int FFirstVisible = 0;  // one row: the first tab shown
    int FRows = 1;
    bool FInRows = false;  // several rows are shown
    int FWheel = 0;         // wheel turns not yet a whole step
    int32_t FDragPageId = kNoOwnerId;
    QToolButton* FScrollLeft;
    QToolButton* FScrollRight;
};

}  // namespace qb
