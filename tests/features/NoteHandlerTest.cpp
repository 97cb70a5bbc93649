// Mini-notes and snapped text: capturing the selection of the program in front, snapping it
// into the text page in front or a new note, Auto Record, and the notes that closing note
// windows make.

#include <gtest/gtest.h>

#include <memory>

#include "features/TrayFixture.h"
#include "features/UNoteHandler.h"
#include "foundation/UknFile.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UProgramServices.h"
#include "shell/UVirtualKeys.h"

namespace qb::test {
namespace {

constexpr uint16_t kCtrlAltS = 0x0600 | 'S';
constexpr uint16_t kCtrlAltB = 0x0600 | 'B';

// The workspace as far as notes need it: command 1010 makes a note the active page, and event
// 3078 appends the shared text to the active page after a separator line.
class TWorkspace : public ICommandExecutor, public IEventObserver {
  public:
    explicit TWorkspace(TPageSuper* group) : FGroup(group) {
        CommandCenter().AddExecutor(this);
        EventCenter().AddObserver(this);
    }
    ~TWorkspace() override {
        if (auto* events = ExistingEventCenter()) events->RemoveObserver(this);
        if (auto* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
    }
    bool CheckCommand(int32_t) override { return true; }
    void ExecuteCommand(int32_t id) override {
        if (id != cmNewNotePage || !Answers) return;
        AutoNameSeen.push_back(OptionManager().AutoName);
        int32_t note = GetStore().NewPage(FGroup->Id(), ptNote);
        FGroup->Childs()->AddChild(note);
        GetStore().GetPage(note)->SetName(u"Note " + IntToStr(++FCount));
        PageCenter().SetActivePage(GetStore().GetPage(note));
    }
    void EventNotify(int32_t event, int32_t, int32_t) override {
        TPageSuper* page = PageCenter().ActivePage();
        if (event != evAppendText || !page || !Appends) return;
        std::u16string text = page->GetText(-1);
        page->SetText(text.empty() ? EventCenter().SharedText
                                   : text + u"\r\n--\r\n" + EventCenter().SharedText);
    }
    bool Answers = true;  // makes the notes of command 1010
    bool Appends = true;  // an editor shows the active page
    std::vector<bool> AutoNameSeen;

  private:
    TPageSuper* FGroup;
    int FCount = 0;
};

class TNoteUi : public INoteUi {
  public:
    void OpenNoteWindow(std::u16string_view title) override { Opened.emplace_back(title); }
    void CloseLatestNoteWindow() override { ++Closes; }
    void Report(std::u16string_view text) override { Reports.emplace_back(text); }
    bool ChooseSnapFile(std::u16string& path) override {
        path = File;
        return !File.empty();
    }
    std::vector<std::u16string> Opened;
    int Closes = 0;
    std::vector<std::u16string> Reports;
    std::u16string File;
};

class NoteHandler : public TDesktopTest {
  protected:
    NoteHandler() : Workspace(GroupRoot()) {
        OptionManager().SnapTextHotkey = kCtrlAltS;
        OptionManager().NewNoteBackGroundHotkey = kCtrlAltB;
        Handler = std::make_unique<TNoteHandler>(Desktop, &Ui);
    }
    ~NoteHandler() override { Handler.reset(); }
    TPageSuper* Active() { return PageCenter().ActivePage(); }

