// What a large notebook costs, next to what its files cost. A notebook of PAGES notes (default
// 100,000, in groups of 1,000) is written straight into a folder of its own; each figure is the
// median of RUNS runs (default 5), timed in this process, beside the reading (cat) or copying
// (cp) of the same files in the same run, and the ratio of the two. The commands run through
// quillbox-cli as a user runs them, beside cat and cp run the same way; the store's own
// operations run in this process, beside reads and copies made here.
// Usage: bench_notebook [PAGES] [RUNS]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchNotebook.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "model/URecentPage.h"
#include "model/USearchPage.h"
#include "model/USysPageManager.h"
#include "storage/UPageStore.h"

extern char** environ;

namespace {

using namespace qb;
using namespace qb::bench;
namespace fs = std::filesystem;

constexpr int kNotesPerGroup = 1000;
constexpr int kTextLength = 290;  // with the index, about the sizes of an imported notebook

int gRuns = 5;

// ---------------------------------------------------------------- the notebook

std::u16string TimeText(int64_t t) {
    char text[32];
    std::snprintf(text, sizeof text, "2010-%02d-%02d %02d:%02d:%02d",
                  static_cast<int>(1 + t / (86400 * 28) % 12), static_cast<int>(1 + t / 86400 % 28),
                  static_cast<int>(t / 3600 % 24), static_cast<int>(t / 60 % 60),
                  static_cast<int>(t % 60));
    return FromUtf8(text);
}

struct TNotebook {
    std::string Home;
    int Pages = 0;
    int32_t LastNote = 0;
    std::u16string LastPath;
};

// Root, group root "Notes", then groups of 1,000 notes with times of their own and ASCII texts,
// one in a hundred with a letter beyond ASCII.
TNotebook MakeNotebook(int pages) {
    TNotebook book;
    book.Home = MakeHome("qbbench-notebook");
    book.Pages = pages;
    const int groups = (pages + kNotesPerGroup - 1) / kNotesPerGroup;
    std::u16string groupIds, index = u"3.2.0\r\n", data, body;
    for (int g = 0; g < groups; ++g) groupIds += (g ? u"," : u"") + IntToStr(1 + g * 1001);
    index += u"\r\n" + Line(-1, -2, ptRoot, 0, ContainerProps(u"", u"0"));
    index += u"\r\n" + Line(0, -1, ptGroupRoot, 0, ContainerProps(u"Notes", groupIds));
    while (body.size() < kTextLength) body += u" some words of a note, 0123456789;";
    int note = 0;
    for (int g = 0; g < groups; ++g) {
        const int32_t group = 1 + g * 1001;
        const int count = std::min(kNotesPerGroup, pages - note);
        std::u16string children;
        for (int n = 1; n <= count; ++n) children += (n > 1 ? u"," : u"") + IntToStr(group + n);
        index += u"\r\n" + Line(group, 0, ptGroup, 0, ContainerProps(u"Group" + IntToStr(g), children));
        for (int n = 1; n <= count; ++n, ++note) {
            const std::u16string name = u"Note" + IntToStr(note);
            std::u16string text = name + body;
            text.resize(kTextLength);
            if (note % 100 == 0) text[10] = u'\u00E9';
            const std::u16string times = TimeText(note) + u"\t" + TimeText(2 * note) + u"\t" +
                                         TimeText(3 * note);
            index += u"\r\n" + Line(group + n, group, ptNote, kTextLength,
                                    name + u"\t0\t\t0\t" + times + u"\t0\t\t");
            data += text;
            book.LastNote = group + n;
        }
    }
    WriteNotebookFiles(book.Home, index, data);
    return book;
}

// ---------------------------------------------------------------- timing

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < gRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(Seconds(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// What cat and cp do without reflinks: read and write in 128 KB blocks, no flush.
void Pump(int in, int out) {
    std::vector<char> buffer(128 << 10);
    for (ssize_t n; (n = ::read(in, buffer.data(), buffer.size())) > 0;)
        if (::write(out, buffer.data(), static_cast<size_t>(n)) != n) break;
    ::close(in);
    ::close(out);
}

void Cat(const std::string& path) {
    Pump(::open(path.c_str(), O_RDONLY), ::open("/dev/null", O_WRONLY));
}

void Copy(const std::string& from, const std::string& to) {
    Pump(::open(from.c_str(), O_RDONLY), ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
}

struct TRun {
    double Seconds = 0;
    long PeakKiB = 0;
};

// One run of a program, its output thrown away; input from a file if given. (A child's peak
// memory counts the memory its parent had when it started: see PeakKiB.)
TRun Run(std::vector<std::string> args, const std::string& input = "") {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    TRun run{Seconds(start), usage.ru_maxrss};
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", args[0].c_str());
        std::exit(1);
    }
    return run;
}

TRun RunCli(const TNotebook& book, std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), {QB_CLI_PATH, "--home", book.Home});
    return Run(std::move(args), input);
}

double MedianCli(const TNotebook& book, const std::vector<std::string>& args,
                 const std::string& input = "") {
    return Median([&] { RunCli(book, args, input); });
}

double MedianRun(const std::vector<std::string>& args) {
    return Median([&] { Run(args); });
}

void Report(const char* what, double seconds, const char* baseline, double base) {
    if (base > 0)
        std::printf("%-40s %9.1f ms  %-18s %7.1f ms  %6.2fx\n", what, seconds * 1000, baseline,
                    base * 1000, seconds / base);
    else
        std::printf("%-40s %9.1f ms\n", what, seconds * 1000);
}

TPageSuper* FirstOfType(uint8_t type) {
    int32_t id = 0;
    return GetStore().FindFirstOfType(type, id) ? GetStore().GetPage(id) : nullptr;
}

int SearchCount(uint8_t type, int32_t field, int32_t op, std::u16string value) {
    auto* search = dynamic_cast<TSearchPage*>(FirstOfType(ptSearch));
    if (!search) std::abort();
    search->Crit = {type, field, op, std::move(value), false};
    TknIntList ids;
    search->GetChildIds(ids);
    return ids.Count();
}

// The peak memory of quillbox-cli with the arguments, measured by a fresh copy of this program
// (--peak), so that this process's own memory does not count.
long PeakKiB(const char* self, const TNotebook& book, const std::string& args) {
    const std::string command = std::string(self) + " --peak " + QB_CLI_PATH + " --home '" +
                                book.Home + "' " + args;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    long peak = 0;
    if (!pipe || std::fscanf(pipe, "%ld", &peak) != 1) std::abort();
    ::pclose(pipe);
    return peak;
}

time_t ModifiedAt(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mtime : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--peak") {
        std::printf("%ld\n", Run(std::vector<std::string>(argv + 2, argv + argc)).PeakKiB);
        return 0;
    }
    const int pages = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (argc > 2) gRuns = std::max(1, std::atoi(argv[2]));
    TNotebook book = MakeNotebook(pages);
    const std::string index = book.Home + "data/quillbox.idx", data = book.Home + "data/quillbox.dat";
    SetProgramFolder(FromUtf8(book.Home));
    {
        TSysPageManager systemPages;  // the first start makes the system pages
        GetStore().SaveIndex();
        book.LastPath = GetStore().GetNodePath(GetStore().GetPage(book.LastNote));
    }
    ReleaseStore();
    std::printf("notebook: %d notes, index %.1f MB, data %.1f MB; median of %d runs\n", pages,
                static_cast<double>(fs::file_size(index)) / 1e6,
                static_cast<double>(fs::file_size(data)) / 1e6, gRuns);

