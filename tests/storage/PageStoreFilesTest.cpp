// The two files of the page store byte for byte, on records whose page objects are never
// created.

#include <sys/stat.h>
#include <utime.h>

#include <functional>

#include "foundation/UknError.h"
#include "foundation/UknIniFile.h"
#include "model/UPageSuper.h"
#include "storage/StoreTestSupport.h"

namespace qb::test {
namespace {

using PageStoreFiles = StoreTest;

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(PageStoreFiles, UntouchedRecordsAreWrittenBackVerbatim) {
    const std::u16string group =
        u"Group\t0\t\t0\t" + kTimes + u"\t0\t\t\t25840,25850,25800\t120,240,100\t0\t3\t1\t0\t5,7,9";
    const std::u16string index =
        IndexOf(u"12,3", {Rec(0, -1, 22, 0, u""), Rec(4, 0, 0, 0, group),
                          Rec(5, 0, 1, 12, NoteProps(u"Note1")),
                          // Entries the store knows nothing about: stored escapes, empty fields, a
                          // lone LF, a type without class, a negative type code.
                          Rec(7, 4, 99, 2, u"a\x01z\t\t\tb\nc\t"), Rec(9, 4, -56, 0, u"")});
    WriteNotebook(index, u"Hello world!xy");
    TPageStore& store = GetStore();
    EXPECT_EQ(store.ReadText(5, -1), u"Hello world!");
    EXPECT_EQ(store.ReadText(7, -1), u"xy");
    EXPECT_EQ(store.RecordAt(4).PageType, 200);
    store.SaveIndex();
    EXPECT_EQ(Hex(IndexBytes()), Hex(FileBytes(index)));

    // A record line is cut at its first four TABs only, and always has the fourth.
    WriteNotebook(IndexOf(u"", {u"5\t0\t1\t12", u"6\t0\t1"}), u"Hello world!");
    Reopen().SaveIndex();
    EXPECT_EQ(Hex(IndexBytes()), Hex(FileBytes(IndexOf(u"", {u"5\t0\t1\t12\t", u"6\t0\t1\t0\t"}))));
}

// An old modification time on a file, and whether the file still has it.
constexpr time_t kOldTime = 1000000000;
void MakeOld(const std::string& path) {
    utimbuf times{kOldTime, kOldTime};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}
bool StillOld(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_mtime == kOldTime;
}

// Saves with nothing changed (auto save, minimizing, exit) write no file; a real change does.
TEST_F(PageStoreFiles, SavesWriteNothingWhenNothingChanged) {
    struct TCase {
        const char* what;
        std::function<void(TPageStore&)> action;
        bool indexWritten;
    } cases[] = {
        {"nothing", [](TPageStore&) {}, false},
        {"pages loaded",
         [](TPageStore& s) {
             s.GetPage(0);
             s.GetPage(5);
         },
         false},
        {"the same text", [](TPageStore& s) { s.GetPage(5)->SetText(u"Hello"); }, false},
        {"the same name", [](TPageStore& s) { s.GetPage(5)->SetName(u"Note1"); }, false},
        {"a new name", [](TPageStore& s) { s.GetPage(5)->SetName(u"Other"); }, true},
        {"a new status", [](TPageStore& s) { s.GetPage(5)->SetStatus(psLocked); }, true},
        {"the marker option", [this](TPageStore&) { SetEncrypt(true); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReleaseStore();
        SetEncrypt(false);
        WriteNotebook(IndexOf(u"", {Rec(0, -1, 22, 0, ContainerProps(u"Notes", u"5")),
                                    Rec(5, 0, 1, 5, NoteProps(u"Note1"))}),
                      u"Hello");
        for (const std::string& file : {IndexFile(), DataFile(), Home.File("quillbox.ini")})
            MakeOld(file);
        TPageStore& store = GetStore();
        c.action(store);
        store.SaveIndex();
        EXPECT_EQ(StillOld(IndexFile()), !c.indexWritten);
        EXPECT_TRUE(StillOld(DataFile()));
    }
    // A remembered value written again leaves the ini file as it was.
    TknIniFile ini(FromUtf8(Home.File("quillbox.ini")));
    ini.Section = u"LogIn";
    MakeOld(Home.File("quillbox.ini"));
    ini.WriteBool(u"EncryptDataFile", true);
    EXPECT_TRUE(StillOld(Home.File("quillbox.ini")));
    ini.WriteBool(u"EncryptDataFile", false);
    EXPECT_FALSE(StillOld(Home.File("quillbox.ini")));
}

// The index is read whole (mapped, or copied where a marker byte shifts its units) and cut
// at CR LF only; records point into that text until written back.
TEST_F(PageStoreFiles, IndexTextsOfEveryShapeReadTheSame) {
    const std::u16string head = u"3.2.0\r\n\r\n";
    struct TCase {
        const char* what;
        std::string bytes;
        std::vector<std::u16string> pending;  // of records 5 and 6
    } cases[] = {
        {"plain", FileBytes(head + u"5\t0\t1\t0\tA\r\n6\t0\t1\t0\tB\r\n"), {u"A", u"B"}},
        {"marker", FileBytes(head + u"5\t0\t1\t0\tA\r\n6\t0\t1\t0\tB", true), {u"A", u"B"}},
        {"lone CR and LF", FileBytes(head + u"5\t0\t1\t0\tA\r\r\n6\t0\t1\t0\tB\nC"),
         {u"A\r", u"B\nC"}},
        {"blank line", FileBytes(head + u"5\t0\t1\t0\tA\r\n\r\n6\t0\t1\t0\tB"), {u"A", u"B"}},
        {"half a unit", FileBytes(head + u"5\t0\t1\t0\tA\r\n6\t0\t1\t0\tB") + "x",
         {u"A", u"B\uFFFD"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReleaseStore();
        std::filesystem::create_directories(Home.File("data"));
        WriteBytes(IndexFile(), c.bytes);
        TPageStore& store = GetStore();
        ASSERT_EQ(store.RecordCount(), 2);
        EXPECT_EQ(std::u16string(store.FindRecord(5)->PendingProperties), c.pending[0]);
        EXPECT_EQ(std::u16string(store.FindRecord(6)->PendingProperties), c.pending[1]);
        store.SaveText(5, u"new");  // the index file is replaced while its text is read
        store.SaveIndex();
        EXPECT_EQ(Hex(IndexBytes()),
                  Hex(FileBytes(IndexOf(u"", {u"5\t0\t1\t3\t" + c.pending[0],
                                              u"6\t0\t1\t0\t" + c.pending[1]}))));
    }
}

TEST_F(PageStoreFiles, TextsMoveWithLengthChanges) {
    WriteNotebook(
        IndexOf(u"", {Rec(1, 0, 1, 3, u"p1"), Rec(2, 0, 1, 0, u"p2"), Rec(3, 0, 1, 7, u"p3"),
                      Rec(4, 0, 1, 2, u"p4"), Rec(5, 0, 1, 4, u"p5"), Rec(6, 0, 1, 5, u"p6"),
                      Rec(7, 0, 1, 6, u"p7")}),
        u"aaabbbbbbbccddddeeeeeffffff");
    TPageStore& store = GetStore();
    ASSERT_TRUE(store.SaveText(5, u"0123456789"));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"aaabbbbbbbcc0123456789eeeeeffffff")));
    EXPECT_EQ(Hex(IndexBytes()),
              Hex(FileBytes(IndexOf(
                  u"", {Rec(1, 0, 1, 3, u"p1"), Rec(2, 0, 1, 0, u"p2"), Rec(3, 0, 1, 7, u"p3"),
                        Rec(4, 0, 1, 2, u"p4"), Rec(5, 0, 1, 10, u"p5"), Rec(6, 0, 1, 5, u"p6"),
                        Rec(7, 0, 1, 6, u"p7")}))));
    EXPECT_EQ(store.ReadText(6, -1), u"eeeee");
    EXPECT_EQ(store.ReadText(7, -1), u"ffffff");

    // The same text again changes nothing on disk.
    const ino_t dataInode = Inode(DataFile()), indexInode = Inode(IndexFile());
    EXPECT_FALSE(store.SaveText(5, u"0123456789"));
    EXPECT_EQ(Inode(DataFile()), dataInode);
    EXPECT_EQ(Inode(IndexFile()), indexInode);
    store.SaveIndex();  // an index of its own does not touch the data file
    EXPECT_EQ(Inode(DataFile()), dataInode);
    EXPECT_FALSE(store.SaveText(2, u""));

    // Shorter and emptied texts, then a page deleted; a new text for an empty page.
    ASSERT_TRUE(store.SaveText(1, u"A"));
    ASSERT_TRUE(store.SaveText(2, u"BB"));
    store.DeletePage(3);
    EXPECT_FALSE(store.PageExists(3));
    EXPECT_EQ(store.ReadText(3, -1), u"");
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"ABBcc0123456789eeeeeffffff")));
    store.SaveIndex();
    TPageStore& reopened = Reopen();
    const char16_t* expected[] = {u"A", u"BB", u"", u"cc", u"0123456789", u"eeeee", u"ffffff"};
    for (int id = 1; id <= 7; ++id) EXPECT_EQ(reopened.ReadText(id, -1), expected[id - 1]) << id;
    EXPECT_EQ(Hex(IndexBytes()).substr(0, Hex(FileBytes(u"3.2.0\r\n3\r\n1\t")).size()),
              Hex(FileBytes(u"3.2.0\r\n3\r\n1\t")));
}

