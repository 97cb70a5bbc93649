#include "editor/UEditor.h"

#include <algorithm>

#include "editor/UknRichEditClasses.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

// How far Remove Highlight looks for the markers, so that a long page is never read whole.
constexpr int HLScanLimit = 2000;

bool HasLineBreak(const std::u16string& s) {
    return s.find(u'\r') != std::u16string::npos;
}

}  // namespace

bool IsHLClose(char16_t c) {
    return std::find(std::begin(HLClose), std::end(HLClose), c) != std::end(HLClose);
}

// --- THLTextHandler ---

THLTextHandler::THLTextHandler(IEditControl& control) : FControl(control) {
    CommandCenter().AddExecutor(this);
    OptionManager().AddObserver(this);
}

THLTextHandler::~THLTextHandler() {
    if (auto* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (auto* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
}

void THLTextHandler::OptionChanged() {
    FList1 = OptionManager().UL1;
    FList2 = OptionManager().UL2;
}

bool THLTextHandler::CheckCommand(int32_t id) {
    if (id >= cmHighlight1 && id < cmHighlight1 + 4)
        return !FControl.ReadOnly() && FControl.GetSel().Length > 0;
    if (id >= cmList1 && id <= cmRemoveList) return HasLineBreak(FControl.SelText());
    return true;
}

void THLTextHandler::ExecuteCommand(int32_t id) {
    if (!CheckCommand(id)) return;
    switch (id) {
        case cmRemoveHighlight:
            RemoveHighlight();
            break;
        case cmList1:
            MakeList(true, FList1);
            break;
        case cmList2:
            MakeList(true, FList2);
            break;
        case cmOrderedList:
            MakeList(true, u"");
            break;
        case cmRemoveList:
            MakeList(false, u"");
            break;
        case cmDeleteEmptyLines:
            CleanEmptyLines(false);
            break;
        case cmLeaveOneEmptyLine:
            CleanEmptyLines(true);
            break;
        default:
            if (id >= cmHighlight1 && id < cmHighlight1 + 4) Highlight(id - cmHighlight1);
    }
}

void THLTextHandler::Highlight(int style) {
    TEditSel sel = FControl.GetSel();
    std::u16string text = FControl.SelText();
    // The line break of a selected line stays outside the block.
    if (!text.empty() && text.back() == u'\r') text.pop_back();
    if (text.empty()) return;
    sel.Length = static_cast<int>(text.size());
    FControl.SetSel(sel.Start, sel.Length);
    if (!FControl.ReplaceSel(HLOpen + text + HLClose[style])) return;
    FControl.SetSel(sel.Start + 1, sel.Length);
}

void THLTextHandler::RemoveHighlight() {
    TEditSel sel = FControl.GetSel();
    int open = -1;
    if (sel.Start > 0 && FControl.TextRange(sel.Start - 1, sel.Start)[0] == HLOpen) {
        open = sel.Start - 1;
    } else if (size_t inside = FControl.SelText().find(HLOpen); inside != std::u16string::npos) {
        open = sel.Start + static_cast<int>(inside);
    } else {
        int from = std::max(sel.Start - HLScanLimit, 0);
        size_t before = FControl.TextRange(from, sel.Start).rfind(HLOpen);
        if (before != std::u16string::npos) open = from + static_cast<int>(before);
    }
    if (open < 0) return;
    int scan = std::max(sel.End() - open, HLScanLimit);
    std::u16string ahead = FControl.TextRange(open + 1, open + 1 + scan);
    int close = -1;
    for (int i = 0, depth = 1; i < static_cast<int>(ahead.size()); ++i) {
        if (ahead[i] == HLOpen)
            ++depth;
        else if (IsHLClose(ahead[i]) && --depth == 0) {
            close = open + 1 + i;
            break;
        }
    }
    // No closing marker, or the block closed before the caret.
    if (close < 0 || close < sel.Start) return;
    FControl.SetSel(open, close - open + 1);
    if (!FControl.ReplaceSel(ahead.substr(0, close - open - 1))) return;
    FControl.SetSel(open, close - open - 1);
}

void THLTextHandler::MakeList(bool add, std::u16string_view prefix) {
    LinePrefix(FControl, false, FList1);
    LinePrefix(FControl, false, FList2);
    LinePrefix(FControl, false, u"");
    if (add) LinePrefix(FControl, true, prefix);
}

void THLTextHandler::CleanEmptyLines(bool leaveOne) {
    if (FControl.GetSel().Length == 0) FControl.SetSel(0, FControl.TextLength());
    TEditSel sel = FControl.GetSel();
    std::u16string text = FControl.SelText();
    std::u16string clean = CleanEmptyLinesText(text, leaveOne, sel.End() == FControl.TextLength());
    if (clean != text) FControl.ReplaceSel(clean);
}

std::u16string CleanEmptyLinesText(std::u16string_view text, bool leaveOne, bool atTextEnd) {
    std::u16string out;
    out.reserve(text.size() + 2);
    std::u16string blanks;
    bool pending = false;
    auto flush = [&] {
        out += leaveOne ? u"\r\r" : u"\r";
        out += blanks;
        blanks.clear();
        pending = false;
    };
    for (char16_t c : text) {
        if (c == u'\r') {
            pending = true;
            blanks.clear();
        } else if (c == u'\n') {
            continue;
        } else if (pending && (c == u' ' || c == u'\t')) {
            blanks += c;
        } else {
            if (pending) flush();
            out += c;
        }
    }
    // Inside a page the text after the selection continues the last line: its break stays.
    if (!atTextEnd && pending)
        flush();
    else if (atTextEnd && leaveOne)
        out += u'\r';
    return out;
}

std::u16string PageNameFromSelection(const IEditControl& control) {
    return EncodeForStorage(LeftStr(control.SelText(), 200));
}

// --- node links ---

std::u16string TStoreNodeLinkPages::NodePath(int32_t id) const {
    return GetStore().GetNodePath(GetStore().GetPage(id));
}

std::optional<int32_t> TStoreNodeLinkPages::OwnerOf(int32_t id) const {
    TPageSuper* page = GetStore().GetPage(id);
    if (!page) return std::nullopt;
    return page->OwnerId();
}

std::u16string TStoreNodeLinkPages::GroupRootName() const {
    int32_t id;
    if (!GetStore().FindFirstOfType(ptGroupRoot, id)) return {};
    return GetStore().GetPage(id)->Name();
}

std::optional<int32_t> TStoreNodeLinkPages::FindByPath(std::u16string_view path) const {
    TPageSuper* page = nullptr;
    if (!GetStore().FindByPath(path, page)) return std::nullopt;
    return page->Id();
}

std::u16string CompleteNodeLink(const INodeLinkPages& pages, std::u16string_view link,
                                int32_t shownPageId) {
    auto parentPath = [&] {
        std::optional<int32_t> owner = pages.OwnerOf(shownPageId);
        return owner ? pages.NodePath(*owner) : std::u16string();
    };
    if (link.starts_with(u"\\")) return pages.GroupRootName() + std::u16string(link);
    if (link.starts_with(u"..\\")) return parentPath() + std::u16string(link.substr(2));
    if (link.starts_with(u"@")) return parentPath() + u'\\' + std::u16string(link.substr(1));
    return std::u16string(link);
}

TNodeLinkTarget ResolveNodeLink(const INodeLinkPages& pages, std::u16string_view link,
                                int32_t shownPageId) {
    TNodeLinkTarget target{CompleteNodeLink(pages, link, shownPageId), std::nullopt};
    target.PageId = pages.FindByPath(target.Path);
    return target;
}

std::optional<std::u16string> OutlookNodeLink(std::u16string_view link) {
    if (link.size() < 8 || !IsSameText(link.substr(0, 8), u"outlook:")) return std::nullopt;
    std::u16string path(link.substr(8));
    path.erase(0, path.find_first_not_of(u'/'));
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
}

std::u16string InvalidNodeLinkText(std::u16string_view path) {
    return u"Invalid node link!: " + std::u16string(path);
}

}  // namespace qb
