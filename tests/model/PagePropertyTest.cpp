// The entries each property writes and reads: their order and count are the index file's format.

#include "ModelFixture.h"
#include "features/UClipPage.h"
#include "features/UContactPage.h"
#include "features/ULinkPage.h"
#include "features/UMemoPage.h"
#include "features/UTemplatePage.h"

namespace qb::test {
namespace {

using TPropertyTest = TModelTest;

TEST_F(TPropertyTest, TruePropertyEntriesAndRemarkEscaping) {
    TTruePageProperty p(5);
    p.CreateTime = {2010, 11, 6, 6, 10, 0, 0, 0};
    p.ModifyTime = p.VisitTime = {2010, 11, 6, 6, 10, 5, 0, 0};
    p.External = true;
    p.ExternalFile = u".\\notes\\a.txt";
    p.Remark = u"a\tb\r\nc\rd";
    TknStrList list;
    p.Save(list);
    EXPECT_EQ(Entries(list),
              (std::vector<std::u16string>{u"2010-11-06 10:00:00", u"2010-11-06 10:05:00",
                                           u"2010-11-06 10:05:00", u"1", u".\\notes\\a.txt",
                                           u"a\u0001b\u0002c\u0002d"}));
    list.Add(u"next");  // what follows belongs to the next property
    TTruePageProperty q(5);
    q.Load(list);
    EXPECT_EQ(q.CreateTime, p.CreateTime);
    EXPECT_EQ(q.ModifyTime, p.ModifyTime);
    EXPECT_TRUE(q.External);
    EXPECT_EQ(q.ExternalFile, p.ExternalFile);
    EXPECT_EQ(q.Remark, u"a\tb\r\nc\r\nd");  // a lone CR comes back as CR LF
    EXPECT_EQ(Entries(list), std::vector<std::u16string>{u"next"});
}

TEST_F(TPropertyTest, MissingEntriesReadAsEmptyWithoutFailing) {
    TknStrList list;
    TTruePageProperty t(1);
    t.External = true;
    t.Load(list);
    EXPECT_FALSE(t.External);
    EXPECT_EQ(t.CreateTime, Now);  // a missing time keeps the current one
    TListProperty l(1);
    l.Load(list);
    EXPECT_EQ(l.Columns.Count(), 0);
    EXPECT_EQ(l.ViewStyle, vsBigIcon);
    EXPECT_FALSE(l.FullRowSelect);
    TMemoProperty m(1);
    m.Load(list);
    EXPECT_EQ(m.TimeMode, tmNoTime);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(TPropertyTest, ListPropertyEntriesAndWidthPadding) {
    TListProperty p(4);
    p.SetReportDefaults({25840, 25850, 25800}, {120, 240, 100});
    TknStrList list;
    p.Save(list);
    EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"25840,25850,25800", u"120,240,100",
                                                          u"0", u"3", u"1", u"0"}));
    SetEntries(list, {u"25840,25850,25800", u"50,60", u"1", u"4", u"0", u"1"});
    TListProperty q(4);
    q.Load(list);
    EXPECT_EQ(Ids(q.Widths), (std::vector<int32_t>{50, 60, 100}));
    EXPECT_TRUE(q.ShowCheckBoxes);
    EXPECT_EQ(q.ViewStyle, vsAbstract);
    EXPECT_FALSE(q.FullRowSelect);
    EXPECT_TRUE(q.ShowGrids);
    SetEntries(list, {u"", u"", u"0", u"9", u"1", u"0"});  // no such view style
    q.Load(list);
    EXPECT_EQ(q.ViewStyle, vsBigIcon);
}

TEST_F(TPropertyTest, ClonablePropertyCopiesOnlyItsOwnClass) {
    TLinkProperty link(1), copy(2);
    link.LinkType = ltUrl;
    link.Link = u"a\r\nb";
    link.HotKey = 0x0241;
    copy.CopyFrom(link);
    EXPECT_EQ(copy.Link, u"a\r\nb");
    EXPECT_EQ(copy.HotKey, 0x0241);
    TTemplateProperty other(3);
    other.Text = u"kept";
    other.CopyFrom(link);
    EXPECT_EQ(other.Text, u"kept");
}

struct TTimeTextCase {
    std::u16string Text;
    TTimeMode Mode;
    std::u16string Written;
};

