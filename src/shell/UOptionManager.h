#pragma once

// Everything the user can set: one options record, stored in "quillbox.ini" in the program
// folder. Fields are named as their ini keys; the record is a plain value, so copying it copies
// every field, fonts and user functions included.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UIniRecord.h"
#include "shell/UknClasses.h"

namespace qb {

// A font section: FontName, FontColor, FontSize, the four styles and the panel's BGColor.
struct TFontSettings {
    std::u16string FontName = u"Arial";
    TColor FontColor = Rgb(0, 0, 0);
    int32_t FontSize = 9;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikeOut = false;
    TColor BGColor = Rgb(255, 255, 255);
    bool operator==(const TFontSettings&) const = default;
};

// The two default sets: panels (Arial 9) and texts (Tahoma 10).
TFontSettings PanelFontDefaults();
TFontSettings TextFontDefaults();
TFontSettings TextFontDefaults(bool bold, TColor background);

struct TOptions {
    // [Program]
    int32_t StartPage = -1;
    bool MinimizeToTray = true;
    bool ShowTrayIcon = true;
    bool StartMinimize = false;
    bool CloseMinimize = false;
    THotKey CallWinHotKey = 0;
    bool AutoName = false;
    bool ConfirmDelete = true;
    bool ExternalScroll = true;
    int32_t RecentNotesCount = 20;
    int32_t RecyclerLimit = 100;  // negative: no limit
    bool RememberPageScroll = true;
    bool AlwaysFocusEditor = false;
    std::u16string MailClient;
    std::u16string Version;  // as read; written as kOptionsVersion
    // [Edit]
    bool AutoEmptyLine = false;
    bool AutoIndent = true;
    bool SmoothScroll = false;
    bool OneClickOpenLink = false;
    bool ConfirmClear = true;
    int32_t TabStops = 4;
    int32_t UndoLimit = 100;
    std::u16string UL1 = u"* ";
    std::u16string UL2 = u"> ";
    int32_t BmkRule = 0;  // read only, never written
    // [Notes]
    THotKey NewNoteForeGroundHotKey = 0;
    THotKey NewNoteBackGroundHotkey = 0;
    THotKey CloseNoteHotkey = 0;
    THotKey SnapTextHotkey = 0;
    THotKey NewNoteBG_SnapTextHotKey = 0;
    THotKey SnapTextToFileHotkey = 0;
    THotKey AutoRecordHotkey = 0;
    // [ImportExport]
    bool ShowImportDialog = true;
    int32_t ImportType = 0;  // 0 file, 1 folder
    bool VirtualImport = false;
    bool ShowExportDialog = true;
    int32_t ExportType = 1;    // 0 file, 1 folder, 2 clipboard
    int32_t ExportEncode = 4;  // a TEncoding
    std::u16string SepLine = u"%n%s(12)%n";
    bool ExternalSaveWhenDragInFile = false;
    // [Behavior]
    bool EscMinimize = true;
    int32_t PageDblClick = 2;      // 0 rename, 1 switch status, 2 delete
    int32_t PageMButtonClick = 1;  // same choices
    int32_t GroupDblClick = 0;     // 0 new page, 1 level up
    // [LogIn]
    bool NeedLogIn = false;
    std::u16string Password;  // plain; stored scrambled under "PassWord"
    int32_t LockTrayTime = -1;
    bool EncryptDataFile = false;
    // [Backup]
    int32_t AutoSaveTime = 10;  // minutes; 0 off
    int32_t BackupInterval = 10;
    int32_t BackupIntervalType = 0;  // 0 saves, 1 minutes, 2 hours, 3 days
    int32_t TotalBackup = 5;
    std::u16string BackupPath = u".\\backup\\";
    // [AutoHide]
    int32_t Direction = 0;  // 0 free, 1 left, 2 top, 3 right, 4 bottom
    int32_t HideDelay = 1500;
    int32_t ShowDelay = 300;
    int32_t AnimationTime = 200;
    int32_t EdgeWidth = 5;
    // [Appearance]
    std::u16string Language;
    bool ShowToolBar = true;
    bool ShowMenuBar = true;
    bool ToolWindowStyle = false;
    bool CaptionPageName = true;
    int32_t Transparency = 5;
    bool AutoAdjust = true;
    int32_t AutoAdjustLevel = 3;
    int32_t SplitterWidth = 4;  // 1..10
    // [TreeView]
    bool TreeHorzScroll = true;
    bool LinesAtRoot = true;
    bool NodeButtons = true;
    bool NodeLines = true;
    bool ShowNodeImages = true;
    bool TreeOnRight = false;
    TFontSettings TreeFontColor = PanelFontDefaults();
    // [TabControl]
    bool MultiLineTab = true;
    int32_t TabWidth = 0;
    bool TabOnBottom = false;
    bool ShowTabImages = false;
    bool HighlightCurrentTab = false;
    TFontSettings TabFontColor = PanelFontDefaults();
    TFontSettings ListFontColor = PanelFontDefaults();
    // abstract view
    TFontSettings AbstractFontColor = TextFontDefaults();
    TFontSettings AbstractTitleFontColor = TextFontDefaults(true, Rgb(165, 219, 181));
    TFontSettings AbstractSelTitleFontColor = TextFontDefaults(true, Rgb(255, 190, 173));
    // [Editor]
    int32_t Margins = 2;
    bool ShowLineNumber = false;
    TColor LineNumberColor = Rgb(198, 195, 198);
    bool HighlightSelLine = false;  // written as "HighLightSelLine"
    TColor SelLineColor = Rgb(255, 255, 128);
    std::array<TColor, 5> HLColor = {Rgb(100, 200, 100), Rgb(255, 50, 50), Rgb(80, 60, 255),
                                     Rgb(255, 128, 255), Rgb(255, 255, 20)};
    std::array<bool, 5> HLUnderline = {false, true, true, false, false};
    TFontSettings EditorFontColor = TextFontDefaults();
    TFontSettings MininoteFontColor = TextFontDefaults();
    // [ExtFuncs]
    bool EnableCalcPage = true;
    bool EnableMemoPage = true;
    bool EnableDictPage = true;
    bool EnableLinkPage = true;
    bool EnableContactPage = true;
    bool EnableTemplate = true;
    bool EnableClipboard = true;
    bool EnableAdvEditor = false;
    // [CalcPage]
    int32_t CalcDecimal = 6;  // key "Decimal"; -1 float
    bool Tri_Degree = false;
    std::vector<std::u16string> UserFunctions;  // section [UserFunctions]
    // [MemoPage]
    int32_t DefRemindTime = 10;
    // [DictPage]
    std::u16string SelDictList;
    std::u16string AllDictList;
    bool MultiDict = true;
    bool DebugMode = false;
    THotKey TipQueryHotKey = 0;
    TColor TipQueryColor = Rgb(255, 255, 231);
    // [LinkPage]
    bool DisableIconRead = false;
    bool AutoMinimizeAfterOpenLink = false;
    THotKey FastLinkHotKey = 0;
    bool EnableFastLinkItemHotKey = false;
    // [Clipboard]
    int32_t MaxClipNum = 30;
    int32_t MaxItemByte = 100000;
    int32_t MenuWidth = 30;
    int32_t FilterType = 1;  // 0 none, 1 neighbouring duplicates, 2 all duplicates
    bool NewPasteToTop = false;
    THotKey ClipboardHotKey = 0;
    bool EnableClipItemHotKey = false;
    // [Template]
    THotKey TemplateHotKey = 0;
    bool EnableTemplItemHotKey = false;
    THotKey CaptureHotKey = 0;
    bool PopupMenuNoFocus = false;

