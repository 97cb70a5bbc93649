#include <gtest/gtest.h>

#include "editor/EditTestSupport.h"
#include "editor/UEditor.h"
#include "editor/UStatisticsHandler.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb::test {

class StoreAdapters : public TStoreEditorTest {};

TEST_F(StoreAdapters, NodeLinksFindPagesOfTheStore) {
    int32_t work = Add(FGroupRoot, ptGroup, u"Work");
    int32_t plan = Add(work, ptNote, u"Plan");
    int32_t notes = Add(work, ptNote, u"Notes");
    TStoreNodeLinkPages pages;
    EXPECT_EQ(ResolveNodeLink(pages, u"\\Work\\plan", notes).PageId, plan);
    EXPECT_EQ(ResolveNodeLink(pages, u"@Notes", plan).PageId, notes);
    EXPECT_EQ(ResolveNodeLink(pages, u"..\\Plan", notes).Path, u"Notes\\Work\\Plan");
    EXPECT_EQ(ResolveNodeLink(pages, u"Notes\\Work", plan).PageId, work);
    EXPECT_EQ(ResolveNodeLink(pages, u"NOTES\\work\\", plan).PageId, std::nullopt);
    EXPECT_EQ(ResolveNodeLink(pages, u"..Plan", notes).PageId, std::nullopt);  // no "..\\"
    TNodeLinkTarget unknown = ResolveNodeLink(pages, u"@x", 12345);  // the page shown is gone
    EXPECT_EQ(unknown.Path, u"\\x");
    EXPECT_EQ(unknown.PageId, std::nullopt);
    EXPECT_EQ(InvalidNodeLinkText(unknown.Path), u"Invalid node link!: \\x");
    EXPECT_EQ(OutlookNodeLink(u"OUTLOOK:///Notes/Work"), u"Notes\\Work");
    EXPECT_EQ(OutlookNodeLink(u"outlook:Notes"), u"Notes");
    EXPECT_EQ(OutlookNodeLink(u"http://x"), std::nullopt);
}

TEST_F(StoreAdapters, StatisticsCountTheStore) {
    int32_t note = Add(FGroupRoot, ptNote, u"n");
    GetStore().GetPage(note)->SetText(u"two words\r\nand three words");
    int32_t group = Add(FGroupRoot, ptGroup, u"g");
    Add(group, ptNote, u"m");
    TStoreStatisticsSource source;
    TStatisticsTab page = CurrentPageStatistics(source, note);
    ASSERT_EQ(page.size(), 6u);
    EXPECT_EQ(page[3].Value, u"5");                                     // words
    EXPECT_EQ(page[4].Value, u"1");                                     // lines
    EXPECT_EQ(CurrentPageStatistics(source, group).at(0).Value, u"1");  // items
    TStatisticsTab database = DatabaseStatistics(source);  // root and group root are singletons
    ASSERT_EQ(database.size(), 3u);
    EXPECT_EQ(database[0].LabelId, PageTypeCaptionBase + ptGroup);
    EXPECT_EQ(database[0].Value, u"1");
    EXPECT_EQ(database[1].LabelId, 0);
    EXPECT_EQ(database[2].LabelId, PageTypeCaptionBase + ptNote);
    EXPECT_EQ(database[2].Value, u"2");
}

}  // namespace qb::test
