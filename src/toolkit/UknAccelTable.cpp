#include "toolkit/UknAccelTable.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

#include "toolkit/UknKeys.h"
#include "toolkit/UknMenu.h"

namespace qb {

QKeySequence AccelKeySequence(const TAccelKey& key) {
    // Qt's codes of the printable keys are their upper-case characters, as the key texts'.
    int qtKey = key.Named ? VirtualKeyToQtKey(key.Key) : key.Key;
    if (qtKey == 0) return {};
    Qt::KeyboardModifiers modifiers;
    if (key.Modifiers & akControl) modifiers |= Qt::ControlModifier;
    if (key.Modifiers & akShift) modifiers |= Qt::ShiftModifier;
    if (key.Modifiers & akAlt) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

TknAccelTable::TknAccelTable(QWidget* owner) : FOwner(owner) {
    if (FOwner) QCoreApplication::instance()->installEventFilter(this);
}

TknAccelTable::~TknAccelTable() {
    ClearShortcuts();
}

void TknAccelTable::Create() {
    OnCreate();
    Build();
}

void TknAccelTable::ClearShortcuts() {
    for (QShortcut* shortcut : FShortcuts) delete shortcut;
    FShortcuts.clear();
}

bool TknAccelTable::IsTableKey(QKeyCombination key) const {
    for (const QShortcut* shortcut : FShortcuts)
        if (shortcut->key()[0] == key) return true;
    return false;
}

bool TknAccelTable::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != FOwner->window()) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        keyEvent->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (!IsTableKey(QKeyCombination(modifiers, static_cast<Qt::Key>(keyEvent->key()))))
        return false;
    // Not accepted: no control overrides the key, and the shortcut map delivers it.
    event->ignore();
    return true;
}

void TknAccelTable::Build() {
    ClearShortcuts();
    if (!FOwner) return;
    for (const TAccelBinding& binding : AccelBindings(FEntries)) {
        QKeySequence sequence = AccelKeySequence(binding.Key);
        if (sequence.isEmpty()) continue;
        auto* shortcut = new QShortcut(sequence, FOwner);
        shortcut->setContext(Qt::WindowShortcut);
        const int32_t id = binding.Id;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            if (FMenu) FMenu->Dispatch(id);
        });
        FShortcuts.push_back(shortcut);
    }
}

}  // namespace qb
