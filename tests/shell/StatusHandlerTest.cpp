#include <vector>

#include "ShellTestSupport.h"
#include "shell/UInMemoryPlatform.h"
#include "shell/UEdgeDock.h"
#include "shell/UStatusHandler.h"
#include "storage/ULogInHandler.h"
#include "storage/USaveManager.h"

namespace qb::test {

namespace {

class TStatusLog : public ISaver, public IEventObserver, public ICommandSender {
  public:
    void Save() override { ++Saves; }
    void EventNotify(int32_t event, int32_t wparam, int32_t) override {
        if (event == kEventWindowStatus) Codes.push_back(wparam);
    }
    void CheckItem(int32_t, bool) override {}
    bool ItemChecked(int32_t) override { return false; }
    void EnableItem(int32_t id, bool enabled) override {
        if (id == kAutoHideCommand) AutoHideEnabled = enabled;
    }
    bool ItemEnabled(int32_t) override { return AutoHideEnabled; }
    void ShowItem(int32_t, bool) override {}
    bool ItemVisible(int32_t) override { return true; }
    void SetItemText(int32_t, std::u16string_view) override {}
    std::u16string GetItemText(int32_t) override { return {}; }
    void SetCommandProc(TCommandProc) override {}
    bool ItemExists(int32_t id) override { return id == kAutoHideCommand; }
    void GetItemList(TknIntList&) override {}

    int Saves = 0;
    std::vector<int32_t> Codes;
    bool AutoHideEnabled = true;
};

}  // namespace

class StatusHandlerTest : public TShellTest {
  protected:
    StatusHandlerTest() {
        SetTimerPlatform(&FClock);
        SaveManager().AddSaver(&FLog);
        EventCenter().AddObserver(&FLog);
        CommandCenter().AddSender(&FLog);
    }
    ~StatusHandlerTest() override {
        ReleaseShellGlobals();
        ReleaseLogInHandler();
        SetTimerPlatform(nullptr);
    }
    TMemoryTimerPlatform FClock;
    TStatusLog FLog;
};

TEST_F(StatusHandlerTest, MinimizingSavesOnceInitializedAndStopsTheAutoSave) {
    MemoryManager().WinStatus = 2;
    HandleWindowStatus(TWindowStatus::Minimized,
                       false);  // while the window is being built: no save
    EXPECT_EQ(FLog.Saves, 0);
    EXPECT_FALSE(SaveManager().Active());

    HandleWindowStatus(TWindowStatus::Minimized, true);
    EXPECT_EQ(FLog.Saves, 1);
    EXPECT_EQ(MemoryManager().SaveCount, 1);
    EXPECT_FALSE(SaveManager().Active());
    EXPECT_GT(LogInHandler().MinimizedAt(), 0);
    EXPECT_EQ(MemoryManager().WinStatus, 2);  // the status to come back to
    // The remembered state was written with the save count.
    const auto lines = IniLines();  // the line points into the list
    const TIniLine* line = FindIniLine(lines, u"Memory", u"SaveCount");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Value, u"1");
    EXPECT_FALSE(FLog.AutoHideEnabled);
    EXPECT_EQ(FLog.Codes, (std::vector<int32_t>{2, 2}));

    // The auto-save timer does nothing while minimized.
    OptionManager().AutoSaveTime = 1;
    OptionManager().NotifyAll();
    FClock.Advance(60000);
    EXPECT_EQ(FLog.Saves, 1);
}

TEST_F(StatusHandlerTest, RestoringRemembersTheStatusAndOffersAutoHideOnlyWhenNormal) {
    HandleWindowStatus(TWindowStatus::Minimized, true);
    HandleWindowStatus(TWindowStatus::Maximized, true);
    EXPECT_TRUE(SaveManager().Active());
    EXPECT_EQ(MemoryManager().WinStatus, 2);
    EXPECT_FALSE(FLog.AutoHideEnabled);
    HandleWindowStatus(TWindowStatus::Normal, true);
    EXPECT_EQ(MemoryManager().WinStatus, 0);
    EXPECT_TRUE(FLog.AutoHideEnabled);
    EXPECT_EQ(FLog.Codes, (std::vector<int32_t>{2, 1, 3}));
    EXPECT_EQ(FLog.Saves, 1);  // only the minimizing saved
}

TEST(MainWindowRules, StartRestoreTitleAndTransparency) {
    EXPECT_EQ(RestoredStatus(1), TWindowStatus::Normal);
    EXPECT_EQ(RestoredStatus(2), TWindowStatus::Maximized);
    EXPECT_EQ(RestoredStatus(0), TWindowStatus::Normal);
    EXPECT_EQ(RestoredStatus(77), TWindowStatus::Normal);

    // option, "-m", special mode at exit -> minimized
    EXPECT_TRUE(StartsMinimized(true, false, true));
    EXPECT_TRUE(StartsMinimized(false, true, false));
    EXPECT_FALSE(StartsMinimized(false, true, true));
    EXPECT_FALSE(StartsMinimized(false, false, false));

    const std::u16string name = u"Diary";
    EXPECT_EQ(MainWindowTitle(&name, true), u"Diary - quillbox");
    EXPECT_EQ(MainWindowTitle(&name, false), u"quillbox");
    EXPECT_EQ(MainWindowTitle(nullptr, true), u"quillbox");

    EXPECT_EQ(TransparencyAlpha(0), 255);
    EXPECT_EQ(TransparencyAlpha(5), 155);
    EXPECT_EQ(TransparencyAlpha(12), 15);
    EXPECT_EQ(TransparencyAlpha(13), 15);  // never invisible or negative
    EXPECT_EQ(TransparencyAlpha(-3), 255);
}

}  // namespace qb::test