TEST_F(TPropertyTest, MemoTimeTextsReadAndWriteBack) {
    const TTimeTextCase cases[] = {
        {u"", tmNoTime, u""},
        {u"2010-11-06 10:30", tmThisDay, u"2010-11-06 10:30"},
        {u"  2010-11-06 10:30:59 ", tmThisDay, u"2010-11-06 10:30"},
        {u"@08:30:00", tmDaily, u"@08:30:00"},
        {u"@w1-5 08:30:00", tmWeekly, u"@w1-5 08:30:00"},
        {u"@m1,15 09:00:00", tmMonthly, u"@m1,15 09:00:00"},
        {u"@y12-25 07:00:00", tmYearly, u"@y12-25 07:00:00"},
        {u"2010-11-06...11-08", tmPeriod, u"2010-11-06...11-08"},
        {u"2010-12-30...2011-01-02", tmPeriod, u"2010-12-30...2011-01-02"},
        {u"2010-11-06...2010-11-06", tmPeriod, u"2010-11-06"},
        {u"2010-11-06", tmPeriod, u"2010-11-06"},
    };
    for (const auto& c : cases) {
        TMemoProperty m(1);
        m.SetTimeText(c.Text);
        EXPECT_EQ(m.TimeMode, c.Mode) << ToUtf8(c.Text);
        EXPECT_EQ(m.GetTimeText(), c.Written) << ToUtf8(c.Text);
    }
    TMemoProperty period(1);
    period.SetTimeText(u"2010-11-06...11-08");
    EXPECT_EQ(period.DateValue.Day, 6);
    EXPECT_EQ(period.TimeValue.Year, 2010);
    EXPECT_EQ(period.TimeValue.Day, 8);
    TMemoProperty weekly(1);
    weekly.SetTimeText(u"@w1-5 08:30:00");
    EXPECT_EQ(weekly.DaySpec, u"1-5");
    EXPECT_EQ(weekly.TimeValue.Hour, 8);
    EXPECT_EQ(weekly.TimeValue.Minute, 30);
}

TEST_F(TPropertyTest, MemoEntriesInOrder) {
    TMemoProperty m(1);
    m.SetTimeText(u"@w1-5 08:30:00");
    m.Action = maExecuteLink;
    m.Description = u"line1\r\nline2";
    m.UseSound = true;
    m.SoundFile = u"ding.wav";
    m.RemindAgainAt = 211000000000LL;
    m.Reminded = true;
    m.Remark = u"r\tx";
    TknStrList list;
    m.Save(list);
    const std::vector<std::u16string> expected{
        u"@w1-5 08:30:00", u"1", u"line1\u0002line2", u"1", u"ding.wav",
        u"211000000000",   u"1", u"r\u0001x"};
    EXPECT_EQ(Entries(list), expected);
    TMemoProperty back(1);
    back.Load(list);
    TknStrList again;
    back.Save(again);
    EXPECT_EQ(Entries(again), expected);
    EXPECT_EQ(back.Description, m.Description);
}

TEST_F(TPropertyTest, MemoExpiryNeedsTheMomentPassedAndTheItemDone) {
    TMemoProperty m(1);
    m.SetTimeText(u"2010-11-06 09:59");
    m.Action = maReminder;
    EXPECT_FALSE(m.IsExpired(Now));  // not reminded yet
    m.Reminded = true;
    EXPECT_TRUE(m.IsExpired(Now));
    m.SetTimeText(u"2010-11-06 10:01");
    EXPECT_FALSE(m.IsExpired(Now));
    m.SetTimeText(u"2010-11-04...11-05");
    m.Action = maNoAction;
    m.Reminded = false;
    EXPECT_TRUE(m.IsExpired(Now));  // the end day is over for more than a day
    m.SetTimeText(u"2010-11-04...11-06");
    EXPECT_FALSE(m.IsExpired(Now));
    m.SetTimeText(u"@08:00:00");
    EXPECT_FALSE(m.IsExpired(Now));  // recurring items never expire
}

