#include "editor/UEditControlBase.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "editor/UknRichEditClasses.h"

namespace qb {

namespace {

char16_t Fold(char16_t c) {
    return static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

bool IsWordChar(char16_t c) {
    return c == u'_' || u_isalnum(c) || u_isUAlphabetic(c);
}

}  // namespace

std::u16string ToControlBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        out += c == u'\n' ? u'\r' : c;
    }
    return out;
}

std::u16string ToStoredBreaks(std::u16string_view inner) {
    std::u16string out;
    out.reserve(inner.size() + inner.size() / 16);
    for (char16_t c : inner) {
        out += c;
        if (c == u'\r') out += u'\n';
    }
    return out;
}

int FindInRange(std::u16string_view range, int rangeStart, std::u16string_view what,
                const TEditFindFlags& flags, char16_t before, char16_t after) {
    const int n = static_cast<int>(what.size());
    const int size = static_cast<int>(range.size());
    if (n == 0 || size < n) return -1;
    std::u16string folded;
    if (!flags.MatchCase) {
        for (char16_t c : what) folded += Fold(c);
        what = folded;
    }
    auto at = [&](int i) { return i < 0 ? before : i >= size ? after : range[i]; };
    auto matchesAt = [&](int i) {
        for (int k = 0; k < n; ++k) {
            char16_t c = flags.MatchCase ? range[i + k] : Fold(range[i + k]);
            if (c != what[k]) return false;
        }
        return !flags.WholeWord || (!IsWordChar(at(i - 1)) && !IsWordChar(at(i + n)));
    };
    const int last = size - n;
    if (flags.Down) {
        for (int i = 0; i <= last; ++i)
            if (matchesAt(i)) return rangeStart + i;
    } else {
        for (int i = last; i >= 0; --i)
            if (matchesAt(i)) return rangeStart + i;
    }
    return -1;
}

// --- TEditControlBase ---

int TEditControlBase::Find(int start, int end, std::u16string_view what,
                           const TEditFindFlags& flags) const {
    const int length = TextLength();
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::clamp(end, start, length);
    char16_t before = start > 0 ? TextRange(start - 1, start)[0] : 0;
    char16_t after = end < length ? TextRange(end, end + 1)[0] : 0;
    return FindInRange(TextRange(start, end), start, what, flags, before, after);
}

bool TEditControlBase::ReplaceSel(std::u16string_view text) {
    TEditSel sel = GetSel();
    return Edit(sel.Start, sel.Length, ToControlBreaks(text));
}

bool TEditControlBase::Edit(int start, int count, std::u16string_view text) {
    if (!CanEdit(start)) return false;
    if (count == 0 && text.empty()) return true;
    if (FUndoLimit > 0) {
        FUndo.push_back({start, TextRange(start, start + count), std::u16string(text)});
        if (static_cast<int>(FUndo.size()) > FUndoLimit) FUndo.pop_front();
    }
    FRedo.clear();
    Apply(start, count, text);
    SetSel(start + static_cast<int>(text.size()), 0);
    return true;
}

void TEditControlBase::ForgetUndo() {
    FUndo.clear();
    FRedo.clear();
}

bool TEditControlBase::CanUndo() const {
    return !FUndo.empty() && CanEdit(FUndo.back().Start);
}

bool TEditControlBase::CanRedo() const {
    return !FRedo.empty() && CanEdit(FRedo.back().Start);
}

void TEditControlBase::Undo() {
    if (!CanUndo()) return;
    TUndoStep step = std::move(FUndo.back());
    FUndo.pop_back();
    Apply(step.Start, static_cast<int>(step.Inserted.size()), step.Removed);
    SetSel(step.Start, static_cast<int>(step.Removed.size()));
    FRedo.push_back(std::move(step));
}

void TEditControlBase::Redo() {
    if (!CanRedo()) return;
    TUndoStep step = std::move(FRedo.back());
    FRedo.pop_back();
    Apply(step.Start, static_cast<int>(step.Removed.size()), step.Inserted);
    SetSel(step.Start + static_cast<int>(step.Inserted.size()), 0);
    FUndo.push_back(std::move(step));
}

void TEditControlBase::SetUndoLimit(int steps) {
    FUndoLimit = std::max(steps, 0);
    while (static_cast<int>(FUndo.size()) > FUndoLimit) FUndo.pop_front();
}

void TEditControlBase::Cut() {
    TEditSel sel = GetSel();
    if (sel.Length == 0 || !CanEdit(sel.Start)) return;
    Copy();
    ReplaceSel(u"");
}

void TEditControlBase::Copy() {
    if (GetSel().Length > 0) PutOnClipboard(SelText());
}

void TEditControlBase::Paste() {
    if (CanPaste()) ReplaceSel(ClipboardText());
}

bool TEditControlBase::KeyDown(int key, int shift) {
    if (FKeyHook && FKeyHook->KeyDown(key, shift)) return true;
    TEditSel sel = GetSel();
    switch (key) {
        case vkReturn:
            EnterKey(*this, FAutoIndent, FAutoEmptyLine);
            return true;
        case vkTab:
            if (!TabKey(*this, (shift & ssShift) != 0) && !(shift & ssShift)) TypeChar(u'\t');
            return true;
        case vkBack:
            if (sel.Length > 0)
                Edit(sel.Start, sel.Length, u"");
            else if (sel.Start > 0)
                Edit(sel.Start - 1, 1, u"");
            return true;
        case vkDelete:
            if (sel.Length > 0)
                Edit(sel.Start, sel.Length, u"");
            else if (sel.Start < TextLength())
                Edit(sel.Start, 1, u"");
            return true;
        default:
            return false;
    }
}

void TEditControlBase::TypeChar(char16_t ch) {
    if (FKeyHook && FKeyHook->CharTyped(ch)) return;
    ReplaceSel(std::u16string_view(&ch, 1));
}

}  // namespace qb
