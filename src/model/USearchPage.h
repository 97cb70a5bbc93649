#pragma once

// The search page: its children are the results of the current search.

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

class TSearchPage : public TListPageSuper {
  public:
    using TListPageSuper::TListPageSuper;
    uint8_t PageType() const override { return ptSearch; }
    bool IsSingleton() const override { return true; }
    void DefaultListSettings(TListProperty& listProperty) const override {
        listProperty.SetReportDefaults({fiTitle, fiSearchResult, fiModifyTime}, {100, 150, 80});
    }
    void GetOptionalColumns(TknIntList& ids) override {
        TListPageSuper::GetOptionalColumns(ids);
        AddColumns(ids, {fiSearchResult});
    }
};

}  // namespace qb
