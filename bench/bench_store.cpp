// The page store on large notebooks: opening 100,000 pages and listing the tree, creating
// 100,000 page objects on demand, and saving one text in a 50 MB data file against copying that
// file with cp.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

#include "BenchNotebook.h"

namespace {

using namespace qb;
using namespace qb::bench;


int ListTree(TPageSuper& page, int depth) {
    int count = 1;
    benchmark::DoNotOptimize(page.Name().size() + static_cast<size_t>(depth));
    if (TPageChilds* childs = page.Childs()) {
        TknIntList ids;
        childs->GetChildIds(ids);
        for (int i = 0; i < ids.Count(); ++i)
            if (TPageSuper* child = GetStore().GetPage(ids.Items(i)))
                count += ListTree(*child, depth + 1);
    }
    return count;
}

void BM_OpenAndListTree(benchmark::State& state) {
    const std::string& home = LargeNotebook();
    int pages = 0;
    for (auto _ : state) {
        UseHome(home);
        pages = ListTree(*GetStore().GetRoot(), 0);
    }
    state.counters["pages"] = pages;
    ReleaseStore();
}
BENCHMARK(BM_OpenAndListTree)->Unit(benchmark::kMillisecond);

void BM_GetPageOnDemand(benchmark::State& state) {
    const std::string& home = LargeNotebook();
    for (auto _ : state) {
        state.PauseTiming();
        UseHome(home);
        TPageStore& store = GetStore();
        state.ResumeTiming();
        for (int i = 0; i < store.RecordCount(); ++i)
            benchmark::DoNotOptimize(store.GetPage(store.RecordAt(i).Id));
    }
    state.SetItemsProcessed(state.iterations() * GetStore().RecordCount());
    ReleaseStore();
}
BENCHMARK(BM_GetPageOnDemand)->Unit(benchmark::kMillisecond);

// 1000 notes of 25,000 characters: 50 MB of UTF-16.
constexpr int kBigPages = 1000;
constexpr int kBigLength = 25000;

const std::string& BigNotebook() {
    static const std::string home = [] {
        std::string folder = MakeHome("qbbench-store-50mb");
        std::u16string index = u"3.2.0\r\n", data;
        data.reserve(static_cast<size_t>(kBigPages) * kBigLength);
        for (int p = 1; p <= kBigPages; ++p) {
            index += u"\r\n" + Line(p, 0, ptNote, kBigLength, NoteProps(u"Big" + IntToStr(p)));
            data.append(kBigLength, static_cast<char16_t>(u'A' + p % 26));
        }
        WriteNotebookFiles(folder, index, data);
        return folder;
    }();
    return home;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CopySeconds(const std::string& file) {
    const std::string command = "cp '" + file + "' '" + file + ".copy'";
    double total = 0;
    constexpr int kRuns = 5;
    for (int i = 0; i < kRuns; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) return 0;
        total += Seconds(start);
    }
    std::filesystem::remove(file + ".copy");
    return total / kRuns;
}

// Each round changes the length of a page in the middle, so that everything after it moves.
void BM_SaveTextIn50MB(benchmark::State& state) {
    const std::string& home = BigNotebook();
    UseHome(home);
    const double copy = CopySeconds(home + "data/quillbox.dat");
    TPageStore& store = GetStore();
    const std::u16string texts[2] = {std::u16string(kBigLength + 1, u'x'),
                                     std::u16string(kBigLength, u'y')};
    double saving = 0;
    int round = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        store.SaveText(kBigPages / 2, texts[round++ % 2]);
        saving += Seconds(start);
    }
    state.counters["cp_ms"] = copy * 1000;
    state.counters["ratio_to_cp"] =
        copy > 0 ? saving / static_cast<double>(state.iterations()) / copy : 0;
    ReleaseStore();
}
BENCHMARK(BM_SaveTextIn50MB)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
