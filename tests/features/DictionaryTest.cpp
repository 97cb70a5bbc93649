#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "features/UDictionary.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

using test::TTempFolder;

// Writes dict/<name> in the dictionaries' own form: UTF-16 LE with its mark, CR LF lines.
void WriteDict(const TTempFolder& home, const std::string& name, std::u16string_view header,
               const std::vector<std::u16string>& entries) {
    std::u16string text(header);
    for (const auto& e : entries) text += u"\r\n" + e;
    std::filesystem::create_directories(home.File("dict"));
    test::WriteBytes(home.File("dict/" + name), "\xFF\xFE" + test::Utf16LE(text));
}

std::string Look(TDictionary& dict, std::u16string_view word, bool multi = true) {
    std::vector<std::u16string> results;
    dict.Lookup(word, results, multi);
    std::string out;
    for (const auto& r : results) out.append(out.empty() ? "" : "|").append(ToUtf8(r));
    return out;
}

std::u16string Word(int i) {
    std::u16string word(1, u'w');
    return word.append(IntToStr(i, 6));
}

std::u16string Entry(int i, std::u16string_view meaning) {
    return Word(i) + u"\t" + std::u16string(meaning) + IntToStr(i, 6);
}

TEST(Dictionary, HeaderForms) {
    TDictHeader h = ParseDictHeader(u"@English // my own words");
    EXPECT_EQ(ToUtf8(h.Title), "English");
    EXPECT_FALSE(h.Range);
    h = ParseDictHeader(u" $Units");
    EXPECT_EQ(ToUtf8(h.Title), "Units");
    EXPECT_TRUE(h.Range);
    EXPECT_FALSE(ParseDictHeader(u"Plain").Range);
}

TEST(Dictionary, CaseVariants) {
    TTempFolder home;
    WriteDict(home, "en.dic", u"@English",
              {u"A1\tdigit word", u"apple\tfruit", u"Bob\tname", u"NASA\tagency"});
    TDictionary dict;
    dict.SetSelected(u"en.dic");
    struct {
        std::u16string_view Word;
        std::string Result;
    } cases[] = {
        {u"apple", "fruit"},
        {u"Apple", "(apple) fruit"},  // Capitalized -> UPPER -> lower: the third try
        {u"APPLE", "(apple) fruit"},
        {u"aPPLE", "(apple) fruit"},
        {u"bob", "(Bob) name"},
        {u"Bob", "name"},
        {u"nasa", "(NASA) agency"},
        {u"@apple", "fruit"},
        {u"A1", "digit word"},
        {u"a1", "not found!"},  // not a plain Latin word: tried once, as it is
        {u"pear", "not found!"},
    };
    for (const auto& c : cases) EXPECT_EQ(Look(dict, c.Word, false), c.Result) << ToUtf8(c.Word);
}

TEST(Dictionary, MultipleDictionaries) {
    TTempFolder home;
    WriteDict(home, "en.dic", u"@English", {u"cat\tfeline\nsecond line"});
    WriteDict(home, "de.dic", u"Deutsch // comment", {u"cat\tKatze", u"dog\tHund"});
    TDictionary dict;
    EXPECT_EQ(Look(dict, u"cat"), "no dictionary configured!");
    dict.SetSelected(u"missing.dic, en.dic,de.dic");
    EXPECT_EQ(Look(dict, u"cat"), "[English] feline|second line|[Deutsch] Katze");
    EXPECT_EQ(Look(dict, u"cat", false), "feline|second line");
    EXPECT_EQ(Look(dict, u"dog", false), "Hund");
    EXPECT_EQ(Look(dict, u"Dog"), "[Deutsch] (dog) Hund");
    EXPECT_EQ(Look(dict, u"bird"), "not found!");

    // A file that is not UTF-16 LE yet is skipped until it is converted.
    test::WriteBytes(home.File("dict/en.dic"), "English\r\ncat\tfeline");
    EXPECT_EQ(Look(dict, u"cat"), "[Deutsch] Katze");
}