    TWorkspace Workspace;
    TNoteUi Ui;
    std::unique_ptr<TNoteHandler> Handler;
};

TEST_F(NoteHandler, SnapAppendsToTheTextPageOnce) {
    TPageSuper* note = Add(GroupRoot(), ptNote, u"Diary");
    note->SetText(u"before");
    PageCenter().SetActivePage(note);
    Desktop.Selection = u"  picked\r\n";
    ASSERT_EQ(Keys.Press(modControl | modAlt, 'S'), 1);
    Keys.Press(modControl | modAlt, 'S');  // the same selection again
    EXPECT_EQ(note->GetText(-1), u"before\r\n--\r\npicked");
    EXPECT_EQ(Ui.Reports,
              (std::vector<std::u16string>{u"The following text is snapped:\r\npicked"}));
    EXPECT_EQ(Saver.Saves, 1);
    EXPECT_EQ(Desktop.Clipboard, u"  picked\r\n");  // the copy stays on the clipboard
    EXPECT_EQ(std::count(Desktop.Log.begin(), Desktop.Log.end(), "up Ctrl"), 4);
}

TEST_F(NoteHandler, SnapOnAListPageMakesANewNote) {
    TPageSuper* links = Add(GroupRoot(), ptLink, u"Links");
    PageCenter().SetActivePage(links);
    Handler->Snap(u"keep this");
    ASSERT_NE(Active(), links);
    EXPECT_EQ(Active()->PageType(), ptNote);
    EXPECT_EQ(Active()->GetText(-1), u"keep this");
    EXPECT_EQ(Workspace.AutoNameSeen, std::vector<bool>{true});
    EXPECT_FALSE(OptionManager().AutoName);
    EXPECT_EQ(Ui.Reports.back(), u"Created new note and snapped the following text:\r\nkeep this");

    // No workspace makes the note and no editor takes the text: the note goes to the end of
    // the group root and holds the text all the same.
    Workspace.Answers = false;
    Workspace.Appends = false;
    PageCenter().SetActivePage(links);
    const int before = GroupRoot()->Childs()->Count();
    Handler->Snap(u"other");
    ASSERT_EQ(GroupRoot()->Childs()->Count(), before + 1);
    EXPECT_EQ(Active()->Id(), GroupRoot()->Childs()->ChildAt(before));
    EXPECT_EQ(Active()->PageType(), ptNote);
    EXPECT_EQ(Active()->GetText(-1), u"other");
    // Into a page that has text, after the separator line.
    Handler->Snap(u"more");
    EXPECT_EQ(Active()->GetText(-1), u"other\r\n\r\n------------\r\n\r\nmore");
}

TEST_F(NoteHandler, CaptureTakesTheSelectionBufferFirst) {
    Desktop.Clipboard = u"old";
    Desktop.Primary = u" selected ";
    Desktop.Selection = u"copied";
    EXPECT_EQ(Handler->Capture(), u"selected");
    EXPECT_TRUE(Desktop.Log.empty());  // no key sent, the clipboard untouched
    // The copy: a plain Ctrl+C, although the user still holds the hotkey's Ctrl and Alt.
    Desktop.Primary = u" ";
    Desktop.Held = {vkControl, vkAlt};
    EXPECT_EQ(Handler->Capture(), u"copied");
    EXPECT_EQ(Desktop.Clipboard, u"copied");
    EXPECT_EQ(Desktop.Transcript(), u"[Ctrl+C]");
}

TEST_F(NoteHandler, CaptureOfNothingLeavesTheClipboard) {
    TCaptured captured;
    ClipWatcher().AddObserver(&captured);
    Desktop.Clipboard = u"old";
    EXPECT_EQ(Handler->Capture(), u"");
    EXPECT_EQ(Desktop.Clipboard, u"old");
    Keys.Press(modControl | modAlt, 'S');  // nothing to snap
    EXPECT_TRUE(Ui.Reports.empty());
    EXPECT_TRUE(captured.Texts.empty());  // neither the copy nor the text put back
    ClipWatcher().RemoveObserver(&captured);
}

TEST_F(NoteHandler, BackgroundNoteIsNamedFromTheSelection) {
    Desktop.Selection = u"Meeting at noon";
    Keys.Press(modControl | modAlt, 'B');
    EXPECT_EQ(Active()->Name(), u"Meeting at noon");
    EXPECT_EQ(Ui.Reports,
              (std::vector<std::u16string>{u"New note created with title:\r\nMeeting at noon"}));
    EXPECT_EQ(Saver.Saves, 1);
}

TEST_F(NoteHandler, ClosingNoteWindowsMakesNotes) {
    Handler->NoteClosed(u"@ Shopping \r\nmilk\r\neggs", {10, 20, 300, 150});
    EXPECT_EQ(Active()->Name(), u"Shopping");
    EXPECT_EQ(Active()->GetText(-1), u"milk\r\neggs");
    EXPECT_EQ(MemoryManager().NotePosY, 20);
    EXPECT_EQ(MemoryManager().NotePosHeight, 150);

    TPageSuper* made = Active();
    Handler->NoteClosed(u"", {0, 0, 200, 100});
    Handler->NoteClosed(u"@\r\n", {0, 0, 200, 100});
    EXPECT_EQ(Active(), made);  // empty windows make nothing

    Handler->NoteClosed(u"no title\r\nhere", {0, 0, 200, 100});
    EXPECT_EQ(Active()->Name(), u"Note 2");
    EXPECT_EQ(Active()->GetText(-1), u"no title\r\nhere");
}

TEST_F(NoteHandler, AutoRecordSnapsCopies) {
    TPageSuper* note = Add(GroupRoot(), ptNote, u"Log");
    PageCenter().SetActivePage(note);
    CommandCenter().ExecuteCommand(cmAutoRecord);
    EXPECT_TRUE(Handler->AutoRecord());
    Copy(u"first copy");
    Copy(u"first copy");
    CommandCenter().ExecuteCommand(cmAutoRecord);
    Copy(u"not recorded");
    EXPECT_EQ(note->GetText(-1), u"first copy");
}

TEST_F(NoteHandler, SnapToFileWritesTheExportEncoding) {
    ConnectPageEnvironment();
    OptionManager().ExportEncode = enUTF8BOM;
    OptionManager().SnapTextToFileHotkey = 0x0600 | 'F';
    OptionManager().NotifyAll();
    TTempFolder folder(false);
    Desktop.Selection = u"süß\r\nzwei";
    Keys.Press(modControl | modAlt, 'F');  // the dialog cancelled: nothing written
    EXPECT_TRUE(Ui.Reports.empty());
    Ui.File = folder.File16("snap.txt");
    Desktop.Selection = u"süß\r\nzwei ";
    Keys.Press(modControl | modAlt, 'F');
    EXPECT_EQ(Hex(ReadBytes(folder.File("snap.txt"))),
              Hex("\xEF\xBB\xBFs\xC3\xBC\xC3\x9F\r\nzwei"));
    EXPECT_EQ(
        Ui.Reports,
        (std::vector<std::u16string>{u"The following text has been saved to file\r\n" + Ui.File}));
}

TEST(SnapReport, LongTextsAreCut) {
    std::u16string text(500, u'x');
    EXPECT_EQ(SnapReport(u"L:", text), u"L:\r\n" + text);
    EXPECT_EQ(SnapReport(u"L:", text + u"yz"), u"L:\r\n" + text + u"\r\n...");
}

}  // namespace
}  // namespace qb::test
