#pragma once

// The special mode: the main window lives at a screen edge, slides out of sight when the mouse
// leaves it (leaving a strip of EdgeWidth pixels) and slides back when the mouse touches that
// strip; with it the Stay On Top and Auto Hide commands and their remembered state. The window
// itself sits behind ISpecialModeWindow, so that all of it runs without a display.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "shell/UknClasses.h"

namespace qb {

class TknTimer;

inline constexpr int32_t kStayOnTopCommand = 1720;
inline constexpr int32_t kAutoHideCommand = 1740;
inline constexpr int32_t kEventWindowShownFromEdge = 3077;

enum TSlideDirection : int32_t { sdFree = 0, sdLeft = 1, sdTop = 2, sdRight = 3, sdBottom = 4 };

struct TWindowRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const TWindowRect&) const = default;
};

struct TWindowPos {
    int32_t Left = 0;
    int32_t Top = 0;
    bool operator==(const TWindowPos&) const = default;
};

// What the special mode needs of the main window and the desktop.
class ISpecialModeWindow {
  public:
    virtual ~ISpecialModeWindow() = default;
    virtual TWindowRect WindowRect() = 0;
    virtual int32_t ScreenWidth() = 0;
    virtual int32_t ScreenHeight() = 0;
    virtual bool CursorInWindow() = 0;
    virtual bool Minimized() = 0;
    virtual void MoveWindow(TWindowPos pos) = 0;
    virtual void ResizeWindow(int32_t width, int32_t height) = 0;
    // Lets the desktop catch up (a move shown, an input event taken) for this long.
    virtual void Pause(uint32_t milliseconds) = 0;
    // The input event sent before every slide.
    virtual void SendSlideKey() = 0;
    virtual void Redraw() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void SetToolWindow(bool toolWindow) = 0;
    virtual void BringForward() = 0;
    virtual void SaveFocus() = 0;
    virtual void RestoreFocus() = 0;
};

// The side a shown window hides to: the direction, or for sdFree the nearest side (left, top,
// right, bottom; the first of equal distances wins).
TSlideDirection HideSide(const TWindowRect& rect, int32_t screenWidth, int32_t screenHeight,
                         TSlideDirection direction);
// Where a window goes to hide (leaving edgeWidth pixels visible) or to show again.
TWindowPos HiddenPosition(const TWindowRect& rect, int32_t screenWidth, int32_t screenHeight,
                          int32_t edgeWidth, TSlideDirection side);
TWindowPos ShownPosition(const TWindowRect& rect, int32_t screenWidth, int32_t screenHeight,
                         int32_t edgeWidth);
// The positions of an animated move, the exact target last: 20 equal steps (integer division of
// the distance) when the animation time is below 0 or above 19, else the target alone.
std::vector<TWindowPos> SlidePath(TWindowPos from, TWindowPos to, int32_t animationTime);
// The pause after each step of SlidePath.
uint32_t SlideStepPause(int32_t animationTime);

class TSpecialMode {
  public:
    // Takes its two timers from the timer center.
    explicit TSpecialMode(ISpecialModeWindow& window);
    ~TSpecialMode();
    TSpecialMode(const TSpecialMode&) = delete;
    TSpecialMode& operator=(const TSpecialMode&) = delete;

    // Timer intervals (at least 100 ms), direction, animation time and edge width.
    void ApplyOptions();
    // Starts or stops both timers.
    void SetEnabled(bool enabled);
    // Slides the window out (show) or to its edge; false when suspended or already there.
    bool Slide(bool show);
    // The tray icon was clicked: true when the click slid the window out.
    bool TrayClick();

    void Suspend() { FSuspended = true; }
    void Resume() { FSuspended = false; }

    bool Enabled() const { return FEnabled; }
    bool Shown() const { return FShown; }
    bool Suspended() const { return FSuspended; }
    TSlideDirection Direction() const { return FDirection; }
    int32_t AnimationTime() const { return FAnimationTime; }
    int32_t EdgeWidth() const { return FEdgeWidth; }
    const TknTimer& HideTimer() const { return *FHideTimer; }
    const TknTimer& ShowTimer() const { return *FShowTimer; }

    std::function<void()> OnHide;
    std::function<void()> OnShow;

  private:
    void HideTick();
    void ShowTick();
    void Animate(TWindowPos from, TWindowPos to);
    void SetTimersActive(bool active);

    ISpecialModeWindow& FWindow;
    TknTimer* FHideTimer;  // owned by the timer center
    TknTimer* FShowTimer;
    TSlideDirection FDirection = sdFree;
    int32_t FAnimationTime = 200;
    int32_t FEdgeWidth = 5;
    bool FSuspended = false;
    bool FEnabled = false;
    bool FShown = true;
};

// The window messages the manager's hook on the main window takes notice of.
enum TSpecialModeMessage {
    smEnterMenuLoop,  // a menu of the window (its context menus too) opens
    smExitMenuLoop,
    smMoved,           // moved or resized
    smMovingOrSizing,  // while the user drags the frame
    smEnterMoveSize,   // start of a move or size loop
    smExitMoveSize,
    smSuspend,  // the program's own requests, around its modal work
    smResume,
};

class TSpModeManager : public ICommandExecutor, public IMemorizer, public IOptionObserver {
  public:
    // Registers with the command, option and memory centers (options first, so that a
    // remembered Auto Hide starts with the configured delays).
    explicit TSpModeManager(ISpecialModeWindow& window);
    ~TSpModeManager() override;
    TSpModeManager(const TSpModeManager&) = delete;
    TSpModeManager& operator=(const TSpModeManager&) = delete;

    void HookMessage(TSpecialModeMessage message);
    bool TrayClickTaken() { return FMode.TrayClick(); }

    bool CheckCommand(int32_t) override { return true; }
    void ExecuteCommand(int32_t id) override;
    void SaveMemory() override;
    void RestoreMemory() override;
    void OptionChanged() override;

    TSpecialMode& Mode() { return FMode; }
    bool StayOnTop() const { return FStayOnTop; }
    bool AutoHide() const { return FAutoHide; }

  private:
    void Hidden();
    void ShownAgain();

    ISpecialModeWindow& FWindow;
    TSpecialMode FMode;
    // The checks of 1720 and 1740, kept here as well so that they hold without a menu.
    bool FStayOnTop = false;
    bool FAutoHide = false;
    TWindowRect FMoveSizeRect;
    bool FMoveSizeHidden = false;
};

}  // namespace qb
