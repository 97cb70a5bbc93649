#pragma once

// The field rules of the memo item's edit box ("New Reminder" / "Edit Reminder"): which fields
// a time mode uses, what a new item starts with, and how the fields become the item.

#include <cstdint>
#include <string>

#include "features/UMemoPage.h"
#include "foundation/UknDateTimeUtils.h"

namespace qb {

struct TMemory;

enum TSoundChoice : uint8_t { scNone, scBeep, scFile };

struct TMemoBoxFields {
    std::u16string Title;
    TTimeMode Mode = tmThisDay;
    std::u16string DayList;
    TSystemTime Date;     // the date picker
    TSystemTime Time;     // the time picker
    TSystemTime EndDate;  // the end-date picker
    TMemoAction Action = maReminder;
    std::u16string Description;
    TSoundChoice Sound = scNone;
    std::u16string SoundFile;
    std::u16string Remark;
};

struct TMemoBoxEnabling {
    bool DayList;
    bool Date;
    bool TimeShown;
    bool EndDateShown;
    bool EndDateEnabled;
    bool ActionAndSound;
};
TMemoBoxEnabling MemoBoxEnabling(TTimeMode mode);
// An item without time does nothing and makes no sound.
void ApplyModeRules(TMemoBoxFields& fields);

// A new item: every picker at now + DefRemindTime minutes, "This day", action and sound from
// the remembered choices.
TMemoBoxFields NewMemoFields(const TSystemTime& now, int32_t defRemindTime, const TMemory& memory);
TMemoBoxFields LoadMemoFields(const TMemoItem& item);
// OK: the fields become the item; its reminder state starts afresh.
void SaveMemoFields(const TMemoBoxFields& fields, TMemoItem& item);
// Whether the day list, as SaveMemoFields stores it, is one the mode can use (true for the
// modes without a day list).
bool DayListValid(const TMemoBoxFields& fields);

// A sound file chosen anywhere: copied into the "sound/" folder unless a file of that name is
// there already; the name to store.
std::u16string AdoptSoundFile(const std::u16string& chosenPath);

}  // namespace qb
