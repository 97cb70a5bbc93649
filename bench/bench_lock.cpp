// The notebook lock as every writing command takes it: open the lock file, flock it, write the
// holder line, and release it; and the check a store makes at opening that no one else holds
// the notebook. Target: well under 1 ms a command.

#include <benchmark/benchmark.h>

#include "storage/UNotebookLock.h"

#include "BenchNotebook.h"

namespace {

using namespace qb;
using namespace qb::bench;

void BM_TakeAndReleaseTheLock(benchmark::State& state) {
    const std::u16string data = FromUtf8(MakeHome("qbbench-lock") + "data/");
    for (auto _ : state) {
        TNotebookLock lock(data);
        benchmark::DoNotOptimize(lock.TryAcquire("quillbox-cli"));
        lock.Release();
    }
}
BENCHMARK(BM_TakeAndReleaseTheLock)->Unit(benchmark::kMicrosecond);

void BM_CheckThatTheNotebookIsFree(benchmark::State& state) {
    const std::u16string data = FromUtf8(MakeHome("qbbench-lock-free") + "data/");
    int runs = 0;
    for (auto _ : state) benchmark::DoNotOptimize(RunIfNotebookFree(data, [&runs] { ++runs; }));
    benchmark::DoNotOptimize(runs);
}
BENCHMARK(BM_CheckThatTheNotebookIsFree)->Unit(benchmark::kMicrosecond);

}  // namespace
