#include <algorithm>
#include <map>
#include <vector>

#include "ShellTestSupport.h"
#include "shell/UInMemoryPlatform.h"
#include "shell/UEdgeDock.h"
#include "storage/USaveManager.h"

namespace qb::test {

namespace {

// The main window on a 1000 x 800 screen; every call that changes it is recorded.
class TEdgeWindow : public ISpecialModeWindow {
  public:
    TWindowRect WindowRect() override { return Rect; }
    int32_t ScreenWidth() override { return 1000; }
    int32_t ScreenHeight() override { return 800; }
    bool CursorInWindow() override { return CursorInside; }
    bool Minimized() override { return IsMinimized; }
    void MoveWindow(TWindowPos pos) override {
        Rect.Left = pos.Left;
        Rect.Top = pos.Top;
        Moves.push_back(pos);
    }
    void ResizeWindow(int32_t width, int32_t height) override {
        Rect.Width = width;
        Rect.Height = height;
    }
    void Pause(uint32_t milliseconds) override { Pauses.push_back(milliseconds); }
    void SendSlideKey() override { ++SlideKeys; }
    void Redraw() override { ++Redraws; }
    void SetTopmost(bool topmost) override { Topmost = topmost; }
    void SetToolWindow(bool toolWindow) override { ToolWindow = toolWindow; }
    void BringForward() override { ++BroughtForward; }
    void SaveFocus() override { ++FocusSaves; }
    void RestoreFocus() override { ++FocusRestores; }

    TWindowRect Rect{100, 50, 300, 200};
    bool CursorInside = false;
    bool IsMinimized = false;
    std::vector<TWindowPos> Moves;
    std::vector<uint32_t> Pauses;
    int SlideKeys = 0, Redraws = 0, BroughtForward = 0, FocusSaves = 0, FocusRestores = 0;
    bool Topmost = false;
    bool ToolWindow = false;
};

// The menu's view of the commands: enabled and checked states as the centers set them.
class TCommandStates : public ICommandSender {
  public:
    void CheckItem(int32_t id, bool checked) override { Checked[id] = checked; }
    bool ItemChecked(int32_t id) override { return Checked[id]; }
    void EnableItem(int32_t id, bool enabled) override { Enabled[id] = enabled; }
    bool ItemEnabled(int32_t id) override { return Enabled.count(id) ? Enabled[id] : true; }
    void ShowItem(int32_t, bool) override {}
    bool ItemVisible(int32_t) override { return true; }
    void SetItemText(int32_t, std::u16string_view) override {}
    std::u16string GetItemText(int32_t) override { return {}; }
    void SetCommandProc(TCommandProc) override {}
    bool ItemExists(int32_t id) override {
        return id == kAutoHideCommand || id == kStayOnTopCommand;
    }
    void GetItemList(TknIntList& ids) override {
        ids.Add(kAutoHideCommand);
        ids.Add(kStayOnTopCommand);
    }
    std::map<int32_t, bool> Checked;
    std::map<int32_t, bool> Enabled;
};

class TEventLog : public IEventObserver {
  public:
    TEventLog() { EventCenter().AddObserver(this); }
    ~TEventLog() override {
        if (TknEventCenter* c = ExistingEventCenter()) c->RemoveObserver(this);
    }
    void EventNotify(int32_t event, int32_t, int32_t) override { Events.push_back(event); }
    std::vector<int32_t> Events;
};

class TCountingSaver : public ISaver {
  public:
    void Save() override { ++Saves; }
    int Saves = 0;
};

}  // namespace

TEST(SlideGeometry, HideSidesAndPositions) {
    struct TCase {
        TWindowRect Rect;
        TSlideDirection Direction;
        TSlideDirection Side;
        TWindowPos Hidden;
    };
    // Screen 1000 x 800, edge width 5.
    const TCase cases[] = {
        {{100, 50, 300, 200}, sdFree, sdTop, {100, -195}},      // top nearest
        {{20, 300, 300, 200}, sdFree, sdLeft, {-295, 300}},     // left nearest
        {{690, 300, 300, 200}, sdFree, sdRight, {995, 300}},    // right nearest
        {{400, 590, 300, 200}, sdFree, sdBottom, {400, 795}},   // bottom nearest
        {{50, 50, 300, 200}, sdFree, sdLeft, {-295, 50}},       // tie: left before top
        {{350, 300, 300, 200}, sdFree, sdTop, {350, -195}},     // tie: top before bottom
        {{100, 50, 300, 200}, sdBottom, sdBottom, {100, 795}},  // a fixed direction wins
        {{100, 50, 300, 200}, sdRight, sdRight, {995, 50}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Rect.Left * 1000 + c.Rect.Top);
        EXPECT_EQ(HideSide(c.Rect, 1000, 800, c.Direction), c.Side);
        const TWindowPos hidden = HiddenPosition(c.Rect, 1000, 800, 5, c.Side);
        EXPECT_EQ(hidden, c.Hidden);
        // Showing from there brings the window flush with the same edge.
        TWindowRect hiddenRect{hidden.Left, hidden.Top, c.Rect.Width, c.Rect.Height};
        const TWindowPos shown = ShownPosition(hiddenRect, 1000, 800, 5);
        const TWindowPos flush[] = {
            {0, c.Rect.Top}, {c.Rect.Left, 0}, {700, c.Rect.Top}, {c.Rect.Left, 600}};
        EXPECT_EQ(shown, flush[c.Side - sdLeft]);
    }
}

TEST(SlideGeometry, AnimationStepsAndPauses) {
    // Short animation times jump at once.
    EXPECT_EQ(SlidePath({0, 0}, {100, -195}, 10), (std::vector<TWindowPos>{{100, -195}}));
    EXPECT_EQ(SlidePath({0, 0}, {100, -195}, 19).size(), 1u);
    // 200 ms: 20 equal steps of the integer-divided distance, then the exact target.
    const std::vector<TWindowPos> path = SlidePath({100, 50}, {100, -195}, 200);
    ASSERT_EQ(path.size(), 21u);
    EXPECT_EQ(path[0], (TWindowPos{100, 38}));  // -245 / 20 = -12
    EXPECT_EQ(path[19], (TWindowPos{100, 50 - 240}));
    EXPECT_EQ(path[20], (TWindowPos{100, -195}));
    EXPECT_EQ(SlideStepPause(200), 10u);
    EXPECT_EQ(SlideStepPause(10), 0u);
    // A negative time animates too, without pauses.
    EXPECT_EQ(SlidePath({0, 0}, {40, 0}, -1).size(), 21u);
    EXPECT_EQ(SlideStepPause(-100), 0u);
}

class SpecialModeTest : public TShellTest {
  protected:
    SpecialModeTest() {
        SetTimerPlatform(&FClock);
        CommandCenter().AddSender(&FStates);
        SaveManager().AddSaver(&FSaver);  // the save manager as the save center
    }
    ~SpecialModeTest() override {
        FManager.reset();
        SetTimerPlatform(nullptr);
    }
    void Create() { FManager = std::make_unique<TSpModeManager>(FWindow); }
    TSpecialMode& Mode() { return FManager->Mode(); }