TEST_F(PageStoreFiles, ABatchWritesOnceAtItsEndWithTheSameBytes) {
    const std::u16string index = IndexOf(
        u"", {Rec(1, 0, 1, 3, u"p1"), Rec(2, 0, 1, 0, u"p2"), Rec(3, 0, 1, 4, u"p3"),
              Rec(4, 0, 1, 2, u"p4")});
    WriteNotebook(index, u"aaabbbbcc");
    const std::string dataBefore = DataBytes(), indexBefore = IndexBytes();

    TPageStore& store = GetStore();
    {
        TStoreBatch batch(store);
        ASSERT_TRUE(store.SaveText(2, u"new two"));
        ASSERT_TRUE(store.SaveText(3, u"B"));
        ASSERT_TRUE(store.SaveText(2, u"second two"));  // the later text wins
        store.DeletePage(4);
        {
            TStoreBatch inner(store);
            ASSERT_TRUE(store.SaveText(1, u"AAAA"));
            store.SaveIndex();
            inner.Commit();  // nested: nothing written yet
        }
        // The texts read back from memory, cut as from the file; the disk is untouched.
        EXPECT_EQ(store.ReadText(2, -1), u"second two");
        EXPECT_EQ(store.ReadText(2, 6), u"second ...");
        EXPECT_EQ(store.GetTextLength(2), 10);
        EXPECT_EQ(store.ReadText(4, -1), u"");
        EXPECT_EQ(Hex(DataBytes()), Hex(dataBefore));
        EXPECT_EQ(Hex(IndexBytes()), Hex(indexBefore));
        batch.Commit();
    }
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"AAAAsecond twoB")));
    EXPECT_EQ(Hex(IndexBytes()),
              Hex(FileBytes(IndexOf(u"4", {Rec(1, 0, 1, 4, u"p1"), Rec(2, 0, 1, 10, u"p2"),
                                           Rec(3, 0, 1, 1, u"p3")}))));
    TPageStore& reopened = Reopen();
    EXPECT_EQ(reopened.ReadText(2, -1), u"second two");
    EXPECT_EQ(reopened.ReadText(3, -1), u"B");

    // A scope left by an exception still writes what the batch holds.
    try {
        TStoreBatch batch(reopened);
        reopened.SaveText(3, u"kept");
        throw TknError(u"stop");
    } catch (const TknError&) {
    }
    EXPECT_EQ(Reopen().ReadText(3, -1), u"kept");

    // A batch that only deletes still takes the text out of the data file.
    {
        TStoreBatch batch(GetStore());
        GetStore().DeletePage(3);
        batch.Commit();
    }
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"AAAAsecond two")));
}

