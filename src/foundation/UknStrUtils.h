#pragma once

// String helpers with the exact rules stored data depends on. Positions are 1-based and counted
// in UTF-16 code units; every search is exact and case-sensitive unless its name says otherwise.

#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// --- conversion at the program's edges (argv, stdout, Qt, file encodings) ---
// Invalid input never fails: ill-formed UTF-8 and lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view s);
// The same appended to `out`, for output built from many pieces.
void AppendUtf8(std::u16string_view s, std::string& out);
std::u16string FromUtf8(std::string_view s);

// --- trimming and searching ---
std::u16string Trim(std::u16string_view s);  // drops leading/trailing chars below U+0021
std::u16string TrimLeft(std::u16string_view s);
std::u16string TrimRight(std::u16string_view s);
int Pos(std::u16string_view sub, std::u16string_view s, int from = 1);  // 0 when absent
int RPos(std::u16string_view sub, std::u16string_view s);               // last occurrence
std::u16string LeftStr(std::u16string_view s, int n);                   // whole string for n < 0
std::u16string MidStr(std::u16string_view s, int from, int n);          // to the end for n < 0
std::u16string RightStr(std::u16string_view s, int n);
std::u16string SubStr(std::u16string_view s, int from, int to);  // inclusive
std::u16string ReplaceAll(std::u16string_view s, std::u16string_view oldText,
                          std::u16string_view newText);

// Locale-aware comparison with the user's locale (ICU collation).
bool IsSameText(std::u16string_view a, std::u16string_view b);  // equal ignoring case
int CompareText(std::u16string_view a, std::u16string_view b);  // -1, 0, 1; case-sensitive

// Simple case mapping of the whole text (ICU, root locale).
std::u16string LowerCase(std::u16string_view s);
std::u16string UpperCase(std::u16string_view s);

// Returns a copy: a reference into either argument would dangle for temporaries.
inline std::u16string IfThen(bool condition, std::u16string_view a, std::u16string_view b) {
    return std::u16string(condition ? a : b);
}
inline int64_t IfThen(bool condition, int64_t a, int64_t b) {
    return condition ? a : b;
}

// --- numbers ---
std::u16string IntToStr(int64_t n, int width = 0);
// Throws TknError with the documented messages; a value outside 64 bits is not valid either.
int64_t StrToInt(std::u16string_view s);
int64_t StrToIntDef(std::u16string_view s, int64_t defaultValue);
bool StrToBool(std::u16string_view s);
std::u16string BoolToStr(bool b);
inline int BoolToInt(bool b) {
    return b ? 1 : 0;
}

// --- escapings of multi-line values ---
std::u16string EncodeForStorage(std::u16string_view s);   // TAB -> U+0001; VT, CR LF, CR -> U+0002
std::u16string DecodeFromStorage(std::u16string_view s);  // U+0001 -> TAB, U+0002 -> CR LF
std::u16string EncodeForDisplay(std::u16string_view s);   // each of the four -> two spaces

// The first n code units, one less when the cut would split a surrogate pair.
std::u16string CutAt(std::u16string_view s, size_t n);

}  // namespace qb
