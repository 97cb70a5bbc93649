#pragma once

// Memo lists and their reminder items: the item's time rule, action, sound and texts.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/UknDateTimeUtils.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

enum TTimeMode : uint8_t {
    tmThisDay = 0,
    tmDaily = 1,
    tmWeekly = 2,
    tmMonthly = 3,
    tmYearly = 4,
    tmPeriod = 5,
    tmNoTime = 6,
};

enum TMemoAction : uint8_t { maReminder = 0, maExecuteLink = 1, maNoAction = 2 };

inline constexpr int32_t kMemoActionTextId = 25130;  // + Action: "Remind", "Task", "None"

class TMemoProperty : public TClonableProperty {
  public:
    using TClonableProperty::TClonableProperty;

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    bool GetFieldText(int32_t fieldId, std::u16string& text) const override;

    // The time rule as text ("yyyy-MM-dd HH:mm", "@HH:mm:ss", "@w1-5 HH:mm:ss", periods
    // "yyyy-MM-dd...MM-dd", empty for no time) and back.
    std::u16string GetTimeText() const;
    void SetTimeText(std::u16string_view text);
    // Done with: a one-time item whose moment has passed, or a period over for a day, that has
    // no action or has reminded.
    bool IsExpired(const TSystemTime& now) const;

    TTimeMode TimeMode = tmNoTime;
    std::u16string DaySpec;
    TSystemTime DateValue;
    TSystemTime TimeValue;
    TMemoAction Action = maReminder;
    std::u16string Description;
    bool UseSound = false;
    std::u16string SoundFile;
    int64_t RemindAgainAt = 0;  // minutes since 1601-01-01, local time; 0 = none
    bool Reminded = false;
    std::u16string Remark;
};

class TMemoPage : public TChildItemContainer {
  public:
    using TChildItemContainer::TChildItemContainer;
    uint8_t PageType() const override { return ptMemo; }
    int ChildItemType() const override { return ptMemoItem; }
    void DefaultListSettings(TListProperty& listProperty) const override;
    void GetOptionalColumns(TknIntList& ids) override;
};

class TMemoItem : public TChildItemSuper {
  public:
    explicit TMemoItem(int32_t id);
    uint8_t PageType() const override { return ptMemoItem; }
    int ItemImageOffset() override;
    TMemoProperty& Memo() const { return static_cast<TMemoProperty&>(*ItemProperty()); }
};

}  // namespace qb
