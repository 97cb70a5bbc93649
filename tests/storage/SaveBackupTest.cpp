// Auto save, the backup schedule, the dated backup folders with their pruning, and the login
// rules.

#include <filesystem>
#include <set>

#include "foundation/UknError.h"
#include "shell/UMemoryManager.h"
#include "storage/IoFixture.h"
#include "storage/UBackupHandler.h"
#include "storage/USaveManager.h"

namespace qb::test {
namespace {

class TCountingSaver : public ISaver {
  public:
    void Save() override { ++Saves; }
    int Saves = 0;
};

class SaveBackupTest : public TIoTest {
  protected:
    SaveBackupTest() {
        Now = {2026, 12, 1, 7, 21, 38, 5, 0};  // Monday 2026-12-07 21:38:05
        Write("data/quillbox.idx", "index bytes");
        Write("data/quillbox.dat", std::string(70000, 'd'));
    }
    std::set<std::string> Folders(std::string_view under) const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(PathOf(under)))
            names.insert(e.path().filename().string());
        return names;
    }
};

TEST_F(SaveBackupTest, AutoSaveRunsOnTheTimerWhileActive) {
    SetOptions([](TOptions& o) { o.AutoSaveTime = 2; });
    TCountingSaver saver;
    SaveManager().AddSaver(&saver);
    Timers.Advance(119999);
    EXPECT_EQ(saver.Saves, 0);
    Timers.Advance(1);
    EXPECT_EQ(saver.Saves, 1);
    EXPECT_EQ(MemoryManager().SaveCount, 1);
    // Minimized: the window saved once itself; the ticks then do nothing.
    SaveManager().SetActive(false);
    Timers.Advance(240000);
    EXPECT_EQ(saver.Saves, 1);
    SaveManager().SetActive(true);
    Timers.Advance(120000);
    EXPECT_EQ(saver.Saves, 2);
    SetOptions([](TOptions& o) { o.AutoSaveTime = 0; });
    EXPECT_FALSE(SaveManager().Timer()->Active());
    SaveManager().RemoveSaver(&saver);
}

TEST_F(SaveBackupTest, ScheduleByType) {
    struct TCase {
        int32_t Type, Interval;
        int64_t SavesSince, MinutesSince;
        bool Due;
    } cases[] = {
        {btSaves, 5, 4, 9999, false},
        {btSaves, 5, 5, 0, true},
        {btMinutes, 30, 0, 29, false},
        {btMinutes, 30, 0, 30, true},
        {btHours, 2, 0, 119, false},
        {btHours, 2, 0, 120, true},
        {btDays, 1, 99, 1439, false},
        {btDays, 1, 0, 1440, true},
        {7, 3, 3, 0, true},  // an unknown type counts saves
    };
    for (const TCase& c : cases) {
        SetOptions([&](TOptions& o) {
            o.BackupIntervalType = c.Type;
            o.BackupInterval = c.Interval;
        });
        TBackupHandler handler;
        MemoryManager().SaveCount = 100 + c.SavesSince;
        MemoryManager().LastBackupSaveCount = 100;
        MemoryManager().LastBackupTime = LocalMinutes() - c.MinutesSince;
        EXPECT_TRUE(handler.Timer()->Active());
        EXPECT_EQ(handler.BackupDue(), c.Due) << c.Type << " " << c.Interval;
    }
    SetOptions([](TOptions& o) { o.BackupInterval = 0; });
    EXPECT_FALSE(TBackupHandler().Timer()->Active());
}

TEST_F(SaveBackupTest, TimerTickMakesTheBackupAfterTheFifthSave) {
    SetOptions([](TOptions& o) {
        o.AutoSaveTime = 0;  // saves by hand only
        o.BackupInterval = 5;
    });
    TBackupHandler handler;
    for (int i = 0; i < 4; ++i) SaveManager().Save();
    Timers.Advance(60000);
    EXPECT_FALSE(Exists("backup"));
    SaveManager().Save();
    Timers.Advance(60000);
    EXPECT_EQ(Folders("backup"), std::set<std::string>{"qbbak 2026-12-07 21-38-05"});
    EXPECT_EQ(MemoryManager().LastBackupSaveCount, 5);
    EXPECT_EQ(MemoryManager().LastBackupTime, LocalMinutes());
}

