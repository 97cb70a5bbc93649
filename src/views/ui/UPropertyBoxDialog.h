#pragma once

// The property box: the General panel of every page and, beside it, the List panel of a list
// page or the Extended panel (the file the text is kept in) of the other pages.

#include <cstdint>

#include "toolkit/UknDialog.h"
#include "views/UPropertyBox.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace qb {

class TPropertyBox : public TknDialog {
    Q_OBJECT
  public:
    TPropertyBox(QWidget* parent, TPageSuper& page);

  protected:
    bool OnOk() override;

  private:
    QWidget* GeneralPanel(const TGeneralFields& fields);
    QWidget* ListPanel();
    QWidget* ExtendedPanel();
    void ShowList(const TListSettings& settings);
    TListSettings ListShown() const;
    void ApplyToAll();
    void ChooseIcon();
    void ShowIcon();
    void BrowseFile();

    TPageSuper& FPage;
    std::u16string FIconFile;
    QTabWidget* FTabs;
    QLineEdit* FName = nullptr;
    QComboBox* FStatus = nullptr;
    QPushButton* FIcon = nullptr;
    QComboBox* FStyle = nullptr;
    QCheckBox* FFullRow = nullptr;
    QCheckBox* FCheckBoxes = nullptr;
    QCheckBox* FGrids = nullptr;
    QListWidget* FColumns = nullptr;
    QCheckBox* FExternal = nullptr;
    QLineEdit* FFile = nullptr;
};

// Runs the property box of the page; true after OK.
bool RunPropertyBox(QWidget* parent, int32_t pageId);

}  // namespace qb
