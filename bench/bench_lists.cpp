// The text form of a large list against a plain join / split of the same items, so that the
// cost of the list's item records can be read off as a ratio.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "foundation/UknList.h"
#include "foundation/UknStrUtils.h"

namespace {

constexpr int kItems = 1'000'000;
const std::u16string kSeparator = u"\r\n";

const std::vector<std::u16string>& Items() {
    static const std::vector<std::u16string> items = [] {
        std::vector<std::u16string> v;
        v.reserve(kItems);
        for (int i = 0; i < kItems; ++i) v.push_back(u"note " + qb::IntToStr(i));
        return v;
    }();
    return items;
}

std::u16string Join(const std::vector<std::u16string>& items) {
    size_t length = items.empty() ? 0 : (items.size() - 1) * kSeparator.size();
    for (const auto& s : items) length += s.size();
    std::u16string text;
    text.reserve(length);
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text.append(kSeparator);
        text.append(items[i]);
    }
    return text;
}

const std::u16string& Text() {
    static const std::u16string text = Join(Items());
    return text;
}

void SetItemCounters(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kItems);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Text().size() * 2));
}

void BM_StrListGetText(benchmark::State& state) {
    qb::TknStrList list;
    list.SetText(Text());
    for (auto _ : state) benchmark::DoNotOptimize(list.GetText());
    SetItemCounters(state);
}

void BM_BaselineJoin(benchmark::State& state) {
    const auto& items = Items();
    for (auto _ : state) benchmark::DoNotOptimize(Join(items));
    SetItemCounters(state);
}

void BM_StrListSetText(benchmark::State& state) {
    qb::TknStrList list;
    for (auto _ : state) {
        list.SetText(Text());
        benchmark::DoNotOptimize(list.Count());
    }
    SetItemCounters(state);
}

void BM_BaselineSplit(benchmark::State& state) {
    const std::u16string_view text = Text();
    for (auto _ : state) {
        std::vector<std::u16string> pieces;
        size_t start = 0;
        for (;;) {
            size_t at = text.find(kSeparator, start);
            if (at == std::u16string_view::npos) break;
            pieces.emplace_back(text.substr(start, at - start));
            start = at + kSeparator.size();
        }
        pieces.emplace_back(text.substr(start));
        benchmark::DoNotOptimize(pieces.data());
    }
    SetItemCounters(state);
}

}  // namespace

BENCHMARK(BM_StrListGetText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineJoin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrListSetText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineSplit)->Unit(benchmark::kMillisecond);
