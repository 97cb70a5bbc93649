#include "features/UMemoHandler.h"

#include <algorithm>

#include "features/ULinkOpener.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UDeleteHandler.h"
#include "shell/UknClasses.h"
#include "shell/UknTimerCenter.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kMaxMinutes = 100 * 366 * kMinutesPerDay;
constexpr uint32_t kMinute = 60000;  // ms
constexpr int kBrokenStart = 100;
constexpr int kBrokenEnd = 0;

ISoundPlayer* gSoundPlayer = nullptr;
IReminderWindows* gReminderWindows = nullptr;

// Calls piece for each ","-separated piece of the day list.
template <class F>
bool AnyPiece(std::u16string_view daySpec, F matches) {
    bool found = false;
    SplitText(daySpec, u",", [&](std::u16string_view piece) {
        if (!found) found = matches(Trim(piece));
    });
    return found;
}

int PieceNumber(std::u16string_view s, int broken) {
    return static_cast<int>(std::clamp<int64_t>(StrToIntDef(s, broken), -1, kBrokenStart));
}

int64_t Minutes(const TSystemTime& t) {
    return ToUnits(t, tuMinute);
}

// The weekday from the date itself, whatever the DayOfWeek field holds.
int WeekdayOf(const TSystemTime& t) {
    return FromUnits(Minutes(t), tuMinute).DayOfWeek;
}

TSystemTime AtMidnight(const TSystemTime& t) {
    TSystemTime d = t;
    d.Hour = d.Minute = d.Second = d.Millisecond = 0;
    return d;
}

TSystemTime WithTimeOf(const TSystemTime& date, const TSystemTime& time) {
    TSystemTime t = AtMidnight(date);
    t.Hour = time.Hour;
    t.Minute = time.Minute;
    return t;
}

bool RecurringDue(const TMemoProperty& memo, const TSystemTime& now) {
    if (now.Hour != memo.TimeValue.Hour || now.Minute != memo.TimeValue.Minute) return false;
    switch (memo.TimeMode) {
        case tmDaily:
            return true;
        case tmWeekly: {
            int weekday = WeekdayOf(now);
            return DayListMatches(memo.DaySpec, weekday) ||
                   (weekday == 0 && DayListMatches(memo.DaySpec, 7));
        }
        case tmMonthly:
            return DayListMatches(memo.DaySpec, now.Day);
        default:
            return YearlyListMatches(memo.DaySpec, now.Month, now.Day);
    }
}

const std::vector<TTone>& ReminderBeeps() {
    static const std::vector<TTone> beeps = {{523, 500}, {659, 500}, {784, 500}, {1047, 500}};
    return beeps;
}

std::vector<std::u16string> DurationChoices(TTimeMode mode) {
    std::vector<std::u16string> list = {u"5min",  u"10min", u"20min", u"30min", u"45min", u"60min",
                                        u"90min", u"2h",    u"3h",    u"4h",    u"6h",    u"8h"};
    if (mode == tmThisDay) list.insert(list.end(), {u"1d", u"2d", u"3d", u"5d", u"7d"});
    return list;
}

TMemoItem* MemoItem(int32_t id) {
    return dynamic_cast<TMemoItem*>(GetStore().GetPage(id));
}

// A reminder on a page the user has deleted into the recycle bin stays quiet.
bool IsLive(const TMemoItem& item) {
    return !GetStore().IsInRecycleBin(item.Id());
}

}  // namespace

// --- when an item falls due ---

bool DayListMatches(std::u16string_view daySpec, int value) {
    return AnyPiece(daySpec, [value](const std::u16string& piece) {
        size_t dash = piece.find(u'-');
        if (dash == std::u16string::npos) return PieceNumber(piece, kBrokenStart) == value;
        int start = PieceNumber(std::u16string_view(piece).substr(0, dash), kBrokenStart);
        int end = PieceNumber(std::u16string_view(piece).substr(dash + 1), kBrokenEnd);
        return start <= value && value <= end;
    });
}

bool YearlyListMatches(std::u16string_view daySpec, int month, int day) {
    return AnyPiece(daySpec, [month, day](const std::u16string& piece) {
        size_t dash = piece.find(u'-');
        if (dash == std::u16string::npos) return false;
        return PieceNumber(std::u16string_view(piece).substr(0, dash), -1) == month &&
               PieceNumber(std::u16string_view(piece).substr(dash + 1), -1) == day;
    });
}

