#pragma once

// The editor's text tools: highlight blocks between marker characters, bullet and numbered
// lists, the two clean-ups of empty lines, the page name taken from the selection (F10) and
// node links, which name a page by its path in the tree.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// Carries out the Text Tools commands on the editor's control. Registered with the command
// center and the option manager for its lifetime.
class THLTextHandler : public ICommandExecutor, public IOptionObserver {
  public:
    explicit THLTextHandler(IEditControl& control);
    ~THLTextHandler() override;
    THLTextHandler(const THLTextHandler&) = delete;
    THLTextHandler& operator=(const THLTextHandler&) = delete;

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;
    // Reads the bullets of List 1 and List 2 again (options "UL1" and "UL2").
    void OptionChanged() override;

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
    std::u16string FList1;
    std::u16string FList2;
};

// The pure transformation behind CleanEmptyLines. `atTextEnd` tells whether the text runs to
// the end of the page: only there do the line breaks at its end go (or become one).
std::u16string CleanEmptyLinesText(std::u16string_view text, bool leaveOne, bool atTextEnd);

// The page name that F10 takes from the selection: its first 200 characters in stored form
// (tabs U+0001, line breaks U+0002); empty when nothing is selected.
std::u16string PageNameFromSelection(const IEditControl& control);

// --- node links ---

// The page tree as node links see it.
class INodeLinkPages {
  public:
    virtual ~INodeLinkPages() = default;
    // The names from the top of the tree down to the page, joined by "\"; empty when unknown.
    virtual std::u16string NodePath(int32_t id) const = 0;
    virtual std::optional<int32_t> OwnerOf(int32_t id) const = 0;
    virtual std::u16string GroupRootName() const = 0;
    // The first page in store order whose path equals `path`, letter case ignored.
    virtual std::optional<int32_t> FindByPath(std::u16string_view path) const = 0;
};

// The page store as node links see it.
class TStoreNodeLinkPages : public INodeLinkPages {
  public:
    std::u16string NodePath(int32_t id) const override;
    std::optional<int32_t> OwnerOf(int32_t id) const override;
    std::u16string GroupRootName() const override;
    std::optional<int32_t> FindByPath(std::u16string_view path) const override;
};

// "\x" is put under the group root, "..\x" and "@x" beside the page being shown; other links
// are full paths already.
std::u16string CompleteNodeLink(const INodeLinkPages& pages, std::u16string_view link,
                                int32_t shownPageId);

struct TNodeLinkTarget {
    std::u16string Path;            // the completed path
    std::optional<int32_t> PageId;  // none when no page has that path
};
TNodeLinkTarget ResolveNodeLink(const INodeLinkPages& pages, std::u16string_view link,
                                int32_t shownPageId);
// The node path of an "outlook:" link, none for other links.
std::optional<std::u16string> OutlookNodeLink(std::u16string_view link);
// The message for a path that names no page.
std::u16string InvalidNodeLinkText(std::u16string_view path);

}  // namespace qb
