#include "shell/UInMemoryPlatform.h"

#include "foundation/UknStrUtils.h"
#include "shell/UVirtualKeys.h"

namespace qb {

TMemoryTimerPlatform::TMemoryTimerPlatform(std::function<void(uint32_t id)> dispatch)
    : FDispatch(std::move(dispatch)) {
    if (!FDispatch) FDispatch = [](uint32_t id) { TimerCenter().DispatchTimer(id); };
}

void TMemoryTimerPlatform::SetTimer(uint32_t id, uint32_t interval) {
    // A zero interval still ticks, as the platform's timers do, but never twice in one moment.
    uint32_t step = interval == 0 ? 1 : interval;
    FTimers[id] = {step, FNow + step};
}

void TMemoryTimerPlatform::KillTimer(uint32_t id) {
    FTimers.erase(id);
}

uint32_t TMemoryTimerPlatform::IntervalOf(uint32_t id) const {
    auto it = FTimers.find(id);
    return it == FTimers.end() ? 0 : it->second.Interval;
}

void TMemoryTimerPlatform::Advance(uint64_t milliseconds) {
    uint64_t target = FNow + milliseconds;
    for (;;) {
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.Due <= target &&
                (next == FTimers.end() || it->second.Due < next->second.Due))
                next = it;
        if (next == FTimers.end()) break;
        FNow = next->second.Due;
        next->second.Due += next->second.Interval;
        FDispatch(next->first);
    }
    FNow = target;
}

bool TMemoryHotKeyPlatform::RegisterHotKey(int32_t id, uint32_t modifiers, uint32_t virtualKey) {
    if (Taken.count({modifiers, virtualKey})) return false;
    Registered[id] = {modifiers, virtualKey};
    return true;
}

void TMemoryHotKeyPlatform::UnregisterHotKey(int32_t id) {
    Registered.erase(id);
}

int TMemoryHotKeyPlatform::Press(uint32_t modifiers, uint32_t virtualKey) {
    std::vector<int32_t> ids;
    for (const auto& [id, r] : Registered)
        if (r.Modifiers == modifiers && r.VirtualKey == virtualKey) ids.push_back(id);
    for (int32_t id : ids) HotKeyCenter().DispatchHotKey(id);
    return static_cast<int>(ids.size());
}

bool TScriptedOptionsDialog::Execute(TknWindow*, TOptions& options) {
    ++Runs;
    AutoStartSeen = options.AutoStart;
    return Edit && Edit(options);
}

std::string VirtualKeyName(uint8_t key) {
    switch (key) {
        case vkBack:
            return "Backspace";
        case vkTab:
            return "Tab";
        case vkReturn:
            return "Enter";
        case vkShift:
            return "Shift";
        case vkControl:
            return "Ctrl";
        case vkAlt:
            return "Alt";
        case vkEnd:
            return "End";
        case vkHome:
            return "Home";
        case vkLeft:
            return "Left";
        case vkUp:
            return "Up";
        case vkRight:
            return "Right";
        case vkDown:
            return "Down";
        case vkDelete:
            return "Delete";
        default:
            break;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= vkF1 && key < vkF1 + 24) return "F" + std::to_string(key - vkF1 + 1);
    return "#" + std::to_string(key);
}

void TMemoryDesktopInput::ChangeClipboard(std::u16string_view text) {
    Clipboard = text;
    if (ClipboardChanged) ClipboardChanged(text);
}

void TMemoryDesktopInput::SetClipboardText(std::u16string_view text) {
    Log.push_back("clipboard " + ToUtf8(text));
    ChangeClipboard(text);
}

void TMemoryDesktopInput::SendKey(uint8_t key, bool down) {
    Log.push_back((down ? "down " : "up ") + VirtualKeyName(key));
    if (!down) {
        Held.erase(key);
        return;
    }
    std::string keys;
    for (uint8_t modifier : {vkControl, vkAlt, vkShift})
        if (modifier != key && KeyHeld(modifier)) keys += VirtualKeyName(modifier) + "+";
    keys += VirtualKeyName(key);
    Held.insert(key);
    if (keys == "Ctrl+C" && !Selection.empty()) ChangeClipboard(Selection);
    FPresses.push_back({keys, keys == "Ctrl+V" ? Clipboard : u""});
}

void TMemoryDesktopInput::SetForegroundWindow(uint64_t window) {
    Log.push_back("foreground " + std::to_string(window));
    Foreground = window;
}

void TMemoryDesktopInput::PopupPoint(int32_t& x, int32_t& y) {
    bool caret = CaretX >= 0 || CaretY >= 0;
    x = caret ? CaretX : MouseX;
    y = caret ? CaretY : MouseY;
}

std::u16string TMemoryDesktopInput::Transcript() const {
    std::u16string out;
    for (const TPress& press : FPresses) {
        bool modifier = press.Keys.ends_with("Ctrl") || press.Keys.ends_with("Alt") ||
                        press.Keys.ends_with("Shift");
        if (press.Keys == "Ctrl+V")
            out += press.Pasted;
        else if (!modifier)
            out += u"[" + FromUtf8(press.Keys) + u"]";
    }
    return out;
}

}  // namespace qb
