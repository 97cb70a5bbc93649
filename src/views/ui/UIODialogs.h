#pragma once

// The windows of Import, Export and Send Mail: the import dialog ("File", "Folder", "Virtual
// import"), the export dialog ("To file", "To folder", "To Clipboard", "Encode:"), the file and
// folder choosers, the progress window with Cancel, and the mail program.

#include <QString>
#include <memory>

#include "toolkit/UknClipboard.h"
#include "views/UIOCommands.h"

class QWidget;

namespace qb {

class TknIOProgress;
class TknTrackingTip;

// A filter of the string table ("Text (*.txt)|*.txt|All (*.*)|*.*") as the file dialogs take
// it ("Text (*.txt);;All (*.*)").
QString QtFileFilter(const QString& filter);

class TIODialogs : public IIOSite {
  public:
    explicit TIODialogs(QWidget& window);
    ~TIODialogs() override;

    bool ImportDialog(TImportChoice& choice) override;
    bool ExportDialog(TExportChoice& choice, bool toFolderAllowed) override;
    std::vector<std::u16string> ChooseImportFiles() override;
    std::u16string ChooseFolder(const std::u16string& start) override;
    std::u16string ChooseExportFile(const std::u16string& proposal, int32_t filterId) override;
    IIOProgress* StartProgress() override;
    void EndProgress() override;
    IClipboardText* Clipboard() override { return &FClipboard; }
    bool StartProgram(const std::u16string& program, const std::u16string& argument) override;

  private:
    QWidget& FWindow;
    std::unique_ptr<TknTrackingTip> FTip;
    std::unique_ptr<TknIOProgress> FProgress;
    TknClipboardText FClipboard;
};

// The commands with their windows, for the main window's life.
class TIOCommandHost {
  public:
    explicit TIOCommandHost(QWidget& window) : FDialogs(window), FCommands(FDialogs) {}

  private:
    TIODialogs FDialogs;
    TIOCommands FCommands;
};

}  // namespace qb
