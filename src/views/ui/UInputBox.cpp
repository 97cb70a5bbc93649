#include "views/ui/UInputBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "shell/ULangManager.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

std::u16string Caption(int32_t id, std::u16string_view builtIn) {
    TLangManager* language = ExistingLangManager();
    std::u16string text = language ? language->GetText(id) : std::u16string();
    return text.empty() ? std::u16string(builtIn) : text;
}

}  // namespace

TInputBox::TInputBox(QWidget* parent, std::u16string_view title, std::u16string_view prompt,
                     std::u16string_view text, std::u16string_view okText,
                     std::u16string_view cancelText, int32_t iconId)
    : TknDialog(parent, title),
      FPrompt(new QLabel(QtText(prompt), this)),
      FEdit(new QLineEdit(this)) {
    SetIconId(iconId);
    auto* layout = new QVBoxLayout(this);
    FPrompt->setBuddy(FEdit);
    layout->addWidget(FPrompt);
    layout->addWidget(FEdit);
    layout->addWidget(ButtonBox(okText, cancelText));
    SetText(text);
    FEdit->selectAll();
    FEdit->setFocus();
    setMinimumWidth(320);
}

std::u16string TInputBox::Text() const {
    return FEdit->text().toStdU16String();
}

void TInputBox::SetText(std::u16string_view text) {
    FEdit->setText(QtText(text));
}

bool InputQuery(QWidget* parent, std::u16string_view title, std::u16string_view prompt,
                std::u16string& text, int32_t iconId) {
    TInputBox box(parent, title, prompt, text, Caption(1, u"OK"), Caption(2, u"Cancel"), iconId);
    if (!box.Execute()) return false;
    text = box.Text();
    return true;
}

}  // namespace qb
