#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionsLayout.h"
#include "shell/UStringTable.h"

namespace qb::test {

namespace {

using K = TOptionKind;

const TOptionEntry& EntryFor(std::u16string_view section, std::u16string_view key) {
    for (const auto& panel : OptionPanels())
        for (const auto& e : panel.Entries)
            if (e.Key && e.Section == section && e.Key == key) return e;
    throw std::runtime_error("no entry for " + ToUtf8(key));
}

std::string Name(const char16_t* section, const char16_t* key) {
    return ToUtf8(section ? section : u"") + "/" + ToUtf8(key ? key : u"");
}

// Whether the field type fits what the control edits.
bool FieldFits(K kind, TFieldRef field) {
    switch (kind) {
        case K::Check:
            return std::holds_alternative<bool*>(field);
        case K::Number:
        case K::StartPage:
            return std::holds_alternative<int32_t*>(field);
        case K::Choice:
            return std::holds_alternative<int32_t*>(field) || std::holds_alternative<bool*>(field);
        case K::HotKey:
            return std::holds_alternative<THotKey*>(field);
        case K::Colour:
            return std::holds_alternative<TColor*>(field);
        case K::Lines:
            return std::holds_alternative<std::vector<std::u16string>*>(field);
        default:
            return std::holds_alternative<std::u16string*>(field);
    }
}

}  // namespace

class OptionsLayoutTest : public TShellTest {};

TEST_F(OptionsLayoutTest, EveryStoredOptionHasExactlyOneControl) {
    TOptions options;
    std::set<std::string> edited;
    std::set<int32_t> panelIds;
    for (const auto& panel : OptionPanels()) {
        EXPECT_TRUE(panelIds.insert(panel.TextId).second) << panel.TextId;
        EXPECT_TRUE(StringTableHas(panel.TextId)) << panel.TextId;
        for (const auto& e : panel.Entries) {
            std::string name = Name(e.Section, e.Key);
            EXPECT_TRUE(StringTableHas(e.TextId)) << name << " " << e.TextId;
            for (const auto& c : e.Choices) EXPECT_TRUE(StringTableHas(c.TextId)) << name;
            if (e.OffTextId) {
                EXPECT_TRUE(StringTableHas(e.OffTextId)) << name;
            }
            if (e.Kind == K::Remark) continue;
            if (e.Kind == K::Font) {
                EXPECT_NE(OptionFont(e, options), nullptr) << name;
                for (const auto& k : TOptionManager::Keys())
                    if (SameIniName(e.Section, k.Section)) {
                        EXPECT_TRUE(edited.insert(Name(k.Section, k.Key)).second) << name;
                    }
                continue;
            }
            if (e.Kind == K::Dictionaries) {
                for (const char16_t* key : {u"SelDictList", u"AllDictList"})
                    EXPECT_TRUE(edited.insert(Name(e.Section, key)).second);
                continue;
            }
            auto field = OptionField(e, options);
            ASSERT_TRUE(field.has_value()) << name;
            EXPECT_TRUE(FieldFits(e.Kind, *field)) << name;
            EXPECT_TRUE(edited.insert(name).second) << "two controls edit " << name;
            if (e.Kind == K::Number) {
                EXPECT_LE(e.Min, e.Max) << name;
            }
        }
    }
    EXPECT_EQ(OptionPanels().front().TextId, kFirstPanelId);

    // Every key the file stores, but those the program keeps for itself.
    const std::set<std::string> internal = {"Program/Version", "Edit/BmkRule",
                                            "ExtFuncs/EnableAdvEditor"};
    for (const auto& k : TOptionManager::Keys()) {
        std::string name = Name(k.Section, k.Key);
        if (internal.count(name)) {
            EXPECT_FALSE(edited.count(name)) << name;
            continue;
        }
        EXPECT_TRUE(edited.count(name)) << "no control for " << name;
    }
    EXPECT_TRUE(edited.count("Program/AutoStart"));
}

TEST_F(OptionsLayoutTest, EntriesReachTheirOwnFields) {
    TOptions options;
    // Keys written with another spelling and keys whose member is named differently.
    *std::get<THotKey*>(*OptionField(EntryFor(u"Notes", u"SnapTextToFileHotkey"), options)) = 7;
    *std::get<bool*>(*OptionField(EntryFor(u"Editor", u"HighlightSelLine"), options)) = true;
    *std::get<int32_t*>(*OptionField(EntryFor(u"CalcPage", u"Decimal"), options)) = -1;
    *std::get<bool*>(*OptionField(EntryFor(u"Editor", u"HLUnderline3"), options)) = true;
    *std::get<TColor*>(*OptionField(EntryFor(u"Editor", u"HLColor4"), options)) = 42;
    EXPECT_EQ(options.SnapTextToFileHotkey, 7);
    EXPECT_TRUE(options.HighlightSelLine);
    EXPECT_EQ(options.CalcDecimal, -1);
    EXPECT_TRUE(options.HLUnderline[3]);
    EXPECT_EQ(options.HLColor[4], 42u);

    TOptionEntry font{K::Font, 0, u"AbstractSelTitleFontColor", nullptr};
    EXPECT_EQ(OptionFont(font, options), &options.AbstractSelTitleFontColor);
    font.Section = u"NoSuchFont";
    EXPECT_EQ(OptionFont(font, options), nullptr);
    EXPECT_EQ(FindOptionPanel(15050), &OptionPanels().front());
    EXPECT_EQ(FindOptionPanel(12345), nullptr);  // a remembered page of another version
}

TEST_F(OptionsLayoutTest, NumbersKeepTheirRangesAndOffValues) {
    const auto& recent = EntryFor(u"Program", u"RecentNotesCount");  // 5..100
    const auto& recycler = EntryFor(u"Program", u"RecyclerLimit");   // negative: no limit
    const auto& autoSave = EntryFor(u"Backup", u"AutoSaveTime");     // 1..120, 0 off
    const auto& itemBytes = EntryFor(u"Clipboard", u"MaxItemByte");  // shown in thousands
    const auto& total = EntryFor(u"Backup", u"TotalBackup");         // 1..10000
    const auto& decimal = EntryFor(u"CalcPage", u"Decimal");         // -1 float
    struct TCase {
        const TOptionEntry& Entry;
        int32_t Stored, Shown, StoredAgain;
    };
    const std::vector<TCase> cases = {
        {recent, 20, 20, 20},
        {recent, 3, 5, 5},
        {recent, 500, 100, 100},
        {recycler, -1, -1, -1},
        {recycler, -25, -1, -1},
        {recycler, 0, 0, 0},
        {autoSave, 0, 0, 0},
        {autoSave, 10, 10, 10},
        {autoSave, 999, 120, 120},
        {itemBytes, 100000, 100, 100000},
        {itemBytes, 100500, 100, 100000},
        {itemBytes, 10, 1, 1000},
        {total, 0, 1, 1},
        {decimal, -1, -1, -1},
        {decimal, 40, 15, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.Entry.Key) + " " + std::to_string(c.Stored));
        EXPECT_EQ(ShownNumber(c.Entry, c.Stored), c.Shown);
        EXPECT_EQ(StoredNumber(c.Entry, c.Shown), c.StoredAgain);
    }
    EXPECT_TRUE(IsOffNumber(recycler, -5));
    EXPECT_FALSE(IsOffNumber(total, 0));  // no off value: 0 is just below the range
    EXPECT_EQ(SpinMinimum(autoSave), 0);
    EXPECT_EQ(SpinMinimum(recent), 5);

