// The memo handler's timer and item list, what firing does, the reminder window's choices and
// the reminder sound.

#include <gtest/gtest.h>

#include <memory>

#include "features/TrayFixture.h"
#include "foundation/UknFunctions.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

class MemoHandler : public TTrayTest {
  protected:
    std::vector<int32_t> HandlerIds() const { return Ids(Handler->ItemIds()); }
    void StartHandler() { Handler = std::make_unique<TMemoHandler>(); }
    ~MemoHandler() override { Handler.reset(); }

    std::unique_ptr<TMemoHandler> Handler;
};

TEST_F(MemoHandler, TicksOnEveryMinuteBoundary) {
    Start = At(u"2010-11-06 10:00:42");
    StartHandler();
    EXPECT_EQ(Timers.IntervalOf(Handler->Timer().Id()), 18000u);
    TMemoItem& a = AddMemo(u"a", u"@10:01:00");
    RunUntil(u"2010-11-06 10:00:59");
    EXPECT_FALSE(a.Memo().Reminded);
    RunUntil(u"2010-11-06 10:01:00");
    EXPECT_TRUE(a.Memo().Reminded);
    EXPECT_EQ(Timers.IntervalOf(Handler->Timer().Id()), 60000u);

    // On a boundary the first tick is a whole minute away.
    Handler.reset();
    EXPECT_EQ(Timers.SetCount(), 0);
    Start =
        AddUnits(At(u"2010-11-06 10:03:00"), tuMillisecond, -static_cast<int64_t>(Timers.Now()));
    StartHandler();
    EXPECT_EQ(Timers.IntervalOf(Handler->Timer().Id()), 60000u);
}

TEST_F(MemoHandler, ChecksEachMinuteOnce) {
    StartHandler();
    TMemoItem& daily = AddMemo(u"daily", u"@10:05:00", maNoAction);
    Handler->CheckReminders(At(u"2010-11-06 10:05:00"));
    Handler->CheckReminders(At(u"2010-11-06 10:05:59"));  // an early tick of the next minute
    EXPECT_EQ(Saver.Saves, 1);
    Handler->CheckReminders(At(u"2010-11-07 10:05:00"));
    EXPECT_EQ(Saver.Saves, 2);
    EXPECT_TRUE(daily.Memo().Reminded);
}

TEST_F(MemoHandler, KeepsTheItemListFromPageEvents) {
    TMemoItem& first = AddMemo(u"first", u"");
    Add(GroupRoot(), ptNote, u"note");
    StartHandler();
    EXPECT_EQ(HandlerIds(), (std::vector<int32_t>{first.Id()}));
    TMemoItem& second = AddMemo(u"second", u"");
    TPageSuper* otherMemos = Add(GroupRoot(), ptMemo, u"more");
    auto& third = static_cast<TMemoItem&>(*Add(otherMemos, ptMemoItem, u"third"));
    Add(GroupRoot(), ptLink, u"links");
    EXPECT_EQ(HandlerIds(), (std::vector<int32_t>{first.Id(), second.Id(), third.Id()}));
    // Listed twice in a page, still checked once.
    otherMemos->Childs()->AddChild(second.Id());
    EXPECT_EQ(HandlerIds().size(), 3u);

    const int32_t firstId = first.Id();  // the item goes with the delete
    DeleteHandler().DeleteOrRecycle(firstId, MemoPage()->Id());
    EXPECT_EQ(HandlerIds(), (std::vector<int32_t>{second.Id(), third.Id()}));
    EXPECT_FALSE(Store().PageExists(firstId));
}

