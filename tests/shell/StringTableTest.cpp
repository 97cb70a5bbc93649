#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "foundation/UknStrUtils.h"
#include "shell/UStringTable.h"

namespace qb::test {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::filesystem::path kSource = QB_SOURCE_DIR;

}  // namespace

TEST(StringTable, DataFileIsWellFormedAndBuiltIn) {
    std::string text = ReadFile(kSource / "res/strings.txt");
    ASSERT_FALSE(text.empty());
    std::vector<int> bad;
    std::vector<TStringTableEntry> entries = ParseStringTable(text, &bad);
    EXPECT_TRUE(bad.empty()) << "malformed line " << bad.front();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.back(), '\n');

    std::set<int32_t> seen;
    std::vector<int32_t> ids;
    for (const auto& e : entries) {
        EXPECT_TRUE(seen.insert(e.Id).second) << "duplicate id " << e.Id;
        EXPECT_FALSE(e.Text.empty()) << e.Id;
        EXPECT_GT(e.Text.front(), u' ') << "text of " << e.Id << " starts with a blank";
        ids.push_back(e.Id);
        // The program holds exactly the file's texts.
        EXPECT_EQ(ToUtf8(StringTableText(e.Id)), ToUtf8(e.Text)) << e.Id;
    }
    EXPECT_EQ(StringTableIds(), ids);
    EXPECT_GE(entries.size(), 200u);
}

TEST(StringTable, TextsAreExact) {
    // The entries where a slip is easy: blanks at the end, doubled ampersands, escapes,
    // filters, punctuation.
    const std::vector<std::pair<int32_t, std::u16string>> expected = {
        {1010, u"New &NotePage"},
        {1145, u"&Close Page"},
        {1400, u"&Delete\\tDel"},
        {1405, u"&Delete Item\\tDel"},
        {1406, u"&Remove Item\\tDel"},
        {1450, u"&Find / Replace..."},
        {1466, u"&Replace && Find Next"},
        {1468, u"&Replace && Find Previous"},
        {1470, u"R&eplace All"},
        {1920, u"Home&page"},
        {4000, u"Insert ClipTe&xt"},
        {5000, u"Insert Te&mplate"},
        {10870, u"Text saved in file:"},
        {11300, u"Total Characters: "},
        {11310, u"Words: "},
        {11320, u"Paragraphs: "},
        {11330, u"Items: "},
        {11340, u"Characters ExCr:"},
        {11350, u"Characters ExBl: "},
        {11360, u"Lines: "},
        {11430, u"Incorrect password!"},
        {20900, u"quillbox reminder"},
        {25020, u"Prompt"},
        {25420, u"Text Files (*.txt)|*.txt|quillbox Export File (*.qbx)|*.qbx|All Files (*.*)|*.*"},
        {25450, u"Text File (*.txt)|*.txt|quillbox Export File (*.qbx)|*.qbx|All Files (*.*)|*.*"},
        {25460, u"quillbox Export File (*.qbx)|*.qbx|Text File (*.txt)|*.txt|All Files (*.*)|*.*"},
        {25628, u"Data is saved."},
        {25780, u"ReadOnly"},
        {25910, u"RecycleBin"},
        {1650, u"Recycle Bin"},
        {25970, u"="},
        {25980, u"<>"},
        {26000, u"Exclude"},
        {26050, u"The content of current node (and subnodes if any) has been exported to file:"},
        {26060, u"The version of the qbx file does not match the current version!"},
        {26090, u"File importing, holding ESC to abort..."},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(ToUtf8(StringTableText(id)), ToUtf8(text)) << id;
    EXPECT_EQ(StringTableText(424242), u"");
    EXPECT_FALSE(StringTableHas(424242));
    EXPECT_TRUE(StringTableHas(1000));
}

TEST(StringTable, ParserSkipsCommentsAndMalformedLines) {
    std::vector<int> bad;
    auto entries = ParseStringTable("// c\n\n1=a=b\r\n2= x \nno equals\n3x=y\n=z\n4=\n", &bad);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Text, u"a=b");
    EXPECT_EQ(entries[1].Text, u" x ");
    EXPECT_EQ(entries[2].Id, 4);
    EXPECT_EQ(entries[2].Text, u"");
    EXPECT_EQ(bad, (std::vector<int>{5, 6, 7}));
}

// Every text the code asks for by a literal id is in the table.
TEST(StringTable, EveryIdUsedInTheCodeExists) {
    // Pages have a GetText(maxlen) of their own, so only the language manager's is matched.
    const std::regex call(R"((LangManager\(\)\.GetText|LangText|StringTableText)\(\s*(\d+))");
    int found = 0;
    for (const char* folder : {"src", "app"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(kSource / folder)) {
            auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h") continue;
            std::string code = ReadFile(entry.path());
            for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it) {
                ++found;
                int32_t id = std::stoi((*it)[2].str());
                EXPECT_TRUE(StringTableHas(id))
                    << entry.path().filename().string() << " asks for text " << id;
            }
        }
    }
    RecordProperty("ids_checked", found);
}

}  // namespace qb::test
