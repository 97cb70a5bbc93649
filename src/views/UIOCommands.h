#pragma once

// The commands Import (1180), Export (1190) and Send Mail (1200) on the active page: the
// import and export dialogs and their options, the file and folder choosers, then the work of
// TIOHandler with its progress. The windows are the site's.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/UknClasses.h"

namespace qb {

class IIOProgress;
class IClipboardText;
class TPageSuper;

inline constexpr int32_t cmImport = 1180;
inline constexpr int32_t cmExport = 1190;
inline constexpr int32_t cmSendMail = 1200;

struct TImportChoice {
    int32_t ImportType = 0;  // 0 files, 1 a folder
    bool VirtualImport = false;
};
struct TExportChoice {
    int32_t ExportType = 1;    // 0 a file, 1 a folder, 2 the clipboard
    int32_t ExportEncode = 4;  // 1, 3, 4 or 5
};

class IIOSite {
  public:
    virtual ~IIOSite() = default;
    // The dialogs: false when cancelled.
    virtual bool ImportDialog(TImportChoice& choice) = 0;
    virtual bool ExportDialog(TExportChoice& choice, bool toFolderAllowed) = 0;
    // The choosers: empty when cancelled.
    virtual std::vector<std::u16string> ChooseImportFiles() = 0;
    virtual std::u16string ChooseFolder(const std::u16string& start) = 0;
    virtual std::u16string ChooseExportFile(const std::u16string& proposal, int32_t filterId) = 0;
    // The progress of one command, shown while it runs and closed when it ends.
    virtual IIOProgress* StartProgress() = 0;
    virtual void EndProgress() = 0;
    virtual IClipboardText* Clipboard() = 0;
    // Starts the program with one argument; false when it could not be started.
    virtual bool StartProgram(const std::u16string& program, const std::u16string& argument) = 0;
};

// The mail program: the MailClient option when that file exists, else the desktop's
// "xdg-email".
std::u16string MailProgram(const std::u16string& mailClient);
// The export dialog's encoding choices ("ANSI", "Unicode", "Unicode big endian", "UTF-8") as
// ExportEncode values, and back; an unknown value shows as "Unicode".
int32_t EncodeOfChoice(int choice);
int ChoiceOfEncode(int32_t encode);

class TIOCommands : public ICommandExecutor {
  public:
    // Registers with the command center.
    explicit TIOCommands(IIOSite& site);
    ~TIOCommands() override;
    TIOCommands(const TIOCommands&) = delete;
    TIOCommands& operator=(const TIOCommands&) = delete;

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

  private:
    void Import(TPageSuper& active);
    void Export(TPageSuper& page);
    void SendMail(TPageSuper& page);
    std::u16string ChooseTarget(TPageSuper& page, bool toFolder);

    IIOSite& FSite;
};

}  // namespace qb