    const std::string copy = book.Home + "copy";
    const double catIndex = MedianRun({"cat", index});
    const double catData = MedianRun({"cat", data});
    const double cpData = MedianRun({"cp", data, copy});
    const double cpFolder = MedianRun({"cp", "-r", book.Home + "data", copy + "dir"});
    // A backup flushes its copies to the disk before it names them, so that a crash cannot
    // leave a backup that looks whole; its fair baseline flushes the copy too.
    const std::string synced = copy + "synced";
    const double cpSyncFolder = Median([&] {
        fs::remove_all(synced);
        Run({"cp", "-r", book.Home + "data", synced});
        Run({"sync", synced + "/quillbox.idx", synced + "/quillbox.dat", synced});
    });
    const double readIndex = Median([&] { Cat(index); });
    const double readData = Median([&] { Cat(data); });
    const double copyData = Median([&] { Copy(data, copy); });
    fs::remove(copy);
    fs::remove_all(copy + "dir");
    fs::remove_all(synced);

    std::printf("\nthrough quillbox-cli\n");
    const std::string last = std::to_string(book.LastNote);
    Report("tree > /dev/null", MedianCli(book, {"tree"}), "cat index", catIndex);
    const long peak = PeakKiB(argv[0], book, "tree");
    std::printf("%-40s %9.2f x the index file (%ld KiB)\n", "tree: peak memory",
                static_cast<double>(peak) * 1024 / static_cast<double>(fs::file_size(index)), peak);
    Report("open only (field ID 25840)", MedianCli(book, {"field", last, "25840"}), "cat index",
           catIndex);
    const std::string input = book.Home + "input.txt";
    std::FILE* f = std::fopen(input.c_str(), "w");
    std::fputs("A new text for the last page.\n", f);
    std::fclose(f);
    Report("write one page", MedianCli(book, {"write", last}, input), "cp data file", cpData);
    const double backup = MedianCli(book, {"backup"});
    Report("backup", backup, "cp -r data/", cpFolder);
    Report("backup", backup, "cp -r + sync", cpSyncFolder);
    fs::remove_all(book.Home + "backup");
    Report("text search, no hits", MedianCli(book, {"search", "1", "25920", "2", "zzyzx"}),
           "cat data file", catData);
    Report("title search = Note999", MedianCli(book, {"search", "1", "25840", "0", "Note999"}), "",
           0);
    Report("recent modify", MedianCli(book, {"recent", "modify"}), "", 0);
    Report("find of the last page's path", MedianCli(book, {"find", ToUtf8(book.LastPath)}), "", 0);

