#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

using test::Hex;
using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;
using namespace std::string_literals;

std::string Utf16BE(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
    }
    return out;
}

// Reads every line the file hands out (bounded, so a file that never reaches its end fails).
std::vector<std::u16string> AllLines(TknTextFile& file) {
    std::vector<std::u16string> lines;
    while (!file.Eof() && lines.size() < 1000) lines.push_back(file.ReadLine());
    return lines;
}

std::u16string Join(const std::vector<std::u16string>& lines) {
    std::u16string out;
    for (const auto& line : lines) out += line + u"|";
    return out;
}

size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The ANSI bytes below are those of windows-1252, the code page of the locale the tests run in.
bool AnsiIsWindows1252() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::string_view(AnsiCodePage(value)) == "windows-1252";
    }
    return true;
}

std::u16string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TknError& e) {
        return e.Message();
    }
    return u"(no error)";
}

TEST(TextFile, EachEncodingWritesItsBytesAndReadsBack) {
    TTempFolder folder;
    const std::u16string text = u"Ab\u00E9\u20AC";  // Ab, e acute, euro sign
    struct TCase {
        TEncoding encoding;
        std::string body;  // the two lines text CR LF "x", encoded
    } cases[] = {
        {enAnsi, "Ab\xE9\x80\r\nx"},
        {enUTF8, "Ab\xC3\xA9\xE2\x82\xAC\r\nx"},
        {enUTF8BOM, "\xEF\xBB\xBF"s + "Ab\xC3\xA9\xE2\x82\xAC\r\nx"},
        {enUTF16LE, "\xFF\xFE" + test::Utf16LE(text + u"\r\nx")},
        {enUTF16BE, "\xFE\xFF" + Utf16BE(text + u"\r\nx")},
    };
    for (const auto& c : cases)
        for (bool marker : {false, true}) {
            if (c.encoding == enAnsi && !AnsiIsWindows1252()) continue;
            SCOPED_TRACE(testing::Message()
                         << "encoding " << int(c.encoding) << " marker " << marker);
            const std::u16string path = folder.File16("t.txt");
            {
                TknTextFile out(path, true, c.encoding, marker);
                out.WriteLine(text);
                out.Write(u"");
                out.Write(u"x");
            }
            const std::string expected = (marker ? "\xFD"s : ""s) + c.body;
            ASSERT_EQ(Hex(ReadBytes(folder.File("t.txt"))), Hex(expected));

            TknTextFile in(path, false);
            EXPECT_EQ(in.Encoding(), c.encoding);
            EXPECT_EQ(in.HasMarker(), marker);
            const int64_t bom = c.encoding == enUTF8BOM ? 3 : in.IsUnicode() ? 2 : 0;
            EXPECT_EQ(in.DataStart(), (marker ? 1 : 0) + bom);
            EXPECT_EQ(in.TextLength(),
                      (int64_t(expected.size()) - in.DataStart()) / (in.IsUnicode() ? 2 : 1));
            EXPECT_EQ(Join(AllLines(in)), text + u"|x|");

            TknMemoryTextFile memory(path, false);
            EXPECT_EQ(memory.Encoding(), c.encoding);
            EXPECT_EQ(memory.Text(), text + u"\r\nx");
            EXPECT_EQ(Join(AllLines(memory)), text + u"|x|");
        }
}

