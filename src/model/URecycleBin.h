#pragma once

// The recycle bin: holds deleted pages, shows none of them in the tree.

#include "model/UGroupPage.h"
#include "model/USysPageHandler.h"

namespace qb {

class TRecycleBin : public TGroupSuper {
  public:
    using TGroupSuper::TGroupSuper;
    uint8_t PageType() const override { return ptRecycleBin; }
    bool IsSingleton() const override { return true; }
};

// Registers the recycle bin with the delete handler while it lives.
class TRecycleHandler : public TSysPageHandlerSuper {
  public:
    explicit TRecycleHandler(int32_t parentId);
    ~TRecycleHandler() override;
};

}  // namespace qb
