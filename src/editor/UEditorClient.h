#pragma once

// The client the workspace shows for text pages: it moves the page text into the control and
// back (on leaving the page, never per keystroke), applies the page status, remembers the caret
// of every page, and carries out the Edit menu. The windows it needs (questions, the boxes,
// posting work for later) come through IEditorUi, so the client runs without a display.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/UEditor.h"
#include "editor/UFindHandler.h"
#include "features/UCalcHandler.h"
#include "features/UNoteHandler.h"
#include "features/UTipQuery.h"
#include "foundation/UknList.h"
#include "views/UClientSuper.h"

namespace qb {

constexpr int32_t cmClear = 1310;
constexpr int32_t cmUndo = 1320;
constexpr int32_t cmRedo = 1330;
constexpr int32_t cmSelectAll = 1340;
constexpr int32_t cmCut = 1350;
constexpr int32_t cmCopy = 1360;
constexpr int32_t cmPaste = 1370;
constexpr int32_t cmDeleteSelection = 1400;
constexpr int32_t cmWordWrap = 1440;
constexpr int32_t cmInsertLink = 1490;

// The messages the client posts to itself after loading a page.
constexpr int32_t msgRestoreCaret = 33171;
constexpr int32_t msgFocusEditor = 33174;

// The remembered selection and scroll position of every page, in "quillbox.bmk" of the data
// folder: one line per page, "id=start,length,scroll".
class TSelMemo {
  public:
    explicit TSelMemo(std::u16string path);
    // start, length, scroll; 0 for anything not remembered.
    std::array<int, 3> Entry(int32_t pageId) const;
    // Stores the entry and writes the file, unless it is what the page had already.
    void Store(int32_t pageId, const std::array<int, 3>& entry);

  private:
    std::u16string FPath;
    TknStrList FList;
};

// What the insert-link box puts into the text for the link field and the link type.
std::u16string InsertedLink(std::u16string_view field, int linkType);

// The data folder's bookmark file.
std::u16string SelMemoPath();

class IEditorUi : public IFindUi {
  public:
    // "Do you want to clear the content of the current page?"; true on OK.
    virtual bool ConfirmClear() = 0;
    // The insert-link box; the link to insert, none when cancelled.
    virtual std::optional<std::u16string> InsertLink() = 0;
    // Runs the client's HandleMessage(message) once the current event is done.
    virtual void Post(int32_t message) = 0;
    // Font, colours, tab stop, margins and decorators from the options.
    virtual void ApplyAppearance() = 0;
    // Focus to the control; a left button still down over it is passed on as a click.
    virtual void FocusAndClickThrough() = 0;
    virtual bool ControlShown() const = 0;
};

class TEditorClient : public TClientSuper, public IOptionObserver, public IEventObserver {
  public:
    TEditorClient(IEditControl& edit, IClientControl& control, IEditorUi& ui);
    ~TEditorClient() override;

    void Load(TPageSuper* page) override;
    void Unload() override;
    IClientControl* Control() override { return &FControl; }
    void OnPageEvent(uint8_t event, int32_t pageId, int32_t extra) override;
    void Save() override;
    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

    void OptionChanged() override;
    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;
    // A message posted through IEditorUi::Post.
    void HandleMessage(int32_t message);

    void SaveCaret();
    void RestoreCaret();
    // A clicked link: "outlook:" links name a page, "file:" links may start at the program
    // folder (".\"), the rest goes to the desktop's opener.
    void OpenLink(std::u16string link);
    // Command 1480's check mark shows whether the find matches are marked.
    void ShowMatchMarksChecked();

    TFindHandler& FindHandler() { return FFind; }
    TCalcHandler& CalcHandler() { return FCalc; }

  private:
    void ApplyStatus();
    void Clear();
    void ToggleWordWrap();
    void AppendText(std::u16string text);
    bool Editable() const { return !FEdit.ReadOnly(); }

    IEditControl& FEdit;
    IClientControl& FControl;
    IEditorUi& FUi;
    TSelMemo FSelMemo;
    TFindHandler FFind;
    TCalcHandler FCalc;
    THLTextHandler FTools;
};

}  // namespace qb
