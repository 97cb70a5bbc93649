#include "editor/ui/UEditorWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include "editor/UEditorClient.h"
#include "editor/UStatisticsHandler.h"
#include "editor/ui/UFindBox.h"
#include "editor/ui/UInsertLinkBox.h"
#include "editor/ui/UStatisticsBox.h"
#include "editor/ui/UknRichEdit.h"
#include "editor/ui/UknRichEditDecorators.h"
#include "shell/UMenuModel.h"
#include "shell/UOptionManager.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknFonts.h"

namespace qb {

namespace {

// The enabled states follow the selection once the user pauses, not at every caret step.
constexpr int CheckCommandsDelayMs = 150;
// The band of an underlined highlight style, in pixels.
constexpr int UnderlineHeight = 2;

class TEditorUi : public IEditorUi {
  public:
    explicit TEditorUi(QWidget* pageArea)
        : Edit(new TknRichEdit(pageArea)),
          FLineNumbers(*Edit),
          FSelLine(*Edit),
          FBlocks(*Edit),
          FMatches(*Edit, [this] { return MatchMarks(); }),
          FStatistics([this] { TStatisticsBox(Edit->window()).Execute(); }) {
        FBlocks.SetEnabled(true);
        FMatches.SetEnabled(true);
        FCheckTimer.setSingleShot(true);
        FCheckTimer.setInterval(CheckCommandsDelayMs);
        QObject::connect(&FCheckTimer, &QTimer::timeout, [this] {
            if (!Client || !Client->Active()) return;
            CommandCenter().CheckCommands();
            Edit->viewport()->update();  // the match marks follow the find text
        });
        Edit->OnSelectionChanged = [this] { FCheckTimer.start(); };
        Edit->OnLink = [this](std::u16string link) {
            if (Client) Client->OpenLink(std::move(link));
        };
        // The menu of a selection (kind 5) or of the caret (kind 6), as the menus show them.
        Edit->OnContextMenu = [this](QContextMenuEvent*) {
            EventCenter().EventNotify(kContextMenuEvent, Edit->GetSel().Length > 0 ? 5 : 6);
            return true;
        };
    }

    void ShowFindBox() override {
        auto* box = new TFindBox(Edit->window(), Client->FindHandler());
        box->show();
    }
    void Inform(std::u16string_view message) override { ShowInformation(Edit, message); }
    bool Confirm(std::u16string_view question) override { return AskOkCancel(Edit, question); }
    bool ConfirmClear() override {
        return AskOkCancel(Edit, u"Do you want to clear the content of the current page?");
    }
    std::optional<std::u16string> InsertLink() override { return TInsertLinkBox::Ask(Edit); }

    void Post(int32_t message) override {
        QTimer::singleShot(0, Edit, [this, message] {
            if (Client) Client->HandleMessage(message);
        });
    }

    void ApplyAppearance() override {
        const TOptions& o = OptionManager();
        Edit->SetEditorFont(QtFont(o.EditorFontColor));
        Edit->SetColors(QtColour(o.EditorFontColor.FontColor), QtColour(o.EditorFontColor.BGColor));
        Edit->SetTabStop(o.TabStops * 5);
        Edit->SetMargins(o.Margins * 4 + 2);
        Edit->SetSmoothScroll(o.SmoothScroll);
        Edit->SetOneClickLinks(o.OneClickOpenLink);
        FLineNumbers.SetColour(QtColour(o.LineNumberColor));
        FLineNumbers.SetEnabled(o.ShowLineNumber);
        FSelLine.SetColour(QtColour(o.SelLineColor));
        FSelLine.SetEnabled(o.HighlightSelLine);
        for (size_t style = 0; style < 4; ++style)
            FBlocks.SetStyle(style, {HLClose[style], QtColour(o.HLColor[style + 1]),
                                     o.HLUnderline[style + 1] ? UnderlineHeight : 0});
        FMatches.SetColour(QtColour(o.HLColor[0]), o.HLUnderline[0] ? UnderlineHeight : 0);
        Edit->viewport()->update();
    }

    void FocusAndClickThrough() override {
        Edit->FocusControl();
        if (!(QApplication::mouseButtons() & Qt::LeftButton)) return;
        QPoint at = Edit->viewport()->mapFromGlobal(QCursor::pos());
        if (!Edit->viewport()->rect().contains(at)) return;
        QMouseEvent press(QEvent::MouseButtonPress, at, Edit->viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Edit->viewport(), &press);
    }

    bool ControlShown() const override { return Edit->isVisible(); }

    TknRichEdit* Edit;  // owned by the page area
    TEditorClient* Client = nullptr;

  private:
    TMatchMarks MatchMarks() const {
        if (!Client) return {};
        const TknRichEditFindHandler& engine = Client->FindHandler().Engine();
        if (!engine.HighlightMatch) return {};
        return {engine.FindWhat, engine.MatchCase};
    }

    TknRichEditLineNumber FLineNumbers;
    TknRichEditHighlightSelLine FSelLine;
    TknRichEditHighLightTextBlock FBlocks;
    TknRichEditHighlightText FMatches;
    TStatisticsHandler FStatistics;
    QTimer FCheckTimer;
};

// The window parts are made first, so the client can be given them.
class TWindowEditorClient : private TEditorUi, public TEditorClient {
  public:
    explicit TWindowEditorClient(QWidget* pageArea)
        : TEditorUi(pageArea), TEditorClient(*Edit, *Edit, *this) {
        Client = this;
    }
    ~TWindowEditorClient() override { Client = nullptr; }
};

}  // namespace

std::unique_ptr<TClientSuper> MakeEditorClient(QWidget* pageArea) {
    return std::make_unique<TWindowEditorClient>(pageArea);
}

}  // namespace qb
