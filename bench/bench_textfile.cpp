// Reading a 50 MB UTF-16 LE text through the text-file classes, next to a plain fread of the same
// bytes. The goals: the memory text file within 3x of fread, and the file-backed line reader,
// which decodes from blocks read ahead, near fread.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"

namespace {

constexpr size_t kFileBytes = 50u << 20;

// The sample file, written once per run and removed at exit.
class TSampleFile {
  public:
    TSampleFile() {
        std::string folder = (std::filesystem::temp_directory_path() / "qbbench-XXXXXX").string();
        if (!::mkdtemp(folder.data())) std::abort();
        FFolder = folder;
        FPath = folder + "/sample.txt";
        std::u16string text;
        const std::u16string line =
            u"Notes \u00E9t\u00E9 \u4E2D\u6587 line with some words and numbers 1234567890";
        for (size_t n = 0; text.size() * 2 < kFileBytes - 2; ++n)
            text += line.substr(0, 20 + n % 40) + u"\r\n";
        text.resize(kFileBytes / 2 - 1);
        qb::WriteFileAtomic(qb::FromUtf8(FPath), "\xFF\xFE" + qb::EncodeText(text, qb::enUTF16LE));
    }
    ~TSampleFile() {
        std::error_code ec;
        std::filesystem::remove_all(FFolder, ec);
    }
    const std::string& Path() const { return FPath; }

  private:
    std::string FFolder, FPath;
};

const std::string& SamplePath() {
    static TSampleFile file;
    return file.Path();
}

void BM_Fread(benchmark::State& state) {
    const std::string& path = SamplePath();
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        std::fseek(f, 0, SEEK_END);
        std::string bytes(static_cast<size_t>(std::ftell(f)), '\0');
        std::fseek(f, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_Fread)->Unit(benchmark::kMillisecond);

void BM_MemoryTextFileWhole(benchmark::State& state) {
    const std::u16string path = qb::FromUtf8(SamplePath());
    for (auto _ : state) {
        qb::TknMemoryTextFile file(path, false);
        benchmark::DoNotOptimize(file.Text().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_MemoryTextFileWhole)->Unit(benchmark::kMillisecond);

template <typename TFile>
void ReadAllLines(benchmark::State& state) {
    const std::u16string path = qb::FromUtf8(SamplePath());
    for (auto _ : state) {
        TFile file(path, false);
        size_t chars = 0;
        while (!file.Eof()) chars += file.ReadLine().size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

void BM_MemoryTextFileLines(benchmark::State& state) {
    ReadAllLines<qb::TknMemoryTextFile>(state);
}
BENCHMARK(BM_MemoryTextFileLines)->Unit(benchmark::kMillisecond);

// The file-backed class reads its lines from blocks of the file.
void BM_TextFileLines(benchmark::State& state) {
    ReadAllLines<qb::TknTextFile>(state);
}
BENCHMARK(BM_TextFileLines)->Unit(benchmark::kMillisecond);

}  // namespace
