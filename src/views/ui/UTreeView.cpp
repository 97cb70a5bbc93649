#include "views/ui/UTreeView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTimer>

#include "toolkit/UknFonts.h"
#include "toolkit/UknIcons.h"
#include "views/ui/UPageDrag.h"

namespace qb {

namespace {

constexpr int kPageIdRole = Qt::UserRole;

// In-place renaming: the editor starts from the page's plain name and hands the text to the
// navigator instead of writing it into the node; the page's change relabels the node.
class TRenameDelegate : public QStyledItemDelegate {
  public:
    explicit TRenameDelegate(TknTreeView& tree) : QStyledItemDelegate(&tree), FTree(tree) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setProperty("qbKeepsEscape", true);  // Escape ends the editing, not the window
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex&) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        edit->setText(FTree.EditText());
        edit->selectAll();
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        FTree.EditDone(FTree.ItemAtIndex(index), static_cast<QLineEdit*>(editor)->text());
    }

  private:
    TknTreeView& FTree;
};

bool HasNextSibling(const QTreeWidget& tree, QTreeWidgetItem* item) {
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : tree.indexOfTopLevelItem(item);
    const int count = parent ? parent->childCount() : tree.topLevelItemCount();
    return index + 1 < count;
}

}  // namespace

TknTreeView::TknTreeView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeNavigator"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(true);  // drops go onto nodes, never between them
    setAutoExpandDelay(700);
    setIconSize(QSize(TknIcons::kSmall, TknIcons::kSmall));
    setItemDelegate(new TRenameDelegate(*this));
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (FNavigator) FNavigator->NodeExpanding(NodeOf(item));
    });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                if (FNavigator && current) FNavigator->NodeSelected(NodeOf(current));
            });
}

TknTreeView::~TknTreeView() = default;

bool TknTreeView::ControlHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void TknTreeView::ApplyStyle(const TTreeStyle& style) {
    FStyle = style;
    ApplyFontSettings(*this, style.Font);
    setRootIsDecorated(style.LinesAtRoot);
    header()->setStretchLastSection(!style.HorzScroll);
    header()->setSectionResizeMode(0, style.HorzScroll ? QHeaderView::ResizeToContents
                                                       : QHeaderView::Stretch);
    setHorizontalScrollBarPolicy(style.HorzScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    viewport()->update();
}

// --- nodes ---

QTreeWidgetItem* TknTreeView::ParentItem(TTreeNode node) const {
    return node ? ItemOf(node) : invisibleRootItem();
}

void TknTreeView::SetItem(QTreeWidgetItem& item, const TTreeNodeData& info) const {
    item.setText(0, QString::fromStdU16String(info.Label));
    item.setData(0, kPageIdRole, info.PageId);
    item.setIcon(0, FStyle.ShowImages ? PageImage(info.ImageIndex) : QIcon());
    item.setChildIndicatorPolicy(info.HasChildren
                                     ? QTreeWidgetItem::ShowIndicator
                                     : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* TknTreeView::NewItem(const TTreeNodeData& info) const {
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                   Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
    SetItem(*item, info);
    return item;
}

void TknTreeView::Clear() {
    clear();
}

int TknTreeView::ChildCount(TTreeNode parent) const {
    return ParentItem(parent)->childCount();
}

TTreeNode TknTreeView::Child(TTreeNode parent, int index) const {
    return NodeOf(ParentItem(parent)->child(index));
}

TTreeNode TknTreeView::ParentNode(TTreeNode node) const {
    return NodeOf(ItemOf(node)->parent());
}

int TknTreeView::IndexOf(TTreeNode node) const {
    QTreeWidgetItem* item = ItemOf(node);
    return item->parent() ? item->parent()->indexOfChild(item) : indexOfTopLevelItem(item);
}

int32_t TknTreeView::PageIdOf(TTreeNode node) const {
    return ItemOf(node)->data(0, kPageIdRole).toInt();
}

TTreeNode TknTreeView::InsertNode(TTreeNode parent, int index, const TTreeNodeData& info) {
    QTreeWidgetItem* item = NewItem(info);
    QTreeWidgetItem* under = ParentItem(parent);
    under->insertChild(std::min(index, under->childCount()), item);
    return NodeOf(item);
}

void TknTreeView::AppendNodes(TTreeNode parent, const std::vector<TTreeNodeData>& nodes) {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(nodes.size()));
    for (const TTreeNodeData& info : nodes) items.append(NewItem(info));
    ParentItem(parent)->addChildren(items);
}

void TknTreeView::UpdateNode(TTreeNode node, const TTreeNodeData& info) {
    SetItem(*ItemOf(node), info);
}

void TknTreeView::DeleteNode(TTreeNode node) {
    delete ItemOf(node);
}

void TknTreeView::ExpandNode(TTreeNode node) {
    ItemOf(node)->setExpanded(true);
}

void TknTreeView::SelectNode(TTreeNode node) {
    if (!node) {
        setCurrentItem(nullptr);
        clearSelection();
        return;
    }
    setCurrentItem(ItemOf(node));
    scrollToItem(ItemOf(node));
}

TTreeNode TknTreeView::SelectedNode() const {
    return NodeOf(currentItem());
}

void TknTreeView::EditNode(TTreeNode node, std::u16string_view text) {
    FEditText = QString::fromStdU16String(std::u16string(text));
    scrollToItem(ItemOf(node));
    editItem(ItemOf(node), 0);
}

void TknTreeView::EditDone(QTreeWidgetItem* item, const QString& text) {
    if (FNavigator && item) FNavigator->NodeRenamed(NodeOf(item), text.toStdU16String());
}

// --- mouse ---

void TknTreeView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::MiddleButton) event->accept();
}

void TknTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        if (FNavigator && item) FNavigator->NodeMiddleClicked(NodeOf(item));
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void TknTreeView::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* item = event->reason() == QContextMenuEvent::Keyboard
                                ? currentItem()
                                : itemAt(event->pos());
    if (FNavigator && item) FNavigator->NodeRightClicked(NodeOf(item));
    event->accept();
}

// --- drag and drop ---

QStringList TknTreeView::mimeTypes() const {
    return {QStringLiteral("application/x-quillbox-pages"), QStringLiteral("text/uri-list")};
}

Qt::DropActions TknTreeView::supportedDropActions() const {
    return Qt::CopyAction | Qt::MoveAction;
}

void TknTreeView::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    if (!item) return;
    FDragPageId = item->data(0, kPageIdRole).toInt();
    auto* drag = new QDrag(this);
    drag->setMimeData(PageDragData({FDragPageId}, true).release());
    drag->setPixmap(item->icon(0).pixmap(iconSize()));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    FDragPageId = kNoOwnerId;
}

void TknTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (!CanDropOn(event->mimeData())) {
        event->ignore();
        return;
    }
    QTreeWidget::dragEnterEvent(event);
    event->acceptProposedAction();
}

void TknTreeView::dragMoveEvent(QDragMoveEvent* event) {
    // The base scrolls, opens nodes held over and draws the drop frame.
    QTreeWidget::dragMoveEvent(event);
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    const bool onItself = event->source() == this && item &&
                          item->data(0, kPageIdRole).toInt() == FDragPageId;
    if (!item || onItself || !CanDropOn(event->mimeData()))
        event->ignore();
    else
        event->acceptProposedAction();
}

void TknTreeView::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    QDragLeaveEvent leave;  // ends the base's drag state and drop frame
    QTreeWidget::dragLeaveEvent(&leave);
    if (!item || (event->source() == this && item->data(0, kPageIdRole).toInt() == FDragPageId)) {
        event->ignore();
        return;
    }
    const TDropObject object = DropObjectOf(*event);
    event->setDropAction(Qt::CopyAction);  // the source removes nothing: the store moves pages
    event->accept();
    // Once the drag is over: moving pages rebuilds nodes, importing shows its progress.
    const QPersistentModelIndex target(indexFromItem(item));
    QTimer::singleShot(0, this, [this, target, object] {
        QTreeWidgetItem* at = target.isValid() ? itemFromIndex(target) : nullptr;
        if (FNavigator && at) FNavigator->DroppedOnNode(NodeOf(at), object);
    });
}

// --- drawing ---

void TknTreeView::drawBranches(QPainter* painter, const QRect& rect,
                               const QModelIndex& index) const {
    QTreeWidgetItem* item = itemFromIndex(index);
    if (!item) return;
    if (FStyle.NodeLines) DrawLines(*painter, rect, item);
    const bool children = item->childCount() > 0 ||
                          item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    if (!FStyle.NodeButtons || !children || rect.width() < indentation()) return;
    QStyleOption option;
    option.initFrom(this);
    option.rect = QRect(rect.right() + 1 - indentation(), rect.top(), indentation(), rect.height());
    option.state = QStyle::State_Children | QStyle::State_Item |
                   (item->isExpanded() ? QStyle::State_Open : QStyle::State_None);
    style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, painter, this);
}

// Dotted lines as classic trees draw them: through every level whose node has a sibling
// below, and from the node's own level to its label.
void TknTreeView::DrawLines(QPainter& painter, const QRect& rect, QTreeWidgetItem* item) const {
    int depth = 0;
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) ++depth;
    const int slot = depth - (rootIsDecorated() ? 0 : 1);  // the node's own level
    if (slot < 0) return;
    const int indent = indentation();
    auto centre = [&](int level) { return rect.right() + 1 - (slot + 1 - level) * indent + indent / 2; };
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
    const int middle = rect.center().y();
    const int x = centre(slot);
    const bool first = !item->parent() && indexOfTopLevelItem(item) == 0;
    painter.drawLine(x, first ? middle : rect.top(), x,
                     HasNextSibling(*this, item) ? rect.bottom() : middle);
    painter.drawLine(x, middle, x + indent / 2, middle);
    QTreeWidgetItem* up = item->parent();
    for (int level = slot - 1; level >= 0 && up; --level, up = up->parent())
        if (HasNextSibling(*this, up)) painter.drawLine(centre(level), rect.top(), centre(level), rect.bottom());
    painter.restore();
}

}  // namespace qb
