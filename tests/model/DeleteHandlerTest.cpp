// Deleting pages and items: unlinking, the recycle bin and its limit, the confirmations.

#include "SysPagesFixture.h"
#include "features/UMemoPage.h"

namespace qb::test {
namespace {

using TDeleteTest = TSysPagesTest;

const std::u16string kPageQuestion = u"Do you want to delete the current page?";
const std::u16string kGroupQuestion =
    u"Are you sure to delete the whole group with all it's subitems?";

TEST_F(TDeleteTest, ANoteGoesToTheBinAndOutOfTheFavoritesThenIsDestroyedThere) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    const int32_t note = AddText(group, ptNote, u"N", u"text")->Id();
    AddFavorite(note);
    DeleteHandler().DeleteOrRecycle(note, group->Id());
    ASSERT_NE(Page(note), nullptr);
    EXPECT_EQ(Page(note)->OwnerId(), Bin()->Id());
    EXPECT_EQ(Page(note)->GetFullText(), u"text");  // contents kept
    EXPECT_EQ(Children(Bin()), (std::vector<int32_t>{note}));
    EXPECT_TRUE(Children(group).empty());
    EXPECT_FALSE(IsFavorite(note));

    DeleteHandler().DeleteOrRecycle(note, Bin()->Id());
    EXPECT_EQ(Page(note), nullptr);
    EXPECT_FALSE(Store().PageExists(note));
    EXPECT_TRUE(Children(Bin()).empty());
    EXPECT_EQ(Store().NewPage(group->Id(), ptNote), note);  // the id is free again
}

TEST_F(TDeleteTest, RecyclerLimitDestroysTheOldestBeyondIt) {
    struct TCase {
        int32_t Limit;
        size_t Kept;  // the newest this many survive
    };
    for (TCase c : {TCase{2, 2}, TCase{-1, 4}, TCase{0, 0}, TCase{4, 4}}) {
        OptionManager().RecyclerLimit = c.Limit;
        std::vector<int32_t> notes;
        for (int i = 0; i < 4; ++i) notes.push_back(Add(GroupRoot(), ptNote)->Id());
        for (int32_t id : notes) DeleteHandler().DeleteOrRecycle(id, GroupRoot()->Id());
        std::vector<int32_t> kept(notes.end() - c.Kept, notes.end());
        EXPECT_EQ(Children(Bin()), kept) << c.Limit;
        for (size_t i = 0; i < notes.size(); ++i)
            EXPECT_EQ(Store().PageExists(notes[i]), i >= notes.size() - c.Kept) << c.Limit;
        for (int32_t id : kept) DeleteHandler().DeleteOrRecycle(id, Bin()->Id());
    }
}

TEST_F(TDeleteTest, PagesThatCannotGoAreLeftUntouched) {
    TPageSuper* outer = Add(GroupRoot(), ptGroup);
    TPageSuper* inner = Add(outer, ptGroup);
    TPageSuper* locked = Add(inner, ptNote);
    locked->SetStatus(psLocked);
    TPageSuper* readOnly = Add(GroupRoot(), ptNote);
    readOnly->SetStatus(psReadOnly);
    struct TCase {
        int32_t Page, Parent;
    };
    for (TCase c : {TCase{locked->Id(), inner->Id()}, TCase{outer->Id(), GroupRoot()->Id()},
                    TCase{readOnly->Id(), GroupRoot()->Id()}, TCase{GroupRoot()->Id(), kRootId}}) {
        EXPECT_FALSE(DeleteHandler().CheckDelete(c.Page, c.Parent).Allowed);
        DeleteHandler().DeleteOrRecycle(c.Page, c.Parent);
        TPageSuper* parent = Page(c.Parent);
        EXPECT_GE(parent->Childs()->IndexOf(c.Page), 0);
    }
    EXPECT_TRUE(Children(Bin()).empty());
    // A tag that only references a locked page can go; tags are not recycled but destroyed,
    // the pages they reference stay.
    const int32_t tag = Add(GroupRoot(), ptTag)->Id();
    Page(tag)->Childs()->AddChild(readOnly->Id());
    DeleteHandler().DeleteOrRecycle(tag, GroupRoot()->Id());
    EXPECT_FALSE(Store().PageExists(tag));
    ASSERT_TRUE(Store().PageExists(readOnly->Id()));
    EXPECT_EQ(readOnly->OwnerId(), GroupRoot()->Id());
}

TEST_F(TDeleteTest, ThroughAReferenceTheOwnerLosesThePageToo) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    const int32_t note = Add(group, ptNote)->Id();
    TPageSuper* tag = Add(GroupRoot(), ptTag);
    tag->Childs()->AddChild(note);
    EXPECT_EQ(DeleteHandler().CheckDelete(note, tag->Id()).Final, true);
    DeleteHandler().DeleteOrRecycle(note, tag->Id());
    EXPECT_TRUE(Children(tag).empty());
    EXPECT_TRUE(Children(group).empty());
    EXPECT_EQ(Children(Bin()), (std::vector<int32_t>{note}));
}

