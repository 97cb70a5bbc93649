#include "features/UItemFields.h"

#include <vector>

#include "features/UClipPage.h"
#include "features/UContactPage.h"
#include "features/ULinkPage.h"
#include "features/UMemoPage.h"
#include "features/UTemplatePage.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UAccelText.h"

namespace qb {

namespace {

std::vector<std::u16string_view> Split(std::u16string_view s, char16_t separator) {
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == separator) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

// A whole number of 1 to 4 digits between min and max.
bool InRange(std::u16string_view digits, int min, int max) {
    if (digits.empty() || digits.size() > 4) return false;
    int value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
    }
    return value >= min && value <= max;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool ValidMonthDay(int year, std::u16string_view month, std::u16string_view day) {
    if (!InRange(month, 1, 12)) return false;
    return InRange(day, 1, DaysInMonth(year, static_cast<int>(StrToInt(month))));
}

bool ValidDate(std::u16string_view text) {
    auto parts = Split(text, u'-');
    return parts.size() == 3 && parts[0].size() == 4 && InRange(parts[0], 1601, 9999) &&
           ValidMonthDay(static_cast<int>(StrToInt(parts[0])), parts[1], parts[2]);
}

bool ValidTime(std::u16string_view text) {
    auto parts = Split(text, u':');
    return (parts.size() == 2 || parts.size() == 3) && InRange(parts[0], 0, 23) &&
           InRange(parts[1], 0, 59) && (parts.size() == 2 || InRange(parts[2], 0, 59));
}

// Weekly and monthly pieces are numbers or ranges; yearly pieces are month-day pairs.
bool ValidDayList(char16_t letter, std::u16string_view list) {
    for (std::u16string_view piece : Split(list, u',')) {
        auto ends = Split(piece, u'-');
        if (letter == u'y') {
            if (ends.size() != 2 || !ValidMonthDay(2000, ends[0], ends[1])) return false;
        } else {
            const int max = letter == u'w' ? 7 : 31;
            const int min = letter == u'w' ? 0 : 1;
            if (ends.size() > 2) return false;
            for (std::u16string_view end : ends)
                if (!InRange(end, min, max)) return false;
        }
    }
    return true;
}

bool ValidRule(std::u16string_view s) {
    const char16_t letter = s.size() > 1 ? s[1] : 0;
    if (letter != u'w' && letter != u'm' && letter != u'y') return ValidTime(s.substr(1));
    const size_t space = s.find(u' ');
    if (space == std::u16string_view::npos) return false;
    return ValidDayList(letter, s.substr(2, space - 2)) && ValidTime(s.substr(space + 1));
}

bool ValidPeriod(std::u16string_view s, size_t dots) {
    std::u16string_view start = s.substr(0, dots);
    std::u16string end(s.substr(dots + 3));
    if (end.size() < 6) end = std::u16string(s.substr(0, 4)) + u"-" + end;
    return ValidDate(start) && ValidDate(end);
}

uint8_t ByteValue(std::u16string_view value, uint8_t max) {
    int64_t n = StrToIntDef(Trim(value), -1);
    if (n < 0 || n > max)
        throw TknError(u"the value must be a number from 0 to " + IntToStr(max));
    return static_cast<uint8_t>(n);
}

uint16_t HotKeyValue(std::u16string_view value) {
    std::optional<uint16_t> key = ParseHotKeyValue(value);
    if (!key) throw TknError(u"not a hotkey: " + std::u16string(value));
    return *key;
}

bool SetMemoField(TMemoProperty& memo, int32_t fieldId, std::u16string_view value) {
    switch (fieldId) {
        case fiMemoTime:
            if (!IsValidTimeText(value))
                throw TknError(u"not a valid time: " + std::u16string(value));
            memo.SetTimeText(value);
            memo.RemindAgainAt = 0;
            memo.Reminded = false;
            return true;
        case fiMemoAction: memo.Action = static_cast<TMemoAction>(ByteValue(value, maNoAction)); return true;
        case fiMemoDescription: memo.Description = value; return true;
        case fiMemoSound: memo.UseSound = ByteValue(value, 1) == 1; return true;
        case fiMemoSoundFile: memo.SoundFile = value; return true;
        case fiRemark: memo.Remark = value; return true;
    }
    return false;
}

bool SetLinkField(TLinkProperty& link, int32_t fieldId, std::u16string_view value) {
    switch (fieldId) {
        case fiLink: link.Link = value; return true;
        case fiCategory: link.LinkType = static_cast<TLinkType>(ByteValue(value, ltBatch)); return true;
        case fiHotKey: link.HotKey = HotKeyValue(value); return true;
        case fiAbbrev: link.Abbrev = value; return true;
        case fiRemark: link.Remark = value; return true;
    }
    return false;
}

bool SetContactField(TContactProperty& contact, int32_t fieldId, std::u16string_view value) {
    if (fieldId == fiSex) {
        contact.Sex = ByteValue(value, 1);
    } else if (fieldId == fiRemark) {
        contact.Remark = value;
    } else if (std::u16string* field = contact.TextField(fieldId)) {
        *field = value;
    } else {
        return false;
    }
    return true;
}

bool SetTemplateField(TTemplateProperty& templ, int32_t fieldId, std::u16string_view value) {
    switch (fieldId) {
        case fiText: templ.Text = value; return true;
        case fiHotKey: templ.HotKey = HotKeyValue(value); return true;
        case fiAbbrev: templ.Abbrev = value; return true;
        case fiRemark: templ.Remark = value; return true;
    }
    return false;
}

// The field of the item's own kind; false when the kind has no such field.
bool SetKindField(TPageSuper& item, int32_t fieldId, std::u16string_view value) {
    if (auto* memo = dynamic_cast<TMemoItem*>(&item)) return SetMemoField(memo->Memo(), fieldId, value);
    if (auto* link = dynamic_cast<TLinkItem*>(&item))
        return SetLinkField(link->LinkProperty(), fieldId, value);
    if (auto* contact = dynamic_cast<TContactItem*>(&item))
        return SetContactField(contact->Contact(), fieldId, value);
    if (auto* templ = dynamic_cast<TTemplateItem*>(&item))
        return SetTemplateField(templ->Template(), fieldId, value);
    if (!dynamic_cast<TClipItem*>(&item) || fieldId != fiText) return false;
    item.SetText(value);
    return true;
}

}  // namespace

bool IsValidTimeText(std::u16string_view text) {
    const std::u16string s = Trim(text);
    if (s.empty()) return true;
    if (s[0] == u'@') return ValidRule(s);
    const size_t dots = s.find(u"...");
    if (dots != std::u16string::npos) return ValidPeriod(s, dots);
    if (s.size() <= 10) return ValidDate(s);
    const size_t space = s.find(u' ');
    return space != std::u16string::npos && ValidDate(s.substr(0, space)) &&
           ValidTime(Trim(s.substr(space + 1)));
}

std::optional<uint16_t> ParseHotKeyValue(std::u16string_view text) {
    const std::u16string s = Trim(text);
    if (s.empty()) return uint16_t{0};
    const int64_t number = StrToIntDef(s, -1);
    if (number >= 0 && number <= 0xFFFF) return static_cast<uint16_t>(number);
    std::optional<TAccelKey> key = ParseAccelKey(s);
    if (!key || key->Key > 0xFF) return std::nullopt;
    return static_cast<uint16_t>(key->Modifiers << 8 | key->Key);
}

void SetItemField(TPageSuper& item, int32_t fieldId, std::u16string_view value) {
    if (fieldId == fiTitle || fieldId == fiName) {
        if (Trim(value).empty()) throw TknError(u"a title must not be empty");
        item.SetName(value);
        return;
    }
    if (!SetKindField(item, fieldId, value))
        throw TknError(u"an item of type " + IntToStr(item.PageType()) + u" has no field " +
                       IntToStr(fieldId) + u" to set");
}

}  // namespace qb
