// Editor commands of quillbox-cli: a text tool or a find command run on a page as the editor
// runs it (the page loaded into the in-memory control, the result saved), and the counts of the
// statistics box.

#include <ostream>

#include "CliCommands.h"
#include "editor/UEditor.h"
#include "editor/UFindHandler.h"
#include "editor/UMemoryEditControl.h"
#include "editor/UStatisticsHandler.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "storage/UPageStore.h"

namespace qb::cli {

namespace {

// Messages go to standard output; questions are answered with OK, as there is nobody to ask.
class TCliFindUi : public IFindUi {
  public:
    explicit TCliFindUi(std::ostream& out) : FOut(out) {}
    void ShowFindBox() override {}
    void Inform(std::u16string_view message) override { FOut << ToUtf8(message) << "\n"; }
    bool Confirm(std::u16string_view) override { return true; }

  private:
    std::ostream& FOut;
};

bool IsFindCommand(int32_t id) {
    return id == cmFindNext || id == cmFindPrevious || id == cmReplaceFindNext ||
           id == cmReplaceFindPrevious || id == cmReplaceAll || id == cmHighlightMatch;
}

bool IsTextTool(int32_t id) {
    return id >= cmHighlight1 && id <= cmLeaveOneEmptyLine;
}

TPageSuper& PageArg(const std::u16string& arg) {
    OpenNotebook();
    int32_t id = ArgToInt(arg, "ID");
    TPageSuper* page = GetStore().GetPage(id);
    if (!page) throw TknError(u"no page with id " + IntToStr(id));
    return *page;
}

// The page's text with its status applied, as the editor loads it.
void LoadPage(TPageSuper& page, IEditControl& control) {
    control.SetText(page.GetText(-1));
    control.SetProtected(page.Status() == psProtected, control.TextLength());
    control.SetReadOnly(page.Status() == psReadOnly);
}

void SelectArg(const TCliContext& ctx, IEditControl& control) {
    if (ctx.Args.size() == 2) return;
    if (ctx.Args.size() != 5 || ctx.Args[2] != u"--select")
        throw TUsageError("expected --select START LENGTH");
    int32_t start = ArgToInt(ctx.Args[3], "START");
    int32_t length = ArgToInt(ctx.Args[4], "LENGTH");
    if (start < 0 || length < 0) throw TUsageError("START and LENGTH must not be negative");
    control.SetSel(start, length);
}

template <class THandler>
void Run(THandler& handler, int32_t id) {
    if (!handler.CheckCommand(id))
        throw TknError(u"command " + IntToStr(id) + u" is not enabled here");
    handler.ExecuteCommand(id);
}

int Edit(TCliContext& ctx) {
    RequireArgs(ctx, 2, 5);
    TPageSuper& page = PageArg(ctx.Args[0]);
    if (page.ClientKind() != ckEditor)
        throw TknError(u"page " + IntToStr(page.Id()) + u" has no text to edit");
    int32_t id = ArgToInt(ctx.Args[1], "COMMAND");
    if (id != cmPageNameFromSelection && !IsTextTool(id) && !IsFindCommand(id))
        throw TUsageError(
            "COMMAND must be 355, 1381 to 1391, 1462, 1464, 1466, 1468, 1470 or 1480");
    TMemoryEditControl control;
    LoadPage(page, control);
    SelectArg(ctx, control);
    const std::u16string before = control.GetText();
    if (id == cmPageNameFromSelection) {
        std::u16string name = PageNameFromSelection(control);
        if (!name.empty()) page.SetName(name);
    } else if (IsTextTool(id)) {
        THLTextHandler tools(control);
        Run(tools, id);
    } else {
        TCliFindUi ui(ctx.Out);
        TFindHandler find(control, ui);
        Run(find, id);
        MemoryManager().SaveMemory();
    }
    if (control.GetText() != before) page.SetText(control.GetText());
    GetStore().SaveIndex();
    TEditSel sel = control.GetSel();
    ctx.Out << sel.Start << " " << sel.Length << "\n";
    return 0;
}

void PrintTab(TCliContext& ctx, int32_t caption, const TStatisticsTab& tab) {
    ctx.Out << "[" << Utf8(LangText(caption)) << "]\n";
    for (const auto& line : tab) {
        if (line.LabelId != 0)
            ctx.Out << Utf8(TrimRight(LangText(line.LabelId))) << "\t" << Utf8(line.Value);
        ctx.Out << "\n";
    }
}

int Stats(TCliContext& ctx) {
    RequireArgs(ctx, 0, 1);
    OpenNotebook();
    TStoreStatisticsSource source;
    if (ctx.Args.size() == 1) {
        TPageSuper& page = PageArg(ctx.Args[0]);
        PrintTab(ctx, 11280, CurrentPageStatistics(source, page.Id()));
    }
    PrintTab(ctx, 11290, DatabaseStatistics(source));
    return 0;
}

}  // namespace

void RegisterEditCommands(TCliRegistry& registry) {
    registry.Add({"edit", "ID COMMAND [--select START LENGTH]",
                  "run a text tool or find command on the page's text and save it", Edit, caWrite});
    registry.Add({"stats", "[ID]", "print the statistics of the page and of the notebook", Stats});
}

}  // namespace qb::cli
