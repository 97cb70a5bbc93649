#pragma once

// The editor's text tools: highlight blocks between marker characters, bullet and numbered
// lists, the two clean-ups of empty lines, the page name taken from the selection (F10) and
// node links, which name a page by its path in the tree.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/UEditControl.h"
#include "shell/UknClasses.h"

namespace qb {

// Command ids of the text tools (string-table ids as well).
constexpr int32_t cmPageNameFromSelection = 355;
constexpr int32_t cmHighlight1 = 1381;  // to cmHighlight1 + 3
constexpr int32_t cmRemoveHighlight = 1385;
constexpr int32_t cmList1 = 1386;
constexpr int32_t cmList2 = 1387;
constexpr int32_t cmOrderedList = 1388;
constexpr int32_t cmRemoveList = 1389;
constexpr int32_t cmDeleteEmptyLines = 1390;
constexpr int32_t cmLeaveOneEmptyLine = 1391;

// The opening marker of every highlight style and the closing marker of styles 0 to 3.
constexpr char16_t HLOpen = u'\x1C';
constexpr char16_t HLClose[4] = {u'\x1D', u'\x1E', u'\x1F', u'\x7F'};
bool IsHLClose(char16_t c);

class THLTextHandler : public ICommandExecutor {
  public:
    explicit THLTextHandler(IEditControl& control);

    // The bullets of List 1 and List 2 (options "UL1" and "UL2").
    void SetListPrefixes(std::u16string_view list1, std::u16string_view list2);

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

    // Wraps the selection in the markers of `style` (0..3) and selects the text inside them.
    void Highlight(int style);
    // Removes the markers of the block at or around the selection; nested blocks stay.
    void RemoveHighlight();
    // Removes every list form from the selected lines, then adds `prefix` (empty: numbering)
    // unless `add` is false.
    void MakeList(bool add, std::u16string_view prefix);
    // Every run of line breaks becomes one break, or exactly one empty line with `leaveOne`.
    void CleanEmptyLines(bool leaveOne);

  private:
    IEditControl& FControl;
    std::u16string FList1 = u"* ";
    std::u16string FList2 = u"> ";
};

// The pure transformation behind CleanEmptyLines. `atTextEnd` tells whether the text runs to
// the end of the page: only there do the line breaks at its end go (or become one).
std::u16string CleanEmptyLinesText(std::u16string_view text, bool leaveOne, bool atTextEnd);

// The page name that F10 takes from the selection: its first 200 characters in stored form
// (tabs U+0001, line breaks U+0002); empty when nothing is selected.
std::u16string PageNameFromSelection(const IEditControl& control);

// --- node links ---

// The page tree as node links see it (the page store).
class INodeLinkPages {
  public:
    virtual ~INodeLinkPages() = default;
    virtual std::vector<int32_t> PageIds() const = 0;  // every page, in store order
    virtual bool PageExists(int32_t id) const = 0;
    virtual int32_t OwnerId(int32_t id) const = 0;
    virtual std::u16string PageName(int32_t id) const = 0;
    virtual int32_t GroupRootId() const = 0;
};

constexpr int32_t RootPageId = -1;

// The names from the top of the tree down to the page, joined by "\"; the root has no part.
std::u16string PagePath(const INodeLinkPages& pages, int32_t id);
// "\x" is put under the group root, "..\x" and "@x" beside the page being shown.
std::u16string CompleteNodeLink(const INodeLinkPages& pages, std::u16string_view link,
                                int32_t shownPageId);
// The first page in store order whose path equals the completed path, letter case ignored.
std::optional<int32_t> FindNodeLink(const INodeLinkPages& pages, std::u16string_view path);
// The node path of an "outlook:" link, none for other links.
std::optional<std::u16string> OutlookNodeLink(std::u16string_view link);
// The message for a path that names no page.
std::u16string InvalidNodeLinkText(std::u16string_view path);

}  // namespace qb
