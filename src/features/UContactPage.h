#pragma once

// Contact lists and contact items; a contact's name is its page name.

#include <cstdint>
#include <string>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

inline constexpr int32_t kMaleTextId = 25241;
inline constexpr int32_t kFemaleTextId = 25242;

class TContactProperty : public TClonableProperty {
  public:
    using TClonableProperty::TClonableProperty;

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    bool GetFieldText(int32_t fieldId, std::u16string& text) const override;

    int32_t Sex = 0;  // 0 male, any other value female
    std::u16string Mobile, Email, IM, MSN, Company, Department, Address, ZipCode, Tel, Fax, Others;
    std::u16string Remark;

    // The plain text field with the field id, or null.
    std::u16string* TextField(int32_t fieldId);

  private:
    // The eleven plain text fields in their stored order, with their field ids.
    template <class Self, class F>
    static void ForEachText(Self& self, F f);
};

class TContactPage : public TChildItemContainer {
  public:
    using TChildItemContainer::TChildItemContainer;
    uint8_t PageType() const override { return ptContact; }
    int ChildItemType() const override { return ptContactItem; }
    void DefaultListSettings(TListProperty& listProperty) const override;
    void GetOptionalColumns(TknIntList& ids) override;
};

class TContactItem : public TChildItemSuper {
  public:
    explicit TContactItem(int32_t id);
    uint8_t PageType() const override { return ptContactItem; }
    int ItemImageOffset() override { return Contact().Sex == 0 ? 0 : 1; }
    TContactProperty& Contact() const { return static_cast<TContactProperty&>(*ItemProperty()); }
};

}  // namespace qb
