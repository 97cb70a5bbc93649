#pragma once

// The "Insert Link" box: a link type, the link and a browse button for files and folders.

#include <optional>
#include <string>

#include "toolkit/UknDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace qb {

class TInsertLinkBox : public TknDialog {
  public:
    explicit TInsertLinkBox(QWidget* parent);
    // The link as the text takes it, none when cancelled.
    static std::optional<std::u16string> Ask(QWidget* parent);

  private:
    void Browse();
    QComboBox* FType;
    QLineEdit* FLink;
    QPushButton* FBrowse;
};

}  // namespace qb
