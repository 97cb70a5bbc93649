// The page commands: where new pages go, the name prompt and rename in place, enabling, the
// history commands, the view style, and that renaming, locking and moving leave the data file
// alone.

#include <sys/stat.h>

#include "ViewsFixture.h"
#include "model/UPageProperty.h"

namespace qb::test {
namespace {

class SpaceTest : public TWorkSpaceTest {
  protected:
    SpaceTest() {
        root = Page(IdOf(ptGroupRoot));
        group = Add(root, ptGroup, u"G");
        a = Add(group, ptNote, u"A");
        b = Add(group, ptNote, u"B");
    }
    TPageSuper* root;
    TPageSuper* group;
    TPageSuper* a;
    TPageSuper* b;
};

TEST_F(SpaceTest, NewPagesGoIntoOrBesideTheActivePageOrToTheGroupRoot) {
    TPageSuper* memo = Add(group, ptMemo, u"M");
    const int32_t bin = IdOf(ptRecycleBin);
    TPageSuper* binned = Add(Page(bin), ptNote, u"old");
    struct TCase {
        TPageSuper* Active;
        int Type;
        bool Beside, Shift, Ctrl;
        TNewPagePlace Expected;
    };
    const TCase cases[] = {
        {group, ptNote, false, false, false, {group->Id(), -1}},  // into the group
        {group, ptNote, false, true, false, {root->Id(), -1}},    // Shift: beside it
        {group, ptNote, false, false, true, {root->Id(), group->Id()}},  // Ctrl: before it
        {group, ptNote, true, false, false, {root->Id(), -1}},    // 1015: never a child
        {a, ptNote, false, false, false, {group->Id(), -1}},      // a note takes no note
        {a, ptGroup, false, false, true, {group->Id(), a->Id()}},
        {memo, ptNote, false, false, false, {group->Id(), -1}},   // a memo list takes items
        {memo, ptMemoItem, false, false, false, {memo->Id(), -1}},
        {root, ptNote, false, true, false, {root->Id(), -1}},     // beside it is the root
        {Page(bin), ptNote, false, false, false, {root->Id(), -1}},  // never into the bin
        {binned, ptNote, false, false, true, {root->Id(), -1}},
        {Page(IdOf(ptFavorite)), ptGroup, false, false, false, {root->Id(), -1}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DecideNewPagePlace(*c.Active, c.Type, c.Beside, {c.Shift, c.Ctrl}),
                  c.Expected)
            << c.Active->Id() << " type " << c.Type;
}

TEST_F(SpaceTest, TheNameIsAskedWithoutTheTreeAndEditedInPlaceWithIt) {
    PageCenter().SetActivePage(group);
    Run(cmNewPageNote);  // cancelled prompt: nothing made
    EXPECT_EQ(Control.Asked, (std::vector<std::u16string>{u"New Page", u"Note1"}));
    EXPECT_EQ(Children(group), (std::vector<int32_t>{a->Id(), b->Id()}));

    Control.NameAnswer = u"Plan\tB";
    Control.Keys.Ctrl = true;  // before the active page, beside it
    PageCenter().SetActivePage(b);
    Run(cmNewPageNote);
    ASSERT_EQ(Children(group).size(), 3u);
    EXPECT_EQ(Children(group)[1], ActiveId());
    EXPECT_EQ(Active()->Name(), u"Plan  B");
    EXPECT_TRUE(Control.Posted.empty());

    Control.Keys = {};
    WorkSpace->ShowTree(true);
    Control.Asked.clear();
    PageCenter().SetActivePage(group);
    Run(cmNewPageGroup);
    EXPECT_TRUE(Control.Asked.empty());
    EXPECT_EQ(Active()->Name(), u"Group1");
    EXPECT_EQ(Active()->OwnerId(), group->Id());
    EXPECT_EQ(Control.Posted, (std::vector<int32_t>{cmRename}));
    Run(cmRename);  // what the posted message runs: editing the new node in place
    ASSERT_NE(Control.Tree.Editing, nullptr);
    EXPECT_EQ(Control.Tree.Editing->Data.PageId, ActiveId());
    EXPECT_EQ(Control.Tree.EditText, u"Group1");

    OptionManager().AutoName = true;
    Control.Posted.clear();
    Run(cmNewPageNote);
    EXPECT_TRUE(Control.Posted.empty());
    EXPECT_EQ(Active()->Name(), u"Note1");
}

TEST_F(SpaceTest, CommandsAreEnabledOnlyWhereTheyCanRun) {
    TPageSuper* memo = Add(group, ptMemo, u"M");
    TknCommandCenter& commands = CommandCenter();
    auto enabled = [&](int32_t id) { return commands.CheckCommand(id); };

    PageCenter().SetActivePage(root);
    EXPECT_TRUE(enabled(cmNewItem));  // a group's items are notes
    EXPECT_FALSE(enabled(cmDelete));  // the group root cannot go
    EXPECT_FALSE(enabled(cmLevelUp));
    EXPECT_TRUE(enabled(cmGoPrior));  // the note of the first start came before
    EXPECT_FALSE(enabled(cmGoNext));

    PageCenter().SetActivePage(a);
    EXPECT_TRUE(enabled(cmDelete));
    EXPECT_TRUE(enabled(cmLevelUp));
    EXPECT_FALSE(enabled(cmNewItem));  // a note holds no items
    EXPECT_FALSE(enabled(cmFirstViewStyle + 40));
    Run(cmSwitchLock);
    EXPECT_EQ(a->Status(), psLocked);
    EXPECT_FALSE(enabled(cmDelete));
    for (uint8_t expected : {psReadOnly, psNormal}) {
        Run(cmSwitchLock);
        EXPECT_EQ(a->Status(), expected);
    }
    EXPECT_EQ(NextStatus(psProtected), psReadOnly);

    // A group's own status enables Delete; deleting still refuses a group owning a locked page.
    b->SetStatus(psLocked);
    PageCenter().SetActivePage(group);
    EXPECT_TRUE(enabled(cmDelete));
    Run(cmDelete);
    EXPECT_EQ(group->OwnerId(), root->Id());
    EXPECT_TRUE(Control.Questions.empty());

    PageCenter().SetActivePage(memo);
    EXPECT_TRUE(enabled(cmFirstViewStyle + 40));
    EXPECT_FALSE(enabled(cmDeleteItems));
    EXPECT_FALSE(enabled(cmInsertItem));
    PageCenter().Notify(pePageSelected, 77);
    EXPECT_TRUE(enabled(cmDeleteItems));
    EXPECT_TRUE(enabled(cmEditItem));
    PageCenter().Notify(pePageUnselected, 77);
    EXPECT_FALSE(enabled(cmEditItem));
    EXPECT_TRUE(enabled(1999));  // not a page command: no objection
}

TEST_F(SpaceTest, HistoryCommandsWalkBackAndForth) {
    PageCenter().SetActivePage(a);
    PageCenter().SetActivePage(b);
    PageCenter().SetActivePage(group);
    Run(cmGoPrior);
    Run(cmGoPrior);
    EXPECT_EQ(ActiveId(), a->Id());
    Run(cmGoNext);
    EXPECT_EQ(ActiveId(), b->Id());
    PageCenter().SetActivePage(root);  // the pages ahead go
    EXPECT_FALSE(CommandCenter().CheckCommand(cmGoNext));
    Run(cmGoPrior);
    EXPECT_EQ(ActiveId(), b->Id());

    // A deleted page leaves the history; the neighbour takes its place.
    Run(cmDelete);
    EXPECT_EQ(ActiveId(), a->Id());
    EXPECT_EQ(Page(b->Id())->OwnerId(), IdOf(ptRecycleBin));
    const THistory& history = WorkSpace->Space().History();
    for (int i = 0; i < history.Count(); ++i) EXPECT_NE(history.Items(i), b->Id());
}

TEST_F(SpaceTest, AbstractViewSwapsTheClientOtherStylesOnlyRefresh) {
    TPageSuper* memo = Add(group, ptMemo, u"M");
    PageCenter().SetActivePage(memo);
    Control.ClientLog.clear();
    Run(cmFirstViewStyle + 40);  // abstract
    EXPECT_EQ(memo->ListProperty()->ViewStyle, vsAbstract);
    EXPECT_EQ(Control.ClientLog, u"LU" u"AL");
    EXPECT_EQ(WorkSpace->CurrentClient(), Control.Clients[2]);
    EXPECT_TRUE(Control.Clients[2]->Focus.Visible);
    EXPECT_FALSE(Control.Clients[1]->Focus.Visible);
    EXPECT_EQ(ActiveId(), memo->Id());

    Control.ClientLog.clear();
    Run(cmFirstViewStyle + 10);  // small icons: the list client again
    Run(cmFirstViewStyle + 20);  // list: the same client, only a refresh
    EXPECT_EQ(Control.ClientLog, u"AU" u"LL");
}

TEST_F(SpaceTest, RenamingLockingAndMovingWriteOnlyTheIndex) {
    a->SetText(u"some text that lives in the data file");
    SaveCenter().Save();
    auto inode = [](const std::u16string& path) {
        struct stat info {};
        std::string name(path.begin(), path.end());
        EXPECT_EQ(stat(name.c_str(), &info), 0) << name;
        return info.st_ino;
    };
    const auto data = inode(Store().DataPath());
    const auto index = inode(Store().IndexPath());

    WorkSpace->ShowTree(true);
    PageCenter().SetActivePage(a);
    Control.Tree.Navigator->NodeRenamed(Control.Tree.NodeOf(a->Id()), u"Renamed");
    Run(cmSwitchLock);
    Control.Tree.Focus.Focused = true;
    Run(cmMovePageDown);
    TDropObject drop;
    drop.PageIds = {b->Id()};
    WorkSpace->DropOnPage(drop, root->Id(), kRootId);  // a top-level node takes it in
    SaveCenter().Save();

    EXPECT_EQ(inode(Store().DataPath()), data);
    EXPECT_NE(inode(Store().IndexPath()), index);
    const int32_t ids[] = {a->Id(), b->Id(), group->Id(), root->Id()};
    ReleaseStore();  // read back from the files
    EXPECT_EQ(Page(ids[0])->Name(), u"Renamed");
    EXPECT_EQ(Page(ids[0])->Status(), psLocked);
    EXPECT_EQ(Children(Page(ids[2])), (std::vector<int32_t>{ids[0]}));
    EXPECT_EQ(Page(ids[1])->OwnerId(), ids[3]);
    EXPECT_EQ(Page(ids[0])->GetFullText(), u"some text that lives in the data file");
}

}  // namespace
}  // namespace qb::test