TEST_F(PageStoreFiles, ReadTextLimitsAndIdsWithoutRecord) {
    const std::u16string t150(150, u'a'), t250(250, u'b');
    WriteNotebook(IndexOf(u"", {Rec(1, 0, 1, 150, u""), Rec(2, 0, 1, 250, u""),
                                Rec(3, 0, 1, 5, u""), Rec(4, 0, 1, 6, u"")}),
                  t150 + t250 + u"12345" + u"abcdef");
    TPageStore& store = GetStore();
    struct {
        int32_t id, maxlen;
        std::u16string text;
    } cases[] = {
        {1, 200, t150},   {2, 200, t250.substr(0, 200) + u" ..."},
        {2, -1, t250},    {2, 0, u""},
        {3, 5, u"12345"}, {4, 5, u"abcde ..."},
        {4, 1, u"a ..."}, {4, 6, u"abcdef"},
        {99, -1, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store.ReadText(c.id, c.maxlen), c.text) << c.id << " " << c.maxlen;
    EXPECT_EQ(store.GetTextLength(2), 250);
    EXPECT_EQ(store.GetTextLength(99), 0);
    EXPECT_FALSE(store.SaveText(99, u"x"));
    store.DeletePage(99);
    EXPECT_EQ(store.RecordCount(), 4);
}

TEST_F(PageStoreFiles, MarkerFollowsTheOptionAtWriteTime) {
    const std::u16string index = IndexOf(u"", {Rec(1, 0, 1, 3, u"p1"), Rec(2, 0, 1, 2, u"p2")});
    WriteNotebook(index, u"abcde");
    SetEncrypt(true);
    ASSERT_TRUE(GetStore().SaveText(1, u"xyz!"));
    const std::u16string changed = IndexOf(u"", {Rec(1, 0, 1, 4, u"p1"), Rec(2, 0, 1, 2, u"p2")});
    EXPECT_EQ(Hex(IndexBytes()), Hex(FileBytes(changed, true)));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"xyz!de", true)));

    // Marked files read the same with the option off, and are written back without marker.
    SetEncrypt(false);
    TPageStore& store = Reopen();
    EXPECT_EQ(store.ReadText(1, -1), u"xyz!");
    EXPECT_EQ(store.ReadText(2, -1), u"de");
    store.SaveIndex();
    EXPECT_EQ(Hex(IndexBytes()), Hex(FileBytes(changed)));
    ASSERT_TRUE(store.SaveText(2, u"DE"));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"xyz!DE")));
}

