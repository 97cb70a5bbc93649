#pragma once

// The editor's text control as the logic sees it: a plain-text control holding UTF-16 text.
// Inside the control a line break is one character, a carriage return (U+000D); positions and
// lengths count it once. Only the whole text (GetText / SetText) uses CR LF, the form the page
// stores. The Qt control and the in-memory control implement the same operations, so every
// text tool, the find engine and the calculator run and are tested without a display.

#include <string>
#include <string_view>

#include "shell/UVirtualKeys.h"

namespace qb {

// The modifier flags of a key event (the high byte of the hotkey word).
constexpr int ssShift = 1;
constexpr int ssCtrl = 2;
constexpr int ssAlt = 4;

struct TEditSel {
    int Start = 0;
    int Length = 0;
    int End() const { return Start + Length; }
    bool operator==(const TEditSel&) const = default;
};

struct TEditPoint {
    int X = 0;
    int Y = 0;
};

struct TEditRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

struct TEditFindFlags {
    bool MatchCase = false;
    bool WholeWord = false;
    bool Down = true;
};

// Sees every key and typed character before the control does. Returning true means handled:
// the control then does nothing with it.
class IEditKeyHook {
  public:
    virtual ~IEditKeyHook() = default;
    virtual bool KeyDown(int key, int shift) = 0;
    virtual bool CharTyped(char16_t ch) = 0;
};

class IEditControl {
  public:
    virtual ~IEditControl() = default;

    // --- whole text ---
    virtual std::u16string GetText() const = 0;          // line breaks as CR LF
    virtual void SetText(std::u16string_view text) = 0;  // any break form; caret to 0, no undo
    virtual int TextLength() const = 0;                  // line breaks counted once
    // Characters start..end-1 (clamped to the text), line breaks as CR.
    virtual std::u16string TextRange(int start, int end) const = 0;

    // --- selection ---
    virtual TEditSel GetSel() const = 0;
    virtual void SetSel(int start, int length) = 0;  // clamped to the text
    virtual std::u16string SelText() const = 0;      // line breaks as CR
    // Replaces the selection as one undoable step and puts the caret after the new text.
    // Refused (false, nothing changes) when read-only or when it would touch protected text.
    virtual bool ReplaceSel(std::u16string_view text) = 0;

    // --- display lines and paragraphs ---
    // A paragraph ends with a line break; a display line is a paragraph or a wrapped part of it.
    virtual int LineCount() const = 0;
    virtual int LineFromChar(int pos) const = 0;
    virtual int LineIndex(int line) const = 0;              // first character of the line
    virtual std::u16string LineText(int line) const = 0;    // with its line break, if it has one
    virtual TEditSel ParagraphFromChar(int pos) const = 0;  // without its line break

    // --- visible range ---
    virtual int FirstVisibleLine() const = 0;
    virtual void ScrollLines(int lines) = 0;  // down for positive counts
    virtual int ScrollOffset() const = 0;     // vertical, in pixels
    virtual void SetScrollOffset(int pixels) = 0;
    virtual int CharFromPoint(TEditPoint p) const = 0;
    virtual TEditPoint PointFromChar(int pos) const = 0;
    virtual TEditRect FormatRect() const = 0;

    // --- finding: the first (Down) or last match lying wholly inside start..end ---
    virtual int Find(int start, int end, std::u16string_view what,
                     const TEditFindFlags& flags) const = 0;

    // --- undo ---
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void SetUndoLimit(int steps) = 0;

    // --- clipboard ---
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void Clear() = 0;           // deletes the selection
    virtual bool CanPaste() const = 0;  // the clipboard holds Unicode text

    // --- states ---
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool on) = 0;
    // Edits in front of the first `length` characters are refused while on.
    virtual void SetProtected(bool on, int length) = 0;
    virtual int ProtectedLength() const = 0;  // 0 when off
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool on) = 0;
    virtual void SetAutoIndent(bool on) = 0;
    virtual void SetAutoEmptyLine(bool on) = 0;

    // --- keys ---
    // One hook (the calculator's); none when null. The hook is not owned.
    virtual void SetKeyHook(IEditKeyHook* hook) = 0;
    // A key press as the user makes it: the hook first, then the control's own handling
    // (Enter with auto indent and auto empty line, Tab over lines, Backspace, Delete).
    // Returns whether the key was used.
    virtual bool KeyDown(int key, int shift) = 0;
    // A typed character: the hook first, then it replaces the selection.
    virtual void TypeChar(char16_t ch) = 0;
};

}  // namespace qb
