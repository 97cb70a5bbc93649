#include "editor/UStatisticsHandler.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

bool IsDelimiter(char16_t c) {
    return c <= 0xFF && std::u16string_view(u"\t\n\r !,.:;?").find(c) != std::u16string_view::npos;
}

// The first list-item type: items are set apart from the pages above them.
constexpr int32_t FirstItemType = 15;

int TypeGroup(int32_t type) {
    return type == 0 ? 0 : type < FirstItemType ? 1 : 2;
}

}  // namespace

TTextCounts CountText(std::u16string_view text) {
    TTextCounts counts;
    counts.Characters = static_cast<int64_t>(text.size());
    bool lineEmpty = true;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r') {
            ++counts.Lines;
            if (!lineEmpty) ++counts.Paragraphs;
            lineEmpty = true;
        } else if (c != u'\n') {
            lineEmpty = false;
        }
        if (c > u' ' && c != u'\x7F') ++counts.CharactersExBlanks;
        if (!IsDelimiter(c) && (i == 0 || IsDelimiter(text[i - 1]))) ++counts.Words;
    }
    if (!lineEmpty) ++counts.Paragraphs;
    counts.CharactersExCr = counts.Characters - 2 * counts.Lines;
    return counts;
}

TStatisticsTab CurrentPageStatistics(const IStatisticsSource& source, int32_t pageId) {
    if (!source.PageExists(pageId)) return {};
    if (!source.ShowsText(pageId))
        return {{11330, u"Items: ", IntToStr(source.ChildCount(pageId))}};
    TTextCounts c = CountText(source.PageText(pageId));
    return {
        {11300, u"Total Characters: ", IntToStr(c.Characters)},
        {11340, u"Characters ExCr:", IntToStr(c.CharactersExCr)},
        {11350, u"Characters ExBl: ", IntToStr(c.CharactersExBlanks)},
        {11310, u"Words: ", IntToStr(c.Words)},
        {11360, u"Lines: ", IntToStr(c.Lines)},
        {11320, u"Paragraphs: ", IntToStr(c.Paragraphs)},
    };
}

TStatisticsTab DatabaseStatistics(const IStatisticsSource& source) {
    std::vector<TPageTypeCount> counts = source.PageTypeCounts();
    std::erase_if(counts, [](const TPageTypeCount& t) { return t.Singleton || t.Count <= 0; });
    std::sort(counts.begin(), counts.end(),
              [](const auto& a, const auto& b) { return a.Type < b.Type; });
    TStatisticsTab tab;
    for (size_t i = 0; i < counts.size(); ++i) {
        if (i > 0 && TypeGroup(counts[i].Type) != TypeGroup(counts[i - 1].Type)) tab.push_back({});
        tab.push_back({PageTypeCaptionBase + counts[i].Type, u"", IntToStr(counts[i].Count)});
    }
    return tab;
}

}  // namespace qb
