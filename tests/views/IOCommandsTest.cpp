// Import, Export and Send Mail over a recording site: the dialogs' choices kept in the
// options, a cancelled dialog or chooser ending the command, the progress closed at the end.

#include <gtest/gtest.h>

#include "foundation/UknFunctions.h"
#include "model/SysPagesFixture.h"
#include "storage/UIOHandler.h"
#include "support/TestSupport.h"
#include "views/UIOCommands.h"

namespace qb::test {
namespace {

class TRecordingSite : public IIOSite, public IClipboardText {
  public:
    bool ImportDialog(TImportChoice& choice) override {
        Log += "import-dialog ";
        choice = Import;
        return Answer;
    }
    bool ExportDialog(TExportChoice& choice, bool toFolderAllowed) override {
        Log += toFolderAllowed ? "export-dialog(folder) " : "export-dialog ";
        choice = Export;
        return Answer;
    }
    std::vector<std::u16string> ChooseImportFiles() override {
        Log += "files ";
        return Files;
    }
    std::u16string ChooseFolder(const std::u16string&) override {
        Log += "folder ";
        return Folder;
    }
    std::u16string ChooseExportFile(const std::u16string& proposal, int32_t) override {
        Log += "file(" + ToUtf8(proposal) + ") ";
        return File;
    }
    IIOProgress* StartProgress() override {
        Log += "progress ";
        return nullptr;
    }
    void EndProgress() override { Log += "end "; }
    IClipboardText* Clipboard() override { return this; }
    void SetClipboardText(std::u16string_view text) override { Clip = text; }
    bool StartProgram(const std::u16string& program, const std::u16string& argument) override {
        Log += ToUtf8(program) + " " + ToUtf8(argument);
        return true;
    }

    bool Answer = true;
    TImportChoice Import;
    TExportChoice Export;
    std::vector<std::u16string> Files;
    std::u16string Folder, File, Clip;
    std::string Log;
};

class IOCommandsTest : public TSysPagesTest {
  protected:
    IOCommandsTest() {
        Group = Add(GroupRoot(), ptGroup, u"Garden");
        Note = AddText(Group, ptNote, u"Rose", u"red");
        PageCenter().SetActivePage(Note);
    }
    TRecordingSite Site;
    TIOCommands Commands{Site};
    TPageSuper* Group = nullptr;
    TPageSuper* Note = nullptr;
    TTempFolder Files{false};
};

TEST_F(IOCommandsTest, ImportKeepsTheDialogsChoicesAndClosesItsProgress) {
    EXPECT_TRUE(Commands.CheckCommand(cmImport));  // into the note's group
    Site.Answer = false;
    Commands.ExecuteCommand(cmImport);
    EXPECT_EQ(Site.Log, "import-dialog ");

    WriteBytes(Files.File("tulip.txt"), "yellow");
    Site.Answer = true;
    Site.Import = {1, true};
    Site.Folder = Files.Path16();
    Site.Log.clear();
    Commands.ExecuteCommand(cmImport);
    EXPECT_EQ(Site.Log, "import-dialog folder progress end ");
    EXPECT_EQ(OptionManager().ImportType, 1);
    EXPECT_TRUE(OptionManager().VirtualImport);
    EXPECT_EQ(Children(Group).size(), 2u);  // the folder as a group

    OptionManager().ShowImportDialog = false;  // no dialog: the options decide
    OptionManager().ImportType = 0;
    Site.Log.clear();
    Commands.ExecuteCommand(cmImport);  // no file chosen: nothing more
    EXPECT_EQ(Site.Log, "files ");
    PageCenter().SetActivePage(Bin());  // its owner is the root: no group to import into
    EXPECT_FALSE(Commands.CheckCommand(cmImport));
}

TEST_F(IOCommandsTest, ExportToTheClipboardAFileOrAFolder) {
    Site.Export = {2, 3};
    Commands.ExecuteCommand(cmExport);
    EXPECT_EQ(Site.Log, "export-dialog progress end ");  // a note: no folder to export to
    EXPECT_EQ(Site.Clip, u"red");
    EXPECT_EQ(OptionManager().ExportType, 2);
    EXPECT_EQ(OptionManager().ExportEncode, 3);

    Site.Export = {1, 3};  // to a folder, but a note goes to a file
    Site.File = Files.File16("rose.txt");
    Site.Log.clear();
    Commands.ExecuteCommand(cmExport);
    EXPECT_EQ(Site.Log, "export-dialog file(Rose.txt) progress end ");
    EXPECT_EQ(ReadBytes(Files.File("rose.txt")), "\xEF\xBB\xBFred");  // UTF-8 as chosen

    PageCenter().SetActivePage(Group);
    Site.Folder = Files.File16("out");
    Site.Log.clear();
    Commands.ExecuteCommand(cmExport);
    EXPECT_EQ(Site.Log, "export-dialog(folder) folder progress end ");
    EXPECT_EQ(ReadBytes(Files.File("out/Rose.txt")), "\xEF\xBB\xBFred");
}

TEST_F(IOCommandsTest, SendMailUsesTheMailClientWhenItExistsElseTheDesktops) {
    Commands.ExecuteCommand(cmSendMail);
    EXPECT_EQ(Site.Log, "xdg-email mailto:?subject=Rose&body=red");
    WriteBytes(Files.File("mailer"), "");
    EXPECT_EQ(MailProgram(Files.File16("mailer")), Files.File16("mailer"));
    EXPECT_EQ(MailProgram(Files.File16("missing")), u"xdg-email");
    for (int choice = 0; choice < 4; ++choice)
        EXPECT_EQ(ChoiceOfEncode(EncodeOfChoice(choice)), choice);
    EXPECT_EQ(EncodeOfChoice(0), 1);
    EXPECT_EQ(EncodeOfChoice(3), 3);
    EXPECT_EQ(ChoiceOfEncode(77), 1);
}

}  // namespace
}  // namespace qb::test
