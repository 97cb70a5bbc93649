#pragma once

// The password check at start-up and when the window comes back from the tray.

#include <cstdint>
#include <string>

namespace qb {

// The login dialog, supplied by the GUI: asks for the password until it is typed correctly
// (true) or the user gives up (false).
class ILogInDialog {
  public:
    virtual ~ILogInDialog() = default;
    virtual bool Execute(const std::u16string& password) = 0;
};

class TLogInHandler {
  public:
    // True when the notebook may be shown: no password needed, the tray lock has not run out
    // since the last minimizing, or the dialog was passed. False while a dialog is open, and
    // without a dialog whenever one would be needed.
    bool LogIn();
    // The main window calls it whenever it is minimized.
    void NoteMinimized();

    void SetDialog(ILogInDialog* dialog) { FDialog = dialog; }  // not owned
    bool LoggedInOnce() const { return FLoggedInOnce; }
    int64_t MinimizedAt() const { return FMinimizedAt; }

  private:
    ILogInDialog* FDialog = nullptr;
    int64_t FMinimizedAt = 0;  // minutes of local time
    bool FDialogOpen = false;
    bool FLoggedInOnce = false;
};

TLogInHandler& LogInHandler();
void ReleaseLogInHandler();

}  // namespace qb
