// The notebook lock, and the clean-up of what a killed writer left, which waits for it.

#include <unistd.h>

#include <filesystem>

#include "storage/StoreTestSupport.h"
#include "storage/UNotebookLock.h"

namespace qb::test {
namespace {

using NotebookLockTest = StoreTest;

TEST_F(NotebookLockTest, OneHolderAtATimeNamedInTheFile) {
    const std::u16string data = Home.File16("data/");
    TNotebookLock first(data), second(data);
    ASSERT_TRUE(first.TryAcquire("quillbox"));
    EXPECT_FALSE(second.TryAcquire("quillbox-cli"));  // a second open file is another holder
    EXPECT_EQ(second.Holder().Pid, ::getpid());
    EXPECT_EQ(second.Holder().Program, "quillbox");
    EXPECT_EQ(HolderText(second.Holder()),
              u"quillbox (pid " + FromUtf8(std::to_string(::getpid())) + u") holds the notebook");
    bool ran = false;
    EXPECT_FALSE(RunIfNotebookFree(data, [&] { ran = true; }));
    EXPECT_FALSE(ran);

    first.Release();
    EXPECT_EQ(second.Holder().Pid, 0);  // a released lock names nobody
    EXPECT_TRUE(second.TryAcquire("quillbox-cli"));
    EXPECT_EQ(std::filesystem::status(Home.File("data/quillbox.lock")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(NotebookLockTest, SocketNameFollowsTheFolderNotItsSpelling) {
    const std::string folder = Home.Path();
    const std::string same = ProgramSocketPath(FromUtf8(folder));
    for (const std::string& spelling : {folder.substr(0, folder.size() - 1), folder + "data/../",
                                        folder + "./"})
        EXPECT_EQ(ProgramSocketPath(FromUtf8(spelling)), same) << spelling;
    EXPECT_NE(ProgramSocketPath(FromUtf8(folder + "data/")), same);
    EXPECT_LT(same.size(), 100u);  // fits a socket address
}

// A dead writer's committed pair is put in place and its half-written data removed, but only
// when no one holds the notebook: a live writer's files are its own.
TEST_F(NotebookLockTest, LeftoversOfAKilledWriterWaitForTheLock) {
    const std::u16string oldIndex = IndexOf(u"", {Rec(1, 0, 1, 3, u"p1")});
    const std::u16string newIndex = IndexOf(u"", {Rec(1, 0, 1, 3, u"p1"), Rec(2, 0, 1, 1, u"p2")});
    const std::string idxPending = IndexFile() + ".999999.pending";
    const std::string datPending = DataFile() + ".999999.pending";
    const std::string halfData = DataFile() + ".999998.pending";
    for (bool held : {true, false}) {
        ReleaseStore();
        WriteNotebook(oldIndex, u"old");
        WriteBytes(idxPending, FileBytes(newIndex));
        WriteBytes(datPending, FileBytes(u"oldN"));
        WriteBytes(halfData, FileBytes(u"half"));
        TNotebookLock other(Home.File16("data/"));
        if (held) {
            ASSERT_TRUE(other.TryAcquire("quillbox"));
        }
        TPageStore& store = GetStore();
        EXPECT_EQ(store.PageExists(2), !held) << held;
        EXPECT_EQ(std::filesystem::exists(idxPending), held) << held;
        EXPECT_EQ(std::filesystem::exists(halfData), held) << held;
        EXPECT_EQ(store.ReadText(2, -1), held ? u"" : u"N") << held;
    }
}

}  // namespace
}  // namespace qb::test