TEST_F(PageStoreFiles, DamagedNumbersAndMissingFields) {
    WriteNotebook(
        u"3.2.0\r\n4,x,-3\r\n"
        u"2\tq\t1\t3\tp2\r\n"            // bad owner reads 0
        u"3\t0\t1\tlots\tp3\r\n"         // bad length: no text
        u"\r\n"                          // blank line: no record
        u"4\t0\r\n"                      // missing fields
        u"5\t0\t1\t-7\t\r\n"             // negative length
        u"6\t0\t1\t99999999999\tp6\r\n"  // beyond 32 bits
        u"7\t0\t1\t2147483647\tp7\r\n"   // beyond the data file
        u"8\t0\t1\t2\tp8",
        u"abc12");
    TPageStore& store = GetStore();
    ASSERT_EQ(store.RecordCount(), 7);
    EXPECT_EQ(store.FindRecord(2)->OwnerId, 0);
    EXPECT_EQ(store.ReadText(2, -1), u"abc");
    EXPECT_EQ(store.ReadText(7, -1), u"12");
    EXPECT_EQ(store.ReadText(8, -1), u"");
    store.SaveIndex();
    EXPECT_EQ(Hex(IndexBytes()),
              Hex(FileBytes(u"3.2.0\r\n4,0,-3\r\n"
                            u"2\t0\t1\t3\tp2\r\n3\t0\t1\t0\tp3\r\n4\t0\t0\t0\t\r\n"
                            u"5\t0\t1\t0\t\r\n6\t0\t1\t0\tp6\r\n"
                            u"7\t0\t1\t2\tp7\r\n8\t0\t1\t0\tp8")));
}