TEST_F(SaveBackupTest, BackupCopiesTheDataFilesOnly) {
    Write("data/.quillbox.dat.Ab12Cd", "a temporary file");
    MakeFolder("data/sub");
    SetOptions([](TOptions& o) { o.BackupPath = u".\\my backups\\"; });
    TBackupHandler handler;
    EXPECT_EQ(handler.Backup(), Path16("my backups/qbbak 2026-12-07 21-38-05/"));
    const std::string backup = "my backups/qbbak 2026-12-07 21-38-05/";
    EXPECT_EQ(Folders(backup), (std::set<std::string>{"quillbox.dat", "quillbox.idx"}));
    EXPECT_EQ(Read(backup + "quillbox.dat"), Read("data/quillbox.dat"));
    EXPECT_EQ(Read(backup + "quillbox.idx"), "index bytes");
    // A second backup in the same second replaces the first.
    Write("data/quillbox.idx", "newer index");
    EXPECT_EQ(handler.Backup(), Path16(backup));
    EXPECT_EQ(Read(backup + "quillbox.idx"), "newer index");
    EXPECT_EQ(Folders("my backups"), std::set<std::string>{"qbbak 2026-12-07 21-38-05"});
    SetOptions([](TOptions& o) { o.BackupPath.clear(); });
    EXPECT_EQ(handler.Backup(), u"");
}

// A large file is copied in pieces, each sent on to the disk: every byte arrives in order.
TEST_F(SaveBackupTest, ALargeDataFileIsCopiedWhole) {
    std::string data(17 << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 4096);
    Write("data/quillbox.dat", data);
    TBackupHandler handler;
    handler.Backup();
    EXPECT_TRUE(Read("backup/qbbak 2026-12-07 21-38-05/quillbox.dat") == data);
}

// Only "qbbak " folders (any case) count; the oldest beyond TotalBackup go. Other folders, and
// a link named like a backup, stay, as do the files the link points to.
TEST_F(SaveBackupTest, PruningRemovesOnlyTheOldestDatedFolders) {
    for (const char* name :
         {"qbbak 2026-12-01 10-00-00", "QBBAK 2026-12-02 10-00-00", "qbbak 2026-12-03 10-00-00",
          "qbbak 2026-12-04 10-00-00", "qbbak 2026-12-05 10-00-00", "qbbak 2026-12-06 10-00-00"})
        Write(std::string("backup/") + name + "/quillbox.idx", "old");
    Write("backup/mine/keep.txt", "mine");
    Write("backup/qbbakery/keep.txt", "mine");
    Write("elsewhere/precious.txt", "precious");
    std::filesystem::create_directory_symlink(PathOf("elsewhere"),
                                              PathOf("backup/qbbak 2000-01-01 00-00-00"));
    SetOptions([](TOptions& o) { o.TotalBackup = 5; });
    TBackupHandler handler;
    handler.Backup();
    EXPECT_EQ(Folders("backup"),
              (std::set<std::string>{"qbbak 2026-12-03 10-00-00", "qbbak 2026-12-04 10-00-00",
                                     "qbbak 2026-12-05 10-00-00", "qbbak 2026-12-06 10-00-00",
                                     "qbbak 2026-12-07 21-38-05", "mine", "qbbakery",
                                     "qbbak 2000-01-01 00-00-00"}));
    EXPECT_EQ(Read("elsewhere/precious.txt"), "precious");
    // Keeping none would delete the backup just made: it always stays.
    SetOptions([](TOptions& o) { o.TotalBackup = 0; });
    Now.Minute = 39;
    handler.Backup();
    EXPECT_EQ(Folders("backup"), (std::set<std::string>{"qbbak 2026-12-07 21-39-05", "mine",
                                                        "qbbakery", "qbbak 2000-01-01 00-00-00"}));
}

