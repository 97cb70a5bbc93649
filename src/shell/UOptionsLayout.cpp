#include "shell/UOptionsLayout.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "features/UDictionary.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknListSuper.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

using K = TOptionKind;

TOptionEntry Check(int32_t textId, const char16_t* section, const char16_t* key) {
    return {K::Check, textId, section, key};
}

TOptionEntry Number(int32_t textId, const char16_t* section, const char16_t* key, int32_t min,
                    int32_t max, int32_t offTextId = 0) {
    return {K::Number, textId, section, key, min, max, offTextId};
}

TOptionEntry Choice(int32_t textId, const char16_t* section, const char16_t* key,
                    std::vector<TOptionChoice> choices) {
    TOptionEntry e{K::Choice, textId, section, key};
    e.Choices = std::move(choices);
    return e;
}

TOptionEntry Of(TOptionKind kind, int32_t textId, const char16_t* section,
                const char16_t* key = nullptr) {
    return {kind, textId, section, key};
}

TOptionEntry Beside(TOptionEntry e) {
    e.SameRow = true;
    return e;
}

// Ids of texts several controls share.
constexpr int32_t kOff = 15473;
constexpr int32_t kAlwaysAsk = 15431;
constexpr int32_t kUseDefaults = 15432;
constexpr int32_t kSubitemHotKey = 15603;
constexpr int32_t kPopupHotKey = 15619;

const std::vector<TOptionChoice> kTabClick = {{15454, 0}, {15455, 1}, {15456, 2}};
const std::vector<TOptionChoice> kAskOrDefaults = {{kAlwaysAsk, 1}, {kUseDefaults, 0}};

