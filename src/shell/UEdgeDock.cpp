#include "shell/UEdgeDock.h"

#include <algorithm>

#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UStatusHandler.h"
#include "shell/UknTimerCenter.h"
#include "storage/USaveManager.h"

namespace qb {

namespace {

constexpr uint32_t kMinDelay = 100;
constexpr int32_t kSlideSteps = 20;
constexpr uint32_t kSlideKeyPause = 10;

uint32_t Delay(int32_t milliseconds) {
    return std::max<uint32_t>(static_cast<uint32_t>(std::max(milliseconds, 0)), kMinDelay);
}

}  // namespace

TSlideDirection HideSide(const TWindowRect& r, int32_t screenWidth, int32_t screenHeight,
                         TSlideDirection direction) {
    if (direction != sdFree) return direction;
    const int64_t distances[] = {r.Left, r.Top, int64_t{screenWidth} - (r.Left + r.Width),
                                 int64_t{screenHeight} - (r.Top + r.Height)};
    const auto nearest = std::min_element(std::begin(distances), std::end(distances));
    return static_cast<TSlideDirection>(sdLeft + (nearest - std::begin(distances)));
}

TWindowPos HiddenPosition(const TWindowRect& r, int32_t screenWidth, int32_t screenHeight,
                          int32_t edgeWidth, TSlideDirection side) {
    switch (side) {
        case sdLeft:
            return {edgeWidth - r.Width, r.Top};
        case sdTop:
            return {r.Left, edgeWidth - r.Height};
        case sdRight:
            return {screenWidth - edgeWidth, r.Top};
        default:
            return {r.Left, screenHeight - edgeWidth};
    }
}

TWindowPos ShownPosition(const TWindowRect& r, int32_t screenWidth, int32_t screenHeight,
                         int32_t edgeWidth) {
    if (r.Left == edgeWidth - r.Width) return {0, r.Top};
    if (r.Top == edgeWidth - r.Height) return {r.Left, 0};
    if (r.Left == screenWidth - edgeWidth) return {screenWidth - r.Width, r.Top};
    return {r.Left, screenHeight - r.Height};
}

std::vector<TWindowPos> SlidePath(TWindowPos from, TWindowPos to, int32_t animationTime) {
    std::vector<TWindowPos> path;
    if (animationTime < 0 || animationTime >= kSlideSteps) {
        const int32_t dx = (to.Left - from.Left) / kSlideSteps;
        const int32_t dy = (to.Top - from.Top) / kSlideSteps;
        for (int32_t i = 1; i <= kSlideSteps; ++i)
            path.push_back({from.Left + i * dx, from.Top + i * dy});
    }
    path.push_back(to);
    return path;
}

uint32_t SlideStepPause(int32_t animationTime) {
    return animationTime > 0 ? static_cast<uint32_t>(animationTime / kSlideSteps) : 0;
}

// --- TSpecialMode ---

TSpecialMode::TSpecialMode(ISpecialModeWindow& window)
    : FWindow(window), FHideTimer(TimerCenter().NewTimer()), FShowTimer(TimerCenter().NewTimer()) {
    FHideTimer->SetInterval(kMinDelay);
    FShowTimer->SetInterval(kMinDelay);
    FHideTimer->OnTimer = [this](TknTimer&) { HideTick(); };
    FShowTimer->OnTimer = [this](TknTimer&) { ShowTick(); };
}

TSpecialMode::~TSpecialMode() {
    if (TknTimerCenter* timers = ExistingTimerCenter()) {
        timers->ReleaseTimer(FHideTimer);
        timers->ReleaseTimer(FShowTimer);
    }
}

void TSpecialMode::ApplyOptions() {
    const TOptions& o = OptionManager().Options();
    FHideTimer->SetInterval(Delay(o.HideDelay));
    FShowTimer->SetInterval(Delay(o.ShowDelay));
    FDirection = (o.Direction >= sdFree && o.Direction <= sdBottom)
                     ? static_cast<TSlideDirection>(o.Direction)
                     : sdFree;
    FAnimationTime = o.AnimationTime;
    FEdgeWidth = o.EdgeWidth;
}

void TSpecialMode::SetEnabled(bool enabled) {
    FEnabled = enabled;
    SetTimersActive(enabled);
}

void TSpecialMode::SetTimersActive(bool active) {
    FHideTimer->SetEnabled(active);
    FShowTimer->SetEnabled(active);
}

void TSpecialMode::HideTick() {
    if (!FWindow.CursorInWindow()) Slide(false);
}

void TSpecialMode::ShowTick() {
    if (FWindow.CursorInWindow()) Slide(true);
}

bool TSpecialMode::Slide(bool show) {
    if (FSuspended || show == FShown) return false;
    FWindow.SendSlideKey();
    FWindow.Pause(kSlideKeyPause);
    const TWindowRect rect = FWindow.WindowRect();
    const int32_t screenWidth = FWindow.ScreenWidth();
    const int32_t screenHeight = FWindow.ScreenHeight();
    const TWindowPos target =
        show ? ShownPosition(rect, screenWidth, screenHeight, FEdgeWidth)
             : HiddenPosition(rect, screenWidth, screenHeight, FEdgeWidth,
                              HideSide(rect, screenWidth, screenHeight, FDirection));
    Animate({rect.Left, rect.Top}, target);
    if (show) FWindow.Redraw();
    FShown = show;
    if (show && OnShow) OnShow();
    if (!show && OnHide) OnHide();
    return true;
}

void TSpecialMode::Animate(TWindowPos from, TWindowPos to) {
    // No tick may start another slide while this one runs; a tray click can slide the window
    // with the mode off, and then the timers stay off.
    SetTimersActive(false);
    const uint32_t pause = SlideStepPause(FAnimationTime);
    const std::vector<TWindowPos> path = SlidePath(from, to, FAnimationTime);
    for (size_t i = 0; i < path.size(); ++i) {
        FWindow.MoveWindow(path[i]);
        if (i + 1 < path.size() && pause > 0) FWindow.Pause(pause);
    }
    SetTimersActive(FEnabled);
}

bool TSpecialMode::TrayClick() {
    if (!FWindow.Minimized()) return Slide(true);
    FShown = true;
    return false;
}

// --- TSpModeManager ---

TSpModeManager::TSpModeManager(ISpecialModeWindow& window) : FWindow(window), FMode(window) {
    FMode.OnHide = [this] { Hidden(); };
    FMode.OnShow = [this] { ShownAgain(); };
    CommandCenter().AddExecutor(this);
    OptionManager().AddObserver(this);
    MemoryManager().AddObserver(this);
}

TSpModeManager::~TSpModeManager() {
    if (TMemoryManager* memory = ExistingMemoryManager()) memory->RemoveObserver(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
}

void TSpModeManager::OptionChanged() {
    FMode.ApplyOptions();
    if (!FMode.Enabled()) FWindow.SetToolWindow(OptionManager().ToolWindowStyle);
}

void TSpModeManager::ExecuteCommand(int32_t id) {
    if (id == kStayOnTopCommand) {
        FStayOnTop = !FStayOnTop;
        CommandCenter().SetChecked(kStayOnTopCommand, FStayOnTop);
        if (!FMode.Enabled()) FWindow.SetTopmost(FStayOnTop);
    } else if (id == kAutoHideCommand) {
        FWindow.SaveFocus();
        FAutoHide = !FAutoHide;
        CommandCenter().SetChecked(kAutoHideCommand, FAutoHide);
        FMode.SetEnabled(FAutoHide);
        FWindow.SetTopmost(FAutoHide || FStayOnTop);
        FWindow.SetToolWindow(FAutoHide || OptionManager().ToolWindowStyle);
        FWindow.RestoreFocus();
    }
}

void TSpModeManager::SaveMemory() {
    TMemoryManager& memory = MemoryManager();
    memory.SpecialMode = FAutoHide;
    memory.StayOnTop = FStayOnTop;
}

void TSpModeManager::RestoreMemory() {
    const TMemoryManager& memory = MemoryManager();
    if (memory.SpecialMode) ExecuteCommand(kAutoHideCommand);
    if (memory.StayOnTop) ExecuteCommand(kStayOnTopCommand);
}

void TSpModeManager::HookMessage(TSpecialModeMessage message) {
    switch (message) {
        case smEnterMenuLoop:
        case smSuspend:
            FMode.Suspend();
            break;
        case smExitMenuLoop:
        case smMoved:
        case smResume:
            FMode.Resume();
            break;
        case smMovingOrSizing:
            if (!FMode.Suspended() && !FWindow.CursorInWindow()) FMode.Suspend();
            break;
        case smEnterMoveSize:
            FMoveSizeRect = FWindow.WindowRect();
            FMoveSizeHidden = !FMode.Shown();
            break;
        case smExitMoveSize:
            if (FMoveSizeHidden) FWindow.ResizeWindow(FMoveSizeRect.Width, FMoveSizeRect.Height);
            break;
    }
}

void TSpModeManager::Hidden() {
    SaveCenter().Save();
    SaveManager().SetActive(false);
    MemoryManager().SaveMemory();
    CommandCenter().SetEnabled(kAutoHideCommand, false);
    TrimWorkingSet();
}

void TSpModeManager::ShownAgain() {
    SaveManager().SetActive(true);
    CommandCenter().SetEnabled(kAutoHideCommand, true);
    FWindow.BringForward();
    EventCenter().EventNotify(kEventWindowShownFromEdge);
}

}  // namespace qb
