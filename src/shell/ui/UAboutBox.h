#pragma once

// The About box (command 1940): the program's icon, name and version and a line about it.

#include "toolkit/UknDialog.h"

class QLabel;

namespace qb {

class TAboutBox : public TknDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // "Version 1.2.3", in the interface language.
    static QString VersionText();
};

// Shows the box modally.
void ShowAboutBox(QWidget* parent);

}  // namespace qb
