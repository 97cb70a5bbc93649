// Dropping pages onto nodes: where they land, what is refused, references and copies.

#include "SysPagesFixture.h"

namespace qb::test {
namespace {

// Group root: G (with X, Y), N1, N2, N3, and a tag T beside them.
class TMoveCopyTest : public TSysPagesTest {
  protected:
    TMoveCopyTest() {
        g = Add(GroupRoot(), ptGroup, u"G")->Id();
        x = Add(Page(g), ptGroup, u"X")->Id();
        y = Add(Page(x), ptNote, u"Y")->Id();
        n1 = Add(GroupRoot(), ptNote, u"N1")->Id();
        n2 = Add(GroupRoot(), ptNote, u"N2")->Id();
        n3 = Add(GroupRoot(), ptNote, u"N3")->Id();
        t = Add(GroupRoot(), ptTag, u"T")->Id();
        gr = GroupRoot()->Id();
    }
    std::optional<int32_t> Drop(int32_t page, int32_t target, bool sibling = false,
                                bool copy = false) {
        return MoveOrCopy(page, target, Page(target)->OwnerId(), sibling, copy);
    }
    int32_t g, x, y, n1, n2, n3, t, gr;
};

TEST_F(TMoveCopyTest, AGroupNeverGoesIntoItselfOrBelowIt) {
    const std::vector<int32_t> before = Children(GroupRoot());
    for (bool copy : {false, true}) {
        EXPECT_EQ(Drop(g, x, false, copy), std::nullopt);  // into its child
        EXPECT_EQ(Drop(g, y, false, copy), std::nullopt);  // beside its grandchild
        EXPECT_EQ(Drop(g, g, false, copy), std::nullopt);
    }
    EXPECT_EQ(Children(GroupRoot()), before);
    EXPECT_EQ(Page(g)->OwnerId(), gr);
    EXPECT_EQ(Children(Page(x)), (std::vector<int32_t>{y}));
}

TEST_F(TMoveCopyTest, SiblingDropsLandBeforeTheTargetOrAfterItGoingDown) {
    struct TCase {
        int32_t Page, Target;
        std::vector<int32_t> Expected;
    };
    const std::vector<TCase> cases = {
        {n1, n2, {g, n2, n1, n3, t}},  // downwards: after the target
        {n1, t, {g, n2, n3, t, n1}},   // downwards onto the last: to the end
        {n3, n1, {g, n3, n1, n2, t}},  // upwards: before the target
        {n1, n1, {g, n1, n2, n3, t}},  // onto itself: stays
    };
    const std::vector<int32_t> start{g, n1, n2, n3, t};
    for (const TCase& c : cases) {
        TPageChilds* childs = GroupRoot()->Childs();
        for (int32_t id : start) childs->RemoveChild(id);
        for (int32_t id : start) childs->AddChild(id);
        Drop(c.Page, c.Target, true);
        EXPECT_EQ(Children(GroupRoot()), c.Expected) << c.Page << " onto " << c.Target;
    }
}

TEST_F(TMoveCopyTest, TargetsThatTakeThePageGetItAtTheEndOthersGetItBeside) {
    EXPECT_EQ(Drop(n1, x), n1);  // a group takes it
    EXPECT_EQ(Children(Page(x)), (std::vector<int32_t>{y, n1}));
    EXPECT_EQ(Page(n1)->OwnerId(), x);
    EXPECT_EQ(Drop(n2, y), n2);  // a note does not: beside it, before it
    EXPECT_EQ(Children(Page(x)), (std::vector<int32_t>{n2, y, n1}));
    EXPECT_EQ(Page(n2)->OwnerId(), x);
    EXPECT_EQ(Children(GroupRoot()), (std::vector<int32_t>{g, n3, t}));
    // A note cannot go beside a system page at the top level.
    EXPECT_EQ(MoveOrCopy(n3, IdOf(ptSearch), kRootId, true, false), std::nullopt);
    EXPECT_EQ(Page(n3)->OwnerId(), gr);
}

TEST_F(TMoveCopyTest, TopLevelNodesTakeDropsUnlessThePageIsTopLevelToo) {
    // A note onto the favorites node: added as a reference, still owned by its group.
    EXPECT_EQ(MoveOrCopy(n1, IdOf(ptFavorite), kRootId, true, false), n1);
    EXPECT_TRUE(IsFavorite(n1));
    EXPECT_EQ(Page(n1)->OwnerId(), gr);
    EXPECT_EQ(Children(GroupRoot()).size(), 5u);
    // A note onto the recycle bin node goes into it.
    EXPECT_EQ(MoveOrCopy(n2, IdOf(ptRecycleBin), kRootId, false, false), n2);
    EXPECT_EQ(Page(n2)->OwnerId(), IdOf(ptRecycleBin));
    // A top-level page onto another is reordered beside it, even without Shift.
    TPageSuper* root = Store().GetRoot();
    const int32_t search = IdOf(ptSearch), bin = IdOf(ptRecycleBin);
    EXPECT_EQ(MoveOrCopy(bin, search, kRootId, false, false), bin);
    EXPECT_EQ(Types(Children(root)), (std::vector<int>{14, 10, 13, 11, 22}));
}

TEST_F(TMoveCopyTest, TagsTakeReferencesAndDraggingOneIntoTheTreeUnlinksIt) {
    EXPECT_EQ(Drop(n1, t), n1);
    EXPECT_EQ(Children(Page(t)), (std::vector<int32_t>{n1}));
    EXPECT_EQ(Page(n1)->OwnerId(), gr);
    EXPECT_EQ(Drop(n1, t), std::nullopt);  // listed already
    EXPECT_EQ(Children(Page(t)), (std::vector<int32_t>{n1}));

    // Tags under a top-level tag: from one's list onto another, the reference moves (or is
    // added too, when copied).
    TPageSuper* top = Add(Store().GetRoot(), ptTag, u"Top");
    const int32_t a = Add(top, ptTag, u"A")->Id(), b = Add(top, ptTag, u"B")->Id();
    const int32_t c = Add(top, ptTag, u"C")->Id();
    Page(a)->Childs()->AddChild(n2);
    PageCenter().SetActivePage(Page(a));
    EXPECT_EQ(Drop(n2, c, false, true), n2);
    EXPECT_EQ(Children(Page(a)), (std::vector<int32_t>{n2}));
    EXPECT_EQ(Drop(n2, b), n2);
    EXPECT_TRUE(Children(Page(a)).empty());
    EXPECT_EQ(Children(Page(b)), (std::vector<int32_t>{n2}));
    EXPECT_EQ(Children(Page(c)), (std::vector<int32_t>{n2}));
    EXPECT_EQ(Page(n2)->OwnerId(), gr);

    // From a tag's list into a group of the tree: only unlinked, nothing moves.
    PageCenter().SetActivePage(Page(b));
    EXPECT_EQ(Drop(n2, y), std::nullopt);
    EXPECT_TRUE(Children(Page(b)).empty());
    EXPECT_EQ(Page(n2)->OwnerId(), gr);
    EXPECT_EQ(Children(Page(x)), (std::vector<int32_t>{y}));
    // A tag dropped on a tag becomes its owned sub-tag.
    EXPECT_EQ(Drop(c, a), c);
    EXPECT_EQ(Page(c)->OwnerId(), a);
    EXPECT_EQ(Children(top), (std::vector<int32_t>{a, b}));
}

TEST_F(TMoveCopyTest, CopyingAGroupCopiesWhatItOwnsAndKeepsReferences) {
    Page(g)->Childs()->AddChild(n3);  // a reference inside G
    Page(y)->SetText(u"why");
    const size_t records = Store().RecordCount();
    std::optional<int32_t> copy = Drop(g, n1, true, true);
    ASSERT_TRUE(copy);
    EXPECT_NE(*copy, g);
    EXPECT_EQ(Children(GroupRoot()),
              (std::vector<int32_t>{g, n1, *copy, n2, n3, t}));  // downwards: after
    EXPECT_EQ(Store().RecordCount(), records + 3);               // G, X and Y anew
    std::vector<int32_t> inCopy = Children(Page(*copy));
    ASSERT_EQ(inCopy.size(), 2u);
    EXPECT_NE(inCopy[0], x);
    EXPECT_EQ(Page(inCopy[0])->OwnerId(), *copy);
    EXPECT_EQ(inCopy[1], n3);  // still the same page, still owned by the group root
    EXPECT_EQ(Page(n3)->OwnerId(), gr);
    std::vector<int32_t> inX = Children(Page(inCopy[0]));
    ASSERT_EQ(inX.size(), 1u);
    EXPECT_NE(inX[0], y);
    EXPECT_EQ(Page(inX[0])->GetFullText(), u"why");
    EXPECT_EQ(Children(Page(g)), (std::vector<int32_t>{x, n3}));  // the original is untouched
}

TEST_F(TMoveCopyTest, SystemPagesAreMovedEvenWhenCopied) {
    const size_t records = Store().RecordCount();
    const int32_t fav = IdOf(ptFavorite);
    EXPECT_EQ(MoveOrCopy(fav, IdOf(ptRecycleBin), kRootId, false, true), fav);
    EXPECT_EQ(Store().RecordCount(), records);
    EXPECT_EQ(Types(Children(Store().GetRoot())), (std::vector<int>{14, 11, 22, 13, 10}));
}

}  // namespace
}  // namespace qb::test
