#include "shell/ui/ULogInDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "shell/ULangManager.h"

namespace qb {

namespace {

constexpr int32_t kIncorrectPasswordText = 11430;
constexpr int32_t kPromptText = 25020;

QString Text(int32_t id) {
    return QString::fromStdU16String(LangText(id));
}

}  // namespace

bool TLogInDialog::Execute(const std::u16string& password) {
    QDialog dialog(FParent);
    dialog.setObjectName(QStringLiteral("LogInDialog"));
    dialog.setWindowTitle(QStringLiteral("quillbox"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Password:"), &dialog));
    auto* edit = new QLineEdit(&dialog);
    edit->setEchoMode(QLineEdit::Password);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(260);

    const QString expected = QString::fromStdU16String(password);
    while (dialog.exec() == QDialog::Accepted) {
        if (edit->text() == expected) return true;
        QMessageBox::warning(&dialog, Text(kPromptText), Text(kIncorrectPasswordText));
        edit->clear();
    }
    return false;
}

}  // namespace qb
