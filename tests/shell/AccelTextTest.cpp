#include <gtest/gtest.h>

#include "foundation/UknStrUtils.h"
#include "shell/UAccelText.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

struct TKeyCase {
    const char16_t* Text;
    bool Parses;
    uint8_t Modifiers;
    uint16_t Key;
    bool Named;
};

TEST(AccelTextTest, KeyTextsParseWithoutRegardToCase) {
    const TKeyCase cases[] = {
        {u"ctrl+shift+f12", true, akControl | akShift, vkF1 + 11, true},
        {u"Ctrl+N", true, akControl, u'N', false},
        {u"ctrl+n", true, akControl, u'N', false},
        {u"  Shift+Del  ", true, akShift, vkDelete, true},
        {u"Ctrl+Alt+Right", true, akControl | akAlt, vkRight, true},
        {u"Alt+Up", true, akAlt, vkUp, true},
        {u"F1", true, 0, vkF1, true},
        {u"f10", true, 0, vkF1 + 9, true},
        {u"Ctrl+Tab", true, akControl, vkTab, true},
        {u"Esc", true, 0, vkEscape, true},
        {u"Ins", true, 0, vkInsert, true},
        {u"Shift+Next", true, akShift, vkNext, true},
        {u"Prior", true, 0, vkPrior, true},
        {u"Ctrl+Shift+F", true, akControl | akShift, u'F', false},
        {u"Ctrl+.", true, akControl, u'.', false},
        {u"Ctrl+ K", true, akControl, u'K', false},
        // F alone is the letter; F with a number outside 1..12 is nothing.
        {u"Alt+F", true, akAlt, u'F', false},
        {u"F13", false, 0, 0, false},
        {u"Ctrl+F0", false, 0, 0, false},
        {u"F01x", false, 0, 0, false},
        {u"Ctrl+", false, 0, 0, false},
        {u"", false, 0, 0, false},
        {u"Ctrl+Enter", false, 0, 0, false},
        {u"Ctrl+PgUp", false, 0, 0, false},
    };
    for (const TKeyCase& c : cases) {
        SCOPED_TRACE(ToUtf8(c.Text));
        std::optional<TAccelKey> key = ParseAccelKey(c.Text);
        ASSERT_EQ(key.has_value(), c.Parses);
        if (!key) continue;
        EXPECT_EQ(key->Modifiers, c.Modifiers);
        EXPECT_EQ(key->Key, c.Key);
        EXPECT_EQ(key->Named, c.Named);
    }
}

TEST(AccelTextTest, FormattedKeysReadBackAsTheSameKey) {
    const std::pair<const char16_t*, const char16_t*> canonical[] = {
        {u"shift+ctrl+f5", u"Ctrl+Shift+F5"},
        {u"alt+left", u"Alt+Left"},
        {u"ctrl+alt+shift+del", u"Ctrl+Shift+Alt+Del"},
        {u"ctrl+n", u"Ctrl+N"},
        {u"NEXT", u"Next"},
        {u"ctrl+.", u"Ctrl+."},
    };
    for (auto [text, expected] : canonical) {
        std::optional<TAccelKey> key = ParseAccelKey(text);
        ASSERT_TRUE(key) << ToUtf8(text);
        EXPECT_EQ(ToUtf8(FormatAccelKey(*key)), ToUtf8(expected));
        EXPECT_EQ(ParseAccelKey(FormatAccelKey(*key)), key);
    }
    for (uint16_t f = 0; f < 12; ++f) {
        TAccelKey key{akShift, static_cast<uint16_t>(vkF1 + f), true};
        EXPECT_EQ(ParseAccelKey(FormatAccelKey(key)), key) << f;
    }
}

TEST(AccelTextTest, DefaultsShowEditorKeysOutsideTheTable) {
    TAccelEntries entries = DefaultAccelEntries();
    ASSERT_EQ(entries.size(), 37u);
    EXPECT_EQ(entries.front(), (TAccelEntry{1010, u"Ctrl+N", true}));
    EXPECT_EQ(entries.back(), (TAccelEntry{357, u"Ctrl+Alt+Right", true}));
    EXPECT_EQ(ToUtf8(AccelKeyText(entries, 1400)), "Del");
    EXPECT_EQ(AccelKeyText(entries, 1160), u"");

    std::vector<TAccelBinding> bindings = AccelBindings(entries);
    // Undo, redo, select all, cut, copy, paste and Del stay with the editor.
    EXPECT_EQ(bindings.size(), 30u);
    for (int32_t editorId : {1320, 1330, 1340, 1350, 1360, 1370, 1400})
        for (const TAccelBinding& b : bindings) EXPECT_NE(b.Id, editorId);
}

