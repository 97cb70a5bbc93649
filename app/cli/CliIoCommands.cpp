// quillbox-cli commands of the storage side: export, import, mail, backup and check.

#include <ostream>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UMemoryManager.h"
#include "storage/UBackupHandler.h"
#include "storage/UDataChecker.h"
#include "storage/UIOHandler.h"
#include "storage/UPageStore.h"

namespace qb::cli {

namespace {

// Outcomes on standard output, left-out files on standard error; nothing stops the work.
class TCliProgress : public IIOProgress {
  public:
    explicit TCliProgress(TCliContext& ctx) : FCtx(ctx) {}
    void Step(std::u16string_view, std::u16string_view) override {}
    bool CancelRequested() override { return false; }
    void Tip(std::u16string_view text, std::u16string_view detail) override {
        FCtx.Out << Utf8(std::u16string(text)) << (detail.empty() ? "" : " ")
                 << Utf8(std::u16string(detail)) << "\n";
    }
    void Problem(std::u16string_view item, std::u16string_view message) override {
        FCtx.Err << Utf8(std::u16string(item)) << ": " << Utf8(std::u16string(message)) << "\n";
    }

  private:
    TCliContext& FCtx;
};

TPageSuper* PageArg(const std::u16string& arg) {
    int32_t id = ArgToInt(arg, "ID");
    TPageSuper* page = GetStore().GetPage(id);
    if (!page) throw TknError(u"No page with id " + arg);
    return page;
}

int RunExport(TCliContext& ctx) {
    RequireArgs(ctx, 2, 2);
    OpenNotebook();
    TPageSuper* page = PageArg(ctx.Args[0]);
    const std::u16string& path = ctx.Args[1];
    TCliProgress progress(ctx);
    TIOHandler io(&progress);
    if (path.ends_with(u'/')) {
        if (!TIOHandler::CanHoldNotes(page))
            throw TknError(u"Page " + ctx.Args[0] + u" holds no notes to export into a folder");
        io.ExportToFolder(page, path);
    } else {
        io.ExportToFile(page, path);
    }
    GetStore().SaveIndex();  // the page remembers where it went
    return io.ProblemCount() ? 1 : 0;
}

int RunImport(TCliContext& ctx) {
    RequireArgs(ctx, 2, 3);
    bool link = ctx.Args.size() == 3;
    if (link && ctx.Args[2] != u"--link") throw TUsageError("unknown option " + Utf8(ctx.Args[2]));
    OpenNotebook();
    TPageSuper* target = TIOHandler::ImportTarget(PageArg(ctx.Args[0]));
    if (!target) throw TknError(u"Page " + ctx.Args[0] + u" is in no group to import into");
    TCliProgress progress(ctx);
    TIOHandler io(&progress);
    const int before = target->Childs()->Count();
    bool found = io.ImportPath(target, ctx.Args[1], false, link);
    GetStore().SaveIndex();
    MemoryManager().Save();
    if (!found) throw TknError(u"No such file or folder: " + ctx.Args[1]);
    for (int i = before; i < target->Childs()->Count(); ++i) {
        int32_t id = target->Childs()->ChildAt(i);
        TPageSuper* page = GetStore().GetPage(id);
        ctx.Out << id << "\t" << Utf8(page ? page->Name() : std::u16string()) << "\n";
    }
    return io.ProblemCount() ? 1 : 0;
}

int RunMail(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    OpenNotebook();
    ctx.Out << Utf8(TIOHandler::MailAddress(PageArg(ctx.Args[0]))) << "\n";
    return 0;
}

int RunBackup(TCliContext& ctx) {
    RequireArgs(ctx, 0, 0);
    CheckNotebook();  // a backup copies the files: the pages are not needed
    TBackupHandler backup;
    std::u16string folder;
    try {
        folder = backup.Backup();
    } catch (const TknError&) {
        MemoryManager().Save();
        throw;
    }
    MemoryManager().Save();
    if (folder.empty()) throw TknError(u"No backup path is set (Backup BackupPath)");
    ctx.Out << Utf8(folder) << "\n";
    return 0;
}

// Each problem on a line of its own, exit code 1; "ok" for a sound notebook.
int RunCheck(TCliContext& ctx) {
    RequireArgs(ctx, 0, 0);
    OpenNotebook();
    const std::vector<std::u16string> problems = FindDataProblems(GetStore());
    for (const std::u16string& problem : problems) ctx.Out << Utf8(problem) << "\n";
    if (!problems.empty()) return 1;
    ctx.Out << "ok\n";
    return 0;
}

}  // namespace

void RegisterIoCommands(TCliRegistry& registry) {
    registry.Add({"export", "ID PATH",
                  "export a page to a text or .qbx file, or a group into the folder PATH/",
                  RunExport, caWrite});
    registry.Add({"import", "TARGET PATH [--link]",
                  "import a file, .qbx file or folder into the group TARGET (or its group)",
                  RunImport, caWrite});
    registry.Add({"mail", "ID", "print the mailto: address that sends the page", RunMail});
    registry.Add(
        {"backup", "", "copy the data folder into a new dated backup folder now", RunBackup, caWrite});
    registry.Add(
        {"check", "", "run the start-up check of the data files (with upgrades) and report each problem", RunCheck});
}

}  // namespace qb::cli
