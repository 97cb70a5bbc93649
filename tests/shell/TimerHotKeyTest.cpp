#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "shell/UInMemoryPlatform.h"

namespace qb::test {

class TimerTest : public TShellTest {
  protected:
    TimerTest() { SetTimerPlatform(&FClock); }
    ~TimerTest() override { SetTimerPlatform(nullptr); }

    // A timer whose ticks are logged as "id@time".
    TknTimer* Logged(uint32_t interval) {
        TknTimer* t = TimerCenter().NewTimer();
        t->SetInterval(interval);
        t->OnTimer = [this](TknTimer& sender) {
            FTicks.push_back(std::to_string(sender.Id()) + "@" + std::to_string(FClock.Now()));
        };
        return t;
    }

    TMemoryTimerPlatform FClock;
    std::vector<std::string> FTicks;
};

TEST_F(TimerTest, IdsAreOneMoreThanTheLargestPresent) {
    TknTimer* t1 = TimerCenter().NewTimer();
    TknTimer* t2 = TimerCenter().NewTimer();
    TknTimer* t3 = TimerCenter().NewTimer();
    EXPECT_EQ((std::vector<uint32_t>{t1->Id(), t2->Id(), t3->Id()}),
              (std::vector<uint32_t>{1, 2, 3}));
    TimerCenter().ReleaseTimer(t2);
    EXPECT_EQ(TimerCenter().NewTimer()->Id(), 4u);  // 1 and 3 present
    TimerCenter().ReleaseTimer(t3);
    TknTimer* fresh = TimerCenter().NewTimer();
    EXPECT_EQ(fresh->Id(), 5u);
    EXPECT_FALSE(fresh->Active());
    EXPECT_EQ(fresh->Interval(), 0u);
    EXPECT_FALSE(fresh->OnTimer);
}

TEST_F(TimerTest, StartStopAndIntervalRules) {
    TknTimer* t = Logged(0);
    t->Start();  // interval 0: never runs
    EXPECT_FALSE(t->Active());
    EXPECT_EQ(FClock.SetCount(), 0);

    t->SetInterval(100);  // stopped: stored, not started
    EXPECT_FALSE(t->Active());
    FClock.Advance(500);
    EXPECT_TRUE(FTicks.empty());

    t->SetEnabled(true);
    FClock.Advance(250);
    EXPECT_EQ(FTicks, (std::vector<std::string>{"1@600", "1@700"}));
    t->SetInterval(100);  // unchanged: keeps its rhythm
    FClock.Advance(60);
    EXPECT_EQ(FTicks.size(), 3u);  // 800

    t->SetInterval(300);  // running: restarts from now (810)
    EXPECT_TRUE(t->Active());
    EXPECT_EQ(FClock.IntervalOf(1), 300u);
    FClock.Advance(400);
    EXPECT_EQ(FTicks.back(), "1@1110");

    t->SetEnabled(false);
    EXPECT_FALSE(FClock.IsSet(1));
    FClock.Advance(1000);
    EXPECT_EQ(FTicks.size(), 4u);
    TimerCenter().ReleaseTimer(t);
}

TEST_F(TimerTest, DispatchIgnoresUnknownIdsAndReleasingStopsTheTimer) {
    TknTimer* a = Logged(50);
    TknTimer* b = Logged(70);
    a->Start();
    b->Start();
    TimerCenter().DispatchTimer(99);
    TimerCenter().DispatchTimer(0);
    EXPECT_TRUE(FTicks.empty());
    TknTimer* silent = TimerCenter().NewTimer();  // no handler
    TimerCenter().DispatchTimer(silent->Id());

    FClock.Advance(150);
    EXPECT_EQ(FTicks, (std::vector<std::string>{"1@50", "2@70", "1@100", "2@140", "1@150"}));
    TimerCenter().ReleaseTimer(a);
    EXPECT_FALSE(FClock.IsSet(1));
    TimerCenter().ReleaseTimer(a);  // no longer there: ignored
    EXPECT_EQ(TimerCenter().Count(), 2);
}

TEST_F(TimerTest, HandlerMayReleaseItsOwnTimer) {
    TknTimer* once = TimerCenter().NewTimer();
    int calls = 0;
    once->OnTimer = [&calls](TknTimer& sender) {
        ++calls;
        TimerCenter().ReleaseTimer(&sender);
    };
    once->SetInterval(10);
    once->Start();
    FClock.Advance(100);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(TimerCenter().Count(), 0);
    EXPECT_EQ(FClock.SetCount(), 0);
}

TEST_F(TimerTest, ReleasingTheCenterStopsEveryTimer) {
    Logged(10)->Start();
    Logged(20)->Start();
    ReleaseTimerCenter();
    EXPECT_EQ(FClock.SetCount(), 0);
}

namespace {

class TOwner : public IHotkeyOwner {
  public:
    explicit TOwner(std::vector<std::string>& log, std::string name) : FLog(log), FName(name) {}
    void OnHotkey(uint32_t id, uint16_t hotKey) override {
        FLog.push_back(FName + ":" + std::to_string(id) + "/" + std::to_string(hotKey));
    }

