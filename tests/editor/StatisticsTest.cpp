#include <gtest/gtest.h>

#include <map>

#include "editor/EditTestSupport.h"
#include "editor/UStatisticsHandler.h"
#include "foundation/UknStrUtils.h"

namespace qb::test {

class Statistics : public TEditorTest {};

TEST_F(Statistics, TextCounts) {
    struct TRow {
        std::u16string Text;
        TTextCounts Expected;  // chars, ex CR, ex blanks, words, lines, paragraphs
    } rows[] = {
        {u"", {0, 0, 0, 0, 0, 0}},
        {u"one line", {8, 8, 7, 2, 0, 1}},
        {u"a, b", {4, 4, 3, 2, 0, 1}},
        {u"\u4E2D\u6587\u5B57", {3, 3, 3, 1, 0, 1}},   // a run of CJK is one word
        {u"a\r\n\r\n\r\nb\r\n", {10, 2, 2, 2, 4, 2}},  // empty lines are no paragraphs
        {u"x.y!z?w:v;u", {11, 11, 11, 6, 0, 1}},
        {u"(a)-b caf\u00E9", {10, 10, 9, 2, 0, 1}},      // punctuation beyond the list joins words
        {u"  \r\n\t\x1C\x1Dq\x7F", {9, 7, 1, 1, 1, 2}},  // a blank line is no empty line
        {u"a\nb", {3, 3, 2, 2, 0, 1}},  // a lone LF neither ends a line nor fills one
    };
    for (const auto& r : rows) EXPECT_EQ(CountText(r.Text), r.Expected) << ToUtf8(r.Text);
}

namespace {

struct TFakeSource : IStatisticsSource {
    std::map<int32_t, std::u16string> Texts;
    std::map<int32_t, int64_t> Children;
    std::vector<TPageTypeCount> Types;
    bool PageExists(int32_t id) const override {
        return Texts.count(id) > 0 || Children.count(id) > 0;
    }
    bool ShowsText(int32_t id) const override { return Texts.count(id) > 0; }
    std::u16string PageText(int32_t id) const override { return Texts.at(id); }
    int64_t ChildCount(int32_t id) const override { return Children.at(id); }
    std::vector<TPageTypeCount> PageTypeCounts() const override { return Types; }
};

std::string Render(const TStatisticsTab& tab) {
    std::string out;
    for (const auto& line : tab)
        out += std::to_string(line.LabelId) + "=" + ToUtf8(line.Value) + "\n";
    return out;
}

}  // namespace

TEST_F(Statistics, CurrentPageAndDatabaseTabs) {
    TFakeSource s;
    s.Texts[4] = u"Hello world\r\n";
    s.Children[3] = 7;
    TStatisticsTab page = CurrentPageStatistics(s, 4);
    EXPECT_EQ(Render(page), "11300=13\n11340=11\n11350=10\n11310=2\n11360=1\n11320=1\n");
    TStatisticsFields fields = StatisticsFields(page);
    EXPECT_EQ(fields.Labels,
              u"Total Characters: \r\nCharacters ExCr:\r\nCharacters ExBl: \r\nWords: \r\n"
              u"Lines: \r\nParagraphs: ");
    EXPECT_EQ(fields.Values, u"13\r\n11\r\n10\r\n2\r\n1\r\n1");
    EXPECT_EQ(Render(CurrentPageStatistics(s, 3)), "11330=7\n");
    EXPECT_TRUE(CurrentPageStatistics(s, 99).empty());

    s.Types = {{16, 2, false}, {1, 5, false}, {23, 1, true}, {0, 3, false},
               {7, 1, true},   {2, 0, false}, {4, 1, false}};
    TStatisticsTab database = DatabaseStatistics(s);
    EXPECT_EQ(Render(database), "25360=3\n0=\n25361=5\n25362=0\n25364=1\n0=\n25376=2\n");
    EXPECT_EQ(StatisticsFields(database).Values, u"3\r\n\r\n5\r\n0\r\n1\r\n\r\n2");
    EXPECT_EQ(StatisticsFields(database).Labels.substr(0, 19), u"Group\r\n\r\nNotePage\r\n");
    s.Types = {{2, 1, false}, {15, 4, false}};  // no empty line in front of the first line
    EXPECT_EQ(Render(DatabaseStatistics(s)), "25362=1\n0=\n25375=4\n");
}

}  // namespace qb::test
