#include "toolkit/UknAccelTable.h"

#include <QShortcut>
#include <QWidget>

#include "toolkit/UknMenu.h"

namespace qb {

namespace {

int NamedQtKey(uint16_t virtualKey) {
    if (virtualKey >= vkF1 && virtualKey < vkF1 + 12) return Qt::Key_F1 + (virtualKey - vkF1);
    switch (virtualKey) {
        case vkTab:
            return Qt::Key_Tab;
        case vkEscape:
            return Qt::Key_Escape;
        case vkPrior:
            return Qt::Key_PageUp;
        case vkNext:
            return Qt::Key_PageDown;
        case vkLeft:
            return Qt::Key_Left;
        case vkUp:
            return Qt::Key_Up;
        case vkRight:
            return Qt::Key_Right;
        case vkDown:
            return Qt::Key_Down;
        case vkInsert:
            return Qt::Key_Insert;
        case vkDelete:
            return Qt::Key_Delete;
        default:
            return 0;
    }
}

}  // namespace

QKeySequence AccelKeySequence(const TAccelKey& key) {
    // Qt's codes of the printable keys are their upper-case characters, as the key texts'.
    int qtKey = key.Named ? NamedQtKey(key.Key) : key.Key;
    if (qtKey == 0) return {};
    Qt::KeyboardModifiers modifiers;
    if (key.Modifiers & akControl) modifiers |= Qt::ControlModifier;
    if (key.Modifiers & akShift) modifiers |= Qt::ShiftModifier;
    if (key.Modifiers & akAlt) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

TknAccelTable::TknAccelTable(QWidget* owner) : FOwner(owner) {}

TknAccelTable::~TknAccelTable() {
    ClearShortcuts();
}

void TknAccelTable::Create() {
    OnCreate();
    Build();
}

void TknAccelTable::AddEntry(int32_t id, std::u16string keyText, bool inTable) {
    FEntries.push_back({id, std::move(keyText), inTable});
}

void TknAccelTable::ClearShortcuts() {
    for (QShortcut* shortcut : FShortcuts) delete shortcut;
    FShortcuts.clear();
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
