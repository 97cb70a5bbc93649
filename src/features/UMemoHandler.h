#pragma once

// Reminders: when a memo item falls due, the handler that checks every memo item on each
// minute boundary, and the choices of the reminder window (remind again, no remind, delete me).
// Windows and sound are the GUI's, reached through small interfaces. A reminder counts as
// reminded only once its window is on the screen; without windows it stays due.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "features/UMemoPage.h"
#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknList.h"
#include "model/UPageFactory.h"

namespace qb {

class TknTimer;

// --- when an item falls due ---

// A weekly or monthly day list ("1-5", "1,15"): pieces of a number or a range of two; a start
// that is not a number counts as 100 and an end as 0, so a broken piece matches nothing.
bool DayListMatches(std::u16string_view daySpec, int value);
// A yearly day list: "month-day" pieces ("12-25,1-1").
bool YearlyListMatches(std::u16string_view daySpec, int month, int day);

// Whether the item falls due in the minute of `now` (a snooze set for that minute counts).
bool IsDueAt(const TMemoProperty& memo, const TSystemTime& now);
// IsDueAt, clearing the snooze that makes it due: a snooze fires only in its own minute.
bool IsDue(TMemoProperty& memo, const TSystemTime& now);

// The memo items of the store that fall due in the minute of `at`, in id order, changing none;
// items in the recycle bin never do.
std::vector<int32_t> DueMemoItems(const TSystemTime& at);

// Durations are kept within a hundred years, so that no time text runs past year 9999.
int64_t BoundedMinutes(int64_t minutes);

// --- sound ---

struct TTone {
    uint32_t Frequency;  // Hz
    uint32_t Duration;   // milliseconds
    bool operator==(const TTone&) const = default;
};

class ISoundPlayer {
  public:
    virtual ~ISoundPlayer() = default;
    // Both start playing and return at once.
    virtual void PlayFile(const std::u16string& path) = 0;
    virtual void PlayTones(const std::vector<TTone>& tones) = 0;
    virtual void Stop() = 0;
};
// Not owned; none (the default) is silence.
void SetSoundPlayer(ISoundPlayer* player);

// The reminder sound of an item: its file from the "sound/" folder when it exists, else the
// four beeps; nothing unless UseSound.
void PlayReminderSound(const TMemoProperty& memo);

// --- the reminder window ---

enum TReminderChoice : uint8_t { rcRemindAgain, rcNoRemind, rcDeleteMe };

class TReminderPopupManager;

// What the reminder window of one item shows and does.
class TReminderPopup {
  public:
    TReminderPopup(TMemoItem& item, const TSystemTime& now,
                   TReminderPopupManager* manager = nullptr);

    int32_t ItemId() const { return FItemId; }
    const std::u16string& Caption() const { return FCaption; }  // the time and the title
    const std::u16string& Text() const { return FText; }        // the description
    const std::vector<std::u16string>& Durations() const { return FDurations; }
    bool NoRemindEnabled() const { return FNoRemindEnabled; }

    TReminderChoice Choice() const { return FChoice; }
    // A disabled "No remind" is refused.
    void SetChoice(TReminderChoice choice);
    bool DurationListEnabled() const { return FChoice == rcRemindAgain; }

    // The text of the editable duration list, "30min" at first.
    std::u16string DurationText = u"30min";

    // OK: applies the choice to the item (if it still exists) at the current time and saves.
    void Confirm();
    // The window has closed: the manager lets the popup go (it is destroyed).
    void Closed();

  private:
    void RemindAgain(TMemoItem& item);

    TReminderPopupManager* FManager;
    int32_t FItemId;
    std::u16string FCaption;
    std::u16string FText;
    std::vector<std::u16string> FDurations;
    bool FNoRemindEnabled;
    TReminderChoice FChoice = rcRemindAgain;
};

// The GUI's reminder windows.
class IReminderWindows {
  public:
    virtual ~IReminderWindows() = default;
    // Opens the window of a new popup at the bottom right of the screen; true once it is on
    // the screen. The window calls the popup's Confirm on OK and its Closed when it closes.
    virtual bool ShowReminder(TReminderPopup& popup) = 0;
    // The program closes the window (the manager is going away).
    virtual void CloseReminder(TReminderPopup& popup) = 0;
    // A failure at a tick, when there is no caller to tell: a link that did not open.
    virtual void ShowError(std::u16string_view text) = 0;
};
// Not owned; with none (the default) no reminder can be shown.
void SetReminderWindows(IReminderWindows* windows);

// Where the window goes: 5 pixels from the right and bottom edges; the screen height is the
// full-screen client height plus one caption height.
struct TWindowPlace {
    int32_t Left;
    int32_t Top;
};
TWindowPlace ReminderWindowPlace(int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                                 int32_t windowHeight);

// The open reminder windows.
class TReminderPopupManager {
  public:
    TReminderPopupManager() = default;
    ~TReminderPopupManager();  // closes every open window
    TReminderPopupManager(const TReminderPopupManager&) = delete;
    TReminderPopupManager& operator=(const TReminderPopupManager&) = delete;

    // Opens the window of the item, with its sound; null when no window could be shown.
    TReminderPopup* Open(TMemoItem& item, const TSystemTime& now);
    // The window has closed: the popup goes and any sound stops.
    void Closed(TReminderPopup& popup);

    int Count() const { return static_cast<int>(FPopups.size()); }
    TReminderPopup& Popup(int index) const { return *FPopups[index]; }

  private:
    std::vector<std::unique_ptr<TReminderPopup>> FPopups;
};

// --- the handler ---

class TMemoHandler : public IPageObserver {
  public:
    // Takes the memo items from the store, listens to the page center and starts the timer so
    // that its first tick falls on the next minute boundary.
    TMemoHandler();
    ~TMemoHandler() override;
    TMemoHandler(const TMemoHandler&) = delete;
    TMemoHandler& operator=(const TMemoHandler&) = delete;

    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) override;

    // Fires every item due in the minute of `now` (none in the recycle bin), once per minute.
    void CheckReminders(const TSystemTime& now);

    const TknIntList& ItemIds() const { return FItemIds; }
    TReminderPopupManager& Popups() { return FPopups; }
    const TknTimer& Timer() const { return *FTimer; }

  private:
    void OnTick();
    void Fire(TMemoItem& item, const TSystemTime& now);
    static void OpenItemLink(const std::u16string& link);
    // The timer aimed at the next minute boundary.
    void AimTimer(const TSystemTime& now);

    TknIntList FItemIds;
    TReminderPopupManager FPopups;
    TknTimer* FTimer;
    int64_t FLastMinute = -1;  // the minute last checked
};

}  // namespace qb
