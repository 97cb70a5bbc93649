// Replace All over a 10 MB text (10 Mi characters, a line break every 64) in the in-memory
// editor control: dense matches downward and upward, with and without match case, and a text
// without any match (the cost of the scan alone).

#include <benchmark/benchmark.h>

#include <string>

#include "editor/UMemoryEditControl.h"
#include "editor/UknRichEditClasses.h"

namespace {

constexpr size_t TextSize = 10u << 20;

const std::u16string& Text() {
    static const std::u16string text = [] {
        const std::u16string words = u"The quick brown Fox jumps over the lazy dog; ";
        std::u16string t;
        t.reserve(TextSize);
        while (t.size() < TextSize) {
            t += words;
            if (t.size() % 64 < words.size()) t += u"\r\n";
        }
        t.resize(TextSize);
        return t;
    }();
    return text;
}

void ReplaceAll(benchmark::State& state, std::u16string_view what, bool up, bool matchCase) {
    qb::TMemoryEditControl control;
    qb::TknRichEditFindHandler engine(control);
    engine.FindWhat = what;
    engine.ReplaceWith = u"wolf";
    engine.AllowReplace = true;
    engine.DirUp = up;
    engine.MatchCase = matchCase;
    for (auto _ : state) {
        state.PauseTiming();
        control.SetText(Text());
        control.SetSel(up ? control.TextLength() : 0, 0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine.ReplaceAllMatches());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TextSize * 2));
}

void BM_ReplaceAllDown(benchmark::State& s) {
    ReplaceAll(s, u"fox", false, false);
}
void BM_ReplaceAllUp(benchmark::State& s) {
    ReplaceAll(s, u"fox", true, false);
}
void BM_ReplaceAllDownMatchCase(benchmark::State& s) {
    ReplaceAll(s, u"Fox", false, true);
}
void BM_ReplaceAllNoMatch(benchmark::State& s) {
    ReplaceAll(s, u"cat", false, false);
}

BENCHMARK(BM_ReplaceAllDown)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAllUp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAllDownMatchCase)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReplaceAllNoMatch)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
