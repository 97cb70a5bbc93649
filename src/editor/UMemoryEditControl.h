#pragma once

// The text control without a window: the same behaviour as the Qt control for everything the
// text logic uses, with fixed metrics (every character 8 pixels wide, every line 16 pixels
// high) and display lines that are its paragraphs. Used by the tests, the benchmarks and
// quillbox-cli.

#include <vector>

#include "editor/UEditControlBase.h"

namespace qb {

class TMemoryEditControl : public TEditControlBase {
  public:
    static constexpr int CharWidth = 8;
    static constexpr int LineHeight = 16;

    explicit TMemoryEditControl(int visibleLines = 25, int visibleColumns = 80);

    std::u16string GetText() const override;
    void SetText(std::u16string_view text) override;
    int TextLength() const override;
    std::u16string TextRange(int start, int end) const override;

    TEditSel GetSel() const override { return FSel; }
    void SetSel(int start, int length) override;
    std::u16string SelText() const override;

    int LineCount() const override;
    int LineFromChar(int pos) const override;
    int LineIndex(int line) const override;
    std::u16string LineText(int line) const override;
    TEditSel ParagraphFromChar(int pos) const override;

    int FirstVisibleLine() const override { return FFirstVisible; }
    void ScrollLines(int lines) override;
    int ScrollOffset() const override { return FFirstVisible * LineHeight; }
    void SetScrollOffset(int pixels) override;
    int CharFromPoint(TEditPoint p) const override;
    TEditPoint PointFromChar(int pos) const override;
    TEditRect FormatRect() const override;

    int Find(int start, int end, std::u16string_view what,
             const TEditFindFlags& flags) const override;

    bool CanPaste() const override { return FClipboardHasText; }
    bool WordWrap() const override { return FWordWrap; }
    void SetWordWrap(bool on) override { FWordWrap = on; }

  protected:
    void Apply(int start, int count, std::u16string_view text) override;
    void PutOnClipboard(std::u16string_view text) override;
    std::u16string ClipboardText() const override { return FClipboard; }

  private:
    // The text with a gap at the last edit, so that a run of edits moving through the text
    // (Replace All) costs the distance moved, not the text's length for every edit.
    class TGapText {
      public:
        int Length() const { return static_cast<int>(FBuf.size()) - (FGapEnd - FGapStart); }
        char16_t At(int i) const { return i < FGapStart ? FBuf[i] : FBuf[i + FGapEnd - FGapStart]; }
        std::u16string Copy(int start, int end) const;
        // start..end as one piece of memory; moves the gap out of the way when needed.
        std::u16string_view View(int start, int end);
        void Replace(int start, int count, std::u16string_view text);

      private:
        void MoveGap(int pos);
        std::u16string FBuf;
        int FGapStart = 0;
        int FGapEnd = 0;
    };

    const std::vector<int>& LineStarts() const;
    int Clamp(int pos) const;

    mutable TGapText FText;
    mutable std::vector<int> FLineStarts;  // built on demand, dropped on every change
    TEditSel FSel;
    int FFirstVisible = 0;
    int FVisibleLines;
    int FVisibleColumns;
    std::u16string FClipboard;
    bool FClipboardHasText = false;
    bool FWordWrap = true;
};

}  // namespace qb