std::vector<TOptionPanel> BuildPanels() {
    TOptionEntry recycler = Number(15411, u"Program", u"RecyclerLimit", 0, 100000, 15412);
    TOptionEntry autoSave = Number(15480, u"Backup", u"AutoSaveTime", 1, 120, kOff);
    autoSave.Presets = {1, 3, 5, 10, 20, 30, 60};
    autoSave.Suffix = u" min";
    TOptionEntry totalBackup = Number(15487, u"Backup", u"TotalBackup", 1, 10000);
    totalBackup.Presets = {2, 3, 5, 8, 10, 15, 20, 30, 50, 100};
    TOptionEntry itemBytes = Number(15611, u"Clipboard", u"MaxItemByte", 1, 100000);
    itemBytes.Scale = 1000;
    itemBytes.Suffix = u" K";
    TOptionEntry hideDelay = Number(15496, u"AutoHide", u"HideDelay", 0, 300000);
    TOptionEntry showDelay = Number(15497, u"AutoHide", u"ShowDelay", 0, 10000);
    TOptionEntry animation = Number(15498, u"AutoHide", u"AnimationTime", 0, 2000);
    for (TOptionEntry* e : {&hideDelay, &showDelay, &animation}) e->Suffix = u" ms";

    std::vector<TOptionPanel> panels = {
        {15050,
         {Of(K::StartPage, 15400, u"Program", u"StartPage"), Check(15401, u"Program", u"AutoStart"),
          Check(15402, u"Program", u"MinimizeToTray"), Check(15403, u"Program", u"ShowTrayIcon"),
          Check(15404, u"Program", u"StartMinimize"), Check(15405, u"Program", u"CloseMinimize"),
          Of(K::HotKey, 15406, u"Program", u"CallWinHotKey"), Check(15407, u"Program", u"AutoName"),
          Check(15408, u"Program", u"ConfirmDelete"), Check(15409, u"Program", u"ExternalScroll"),
          Number(15410, u"Program", u"RecentNotesCount", 5, 100), recycler,
          Check(15413, u"Program", u"RememberPageScroll"),
          Check(15414, u"Program", u"AlwaysFocusEditor"),
          Of(K::Program, 15415, u"Program", u"MailClient")}},
        {15060,
         {Check(15420, u"Edit", u"AutoEmptyLine"), Check(15421, u"Edit", u"AutoIndent"),
          Check(15422, u"Edit", u"SmoothScroll"), Check(15423, u"Edit", u"OneClickOpenLink"),
          Check(15424, u"Edit", u"ConfirmClear"), Number(15425, u"Edit", u"TabStops", 1, 32),
          Number(15426, u"Edit", u"UndoLimit", 1, 32767), Of(K::Text, 15427, u"Edit", u"UL1"),
          Of(K::Text, 15428, u"Edit", u"UL2")}},
        {15070,
         {Of(K::HotKey, 15301, u"Notes", u"NewNoteForeGroundHotKey"),
          Of(K::HotKey, 15302, u"Notes", u"NewNoteBackGroundHotkey"),
          Of(K::HotKey, 15306, u"Notes", u"CloseNoteHotkey"),
          Of(K::HotKey, 15303, u"Notes", u"SnapTextHotkey"),
          Of(K::HotKey, 15304, u"Notes", u"NewNoteBG_SnapTextHotKey"),
          Of(K::HotKey, 15346, u"Notes", u"SnapTextToFileHotkey"),
          Of(K::HotKey, 15307, u"Notes", u"AutoRecordHotkey")}},
        {15080,
         {Choice(15430, u"ImportExport", u"ShowImportDialog", kAskOrDefaults),
          Choice(15433, u"ImportExport", u"ImportType", {{11510, 0}, {11520, 1}}),
          Check(11530, u"ImportExport", u"VirtualImport"),
          Choice(15434, u"ImportExport", u"ShowExportDialog", kAskOrDefaults),
          Choice(15435, u"ImportExport", u"ExportType", {{11610, 0}, {11620, 1}, {11625, 2}}),
          Choice(15436, u"ImportExport", u"ExportEncode",
                 {{15437, 1}, {15438, 4}, {15439, 5}, {15440, 3}}),
          Of(K::Text, 15441, u"ImportExport", u"SepLine"),
          Check(15442, u"ImportExport", u"ExternalSaveWhenDragInFile")}},
        {15090,
         {Choice(15450, u"Behavior", u"EscMinimize", {{1970, 1}, {15452, 0}}),
          Choice(15453, u"Behavior", u"PageDblClick", kTabClick),
          Choice(15457, u"Behavior", u"PageMButtonClick", kTabClick),
          Choice(15458, u"Behavior", u"GroupDblClick", {{15459, 0}, {15460, 1}})}},
        {15100,
         {Check(15470, u"LogIn", u"NeedLogIn"), Of(K::Password, 15471, u"LogIn", u"Password"),
          Number(15472, u"LogIn", u"LockTrayTime", 0, 120, kOff),
          Check(15770, u"LogIn", u"EncryptDataFile")}},
        {15110,
         {autoSave, Number(15481, u"Backup", u"BackupInterval", 1, 200, kOff),
          Beside(Choice(15482, u"Backup", u"BackupIntervalType",
                        {{15483, 0}, {15484, 1}, {15485, 2}, {15486, 3}})),
          totalBackup, Of(K::Folder, 15488, u"Backup", u"BackupPath")}},
        {15120,
         {Choice(15490, u"AutoHide", u"Direction",
                 {{15491, 0}, {15492, 1}, {15493, 2}, {15494, 3}, {15495, 4}}),
          hideDelay, showDelay, animation, Number(15499, u"AutoHide", u"EdgeWidth", 1, 20)}},
        {15130,
         {Of(K::Language, 15500, u"Appearance", u"Language"),
          Check(15502, u"Appearance", u"ShowToolBar"), Check(15503, u"Appearance", u"ShowMenuBar"),
          Check(15504, u"Appearance", u"ToolWindowStyle"),
          Check(15505, u"Appearance", u"CaptionPageName"),
          // Levels above 12 would take the window's alpha below zero.
          Number(15506, u"Appearance", u"Transparency", 1, 12),
          Check(15507, u"Appearance", u"AutoAdjust"),
          Number(15508, u"Appearance", u"AutoAdjustLevel", 1, 5),
          Number(15509, u"Appearance", u"SplitterWidth", 1, 10)}},
        {15140,
         {Check(15510, u"TreeView", u"TreeHorzScroll"), Check(15511, u"TreeView", u"LinesAtRoot"),
          Check(15512, u"TreeView", u"NodeButtons"), Check(15513, u"TreeView", u"NodeLines"),
          Check(15514, u"TreeView", u"ShowNodeImages"), Check(15515, u"TreeView", u"TreeOnRight"),
          Of(K::Font, 15516, u"TreeFontColor")}},
        {15150,
         {Check(15520, u"TabControl", u"MultiLineTab"),
          Number(15521, u"TabControl", u"TabWidth", 1, 1000, 15522),
          Check(15523, u"TabControl", u"TabOnBottom"),
          Check(15524, u"TabControl", u"ShowTabImages"),
          Check(15525, u"TabControl", u"HighlightCurrentTab"), Of(K::Font, 15526, u"TabFontColor"),
          Of(K::Font, 15527, u"ListFontColor")}},
        {15160,
         {Of(K::Font, 15530, u"AbstractFontColor"), Of(K::Font, 15531, u"AbstractTitleFontColor"),
          Of(K::Font, 15532, u"AbstractSelTitleFontColor")}},
        {15170,
         {Number(15540, u"Editor", u"Margins", 0, 20), Check(15541, u"Editor", u"ShowLineNumber"),
          Beside(Of(K::Colour, 15542, u"Editor", u"LineNumberColor")),
          Check(15543, u"Editor", u"HighlightSelLine"),
          Beside(Of(K::Colour, 15544, u"Editor", u"SelLineColor")), Of(K::Remark, 15545, nullptr),
          Of(K::Colour, 15546, u"Editor", u"HLColor0"),
          Beside(Check(15547, u"Editor", u"HLUnderline0")),
          Of(K::Colour, 1381, u"Editor", u"HLColor1"),
          Beside(Check(15547, u"Editor", u"HLUnderline1")),
          Of(K::Colour, 1382, u"Editor", u"HLColor2"),
          Beside(Check(15547, u"Editor", u"HLUnderline2")),
          Of(K::Colour, 1383, u"Editor", u"HLColor3"),
          Beside(Check(15547, u"Editor", u"HLUnderline3")),
          Of(K::Colour, 1384, u"Editor", u"HLColor4"),
          Beside(Check(15547, u"Editor", u"HLUnderline4")),
          Of(K::Font, 15548, u"EditorFontColor")}},
        {15180, {Of(K::Font, 15550, u"MininoteFontColor")}},
        {15190,
         {Check(15560, u"ExtFuncs", u"EnableCalcPage"),
          Check(15561, u"ExtFuncs", u"EnableMemoPage"),
          Check(15562, u"ExtFuncs", u"EnableDictPage"),
          Check(15563, u"ExtFuncs", u"EnableLinkPage"),
          Check(15564, u"ExtFuncs", u"EnableContactPage"),
          Check(15565, u"ExtFuncs", u"EnableTemplate"),
          Check(15566, u"ExtFuncs", u"EnableClipboard"), Of(K::Remark, 15567, nullptr)}},
        {15200,
         {Number(15570, u"CalcPage", u"Decimal", 0, 15, 15571),
          Choice(15572, u"CalcPage", u"Tri_Degree", {{15573, 1}, {15574, 0}}),
          Of(K::Lines, 15575, u"UserFunctions")}},
        {15210, {Number(15580, u"MemoPage", u"DefRemindTime", 0, 10080)}},
        {15220,
         {Of(K::Dictionaries, 15590, u"DictPage"), Check(15591, u"DictPage", u"MultiDict"),
          Check(15592, u"DictPage", u"DebugMode"),
          Of(K::HotKey, 15593, u"DictPage", u"TipQueryHotKey"),
          Of(K::Colour, 15594, u"DictPage", u"TipQueryColor")}},
        {15230,
         {Check(15600, u"LinkPage", u"DisableIconRead"),
          Check(15601, u"LinkPage", u"AutoMinimizeAfterOpenLink"),
          Of(K::HotKey, 15602, u"LinkPage", u"FastLinkHotKey"),
          Check(kSubitemHotKey, u"LinkPage", u"EnableFastLinkItemHotKey")}},
        {15240,
         {Number(15610, u"Clipboard", u"MaxClipNum", 3, 100), itemBytes,
          Number(15613, u"Clipboard", u"MenuWidth", 10, 100),
          Choice(15614, u"Clipboard", u"FilterType", {{15615, 0}, {15616, 1}, {15617, 2}}),
          Check(15618, u"Clipboard", u"NewPasteToTop"),
          Of(K::HotKey, kPopupHotKey, u"Clipboard", u"ClipboardHotKey"),
          Check(kSubitemHotKey, u"Clipboard", u"EnableClipItemHotKey")}},
        {15250,
         {Of(K::HotKey, kPopupHotKey, u"Template", u"TemplateHotKey"),
          Check(kSubitemHotKey, u"Template", u"EnableTemplItemHotKey"),
          Of(K::HotKey, 15620, u"Template", u"CaptureHotKey"),
          Check(15621, u"Template", u"PopupMenuNoFocus")}},
    };
    return panels;
}

