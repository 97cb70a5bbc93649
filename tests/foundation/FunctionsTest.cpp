#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

// Sets or clears an environment variable for one test and restores it afterwards.
class TEnvVar {
  public:
    TEnvVar(const char* name, const char* value) : FName(name) {
        if (const char* old = std::getenv(name)) FOld = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~TEnvVar() {
        if (FOld)
            ::setenv(FName, FOld->c_str(), 1);
        else
            ::unsetenv(FName);
    }

  private:
    const char* FName;
    std::optional<std::string> FOld;
};

TEST(Functions, ProgramFolderResolutionOrder) {
    test::TTempFolder tmp(false);
    std::filesystem::create_directories(tmp.File("bin"));
    std::filesystem::create_directories(tmp.File("xdg"));
    std::u16string exe = tmp.File16("bin/quillbox");
    TEnvVar home("HOME", tmp.File("home").c_str());
    TEnvVar xdg("XDG_DATA_HOME", tmp.File("xdg").c_str());
    {
        TEnvVar qb("QUILLBOX_HOME", tmp.File("mine").c_str());
        test::WriteBytes(tmp.File("bin/quillbox.ini"), "");
        EXPECT_EQ(ResolveProgramFolder(exe), tmp.File16("mine/"));  // the variable comes first
    }
    TEnvVar noQb("QUILLBOX_HOME", nullptr);
    EXPECT_EQ(ResolveProgramFolder(exe), tmp.File16("bin/"));  // a portable copy (ini)
    std::filesystem::remove(tmp.File("bin/quillbox.ini"));
    EXPECT_EQ(ResolveProgramFolder(exe), tmp.File16("xdg/quillbox/"));
    std::filesystem::create_directories(tmp.File("bin/data"));
    EXPECT_EQ(ResolveProgramFolder(exe), tmp.File16("bin/"));  // a portable copy (data/)
    std::filesystem::remove(tmp.File("bin/data"));
    TEnvVar noXdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(ResolveProgramFolder(exe), tmp.File16("home/.local/share/quillbox/"));
}

TEST(Functions, ProgramFolderAndSubFolders) {
    test::TTempFolder tmp;
    EXPECT_EQ(ProgramFolder(), tmp.Path16());
    std::u16string data = ProgramSubFolder(u"data\\", false);
    EXPECT_EQ(data, tmp.File16("data/"));
    EXPECT_FALSE(std::filesystem::exists(tmp.File("data")));
    EXPECT_EQ(ProgramSubFolder(u"data\\", true), data);
    EXPECT_TRUE(std::filesystem::is_directory(tmp.File("data")));
    EXPECT_EQ(ProgramSubFolder(u"dict", true), tmp.File16("dict/"));
    EXPECT_TRUE(std::filesystem::is_directory(tmp.File("dict")));
    SetProgramFolder(u"/some\\where");
    EXPECT_EQ(ProgramFolder(), u"/some/where/");
    SetProgramFolder(tmp.Path16());
}

TEST(Functions, FileNameParts) {
    struct Case {
        std::u16string_view path, folder, name, bare, ext;
    } cases[] = {
        {u"C:\\notes\\a.b.txt", u"C:\\notes\\", u"a.b.txt", u"a.b", u"txt"},
        {u"/home/u/notes.ini", u"/home/u/", u"notes.ini", u"notes", u"ini"},
        {u"mixed\\dir/file", u"mixed\\dir/", u"file", u"file", u""},
        {u"C:file.txt", u"C:", u"file.txt", u"file", u"txt"},
        {u"dir.d/", u"dir.d/", u"dir.d", u"dir", u"d"},  // a trailing separator is dropped
        {u"noext", u"", u"noext", u"noext", u""},
        {u"a.dir\\name", u"a.dir\\", u"name", u"name", u""},  // dots of folders don't count
        {u".hidden", u"", u".hidden", u"", u"hidden"},
        {u"", u"", u"", u"", u""},
    };
    for (const Case& c : cases) {
        std::string p = ToUtf8(c.path);
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << p;
        EXPECT_EQ(ExtractFileName(c.path, true), c.name) << p;
        EXPECT_EQ(ExtractFileName(c.path, false), c.bare) << p;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << p;
    }
}

TEST(Functions, RelativePathsIgnoreLetterCaseAndKeepTheirPrefix) {
    std::u16string base = u"/home/Ann/QuillBox/";
    EXPECT_EQ(MakeRelative(u"/HOME/ann/quillbox/data/a.txt", base), u".\\data/a.txt");
    EXPECT_EQ(MakeAbsolute(u".\\data/a.txt", base), u"/home/Ann/QuillBox/data/a.txt");
    // Either separator matches, and the base may lack its final one.
    EXPECT_EQ(MakeRelative(u"\\home\\ann\\quillbox\\x", base), u".\\x");
    EXPECT_EQ(MakeRelative(u"/home/ann/quillbox/x", u"/home/Ann/QuillBox"), u".\\x");
    EXPECT_EQ(MakeAbsolute(u".\\x", u"/home/Ann/QuillBox"), u"/home/Ann/QuillBox/x");
    // A sibling folder sharing the base's spelling is not inside it.
    EXPECT_EQ(MakeRelative(u"/home/Ann/QuillBoxOld/x", u"/home/Ann/QuillBox"),
              u"/home/Ann/QuillBoxOld/x");
    EXPECT_EQ(MakeRelative(u"/elsewhere/x", base), u"/elsewhere/x");
    EXPECT_EQ(MakeRelative(u"/home/", base), u"/home/");
    EXPECT_EQ(MakeRelative(u"/home/ann/quillbox/", base), u".\\");
    // The first ".\" anywhere is expanded; a text without one stays.
    EXPECT_EQ(MakeAbsolute(u"\"prog\" .\\a .\\b", u"/q/"), u"\"prog\" /q/a .\\b");
    EXPECT_EQ(MakeAbsolute(u"/abs/a.txt", base), u"/abs/a.txt");
    EXPECT_EQ(MakeAbsolute(u"./a.txt", base), u"./a.txt");
}

TEST(Functions, ValidFileNameAndNativePath) {
    EXPECT_EQ(ValidFileName(u"a<b>c|d:e\"f*g?h/i\\j", false), u"a b c d e f g h/i\\j");
    EXPECT_EQ(ValidFileName(u"a/b\\c", true), u"a b c");
    EXPECT_EQ(NativePath(u".\\data\\x.txt"), u"./data/x.txt");
}

class ExpandPatternTest : public testing::Test {
  protected:
    void SetUp() override {
        SetClockForTesting([] {
            TSystemTime t;
            t.Year = 2010, t.Month = 3, t.Day = 5, t.Hour = 9, t.Minute = 7, t.Second = 42;
            return t;
        });
    }
    void TearDown() override { SetClockForTesting(nullptr); }
};

TEST_F(ExpandPatternTest, Placeholders) {
    EXPECT_EQ(ExpandPattern(u"%n%s(12)%n"), u"\r\n------------\r\n");
    EXPECT_EQ(ExpandPattern(u"[%s(ab,3)][%s(=,0)][%s(x,-2)]"), u"[ababab][][]");
    EXPECT_EQ(ExpandPattern(u"%s(a,b,2)"), u"a,ba,b");  // the count follows the last comma
    EXPECT_EQ(ExpandPattern(u"%c(65)%c(x)%c(-1)%c(128512)"), u"A  \U0001F600");
    EXPECT_EQ(ExpandPattern(u"%u(yyyy-MM-dd HH:mm:ss)%t%u(d/M)"), u"2010-03-05 09:07:42\t5/3");
    TSystemTime now = LocalNow();
    EXPECT_EQ(ExpandPattern(u"%d|%i"), FormatLocal(now, 1) + u"|" + FormatLocal(now, 2));
    EXPECT_EQ(ExpandPattern(u"100% sure %x"), u"100% sure %x");
}

TEST_F(ExpandPatternTest, ArgumentsRunToTheMatchingParenthesis) {
    EXPECT_EQ(ExpandPattern(u"%s((a),2)"), u"(a)(a)");
    EXPECT_EQ(ExpandPattern(u"%u((HH))!"), u"(09)!");
    EXPECT_EQ(ExpandPattern(u"%s(%c(66),3)"), u"BBB");  // "%c" is expanded first
    // An unmatched tag stays as it is; a later closed one is still expanded.
    EXPECT_EQ(ExpandPattern(u"%s(ab"), u"%s(ab");
    EXPECT_EQ(ExpandPattern(u"%c(%c(67)"), u"%c(C");
    EXPECT_EQ(ExpandPattern(u"%s(x,2))"), u"xx)");
    // Values are not scanned again by the same step.
    EXPECT_EQ(ExpandPattern(u"%c(37)c(65)"), u"%c(65)");
}

TEST_F(ExpandPatternTest, ExpansionStaysBounded) {
    std::u16string many;
    for (int i = 0; i < 1005; ++i) many += u"%c(65)";
    EXPECT_EQ(ExpandPattern(many), std::u16string(1000, u'A') + many.substr(1000 * 6));
    EXPECT_EQ(ExpandPattern(u"%s(ab,9223372036854775807)").size(), 1'000'000u);
    EXPECT_EQ(ExpandPattern(u"%s(3000000)%s(z,5)").size(), 1'000'000u);
}

}  // namespace
}  // namespace qb
