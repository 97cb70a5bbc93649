// Link texts normalised for their types, target lines with quoted paths and parameters, batches,
// the shell's error texts, and the process shell that starts programs itself.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "features/TrayFixture.h"
#include "features/ULinkOpener.h"
#include "features/UProcessShell.h"
#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "shell/ULangManager.h"

namespace qb::test {
namespace {

using LinkOpener = TTrayTest;

std::string OpenError(std::u16string_view line) {
    try {
        OpenTarget(line);
    } catch (const TknError& e) {
        return e.what();
    }
    return "opened";
}

TEST_F(LinkOpener, NormalizesByType) {
    std::u16string home = ProgramFolder();
    struct {
        const char16_t* Text;
        TLinkType Type;
        bool FilePrefix;
        bool Absolute;
        std::u16string Expected;
    } cases[] = {
        {u"  ", ltUrl, false, false, u""},
        {u" example.org ", ltUrl, false, false, u"http://example.org"},
        {u"HTTPS://Example.org", ltUrl, false, false, u"HTTPS://Example.org"},
        {u"ftp://files.example.org", ltUrl, false, false, u"ftp://files.example.org"},
        {u"Http:x", ltUrl, false, false, u"Http:x"},
        {u"www.example.org/http:", ltUrl, false, false, u"http://www.example.org/http:"},
        {u"bob@example.org", ltEmail, false, false, u"mailto:bob@example.org"},
        {u"MailTo:bob@example.org", ltEmail, false, false, u"MailTo:bob@example.org"},
        {u"Inbox", ltNode, false, false, u"outlook://Inbox"},
        {u"Outlook:Inbox", ltNode, false, false, u"Outlook:Inbox"},
        {u".\\tools\\run.sh", ltFile, false, true, home + u"tools\\run.sh"},
        {u".\\tools\\run.sh", ltFile, false, false, u".\\tools\\run.sh"},
        {u".\\docs", ltFolder, true, true, u"file://" + home + u"docs"},
        {u"/usr/share/doc", ltFolder, true, true, u"file:///usr/share/doc"},
        {u"FILE:///x", ltFile, true, false, u"FILE:///x"},
        {u"example.org", ltOthers, true, true, u"example.org"},
        {u" a\r\nb ", ltBatch, true, true, u"a\r\nb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToUtf8(NormalizeLink(c.Text, c.Type, c.FilePrefix, c.Absolute)),
                  ToUtf8(c.Expected))
            << ToUtf8(c.Text);
}

TEST_F(LinkOpener, SplitsQuotedTargetsFromParameters) {
    WriteBytes(Folder.File("notes.txt"), "x");
    std::u16string notes = Folder.File16("notes.txt");
    struct {
        std::u16string Line;
        TMemoryShell::TCall Expected;
    } cases[] = {
        {u"http://example.org", {u"http://example.org", u"", u""}},
        {u"  \"/opt/my tool\"   -x \"a b\"  ", {u"/opt/my tool", u"-x \"a b\"", u""}},
        {u"\"/opt/tool\"", {u"/opt/tool", u"", u""}},
        {u"\"/opt/tool\"-v", {u"/opt/tool", u"-v", u""}},
        {u"/opt/tool -v", {u"/opt/tool -v", u"", u""}},  // unquoted: all of it is the target
        {u"\"/opt/my tool -v", {u"/opt/my tool -v", u"", u""}},  // no closing quote
        {u"\"", {u"", u"", u""}},
        {u"\"\" -v", {u"", u"-v", u""}},
        {u"\"" + notes + u"\" --ro", {notes, u"--ro", Folder.Path16()}},
        {Folder.Path16(), {Folder.Path16(), u"", Folder.Path16()}},
        {Folder.Path16().substr(0, Folder.Path16().size() - 1),
         {Folder.Path16().substr(0, Folder.Path16().size() - 1), u"",
          ExtractFilePath(Folder.Path16().substr(0, Folder.Path16().size() - 1))}},
    };
    for (const auto& c : cases) {
        Shell.Calls.clear();
        OpenTarget(c.Line);
        ASSERT_EQ(Shell.Calls.size(), 1u) << ToUtf8(c.Line);
        EXPECT_EQ(ToUtf8(Shell.Calls[0].Target), ToUtf8(c.Expected.Target)) << ToUtf8(c.Line);
        EXPECT_EQ(ToUtf8(Shell.Calls[0].Parameters), ToUtf8(c.Expected.Parameters))
            << ToUtf8(c.Line);
        EXPECT_EQ(ToUtf8(Shell.Calls[0].Folder), ToUtf8(c.Expected.Folder)) << ToUtf8(c.Line);
    }
}

TEST_F(LinkOpener, StoredRelativeProgramRunsInItsFolder) {
    ::mkdir(Folder.File("tools").c_str(), 0755);
    WriteBytes(Folder.File("tools/run.sh"), "#!/bin/sh\n");
    TLinkProperty link(1);
    link.LinkType = ltFile;
    link.Link = u".\\tools\\run.sh";
    OpenLink(link);
    ASSERT_EQ(Shell.Calls.size(), 1u);
    EXPECT_EQ(ToUtf8(Shell.Calls[0].Target), Folder.File("tools/run.sh"));
    EXPECT_EQ(ToUtf8(Shell.Calls[0].Folder), Folder.File("tools/"));
}

// The texts follow the interface language, as every message does.
TEST_F(LinkOpener, FailuresRaiseTheShellsTextWithTheTarget) {
    struct {
        int Result;
        const char* English;
        const char* Chinese;
    } cases[] = {
        {seFileNotFound, "File not found!", "文件不存在！"},
        {sePathNotFound, "Path not found!", "路径不存在！"},
        {seAccessDenied, "Access denied!", "文件拒绝访问！"},
        {seBadFormat, "Invalid executable!", "可执行文件无效！"},
        {seShareViolation, "Sharing violation!", "共享冲突！"},
        {seAssocIncomplete, "Incomplete file association!", "文件关联无效！"},
        {seNoAssoc, "No program is associated to open this file!", "无关联程序以打开该文件！"},
        {8, "Unknown error!", "未知错误！"},
        {32, "Unknown error!", "未知错误！"},
    };
    for (const char16_t* language : {u"English", u"Chinese"}) {
        LangManager().SetLanguage(language);
        const bool chinese = language == std::u16string_view(u"Chinese");
        for (const auto& c : cases) {
            Shell.Results[u"/t"] = c.Result;
            EXPECT_EQ(OpenError(u" \"/t\" -p"),
                      std::string(chinese ? c.Chinese : c.English) + " /t");
        }
    }
    LangManager().SetLanguage(u"English");
    Shell.Results[u"/t"] = 42;
    EXPECT_EQ(OpenError(u"/t"), "opened");
    SetShell(nullptr);
    EXPECT_EQ(OpenError(u"/t"), "Unknown error! /t");
}

TEST_F(LinkOpener, BatchesOpenLineByLineUntilOneFails) {
    OpenBatch(u"/a\r\n\"/b\" -x\r\nhttp://c\r\n");
    ASSERT_EQ(Shell.Calls.size(), 3u);
    EXPECT_EQ(ToUtf8(Shell.Calls[0].Target), "/a");
    EXPECT_EQ(ToUtf8(Shell.Calls[1].Parameters), "-x");
    EXPECT_EQ(ToUtf8(Shell.Calls[2].Target), "http://c");
    EXPECT_EQ(Shell.Pauses, (std::vector<uint32_t>{20, 20, 20}));

    Shell.Calls.clear();
    Shell.Results[u""] = seFileNotFound;
    try {
        OpenBatch(u"/a\r\n\r\n/c");
        ADD_FAILURE() << "an empty line opened";
    } catch (const TknError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found! ");
    }
    EXPECT_EQ(Shell.Calls.size(), 2u);  // "/c" is not opened
}

TEST(ProcessShell, SplitsParametersAsACommandLine) {
    struct {
        const char16_t* Text;
        std::vector<std::string> Args;
    } cases[] = {
        {u"", {}},
        {u"  -a   b ", {"-a", "b"}},
        {u"\"two words\" x", {"two words", "x"}},
        {u"--name=\"a b\"c", {"--name=a bc"}},
        {u"\"\"", {""}},
        {u"\"say \\\"hi\\\"\"", {"say \"hi\""}},
        {u"\"open", {"open"}},
        {u"é\tü", {"é", "ü"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitParameters(c.Text), c.Args) << ToUtf8(c.Text);
}

TEST(ProcessShell, StartsProgramsAndReportsWhatIsMissing) {
    TTempFolder folder(false);
    std::string script = folder.File("write.sh");
    WriteBytes(script,
               "#!/bin/sh\npwd > out.txt\nfor a in \"$@\"; do echo \"[$a]\" >> out.txt; done\n");
    ::chmod(script.c_str(), 0755);
    TProcessShell shell;
    std::u16string folder16 = folder.Path16();
    EXPECT_GT(shell.Open(FromUtf8(script), u"one \"two three\"", folder16), 32);
    std::string out;
    for (int i = 0; i < 500 && out.find("[two three]") == std::string::npos; ++i) {
        shell.Pause(10);
        out = FileExists(folder.File16("out.txt")) ? ReadBytes(folder.File("out.txt")) : "";
    }
    std::string dir = folder.Path().substr(0, folder.Path().size() - 1);
    EXPECT_EQ(out, dir + "\n[one]\n[two three]\n");

    EXPECT_EQ(shell.Open(u"", u"", u""), seFileNotFound);
    EXPECT_EQ(shell.Open(folder.File16("missing.txt"), u"", u""), seFileNotFound);
    EXPECT_EQ(shell.Open(folder.File16("no/such/dir/x"), u"", u""), sePathNotFound);
    EXPECT_EQ(shell.Open(u"no-such-program-of-quillbox", u"", u""), seFileNotFound);
    EXPECT_EQ(shell.Open(FromUtf8(script), u"", folder.File16("gone")), sePathNotFound);
    WriteBytes(folder.File("bad.bin"), std::string("\x7f"
                                                   "ELF\0\0\0",
                                                   7));
    ::chmod(folder.File("bad.bin").c_str(), 0755);
    EXPECT_EQ(shell.Open(folder.File16("bad.bin"), u"", u""), seBadFormat);
}

}  // namespace
}  // namespace qb::test
