#include "features/UPasteHandler.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "features/UClipHandler.h"
#include "foundation/UknStrUtils.h"
#include "shell/UVirtualKeys.h"

namespace qb {

namespace {

constexpr uint32_t kShortcutPause = 5;  // ms after Ctrl+V or Ctrl+C, for the target to act
constexpr uint32_t kPressPause = 1;     // ms after each key of a token
constexpr uint32_t kReleasePause = 2;   // ms after each released modifier
// The user lets go of a hotkey's modifiers a moment after the hotkey fires. Releasing them for
// the user while that happens can put the user's own Ctrl up between the Ctrl and the V sent
// next, so their release is waited for this long before the rest is released by force.
constexpr uint32_t kLetGoWaitMs = 300;
constexpr uint32_t kLetGoStepMs = 10;
// A program may take a while to answer Ctrl+C (the clipboard of X11 changes hands by
// messages): an emptied clipboard is watched this long for the copy, in steps.
constexpr uint32_t kCopyWaitMs = 400;
constexpr uint32_t kCopyStepMs = 10;

// A piece of a template text: a text to paste, or a key pressed `Times` times.
struct TPiece {
    std::u16string Text;
    uint8_t Key = 0;  // 0: a text
    int Times = 0;
};
using TPieces = std::vector<TPiece>;

void AddText(TPieces& pieces, std::u16string_view text) {
    if (text.empty()) return;
    if (!pieces.empty() && pieces.back().Key == 0)
        pieces.back().Text += text;
    else
        pieces.push_back({std::u16string(text)});
}

uint8_t TokenKey(char16_t letter) {
    switch (letter) {
        case u'n':
            return vkReturn;
        case u't':
            return vkTab;
        case u'l':
            return vkLeft;
        case u'r':
            return vkRight;
        case u'u':
            return vkUp;
        case u'd':
            return vkDown;
        case u'h':
            return vkHome;
        case u'e':
            return vkEnd;
        default:
            return 0;
    }
}

// "(count)" after a key token, taken from `rest` when it holds a positive integer; else 1.
int TakeCount(std::u16string_view& rest) {
    size_t close = rest.find(u')');
    if (!rest.starts_with(u'(') || close == std::u16string_view::npos || close < 2) return 1;
    int64_t count = 0;
    for (char16_t c : rest.substr(1, close - 1)) {
        if (c < u'0' || c > u'9') return 1;
        count = std::min<int64_t>(count * 10 + (c - u'0'), kMaxKeyRepeat + 1);
    }
    if (count == 0) return 1;
    rest.remove_prefix(close + 1);
    return static_cast<int>(std::min<int64_t>(count, kMaxKeyRepeat));
}

// The key tokens of a template text, in order.
void AddKeyPieces(TPieces& pieces, std::u16string_view text) {
    size_t from = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        uint8_t key = text[i] == u'~' ? TokenKey(text[i + 1]) : 0;
        if (key == 0) continue;
        AddText(pieces, text.substr(from, i - from));
        std::u16string_view rest = text.substr(i + 2);
        int times = TakeCount(rest);
        pieces.push_back({{}, key, times});
        from = text.size() - rest.size();
        i = from - 1;
    }
    AddText(pieces, text.substr(std::min(from, text.size())));
}

// A template text with every "~s" standing for the selection, which is pasted as it is.
void AddTemplatePieces(TPieces& pieces, std::u16string_view text, const std::u16string& selection) {
    for (size_t at; (at = text.find(u"~s")) != std::u16string_view::npos;) {
        AddKeyPieces(pieces, text.substr(0, at));
        AddText(pieces, selection);
        text.remove_prefix(at + 2);
    }
    AddKeyPieces(pieces, text);
}

// How far the caret moves while the pieces are pasted: a line break (CR LF) is one step, as
// are Enter and Tab; the caret keys produce nothing.
int64_t CaretSteps(const TPieces& pieces) {
    int64_t steps = 0;
    for (const TPiece& piece : pieces) {
        if (piece.Key == vkReturn || piece.Key == vkTab) steps += piece.Times;
        for (char16_t c : piece.Text) steps += c != u'\r';
    }
    return steps;
}

bool AnyModifierHeld(IDesktopInput& desktop) {
    return desktop.KeyHeld(vkAlt) || desktop.KeyHeld(vkControl) || desktop.KeyHeld(vkShift);
}

}  // namespace

void ReleaseHeldModifiers(IDesktopInput& desktop, uint32_t pauseMs) {
    for (uint32_t waited = 0; waited < kLetGoWaitMs && AnyModifierHeld(desktop);
         waited += kLetGoStepMs)
        desktop.Pause(kLetGoStepMs);
    for (uint8_t key : {vkAlt, vkControl, vkShift}) {
        if (!desktop.KeyHeld(key)) continue;
        desktop.SendKey(key, false);
        if (pauseMs > 0) desktop.Pause(pauseMs);
    }
}