bool IsDueAt(const TMemoProperty& memo, const TSystemTime& now) {
    if (memo.TimeMode == tmNoTime) return false;
    int64_t minute = Minutes(now);
    if (memo.RemindAgainAt == minute) return true;
    switch (memo.TimeMode) {
        case tmPeriod:
            // The start is a date: its time of day is only what the clock said when it was read.
            return !memo.Reminded && Minutes(AtMidnight(memo.DateValue)) <= minute;
        case tmThisDay:
            return !memo.Reminded && Minutes(WithTimeOf(memo.DateValue, memo.TimeValue)) <= minute;
        default:
            return RecurringDue(memo, now);
    }
}

bool IsDue(TMemoProperty& memo, const TSystemTime& now) {
    bool due = IsDueAt(memo, now);
    if (due && memo.RemindAgainAt == Minutes(now)) memo.RemindAgainAt = 0;
    return due;
}

std::vector<int32_t> DueMemoItems(const TSystemTime& at) {
    TknIntList ids;
    GetStore().GetIdsOfType(ptMemoItem, ids);
    std::vector<int32_t> due;
    for (int i = 0; i < ids.Count(); ++i)
        if (TMemoItem* item = MemoItem(ids.Items(i));
            item && IsDueAt(item->Memo(), at) && IsLive(*item))
            due.push_back(item->Id());
    return due;
}

int64_t BoundedMinutes(int64_t minutes) {
    return std::clamp<int64_t>(minutes, 0, kMaxMinutes);
}

// --- sound ---

void SetSoundPlayer(ISoundPlayer* player) {
    gSoundPlayer = player;
}

void PlayReminderSound(const TMemoProperty& memo) {
    if (!memo.UseSound || !gSoundPlayer) return;
    // Only a name is stored; anything like a path in it stays inside the sound folder.
    std::u16string name = ExtractFileName(memo.SoundFile, true);
    std::u16string path = ProgramSubFolder(u"sound\\", false) + name;
    if (!name.empty() && FileExists(path))
        gSoundPlayer->PlayFile(path);
    else
        gSoundPlayer->PlayTones(ReminderBeeps());
}

// --- the reminder window ---

void SetReminderWindows(IReminderWindows* windows) {
    gReminderWindows = windows;
}

TWindowPlace ReminderWindowPlace(int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                                 int32_t windowHeight) {
    return {screenWidth - windowWidth - 5, screenHeight - windowHeight - 5};
}

TReminderPopup::TReminderPopup(TMemoItem& item, const TSystemTime& now,
                               TReminderPopupManager* manager)
    : FManager(manager),
      FItemId(item.Id()),
      FCaption(FormatLocal(now, 2) + u" " + item.Name()),
      FText(item.Memo().Description),
      FDurations(DurationChoices(item.Memo().TimeMode)),
      FNoRemindEnabled(item.Memo().TimeMode != tmThisDay) {}

void TReminderPopup::SetChoice(TReminderChoice choice) {
    if (choice == rcNoRemind && !FNoRemindEnabled) return;
    FChoice = choice;
}

void TReminderPopup::Confirm() {
    TMemoItem* item = MemoItem(FItemId);
    if (!item) return;  // deleted while the window was open
    switch (FChoice) {
        case rcDeleteMe:
            DeleteHandler().DeleteOrRecycle(FItemId, item->OwnerId());
            SaveCenter().Save();
            return;
        case rcNoRemind:
            item->Memo().TimeMode = tmThisDay;
            break;
        case rcRemindAgain:
            if (Trim(DurationText).empty()) return;
            RemindAgain(*item);
            break;
    }
    PageCenter().Notify(pePageChanged, FItemId);
    // The window may answer while the program sits in the tray, where nothing else saves.
    SaveCenter().Save();
}

void TReminderPopup::Closed() {
    if (FManager) FManager->Closed(*this);
}

void TReminderPopup::RemindAgain(TMemoItem& item) {
    TMemoProperty& memo = item.Memo();
    TSystemTime now = LocalNow();
    int64_t duration = BoundedMinutes(ParseDuration(Trim(DurationText)));
    if (memo.TimeMode == tmThisDay) {
        memo.DateValue = memo.TimeValue = AddUnits(now, tuMinute, duration);
        memo.Reminded = false;
    } else {
        memo.RemindAgainAt = Minutes(now) + duration;
    }
}