struct TFontSection {
    const char16_t* Section;
    TFontSettings TOptions::*Font;
};

constexpr TFontSection kFontSections[] = {
    {u"TreeFontColor", &TOptions::TreeFontColor},
    {u"TabFontColor", &TOptions::TabFontColor},
    {u"ListFontColor", &TOptions::ListFontColor},
    {u"AbstractFontColor", &TOptions::AbstractFontColor},
    {u"AbstractTitleFontColor", &TOptions::AbstractTitleFontColor},
    {u"AbstractSelTitleFontColor", &TOptions::AbstractSelTitleFontColor},
    {u"EditorFontColor", &TOptions::EditorFontColor},
    {u"MininoteFontColor", &TOptions::MininoteFontColor},
};

bool SameName(const char16_t* a, const char16_t* b) {
    if (!a || !b) return a == b;
    return SameIniName(a, b);
}

std::vector<std::u16string> SplitNames(std::u16string_view list) {
    std::vector<std::u16string> names;
    SplitText(list, u",", [&](std::u16string_view piece) {
        std::u16string name = Trim(piece);
        if (!name.empty()) names.push_back(std::move(name));
    });
    return names;
}

bool ContainsName(const std::vector<std::u16string>& names, std::u16string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::u16string& n) { return IsSameText(n, name); });
}