void SendShortcut(IDesktopInput& desktop, uint8_t key) {
    desktop.SendKey(vkControl, true);
    desktop.SendKey(key, true);
    desktop.SendKey(key, false);
    desktop.SendKey(vkControl, false);
    desktop.Pause(kShortcutPause);
}

std::u16string CopySelection(IDesktopInput& desktop) {
    // The user may still hold the hotkey's modifiers: Ctrl+Alt+C is no copy.
    ReleaseHeldModifiers(desktop, kReleasePause);
    ClipWatcher().IgnoreNext();
    SendShortcut(desktop, 'C');
    return desktop.ClipboardText();
}

std::u16string CopySelectionAside(IDesktopInput& desktop, bool restoreAlways) {
    const std::u16string kept = desktop.ClipboardText();
    desktop.SetClipboardText(u"");
    std::u16string text = Trim(CopySelection(desktop));
    for (uint32_t waited = 0; text.empty() && waited < kCopyWaitMs; waited += kCopyStepMs) {
        desktop.Pause(kCopyStepMs);
        text = Trim(desktop.ClipboardText());
    }
    if (text.empty() || restoreAlways) {
        // Putting the old text back is no new capture.
        ClipWatcher().IgnoreNext();
        desktop.SetClipboardText(kept);
    }
    return text;
}

std::u16string SelectedText(IDesktopInput& desktop, bool restoreAlways) {
    std::u16string text = Trim(desktop.PrimarySelection());
    return text.empty() ? CopySelectionAside(desktop, restoreAlways) : text;
}

TPasteHandler::TPasteHandler(IDesktopInput& desktop, TPoster poster)
    : FDesktop(desktop), FPoster(std::move(poster)) {}

void TPasteHandler::Paste(std::u16string text, bool templateMode) {
    FQueue.Push(std::move(text));
    FTemplateMode = templateMode;
    if (!FPoster) {
        PasteNext();
        return;
    }
    FPoster([alive = std::weak_ptr<bool>(FAlive), this] {
        if (alive.lock()) PasteNext();
    });
}

void TPasteHandler::RememberForeground() {
    if (uint64_t window = FDesktop.ForegroundWindow(); window != 0) FForeground = window;
    FFocusHandedAway = false;
}

void TPasteHandler::BringBackForeground() {
    if (!FFocusHandedAway || FForeground == 0) return;
    FDesktop.SetForegroundWindow(FForeground);
    FForeground = 0;
}

void TPasteHandler::PasteNext() {
    BringBackForeground();
    ReleaseHeldModifiers(FDesktop, kReleasePause);
    std::u16string text;
    if (!FQueue.Pop(text)) return;
    if (!FQueue.IsEmpty()) text += u"\r\n";
    if (FTemplateMode)
        PasteTemplate(std::move(text));
    else
        PastePlain(text);
}

void TPasteHandler::PasteTemplate(std::u16string text) {
    std::u16string selection;
    if (text.find(u"~s") != std::u16string::npos) selection = CopySelection(FDesktop);
    // The caret goes back to the mark ("~c") by as many steps as the rest of the paste made.
    TPieces pieces, afterMark;
    size_t mark = text.find(u"~c");
    AddTemplatePieces(pieces, std::u16string_view(text).substr(0, mark), selection);
    if (mark != std::u16string::npos)
        AddTemplatePieces(afterMark, std::u16string_view(text).substr(mark + 2), selection);
    int64_t back = CaretSteps(afterMark);
    for (TPiece& piece : afterMark) {
        if (piece.Key == 0)
            AddText(pieces, piece.Text);
        else
            pieces.push_back(std::move(piece));
    }
    for (const TPiece& piece : pieces) {
        if (piece.Key == 0)
            PastePlain(piece.Text);
        else
            PressKey(piece.Key, piece.Times);
    }
    PressKey(vkLeft, static_cast<int>(std::min<int64_t>(back, INT32_MAX)));
}

void TPasteHandler::PastePlain(std::u16string_view text) {
    if (text.empty()) return;
    ClipWatcher().IgnoreNext();
    FDesktop.SetClipboardText(text);
    SendShortcut(FDesktop, 'V');
}

void TPasteHandler::PressKey(uint8_t key, int times) {
    for (int i = 0; i < times; ++i) {
        FDesktop.SendKey(key, true);
        FDesktop.SendKey(key, false);
        FDesktop.Pause(kPressPause);
    }
}

}  // namespace qb
