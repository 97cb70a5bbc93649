#include "editor/UMemoryEditControl.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "editor/UknRichEditClasses.h"

namespace qb {

namespace {

// CR LF, lone LF and lone CR all become the control's single CR.
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

char16_t Fold(char16_t c) {
    return static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

bool IsWordChar(char16_t c) {
    return c == u'_' || u_isalnum(c) || u_isUAlphabetic(c);
}

}  // namespace

// --- TGapText ---

std::u16string TMemoryEditControl::TGapText::Copy(int start, int end) const {
    std::u16string out;
    out.reserve(end - start);
    int gap = FGapEnd - FGapStart;
    if (start < FGapStart) out.append(FBuf, start, std::min(end, FGapStart) - start);
    if (end > FGapStart) {
        int from = std::max(start, FGapStart);
        out.append(FBuf, from + gap, end - from);
    }
    return out;
}

std::u16string_view TMemoryEditControl::TGapText::View(int start, int end) {
    if (start < FGapStart && end > FGapStart)
        MoveGap(FGapStart - start < end - FGapStart ? start : end);
    int offset = start < FGapStart ? 0 : FGapEnd - FGapStart;
    return std::u16string_view(FBuf).substr(start + offset, end - start);
}

void TMemoryEditControl::TGapText::MoveGap(int pos) {
    if (pos < FGapStart) {
        int n = FGapStart - pos;
        std::move_backward(FBuf.begin() + pos, FBuf.begin() + FGapStart, FBuf.begin() + FGapEnd);
        FGapStart -= n;
        FGapEnd -= n;
    } else if (pos > FGapStart) {
        int n = pos - FGapStart;
        std::move(FBuf.begin() + FGapEnd, FBuf.begin() + FGapEnd + n, FBuf.begin() + FGapStart);
        FGapStart += n;
        FGapEnd += n;
    }
}

void TMemoryEditControl::TGapText::Replace(int start, int count, std::u16string_view text) {
    MoveGap(start);
    FGapEnd += count;
    int need = static_cast<int>(text.size());
    if (FGapEnd - FGapStart < need) {
        int tail = static_cast<int>(FBuf.size()) - FGapEnd;
        int newSize = std::max(static_cast<int>(FBuf.size()) * 2, Length() + need + 64);
        std::u16string grown(newSize, u'\0');
        std::copy(FBuf.begin(), FBuf.begin() + FGapStart, grown.begin());
        std::copy(FBuf.end() - tail, FBuf.end(), grown.end() - tail);
        FBuf.swap(grown);
        FGapEnd = newSize - tail;
    }
    std::copy(text.begin(), text.end(), FBuf.begin() + FGapStart);
    FGapStart += need;
}

// --- TMemoryEditControl ---

TMemoryEditControl::TMemoryEditControl(int visibleLines, int visibleColumns)
    : FVisibleLines(std::max(visibleLines, 1)), FVisibleColumns(std::max(visibleColumns, 1)) {}

int TMemoryEditControl::Clamp(int pos) const {
    return std::clamp(pos, 0, TextLength());
}

std::u16string TMemoryEditControl::GetText() const {
    std::u16string inner = FText.Copy(0, FText.Length());
    std::u16string out;
    out.reserve(inner.size() + inner.size() / 16);
    for (char16_t c : inner) {
        out += c;
        if (c == u'\r') out += u'\n';
    }
    return out;
}

void TMemoryEditControl::SetText(std::u16string_view text) {
    Apply(0, FText.Length(), ToControlBreaks(text));
    FSel = {};
    FFirstVisible = 0;
    FUndo.clear();
    FRedo.clear();
}

int TMemoryEditControl::TextLength() const {
    return FText.Length();
}

std::u16string TMemoryEditControl::TextRange(int start, int end) const {
    start = Clamp(start);
    end = std::max(Clamp(end), start);
    return FText.Copy(start, end);
}

void TMemoryEditControl::SetSel(int start, int length) {
    start = Clamp(start);
    FSel = {start, Clamp(start + std::max(length, 0)) - start};
}

std::u16string TMemoryEditControl::SelText() const {
    return TextRange(FSel.Start, FSel.End());
}

bool TMemoryEditControl::ReplaceSel(std::u16string_view text) {
    return Edit(FSel.Start, FSel.Length, ToControlBreaks(text));
}

bool TMemoryEditControl::Edit(int start, int count, std::u16string_view text) {
    if (!CanEdit(start)) return false;
    if (count == 0 && text.empty()) return true;
    if (FUndoLimit > 0) {
        FUndo.push_back({start, FText.Copy(start, start + count), std::u16string(text)});
        if (static_cast<int>(FUndo.size()) > FUndoLimit) FUndo.pop_front();
    }
    FRedo.clear();
    Apply(start, count, text);
    FSel = {start + static_cast<int>(text.size()), 0};
    return true;
}

void TMemoryEditControl::Apply(int start, int count, std::u16string_view text) {
    FText.Replace(start, count, text);
    FLineStarts.clear();
}

const std::vector<int>& TMemoryEditControl::LineStarts() const {
    if (FLineStarts.empty()) {
        FLineStarts.push_back(0);
        std::u16string_view all = FText.View(0, FText.Length());
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i] == u'\r') FLineStarts.push_back(static_cast<int>(i) + 1);
    }
    return FLineStarts;
}

