#pragma once

// The tree control of the tree navigator: one column of page nodes with their images, drawn
// with or without lines and buttons, edited in place, a source and a target of page drags and
// a target of files from the desktop. It reports what the user does to its navigator.

#include <QTreeWidget>

#include "views/UTreeNavigator.h"

namespace qb {

class TknTreeView : public QTreeWidget, public ITreeControl {
    Q_OBJECT
  public:
    explicit TknTreeView(QWidget* parent);
    ~TknTreeView() override;

    // --- IClientControl ---
    void ShowControl(bool visible) override { setVisible(visible); }
    bool ControlHasFocus() const override;
    void FocusControl() override { setFocus(Qt::OtherFocusReason); }

    // --- ITreeControl ---
    void Attach(TTreeNavigator* navigator) override { FNavigator = navigator; }
    void ApplyStyle(const TTreeStyle& style) override;
    void Clear() override;
    int ChildCount(TTreeNode parent) const override;
    TTreeNode Child(TTreeNode parent, int index) const override;
    TTreeNode ParentNode(TTreeNode node) const override;
    int IndexOf(TTreeNode node) const override;
    int32_t PageIdOf(TTreeNode node) const override;
    TTreeNode InsertNode(TTreeNode parent, int index, const TTreeNodeData& info) override;
    void AppendNodes(TTreeNode parent, const std::vector<TTreeNodeData>& nodes) override;
    void UpdateNode(TTreeNode node, const TTreeNodeData& info) override;
    void DeleteNode(TTreeNode node) override;
    void ExpandNode(TTreeNode node) override;
    void SelectNode(TTreeNode node) override;
    TTreeNode SelectedNode() const override;
    void EditNode(TTreeNode node, std::u16string_view text) override;

    static TTreeNode NodeOf(QTreeWidgetItem* item) { return reinterpret_cast<TTreeNode>(item); }
    static QTreeWidgetItem* ItemOf(TTreeNode node) {
        return reinterpret_cast<QTreeWidgetItem*>(node);
    }
    QTreeWidgetItem* ItemAtIndex(const QModelIndex& index) const { return itemFromIndex(index); }
    // The text the in-place editor starts from, and what it ends with.
    const QString& EditText() const { return FEditText; }
    void EditDone(QTreeWidgetItem* item, const QString& text);
    TTreeNavigator* Navigator() const { return FNavigator; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

  private:
    QTreeWidgetItem* ParentItem(TTreeNode node) const;
    QTreeWidgetItem* NewItem(const TTreeNodeData& info) const;
    void SetItem(QTreeWidgetItem& item, const TTreeNodeData& info) const;
    void DrawLines(QPainter& painter, const QRect& rect, QTreeWidgetItem* item) const;

    TTreeNavigator* FNavigator = nullptr;
    TTreeStyle FStyle;
    QString FEditText;
    int32_t FDragPageId = kNoOwnerId;
};

}  // namespace qb
