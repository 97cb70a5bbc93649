// The workspace: the tree-width moves on either side, moving pages with the
// keyboard, drops, the focus switch and what it remembers between runs.

#include "ViewsFixture.h"
#include "shell/UMemoryManager.h"

namespace qb::test {
namespace {

TEST(TreeWidthTest, MovesDependOnTheTreeSideAndWhetherItIsCollapsed) {
    // Tree 140 and page area 340 in a 484-wide window whose left edge is at 100; each key is
    // pressed twice: collapsing, then expanding again the other way.
    using TState = std::vector<int32_t>;  // tree, page area, left edge, window width
    struct TCase {
        bool OnRight, Wider;
        TState Collapsed, Expanded;
    };
    const TCase cases[] = {
        // Left tree, Ctrl+Alt+Left: inside, then growing to the left.
        {false, false, {0, 480, 100, 484}, {140, 480, -40, 624}},
        // Left tree, Ctrl+Alt+Right: shrinking from the left, then inside.
        {false, true, {0, 340, 240, 344}, {140, 200, 240, 344}},
        // Right tree, Ctrl+Alt+Left: shrinking from the right, then inside.
        {true, false, {0, 340, 100, 344}, {140, 200, 100, 344}},
        // Right tree, Ctrl+Alt+Right: inside, then growing to the right.
        {true, true, {0, 480, 100, 484}, {140, 480, 100, 624}},
    };
    for (const TCase& c : cases) {
        TMemoryTreeWidthSite site;
        TTreeWidthHandler handler(site);
        handler.SetTreeOnRight(c.OnRight);
        auto press = [&] { c.Wider ? handler.Wider() : handler.Narrower(); };
        auto state = [&] { return TState{site.Tree, site.PageArea, site.Left, site.Width}; };
        press();
        EXPECT_TRUE(handler.Collapsed());
        EXPECT_EQ(state(), c.Collapsed) << c.OnRight << c.Wider;
        press();
        EXPECT_FALSE(handler.Collapsed());
        EXPECT_EQ(state(), c.Expanded) << c.OnRight << c.Wider;
    }
}

class WorkSpaceTest : public TWorkSpaceTest {};

TEST_F(WorkSpaceTest, AltUpAndDownMoveTheFocusedNavigatorsPageAndStopAtTheEnds) {
    TPageSuper* root = Page(IdOf(ptGroupRoot));
    const int32_t first = Children(root)[0];  // the first start's note
    TPageSuper* two = Add(root, ptNote, u"two");
    PageCenter().SetActivePage(two);
    WorkSpace->ShowTree(true);
    Run(cmMovePageUp);  // the tree has no focus
    EXPECT_EQ(Children(root), (std::vector<int32_t>{first, two->Id()}));
    Control.Tree.Focus.Focused = true;
    Run(cmMovePageUp);
    Run(cmMovePageUp);
    EXPECT_EQ(Children(root), (std::vector<int32_t>{two->Id(), first}));
    EXPECT_EQ(ActiveId(), two->Id());
    EXPECT_EQ(Control.Tree.SelectedPage(), two->Id());
    EXPECT_EQ(Control.Tree.Labels(Control.Tree.NodeOf(root->Id()))[0], u"two");

    // Ctrl+Tab: from the focused navigator to the client, else to the navigator.
    Run(cmSwitchFocus);
    EXPECT_TRUE(Control.Clients[0]->Focus.Focused);
    Control.Tree.Focus.Focused = false;
    Run(cmSwitchFocus);
    EXPECT_TRUE(Control.Tree.Focus.Focused);
}

TEST_F(WorkSpaceTest, PagesDraggedInTheTreeMoveOrCopyAndTheLastBecomesActive) {
    TPageSuper* root = Page(IdOf(ptGroupRoot));
    TPageSuper* group = Add(root, ptGroup, u"G");
    TPageSuper* note = Add(root, ptNote, u"N");
    note->SetText(u"text");
    WorkSpace->ShowTree(true);
    TDropObject drag;
    drag.PageIds = {note->Id()};
    drag.FromTree = true;
    drag.Copy = true;
    Control.Tree.Navigator->DroppedOnNode(Control.Tree.NodeOf(group->Id()), drag);
    ASSERT_EQ(Children(group).size(), 1u);
    const int32_t copy = Children(group)[0];
    EXPECT_NE(copy, note->Id());
    EXPECT_EQ(Page(copy)->GetFullText(), u"text");
    EXPECT_EQ(ActiveId(), copy);
    drag.Copy = false;
    Control.Tree.Navigator->DroppedOnNode(Control.Tree.NodeOf(group->Id()), drag);
    EXPECT_EQ(Children(group), (std::vector<int32_t>{copy, note->Id()}));
    EXPECT_EQ(ActiveId(), note->Id());
    EXPECT_EQ(Control.Tree.Labels(Control.Tree.NodeOf(group->Id())),
              (std::vector<std::u16string>{u"N", u"N"}));
}

TEST_F(WorkSpaceTest, FilesDroppedOnAPageAreImportedIntoItsGroupLinkedWithShift) {
    TPageSuper* group = Add(Page(IdOf(ptGroupRoot)), ptGroup, u"G");
    TPageSuper* note = Add(group, ptNote, u"N");
    WriteBytes(Folder.File("plan.txt"), "first line");
    TDropObject drop;
    drop.FileNames = {Folder.File16("plan.txt")};
    WorkSpace->DropOnPage(drop, note->Id(), group->Id());  // onto a note: into its group
    ASSERT_EQ(Children(group).size(), 2u);
    TPageSuper* copied = Page(Children(group)[1]);
    EXPECT_EQ(copied->Name(), u"plan");
    EXPECT_EQ(copied->GetFullText(), u"first line");
    EXPECT_FALSE(copied->TrueProperty()->UsesExternalFile());
    EXPECT_EQ(ActiveId(), copied->Id());
    EXPECT_EQ(Control.ImportsEnded, 1);  // its progress window closes when it is over

    drop.AsSibling = true;  // Shift: the note keeps its text in the file
    WorkSpace->DropFiles(drop.FileNames, true, false);
    ASSERT_EQ(Children(group).size(), 3u);
    EXPECT_TRUE(Page(Children(group)[2])->TrueProperty()->UsesExternalFile());
}

TEST_F(WorkSpaceTest, TheTreeWidthAndThePageAreRememberedAndRestored) {
    TPageSuper* note = Add(Page(IdOf(ptGroupRoot)), ptNote, u"kept");
    PageCenter().SetActivePage(note);
    WorkSpace->ShowTree(true);
    Run(cmTreeNarrower);  // collapsed inside the window
    MemoryManager().SaveMemory();
    EXPECT_EQ(MemoryManager().TreeWidth, 140);
    EXPECT_TRUE(MemoryManager().TreeHide);
    EXPECT_EQ(MemoryManager().PageId, note->Id());
    WorkSpace.reset();

    // The next start: the remembered page, unless StartPage names one.
    Control.Splitter.Tree = 0;
    WorkSpace = std::make_unique<TWorkSpace>(Control);
    Control.WorkSpace = WorkSpace.get();
    EXPECT_EQ(ActiveId(), note->Id());
    EXPECT_TRUE(WorkSpace->TreeWidthHandler().Collapsed());
    WorkSpace->ShowTree(true);
    EXPECT_EQ(Control.Splitter.Tree, 0);
    Run(cmTreeNarrower);  // back at the width it had, the window growing
    EXPECT_EQ(Control.Splitter.Tree, 140);
    WorkSpace.reset();
    OptionManager().StartPage = IdOf(ptRecycleBin);
    WorkSpace = std::make_unique<TWorkSpace>(Control);
    Control.WorkSpace = WorkSpace.get();
    EXPECT_EQ(ActiveId(), IdOf(ptRecycleBin));
}

}  // namespace
}  // namespace qb::test
