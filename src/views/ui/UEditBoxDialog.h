#pragma once

// The dialog every item edit box is: the box's own fields in a form, then the buttons
// previous (400), next (401), save and new (406), the icon button (412) in boxes that have
// one, OK and Cancel. TEditBoxFactory finds the box for an item type.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/UknDialog.h"
#include "views/UEditBox.h"

class QFormLayout;
class QPushButton;

namespace qb {

// What a box is made for.
struct TEditBoxTarget {
    uint8_t ItemType = 0;
    int32_t ListPageId = 0;
    int32_t ItemId = -1;          // below 1: a new item
    int32_t InsertBeforeId = -1;  // -1: at the end
};

class TEditBoxDialog : public TknDialog, public IItemFields {
    Q_OBJECT
  public:
    // hasIcon: the box has the icon button, which shows the item type's icon while no icon
    // file is chosen.
    TEditBoxDialog(QWidget* parent, const TEditBoxTarget& target, std::u16string newCaption,
                   std::u16string editCaption, bool hasIcon);
    ~TEditBoxDialog() override;

    // Fills the fields from the item (or clears them) and shows the box; true after OK.
    bool Run();
    void SetIconPath(std::u16string path);

  protected:
    QFormLayout& Form() const { return *FForm; }
    // The box's own fields.
    virtual void LoadFields(TPageSuper& item) = 0;
    virtual void ClearFields() = 0;
    virtual void SaveFields(TPageSuper& item) = 0;
    bool FieldsValid() override { return true; }
    bool OnOk() override { return FState.Save(); }

  private:
    void LoadItem(TPageSuper& item) final;
    void ClearForNew() final;
    void SaveItem(TPageSuper& item) final;
    void ShowPosition(bool newItem, bool priorEnabled, bool nextEnabled) final;
    void ChooseIcon();

    TEditBoxSuper FState;
    std::u16string FNewCaption;
    std::u16string FEditCaption;
    uint8_t FItemType;
    std::u16string FIconPath;
    QFormLayout* FForm;
    QPushButton* FPrior;
    QPushButton* FNext;
    QPushButton* FSaveNew;
    QPushButton* FIcon = nullptr;
};

class TEditBoxFactory {
  public:
    using TCreate = std::function<std::unique_ptr<TEditBoxDialog>(QWidget* parent,
                                                                  const TEditBoxTarget& target)>;
    void Register(uint8_t itemType, TCreate create);
    // The first box registered for the type, or none.
    std::unique_ptr<TEditBoxDialog> CreateFor(QWidget* parent, const TEditBoxTarget& target) const;

  private:
    std::vector<std::pair<uint8_t, TCreate>> FBoxes;
};

// The factory with the boxes of every item type.
TEditBoxFactory& EditBoxFactory();

// The edit box for an item of the type; false when no box edits that type.
bool RunItemEditBox(QWidget* parent, const TEditBoxTarget& target);

}  // namespace qb
