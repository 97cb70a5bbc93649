#pragma once

// The accelerator table of a window: entries of command id, key text and whether the key is
// the window's (in the table) or only shown in the menus and left to the focused control. The
// window's keys are shortcuts of the owner window, taken before any control inside it can
// claim them; each goes through the linked menu, so a disabled command does not run from its
// key.

#include <QKeySequence>
#include <QObject>
#include <string>
#include <vector>

#include "shell/UAccelText.h"

class QShortcut;
class QWidget;

namespace qb {

class TknMenu;

class TknAccelTable : public QObject {
    Q_OBJECT
  public:
    explicit TknAccelTable(QWidget* owner);
    ~TknAccelTable() override;

    void SetMenu(TknMenu* menu) { FMenu = menu; }
    TknMenu* Menu() const { return FMenu; }

    // The key text the menus show for a command, empty when none.
    std::u16string KeyText(int32_t id) const { return AccelKeyText(FEntries, id); }

    // Builds the window's shortcuts from the in-table entries whose key text parses; no owner
    // means no shortcuts.
    void Build();
    // The owner's shortcuts, in table order.
    const std::vector<QShortcut*>& Shortcuts() const { return FShortcuts; }

  protected:
    // Keeps the owner's controls from claiming a key of the table (a text control takes
    // Ctrl+K for itself, say), so that the shortcut gets it.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Slot order: OnCreate fills the entries. Create runs it and builds the table.
    virtual void OnCreate() {}
    void Create();
    TAccelEntries& MutableEntries() { return FEntries; }

  private:
    void ClearShortcuts();
    bool IsTableKey(QKeyCombination key) const;

    QWidget* FOwner;
    TknMenu* FMenu = nullptr;
    TAccelEntries FEntries;
    std::vector<QShortcut*> FShortcuts;
};

// The Qt key sequence of a parsed key.
QKeySequence AccelKeySequence(const TAccelKey& key);

}  // namespace qb
