#pragma once

// The "Define Toolbar" dialog: the available buttons and the current ones as two icon lists,
// ">>" and "<<" between them, up and down for the current list, and a reset to the defaults.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/UMenuModelToolbar.h"
#include "toolkit/UknDialog.h"

class QListWidget;
class QPushButton;

namespace qb {

// The caption of a button id (its menu text).
using TButtonTextOf = std::function<std::u16string(int32_t id)>;

class TToolbarDialog : public TknDialog {
    Q_OBJECT
  public:
    TToolbarDialog(QWidget* parent, TToolbarEdit edit, TButtonTextOf textOf);

    const TToolbarEdit& Edit() const { return FEdit; }
    QListWidget* AvailableList() const { return FAvailable; }
    QListWidget* CurrentList() const { return FCurrent; }
    QPushButton* AddButton() const { return FAdd; }
    QPushButton* RemoveButton() const { return FRemove; }
    QPushButton* UpButton() const { return FUp; }
    QPushButton* DownButton() const { return FDown; }
    QPushButton* ResetButton() const { return FReset; }

    // The reset question; a Prompt box unless replaced.
    std::function<bool(std::u16string_view question)> Confirm;

  private:
    void AddSelected();
    void RemoveSelected();
    void Move(bool up);
    void Reset();
    // Shows both lists again, selecting row selected of the current list.
    void Refill(int selected);
    void FillList(QListWidget* list, const TButtonIds& ids);

    TToolbarEdit FEdit;
    TButtonTextOf FTextOf;
    QListWidget* FAvailable;
    QListWidget* FCurrent;
    QPushButton* FAdd;
    QPushButton* FRemove;
    QPushButton* FUp;
    QPushButton* FDown;
    QPushButton* FReset;
};

// Runs the dialog over the current buttons; the new ToolButtons text when confirmed.
std::optional<std::u16string> DefineToolbar(QWidget* parent, const TMenuHolds& holds,
                                            TButtonIds current, TButtonTextOf textOf);

}  // namespace qb
