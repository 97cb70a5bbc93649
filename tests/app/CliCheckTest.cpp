// `check` and the start-up on damaged data: every problem is named with exit code 1, intact
// pages keep their own texts, and an index that is no notebook stops every command.

#include <gtest/gtest.h>

#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

class CliCheck : public TCliTest {
  protected:
    // A group 9 holding notes 10 and 11, and a note 12 beside it.
    void SetUp() override {
        Out("new 7 0 G");
        Out("new 9 1 A");
        Out("new 9 1 B");
        Out("new 7 1 C");
        Out("write 10", "alpha");
        Out("write 11", "beta");
        Out("write 12", "gamma");
        Index = ReadIndex();
    }
    std::string IndexFile() const { return Home.File("data/quillbox.idx"); }
    std::u16string ReadIndex() const {
        const std::string bytes = ReadBytes(IndexFile()).substr(2);  // after the byte-order mark
        std::u16string text;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                          static_cast<uint8_t>(bytes[i + 1]) << 8);
        return text;
    }
    void WriteIndex(const std::u16string& text) {
        WriteBytes(IndexFile(), "\xFF\xFE" + Utf16LE(text));
    }
    // The index with the line of page `id` changed by `edit`.
    std::u16string WithLine(int id, const std::function<void(std::u16string&)>& edit) const {
        const std::u16string head = u"\r\n" + FromUtf8(std::to_string(id)) + u"\t";
        size_t start = Index.find(head) + 2, end = std::min(Index.find(u"\r\n", start), Index.size());
        std::u16string line = Index.substr(start, end - start);
        edit(line);
        return Index.substr(0, start) + line + Index.substr(end);
    }
    static void SetField(std::u16string& line, int field, std::u16string_view value) {
        size_t start = 0;
        for (int i = 0; i < field; ++i) start = line.find(u'\t', start) + 1;
        line.replace(start, line.find(u'\t', start) - start, value);
    }
    std::u16string Index;
};

TEST_F(CliCheck, EachDamageIsReportedAndIntactPagesKeepTheirTexts) {
    const auto field = [](int f, std::u16string value) {
        return [f, value](std::u16string& line) { SetField(line, f, value); };
    };
    struct {
        const char* what;
        std::u16string index;
        std::string message;
        std::vector<int> intact;  // pages that must still read their own text
    } cases[] = {
        {"a repeated id", WithLine(11, field(0, u"10")), "the id is given to more than one record",
         {10, 12}},
        {"a negative length", WithLine(10, field(3, u"-5")), "the text length is negative",
         {10, 11, 12}},
        {"a length that is no number", WithLine(11, field(3, u"4x")),
         "the text length is not a number", {10, 11, 12}},
        {"a length out of range", WithLine(10, field(3, u"99999999999")),
         "the text length is not a number", {10, 11, 12}},
        {"a text past the end", WithLine(12, field(3, u"9")), "runs past the end of the data file",
         {10, 11}},
        {"an id that is no number", WithLine(12, field(0, u"twelve")), "the id is not a number",
         {10, 11}},
        {"owners in a loop", WithLine(9, field(1, u"10")), "its owners lead round in a loop",
         {10, 11, 12}},
        {"a child that does not exist",
         WithLine(9, [](std::u16string& line) { line += u",77"; }), "its child 77 does not exist",
         {10, 11, 12}},
    };
    const std::map<int, std::string> texts{{10, "alpha"}, {11, "beta"}, {12, "gamma"}};
    for (const auto& c : cases) {
        WriteIndex(c.index);
        EXPECT_EQ(Cli("check"), 1) << c.what;
        EXPECT_NE(out.find(c.message), std::string::npos) << c.what << ": " << out;
        for (int id : c.intact) EXPECT_EQ(Out("show " + std::to_string(id)), texts.at(id)) << c.what;
    }

    // The records in reverse order, the texts in the order of the lines: each page still reads
    // its own text, and the next write puts records and texts in id order.
    std::u16string reversed = Index.substr(0, Index.find(u"\r\n", Index.find(u"\r\n") + 2));
    std::vector<std::u16string> lines;
    for (size_t at = reversed.size(); at < Index.size();) {
        size_t end = Index.find(u"\r\n", at + 2);
        lines.push_back(Index.substr(at, (end == std::u16string::npos ? Index.size() : end) - at));
        at = end == std::u16string::npos ? Index.size() : end;
    }
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) reversed += *it;
    WriteIndex(reversed);
    WriteBytes(Home.File("data/quillbox.dat"), "\xFF\xFE" + Utf16LE(u"gammabetaalpha"));
    EXPECT_EQ(Cli("check"), 1);
    EXPECT_NE(out.find("the records are not in id order"), std::string::npos) << out;
    for (const auto& [id, text] : texts) EXPECT_EQ(Out("show " + std::to_string(id)), text) << id;
    Out("rename 12 C2");
    for (const auto& [id, text] : texts) EXPECT_EQ(Out("show " + std::to_string(id)), text) << id;
    EXPECT_EQ(Out("check"), "ok\n");
}

