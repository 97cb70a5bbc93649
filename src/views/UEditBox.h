#pragma once

// The part of the item edit boxes that every box shares: new item or existing one, stepping to
// the previous or next item, saving and starting a new item in one step. The fields of each
// kind of item are the box's own (the dialogs in ui/).

#include <cstdint>
#include <string>

namespace qb {

class TPageSuper;

// The fields of one kind of item, as the box's dialog shows them.
class IItemFields {
  public:
    virtual ~IItemFields() = default;
    virtual void LoadItem(TPageSuper& item) = 0;
    virtual void ClearForNew() = 0;
    // Whether the fields can be stored; a box that refuses has told the user why.
    virtual bool FieldsValid() = 0;
    virtual void SaveItem(TPageSuper& item) = 0;
    // The caption for a new or an existing item and the enabling of previous and next.
    virtual void ShowPosition(bool newItem, bool priorEnabled, bool nextEnabled) = 0;
};

class TEditBoxSuper {
  public:
    // itemId below 1: a new item of the type, placed before insertBeforeId (-1: at the end).
    TEditBoxSuper(IItemFields& fields, uint8_t itemType, int32_t listPageId, int32_t itemId,
                  int32_t insertBeforeId);

    // Loads the item (or clears for a new one) and enables previous and next.
    void Refresh();
    // A new item is made first; then the fields go into the item and its row is refreshed.
    // False when the fields were refused (nothing made or changed).
    bool Save();
    // 400 and 401: save, then the item before or after it.
    bool Prior() { return Step(-1); }
    bool Next() { return Step(1); }
    // 406: save, then a new item at the end.
    bool SaveAndNew();

    int32_t ItemId() const { return FItemId; }
    bool IsNew() const { return FItemId < 1; }
    // The item's index in the list (for a new one, the index of the item it goes before).

  private:
    bool Step(int delta);
    TPageSuper* ListPage() const;

    IItemFields& FFields;
    uint8_t FItemType;
    int32_t FListPageId;
    int32_t FItemId;
    int32_t FInsertBeforeId;
};

// The icon path the box shows for an item: its stored path made absolute (".\" paths lie in
// the program folder).
std::u16string ItemIconPath(const TPageSuper& item);

}  // namespace qb
