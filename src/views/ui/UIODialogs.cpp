#include "views/ui/UIODialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QProcess>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/ULangManager.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknProgress.h"
#include "toolkit/UknQtText.h"
#include "toolkit/UknTrackingTip.h"

namespace qb {

namespace {

QString Text(int32_t id, std::u16string_view fallback) { return QtText(LangText(id, fallback)); }

constexpr int kTipWidth = 400;
constexpr int kTipShowsMs = 4000;

// Radio buttons in a group, the button with the index checked.
QButtonGroup* Radios(TknDialog& dialog, QVBoxLayout& layout, const QStringList& texts, int checked) {
    auto* group = new QButtonGroup(&dialog);
    for (int i = 0; i < texts.size(); ++i) {
        auto* button = new QRadioButton(texts[i], &dialog);
        group->addButton(button, i);
        layout.addWidget(button);
    }
    if (QAbstractButton* button = group->button(checked)) button->setChecked(true);
    return group;
}

}  // namespace

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2) names << parts[i];
    return names.join(QStringLiteral(";;"));
}

TIODialogs::TIODialogs(QWidget& window) : FWindow(window) {}

TIODialogs::~TIODialogs() = default;

bool TIODialogs::ImportDialog(TImportChoice& choice) {
    TknDialog dialog(&FWindow, LangText(11500, u"Import"));
    dialog.setObjectName(QStringLiteral("ImportDialog"));
    auto* layout = new QVBoxLayout(&dialog);
    QButtonGroup* type = Radios(dialog, *layout,
                                {Text(11510, u"&File"), Text(11520, u"F&older")},
                                choice.ImportType == 1 ? 1 : 0);
    auto* linked = new QCheckBox(Text(11530, u"&Virtual import"), &dialog);
    linked->setChecked(choice.VirtualImport);
    layout->addWidget(linked);
    layout->addWidget(dialog.ButtonBox());
    if (!dialog.Execute()) return false;
    choice.ImportType = type->checkedId();
    choice.VirtualImport = linked->isChecked();
    return true;
}

bool TIODialogs::ExportDialog(TExportChoice& choice, bool toFolderAllowed) {
    TknDialog dialog(&FWindow, LangText(11600, u"Export"));
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    auto* layout = new QVBoxLayout(&dialog);
    int checked = choice.ExportType < 0 || choice.ExportType > 2 ? 0 : choice.ExportType;
    if (checked == 1 && !toFolderAllowed) checked = 0;
    QButtonGroup* type = Radios(dialog, *layout,
                                {Text(11610, u"To &file"), Text(11620, u"To f&older"),
                                 Text(11625, u"To &Clipboard")},
                                checked);
    type->button(1)->setEnabled(toFolderAllowed);
    auto* encode = new QComboBox(&dialog);
    encode->addItems({QStringLiteral("ANSI"), QStringLiteral("Unicode"),
                      QStringLiteral("Unicode big endian"), QStringLiteral("UTF-8")});
    encode->setCurrentIndex(ChoiceOfEncode(choice.ExportEncode));
    auto* form = new QFormLayout;
    form->addRow(QObject::tr("Encode:"), encode);
    layout->addLayout(form);
    layout->addWidget(dialog.ButtonBox());
    auto enable = [type, encode] { encode->setEnabled(type->checkedId() != 2); };
    QObject::connect(type, &QButtonGroup::idToggled, &dialog, enable);
    enable();
    if (!dialog.Execute()) return false;
    choice.ExportType = type->checkedId();
    choice.ExportEncode = EncodeOfChoice(encode->currentIndex());
    return true;
}

std::vector<std::u16string> TIODialogs::ChooseImportFiles() {
    QFileDialog dialog(&FWindow, Text(25410, u"Select file for import"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(QtFileFilter(Text(25420, u"Text Files (*.txt)|*.txt|quillbox Export File "
                                                 u"(*.qbx)|*.qbx|All Files (*.*)|*.*")));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    std::vector<std::u16string> files;
    if (dialog.exec() != QDialog::Accepted) return files;
    for (const QString& file : dialog.selectedFiles()) files.push_back(file.toStdU16String());
    return files;
}

std::u16string TIODialogs::ChooseFolder(const std::u16string& start) {
    return QFileDialog::getExistingDirectory(&FWindow, Text(25120, u"Select Folder"), QtText(start))
        .toStdU16String();
}

std::u16string TIODialogs::ChooseExportFile(const std::u16string& proposal, int32_t filterId) {
    QFileDialog dialog(&FWindow, Text(25430, u"Name export file"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QtFileFilter(Text(filterId, u"All Files (*.*)|*.*")));
    dialog.setDefaultSuffix(QFileInfo(QtText(proposal)).suffix());
    dialog.selectFile(QtText(proposal));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdU16String();
}

IIOProgress* TIODialogs::StartProgress() {
    if (!FTip) FTip = std::make_unique<TknTrackingTip>(kTipWidth, 0, kTipShowsMs);
    FProgress = std::make_unique<TknIOProgress>(&FWindow, FTip.get());
    return FProgress.get();
}

void TIODialogs::EndProgress() { FProgress.reset(); }

bool TIODialogs::StartProgram(const std::u16string& program, const std::u16string& argument) {
    if (QProcess::startDetached(QtText(program), {QtText(argument)})) return true;
    ShowPrompt(&FWindow, u"The mail program could not be started: " + program);
    return false;
}

}  // namespace qb
