// Errors that no handler catches end the event's handling only.
#include <gtest/gtest.h>

#include <new>

#include "foundation/UknError.h"
#include "toolkit/UknApplication.h"

namespace qb {
namespace {

TEST(ApplicationTest, ErrorsEscapingAnEventAreDiscarded) {
    const int before = TknApplication::DiscardedErrors();
    EXPECT_TRUE(DeliverDiscardingErrors([] { return true; }));
    EXPECT_FALSE(DeliverDiscardingErrors([]() -> bool { throw TknError(u"File not found"); }));
    EXPECT_FALSE(DeliverDiscardingErrors([]() -> bool { throw std::bad_alloc(); }));
    EXPECT_EQ(TknApplication::DiscardedErrors(), before + 2);
}

}  // namespace
}  // namespace qb
