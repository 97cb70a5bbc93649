#pragma once

// The main window as the special mode sees it, and the hook that suspends the mode while a menu
// of the program is open.

#include <QObject>
#include <QPointer>

#include "shell/UEdgeDock.h"

namespace qb {

class TknWindow;

class TSpecialModeWindow : public QObject, public ISpecialModeWindow {
  public:
    explicit TSpecialModeWindow(TknWindow& window);
    ~TSpecialModeWindow() override;
    // Where the hook's messages go; null stops them.
    void SetManager(TSpModeManager* manager) { FManager = manager; }

    TWindowRect WindowRect() override;
    int32_t ScreenWidth() override;
    int32_t ScreenHeight() override;
    bool CursorInWindow() override;
    bool Minimized() override;
    void MoveWindow(TWindowPos pos) override;
    void ResizeWindow(int32_t width, int32_t height) override;
    void Pause(uint32_t milliseconds) override;
    void SendSlideKey() override;
    void Redraw() override;
    void SetTopmost(bool topmost) override;
    void SetToolWindow(bool toolWindow) override;
    void BringForward() override;
    void SaveFocus() override;
    void RestoreFocus() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Hook(TSpecialModeMessage message);

    TknWindow& FWindow;
    TSpModeManager* FManager = nullptr;
    QPointer<QWidget> FFocus;
    int FOpenMenus = 0;
};

}  // namespace qb