TEST(TextFile, DetectionOfEachKind) {
    TTempFolder folder;
    std::string straddling(1 << 20, 'a');  // a letter cut by the 1 MiB read block
    straddling.replace(straddling.size() - 1, 2, "\xC3\xA9");
    struct TCase {
        std::string bytes;
        TEncoding encoding;
        bool marker;
        int64_t dataStart;
    } cases[] = {
        {"", enAnsi, false, 0},
        {"\xC3", enAnsi, false, 0},
        {"\xFD", enAnsi, true, 1},
        {"\xFF\xFE", enUTF16LE, false, 2},
        {"\xFD\xFF\xFE"s + "a\0"s, enUTF16LE, true, 3},
        {"\xFE\xFF\0a"s, enUTF16BE, false, 2},
        {"\xEF\xBB\xBFx", enUTF8BOM, false, 3},
        {"\xEF\xBB", enAnsi, false, 0},
        {"caf\xC3\xA9", enUTF8, false, 0},
        {"\xFD"s + "caf\xC3\xA9", enUTF8, true, 1},
        {"caf\xC3\xA9\xC3", enAnsi, false, 0},  // cut sequence at the end
        {"plain 7-bit text\r\n", enAnsi, false, 0},
        {"\xC0\x80", enAnsi, false, 0},          // overlong
        {"\xED\xA0\x80", enAnsi, false, 0},      // surrogate
        {"\xF4\x90\x80\x80", enAnsi, false, 0},  // beyond U+10FFFF
        {"\xC3\xA9" + std::string(3 << 20, 'a') + "\xE9", enAnsi, false, 0},
        {straddling, enUTF8, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.bytes.substr(0, 8)) + " size " + std::to_string(c.bytes.size()));
        WriteBytes(folder.File("d.txt"), c.bytes);
        TknTextFile file(folder.File16("d.txt"), false);
        EXPECT_EQ(file.Encoding(), c.encoding);
        EXPECT_EQ(file.HasMarker(), c.marker);
        EXPECT_EQ(file.DataStart(), c.dataStart);
        EXPECT_EQ(file.Position(), c.dataStart);
    }
}

TEST(TextFile, LinesBreakOnlyAtCrLf) {
    TTempFolder folder;
    const std::u16string text = u"a\nb\r\nc\rd\r\n\r\ne";
    const std::u16string expected = u"a\nb|c\rd||e|";
    for (TEncoding encoding : {enAnsi, enUTF8, enUTF16LE, enUTF16BE}) {
        SCOPED_TRACE(int(encoding));
        {
            TknTextFile out(folder.File16("l.txt"), true, encoding);
            out.Write(text);
        }
        TknTextFile file(folder.File16("l.txt"), false, encoding);
        EXPECT_EQ(Join(AllLines(file)), expected);
        TknMemoryTextFile memory(folder.File16("l.txt"), false, encoding);
        EXPECT_EQ(Join(AllLines(memory)), expected);
    }
    // A text ending in CR LF has no empty last line; an empty file ends at once.
    WriteBytes(folder.File("e.txt"), "a\r\nb\r\n");
    TknMemoryTextFile ending(folder.File16("e.txt"), false);
    EXPECT_EQ(Join(AllLines(ending)), u"a|b|");
    TknTextFile endingFile(folder.File16("e.txt"), false);
    EXPECT_EQ(Join(AllLines(endingFile)), u"a|b|");
    WriteBytes(folder.File("e.txt"), "");
    TknMemoryTextFile empty(folder.File16("e.txt"), false);
    EXPECT_TRUE(empty.Eof());
    EXPECT_EQ(empty.ReadLine(), u"");
}

TEST(TextFile, LinesAcrossReadBlockBoundaries) {
    TTempFolder folder;
    for (TEncoding encoding : {enAnsi, enUTF16LE})
        for (size_t length : {0, 1, 127, 128, 254, 255, 256, 257, 383, 384, 766, 767, 768, 70000}) {
            SCOPED_TRACE(testing::Message() << int(encoding) << " length " << length);
            const std::u16string line(length, u'x');
            {
                TknTextFile out(folder.File16("b.txt"), true, encoding);
                out.WriteLine(line);
                out.WriteLine(u"tail");
            }
            TknTextFile file(folder.File16("b.txt"), false, encoding);
            EXPECT_EQ(file.ReadLine(), line);
            EXPECT_EQ(file.ReadLine(), u"tail");
            EXPECT_TRUE(file.Eof());
        }
}

