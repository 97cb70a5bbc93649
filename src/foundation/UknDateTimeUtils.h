#pragma once

// Local date-times in broken-down form, their stored and display texts, and unit arithmetic.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qb {

struct TSystemTime {
    uint16_t Year = 1601;
    uint16_t Month = 1;      // 1..12
    uint16_t DayOfWeek = 1;  // 0 Sunday .. 6 Saturday
    uint16_t Day = 1;
    uint16_t Hour = 0;
    uint16_t Minute = 0;
    uint16_t Second = 0;
    uint16_t Millisecond = 0;
    bool operator==(const TSystemTime&) const = default;
};

// Current local time. Tests replace the clock; an empty function restores the real one.
TSystemTime LocalNow();
void SetClockForTesting(std::function<TSystemTime()> clock);

enum TTimeUnit : int { tuMinute = 0, tuSecond = 1, tuMillisecond = 2 };

// kind 0 "yyyy-MM-dd HH:mm", 1 "yyyy-MM-dd", 2 "HH:mm:ss", 3 "yyyy-MM-dd HH:mm:ss".
std::u16string FormatDateTime(const TSystemTime& t, int kind);
// The user's locale formats (display only); same kinds as FormatDateTime.
std::u16string FormatLocal(const TSystemTime& t, int kind);
std::u16string FormatCustom(const TSystemTime& t, std::u16string_view pattern);
TSystemTime ParseDateTime(std::u16string_view s, bool startFromNow);

int64_t ToUnits(const TSystemTime& t, int unit);  // whole units since 1601-01-01 00:00
TSystemTime FromUnits(int64_t n, int unit);
TSystemTime AddUnits(const TSystemTime& t, int unit, int64_t n);
int CompareDateTime(const TSystemTime& a, const TSystemTime& b, int unit);  // 0 <, 1 =, 2 >

int64_t ParseDuration(std::u16string_view s);  // minutes

}  // namespace qb