TReminderPopupManager::~TReminderPopupManager() {
    if (FPopups.empty()) return;
    if (gSoundPlayer) gSoundPlayer->Stop();
    if (gReminderWindows)
        for (auto& popup : FPopups) gReminderWindows->CloseReminder(*popup);
}

TReminderPopup* TReminderPopupManager::Open(TMemoItem& item, const TSystemTime& now) {
    FPopups.push_back(std::make_unique<TReminderPopup>(item, now, this));
    TReminderPopup& popup = *FPopups.back();
    if (!gReminderWindows || !gReminderWindows->ShowReminder(popup)) {
        FPopups.pop_back();
        return nullptr;
    }
    PlayReminderSound(item.Memo());
    return &popup;
}

void TReminderPopupManager::Closed(TReminderPopup& popup) {
    auto at = std::find_if(FPopups.begin(), FPopups.end(),
                           [&popup](const auto& p) { return p.get() == &popup; });
    if (at == FPopups.end()) return;
    FPopups.erase(at);
    if (gSoundPlayer) gSoundPlayer->Stop();
}

// --- the handler ---

TMemoHandler::TMemoHandler() : FItemIds(100) {
    GetStore().GetIdsOfType(ptMemoItem, FItemIds);
    PageCenter().AddObserver(this);
    FTimer = TimerCenter().NewTimer();
    FTimer->OnTimer = [this](TknTimer&) { OnTick(); };
    AimTimer(LocalNow());
}

TMemoHandler::~TMemoHandler() {
    if (TknTimerCenter* timers = ExistingTimerCenter()) timers->ReleaseTimer(FTimer);
    if (PageCenterExists()) PageCenter().RemoveObserver(this);
}

void TMemoHandler::AimTimer(const TSystemTime& now) {
    uint32_t intoMinute = now.Second * 1000u + now.Millisecond;
    uint32_t interval = intoMinute == 0 || intoMinute >= kMinute ? kMinute : kMinute - intoMinute;
    if (FTimer->Interval() != interval || !FTimer->Active()) {
        FTimer->SetInterval(interval);
        FTimer->Start();
    }
}

void TMemoHandler::OnTick() {
    TSystemTime now = LocalNow();
    // A platform timer may fire a little early or late; aiming each tick at the next boundary
    // keeps a late tick from skipping a minute, and CheckReminders skips a repeated one.
    AimTimer(now);
    CheckReminders(now);
}

void TMemoHandler::PageEvent(uint8_t event, int32_t, int32_t argument) {
    if (event == peChildAdded) {
        const TPageRecord* record = GetStore().FindRecord(argument);
        if (record && record->PageType == ptMemoItem && !FItemIds.ItemExists(argument))
            FItemIds.Add(argument);
    } else if (event == peChildRemoved) {
        while (FItemIds.DeleteValue(argument)) {
        }
    }
}

void TMemoHandler::CheckReminders(const TSystemTime& now) {
    int64_t minute = Minutes(now);
    if (minute == FLastMinute) return;
    FLastMinute = minute;
    std::vector<int32_t> ids;  // firing may change the list (a link that deletes pages)
    for (int i = 0; i < FItemIds.Count(); ++i) ids.push_back(FItemIds.Items(i));
    for (int32_t id : ids) {
        TMemoItem* item = MemoItem(id);
        if (!item || !IsDueAt(item->Memo(), now) || !IsLive(*item)) continue;
        IsDue(item->Memo(), now);  // uses up the snooze that fires now
        Fire(*item, now);
    }
}

void TMemoHandler::Fire(TMemoItem& item, const TSystemTime& now) {
    TMemoProperty& memo = item.Memo();
    const int32_t id = item.Id();
    if (memo.Action == maReminder) {
        // Reminded only once the user can see it: a reminder no window showed stays due, and
        // a one-time one fires again at the next tick.
        if (!FPopups.Open(item, now)) return;
        memo.Reminded = true;
        SaveCenter().Save();
    } else {
        memo.Reminded = true;
        SaveCenter().Save();
        if (memo.Action == maExecuteLink) OpenItemLink(memo.Description);
    }
    PageCenter().Notify(pePageChanged, id);
}

void TMemoHandler::OpenItemLink(const std::u16string& link) {
    try {
        OpenBatch(link);
    } catch (const TknError& e) {
        // A link that did not open must not keep the other items of this minute from firing.
        if (gReminderWindows) gReminderWindows->ShowError(e.Message());
    }
}

}  // namespace qb
