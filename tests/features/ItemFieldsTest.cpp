// The checks on values typed into an item's fields: time rules and hotkeys.

#include <gtest/gtest.h>

#include "features/UItemFields.h"
#include "foundation/UknStrUtils.h"

namespace qb::test {
namespace {

TEST(ItemFields, TimeTexts) {
    struct {
        const char16_t* text;
        bool valid;
    } cases[] = {
        {u"", true},
        {u"2026-12-09 14:05", true},
        {u"2024-02-29 00:00", true},
        {u"2025-02-29 10:00", false},  // no such day
        {u"2026-13-01 10:00", false},
        {u"2026-12-09 24:00", false},
        {u"2026-12-09 10:60", false},
        {u"tomorrow 10:00", false},
        {u"2026-12-09 10", false},
        {u"@08:30:00", true},
        {u"@08:30", true},
        {u"@8:61", false},
        {u"@w1-5 08:30:00", true},
        {u"@w0,7 08:30", true},
        {u"@w8 08:30", false},
        {u"@m1,15 09:30:00", true},
        {u"@m32 09:30", false},
        {u"@y12-25 07:00:00", true},
        {u"@y2-30 07:00", false},
        {u"@w1-5", false},  // no time
        {u"2010-11-06...11-08", true},
        {u"2010-11-06...2011-01-08", true},
        {u"2010-11-06...11-31", false},
        {u"2010-11-06", true},
        {u"2010-11", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidTimeText(c.text), c.valid) << ToUtf8(c.text);
}

TEST(ItemFields, HotKeys) {
    struct {
        const char16_t* text;
        std::optional<uint16_t> key;
    } cases[] = {
        {u"", 0},
        {u"0", 0},
        {u"1612", 1612},
        {u"Ctrl+Alt+L", 0x600 | 'L'},
        {u"shift+f5", 0x100 | 0x74},
        {u"Ctrl+Nothing", std::nullopt},
        {u"70000", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseHotKeyValue(c.text), c.key) << ToUtf8(c.text);
}

}  // namespace
}  // namespace qb::test
