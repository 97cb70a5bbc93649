#pragma once

// The counts of the statistics box: characters, words, lines and paragraphs of the page shown,
// or its number of items, and the number of pages of each type in the store.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/UknClasses.h"

namespace qb {

constexpr int32_t cmStatistics = 1800;

struct TTextCounts {
    int64_t Characters = 0;
    int64_t CharactersExCr = 0;      // without the two characters of each line break
    int64_t CharactersExBlanks = 0;  // above U+0020, U+007F excluded
    int64_t Words = 0;
    int64_t Lines = 0;  // line breaks
    int64_t Paragraphs = 0;
    bool operator==(const TTextCounts&) const = default;
};

// Counts a page's text as stored, with CR LF line breaks.
TTextCounts CountText(std::u16string_view text);

struct TPageTypeCount {
    int32_t Type = 0;
    int64_t Count = 0;
    bool Singleton = false;
};

// The notebook as the statistics see it.
class IStatisticsSource {
  public:
    virtual ~IStatisticsSource() = default;
    virtual bool PageExists(int32_t id) const = 0;
    virtual bool ShowsText(int32_t id) const = 0;  // shown by the editor
    virtual std::u16string PageText(int32_t id) const = 0;
    virtual int64_t ChildCount(int32_t id) const = 0;
    virtual std::vector<TPageTypeCount> PageTypeCounts() const = 0;
};

// One line of the box: the label's string id (0: an empty line) and the value.
struct TStatisticsLine {
    int32_t LabelId = 0;
    std::u16string Value;
};
using TStatisticsTab = std::vector<TStatisticsLine>;

// The caption of a page type's line is string 25360 + the type code.
constexpr int32_t PageTypeCaptionBase = 25360;

TStatisticsTab CurrentPageStatistics(const IStatisticsSource& source, int32_t pageId);
TStatisticsTab DatabaseStatistics(const IStatisticsSource& source);

// The box's two fields: the labels in the interface language and the values, each as lines
// joined by CR LF.
struct TStatisticsFields {
    std::u16string Labels;
    std::u16string Values;
};
TStatisticsFields StatisticsFields(const TStatisticsTab& tab);

// The page store as the statistics see it.
class TStoreStatisticsSource : public IStatisticsSource {
  public:
    bool PageExists(int32_t id) const override;
    bool ShowsText(int32_t id) const override;
    std::u16string PageText(int32_t id) const override;
    int64_t ChildCount(int32_t id) const override;
    std::vector<TPageTypeCount> PageTypeCounts() const override;
};

// Command 1800: the store is saved first, so the counts are of the text the user sees, then
// the box is shown. Registered with the command center for its lifetime.
class TStatisticsHandler : public ICommandExecutor {
  public:
    explicit TStatisticsHandler(std::function<void()> showBox);
    ~TStatisticsHandler() override;
    TStatisticsHandler(const TStatisticsHandler&) = delete;
    TStatisticsHandler& operator=(const TStatisticsHandler&) = delete;
    bool CheckCommand(int32_t /*id*/) override { return true; }
    void ExecuteCommand(int32_t id) override;

  private:
    std::function<void()> FShowBox;
};

}  // namespace qb