TEST_F(TPropertyTest, LinkContactTemplateEntries) {
    TLinkProperty link(1);
    link.LinkType = ltBatch;
    link.Link = u"a.exe\r\nb.exe";
    link.HotKey = 0x0341;
    link.Abbrev = u"ab";
    link.Remark = u"x\ty";
    TknStrList list;
    link.Save(list);
    EXPECT_EQ(Entries(list),
              (std::vector<std::u16string>{u"6", u"a.exe\u0002b.exe", u"833", u"ab", u"x\u0001y"}));
    SetEntries(list, {u"12", u"l", u"70000", u"", u""});  // out of range type and hotkey
    link.Load(list);
    EXPECT_EQ(link.LinkType, ltFile);
    EXPECT_EQ(link.HotKey, 0);

    TContactProperty contact(1);
    contact.Sex = 1;
    contact.Mobile = u"m";
    contact.Others = u"o";
    contact.Remark = u"r\r\n";
    list.Clear();
    contact.Save(list);
    ASSERT_EQ(list.Count(), 13);
    EXPECT_EQ(list.Items(0), u"1");
    EXPECT_EQ(list.Items(1), u"m");
    EXPECT_EQ(list.Items(11), u"o");
    EXPECT_EQ(list.Items(12), u"r\u0002");
    TContactProperty back(1);
    back.Load(list);
    EXPECT_EQ(back.Others, u"o");
    EXPECT_EQ(back.Remark, u"r\r\n");
    std::u16string text;
    EXPECT_TRUE(back.GetFieldText(fiMobile, text));
    EXPECT_EQ(text, u"m");

    TTemplateProperty templ(1);
    templ.Text = u"%d\r\n%i";
    templ.HotKey = 7;
    list.Clear();
    templ.Save(list);
    EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"%d\u0002%i", u"7", u"", u""}));
}

// Every page type, loaded from the entries it saved, saves the same entries again, and
// consumes exactly its own entries.
TEST_F(TPropertyTest, EveryPageTypeLoadsWhatItSaves) {
    TknIntList types;
    PageFactory().GetPageTypes(types);
    ASSERT_EQ(types.Count(), 25);
    for (int i = 0; i < types.Count(); ++i) {
        uint8_t type = static_cast<uint8_t>(types.Items(i));
        std::unique_ptr<TPageSuper> page(PageFactory().CreatePage(type, 100 + i, 0));
        ASSERT_TRUE(page) << int(type);
        page->Initialize();
        page->SetName(u"n\tame");
        page->SetStatus(psProtected);
        page->SetCheckMark(true);
        if (auto* tp = page->TrueProperty()) tp->Remark = u"re\r\nmark";
        if (auto* lp = page->ListProperty()) lp->SetReportDefaults({25840, 25830}, {10, 20});
        if (auto* clip = dynamic_cast<TClipItem*>(page.get())) clip->Fixed = true;
        if (auto* memo = dynamic_cast<TMemoItem*>(page.get()))
            memo->Memo().SetTimeText(u"@m1,15 09:00:00");
        TknStrList saved;
        page->SaveProperties(saved);
        std::vector<std::u16string> expected = Entries(saved);
        saved.Add(u"rest");
        std::unique_ptr<TPageSuper> loaded(PageFactory().CreatePage(type, 100 + i, 0));
        loaded->LoadProperties(saved);
        EXPECT_EQ(Entries(saved), std::vector<std::u16string>{u"rest"}) << int(type);
        TknStrList again;
        loaded->SaveProperties(again);
        EXPECT_EQ(Entries(again), expected) << int(type);
        EXPECT_EQ(loaded->Name(), u"n  ame");
        EXPECT_EQ(loaded->Status(), psProtected);
    }
}

TEST_F(TPropertyTest, PageOwnFieldsComeFirst) {
    std::unique_ptr<TPageSuper> note(PageFactory().CreatePage(ptNote, 5, 0));
    TknStrList list;
    SetEntries(list, {u"Note1", u"7", u".\\i.ico", u"2", u"2010-11-06 10:00:00",
                      u"2010-11-06 10:05:00", u"2010-11-06 10:05:00", u"0", u"", u""});
    note->LoadProperties(list);
    EXPECT_EQ(note->Name(), u"Note1");
    EXPECT_EQ(note->Status(), psNormal);  // no such status
    EXPECT_EQ(note->IconFile(), u".\\i.ico");
    EXPECT_TRUE(note->CheckMark());
    EXPECT_EQ(note->TrueProperty()->ModifyTime.Minute, 5);
    note->SaveProperties(list);
    EXPECT_EQ(Entries(list), (std::vector<std::u16string>{
                                 u"Note1", u"0", u".\\i.ico", u"1", u"2010-11-06 10:00:00",
                                 u"2010-11-06 10:05:00", u"2010-11-06 10:05:00", u"0", u"", u""}));
}

}  // namespace
}  // namespace qb::test
