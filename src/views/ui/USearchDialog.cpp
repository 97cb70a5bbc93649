#include "views/ui/USearchDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "toolkit/UknDialog.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

// Fills the combo box with the choices and selects the one with the value (else the first).
void Fill(QComboBox& combo, const std::vector<TSearchChoice>& choices, int32_t value) {
    combo.clear();
    for (const TSearchChoice& c : choices) combo.addItem(QtText(c.Caption), c.Value);
    combo.setCurrentIndex(std::max(0, combo.findData(value)));
}

int32_t Chosen(const QComboBox& combo, int32_t fallback) {
    return combo.currentIndex() < 0 ? fallback : combo.currentData().toInt();
}

}  // namespace

bool TSearchDialog::Execute(TSearchBox& box) {
    TknDialog dialog(QApplication::activeWindow(), box.Caption());
    dialog.setObjectName(QStringLiteral("SearchBox"));
    auto* types = new QComboBox(&dialog);
    auto* fields = new QComboBox(&dialog);
    auto* operators = new QComboBox(&dialog);
    auto* value = new QLineEdit(QtText(box.Crit.Value), &dialog);
    auto* matchCase = new QCheckBox(QObject::tr("Match case"), &dialog);
    Fill(*types, box.PageTypes(), box.Crit.PageType);
    Fill(*fields, box.Fields(), box.Crit.FieldId);
    Fill(*operators, box.Operators(), box.Crit.Operator);
    matchCase->setChecked(box.Crit.MatchCase);
    QObject::connect(types, &QComboBox::currentIndexChanged, &dialog, [&] {
        box.Crit.FieldId = Chosen(*fields, box.Crit.FieldId);
        box.SelectPageType(static_cast<uint8_t>(Chosen(*types, box.Crit.PageType)));
        Fill(*fields, box.Fields(), box.Crit.FieldId);
    });
    auto* form = new QFormLayout;
    form->addRow(QObject::tr("Page type:"), types);
    form->addRow(QObject::tr("Field:"), fields);
    form->addRow(QObject::tr("Operator:"), operators);
    form->addRow(QObject::tr("Value:"), value);
    form->addRow(QString(), matchCase);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(dialog.ButtonBox());
    value->setFocus();
    value->selectAll();
    if (!dialog.Execute()) return false;
    box.Crit.PageType = static_cast<uint8_t>(Chosen(*types, box.Crit.PageType));
    box.Crit.FieldId = Chosen(*fields, box.Crit.FieldId);
    box.Crit.Operator = Chosen(*operators, box.Crit.Operator);
    box.Crit.Value = value->text().toStdU16String();
    box.Crit.MatchCase = matchCase->isChecked();
    return true;
}

}  // namespace qb