// Group 9 and its group 13 own each other: a copy of either ends with an error and writes
// nothing.
TEST_F(CliCheck, ACopyOfPagesOwningEachOtherEnds) {
    Out("new 9 0 Inner");  // 13
    Index = ReadIndex();
    Index = WithLine(9, [](std::u16string& line) { SetField(line, 1, u"13"); });
    Index = WithLine(13, [](std::u16string& line) { line += u"9"; });
    WriteIndex(Index);
    const std::string index = ReadBytes(IndexFile()), data = ReadBytes(Home.File("data/quillbox.dat"));
    EXPECT_EQ(Cli("mv 9 7 --copy"), 1);
    EXPECT_NE(err.find("own each other in a loop"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(IndexFile()), index);
    EXPECT_EQ(ReadBytes(Home.File("data/quillbox.dat")), data);
}

TEST_F(CliCheck, AnIndexThatIsNoNotebookStopsEveryCommand) {
    const std::string data = ReadBytes(Home.File("data/quillbox.dat"));
    const std::string index16 = Utf16LE(Index);
    std::string lfOnly = index16;
    for (size_t i = 0; i + 3 < lfOnly.size(); i += 2)
        if (lfOnly.compare(i, 4, std::string("\r\0\n\0", 4)) == 0) lfOnly.erase(i, 2);
    struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"random bytes", "\x13\x37\xC0\xFF\xEE\x00\x42\x99\x10\x20"},
        {"no byte-order mark", index16},
        {"LF line ends", "\xFF\xFE" + lfOnly},
        {"another version", "\xFF\xFE" + Utf16LE(u"9.9\r\n\r\n-1\t-2\t23\t0\t")},
        {"an empty index beside texts", "\xFF\xFE"},
    };
    for (const auto& c : cases) {
        WriteBytes(IndexFile(), c.bytes);
        for (const char* command : {"check", "tree", "show 10", "new 7 1 X"}) {
            EXPECT_EQ(Cli(command), 1) << c.what << ", " << command;
            EXPECT_NE(err.find("The index file " + IndexFile() + " is not a notebook"),
                      std::string::npos)
                << c.what << ": " << err;
            EXPECT_NE(err.find("a copy is in " + Home.File("olddata/quillbox.idx")),
                      std::string::npos)
                << err;
        }
        EXPECT_EQ(ReadBytes(IndexFile()), c.bytes) << c.what;
        EXPECT_EQ(ReadBytes(Home.File("olddata/quillbox.idx")), c.bytes) << c.what;
        EXPECT_EQ(ReadBytes(Home.File("data/quillbox.dat")), data) << c.what;
    }
}

}  // namespace
}  // namespace qb::test
