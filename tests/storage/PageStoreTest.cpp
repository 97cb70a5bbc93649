// The page store with page objects: creation on demand, new and deleted pages, the lookups.

#include "foundation/UknError.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/StoreTestSupport.h"

namespace qb::test {
namespace {

using PageStore = StoreTest;

std::vector<int32_t> Ids(const TknIntList& list) {
    std::vector<int32_t> ids;
    for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Items(i));
    return ids;
}

TEST_F(PageStore, FirstStartGivesTheRoot) {
    TPageStore& store = GetStore();
    ASSERT_TRUE(std::filesystem::exists(IndexFile()));
    EXPECT_EQ(std::filesystem::file_size(IndexFile()), 0u);
    EXPECT_EQ(store.RecordCount(), 0);
    EXPECT_EQ(store.GetPage(5), nullptr);

    TPageSuper* root = store.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Id(), -1);
    EXPECT_EQ(root->OwnerId(), -2);
    EXPECT_EQ(root->PageType(), ptRoot);
    EXPECT_EQ(store.GetRoot(), root);
    EXPECT_EQ(store.RecordCount(), 1);
    store.SaveIndex();
    const std::string start = FileBytes(u"3.2.0\r\n\r\n-1\t-2\t23\t0\t");
    EXPECT_EQ(Hex(IndexBytes().substr(0, start.size())), Hex(start));
    EXPECT_EQ(Reopen().FindRecord(-1)->OwnerId, -2);
}

TEST_F(PageStore, LoadedPagesWriteTheWorkedRecordsBack) {
    const std::u16string index =
        IndexOf(u"", {Rec(-1, -2, 23, 0, ContainerProps(u"", u"0")),
                      Rec(0, -1, 22, 0, ContainerProps(u"Notes", u"4")),
                      Rec(4, 0, 0, 0, ContainerProps(u"Group", u"5,7,9")),
                      Rec(5, 0, 1, 12, NoteProps(u"Note1")), Rec(7, 4, 1, 1, NoteProps(u"Note2")),
                      Rec(9, 4, 2, 2,
                          u"Sum\t3\ticons\\sum.ico\t1\t" + kTimes +
                              u"\t0\t\ta\x01"
                              u"b\x02")});
    WriteNotebook(index, u"Hello world!x12");
    TPageStore& store = GetStore();
    for (int i = 0; i < store.RecordCount(); ++i)
        ASSERT_NE(store.GetPage(store.RecordAt(i).Id), nullptr);
    EXPECT_EQ(store.FindRecord(5)->PendingProperties, u"");
    TPageSuper& group = *store.GetPage(4);
    EXPECT_EQ(Ids(group.Childs()->Ids()), (std::vector<int32_t>{5, 7, 9}));
    EXPECT_EQ(store.GetPage(5)->Name(), u"Note1");
    EXPECT_EQ(store.GetPage(5)->GetText(-1), u"Hello world!");
    EXPECT_EQ(store.GetPage(9)->Status(), psReadOnly);
    store.SaveIndex();
    EXPECT_EQ(Hex(IndexBytes()), Hex(FileBytes(index)));
}

TEST_F(PageStore, IdsAreRecycledOldestFirst) {
    WriteNotebook(IndexOf(u"", {Rec(0, -1, 22, 0, ContainerProps(u"Notes", u"1,2,3")),
                                Rec(1, 0, 1, 0, NoteProps(u"a")), Rec(2, 0, 1, 2, NoteProps(u"b")),
                                Rec(3, 0, 1, 0, NoteProps(u"c"))}),
                  u"bb");
    TPageStore& store = GetStore();
    EXPECT_EQ(store.NewPage(0, ptNote), 4);
    store.DeletePage(2);
    store.DeletePage(3);
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"")));
    store.SaveIndex();
    EXPECT_EQ(Hex(IndexBytes().substr(0, FileBytes(u"3.2.0\r\n2,3\r\n").size())),
              Hex(FileBytes(u"3.2.0\r\n2,3\r\n")));
    // A type without class takes no id.
    EXPECT_THROW(store.NewPage(0, 99), TknError);
    EXPECT_EQ(store.NewPage(0, ptNote), 2);
    EXPECT_EQ(store.NewPage(0, ptNote), 3);
    EXPECT_EQ(store.NewPage(0, ptNote), 5);
    EXPECT_EQ(store.GetPage(5)->OwnerId(), 0);
    EXPECT_EQ(store.GetPage(0)->Childs()->IndexOf(5), -1) << "the caller adds the child";

    // Singletons are made once.
    const int32_t templates = store.NewPage(-1, ptTemplate);
    EXPECT_EQ(store.NewPage(-1, ptTemplate), templates);
    EXPECT_EQ(store.CountOfType(ptTemplate), 1);

    // Freed ids that a damaged queue holds twice, negative or in use are passed over.
    WriteNotebook(IndexOf(u"1,-4,9,9", {Rec(1, 0, 1, 0, NoteProps(u"a"))}), u"");
    TPageStore& damaged = Reopen();
    EXPECT_EQ(damaged.NewPage(0, ptNote), 9);
    EXPECT_EQ(damaged.NewPage(0, ptNote), 10);
}

