#pragma once

// The program's menus over the toolkit's: the two forms of the main menu, the context menus,
// the tray menu and the accelerator table. Each menu builds itself from the menu model, is a
// command sender and a language observer, and follows the active page when a submenu opens.

#include <memory>

#include "shell/UMenuModel.h"
#include "shell/UknClasses.h"
#include "toolkit/UknAccelTable.h"
#include "toolkit/UknMenu.h"

namespace qb {

class TknTrackingTip;

class TMenuSuper : public TknMenu, public ILangObserver {
    Q_OBJECT
  public:
    TMenuSuper(QWidget* owner, bool menuBar, TknAccelTable* accelTable);
    ~TMenuSuper() override;

    // Every item takes its text again; list items keep theirs (their lists relabel them).
    void LanguageChanged() override;

    // Adds the items under parent, submenus with their contents, texts from the language.
    void Build(QWidget* parent, const TMenuItems& items);
    // Gives item id the text of textId.
    void Relabel(int32_t id, int32_t textId);
    // Fills list submenu base from the list center (nothing when the menu does not hold it).
    void FillList(int32_t base);

  protected:
    // Registers with the language and command centers after building.
    void OnCreate() override;
    void OnDestroy() override;
    // The enabling of the submenu's items is checked first, then RefreshSubmenu runs.
    void OnPopup(QMenu* submenu, int32_t id) override;
    void OnItemHovered(QMenu* menu, QAction* action) override;
    // What a submenu changes when it opens: relabelled items, the view style, list contents.
    virtual void RefreshSubmenu(QMenu* submenu, int32_t id);
    // The items of the menu.
    virtual void BuildItems() {}

  private:
    void CheckViewStyle(const TActivePageFacts& page);
    void ShowTip(QMenu* menu, QAction* action, std::u16string_view tip);

    std::unique_ptr<TknTrackingTip> FTip;
};

class TMainMenu final : public TMenuSuper {
    Q_OBJECT
  public:
    // In popup form the five top menus are wrapped in submenu 1990.
    TMainMenu(QWidget* owner, TknAccelTable* accelTable, bool popupForm);
    ~TMainMenu() override;

  protected:
    void BuildItems() override;

  private:
    bool FPopupForm;
};

// The context menus: submenu 1990 is filled for the kind of event 3051 and tracked.
class TPopupMenu final : public TMenuSuper, public IEventObserver {
    Q_OBJECT
  public:
    explicit TPopupMenu(QWidget* owner);
    ~TPopupMenu() override;

    // Kinds 1 to 11 but 7: fills the menu, raises 529, tracks it at the cursor, raises 530.
    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;
    // Fills submenu 1990 for a kind; false when the kind has no items.
    bool Prepare(int32_t kind);

  protected:
    void BuildItems() override;
};

// The tray menu: submenu 99, with "Restore" or "Minimize" as the window's status asks.
class TTrayMenu final : public TMenuSuper, public IEventObserver {
    Q_OBJECT
  public:
    explicit TTrayMenu(QWidget* owner);
    ~TTrayMenu() override;

    void LanguageChanged() override;
    // Event 3050: the window's status (2 minimized).
    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;
    QMenu* TrayPopup() const { return GetSubMenu(kTrayMenuId); }

  protected:
    void BuildItems() override;
    void RefreshSubmenu(QMenu* submenu, int32_t id) override;

  private:
    int32_t FWindowStatus = 3;
};

// The accelerator table of the main window: the built-in keys and "accel.txt".
class TAccelTable final : public TknAccelTable {
    Q_OBJECT
  public:
    explicit TAccelTable(QWidget* owner);

  protected:
    void OnCreate() override;
};

}  // namespace qb
