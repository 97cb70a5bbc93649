#pragma once

// Word look-up in the ".dic" files of the program folder's "dict/" folder. A dictionary file is
// UTF-16 LE text with its byte-order mark: a header line with the title, then one entry per
// line (headword, tab, meaning; a range dictionary has a first and a last headword), sorted so
// that the file is searched by bisection over byte positions, never read whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

struct TDictHeader {
    std::u16string Title;  // comment and marker removed, trimmed
    bool Range = false;    // the header began with "$"
};

// The header line as the file has it, decoded.
TDictHeader ParseDictHeader(std::u16string_view line);

class TDictionary {
  public:
    // Below this many bytes the rest of a plain dictionary is read and scanned in one piece.
    static constexpr int64_t kScanBlock = 61441;

    // The selected dictionaries: file names in the dict folder, in look-up order, "," between.
    void SetSelected(std::u16string_view selDictList);
    const std::vector<std::u16string>& Selected() const { return FSelected; }
    void SetDebugMode(bool on) { FDebugMode = on; }
    bool DebugMode() const { return FDebugMode; }

    // Fills results with the meanings' lines, "no dictionary configured!" or "not found!".
    void Lookup(std::u16string_view word, std::vector<std::u16string>& results, bool multi);
    // With the debug mode on: one line per probe of the last look-up and one per file searched.
    const std::vector<std::u16string>& Trace() const { return FTrace; }

  private:
    struct THit {
        std::u16string Meaning;
        std::u16string Word;  // the case variant that was found
    };
    bool SearchDictionary(const std::u16string& path, std::u16string word, int variant, bool range,
                          THit& hit, std::u16string& name);

    std::vector<std::u16string> FSelected;
    bool FDebugMode = false;
    std::vector<std::u16string> FTrace;
};

// ProgramFolder() + "dict/".
std::u16string DictFolder();

// What the dictionary options panel does on opening: every ".dic" file of the dict folder that
// is not yet in allDictList is added to it, and every listed file that is not UTF-16 LE is
// rewritten so (a file that cannot be converted stays as it was). Returns the new list.
std::u16string ConvertDictionaries(std::u16string_view allDictList);

// Shown while ConvertDictionaries runs.
inline constexpr std::u16string_view kDictConvertMessage =
    u"Transferring encode of dictionary files, please wait...";

}  // namespace qb
