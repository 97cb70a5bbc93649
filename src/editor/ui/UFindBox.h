#pragma once

// The modeless "Find / Replace" dialog over the editor's find handler.

#include "toolkit/UknDialog.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace qb {

class TFindHandler;
struct TFindBoxValues;

class TFindBox : public TknDialog {
  public:
    TFindBox(QWidget* parent, TFindHandler& handler);

  protected:
    void done(int result) override;

  private:
    TFindBoxValues Values() const;
    void ReadIntoEngine();
    void Find();
    void Replace();
    void ReplaceAll();
    void UpdateReplaceState();

    TFindHandler& FHandler;
    QComboBox* FTarget;
    QCheckBox* FAllowReplace;
    QComboBox* FReplace;
    QCheckBox* FMatchCase;
    QCheckBox* FWholeWord;
    QCheckBox* FRollBack;
    QRadioButton* FUp;
    QRadioButton* FDown;
    QCheckBox* FWithinSelection;
    QCheckBox* FExitAfterFirst;
    QCheckBox* FHighlight;
    QPushButton* FFindButton;
    QPushButton* FReplaceButton;
    QPushButton* FReplaceAllButton;
};

}  // namespace qb
