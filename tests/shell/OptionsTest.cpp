#include <filesystem>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"
#include "shell/UInMemoryPlatform.h"

namespace qb::test {

namespace {

// Every key the option file holds after a save, section by section, in write order.
const std::vector<std::pair<std::u16string, std::u16string>> kWrittenKeys = {
    {u"Program",
     u"StartPage MinimizeToTray ShowTrayIcon StartMinimize CloseMinimize CallWinHotKey AutoName "
     u"ConfirmDelete ExternalScroll RecentNotesCount RecyclerLimit RememberPageScroll "
     u"AlwaysFocusEditor MailClient Version"},
    {u"Edit",
     u"AutoEmptyLine AutoIndent SmoothScroll OneClickOpenLink ConfirmClear TabStops UndoLimit UL1 "
     u"UL2"},
    {u"Notes",
     u"NewNoteForeGroundHotKey NewNoteBackGroundHotkey CloseNoteHotkey SnapTextHotkey "
     u"NewNoteBG_SnapTextHotKey SnapTextToFileHotKey AutoRecordHotkey"},
    {u"ImportExport",
     u"ShowImportDialog ImportType VirtualImport ShowExportDialog ExportType ExportEncode SepLine "
     u"ExternalSaveWhenDragInFile"},
    {u"Behavior", u"EscMinimize PageDblClick PageMButtonClick GroupDblClick"},
    {u"LogIn", u"NeedLogIn PassWord LockTrayTime EncryptDataFile"},
    {u"Backup", u"AutoSaveTime BackupInterval BackupIntervalType TotalBackup BackupPath"},
    {u"AutoHide", u"Direction HideDelay ShowDelay AnimationTime EdgeWidth"},
    {u"Appearance",
     u"Language ShowToolBar ShowMenuBar ToolWindowStyle CaptionPageName Transparency AutoAdjust "
     u"AutoAdjustLevel SplitterWidth"},
    {u"TreeView", u"TreeHorzScroll LinesAtRoot NodeButtons NodeLines ShowNodeImages TreeOnRight"},
    {u"TreeFontColor", u"*"},
    {u"TabControl", u"MultiLineTab TabWidth TabOnBottom ShowTabImages HighlightCurrentTab"},
    {u"TabFontColor", u"*"},
    {u"ListFontColor", u"*"},
    {u"AbstractFontColor", u"*"},
    {u"AbstractTitleFontColor", u"*"},
    {u"AbstractSelTitleFontColor", u"*"},
    {u"Editor",
     u"Margins ShowLineNumber LineNumberColor HighLightSelLine SelLineColor HLColor0 HLColor1 "
     u"HLColor2 HLColor3 HLColor4 HLUnderline0 HLUnderline1 HLUnderline2 HLUnderline3 "
     u"HLUnderline4"},
    {u"EditorFontColor", u"*"},
    {u"MininoteFontColor", u"*"},
    {u"ExtFuncs",
     u"EnableCalcPage EnableMemoPage EnableDictPage EnableLinkPage EnableContactPage "
     u"EnableTemplate EnableClipboard EnableAdvEditor"},
    {u"CalcPage", u"Decimal Tri_Degree"},
    {u"UserFunctions", u"ItemCount"},
    {u"MemoPage", u"DefRemindTime"},
    {u"DictPage", u"SelDictList AllDictList MultiDict DebugMode TipQueryHotKey TipQueryColor"},
    {u"LinkPage",
     u"DisableIconRead AutoMinimizeAfterOpenLink FastLinkHotKey EnableFastLinkItemHotKey"},
    {u"Clipboard",
     u"MaxClipNum MaxItemByte MenuWidth FilterType NewPasteToTop ClipboardHotKey "
     u"EnableClipItemHotKey"},
    {u"Template", u"TemplateHotKey EnableTemplItemHotKey CaptureHotKey PopupMenuNoFocus"},
};

std::vector<std::u16string> Words(std::u16string_view s) {
    if (s == u"*")
        s = u"FontName FontColor FontSize FontBold FontItalic FontUnderline FontStrikeOut BGColor";
    std::vector<std::u16string> words;
    size_t start = 0;
    while (start < s.size()) {
        size_t end = s.find(u' ', start);
        if (end == std::u16string_view::npos) end = s.size();
        words.emplace_back(s.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string Utf8Of(std::u16string_view s) {
    return ToUtf8(s);
}

}  // namespace

using OptionsTest = TShellTest;

TEST_F(OptionsTest, MissingIniGivesTheDefaultsAndCreatesNoFile) {
    const std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> expected = {
        {u"Program", u"StartPage", u"-1"},
        {u"Program", u"MinimizeToTray", u"1"},
        {u"Program", u"RecentNotesCount", u"20"},
        {u"Program", u"Version", u""},
        {u"Edit", u"UndoLimit", u"100"},
        {u"Edit", u"UL1", u"* "},
        {u"Edit", u"UL2", u"> "},
        {u"ImportExport", u"ExportType", u"1"},
        {u"ImportExport", u"ExportEncode", u"4"},
        {u"ImportExport", u"SepLine", u"%n%s(12)%n"},
        {u"Behavior", u"PageDblClick", u"2"},
        {u"LogIn", u"LockTrayTime", u"-1"},
        {u"Backup", u"AutoSaveTime", u"10"},
        {u"Backup", u"BackupPath", u".\\backup\\"},
        {u"AutoHide", u"HideDelay", u"1500"},
        {u"Appearance", u"Transparency", u"5"},
        {u"Appearance", u"SplitterWidth", u"4"},
        {u"TreeFontColor", u"FontName", u"Arial"},
        {u"TreeFontColor", u"FontSize", u"9"},
        {u"TabFontColor", u"BGColor", u"16777215"},
        {u"AbstractFontColor", u"FontName", u"Tahoma"},
        {u"AbstractFontColor", u"FontSize", u"10"},
        {u"AbstractTitleFontColor", u"FontBold", u"1"},
        {u"AbstractTitleFontColor", u"BGColor", u"11918245"},     // RGB(165,219,181)
        {u"AbstractSelTitleFontColor", u"BGColor", u"11386623"},  // RGB(255,190,173)
        {u"EditorFontColor", u"FontBold", u"0"},
        {u"Editor", u"LineNumberColor", u"13026246"},  // RGB(198,195,198)
        {u"Editor", u"SelLineColor", u"8454143"},      // RGB(255,255,128)
        {u"Editor", u"HLColor0", u"6604900"},          // RGB(100,200,100)
        {u"Editor", u"HLColor4", u"1376255"},          // RGB(255,255,20)
        {u"Editor", u"HLUnderline0", u"0"},
        {u"Editor", u"HLUnderline1", u"1"},
        {u"Editor", u"HLUnderline2", u"1"},
        {u"Editor", u"HLUnderline3", u"0"},
        {u"ExtFuncs", u"EnableAdvEditor", u"0"},
        {u"ExtFuncs", u"EnableClipboard", u"1"},
        {u"CalcPage", u"Decimal", u"6"},
        {u"DictPage", u"TipQueryColor", u"15204351"},  // RGB(255,255,231)
        {u"DictPage", u"MultiDict", u"1"},
        {u"Clipboard", u"MaxItemByte", u"100000"},
        {u"Clipboard", u"FilterType", u"1"},
    };
    for (const auto& [section, key, value] : expected) {
        SCOPED_TRACE(Utf8Of(section + u"/" + key));
        auto text = OptionManager().ValueText(section, key);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(Utf8Of(*text), Utf8Of(value));
    }
    EXPECT_TRUE(OptionManager().UserFunctions.empty());
    EXPECT_TRUE(OptionManager().AnyExtensionEnabled());
    EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(OptionsTest, FirstSaveWritesEveryKeyInOrderWithTheVersion) {
    OptionManager().Save();
    std::vector<TIniLine> lines = IniLines();
    size_t at = 0;
    for (const auto& [section, keys] : kWrittenKeys) {
        for (const auto& key : Words(keys)) {
            SCOPED_TRACE(Utf8Of(section + u"/" + key));
            ASSERT_LT(at, lines.size());
            EXPECT_EQ(Utf8Of(lines[at].Section), Utf8Of(section));
            EXPECT_EQ(Utf8Of(lines[at].Key), Utf8Of(key));
            ++at;
        }
    }
    EXPECT_EQ(at, lines.size()) << "keys beyond the known ones";
    EXPECT_EQ(FindIniLine(lines, u"Program", u"Version")->Value, u"3.2.0");
    EXPECT_EQ(FindIniLine(lines, u"UserFunctions", u"ItemCount")->Value, u"0");
    EXPECT_EQ(FindIniLine(lines, u"Edit", u"BmkRule"), nullptr);
    EXPECT_EQ(OptionManager().Version, u"3.2.0");

    // What was written reads back as the same record.
    TOptions before = OptionManager().Options();
    ReleaseOptionManager();
    for (const auto& key : TOptionManager::Keys()) {
        if (!key.Key) continue;
        EXPECT_EQ(Utf8Of(*OptionManager().ValueText(key.Section, key.Key)),
                  Utf8Of(FieldText(key.Field(before))))
            << Utf8Of(key.Key);
    }
}

TEST_F(OptionsTest, ReadsStoredValuesWithTheirEncodings) {
    WriteIni(
        "[Program]\nMinimizeToTray=0\nConfirmDelete=2\nCallWinHotKey=833\nrecentnotescount=55\n"
        "[Edit]\nBmkRule=2\nUL1=- \n"
        "[LogIn]\nPassWord=d`a\n"
        "[Appearance]\nSplitterWidth=25\n"
        "[TreeFontColor]\nFontName=Courier New\nFontBold=1\nBGColor=255\n"
        "[Editor]\nHighLightSelLine=1\nHLColor3=65280\n"
        "[Notes]\nSnapTextToFileHotKey=1090\n"
        "[CalcPage]\nDecimal=-1\n"
        "[UserFunctions]\nItemCount=2\nItem0=f(x)=x*2\nItem1=g = 3\nItem2=dropped\n");
    const TOptionManager& o = OptionManager();
    EXPECT_FALSE(o.MinimizeToTray);
    EXPECT_TRUE(o.ConfirmDelete);  // any non-zero value
    EXPECT_EQ(o.CallWinHotKey, 833);
    EXPECT_EQ(o.RecentNotesCount, 55);  // keys match without regard to case
    EXPECT_EQ(o.BmkRule, 2);
    EXPECT_EQ(o.Password, u"abc");
    EXPECT_EQ(o.SplitterWidth, 10);
    EXPECT_EQ(o.TreeFontColor.FontName, u"Courier New");
    EXPECT_TRUE(o.TreeFontColor.FontBold);
    EXPECT_EQ(o.TreeFontColor.BGColor, Rgb(255, 0, 0));
    EXPECT_EQ(o.TreeFontColor.FontSize, 9);
    EXPECT_TRUE(o.HighlightSelLine);
    EXPECT_EQ(o.HLColor[3], Rgb(0, 255, 0));
    EXPECT_EQ(o.SnapTextToFileHotkey, 1090);
    EXPECT_EQ(o.CalcDecimal, -1);
    ASSERT_EQ(o.UserFunctions.size(), 2u);
    EXPECT_EQ(o.UserFunctions[0], u"f(x)=x*2");
    EXPECT_EQ(o.UserFunctions[1], u"g = 3");

    ReleaseOptionManager();
    WriteIni("[Appearance]\nSplitterWidth=0\n");
    EXPECT_EQ(OptionManager().SplitterWidth, 1);
}

TEST_F(OptionsTest, UpgradedFileIsRewrittenWithExactlyTheCurrentKeys) {
    WriteIni(
        "[Program]\nVersion=Upgraded\nAutoName=1\nObsoleteKey=5\n"
        "[OldSection]\nWhatever=1\n"
        "[Backup]\nAutoSaveTime=30\n");
    EXPECT_EQ(OptionManager().Version, u"3.2.0");
    std::vector<TIniLine> lines = IniLines();
    EXPECT_EQ(FindIniLine(lines, u"Program", u"Version")->Value, u"3.2.0");
    EXPECT_EQ(FindIniLine(lines, u"Program", u"AutoName")->Value, u"1");
    EXPECT_EQ(FindIniLine(lines, u"Backup", u"AutoSaveTime")->Value, u"30");
    EXPECT_EQ(FindIniLine(lines, u"Program", u"ObsoleteKey"), nullptr);
    EXPECT_EQ(FindIniLine(lines, u"OldSection", u"Whatever"), nullptr);
    EXPECT_FALSE(FileExists(IniPath() + u".new"));
}

TEST_F(OptionsTest, PasswordStoredFormAndRoundTrips) {
    EXPECT_EQ(ScramblePassword(u"a"), u"d");
    EXPECT_EQ(ScramblePassword(u"abc"), u"d`a");
    EXPECT_EQ(ScramblePassword(u""), u"");
    EXPECT_EQ(UnscramblePassword(u"d`a"), u"abc");

    const std::vector<std::u16string> passwords = {
        u"a",
        u"secret word",
        u"hello!",      // the last character is stored as U+001F
        u"say \"hi\"",  // a quote becomes a blank at the end
        std::u16string(1, u'\0') + u"x",
        std::u16string(1, 0xFFFF),
        std::u16string(1, 0xFFFD) + u"\x0001\x0002",
        u"\xFFFE\x000C\x000F",      // would store a line feed and a carriage return
        u"\U0001F600 smile",        // a surrogate pair
        std::u16string(1, 0xD800),  // a lone surrogate survives too
    };
    for (const auto& password : passwords) {
        SCOPED_TRACE(Hex(Utf16LE(password)));
        EXPECT_EQ(UnscramblePassword(ScramblePassword(password)), password);
        Reset();
        OptionManager().Password = password;
        OptionManager().Save();
        ReleaseOptionManager();
        EXPECT_EQ(Hex(Utf16LE(OptionManager().Password)), Hex(Utf16LE(password)));
    }
    // Ordinary passwords keep the plain stored form in the file.
    Reset();
    OptionManager().Password = u"abc";
    OptionManager().Save();
    EXPECT_EQ(FindIniLine(IniLines(), u"LogIn", u"PassWord")->Value, u"d`a");
}

TEST_F(OptionsTest, ReplaceOptionsSavesWithoutTellingObservers) {
    struct TListener : IOptionObserver {
        int Calls = 0;
        void OptionChanged() override { ++Calls; }
    } listener;
    OptionManager().AddObserver(&listener);
    TOptions options = OptionManager().Options();
    options.AutoName = true;
    OptionManager().ReplaceOptions(options);
    EXPECT_EQ(listener.Calls, 1);
    EXPECT_EQ(FindIniLine(IniLines(), u"Program", u"AutoName")->Value, u"1");
    OptionManager().RemoveObserver(&listener);
}

TEST_F(OptionsTest, OptionsDialogSeesAndChangesTheAutostartEntry) {
    SetAutostartFolderForTesting(FFolder.Path16() + u"autostart/");
    TScriptedOptionsDialog dialog;
    SetOptionsDialog(&dialog);
    dialog.Edit = [](TOptions& o) {
        o.AutoStart = true;
        return true;
    };
    OptionManager().SetOptions(nullptr);
    EXPECT_FALSE(dialog.AutoStartSeen);
    EXPECT_TRUE(ReadAutoStart());

    dialog.Edit = [](TOptions& o) {
        o.AutoStart = false;
        return false;  // cancelled: the entry stays
    };
    OptionManager().SetOptions(nullptr);
    EXPECT_TRUE(dialog.AutoStartSeen);
    EXPECT_TRUE(ReadAutoStart());

    dialog.Edit = [](TOptions& o) {
        o.AutoStart = false;
        return true;
    };
    OptionManager().SetOptions(nullptr);
    EXPECT_FALSE(ReadAutoStart());
    SetAutostartFolderForTesting(u"");
}

// The session starts the entry's Exec line through a desktop-entry parser, not a shell: the
// program and a notebook with spaces in its path are quoted, the default notebook is left out.
TEST_F(OptionsTest, AutostartEntryStartsThisProgramOnThisNotebook) {
    SetAutostartFolderForTesting(FFolder.Path16() + u"autostart/");
    const std::string entry = FFolder.File("autostart/quillbox.desktop");
    const std::string program = ToUtf8(ExecutablePath());
    const std::string home = FFolder.File("my notes/");
    std::filesystem::create_directories(home);
    struct TCase {
        std::u16string Folder;
        std::string Exec;
    } cases[] = {
        {FromUtf8(home), "\"" + program + "\" --home \"" + home + "\" -m"},
        {DefaultProgramFolder(ExecutablePath()), "\"" + program + "\" -m"},
    };
    for (const TCase& c : cases) {
        SetProgramFolder(c.Folder);
        WriteAutoStart(true);
        const std::string text = ReadBytes(entry);
        EXPECT_NE(text.find("\nExec=" + c.Exec + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find("\nIcon=quillbox\n"), std::string::npos);
        EXPECT_NE(text.find("\nX-GNOME-Autostart-enabled=true\n"), std::string::npos);
        EXPECT_TRUE(ReadAutoStart());
        WriteAutoStart(false);
        EXPECT_FALSE(std::filesystem::exists(entry));
        EXPECT_FALSE(ReadAutoStart());
    }
    SetProgramFolder(FFolder.Path16());
    SetAutostartFolderForTesting(u"");
}

TEST_F(OptionsTest, DamagedFilesLoadWithDefaultsWhereValuesAreUnusable) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
    const std::vector<std::pair<const char*, std::string>> files = {
        {"binary junk", junk},
        {"junk after a good section", "[Backup]\nAutoSaveTime=3\n" + junk},
        {"duplicate sections and keys",
         "[Backup]\nAutoSaveTime=3\n[Backup]\nAutoSaveTime=7\nAutoSaveTime=8\n"},
        {"a line of 100,000 characters",
         "[Backup]\nBackupPath=" + std::string(100000, 'x') + "\nAutoSaveTime=3\n"},
        {"lines without =", "[Backup]\nAutoSaveTime\n=\n[\n]\nAutoSaveTime=3\n"},
        {"numbers out of range",
         "[Backup]\nAutoSaveTime=99999999999\n[Program]\nCallWinHotKey=70000\n"
         "[Editor]\nHLColor0=-5\nSelLineColor=4294967296\n[Memory]\nSaveCount=1e99\n"
         "[Window]\nWinPosWidth=-2147483649\n"},
        {"not numbers", "[Backup]\nAutoSaveTime=ten\nTotalBackup=\n"},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        Reset();
        WriteIni(bytes);
        const TOptionManager& o = OptionManager();
        EXPECT_TRUE(o.AutoSaveTime == 10 || o.AutoSaveTime == 3 || o.AutoSaveTime == 7 ||
                    o.AutoSaveTime == 0)
            << o.AutoSaveTime;
        EXPECT_EQ(o.CallWinHotKey, 0);
        EXPECT_EQ(o.HLColor[0], Rgb(100, 200, 100));
        EXPECT_EQ(o.SelLineColor, Rgb(255, 255, 128));
        EXPECT_EQ(MemoryManager().SaveCount, 0);
        EXPECT_EQ(MemoryManager().WinPosWidth, 480);
        // A save afterwards keeps the file readable.
        OptionManager().Save();
        MemoryManager().Save();
        ReleaseShellGlobals();
        EXPECT_EQ(OptionManager().CallWinHotKey, 0);
    }
    Reset();
    WriteIni("[Backup]\nAutoSaveTime=99999999999\n");
    EXPECT_EQ(OptionManager().AutoSaveTime, 10);
}

TEST_F(OptionsTest, ValuesByNameForTheCommandLine) {
    TOptionManager& o = OptionManager();
    EXPECT_EQ(*o.ValueText(u"login", u"password"), u"");
    o.SetValueText(u"LogIn", u"PassWord", u"pw");  // the written spelling works too
    EXPECT_EQ(o.Password, u"pw");
    o.SetValueText(u"Editor", u"HighLightSelLine", u"7");
    EXPECT_TRUE(o.HighlightSelLine);
    EXPECT_EQ(*o.ValueText(u"Editor", u"HighlightSelLine"), u"1");
    o.SetValueText(u"Appearance", u"SplitterWidth", u"50");
    EXPECT_EQ(o.SplitterWidth, 10);
    o.SetValueText(u"CalcPage", u"Decimal", u" -1 ");
    EXPECT_EQ(o.CalcDecimal, -1);

    EXPECT_FALSE(o.ValueText(u"Backup", u"NoSuchKey").has_value());
    EXPECT_FALSE(o.ValueText(u"UserFunctions", u"ItemCount").has_value());
    const std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> refused = {
        {u"Backup", u"NoSuchKey", u"1"},
        {u"Backup", u"AutoSaveTime", u"ten"},
        {u"Backup", u"AutoSaveTime", u""},
        {u"Backup", u"AutoSaveTime", u"3000000000"},
        {u"Program", u"CallWinHotKey", u"70000"},
        {u"Editor", u"HLColor0", u"-1"},
        {u"Edit", u"BmkRule", u"1"},
        {u"Program", u"Version", u"9"},
    };
    for (const auto& [section, key, value] : refused) {
        SCOPED_TRACE(Utf8Of(section + u"/" + key + u"=" + value));
        EXPECT_THROW(o.SetValueText(section, key, value), TknError);
    }
    EXPECT_EQ(o.AutoSaveTime, 10);
}

}  // namespace qb::test
