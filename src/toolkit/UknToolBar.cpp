#include "toolkit/UknToolBar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>

#include "shell/UMenuModelToolbar.h"
#include "toolkit/UknMenu.h"

namespace qb {

TknToolBar::TknToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("ToolBar"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The program's own context menu replaces Qt's list of the window's bars.
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

TknToolBar::~TknToolBar() = default;

template <class F>
void TknToolBar::ForButtons(int32_t id, F apply) {
    for (QAction* action : actions())
        if (!action->isSeparator() && ActionId(action) == id) apply(action);
}

void TknToolBar::AddButton(int32_t id) {
    QAction* button = addAction(ImageOf ? ImageOf(id) : QIcon(), QString());
    SetActionId(button, id);
    if (FMenu && FMenu->ItemExists(id)) {
        button->setEnabled(FMenu->ItemEnabled(id));
        if (FMenu->ItemChecked(id)) CheckButton(id, true);
        SetButtonText(id, FMenu->GetItemText(id));
    }
    connect(button, &QAction::triggered, this, [this, button, id] {
        // The check mark follows the menu item, not the click.
        if (FMenu) button->setChecked(FMenu->ItemChecked(id));
        if (FMenu) FMenu->Dispatch(id);
    });
}

void TknToolBar::SetButtons(const std::vector<int32_t>& ids) {
    for (QAction* action : actions()) {
        removeAction(action);
        delete action;
    }
    for (int32_t id : ids) {
        if (id == 0)
            addSeparator();
        else
            AddButton(id);
    }
}

std::vector<int32_t> TknToolBar::Buttons() const {
    std::vector<int32_t> ids;
    for (QAction* action : actions()) ids.push_back(action->isSeparator() ? 0 : ActionId(action));
    return ids;
}

bool TknToolBar::HasButton(int32_t id) const {
    return Button(id) != nullptr;
}

QAction* TknToolBar::Button(int32_t id) const {
    for (QAction* action : actions())
        if (!action->isSeparator() && ActionId(action) == id) return action;
    return nullptr;
}

void TknToolBar::EnableButton(int32_t id, bool enabled) {
    ForButtons(id, [enabled](QAction* a) { a->setEnabled(enabled); });
}

void TknToolBar::CheckButton(int32_t id, bool checked) {
    ForButtons(id, [checked](QAction* a) {
        if (checked) a->setCheckable(true);
        a->setChecked(checked);
    });
}

void TknToolBar::SetButtonText(int32_t id, std::u16string_view text) {
    QString hint = QString::fromStdU16String(ButtonHint(text));
    ForButtons(id, [&hint](QAction* a) {
        a->setText(hint);
        a->setToolTip(hint);
    });
}

void TknToolBar::DropDown(int32_t id, QMenu* submenu) {
    QAction* button = Button(id);
    auto* widget = button ? qobject_cast<QToolButton*>(widgetForAction(button)) : nullptr;
    if (!widget || !submenu) return;
    widget->setDown(true);
    submenu->exec(widget->mapToGlobal(QPoint(0, widget->height())));
    widget->setDown(false);
}

void TknToolBar::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (OnContextMenu) OnContextMenu();
}

}  // namespace qb
