#pragma once

// The single clipboard list and its captured texts. A clip item is a plain page whose text is
// the captured text; its one extra entry is the Fixed flag.

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

class TClipPage : public TChildItemContainer {
  public:
    using TChildItemContainer::TChildItemContainer;
    uint8_t PageType() const override { return ptClip; }
    bool IsSingleton() const override { return true; }
    int ChildItemType() const override { return ptClipItem; }
    void DefaultListSettings(TListProperty& listProperty) const override {
        listProperty.SetReportDefaults({fiTitle, fiAbstract}, {100, 200});
    }
};

class TClipItem : public TPageSuper {
  public:
    using TPageSuper::TPageSuper;
    uint8_t PageType() const override { return ptClipItem; }
    int ClientKind() const override { return ckNone; }
    int GetImageIndex() override;
    void LoadProperties(TknStrList& entries) override;
    void SaveProperties(TknStrList& entries) override;
    void CopyFrom(TPageSuper& source) override;

    // Survives "Clear Clipboard" and the trimming to the maximum count.
    bool Fixed = false;
};

}  // namespace qb
