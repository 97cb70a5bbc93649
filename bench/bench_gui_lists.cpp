// List pages of 10,000 memo items in the real list and abstract views on Qt's offscreen
// platform: showing the page the first time (the items are read from the index as the rows
// are made) and switching it from report to each other view style. Targets: under 200 ms each.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchGui.h"
#include "BenchNotebook.h"
#include "model/UPageProperty.h"
#include "toolkit/UknIcons.h"
#include "views/ui/UBlogView.h"
#include "views/ui/UListView.h"

namespace {

using namespace qb;
using namespace qb::bench;

constexpr int kItems = 10000;
constexpr int32_t kMemoPage = 1;

// Root -> group root 0 -> memo page 1 -> items 2 .. 10001 with a time and a description.
const std::string& MemoNotebook() {
    static const std::string home = [] {
        std::string folder = MakeHome("qbbench-gui-lists");
        std::u16string items, index = u"3.2.0\r\n";
        for (int n = 0; n < kItems; ++n) items += (n ? u"," : u"") + IntToStr(2 + n);
        const std::u16string memoProps = ReplaceAll(ContainerProps(u"Memos", items),
                                                    u"25840,25850,25800\t120,240,100",
                                                    u"25840,25140,25180\t100,100,200");
        index += u"\r\n" + Line(-1, -2, ptRoot, 0, ContainerProps(u"", u"0"));
        index += u"\r\n" + Line(0, -1, ptGroupRoot, 0, ContainerProps(u"Notes", u"1"));
        index += u"\r\n" + Line(kMemoPage, 0, ptMemo, 0, memoProps);
        for (int n = 0; n < kItems; ++n)
            index += u"\r\n" + Line(2 + n, kMemoPage, ptMemoItem, 0,
                                    u"Reminder " + IntToStr(n + 1) + u"\t0\t\t0\t2026-12-" +
                                        IntToStr(1 + n % 28, 2) + u" 10:00\t0\tCall number " +
                                        IntToStr(n) + u"\t0\t\t0\t0\t");
        WriteNotebookFiles(folder, index, u"");
        return folder;
    }();
    return home;
}

void BM_ShowListPageOf10000(benchmark::State& state) {
    App();
    TListView view(nullptr);
    view.resize(600, 700);
    view.show();
    TNoDrops drops;
    size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        UseHome(MemoNotebook());  // nothing loaded yet
        TPageSuper* page = GetStore().GetPage(kMemoPage);
        {
            TListClient client(view, drops);
            state.ResumeTiming();
            client.Load(page);
            view.repaint();
            rows = client.Rows().size();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    ReleaseStore();
}
BENCHMARK(BM_ShowListPageOf10000)->Unit(benchmark::kMillisecond);

// From report to the style given (4: the abstract view, another client), as the workspace
// does after the property box or the view-style command: the page is shown anew.
void BM_SwitchViewStyleOf10000(benchmark::State& state) {
    App();
    UseHome(MemoNotebook());
    TPageSuper* page = GetStore().GetPage(kMemoPage);
    TListProperty& list = *page->ListProperty();
    const auto style = static_cast<uint8_t>(state.range(0));
    TListView listView(nullptr);
    TBlogView blogView(nullptr);
    for (QWidget* w : {static_cast<QWidget*>(&listView), static_cast<QWidget*>(&blogView)})
        w->resize(600, 700);
    TNoDrops drops;
    TListClient listClient(listView, drops);
    TBlogClient blogClient(blogView);
    for (auto _ : state) {
        state.PauseTiming();
        list.ViewStyle = vsReport;
        blogView.hide();
        listView.show();
        listClient.Load(page);
        listView.repaint();
        state.ResumeTiming();
        list.ViewStyle = style;
        if (style == vsAbstract) {
            listClient.Unload();
            listView.hide();
            blogView.show();
            blogClient.Load(page);
            blogView.viewport()->repaint();
        } else {
            listClient.Load(page);
            listView.repaint();
        }
    }
    ReleaseStore();
}
BENCHMARK(BM_SwitchViewStyleOf10000)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
