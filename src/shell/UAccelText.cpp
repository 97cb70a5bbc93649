#include "shell/UAccelText.h"

#include <algorithm>
#include <array>

#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

struct TNamedKey {
    std::u16string_view Name;  // upper case, as parsed
    std::u16string_view Text;  // as written
    uint16_t Key;
};

constexpr std::array<TNamedKey, 10> kNamedKeys = {{
    {u"ESC", u"Esc", vkEscape},
    {u"DEL", u"Del", vkDelete},
    {u"INS", u"Ins", vkInsert},
    {u"TAB", u"Tab", vkTab},
    {u"NEXT", u"Next", vkNext},
    {u"PRIOR", u"Prior", vkPrior},
    {u"LEFT", u"Left", vkLeft},
    {u"RIGHT", u"Right", vkRight},
    {u"UP", u"Up", vkUp},
    {u"DOWN", u"Down", vkDown},
}};

constexpr int kFunctionKeys = 12;

// "F1" to "F12" as 1 to 12, anything else 0.
int FunctionKeyNumber(std::u16string_view name) {
    if (name.size() < 2 || name.size() > 3 || name[0] != u'F') return 0;
    int number = 0;
    for (char16_t c : name.substr(1)) {
        if (c < u'0' || c > u'9') return 0;
        number = number * 10 + (c - u'0');
    }
    return number <= kFunctionKeys ? number : 0;
}

std::optional<TAccelKey> ParseKeyName(std::u16string_view name) {
    TAccelKey key;
    key.Named = true;
    if (int f = FunctionKeyNumber(name)) {
        key.Key = static_cast<uint16_t>(vkF1 + f - 1);
        return key;
    }
    for (const TNamedKey& named : kNamedKeys) {
        if (named.Name != name) continue;
        key.Key = named.Key;
        return key;
    }
    if (name.size() != 1) return std::nullopt;
    return TAccelKey{0, name[0], false};
}

std::u16string KeyName(const TAccelKey& key) {
    if (!key.Named) return std::u16string(1, static_cast<char16_t>(key.Key));
    if (key.Key >= vkF1 && key.Key < vkF1 + kFunctionKeys)
        return u"F" + IntToStr(key.Key - vkF1 + 1);
    for (const TNamedKey& named : kNamedKeys)
        if (named.Key == key.Key) return std::u16string(named.Text);
    return {};
}

template <class TEntries>
auto FindEntry(TEntries& entries, int32_t id) -> decltype(&*entries.begin()) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [id](const TAccelEntry& e) { return e.Id == id; });
    return it == entries.end() ? nullptr : &*it;
}

// Calls visit for each line, without its line end; a last line without one counts.
template <class F>
void ForEachLine(std::u16string_view text, F visit) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) end = text.size();
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

