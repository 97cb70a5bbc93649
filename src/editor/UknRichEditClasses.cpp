#include "editor/UknRichEditClasses.h"

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
