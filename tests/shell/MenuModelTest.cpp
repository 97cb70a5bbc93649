#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "foundation/UknStrUtils.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UMenuModel.h"
#include "shell/UMenuModelToolbar.h"
#include "shell/UOptionManager.h"

namespace qb {
namespace {

// Ids of one level, 0 for a separator.
std::vector<int32_t> Level(const TMenuItems& items) {
    std::vector<int32_t> ids;
    for (const TMenuItemDef& item : items) ids.push_back(item.Id);
    return ids;
}

const TMenuItemDef* Find(const TMenuItems& items, int32_t id) {
    for (const TMenuItemDef& item : items) {
        if (item.Kind != TMenuItemKind::Separator && item.Id == id) return &item;
        if (const TMenuItemDef* inner = Find(item.Items, id)) return inner;
    }
    return nullptr;
}

bool Holds(const TMenuItems& items, int32_t id) {
    return Find(items, id) != nullptr;
}

TOptions AllOff() {
    TOptions o;
    o.EnableCalcPage = o.EnableMemoPage = o.EnableDictPage = o.EnableLinkPage = false;
    o.EnableContactPage = o.EnableTemplate = o.EnableClipboard = false;
    return o;
}

TEST(MenuModelTest, MainMenuFormsAndOptionConditions) {
    TOptions on;
    TMenuItems bar = MainMenuItems(on, false);
    EXPECT_EQ(Level(bar), (std::vector<int32_t>{1000, 1300, 1550, 1700, 1900}));
    EXPECT_EQ(Level(bar[0].Items),
              (std::vector<int32_t>{1010, 1020, 1110, 0, 1120, 1130, 1150, 1140, 0, 1160, 1170, 0,
                                    1180, 1190, 1200, 0, 1210}));
    EXPECT_EQ(Level(bar[3].Items),
              (std::vector<int32_t>{1710, 1720, 1730, 1740, 0, 1750, 1760, 0, 1770, 1780, 1790, 0,
                                    1800, 0, 1810, 1820}));
    EXPECT_EQ(Find(bar, 5000)->Kind, TMenuItemKind::ListSubmenu);
    EXPECT_EQ(Level(Find(bar, 1590)->Items), (std::vector<int32_t>{7000, 7500, 8000, 0, 1600}));
    EXPECT_EQ(Level(Find(bar, 1380)->Items).size(), 13u);

    TMenuItems popup = MainMenuItems(on, true);
    ASSERT_EQ(popup.size(), 1u);
    EXPECT_EQ(popup[0].Id, kPopupFormMenuId);
    EXPECT_EQ(popup[0].Items, bar);

    TOptions off = AllOff();
    TMenuItems lean = MainMenuItems(off, false);
    for (int32_t id : {1020, 1030, 1070, 1750, 1760, 1770, 1790, 4000, 5000})
        EXPECT_FALSE(Holds(lean, id)) << id;
    EXPECT_EQ(Level(lean[3].Items),
              (std::vector<int32_t>{1710, 1720, 1730, 1740, 0, 1800, 0, 1810, 1820}));

    TOptions onlyMemo = off;
    onlyMemo.EnableMemoPage = true;
    EXPECT_EQ(Level(Find(MainMenuItems(onlyMemo, false), 1020)->Items),
              (std::vector<int32_t>{1040}));
    TOptions onlyLink = off;
    onlyLink.EnableLinkPage = true;
    EXPECT_EQ(Level(MainMenuItems(onlyLink, false)[3].Items),
              (std::vector<int32_t>{1710, 1720, 1730, 1740, 0, 1760, 0, 1800, 0, 1810, 1820}));
}

TEST(MenuModelTest, RelabelledItemsFollowTheActivePage) {
    TActivePageFacts note{true, false, ckEditor, false, -1, false};
    TActivePageFacts list{true, false, ckList, false, vsAbstract, true};
    TActivePageFacts favorites{true, true, ckList, true, vsBigIcon, false};
    TActivePageFacts none;

    EXPECT_EQ(DeletePageTextId(note), 1140);
    EXPECT_EQ(DeletePageTextId(favorites), 1145);
    EXPECT_EQ(DeleteTextId(note), 1400);
    EXPECT_EQ(DeleteTextId(list), 1405);
    EXPECT_EQ(DeleteTextId(favorites), 1406);
    EXPECT_EQ(DeleteTextId(none), 1405);
    EXPECT_EQ(CheckedViewStyleId(list), 11090);
    EXPECT_EQ(CheckedViewStyleId(favorites), 11050);
    EXPECT_EQ(CheckedViewStyleId(note), 0);
    EXPECT_EQ(CheckedViewStyleId(TActivePageFacts{true, false, ckList, false, 9, false}), 0);
    EXPECT_EQ(Level(FavoriteTail(list)), (std::vector<int32_t>{0, 1615, 1620}));
    EXPECT_EQ(Level(FavoriteTail(note)), (std::vector<int32_t>{0, 1610, 1620}));

    EXPECT_EQ(RestoreTextId(2), 1960);
    for (int32_t status : {1, 3}) EXPECT_EQ(RestoreTextId(status), 1970);
}

// A submenu as the list rules see it: ids to texts, with every change logged.
class TFakeListMenu : public IListSubmenu {
  public:
    int ListItemCount() override { return static_cast<int>(Items.size()); }
    void SetListItemText(int32_t id, std::u16string_view text) override {
        ASSERT_TRUE(Items.count(id));
        Items[id] = text;
    }
    void AddListItem(int32_t id, std::u16string_view text) override {
        ASSERT_FALSE(Items.count(id));
        Items[id] = text;
        ++Added;
    }
    void DeleteListItem(int32_t id) override { ASSERT_EQ(Items.erase(id), 1u); }
    std::map<int32_t, std::u16string> Items;
    int Added = 0;
};

void FillWith(int32_t base, int count, char16_t prefix, TFakeListMenu& menu) {
    TknStrList texts;
    for (int i = 0; i < count; ++i)
        texts.Add(std::u16string{prefix, static_cast<char16_t>(u'a' + i % 26)});
    FillListSubmenu(base, texts, menu);
}

TEST(MenuModelTest, ListSubmenusGrowAndShrink) {
    TFakeListMenu menu;
    FillWith(kRecentVisitedListId, 5, u'x', menu);
    EXPECT_EQ(menu.Added, 5);
    FillWith(kRecentVisitedListId, 3, u'y', menu);
    EXPECT_EQ(menu.Added, 5);
    ASSERT_EQ(menu.Items.size(), 3u);
    EXPECT_EQ(menu.Items.begin()->first, 8001);
    EXPECT_EQ(menu.Items.rbegin()->first, 8003);
    EXPECT_EQ(menu.Items[8003], u"yc");
    FillWith(kRecentVisitedListId, 0, u'z', menu);
    EXPECT_TRUE(menu.Items.empty());

    // A longer list stops at the last id its base owns: the next base's ids stay free.
    FillWith(kFastLinkListId, 600, u'f', menu);
    ASSERT_EQ(menu.Items.size(), static_cast<size_t>(kMaxListItems));
    EXPECT_EQ(menu.Items.rbegin()->first, kFastLinkListId + kMaxListItems);
    EXPECT_LT(menu.Items.rbegin()->first, kFavoriteListId);
}

TEST(MenuModelTest, ContextMenusByKind) {
    TOptions on;
    TOptions off = AllOff();
    TActivePageFacts note{true, false, ckEditor, false, -1, false};
    TActivePageFacts list{true, false, ckList, false, vsReport, true};

    const std::vector<std::pair<int32_t, std::vector<int32_t>>> cases = {
        {1, {1810}},
        {3, {1410, 1420, 1430, 1400}},
        {4, {1410, 0, 1160, 1170}},
        {5, {1350, 1360, 1370, 1400, 0, 1380, 1450, 0, 1490, 5000, 4000}},
        {6, {1320, 1330, 1340, 0, 1440, 1385, 0, 1450, 1460, 1480, 0, 1370, 1490, 5000, 4000}},
        {7, {}},
        {8, {1630, 0, 1160, 1170, 0, 1140}},
        {9, {1310, 0, 1160, 1170, 0, 1140}},
        {10, {1160, 1170, 0, 1140}},
        {11, {1160, 1170}},
        {12, {}},
    };
    for (const auto& [kind, ids] : cases)
        EXPECT_EQ(Level(ContextMenuItems(kind, on, note)), ids) << kind;

    // Kind 2: submenus first, then the favorite item at 9.
    EXPECT_EQ(
        Level(ContextMenuItems(2, on, list)),
        (std::vector<int32_t>{1010, 1020, 1110, 0, 1120, 1130, 1160, 1170, 0, 1615, 1190, 1140}));
    EXPECT_EQ(Level(ContextMenuItems(2, on, note)),
              (std::vector<int32_t>{1010, 1020, 1110, 0, 1120, 1130, 1160, 0, 1190, 1610, 1140}));
    EXPECT_EQ(Level(ContextMenuItems(2, off, note)),
              (std::vector<int32_t>{1010, 1110, 0, 1120, 1130, 1160, 0, 1190, 1140, 1610}));
    EXPECT_EQ(Level(ContextMenuItems(5, off, note)),
              (std::vector<int32_t>{1350, 1360, 1370, 1400, 0, 1380, 1450, 0, 1490}));

    // Inserted submenus carry their main-menu contents.
    TMenuItems kind4 = ContextMenuItems(4, on, list);
    EXPECT_EQ(kind4[3], *Find(MainMenuItems(on, false), 1170));
    EXPECT_EQ(ContextMenuItems(6, on, note)[13].Kind, TMenuItemKind::ListSubmenu);
}

TEST(MenuModelTest, TrayMenuFollowsTheFeatureOptions) {
    TOptions on;
    TMenuItems tray = TrayMenuItems(on);
    ASSERT_EQ(Level(tray), (std::vector<int32_t>{kTrayMenuId}));
    EXPECT_EQ(Level(tray[0].Items), (std::vector<int32_t>{6000, 0, 5000, 4000, 1770, 1780, 0, 1975,
                                                          1980, 1820, 0, 1960, 1210}));
    EXPECT_EQ(Level(TrayMenuItems(AllOff())[0].Items),
              (std::vector<int32_t>{1975, 1980, 1820, 0, 1960, 1210}));
    TOptions onlyTemplate = AllOff();
    onlyTemplate.EnableTemplate = true;
    EXPECT_EQ(Level(TrayMenuItems(onlyTemplate)[0].Items),
              (std::vector<int32_t>{5000, 0, 1975, 1980, 1820, 0, 1960, 1210}));
}

TEST(MenuModelTest, ToolButtonsCleanUp) {
    TMenuItems menu = MainMenuItems(TOptions(), false);
    TMenuHolds holds = [&](int32_t id) { return Holds(menu, id); };

    const std::vector<std::pair<const char16_t*, TButtonIds>> cases = {
        {u"1010,0,0,1110", {1010, 0, 1110}},
        {u"1010, 0 ,0,0,1110,1110", {1010, 0, 1110}},
        {u"1010,9999,1110", {1010, 1110}},             // unknown id dropped
        {u"1010,0,9999,0,1110", {1010, 0, 1110}},      // ... and the separators it parted
        {u"0,1010,1110,1010", {0, 1010, 1110, 1010}},  // only neighbours collapse
        {u"1010,abc,1110", {1010, 0, 1110}},           // a non-number reads as 0
        {u"1010,4294968306,1110", {1010, 1110}},       // no wrap into a real id
        {u"1010,,1110", {1010, 0, 1110}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ToolButtonsFromText(text, holds), expected) << ToUtf8(text);

    EXPECT_EQ(ToolButtonsFromText(u"", holds), DefaultToolButtons());
    EXPECT_EQ(DefaultToolButtons().size(), 23u);
    EXPECT_EQ(ToUtf8(ToolButtonsText({1010, 0, 1110})), "1010,0,1110");
    EXPECT_EQ(ParseToolButtons(ToolButtonsText(DefaultToolButtons())), DefaultToolButtons());

    // Without the extended pages their buttons go, and so does a separator they leave doubled.
    TMenuItems lean = MainMenuItems(AllOff(), false);
    TMenuHolds leanHolds = [&](int32_t id) { return Holds(lean, id); };
    EXPECT_EQ(ToolButtonsFromText(u"1010,1020,0,5000,0,1110", leanHolds),
              (TButtonIds{1010, 0, 1110}));
    EXPECT_EQ(DefineToolbarIds(holds).size(), 60u);
    EXPECT_EQ(DefineToolbarIds(leanHolds).size(), 60u - 13u);
}

TEST(MenuModelTest, ButtonHints) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"New &NotePage", u"New NotePage"},
        {u"&Replace && Find Next", u"Replace  Find Next"},
        {u"File(&F)", u"File"},
        {u"(&X) Exit", u"(X) Exit"},  // "(" first: kept
        {u"Open (unclosed", u"Open (unclosed"},
        {u"A (b) c (d)", u"A  c (d)"},
    };
    for (auto [text, hint] : cases) EXPECT_EQ(ToUtf8(ButtonHint(text)), ToUtf8(hint));
}