TEST_F(PageStore, LookupsByTypeOwnerAndPath) {
    WriteNotebook(
        IndexOf(u"", {Rec(-1, -2, 23, 0, ContainerProps(u"", u"0,8,11")),
                      Rec(0, -1, 22, 0, ContainerProps(u"Notes", u"1,3")),
                      Rec(1, 0, 0, 0, ContainerProps(u"Work", u"2,10")),
                      Rec(2, 1, 1, 0, NoteProps(u"Plan")), Rec(3, 0, 1, 0, NoteProps(u"plan")),
                      Rec(8, -1, 13, 0, ContainerProps(u"Bin", u"9")),
                      Rec(9, 8, 1, 0, NoteProps(u"Old")), Rec(10, 1, 2, 0, NoteProps(u"Sum")),
                      Rec(11, -1, 7, 0, ContainerProps(u"Templates", u""))}),
        u"");
    TPageStore& store = GetStore();
    int32_t id = 0;
    EXPECT_TRUE(store.FindFirstOfType(ptNote, id));
    EXPECT_EQ(id, 2);
    EXPECT_FALSE(store.FindFirstOfType(ptMemo, id));
    TknIntList ids;
    store.GetIdsOfType(ptNote, ids);
    EXPECT_EQ(Ids(ids), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(store.CountOfType(ptNote), 2);
    store.GetIdsOfType(255,
                       ids);  // searchable: notes and calculators, not the single template list
    EXPECT_EQ(Ids(ids), (std::vector<int32_t>{2, 3, 10}));
    store.GetUsedTypes(ids);
    EXPECT_EQ(Ids(ids), (std::vector<int32_t>{0, 1, 2, 7, 13, 22, 23}));
    EXPECT_TRUE(store.IsInRecycleBin(9));
    EXPECT_FALSE(store.IsInRecycleBin(8));

    EXPECT_EQ(store.GetNodePath(store.GetPage(2)), u"Notes\\Work\\Plan");
    EXPECT_EQ(store.GetNodePath(store.GetRoot()), u"");
    TPageSuper* found = nullptr;
    ASSERT_TRUE(store.FindByPath(u"notes\\WORK\\plan", found));
    EXPECT_EQ(found->Id(), 2);
    ASSERT_TRUE(store.FindByPath(u"Notes\\Plan", found));
    EXPECT_EQ(found->Id(), 3);
    ASSERT_TRUE(store.FindByPath(u"Notes\\Work", found));
    EXPECT_EQ(found->Id(), 1);
    EXPECT_FALSE(store.FindByPath(u"Work\\Plan", found));

    // A loaded page's owner wins over the record's.
    store.GetPage(3)->SetParent(store.GetPage(1));
    EXPECT_EQ(store.FindRecord(3)->OwnerId, 0);
    EXPECT_EQ(store.GetOwnerOf(*store.FindRecord(3)), 1);
    EXPECT_EQ(store.GetNodePath(store.GetPage(3)), u"Notes\\Work\\plan");
    store.GetPage(1)->SetParent(store.GetPage(8));
    EXPECT_TRUE(store.IsInRecycleBin(3));
    store.SaveIndex();
    EXPECT_NE(IndexBytes().find(Utf16LE(u"\r\n3\t1\t1\t0\tplan\t")), std::string::npos);
    EXPECT_NE(IndexBytes().find(Utf16LE(u"\r\n1\t8\t0\t0\tWork\t")), std::string::npos);

    // The lookups by type follow pages deleted and made among the others.
    store.DeletePage(2);
    ASSERT_TRUE(store.FindFirstOfType(ptNote, id));
    EXPECT_EQ(id, 3);
    EXPECT_EQ(store.NewPage(1, ptMemo), 2);
    ASSERT_TRUE(store.FindFirstOfType(ptMemo, id));
    EXPECT_EQ(id, 2);
    store.GetIdsOfType(ptNote, ids);
    EXPECT_EQ(Ids(ids), (std::vector<int32_t>{}));  // 3 is in the bin with its owner now
    store.GetUsedTypes(ids);
    EXPECT_EQ(Ids(ids), (std::vector<int32_t>{0, 1, 2, ptMemo, 7, 13, 22, 23}));
}

// A path is looked for among the pages whose name can end it; the others stay unloaded.
TEST_F(PageStore, FindByPathPassesPagesWhoseNameCannotEndIt) {
    WriteNotebook(IndexOf(u"", {Rec(-1, -2, 23, 0, ContainerProps(u"", u"0")),
                                Rec(0, -1, 22, 0, ContainerProps(u"Notes", u"1,2,3,4")),
                                Rec(1, 0, 1, 0, NoteProps(u"a\\b")),
                                Rec(2, 0, 1, 0, NoteProps(u"\u00DCber")),
                                Rec(3, 0, 1, 0, NoteProps(u"Other")),
                                Rec(4, 0, 1, 0, NoteProps(u"b"))}),
                  u"");
    TPageStore& store = GetStore();
    TPageSuper* found = nullptr;
    ASSERT_TRUE(store.FindByPath(u"NOTES\\other", found));
    EXPECT_EQ(found->Id(), 3);
    EXPECT_EQ(store.FindRecord(1)->Page, nullptr);
    const struct {
        std::u16string Path;
        int32_t Id;  // 0: none
    } cases[] = {{u"Notes\\a\\b", 1}, {u"notes\\\u00FCber", 2}, {u"Notes\\b", 4},
                 {u"Notes\\ab", 0},     {u"b", 0},                 {u"Other", 0}};
    for (const auto& c : cases) {
        found = nullptr;
        EXPECT_EQ(store.FindByPath(c.Path, found), c.Id != 0) << ToUtf8(c.Path);
        EXPECT_EQ(found ? found->Id() : 0, c.Id) << ToUtf8(c.Path);
    }
}

TEST_F(PageStore, UnknownTypesAndOwnerLoopsStaySafe) {
    const std::u16string unknown = Rec(6, 4, 99, 1, u"x\ty");
    WriteNotebook(
        IndexOf(u"", {Rec(4, 5, 1, 0, NoteProps(u"A")), Rec(5, 4, 1, 0, NoteProps(u"B")), unknown}),
        u"z");
    TPageStore& store = GetStore();
    EXPECT_EQ(store.GetPage(6), nullptr);
    EXPECT_TRUE(store.PageExists(6));
    EXPECT_EQ(store.ReadText(6, -1), u"z");
    EXPECT_EQ(store.GetNodePath(store.GetPage(4)), u"B\\A");
    TPageSuper* found = nullptr;
    EXPECT_FALSE(store.FindByPath(u"A", found));
    store.SaveIndex();
    EXPECT_NE(IndexBytes().find(Utf16LE(u"\r\n" + unknown)), std::string::npos);
}

TEST_F(PageStore, ExternalFileTextsLeaveTheDataFile) {
    WriteNotebook(
        IndexOf(u"", {Rec(4, 0, 1, 3, NoteProps(u"before")), Rec(5, 0, 1, 8, NoteProps(u"n")),
                      Rec(6, 0, 1, 5, NoteProps(u"after"))}),
        u"aaaexternalccccc");
    TPageStore& store = GetStore();
    TPageSuper& page = *store.GetPage(5);
    const std::u16string file = Home.File16("outside.txt");
    page.TrueProperty()->SetExternal(true, file);
    EXPECT_EQ(store.GetTextLength(5), 0);
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"aaaccccc")));
    EXPECT_EQ(page.GetText(-1), u"external");
    page.SetText(u"changed outside");
    EXPECT_EQ(page.GetText(-1), u"changed outside");
    EXPECT_EQ(store.ReadText(5, -1), u"");
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"aaaccccc")));
    EXPECT_EQ(store.ReadText(6, -1), u"ccccc");

    // Back into the data file; the file stays where it is.
    page.TrueProperty()->SetExternal(false, u"");
    EXPECT_EQ(store.ReadText(5, -1), u"changed outside");
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"aaachanged outsideccccc")));
    EXPECT_TRUE(std::filesystem::exists(Home.File("outside.txt")));
}

}  // namespace
}  // namespace qb::test
