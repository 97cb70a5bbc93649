#include "views/UListClient.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "storage/UPageStore.h"
#include "views/USpace.h"

namespace qb {

namespace {

constexpr int32_t kOpenLinkEvent = 3061;  // wparam: the link item
constexpr int32_t kContextMenuEvent = 3051;
constexpr int kRowMenuKind = 3;
constexpr int kSpaceMenuKind = 4;
constexpr int32_t cmDeleteKey = 1400;
constexpr int32_t cmClear = 1310;
constexpr int32_t cmSelectAll = 1340;

// Text commands that mean nothing to a list.
bool IsTextCommand(int32_t id) {
    static const int32_t ids[] = {1320, 1330, 1350, 1360, 1370, 1380, 1440,
                                  1450, 1460, 1480, 1490, 4000, 5000};
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

std::u16string OneLine(std::u16string text) {
    for (char16_t& c : text)
        if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
    return text;
}

// Whole numbers sort by value before other texts.
struct TSortKey {
    bool IsNumber;
    int64_t Number;
    std::u16string Text;
};

TSortKey KeyOf(const std::u16string& text) {
    const std::u16string t = Trim(text);
    const int64_t n = StrToIntDef(t, INT64_MIN);
    if (!t.empty() && n != INT64_MIN) return {true, n, {}};
    return {false, 0, LowerCase(t)};
}

bool KeyLess(const TSortKey& a, const TSortKey& b) {
    if (a.IsNumber != b.IsNumber) return a.IsNumber;
    if (a.IsNumber) return a.Number < b.Number;
    return CompareText(a.Text, b.Text) < 0;
}

}  // namespace

// --- TListClientSuper ---

void TListClientSuper::Register() {
    OptionManager().AddObserver(this);
    LangManager().AddObserver(this);
}

TListClientSuper::~TListClientSuper() {
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TLangManager* lang = ExistingLangManager()) lang->RemoveObserver(this);
}

int32_t TListClientSuper::DeleteCommand() const {
    return Page()->IsReferenceList() ? cmRemoveItems : cmDeleteItems;
}

bool TListClientSuper::CheckCommand(int32_t id) {
    if (id == cmDeleteKey) return Page() && CommandCenter().CheckCommand(DeleteCommand());
    if (id == cmClear || id == cmSelectAll) return SelectAllAllowed();
    return !IsTextCommand(id);
}

void TListClientSuper::ExecuteCommand(int32_t id) {
    if (!CheckCommand(id)) return;
    if (id == cmClear || id == cmSelectAll) SelectAllItems();
    if (id == cmClear) CommandCenter().ExecuteCommand(cmDeleteItems);
    if (id == cmDeleteKey) CommandCenter().ExecuteCommand(DeleteCommand());
}

void TListClientSuper::DoubleClick(int32_t pageId) {
    if (pageId == 0) {
        CommandCenter().ExecuteCommand(OptionManager().GroupDblClick == 1 ? cmLevelUp : cmNewItem);
        return;
    }
    TPageSuper* child = GetStore().GetPage(pageId);
    if (child && child->PageType() == ptLinkItem)
        EventCenter().EventNotify(kOpenLinkEvent, pageId);
    else
        CommandCenter().ExecuteCommand(cmEditItem);
}

void TListClientSuper::ContextMenu(bool onRow) {
    EventCenter().EventNotify(kContextMenuEvent, onRow ? kRowMenuKind : kSpaceMenuKind);
}

void TListClientSuper::Selected(int32_t pageId, bool selected) {
    PageCenter().Notify(selected ? pePageSelected : pePageUnselected, pageId);
}

void TListClientSuper::DeleteKey() { ExecuteCommand(cmDeleteKey); }

// --- the rows and columns ---

bool RenameChild(int32_t pageId, std::u16string_view text) {
    TPageSuper* child = GetStore().GetPage(pageId);
    if (!child || Trim(text).empty()) return false;
    child->SetName(text);  // announced as a change of the child
    return true;
}

TListRow MakeListRow(TPageSuper& child, const std::vector<TListColumn>& columns) {
    TListRow row;
    row.PageId = child.Id();
    row.Texts.reserve(columns.size());
    for (const TListColumn& column : columns)
        row.Texts.push_back(OneLine(child.GetFieldText(column.FieldId)));
    row.Image = child.GetImageIndex();
    row.Checked = child.CheckMark();
    return row;
}

std::vector<TListColumn> MakeListColumns(const TListProperty& list) {
    std::vector<TListColumn> columns;
    for (int i = 0; i < list.Columns.Count(); ++i) {
        const int32_t id = list.Columns.Items(i);
        const int32_t width =
            i < list.Widths.Count() ? list.Widths.Items(i) : TListProperty::kDefaultWidth;
        columns.push_back({id, LangText(id), width});
    }
    return columns;
}

TListViewSettings MakeViewSettings(const TListProperty& list) {
    return {list.ViewStyle, list.FullRowSelect, list.ShowGrids, list.ShowCheckBoxes};
}

std::u16string ColumnSignature(const TListProperty& list) {
    TknStrList entries;
    list.Save(entries);
    return entries.GetText();
}

void ReorderColumns(TListProperty& list, const std::vector<int>& order,
                    const std::vector<int32_t>& widths) {
    const int count = list.Columns.Count();
    std::vector<int> places(order);
    std::sort(places.begin(), places.end());
    for (int i = 0; i < count; ++i)
        if (static_cast<int>(places.size()) != count || places[i] != i) return;  // not these columns
    std::vector<int32_t> ids;
    for (int i = 0; i < count; ++i) ids.push_back(list.Columns.Items(i));
    list.Columns.Clear();
    list.Widths.Clear();
    for (int column : order) {
        list.Columns.Add(ids[column]);
        list.Widths.Add(column < static_cast<int>(widths.size()) ? widths[column]
                                                                 : TListProperty::kDefaultWidth);
    }
}

bool TSortToggle::Click(int column) {
    if (column == FColumn) {
        FColumn = -1;
        return false;
    }
    FColumn = column;
    return true;
}

void SortRows(std::vector<TListRow>& rows, int column, bool ascending) {
    std::vector<std::pair<TSortKey, size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& texts = rows[i].Texts;
        keys.emplace_back(KeyOf(column < static_cast<int>(texts.size()) ? texts[column] : u""), i);
    }
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? KeyLess(a.first, b.first) : KeyLess(b.first, a.first);
    });
    std::vector<TListRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& key : keys) sorted.push_back(std::move(rows[key.second]));
    rows = std::move(sorted);
}

