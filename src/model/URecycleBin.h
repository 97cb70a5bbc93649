#pragma once

// The recycle bin: holds deleted pages, shows none of them in the tree.

#include "model/UGroupPage.h"

namespace qb {

class TRecycleBin : public TGroupSuper {
  public:
    using TGroupSuper::TGroupSuper;
    uint8_t PageType() const override { return ptRecycleBin; }
    bool IsSingleton() const override { return true; }
};

}  // namespace qb
