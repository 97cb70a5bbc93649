#include "editor/UMemoryEditControl.h"

#include <algorithm>

namespace qb {

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
    return ToStoredBreaks(FText.Copy(0, FText.Length()));
}

void TMemoryEditControl::SetText(std::u16string_view text) {
    Apply(0, FText.Length(), ToControlBreaks(text));
    FSel = {};
    FFirstVisible = 0;
    ForgetUndo();
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
    end = end < 0 ? TextLength() : std::max(Clamp(end), start);
    char16_t before = start > 0 ? FText.At(start - 1) : 0;
    char16_t after = end < TextLength() ? FText.At(end) : 0;
    return FindInRange(FText.View(start, end), start, what, flags, before, after);
}

void TMemoryEditControl::PutOnClipboard(std::u16string_view text) {
    FClipboard = text;
    FClipboardHasText = true;
}

}  // namespace qb
