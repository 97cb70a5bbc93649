// The computed lists: recent pages and search results, and the search command with its dialog.

#include "SysPagesFixture.h"
#include "features/UMemoPage.h"

namespace qb::test {
namespace {

using TRecentListsTest = TSysPagesTest;
using TSearchTest = TSysPagesTest;

TSystemTime At(uint16_t day, uint16_t hour, uint16_t second = 0) {
    return TSystemTime{2011, 3, 0, day, hour, 0, second, 0};
}

TEST_F(TRecentListsTest, NewestFirstUpToTheCountByEachListsOwnTime) {
    OptionManager().RecentNotesCount = 5;
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    std::vector<int32_t> notes;
    // Created on days 1..7; modified in the reverse order; visited in a scrambled one.
    const uint16_t visitDays[] = {4, 7, 1, 6, 2, 5, 3};
    for (uint16_t i = 0; i < 7; ++i) {
        TPageSuper* note = Add(i % 2 ? group : GroupRoot(), i == 3 ? ptMemo : ptNote);
        TTruePageProperty* times = note->TrueProperty();
        times->CreateTime = At(1 + i, 9);
        times->ModifyTime = At(20 - i, 9);
        times->VisitTime = At(visitDays[i], 9);
        notes.push_back(note->Id());
    }
    group->TrueProperty()->CreateTime = At(28, 9);  // groups are not searchable: never listed
    auto n = [&](int i) { return notes[i]; };
    EXPECT_EQ(Children(ptRecentCreate), (std::vector<int32_t>{n(6), n(5), n(4), n(3), n(2)}));
    EXPECT_EQ(Children(ptRecentModify), (std::vector<int32_t>{n(0), n(1), n(2), n(3), n(4)}));
    EXPECT_EQ(Children(ptRecentVisit), (std::vector<int32_t>{n(1), n(3), n(5), n(0), n(6)}));

    // Seconds count.
    Page(n(0))->TrueProperty()->CreateTime = At(7, 9, 1);
    EXPECT_EQ(Children(ptRecentCreate).front(), n(0));

    OptionManager().RecentNotesCount = 20;
    EXPECT_EQ(Children(ptRecentCreate).size(), 7u);
    OptionManager().RecentNotesCount = 0;
    EXPECT_TRUE(Children(ptRecentVisit).empty());
}

TEST_F(TRecentListsTest, RecycledPagesLeaveEveryListAtOnce) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    TPageSuper* inGroup = Add(group, ptNote);
    TPageSuper* loose = Add(GroupRoot(), ptCalc);
    const int32_t kept = loose->Id(), recycled = inGroup->Id();
    for (uint8_t type : {ptRecentCreate, ptRecentModify, ptRecentVisit})
        EXPECT_EQ(Children(type).size(), 2u);

    DeleteHandler().DeleteOrRecycle(group->Id(), GroupRoot()->Id());  // the note goes with it
    ASSERT_NE(Page(recycled), nullptr);
    for (uint8_t type : {ptRecentCreate, ptRecentModify, ptRecentVisit})
        EXPECT_EQ(Children(type), (std::vector<int32_t>{kept})) << int(type);

