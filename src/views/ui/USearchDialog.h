#pragma once

// The search dialog: the page type, the field, the operator, the value and "Match case" of
// the search box; OK hands them to the search.

#include "model/USearchPage.h"

namespace qb {

class TSearchDialog : public ISearchDialog {
  public:
    bool Execute(TSearchBox& box) override;
};

}  // namespace qb
