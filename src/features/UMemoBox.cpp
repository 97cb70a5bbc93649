#include "features/UMemoBox.h"

#include <algorithm>

#include "features/UItemFields.h"
#include "features/UMemoHandler.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "shell/UMemoryManager.h"

namespace qb {

namespace {

bool UsesEndDate(TTimeMode mode) {
    return mode == tmPeriod || mode == tmNoTime;
}

// The time text ends the day list at its first blank, so blanks would cut the list short.
std::u16string WithoutBlanks(std::u16string_view s) {
    std::u16string out;
    for (char16_t c : s)
        if (c > u' ') out.push_back(c);
    return out;
}

}  // namespace

bool DayListValid(const TMemoBoxFields& fields) {
    static const char16_t letters[] = u"wmy";
    if (fields.Mode < tmWeekly || fields.Mode > tmYearly) return true;
    return IsValidTimeText(std::u16string(u"@") + letters[fields.Mode - tmWeekly] +
                           WithoutBlanks(fields.DayList) + u" 00:00");
}

TMemoBoxEnabling MemoBoxEnabling(TTimeMode mode) {
    TMemoBoxEnabling e{};
    e.DayList = mode == tmWeekly || mode == tmMonthly || mode == tmYearly;
    e.Date = mode == tmThisDay || mode == tmPeriod;
    e.TimeShown = mode < tmPeriod;
    e.EndDateShown = UsesEndDate(mode);
    e.EndDateEnabled = mode == tmPeriod;
    e.ActionAndSound = mode != tmNoTime;
    return e;
}

void ApplyModeRules(TMemoBoxFields& fields) {
    if (fields.Mode != tmNoTime) return;
    fields.Action = maNoAction;
    fields.Sound = scNone;
}

TMemoBoxFields NewMemoFields(const TSystemTime& now, int32_t defRemindTime, const TMemory& memory) {
    TMemoBoxFields f;
    f.Date = f.Time = f.EndDate = AddUnits(now, tuMinute, BoundedMinutes(defRemindTime));
    f.Mode = tmThisDay;
    f.Action = static_cast<TMemoAction>(std::clamp<int32_t>(memory.MemoAction, 0, maNoAction));
    if (memory.MemoUseSound) {
        f.Sound = memory.MemoSoundFile.empty() ? scBeep : scFile;
        f.SoundFile = memory.MemoSoundFile;
    }
    return f;
}

TMemoBoxFields LoadMemoFields(const TMemoItem& item) {
    const TMemoProperty& memo = item.Memo();
    TMemoBoxFields f;
    f.Title = item.Name();
    f.Mode = memo.TimeMode;
    f.DayList = memo.DaySpec;
    f.Date = memo.DateValue;
    f.Time = memo.TimeValue;
    f.EndDate = UsesEndDate(memo.TimeMode) ? memo.TimeValue : memo.DateValue;
    f.Action = memo.Action;
    f.Description = memo.Description;
    f.Sound = !memo.UseSound ? scNone : memo.SoundFile.empty() ? scBeep : scFile;
    f.SoundFile = memo.SoundFile;
    f.Remark = memo.Remark;
    ApplyModeRules(f);
    return f;
}

void SaveMemoFields(const TMemoBoxFields& fields, TMemoItem& item) {
    TMemoBoxFields f = fields;
    ApplyModeRules(f);
    TMemoProperty& memo = item.Memo();
    item.SetName(f.Title);
    memo.TimeMode = f.Mode;
    memo.DaySpec = WithoutBlanks(f.DayList);
    memo.DateValue = f.Date;
    memo.TimeValue = UsesEndDate(f.Mode) ? f.EndDate : f.Time;
    memo.Action = f.Action;
    memo.Description = f.Description.empty() ? f.Title : f.Description;
    memo.UseSound = f.Sound != scNone;
    memo.SoundFile = f.Sound == scFile ? ExtractFileName(f.SoundFile, true) : std::u16string();
    memo.RemindAgainAt = 0;
    memo.Reminded = false;
    memo.Remark = f.Remark;
}

std::u16string AdoptSoundFile(const std::u16string& chosenPath) {
    std::u16string name = ExtractFileName(chosenPath, true);
    std::u16string folder = ProgramSubFolder(u"sound\\", true);
    std::u16string target = folder + name;
    if (!FileExists(target)) WriteFileAtomic(target, ReadFileBytes(chosenPath));
    return name;
}

}  // namespace qb
