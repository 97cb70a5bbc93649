#include "views/UBrowseHistory.h"

namespace qb {

void THistory::Add(int32_t id) {
    if (FIds.PosValid(FIndex) && FIds.Items(FIndex) == id) return;
    if (FIndex < FIds.High()) FIds.Delete(FIndex + 1, FIds.High() - FIndex);
    FIds.Add(id);
    FIndex = FIds.High();
}

int32_t THistory::GoPrior() {
    if (CanPrior()) --FIndex;
    return Current();
}

int32_t THistory::GoNext() {
    if (CanNext()) ++FIndex;
    return Current();
}

void THistory::Remove(int32_t id) {
    const int at = FIds.IndexOf(id);
    if (at < 0) return;
    FIds.Delete(at);
    if (FIndex > FIds.High()) FIndex = FIds.High();
}

}  // namespace qb
