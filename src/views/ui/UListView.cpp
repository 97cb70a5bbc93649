#include "views/ui/UListView.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

#include "model/UPageProperty.h"
#include "toolkit/UknFonts.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknQtText.h"
#include "views/ui/UPageDrag.h"

namespace qb {

namespace {

constexpr int kRowHeightMargin = 6;

// In-place renaming keeps Escape: it ends the editing, not the window.
class TRenameDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor) editor->setProperty("qbKeepsEscape", true);
        return editor;
    }
};

}  // namespace

// --- TListModel ---

void TListModel::SetEditable(bool labelsEditable, bool checkBoxes) {
    FLabelsEditable = labelsEditable;
    FCheckBoxes = checkBoxes;
}

const TListRow* TListModel::RowAt(int row) const {
    if (!FClient || row < 0 || row >= static_cast<int>(FClient->Rows().size())) return nullptr;
    return &FClient->Rows()[row];
}

void TListModel::Reset() {
    beginResetModel();
    FRows = FClient ? static_cast<int>(FClient->Rows().size()) : 0;
    FColumns = FClient ? std::max<int>(1, static_cast<int>(FClient->Columns().size())) : 1;
    endResetModel();
}

void TListModel::Changed(int row) {
    emit dataChanged(index(row, 0), index(row, FColumns - 1));
}

void TListModel::Inserted(int row) {
    beginInsertRows({}, row, row);
    ++FRows;
    endInsertRows();
}

void TListModel::Removed(int row) {
    beginRemoveRows({}, row, row);
    --FRows;
    endRemoveRows();
}

int TListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FColumns;
}

QVariant TListModel::data(const QModelIndex& index, int role) const {
    const TListRow* row = RowAt(index.row());
    if (!row) return {};
    const int column = index.column();
    const bool hasText = column < static_cast<int>(row->Texts.size());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
        case Qt::ToolTipRole:
            return hasText ? QtText(row->Texts[column]) : QVariant();
        case Qt::DecorationRole:
            return column == 0 ? PageImage(row->Image) : QVariant();
        case Qt::CheckStateRole:
            if (column != 0 || !FCheckBoxes) return {};
            return row->Checked ? Qt::Checked : Qt::Unchecked;
        default:
            return {};
    }
}

bool TListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!FClient || !RowAt(index.row())) return false;
    if (role == Qt::CheckStateRole) {
        FClient->SetChecked(index.row(), value.toInt() == Qt::Checked);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    if (role == Qt::EditRole) return FClient->Rename(index.row(), value.toString().toStdU16String());
    return false;
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !FClient) return {};
    const auto& columns = FClient->Columns();
    return section < static_cast<int>(columns.size()) ? QtText(columns[section].Caption) : QVariant();
}

Qt::ItemFlags TListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
                      Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == 0 && FLabelsEditable) f |= Qt::ItemIsEditable;
    if (index.column() == 0 && FCheckBoxes) f |= Qt::ItemIsUserCheckable;
    return f;
}

QStringList TListModel::mimeTypes() const {
    std::unique_ptr<QMimeData> sample = PageDragData({}, false);
    return sample->formats();
}

QMimeData* TListModel::mimeData(const QModelIndexList& indexes) const {
    std::vector<int32_t> ids;
    for (const QModelIndex& index : indexes)
        if (const TListRow* row = RowAt(index.row()); row && index.column() == 0)
            ids.push_back(row->PageId);
    return PageDragData(ids, false).release();
}

Qt::DropActions TListModel::supportedDragActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

// --- TListView ---

TListView::TListView(QWidget* parent)
    : QWidget(parent),
      FModel(new TListModel(this)),
      FStack(new QStackedLayout(this)),
      FReport(new QTableView(this)),
      FIcons(new QListView(this)) {
    setObjectName(QStringLiteral("ListClient"));
    FStack->setContentsMargins(0, 0, 0, 0);
    FReport->setObjectName(QStringLiteral("ListReport"));
    FIcons->setObjectName(QStringLiteral("ListIcons"));
    FReport->setModel(FModel);
    FIcons->setModel(FModel);
    FIcons->setSelectionModel(FReport->selectionModel());
    FReport->verticalHeader()->hide();
    FReport->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FReport->horizontalHeader()->setSectionsMovable(true);
    FReport->horizontalHeader()->setSectionsClickable(true);
    FReport->horizontalHeader()->setHighlightSections(false);
    FReport->horizontalHeader()->setStretchLastSection(false);
    FReport->setWordWrap(false);
    FIcons->setUniformItemSizes(true);
    FIcons->setLayoutMode(QListView::Batched);
    FIcons->setResizeMode(QListView::Adjust);
    FIcons->setWrapping(true);
    SetUp(*FReport);
    SetUp(*FIcons);
    FStack->addWidget(FReport);
    FStack->addWidget(FIcons);
    connect(FReport->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (FModel->Client()) FModel->Client()->HeaderClicked(column);
    });
    connect(FReport->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { SyncSelection(); });
}

TListView::~TListView() = default;

void TListView::SetUp(QAbstractItemView& view) {
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setDragEnabled(true);
    view.setAcceptDrops(true);
    view.setDragDropMode(QAbstractItemView::DragDrop);
    view.setDefaultDropAction(Qt::MoveAction);
    view.setIconSize(QSize(TknIcons::kSmall, TknIcons::kSmall));
    view.setItemDelegate(new TRenameDelegate(&view));
    view.installEventFilter(this);
    view.viewport()->installEventFilter(this);
}

QAbstractItemView* TListView::CurrentView() const {
    return static_cast<QAbstractItemView*>(FStack->currentWidget());
}

