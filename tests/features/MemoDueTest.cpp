// When memo items fall due: every time mode on its due and not-due minutes, broken day lists,
// snoozes, the time texts and the expired icon.

#include <gtest/gtest.h>

#include <memory>

#include "features/UMemoHandler.h"
#include "features/UMemoPage.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

TSystemTime At(std::u16string_view text) {
    return ParseDateTime(text, false);
}

std::unique_ptr<TMemoProperty> Memo(std::u16string_view timeText, bool reminded = false) {
    auto memo = std::make_unique<TMemoProperty>(1);
    memo->SetTimeText(timeText);
    memo->Reminded = reminded;
    return memo;
}

struct TDueCase {
    const char16_t* TimeText;
    const char16_t* Now;
    bool Reminded;
    bool Due;
};

class MemoDue : public ::testing::Test {
  protected:
    // The rules read the clock when they parse a text: fixed far from every case.
    MemoDue() {
        SetClockForTesting([] { return At(u"2001-03-03 03:03:03"); });
    }
    ~MemoDue() override { SetClockForTesting({}); }
};

TEST_F(MemoDue, EveryModeOnItsMinutes) {
    // 2010-11-06 is a Saturday, 11-07 a Sunday, 11-08 a Monday.
    const TDueCase cases[] = {
        {u"", u"2010-11-06 10:00", false, false},
        {u"@08:30:00", u"2010-11-06 08:30", false, true},
        {u"@08:30:00", u"2010-11-07 08:30", true, true},  // recurring: Reminded is no stop
        {u"@08:30:00", u"2010-11-06 08:31", false, false},
        {u"@08:30:00", u"2010-11-06 09:30", false, false},
        {u"@w1-5 08:30:00", u"2010-11-08 08:30", false, true},
        {u"@w1-5 08:30:00", u"2010-11-12 08:30", false, true},
        {u"@w1-5 08:30:00", u"2010-11-06 08:30", false, false},
        {u"@w1-5 08:30:00", u"2010-11-07 08:30", false, false},
        {u"@w1-5 08:30:00", u"2010-11-08 08:29", false, false},
        {u"@w0 09:00:00", u"2010-11-07 09:00", false, true},
        {u"@w7 09:00:00", u"2010-11-07 09:00", false, true},
        {u"@w6-7 09:00:00", u"2010-11-07 09:00", false, true},
        {u"@w7 09:00:00", u"2010-11-08 09:00", false, false},
        {u"@w0 09:00:00", u"2010-11-06 09:00", false, false},
        {u"@w1,3,5 09:00:00", u"2010-11-10 09:00", false, true},
        {u"@w1,3,5 09:00:00", u"2010-11-09 09:00", false, false},
        {u"@m1,15 12:00:00", u"2010-11-01 12:00", false, true},
        {u"@m1,15 12:00:00", u"2010-11-15 12:00", false, true},
        {u"@m1,15 12:00:00", u"2010-11-14 12:00", false, false},
        {u"@m1,15 12:00:00", u"2010-11-11 12:00", false, false},  // not "1" as a prefix
        {u"@m10-20 12:00:00", u"2010-11-20 12:00", false, true},
        {u"@m10-20 12:00:00", u"2010-11-21 12:00", false, false},
        {u"@y12-25 07:00:00", u"2010-12-25 07:00", false, true},
        {u"@y12-25 07:00:00", u"2011-12-25 07:00", true, true},
        {u"@y12-25 07:00:00", u"2010-12-24 07:00", false, false},
        {u"@y12-25 07:00:00", u"2010-11-25 07:00", false, false},
        {u"@y1-1,12-25 07:00:00", u"2011-01-01 07:00", false, true},
        {u"2010-11-06 10:00", u"2010-11-06 09:59", false, false},
        {u"2010-11-06 10:00", u"2010-11-06 10:00", false, true},
        {u"2010-11-06 10:00", u"2010-11-09 18:00", false, true},  // passed while not running
        {u"2010-11-06 10:00", u"2010-11-06 10:00", true, false},
        {u"2010-11-06...11-08", u"2010-11-05 23:59", false, false},
        {u"2010-11-06...11-08", u"2010-11-06 00:00", false, true},
        {u"2010-11-06...11-08", u"2010-11-20 08:00", false, true},
        {u"2010-11-06...11-08", u"2010-11-07 08:00", true, false},
        {u"2010-12-30...2011-01-02", u"2010-12-29 12:00", false, false},
        {u"2010-12-30...2011-01-02", u"2010-12-30 00:00", false, true},
        {u"2010-11-06", u"2010-11-06 00:00", false, true},
    };
    for (const TDueCase& c : cases)
        EXPECT_EQ(IsDueAt(*Memo(c.TimeText, c.Reminded), At(c.Now)), c.Due)
            << ToUtf8(c.TimeText) << " at " << ToUtf8(c.Now) << (c.Reminded ? " reminded" : "");
}