// Lines are read through 64 KB blocks: a CR LF, or a UTF-16 unit behind a marker byte, may be
// cut by a block's end; reads and moves after a line start where the line ended.
TEST(TextFile, LinesAndReadsAroundTheBlockEnd) {
    TTempFolder folder;
    constexpr size_t kBlock = 64 << 10;
    for (TEncoding encoding : {enAnsi, enUTF16LE, enUTF16BE})
        for (bool marker : {false, true}) {
            const size_t unit = encoding == enAnsi ? 1 : 2;
            for (size_t length = kBlock / unit - 4; length <= kBlock / unit + 1; ++length) {
                SCOPED_TRACE(testing::Message()
                             << int(encoding) << " marker " << marker << " length " << length);
                std::u16string line;
                for (size_t i = 0; i < length; ++i) line += static_cast<char16_t>(u'a' + i % 26);
                {
                    TknTextFile out(folder.File16("k.txt"), true, encoding, marker);
                    out.WriteLine(line);
                    out.Write(u"tail");
                }
                TknTextFile file(folder.File16("k.txt"), false, encoding);
                EXPECT_EQ(file.ReadLine(), line);
                EXPECT_EQ(file.Position(), file.DataStart() + int64_t((length + 2) * unit));
                file.SeekChar(1);
                EXPECT_EQ(file.ReadText(2), u"bc");
                EXPECT_EQ(file.ReadLine(), line.substr(3));
                EXPECT_FALSE(file.Eof());
                EXPECT_EQ(file.ReadLine(), u"tail");
                EXPECT_TRUE(file.Eof());
            }
        }
}

// Ranges copied from one file onto the end of another: as much as the source holds.
TEST(TextFile, RangesAreCopiedOntoAnotherFile) {
    TTempFolder folder;
    WriteBytes(folder.File("from.bin"), "0123456789");
    const struct {
        int64_t offset, n, copied;
        std::string expected;  // after "ab" written first
    } cases[] = {{0, 10, 10, "ab0123456789"}, {3, 4, 4, "ab3456"}, {8, 5, 2, "ab89"},
                 {12, 3, 0, "ab"},            {5, 0, 0, "ab"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        TknFile from(folder.File16("from.bin"), fmRead);
        {
            TknFile to(folder.File16("to.bin"), fmWriteAtomic);
            to.Write("a", 1);
            to.Write("b", 1);
            EXPECT_EQ(from.CopyRangeTo(to, c.offset, c.n), c.copied);
            to.Commit();
        }
        EXPECT_EQ(ReadBytes(folder.File("to.bin")), c.expected);
    }
}

TEST(TextFile, NulUnitsAndOddBytesKeepTheText) {
    struct TCase {
        std::string bytes;
        TEncoding encoding;
        std::u16string text;
    } cases[] = {
        {"a\0b"s, enAnsi, u"a\0b"s},
        {"a\0b"s, enUTF8, u"a\0b"s},
        {"a\0\0\0b\0"s, enUTF16LE, u"a\0b"s},
        {"\0a\0\0\0b"s, enUTF16BE, u"a\0b"s},
        {"a\0b"s, enUTF16LE, u"a\uFFFD"},
        {"\0a\0"s, enUTF16BE, u"a\uFFFD"},
        {"\0\xD8"
         "a\0"s,
         enUTF16LE,
         u"\xD800"
         u"a"},  // a lone surrogate is kept as it is
        {"\xE9\xC3", enUTF8, u"\uFFFD\uFFFD"},
    };
    TTempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.bytes) + " as " + std::to_string(int(c.encoding)));
        const auto* p = reinterpret_cast<const uint8_t*>(c.bytes.data());
        EXPECT_EQ(DecodeBytes(p, c.bytes.size(), c.encoding), c.text);
        const std::string bom = c.encoding == enUTF16LE   ? "\xFF\xFE"
                                : c.encoding == enUTF16BE ? "\xFE\xFF"
                                                          : "";
        WriteBytes(folder.File("n.txt"), bom + c.bytes);
        TknTextFile file(folder.File16("n.txt"), false, c.encoding);
        EXPECT_EQ(file.ReadLine(), c.text);
        TknMemoryTextFile memory(folder.File16("n.txt"), false, c.encoding);
        EXPECT_EQ(memory.Text(), c.text);
    }
}

