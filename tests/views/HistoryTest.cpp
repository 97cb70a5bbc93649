// The browse history: visiting after going back drops the pages ahead.

#include <gtest/gtest.h>

#include <vector>

#include "views/UBrowseHistory.h"

namespace qb::test {
namespace {

std::vector<int32_t> Entries(const THistory& history) {
    std::vector<int32_t> ids;
    for (int i = 0; i < history.Count(); ++i) ids.push_back(history.Items(i));
    return ids;
}

TEST(HistoryTest, VisitingAfterGoingBackDropsThePagesAhead) {
    THistory history;
    EXPECT_FALSE(history.CanPrior());
    EXPECT_EQ(history.GoPrior(), -1);
    for (int32_t id : {1, 2, 3}) history.Add(id);
    history.Add(3);  // the current page again: nothing
    EXPECT_EQ(Entries(history), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_FALSE(history.CanNext());
    EXPECT_EQ(history.GoPrior(), 2);
    EXPECT_EQ(history.GoPrior(), 1);
    EXPECT_EQ(history.GoPrior(), 1);  // at the start it stays
    EXPECT_TRUE(history.CanNext());
    history.Add(4);
    EXPECT_EQ(Entries(history), (std::vector<int32_t>{1, 4}));
    EXPECT_EQ(history.Index(), 1);
    EXPECT_FALSE(history.CanNext());
    history.Remove(1);  // the index stays inside the shorter list
    EXPECT_EQ(Entries(history), (std::vector<int32_t>{4}));
    EXPECT_EQ(history.GoNext(), 4);
}

}  // namespace
}  // namespace qb::test