// Most lines are read in one quick pass; numbers that pass is not sure of (long, signed,
// padded, out of range) read as the careful reading reads them.
TEST_F(PageStoreFiles, RecordNumbersReadAlikeOnEitherPath) {
    struct TCase {
        std::u16string line;
        int32_t id, owner;
        uint8_t type;
        int32_t length;
        std::u16string pending;
        bool problem;
    } cases[] = {
        {u"123456789\t-1\t1\t2\tp", 123456789, -1, 1, 2, u"p", false},
        {u"1234567890\t7\t1\t0\tp", 1234567890, 7, 1, 0, u"p", false},
        {u"2147483647\t0\t1\t0\t", 2147483647, 0, 1, 0, u"", false},
        {u" 5\t 0 \t1\t0\tp", 5, 0, 1, 0, u"p", false},
        {u"007\t-0\t01\t-0\tp\tq", 7, 0, 1, 0, u"p\tq", false},
        {u"8\t0\t-1\t0\tp", 8, 0, 255, 0, u"p", false},
        {u"9\t0\t-128\t0\tp", 9, 0, 128, 0, u"p", false},
        {u"10\t0\t256\t0\tp", 10, 0, 0, 0, u"p", true},
        {u"11\t0\t-129\t0\tp", 11, 0, 0, 0, u"p", true},
        {u"12\t0\t1\t-1\tp", 12, 0, 1, 2, u"p", true},  // the one bad length: what is left
        {u"13\t0\t1\t0", 13, 0, 1, 0, u"", false},
        {u"14\t+1\t1\t0\tp", 14, 0, 1, 0, u"p", true},
        {u"15\t2147483648\t1\t0\tp", 15, 0, 1, 0, u"p", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(ToUtf8(c.line));
        WriteNotebook(IndexOf(u"", {c.line}), u"ab");
        TPageStore& store = Reopen();
        const TPageRecord* record = store.FindRecord(c.id);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->OwnerId, c.owner);
        EXPECT_EQ(record->PageType, c.type);
        EXPECT_EQ(record->TextLength, c.length);
        EXPECT_EQ(std::u16string(record->PendingProperties), c.pending);
        EXPECT_EQ(store.Problems().empty(), !c.problem);
    }
}

TEST_F(PageStoreFiles, RepeatedAndUnorderedLinesKeepTheirTexts) {
    WriteNotebook(IndexOf(u"", {Rec(3, 0, 1, 3, u"third"), Rec(1, 0, 1, 2, u"first"),
                                Rec(3, 0, 1, 4, u"again"), u"x\t0\t1\t1\tbroken",
                                Rec(2, 0, 1, 1, u"second")}),
                  u"333114444X2");
    TPageStore& store = GetStore();
    // The first line of an id wins; the repeated and the unreadable id get fresh ones.
    ASSERT_EQ(store.RecordCount(), 5);
    EXPECT_EQ(store.ReadText(1, -1), u"11");
    EXPECT_EQ(store.ReadText(2, -1), u"2");
    EXPECT_EQ(store.ReadText(3, -1), u"333");
    EXPECT_EQ(store.ReadText(4, -1), u"X");
    EXPECT_EQ(store.ReadText(5, -1), u"4444");
    EXPECT_EQ(store.FindRecord(4)->PendingProperties, u"broken");
    EXPECT_EQ(store.FindRecord(5)->PendingProperties, u"again");

    // The next write of the index puts the texts in id order too.
    store.SaveIndex();
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"112333X4444")));
    ASSERT_TRUE(Reopen().SaveText(2, u"22"));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"1122333X4444")));
    EXPECT_EQ(Hex(IndexBytes()),
              Hex(FileBytes(IndexOf(u"", {Rec(1, 0, 1, 2, u"first"), Rec(2, 0, 1, 2, u"second"),
                                          Rec(3, 0, 1, 3, u"third"), Rec(4, 0, 1, 1, u"broken"),
                                          Rec(5, 0, 1, 4, u"again")}))));
}