int TMemoryEditControl::LineCount() const {
    return static_cast<int>(LineStarts().size());
}

int TMemoryEditControl::LineFromChar(int pos) const {
    const auto& starts = LineStarts();
    auto it = std::upper_bound(starts.begin(), starts.end(), Clamp(pos));
    return static_cast<int>(it - starts.begin()) - 1;
}

int TMemoryEditControl::LineIndex(int line) const {
    const auto& starts = LineStarts();
    if (line < 0 || line >= static_cast<int>(starts.size())) return -1;
    return starts[line];
}

std::u16string TMemoryEditControl::LineText(int line) const {
    const auto& starts = LineStarts();
    if (line < 0 || line >= static_cast<int>(starts.size())) return {};
    int end = line + 1 < static_cast<int>(starts.size()) ? starts[line + 1] : TextLength();
    return FText.Copy(starts[line], end);
}

TEditSel TMemoryEditControl::ParagraphFromChar(int pos) const {
    int line = LineFromChar(pos);
    std::u16string text = LineText(line);
    int length = static_cast<int>(text.size());
    if (!text.empty() && text.back() == u'\r') --length;
    return {LineIndex(line), length};
}

void TMemoryEditControl::ScrollLines(int lines) {
    FFirstVisible = std::clamp(FFirstVisible + lines, 0, LineCount() - 1);
}

void TMemoryEditControl::SetScrollOffset(int pixels) {
    FFirstVisible = std::clamp(pixels / LineHeight, 0, LineCount() - 1);
}

int TMemoryEditControl::CharFromPoint(TEditPoint p) const {
    int line = std::clamp(FFirstVisible + std::max(p.Y, 0) / LineHeight, 0, LineCount() - 1);
    TEditSel para = ParagraphFromChar(LineIndex(line));
    return para.Start + std::min(std::max(p.X, 0) / CharWidth, para.Length);
}

TEditPoint TMemoryEditControl::PointFromChar(int pos) const {
    pos = Clamp(pos);
    int line = LineFromChar(pos);
    return {(pos - LineIndex(line)) * CharWidth, (line - FFirstVisible) * LineHeight};
}

TEditRect TMemoryEditControl::FormatRect() const {
    return {0, 0, FVisibleColumns * CharWidth - 1, FVisibleLines * LineHeight - 1};
}