// --- TListClient ---

TListClient::TListClient(IListControl& control, IPageDropTarget& dropTarget)
    : FControl(control), FDropTarget(dropTarget) {
    FControl.Attach(this);
    Register();
}

TListClient::~TListClient() { FControl.Attach(nullptr); }

void TListClient::Load(TPageSuper* page) {
    SetPage(page);
    TListProperty* list = page ? page->ListProperty() : nullptr;
    if (!list) return Unload();
    const std::u16string signature = ColumnSignature(*list);
    if (signature != FSignature) {
        FColumns = MakeListColumns(*list);
        FControl.ApplyColumns(MakeViewSettings(*list), FColumns);
        FSignature = signature;
    }
    FSort.Reset();
    BuildRows();
    FControl.RowsReset();
    CommandCenter().CheckCommands();
}

void TListClient::Unload() {
    SetPage(nullptr);
    FRows.clear();
    FControl.RowsReset();
}

void TListClient::BuildRows() {
    FRows.clear();
    TknIntList ids;
    Page()->GetChildIds(ids);
    TPageStore& store = GetStore();
    FRows.reserve(ids.Count());
    for (int i = 0; i < ids.Count(); ++i)
        if (TPageSuper* child = store.GetPage(ids.Items(i)))
            FRows.push_back(MakeListRow(*child, FColumns));
}

