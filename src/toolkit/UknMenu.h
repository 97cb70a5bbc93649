#pragma once

// One menu of the program over Qt: a menu bar or a popup menu whose items carry command ids.
// It is a command sender: the command center sets its items' enabled and checked states and
// texts, and every chosen item (or accelerator, or toolbar button) is dispatched through it,
// so a disabled command does nothing wherever it comes from.

#include <QObject>
#include <QPointer>
#include <map>
#include <string>
#include <string_view>

#include "shell/UknClasses.h"

class QAction;
class QMenu;
class QWidget;

namespace qb {

class TknToolBar;
class TknAccelTable;

class TknMenu : public QObject, public ICommandSender {
    Q_OBJECT
  public:
    // A bar menu's handle is a QMenuBar (for the owner's menu bar), a popup menu's a QMenu.
    TknMenu(QWidget* owner, bool menuBar);
    ~TknMenu() override;
    TknMenu(const TknMenu&) = delete;
    TknMenu& operator=(const TknMenu&) = delete;

    // The root of the items: QMenuBar or QMenu. Every operation takes it or a submenu as the
    // parent.
    QWidget* Handle() const { return FHandle; }
    QWidget* Owner() const { return FOwner; }

    QAction* AddItem(QWidget* parent, int32_t id, std::u16string_view text);
    QAction* InsertItem(QWidget* parent, int position, int32_t id, std::u16string_view text);
    QMenu* AddPopup(QWidget* parent, int32_t id, std::u16string_view text);
    QMenu* InsertPopup(QWidget* parent, int position, int32_t id, std::u16string_view text);
    void AddSeparator(QWidget* parent);
    // Deletes every item of the parent, submenus with theirs, and forgets their ids.
    void ClearPopup(QWidget* parent);
    void DeleteItem(int32_t id);
    int ItemCount(QWidget* parent) const;
    QMenu* GetSubMenu(int32_t id) const;
    QAction* Action(int32_t id) const;  // null when the menu does not hold the id

    // Opens submenu id (0: the whole popup menu) at the point, at the cursor when x or y is
    // negative, and waits until it closes; the chosen item is dispatched.
    void TrackPopup(int32_t submenuId, int x, int y);

    // A chosen id: not held goes to the command procedure; held and enabled either drops its
    // submenu under its toolbar button or goes to the command procedure; disabled does nothing.
    void Dispatch(int32_t id);

    void SetToolBar(TknToolBar* toolBar) { FToolBar = toolBar; }
    TknToolBar* ToolBar() const { return FToolBar; }
    void SetAccelTable(TknAccelTable* accelTable) { FAccelTable = accelTable; }
    TknAccelTable* AccelTable() const { return FAccelTable; }

    // ICommandSender
    void CheckItem(int32_t id, bool checked) override;
    bool ItemChecked(int32_t id) override;
    void EnableItem(int32_t id, bool enabled) override;
    bool ItemEnabled(int32_t id) override;
    void ShowItem(int32_t id, bool visible) override;
    bool ItemVisible(int32_t id) override;
    // The text with a tab and the accelerator's key text added when it has none of its own.
    void SetItemText(int32_t id, std::u16string_view text) override;
    // The text up to its first tab.
    std::u16string GetItemText(int32_t id) override;
    void SetCommandProc(TCommandProc proc) override { FCommandProc = std::move(proc); }
    bool ItemExists(int32_t id) override { return Action(id) != nullptr; }
    void GetItemList(TknIntList& ids) override;

  protected:
    // Slot order: CreateMenuHandle, OnCreate, OnDestroy, OnPopup. The concrete menus call
    // Create from their constructors and Destroy from their destructors.
    virtual void CreateMenuHandle();
    virtual void OnCreate() {}
    virtual void OnDestroy() {}
    // A submenu (or the whole popup menu, id 0) is about to open.
    virtual void OnPopup(QMenu* /*submenu*/, int32_t /*id*/) {}
    // The mouse rests on an item.
    virtual void OnItemHovered(QMenu* /*menu*/, QAction* /*action*/) {}

    void Create();
    void Destroy();

  private:
    QAction* NewAction(int32_t id, std::u16string_view text, QWidget* parent);
    QMenu* NewSubmenu(int32_t id, std::u16string_view text, QWidget* parent);
    void Place(QWidget* parent, int position, QAction* action);
    void Forget(QAction* action);

    QWidget* FOwner;
    bool FMenuBar;
    QPointer<QWidget> FHandle;
    std::map<int32_t, QPointer<QAction>> FActions;
    std::map<int32_t, bool> FChecked;  // Qt flips a checkable action itself; this is the truth
    TknToolBar* FToolBar = nullptr;
    TknAccelTable* FAccelTable = nullptr;
    TCommandProc FCommandProc;
};

// The id an action of a TknMenu or TknToolBar carries; 0 for a separator.
int32_t ActionId(const QAction* action);
void SetActionId(QAction* action, int32_t id);

}  // namespace qb