TEST(Dictionary, RangeDictionaries) {
    TTempFolder home;
    WriteDict(home, "ranges.dic", u"$Ranges", {u"a\tc\tfirst", u"d\tf\tsecond", u"m\tp\tthird"});
    WriteDict(home, "plain.dic", u"@Plain", {u"b\tplain b"});
    TDictionary dict;
    dict.SetSelected(u"ranges.dic,plain.dic");
    struct {
        std::u16string_view Word;
        std::string Result;
    } cases[] = {
        {u"$b", "first"},
        {u"$a", "first"},
        {u"$c", "first"},
        {u"$d", "second"},
        {u"$ff", "not found!"},
        {u"$n", "third"},
        {u"$z", "not found!"},
        {u"b", "plain b"},  // a plain word is never looked up in a range
                            // dictionary
        {u"$B", "(b) first"},
    };
    for (const auto& c : cases) EXPECT_EQ(Look(dict, c.Word, false), c.Result) << ToUtf8(c.Word);
}

TEST(Dictionary, BisectionOnLargeFiles) {
    TTempFolder home;
    std::vector<std::u16string> entries;
    for (int i = 0; i < 40000; i += 2) entries.push_back(Entry(i, u"meaning of "));
    WriteDict(home, "big.dic", u"@Big", entries);
    ASSERT_GT(std::filesystem::file_size(home.File("dict/big.dic")), 10 * 61441u);

    std::vector<std::u16string> ranges;
    for (int i = 0; i < 40000; i += 10)
        ranges.push_back(Word(i) + u"\t" + Word(i + 4) + u"\tblock " + IntToStr(i));
    WriteDict(home, "ranges.dic", u"$Blocks", ranges);

    TDictionary dict;
    dict.SetSelected(u"big.dic,ranges.dic");
    dict.SetDebugMode(true);
    for (int i : {0, 2, 19998, 20000, 31112, 39996, 39998})
        EXPECT_EQ(Look(dict, Word(i), false), "meaning of " + ToUtf8(IntToStr(i, 6))) << i;
    size_t probes = 0;
    for (const auto& line : dict.Trace()) probes += line.find(u" < ") != std::u16string::npos;
    EXPECT_GT(probes, 3u) << "the search bisects before it scans";
    EXPECT_LT(probes, 20u);
    for (std::u16string_view missing : {u"w000001", u"w031113", u"w039999", u"a", u"z"})
        EXPECT_EQ(Look(dict, missing, false), "not found!") << ToUtf8(missing);

    for (int i : {0, 3, 4, 17774, 39994})
        EXPECT_EQ(Look(dict, u"$" + Word(i), false), "block " + std::to_string(i / 10 * 10)) << i;
    EXPECT_EQ(Look(dict, u"$w017776", false), "not found!");
}

TEST(Dictionary, LongEntriesAroundTheMiddle) {
    // Entries longer than half the searched region: the probe falls back to the region's first
    // entry instead of giving up.
    TTempFolder home;
    std::u16string longMeaning(70000, u'x');
    WriteDict(home, "long.dic", u"@Long",
              {u"alpha\t" + longMeaning, u"beta\tb", u"gamma\t" + longMeaning, u"omega\tlast"});
    TDictionary dict;
    dict.SetSelected(u"long.dic");
    EXPECT_EQ(Look(dict, u"alpha", false).size(), longMeaning.size());
    EXPECT_EQ(Look(dict, u"beta", false), "b");
    EXPECT_EQ(Look(dict, u"omega", false), "last");
    EXPECT_EQ(Look(dict, u"delta", false), "not found!");
}

TEST(Dictionary, ConvertsListedFilesToUtf16) {
    TTempFolder home;
    std::filesystem::create_directories(home.File("dict"));
    test::WriteBytes(home.File("dict/a.dic"), "\xEF\xBB\xBF@Caf\xC3\xA9\r\ncaf\xC3\xA9\tcoffee");
    WriteDict(home, "b.dic", u"@B", {u"x\ty"});
    const std::string bBefore = test::ReadBytes(home.File("dict/b.dic"));
    test::WriteBytes(home.File("dict/notes.txt"), "not a dictionary");

    EXPECT_EQ(ToUtf8(ConvertDictionaries(u"b.dic,missing.dic")), "b.dic,missing.dic,a.dic");
    EXPECT_EQ(test::ReadBytes(home.File("dict/a.dic")),
              "\xFF\xFE" + test::Utf16LE(u"@Caf\u00E9\r\ncaf\u00E9\tcoffee"));
    EXPECT_EQ(test::ReadBytes(home.File("dict/b.dic")), bBefore);
    EXPECT_FALSE(std::filesystem::exists(home.File("dict/missing.dic")));

    TDictionary dict;
    dict.SetSelected(u"a.dic");
    EXPECT_EQ(Look(dict, u"caf\u00E9"), "[Caf\u00E9] coffee");
}

}  // namespace
}  // namespace qb