bool TListView::ControlHasFocus() const {
    return FReport->hasFocus() || FIcons->hasFocus();
}

void TListView::FocusControl() { CurrentView()->setFocus(Qt::OtherFocusReason); }

void TListView::Attach(TListClient* client) {
    FModel->Attach(client);
    FModel->Reset();
    FSelected.clear();
}

void TListView::ApplyColumns(const TListViewSettings& settings,
                             const std::vector<TListColumn>& columns) {
    const bool report = settings.ViewStyle == vsReport;
    FModel->SetEditable(!report, settings.ShowCheckBoxes);
    FModel->Reset();
    QHeaderView* header = FReport->horizontalHeader();
    for (size_t i = 0; i < columns.size(); ++i)
        header->resizeSection(static_cast<int>(i), columns[i].Width);
    FReport->setShowGrid(settings.ShowGrids);
    FReport->setSelectionBehavior(settings.FullRowSelect ? QAbstractItemView::SelectRows
                                                         : QAbstractItemView::SelectItems);
    FReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FIcons->setEditTriggers(QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    const bool big = settings.ViewStyle == vsBigIcon;
    FIcons->setViewMode(big ? QListView::IconMode : QListView::ListMode);
    FIcons->setFlow(settings.ViewStyle == vsList ? QListView::TopToBottom
                                                 : QListView::LeftToRight);
    FIcons->setMovement(QListView::Static);
    const int icon = big ? TknIcons::kLarge : TknIcons::kSmall;
    FIcons->setIconSize(QSize(icon, icon));
    FIcons->setGridSize(big ? QSize(96, 64) : QSize());
    FIcons->setSpacing(big ? 0 : 2);
    FStack->setCurrentWidget(report ? static_cast<QWidget*>(FReport) : FIcons);
}

void TListView::RowsReset() {
    FModel->Reset();
    SyncSelection();
}

void TListView::RowChanged(int index) { FModel->Changed(index); }

void TListView::RowInserted(int index) {
    FModel->Inserted(index);
    SyncSelection();
}

void TListView::RowRemoved(int index) {
    FModel->Removed(index);
    SyncSelection();
}

void TListView::SelectOnly(int index) {
    if (index < 0 || index >= FModel->rowCount()) return;
    const QModelIndex at = FModel->index(index, 0);
    FReport->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CurrentView()->scrollTo(at);
}

void TListView::SelectAll() { CurrentView()->selectAll(); }

std::vector<int> TListView::ColumnOrder() const {
    const QHeaderView* header = FReport->horizontalHeader();
    std::vector<int> order;
    for (int visual = 0; visual < header->count(); ++visual)
        order.push_back(header->logicalIndex(visual));
    return order;
}

std::vector<int32_t> TListView::ColumnWidths() const {
    const QHeaderView* header = FReport->horizontalHeader();
    std::vector<int32_t> widths;
    for (int logical = 0; logical < header->count(); ++logical)
        widths.push_back(header->sectionSize(logical));
    return widths;
}

void TListView::ApplyFont(const TFontSettings& font) {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FReport),
                                    static_cast<QAbstractItemView*>(FIcons)})
        ApplyFontSettings(*view, font);
    FReport->verticalHeader()->setDefaultSectionSize(
        std::max(FReport->fontMetrics().height(), static_cast<int>(TknIcons::kSmall)) +
        kRowHeightMargin);
}

void TListView::SyncSelection() {
    TListClient* client = FModel->Client();
    std::unordered_set<int32_t> now;
    if (client)
        for (const QModelIndex& index : FReport->selectionModel()->selectedIndexes())
            if (int32_t id = client->ItemPage(index.row())) now.insert(id);
    if (client) {
        for (int32_t id : FSelected)
            if (!now.count(id)) client->Selected(id, false);
        for (int32_t id : now)
            if (!FSelected.count(id)) client->Selected(id, true);
    }
    FSelected = std::move(now);
}

bool TListView::eventFilter(QObject* watched, QEvent* event) {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FReport),
                                    static_cast<QAbstractItemView*>(FIcons)})
        if (watched == view || watched == view->viewport()) return ViewEvent(*view, event);
    return QWidget::eventFilter(watched, event);
}

bool TListView::ViewEvent(QAbstractItemView& view, QEvent* event) {
    TListClient* client = FModel->Client();
    if (!client) return false;
    auto rowAt = [&view](const QPoint& pos) {
        const QModelIndex index = view.indexAt(pos);
        return index.isValid() ? index.row() : -1;
    };
    switch (event->type()) {
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            client->DoubleClick(client->ItemPage(rowAt(mouse->position().toPoint())));
            return true;
        }
        case QEvent::ContextMenu: {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            client->ContextMenu(rowAt(view.viewport()->mapFromGlobal(menu->globalPos())) >= 0);
            return true;
        }
        case QEvent::ShortcutOverride:
            // F2 renames the item in place where the view edits labels, not the page.
            if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F2 ||
                !(view.editTriggers() & QAbstractItemView::EditKeyPressed))
                return false;
            event->accept();
            return true;
        case QEvent::KeyPress:
            // The in-place editor has the keys while it is open.
            if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Delete) return false;
            client->DeleteKey();
            return true;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!CanDropOn(drag->mimeData())) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!CanDropOn(drop->mimeData())) return false;
            drop->acceptProposedAction();
            client->Drop(DropObjectOf(*drop), rowAt(drop->position().toPoint()));
            return true;
        }
        default:
            return false;
    }
}

std::unique_ptr<TClientSuper> NewListClient(QWidget* pageArea, IPageDropTarget& dropTarget) {
    auto* view = new TListView(pageArea);
    return std::make_unique<TListClient>(*view, dropTarget);
}

}  // namespace qb