    std::printf("\nin this process\n");
    Report("open the store", Median([] {
               ReleaseStore();
               GetStore().GetRoot();
           }),
           "read index", readIndex);
    Report("text search, no hits", Median([] { SearchCount(ptNote, fiText, soInclude, u"zzyzx"); }),
           "read data file", readData);
    Report("text search, every page",
           Median([] { SearchCount(ptNote, fiText, soInclude, u"SOME WORDS"); }), "read data file",
           readData);
    Report("title search = Note999",
           Median([] { SearchCount(ptNote, fiTitle, soEqual, u"Note999"); }), "", 0);
    Report("recent modify", Median([] {
               TknIntList ids;
               FirstOfType(ptRecentModify)->GetChildIds(ids);
           }),
           "", 0);
    Report("find of the last page's path", Median([&] {
               TPageSuper* page = nullptr;
               GetStore().FindByPath(book.LastPath, page);
           }),
           "", 0);
    int round = 0;
    Report("SaveText of one page", Median([&] {
               GetStore().SaveText(book.LastNote, round++ % 2 ? u"one text" : u"another text");
           }),
           "copy data file", copyData);
    const time_t indexTime = ModifiedAt(index), dataTime = ModifiedAt(data);
    ::sleep(1);
    const double unchanged = Median([] { GetStore().SaveIndex(); });
    std::printf("%-40s %9.1f ms  files written: %s\n", "save with nothing changed",
                unchanged * 1000,
                ModifiedAt(index) == indexTime && ModifiedAt(data) == dataTime ? "none" : "some");
    ReleaseStore();
    fs::remove_all(book.Home);
    return 0;
}
