#include "storage/ULogInHandler.h"

#include <memory>

#include "shell/UOptionManager.h"
#include "storage/UBackupHandler.h"

namespace qb {

namespace {

std::unique_ptr<TLogInHandler> gLogInHandler;

}  // namespace

bool TLogInHandler::LogIn() {
    if (FDialogOpen) return false;
    const TOptions& options = OptionManager().Options();
    if (!options.NeedLogIn) return true;
    if (FLoggedInOnce &&
        (options.LockTrayTime < 0 || LocalMinutes() - FMinimizedAt < options.LockTrayTime))
        return true;
    if (!FDialog) return false;
    FDialogOpen = true;
    bool passed = false;
    try {
        passed = FDialog->Execute(options.Password);
    } catch (...) {
        FDialogOpen = false;
        throw;
    }
    FDialogOpen = false;
    // Only a correct password counts: a cancelled dialog must not open the next attempt.
    if (passed) FLoggedInOnce = true;
    return passed;
}

void TLogInHandler::NoteMinimized() {
    FMinimizedAt = LocalMinutes();
}

TLogInHandler& LogInHandler() {
    if (!gLogInHandler) gLogInHandler = std::make_unique<TLogInHandler>();
    return *gLogInHandler;
}

void ReleaseLogInHandler() {
    gLogInHandler.reset();
}

}  // namespace qb
