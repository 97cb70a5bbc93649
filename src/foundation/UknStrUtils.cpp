#include "foundation/UknStrUtils.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ustring.h>

#include <memory>
#include <optional>

#include "foundation/UknError.h"

namespace qb {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsBlank(char16_t c) {
    return c < 0x21;
}

// Collators of the user's locale, created once: tertiary strength orders case-sensitively,
// secondary strength compares ignoring case.
// The POSIX locale ("C", "POSIX", an unset LANG) has no linguistic order of its own; it
// gets the root order so that lists sort the same way as in every real locale.
const icu::Locale& CollationLocale() {
    const icu::Locale& locale = icu::Locale::getDefault();
    if (std::string_view(locale.getVariant()) == "POSIX") return icu::Locale::getRoot();
    return locale;
}

icu::Collator* MakeCollator(icu::Collator::ECollationStrength strength) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(CollationLocale(), status));
    if (U_FAILURE(status) || !c) {
        status = U_ZERO_ERROR;
        c.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) return nullptr;
    }
    c->setStrength(strength);
    return c.release();
}

icu::Collator* CaseSensitiveCollator() {
    static std::unique_ptr<icu::Collator> c(MakeCollator(icu::Collator::TERTIARY));
    return c.get();
}

icu::Collator* IgnoreCaseCollator() {
    static std::unique_ptr<icu::Collator> c(MakeCollator(icu::Collator::SECONDARY));
    return c.get();
}

bool IsPlainAscii(std::u16string_view s) {
    for (char16_t c : s)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + 32 : c;
}

int Compare(icu::Collator* collator, std::u16string_view a, std::u16string_view b) {
    if (!collator) return a < b ? -1 : (a == b ? 0 : 1);
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r = collator->compare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                           static_cast<int32_t>(b.size()), status);
    return r == UCOL_LESS ? -1 : (r == UCOL_EQUAL ? 0 : 1);
}

std::u16string MapCase(std::u16string_view s, bool upper) {
    if (s.empty()) return {};
    std::u16string out(s.size(), u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        UErrorCode status = U_ZERO_ERROR;
        auto fn = upper ? u_strToUpper : u_strToLower;
        int32_t n = fn(out.data(), static_cast<int32_t>(out.size()), s.data(),
                       static_cast<int32_t>(s.size()), "", &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.assign(static_cast<size_t>(n), u'\0');
            continue;
        }
        if (U_FAILURE(status)) return std::u16string(s);
        out.resize(static_cast<size_t>(n));
        return out;
    }
    return std::u16string(s);
}

}  // namespace

std::string ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    AppendUtf8(s, out);
    return out;
}

