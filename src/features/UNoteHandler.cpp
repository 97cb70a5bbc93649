#include "features/UNoteHandler.h"

#include <utility>

#include "features/UPasteHandler.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UVirtualKeys.h"
#include "shell/UknHotKeyCenter.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr size_t kReportLimit = 500;
constexpr size_t kTitleLength = 200;
constexpr std::u16string_view kSnapped = u"The following text is snapped:";
constexpr std::u16string_view kNewAndSnapped = u"Created new note and snapped the following text:";
constexpr std::u16string_view kCreated = u"New note created with title:";
constexpr std::u16string_view kSavedToFile = u"The following text has been saved to file";

// Switches an option on for as long as it lives.
class TOptionOn {
  public:
    explicit TOptionOn(bool& option) : FOption(option), FWas(std::exchange(option, true)) {}
    ~TOptionOn() { FOption = FWas; }
    TOptionOn(const TOptionOn&) = delete;
    TOptionOn& operator=(const TOptionOn&) = delete;

  private:
    bool& FOption;
    bool FWas;
};

bool ActivePageIsText() {
    const TPageSuper* page = PageCenter().ActivePage();
    return page && page->ClientKind() == ckEditor;
}

}  // namespace

std::u16string SnapReport(std::u16string_view label, std::u16string_view text) {
    std::u16string out = std::u16string(label) + u"\r\n";
    if (text.size() <= kReportLimit) return out + std::u16string(text);
    return out + CutAt(text, kReportLimit) + u"\r\n...";
}

std::u16string AppendedText(std::u16string_view pageText, std::u16string_view text) {
    if (pageText.empty()) return std::u16string(text);
    return std::u16string(pageText) + u"\r\n" + ExpandPattern(OptionManager().SepLine) + u"\r\n" +
           std::u16string(text);
}

TNoteHandler::TNoteHandler(IDesktopInput& desktop, INoteUi* ui) : FDesktop(desktop), FUi(ui) {
    CommandCenter().AddExecutor(this);
    OptionManager().AddObserver(this);
}

