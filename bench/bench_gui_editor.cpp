// The editor's text control on Qt's offscreen platform: loading a 1 MB note (the text set and
// the first screen painted; once straight into the control, once as the editor client opens
// a page of the store, reading its text), one typed character in a 1 MB note (the key event as the
// window delivers it, through the control's own editing and undo step), and painting a screen with
// every decorator on, for notes of 10,000 and 100,000 lines (the time should not grow with the
// length: only the visible lines are read).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>

#include "BenchGui.h"
#include "BenchNotebook.h"
#include "editor/UEditor.h"
#include "editor/ui/UEditorWindow.h"
#include "editor/ui/UknRichEdit.h"
#include "editor/ui/UknRichEditDecorators.h"
#include "model/UPageSuper.h"
#include "views/UClientSuper.h"

namespace {

using namespace qb;
using namespace qb::bench;

// Lines of about 60 characters, every fifth one with a highlighted word.
std::u16string Note(int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
        text += u"line " + std::u16string(1, u'0' + i % 10) + u" of the benchmark note, with words";
        if (i % 5 == 0) text += u" \x1Cmarked\x1D";
        text += u" and some more\r\n";
    }
    return text;
}

std::u16string OneMegabyte() {
    std::u16string text = Note(1);
    const size_t line = text.size();
    return Note(static_cast<int>((1 << 20) / line));
}

std::unique_ptr<TknRichEdit> ShownEdit() {
    App();
    auto edit = std::make_unique<TknRichEdit>();
    edit->resize(800, 600);
    edit->show();
    QApplication::processEvents();
    return edit;
}

// Paints the whole control as a screen update would.
void Paint(TknRichEdit& edit) {
    QPixmap screen(edit.size());
    edit.render(&screen);
}

void BM_OpenOneMegabyteNote(benchmark::State& state) {
    auto edit = ShownEdit();
    const std::u16string text = OneMegabyte();
    for (auto _ : state) {
        edit->SetText(text);
        Paint(*edit);
    }
    state.counters["characters"] = static_cast<double>(edit->TextLength());
}
BENCHMARK(BM_OpenOneMegabyteNote)->Unit(benchmark::kMillisecond)->Iterations(5);

// Root -> group root 0 -> note 1, its text written through the store.
void BM_OpenOneMegabytePageInTheEditor(benchmark::State& state) {
    App();
    const std::string home = MakeHome("qbbench-editor-1mb");
    std::u16string index = u"3.2.0\r\n";
    index += u"\r\n" + Line(-1, -2, ptRoot, 0, ContainerProps(u"", u"0"));
    index += u"\r\n" + Line(0, -1, ptGroupRoot, 0, ContainerProps(u"Notes", u"1"));
    index += u"\r\n" + Line(1, 0, ptNote, 0, NoteProps(u"Big"));
    WriteNotebookFiles(home, index, u"");
    UseHome(home);
    TPageSuper* page = GetStore().GetPage(1);
    page->SetText(OneMegabyte());
    GetStore().SaveIndex();
    QWidget area;
    area.resize(800, 600);
    std::unique_ptr<TClientSuper> client = MakeEditorClient(&area);
    auto* edit = dynamic_cast<TknRichEdit*>(client->Control());
    edit->resize(800, 600);
    area.show();
    client->SetActive(true);
    for (auto _ : state) {
        client->Load(page);
        Paint(*edit);
    }
    state.counters["characters"] = static_cast<double>(edit->TextLength());
    client.reset();
    ReleaseStore();
}
BENCHMARK(BM_OpenOneMegabytePageInTheEditor)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_KeystrokeInOneMegabyteNote(benchmark::State& state) {
    auto edit = ShownEdit();
    edit->SetText(OneMegabyte());
    edit->SetSel(edit->TextLength() / 2, 0);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(edit.get(), &press);
    }
}
BENCHMARK(BM_KeystrokeInOneMegabyteNote)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_PaintWithAllDecorators(benchmark::State& state) {
    auto edit = ShownEdit();
    TknRichEditLineNumber numbers(*edit);
    TknRichEditHighlightSelLine line(*edit);
    TknRichEditHighLightTextBlock blocks(*edit);
    TknRichEditHighlightText matches(*edit, [] { return TMatchMarks{u"words", false}; });
    for (TknRichEditDecorator* d :
         std::initializer_list<TknRichEditDecorator*>{&numbers, &line, &blocks, &matches})
        d->SetEnabled(true);
    blocks.SetStyle(0, {HLClose[0], QColor(255, 50, 50), 0});
    edit->SetText(Note(static_cast<int>(state.range(0))));
    edit->SetSel(edit->TextLength() / 2, 0);
    edit->ensureCursorVisible();
    Paint(*edit);
    for (auto _ : state) Paint(*edit);
}
BENCHMARK(BM_PaintWithAllDecorators)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