// The new folder cannot be made (a file has its name): the error is raised or reported, the
// data folder is as it was, and no older backup is pruned for the failed one.
TEST_F(SaveBackupTest, ABackupThatCannotBeWrittenReportsAndPrunesNothing) {
    for (int day = 1; day <= 3; ++day)
        Write("backup/qbbak 2026-12-0" + std::to_string(day) + " 10-00-00/quillbox.idx", "old");
    Write("backup/qbbak 2026-12-07 21-38-05", "a file in the way");
    const std::string data = Read("data/quillbox.dat");
    SetOptions([](TOptions& o) { o.TotalBackup = 1; });
    TBackupHandler handler;
    EXPECT_THROW(handler.Backup(), TknError);
    EXPECT_EQ(Folders("backup").size(), 4u);
    EXPECT_EQ(Read("data/quillbox.dat"), data);

    std::u16string reported;
    handler.OnError = [&](const std::u16string& m) { reported = m; };
    MemoryManager().SaveCount = MemoryManager().LastBackupSaveCount + 10;
    handler.Tick();
    EXPECT_NE(reported, u"");
    EXPECT_EQ(Folders("backup").size(), 4u);
    EXPECT_FALSE(handler.BackupDue());  // the attempt counts: no retry at every tick
}

class TScriptedLogIn : public ILogInDialog {
  public:
    bool Execute(const std::u16string& password) override {
        ++Runs;
        Seen = password;
        if (Reenter) {
            EXPECT_FALSE(LogInHandler().LogIn());  // a second dialog is refused
        }
        return Answer;
    }
    int Runs = 0;
    bool Answer = true;
    bool Reenter = false;
    std::u16string Seen;
};

TEST_F(SaveBackupTest, LogInAsksAsTheTrayLockSays) {
    TScriptedLogIn dialog;
    LogInHandler().SetDialog(&dialog);
    EXPECT_TRUE(LogInHandler().LogIn());  // no password needed
    EXPECT_EQ(dialog.Runs, 0);

    SetOptions([](TOptions& o) {
        o.NeedLogIn = true;
        o.Password = u"secret";
        o.LockTrayTime = -1;
    });
    dialog.Answer = false;  // a cancelled dialog is no login
    EXPECT_FALSE(LogInHandler().LogIn());
    EXPECT_FALSE(LogInHandler().LogIn());
    EXPECT_EQ(dialog.Runs, 2);
    dialog.Answer = true;
    dialog.Reenter = true;
    EXPECT_TRUE(LogInHandler().LogIn());
    EXPECT_EQ(dialog.Seen, u"secret");
    dialog.Reenter = false;
    LogInHandler().NoteMinimized();
    Now.Day = 20;
    EXPECT_TRUE(LogInHandler().LogIn());  // -1: asked at start-up only
    EXPECT_EQ(dialog.Runs, 3);

    SetOptions([](TOptions& o) { o.LockTrayTime = 10; });
    LogInHandler().NoteMinimized();
    Now.Minute += 9;
    EXPECT_TRUE(LogInHandler().LogIn());
    EXPECT_EQ(dialog.Runs, 3);
    Now.Minute += 1;
    EXPECT_TRUE(LogInHandler().LogIn());
    EXPECT_EQ(dialog.Runs, 4);

    SetOptions([](TOptions& o) { o.LockTrayTime = 0; });
    LogInHandler().NoteMinimized();
    EXPECT_TRUE(LogInHandler().LogIn());
    EXPECT_EQ(dialog.Runs, 5);  // 0: asked every time

    LogInHandler().SetDialog(nullptr);
    EXPECT_FALSE(LogInHandler().LogIn());  // no dialog to ask with
}

}  // namespace
}  // namespace qb::test
