#pragma once

// The options dialog (command 1820): one panel per group of options, chosen from a list, with
// the controls the options layout names. It edits a copy of the options record; OK hands the
// copy back with every value the user changed, Cancel leaves it as it was.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/UOptionManager.h"
#include "shell/UOptionsLayout.h"
#include "toolkit/UknDialog.h"

class QListWidget;
class QStackedWidget;

namespace qb {

class TOptionsDialog : public TknDialog {
    Q_OBJECT
  public:
    // Opens on the panel with the text id firstPanel (the first panel when none has it).
    TOptionsDialog(QWidget* parent, const TOptions& options, int32_t firstPanel = kFirstPanelId);
    ~TOptionsDialog() override;

    // The edited record; valid after OK.
    const TOptions& Result() const { return FResult; }
    // The text id of the panel shown now.
    int32_t CurrentPanel() const;
    void ShowPanel(int32_t textId);

    // The control that edits an option (the first one of a row), for tests and for focus.
    QWidget* Control(std::u16string_view section, std::u16string_view key) const;

  protected:
    bool OnOk() override;

  private:
    struct TBinding;
    void BuildPanel(const TOptionPanel& panel);
    QWidget* MakeControl(const TOptionEntry& entry, TBinding& binding);
    QWidget* MakeNumber(const TOptionEntry& entry, TBinding& binding);
    QWidget* MakeChoice(const TOptionEntry& entry, TBinding& binding);
    QWidget* MakeText(const TOptionEntry& entry, TBinding& binding);
    QWidget* MakeStartPage(const TOptionEntry& entry, TBinding& binding);
    QWidget* MakeLanguage(const TOptionEntry& entry, TBinding& binding);
    QWidget* MakeDictionaries(TBinding& binding);
    void LinkControls();
    void PanelShown(int index);

    TOptions FOriginal;
    TOptions FResult;
    TOptions FScratch;  // the fields the controls were built from
    QListWidget* FPanelList;
    QStackedWidget* FPanels;
    std::vector<std::unique_ptr<TBinding>> FBindings;
    std::vector<std::function<void()>> FOnPanelShown;  // by panel index, run once
};

// The dialog as the option manager runs it: modal over the window given to Execute (or the
// parent given here when that is null), starting on the remembered panel and remembering the
// last one shown. Install it with SetOptionsDialog.
class TOptionsDialogHost : public IOptionsDialog {
  public:
    explicit TOptionsDialogHost(QWidget* parent = nullptr);
    bool Execute(TknWindow* parent, TOptions& options) override;

  private:
    QPointer<QWidget> FParent;
};

}  // namespace qb
