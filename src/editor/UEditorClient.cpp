#include "editor/UEditorClient.h"

#include "editor/UEditControlBase.h"
#include "features/ULinkOpener.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

// --- TSelMemo ---

std::u16string SelMemoPath() {
    // Not created here: the page store makes the folder before any page can be shown.
    return ProgramSubFolder(u"data\\", false) + u"quillbox.bmk";
}

TSelMemo::TSelMemo(std::u16string path) : FPath(std::move(path)) {
    FList.SetSortType(stByKeyNoDup);
    FList.KeyDelimiter = u"=";
    if (FileExists(FPath)) FList.LoadFromFile(FPath);
}

std::array<int, 3> TSelMemo::Entry(int32_t pageId) const {
    std::array<int, 3> entry{0, 0, 0};
    size_t n = 0;
    SplitText(FList.ItemsByKey(pageId), u",", [&](std::u16string_view piece) {
        if (n < entry.size()) entry[n++] = StrToInt32Def(piece, 0);
    });
    return entry;
}

void TSelMemo::Store(int32_t pageId, const std::array<int, 3>& entry) {
    std::u16string value =
        IntToStr(entry[0]) + u"," + IntToStr(entry[1]) + u"," + IntToStr(entry[2]);
    if (FList.IndexOfKey(pageId) >= 0 && FList.ItemsByKey(pageId) == value) return;
    FList.SetItemsByKey(pageId, std::move(value));
    FList.SaveToFile(FPath);
}

std::u16string InsertedLink(std::u16string_view field, int linkType) {
    return u"<" + NormalizeLink(field, static_cast<TLinkType>(linkType), true, false) + u">";
}

// --- TEditorClient ---

TEditorClient::TEditorClient(IEditControl& edit, IClientControl& control, IEditorUi& ui)
    : FEdit(edit),
      FControl(control),
      FUi(ui),
      FSelMemo(SelMemoPath()),
      FFind(edit, ui),
      FCalc(edit),
      FTools(edit) {
    FEdit.SetWordWrap(MemoryManager().WordWrap);
    OptionManager().AddObserver(this);
    EventCenter().AddObserver(this);
}

TEditorClient::~TEditorClient() {
    if (auto* events = ExistingEventCenter()) events->RemoveObserver(this);
    if (auto* options = ExistingOptionManager()) options->RemoveObserver(this);
}

void TEditorClient::OptionChanged() {
    const TOptions& o = OptionManager();
    FEdit.SetUndoLimit(o.UndoLimit);
    FEdit.SetAutoIndent(o.AutoIndent);
    FEdit.SetAutoEmptyLine(o.AutoEmptyLine);
    FUi.ApplyAppearance();
}

void TEditorClient::Load(TPageSuper* page) {
    SetPage(page);
    FEdit.SetText(page ? page->GetFullText() : std::u16string());
    ApplyStatus();
    FCalc.SetPageType(page ? page->PageType() : 0);
    CommandCenter().SetChecked(cmWordWrap, FEdit.WordWrap());
    FUi.Post(msgRestoreCaret);
    if (OptionManager().AlwaysFocusEditor) FUi.Post(msgFocusEditor);
}

void TEditorClient::Unload() {
    FEdit.SetText(u"");
    SetPage(nullptr);
}

void TEditorClient::ApplyStatus() {
    const uint8_t status = Page() ? Page()->Status() : psNormal;
    FEdit.SetProtected(status == psProtected, FEdit.TextLength());
    FEdit.SetReadOnly(status == psReadOnly);
}

void TEditorClient::OnPageEvent(uint8_t event, int32_t pageId, int32_t extra) {
    if (event == peStatusChanged) {
        if (Page() && Page()->Id() == pageId) ApplyStatus();
        return;
    }
    TClientSuper::OnPageEvent(event, pageId, extra);
}

void TEditorClient::Save() {
    if (!Page()) return;
    Page()->SetText(FEdit.GetText());
    SaveCaret();
}

void TEditorClient::SaveCaret() {
    if (!Page() || !OptionManager().RememberPageScroll) return;
    TEditSel sel = FEdit.GetSel();
    int scroll = OptionManager().BmkRule == 0 ? FEdit.FirstVisibleLine() : FEdit.ScrollOffset();
    FSelMemo.Store(Page()->Id(), {sel.Start, sel.Length, scroll});
}

void TEditorClient::RestoreCaret() {
    if (!Page() || !OptionManager().RememberPageScroll) return;
    auto [start, length, scroll] = FSelMemo.Entry(Page()->Id());
    FEdit.SetSel(0, 0);
    FEdit.SetScrollOffset(0);
    FEdit.ScrollLines(scroll);
    TEditRect r = FEdit.FormatRect();
    const int first = FEdit.CharFromPoint({r.Left, r.Top});
    const int last = FEdit.CharFromPoint({r.Right, r.Bottom});
    if (start >= first && start <= last && start + length <= last)
        FEdit.SetSel(start, length);
    else
        FEdit.SetSel(first, 0);
}

