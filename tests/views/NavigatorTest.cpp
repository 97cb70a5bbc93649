// The navigators: labels, the lazily built tree kept in step with the page center, renaming in
// place, the tab bar rebuilt only for another parent, and the clicks of both.

#include "ViewsFixture.h"
#include "shell/UMenuModel.h"

namespace qb::test {
namespace {

class NavigatorTest : public TWorkSpaceTest {
  protected:
    NavigatorTest() {
        root = Page(IdOf(ptGroupRoot));
        g1 = Add(root, ptGroup, u"G1");
        g2 = Add(root, ptGroup, u"G2");
        a = Add(g1, ptNote, u"A");
        b = Add(g1, ptNote, u"B");
        c = Add(g2, ptNote, u"C");
    }
    TMemoryTreeControl& Tree() { return Control.Tree; }
    TMemoryTabControl& Tabs() { return Control.Tabs; }
    TPageSuper *root, *g1, *g2, *a, *b, *c;
};

TEST_F(NavigatorTest, LabelsCarryTheStatusWhenImagesAreOff) {
    const std::pair<uint8_t, std::u16string> cases[] = {
        {psNormal, u"Diary"}, {psLocked, u"+ Diary"}, {psProtected, u"* Diary"},
        {psReadOnly, u"# Diary"}};
    a->SetName(u"Diary");
    for (const auto& [status, label] : cases) {
        a->SetStatus(status);
        EXPECT_EQ(PageLabel(*a, false), label);
        EXPECT_EQ(PageLabel(*a, true), u"Diary");
    }
    const std::pair<uint8_t, int32_t> kinds[] = {
        {ptSearch, 8},      {ptRecycleBin, 9},    {ptFavorite, 10}, {ptClip, 10},
        {ptRecentRoot, 10}, {ptRecentVisit, 11},  {ptGroup, 2},     {ptGroupRoot, 2}};
    for (const auto& [type, kind] : kinds) EXPECT_EQ(ContextMenuKind(type), kind) << int(type);

    // In the tree: the locked page shows its prefix, renaming starts from the plain name.
    OptionManager().ShowNodeImages = false;
    OptionManager().NotifyAll();
    WorkSpace->ShowTree(true);
    PageCenter().SetActivePage(a);
    EXPECT_EQ(Tree().Labels(Tree().NodeOf(g1->Id())), (std::vector<std::u16string>{u"# Diary", u"B"}));
    Run(cmRename);
    EXPECT_EQ(Tree().EditText, u"Diary");
    TEventCounter renamed(kPageRenamedEvent);
    Tree().Navigator->NodeRenamed(Tree().NodeOf(a->Id()), u"");  // refused
    EXPECT_EQ(a->Name(), u"Diary");
    Tree().Navigator->NodeRenamed(Tree().NodeOf(a->Id()), u"Two\r\nlines");
    EXPECT_EQ(a->Name(), u"Two  lines");
    EXPECT_EQ(renamed.Count, 1);
    EXPECT_EQ(Tree().Labels(Tree().NodeOf(g1->Id()))[0], u"# Two  lines");
}

TEST_F(NavigatorTest, TreeNodesAreMadeWhenOpenedAndFollowThePages) {
    WorkSpace->ShowTree(true);
    // The first start's note is active: the way to it is open, the rest not yet made.
    EXPECT_EQ(Tree().Labels().size(), 5u);  // the root's five system pages
    EXPECT_EQ(Tree().ChildCount(Tree().NodeOf(g1->Id())), 0);
    EXPECT_TRUE(Tree().Of(Tree().NodeOf(g1->Id()))->Data.HasChildren);
    EXPECT_FALSE(Tree().Of(Tree().NodeOf(ActiveId()))->Data.HasChildren);

    Tree().Navigator->NodeExpanding(Tree().NodeOf(g1->Id()));
    EXPECT_EQ(Tree().Labels(Tree().NodeOf(g1->Id())), (std::vector<std::u16string>{u"A", u"B"}));

    // A page added between two others gets its node between theirs; into a closed group it
    // opens the group.
    int32_t id = Store().NewPage(g1->Id(), ptNote);
    Page(id)->SetName(u"N");
    g1->Childs()->AddChild(id, b->Id());
    EXPECT_EQ(Tree().Labels(Tree().NodeOf(g1->Id())),
              (std::vector<std::u16string>{u"A", u"N", u"B"}));
    Add(g2, ptNote, u"D");
    EXPECT_TRUE(Tree().Of(Tree().NodeOf(g2->Id()))->Expanded);
    EXPECT_EQ(Tree().Labels(Tree().NodeOf(g2->Id())), (std::vector<std::u16string>{u"C", u"D"}));

    // The user selects a node: its page becomes active; removing the selected node selects
    // nothing and leaves the active page alone.
    Tree().Navigator->NodeSelected(Tree().NodeOf(c->Id()));
    EXPECT_EQ(ActiveId(), c->Id());
    g2->Childs()->RemoveChild(c->Id());
    EXPECT_EQ(Tree().NodeOf(c->Id()), nullptr);
    EXPECT_EQ(Tree().SelectedPage(), kNoOwnerId);
    EXPECT_EQ(ActiveId(), c->Id());
    g2->Childs()->RemoveChild(Children(g2)[0]);
    EXPECT_FALSE(Tree().Of(Tree().NodeOf(g2->Id()))->Data.HasChildren);

    // A right click activates and asks for the page's context menu.
    TEventCounter menu(kContextMenuEvent);
    Tree().Navigator->NodeRightClicked(Tree().NodeOf(IdOf(ptRecycleBin)));
    EXPECT_EQ(ActiveId(), IdOf(ptRecycleBin));
    EXPECT_EQ(menu.Count, 1);
}

TEST_F(NavigatorTest, TabsAreRebuiltOnlyForAnotherParent) {
    PageCenter().SetActivePage(a);
    WorkSpace->ShowTree(false);
    EXPECT_EQ(Tabs().Labels(), (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_EQ(Tabs().Selected, 0);
    const int rebuilds = Tabs().Rebuilds;
    PageCenter().SetActivePage(b);  // a sibling: only the selection moves
    EXPECT_EQ(Tabs().Rebuilds, rebuilds);
    EXPECT_EQ(Tabs().Selected, 1);
    PageCenter().SetActivePage(c);  // another group
    EXPECT_EQ(Tabs().Rebuilds, rebuilds + 1);
    EXPECT_EQ(Tabs().Labels(), (std::vector<std::u16string>{u"C"}));

    // Pages added in the shown parent get their tab at their place.
    int32_t id = Store().NewPage(g2->Id(), ptNote);
    Page(id)->SetName(u"Before C");
    g2->Childs()->InsertChild(id, 0);
    Add(g1, ptNote, u"elsewhere");
    EXPECT_EQ(Tabs().Labels(), (std::vector<std::u16string>{u"Before C", u"C"}));
    EXPECT_EQ(Tabs().Rebuilds, rebuilds + 1);

    // The wheel moves one tab, away from the user to the left, and stops at the ends.
    Tabs().Navigator->WheelTurned(1);
    EXPECT_EQ(ActiveId(), id);
    Tabs().Navigator->WheelTurned(1);
    EXPECT_EQ(ActiveId(), id);
    Tabs().Navigator->WheelTurned(-3);
    EXPECT_EQ(ActiveId(), c->Id());

    // The highlight follows the option; renaming asks in a box.
    OptionManager().HighlightCurrentTab = true;
    OptionManager().NotifyAll();
    EXPECT_EQ(Tabs().Highlighted, (std::vector<bool>{false, true}));
    Tabs().Answer = u"C2";
    Run(cmRename);
    EXPECT_EQ(Tabs().Asked, u"C");
    EXPECT_EQ(Tabs().Labels()[1], u"C2");
}

TEST_F(NavigatorTest, ClicksRunTheCommandsTheOptionsChoose) {
    PageCenter().SetActivePage(a);
    WorkSpace->ShowTree(false);
    OptionManager().PageDblClick = 1;  // switch status
    Tabs().Navigator->TabDoubleClicked(1);
    EXPECT_EQ(ActiveId(), b->Id());
    EXPECT_EQ(b->Status(), psLocked);
    OptionManager().PageMButtonClick = 0;  // rename
    Tabs().Answer = u"Bee";
    Tabs().Navigator->TabMiddleClicked(0);
    EXPECT_EQ(a->Name(), u"Bee");

    WorkSpace->ShowTree(true);
    OptionManager().PageMButtonClick = 2;  // the tree's middle button: delete
    TPageSuper* empty = Add(g1, ptNote, u"empty");
    PageCenter().SetActivePage(empty);
    Tree().Navigator->NodeMiddleClicked(Tree().NodeOf(empty->Id()));
    EXPECT_EQ(Children(g1), (std::vector<int32_t>{a->Id(), b->Id()}));
}

}  // namespace
}  // namespace qb::test
