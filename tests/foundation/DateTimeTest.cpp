#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <random>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknStrUtils.h"

namespace qb {
namespace {

// Names and formats below are the English ones, whatever the environment says.
const bool kEnglish = [] {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale("en_US"), status);
    return U_SUCCESS(status);
}();

TSystemTime Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    TSystemTime t;
    t.Year = static_cast<uint16_t>(y), t.Month = static_cast<uint16_t>(mo);
    t.Day = static_cast<uint16_t>(d), t.Hour = static_cast<uint16_t>(h);
    t.Minute = static_cast<uint16_t>(mi), t.Second = static_cast<uint16_t>(s);
    t.Millisecond = static_cast<uint16_t>(ms);
    t.DayOfWeek = 0;  // deliberately wrong: formatting must compute the weekday
    return t;
}

std::string Text(const TSystemTime& t) {
    return ToUtf8(FormatDateTime(t, 3));
}

TEST(DateTime, StoredForms) {
    TSystemTime t = Make(2010, 3, 5, 9, 7, 4);
    EXPECT_EQ(FormatDateTime(t, 0), u"2010-03-05 09:07");
    EXPECT_EQ(FormatDateTime(t, 1), u"2010-03-05");
    EXPECT_EQ(FormatDateTime(t, 2), u"09:07:04");
    EXPECT_EQ(FormatDateTime(t, 3), u"2010-03-05 09:07:04");
    EXPECT_EQ(FormatDateTime(Make(987, 12, 31, 23, 59, 59), 3), u"0987-12-31 23:59:59");
}

