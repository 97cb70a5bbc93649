// The computed system lists over a notebook of 100,000 notes in 100 groups: the search page with
// a text search and a title search, and the three recent lists. Each list is computed anew on
// every call, as the program does whenever the list is shown; the page objects are loaded by a
// first call before timing.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UDeleteHandler.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/URecentPage.h"
#include "model/USearchPage.h"
#include "model/USysPageManager.h"
#include "shell/UknClasses.h"
#include "storage/UPageStore.h"

namespace {

using namespace qb;

constexpr int kNotes = 100'000;
constexpr int kGroups = 100;

std::u16string Time(int64_t n) {
    TSystemTime t{static_cast<uint16_t>(2000 + n % 20),
                  static_cast<uint16_t>(1 + n % 12),
                  0,
                  static_cast<uint16_t>(1 + n % 28),
                  static_cast<uint16_t>(n % 24),
                  static_cast<uint16_t>(n / 24 % 60),
                  static_cast<uint16_t>(n / 7 % 60),
                  0};
    return FormatDateTime(t, 3);
}

std::u16string ReadAll(const std::u16string& path) {
    TknTextFile file(path, fmRead, enUTF16LE);
    return file.ReadText();
}

void WriteAll(const std::u16string& path, std::u16string_view text) {
    TknTextFile file(path, fmWriteAtomic, enUTF16LE);
    file.Write(text);
    file.Commit();
}

// The program writes the system pages and the groups; the notes are appended to its files in
// their stored form, since saving each text on its own would rewrite the data file every time.
// The notes are owned by the groups but not listed in them: the lists read the store.
void BuildNotebook() {
    std::vector<int32_t> groups;
    {
        TSysPageManager manager;
        TPageStore& store = GetStore();
        int32_t root = 0;
        store.FindFirstOfType(ptGroupRoot, root);
        for (int i = 0; i < kGroups; ++i) {
            groups.push_back(store.NewPage(root, ptGroup));
            store.GetPage(root)->Childs()->AddChild(groups.back());
        }
        store.SaveIndex();
    }
    const std::u16string indexPath = GetStore().IndexPath(), dataPath = GetStore().DataPath();
    ReleaseDeleteHandler();
    ReleaseStore();

    std::u16string index = ReadAll(indexPath), data = ReadAll(dataPath);
    index.reserve(index.size() + kNotes * 90);
    data.reserve(data.size() + kNotes * 120);
    const int32_t firstId = groups.back() + 1;
    for (int n = 0; n < kNotes; ++n) {
        std::u16string text = u"Note " + IntToStr(n) + u" about the weather, the garden and " +
                              (n % 100 == 0 ? u"a Needle in the hay" : u"plenty of hay") +
                              u"; more words follow here to give it a usual length.";
        data += text;
        index += u"\r\n" + IntToStr(firstId + n) + u"\t" + IntToStr(groups[n % kGroups]) +
                 u"\t1\t" + IntToStr(text.size()) + u"\tNote" + IntToStr(n) + u"\t0\t\t0\t" +
                 Time(int64_t(n) * 7919 % kNotes) + u"\t" + Time(int64_t(n) * 104729 % kNotes) +
                 u"\t" + Time(int64_t(n) * 1299709 % kNotes) + u"\t0\t\t";
    }
    WriteAll(dataPath, data);
    WriteAll(indexPath, index);
}

class TNotebook {
  public:
    TNotebook() {
        std::string folder = (std::filesystem::temp_directory_path() / "qbbench-XXXXXX").string();
        if (!mkdtemp(folder.data())) throw std::runtime_error("mkdtemp failed");
        FFolder = folder + "/";
        SetProgramFolder(FromUtf8(FFolder));
        BuildNotebook();
        FManager = std::make_unique<TSysPageManager>();
    }
    ~TNotebook() {
        FManager.reset();
        ReleaseDeleteHandler();
        ReleaseStore();
        ReleasePageFactoryObjects();
        ReleaseShellGlobals();
        std::filesystem::remove_all(FFolder);
    }
    TPageSuper& Page(uint8_t type) {
        int32_t id = 0;
        GetStore().FindFirstOfType(type, id);
        return *GetStore().GetPage(id);
    }

  private:
    std::string FFolder;
    std::unique_ptr<TSysPageManager> FManager;
};

TNotebook& Notebook() {
    static TNotebook notebook;
    return notebook;
}

void RunList(benchmark::State& state, TPageSuper& list, int expected) {
    TknIntList ids;
    list.GetChildIds(ids);  // loads every page object once
    if (ids.Count() != expected) state.SkipWithError("unexpected result count");
    for (auto _ : state) {
        list.GetChildIds(ids);
        benchmark::DoNotOptimize(ids.Count());
    }
    state.counters["pages"] = kNotes;
    state.counters["results"] = ids.Count();
}

void Search(benchmark::State& state, TSearchCrit crit, int expected) {
    auto& search = dynamic_cast<TSearchPage&>(Notebook().Page(ptSearch));
    search.Crit = crit;
    RunList(state, search, expected);
}

void BM_SearchTextInclude(benchmark::State& state) {
    Search(state, {ptNote, fiText, soInclude, u"needle", false}, kNotes / 100);
}
BENCHMARK(BM_SearchTextInclude)->Unit(benchmark::kMillisecond);

void BM_SearchTextIncludeMatchCase(benchmark::State& state) {
    Search(state, {ptNote, fiText, soInclude, u"Needle", true}, kNotes / 100);
}
BENCHMARK(BM_SearchTextIncludeMatchCase)->Unit(benchmark::kMillisecond);

void BM_SearchTitleEqual(benchmark::State& state) {
    Search(state, {ptNote, fiTitle, soEqual, u"note4711", false}, 1);
}
BENCHMARK(BM_SearchTitleEqual)->Unit(benchmark::kMillisecond);

void BM_RecentCreate(benchmark::State& state) {
    RunList(state, Notebook().Page(ptRecentCreate), 20);
}
BENCHMARK(BM_RecentCreate)->Unit(benchmark::kMillisecond);

void BM_RecentModify(benchmark::State& state) {
    RunList(state, Notebook().Page(ptRecentModify), 20);
}
BENCHMARK(BM_RecentModify)->Unit(benchmark::kMillisecond);

void BM_RecentVisit(benchmark::State& state) {
    RunList(state, Notebook().Page(ptRecentVisit), 20);
}
BENCHMARK(BM_RecentVisit)->Unit(benchmark::kMillisecond);

}  // namespace
