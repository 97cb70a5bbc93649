#include "shell/UIniRecord.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <type_traits>

#include "foundation/UknError.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

template <class... F>
struct TOverload : F... {
    using F::operator()...;
};
template <class... F>
TOverload(F...) -> TOverload<F...>;

constexpr char16_t kEscapedPassword = 0xE000;

bool FitsIniLine(std::u16string_view s) {
    for (char16_t c : s)
        if (c < 0x21 || c == u'"' || c == u'\'' || (c >= 0xD800 && c <= 0xDFFF) || c >= 0xFFFE)
            return false;
    return true;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// The scrambled text behind an escaped stored form, or the stored text itself.
std::u16string UnescapeStored(std::u16string_view stored) {
    if (stored.empty() || stored[0] != kEscapedPassword || (stored.size() - 1) % 4 != 0)
        return std::u16string(stored);
    std::u16string scrambled;
    for (size_t i = 1; i < stored.size(); i += 4) {
        int unit = 0;
        for (size_t k = i; k < i + 4; ++k) {
            int digit = HexDigit(stored[k]);
            if (digit < 0) return std::u16string(stored);
            unit = unit * 16 + digit;
        }
        scrambled.push_back(static_cast<char16_t>(unit));
    }
    return scrambled;
}

// A decimal number within [lo, hi], or nothing.
std::optional<int64_t> ParseNumber(std::u16string_view text, int64_t lo, int64_t hi) {
    try {
        int64_t v = StrToInt(Trim(text));
        if (v >= lo && v <= hi) return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

template <class T>
bool InRange(int64_t v) {
    return v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max();
}

// Ini readers trim the blanks around a value and take a value in double quotes without them,
// so a text with blanks at an end, or one that is itself in quotes, is written in quotes.
std::u16string Quoted(std::u16string_view v) {
    bool blankEnd = !v.empty() && (v.front() < 0x21 || v.back() < 0x21);
    bool inQuotes = v.size() >= 2 && v.front() == u'"' && v.back() == u'"';
    std::u16string text(v);
    return blankEnd || inQuotes ? u"\"" + text + u"\"" : text;
}

std::u16string Unquoted(std::u16string_view v) {
    if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"') v = v.substr(1, v.size() - 2);
    return std::u16string(v);
}

// Colours use the three low bytes only.
constexpr int64_t kMaxColor = 0xFFFFFF;

}  // namespace

bool SameIniName(std::u16string_view a, const char16_t* b) {
    return IsSameText(a, b);
}

std::u16string ScramblePassword(std::u16string_view password) {
    std::u16string s(password);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<char16_t>(i == 0 ? s[i] + 3 : s[i] - 2);
    if (FitsIniLine(s)) return s;
    std::u16string escaped(1, kEscapedPassword);
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (char16_t c : s)
        for (int shift = 12; shift >= 0; shift -= 4) escaped.push_back(kHex[(c >> shift) & 0xF]);
    return escaped;
}

std::u16string UnscramblePassword(std::u16string_view stored) {
    std::u16string s = UnescapeStored(stored);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<char16_t>(i == 0 ? s[i] - 3 : s[i] + 2);
    return s;
}

void ReadIniKey(TIniFileEx& ini, const char16_t* section, const char16_t* key, uint8_t flags,
                TFieldRef field) {
    ini.Section = section;
    std::visit(TOverload{
                   [&](int32_t* v) {
                       int64_t read = ini.ReadInteger(key, *v);
                       if (!InRange<int32_t>(read)) return;
                       *v = static_cast<int32_t>(read);
                       if (flags & kfClamp1To10) *v = std::clamp(*v, 1, 10);
                   },
                   [&](int64_t* v) { *v = StrToIntDef(Trim(ini.ReadString(key, u"")), *v); },
                   [&](bool* v) { *v = ini.ReadBool(key, *v); },
                   [&](THotKey* v) {
                       int64_t read = ini.ReadInteger(key, *v);
                       if (InRange<THotKey>(read)) *v = static_cast<THotKey>(read);
                   },
                   [&](TColor* v) {
                       int64_t read = ini.ReadInteger(key, *v);
                       if (read >= 0 && read <= kMaxColor) *v = static_cast<TColor>(read);
                   },
                   [&](std::u16string* v) {
                       if (flags & kfPassword) {
                           std::u16string stored = ini.ReadString(key, ScramblePassword(*v));
                           *v = UnscramblePassword(stored);
                       } else {
                           *v = Unquoted(ini.ReadString(key, Quoted(*v)));
                       }
                   },
                   [&](std::vector<std::u16string>* v) {
                       TknStrList list;
                       ini.ReadList(section, list);
                       v->clear();
                       for (int i = 0; i < list.Count(); ++i) v->push_back(Unquoted(list.Items(i)));
                   },
               },
               field);
}

void WriteIniKey(TIniFileEx& ini, const char16_t* section, const char16_t* key, uint8_t flags,
                 TFieldRef field) {
    ini.Section = section;
    std::visit(TOverload{
                   [&](int32_t* v) { ini.WriteInteger(key, *v); },
                   [&](int64_t* v) { ini.WriteString(key, IntToStr(*v)); },
                   [&](bool* v) { ini.WriteBool(key, *v); },
                   [&](THotKey* v) { ini.WriteInteger(key, *v); },
                   [&](TColor* v) { ini.WriteInteger(key, *v); },
                   [&](std::u16string* v) {
                       if (flags & kfVersion) *v = kOptionsVersion;
                       ini.WriteString(key, flags & kfPassword ? ScramblePassword(*v) : Quoted(*v));
                   },
                   [&](std::vector<std::u16string>* v) {
                       TknStrList list;
                       for (const auto& item : *v) list.Add(Quoted(item));
                       ini.WriteList(section, list);
                   },
               },
               field);
}

std::u16string FieldText(TFieldRef field) {
    return std::visit(TOverload{
                          [](bool* v) { return BoolToStr(*v); },
                          [](std::u16string* v) { return *v; },
                          [](std::vector<std::u16string>*) { return std::u16string(); },
                          [](auto* v) { return IntToStr(static_cast<int64_t>(*v)); },
                      },
                      field);
}

bool SetFieldText(TFieldRef field, std::u16string_view text) {
    auto setNumber = [text](auto* v, int64_t lo, int64_t hi) {
        auto n = ParseNumber(text, lo, hi);
        if (n) *v = static_cast<std::remove_reference_t<decltype(*v)>>(*n);
        return n.has_value();
    };
    return std::visit(TOverload{
                          [&](int32_t* v) { return setNumber(v, INT32_MIN, INT32_MAX); },
                          [&](int64_t* v) {
                              return setNumber(v, std::numeric_limits<int64_t>::min(),
                                               std::numeric_limits<int64_t>::max());
                          },
                          [&](bool* v) {
                              auto n = ParseNumber(text, std::numeric_limits<int64_t>::min(),
                                                   std::numeric_limits<int64_t>::max());
                              if (n) *v = *n != 0;
                              return n.has_value();
                          },
                          [&](THotKey* v) { return setNumber(v, 0, 0xFFFF); },
                          [&](TColor* v) { return setNumber(v, 0, kMaxColor); },
                          [&](std::u16string* v) {
                              *v = text;
                              return true;
                          },
                          [](std::vector<std::u16string>*) { return false; },
                      },
                      field);
}

void SetIniFieldText(std::u16string_view section, std::u16string_view key, const uint8_t* flags,
                     TFieldRef* field, std::u16string_view text) {
    std::u16string name = std::u16string(section) + u" " + std::u16string(key);
    if (!field) throw TknError(u"Unknown option: " + name);
    if (*flags & (kfReadOnly | kfVersion)) throw TknError(u"Option is read only: " + name);
    if (!SetFieldText(*field, text))
        throw TknError(u"Value does not fit option " + name + u": " + std::u16string(text));
    if (*flags & kfClamp1To10) {
        int32_t* v = std::get<int32_t*>(*field);
        *v = std::clamp(*v, 1, 10);
    }
}

}  // namespace qb