    TMemoryTimerPlatform FClock;
    TCommandStates FStates;
    TCountingSaver FSaver;
    TEdgeWindow FWindow;
    std::unique_ptr<TSpModeManager> FManager;
};

TEST_F(SpecialModeTest, OptionsSetTheDelaysWithAFloorOf100) {
    OptionManager().HideDelay = 40;
    OptionManager().ShowDelay = 250;
    OptionManager().Direction = 9;  // out of range: free
    OptionManager().EdgeWidth = 7;
    Create();
    EXPECT_EQ(Mode().HideTimer().Interval(), 100u);
    EXPECT_EQ(Mode().ShowTimer().Interval(), 250u);
    EXPECT_EQ(Mode().Direction(), sdFree);
    EXPECT_EQ(Mode().EdgeWidth(), 7);
    EXPECT_FALSE(Mode().HideTimer().Active());  // only Auto Hide starts them
    OptionManager().ShowDelay = -5;
    OptionManager().NotifyAll();
    EXPECT_EQ(Mode().ShowTimer().Interval(), 100u);
}

TEST_F(SpecialModeTest, HidesWhenTheMouseLeavesAndShowsWhenItTouchesTheStrip) {
    OptionManager().HideDelay = 1000;
    OptionManager().ShowDelay = 300;
    OptionManager().AnimationTime = 200;
    Create();
    TEventLog events;
    FManager->ExecuteCommand(kAutoHideCommand);
    EXPECT_TRUE(Mode().Enabled() && Mode().HideTimer().Active() && Mode().ShowTimer().Active());

    FWindow.CursorInside = true;
    FClock.Advance(1000);
    EXPECT_TRUE(FWindow.Moves.empty());  // the mouse is over the window

    FWindow.CursorInside = false;
    const int64_t savesBefore = MemoryManager().SaveCount;
    FClock.Advance(1000);
    EXPECT_EQ(FWindow.Rect, (TWindowRect{100, -195, 300, 200}));  // top, 5 pixels left
    EXPECT_EQ(FWindow.Moves.size(), 21u);
    EXPECT_EQ(std::count(FWindow.Pauses.begin(), FWindow.Pauses.end(), 10u), 1 + 20);
    EXPECT_EQ(FWindow.SlideKeys, 1);
    EXPECT_FALSE(Mode().Shown());
    // Hidden: saved at once, no auto save, Auto Hide cannot be switched off.
    EXPECT_EQ(FSaver.Saves, 1);
    EXPECT_EQ(MemoryManager().SaveCount, savesBefore + 1);
    EXPECT_FALSE(SaveManager().Active());
    EXPECT_FALSE(FStates.Enabled[kAutoHideCommand]);
    EXPECT_TRUE(Mode().HideTimer().Active());  // the timers run again after the slide

    FWindow.Moves.clear();
    FClock.Advance(2000);  // away from the strip: stays hidden
    EXPECT_TRUE(FWindow.Moves.empty());

    FWindow.CursorInside = true;
    FClock.Advance(300);
    EXPECT_EQ(FWindow.Rect, (TWindowRect{100, 0, 300, 200}));
    EXPECT_TRUE(Mode().Shown());
    EXPECT_TRUE(SaveManager().Active());
    EXPECT_TRUE(FStates.Enabled[kAutoHideCommand]);
    EXPECT_EQ(FWindow.BroughtForward, 1);
    EXPECT_EQ(FWindow.Redraws, 1);
    EXPECT_EQ(events.Events, (std::vector<int32_t>{kEventWindowShownFromEdge}));
}

TEST_F(SpecialModeTest, MenusAndDragsSuspendHiding) {
    OptionManager().AnimationTime = 0;
    Create();
    FManager->ExecuteCommand(kAutoHideCommand);
    FManager->HookMessage(smEnterMenuLoop);
    FClock.Advance(5000);
    EXPECT_TRUE(Mode().Shown());  // an open menu keeps the window out
    FManager->HookMessage(smExitMenuLoop);
    FClock.Advance(1500);
    EXPECT_FALSE(Mode().Shown());
    EXPECT_EQ(FWindow.Moves.size(), 1u);  // no animation: one jump

    // Dragging a hidden window's frame: the size it had is put back at the end of the drag.
    FManager->HookMessage(smEnterMoveSize);
    FWindow.ResizeWindow(500, 600);
    FManager->HookMessage(smMovingOrSizing);  // cursor outside: suspends
    EXPECT_TRUE(Mode().Suspended());
    FManager->HookMessage(smExitMoveSize);
    EXPECT_EQ(FWindow.Rect.Width, 300);
    EXPECT_EQ(FWindow.Rect.Height, 200);
    FManager->HookMessage(smMoved);
    EXPECT_FALSE(Mode().Suspended());

    FManager->HookMessage(smSuspend);
    EXPECT_FALSE(Mode().Slide(true));
    FManager->HookMessage(smResume);
    EXPECT_TRUE(Mode().Slide(true));
    EXPECT_FALSE(Mode().Slide(true));  // already shown
}

TEST_F(SpecialModeTest, TrayClickSlidesOutOnlyWhenNotMinimized) {
    OptionManager().AnimationTime = 0;
    Create();
    FManager->ExecuteCommand(kAutoHideCommand);
    EXPECT_FALSE(FManager->TrayClickTaken());  // shown already: the main window acts
    FClock.Advance(1500);
    ASSERT_FALSE(Mode().Shown());
    EXPECT_TRUE(FManager->TrayClickTaken());
    EXPECT_TRUE(Mode().Shown());

    FClock.Advance(1500);
    ASSERT_FALSE(Mode().Shown());
    FWindow.IsMinimized = true;
    FWindow.Moves.clear();
    EXPECT_FALSE(FManager->TrayClickTaken());
    EXPECT_TRUE(Mode().Shown());
    EXPECT_TRUE(FWindow.Moves.empty());
}

TEST_F(SpecialModeTest, StayOnTopAndAutoHideSetTopmostAndToolWindow) {
    OptionManager().ToolWindowStyle = false;
    Create();
    FManager->ExecuteCommand(kStayOnTopCommand);
    EXPECT_TRUE(FWindow.Topmost);
    EXPECT_TRUE(FStates.Checked[kStayOnTopCommand]);
    FManager->ExecuteCommand(kStayOnTopCommand);
    EXPECT_FALSE(FWindow.Topmost);

    FManager->ExecuteCommand(kAutoHideCommand);
    EXPECT_TRUE(FWindow.Topmost && FWindow.ToolWindow);
    EXPECT_TRUE(FStates.Checked[kAutoHideCommand]);
    EXPECT_EQ(FWindow.FocusSaves, 1);
    EXPECT_EQ(FWindow.FocusRestores, 1);
    FManager->ExecuteCommand(kStayOnTopCommand);  // while auto hiding: only the check
    EXPECT_TRUE(FWindow.Topmost);
    OptionManager().ToolWindowStyle = false;
    OptionManager().NotifyAll();
    EXPECT_TRUE(FWindow.ToolWindow);  // the mode keeps its tool window

    FManager->ExecuteCommand(kAutoHideCommand);  // off: back to Stay On Top's choice
    EXPECT_TRUE(FWindow.Topmost);
    EXPECT_FALSE(FWindow.ToolWindow);
    EXPECT_FALSE(Mode().HideTimer().Active());
}

TEST_F(SpecialModeTest, BothStatesAreRememberedAcrossRuns) {
    Create();
    FManager->ExecuteCommand(kAutoHideCommand);
    MemoryManager().SaveMemory();
    EXPECT_TRUE(MemoryManager().SpecialMode);
    EXPECT_FALSE(MemoryManager().StayOnTop);

    FManager.reset();
    ReleaseMemoryManager();  // next run: read from the file
    MemoryManager().StayOnTop = true;
    Create();
    EXPECT_TRUE(FManager->AutoHide());
    EXPECT_TRUE(FManager->StayOnTop());
    EXPECT_TRUE(Mode().Enabled());
    EXPECT_TRUE(FWindow.Topmost);
}

}  // namespace qb::test