void TEditorClient::OpenLink(std::u16string link) {
    if (std::optional<std::u16string> path = OutlookNodeLink(link)) {
        TStoreNodeLinkPages pages;
        TNodeLinkTarget target = ResolveNodeLink(pages, *path, Page() ? Page()->Id() : kNoOwnerId);
        if (TPageSuper* page = target.PageId ? GetStore().GetPage(*target.PageId) : nullptr)
            PageCenter().SetActivePage(page);
        else
            FUi.Inform(InvalidNodeLinkText(target.Path));
        return;
    }
    if (link.size() >= 5 && IsSameText(std::u16string_view(link).substr(0, 5), u"file:")) {
        std::u16string folder = ProgramFolder();
        if (!folder.empty() && folder.back() != u'/' && folder.back() != u'\\') folder += u'\\';
        if (size_t at = link.find(u".\\"); at != std::u16string::npos) link.replace(at, 2, folder);
    }
    try {
        OpenTarget(link);
    } catch (const TknError& e) {
        FUi.Inform(e.Message());
    }
}

void TEditorClient::HandleMessage(int32_t message) {
    if (!Active() || !FUi.ControlShown()) return;
    if (message == msgRestoreCaret) RestoreCaret();
    if (message == msgFocusEditor) FUi.FocusAndClickThrough();
}

void TEditorClient::EventNotify(int32_t event, int32_t /*wparam*/, int32_t /*lparam*/) {
    // The find handler, registered before the client, has taken the search string already.
    if (event == evSearchStringChanged) ShowMatchMarksChecked();
    if (!Active() || !Page()) return;
    // The control holds the page's text even while the window is in the tray: a text appended
    // to the stored page then would be overwritten by the control's at the next save.
    if (event == evAppendText) AppendText(EventCenter().SharedText);
    if (event == evQuerySelection && FUi.ControlShown())
        EventCenter().SharedText = ToStoredBreaks(FEdit.SelText());
}

void TEditorClient::AppendText(std::u16string text) {
    if (FEdit.TextLength() > 0)
        text = u"\r\n" + ExpandPattern(OptionManager().SepLine) + u"\r\n" + text;
    FEdit.SetSel(FEdit.TextLength(), 0);
    FEdit.ReplaceSel(text);
}

bool TEditorClient::CheckCommand(int32_t id) {
    const bool selected = FEdit.GetSel().Length > 0;
    switch (id) {
        case cmUndo:
            return FEdit.CanUndo();
        case cmRedo:
            return FEdit.CanRedo();
        case cmCut:
        case cmDeleteSelection:
            return Editable() && selected;
        case cmCopy:
            return selected;
        case cmPaste:
            return Editable() && FEdit.CanPaste();
        case cmFindReplace:
        case cmSubsequentFind:
        case cmFindNext:
        case cmFindPrevious:
        case cmReplaceFindNext:
        case cmReplaceFindPrevious:
        case cmReplaceAll:
        case cmHighlightMatch:
            return FFind.CheckCommand(id);
        default:
            return true;
    }
}

void TEditorClient::ExecuteCommand(int32_t id) {
    if (!CheckCommand(id)) return;
    switch (id) {
        case cmPageNameFromSelection:
            if (std::u16string name = PageNameFromSelection(FEdit); !name.empty() && Page())
                Page()->SetName(name);
            break;
        case cmClear:
            Clear();
            break;
        case cmUndo:
            FEdit.Undo();
            break;
        case cmRedo:
            FEdit.Redo();
            break;
        case cmSelectAll:
            FControl.FocusControl();
            FEdit.SetSel(0, FEdit.TextLength());
            break;
        case cmCut:
            FEdit.Cut();
            break;
        case cmCopy:
            FEdit.Copy();
            break;
        case cmPaste:
            FEdit.Paste();
            break;
        case cmDeleteSelection:
            FEdit.Clear();
            break;
        case cmWordWrap:
            ToggleWordWrap();
            break;
        case cmInsertLink:
            if (std::optional<std::u16string> link = FUi.InsertLink()) {
                FControl.FocusControl();
                FEdit.ReplaceSel(*link);
            }
            break;
        default:
            if (id >= cmFindReplace && id <= cmHighlightMatch) FFind.ExecuteCommand(id);
            ShowMatchMarksChecked();
            break;
    }
    CommandCenter().CheckCommands();
}

void TEditorClient::ShowMatchMarksChecked() {
    CommandCenter().SetChecked(cmHighlightMatch, FFind.Engine().HighlightMatch);
}

void TEditorClient::Clear() {
    if (OptionManager().ConfirmClear && !FUi.ConfirmClear()) return;
    FEdit.SetSel(0, FEdit.TextLength());
    FEdit.Clear();
}

void TEditorClient::ToggleWordWrap() {
    SaveCaret();
    const bool on = !FEdit.WordWrap();
    FEdit.SetWordWrap(on);
    MemoryManager().WordWrap = on;
    CommandCenter().SetChecked(cmWordWrap, on);
    RestoreCaret();
}

}  // namespace qb
