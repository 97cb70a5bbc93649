#pragma once

// The password dialog of the login handler.

#include "storage/ULogInHandler.h"

class QWidget;

namespace qb {

class TLogInDialog : public ILogInDialog {
  public:
    explicit TLogInDialog(QWidget* parent = nullptr) : FParent(parent) {}
    // Asks until the typed password equals the stored one (true) or the user cancels (false);
    // each wrong one is answered with "Incorrect password!".
    bool Execute(const std::u16string& password) override;

  private:
    QWidget* FParent;
};

}  // namespace qb