TEST_F(TDeleteTest, FromTheFavoritesOnlyTheReferenceGoes) {
    const int32_t note = Add(GroupRoot(), ptNote)->Id();
    AddFavorite(note);
    Page(note)->SetStatus(psLocked);  // unlinking asks nothing of the page
    TDeleteCheck check = DeleteHandler().CheckDelete(note, Favorites()->Id());
    EXPECT_TRUE(check.Allowed);
    EXPECT_FALSE(check.Final);
    DeleteHandler().DeleteOrRecycle(note, Favorites()->Id());
    EXPECT_FALSE(IsFavorite(note));
    EXPECT_EQ(Page(note)->OwnerId(), GroupRoot()->Id());
    EXPECT_EQ(Children(GroupRoot()), (std::vector<int32_t>{note}));
}

TEST_F(TDeleteTest, WithoutARecycleBinEveryDeleteIsFinal) {
    const int32_t note = Add(GroupRoot(), ptNote)->Id();
    DeleteHandler().SetRecycleBin(kNoOwnerId);
    DeleteHandler().DeleteOrRecycle(note, GroupRoot()->Id());
    EXPECT_FALSE(Store().PageExists(note));
}

TEST_F(TDeleteTest, TheActivePageAsksAsItsKindAndTheOptionSay) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    struct TCase {
        uint8_t Type;
        bool WithText, WithChild, ConfirmDelete;
        std::u16string Question;  // empty: deleted without a question
    };
    const TCase cases[] = {
        {ptNote, false, false, true, u""},
        {ptNote, true, false, true, kPageQuestion},
        {ptNote, true, false, false, u""},
        {ptMemo, false, true, true, kPageQuestion},
        {ptMemo, false, false, true, u""},
        {ptGroup, false, true, false, kGroupQuestion},
        {ptGroup, false, true, true, kGroupQuestion},
        {ptGroup, false, false, true, u""},
    };
    for (const TCase& c : cases) {
        OptionManager().ConfirmDelete = c.ConfirmDelete;
        for (bool answer : {false, true}) {
            TPageSuper* page = Add(group, c.Type);
            const int32_t id = page->Id();
            if (c.WithText) page->SetText(u"words");
            if (c.WithChild) Add(page, c.Type == ptMemo ? ptMemoItem : ptNote);
            TScriptedDeleteSite site;
            site.Answer = answer;
            bool asked = !c.Question.empty();
            bool deleted = DeleteHandler().DeletePage(id, site);
            EXPECT_EQ(site.Questions, asked ? std::vector<std::u16string>{c.Question}
                                            : std::vector<std::u16string>{})
                << int(c.Type) << c.WithText << c.WithChild << c.ConfirmDelete;
            bool gone = answer || !asked;
            EXPECT_EQ(deleted, gone);
            EXPECT_EQ(Page(id)->OwnerId(), gone ? Bin()->Id() : group->Id()) << int(c.Type);
            EXPECT_EQ(site.Forgotten, gone ? std::vector<int32_t>{id} : std::vector<int32_t>{});
        }
    }
}

