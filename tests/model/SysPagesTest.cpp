// The system pages: first start, opening commands, captions, favorites, list menus.

#include <filesystem>
#include "SysPagesFixture.h"

#include "foundation/UknFile.h"

namespace qb::test {
namespace {

using TSysPagesFirstStart = TSysPagesTest;

TEST_F(TSysPagesFirstStart, GivesExactlyTheFiveSystemPagesInOrder) {
    std::vector<int32_t> top = Children(Store().GetRoot());
    EXPECT_EQ(Types(top), (std::vector<int>{14, 10, 11, 22, 13}));
    EXPECT_EQ(Names(top), (std::vector<std::u16string>{u"Recent Notes", u"Favorite", u"Search",
                                                       u"Root", u"RecycleBin"}));
    std::vector<int32_t> recent = Children(ptRecentRoot);
    EXPECT_EQ(Types(recent), (std::vector<int>{19, 20, 21}));
    EXPECT_EQ(Names(recent), (std::vector<std::u16string>{u"Recent Created", u"Recent Modified",
                                                          u"Recent Visited"}));
    for (int32_t id : top) EXPECT_EQ(Page(id)->OwnerId(), kRootId);
    for (int32_t id : recent) EXPECT_EQ(Page(id)->OwnerId(), IdOf(ptRecentRoot));
    EXPECT_EQ(DeleteHandler().RecycleBinId(), IdOf(ptRecycleBin));
    EXPECT_EQ(Store().RecordCount(), 1 + 5 + 3);  // the root record too

    // The next start finds the saved pages and creates or lists nothing again.
    Store().SaveIndex();
    Manager.reset();
    EXPECT_EQ(DeleteHandler().RecycleBinId(), kNoOwnerId);
    ReleaseStore();
    Manager = std::make_unique<TSysPageManager>();
    EXPECT_EQ(Children(Store().GetRoot()), top);
    EXPECT_EQ(Children(ptRecentRoot), recent);
    EXPECT_EQ(Store().RecordCount(), 9);
}

TEST_F(TSysPagesFirstStart, OpeningCommandsBringRemovedPagesBackAtTheEnd) {
    TPageSuper* root = Store().GetRoot();
    const int32_t favorites = IdOf(ptFavorite), bin = IdOf(ptRecycleBin);
    // Deleting a system page from the root only takes it out of the tree.
    DeleteHandler().DeleteOrRecycle(favorites, kRootId);
    ASSERT_NE(Page(favorites), nullptr);
    EXPECT_EQ(Children(root).size(), 4u);

    CommandCenter().ExecuteCommand(1620);
    EXPECT_EQ(Children(root).back(), favorites);
    EXPECT_EQ(ActiveId(), favorites);
    CommandCenter().ExecuteCommand(1650);  // already listed: stays in its place
    EXPECT_EQ(Children(root).size(), 5u);
    EXPECT_EQ(Children(root)[3], bin);
    EXPECT_EQ(ActiveId(), bin);

    TPageSuper* recentRoot = Sys(ptRecentRoot);
    const int32_t visit = IdOf(ptRecentVisit);
    DeleteHandler().DeleteOrRecycle(visit, recentRoot->Id());
    DeleteHandler().DeleteOrRecycle(recentRoot->Id(), kRootId);
    EXPECT_EQ(Children(recentRoot).size(), 2u);
    CommandCenter().ExecuteCommand(1600);
    EXPECT_EQ(Children(root).back(), recentRoot->Id());
    EXPECT_EQ(Children(recentRoot).back(), visit);
    EXPECT_EQ(ActiveId(), recentRoot->Id());
}

TEST_F(TSysPagesFirstStart, CaptionsFollowTheInterfaceLanguage) {
    std::filesystem::create_directories(Folder.File("lang"));
    WriteBytes(Folder.File("lang/Deutsch.lng"),
               "25870=Favoriten\r\n25910=Papierkorb\r\n25940=Zuletzt erstellt\r\n");
    LangManager().SetLanguage(u"Deutsch");
    EXPECT_EQ(Favorites()->Name(), u"Favoriten");
    EXPECT_EQ(Bin()->Name(), u"Papierkorb");
    EXPECT_EQ(Sys(ptRecentCreate)->Name(), u"Zuletzt erstellt");
    EXPECT_EQ(Sys(ptGroupRoot)->Name(), u"Root");  // no text of its own: the string table's
    LangManager().SetLanguage(u"English");
    EXPECT_EQ(Favorites()->Name(), u"Favorite");
}

TEST_F(TSysPagesFirstStart, FavoritesAddOnceRemoveAndOpenByItemCommand) {
    TPageSuper* a = Add(GroupRoot(), ptNote, u"A");
    TPageSuper* b = Add(GroupRoot(), ptNote, u"B");
    PageCenter().SetActivePage(a);
    CommandCenter().ExecuteCommand(1610);
    CommandCenter().ExecuteCommand(1610);
    PageCenter().SetActivePage(b);
    CommandCenter().ExecuteCommand(1610);
    EXPECT_EQ(Children(Favorites()), (std::vector<int32_t>{a->Id(), b->Id()}));
    EXPECT_EQ(a->OwnerId(), GroupRoot()->Id());  // a reference, still owned by its group
    EXPECT_TRUE(IsFavorite(a->Id()));

    CommandCenter().ExecuteCommand(6501);  // the first favorite
    EXPECT_EQ(ActiveId(), a->Id());
    CommandCenter().ExecuteCommand(6503);  // beyond the last: nothing
    EXPECT_EQ(ActiveId(), a->Id());
    CommandCenter().ExecuteCommand(1615);
    EXPECT_EQ(Children(Favorites()), (std::vector<int32_t>{b->Id()}));
    AddFavorite(IdOf(ptFavorite));  // never itself
    AddFavorite(kRootId);
    AddFavorite(12345);  // no such page
    EXPECT_EQ(Children(Favorites()), (std::vector<int32_t>{b->Id()}));
}

TEST_F(TSysPagesFirstStart, ListMenusNumberTheItemsAndGiveTheirAbstracts) {
    std::vector<int32_t> ids;
    for (int i = 1; i <= 11; ++i) {
        std::u16string n = IntToStr(i);
        ids.push_back(AddText(GroupRoot(), ptNote, u"N" + n, u"text " + n)->Id());
        AddFavorite(ids.back());
    }
    TknStrList texts;
    texts.Add(u"from another list");
    ListCenter().GetListItems(6500, texts);
    ASSERT_EQ(texts.Count(), 12);
    EXPECT_EQ(texts.Items(1), u"1.\tN1");
    EXPECT_EQ(texts.Items(9), u"9.\tN9");
    EXPECT_EQ(texts.Items(10), u".10\tN10");
    EXPECT_EQ(texts.Items(11), u".11\tN11");

    int index = -1;
    std::u16string tip;
    EXPECT_TRUE(ListCenter().GetItemTip(6502, index, 4, tip));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(tip, u"text");  // the abstract, cut to the length asked
    EXPECT_FALSE(ListCenter().GetItemTip(6512, index, 200, tip));  // no twelfth favorite
    EXPECT_FALSE(ListCenter().GetItemTip(6500, index, 200, tip));  // the base is no item
    EXPECT_FALSE(ListCenter().GetItemTip(7000 + 500, index, 200, tip));
}

}  // namespace
}  // namespace qb::test
