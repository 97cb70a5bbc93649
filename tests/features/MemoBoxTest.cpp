// The memo edit box's field rules: presets of a new item, saving the fields into the item,
// adopting a sound file.

#include <gtest/gtest.h>

#include "features/TrayFixture.h"
#include "features/UMemoBox.h"
#include "shell/UMemoryManager.h"

namespace qb::test {
namespace {

using MemoBox = TTrayTest;

TEST_F(MemoBox, NewItemPresets) {
    TMemory memory;
    memory.MemoAction = maExecuteLink;
    TMemoBoxFields f = NewMemoFields(At(u"2010-11-06 23:55"), 10, memory);
    EXPECT_EQ(f.Mode, tmThisDay);
    EXPECT_EQ(f.Date, At(u"2010-11-07 00:05"));
    EXPECT_EQ(f.Time, f.Date);
    EXPECT_EQ(f.EndDate, f.Date);
    EXPECT_EQ(f.Action, maExecuteLink);
    EXPECT_EQ(f.Sound, scNone);
    EXPECT_TRUE(f.Title.empty() && f.DayList.empty() && f.Description.empty());

    memory.MemoUseSound = true;
    EXPECT_EQ(NewMemoFields(At(u"2010-11-06 10:00"), 10, memory).Sound, scBeep);
    memory.MemoSoundFile = u"bell.wav";
    memory.MemoAction = 77;  // a damaged ini value
    f = NewMemoFields(At(u"2010-11-06 10:00"), -5, memory);
    EXPECT_EQ(f.Sound, scFile);
    EXPECT_EQ(ToUtf8(f.SoundFile), "bell.wav");
    EXPECT_EQ(f.Action, maNoAction);
    EXPECT_EQ(f.Date, At(u"2010-11-06 10:00"));
}

TEST_F(MemoBox, SavingMakesTheItem) {
    TMemoItem& item = AddMemo(u"old", u"@08:00:00");
    item.Memo().Reminded = true;
    item.Memo().RemindAgainAt = 123;
    TMemoBoxFields f = LoadMemoFields(item);
    EXPECT_EQ(f.Mode, tmDaily);
    f.Title = u"Pay rent";
    f.Mode = tmMonthly;
    f.DayList = u"1, 15";
    f.Time = At(u"2010-11-06 09:30:00");
    f.Sound = scFile;
    f.SoundFile = u"/elsewhere/bell.wav";
    SaveMemoFields(f, item);
    const TMemoProperty& m = item.Memo();
    EXPECT_EQ(ToUtf8(item.Name()), "Pay rent");
    EXPECT_EQ(ToUtf8(m.Description), "Pay rent");  // empty description: the title
    EXPECT_EQ(ToUtf8(m.GetTimeText()), "@m1,15 09:30:00");
    EXPECT_FALSE(m.Reminded);
    EXPECT_EQ(m.RemindAgainAt, 0);
    EXPECT_TRUE(m.UseSound);
    EXPECT_EQ(ToUtf8(m.SoundFile), "bell.wav");

    // The stored form reads back as saved.
    TknStrList stored;
    m.Save(stored);
    TMemoProperty back(item.Id());
    back.Load(stored);
    EXPECT_EQ(back.DaySpec, m.DaySpec);
    EXPECT_TRUE(IsDueAt(back, At(u"2010-12-15 09:30")));

    f = LoadMemoFields(item);
    f.Mode = tmPeriod;
    f.Date = At(u"2010-11-06");
    f.EndDate = At(u"2010-11-08");
    f.Description = u"line 1\r\nline 2";
    f.Sound = scBeep;
    SaveMemoFields(f, item);
    EXPECT_EQ(ToUtf8(m.GetTimeText()), "2010-11-06...11-08");
    EXPECT_EQ(ToUtf8(m.Description), "line 1\r\nline 2");
    EXPECT_TRUE(m.UseSound);
    EXPECT_TRUE(m.SoundFile.empty());

    f.Mode = tmNoTime;
    f.Action = maExecuteLink;
    SaveMemoFields(f, item);
    EXPECT_EQ(m.Action, maNoAction);
    EXPECT_FALSE(m.UseSound);
}

// The box checks the day list as it will be stored: blanks between the days are dropped.
TEST_F(MemoBox, DayListsAreCheckedAsStored) {
    struct TCase {
        TTimeMode Mode;
        std::u16string DayList;
        bool Valid;
    } cases[] = {
        {tmMonthly, u"1, 15", true}, {tmMonthly, u"1,15", true}, {tmMonthly, u"1,,x", false},
        {tmWeekly, u" 1 , 3 ", true}, {tmYearly, u"", false},   {tmDaily, u"nonsense", true},
    };
    for (const TCase& c : cases) {
        TMemoBoxFields f;
        f.Mode = c.Mode;
        f.DayList = c.DayList;
        EXPECT_EQ(DayListValid(f), c.Valid) << ToUtf8(c.DayList);
    }
}

TEST_F(MemoBox, ChosenSoundFileIsCopiedOnce) {
    TTempFolder elsewhere(false);
    WriteBytes(elsewhere.File("ring.wav"), "new ring");
    EXPECT_EQ(ToUtf8(AdoptSoundFile(elsewhere.File16("ring.wav"))), "ring.wav");
    EXPECT_EQ(ReadBytes(Folder.File("sound/ring.wav")), "new ring");
    WriteBytes(elsewhere.File("ring.wav"), "other ring");
    EXPECT_EQ(ToUtf8(AdoptSoundFile(elsewhere.File16("ring.wav"))), "ring.wav");
    EXPECT_EQ(ReadBytes(Folder.File("sound/ring.wav")), "new ring");
    EXPECT_EQ(ToUtf8(AdoptSoundFile(Folder.File16("sound/ring.wav"))), "ring.wav");
}

}  // namespace
}  // namespace qb::test
