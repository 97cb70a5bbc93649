#include "features/UMemoPage.h"

#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"

namespace qb {

namespace {

// The date of one time with the hour and minute of another.
TSystemTime DateWithTime(const TSystemTime& date, const TSystemTime& time) {
    TSystemTime t = date;
    t.Hour = time.Hour;
    t.Minute = time.Minute;
    t.Second = 0;
    t.Millisecond = 0;
    return t;
}

TSystemTime DateOnly(const TSystemTime& date) {
    TSystemTime t = date;
    t.Hour = t.Minute = t.Second = t.Millisecond = 0;
    return t;
}

char16_t RuleLetter(TTimeMode mode) {
    switch (mode) {
        case tmWeekly:
            return u'w';
        case tmMonthly:
            return u'm';
        default:
            return u'y';
    }
}

TSystemTime Normalized(const TSystemTime& t) {
    return FromUnits(ToUnits(t, tuMillisecond), tuMillisecond);
}

// A typed or damaged text can give fields beyond the calendar ("2010-13-45"): carried over
// into the next day, month or year, and kept to four-digit years, they make a date whose text
// reads back as the same rule.
TSystemTime ParseMemoTime(std::u16string_view text) {
    static const TSystemTime latest = Normalized({9999, 12, 0, 31, 23, 59, 59, 0});
    const TSystemTime t = Normalized(ParseDateTime(text, true));
    return t.Year > 9999 ? latest : t;
}

}  // namespace

void TMemoProperty::Load(TknStrList& list) {
    SetTimeText(TakeEntry(list));
    Action = static_cast<TMemoAction>(TakeByteEntry(list, maNoAction));
    Description = DecodeFromStorage(TakeEntry(list));
    UseSound = TakeBoolEntry(list);
    SoundFile = TakeEntry(list);
    RemindAgainAt = TakeIntEntry(list);
    Reminded = TakeBoolEntry(list);
    Remark = DecodeFromStorage(TakeEntry(list));
}

void TMemoProperty::Save(TknStrList& list) const {
    list.Add(GetTimeText());
    AddIntEntry(list, Action);
    list.Add(EncodeForStorage(Description));
    AddBoolEntry(list, UseSound);
    list.Add(SoundFile);
    AddIntEntry(list, RemindAgainAt);
    AddBoolEntry(list, Reminded);
    list.Add(EncodeForStorage(Remark));
}

std::u16string TMemoProperty::GetTimeText() const {
    switch (TimeMode) {
        case tmThisDay:
            return FormatDateTime(DateWithTime(DateValue, TimeValue), 0);
        case tmDaily:
            return u"@" + FormatDateTime(TimeValue, 2);
        case tmWeekly:
        case tmMonthly:
        case tmYearly:
            return std::u16string(u"@") + RuleLetter(TimeMode) + Trim(DaySpec) + u" " +
                   FormatDateTime(TimeValue, 2);
        case tmPeriod: {
            std::u16string start = FormatDateTime(DateValue, 1);
            std::u16string end = FormatDateTime(TimeValue, 1);
            if (start == end) return start;
            // Reading puts the start's first four characters back in front of a short end, so
            // the year is dropped only where it is those four characters.
            bool canonical = start.size() == 10 && end.size() == 10;
            if (canonical && DateValue.Year == TimeValue.Year) end = end.substr(5);
            return start + u"..." + end;
        }
        default:
            return {};
    }
}

void TMemoProperty::SetTimeText(std::u16string_view text) {
    std::u16string s = Trim(text);
    if (s.empty()) {
        TimeMode = tmNoTime;
        return;
    }
    if (s[0] == u'@') {
        std::u16string time;
        char16_t letter = s.size() > 1 ? s[1] : 0;
        if (letter == u'w' || letter == u'm' || letter == u'y') {
            TimeMode = letter == u'w' ? tmWeekly : letter == u'm' ? tmMonthly : tmYearly;
            size_t space = s.find(u' ', 2);
            DaySpec = s.substr(2, space == std::u16string::npos ? std::u16string::npos : space - 2);
            if (space != std::u16string::npos) time = s.substr(space + 1);
        } else {
            TimeMode = tmDaily;
            time = s.substr(1);
        }
        TimeValue = ParseMemoTime(time);
        DateValue = LocalNow();
        return;
    }
    int dots = Pos(u"...", s);
    if (dots > 0) {
        TimeMode = tmPeriod;
        std::u16string end = s.substr(dots + 2);
        if (end.size() < 6) end = s.substr(0, 4) + u"-" + end;
        DateValue = ParseMemoTime(s.substr(0, dots - 1));
        TimeValue = ParseMemoTime(end);
    } else if (s.size() > 10) {
        TimeMode = tmThisDay;
        DateValue = TimeValue = ParseMemoTime(s);
    } else {
        TimeMode = tmPeriod;
        DateValue = TimeValue = ParseMemoTime(s);
    }
}

bool TMemoProperty::IsExpired(const TSystemTime& now) const {
    if (Action != maNoAction && !Reminded) return false;
    if (TimeMode == tmThisDay)
        return ToUnits(DateWithTime(DateValue, TimeValue), tuMinute) <= ToUnits(now, tuMinute);
    if (TimeMode == tmPeriod)
        return ToUnits(now, tuMinute) - ToUnits(DateOnly(TimeValue), tuMinute) >= 1440;
    return false;
}

bool TMemoProperty::GetFieldText(int32_t fieldId, std::u16string& text) const {
    switch (fieldId) {
        case fiMemoTime:
            text = GetTimeText();
            return true;
        case fiMemoAction:
            text = PageText(kMemoActionTextId + Action);
            return true;
        case fiMemoDescription:
            text = EncodeForDisplay(Description);
            return true;
        case fiMemoSound:
            text = FlagText(UseSound);
            return true;
        case fiMemoSoundFile:
            text = SoundFile;
            return true;
        case fiRemark:
            text = EncodeForDisplay(Remark);
            return true;
        default:
            return false;
    }
}

void TMemoPage::DefaultListSettings(TListProperty& listProperty) const {
    listProperty.SetReportDefaults({fiTitle, fiMemoTime, fiMemoDescription}, {100, 100, 200});
}

void TMemoPage::GetOptionalColumns(TknIntList& ids) {
    AddColumns(ids, {fiTitle, fiMemoTime, fiMemoAction, fiMemoDescription, fiMemoSound,
                     fiMemoSoundFile, fiRemark});
}

TMemoItem::TMemoItem(int32_t id) : TChildItemSuper(id) {
    SetItemProperty(std::make_unique<TMemoProperty>(id));
}

int TMemoItem::ItemImageOffset() {
    return 2 * Memo().Action + (Memo().IsExpired(LocalNow()) ? 1 : 0);
}

}  // namespace qb
