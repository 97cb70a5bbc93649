#include "storage/UDataChecker.h"

#include <unordered_map>

#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

std::u16string PageText(int32_t id) {
    return u"page " + IntToStr(id);
}

// Walks up from every record once: a walk that meets a record of its own walk again has found
// a loop; records already known to end well (at the root or a missing owner) stop a walk.
void FindOwnerLoops(const TPageStore& store, std::vector<std::u16string>& problems) {
    enum TState { stUnknown, stWalking, stEnds };
    std::unordered_map<int32_t, TState> state;
    state.reserve(static_cast<size_t>(store.RecordCount()));
    for (int i = 0; i < store.RecordCount(); ++i) {
        std::vector<int32_t> walk;
        const TPageRecord* record = &store.RecordAt(i);
        while (record && record->Id != kRootId && state[record->Id] == stUnknown) {
            state[record->Id] = stWalking;
            walk.push_back(record->Id);
            record = store.FindRecord(store.GetOwnerOf(*record));
        }
        if (record && record->Id != kRootId && state[record->Id] == stWalking)
            problems.push_back(PageText(record->Id) + u": its owners lead round in a loop");
        for (int32_t id : walk) state[id] = stEnds;
    }
}

// Loading a page drops the children that do not exist, and notes each with the store.
void LoadEveryPage(TPageStore& store) {
    std::vector<int32_t> ids;
    ids.reserve(static_cast<size_t>(store.RecordCount()));
    for (int i = 0; i < store.RecordCount(); ++i) ids.push_back(store.RecordAt(i).Id);
    for (int32_t id : ids) store.GetPage(id);
}

}  // namespace

std::vector<std::u16string> FindDataProblems(TPageStore& store) {
    LoadEveryPage(store);
    std::vector<std::u16string> problems = store.Problems();
    FindOwnerLoops(store, problems);
    return problems;
}

}  // namespace qb
