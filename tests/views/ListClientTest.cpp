// The list client's decisions over an in-memory list view: when columns are rebuilt, what
// rows show, sorting, the columns and check marks saved back, new rows, commands and mouse.

#include <gtest/gtest.h>

#include "model/SysPagesFixture.h"
#include "model/UPageProperty.h"
#include "views/UListClient.h"

namespace qb::test {
namespace {

class TMemoryListControl : public IListControl {
  public:
    void ShowControl(bool) override {}
    bool ControlHasFocus() const override { return false; }
    void FocusControl() override {}
    void Attach(TListClient* client) override { Client = client; }
    void ApplyColumns(const TListViewSettings& settings,
                      const std::vector<TListColumn>& columns) override {
        Settings = settings;
        Columns = columns;
        ++ColumnBuilds;
    }
    void RowsReset() override { Log += "R"; }
    void RowChanged(int index) override { Log += "C" + std::to_string(index); }
    void RowInserted(int index) override { Log += "I" + std::to_string(index); }
    void RowRemoved(int index) override { Log += "D" + std::to_string(index); }
    void SelectOnly(int index) override { Log += "S" + std::to_string(index); }
    void SelectAll() override { Log += "A"; }
    std::vector<int> ColumnOrder() const override { return Order; }
    std::vector<int32_t> ColumnWidths() const override { return Widths; }
    void ApplyFont(const TFontSettings&) override {}

    TListClient* Client = nullptr;
    TListViewSettings Settings;
    std::vector<TListColumn> Columns;
    int ColumnBuilds = 0;
    std::string Log;
    std::vector<int> Order;
    std::vector<int32_t> Widths;
};

class TNoDrop : public IPageDropTarget {
  public:
    void DropOnPage(const TDropObject&, int32_t target, int32_t parent) override {
        Drops.emplace_back(target, parent);
    }
    std::vector<std::pair<int32_t, int32_t>> Drops;
};

// Records the commands run through the command center.
class TCommandLog : public ICommandExecutor {
  public:
    TCommandLog() { CommandCenter().AddExecutor(this); }
    ~TCommandLog() override {
        if (TknCommandCenter* c = ExistingCommandCenter()) c->RemoveExecutor(this);
    }
    bool CheckCommand(int32_t) override { return true; }
    void ExecuteCommand(int32_t id) override { Ids.push_back(id); }
    std::vector<int32_t> Ids;
};

class ListClientTest : public TSysPagesTest {
  protected:
    ListClientTest() {
        Memo = Add(GroupRoot(), ptMemo, u"Memos");
        for (const char16_t* name : {u"b", u"a", u"C"}) Add(Memo, ptMemoItem, name);
        Client.SetActive(true);
    }
    std::vector<std::u16string> Column(int column) {
        std::vector<std::u16string> texts;
        for (const TListRow& row : Client.Rows()) texts.push_back(row.Texts[column]);
        return texts;
    }

    TMemoryListControl Control;
    TNoDrop Drop;
    TListClient Client{Control, Drop};
    TPageSuper* Memo = nullptr;
};

TEST_F(ListClientTest, ColumnsAreRebuiltOnlyWhenTheirSettingsChange) {
    Client.Load(Memo);
    ASSERT_EQ(Control.ColumnBuilds, 1);
    ASSERT_EQ(Control.Columns.size(), 3u);
    EXPECT_EQ(Control.Columns[0], (TListColumn{fiTitle, u"Title", 100}));
    EXPECT_EQ(Control.Columns[2].FieldId, fiMemoDescription);
    EXPECT_EQ(Control.Settings.ViewStyle, vsReport);
    EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"b", u"a", u"C"}));

    Client.Load(Memo);  // same settings: the rows only
    EXPECT_EQ(Control.ColumnBuilds, 1);
    EXPECT_EQ(Control.Log, "RR");
    Memo->ListProperty()->ShowGrids = true;
    Client.Load(Memo);
    EXPECT_EQ(Control.ColumnBuilds, 2);
    EXPECT_TRUE(Control.Settings.ShowGrids);
    Client.LanguageChanged();  // the headers are translated again
    EXPECT_EQ(Control.ColumnBuilds, 3);
}

TEST_F(ListClientTest, HeaderClicksSortUpThenDownThenUpAgain) {
    Client.Load(Memo);
    Client.HeaderClicked(0);
    EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"a", u"b", u"C"}));
    Client.HeaderClicked(0);
    EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"C", u"b", u"a"}));
    Client.HeaderClicked(0);  // the column was forgotten
    EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"a", u"b", u"C"}));

    // Numbers by value before texts; equal texts keep their order.
    std::vector<TListRow> rows;
    int32_t id = 1;
    for (const char16_t* text : {u"10", u"x", u"9", u"X", u"", u"-2"})
        rows.push_back({id++, {text}, 0, false});
    SortRows(rows, 0, true);
    std::vector<int32_t> order;
    for (const auto& row : rows) order.push_back(row.PageId);
    EXPECT_EQ(order, (std::vector<int32_t>{6, 3, 1, 5, 2, 4}));
}

