#pragma once

// What the editor's text control does on its own, written once over the control interface so
// that the Qt control and the in-memory control behave the same: line prefixes (lists and the
// Tab indentation of several lines), Enter with auto indent and auto empty line, and the find
// engine.

#include <string>
#include <string_view>
#include <vector>

#include "editor/UEditControl.h"

namespace qb {

// Adds or removes `prefix` at the start of every non-blank line the selection touches, after
// the line's own indentation; an empty prefix means numbering ("1. ", "2. ", ...). The
// selection first grows back to the start of its first line. One undoable step.
void LinePrefix(IEditControl& control, bool add, std::u16string_view prefix);

// Enter as the control handles it once the key hook has let it through.
void EnterKey(IEditControl& control, bool autoIndent, bool autoEmptyLine);

// Tab and Shift+Tab over a selection holding a line break indent or unindent its lines and
// return true; otherwise they return false and the key is the control's ordinary Tab.
bool TabKey(IEditControl& control, bool shift);

// The web address (or mail, file, node link) around `offset` of a paragraph: a run without
// blanks, quotes or angle brackets that begins with "http://", "https://", "ftp://", "www.",
// "mailto:", "file:" or "outlook:" (letter case ignored). {-1, 0} when there is none.
TEditSel LinkAt(std::u16string_view paragraph, int offset);
// Every such link of a text, in order.
std::vector<TEditSel> LinksIn(std::u16string_view text);

// The find engine of one control. Matches are searched by the control itself, so a long run of
// finds and replacements costs the distance covered, not the text's length for every match.
class TknRichEditFindHandler {
  public:
    explicit TknRichEditFindHandler(IEditControl& control) : FControl(control) {}

    std::u16string FindWhat;     // the find text
    std::u16string ReplaceWith;  // the replace text
    bool DirUp = false;
    bool MatchCase = false;
    bool WholeWord = false;
    bool RollBack = false;         // wrap around at the end of the text
    bool WithinSelection = false;  // one-shot: cleared by the next successful find
    bool AllowReplace = false;
    bool HighlightMatch = false;  // whether every visible match is marked

    // Selects the next match (upward when the direction and `reverse` differ).
    bool FindNext(bool reverse);
    // Replaces the selection when it is the target; the caret goes after the new text.
    bool Replace();
    // Replaces every match from the caret on in the direction (the whole text with roll back,
    // the selection with within-selection); a replacement is never searched again.
    bool ReplaceAllMatches();
    // The start of the first match in from..to (to -1: the end of the text), or for `upward`
    // the last match between the smaller end (-1: the start of the text) and the larger; -1
    // when there is none.
    int FindText(int from, int to, bool upward) const;
    // A search string from the search page: an empty one switches the match marks off.
    void TakeSearchString(std::u16string_view text, bool matchCase);

  private:
    bool SelectionIsTarget() const;
    TEditFindFlags Flags(bool upward) const { return {MatchCase, WholeWord, !upward}; }

    IEditControl& FControl;
};

}  // namespace qb
