#pragma once

// The list view of the list client: one model over the client's rows, shown by a table view
// in report style (movable, resizable, clickable headers, grid lines) and by a list view in
// the icon and list styles. Both share one selection, so switching styles keeps it. No widget
// per row: a page of ten thousand items loads as fast as its rows are built.

#include <QAbstractTableModel>
#include <QWidget>
#include <memory>
#include <unordered_set>

#include "views/UListClient.h"

class QListView;
class QTableView;
class QStackedLayout;
class QAbstractItemView;

namespace qb {

class TListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TListModel(QObject* parent) : QAbstractTableModel(parent) {}
    void Attach(TListClient* client) { FClient = client; }
    TListClient* Client() const { return FClient; }
    void SetEditable(bool labelsEditable, bool checkBoxes);
    // The client's rows changed as the control was told.
    void Reset();
    void Changed(int row);
    void Inserted(int row);
    void Removed(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

  private:
    const TListRow* RowAt(int row) const;

    TListClient* FClient = nullptr;
    int FRows = 0;  // the rows the views know of, until they are told of a change
    int FColumns = 0;
    bool FLabelsEditable = true;
    bool FCheckBoxes = false;
};

class TListView : public QWidget, public IListControl {
    Q_OBJECT
  public:
    explicit TListView(QWidget* parent);
    ~TListView() override;

    // --- IClientControl ---
    void ShowControl(bool visible) override { setVisible(visible); }
    bool ControlHasFocus() const override;
    void FocusControl() override;

    // --- IListControl ---
    void Attach(TListClient* client) override;
    void ApplyColumns(const TListViewSettings& settings,
                      const std::vector<TListColumn>& columns) override;
    void RowsReset() override;
    void RowChanged(int index) override;
    void RowInserted(int index) override;
    void RowRemoved(int index) override;
    void SelectOnly(int index) override;
    void SelectAll() override;
    std::vector<int> ColumnOrder() const override;
    std::vector<int32_t> ColumnWidths() const override;
    void ApplyFont(const TFontSettings& font) override;

    QAbstractItemView* CurrentView() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetUp(QAbstractItemView& view);
    bool ViewEvent(QAbstractItemView& view, QEvent* event);
    // Reports the rows selected and deselected since the last call as page events.
    void SyncSelection();

    TListModel* FModel;
    QStackedLayout* FStack;
    QTableView* FReport;
    QListView* FIcons;
    std::unordered_set<int32_t> FSelected;
};

std::unique_ptr<TClientSuper> NewListClient(QWidget* pageArea, IPageDropTarget& dropTarget);

}  // namespace qb