TNoteHandler::~TNoteHandler() {
    if (FAutoRecord) ClipWatcher().RemoveObserver(this);
    if (TknHotKeyCenter* center = ExistingHotKeyCenter()) center->RemoveOwner(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
}

bool TNoteHandler::CheckCommand(int32_t id) {
    return id != cmNewNote || CommandCenter().CheckCommand(cmNewNotePage);
}

void TNoteHandler::ExecuteCommand(int32_t id) {
    if (id == cmNewNote && FUi)
        FUi->OpenNoteWindow(u"");
    else if (id == cmAutoRecord)
        SetAutoRecord(!FAutoRecord);
}

void TNoteHandler::SetAutoRecord(bool on) {
    FAutoRecord = on;
    CommandCenter().SetChecked(cmAutoRecord, on);
    ClipWatcher().SetObserving(this, on);
}

void TNoteHandler::OptionChanged() {
    const TOptions& o = OptionManager().Options();
    TknHotKeyCenter& center = HotKeyCenter();
    for (auto [id, hotKey] : {std::pair{hkNewNote, o.NewNoteForeGroundHotKey},
                              {hkNewNoteInBackground, o.NewNoteBackGroundHotkey},
                              {hkSnapText, o.SnapTextHotkey},
                              {hkNewNoteAndSnap, o.NewNoteBG_SnapTextHotKey},
                              {hkCloseNote, o.CloseNoteHotkey},
                              {hkAutoRecord, o.AutoRecordHotkey},
                              {hkSnapToFile, o.SnapTextToFileHotkey}})
        center.AddHotKey(this, id, hotKey);
}

void TNoteHandler::OnHotkey(uint32_t id, uint16_t) {
    switch (id) {
        case hkNewNote:
            if (FUi) FUi->OpenNoteWindow(CutAt(Capture(), kTitleLength));
            break;
        case hkNewNoteInBackground:
            if (auto name = NewNote(CutAt(Capture(), kTitleLength))) {
                SaveCenter().Save();
                Report(kCreated, *name);
            }
            break;
        case hkSnapText:
            Snap(Capture());
            break;
        case hkNewNoteAndSnap:
            NewNoteWithText(Capture());
            break;
        case hkCloseNote:
            if (FUi) FUi->CloseLatestNoteWindow();
            break;
        case hkAutoRecord:
            CommandCenter().ExecuteCommand(cmAutoRecord);
            break;
        case hkSnapToFile:
            SnapToFile(Capture());
            break;
        default:
            break;
    }
}

void TNoteHandler::ClipboardChanged(std::u16string_view text) {
    Snap(std::u16string(text));
}

std::u16string TNoteHandler::Capture() {
    return SelectedText(FDesktop, false);
}

void TNoteHandler::Snap(const std::u16string& text) {
    FDesktop.SendKey(vkControl, false);
    if (text.empty() || text == FLastSnapped) return;
    if (ActivePageIsText()) {
        AppendToActivePage(text);
        Report(kSnapped, text);
    } else {
        NewNoteWithText(text);
    }
    FLastSnapped = text;
}

void TNoteHandler::NewNoteWithText(std::u16string_view text) {
    if (text.empty() || !NewNote(u"")) return;
    AppendToActivePage(text);
    Report(kNewAndSnapped, text);
}

void TNoteHandler::SnapToFile(const std::u16string& text) {
    std::u16string path;
    if (text.empty() || !FUi || !FUi->ChooseSnapFile(path)) return;
    const TPageEnvironment& env = PageEnvironment();
    TknTextFile file(path, fmWriteAtomic, env.ExportEncoding ? env.ExportEncoding() : enUTF16LE);
    file.Write(text);
    file.Commit();
    Report(kSavedToFile, path);
}

void TNoteHandler::NoteClosed(std::u16string_view windowText, const TNoteRect& rect) {
    std::u16string title;
    std::u16string_view text = windowText;
    const size_t lineEnd = text.find(u"\r\n");
    const std::u16string firstLine = Trim(text.substr(0, lineEnd));
    if (firstLine.starts_with(u'@')) {
        title = Trim(std::u16string_view(firstLine).substr(1));
        text =
            lineEnd == std::u16string_view::npos ? std::u16string_view() : text.substr(lineEnd + 2);
    }
    TMemoryManager& memory = MemoryManager();
    memory.NotePosX = rect.X;
    memory.NotePosY = rect.Y;
    memory.NotePosWidth = rect.Width;
    memory.NotePosHeight = rect.Height;
    if (title.empty() && text.empty()) return;
    if (!NewNote(title)) return;
    if (text.empty())
        SaveCenter().Save();  // the named note alone
    else
        AppendToActivePage(text);
}

std::optional<std::u16string> TNoteHandler::NewNote(std::u16string_view title) {
    const TPageSuper* before = PageCenter().ActivePage();
    {
        TOptionOn autoName(OptionManager().AutoName);
        CommandCenter().ExecuteCommand(cmNewNotePage);
    }
    TPageSuper* page = PageCenter().ActivePage();
    if (page == before) page = NoteInGroupRoot();
    if (!page || page == before || page->ClientKind() != ckEditor) return std::nullopt;
    if (!title.empty()) page->SetName(title);
    return page->Name();
}

TPageSuper* TNoteHandler::NoteInGroupRoot() {
    TPageStore& store = GetStore();
    int32_t groupRoot;
    if (!store.FindFirstOfType(ptGroupRoot, groupRoot)) return nullptr;
    TPageSuper* parent = store.GetPage(groupRoot);
    if (!parent || !parent->Childs()) return nullptr;
    const int32_t id = store.NewPage(groupRoot, ptNote);
    parent->Childs()->AddChild(id);
    TPageSuper* note = store.GetPage(id);
    PageCenter().SetActivePage(note);
    return note;
}

void TNoteHandler::AppendToActivePage(std::u16string_view text) {
    TPageSuper* page = PageCenter().ActivePage();
    const std::u16string before = page ? page->GetText(-1) : std::u16string();
    TknEventCenter& events = EventCenter();
    events.SharedText = text;
    events.EventNotify(evAppendText);
    SaveCenter().Save();  // an editor that took the text hands it to its page now
    if (!page || PageCenter().ActivePage() != page || page->GetText(-1) != before) return;
    page->SetText(AppendedText(before, text));
    SaveCenter().Save();
}

void TNoteHandler::Report(std::u16string_view label, std::u16string_view text) {
    if (FUi) FUi->Report(SnapReport(label, text));
}

}  // namespace qb
