// Platform timers over QTimer, alone and under the timer center.
#include <gtest/gtest.h>

#include <vector>

#include "GuiWait.h"
#include "toolkit/UknTimers.h"

namespace qb {
namespace {

using test::RunEventsFor;
using test::WaitUntil;

TEST(TimersTest, SetTimerTicksUntilKilled) {
    std::vector<uint32_t> ticks;
    TknQtTimerPlatform platform([&](uint32_t id) { ticks.push_back(id); });
    platform.SetTimer(7, 5);
    EXPECT_TRUE(platform.IsSet(7));
    ASSERT_TRUE(WaitUntil([&] { return ticks.size() >= 2; }));  // periodic, not single-shot
    EXPECT_EQ(ticks[0], 7u);
    EXPECT_EQ(ticks[1], 7u);

    platform.KillTimer(7);
    EXPECT_FALSE(platform.IsSet(7));
    const size_t seen = ticks.size();
    RunEventsFor(40);
    EXPECT_EQ(ticks.size(), seen);
    platform.KillTimer(7);  // killing twice is harmless
}

TEST(TimersTest, SettingAgainReplacesTheTimer) {
    std::vector<uint32_t> ticks;
    TknQtTimerPlatform platform([&](uint32_t id) { ticks.push_back(id); });
    platform.SetTimer(1, 60000);
    platform.SetTimer(1, 5);  // the new interval counts, one timer for the id
    EXPECT_EQ(platform.SetCount(), 1);
    ASSERT_TRUE(WaitUntil([&] { return !ticks.empty(); }));
    platform.SetTimer(2, 5);
    ASSERT_TRUE(
        WaitUntil([&] { return std::find(ticks.begin(), ticks.end(), 2u) != ticks.end(); }));
    EXPECT_EQ(platform.SetCount(), 2);
}

TEST(TimersTest, HandlerMayKillAndSetTimers) {
    int firstTicks = 0;
    int secondTicks = 0;
    TknQtTimerPlatform* self = nullptr;
    TknQtTimerPlatform platform([&](uint32_t id) {
        if (id == 1) {
            ++firstTicks;
            self->KillTimer(1);  // its own timer, while it is delivering
            self->SetTimer(2, 5);
        } else {
            ++secondTicks;
        }
    });
    self = &platform;
    platform.SetTimer(1, 5);
    ASSERT_TRUE(WaitUntil([&] { return secondTicks > 0; }));
    RunEventsFor(30);
    EXPECT_EQ(firstTicks, 1);
}

TEST(TimersTest, CenterTimersRunOverQt) {
    TknQtTimerPlatform platform;  // ticks go to the program's timer center
    SetTimerPlatform(&platform);
    TknTimer* timer = TimerCenter().NewTimer();
    int ticks = 0;
    timer->OnTimer = [&](TknTimer& sender) {
        EXPECT_EQ(&sender, timer);
        ++ticks;
    };
    timer->SetInterval(5);
    EXPECT_FALSE(platform.IsSet(timer->Id()));  // a new interval does not start a timer
    timer->Start();
    EXPECT_TRUE(platform.IsSet(timer->Id()));
    ASSERT_TRUE(WaitUntil([&] { return ticks > 0; }));
    timer->Stop();
    EXPECT_FALSE(platform.IsSet(timer->Id()));
    timer->SetEnabled(true);
    const uint32_t id = timer->Id();
    TimerCenter().ReleaseTimer(timer);  // freeing stops it
    EXPECT_FALSE(platform.IsSet(id));
    SetTimerPlatform(nullptr);
}

}  // namespace
}  // namespace qb