TEST_F(TDeleteTest, TheNextSiblingThenThePreviousThenTheOwnerBecomesActive) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    TPageSuper* a = Add(group, ptNote);
    TPageSuper* b = Add(group, ptNote);
    TPageSuper* c = Add(group, ptNote);
    TScriptedDeleteSite site;
    PageCenter().SetActivePage(b);
    DeleteHandler().DeletePage(b->Id(), site);
    EXPECT_EQ(ActiveId(), c->Id());
    DeleteHandler().DeletePage(c->Id(), site);
    EXPECT_EQ(ActiveId(), a->Id());
    DeleteHandler().DeletePage(a->Id(), site);
    EXPECT_EQ(ActiveId(), group->Id());
    // A page that is not active leaves the active page alone.
    TPageSuper* d = Add(group, ptNote);
    DeleteHandler().DeletePage(d->Id(), site);
    EXPECT_EQ(ActiveId(), group->Id());
    // A system page is only taken out of the root, without a question.
    site.Answer = false;
    EXPECT_TRUE(DeleteHandler().DeletePage(IdOf(ptSearch), site));
    EXPECT_TRUE(site.Questions.empty());
    EXPECT_EQ(Store().GetRoot()->Childs()->IndexOf(IdOf(ptSearch)), -1);
    EXPECT_TRUE(Store().PageExists(IdOf(ptSearch)));
}

TEST_F(TDeleteTest, ItemsAreDestroyedInOrderUntilEscape) {
    TPageSuper* memo = Add(GroupRoot(), ptMemo);
    std::vector<int32_t> items;
    for (int i = 0; i < 4; ++i) items.push_back(Add(memo, ptMemoItem, u"I" + IntToStr(i))->Id());
    TknIntList selection;
    for (int32_t id : {items[2], items[0], items[3]}) selection.Add(id);
    TScriptedDeleteSite site;
    site.EscapeAtCheck = 2;
    EXPECT_EQ(DeleteHandler().DeleteItems(selection, memo->Id(), site), 2);
    EXPECT_EQ(Children(memo), (std::vector<int32_t>{items[1], items[3]}));
    EXPECT_FALSE(Store().PageExists(items[2]));  // items are never recycled
    EXPECT_TRUE(Children(Bin()).empty());
    const std::u16string text = u"Deleting, press and holding ESC to abort...|";
    EXPECT_EQ(site.Progress, (std::vector<std::u16string>{text + u"I2", text + u"I0"}));
    EXPECT_EQ(site.Hidden, 2);
    EXPECT_EQ(site.Notices, (std::vector<std::u16string>{u"User abort delete"}));
}

TEST_F(TDeleteTest, SearchResultsHaveNoListSoTheirRemovalIsAnnounced) {
    const int32_t note = AddText(GroupRoot(), ptNote, u"N", u"findme")->Id();
    auto* search = dynamic_cast<TSearchPage*>(Sys(ptSearch));
    search->Crit = {ptNote, fiText, soInclude, u"findme", false};
    ASSERT_EQ(Children(search), (std::vector<int32_t>{note}));
    TEventLog log;
    TScriptedDeleteSite site;
    TknIntList selection;
    selection.Add(note);
    DeleteHandler().DeleteItems(selection, search->Id(), site);
    ASSERT_FALSE(log.Events.empty());
    EXPECT_EQ(log.Events.front(), TEventLog::TEvent(peChildRemoved, search->Id(), note));
    EXPECT_EQ(Page(note)->OwnerId(), Bin()->Id());
    EXPECT_TRUE(Children(search).empty());
}

}  // namespace
}  // namespace qb::test
