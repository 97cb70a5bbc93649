// The abstract client over an in-memory view: entries, numbering, selection as page events,
// a new child's entry, and the commands that do not apply.

#include <gtest/gtest.h>

#include "model/SysPagesFixture.h"
#include "views/UBlogClient.h"

namespace qb::test {
namespace {

class TMemoryBlogControl : public IBlogControl {
  public:
    void ShowControl(bool) override {}
    bool ControlHasFocus() const override { return Focused; }
    void FocusControl() override { Focused = true; }
    void Attach(TBlogClient*) override {}
    void EntriesChanged() override { ++Layouts; }
    void SelectionChanged() override {}
    void ScrollToEntry(int index) override { ScrolledTo = index; }
    void ApplyFonts(const TFontSettings&, const TFontSettings&, const TFontSettings&) override {}
    bool Focused = false;
    int Layouts = 0;
    int ScrolledTo = -1;
};

class BlogClientTest : public TSysPagesTest {
  protected:
    BlogClientTest() {
        Group = Add(GroupRoot(), ptGroup, u"Diary");
        AddText(Group, ptNote, u"Monday", u"rain\u0002all day");
        AddText(Group, ptNote, u"Tuesday", u"sun");
        Client.SetActive(true);
        Client.Load(Group);
    }
    std::vector<int32_t> Selection() {
        std::vector<int32_t> ids;
        for (const TBlogEntry& e : Client.Entries())
            if (e.Selected) ids.push_back(e.PageId);
        return ids;
    }
    TMemoryBlogControl Control;
    TBlogClient Client{Control};
    TPageSuper* Group = nullptr;
};

TEST_F(BlogClientTest, EntriesAreNumberedFromOneWithTheirAbstracts) {
    ASSERT_EQ(Client.Entries().size(), 2u);
    EXPECT_EQ(BlogTitleLine(0, Client.Entries()[0].Title), u"1. Monday");
    EXPECT_EQ(BlogTitleLine(1, Client.Entries()[1].Title), u"2. Tuesday");
    EXPECT_EQ(Client.Entries()[0].Abstract, u"rain\r\nall day");
    EXPECT_FALSE(Client.CheckCommand(1310));
    EXPECT_FALSE(Client.CheckCommand(1340));
    EXPECT_TRUE(Client.CheckCommand(1430));
}

TEST_F(BlogClientTest, SelectionBecomesPageEventsAndANewChildIsSelected) {
    TEventLog log;
    const int32_t monday = Client.ItemPage(0), tuesday = Client.ItemPage(1);
    Client.Click(0, false);
    Client.Click(1, true);  // Ctrl adds
    EXPECT_EQ(Selection(), (std::vector<int32_t>{monday, tuesday}));
    Client.Click(0, true);  // Ctrl takes away
    Client.MoveSelection(-1);
    EXPECT_EQ(Selection(), (std::vector<int32_t>{monday}));
    EXPECT_EQ(log.Events, (std::vector<TEventLog::TEvent>{
                              {pePageSelected, monday, -1},
                              {pePageSelected, tuesday, -1},
                              {pePageUnselected, monday, -1},
                              {pePageUnselected, tuesday, -1},
                              {pePageSelected, monday, -1}}));

    const int32_t id = Store().NewPage(Group->Id(), ptNote);
    Group->Childs()->AddChild(id, tuesday);
    EXPECT_EQ(Client.ItemPage(1), id);
    EXPECT_EQ(Selection(), (std::vector<int32_t>{id}));
    EXPECT_TRUE(Control.Focused);
    EXPECT_EQ(Control.ScrolledTo, 1);
    Group->Childs()->RemoveChild(id);
    EXPECT_EQ(Client.Entries().size(), 2u);
    EXPECT_TRUE(Selection().empty());
}

}  // namespace
}  // namespace qb::test
