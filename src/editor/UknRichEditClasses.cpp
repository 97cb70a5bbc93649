#include "editor/UknRichEditClasses.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

bool IsBlank(char16_t c) {
    return c <= u' ';
}

bool EndsParagraph(const std::u16string& line) {
    return !line.empty() && (line.back() == u'\r' || line.back() == u'\v');
}

// The leading tabs, spaces and ideographic spaces of the paragraph holding `pos`, whose display
// lines run until one that ends with a line break.
std::u16string ParagraphIndent(const IEditControl& control, int pos) {
    int first = control.LineFromChar(pos);
    while (first > 0 && !EndsParagraph(control.LineText(first - 1))) --first;
    std::u16string text;
    for (int line = first; line < control.LineCount(); ++line) {
        std::u16string part = control.LineText(line);
        text += part;
        if (EndsParagraph(part)) break;
    }
    size_t n = text.find_first_not_of(u"\t \u3000");
    return text.substr(0, n == std::u16string::npos ? text.size() : n);
}

}  // namespace

void LinePrefix(IEditControl& control, bool add, std::u16string_view prefix) {
    TEditSel sel = control.GetSel();
    int lineStart = control.ParagraphFromChar(sel.Start).Start;
    if (lineStart < sel.Start) {
        sel = {lineStart, sel.Length + sel.Start - lineStart};
        control.SetSel(sel.Start, sel.Length);
    }
    std::u16string t = control.SelText();
    const std::u16string original = t;
    // 0-based here: `pos` is the index of the line's first character.
    size_t pos = 0;
    for (int n = 1; pos < t.size(); ++n) {
        if (n >= 2 && pos == 0) break;
        std::u16string p = prefix.empty() ? IntToStr(n) + u". " : std::u16string(prefix);
        while (pos + 1 < t.size() && IsBlank(t[pos])) ++pos;
        // A blank last line gets no prefix either.
        if (IsBlank(t[pos])) break;
        if (add) {
            t.insert(pos, p);
        } else if (t.compare(pos, p.size(), p) == 0) {
            t.erase(pos, p.size());
        } else if (pos > 0 && p.size() == 1 && IsBlank(p[0]) && IsBlank(t[pos - 1]) &&
                   t[pos - 1] != u'\r') {
            t.erase(--pos, 1);
        }
        size_t cr = t.find(u'\r', pos);
        pos = cr == std::u16string::npos ? 0 : cr + 1;
    }
    if (t != original && !control.ReplaceSel(t)) return;
    control.SetSel(sel.Start, static_cast<int>(t.size()));
}

void EnterKey(IEditControl& control, bool autoIndent, bool autoEmptyLine) {
    std::u16string indent;
    if (autoIndent) indent = ParagraphIndent(control, control.GetSel().Start);
    if (!control.ReplaceSel(u"\r")) return;
    if (autoEmptyLine) control.ReplaceSel(u"\r");
    for (char16_t c : indent) control.TypeChar(c);
}

bool TabKey(IEditControl& control, bool shift) {
    if (control.SelText().find(u'\r') == std::u16string::npos) return false;
    LinePrefix(control, !shift, u"\t");
    return true;
}

}  // namespace qb

