#pragma once

// The input box: asks for one line of text under a title and a prompt.

#include <string>
#include <string_view>

#include "toolkit/UknDialog.h"

class QLabel;
class QLineEdit;

namespace qb {

class TInputBox : public TknDialog {
    Q_OBJECT
  public:
    // Captions are the string-table texts 1 "OK" and 2 "Cancel" as the caller passes them;
    // iconId 0 keeps the default icon.
    TInputBox(QWidget* parent, std::u16string_view title, std::u16string_view prompt,
              std::u16string_view text, std::u16string_view okText, std::u16string_view cancelText,
              int32_t iconId = 0);

    std::u16string Text() const;
    void SetText(std::u16string_view text);
    QLineEdit* Edit() const { return FEdit; }
    QLabel* Prompt() const { return FPrompt; }

  private:
    QLabel* FPrompt;
    QLineEdit* FEdit;
};

// Runs an input box with the captions "OK" and "Cancel" (texts 1 and 2 of the language); on OK
// `text` takes the edited text and the answer is true, on Cancel `text` stays as it was.
bool InputQuery(QWidget* parent, std::u16string_view title, std::u16string_view prompt,
                std::u16string& text, int32_t iconId = 0);

}  // namespace qb
