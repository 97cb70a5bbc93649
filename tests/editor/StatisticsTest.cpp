#include <gtest/gtest.h>

#include <map>

#include "editor/UStatisticsHandler.h"
#include "foundation/UknStrUtils.h"

namespace qb::test {

TEST(Statistics, TextCounts) {
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
        out += std::to_string(line.LabelId) + " " + ToUtf8(line.Label) + "=" + ToUtf8(line.Value) +
               "\n";
    return out;
}

}  // namespace

TEST(Statistics, CurrentPageAndDatabaseTabs) {
    TFakeSource s;
    s.Texts[4] = u"Hello world\r\n";
    s.Children[3] = 7;
    EXPECT_EQ(Render(CurrentPageStatistics(s, 4)),
              "11300 Total Characters: =13\n11340 Characters ExCr:=11\n"
              "11350 Characters ExBl: =10\n11310 Words: =2\n11360 Lines: =1\n"
              "11320 Paragraphs: =1\n");
    EXPECT_EQ(Render(CurrentPageStatistics(s, 3)), "11330 Items: =7\n");
    EXPECT_TRUE(CurrentPageStatistics(s, 99).empty());

    s.Types = {{16, 2, false}, {1, 5, false}, {23, 1, true}, {0, 3, false},
               {7, 1, true},   {2, 0, false}, {4, 1, false}};
    EXPECT_EQ(Render(DatabaseStatistics(s)), "25360 =3\n0 =\n25361 =5\n25364 =1\n0 =\n25376 =2\n");
    s.Types = {{2, 1, false}, {15, 4, false}};  // no empty line in front of the first line
    EXPECT_EQ(Render(DatabaseStatistics(s)), "25362 =1\n0 =\n25375 =4\n");
}

}  // namespace qb::test
