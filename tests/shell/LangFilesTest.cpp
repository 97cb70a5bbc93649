#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "ShellTestSupport.h"
#include "foundation/UknStrUtils.h"
#include "shell/ULangManager.h"
#include "shell/UStringTable.h"

namespace qb::test {

namespace {

std::vector<TStringTableEntry> ReadLanguageFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(QB_SOURCE_DIR) / "res/lang" / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::vector<int> bad;
    std::vector<TStringTableEntry> entries = ParseStringTable(s.str(), &bad);
    EXPECT_FALSE(entries.empty()) << name;
    EXPECT_TRUE(bad.empty()) << name << ": malformed line " << bad.front();
    return entries;
}

// What a translation must keep of the English text: its escapes, placeholders, doubled
// ampersands, whether it has a mnemonic, the key after a tab and the patterns of a file filter.
struct TShape {
    std::multiset<std::string> Tokens;
    bool Mnemonic = false;
    std::string Accelerator;
    std::vector<std::string> FilterPatterns;
    bool operator==(const TShape&) const = default;
};

TShape ShapeOf(const std::u16string& text) {
    std::string s = ToUtf8(text);
    TShape shape;
    static const std::regex token(R"(\\[tn]|%[a-z]|&&)");
    for (auto it = std::sregex_iterator(s.begin(), s.end(), token); it != std::sregex_iterator();
         ++it)
        shape.Tokens.insert(it->str());
    std::string withoutDoubled = std::regex_replace(s, std::regex("&&"), "");
    shape.Mnemonic = withoutDoubled.find('&') != std::string::npos;
    if (size_t tab = s.find("\\t"); tab != std::string::npos) shape.Accelerator = s.substr(tab);
    if (s.find('|') != std::string::npos) {
        std::stringstream parts(s);
        std::string part;
        for (int i = 0; std::getline(parts, part, '|'); ++i)
            if (i % 2 == 1) shape.FilterPatterns.push_back(part);
    }
    return shape;
}

}  // namespace

TEST(LangFiles, EnglishIsTheStringTable) {
    std::vector<TStringTableEntry> english = ReadLanguageFile("English.lng");
    std::vector<int32_t> ids;
    for (const auto& e : english) {
        ids.push_back(e.Id);
        EXPECT_EQ(ToUtf8(e.Text), ToUtf8(StringTableText(e.Id))) << e.Id;
    }
    EXPECT_EQ(ids, StringTableIds());
}

TEST(LangFiles, ChineseTranslatesEveryTextAndKeepsItsShape) {
    std::map<int32_t, std::u16string> chinese;
    for (auto& e : ReadLanguageFile("Chinese.lng"))
        EXPECT_TRUE(chinese.emplace(e.Id, std::move(e.Text)).second) << "duplicate " << e.Id;
    for (int32_t id : StringTableIds()) {
        SCOPED_TRACE(id);
        auto it = chinese.find(id);
        ASSERT_NE(it, chinese.end()) << "not translated";
        std::u16string english = StringTableText(id);
        EXPECT_FALSE(it->second.empty());
        EXPECT_TRUE(ShapeOf(it->second) == ShapeOf(english)) << ToUtf8(it->second);
        // Texts that end in a blank (labels before a value) keep it.
        EXPECT_EQ(english.back() == u' ', it->second.back() == u' ') << ToUtf8(it->second);
        chinese.erase(it);
    }
    for (const auto& [id, text] : chinese) ADD_FAILURE() << "unknown id " << id;
}

class LangBuiltInTest : public TShellTest {};

TEST_F(LangBuiltInTest, ChineseNeedsNoFileAndIgnoresOne) {
    OptionManager().Language = u"Chinese";
    OptionManager().NotifyAll();
    EXPECT_EQ(ToUtf8(LangText(1000)), "文件(&F)");
    EXPECT_EQ(ToUtf8(LangText(11300)), "总字符数： ");  // the trailing blank survives
    EXPECT_EQ(ToUtf8(LangText(1466)), "替换 && 查找下一个(&R)");

    // The built-in texts are the language's own; a file of that name changes nothing.
    std::filesystem::create_directories(FFolder.File("lang"));
    WriteBytes(FFolder.File("lang/Chinese.lng"), "1000=Other\n");
    LangManager().SetLanguage(u"English");
    LangManager().SetLanguage(u"Chinese");
    EXPECT_EQ(ToUtf8(LangText(1000)), "文件(&F)");
}

}  // namespace qb::test
