#include "toolkit/UknMenu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

#include "toolkit/UknAccelTable.h"
#include "toolkit/UknToolBar.h"

namespace qb {

namespace {

constexpr const char* kIdProperty = "qbCommandId";

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int32_t ActionId(const QAction* action) {
    return action ? action->property(kIdProperty).toInt() : 0;
}

void SetActionId(QAction* action, int32_t id) {
    action->setProperty(kIdProperty, id);
}

TknMenu::TknMenu(QWidget* owner, bool menuBar) : FOwner(owner), FMenuBar(menuBar) {}

TknMenu::~TknMenu() {
    delete FHandle.data();
}

void TknMenu::Create() {
    CreateMenuHandle();
    OnCreate();
}

void TknMenu::Destroy() {
    OnDestroy();
}

void TknMenu::CreateMenuHandle() {
    if (FMenuBar) {
        FHandle = new QMenuBar();
    } else {
        auto* menu = new QMenu();
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { OnPopup(menu, 0); });
        connect(menu, &QMenu::hovered, this,
                [this, menu](QAction* hovered) { OnItemHovered(menu, hovered); });
        FHandle = menu;
    }
}

QAction* TknMenu::NewAction(int32_t id, std::u16string_view text, QWidget* parent) {
    auto* action = new QAction(parent);
    SetActionId(action, id);
    FActions[id] = action;
    FChecked.erase(id);
    SetItemText(id, text);
    connect(action, &QAction::triggered, this, [this, action, id] {
        // Qt has already flipped a checkable item; its state is the command center's.
        action->setChecked(FChecked[id]);
        Dispatch(id);
    });
    return action;
}

QMenu* TknMenu::NewSubmenu(int32_t id, std::u16string_view text, QWidget* parent) {
    auto* submenu = new QMenu(parent);
    QAction* action = submenu->menuAction();
    SetActionId(action, id);
    FActions[id] = action;
    SetItemText(id, text);
    connect(submenu, &QMenu::aboutToShow, this, [this, submenu, id] { OnPopup(submenu, id); });
    connect(submenu, &QMenu::hovered, this,
            [this, submenu](QAction* hovered) { OnItemHovered(submenu, hovered); });
    return submenu;
}

void TknMenu::Place(QWidget* parent, int position, QAction* action) {
    QList<QAction*> actions = parent->actions();
    if (position >= 0 && position < actions.size())
        parent->insertAction(actions[position], action);
    else
        parent->addAction(action);
}

QAction* TknMenu::AddItem(QWidget* parent, int32_t id, std::u16string_view text) {
    return InsertItem(parent, -1, id, text);
}

QAction* TknMenu::InsertItem(QWidget* parent, int position, int32_t id, std::u16string_view text) {
    QAction* action = NewAction(id, text, parent);
    Place(parent, position, action);
    return action;
}

QMenu* TknMenu::AddPopup(QWidget* parent, int32_t id, std::u16string_view text) {
    return InsertPopup(parent, -1, id, text);
}

QMenu* TknMenu::InsertPopup(QWidget* parent, int position, int32_t id, std::u16string_view text) {
    QMenu* submenu = NewSubmenu(id, text, parent);
    Place(parent, position, submenu->menuAction());
    return submenu;
}

void TknMenu::AddSeparator(QWidget* parent) {
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    parent->addAction(separator);
}

void TknMenu::Forget(QAction* action) {
    if (QMenu* submenu = action->menu()) {
        for (QAction* inner : submenu->actions()) Forget(inner);
    }
    auto it = FActions.find(ActionId(action));
    if (it != FActions.end() && it->second == action) {
        FChecked.erase(it->first);
        FActions.erase(it);
    }
}

void TknMenu::ClearPopup(QWidget* parent) {
    for (QAction* action : parent->actions()) {
        Forget(action);
        parent->removeAction(action);
        if (QMenu* submenu = action->menu())
            delete submenu;  // its menu action goes with it
        else if (action->parent() == parent)
            delete action;
    }
}

void TknMenu::DeleteItem(int32_t id) {
    QAction* action = Action(id);
    if (!action) return;
    Forget(action);
    if (QMenu* submenu = action->menu())
        delete submenu;
    else
        delete action;
}

int TknMenu::ItemCount(QWidget* parent) const {
    return parent ? static_cast<int>(parent->actions().size()) : 0;
}

QMenu* TknMenu::GetSubMenu(int32_t id) const {
    QAction* action = Action(id);
    return action ? action->menu() : nullptr;
}

QAction* TknMenu::Action(int32_t id) const {
    auto it = FActions.find(id);
    return it == FActions.end() ? nullptr : it->second.data();
}

void TknMenu::TrackPopup(int32_t submenuId, int x, int y) {
    QMenu* menu = submenuId ? GetSubMenu(submenuId) : qobject_cast<QMenu*>(FHandle.data());
    if (!menu) return;
    QPoint point = x < 0 || y < 0 ? QCursor::pos() : QPoint(x, y);
    menu->exec(point);
}

void TknMenu::Dispatch(int32_t id) {
    QAction* action = Action(id);
    if (!action) {
        if (FCommandProc) FCommandProc(id);
        return;
    }
    if (!action->isEnabled()) return;
    if (action->menu() && FToolBar && FToolBar->HasButton(id)) {
        FToolBar->DropDown(id, action->menu());
        return;
    }
    if (FCommandProc) FCommandProc(id);
}

void TknMenu::CheckItem(int32_t id, bool checked) {
    QAction* action = Action(id);
    if (!action) return;
    FChecked[id] = checked;
    if (checked) action->setCheckable(true);
    action->setChecked(checked);
    if (FToolBar) FToolBar->CheckButton(id, checked);
}

bool TknMenu::ItemChecked(int32_t id) {
    auto it = FChecked.find(id);
    return Action(id) && it != FChecked.end() && it->second;
}

void TknMenu::EnableItem(int32_t id, bool enabled) {
    QAction* action = Action(id);
    if (!action) return;
    action->setEnabled(enabled);
    if (FToolBar) FToolBar->EnableButton(id, enabled);
}

bool TknMenu::ItemEnabled(int32_t id) {
    QAction* action = Action(id);
    return action && action->isEnabled();
}

void TknMenu::ShowItem(int32_t id, bool visible) {
    if (QAction* action = Action(id)) action->setVisible(visible);
}

bool TknMenu::ItemVisible(int32_t id) {
    QAction* action = Action(id);
    return action && action->isVisible();
}

void TknMenu::SetItemText(int32_t id, std::u16string_view text) {
    QAction* action = Action(id);
    if (!action) return;
    std::u16string shown(text);
    if (FAccelTable && shown.find(u'\t') == std::u16string::npos) {
        std::u16string key = FAccelTable->KeyText(id);
        if (!key.empty()) shown += u"\t" + key;
    }
    action->setText(ToQString(shown));
    if (FToolBar) FToolBar->SetButtonText(id, GetItemText(id));
}

std::u16string TknMenu::GetItemText(int32_t id) {
    QAction* action = Action(id);
    if (!action) return {};
    std::u16string text = action->text().toStdU16String();
    return text.substr(0, text.find(u'\t'));
}

void TknMenu::GetItemList(TknIntList& ids) {
    for (const auto& [id, action] : FActions)
        if (action) ids.Add(id);
}

}  // namespace qb