TEST_F(PageStoreFiles, ShortAndLongDataFiles) {
    // Lengths that run past the end keep what is there; the next write makes them fit.
    WriteNotebook(IndexOf(u"", {Rec(1, 0, 1, 3, u""), Rec(2, 0, 1, 4, u""), Rec(3, 0, 1, 5, u"")}),
                  u"aaabb");
    TPageStore& store = GetStore();
    EXPECT_EQ(store.ReadText(2, -1), u"bb");
    EXPECT_EQ(store.ReadText(3, -1), u"");
    ASSERT_TRUE(store.SaveText(1, u"x"));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"xbb")));
    EXPECT_EQ(Hex(IndexBytes()),
              Hex(FileBytes(IndexOf(
                  u"", {Rec(1, 0, 1, 1, u""), Rec(2, 0, 1, 2, u""), Rec(3, 0, 1, 0, u"")}))));

    // Characters after the last text stay where they are.
    WriteNotebook(IndexOf(u"", {Rec(1, 0, 1, 2, u"")}), u"abTAIL");
    ASSERT_TRUE(Reopen().SaveText(1, u"xyz"));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"xyzTAIL")));
    ASSERT_TRUE(GetStore().SaveText(1, u""));
    EXPECT_EQ(Hex(DataBytes()), Hex(FileBytes(u"TAIL")));
}

TEST_F(PageStoreFiles, OwnerLoopsEndTheWalks) {
    // 1 -> 2 -> 3 -> 1 passes the recycle bin 3 (which, in its own loop, is in no bin);
    // 4 <-> 5 never reaches the root; 6 is inside the bin 7 through 8; 9 hangs below a missing
    // owner.
    WriteNotebook(IndexOf(u"", {Rec(-1, -2, 23, 0, u""), Rec(1, 2, 1, 0, u""), Rec(2, 3, 0, 0, u""),
                                Rec(3, 1, 13, 0, u""), Rec(4, 5, 1, 0, u""), Rec(5, 4, 0, 0, u""),
                                Rec(6, 8, 1, 0, u""), Rec(7, -1, 13, 0, u""), Rec(8, 7, 0, 0, u""),
                                Rec(9, 42, 1, 0, u"")}),
                  u"");
    TPageStore& store = GetStore();
    struct {
        int32_t id;
        bool inBin;
    } cases[] = {{1, true}, {2, true},  {3, false}, {4, false}, {5, false},
                 {6, true}, {7, false}, {8, true},  {9, false}, {-1, false}};
    for (const auto& c : cases) EXPECT_EQ(store.IsInRecycleBin(c.id), c.inBin) << c.id;
}

TEST_F(PageStoreFiles, PendingPairIsFinishedOrDiscardedAtOpening) {
    const std::u16string oldIndex = IndexOf(u"", {Rec(1, 0, 1, 3, u"p1"), Rec(2, 0, 1, 2, u"p2")});
    const std::u16string newIndex = IndexOf(u"", {Rec(1, 0, 1, 1, u"p1"), Rec(2, 0, 1, 2, u"p2")});
    const std::string idxPending = IndexFile() + ".pending", datPending = DataFile() + ".pending";
    struct {
        const char* what;
        bool indexPending, dataPending, dataMoved;
        std::u16string text1;
    } cases[] = {
        {"data written, index not", false, true, false, u"old"},
        {"pair complete", true, true, false, u"N"},
        {"data renamed, index not", true, false, true, u"N"},
    };
    for (const auto& c : cases) {
        ReleaseStore();
        WriteNotebook(oldIndex, c.dataMoved ? u"Nde" : u"oldde");
        if (c.indexPending) WriteBytes(idxPending, FileBytes(newIndex));
        if (c.dataPending) WriteBytes(datPending, FileBytes(u"Nde"));
        TPageStore& store = GetStore();
        EXPECT_EQ(store.ReadText(1, -1), c.text1) << c.what;
        EXPECT_EQ(store.ReadText(2, -1), u"de") << c.what;
        EXPECT_FALSE(std::filesystem::exists(idxPending)) << c.what;
        EXPECT_FALSE(std::filesystem::exists(datPending)) << c.what;
    }
}

}  // namespace
}  // namespace qb::test
