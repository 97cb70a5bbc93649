#include "editor/ui/UInsertLinkBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "editor/UEditorClient.h"
#include "foundation/UknFunctions.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "toolkit/UknQtText.h"

namespace qb {

TInsertLinkBox::TInsertLinkBox(QWidget* parent)
    : TknDialog(parent, LangText(11950, u"Insert Link")),
      FType(new QComboBox),
      FLink(new QLineEdit),
      FBrowse(new QPushButton("...")) {
    const char16_t* types[] = {u"File", u"Folder", u"Url", u"Email", u"Node", u"Others"};
    for (int i = 0; i < 6; ++i) FType->addItem(QtText(LangText(25190 + i, types[i])));
    FType->setCurrentIndex(std::clamp(MemoryManager().InsertLinkType, 0, 5));
    FLink->setMinimumWidth(280);
    auto* link = new QHBoxLayout;
    link->addWidget(FLink);
    link->addWidget(FBrowse);
    auto* form = new QFormLayout(this);
    form->addRow(FType);
    form->addRow(QtText(LangText(20070, u"Link:")), link);
    form->addRow(ButtonBox());
    auto browseState = [this] { FBrowse->setEnabled(FType->currentIndex() <= 1); };
    connect(FType, &QComboBox::currentIndexChanged, this, browseState);
    connect(FBrowse, &QPushButton::clicked, this, [this] { Browse(); });
    browseState();
}

void TInsertLinkBox::Browse() {
    const QString start = FLink->text();
    const QString chosen =
        FType->currentIndex() == 0
            ? QFileDialog::getOpenFileName(this, QtText(LangText(25080, u"Select File")), start)
            : QFileDialog::getExistingDirectory(this, QtText(LangText(25120, u"Select Folder")),
                                                start);
    if (!chosen.isEmpty()) FLink->setText(QtText(MakeRelative(TextOf(chosen), ProgramFolder())));
}

std::optional<std::u16string> TInsertLinkBox::Ask(QWidget* parent) {
    TInsertLinkBox box(parent);
    const bool ok = box.Execute();
    MemoryManager().InsertLinkType = box.FType->currentIndex();
    if (!ok) return std::nullopt;
    return InsertedLink(TextOf(box.FLink->text()), box.FType->currentIndex());
}

}  // namespace qb
