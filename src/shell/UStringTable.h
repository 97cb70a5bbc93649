#pragma once

// The program's string table: the English interface texts by id, built into the program from
// res/strings.txt (one "id=text" line each; "//" lines are comments; texts keep their spaces
// and their two-character escapes "\t" and "\n", which GetText of the language center turns
// into a tab and a line break).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// Empty for an id the table does not hold.
std::u16string StringTableText(int32_t id);
bool StringTableHas(int32_t id);
// Every id of the table in file order.
std::vector<int32_t> StringTableIds();

struct TStringTableEntry {
    int32_t Id = 0;
    std::u16string Text;
};

// Parses the table's text form. Malformed lines (no "=", an id that is not a whole number)
// are reported through `bad` with their 1-based line number and skipped.
std::vector<TStringTableEntry> ParseStringTable(std::string_view utf8,
                                                std::vector<int>* bad = nullptr);

}  // namespace qb