    struct TParse {
        const TOptionEntry& Entry;
        std::u16string Text;
        std::optional<int32_t> Shown;
    };
    const std::vector<TParse> typed = {
        {autoSave, u" 45 ", 45},
        {autoSave, u"500", 120},
        {autoSave, u"off", 0},
        {autoSave, u"-3", 0},
        {autoSave, u"30 min", 30},
        {autoSave, u"abc", std::nullopt},
        {autoSave, u"", std::nullopt},
        {autoSave, u"99999999999999999999", std::nullopt},
        {total, u"-3", 1},
        {total, u"Off", std::nullopt},
        {total, u"20000", 10000},
        {itemBytes, u"250 K", 250},
    };
    for (const auto& p : typed) {
        SCOPED_TRACE(ToUtf8(p.Entry.Key) + " '" + ToUtf8(p.Text) + "'");
        EXPECT_EQ(ParseShownNumber(p.Entry, p.Text, u"Off"), p.Shown);
    }
}

TEST_F(OptionsLayoutTest, ChoicesMapValuesBothWays) {
    TOptions options;
    const auto& esc = EntryFor(u"Behavior", u"EscMinimize");
    const auto& encode = EntryFor(u"ImportExport", u"ExportEncode");
    auto escField = *OptionField(esc, options);
    EXPECT_EQ(ChoiceIndex(esc, FieldInt(escField)), 0);  // true: "Minimize" first
    SetFieldInt(escField, esc.Choices[1].Value);
    EXPECT_FALSE(options.EscMinimize);
    EXPECT_EQ(ChoiceIndex(esc, FieldInt(escField)), 1);
    // ANSI, Unicode, Unicode big endian, UTF-8 stand for encodings 1, 4, 5, 3.
    EXPECT_EQ(ChoiceIndex(encode, 4), 1);
    EXPECT_EQ(ChoiceIndex(encode, 3), 3);
    EXPECT_EQ(ChoiceIndex(encode, 9), 0);  // unknown values show the first choice
    EXPECT_EQ(FieldInt(TFieldRef(&options.SepLine)), 0);
}