void AppendUtf8(std::u16string_view s, std::string& out) {
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

std::u16string FromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    size_t n = s.size(), i = 0;
    while (i < n) {
        unsigned char b = p[i];
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
        if (b >= 0xF5) extra = -1;
        uint32_t c = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        size_t j = i + 1;
        bool ok = extra > 0;
        for (int k = 0; ok && k < extra; ++k, ++j) {
            if (j >= n || (p[j] & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (p[j] & 0x3F);
        }
        if (ok && ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
                   (extra == 3 && (c < 0x10000 || c > 0x10FFFF))))
            ok = false;
        if (!ok) {
            out.push_back(kReplacement);
            ++i;  // resynchronise on the next byte
            while (i < n && (p[i] & 0xC0) == 0x80 && i < j) ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i = j;
    }
    return out;
}

std::u16string Trim(std::u16string_view s) {
    return TrimRight(TrimLeft(s));
}

std::u16string TrimLeft(std::u16string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return std::u16string(s.substr(i));
}

std::u16string TrimRight(std::u16string_view s) {
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return std::u16string(s.substr(0, n));
}

int Pos(std::u16string_view sub, std::u16string_view s, int from) {
    if (sub.empty() || s.empty()) return 0;
    if (from < 1) from = 1;
    if (static_cast<size_t>(from) > s.size()) return 0;
    size_t at = s.find(sub, static_cast<size_t>(from - 1));
    return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int RPos(std::u16string_view sub, std::u16string_view s) {
    if (sub.empty() || s.empty()) return 0;
    size_t at = s.rfind(sub);
    return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::u16string LeftStr(std::u16string_view s, int n) {
    if (n < 0) return std::u16string(s);
    return std::u16string(s.substr(0, static_cast<size_t>(n)));
}

std::u16string MidStr(std::u16string_view s, int from, int n) {
    if (from < 1) from = 1;
    if (static_cast<size_t>(from) > s.size()) return {};
    auto rest = s.substr(static_cast<size_t>(from - 1));
    return n < 0 ? std::u16string(rest) : std::u16string(rest.substr(0, static_cast<size_t>(n)));
}

std::u16string RightStr(std::u16string_view s, int n) {
    if (n <= 0) return {};
    if (static_cast<size_t>(n) >= s.size()) return std::u16string(s);
    return std::u16string(s.substr(s.size() - static_cast<size_t>(n)));
}

std::u16string SubStr(std::u16string_view s, int from, int to) {
    if (from < 1 || static_cast<size_t>(from) > s.size() || from > to) return {};
    return MidStr(s, from, to - from + 1);
}

std::u16string ReplaceAll(std::u16string_view s, std::u16string_view oldText,
                          std::u16string_view newText) {
    if (oldText.empty()) return std::u16string(s);
    std::u16string out;
    out.reserve(s.size());
    size_t start = 0;
    for (;;) {
        size_t at = s.find(oldText, start);
        if (at == std::u16string_view::npos) break;
        out.append(s.substr(start, at - start));
        out.append(newText);
        start = at + oldText.size();
    }
    out.append(s.substr(start));
    return out;
}

bool IsSameText(std::u16string_view a, std::u16string_view b) {
    if (a == b) return true;
    if (IsPlainAscii(a) && IsPlainAscii(b)) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
        return true;
    }
    return Compare(IgnoreCaseCollator(), a, b) == 0;
}

int CompareText(std::u16string_view a, std::u16string_view b) {
    if (a == b) return 0;
    return Compare(CaseSensitiveCollator(), a, b);
}

std::u16string LowerCase(std::u16string_view s) {
    return MapCase(s, false);
}
std::u16string UpperCase(std::u16string_view s) {
    return MapCase(s, true);
}

std::u16string IntToStr(int64_t n, int width) {
    bool negative = n < 0;
    uint64_t v = negative ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    std::u16string digits;
    do {
        digits.push_back(static_cast<char16_t>(u'0' + v % 10));
        v /= 10;
    } while (v != 0);
    while (static_cast<int>(digits.size()) < width) digits.push_back(u'0');
    if (negative) digits.push_back(u'-');
    return std::u16string(digits.rbegin(), digits.rend());
}

namespace {

// The number the text holds after trimming, or nothing; overlong numbers fail instead of
// wrapping round to an unrelated value. No copies and no exceptions: the index holds hundreds
// of thousands of numbers, and empty entries are common.
std::optional<int64_t> ParseInteger(std::u16string_view s) {
    size_t first = 0, last = s.size();
    while (first < last && IsBlank(s[first])) ++first;
    while (last > first && IsBlank(s[last - 1])) --last;
    const bool negative = first < last && s[first] == u'-';
    size_t i = first + (negative ? 1 : 0);
    if (i == last) return std::nullopt;
    const uint64_t limit = static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0);
    uint64_t v = 0;
    for (; i < last; ++i) {
        if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
        auto digit = static_cast<uint64_t>(s[i] - u'0');
        if (v > (limit - digit) / 10) return std::nullopt;
        v = v * 10 + digit;
    }
    return negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
}

}  // namespace

int64_t StrToInt(std::u16string_view s) {
    if (std::optional<int64_t> v = ParseInteger(s)) return *v;
    std::u16string t = Trim(s);
    if (t.empty()) throw TknError(u"empty string cannot be converted to integer!");
    throw TknError(t + u" is not a valid integer!");
}

int64_t StrToIntDef(std::u16string_view s, int64_t defaultValue) {
    return ParseInteger(s).value_or(defaultValue);
}

bool StrToBool(std::u16string_view s) {
    return StrToIntDef(s, 0) != 0;
}
std::u16string BoolToStr(bool b) {
    return b ? u"1" : u"0";
}

std::u16string EncodeForStorage(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c == u'\t') {
            out.push_back(u'\x01');
        } else if (c == u'\v') {
            out.push_back(u'\x02');
        } else if (c == u'\r') {
            out.push_back(u'\x02');
            if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string DecodeFromStorage(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size() + 16);
    for (char16_t c : s) {
        if (c == u'\x01')
            out.push_back(u'\t');
        else if (c == u'\x02')
            out.append(u"\r\n");
        else
            out.push_back(c);
    }
    return out;
}

std::u16string EncodeForDisplay(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size() + 16);
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c == u'\t' || c == u'\v' || c == u'\r') {
            out.append(u"  ");
            if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string CutAt(std::u16string_view s, size_t n) {
    if (s.size() <= n) return std::u16string(s);
    if (n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF) --n;
    return std::u16string(s.substr(0, n));
}

}  // namespace qb
