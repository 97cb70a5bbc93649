#include "toolkit/UknDialog.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include "shell/ULangManager.h"
#include "toolkit/UknIcons.h"

namespace qb {

namespace {

QString ToQt(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

constexpr int32_t kPromptText = 25020;

int RunMessageBox(QWidget* parent, QMessageBox::Icon icon, const std::u16string& title,
                  std::u16string_view text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, ToQt(title), ToQt(text), buttons, parent);
    return box.exec();
}

}  // namespace

TknDialog::TknDialog(QWidget* parent, std::u16string_view title) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (!title.empty()) SetTitle(title);
}

bool TknDialog::Execute() {
    return exec() == QDialog::Accepted;
}

QDialogButtonBox* TknDialog::ButtonBox(std::u16string_view okText, std::u16string_view cancelText) {
    if (FButtons) return FButtons;
    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (!okText.empty()) OkButton()->setText(ToQt(okText));
    if (!cancelText.empty()) CancelButton()->setText(ToQt(cancelText));
    OkButton()->setDefault(true);
    connect(FButtons, &QDialogButtonBox::accepted, this, &TknDialog::accept);
    connect(FButtons, &QDialogButtonBox::rejected, this, &TknDialog::reject);
    return FButtons;
}

QPushButton* TknDialog::OkButton() const {
    return FButtons ? FButtons->button(QDialogButtonBox::Ok) : nullptr;
}

QPushButton* TknDialog::CancelButton() const {
    return FButtons ? FButtons->button(QDialogButtonBox::Cancel) : nullptr;
}

void TknDialog::SetTitle(std::u16string_view title) {
    setWindowTitle(ToQt(title));
}

void TknDialog::SetIconId(int32_t iconId) {
    if (iconId != 0) setWindowIcon(TknIcons::Icon(iconId));
}

void TknDialog::accept() {
    if (OnOk()) QDialog::accept();
}

std::u16string PromptTitle() {
    // Without a language manager (tests, early start-up errors) the built-in text.
    TLangManager* language = ExistingLangManager();
    std::u16string title = language ? language->GetText(kPromptText) : std::u16string();
    return title.empty() ? u"Prompt" : title;
}

std::u16string InformationTitle() {
    return u"Information";
}

bool AskYesNo(QWidget* parent, std::u16string_view text) {
    return RunMessageBox(parent, QMessageBox::Question, PromptTitle(), text,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool AskOkCancel(QWidget* parent, std::u16string_view text) {
    return RunMessageBox(parent, QMessageBox::Question, PromptTitle(), text,
                         QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void ShowPrompt(QWidget* parent, std::u16string_view text) {
    RunMessageBox(parent, QMessageBox::Warning, PromptTitle(), text, QMessageBox::Ok);
}

void ShowInformation(QWidget* parent, std::u16string_view text) {
    RunMessageBox(parent, QMessageBox::Information, InformationTitle(), text, QMessageBox::Ok);
}

}  // namespace qb
