// The start-up check: current data passes untouched, older layouts are copied to "olddata/"
// and converted, and a failed check reports its error.

#include <filesystem>

#include "foundation/UknError.h"
#include "model/UPageSuper.h"
#include "storage/IoFixture.h"
#include "storage/UPageStore.h"
#include "storage/UVersionManager.h"

namespace qb::test {
namespace {

std::string Utf16File(std::u16string_view text, bool marker = false) {
    return std::string(marker ? "\xFD" : "") + "\xFF\xFE" + Utf16LE(text);
}

class VersionCheckTest : public TIoTest {
  protected:
    bool Check() {
        return CheckDataFiles([this](const std::u16string& m) { Message = m; });
    }
    void SetIniVersion(std::u16string_view version) {
        WriteIniValue(TDataFolders::OfProgram(), u"Program", u"Version", version);
    }
    std::u16string Message;
};

TEST_F(VersionCheckTest, CurrentDataPassesWithoutTouchingAnything) {
    const std::string index = Utf16File(u"3.2.0\r\n\r\n-1\t-2\t23\t0\t");
    Write("data/quillbox.idx", index);
    Write("data/quillbox.dat", Utf16File(u"text"));
    EXPECT_TRUE(Check());
    EXPECT_FALSE(Exists("olddata"));
    EXPECT_EQ(Hex(Read("data/quillbox.idx")), Hex(index));
}

TEST_F(VersionCheckTest, FirstStartCopiesTheEmptyIndexAndOpensAnEmptyNotebook) {
    EXPECT_TRUE(Check());
    EXPECT_EQ(Read("data/quillbox.idx"), "");
    EXPECT_TRUE(Exists("olddata/quillbox.idx"));
    EXPECT_FALSE(Exists("olddata/quillbox.dat"));
    EXPECT_EQ(Store().RecordCount(), 0);
}

// Closing markers move up one style and the last wraps to the opening one; U+0001 is an
// ordinary character and stays. Link and template items gain an empty entry before their
// remark; other records, and a link line too short to hold entries, keep their fields.
TEST_F(VersionCheckTest, Conversion3ShiftsMarkersAndAddsTheAbbreviation) {
    const std::u16string oldIndex =
        u"3.2a\r\n7\r\n"
        u"1\t0\t1\t7\tnote\r\n"
        u"2\t3\t16\t0\tlink\t0\t\t0\t2\thttp://x\t0\tremark\r\n"
        u"4\t3\t18\t0\ttpl\t0\t\t0\ttext\t0\t\r\n"
        u"5\t0\t16\r\n";
    const std::u16string oldData =
        u"\x1C"
        u"a\x1D\x1E\x1F\x7F\x01";
    Write("data/quillbox.idx", Utf16File(oldIndex, true));
    Write("data/quillbox.dat", Utf16File(oldData, true));
    SetIniVersion(u"Upgraded");
    ASSERT_TRUE(Check()) << ToUtf8(Message);
    EXPECT_EQ(Hex(Read("data/quillbox.idx")),
              Hex(Utf16File(u"3.2.0\r\n7\r\n"
                            u"1\t0\t1\t7\tnote\r\n"
                            u"2\t3\t16\t0\tlink\t0\t\t0\t2\thttp://x\t0\t\tremark\r\n"
                            u"4\t3\t18\t0\ttpl\t0\t\t0\ttext\t0\t\t\r\n"
                            u"5\t0\t16\r\n",
                            true)));
    EXPECT_EQ(Hex(Read("data/quillbox.dat")), Hex(Utf16File(u"\x1D"
                                                            u"a\x1E\x1F\x7F\x1C\x01",
                                                            true)));
    EXPECT_EQ(Read("olddata/quillbox.idx"), Utf16File(oldIndex, true));
    EXPECT_EQ(Read("olddata/quillbox.dat"), Utf16File(oldData, true));
    // A second start finds the current layout and converts nothing again.
    ASSERT_TRUE(Check());
    EXPECT_EQ(Store().ReadText(1, -1),
              u"\x1D"
              u"a\x1E\x1F\x7F\x1C\x01");
}

// An index of no known version is kept and copied, and the check fails rather than open it as
// an empty notebook.
TEST_F(VersionCheckTest, UnknownVersionsAreCopiedAndStopTheStart) {
    const std::string index = Utf16File(u"9.9\r\n\r\n1\t0\t16\t0\ta\tb");
    Write("data/quillbox.idx", index);
    SetIniVersion(u"3.2.0");
    EXPECT_FALSE(Check());
    EXPECT_NE(Message.find(u"olddata/quillbox.idx"), std::u16string::npos) << ToUtf8(Message);
    EXPECT_EQ(Read("data/quillbox.idx"), index);
    EXPECT_EQ(Read("olddata/quillbox.idx"), index);
}

// Version 3.0a1: a top-level line names the file with the texts of the pages under it.
// Conversion 1 gives the tree a 3.1a layout, conversion 2 the root, the group root and the
// link list from "Link.txt", conversion 3 the link item's abbreviation.
TEST_F(VersionCheckTest, Data30a1PassesThroughAllThreeConversions) {
    Write("data/quillbox.idx",
          Utf16File(u"Work\tg1.txt\r\n\r\n\t1\tPlan\t0\t2\r\n\t1\tIdeas\t1\t3\r\n"));
    Write("data/g1.txt", "abcde");
    Write("data/Link.txt", Utf16File(u"header\r\nsite\t0\t\t0\t2\thttp://q\t0\tnote"));
    SetIniVersion(u"3.0a1");
    ASSERT_TRUE(Check()) << ToUtf8(Message);
    EXPECT_EQ(IniVersion(TDataFolders::OfProgram()), u"Upgraded");
    EXPECT_FALSE(Exists("data/g1.txt"));
    EXPECT_EQ(Read("olddata/g1.txt"), "abcde");
    EXPECT_EQ(Read("olddata/Link.txt").size(),
              Utf16File(u"header\r\nsite\t0\t\t0\t2\thttp://q\t0\tnote").size());

    TPageSuper* groupRoot = Page(0);
    ASSERT_TRUE(groupRoot);
    EXPECT_EQ(groupRoot->PageType(), ptGroupRoot);
    EXPECT_EQ(Ids(groupRoot->Childs()->Ids()), (std::vector<int32_t>{1, 4}));
    TPageSuper* work = Page(1);
    EXPECT_EQ(work->PageType(), ptGroup);
    EXPECT_EQ(work->Name(), u"Work");
    EXPECT_EQ(Ids(work->Childs()->Ids()), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(Page(2)->Name(), u"Plan");
    EXPECT_EQ(Page(2)->GetFullText(), u"ab");
    EXPECT_EQ(Page(3)->GetFullText(), u"cde");
    EXPECT_EQ(Page(3)->Status(), psLocked);
    TPageSuper* links = Page(4);
    EXPECT_EQ(links->PageType(), ptLink);
    ASSERT_EQ(links->Childs()->Count(), 1);
    TPageSuper* item = Page(links->Childs()->ChildAt(0));
    EXPECT_EQ(item->Name(), u"site");
    EXPECT_EQ(item->GetFieldText(fiLink), u"http://q");
    EXPECT_EQ(item->GetFieldText(fiRemark), u"note");
}

TEST_F(VersionCheckTest, AFailedCheckReportsItsErrorAndConvertsNothing) {
    MakeFolder("data/quillbox.idx");  // a folder where the index should be
    EXPECT_FALSE(Check());
    EXPECT_EQ(Message, u"File Open Error!");
    EXPECT_FALSE(Exists("olddata"));
    EXPECT_THROW(CheckDataFilesOrRaise(), TknError);
}

// A save that was committed but not yet renamed into place is finished before the version is
// read: the check must not convert the old pair the store would then replace.
TEST_F(VersionCheckTest, AFinishedPendingSaveIsPutInPlaceFirst) {
    Write("data/quillbox.idx", Utf16File(u"3.2a\r\n"));
    Write("data/quillbox.idx.pending", Utf16File(u"3.2.0\r\n\r\n-1\t-2\t23\t0\t"));
    ASSERT_TRUE(Check());
    EXPECT_FALSE(Exists("olddata"));
    EXPECT_EQ(Read("data/quillbox.idx"), Utf16File(u"3.2.0\r\n\r\n-1\t-2\t23\t0\t"));
}

}  // namespace
}  // namespace qb::test
