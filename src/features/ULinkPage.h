#pragma once

// Link lists, the single fast-link list, and link items.

#include <cstdint>
#include <string>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

enum TLinkType : uint8_t {
    ltFile = 0,
    ltFolder = 1,
    ltUrl = 2,
    ltEmail = 3,
    ltNode = 4,
    ltOthers = 5,
    ltBatch = 6,
};

inline constexpr int32_t kLinkCategoryTextId = 25190;  // + LinkType: "File", "Folder", ...

class TLinkProperty : public TClonableProperty {
  public:
    using TClonableProperty::TClonableProperty;

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    bool GetFieldText(int32_t fieldId, std::u16string& text) const override;

    TLinkType LinkType = ltFile;
    std::u16string Link;  // one target, or one per line for a batch
    uint16_t HotKey = 0;
    std::u16string Abbrev;
    std::u16string Remark;
};

class TLinkPage : public TChildItemContainer {
  public:
    using TChildItemContainer::TChildItemContainer;
    uint8_t PageType() const override { return ptLink; }
    int ChildItemType() const override { return ptLinkItem; }
    void DefaultListSettings(TListProperty& listProperty) const override;
    void GetOptionalColumns(TknIntList& ids) override;
};

class TFastLinkPage : public TLinkPage {
  public:
    using TLinkPage::TLinkPage;
    uint8_t PageType() const override { return ptFastLink; }
    bool IsSingleton() const override { return true; }
};

class TLinkItem : public TChildItemSuper {
  public:
    explicit TLinkItem(int32_t id);
    uint8_t PageType() const override { return ptLinkItem; }
    int ItemImageOffset() override;
    TLinkProperty& LinkProperty() const { return static_cast<TLinkProperty&>(*ItemProperty()); }
};

// A hotkey entry: the 16-bit word, anything outside it reads as no hotkey.
uint16_t TakeHotKeyEntry(TknStrList& list);

}  // namespace qb
