#pragma once

// The common machinery of the option and memory managers: each manager describes its record as
// a table of ini keys in file order, and one reader, one writer and one text form serve every
// key, so that the read order and the write order cannot drift apart.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qb {

class TIniFileEx;

// A 16-bit hotkey word: virtual-key code in the low byte, modifier flags in the high byte
// (shift 1, control 2, alt 4); 0 means none.
using THotKey = uint16_t;
// A colour: red in the low byte, green in the next, blue in the next.
using TColor = uint32_t;
constexpr TColor Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) |
           (static_cast<TColor>(blue) << 16);
}

// The field behind one key. int64 values are stored as decimal text; a vector is a whole
// section in the list form (ItemCount, Item0, Item1, ...).
using TFieldRef = std::variant<int32_t*, int64_t*, bool*, THotKey*, TColor*, std::u16string*,
                               std::vector<std::u16string>*>;

enum TKeyFlag : uint8_t {
    kfNone = 0,
    kfReadOnly = 1,    // read, never written
    kfPassword = 2,    // stored scrambled
    kfClamp1To10 = 4,  // clamped to 1..10 on reading
    kfVersion = 8,     // written as the program's version
};

template <class R>
struct TIniKey {
    const char16_t* Section;
    const char16_t* Key;         // null for a list section
    const char16_t* WrittenKey;  // the spelling used when writing; null: Key
    uint8_t Flags;
    TFieldRef (*Field)(R&);
};

// The version the option file is written with.
inline constexpr char16_t kOptionsVersion[] = u"3.2.0";

// Reads one key into its field; the field's current value is the default. Values that do not
// fit the field (numbers beyond its range) leave the default.
void ReadIniKey(TIniFileEx& ini, const char16_t* section, const char16_t* key, uint8_t flags,
                TFieldRef field);
void WriteIniKey(TIniFileEx& ini, const char16_t* section, const char16_t* key, uint8_t flags,
                 TFieldRef field);
// The value as text: numbers in decimal, booleans "1"/"0", the password in plain text.
std::u16string FieldText(TFieldRef field);
// Sets the field from such a text; false when the text does not fit the field.
bool SetFieldText(TFieldRef field, std::u16string_view text);

template <class R>
void ReadIniKeys(TIniFileEx& ini, const std::vector<TIniKey<R>>& keys, R& record) {
    for (const auto& k : keys) ReadIniKey(ini, k.Section, k.Key, k.Flags, k.Field(record));
}

template <class R>
void WriteIniKeys(TIniFileEx& ini, const std::vector<TIniKey<R>>& keys, R& record) {
    for (const auto& k : keys)
        if (!(k.Flags & kfReadOnly))
            WriteIniKey(ini, k.Section, k.WrittenKey ? k.WrittenKey : k.Key, k.Flags,
                        k.Field(record));
}

// The key of a single value by section and key name, both without regard to case (either
// spelling of the key); null for unknown keys and list sections.
template <class R>
const TIniKey<R>* FindIniKey(const std::vector<TIniKey<R>>& keys, std::u16string_view section,
                             std::u16string_view key);
bool SameIniName(std::u16string_view a, const char16_t* b);

template <class R>
const TIniKey<R>* FindIniKey(const std::vector<TIniKey<R>>& keys, std::u16string_view section,
                             std::u16string_view key) {
    for (const auto& k : keys)
        if (k.Key && SameIniName(section, k.Section) &&
            (SameIniName(key, k.Key) || (k.WrittenKey && SameIniName(key, k.WrittenKey))))
            return &k;
    return nullptr;
}

// The text form of one single value; nullopt for an unknown key.
template <class R>
std::optional<std::u16string> KeyValueText(const std::vector<TIniKey<R>>& keys, R& record,
                                           std::u16string_view section, std::u16string_view key) {
    const TIniKey<R>* k = FindIniKey(keys, section, key);
    if (!k) return std::nullopt;
    return FieldText(k->Field(record));
}

// Sets one single value from its text form; throws TknError for an unknown or read-only key
// and for a text that does not fit the field.
void SetIniFieldText(std::u16string_view section, std::u16string_view key, const uint8_t* flags,
                     TFieldRef* field, std::u16string_view text);

template <class R>
void SetKeyValueText(const std::vector<TIniKey<R>>& keys, R& record, std::u16string_view section,
                     std::u16string_view key, std::u16string_view text) {
    const TIniKey<R>* k = FindIniKey(keys, section, key);
    TFieldRef field;
    if (k) field = k->Field(record);
    SetIniFieldText(section, key, k ? &k->Flags : nullptr, k ? &field : nullptr, text);
}

// A key table entry's field accessor: QB_INI_FIELD(TOptions, StartPage).
#define QB_INI_FIELD(R, member) [](R& r) -> TFieldRef { return &r.member; }

// The stored form of the login password: the first character plus 3, every further one
// minus 2 (16-bit code units, wrapping). A scrambled text that an ini line cannot hold
// exactly (control characters, blanks or quotes that readers trim, lone surrogates) is stored
// as U+E000 followed by four hex digits per code unit; no password of valid text can start
// with U+E000 in the plain stored form, as that needs a lone low surrogate first.
std::u16string ScramblePassword(std::u16string_view password);
std::u16string UnscramblePassword(std::u16string_view stored);

}  // namespace qb