    // Not in the ini: whether the program starts with the desktop, filled when the options
    // dialog opens.
    bool AutoStart = false;

    // Any of the calc, memo, dict, link and contact pages enabled.
    bool AnyExtensionEnabled() const;
};

// The options dialog, supplied by the GUI. Edits the given copy; true when confirmed.
class IOptionsDialog {
  public:
    virtual ~IOptionsDialog() = default;
    virtual bool Execute(TknWindow* parent, TOptions& options) = 0;
};
// Not owned; null (the default) makes every DoSetOptions a cancelled dialog.
void SetOptionsDialog(IOptionsDialog* dialog);

class TOptionManager : public TknOption, public TOptions {
  public:
    TOptionManager();  // OnCreate, then Load
    ~TOptionManager() override;

    const TOptions& Options() const { return *this; }
    // Replaces the record and saves; no observer is told.
    void ReplaceOptions(const TOptions& options);

    // Reads every key; a file whose Version is "Upgraded" is then rewritten from scratch.
    void Load() override;
    // Writes every key but BmkRule, Version as kOptionsVersion, and the user functions.
    void Save() override;
    // Fills AutoStart, runs the options dialog on a copy; when confirmed, applies the
    // AutoStart change, replaces the record, saves and tells every observer. Always false.
    bool DoSetOptions(TknWindow* parent) override;

    // One value by section and key (without regard to case), in the text form of FieldText;
    // nullopt for an unknown key.
    std::optional<std::u16string> ValueText(std::u16string_view section, std::u16string_view key);
    // Sets one value from its text form. Throws TknError for an unknown or read-only key and
    // for a value that does not fit.
    void SetValueText(std::u16string_view section, std::u16string_view key,
                      std::u16string_view text);

    static const std::vector<TIniKey<TOptions>>& Keys();
};

// The ini file: ProgramFolder() + "quillbox.ini".
std::u16string IniFileName();

TOptionManager& OptionManager();
TOptionManager* ExistingOptionManager();
void ReleaseOptionManager();

// The start-with-the-desktop entry: its command is the executable's full path + " -m".
bool ReadAutoStart();
void WriteAutoStart(bool on);

}  // namespace qb
