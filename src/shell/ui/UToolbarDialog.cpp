#include "shell/ui/UToolbarDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "toolkit/UknIcons.h"

namespace qb {

namespace {

QPushButton* NewButton(const char* text, QWidget* parent) {
    return new QPushButton(QString::fromUtf8(text), parent);
}

QListWidget* NewIconList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setIconSize(QSize(TknIcons::kSmall, TknIcons::kSmall));
    list->setMinimumWidth(180);
    return list;
}

}  // namespace

TToolbarDialog::TToolbarDialog(QWidget* parent, TToolbarEdit edit, TButtonTextOf textOf)
    : TknDialog(parent, u"Define Toolbar"),
      FEdit(std::move(edit)),
      FTextOf(std::move(textOf)),
      FAvailable(NewIconList(this)),
      FCurrent(NewIconList(this)),
      FAdd(NewButton(">>", this)),
      FRemove(NewButton("<<", this)),
      FUp(NewButton("Up", this)),
      FDown(NewButton("Down", this)),
      FReset(NewButton("Reset", this)) {
    Confirm = [this](std::u16string_view question) { return AskOkCancel(this, question); };

    auto* middle = new QVBoxLayout();
    middle->addStretch();
    middle->addWidget(FAdd);
    middle->addWidget(FRemove);
    middle->addStretch();
    auto* right = new QVBoxLayout();
    right->addStretch();
    right->addWidget(FUp);
    right->addWidget(FDown);
    right->addWidget(FReset);
    right->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Available Buttons"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Current Buttons"), this), 0, 2);
    grid->addWidget(FAvailable, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(FCurrent, 1, 2);
    grid->addLayout(right, 1, 3);
    grid->addWidget(ButtonBox(), 2, 0, 1, 4);

    connect(FAdd, &QPushButton::clicked, this, &TToolbarDialog::AddSelected);
    connect(FRemove, &QPushButton::clicked, this, &TToolbarDialog::RemoveSelected);
    connect(FUp, &QPushButton::clicked, this, [this] { Move(true); });
    connect(FDown, &QPushButton::clicked, this, [this] { Move(false); });
    connect(FReset, &QPushButton::clicked, this, &TToolbarDialog::Reset);
    connect(FAvailable, &QListWidget::itemDoubleClicked, this, &TToolbarDialog::AddSelected);
    connect(FCurrent, &QListWidget::itemDoubleClicked, this, &TToolbarDialog::RemoveSelected);
    Refill(-1);
}

void TToolbarDialog::FillList(QListWidget* list, const TButtonIds& ids) {
    list->clear();
    for (int32_t id : ids) {
        if (id == 0) {
            list->addItem(QStringLiteral("Separator"));
            continue;
        }
        list->addItem(new QListWidgetItem(TknIcons::Icon(id),
                                          QString::fromStdU16String(ButtonHint(FTextOf(id)))));
    }
}

void TToolbarDialog::Refill(int selected) {
    const int available = FAvailable->currentRow();
    FillList(FAvailable, FEdit.Available());
    FillList(FCurrent, FEdit.Current());
    FAvailable->setCurrentRow(std::min(std::max(available, 0), FAvailable->count() - 1));
    FCurrent->setCurrentRow(selected);
}

void TToolbarDialog::AddSelected() {
    // Before the selected current button; at the end when none is selected.
    int position = FCurrent->currentRow();
    if (position < 0) position = FCurrent->count();
    int added = FEdit.Add(FAvailable->currentRow(), position);
    if (added >= 0) Refill(added);
}

void TToolbarDialog::RemoveSelected() {
    const int row = FCurrent->currentRow();
    if (FEdit.Remove(row)) Refill(std::min(row, FCurrent->count() - 2));
}

void TToolbarDialog::Move(bool up) {
    const int row = FCurrent->currentRow();
    if (row < 0) return;
    Refill(up ? FEdit.MoveUp(row) : FEdit.MoveDown(row));
}

void TToolbarDialog::Reset() {
    if (!Confirm(u"Do you want to reset the original toolbuttons?")) return;
    FEdit.Reset();
    Refill(-1);
}

std::optional<std::u16string> DefineToolbar(QWidget* parent, const TMenuHolds& holds,
                                            TButtonIds current, TButtonTextOf textOf) {
    TToolbarDialog dialog(parent, TToolbarEdit(holds, std::move(current)), std::move(textOf));
    if (!dialog.Execute()) return std::nullopt;
    return dialog.Edit().Text();
}

}  // namespace qb
