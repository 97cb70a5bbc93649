// The tree navigator on large groups, in the real tree control on Qt's offscreen platform:
// opening a group of 10,000 notes the first time (the pages are read from the index as the
// nodes are made) and painting it; the tree as the start shows it on a 100,000-page notebook;
// and the save after renaming, locking and moving a page of
// a 100,000-page notebook, which writes the index only (data_rewritten must stay 0).

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <QApplication>

#include "BenchGui.h"
#include "BenchNotebook.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UknClasses.h"
#include "toolkit/UknIcons.h"
#include "views/ui/UTreeView.h"

namespace {

using namespace qb;
using namespace qb::bench;

constexpr int kChildren = 10000;

// Root -> group root 0 -> group 1 -> notes 2 .. 10001.
const std::string& WideNotebook() {
    static const std::string home = [] {
        std::string folder = MakeHome("qbbench-gui-10k");
        std::u16string notes, index = u"3.2.0\r\n";
        for (int n = 0; n < kChildren; ++n) notes += (n ? u"," : u"") + IntToStr(2 + n);
        index += u"\r\n" + Line(-1, -2, ptRoot, 0, ContainerProps(u"", u"0"));
        index += u"\r\n" + Line(0, -1, ptGroupRoot, 0, ContainerProps(u"Notes", u"1"));
        index += u"\r\n" + Line(1, 0, ptGroup, 0, ContainerProps(u"Wide", notes));
        for (int n = 0; n < kChildren; ++n)
            index += u"\r\n" + Line(2 + n, 1, ptNote, 0, NoteProps(u"Note" + IntToStr(n + 1)));
        WriteNotebookFiles(folder, index, u"");
        return folder;
    }();
    return home;
}

void BM_ExpandGroupOf10000(benchmark::State& state) {
    App();
    TknTreeView tree(nullptr);
    tree.resize(300, 700);
    tree.show();
    TNoDrops drops;
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        UseHome(WideNotebook());  // nothing loaded yet
        TTreeNavigator navigator(tree, drops);
        navigator.Rebuild();
        TTreeNode notes = tree.Child(nullptr, 0);
        navigator.NodeExpanding(notes);
        tree.ExpandNode(notes);
        TTreeNode wide = tree.Child(notes, 0);
        QApplication::processEvents();
        state.ResumeTiming();

        tree.ExpandNode(wide);  // makes the nodes as the user's click does
        tree.repaint();
        shown = tree.ChildCount(wide);
        state.PauseTiming();
        tree.Clear();
        state.ResumeTiming();
    }
    state.counters["nodes"] = shown;
    ReleaseStore();
}
BENCHMARK(BM_ExpandGroupOf10000)->Unit(benchmark::kMillisecond);

// The tree shown at the start: the root's pages, the group root's thousand groups, and the last
// group open at its last note.
void BM_ShowTreeAtTheLastPageOf100000(benchmark::State& state) {
    App();
    TknTreeView tree(nullptr);
    tree.resize(300, 700);
    tree.show();
    TNoDrops drops;
    for (auto _ : state) {
        state.PauseTiming();
        UseHome(LargeNotebook());
        TTreeNavigator navigator(tree, drops);
        TPageSuper* last = GetStore().GetPage(GetStore().RecordAt(GetStore().RecordCount() - 1).Id);
        state.ResumeTiming();
        navigator.Rebuild();
        navigator.SelectPage(last);
        tree.repaint();
        state.PauseTiming();
        tree.Clear();
        state.ResumeTiming();
    }
    ReleaseStore();
}
BENCHMARK(BM_ShowTreeAtTheLastPageOf100000)->Unit(benchmark::kMillisecond);

ino_t Inode(const std::u16string& path) {
    struct stat info {};
    stat(ToUtf8(path).c_str(), &info);
    return info.st_ino;
}

void BM_SaveAfterRenameLockMove(benchmark::State& state) {
    UseHome(LargeNotebook());
    TPageStore& store = GetStore();
    const ino_t data = Inode(store.DataPath());
    int round = 0;
    for (auto _ : state) {
        TPageSuper* page = store.GetPage(2);
        page->SetName(u"Renamed" + IntToStr(++round));
        page->SetStatus(page->Status() == psNormal ? psLocked : psNormal);
        TPageChilds* group = store.GetPage(1)->Childs();
        group->RemoveChild(2);
        group->InsertChild(2, round % 2);
        store.SaveIndex();
    }
    state.counters["data_rewritten"] = Inode(store.DataPath()) != data ? 1 : 0;
    ReleaseStore();
}
BENCHMARK(BM_SaveAfterRenameLockMove)->Unit(benchmark::kMillisecond);

}  // namespace