TEST(TextFile, CharacterPositionsAndCounts) {
    TTempFolder folder;
    {
        TknTextFile out(folder.File16("p.txt"), true, enUTF16BE, true);
        out.Write(u"0123456789");
    }
    TknTextFile file(folder.File16("p.txt"), false);
    EXPECT_EQ(file.TextLength(), 10);
    file.SeekChar(3);
    EXPECT_EQ(file.ReadText(4), u"3456");
    EXPECT_EQ(file.ReadText(100), u"789");
    file.SeekChar(8);
    EXPECT_EQ(file.ReadText(-1), u"89");
    EXPECT_EQ(file.ReadText(), u"");
    ASSERT_EQ(::truncate(folder.File("p.txt").c_str(), 1), 0);  // cut below the text start
    EXPECT_EQ(file.TextLength(), 0);
    // Switching mode on the same path keeps the marker unless told otherwise.
    file.Reopen(fmWrite, enUTF8);
    file.Write(u"\u00E9");
    file.Reopen(fmRead, enUnknown);
    EXPECT_EQ(Hex(ReadBytes(folder.File("p.txt"))), "FD C3 A9");
    EXPECT_EQ(file.Encoding(), enUTF8);
    EXPECT_EQ(file.TextLength(), 2);
    file.Reopen(fmWrite, enUnknown, false);
    EXPECT_EQ(Hex(ReadBytes(folder.File("p.txt"))), "FF FE");
    TknMemoryTextFile memory(folder.File16("p.txt"), false);
    memory.Reopen(fmWrite, enUTF16LE);
    memory.WriteLine(u"one");
    memory.Reopen(fmRead, enUnknown);
    EXPECT_EQ(memory.Text(), u"one\r\n");
}

TEST(TextFile, AnsiIsTheLocaleCodePage) {
    const char* locales[][2] = {
        {"ru_RU.UTF-8", "windows-1251"},
        {"zh_TW.UTF-8", "windows-950"},
        {"zh_HK", "windows-950"},
        {"zh_CN.GB18030", "windows-936"},
        {"zh_SG", "windows-936"},
        {"ja_JP", "windows-932"},
        {"ko_KR.EUC-KR", "windows-949"},
        {"pl_PL", "windows-1250"},
        {"uk_UA", "windows-1251"},
        {"th_TH", "windows-874"},
        {"vi_VN", "windows-1258"},
        {"en_US.UTF-8", "windows-1252"},
        {"de", "windows-1252"},
        {"C", "windows-1252"},
        {"", "windows-1252"},
    };
    for (const auto& [locale, page] : locales) EXPECT_STREQ(AnsiCodePage(locale), page) << locale;

    if (!AnsiIsWindows1252()) GTEST_SKIP() << "needs a locale with windows-1252 as ANSI";
    EXPECT_EQ(AnsiToUnicode("\x80\xE9\0z"s), u"\u20AC\u00E9\0z"s);
    EXPECT_EQ(Hex(UnicodeToAnsi(u"\u20AC\u00E9\u4E2D\0z"s)), "80 E9 3F 00 7A");
}

TEST(TextFile, OpeningCreatesOneMissingFolderAndReportsFailures) {
    TTempFolder folder;
    TknMemoryTextFile created(folder.File16("new/notes.txt"), false);
    EXPECT_TRUE(DirectoryExists(folder.File16("new")));
    EXPECT_TRUE(FileExists(folder.File16("new\\notes.txt")));
    EXPECT_FALSE(FileExists(folder.File16("new")));
    EXPECT_EQ(created.Encoding(), enAnsi);
    EXPECT_TRUE(created.Eof());
    EXPECT_EQ(ReadBytes(folder.File("new/notes.txt")), "");

    TknFile reader(folder.File16("new/notes.txt"), fmRead);
    TknFile committed(folder.File16("c.bin"), fmWriteAtomic);
    committed.Commit();
    EXPECT_EQ(MessageOf([&] { TknFile f(folder.File16("a/b/c.txt"), fmRead); }),
              u"File Open Error!");
    EXPECT_EQ(MessageOf([&] { TknFile f(folder.File16("new"), fmWrite); }), u"File Open Error!");
    EXPECT_EQ(MessageOf([&] { ReadFileBytes(folder.File16("missing")); }), u"File Open Error!");
    EXPECT_EQ(MessageOf([&] { reader.Write("x", 1); }), u"File Write Error!");
    EXPECT_EQ(MessageOf([&] { committed.Write("x", 1); }), u"File Write Error!");
    EXPECT_EQ(MessageOf([&] { committed.Size(); }), u"Cannot Get File Size!");
    TknFile writer(folder.File16("w.bin"), fmWrite);
    char byte;
    EXPECT_EQ(MessageOf([&] { writer.Read(&byte, 1); }), u"File Read Error!");
}