TEST_F(ListClientTest, SaveKeepsTheColumnsAsTheUserLeftThemAndTheCheckMarks) {
    Memo->ListProperty()->ShowCheckBoxes = true;
    Client.Load(Memo);
    Control.Order = {2, 0, 1};
    Control.Widths = {110, 120, 130};
    Client.SetChecked(1, true);
    PageCenter().Notify(pePageDeactivated, Memo->Id());
    const TListProperty& list = *Memo->ListProperty();
    EXPECT_EQ(Ids(list.Columns), (std::vector<int32_t>{fiMemoDescription, fiTitle, fiMemoTime}));
    EXPECT_EQ(Ids(list.Widths), (std::vector<int32_t>{130, 110, 120}));
    EXPECT_TRUE(Page(Client.ItemPage(1))->CheckMark());
    EXPECT_FALSE(Page(Client.ItemPage(0))->CheckMark());

    // Shown again: the columns in their new places.
    Client.Load(Memo);
    EXPECT_EQ(Control.Columns[0].FieldId, fiMemoDescription);
    EXPECT_EQ(Control.Columns[0].Width, 130);

    Control.Order = {0, 0, 1};  // not a reordering of these columns: nothing changes
    Client.Save();
    EXPECT_EQ(Ids(list.Columns), (std::vector<int32_t>{fiMemoDescription, fiTitle, fiMemoTime}));
}

TEST_F(ListClientTest, NewItemsGetTheirRowInReportAndAFreshLayoutInIconStyles) {
    Client.Load(Memo);
    Control.Log.clear();
    const int32_t first = Client.ItemPage(0);
    int32_t id = Store().NewPage(Memo->Id(), ptMemoItem);
    Memo->Childs()->AddChild(id, first);
    EXPECT_EQ(Control.Log, "I0S0");
    EXPECT_EQ(Client.ItemPage(0), id);

    Memo->ListProperty()->ViewStyle = vsBigIcon;
    Client.Load(Memo);
    Control.Log.clear();
    id = Store().NewPage(Memo->Id(), ptMemoItem);
    Memo->Childs()->AddChild(id);
    EXPECT_EQ(Control.Log, "RS4");
    Memo->Childs()->RemoveChild(id);
    EXPECT_EQ(Control.Log, "RS4D4");
}

TEST_F(ListClientTest, CommandsAndMouse) {
    TPageSuper* empty = Add(GroupRoot(), ptMemo, u"Empty");
    TPageSuper* links = Add(GroupRoot(), ptLink, u"Links");
    TPageSuper* link = Add(links, ptLinkItem, u"home");
    Client.Load(empty);
    EXPECT_FALSE(Client.CheckCommand(1310));
    EXPECT_FALSE(Client.CheckCommand(1340));
    EXPECT_FALSE(Client.CheckCommand(1450));  // a text command
    EXPECT_TRUE(Client.CheckCommand(1410));

    TCommandLog commands;
    TEventCounter opened(3061);
    TEventCounter menus(3051);
    Client.Load(Memo);
    Control.Log.clear();
    Client.ExecuteCommand(1310);  // Clear: everything selected, then the delete question
    EXPECT_EQ(Control.Log, "A");
    Client.DoubleClick(Client.ItemPage(0));
    Client.DoubleClick(0);
    OptionManager().GroupDblClick = 1;
    Client.DoubleClick(0);
    EXPECT_EQ(commands.Ids, (std::vector<int32_t>{1405, 1430, 1410, 1580}));
    Client.Load(links);
    Client.DoubleClick(link->Id());
    EXPECT_EQ(opened.Count, 1);
    EXPECT_EQ(commands.Ids.size(), 4u);  // not edited
    Client.ContextMenu(true);
    EXPECT_EQ(menus.Count, 1);

    EXPECT_FALSE(Client.Rename(0, u"  "));
    EXPECT_TRUE(Client.Rename(0, u"work"));
    EXPECT_EQ(link->Name(), u"work");

    // Below the last row means after the last; an empty list takes the drop itself.
    Client.Drop({}, -1);
    Client.Load(empty);
    Client.Drop({}, -1);
    EXPECT_EQ(Drop.Drops, (std::vector<std::pair<int32_t, int32_t>>{
                              {link->Id(), links->Id()}, {empty->Id(), empty->OwnerId()}}));
}

}  // namespace
}  // namespace qb::test
