#pragma once

// The base of the program's top-level windows. It turns the window system's requests
// (close, minimize, maximize, restore) into system commands that subclasses may change (the
// main form turns close into minimize, for one), keeps the window's status and holds the
// window's tray icon. Timer ticks and hotkey presses need no window here: the platforms of
// TknPlatform hand them straight to the timer and hotkey centers.

#include <QMainWindow>
#include <string>
#include <string_view>

namespace qb {

class TknTrayIcon;

enum class TSysCommand { scClose, scMinimize, scMaximize, scRestore };

// Window status: 0 normal, 1 minimized (hidden counts as minimized), 2 maximized.
constexpr int wsNormal = 0;
constexpr int wsMinimized = 1;
constexpr int wsMaximized = 2;

struct TknWindowParams {
    std::u16string Text = u"quillbox";
    int32_t IconId = 1;  // 0: the platform's default icon
    int Left = 100;
    int Top = 100;
    int ClientWidth = 440;
    int ClientHeight = 340;
    bool MinimizeBox = true;
    bool MaximizeBox = true;
    bool Sizable = true;
};

class TknWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit TknWindow(const TknWindowParams& params = {}, QWidget* parent = nullptr);
    ~TknWindow() override;

    // Runs a system command through SysCommand, as the title bar's buttons do.
    void DoSysCommand(TSysCommand command);
    int Status() const;
    // Sends the system command of the status: minimize, maximize or restore.
    void SetStatus(int status);
    // Ends the window for good: OnDestroy, then the platform window closes.
    void CloseWindow();
    bool Closing() const { return FClosing; }

    // Raises the window and asks the window manager to activate it; a hidden or minimized
    // window stays as it is.
    void BringToForeground();
    bool IsForeground() const;

    // The window's tray icon (not owned); a new one hides the old and is shown when not null.
    void SetTrayIcon(TknTrayIcon* icon);
    TknTrayIcon* TrayIcon() const { return FTrayIcon; }

    // Kept above other windows, or not; the window keeps its place and visibility.
    void SetStayOnTop(bool onTop);
    bool StayOnTop() const;
    // Opacity as an alpha value 0..255 (255: opaque); values outside are clamped.
    void SetAlpha(int alpha);
    int Alpha() const;

    void SetText(std::u16string_view text);
    std::u16string Text() const;

  protected:
    // A system command. The default carries it out (close: CloseWindow); a subclass may run
    // another one instead or add to it. Requests of the window manager arrive here too, a
    // minimize or maximize after the fact (carrying it out again changes nothing).
    virtual void SysCommand(TSysCommand command);
    // After every minimize, maximize or restore, with the new status.
    virtual void StatusChanged(int status);
    // Once, when the window closes for good, before it is hidden.
    virtual void OnDestroy() {}
    // The tray icon's mouse: before each of its clicks is handled (the mouse is over the
    // icon), and after its popup menu has closed. The window remembers around them where the
    // focus was, so that a paste chosen from the menu goes back to the program in front.
    virtual void TrayMouseMove() {}
    virtual void TrayMenuClosed() {}

    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    friend class TknTrayIcon;
    TknTrayIcon* FTrayIcon = nullptr;
    bool FClosing = false;
    bool FInSysCommand = false;
    int FLastStatus = wsNormal;
};

}  // namespace qb