    // Moved back out by a drop, it is listed again.
    ASSERT_TRUE(MoveOrCopy(group->Id(), GroupRoot()->Id(), kRootId, false, false));
    EXPECT_EQ(Children(ptRecentCreate).size(), 2u);
}

TEST_F(TRecentListsTest, ItemCommandsOpenTheListedPage) {
    TPageSuper* old = Add(GroupRoot(), ptNote);
    Now = At(2, 9);
    TPageSuper* young = Add(GroupRoot(), ptNote);
    CommandCenter().ExecuteCommand(7001);
    EXPECT_EQ(ActiveId(), young->Id());
    Now = At(3, 9);
    CommandCenter().ExecuteCommand(7002);
    EXPECT_EQ(ActiveId(), old->Id());
    // Visiting stamped the visit time: the last visited comes first.
    TknStrList texts;
    ListCenter().GetListItems(8000, texts);
    ASSERT_EQ(texts.Count(), 2);
    EXPECT_EQ(texts.Items(0), u"1.\t" + old->Name());
}

// Three notes, a memo list, and a note in the recycle bin.
class TSearchData : public TSearchTest {
  protected:
    TSearchData() {
        hello = AddText(GroupRoot(), ptNote, u"Hello", u"Say HELLO World")->Id();
        other = AddText(GroupRoot(), ptNote, u"Other", u"nothing here")->Id();
        hello2 = AddText(GroupRoot(), ptNote, u"hello", u"hello again")->Id();
        memo = Add(GroupRoot(), ptMemo, u"Hello memo")->Id();
        recycled = AddText(GroupRoot(), ptNote, u"Gone", u"hello from the bin")->Id();
        DeleteHandler().DeleteOrRecycle(recycled, GroupRoot()->Id());
    }
    std::vector<int32_t> Search(TSearchCrit crit) {
        auto* page = dynamic_cast<TSearchPage*>(Sys(ptSearch));
        page->Crit = crit;
        return Children(page);
    }
    int32_t hello, other, hello2, memo, recycled;
};

TEST_F(TSearchData, OperatorsCaseAndTypes) {
    struct TCase {
        uint8_t Type;
        int32_t Field;
        int32_t Op;
        std::u16string Value;
        bool MatchCase;
        std::vector<int32_t> Expected;
    };
    const TCase cases[] = {
        {ptNote, fiText, soInclude, u"hello", false, {hello, hello2}},
        {ptNote, fiText, soInclude, u"hello", true, {hello2}},
        {ptNote, fiText, soInclude, u"HELLO", false, {hello, hello2}},
        {ptNote, fiText, soExclude, u"hello", false, {other}},
        {ptNote, fiText, soExclude, u"hello", true, {hello, other}},
        {ptNote, fiTitle, soEqual, u"hello", false, {hello, hello2}},
        {ptNote, fiTitle, soEqual, u"hello", true, {hello2}},
        {ptNote, fiTitle, soNotEqual, u"Hello", true, {other, hello2}},
        {ptNote, fiTitle, soInclude, u"", false, {}},  // an empty value finds nothing
        {ptMemo, fiTitle, soInclude, u"hello", false, {memo}},
        {ptCalc, fiTitle, soInclude, u"hello", false, {}},
        {ptNote, fiTitle, 7, u"hello", false, {}},  // an unknown operator keeps nothing
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Search({c.Type, c.Field, c.Op, c.Value, c.MatchCase}), c.Expected)
            << int(c.Type) << " " << c.Field << " " << c.Op << " " << ToUtf8(c.Value);
}

// Pages not loaded yet are searched and listed from their records and one pass over the data
// file: the results are those of loaded pages, for ASCII texts and others, and a batch's text
// waiting to be written counts.
TEST_F(TSearchData, PagesNotLoadedGiveTheSameResults) {
    const int32_t umlaut =
        AddText(GroupRoot(), ptNote, u"Gr\u00FC\u00DFe", u"GR\u00DCSSE aus K\u00F6ln hello")->Id();
    const int32_t kelvin = AddText(GroupRoot(), ptNote, u"Kelvin", u"\u212Aelvin")->Id();  // K sign
    const int32_t empty = Add(GroupRoot(), ptNote, u"Empty")->Id();
    OptionManager().RecentNotesCount = 20;
    const int32_t byAge[] = {hello, other, hello2, umlaut, kelvin, empty};  // oldest first
    for (uint16_t i = 0; i < 6; ++i) Page(byAge[i])->TrueProperty()->ModifyTime = At(1 + i, 9);
    struct TCase {
        int32_t Field;
        int32_t Op;
        std::u16string Value;
        bool MatchCase;
        std::vector<int32_t> Expected;
    } cases[] = {
        {fiText, soInclude, u"HELLO", false, {hello, hello2, umlaut}},
        {fiText, soInclude, u"k\u00D6ln", false, {umlaut}},
        {fiText, soInclude, u"\u00F6", true, {umlaut}},
        {fiText, soInclude, u"kel", false, {kelvin}},  // the K sign lowers to an ASCII k
        {fiText, soInclude, u"\u212A", false, {umlaut, kelvin}},
        {fiText, soInclude, u"Kel", true, {}},
        {fiText, soEqual, u"NOTHING HERE", false, {other}},
        {fiText, soExclude, u"e", false, {empty}},
        {fiTitle, soEqual, u"gr\u00FC\u00DFe", false, {umlaut}},
        {fiTitle, soInclude, u"ELL", false, {hello, hello2}},
        {fiTitle, soNotEqual, u"hello", false, {other, umlaut, kelvin, empty}},
    };
    auto check = [&](const char* when) {
        for (const TCase& c : cases)
            EXPECT_EQ(Search({ptNote, c.Field, c.Op, c.Value, c.MatchCase}), c.Expected)
                << when << ": " << c.Field << " " << c.Op << " " << ToUtf8(c.Value);
    };
    check("loaded");
    const std::vector<int32_t> newest{empty, kelvin, umlaut, hello2, other, hello, memo};
    EXPECT_EQ(Children(ptRecentModify), newest);

    // Written out and read back: the pages with texts stay unloaded. One time is stored in a form of its
    // own, read as the page would read it.
    Store().SaveIndex();
    const std::string index = ToUtf8(Store().IndexPath());
    Manager.reset();
    ReleaseStore();
    std::string bytes = ReadBytes(index);
    const std::string usual = Utf16LE(u"\t2011-03-02 09:00:00\t"), own = Utf16LE(u"\t2012-1-2 3:4:5\t");
    ASSERT_NE(bytes.find(usual), std::string::npos);
    WriteBytes(index, bytes.replace(bytes.find(usual), usual.size(), own));
    Manager = std::make_unique<TSysPageManager>();
    check("not loaded");
    for (int32_t id : {hello, other, hello2, umlaut, kelvin})  // (an empty one may be external)
        EXPECT_EQ(Store().FindRecord(id)->Page, nullptr) << id;
    EXPECT_EQ(Children(ptRecentModify),
              (std::vector<int32_t>{other, empty, kelvin, umlaut, hello2, hello, memo}));

    TStoreBatch batch(Store());
    Store().SaveText(empty, u"pending hello");
    EXPECT_EQ(Search({ptNote, fiText, soInclude, u"hello", false}),
              (std::vector<int32_t>{hello, hello2, umlaut, empty}));
    batch.Commit();
}

class TScriptedSearchDialog : public ISearchDialog {
  public:
    bool Execute(TSearchBox& box) override {
        Shown = box.Crit;
        PageTypes = box.PageTypes();
        Fields = box.Fields();
        if (Edit) Edit(box);
        return Answer;
    }
    std::function<void(TSearchBox&)> Edit;
    bool Answer = true;
    TSearchCrit Shown;
    std::vector<TSearchChoice> PageTypes, Fields;
};

TEST_F(TSearchData, TheCommandRemembersTheCriteriaSetsTheSearchStringAndOpensThePage) {
    TEventCounter events(3087);
    TScriptedSearchDialog dialog;
    SetSearchDialog(&dialog);
    MemoryManager().Value = u"old";
    dialog.Edit = [](TSearchBox& box) {
        box.Crit.Value = u"World";
        box.Crit.MatchCase = true;
    };
    CommandCenter().ExecuteCommand(1630);
    EXPECT_EQ(dialog.Shown, (TSearchCrit{ptNote, fiText, soInclude, u"old", false}));
    EXPECT_EQ(MemoryManager().Value, u"World");
    EXPECT_EQ(SearchString(), u"World");
    EXPECT_TRUE(SearchMatchCase());
    EXPECT_EQ(events.Count, 1);
    EXPECT_EQ(ActiveId(), IdOf(ptSearch));
    EXPECT_EQ(Children(ptSearch), (std::vector<int32_t>{hello}));

    // Shown again with what was chosen, match case included; another field clears the string.
    dialog.Edit = [](TSearchBox& box) { box.Crit.FieldId = fiTitle; };
    CommandCenter().ExecuteCommand(1630);
    EXPECT_EQ(dialog.Shown, (TSearchCrit{ptNote, fiText, soInclude, u"World", true}));
    EXPECT_EQ(MemoryManager().Col, fiTitle);
    EXPECT_EQ(SearchString(), u"");
    EXPECT_EQ(events.Count, 2);

    // Cancel changes nothing.
    dialog.Answer = false;
    dialog.Edit = [](TSearchBox& box) { box.Crit.Value = u"x"; };
    CommandCenter().ExecuteCommand(1630);
    EXPECT_EQ(MemoryManager().Value, u"World");
    EXPECT_EQ(events.Count, 2);
}

TEST_F(TSearchData, TheDialogOffersSearchableTypesWithPagesAndTheirFields) {
    TSearchBox box({ptMemo, fiRemark, soExclude, u"v", true});
    EXPECT_EQ(box.Caption(), u"Search");
    EXPECT_EQ(box.PageTypes(),
              (std::vector<TSearchChoice>{{ptNote, u"NotePage"}, {ptMemo, u"MemoPage"}}));
    EXPECT_EQ(box.Crit.PageType, ptMemo);
    EXPECT_EQ(box.Crit.FieldId, fiRemark);  // the memo list has the field: kept
    TknIntList memoFields;
    Page(memo)->GetFieldIds(memoFields);
    ASSERT_EQ(box.Fields().size(), size_t(memoFields.Count()));
    EXPECT_EQ(box.Fields()[0], (TSearchChoice{fiTitle, u"Title"}));
    ASSERT_EQ(box.Operators().size(), 4u);
    EXPECT_EQ(box.Operators()[2], (TSearchChoice{soInclude, u"Include"}));
    EXPECT_EQ(box.Operators()[3], (TSearchChoice{soExclude, u"Exclude"}));

    // A remembered type with no pages: the first offered type, its first field.
    TSearchBox fallback({ptContact, 25260, soInclude, u"", false});
    EXPECT_EQ(fallback.Crit.PageType, ptNote);
    EXPECT_EQ(fallback.Crit.FieldId, fiTitle);
    fallback.Crit.FieldId = fiText;
    fallback.SelectPageType(ptMemo);
    EXPECT_EQ(fallback.Crit.FieldId, fiText);
    EXPECT_EQ(fallback.Fields(), box.Fields());
}

}  // namespace
}  // namespace qb::test
