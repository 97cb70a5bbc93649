#pragma once

// The browse history behind Go Prior and Go Next: the pages visited, in order, and where the
// user stands among them. Going back and then visiting another page drops the pages ahead.

#include <cstdint>

#include "foundation/UknList.h"

namespace qb {

class THistory {
  public:
    // Nothing changes when the id is the current entry; otherwise the entries after the
    // current one go, the id is appended and becomes current.
    void Add(int32_t id);
    bool CanPrior() const { return FIndex > 0; }
    bool CanNext() const { return FIndex < FIds.High(); }
    // One step back or forward when possible; the entry now current (-1 when empty).
    int32_t GoPrior();
    int32_t GoNext();
    // Deletes the first entry of the id. The index stays where it was, only kept inside the
    // list, so a removed entry before it makes the user stand one entry further on.
    void Remove(int32_t id);

    int Count() const { return FIds.Count(); }
    int32_t Items(int index) const { return FIds.Items(index); }
    int Index() const { return FIndex; }

  private:
    int32_t Current() const { return FIds.PosValid(FIndex) ? FIds.Items(FIndex) : -1; }

    TknIntList FIds;
    int FIndex = -1;
};

}  // namespace qb