TEST(AccelTextTest, FileLinesReplaceAddAndSkipBadLines) {
    TAccelEntries entries = DefaultAccelEntries();
    const char16_t* file =
        u"1150=Ctrl+Shift+S\r\n"  // replaces Ctrl+S
        u"1320 = Alt+Z\r\n"       // an editor key joins the table
        u"1160=Ctrl+Q\n"          // new entry (LF only)
        u"\r\n"
        u"// a remark\r\n"
        u"abc=Ctrl+W\r\n"
        u"=Ctrl+E\r\n"
        u"0=Ctrl+O\r\n"
        u"70000=Ctrl+B\r\n"
        u"-5=Ctrl+M\r\n"
        u"1800=Ctrl+F13\r\n"  // kept and shown, but out of the table
        u"1810=Ctrl+J";       // last line without an end
    EXPECT_EQ(ApplyAccelLines(entries, file), 6);
    ASSERT_EQ(entries.size(), 40u);
    EXPECT_EQ(entries[4], (TAccelEntry{1150, u"Ctrl+Shift+S", true}));
    EXPECT_EQ(entries[8], (TAccelEntry{1320, u"Alt+Z", true}));
    EXPECT_EQ(entries[37], (TAccelEntry{1160, u"Ctrl+Q", true}));
    EXPECT_EQ(entries[38], (TAccelEntry{1800, u"Ctrl+F13", true}));
    EXPECT_EQ(entries[39], (TAccelEntry{1810, u"Ctrl+J", true}));

    std::vector<TAccelBinding> bindings = AccelBindings(entries);
    auto bound = [&](int32_t id) {
        for (const TAccelBinding& b : bindings)
            if (b.Id == id) return true;
        return false;
    };
    EXPECT_TRUE(bound(1320));
    EXPECT_TRUE(bound(1160));
    EXPECT_FALSE(bound(1800));
    EXPECT_EQ(ToUtf8(AccelKeyText(entries, 1800)), "Ctrl+F13");
}

TEST(AccelTextTest, AKeyTakenTwiceStaysWithTheFirstEntry) {
    TAccelEntries entries = DefaultAccelEntries();
    ApplyAccelLines(entries, u"1800=ctrl+n\r\n1010=F9\r\n1820=F9\r\n");
    std::vector<TAccelBinding> bindings = AccelBindings(entries);
    int f9 = 0, ctrlN = 0;
    for (const TAccelBinding& b : bindings) {
        if (b.Key == TAccelKey{0, vkF1 + 8, true}) f9 += b.Id == 1010 ? 1 : 100;
        if (b.Key == TAccelKey{akControl, u'N', false}) ctrlN += b.Id == 1800 ? 1 : 100;
    }
    EXPECT_EQ(f9, 1);
    EXPECT_EQ(ctrlN, 1);
}

TEST(AccelTextTest, SettingAKeyKeepsTheOtherLines) {
    const char16_t* file = u"// mine\r\n1150=F12\r\nbad line\n1160=Ctrl+Q\r\n1150=F11";
    EXPECT_EQ(ToUtf8(SetAccelLine(file, 1150, u"Ctrl+Shift+S")),
              "// mine\r\n1150=Ctrl+Shift+S\r\nbad line\r\n1160=Ctrl+Q\r\n");
    EXPECT_EQ(ToUtf8(SetAccelLine(file, 1810, u"")),
              "// mine\r\n1150=F12\r\nbad line\r\n1160=Ctrl+Q\r\n1150=F11\r\n1810=\r\n");
    EXPECT_EQ(ToUtf8(SetAccelLine(u"", 1010, u"F9")), "1010=F9\r\n");
}

TEST(AccelTextTest, FileRoundTripAndMissingFile) {
    test::TTempFolder folder;
    EXPECT_EQ(ReadAccelFile(AccelFileName()), u"");
    EXPECT_EQ(LoadAccelEntries(AccelFileName()), DefaultAccelEntries());

    std::u16string text = SetAccelLine(SetAccelLine(u"", 1160, u"Ctrl+\u00C4"), 1150, u"F12");
    WriteAccelFile(AccelFileName(), text);
    EXPECT_EQ(test::ReadBytes(folder.File("accel.txt")), "\xFF\xFE" + test::Utf16LE(text));
    EXPECT_EQ(ReadAccelFile(AccelFileName()), text);
    TAccelEntries read = LoadAccelEntries(AccelFileName());
    EXPECT_EQ(ToUtf8(AccelKeyText(read, 1150)), "F12");
    EXPECT_EQ(read.back(), (TAccelEntry{1160, u"Ctrl+\u00C4", true}));

    // A hand-written UTF-8 file reads as well.
    test::WriteBytes(folder.File("accel.txt"), "1160=Ctrl+\xC3\x84\r\n");
    EXPECT_EQ(AccelKeyText(LoadAccelEntries(AccelFileName()), 1160), u"Ctrl+\u00C4");
}

}  // namespace
}  // namespace qb
