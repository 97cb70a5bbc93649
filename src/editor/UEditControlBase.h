#pragma once

// What every editor text control does the same way, whatever holds its text: the undo stack
// with its limit, read-only and protected text, the key hook, the keys the control handles
// itself, typing and the clipboard commands. A subclass stores the text and the selection and
// applies the edits this base has checked and recorded.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "editor/UEditControl.h"

namespace qb {

// CR LF, lone LF and lone CR all become the control's single CR.
std::u16string ToControlBreaks(std::u16string_view text);
// The control's CRs as the page stores them, CR LF.
std::u16string ToStoredBreaks(std::u16string_view inner);

// The start of the first (flags.Down) or last match of `what` lying wholly inside `range`,
// which begins at `rangeStart` of the text; `before` and `after` are the characters around the
// range (0 at the ends of the text) for whole-word matching. -1 when there is none.
int FindInRange(std::u16string_view range, int rangeStart, std::u16string_view what,
                const TEditFindFlags& flags, char16_t before, char16_t after);

class TEditControlBase : public IEditControl {
  public:
    bool ReplaceSel(std::u16string_view text) override;
    int Find(int start, int end, std::u16string_view what,
             const TEditFindFlags& flags) const override;

    bool CanUndo() const override;
    bool CanRedo() const override;
    void Undo() override;
    void Redo() override;
    void SetUndoLimit(int steps) override;

    void Cut() override;
    void Copy() override;
    void Paste() override;
    void Clear() override { ReplaceSel(u""); }

    bool ReadOnly() const override { return FReadOnly; }
    void SetReadOnly(bool on) override { FReadOnly = on; }
    void SetProtected(bool on, int length) override { FProtectedLength = on ? length : 0; }
    int ProtectedLength() const override { return FProtectedLength; }
    void SetAutoIndent(bool on) override { FAutoIndent = on; }
    void SetAutoEmptyLine(bool on) override { FAutoEmptyLine = on; }

    void SetKeyHook(IEditKeyHook* hook) override { FKeyHook = hook; }
    bool KeyDown(int key, int shift) override;
    void TypeChar(char16_t ch) override;

  protected:
    bool CanEdit(int start) const { return !FReadOnly && start >= FProtectedLength; }
    // The one way the text changes after loading: checks, records the step, moves the caret.
    // `text` has the control's line breaks.
    bool Edit(int start, int count, std::u16string_view text);
    // Replaces `count` characters at `start` with `text` (control line breaks), unchecked.
    virtual void Apply(int start, int count, std::u16string_view text) = 0;
    // The clipboard: the selection's text as the control holds it, and back.
    virtual void PutOnClipboard(std::u16string_view text) = 0;
    virtual std::u16string ClipboardText() const = 0;
    // Loading a text: nothing to undo or redo.
    void ForgetUndo();

  private:
    struct TUndoStep {
        int Start;
        std::u16string Removed;
        std::u16string Inserted;
    };

    std::deque<TUndoStep> FUndo;
    std::vector<TUndoStep> FRedo;
    int FUndoLimit = 100;
    bool FReadOnly = false;
    int FProtectedLength = 0;
    bool FAutoIndent = false;
    bool FAutoEmptyLine = false;
    IEditKeyHook* FKeyHook = nullptr;
};

}  // namespace qb
