#pragma once

// The main window's status (normal, minimized or hidden in the tray, maximized) and what follows
// from each change, with the other rules of the main window that need no display: its title,
// its transparency and how it starts.

#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// Stored as WinStatus: 0 normal, 1 minimized (hidden in the tray included), 2 maximized.
enum class TWindowStatus : int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

inline constexpr int32_t kEventWindowStatus = 3050;  // wparam 1 maximized, 2 minimized, 3 normal

// After every minimize, maximize or restore. A window that is not minimized lets the auto save
// run and remembers its status; a minimized one saves at once (once `initialized`), writes the
// remembered state, stops the auto save and starts the tray lock's clock. Then event 3050 is
// raised and Auto Hide is offered only to a normal window.
void HandleWindowStatus(TWindowStatus status, bool initialized);

// The status the window comes back to from the tray: the remembered one, normal for minimized
// or an unknown value.
TWindowStatus RestoredStatus(int32_t remembered);

// Whether the window starts minimized: always with the StartMinimize option; with "-m" only
// when the special mode was off at the last exit (the window would otherwise vanish twice).
bool StartsMinimized(bool startMinimizeOption, bool minimizeArgument, bool specialModeAtExit);

// "<page> - quillbox" while the page name is wanted and a page is active, else "quillbox".
std::u16string MainWindowTitle(const std::u16string* activePageName, bool captionPageName);

// The window's opacity for a transparency level: 255 - 20 * level, 255 (opaque) for 0. Levels
// are taken as 0..12, so that no setting can make the window invisible or the value negative.
int32_t TransparencyAlpha(int32_t level);

// Gives unused heap memory back to the system (the window is out of sight).
void TrimWorkingSet();

}  // namespace qb
