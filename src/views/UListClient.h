#pragma once

// The two clients of list pages. The list client shows a page's children as rows of a list
// view in one of four styles (big icons, small icons, list, report with columns); the abstract
// client (UBlogClient) shows them as numbered entries. Both share the commands and the mouse
// rules of TListClientSuper. What is shown is decided here, without a display; the widgets in
// ui/ show it.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/UOptionManager.h"
#include "views/UClientSuper.h"

namespace qb {

class TListProperty;

// Row of the list view: one text per column, the child page, its image and check mark.
struct TListRow {
    int32_t PageId = 0;
    std::vector<std::u16string> Texts;
    int Image = -1;
    bool Checked = false;
};

struct TListColumn {
    int32_t FieldId = 0;
    std::u16string Caption;
    int32_t Width = 0;
    bool operator==(const TListColumn&) const = default;
};

struct TListViewSettings {
    uint8_t ViewStyle = 3;
    bool FullRowSelect = true;
    bool ShowGrids = false;
    bool ShowCheckBoxes = false;
    bool operator==(const TListViewSettings&) const = default;
};

// The commands and mouse rules both list page clients share.
class TListClientSuper : public TClientSuper, public IOptionObserver, public ILangObserver {
  public:
    TListClientSuper() = default;
    ~TListClientSuper() override;

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

    // A double-click on the child (0: on empty space): a link item opens, any other item is
    // edited; empty space makes a new item, or goes a level up with GroupDblClick 1.
    void DoubleClick(int32_t pageId);
    // The context menu of a row (kind 3) or of the empty space (kind 4).
    void ContextMenu(bool onRow);
    // Selection changes become page events 12 and 13.
    void Selected(int32_t pageId, bool selected);
    // The Delete key deletes (or, in a reference list, removes) the selected items.
    void DeleteKey();

  protected:
    // Registers with the option and language centers for the client's whole life; they answer
    // at once, so the concrete client calls it when it is built.
    void Register();
    virtual int ItemCount() const = 0;
    virtual bool SelectAllAllowed() const = 0;
    virtual void SelectAllItems() = 0;

  private:
    int32_t DeleteCommand() const;
};

// In-place rename of a child: a non-empty text becomes its name.
bool RenameChild(int32_t pageId, std::u16string_view text);

// The rows a page shows in the list view: the child's field texts, one line each.
TListRow MakeListRow(TPageSuper& child, const std::vector<TListColumn>& columns);
// The columns and view settings of the list properties; the header texts from the language.
std::vector<TListColumn> MakeListColumns(const TListProperty& list);
TListViewSettings MakeViewSettings(const TListProperty& list);
// The text that names the settings: the columns are rebuilt only when it changes.
std::u16string ColumnSignature(const TListProperty& list);
// Columns dragged to other places and resized: `order` holds the column at each place.
void ReorderColumns(TListProperty& list, const std::vector<int>& order,
                    const std::vector<int32_t>& widths);

// Header clicks: ascending on the first click, descending on the second click on the same
// column, which is then forgotten so the next click sorts ascending again.
class TSortToggle {
  public:
    bool Click(int column);  // true: ascending
    void Reset() { FColumn = -1; }

  private:
    int FColumn = -1;
};
// Sorts rows by the texts of a column: numbers by value before other texts, which go in the
// locale's order ignoring case; equal texts keep their order.
void SortRows(std::vector<TListRow>& rows, int column, bool ascending);

class TListClient;

// The list view as the list client sees it: it shows the client's rows.
class IListControl : public IClientControl {
  public:
    virtual void Attach(TListClient* client) = 0;
    virtual void ApplyColumns(const TListViewSettings& settings,
                              const std::vector<TListColumn>& columns) = 0;
    virtual void RowsReset() = 0;
    virtual void RowChanged(int index) = 0;
    virtual void RowInserted(int index) = 0;
    virtual void RowRemoved(int index) = 0;
    virtual void SelectOnly(int index) = 0;
    virtual void SelectAll() = 0;
    // The column shown at each place, and each column's width.
    virtual std::vector<int> ColumnOrder() const = 0;
    virtual std::vector<int32_t> ColumnWidths() const = 0;
    virtual void ApplyFont(const TFontSettings& font) = 0;
};

class TListClient : public TListClientSuper {
  public:
    TListClient(IListControl& control, IPageDropTarget& dropTarget);
    ~TListClient() override;

    void Load(TPageSuper* page) override;
    void Unload() override;
    IClientControl* Control() override { return &FControl; }
    void OnPageEvent(uint8_t event, int32_t pageId, int32_t extra) override;
    // SaveView: the columns as the user left them, the rows' check marks into the children.
    void Save() override;
    void OptionChanged() override;
    void LanguageChanged() override;

    // What the list view shows and does.
    const std::vector<TListRow>& Rows() const { return FRows; }
    const std::vector<TListColumn>& Columns() const { return FColumns; }
    int32_t ItemPage(int index) const;
    void SetChecked(int index, bool checked);
    void HeaderClicked(int column);
    // In-place rename: a non-empty text becomes the child's name.
    bool Rename(int index, std::u16string_view text);
    // Dropped onto a row, or below the last row (index -1).
    void Drop(const TDropObject& object, int index);

  protected:
    int ItemCount() const override { return static_cast<int>(FRows.size()); }
    bool SelectAllAllowed() const override { return !FRows.empty(); }
    void SelectAllItems() override { FControl.SelectAll(); }

  private:
    int IndexOf(int32_t pageId) const;
    void BuildRows();
    void ChildAdded(int32_t childId);

    IListControl& FControl;
    IPageDropTarget& FDropTarget;
    std::u16string FSignature;
    std::vector<TListColumn> FColumns;
    std::vector<TListRow> FRows;
    TSortToggle FSort;
};

}  // namespace qb
