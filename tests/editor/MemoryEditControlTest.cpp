#include "editor/EditControlContract.h"
#include "editor/UMemoryEditControl.h"

namespace qb::test {

struct TMemoryControlFactory {
    static std::unique_ptr<IEditControl> Make() { return std::make_unique<TMemoryEditControl>(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditControlContract, TMemoryControlFactory);

}  // namespace qb::test