TEST_F(MemoHandler, FiringSavesOpensAndAnnounces) {
    StartHandler();
    TMemoItem& remind = AddMemo(u"Call Bob", u"2010-11-06 10:01");
    remind.Memo().Description = u"about the car";
    remind.Memo().UseSound = true;
    TMemoItem& link = AddMemo(u"Backup", u"@10:01:00", maExecuteLink);
    link.Memo().Description = u"\"/opt/backup\" --all\r\nhttp://example.org";
    TMemoItem& quiet = AddMemo(u"Quiet", u"2010-11-06 09:00", maNoAction);
    TMemoItem& later = AddMemo(u"Later", u"2010-11-06 10:02");
    TEventLog log;

    RunUntil(u"2010-11-06 10:01:00");
    EXPECT_TRUE(remind.Memo().Reminded);
    EXPECT_TRUE(link.Memo().Reminded);
    EXPECT_TRUE(quiet.Memo().Reminded);
    EXPECT_FALSE(later.Memo().Reminded);
    EXPECT_EQ(Saver.Saves, 3);

    ASSERT_EQ(Windows.Shown.size(), 1u);
    TReminderPopup& popup = *Windows.Shown[0];
    EXPECT_EQ(popup.ItemId(), remind.Id());
    EXPECT_EQ(ToUtf8(popup.Caption()),
              ToUtf8(FormatLocal(At(u"2010-11-06 10:01"), 2)) + " Call Bob");
    EXPECT_EQ(ToUtf8(popup.Text()), "about the car");
    EXPECT_EQ(Sound.Tones.size(), 1u);  // no sound file: the beeps

    ASSERT_EQ(Shell.Calls.size(), 2u);
    EXPECT_EQ(Shell.Calls[0], (TMemoryShell::TCall{u"/opt/backup", u"--all", u""}));
    EXPECT_EQ(ToUtf8(Shell.Calls[1].Target), "http://example.org");

    std::vector<TEventLog::TEvent> changes;
    for (const auto& e : log.Events)
        if (std::get<0>(e) == pePageChanged) changes.push_back(e);
    EXPECT_EQ(changes, (std::vector<TEventLog::TEvent>{{pePageChanged, remind.Id(), -1},
                                                       {pePageChanged, link.Id(), -1},
                                                       {pePageChanged, quiet.Id(), -1}}));
    // One-time items do not fire again.
    RunUntil(u"2010-11-06 10:02:00");
    EXPECT_EQ(Windows.Shown.size(), 2u);
    EXPECT_EQ(Windows.Shown[1]->ItemId(), later.Id());
}

TEST_F(MemoHandler, ReminderCountsOnlyOnceItsWindowIsShown) {
    StartHandler();
    TMemoItem& once = AddMemo(u"dentist", u"2010-11-06 10:01");
    once.Memo().UseSound = true;
    Windows.Refuse = true;
    RunUntil(u"2010-11-06 10:01:00");
    EXPECT_FALSE(once.Memo().Reminded);
    EXPECT_EQ(Saver.Saves, 0);
    EXPECT_EQ(Handler->Popups().Count(), 0);
    EXPECT_TRUE(Sound.Tones.empty());
    // Still due: the next tick that can show it marks it, once.
    Windows.Refuse = false;
    RunUntil(u"2010-11-06 10:02:00");
    EXPECT_TRUE(once.Memo().Reminded);
    EXPECT_EQ(Saver.Saves, 1);
    ASSERT_EQ(Windows.Shown.size(), 1u);
    EXPECT_EQ(Sound.Tones.size(), 1u);
    RunUntil(u"2010-11-06 10:03:00");
    EXPECT_EQ(Windows.Shown.size(), 1u);
    // The window's close lets the popup go.
    Windows.Shown[0]->Closed();
    EXPECT_EQ(Handler->Popups().Count(), 0);
}

TEST_F(MemoHandler, FailedLinkLeavesTheOtherItemsFiring) {
    StartHandler();
    TMemoItem& broken = AddMemo(u"broken", u"@10:01:00", maExecuteLink);
    broken.Memo().Description = u"/nowhere/tool";
    Shell.Results[u"/nowhere/tool"] = seFileNotFound;
    TMemoItem& after = AddMemo(u"after", u"@10:01:00");
    RunUntil(u"2010-11-06 10:01:00");
    ASSERT_EQ(Windows.Errors.size(), 1u);
    EXPECT_EQ(ToUtf8(Windows.Errors[0]), "File not found! /nowhere/tool");
    EXPECT_TRUE(broken.Memo().Reminded);
    EXPECT_TRUE(after.Memo().Reminded);
    EXPECT_EQ(Windows.Shown.size(), 1u);
}