// The command id of an "id=key text" line: decimal digits only before the "=", 1 to 65535;
// 0 for any other line.
int32_t LineCommandId(std::u16string_view line) {
    size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return 0;
    std::u16string trimmed = Trim(line.substr(0, equals));
    if (trimmed.empty() || trimmed.size() > 5) return 0;
    if (!std::all_of(trimmed.begin(), trimmed.end(),
                     [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        return 0;
    int64_t id = StrToInt(trimmed);
    return id <= 0xFFFF ? static_cast<int32_t>(id) : 0;
}

}  // namespace

std::optional<TAccelKey> ParseAccelKey(std::u16string_view text) {
    std::u16string upper = Trim(UpperCase(text));
    uint8_t modifiers = 0;
    if (Pos(u"CTRL", upper) > 0) modifiers |= akControl;
    if (Pos(u"SHIFT", upper) > 0) modifiers |= akShift;
    if (Pos(u"ALT", upper) > 0) modifiers |= akAlt;
    size_t plus = upper.rfind(u'+');
    std::u16string name = plus == std::u16string::npos ? upper : Trim(upper.substr(plus + 1));
    std::optional<TAccelKey> key = ParseKeyName(name);
    if (key) key->Modifiers = modifiers;
    return key;
}

std::u16string FormatAccelKey(const TAccelKey& key) {
    std::u16string text;
    if (key.Modifiers & akControl) text += u"Ctrl+";
    if (key.Modifiers & akShift) text += u"Shift+";
    if (key.Modifiers & akAlt) text += u"Alt+";
    return text + KeyName(key);
}

TAccelEntries DefaultAccelEntries() {
    return {
        {1010, u"Ctrl+N", true},
        {1110, u"Ctrl+G", true},
        {1120, u"F2", true},
        {1130, u"F6", true},
        {1150, u"Ctrl+S", true},
        {1140, u"Shift+Del", true},
        {1220, u"Alt+Up", true},
        {1230, u"Alt+Down", true},
        {1320, u"Ctrl+Z", false},
        {1330, u"Ctrl+Y", false},
        {1340, u"Ctrl+A", false},
        {1350, u"Ctrl+X", false},
        {1360, u"Ctrl+C", false},
        {1370, u"Ctrl+V", false},
        {1310, u"Ctrl+L", true},
        {1450, u"Ctrl+F", true},
        {1462, u"F3", true},
        {1464, u"Shift+F3", true},
        {1466, u"F4", true},
        {1468, u"Shift+F4", true},
        {1470, u"Ctrl+F4", true},
        {1410, u"Ctrl+I", true},
        {1490, u"Ctrl+K", true},
        {1400, u"Del", false},
        {1560, u"Alt+Left", true},
        {1570, u"Alt+Right", true},
        {1580, u"Ctrl+U", true},
        {1630, u"Ctrl+Shift+F", true},
        {1710, u"Ctrl+T", true},
        {1720, u"Ctrl+P", true},
        {1730, u"Ctrl+R", true},
        {1740, u"Ctrl+H", true},
        {1910, u"F1", true},
        {354, u"Ctrl+Tab", true},
        {355, u"F10", true},
        {356, u"Ctrl+Alt+Left", true},
        {357, u"Ctrl+Alt+Right", true},
    };
}

int ApplyAccelLines(TAccelEntries& entries, std::u16string_view fileText) {
    int skipped = 0;
    ForEachLine(fileText, [&](std::u16string_view line) {
        if (Trim(line).empty()) return;
        int32_t id = LineCommandId(line);
        if (id == 0) {
            ++skipped;
            return;
        }
        std::u16string keyText = Trim(line.substr(line.find(u'=') + 1));
        if (TAccelEntry* entry = FindEntry(entries, id)) {
            entry->KeyText = keyText;
            entry->InTable = true;
        } else {
            entries.push_back({id, keyText, true});
        }
    });
    return skipped;
}

std::u16string SetAccelLine(std::u16string_view fileText, int32_t id, std::u16string_view keyText) {
    const std::u16string newLine = IntToStr(id) + u"=" + std::u16string(keyText);
    std::u16string text;
    bool placed = false;
    ForEachLine(fileText, [&](std::u16string_view line) {
        if (LineCommandId(line) != id) {
            text += TrimRight(line) + u"\r\n";
        } else if (!placed) {
            text += newLine + u"\r\n";
            placed = true;
        }
    });
    if (!placed) text += newLine + u"\r\n";
    return text;
}

std::u16string AccelFileName() {
    return ProgramFolder() + u"accel.txt";
}

std::u16string ReadAccelFile(const std::u16string& fileName) {
    if (!FileExists(fileName)) return {};
    TknMemoryTextFile file(fileName, fmRead);
    return file.Text();
}

void WriteAccelFile(const std::u16string& fileName, std::u16string_view text) {
    TknTextFile file(fileName, fmWriteAtomic, enUTF16LE);
    file.Write(text);
    file.Commit();
}

TAccelEntries LoadAccelEntries(const std::u16string& fileName) {
    TAccelEntries entries = DefaultAccelEntries();
    try {
        ApplyAccelLines(entries, ReadAccelFile(fileName));
    } catch (const std::exception&) {
        // An unreadable file is treated as a missing one: the built-in keys stay.
    }
    return entries;
}

std::u16string AccelKeyText(const TAccelEntries& entries, int32_t id) {
    const TAccelEntry* entry = FindEntry(entries, id);
    return entry ? entry->KeyText : std::u16string();
}

std::vector<TAccelBinding> AccelBindings(const TAccelEntries& entries) {
    std::vector<TAccelBinding> bindings;
    for (const TAccelEntry& e : entries) {
        if (!e.InTable) continue;
        std::optional<TAccelKey> key = ParseAccelKey(e.KeyText);
        if (!key) continue;
        bool taken = std::any_of(bindings.begin(), bindings.end(),
                                 [&](const TAccelBinding& b) { return b.Key == *key; });
        if (!taken) bindings.push_back({e.Id, *key});
    }
    return bindings;
}

}  // namespace qb