  private:
    std::vector<std::string>& FLog;
    std::string FName;
};

}  // namespace

class HotKeyTest : public TShellTest {
  protected:
    HotKeyTest() { SetHotKeyPlatform(&FKeys); }
    ~HotKeyTest() override { SetHotKeyPlatform(nullptr); }

    TMemoryHotKeyPlatform FKeys;
    std::vector<std::string> FLog;
    TOwner FA{FLog, "a"}, FB{FLog, "b"};
};

TEST_F(HotKeyTest, ModifierFlagsBecomePlatformModifiers) {
    const std::vector<std::pair<uint16_t, uint32_t>> cases = {
        {0x0041, 0},
        {0x0141, modShift},
        {0x0241, modControl},
        {0x0441, modAlt},
        {0x0741, modShift | modControl | modAlt},
        {0xF841, 0},  // other bits are ignored
    };
    for (const auto& [hotKey, modifiers] : cases) {
        EXPECT_EQ(HotKeyModifiers(hotKey), modifiers) << hotKey;
        EXPECT_EQ(HotKeyVirtualKey(hotKey), 0x41u);
    }
}

TEST_F(HotKeyTest, SlotsAreReusedLowestFirst) {
    HotKeyCenter().AddHotKey(&FA, 1, 0x0231);
    HotKeyCenter().AddHotKey(&FA, 2, 0x0232);
    HotKeyCenter().AddHotKey(&FB, 3, 0x0233);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FA, 2), 1001);
    HotKeyCenter().RemoveHotKey(&FA, 2);
    EXPECT_EQ(FKeys.Registered.count(1001), 0u);
    HotKeyCenter().AddHotKey(&FB, 4, 0x0434);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FB, 4), 1001);
    EXPECT_EQ(HotKeyCenter().SlotCount(), 3);
    EXPECT_EQ(FKeys.Registered.at(1001).Modifiers, modAlt);
    EXPECT_EQ(FKeys.Registered.at(1001).VirtualKey, 0x34u);

    // Re-adding an id replaces it (it may move to a lower free slot).
    HotKeyCenter().RemoveHotKey(&FA, 1);
    HotKeyCenter().AddHotKey(&FB, 3, 0x0235);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FB, 3), 1000);
    EXPECT_EQ(FKeys.Registered.count(1002), 0u);
    EXPECT_EQ(FKeys.Press(modControl, 0x35), 1);
    EXPECT_EQ(FLog, (std::vector<std::string>{"b:3/565"}));
}

TEST_F(HotKeyTest, SameIdForTwoOwnersAndZeroHotKeys) {
    HotKeyCenter().AddHotKey(&FA, 7, 0x0241);
    HotKeyCenter().AddHotKey(&FB, 7, 0x0242);
    HotKeyCenter().RemoveHotKey(&FA, 7);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FA, 7), -1);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FB, 7), 1001);
    HotKeyCenter().RemoveHotKey(&FA, 7);  // nothing left to remove
    HotKeyCenter().RemoveHotKey(&FB, 8);

    HotKeyCenter().AddHotKey(&FB, 7, 0);  // unregisters and registers nothing
    EXPECT_EQ(HotKeyCenter().PlatformId(&FB, 7), -1);
    EXPECT_TRUE(FKeys.Registered.empty());
}

TEST_F(HotKeyTest, DispatchReachesOnlyOccupiedSlots) {
    HotKeyCenter().AddHotKey(&FA, 11, 0x0170);
    HotKeyCenter().AddHotKey(&FB, 12, 0x0171);
    HotKeyCenter().RemoveOwner(&FA);
    for (int32_t id : {999, 1000, 1002, -5, INT32_MIN, INT32_MAX})
        HotKeyCenter().DispatchHotKey(id);
    HotKeyCenter().DispatchHotKey(1001);
    EXPECT_EQ(FLog, (std::vector<std::string>{"b:12/369"}));
}

TEST_F(HotKeyTest, KeyTakenElsewhereStillOccupiesItsSlot) {
    FKeys.Taken.insert({modControl, 0x51});
    HotKeyCenter().AddHotKey(&FA, 1, 0x0251);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FA, 1), 1000);
    EXPECT_TRUE(FKeys.Registered.empty());
    HotKeyCenter().AddHotKey(&FB, 2, 0x0252);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FB, 2), 1001);
    HotKeyCenter().RemoveHotKey(&FA, 1);  // frees the slot all the same
    HotKeyCenter().AddHotKey(&FB, 3, 0x0253);
    EXPECT_EQ(HotKeyCenter().PlatformId(&FB, 3), 1000);

    ReleaseHotKeyCenter();  // the center unregisters what is left
    EXPECT_TRUE(FKeys.Registered.empty());
}

}  // namespace qb::test
