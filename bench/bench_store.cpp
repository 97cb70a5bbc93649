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

namespace {

using namespace qb;

constexpr int kGroups = 1000;
constexpr int kNotesPerGroup = 99;  // with the groups, the group root and the root: 100,002 pages
constexpr int kNoteLength = 10;

const std::u16string kTimes = u"2010-11-06 10:00:00\t2010-11-06 10:05:00\t2010-11-06 10:05:00";

std::u16string ContainerProps(const std::u16string& name, const std::u16string& children) {
    return name + u"\t0\t\t0\t" + kTimes +
           u"\t0\t\t\t25840,25850,25800\t120,240,100\t0\t3\t1\t0\t" + children;
}

std::u16string NoteProps(const std::u16string& name) {
    return name + u"\t0\t\t0\t" + kTimes + u"\t0\t\t";
}

std::u16string Line(int32_t id, int32_t owner, int type, int length, const std::u16string& props) {
    return IntToStr(id) + u"\t" + IntToStr(owner) + u"\t" + IntToStr(type) + u"\t" +
           IntToStr(length) + u"\t" + props;
}

void WriteUtf16(const std::string& path, const std::u16string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("\xFF\xFE", 2);
    out.write(reinterpret_cast<const char*>(text.data()),
              static_cast<std::streamsize>(text.size() * 2));
}

// A folder of its own for each notebook, made the program folder.
std::string MakeHome(const char* name) {
    std::string home = (std::filesystem::temp_directory_path() / name).string() + "/";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home + "data");
    return home;
}

void UseHome(const std::string& home) {
    ReleaseStore();
    SetProgramFolder(FromUtf8(home));
}

// Root -> group root -> 1000 groups -> 99 notes each.
const std::string& LargeNotebook() {
    static const std::string home = [] {
        std::string folder = MakeHome("qbbench-store-100k");
        std::u16string groups, index = u"3.2.0\r\n";
        for (int g = 0; g < kGroups; ++g) groups += (g ? u"," : u"") + IntToStr(1 + g * 100);
        index += u"\r\n" + Line(-1, -2, ptRoot, 0, ContainerProps(u"", u"0"));
        index += u"\r\n" + Line(0, -1, ptGroupRoot, 0, ContainerProps(u"Notes", groups));
        std::u16string data;
        for (int g = 0; g < kGroups; ++g) {
            const int32_t group = 1 + g * 100;
            std::u16string notes;
            for (int n = 1; n <= kNotesPerGroup; ++n)
                notes += (n > 1 ? u"," : u"") + IntToStr(group + n);
            index +=
                u"\r\n" + Line(group, 0, ptGroup, 0, ContainerProps(u"Group" + IntToStr(g), notes));
            for (int n = 1; n <= kNotesPerGroup; ++n) {
                index += u"\r\n" + Line(group + n, group, ptNote, kNoteLength,
                                        NoteProps(u"Note" + IntToStr(n)));
                data += u"0123456789";
            }
        }
        WriteUtf16(folder + "data/quillbox.idx", index);
        WriteUtf16(folder + "data/quillbox.dat", data);
        return folder;
    }();
    return home;
}

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
        WriteUtf16(folder + "data/quillbox.idx", index);
        WriteUtf16(folder + "data/quillbox.dat", data);
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
