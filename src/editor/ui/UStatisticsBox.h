#pragma once

// The "Statistics" box: the counts of the active page and of the whole notebook on two tabs.

#include "toolkit/UknDialog.h"

class QPlainTextEdit;

namespace qb {

class TStatisticsBox : public TknDialog {
  public:
    explicit TStatisticsBox(QWidget* parent);

  private:
    void ShowTab(int tab);
    QPlainTextEdit* FLabels;
    QPlainTextEdit* FValues;
};

}  // namespace qb