TEST_F(OptionsLayoutTest, HotKeyWordsAndUserFunctions) {
    EXPECT_EQ(MakeHotKey(kHotKeyControl | kHotKeyAlt, 'K'), 0x064B);
    EXPECT_EQ(MakeHotKey(0xF8 | kHotKeyShift, 0x70), 0x0170);  // unknown flags dropped
    EXPECT_EQ(MakeHotKey(kHotKeyControl, 0), 0);               // modifiers alone are no key
    EXPECT_EQ(HotKeyFlags(0xFF41), 7);

    EXPECT_EQ(CleanUserFunctions(u"  f(x)=x*2 \r\n\r\n#g(y)=y\n  # h(z)=z \n#\n\tk=1"),
              (std::vector<std::u16string>{u"f(x)=x*2", u"g(y)=y", u"h(z)=z", u"k=1"}));
    EXPECT_TRUE(CleanUserFunctions(u"\r\n  \n#").empty());

    TOptions options;
    options.EncryptDataFile = true;
    NormalizeOptions(options);
    EXPECT_FALSE(options.EncryptDataFile);  // no encryption without a login
    options.NeedLogIn = options.EncryptDataFile = true;
    NormalizeOptions(options);
    EXPECT_TRUE(options.EncryptDataFile);

    EXPECT_EQ(StoredPath(FFolder.Path16() + u"backup/"), u".\\backup/");
    EXPECT_EQ(StoredPath(u"/elsewhere/backup"), u"/elsewhere/backup");
}

TEST_F(OptionsLayoutTest, LanguagesAndDictionariesComeFromTheProgramFolder) {
    EXPECT_EQ(LanguageChoices(), (std::vector<std::u16string>{u"Chinese", u"English"}));
    std::filesystem::create_directories(FFolder.File("lang"));
    for (const char* name : {"lang/Deutsch.lng", "lang/english.lng", "lang/notes.txt"})
        WriteBytes(FFolder.File(name), "1150=x\n");
    EXPECT_EQ(LanguageChoices(), (std::vector<std::u16string>{u"Chinese", u"Deutsch", u"English"}));

    std::filesystem::create_directories(FFolder.File("dict"));
    WriteBytes(FFolder.File("dict/a.dic"),
               "\xFF\xFE" + Utf16LE(u"@Alpha words // old\r\na\t1\r\n"));
    WriteBytes(FFolder.File("dict/b.dic"), "\xFF\xFE" + Utf16LE(u"$Beta ranges\r\n"));
    std::vector<TDictChoice> choices = DictionaryChoices(u"b.dic,a.dic", u"a.dic, c.dic,b.dic");
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].FileName, u"b.dic");
    EXPECT_EQ(choices[0].Title, u"Beta ranges");
    EXPECT_TRUE(choices[0].Selected);
    EXPECT_EQ(choices[1].Title, u"Alpha words");
    EXPECT_TRUE(choices[1].Selected);
    EXPECT_EQ(choices[2].Title, u"c.dic");  // missing file: listed by name
    EXPECT_FALSE(choices[2].Selected);

    std::swap(choices[0], choices[2]);
    choices[1].Selected = false;
    choices[0].Selected = true;
    TOptions options;
    StoreDictionaryChoices(choices, options);
    EXPECT_EQ(options.SelDictList, u"c.dic,b.dic");
    EXPECT_EQ(options.AllDictList, u"c.dic,a.dic,b.dic");
}

}  // namespace qb::test