TEST(DateTime, FormatCustomTokens) {
    ASSERT_TRUE(kEnglish);
    TSystemTime t = Make(2010, 3, 5, 9, 7, 4);  // a Friday
    struct Case {
        std::u16string_view pattern, text;
    } cases[] = {
        {u"yyyy-MM-dd HH:mm", u"2010-03-05 09:07"},
        {u"d/M", u"5/3"},
        {u"yy|y|yyy|yyyyy", u"10|0|100|20100"},
        {u"MMMM MMM MM M", u"March Mar 03 3"},
        {u"dddd ddd dd d", u"Friday Fri 05 5"},
        {u"H:m:s hh:mm:ss h tt", u"9:7:4 09:07:04 9 AM"},
        {u"ttt HHH", u"AMt 099"},
        {u"YEAR DAY: x!", u"YEAR DAY: x!"},  // other letters and capitals stay
        {u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatCustom(t, c.pattern), c.text) << ToUtf8(c.pattern);
    EXPECT_EQ(FormatCustom(Make(2010, 3, 5, 0, 5), u"h:mm tt"), u"12:05 AM");
    EXPECT_EQ(FormatCustom(Make(2010, 3, 5, 12, 0), u"h tt"), u"12 PM");
    EXPECT_EQ(FormatCustom(Make(2010, 3, 5, 23, 0), u"hh tt"), u"11 PM");
    EXPECT_EQ(FormatCustom(Make(2000, 1, 1), u"dddd"), u"Saturday");
    EXPECT_EQ(FormatCustom(Make(1601, 1, 1), u"dddd"), u"Monday");
    EXPECT_EQ(FormatCustom(Make(2010, 13, 0), u"MMMM|MMM"), u"|");  // no name, no crash
}

// The rule as worded: the first listed token found splits the text, both sides are formatted
// the same way. The production code takes a linear shortcut; this checks they agree.
std::u16string ReferenceFormat(const TSystemTime& t, std::u16string_view text) {
    static const std::u16string_view tokens[] = {
        u"yyyy", u"yy", u"y", u"MMMM", u"MMM", u"MM", u"M",  u"dddd", u"ddd", u"dd",
        u"d",    u"HH", u"H", u"tt",   u"hh",  u"h",  u"mm", u"m",    u"ss",  u"s"};
    for (std::u16string_view token : tokens) {
        size_t at = text.find(token);
        if (at == std::u16string_view::npos) continue;
        return ReferenceFormat(t, text.substr(0, at)) + FormatCustom(t, token) +
               ReferenceFormat(t, text.substr(at + token.size()));
    }
    return std::u16string(text);
}

TEST(DateTime, FormatCustomAgreesWithTheRecursiveRule) {
    TSystemTime t = Make(2023, 11, 26, 17, 3, 9);
    std::mt19937 random(7);
    const std::u16string_view letters = u"yMdHthms:- ";
    for (int round = 0; round < 2000; ++round) {
        std::u16string pattern;
        for (int n = random() % 14; n > 0; --n)
            pattern.push_back(letters[random() % letters.size()]);
        ASSERT_EQ(FormatCustom(t, pattern), ReferenceFormat(t, pattern)) << ToUtf8(pattern);
    }
}

TEST(DateTime, FormatLocalUsesTheLocaleWithoutSecondsExceptKind3) {
    ASSERT_TRUE(kEnglish);
    TSystemTime t = Make(2010, 3, 5, 21, 7, 42);
    std::u16string date = FormatLocal(t, 1), time = FormatLocal(t, 2);
    EXPECT_EQ(date, u"3/5/10");
    EXPECT_EQ(ReplaceAll(time, u"\u202F", u" "), u"9:07 PM");
    EXPECT_EQ(FormatLocal(t, 0), date + u" " + time);
    EXPECT_EQ(ReplaceAll(FormatLocal(t, 3), u"\u202F", u" "), u"3/5/10 9:07:42 PM");
}

TEST(DateTime, ParseDateTimeKeepsFieldsTheTextDoesNotGive) {
    SetClockForTesting([] { return Make(2020, 6, 15, 8, 30, 45, 123); });
    struct Case {
        std::u16string_view text;
        bool fromNow;
        std::string expected;  // FormatDateTime kind 3
    } cases[] = {
        {u"2010-03-05 09:07", false, "2010-03-05 09:07:00"},
        {u"2010-03-05 09:07", true, "2010-03-05 09:07:45"},
        {u"2010-3-5 9:7:4", false, "2010-03-05 09:07:04"},
        {u"2011-02", true, "2011-02-15 08:30:45"},
        {u"10:20", true, "2020-06-15 10:20:45"},
        {u"23", true, "2020-06-15 23:30:45"},
        {u"x-y z", true, "0000-00-15 00:30:45"},  // unreadable numbers become 0
        {u"", true, "2020-06-15 08:30:45"},
        {u"2010-03-05 ", true, "2010-03-05 08:30:45"},
        {u"-5-99999", false, "0000-05-65535 00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(ParseDateTime(c.text, c.fromNow)), c.expected) << ToUtf8(c.text);
    EXPECT_EQ(ParseDateTime(u"10:20", true).Millisecond, 123);
    EXPECT_EQ(ParseDateTime(u"2010-03-05", false).DayOfWeek, 5);
    SetClockForTesting(nullptr);
}

TEST(DateTime, LocalNowFollowsTheTestClock) {
    SetClockForTesting([] { return Make(1999, 12, 31, 23, 59, 59); });
    EXPECT_EQ(LocalNow(), Make(1999, 12, 31, 23, 59, 59));
    SetClockForTesting(nullptr);
    TSystemTime now = LocalNow();
    EXPECT_GE(now.Year, 2024);
    EXPECT_EQ(now.DayOfWeek, FromUnits(ToUnits(now, tuSecond), tuSecond).DayOfWeek);
}

TEST(DateTime, UnitsCountFrom1601) {
    EXPECT_EQ(ToUnits(Make(1601, 1, 1), tuMillisecond), 0);
    EXPECT_EQ(ToUnits(Make(1970, 1, 1), tuSecond), 11'644'473'600);
    EXPECT_EQ(ToUnits(Make(1601, 1, 2, 0, 1, 59, 999), tuMinute), 1441);
    EXPECT_EQ(ToUnits(Make(1601, 1, 1, 0, 0, 1, 500), tuMillisecond), 1500);
    // Proleptic Gregorian leap rules: 1900 and 2100 are no leap years, 2000 is.
    struct Case {
        int y, m, d, weekday;
    } dates[] = {
        {1601, 1, 1, 1}, {1900, 2, 28, 3}, {1900, 3, 1, 4}, {2000, 2, 29, 2},
        {2000, 3, 1, 3}, {2010, 3, 5, 5},  {2100, 3, 1, 1}, {30827, 12, 31, 5},
    };
    for (const Case& c : dates) {
        TSystemTime t = Make(c.y, c.m, c.d, 13, 14, 15, 16);
        t.DayOfWeek = static_cast<uint16_t>(c.weekday);
        EXPECT_EQ(FromUnits(ToUnits(t, tuMillisecond), tuMillisecond), t) << Text(t);
        TSystemTime minute = t;
        minute.Second = minute.Millisecond = 0;
        EXPECT_EQ(FromUnits(ToUnits(t, tuMinute), tuMinute), minute) << Text(t);
    }
    EXPECT_EQ(ToUnits(Make(2000, 3, 1), tuMinute) - ToUnits(Make(2000, 2, 28), tuMinute), 2880);
    EXPECT_EQ(ToUnits(Make(2100, 3, 1), tuMinute) - ToUnits(Make(2100, 2, 28), tuMinute), 1440);
    EXPECT_EQ(ToUnits(Make(2011, 1, 1), tuSecond), ToUnits(Make(2010, 13, 1), tuSecond));
}

TEST(DateTime, AddUnitsCrossesBoundariesAndStaysInRange) {
    EXPECT_EQ(Text(AddUnits(Make(2004, 2, 28, 23, 59, 30), tuMinute, 1)), "2004-02-29 00:00:30");
    EXPECT_EQ(Text(AddUnits(Make(2100, 2, 28, 12), tuMinute, 1440)), "2100-03-01 12:00:00");
    EXPECT_EQ(Text(AddUnits(Make(2010, 1, 1), tuSecond, -1)), "2009-12-31 23:59:59");
    EXPECT_EQ(AddUnits(Make(2010, 1, 1), tuMillisecond, 1500).Millisecond, 500);
    EXPECT_EQ(AddUnits(Make(2010, 1, 1), tuMinute, 0).DayOfWeek, 5);
    EXPECT_EQ(Text(AddUnits(Make(2010, 1, 1), tuMinute, INT64_MIN)), "1601-01-01 00:00:00");
    EXPECT_EQ(Text(AddUnits(Make(2010, 1, 1), tuMinute, INT64_MAX)), "30828-09-14 02:48:05");
    EXPECT_EQ(Text(FromUnits(INT64_MAX, tuMillisecond)), "30828-09-14 02:48:05");
    EXPECT_EQ(Text(FromUnits(-5, tuSecond)), "1601-01-01 00:00:00");
}

TEST(DateTime, CompareDateTimeInWholeUnits) {
    TSystemTime a = Make(2010, 3, 5, 10, 0, 59), b = Make(2010, 3, 5, 10, 0, 1);
    EXPECT_EQ(CompareDateTime(a, b, tuMinute), 1);
    EXPECT_EQ(CompareDateTime(a, b, tuSecond), 2);
    EXPECT_EQ(CompareDateTime(b, a, tuSecond), 0);
    EXPECT_EQ(CompareDateTime(Make(2010, 3, 5, 0, 0, 0, 1), Make(2010, 3, 5), tuSecond), 1);
    EXPECT_EQ(CompareDateTime(Make(2010, 3, 5, 0, 0, 0, 1), Make(2010, 3, 5), tuMillisecond), 2);
    EXPECT_EQ(CompareDateTime(Make(2009, 12, 31, 23, 59), Make(2010, 1, 1), tuMinute), 0);
}

TEST(DateTime, ParseDurationInMinutes) {
    struct Case {
        std::u16string_view text;
        int64_t minutes;
    } cases[] = {
        {u"2h", 120},
        {u"45min", 45},
        {u"1d", 1440},
        {u"3", 180},
        {u" 2 h ", 120},
        {u"-1h", -60},
        {u"1.5h", 0},
        {u"xyz", 0},
        {u"", 0},
        {u"2dmin", 0},
        {u"9223372036854775807d", INT64_MAX},
        {u"-9223372036854775807h", INT64_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDuration(c.text), c.minutes) << ToUtf8(c.text);
}

}  // namespace
}  // namespace qb