int TMemoryEditControl::Find(int start, int end, std::u16string_view what,
                             const TEditFindFlags& flags) const {
    start = Clamp(start);
    end = end < 0 ? TextLength() : Clamp(end);
    int n = static_cast<int>(what.size());
    if (n == 0 || end - start < n) return -1;
    std::u16string_view range = FText.View(start, end);
    std::u16string folded;
    if (!flags.MatchCase) {
        for (char16_t c : what) folded += Fold(c);
        what = folded;
    }
    auto matchesAt = [&](int i) {
        for (int k = 0; k < n; ++k) {
            char16_t c = flags.MatchCase ? range[i + k] : Fold(range[i + k]);
            if (c != what[k]) return false;
        }
        if (!flags.WholeWord) return true;
        int at = start + i;
        return (at == 0 || !IsWordChar(FText.At(at - 1))) &&
               (at + n == TextLength() || !IsWordChar(FText.At(at + n)));
    };
    int last = end - start - n;
    if (flags.Down) {
        for (int i = 0; i <= last; ++i)
            if (matchesAt(i)) return start + i;
    } else {
        for (int i = last; i >= 0; --i)
            if (matchesAt(i)) return start + i;
    }
    return -1;
}

bool TMemoryEditControl::CanUndo() const {
    return !FUndo.empty() && CanEdit(FUndo.back().Start);
}

bool TMemoryEditControl::CanRedo() const {
    return !FRedo.empty() && CanEdit(FRedo.back().Start);
}

void TMemoryEditControl::Undo() {
    if (!CanUndo()) return;
    TUndoStep step = std::move(FUndo.back());
    FUndo.pop_back();
    Apply(step.Start, static_cast<int>(step.Inserted.size()), step.Removed);
    FSel = {step.Start, static_cast<int>(step.Removed.size())};
    FRedo.push_back(std::move(step));
}

void TMemoryEditControl::Redo() {
    if (!CanRedo()) return;
    TUndoStep step = std::move(FRedo.back());
    FRedo.pop_back();
    Apply(step.Start, static_cast<int>(step.Removed.size()), step.Inserted);
    FSel = {step.Start + static_cast<int>(step.Inserted.size()), 0};
    FUndo.push_back(std::move(step));
}

void TMemoryEditControl::SetUndoLimit(int steps) {
    FUndoLimit = std::max(steps, 0);
    while (static_cast<int>(FUndo.size()) > FUndoLimit) FUndo.pop_front();
}

void TMemoryEditControl::Cut() {
    if (FSel.Length == 0 || !CanEdit(FSel.Start)) return;
    Copy();
    ReplaceSel(u"");
}

void TMemoryEditControl::Copy() {
    if (FSel.Length == 0) return;
    FClipboard = SelText();
    FClipboardHasText = true;
}

void TMemoryEditControl::Paste() {
    if (FClipboardHasText) ReplaceSel(FClipboard);
}

bool TMemoryEditControl::KeyDown(int key, int shift) {
    if (FKeyHook && FKeyHook->KeyDown(key, shift)) return true;
    switch (key) {
        case vkReturn:
            EnterKey(*this, FAutoIndent, FAutoEmptyLine);
            return true;
        case vkTab:
            if (!TabKey(*this, (shift & ssShift) != 0) && !(shift & ssShift)) TypeChar(u'\t');
            return true;
        case vkBack:
            if (FSel.Length > 0)
                Edit(FSel.Start, FSel.Length, u"");
            else if (FSel.Start > 0)
                Edit(FSel.Start - 1, 1, u"");
            return true;
        case vkDelete:
            if (FSel.Length > 0)
                Edit(FSel.Start, FSel.Length, u"");
            else if (FSel.Start < TextLength())
                Edit(FSel.Start, 1, u"");
            return true;
        default:
            return false;
    }
}

void TMemoryEditControl::TypeChar(char16_t ch) {
    if (FKeyHook && FKeyHook->CharTyped(ch)) return;
    ReplaceSel(std::u16string_view(&ch, 1));
}

}  // namespace qb
