#pragma once

// The single template list and its template items.

#include <cstdint>
#include <string>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

class TTemplateProperty : public TClonableProperty {
  public:
    using TClonableProperty::TClonableProperty;

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    bool GetFieldText(int32_t fieldId, std::u16string& text) const override;

    std::u16string Text;
    uint16_t HotKey = 0;
    std::u16string Abbrev;
    std::u16string Remark;
};

class TTemplatePage : public TChildItemContainer {
  public:
    using TChildItemContainer::TChildItemContainer;
    uint8_t PageType() const override { return ptTemplate; }
    bool IsSingleton() const override { return true; }
    int ChildItemType() const override { return ptTemplateItem; }
    void DefaultListSettings(TListProperty& listProperty) const override;
    void GetOptionalColumns(TknIntList& ids) override;
};

class TTemplateItem : public TChildItemSuper {
  public:
    explicit TTemplateItem(int32_t id);
    uint8_t PageType() const override { return ptTemplateItem; }
    int ItemImageOffset() override { return 0; }
    TTemplateProperty& Template() const { return static_cast<TTemplateProperty&>(*ItemProperty()); }
};

}  // namespace qb