TEST_F(MemoHandler, SnoozedDailyFiresOnceLaterAndAgainNextDay) {
    StartHandler();
    TMemoItem& daily = AddMemo(u"stretch", u"@10:01:00");
    RunUntil(u"2010-11-06 10:01:00");
    ASSERT_EQ(Windows.Shown.size(), 1u);
    TReminderPopup& popup = *Windows.Shown[0];
    EXPECT_TRUE(popup.NoRemindEnabled());
    EXPECT_EQ(popup.Durations().size(), 12u);
    EXPECT_EQ(ToUtf8(popup.DurationText), "30min");
    popup.DurationText = u"10min";
    RunUntil(u"2010-11-06 10:01:30");
    popup.Confirm();
    EXPECT_EQ(daily.Memo().RemindAgainAt, ToUnits(At(u"2010-11-06 10:11"), tuMinute));
    Handler->Popups().Closed(popup);
    EXPECT_EQ(Handler->Popups().Count(), 0);

    RunUntil(u"2010-11-06 10:10:00");
    EXPECT_EQ(Windows.Shown.size(), 1u);
    RunUntil(u"2010-11-06 10:11:00");
    EXPECT_EQ(Windows.Shown.size(), 2u);
    EXPECT_EQ(daily.Memo().RemindAgainAt, 0);
    RunUntil(u"2010-11-07 10:00:00");
    EXPECT_EQ(Windows.Shown.size(), 2u);
    RunUntil(u"2010-11-07 10:01:00");
    EXPECT_EQ(Windows.Shown.size(), 3u);
}

TEST_F(MemoHandler, SnoozedOneTimeItemMovesAhead) {
    StartHandler();
    TMemoItem& once = AddMemo(u"dentist", u"2010-11-06 10:01");
    RunUntil(u"2010-11-06 10:01:00");
    TReminderPopup& popup = *Windows.Shown.at(0);
    EXPECT_FALSE(popup.NoRemindEnabled());
    popup.SetChoice(rcNoRemind);  // refused: a one-time item has nothing to stop
    EXPECT_EQ(popup.Choice(), rcRemindAgain);
    EXPECT_EQ(ToUtf8(popup.Durations().back()), "7d");
    popup.DurationText = u"1d";
    popup.Confirm();
    EXPECT_FALSE(once.Memo().Reminded);
    EXPECT_EQ(ToUtf8(once.Memo().GetTimeText()), "2010-11-07 10:01");
    RunUntil(u"2010-11-07 10:00:00");
    EXPECT_EQ(Windows.Shown.size(), 1u);
    RunUntil(u"2010-11-07 10:01:00");
    EXPECT_EQ(Windows.Shown.size(), 2u);

    // Durations out of all measure stay within the years a time text can hold.
    TReminderPopup& again = *Windows.Shown.at(1);
    again.DurationText = u"99999999999999d";
    again.Confirm();
    EXPECT_LE(once.Memo().DateValue.Year, 2111);
    EXPECT_EQ(once.Memo().GetTimeText().size(), 16u);
}