TEST(TextFile, AtomicWriteReplacesOnlyOnCommit) {
    TTempFolder folder;
    const std::string target = folder.File("index.txt");
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0600);
    {
        TknTextFile file(folder.File16("index.txt"), fmWriteAtomic, enUTF8);
        file.Write(u"new");
        EXPECT_EQ(ReadBytes(target), "old");
    }  // destroyed without Commit
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);
    EXPECT_EQ(MessageOf([&] {
                  TknTextFile file(folder.File16("index.txt"), fmWriteAtomic, enUTF8);
                  file.Write(u"half");
                  throw TknError(u"interrupted");
              }),
              u"interrupted");
    EXPECT_EQ(ReadBytes(target), "old");

    TknTextFile file(folder.File16("index.txt"), fmWriteAtomic, enUTF8, true);
    file.Write(u"new");
    file.Commit();
    file.Commit();
    EXPECT_EQ(Hex(ReadBytes(target)), "FD 6E 65 77");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // the old file's mode

    const std::string bytes = "\0\xFF\r\n"s + std::string(100000, 'z');
    WriteFileAtomic(folder.File16("sub/fresh.bin"), bytes);
    EXPECT_EQ(ReadFileBytes(folder.File16("sub/fresh.bin")), bytes);
    ASSERT_EQ(::stat(folder.File("sub/fresh.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // new in the program folder: private
    ASSERT_EQ(::stat(folder.File("sub").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    TTempFolder elsewhere(false);  // an export's folder: the umask decides
    WriteFileAtomic(elsewhere.File16("out.txt"), "x");
    ASSERT_EQ(::stat(elsewhere.File("out.txt").c_str(), &st), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);

    // Through a link the link stays and its target changes.
    ASSERT_EQ(::symlink(target.c_str(), folder.File("link").c_str()), 0);
    WriteFileAtomic(folder.File16("link"), "via link");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link")));
    EXPECT_EQ(ReadBytes(target), "via link");

    // A rename that fails (a folder in the way) reports and leaves nothing behind.
    EXPECT_EQ(MessageOf([&] { WriteFileAtomic(folder.File16("sub"), "x"); }), u"File Write Error!");
    EXPECT_EQ(EntriesIn(folder.File("sub")), 1u);
    EXPECT_EQ(EntriesIn(folder.Path()), 3u);
}

TEST(TextFile, DamagedFilesNeverCrash) {
    TTempFolder folder;
    const std::string hugeLine(10 << 20, 'q');
    const std::string inputs[] = {
        "\xFF\xFE\x61",
        "\xFE\xFF\0"s,
        "\xFF\xFE\0\xD8\0\xDC\0\xDC"s,
        "\xFD",
        "\xFD\xFF",
        "\xEF\xBB\xBF",
        "a\r",
        "\r\n",
        "\xFF\xFE\r\0\n"s,
        "\xFE\xFF\0\r\0"s,
        "\0\0\0\0"s,
        hugeLine,
        "\xFF\xFE" + hugeLine,
    };
    for (const auto& bytes : inputs) {
        SCOPED_TRACE(Hex(bytes.substr(0, 8)));
        WriteBytes(folder.File("x.txt"), bytes);
        TknTextFile file(folder.File16("x.txt"), false);
        TknMemoryTextFile memory(folder.File16("x.txt"), false);
        const auto lines = AllLines(file);
        EXPECT_EQ(lines, AllLines(memory));
        EXPECT_LE(memory.Text().size(), bytes.size());
        file.SeekChar(0);
        EXPECT_EQ(file.ReadText(), memory.Text());
    }
}

}  // namespace
}  // namespace qb
