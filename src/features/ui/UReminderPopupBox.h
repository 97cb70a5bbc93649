#pragma once

// The reminder windows: one small window per due item at the bottom right of the screen, with
// the item's description and the choice to remind again later, stop reminding or delete the
// item. Each is also announced as a desktop notification, so that it is seen while the
// notebook is hidden on another workspace.

#include <memory>
#include <vector>

#include "features/UMemoHandler.h"
#include "toolkit/UknDialog.h"

class QComboBox;
class QPlainTextEdit;
class QRadioButton;

namespace qb {

class TReminderPopupBox : public TknDialog {
    Q_OBJECT
  public:
    // Shows what the popup holds; OK applies the choice through it. Without an owner.
    explicit TReminderPopupBox(TReminderPopup& popup);

    TReminderPopup& Popup() const { return FPopup; }
    QRadioButton* RemindAgainButton() const { return FRemindAgain; }
    QRadioButton* NoRemindButton() const { return FNoRemind; }
    QRadioButton* DeleteMeButton() const { return FDeleteMe; }
    QComboBox* DurationBox() const { return FDuration; }

  protected:
    bool OnOk() override;

  private:
    void Choose(TReminderChoice choice);

    TReminderPopup& FPopup;
    QRadioButton* FRemindAgain;
    QRadioButton* FNoRemind;
    QRadioButton* FDeleteMe;
    QComboBox* FDuration;
};

class TReminderWindows : public IReminderWindows {
  public:
    TReminderWindows();
    ~TReminderWindows() override;  // the open windows go without a word to their popups
    TReminderWindows(const TReminderWindows&) = delete;
    TReminderWindows& operator=(const TReminderWindows&) = delete;

    // Opens the window; when the user closes it, the popup hears of it (and goes).
    bool ShowReminder(TReminderPopup& popup) override;
    void CloseReminder(TReminderPopup& popup) override;
    void ShowError(std::u16string_view text) override;

    const std::vector<TReminderPopupBox*>& Boxes() const { return FBoxes; }

  private:
    void Place(TReminderPopupBox& box, int index);
    void Forget(TReminderPopupBox* box);

    std::vector<TReminderPopupBox*> FBoxes;  // owned, newest last
};

}  // namespace qb