TEST_F(MemoHandler, NoRemindAndDeleteMe) {
    StartHandler();
    TMemoItem& weekly = AddMemo(u"bins", u"@w6 10:01:00");
    TMemoItem& gone = AddMemo(u"gone", u"@10:01:00");
    RunUntil(u"2010-11-06 10:01:00");
    ASSERT_EQ(Windows.Shown.size(), 2u);
    TReminderPopup& stop = *Windows.Shown[0];
    stop.SetChoice(rcNoRemind);
    EXPECT_FALSE(stop.DurationListEnabled());
    stop.Confirm();
    EXPECT_EQ(weekly.Memo().TimeMode, tmThisDay);
    TReminderPopup& del = *Windows.Shown[1];
    del.SetChoice(rcDeleteMe);
    int32_t goneId = gone.Id();
    const int saves = Saver.Saves;
    del.Confirm();
    EXPECT_EQ(Saver.Saves, saves + 1);
    EXPECT_FALSE(Store().PageExists(goneId));
    EXPECT_EQ(MemoPage()->Childs()->IndexOf(goneId), -1);
    EXPECT_EQ(HandlerIds(), (std::vector<int32_t>{weekly.Id()}));
    del.Confirm();  // the item has gone: nothing

    // The week after, the stopped item stays quiet.
    RunUntil(u"2010-11-13 10:01:00");
    EXPECT_EQ(Windows.Shown.size(), 2u);
    EXPECT_TRUE(weekly.Memo().IsExpired(LocalNow()));
}

TEST_F(MemoHandler, SoundFileOrBeepsAndClosingStopsThem) {
    ProgramSubFolder(u"sound\\", true);
    WriteBytes(Folder.File("sound/bell.wav"), "RIFF");
    TMemoItem& bell = AddMemo(u"bell", u"@10:01:00");
    bell.Memo().UseSound = true;
    bell.Memo().SoundFile = u"bell.wav";
    TMemoItem& missing = AddMemo(u"missing", u"@10:01:00");
    missing.Memo().UseSound = true;
    missing.Memo().SoundFile = u"../quillbox.ini";  // only names count, inside the folder
    WriteBytes(Folder.File("quillbox.ini"), "");
    AddMemo(u"silent", u"@10:01:00");
    StartHandler();
    RunUntil(u"2010-11-06 10:01:00");
    EXPECT_EQ(Sound.Files, (std::vector<std::u16string>{Folder.Path16() + u"sound/bell.wav"}));
    ASSERT_EQ(Sound.Tones.size(), 1u);
    EXPECT_EQ(Sound.Tones[0],
              (std::vector<TTone>{{523, 500}, {659, 500}, {784, 500}, {1047, 500}}));

    Handler->Popups().Closed(*Windows.Shown[0]);
    EXPECT_EQ(Sound.Stops, 1);
    EXPECT_EQ(Handler->Popups().Count(), 2);
    Handler.reset();  // closes the two still open
    EXPECT_EQ(Windows.Closed.size(), 2u);
}

TEST_F(MemoHandler, ItemsInTheRecycleBinStayQuiet) {
    StartHandler();
    TPageSuper* recycle = Add(Store().GetRoot(), ptRecycleBin, u"RecycleBin");
    DeleteHandler().SetRecycleBin(recycle->Id());
    TMemoItem& daily = AddMemo(u"daily", u"@10:01:00");
    DeleteHandler().DeleteOrRecycle(MemoPage()->Id(), GroupRoot()->Id());
    ASSERT_TRUE(Store().IsInRecycleBin(daily.Id()));
    EXPECT_TRUE(DueMemoItems(At(u"2010-11-06 10:01")).empty());
    RunUntil(u"2010-11-06 10:01:00");
    EXPECT_TRUE(Windows.Shown.empty());
    EXPECT_FALSE(daily.Memo().Reminded);
}

TEST_F(MemoHandler, DueItemsAskWithoutFiring) {
    TMemoItem& a = AddMemo(u"a", u"@w1-5 08:30:00");
    TMemoItem& b = AddMemo(u"b", u"2010-11-08 08:00");
    AddMemo(u"c", u"@w6 08:30:00");
    b.Memo().RemindAgainAt = ToUnits(At(u"2010-11-08 08:30"), tuMinute);
    b.Memo().Reminded = true;
    EXPECT_EQ(DueMemoItems(At(u"2010-11-08 08:30")), (std::vector<int32_t>{a.Id(), b.Id()}));
    EXPECT_NE(b.Memo().RemindAgainAt, 0);
    EXPECT_TRUE(DueMemoItems(At(u"2010-11-08 08:31")).empty());
}

}  // namespace
}  // namespace qb::test
