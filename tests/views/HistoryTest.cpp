// The browse history: visiting after going back drops the pages ahead; removing keeps the
// user where they stand.

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
    EXPECT_EQ(history.GoNext(), 4);
}

TEST(HistoryTest, RemovingKeepsTheIndexInsideTheList) {
    THistory history;
    for (int32_t id : {1, 2, 1, 3}) history.Add(id);
    history.Remove(1);  // the first entry only
    EXPECT_EQ(Entries(history), (std::vector<int32_t>{2, 1, 3}));
    EXPECT_EQ(history.Index(), 3 - 1);  // was 3, the list is shorter now
    history.Remove(3);
    history.Remove(1);
    history.Remove(2);
    EXPECT_EQ(history.Index(), -1);
    EXPECT_EQ(history.GoNext(), -1);
    history.Add(5);
    EXPECT_EQ(Entries(history), (std::vector<int32_t>{5}));
}

}  // namespace
}  // namespace qb::test
