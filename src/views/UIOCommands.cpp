#include "views/UIOCommands.h"

#include <filesystem>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UIOHandler.h"

namespace qb {

namespace {

constexpr int32_t kEncodes[] = {1, 4, 5, 3};  // ANSI, Unicode, Unicode big endian, UTF-8

// The progress window of one command goes when the command ends, however it ends.
class TProgressScope {
  public:
    explicit TProgressScope(IIOSite& site) : FSite(site), FProgress(site.StartProgress()) {}
    ~TProgressScope() { FSite.EndProgress(); }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;
    IIOProgress* Progress() const { return FProgress; }

  private:
    IIOSite& FSite;
    IIOProgress* FProgress;
};

}  // namespace

std::u16string MailProgram(const std::u16string& mailClient) {
    std::error_code error;
    if (!mailClient.empty() &&
        std::filesystem::is_regular_file(ToUtf8(NativePath(mailClient)), error))
        return mailClient;
    return u"xdg-email";
}

int32_t EncodeOfChoice(int choice) {
    return choice >= 0 && choice < 4 ? kEncodes[choice] : kEncodes[1];
}

int ChoiceOfEncode(int32_t encode) {
    for (int i = 0; i < 4; ++i)
        if (kEncodes[i] == encode) return i;
    return 1;
}

TIOCommands::TIOCommands(IIOSite& site) : FSite(site) { CommandCenter().AddExecutor(this); }

TIOCommands::~TIOCommands() {
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
}

bool TIOCommands::CheckCommand(int32_t id) {
    TPageSuper* active = PageCenter().ActivePage();
    if (id == cmImport) return TIOHandler::ImportTarget(active) != nullptr;
    if (id == cmExport || id == cmSendMail) return active != nullptr;
    return true;
}

void TIOCommands::ExecuteCommand(int32_t id) {
    TPageSuper* active = PageCenter().ActivePage();
    if (!active || (id != cmImport && id != cmExport && id != cmSendMail) || !CheckCommand(id))
        return;
    if (id == cmImport) return Import(*active);
    PageCenter().Notify(pePageDeactivated, active->Id());  // the editor hands over its text
    if (id == cmExport) return Export(*active);
    SendMail(*active);
}

void TIOCommands::Import(TPageSuper& active) {
    TPageSuper* target = TIOHandler::ImportTarget(&active);
    TOptionManager& options = OptionManager();
    TImportChoice choice{options.ImportType, options.VirtualImport};
    if (options.ShowImportDialog) {
        if (!FSite.ImportDialog(choice)) return;
        options.ImportType = choice.ImportType;
        options.VirtualImport = choice.VirtualImport;
        options.Save();
    }
    std::vector<std::u16string> paths;
    if (choice.ImportType == 1) {
        std::u16string folder = FSite.ChooseFolder({});
        if (!folder.empty()) paths.push_back(std::move(folder));
    } else {
        paths = FSite.ChooseImportFiles();
    }
    if (paths.empty()) return;
    TProgressScope scope(FSite);
    TIOHandler io(scope.Progress());
    io.ImportPaths(target, paths, choice.ImportType == 1, choice.VirtualImport);
}

void TIOCommands::Export(TPageSuper& page) {
    const bool canHoldNotes = TIOHandler::CanHoldNotes(&page);
    TOptionManager& options = OptionManager();
    TExportChoice choice{options.ExportType, options.ExportEncode};
    if (options.ShowExportDialog) {
        if (!FSite.ExportDialog(choice, canHoldNotes)) return;
        options.ExportType = choice.ExportType;
        options.ExportEncode = choice.ExportEncode;
        options.Save();
    }
    const bool toClipboard = choice.ExportType == 2;
    const bool toFolder = choice.ExportType == 1 && canHoldNotes;
    const std::u16string target = toClipboard ? std::u16string() : ChooseTarget(page, toFolder);
    if (!toClipboard && target.empty()) return;
    TProgressScope scope(FSite);
    TIOHandler io(scope.Progress(), FSite.Clipboard());
    if (toClipboard)
        io.ExportToClipboard(&page);
    else if (toFolder)
        io.ExportToFolder(&page, target);
    else
        io.ExportToFile(&page, target);
}

// A folder starts from the one the page was exported to last; a file from the proposal.
std::u16string TIOCommands::ChooseTarget(TPageSuper& page, bool toFolder) {
    if (toFolder) {
        TTruePageProperty* truePage = page.TrueProperty();
        return FSite.ChooseFolder(
            truePage ? MakeAbsolute(truePage->ExternalFile, ProgramFolder()) : std::u16string());
    }
    const std::u16string proposal = TIOHandler::ProposeExportFileName(&page);
    return FSite.ChooseExportFile(proposal, TIOHandler::ExportFilterId(proposal));
}

void TIOCommands::SendMail(TPageSuper& page) {
    FSite.StartProgram(MailProgram(OptionManager().MailClient), TIOHandler::MailAddress(&page));
}

}  // namespace qb
