// 100,000 calculator lines through Calculate: numbers, brackets, functions and user functions,
// the mix a long calculator page holds.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "features/UCalculator.h"
#include "foundation/UknStrUtils.h"

namespace {

constexpr int kLines = 100'000;

std::vector<std::u16string> Lines() {
    const std::u16string forms[] = {u"12.5*4+7",         u"(1+2)*(3+4)/5", u"sqrt(2)^2-1",
                                    u"sin30+cos60",      u"area(3)+10%",   u"log(1024,2)",
                                    u"round(2/3,2)*100", u"2^10-1000\\7"};
    std::vector<std::u16string> lines;
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i)
        lines.push_back(forms[i % std::size(forms)] + u"+" + qb::IntToStr(i));
    return lines;
}

void BM_Calculate100kLines(benchmark::State& state) {
    const std::vector<std::u16string> lines = Lines();
    qb::TCalculator calc(u'.');
    calc.SetDegree(true);
    calc.AddFunction(u"area(r)=pi*r^2");
    for (auto _ : state)
        for (const auto& line : lines) benchmark::DoNotOptimize(calc.Calculate(line));
    state.counters["lines"] = kLines;
}

}  // namespace

BENCHMARK(BM_Calculate100kLines)->Unit(benchmark::kMillisecond);
