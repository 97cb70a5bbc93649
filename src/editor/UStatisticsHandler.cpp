#include "editor/UStatisticsHandler.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "storage/UPageStore.h"

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
    if (!source.ShowsText(pageId)) return {{11330, IntToStr(source.ChildCount(pageId))}};
    TTextCounts c = CountText(source.PageText(pageId));
    return {
        {11300, IntToStr(c.Characters)},
        {11340, IntToStr(c.CharactersExCr)},
        {11350, IntToStr(c.CharactersExBlanks)},
        {11310, IntToStr(c.Words)},
        {11360, IntToStr(c.Lines)},
        {11320, IntToStr(c.Paragraphs)},
    };
}

TStatisticsTab DatabaseStatistics(const IStatisticsSource& source) {
    std::vector<TPageTypeCount> counts = source.PageTypeCounts();
    std::erase_if(counts, [](const TPageTypeCount& t) { return t.Singleton; });
    std::sort(counts.begin(), counts.end(),
              [](const auto& a, const auto& b) { return a.Type < b.Type; });
    TStatisticsTab tab;
    for (size_t i = 0; i < counts.size(); ++i) {
        if (i > 0 && TypeGroup(counts[i].Type) != TypeGroup(counts[i - 1].Type)) tab.push_back({});
        tab.push_back({PageTypeCaptionBase + counts[i].Type, IntToStr(counts[i].Count)});
    }
    return tab;
}

TStatisticsFields StatisticsFields(const TStatisticsTab& tab) {
    TStatisticsFields fields;
    for (size_t i = 0; i < tab.size(); ++i) {
        if (i > 0) {
            fields.Labels += u"\r\n";
            fields.Values += u"\r\n";
        }
        if (tab[i].LabelId != 0) fields.Labels += LangText(tab[i].LabelId);
        fields.Values += tab[i].Value;
    }
    return fields;
}

// --- TStoreStatisticsSource ---

bool TStoreStatisticsSource::PageExists(int32_t id) const {
    return GetStore().GetPage(id) != nullptr;
}

bool TStoreStatisticsSource::ShowsText(int32_t id) const {
    return GetStore().GetPage(id)->ClientKind() == ckEditor;
}

std::u16string TStoreStatisticsSource::PageText(int32_t id) const {
    return GetStore().GetPage(id)->GetText(-1);
}

int64_t TStoreStatisticsSource::ChildCount(int32_t id) const {
    TknIntList children;
    GetStore().GetPage(id)->GetChildIds(children);
    return children.Count();
}

std::vector<TPageTypeCount> TStoreStatisticsSource::PageTypeCounts() const {
    TknIntList types;
    GetStore().GetUsedTypes(types);
    std::vector<TPageTypeCount> counts;
    for (int i = 0; i < types.Count(); ++i) {
        auto type = static_cast<uint8_t>(types.Items(i));
        counts.push_back({type, GetStore().CountOfType(type), PageFactory().IsSingleton(type)});
    }
    return counts;
}

// --- TStatisticsHandler ---

TStatisticsHandler::TStatisticsHandler(std::function<void()> showBox)
    : FShowBox(std::move(showBox)) {
    CommandCenter().AddExecutor(this);
}

TStatisticsHandler::~TStatisticsHandler() {
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
}

void TStatisticsHandler::ExecuteCommand(int32_t id) {
    if (id != cmStatistics) return;
    SaveCenter().Save();
    FShowBox();
}

}  // namespace qb