TEST(MenuModelTest, DefineToolbarLists) {
    TMenuItems menu = MainMenuItems(TOptions(), false);
    TMenuHolds holds = [&](int32_t id) { return Holds(menu, id); };
    TToolbarEdit edit(holds, {1010, 0, 1110});

    EXPECT_EQ(edit.Available().front(), 0);
    EXPECT_EQ(edit.Available().size(), 1u + 60u - 2u);
    EXPECT_EQ(std::count(edit.Available().begin(), edit.Available().end(), 1010), 0);

    // Add 1020 (available index 1) at the front, a separator at the end.
    EXPECT_EQ(edit.Add(1, 0), 0);
    EXPECT_EQ(edit.Add(0, 99), 4);
    EXPECT_EQ(edit.Current(), (TButtonIds{1020, 1010, 0, 1110, 0}));
    EXPECT_EQ(edit.Available().front(), 0);  // the separator stays offered
    EXPECT_EQ(edit.Add(-1, 0), -1);
    EXPECT_EQ(edit.Add(static_cast<int>(edit.Available().size()), 0), -1);

    EXPECT_EQ(edit.MoveDown(0), 1);
    EXPECT_EQ(edit.MoveUp(0), 0);  // already first
    EXPECT_EQ(edit.MoveDown(4), 4);
    EXPECT_EQ(edit.Current(), (TButtonIds{1010, 1020, 0, 1110, 0}));

    EXPECT_TRUE(edit.Remove(1));
    EXPECT_FALSE(edit.Remove(7));
    EXPECT_EQ(edit.Available()[1], 1020);  // back in its offered place
    EXPECT_EQ(ToUtf8(edit.Text()), "1010,0,1110,0");

    edit.Reset();
    EXPECT_EQ(edit.Current(), DefaultToolButtons());
}

}  // namespace
}  // namespace qb
