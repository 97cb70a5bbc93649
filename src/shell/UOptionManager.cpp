#include "shell/UOptionManager.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

using TKey = TIniKey<TOptions>;

#define QB_OPT(section, key) \
    { section, u## #key, nullptr, kfNone, QB_INI_FIELD(TOptions, key) }
#define QB_OPT_AS(section, key, member, flags) \
    { section, key, nullptr, flags, QB_INI_FIELD(TOptions, member) }
#define QB_OPT_WRITTEN(section, key, written) \
    { section, u## #key, written, kfNone, QB_INI_FIELD(TOptions, key) }
#define QB_FONT_KEY(font, key) \
    { u## #font, u## #key, nullptr, kfNone, QB_INI_FIELD(TOptions, font.key) }
#define QB_FONT(font)                                                                       \
    QB_FONT_KEY(font, FontName), QB_FONT_KEY(font, FontColor), QB_FONT_KEY(font, FontSize), \
        QB_FONT_KEY(font, FontBold), QB_FONT_KEY(font, FontItalic),                         \
        QB_FONT_KEY(font, FontUnderline), QB_FONT_KEY(font, FontStrikeOut),                 \
        QB_FONT_KEY(font, BGColor)

constexpr const char16_t* kProgram = u"Program";
constexpr const char16_t* kEdit = u"Edit";
constexpr const char16_t* kNotes = u"Notes";
constexpr const char16_t* kImportExport = u"ImportExport";
constexpr const char16_t* kBehavior = u"Behavior";
constexpr const char16_t* kLogIn = u"LogIn";
constexpr const char16_t* kBackup = u"Backup";
constexpr const char16_t* kAutoHide = u"AutoHide";
constexpr const char16_t* kAppearance = u"Appearance";
constexpr const char16_t* kTreeView = u"TreeView";
constexpr const char16_t* kTabControl = u"TabControl";
constexpr const char16_t* kEditor = u"Editor";
constexpr const char16_t* kExtFuncs = u"ExtFuncs";
constexpr const char16_t* kCalcPage = u"CalcPage";
constexpr const char16_t* kMemoPage = u"MemoPage";
constexpr const char16_t* kDictPage = u"DictPage";
constexpr const char16_t* kLinkPage = u"LinkPage";
constexpr const char16_t* kClipboard = u"Clipboard";
constexpr const char16_t* kTemplate = u"Template";

// Every key in file order: the order of reading and of writing.
const std::vector<TKey>& OptionKeys() {
    static const std::vector<TKey> keys = {
        QB_OPT(kProgram, StartPage),
        QB_OPT(kProgram, MinimizeToTray),
        QB_OPT(kProgram, ShowTrayIcon),
        QB_OPT(kProgram, StartMinimize),
        QB_OPT(kProgram, CloseMinimize),
        QB_OPT(kProgram, CallWinHotKey),
        QB_OPT(kProgram, AutoName),
        QB_OPT(kProgram, ConfirmDelete),
        QB_OPT(kProgram, ExternalScroll),
        QB_OPT(kProgram, RecentNotesCount),
        QB_OPT(kProgram, RecyclerLimit),
        QB_OPT(kProgram, RememberPageScroll),
        QB_OPT(kProgram, AlwaysFocusEditor),
        QB_OPT(kProgram, MailClient),
        QB_OPT_AS(kProgram, u"Version", Version, kfVersion),

        QB_OPT(kEdit, AutoEmptyLine),
        QB_OPT(kEdit, AutoIndent),
        QB_OPT(kEdit, SmoothScroll),
        QB_OPT(kEdit, OneClickOpenLink),
        QB_OPT(kEdit, ConfirmClear),
        QB_OPT(kEdit, TabStops),
        QB_OPT(kEdit, UndoLimit),
        QB_OPT(kEdit, UL1),
        QB_OPT(kEdit, UL2),
        QB_OPT_AS(kEdit, u"BmkRule", BmkRule, kfReadOnly),

        QB_OPT(kNotes, NewNoteForeGroundHotKey),
        QB_OPT(kNotes, NewNoteBackGroundHotkey),
        QB_OPT(kNotes, CloseNoteHotkey),
        QB_OPT(kNotes, SnapTextHotkey),
        QB_OPT(kNotes, NewNoteBG_SnapTextHotKey),
        QB_OPT_WRITTEN(kNotes, SnapTextToFileHotkey, u"SnapTextToFileHotKey"),
        QB_OPT(kNotes, AutoRecordHotkey),

        QB_OPT(kImportExport, ShowImportDialog),
        QB_OPT(kImportExport, ImportType),
        QB_OPT(kImportExport, VirtualImport),
        QB_OPT(kImportExport, ShowExportDialog),
        QB_OPT(kImportExport, ExportType),
        QB_OPT(kImportExport, ExportEncode),
        QB_OPT(kImportExport, SepLine),
        QB_OPT(kImportExport, ExternalSaveWhenDragInFile),

        QB_OPT(kBehavior, EscMinimize),
        QB_OPT(kBehavior, PageDblClick),
        QB_OPT(kBehavior, PageMButtonClick),
        QB_OPT(kBehavior, GroupDblClick),

        QB_OPT(kLogIn, NeedLogIn),
        {kLogIn, u"Password", u"PassWord", kfPassword, QB_INI_FIELD(TOptions, Password)},
        QB_OPT(kLogIn, LockTrayTime),
        QB_OPT(kLogIn, EncryptDataFile),

        QB_OPT(kBackup, AutoSaveTime),
        QB_OPT(kBackup, BackupInterval),
        QB_OPT(kBackup, BackupIntervalType),
        QB_OPT(kBackup, TotalBackup),
        QB_OPT(kBackup, BackupPath),

        QB_OPT(kAutoHide, Direction),
        QB_OPT(kAutoHide, HideDelay),
        QB_OPT(kAutoHide, ShowDelay),
        QB_OPT(kAutoHide, AnimationTime),
        QB_OPT(kAutoHide, EdgeWidth),

        QB_OPT(kAppearance, Language),
        QB_OPT(kAppearance, ShowToolBar),
        QB_OPT(kAppearance, ShowMenuBar),
        QB_OPT(kAppearance, ToolWindowStyle),
        QB_OPT(kAppearance, CaptionPageName),
        QB_OPT(kAppearance, Transparency),
        QB_OPT(kAppearance, AutoAdjust),
        QB_OPT(kAppearance, AutoAdjustLevel),
        QB_OPT_AS(kAppearance, u"SplitterWidth", SplitterWidth, kfClamp1To10),

        QB_OPT(kTreeView, TreeHorzScroll),
        QB_OPT(kTreeView, LinesAtRoot),
        QB_OPT(kTreeView, NodeButtons),
        QB_OPT(kTreeView, NodeLines),
        QB_OPT(kTreeView, ShowNodeImages),
        QB_OPT(kTreeView, TreeOnRight),
        QB_FONT(TreeFontColor),

        QB_OPT(kTabControl, MultiLineTab),
        QB_OPT(kTabControl, TabWidth),
        QB_OPT(kTabControl, TabOnBottom),
        QB_OPT(kTabControl, ShowTabImages),
        QB_OPT(kTabControl, HighlightCurrentTab),
        QB_FONT(TabFontColor),
        QB_FONT(ListFontColor),

        QB_FONT(AbstractFontColor),
        QB_FONT(AbstractTitleFontColor),
        QB_FONT(AbstractSelTitleFontColor),

        QB_OPT(kEditor, Margins),
        QB_OPT(kEditor, ShowLineNumber),
        QB_OPT(kEditor, LineNumberColor),
        QB_OPT_WRITTEN(kEditor, HighlightSelLine, u"HighLightSelLine"),
        QB_OPT(kEditor, SelLineColor),
        QB_OPT_AS(kEditor, u"HLColor0", HLColor[0], kfNone),
        QB_OPT_AS(kEditor, u"HLColor1", HLColor[1], kfNone),
        QB_OPT_AS(kEditor, u"HLColor2", HLColor[2], kfNone),
        QB_OPT_AS(kEditor, u"HLColor3", HLColor[3], kfNone),
        QB_OPT_AS(kEditor, u"HLColor4", HLColor[4], kfNone),
        QB_OPT_AS(kEditor, u"HLUnderline0", HLUnderline[0], kfNone),
        QB_OPT_AS(kEditor, u"HLUnderline1", HLUnderline[1], kfNone),
        QB_OPT_AS(kEditor, u"HLUnderline2", HLUnderline[2], kfNone),
        QB_OPT_AS(kEditor, u"HLUnderline3", HLUnderline[3], kfNone),
        QB_OPT_AS(kEditor, u"HLUnderline4", HLUnderline[4], kfNone),
        QB_FONT(EditorFontColor),
        QB_FONT(MininoteFontColor),

        QB_OPT(kExtFuncs, EnableCalcPage),
        QB_OPT(kExtFuncs, EnableMemoPage),
        QB_OPT(kExtFuncs, EnableDictPage),
        QB_OPT(kExtFuncs, EnableLinkPage),
        QB_OPT(kExtFuncs, EnableContactPage),
        QB_OPT(kExtFuncs, EnableTemplate),
        QB_OPT(kExtFuncs, EnableClipboard),
        QB_OPT(kExtFuncs, EnableAdvEditor),

        QB_OPT_AS(kCalcPage, u"Decimal", CalcDecimal, kfNone),
        QB_OPT(kCalcPage, Tri_Degree),
        {u"UserFunctions", nullptr, nullptr, kfNone, QB_INI_FIELD(TOptions, UserFunctions)},

        QB_OPT(kMemoPage, DefRemindTime),

        QB_OPT(kDictPage, SelDictList),
        QB_OPT(kDictPage, AllDictList),
        QB_OPT(kDictPage, MultiDict),
        QB_OPT(kDictPage, DebugMode),
        QB_OPT(kDictPage, TipQueryHotKey),
        QB_OPT(kDictPage, TipQueryColor),

        QB_OPT(kLinkPage, DisableIconRead),
        QB_OPT(kLinkPage, AutoMinimizeAfterOpenLink),
        QB_OPT(kLinkPage, FastLinkHotKey),
        QB_OPT(kLinkPage, EnableFastLinkItemHotKey),

        QB_OPT(kClipboard, MaxClipNum),
        QB_OPT(kClipboard, MaxItemByte),
        QB_OPT(kClipboard, MenuWidth),
        QB_OPT(kClipboard, FilterType),
        QB_OPT(kClipboard, NewPasteToTop),
        QB_OPT(kClipboard, ClipboardHotKey),
        QB_OPT(kClipboard, EnableClipItemHotKey),

        QB_OPT(kTemplate, TemplateHotKey),
        QB_OPT(kTemplate, EnableTemplItemHotKey),
        QB_OPT(kTemplate, CaptureHotKey),
        QB_OPT(kTemplate, PopupMenuNoFocus),
    };
    return keys;
}

#undef QB_OPT
#undef QB_OPT_AS
#undef QB_OPT_WRITTEN
#undef QB_FONT_KEY
#undef QB_FONT

IOptionsDialog*& Dialog() {
    static IOptionsDialog* dialog = nullptr;
    return dialog;
}

std::unique_ptr<TOptionManager>& Instance() {
    static std::unique_ptr<TOptionManager> instance;
    return instance;
}

// The registry layer's root key and Run key of the classic system; the autostart layer maps
// the value to a desktop entry.
constexpr int kLocalMachine = static_cast<int>(0x80000002u);
constexpr char16_t kRunKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char16_t kRunValue[] = u"quillbox";

std::filesystem::path FsPath(const std::u16string& path) {
    return std::filesystem::path(ToUtf8(path));
}

// The program as the session starts it: the quoted executable, the notebook when the bare
// program would open another one, and "-m" to start in the tray.
std::u16string AutoStartCommand() {
    const std::u16string program = ExecutablePath();
    std::u16string command = DesktopExecArgument(program);
    if (ProgramFolder() != DefaultProgramFolder(program)) {
        // The session starts it in another working folder: a relative --home would miss.
        std::error_code ignored;
        const auto home = std::filesystem::absolute(FsPath(ProgramFolder()), ignored);
        command += u" --home " + DesktopExecArgument(FromUtf8(home.string()));
    }
    return command + u" -m";
}

}  // namespace

TFontSettings PanelFontDefaults() {
    return TFontSettings{};
}

TFontSettings TextFontDefaults() {
    TFontSettings font;
    font.FontName = u"Tahoma";
    font.FontSize = 10;
    return font;
}

TFontSettings TextFontDefaults(bool bold, TColor background) {
    TFontSettings font = TextFontDefaults();
    font.FontBold = bold;
    font.BGColor = background;
    return font;
}

bool TOptions::AnyExtensionEnabled() const {
    return EnableCalcPage || EnableMemoPage || EnableDictPage || EnableLinkPage ||
           EnableContactPage;
}

void SetOptionsDialog(IOptionsDialog* dialog) {
    Dialog() = dialog;
}

std::u16string IniFileName() {
    return ProgramFolder() + u"quillbox.ini";
}

TOptionManager::TOptionManager() {
    OnCreate();
    Load();
}

TOptionManager::~TOptionManager() {
    OnDestroy();
}

const std::vector<TIniKey<TOptions>>& TOptionManager::Keys() {
    return OptionKeys();
}

void TOptionManager::Load() {
    {
        TIniFileEx ini(IniFileName());
        ReadIniKeys(ini, OptionKeys(), static_cast<TOptions&>(*this));
    }
    if (Version != u"Upgraded") return;
    // The data upgrade left the file behind: it is written anew with exactly the current keys.
    // The fresh file is built beside the old one and renamed over it, so that a failure leaves
    // the old file in place.
    std::u16string fresh = IniFileName() + u".new";
    std::error_code ignored;
    std::filesystem::remove(FsPath(fresh), ignored);
    {
        TIniFileEx ini(fresh);
        ini.BeginUpdate();
        WriteIniKeys(ini, OptionKeys(), static_cast<TOptions&>(*this));
        ini.EndUpdate();
    }
    std::filesystem::rename(FsPath(fresh), FsPath(IniFileName()), ignored);
}

void TOptionManager::Save() {
    TIniFileEx ini(IniFileName());
    ini.BeginUpdate();
    WriteIniKeys(ini, OptionKeys(), static_cast<TOptions&>(*this));
    ini.EndUpdate();
}

void TOptionManager::ReplaceOptions(const TOptions& options) {
    static_cast<TOptions&>(*this) = options;
    Save();
}

bool TOptionManager::DoSetOptions(TknWindow* parent) {
    IOptionsDialog* dialog = Dialog();
    if (!dialog) return false;
    TOptions copy = Options();
    copy.AutoStart = ReadAutoStart();
    bool wasAutoStart = copy.AutoStart;
    if (!dialog->Execute(parent, copy)) return false;
    if (copy.AutoStart != wasAutoStart) WriteAutoStart(copy.AutoStart);
    ReplaceOptions(copy);
    NotifyAll();
    return false;
}

std::optional<std::u16string> TOptionManager::ValueText(std::u16string_view section,
                                                        std::u16string_view key) {
    return KeyValueText(OptionKeys(), static_cast<TOptions&>(*this), section, key);
}

void TOptionManager::SetValueText(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view text) {
    SetKeyValueText(OptionKeys(), static_cast<TOptions&>(*this), section, key, text);
}

TOptionManager& OptionManager() {
    auto& instance = Instance();
    if (!instance) instance = std::make_unique<TOptionManager>();
    return *instance;
}

TOptionManager* ExistingOptionManager() {
    return Instance().get();
}

void ReleaseOptionManager() {
    std::unique_ptr<TOptionManager> instance = std::move(Instance());
}

bool ReadAutoStart() {
    TknRegistry registry(kLocalMachine);
    if (!registry.OpenKey(kRunKey, false)) return false;
    return IsSameText(registry.ReadString(kRunValue), AutoStartCommand());
}

void WriteAutoStart(bool on) {
    TknRegistry registry(kLocalMachine);
    // Created when missing: the classic Run key always exists, an autostart folder may not.
    if (!registry.OpenKey(kRunKey, true)) return;
    if (on)
        registry.WriteString(kRunValue, AutoStartCommand());
    else
        registry.DeleteValue(kRunValue);
}

}  // namespace qb
