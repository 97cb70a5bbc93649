#pragma once

// The base of the program's dialogs: OK accepts after OnOk agrees, Cancel and Escape reject.
// And the message boxes: questions titled "Prompt", notices titled "Information".

#include <QDialog>
#include <QRect>
#include <string>
#include <string_view>

class QDialogButtonBox;
class QPushButton;

namespace qb {

class TknDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TknDialog(QWidget* parent = nullptr, std::u16string_view title = {});

    // Runs the dialog modally; true when it was closed with OK.
    bool Execute();
    // The buttons OK and Cancel with these captions (empty: "OK" and "Cancel"), OK the
    // default; made once, on first call.
    QDialogButtonBox* ButtonBox(std::u16string_view okText = {},
                                std::u16string_view cancelText = {});
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

    void SetTitle(std::u16string_view title);
    // The dialog's large and small icon by resource id (0 keeps the default).
    void SetIconId(int32_t iconId);

    // OK: the dialog closes with true only when OnOk answers true (it saves the fields).
    void accept() override;

  protected:
    virtual bool OnOk() { return true; }
    void showEvent(QShowEvent* event) override;

  private:
    QDialogButtonBox* FButtons = nullptr;
    bool FFitted = false;
};

// Where a dialog goes: its wanted rectangle made no larger than the work area (but not below
// its minimum size) and moved inside it, the top left kept on the screen first.
QRect FitDialogRect(const QRect& wanted, const QSize& minimum, const QRect& available);

// The title of questions and errors ("Prompt", translated) and of notices.
std::u16string PromptTitle();
std::u16string InformationTitle();

// Questions (title "Prompt", question icon): true for Yes / OK.
bool AskYesNo(QWidget* parent, std::u16string_view text);
bool AskOkCancel(QWidget* parent, std::u16string_view text);
// A problem (title "Prompt", warning icon).
void ShowPrompt(QWidget* parent, std::u16string_view text);
// A notice (title "Information", information icon).
void ShowInformation(QWidget* parent, std::u16string_view text);

}  // namespace qb
