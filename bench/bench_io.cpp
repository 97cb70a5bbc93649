// Import and export of a folder tree of 10,000 notes, and one backup of a 50 MB data folder
// against `cp -r` of the same folder (the goal: within 1.5 times).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchNotebook.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UProgramServices.h"
#include "shell/UknClasses.h"
#include "storage/UBackupHandler.h"
#include "storage/UIOHandler.h"
#include "storage/UPageStore.h"

namespace {

using namespace qb;
using bench::MakeHome;
using bench::WriteNotebookFiles;

constexpr int kFolders = 100;
constexpr int kNotesPerFolder = 100;
const std::string kNoteText(200, 'n');

// Each benchmark ends with a fresh start too, so that no global outlives the run.
void FreshStart(const std::string& home) {
    ReleaseStore();
    ReleaseShellGlobals();
    ReleasePageFactoryObjects();
    SetProgramFolder(FromUtf8(home));
    ConnectPageEnvironment();
}

TPageSuper* NewGroupRoot() {
    TPageStore& store = GetStore();
    const int32_t id = store.NewPage(kRootId, ptGroupRoot);
    store.GetRoot()->Childs()->AddChild(id);
    return store.GetPage(id);
}

// 100 folders of 100 text files each.
std::string MakeTextTree() {
    static const std::string tree = [] {
        std::string root = MakeHome("qbbench-io-tree") + "tree/";
        for (int f = 0; f < kFolders; ++f) {
            std::string folder = root + "folder " + std::to_string(f) + "/";
            std::filesystem::create_directories(folder);
            for (int n = 0; n < kNotesPerFolder; ++n)
                std::ofstream(folder + "note " + std::to_string(n) + ".txt") << kNoteText;
        }
        return root;
    }();
    return tree;
}

void BM_ImportFolderTree10000(benchmark::State& state) {
    const std::string tree = MakeTextTree();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string home = MakeHome("qbbench-io-import");
        FreshStart(home);
        TPageSuper* root = NewGroupRoot();
        state.ResumeTiming();
        TIOHandler io;
        io.ImportPath(root, FromUtf8(tree), true, false);
        GetStore().SaveIndex();
        benchmark::DoNotOptimize(GetStore().RecordCount());
    }
    state.counters["notes"] = kFolders * kNotesPerFolder;
    FreshStart(tree);
}
BENCHMARK(BM_ImportFolderTree10000)->Unit(benchmark::kSecond)->Iterations(1);

// A record line of the tree notebook: a note, or a container of the children.
std::u16string TreeLine(int32_t id, int32_t owner, int type, size_t length,
                        const std::u16string& name, const std::u16string& children, bool container) {
    return bench::Line(id, owner, type, static_cast<int>(length),
                       container ? bench::ContainerProps(name, children) : bench::NoteProps(name));
}

// The same tree as a notebook, written as its two files: the group root (id 0) holds 100
// groups of 100 notes.
std::string MakeTreeNotebook() {
    const std::string home = MakeHome("qbbench-io-export");
    const std::u16string text = FromUtf8(kNoteText);
    std::u16string index = u"3.2.0\r\n\r\n" + TreeLine(-1, -2, ptRoot, 0, u"", u"0", true);
    std::u16string groups, lines, data;
    int32_t id = 1;
    for (int f = 0; f < kFolders; ++f) {
        const int32_t group = id++;
        std::u16string children;
        std::u16string notes;
        for (int n = 0; n < kNotesPerFolder; ++n, ++id) {
            children += (n ? u"," : u"") + IntToStr(id);
            notes +=
                u"\r\n" + TreeLine(id, group, ptNote, text.size(), u"note " + IntToStr(n), u"", false);
            data += text;
        }
        groups += (f ? u"," : u"") + IntToStr(group);
        lines +=
            u"\r\n" + TreeLine(group, 0, ptGroup, 0, u"folder " + IntToStr(f), children, true) + notes;
    }
    index += u"\r\n" + TreeLine(0, -1, ptGroupRoot, 0, u"tree", groups, true) + lines;
    WriteNotebookFiles(home, index, data);
    return home;
}

void BM_ExportFolderTree10000(benchmark::State& state) {
    const std::string home = MakeTreeNotebook();
    FreshStart(home);
    TIOHandler io;
    TPageSuper* tree = GetStore().GetPage(0);
    int run = 0;
    for (auto _ : state)
        io.ExportToFolder(tree, FromUtf8(home + "out" + std::to_string(run++) + "/"));
    state.counters["notes"] = kFolders * kNotesPerFolder;
    FreshStart(home);
}
BENCHMARK(BM_ExportFolderTree10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The file system's own share of the export: copying the same 10,000 files with cp -r. Each
// run writes a new folder: creating files right after deleting thousands makes ext4 search
// for free inodes, which would swamp both measurements.
void BM_CpRTextTree10000(benchmark::State& state) {
    const std::string tree = MakeTextTree();
    int run = 0;
    for (auto _ : state) {
        const std::string command = "cp -r '" + tree + "' '" + tree.substr(0, tree.size() - 1) +
                                    "-copy" + std::to_string(run++) + "'";
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
    }
}
BENCHMARK(BM_CpRTextTree10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A data folder of 50 MB: the data file, the index and a bookmark file.
const std::string& BackupHome() {
    static const std::string home = [] {
        std::string h = MakeHome("qbbench-io-backup");
        std::string mb(1 << 20, 'x');
        std::ofstream data(h + "data/quillbox.dat", std::ios::binary);
        for (int i = 0; i < 50; ++i) data << mb;
        std::ofstream(h + "data/quillbox.idx", std::ios::binary) << std::string(200000, 'i');
        std::ofstream(h + "data/quillbox.bmk", std::ios::binary) << std::string(2000, 'b');
        return h;
    }();
    return home;
}

double gBackupSeconds = 0, gCopySeconds = 0;

void BM_Backup50MB(benchmark::State& state) {
    FreshStart(BackupHome());
    TBackupHandler backup;
    int runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(BackupHome() + "backup");
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        backup.Backup();
        gBackupSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++runs;
    }
    gBackupSeconds /= runs;
    FreshStart(BackupHome());
    state.SetBytesProcessed(int64_t(state.iterations()) * (50 << 20));
}
BENCHMARK(BM_Backup50MB)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_CpR50MB(benchmark::State& state) {
    const std::string home = BackupHome();
    const std::string command = "cp -r '" + home + "data' '" + home + "copy'";
    int runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(home + "copy");
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
        gCopySeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++runs;
    }
    gCopySeconds /= runs;
    state.SetBytesProcessed(int64_t(state.iterations()) * (50 << 20));
    state.counters["backup_to_cp_ratio"] = gCopySeconds > 0 ? gBackupSeconds / gCopySeconds : 0;
}
BENCHMARK(BM_CpR50MB)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