std::u16string DictTitle(const std::u16string& fileName) {
    try {
        TknTextFile file(DictFolder() + fileName, fmRead);
        TDictHeader header = ParseDictHeader(file.ReadLine());
        if (!header.Title.empty()) return header.Title;
    } catch (const TknError&) {
        // a missing or unreadable file is listed by its name
    }
    return fileName;
}

std::u16string JoinNames(const std::vector<std::u16string>& names) {
    std::u16string list;
    for (const auto& n : names) {
        if (!list.empty()) list += u',';
        list += n;
    }
    return list;
}

}  // namespace

const std::vector<TOptionPanel>& OptionPanels() {
    static const std::vector<TOptionPanel> panels = BuildPanels();
    return panels;
}

const TOptionPanel* FindOptionPanel(int32_t textId) {
    for (const auto& p : OptionPanels())
        if (p.TextId == textId) return &p;
    return nullptr;
}

std::optional<TFieldRef> OptionField(const TOptionEntry& entry, TOptions& options) {
    if (entry.Kind == K::Font || entry.Kind == K::Dictionaries || entry.Kind == K::Remark)
        return std::nullopt;
    // Not an ini key: the desktop's autostart entry, read when the dialog opens.
    if (entry.Key && SameName(entry.Key, u"AutoStart")) return TFieldRef(&options.AutoStart);
    for (const auto& k : TOptionManager::Keys())
        if (SameName(k.Section, entry.Section) &&
            (SameName(k.Key, entry.Key) || (entry.Key && SameName(k.WrittenKey, entry.Key))))
            return k.Field(options);
    return std::nullopt;
}

TFontSettings* OptionFont(const TOptionEntry& entry, TOptions& options) {
    if (entry.Kind != K::Font) return nullptr;
    for (const auto& f : kFontSections)
        if (SameName(f.Section, entry.Section)) return &(options.*f.Font);
    return nullptr;
}

int32_t FieldInt(TFieldRef field) {
    if (auto* i = std::get_if<int32_t*>(&field)) return **i;
    if (auto* b = std::get_if<bool*>(&field)) return **b ? 1 : 0;
    return 0;
}

void SetFieldInt(TFieldRef field, int32_t value) {
    if (auto* i = std::get_if<int32_t*>(&field)) **i = value;
    if (auto* b = std::get_if<bool*>(&field)) **b = value != 0;
}

bool IsOffNumber(const TOptionEntry& entry, int32_t stored) {
    return entry.OffTextId != 0 && stored < entry.Min * entry.Scale;
}

