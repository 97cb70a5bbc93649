// The reminder check of one minute over 10,000 memo items of every recurring and one-time
// mode, as the memo handler runs it on each minute boundary. The items are loaded before
// timing; each iteration checks the next minute, so a few items fire in each.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "features/UMemoHandler.h"
#include "features/UMemoPage.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "shell/UknClasses.h"
#include "storage/UPageStore.h"

namespace {

using namespace qb;

constexpr int kItems = 10'000;

std::u16string Clock(int minuteOfDay) {
    return IntToStr(minuteOfDay / 60, 2) + u":" + IntToStr(minuteOfDay % 60, 2) + u":00";
}

// Modes in turn: daily, weekdays, days of the month, days of the year, once, a period.
std::u16string TimeText(int n) {
    std::u16string time = Clock(n * 7 % 1440);
    switch (n % 6) {
        case 0:
            return u"@" + time;
        case 1:
            return u"@w1-5 " + time;
        case 2:
            return u"@m1,15,28 " + time;
        case 3:
            return u"@y12-25,1-1 " + time;
        case 4:
            return u"2030-01-01 " + time.substr(0, 5);
        default:
            return u"2030-02-01...03-01";
    }
}

class TMemoNotebook {
  public:
    TMemoNotebook() {
        std::string folder = (std::filesystem::temp_directory_path() / "qbbench-XXXXXX").string();
        if (!mkdtemp(folder.data())) throw std::runtime_error("mkdtemp failed");
        FFolder = folder + "/";
        SetProgramFolder(FromUtf8(FFolder));
        TPageStore& store = GetStore();
        int32_t page = store.NewPage(kRootId, ptMemo);
        store.GetRoot()->Childs()->AddChild(page);
        // The items join the list only after all are made: a default name for each new item
        // compares all names in the list so far.
        std::vector<int32_t> ids;
        for (int n = 0; n < kItems; ++n) {
            ids.push_back(store.NewPage(page, ptMemoItem));
            auto& memo = static_cast<TMemoItem&>(*store.GetPage(ids.back())).Memo();
            memo.SetTimeText(TimeText(n));
            memo.Action = maNoAction;
        }
        for (int32_t id : ids) store.GetPage(page)->Childs()->AddChild(id);
        Handler = std::make_unique<TMemoHandler>();
    }
    ~TMemoNotebook() {
        Handler.reset();
        ReleaseStore();
        ReleasePageFactoryObjects();
        ReleaseShellGlobals();
        std::filesystem::remove_all(FFolder);
    }

    std::unique_ptr<TMemoHandler> Handler;

  private:
    std::string FFolder;
};

TMemoNotebook& Notebook() {
    static TMemoNotebook notebook;
    return notebook;
}

void BM_MinuteTick(benchmark::State& state) {
    TMemoHandler& handler = *Notebook().Handler;
    if (handler.ItemIds().Count() != kItems) state.SkipWithError("items missing");
    int64_t minute = ToUnits(ParseDateTime(u"2010-11-01 00:00", false), tuMinute);
    for (auto _ : state) handler.CheckReminders(FromUnits(minute++, tuMinute));
    state.counters["items"] = kItems;
    state.counters["items/s"] =
        benchmark::Counter(double(kItems) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MinuteTick)->Unit(benchmark::kMicrosecond);

// What "quillbox-cli due" asks: every item's rule at one minute, changing none.
void BM_DueItems(benchmark::State& state) {
    Notebook();
    TSystemTime at = ParseDateTime(u"2010-11-01 09:30", false);
    size_t due = 0;
    for (auto _ : state) {
        due = DueMemoItems(at).size();
        benchmark::DoNotOptimize(due);
    }
    state.counters["due"] = double(due);
}
BENCHMARK(BM_DueItems)->Unit(benchmark::kMicrosecond);

}  // namespace
