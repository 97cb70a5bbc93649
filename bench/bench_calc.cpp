// 100,000 calculator lines: through Calculate alone, and as F9 on a calculator page of that
// many lines in the in-memory control (parsing, "#" definitions, rewriting the page).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/UMemoryEditControl.h"
#include "features/UCalcHandler.h"
#include "features/UCalculator.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionManager.h"

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

void BM_Recalculate100kLinePage(benchmark::State& state) {
    std::u16string page = u"#area(r)=pi*r^2\r\n";
    for (const auto& line : Lines()) page.append(u"item\t").append(line).append(u" = 0\r\n");
    // Options from an empty program folder, not from the user's own.
    std::string home = (std::filesystem::temp_directory_path() / "qbbench-calc-XXXXXX").string();
    if (!::mkdtemp(home.data())) std::abort();
    qb::SetProgramFolder(qb::FromUtf8(home));
    qb::TMemoryEditControl control;
    qb::OptionManager().Tri_Degree = true;
    qb::TCalcHandler handler(control);
    handler.SetPageType(2);  // calculator page
    for (auto _ : state) {
        state.PauseTiming();
        control.SetText(page);
        state.ResumeTiming();
        control.KeyDown(qb::vkF9, 0);
    }
    state.counters["lines"] = kLines;
    qb::SetProgramFolder(u"");
    std::filesystem::remove_all(home);
}

}  // namespace

BENCHMARK(BM_Recalculate100kLinePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate100kLines)->Unit(benchmark::kMillisecond);