TEST_F(MemoDue, BrokenDayListsMatchNothing) {
    const char16_t* lists[] = {
        u"1-", u"x-3", u"99", u"", u",", u"x", u"-", u"5-1", u"99999999999999999999",
        u"-3", u"1--3"};
    for (const char16_t* list : lists)
        for (int day = 0; day <= 31; ++day)
            EXPECT_FALSE(DayListMatches(list, day)) << ToUtf8(list) << " day " << day;
    // A broken piece leaves the good pieces beside it working.
    EXPECT_TRUE(DayListMatches(u"x-3,5", 5));
    EXPECT_TRUE(DayListMatches(u" 2 , 4 ", 4));

    const char16_t* yearly[] = {u"12", u"12-", u"-25", u"x-25", u"12-x", u"25-12", u"12-25-3"};
    for (const char16_t* list : yearly)
        EXPECT_FALSE(YearlyListMatches(list, 12, 25)) << ToUtf8(list);
    EXPECT_FALSE(YearlyListMatches(u"12-25", 12, 24));
    EXPECT_TRUE(YearlyListMatches(u"3-1,12-25", 12, 25));
}

TEST_F(MemoDue, SnoozeFiresOnlyInItsOwnMinute) {
    auto dailyOwner = Memo(u"@08:30:00");
    TMemoProperty& daily = *dailyOwner;
    daily.RemindAgainAt = ToUnits(At(u"2010-11-06 08:40"), tuMinute);
    EXPECT_FALSE(IsDue(daily, At(u"2010-11-06 08:39")));
    EXPECT_TRUE(IsDue(daily, At(u"2010-11-06 08:40")));
    EXPECT_EQ(daily.RemindAgainAt, 0);
    EXPECT_FALSE(IsDue(daily, At(u"2010-11-06 08:40")));
    EXPECT_TRUE(IsDue(daily, At(u"2010-11-07 08:30")));

    // A snooze brings back an item that has reminded, but not one without time.
    auto periodOwner = Memo(u"2010-11-06...11-08", true);
    TMemoProperty& period = *periodOwner;
    period.RemindAgainAt = ToUnits(At(u"2010-11-07 12:00"), tuMinute);
    EXPECT_FALSE(IsDue(period, At(u"2010-11-07 11:59")));
    EXPECT_TRUE(IsDue(period, At(u"2010-11-07 12:00")));
    auto noneOwner = Memo(u"");
    TMemoProperty& none = *noneOwner;
    none.RemindAgainAt = ToUnits(At(u"2010-11-07 12:00"), tuMinute);
    EXPECT_FALSE(IsDue(none, At(u"2010-11-07 12:00")));
    EXPECT_NE(none.RemindAgainAt, 0);

    // Asking without firing keeps the snooze.
    daily.RemindAgainAt = ToUnits(At(u"2010-11-06 09:00"), tuMinute);
    EXPECT_TRUE(IsDueAt(daily, At(u"2010-11-06 09:00")));
    EXPECT_NE(daily.RemindAgainAt, 0);
}

