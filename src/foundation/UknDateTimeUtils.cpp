#include "foundation/UknDateTimeUtils.h"

#include <sys/time.h>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <array>
#include <climits>
#include <ctime>
#include <initializer_list>
#include <memory>
#include <mutex>

#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr int64_t kMsPerDay = 86'400'000;
constexpr int64_t kTicksPerMs = 10'000;
// The file-time range: 100-ns ticks from 0 to INT64_MAX.
constexpr int64_t kMaxMs = INT64_MAX / kTicksPerMs;
constexpr std::array<int64_t, 3> kUnitMs = {60'000, 1'000, 1};

std::function<TSystemTime()>& TestClock() {
    static std::function<TSystemTime()> clock;
    return clock;
}

// Days from 1601-01-01 in the proleptic Gregorian calendar; any month is normalised into its
// year, days, hours and so on simply add up.
int64_t DaysFrom1601(int64_t year, int64_t month, int64_t day) {
    int64_t m0 = month - 1;
    int64_t years = m0 >= 0 ? m0 / 12 : (m0 - 11) / 12;  // rounded down
    year += years;
    month = m0 - years * 12 + 1;
    // Counting years from March puts the leap day last.
    int64_t y = month <= 2 ? year - 1 : year;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t mp = (month + 9) % 12;
    int64_t doy = (153 * mp + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    constexpr int64_t kDaysTo1601 = 584'694;  // from 0000-03-01
    return era * 146'097 + doe - kDaysTo1601;
}

int DayOfWeekOf(int64_t days) {  // 1601-01-01 was a Monday
    int64_t w = (days + 1) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

int64_t ToMs(const TSystemTime& t) {
    int64_t days = DaysFrom1601(t.Year, t.Month, t.Day);
    return days * kMsPerDay + ((t.Hour * 60LL + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond;
}

TSystemTime FromMs(int64_t ms) {
    if (ms < 0) ms = 0;
    if (ms > kMaxMs) ms = kMaxMs;
    int64_t days = ms / kMsPerDay, rest = ms % kMsPerDay;
    // Inverse of DaysFrom1601, from 0000-03-01.
    int64_t z = days + 584'694;
    int64_t era = z / 146'097;
    int64_t doe = z - era * 146'097;
    int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t month = mp < 10 ? mp + 3 : mp - 9;
    int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    TSystemTime t;
    t.Year = static_cast<uint16_t>(year);
    t.Month = static_cast<uint16_t>(month);
    t.Day = static_cast<uint16_t>(doy - (153 * mp + 2) / 5 + 1);
    t.DayOfWeek = static_cast<uint16_t>(DayOfWeekOf(days));
    t.Hour = static_cast<uint16_t>(rest / 3'600'000);
    t.Minute = static_cast<uint16_t>(rest / 60'000 % 60);
    t.Second = static_cast<uint16_t>(rest / 1000 % 60);
    t.Millisecond = static_cast<uint16_t>(rest % 1000);
    return t;
}

int64_t UnitMs(int unit) {
    return kUnitMs[unit >= 0 && unit <= 2 ? unit : 0];
}

std::u16string FromIcu(const icu::UnicodeString& s) {
    return std::u16string(s.getBuffer(), s.getBuffer() + s.length());
}

icu::UnicodeString ToIcu(std::u16string_view s) {
    return icu::UnicodeString(s.data(), static_cast<int32_t>(s.size()));
}

// Month and day names and the AM/PM designators of the user's locale, English where the locale
// data gives none.
struct TLocaleNames {
    std::array<std::u16string, 12> Months, ShortMonths;
    std::array<std::u16string, 7> Days, ShortDays;  // Sunday first
    std::array<std::u16string, 2> AmPm;

    TLocaleNames()
        : Months{u"January", u"February", u"March",     u"April",   u"May",      u"June",
                 u"July",    u"August",   u"September", u"October", u"November", u"December"},
          ShortMonths{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                      u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
          Days{u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"},
          ShortDays{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"},
          AmPm{u"AM", u"PM"} {
        UErrorCode status = U_ZERO_ERROR;
        icu::DateFormatSymbols symbols(icu::Locale::getDefault(), status);
        if (U_FAILURE(status)) return;
        using S = icu::DateFormatSymbols;
        int32_t n = 0;
        Take(symbols.getMonths(n, S::FORMAT, S::WIDE), n, 0, Months);
        Take(symbols.getMonths(n, S::FORMAT, S::ABBREVIATED), n, 0, ShortMonths);
        // ICU's weekday arrays start with an unused entry.
        Take(symbols.getWeekdays(n, S::FORMAT, S::WIDE), n, 1, Days);
        Take(symbols.getWeekdays(n, S::FORMAT, S::ABBREVIATED), n, 1, ShortDays);
        Take(symbols.getAmPmStrings(n), n, 0, AmPm);
    }

    template <size_t N>
    static void Take(const icu::UnicodeString* names, int32_t n, int32_t first,
                     std::array<std::u16string, N>& into) {
        if (!names || n < first + static_cast<int32_t>(N)) return;
        for (size_t i = 0; i < N; ++i)
            if (!names[first + i].isEmpty()) into[i] = FromIcu(names[first + i]);
    }
};

const TLocaleNames& LocaleNames() {
    static const TLocaleNames names;
    return names;
}

std::u16string Number(int64_t n, int width) {
    return IntToStr(n, width);
}

template <size_t N>
std::u16string NameAt(const std::array<std::u16string, N>& names, int64_t i) {
    return i >= 0 && i < static_cast<int64_t>(N) ? names[static_cast<size_t>(i)] : std::u16string();
}

// The value of `count` repetitions of a token letter, for the counts that form a token.
bool TokenValue(const TSystemTime& t, char16_t letter, int count, std::u16string& out) {
    const TLocaleNames& names = LocaleNames();
    int hour12 = t.Hour % 12 == 0 ? 12 : t.Hour % 12;
    switch (letter) {
        case u'y':
            if (count == 4)
                out = Number(t.Year, 4);
            else if (count == 2)
                out = Number(t.Year % 100, 2);
            else
                out = Number(t.Year % 10, 1);
            return true;
        case u'M':
            if (count == 4)
                out = NameAt(names.Months, t.Month - 1);
            else if (count == 3)
                out = NameAt(names.ShortMonths, t.Month - 1);
            else
                out = Number(t.Month, count);
            return true;
        case u'd': {
            // The weekday follows from the date, whatever the DayOfWeek field holds.
            int weekday = DayOfWeekOf(DaysFrom1601(t.Year, t.Month, t.Day));
            if (count == 4)
                out = NameAt(names.Days, weekday);
            else if (count == 3)
                out = NameAt(names.ShortDays, weekday);
            else
                out = Number(t.Day, count);
            return true;
        }
        case u'H':
            out = Number(t.Hour, count);
            return true;
        case u'h':
            out = Number(hour12, count);
            return true;
        case u'm':
            out = Number(t.Minute, count);
            return true;
        case u's':
            out = Number(t.Second, count);
            return true;
        case u't':
            if (count != 2) return false;
            out = names.AmPm[t.Hour < 12 ? 0 : 1];
            return true;
        default:
            return false;
    }
}

// The longest token of a letter: yyyy, MMMM, dddd; HH, tt, hh, mm, ss; 0 for other characters.
int LongestToken(char16_t letter) {
    switch (letter) {
        case u'y':
        case u'M':
        case u'd':
            return 4;
        case u'H':
        case u't':
        case u'h':
        case u'm':
        case u's':
            return 2;
        default:
            return 0;
    }
}

// The length of the longest token of `letter` not longer than `run` ("yyy" is no token).
int TokenLength(char16_t letter, int run) {
    int n = std::min(run, LongestToken(letter));
    if (letter == u'y' && n == 3) n = 2;
    if (letter == u't' && n == 1) n = 0;
    return n;
}

// The user's locale formats, created once; ICU formatters are not safe to share unguarded.
class TLocalFormats {
  public:
    std::u16string Format(const TSystemTime& t, int kind) {
        std::lock_guard<std::mutex> lock(FMutex);
        if (!FReady) Create();
        UDate date = static_cast<UDate>(ToMs(t) - kMsFrom1601To1970);
        std::u16string datePart = Apply(FDate.get(), date, FormatDateTime(t, 1));
        std::u16string timePart = kind == 3
                                      ? Apply(FTimeSeconds.get(), date, FormatDateTime(t, 2))
                                      : Apply(FTime.get(), date, FormatDateTime(t, 2).substr(0, 5));
        if (kind == 1) return datePart;
        if (kind == 2) return timePart;
        return datePart + u" " + timePart;
    }

  private:
    static constexpr int64_t kMsFrom1601To1970 = 11'644'473'600'000;

    void Create() {
        FReady = true;
        const icu::Locale& locale = icu::Locale::getDefault();
        std::unique_ptr<icu::DateFormat> date(
            icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
        std::unique_ptr<icu::DateFormat> time(
            icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, locale));
        auto* simpleDate = dynamic_cast<icu::SimpleDateFormat*>(date.get());
        auto* simpleTime = dynamic_cast<icu::SimpleDateFormat*>(time.get());
        if (!simpleDate || !simpleTime) return;
        icu::UnicodeString datePattern, timePattern;
        simpleDate->toPattern(datePattern);
        simpleTime->toPattern(timePattern);
        std::u16string noSeconds = ReplaceAll(FromIcu(timePattern), u":ss", u"");
        FDate = Make(datePattern, locale);
        FTimeSeconds = Make(timePattern, locale);
        FTime = Make(ToIcu(noSeconds), locale);
    }

    // Broken-down times are local already, so the formatters work in GMT.
    static std::unique_ptr<icu::SimpleDateFormat> Make(const icu::UnicodeString& pattern,
                                                       const icu::Locale& locale) {
        UErrorCode status = U_ZERO_ERROR;
        auto f = std::make_unique<icu::SimpleDateFormat>(pattern, locale, status);
        if (U_FAILURE(status)) return nullptr;
        f->adoptTimeZone(icu::TimeZone::getGMT()->clone());
        return f;
    }

    static std::u16string Apply(icu::SimpleDateFormat* f, UDate date, std::u16string fallback) {
        if (!f) return fallback;
        icu::UnicodeString out;
        f->format(date, out);
        return FromIcu(out);
    }

    std::mutex FMutex;
    bool FReady = false;
    std::unique_ptr<icu::SimpleDateFormat> FDate, FTime, FTimeSeconds;
};

TLocalFormats& LocalFormats() {
    static TLocalFormats formats;
    return formats;
}

uint16_t Field(std::u16string_view text) {
    int64_t v = StrToIntDef(text, 0);
    return static_cast<uint16_t>(v < 0 ? 0 : v > UINT16_MAX ? UINT16_MAX : v);
}

// Sets fields[0], fields[1], ... from the `separator`-separated numbers of `part`.
void ParseFields(std::u16string_view part, char16_t separator,
                 std::initializer_list<uint16_t*> fields) {
    if (part.empty()) return;
    size_t start = 0;
    for (uint16_t* field : fields) {
        size_t at = part.find(separator, start);
        *field = Field(part.substr(start, at == std::u16string_view::npos ? at : at - start));
        if (at == std::u16string_view::npos) return;
        start = at + 1;
    }
}

}  // namespace

TSystemTime LocalNow() {
    if (TestClock()) return TestClock()();
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    TSystemTime t;
    t.Year = static_cast<uint16_t>(local.tm_year + 1900);
    t.Month = static_cast<uint16_t>(local.tm_mon + 1);
    t.DayOfWeek = static_cast<uint16_t>(local.tm_wday);
    t.Day = static_cast<uint16_t>(local.tm_mday);
    t.Hour = static_cast<uint16_t>(local.tm_hour);
    t.Minute = static_cast<uint16_t>(local.tm_min);
    t.Second = static_cast<uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);  // leap second
    t.Millisecond = static_cast<uint16_t>(now.tv_nsec / 1'000'000);
    return t;
}

void SetClockForTesting(std::function<TSystemTime()> clock) {
    TestClock() = std::move(clock);
}

std::u16string FormatDateTime(const TSystemTime& t, int kind) {
    std::u16string date = Number(t.Year, 4) + u"-" + Number(t.Month, 2) + u"-" + Number(t.Day, 2);
    std::u16string time = Number(t.Hour, 2) + u":" + Number(t.Minute, 2);
    switch (kind) {
        case 1:
            return date;
        case 2:
            return time + u":" + Number(t.Second, 2);
        case 3:
            return date + u" " + time + u":" + Number(t.Second, 2);
        default:
            return date + u" " + time;
    }
}

std::u16string FormatLocal(const TSystemTime& t, int kind) {
    return LocalFormats().Format(t, kind);
}

// Every token is a run of one letter and the tokens of a letter are tried longest first, so the
// recursive rule (the first listed token found splits the text, both sides formatted alike)
// comes down to cutting each run of a letter from its left into the longest tokens that fit.
// Done that way it takes linear time and no recursion, whatever the pattern's length.
std::u16string FormatCustom(const TSystemTime& t, std::u16string_view pattern) {
    std::u16string out;
    size_t i = 0;
    while (i < pattern.size()) {
        char16_t letter = pattern[i];
        size_t end = i;
        while (end < pattern.size() && pattern[end] == letter) ++end;
        for (int run = static_cast<int>(end - i); run > 0;) {
            int n = TokenLength(letter, run);
            std::u16string value;
            if (n == 0 || !TokenValue(t, letter, n, value)) {
                out.append(static_cast<size_t>(run), letter);
                break;
            }
            out += value;
            run -= n;
        }
        i = end;
    }
    return out;
}

TSystemTime ParseDateTime(std::u16string_view s, bool startFromNow) {
    TSystemTime t = startFromNow ? LocalNow() : TSystemTime();
    std::u16string_view date, time;
    size_t space = s.find(u' ');
    if (space != std::u16string_view::npos) {
        date = s.substr(0, space);
        time = s.substr(space + 1);
    } else if (s.find(u'-') != std::u16string_view::npos) {
        date = s;
    } else {
        time = s;
    }
    ParseFields(date, u'-', {&t.Year, &t.Month, &t.Day});
    ParseFields(time, u':', {&t.Hour, &t.Minute, &t.Second});
    t.DayOfWeek = static_cast<uint16_t>(DayOfWeekOf(DaysFrom1601(t.Year, t.Month, t.Day)));
    return t;
}

int64_t ToUnits(const TSystemTime& t, int unit) {
    int64_t ms = ToMs(t);
    return (ms < 0 ? 0 : ms > kMaxMs ? kMaxMs : ms) / UnitMs(unit);
}

TSystemTime FromUnits(int64_t n, int unit) {
    int64_t unitMs = UnitMs(unit);
    if (n > kMaxMs / unitMs) return FromMs(kMaxMs);
    return FromMs(n < 0 ? 0 : n * unitMs);
}

TSystemTime AddUnits(const TSystemTime& t, int unit, int64_t n) {
    int64_t unitMs = UnitMs(unit), ms = ToMs(t);
    int64_t limit = kMaxMs / unitMs + 1;  // beyond the range in either direction
    if (n > limit) n = limit;
    if (n < -limit) n = -limit;
    return FromMs(ms + n * unitMs);
}

int CompareDateTime(const TSystemTime& a, const TSystemTime& b, int unit) {
    int64_t x = ToUnits(a, unit), y = ToUnits(b, unit);
    return x < y ? 0 : x == y ? 1 : 2;
}

int64_t ParseDuration(std::u16string_view s) {
    struct TUnit {
        const char16_t* Letters;
        int64_t Minutes;
    };
    TUnit unit = s.find(u'd') != std::u16string_view::npos     ? TUnit{u"d", 1440}
                 : s.find(u"min") != std::u16string_view::npos ? TUnit{u"min", 1}
                                                               : TUnit{u"h", 60};
    int64_t n = StrToIntDef(ReplaceAll(s, unit.Letters, u""), 0);
    int64_t minutes = 0;
    if (__builtin_mul_overflow(n, unit.Minutes, &minutes)) return n < 0 ? INT64_MIN : INT64_MAX;
    return minutes;
}

}  // namespace qb