namespace qb {

// --- links ---

namespace {

bool EndsLink(char16_t c) {
    return c <= u' ' || c == u'"' || c == u'\'' || c == u'<' || c == u'>' || c == 0x3000;
}

bool HasLinkPrefix(std::u16string_view run) {
    static constexpr std::u16string_view prefixes[] = {u"http://", u"https://", u"ftp://",  u"www.",
                                                       u"mailto:", u"file:",    u"outlook:"};
    for (std::u16string_view p : prefixes)
        if (run.size() > p.size() && IsSameText(run.substr(0, p.size()), p)) return true;
    return false;
}

}  // namespace

std::vector<TEditSel> LinksIn(std::u16string_view text) {
    std::vector<TEditSel> links;
    const int size = static_cast<int>(text.size());
    for (int start = 0; start < size;) {
        if (EndsLink(text[start])) {
            ++start;
            continue;
        }
        int end = start;
        while (end < size && !EndsLink(text[end])) ++end;
        if (HasLinkPrefix(text.substr(start, end - start))) links.push_back({start, end - start});
        start = end;
    }
    return links;
}

TEditSel LinkAt(std::u16string_view paragraph, int offset) {
    for (const TEditSel& link : LinksIn(paragraph))
        if (offset >= link.Start && offset < link.End()) return link;
    return {-1, 0};
}

// --- TknRichEditFindHandler ---

int TknRichEditFindHandler::FindText(int from, int to, bool upward) const {
    if (!upward) return FControl.Find(from, to, FindWhat, Flags(false));
    int low = to < 0 ? 0 : std::min(from, to);
    return FControl.Find(low, std::max(from, to), FindWhat, Flags(true));
}

bool TknRichEditFindHandler::SelectionIsTarget() const {
    TEditSel sel = FControl.GetSel();
    return sel.Length == static_cast<int>(FindWhat.size()) &&
           FControl.Find(sel.Start, sel.End(), FindWhat, {MatchCase, false, true}) == sel.Start;
}

bool TknRichEditFindHandler::FindNext(bool reverse) {
    if (FindWhat.empty()) return false;
    bool upward = DirUp != reverse;
    if (!WithinSelection && SelectionIsTarget()) {
        // Step off the match that is selected so that it is not found again.
        int start = FControl.GetSel().Start;
        FControl.SetSel(upward ? start : start + 1, 0);
    }
    TEditSel sel = FControl.GetSel();
    int found = FindText(sel.Start, WithinSelection && sel.Length > 0 ? sel.End() : -1, upward);
    if (found < 0 && !WithinSelection && RollBack)
        found = upward ? FindText(FControl.TextLength(), -1, true) : FindText(0, -1, false);
    if (found < 0) return false;
    FControl.SetSel(found, static_cast<int>(FindWhat.size()));
    WithinSelection = false;
    return true;
}

bool TknRichEditFindHandler::Replace() {
    if (!AllowReplace || FindWhat.empty() || !SelectionIsTarget()) return false;
    return FControl.ReplaceSel(ReplaceWith);
}

bool TknRichEditFindHandler::ReplaceAllMatches() {
    if (!AllowReplace || FindWhat.empty()) return false;
    bool upward = DirUp;
    if (RollBack && !WithinSelection) {
        upward = false;
        FControl.SetSel(0, 0);
    }
    const int findLength = static_cast<int>(FindWhat.size());
    const int replaceLength = static_cast<int>(ReplaceWith.size());
    TEditSel sel = FControl.GetSel();
    bool replaced = false;
    // Downward the searched range starts after each replacement; upward it ends before it.
    int low = WithinSelection || !upward ? sel.Start : 0;
    int high = WithinSelection ? sel.End() : upward ? sel.Start : -1;
    for (;;) {
        int found = upward ? FindText(high, low, true) : FindText(low, high, false);
        if (found < 0) break;
        FControl.SetSel(found, findLength);
        bool done = FControl.ReplaceSel(ReplaceWith);  // refused in protected text: skipped
        replaced = replaced || done;
        if (upward) {
            high = found;
            if (high <= low) break;
        } else {
            low = found + (done ? replaceLength : findLength);
            if (high >= 0 && done) high += replaceLength - findLength;
            if (high >= 0 && high <= low) break;
        }
    }
    return replaced;
}

void TknRichEditFindHandler::TakeSearchString(std::u16string_view text, bool matchCase) {
    HighlightMatch = !text.empty();
    if (text.empty()) return;
    FindWhat = text;
    ReplaceWith.clear();
    AllowReplace = false;
    MatchCase = matchCase;
    WholeWord = RollBack = DirUp = WithinSelection = false;
}

}  // namespace qb
