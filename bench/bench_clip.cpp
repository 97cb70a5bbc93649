// Capturing 1,000 clipboard texts into a clipboard list of at most 100 items, as the clip
// handler does with each new text: the duplicate filter, the new item at the top with its text
// written to the data file, and the oldest item trimmed away.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "features/UClipHandler.h"
#include "features/UPasteHandler.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "shell/UInMemoryPlatform.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace {

using namespace qb;

constexpr int kTexts = 1000;
constexpr int kMaxClipNum = 100;

class TClipNotebook {
  public:
    TClipNotebook() {
        std::string folder = (std::filesystem::temp_directory_path() / "qbbench-XXXXXX").string();
        if (!mkdtemp(folder.data())) throw std::runtime_error("mkdtemp failed");
        FFolder = folder + "/";
        SetProgramFolder(FromUtf8(FFolder));
        OptionManager().MaxClipNum = kMaxClipNum;
        OptionManager().FilterType = 2;  // every item compared: the slowest filter
    }
    ~TClipNotebook() {
        ReleaseClipWatcher();
        ReleaseStore();
        ReleasePageFactoryObjects();
        ReleaseShellGlobals();
        std::filesystem::remove_all(FFolder);
    }

  private:
    std::string FFolder;
};

void BM_Capture1000(benchmark::State& state) {
    TClipNotebook notebook;
    TMemoryDesktopInput desktop;
    TPasteHandler paste(desktop);
    TPopupHandler popup(desktop, nullptr);
    TClipHandler handler(kRootId, popup, paste);
    int64_t serial = 0;
    for (auto _ : state) {
        for (int i = 0; i < kTexts; ++i)
            handler.ClipboardChanged(u"captured text number " + IntToStr(++serial) +
                                     u" with a line of ordinary length behind it");
    }
    if (handler.ClipPage().Childs()->Count() != kMaxClipNum) state.SkipWithError("not trimmed");
    state.counters["texts/s"] =
        benchmark::Counter(double(kTexts) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Capture1000)->Unit(benchmark::kMillisecond);

}  // namespace