int TListClient::IndexOf(int32_t pageId) const {
    for (size_t i = 0; i < FRows.size(); ++i)
        if (FRows[i].PageId == pageId) return static_cast<int>(i);
    return -1;
}

int32_t TListClient::ItemPage(int index) const {
    return index >= 0 && index < ItemCount() ? FRows[index].PageId : 0;
}

void TListClient::OnPageEvent(uint8_t event, int32_t pageId, int32_t extra) {
    TPageSuper* page = Page();
    if (!page) return TClientSuper::OnPageEvent(event, pageId, extra);
    switch (event) {
        case pePageChanged:
        case peStatusChanged:
        case peIconChanged:
        case 5: {
            const int index = IndexOf(pageId);
            TPageSuper* child = index >= 0 ? GetStore().GetPage(pageId) : nullptr;
            if (!child) return;
            FRows[index] = MakeListRow(*child, FColumns);
            FControl.RowChanged(index);
            return;
        }
        case pePageViewChanged:
            if (pageId == page->Id()) Load(page);
            return;
        case peChildAdded:
            if (pageId == page->Id()) ChildAdded(extra);
            return;
        case peChildRemoved:
            if (pageId != page->Id()) return;
            if (const int index = IndexOf(extra); index >= 0) {
                FRows.erase(FRows.begin() + index);
                FControl.RowRemoved(index);
            }
            return;
        default:
            TClientSuper::OnPageEvent(event, pageId, extra);
    }
}

// List and report styles take the new row in place; the icon styles lay out afresh.
void TListClient::ChildAdded(int32_t childId) {
    TPageSuper* child = GetStore().GetPage(childId);
    if (!child) return;
    const uint8_t style = Page()->ListProperty()->ViewStyle;
    if (style != vsList && style != vsReport) {
        Load(Page());
        FControl.SelectOnly(IndexOf(childId));
        return;
    }
    TknIntList ids;
    Page()->GetChildIds(ids);
    const int index = std::min(ids.IndexOf(childId) < 0 ? ItemCount() : ids.IndexOf(childId),
                               ItemCount());
    FRows.insert(FRows.begin() + index, MakeListRow(*child, FColumns));
    FControl.RowInserted(index);
    FControl.SelectOnly(index);
}

void TListClient::Save() {
    TPageSuper* page = Page();
    if (!page || !page->ListProperty()) return;
    ReorderColumns(*page->ListProperty(), FControl.ColumnOrder(), FControl.ColumnWidths());
    TPageStore& store = GetStore();
    for (const TListRow& row : FRows)
        if (TPageSuper* child = store.GetPage(row.PageId)) child->SetCheckMark(row.Checked);
}

void TListClient::SetChecked(int index, bool checked) {
    if (index >= 0 && index < ItemCount()) FRows[index].Checked = checked;
}

void TListClient::HeaderClicked(int column) {
    SortRows(FRows, column, FSort.Click(column));
    FControl.RowsReset();
}

bool TListClient::Rename(int index, std::u16string_view text) {
    return RenameChild(ItemPage(index), text);
}

void TListClient::Drop(const TDropObject& object, int index) {
    TPageSuper* page = Page();
    if (!page) return;
    // Below the last row means after the last; an empty list takes the drop into its page.
    if (FRows.empty()) return FDropTarget.DropOnPage(object, page->Id(), page->OwnerId());
    if (index < 0 || index >= ItemCount()) index = ItemCount() - 1;
    FDropTarget.DropOnPage(object, ItemPage(index), page->Id());
}

void TListClient::OptionChanged() { FControl.ApplyFont(OptionManager().ListFontColor); }

void TListClient::LanguageChanged() {
    FSignature.clear();
    if (Page()) Load(Page());
}

}  // namespace qb
