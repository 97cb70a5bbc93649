#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/UknFile.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

using test::Hex;
using test::ReadBytes;
using test::Utf16LE;
using test::WriteBytes;
using namespace std::string_literals;

class IniFileTest : public testing::Test {
  protected:
    // Writes the bytes as the ini file and returns an ini object on it with the section set.
    TIniFileEx& Open(std::string_view bytes, std::u16string section = u"Options") {
        WriteBytes(FPath, bytes);
        FIni = std::make_unique<TIniFileEx>(FromUtf8(FPath));
        FIni->Section = std::move(section);
        return *FIni;
    }
    std::string Bytes() const { return ReadBytes(FPath); }

    test::TTempFolder FTemp;
    std::string FPath = FTemp.File("quillbox.ini");
    std::unique_ptr<TIniFileEx> FIni;
};

TEST_F(IniFileTest, ReadsKeysIgnoringCaseAndTrimmingSpaces) {
    TIniFileEx& ini = Open(
        "[options]\r\n  Font Name =  Courier New  \r\nEmpty=\r\nNum=12abc\r\nNeg=-5\r\n"
        "Plus=+7\r\nWord=abc\r\nTwo=2\r\nZero=0\r\n[Other]\r\nFont Name=Other\r\n");
    EXPECT_EQ(ini.ReadString(u"font name", u"?"), u"Courier New");
    EXPECT_EQ(ini.ReadString(u"Empty", u"?"), u"");  // present but empty: not the default
    EXPECT_EQ(ini.ReadString(u"Missing", u"dflt"), u"dflt");
    EXPECT_EQ(ini.ReadInteger(u"num", 1), 12);
    EXPECT_EQ(ini.ReadInteger(u"Neg", 1), -5);
    EXPECT_EQ(ini.ReadInteger(u"Plus", 1), 7);
    EXPECT_EQ(ini.ReadInteger(u"Word", 9), 9);
    EXPECT_EQ(ini.ReadInteger(u"Empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger(u"Missing", -3), -3);
    EXPECT_TRUE(ini.ReadBool(u"Two", false));
    EXPECT_FALSE(ini.ReadBool(u"Zero", true));
    EXPECT_TRUE(ini.ReadBool(u"Missing", true));
    EXPECT_FALSE(ini.ReadBool(u"Missing", false));
    ini.Section = u"OTHER";
    EXPECT_EQ(ini.ReadString(u"Font Name", u""), u"Other");
    ini.Section = u"Nowhere";
    EXPECT_EQ(ini.ReadString(u"Font Name", u"d"), u"d");
}

TEST_F(IniFileTest, CacheGivesTheDefaultForEmptyValues) {
    TIniFileEx& ini = Open("[S]\r\nEmpty=\r\n  Key = v \r\n//Note=x\r\nNum=42\r\nBad=4x\r\n");
    TIniCache& cache = ini.Cache();
    cache.LoadSection(u"s");
    EXPECT_EQ(cache.ReadString(u"Empty", u"dflt"), u"dflt");
    EXPECT_EQ(cache.ReadString(u"KEY", u""), u"v");
    EXPECT_EQ(cache.ReadString(u"//Note", u"none"), u"none");  // "//" lines are comments here
    EXPECT_EQ(cache.ReadInteger(u"num", 0), 42);
    EXPECT_EQ(cache.ReadInteger(u"Bad", 7), 7);
    cache.Clear();
    EXPECT_EQ(cache.ReadString(u"KEY", u"gone"), u"gone");
}

TEST_F(IniFileTest, ValuesAreCutByTheBuffers) {
    std::string longValue(600, 'x');
    longValue[498] = 'y';
    std::string huge(100'000, 'h');
    // A section block holds each "key=value" with a zero after it, and one zero at the end:
    // "A=" + 9992 letters, then "B=b" fill the 10000 characters exactly.
    TIniFileEx& ini =
        Open("[Options]\r\nLong=" + longValue + "\r\nHuge=" + huge +
             "\r\nAfter=1\r\n[Fits]\r\nA=" + std::string(9992, 'a') +
             "\r\nB=b\r\nC=c\r\n[Over]\r\nA=" + std::string(9993, 'a') + "\r\nB=b\r\n");
    EXPECT_EQ(ini.ReadString(u"Long", u""), FromUtf8(longValue.substr(0, 499)));
    EXPECT_EQ(ini.ReadString(u"Huge", u"").size(), 499u);
    EXPECT_EQ(ini.ReadInteger(u"After", 0), 1);
    TIniCache& cache = ini.Cache();
    cache.LoadSection(u"Fits");
    EXPECT_EQ(cache.Entries.Count(), 2);
    EXPECT_EQ(cache.ReadString(u"B", u""), u"b");
    cache.LoadSection(u"Over");
    EXPECT_EQ(cache.Entries.Count(), 1);
    EXPECT_EQ(cache.ReadString(u"B", u"cut"), u"cut");
}

TEST_F(IniFileTest, ListsAreCountedByItemCount) {
    TIniFileEx& ini = Open(
        "[Find]\r\nItemCount=2\r\nItem0=alpha\r\nItem1= b=c \r\nItem2=gamma\r\n"
        "[NoCount]\r\nItem0=x\r\n[Huge]\r\nItemCount=999999999999\r\n");
    TknStrList list;
    list.Add(u"old");
    ini.ReadList(u"find", list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), u"alpha");
    EXPECT_EQ(list.Items(1), u"b=c");
    ini.ReadList(u"NoCount", list);
    EXPECT_EQ(list.Count(), 0);
    ini.ReadList(u"Huge", list);  // a damaged count stays bounded
    EXPECT_LE(list.Count(), 10000);

    TknStrList shorter;
    shorter.Add(u"one");
    ini.WriteList(u"Find", shorter);
    EXPECT_EQ(ini.Section, u"Find");
    EXPECT_NE(Bytes().find("ItemCount=1\r\nItem0=one\r\nItem1= b=c \r\nItem2=gamma\r\n"),
              std::string::npos)
        << Bytes();
    ini.ReadList(u"Find", list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), u"one");
}

TEST_F(IniFileTest, WritesKeepEveryOtherLineByteForByte) {
    const std::string before =
        "; quillbox settings\n\n[Options]\nFont = Arial\n  Size=10\n; the next section\n"
        "[Other]\nkey=v\nno equals sign here\n[unterminated\nTail=1";
    TIniFileEx& ini = Open(before);
    ini.WriteString(u"FONT", u"Courier");  // existing key, other case: its own spelling stays
    ini.WriteInteger(u"Width", -80);       // new key: after the section's last key
    ini.Section = u"Other";
    ini.WriteBool(u"tail", false);  // the last line, without line end, stays without one
    EXPECT_TRUE(Bytes().ends_with("[unterminated\nTail=0")) << Bytes();
    ini.Section = u"unterminated";
    ini.WriteString(u"New", u"a\r\nb");  // line breaks in a value cannot start new lines
    EXPECT_EQ(Bytes(),
              "; quillbox settings\n\n[Options]\nFont=Courier\n  Size=10\nWidth=-80\n"
              "; the next section\n[Other]\nkey=v\nno equals sign here\n[unterminated\nTail=0\n"
              "\n[unterminated]\nNew=a  b\n");
    EXPECT_EQ(ini.ReadString(u"New", u""), u"a  b");
    ini.Section = u"Other";
    EXPECT_EQ(ini.ReadString(u"Tail", u""), u"0");  // "[unterminated" is no header
    EXPECT_EQ(ini.ReadString(u"no equals sign here", u"d"), u"d");
}

TEST_F(IniFileTest, NewFilesAreUtf16AndExistingEncodingsStay) {
    std::filesystem::remove(FPath);
    TknIniFile fresh(FromUtf8(FPath));
    fresh.Section = u"S";
    fresh.WriteString(u"K", u"\u00E9");
    EXPECT_EQ(Hex(Bytes()), Hex("\xFF\xFE" + Utf16LE(u"[S]\r\nK=\u00E9\r\n")));

    struct Case {
        std::string before, after;
    } cases[] = {
        {"\xEF\xBB\xBF[S]\r\nA=\xC3\xA9\r\n",
         "\xEF\xBB\xBF[S]\r\nA=\xC3\xA9\r\nK=\xE2\x82\xAC\r\n"},
        {"[S]\nA=1\n", "[S]\nA=1\nK=\xE2\x82\xAC\n"},  // 7-bit text becomes UTF-8
        {"\xFE\xFF\0[\0S\0]\0\n"s, "\xFE\xFF\0[\0S\0]\0\n\0K\0=\x20\xAC\0\n"s},
    };
    for (const Case& c : cases) {
        TIniFileEx& ini = Open(c.before, u"S");
        ini.WriteString(u"K", u"\u20AC");
        EXPECT_EQ(Hex(Bytes()), Hex(c.after));
        EXPECT_EQ(ini.ReadString(u"k", u""), u"\u20AC");
    }
}

TEST_F(IniFileTest, AnsiFilesStayAnsiUnlessACharacterDoesNotFit) {
    TIniFileEx& ini = Open("[S]\r\nA=caf\xE9\r\n", u"S");
    EXPECT_EQ(ini.ReadString(u"A", u""), u"caf\u00E9");
    ini.WriteString(u"B", u"na\u00EFve");
    EXPECT_EQ(Hex(Bytes()), Hex("[S]\r\nA=caf\xE9\r\nB=na\xEFve\r\n"));
    ini.WriteString(u"C", u"\u4E2D");  // not in the code page: the file becomes UTF-16
    EXPECT_EQ(Hex(Bytes()),
              Hex("\xFF\xFE" + Utf16LE(u"[S]\r\nA=caf\u00E9\r\nB=na\u00EFve\r\nC=\u4E2D\r\n")));
    EXPECT_EQ(ini.ReadString(u"C", u""), u"\u4E2D");

    // "\xC3\xA9" is valid UTF-8; only "caf\xE9" made the file ANSI. Once that line is
    // replaced, the file must not be taken for UTF-8 (which would turn A into "\u00E9 x").
    TIniFileEx& flip = Open("[S]\nA=\xC3\xA9 x\nB=caf\xE9\n", u"S");
    flip.WriteString(u"B", u"plain");
    EXPECT_EQ(Hex(Bytes()), Hex("\xFF\xFE" + Utf16LE(u"[S]\nA=\u00C3\u00A9 x\nB=plain\n")));
    WriteBytes(FTemp.File("copy.ini"), Bytes());
    TknIniFile copy(FTemp.File16("copy.ini"));
    copy.Section = u"S";
    EXPECT_EQ(copy.ReadString(u"A", u""), u"\u00C3\u00A9 x");
}

// Replacing the one byte that made a file ANSI must not let the rest read as UTF-8 next time.
TEST_F(IniFileTest, AnsiFilesNeverTurnIntoUtf8ByAWrite) {
    TIniFileEx& ini = Open("[S]\r\nA=\xE9\r\nB=\xC3\xA9\r\n", u"S");
    EXPECT_EQ(ini.ReadString(u"B", u""), u"\u00C3\u00A9");
    ini.WriteString(u"A", u"x");
    EXPECT_EQ(Hex(Bytes()), Hex("\xFF\xFE" + Utf16LE(u"[S]\r\nA=x\r\nB=\u00C3\u00A9\r\n")));
    TIniFileEx fresh(FromUtf8(FPath));
    fresh.Section = u"S";
    EXPECT_EQ(fresh.ReadString(u"B", u""), u"\u00C3\u00A9");
}

TEST_F(IniFileTest, DuplicatesJunkAndDanglingBytes) {
    std::string junk = "\x00\xFF\xFE\x01garbage=\x80\x00zz\r\n"s;
    TIniFileEx& ini =
        Open("[S]\r\nK=first\r\n" + junk + "K=second\r\n[s]\r\nK=third\r\nL=only\r\n", u"S");
    EXPECT_EQ(ini.ReadString(u"K", u""), u"first");
    EXPECT_EQ(ini.ReadString(u"L", u""), u"only");  // same-named sections read as one
    ini.WriteString(u"k", u"1st");
    ini.WriteString(u"L", u"x");
    EXPECT_EQ(Bytes(), "[S]\r\nK=1st\r\n" + junk + "K=second\r\n[s]\r\nK=third\r\nL=x\r\n");

    // A UTF-16 file with an odd byte count: the new line must stay aligned to units.
    std::string odd = "\xFF\xFE" + Utf16LE(u"[S]\r\nA=1") + "\x41";
    TIniFileEx& utf16 = Open(odd, u"T");
    utf16.WriteString(u"B", u"2");
    EXPECT_EQ(Hex(Bytes()), Hex(odd + '\0' + Utf16LE(u"\r\n\r\n[T]\r\nB=2\r\n")));
    EXPECT_EQ(utf16.ReadString(u"B", u""), u"2");
}

TEST_F(IniFileTest, ObjectsShareOneDocumentThatFollowsTheFile) {
    Open("[Options]\r\nA=1\r\n");
    TknIniFile other(FromUtf8(FPath));
    other.Section = u"Options";
    FIni->WriteString(u"A", u"2");
    EXPECT_EQ(other.ReadString(u"A", u""), u"2");
    WriteBytes(FPath, "[Options]\r\nA=changed outside\r\n");
    EXPECT_EQ(other.ReadString(u"A", u""), u"changed outside");
    std::filesystem::remove(FPath);
    EXPECT_EQ(other.ReadString(u"A", u"gone"), u"gone");
}

TEST_F(IniFileTest, UpdatesReachTheFileInOneWrite) {
    TIniFileEx& ini = Open("[Options]\r\nA=1\r\n");
    ini.BeginUpdate();
    ini.BeginUpdate();
    ini.WriteString(u"A", u"2");
    ini.WriteString(u"B", u"3");
    EXPECT_EQ(ini.ReadString(u"B", u""), u"3");  // visible at once in memory
    ini.EndUpdate();
    EXPECT_EQ(Bytes(), "[Options]\r\nA=1\r\n");  // still nested: nothing written yet
    ini.EndUpdate();
    EXPECT_EQ(Bytes(), "[Options]\r\nA=2\r\nB=3\r\n");
    {
        TknIniFile scoped(FromUtf8(FPath));
        scoped.Section = u"Options";
        scoped.BeginUpdate();
        scoped.WriteString(u"C", u"4");
    }  // destroyed within its update: the write is not lost
    EXPECT_EQ(Bytes(), "[Options]\r\nA=2\r\nB=3\r\nC=4\r\n");
}

TEST_F(IniFileTest, FailedWritesAreIgnored) {
    WriteBytes(FTemp.File("file"), "x");
    TknIniFile ini(FTemp.File16("file/sub/quillbox.ini"));  // its folder is a file
    ini.Section = u"S";
    ini.WriteString(u"K", u"v");
    EXPECT_EQ(ini.ReadString(u"K", u"none"), u"none");
    EXPECT_EQ(ReadBytes(FTemp.File("file")), "x");
}

TEST(Autostart, DesktopFileStandsForTheValue) {
    test::TTempFolder tmp;
    SetAutostartFolderForTesting(tmp.File16("autostart"));
    TknRegistry reg(0);
    EXPECT_FALSE(reg.WriteString(u"QuillBox", u"/opt/qb -m"));  // no key open
    EXPECT_EQ(reg.ReadString(u"QuillBox"), u"");
    EXPECT_FALSE(reg.OpenKey(u"Software\\Run", false));  // no folder yet
    ASSERT_TRUE(reg.OpenKey(u"Software\\Run", true));
    // The value is a string of the desktop file: backslashes and line breaks are escaped, and
    // read back as they were.
    const std::u16string value = u"\"/opt/my \\\\qb\" --home \"/a\nb\" -m";
    EXPECT_TRUE(reg.WriteString(u"QuillBox", value));
    EXPECT_EQ(ReadBytes(tmp.File("autostart/quillbox.desktop")),
              "[Desktop Entry]\nType=Application\nName=quillbox\n"
              "Exec=\"/opt/my \\\\\\\\qb\" --home \"/a\\nb\" -m\nIcon=quillbox\nTerminal=false\n"
              "X-GNOME-Autostart-enabled=true\n");
    EXPECT_EQ(reg.ReadString(u"quillbox"), value);
    EXPECT_TRUE(reg.DeleteValue(u"QuillBox"));
    EXPECT_FALSE(std::filesystem::exists(tmp.File("autostart/quillbox.desktop")));
    EXPECT_FALSE(reg.DeleteValue(u"QuillBox"));
    EXPECT_EQ(reg.ReadString(u"QuillBox"), u"");
    reg.CloseKey();
    EXPECT_FALSE(reg.DeleteValue(u"QuillBox"));
    SetAutostartFolderForTesting(u"");
}

TEST(Autostart, ExecArgumentsAreQuotedWithTheirReservedCharactersEscaped) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"/usr/bin/quillbox", u"\"/usr/bin/quillbox\""},
        {u"/home/a b/notes", u"\"/home/a b/notes\""},
        {u"/x/\"q\"", u"\"/x/\\\"q\\\"\""},
        {u"/x/$HOME`id`", u"\"/x/\\$HOME\\`id\\`\""},
        {u"/x\\y", u"\"/x\\\\y\""},
        {u"/x/100%", u"\"/x/100%%\""},
        {u"", u"\"\""},
    };
    for (const auto& [argument, quoted] : cases)
        EXPECT_EQ(DesktopExecArgument(argument), quoted) << ToUtf8(argument);
}

}  // namespace
}  // namespace qb