int32_t ShownNumber(const TOptionEntry& entry, int32_t stored) {
    if (IsOffNumber(entry, stored)) return entry.Min - 1;
    return std::clamp(stored / entry.Scale, entry.Min, entry.Max);
}

int32_t StoredNumber(const TOptionEntry& entry, int32_t shown) {
    if (entry.OffTextId != 0 && shown < entry.Min) return entry.Min * entry.Scale - 1;
    return std::clamp(shown, entry.Min, entry.Max) * entry.Scale;
}

int32_t SpinMinimum(const TOptionEntry& entry) {
    return entry.OffTextId != 0 ? entry.Min - 1 : entry.Min;
}

std::optional<int32_t> ParseShownNumber(const TOptionEntry& entry, std::u16string_view text,
                                        std::u16string_view offText) {
    std::u16string t = Trim(text);
    if (entry.OffTextId != 0 && !offText.empty() && IsSameText(t, Trim(offText)))
        return entry.Min - 1;
    if (entry.Suffix) {
        std::u16string suffix = Trim(entry.Suffix);
        if (t.size() > suffix.size() && IsSameText(t.substr(t.size() - suffix.size()), suffix))
            t = Trim(std::u16string_view(t).substr(0, t.size() - suffix.size()));
    }
    constexpr int64_t kNotANumber = INT64_MIN;
    int64_t value = StrToIntDef(t, kNotANumber);
    if (value == kNotANumber) return std::nullopt;
    return static_cast<int32_t>(std::clamp<int64_t>(value, SpinMinimum(entry), entry.Max));
}

int ChoiceIndex(const TOptionEntry& entry, int32_t value) {
    for (size_t i = 0; i < entry.Choices.size(); ++i)
        if (entry.Choices[i].Value == value) return static_cast<int>(i);
    return 0;
}

THotKey MakeHotKey(uint8_t modifiers, uint8_t virtualKey) {
    if (virtualKey == 0) return 0;
    uint8_t flags = modifiers & (kHotKeyShift | kHotKeyControl | kHotKeyAlt);
    return static_cast<THotKey>((flags << 8) | virtualKey);
}

std::vector<std::u16string> CleanUserFunctions(std::u16string_view text) {
    std::vector<std::u16string> lines;
    while (!text.empty()) {
        size_t end = text.find_first_of(u"\r\n");
        std::u16string line = Trim(text.substr(0, end));
        text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
        if (!line.empty() && line.front() == u'#') line = Trim(std::u16string_view(line).substr(1));
        if (!line.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::u16string StoredPath(std::u16string_view path) {
    return MakeRelative(path, ProgramFolder());
}

std::vector<std::u16string> LanguageChoices() {
    std::vector<std::u16string> names = {u"Chinese", u"English"};
    std::error_code error;
    std::filesystem::directory_iterator it(ToUtf8(ProgramFolder() + u"lang"), error), end;
    for (; !error && it != end; it.increment(error)) {
        const std::filesystem::path& p = it->path();
        if (p.extension() != ".lng") continue;
        std::u16string name = FromUtf8(p.stem().string());
        if (!name.empty() && !ContainsName(names, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        return CompareText(a, b) < 0;
    });
    return names;
}

std::vector<TDictChoice> DictionaryChoices(std::u16string_view selDictList,
                                           std::u16string_view allDictList) {
    std::vector<std::u16string> selected = SplitNames(selDictList);
    std::vector<std::u16string> order = selected;
    for (auto& name : SplitNames(allDictList))
        if (!ContainsName(order, name)) order.push_back(std::move(name));
    std::vector<TDictChoice> choices;
    for (auto& name : order) {
        bool isSelected = ContainsName(selected, name);
        std::u16string title = DictTitle(name);
        choices.push_back({std::move(name), std::move(title), isSelected});
    }
    return choices;
}

void StoreDictionaryChoices(const std::vector<TDictChoice>& choices, TOptions& options) {
    std::vector<std::u16string> selected, all;
    for (const auto& c : choices) {
        all.push_back(c.FileName);
        if (c.Selected) selected.push_back(c.FileName);
    }
    options.SelDictList = JoinNames(selected);
    options.AllDictList = JoinNames(all);
}

void NormalizeOptions(TOptions& options) {
    if (!options.NeedLogIn) options.EncryptDataFile = false;
}

}  // namespace qb