TEST_F(MemoDue, TimeTextsRoundTrip) {
    struct {
        const char16_t* Text;
        TTimeMode Mode;
        const char16_t* Written;
    } cases[] = {
        {u"2010-11-06 08:30", tmThisDay, u"2010-11-06 08:30"},
        {u"@08:30:00", tmDaily, u"@08:30:00"},
        {u"@w1-5 08:30:00", tmWeekly, u"@w1-5 08:30:00"},
        {u"@m1,15 12:00:00", tmMonthly, u"@m1,15 12:00:00"},
        {u"@y12-25 07:00:00", tmYearly, u"@y12-25 07:00:00"},
        {u"2010-11-06...11-08", tmPeriod, u"2010-11-06...11-08"},
        {u"2010-11-06...2010-11-08", tmPeriod, u"2010-11-06...11-08"},
        {u"2010-12-30...2011-01-02", tmPeriod, u"2010-12-30...2011-01-02"},
        {u"2010-11-06...2010-11-06", tmPeriod, u"2010-11-06"},
        {u"2010-11-06", tmPeriod, u"2010-11-06"},
        {u"  ", tmNoTime, u""},
    };
    for (const auto& c : cases) {
        auto memo = Memo(c.Text);
        EXPECT_EQ(memo->TimeMode, c.Mode) << ToUtf8(c.Text);
        EXPECT_EQ(ToUtf8(memo->GetTimeText()), ToUtf8(c.Written)) << ToUtf8(c.Text);
    }
    auto period = Memo(u"2010-11-06...11-08");
    EXPECT_EQ(period->DateValue.Day, 6);
    EXPECT_EQ(period->TimeValue.Day, 8);
    EXPECT_EQ(period->TimeValue.Year, 2010);
}

TEST_F(MemoDue, OutOfCalendarTimesBecomeRealDatesThatReadBack) {
    struct {
        const char16_t* Text;
        const char16_t* Written;  // null: only the round trip is checked
    } cases[] = {
        {u"2010-13-45", u"2011-02-14"},
        {u"2010-02-30 25:61", u"2010-03-03 02:01"},
        {u"99999-01-01", u"9999-12-31 23:59"},
        {u"2010-11-06...99999-01-01", u"2010-11-06...9999-12-31"},
        {u"2010-1108", nullptr},
        {u"201\u8030-1108", nullptr},
        {u"@99:99:99", nullptr},
        {u"@w1-5 24:00:00", u"@w1-5 00:00:00"},
        {u"0-0-0", nullptr},
    };
    for (const auto& c : cases) {
        const std::u16string written = Memo(c.Text)->GetTimeText();
        if (c.Written) {
            EXPECT_EQ(ToUtf8(written), ToUtf8(c.Written)) << ToUtf8(c.Text);
        }
        EXPECT_EQ(ToUtf8(Memo(written)->GetTimeText()), ToUtf8(written)) << ToUtf8(c.Text);
    }
}

TEST_F(MemoDue, ExpiredOnlyWhenDone) {
    struct {
        const char16_t* Text;
        TMemoAction Action;
        bool Reminded;
        const char16_t* Now;
        bool Expired;
    } cases[] = {
        {u"2010-11-06 10:00", maReminder, false, u"2010-11-06 11:00", false},
        {u"2010-11-06 10:00", maReminder, true, u"2010-11-06 11:00", true},
        {u"2010-11-06 10:00", maNoAction, false, u"2010-11-06 11:00", true},
        {u"2010-11-06 10:00", maNoAction, false, u"2010-11-06 09:59", false},
        {u"2010-11-06...11-08", maReminder, true, u"2010-11-08 23:59", false},
        {u"2010-11-06...11-08", maReminder, true, u"2010-11-09 00:00", true},
        {u"2010-11-06...11-08", maExecuteLink, false, u"2010-11-20 00:00", false},
        {u"@08:30:00", maNoAction, true, u"2012-01-01 00:00", false},
        {u"", maNoAction, true, u"2012-01-01 00:00", false},
    };
    for (const auto& c : cases) {
        auto memo = Memo(c.Text, c.Reminded);
        memo->Action = c.Action;
        EXPECT_EQ(memo->IsExpired(At(c.Now)), c.Expired) << ToUtf8(c.Text) << " " << ToUtf8(c.Now);
    }
}

}  // namespace
}  // namespace qb::test
