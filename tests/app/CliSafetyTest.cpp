// quillbox-cli processes that share a notebook: writers take turns, and a notebook held by the
// desktop program gets the command handed over.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <cstring>
#include <set>
#include <sstream>
#include <thread>

#include "CliRemote.h"
#include "foundation/UknStrUtils.h"
#include "storage/UNotebookLock.h"
#include "storage/StoreTestSupport.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

using CliSafety = TCliTest;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Each round a `new` and a `write` race; every id is given once and every page keeps the text
// its last writer gave it.
TEST_F(CliSafety, RacingWritersTakeTurns) {
    constexpr int kRounds = 100;
    for (int p = 0; p < 3; ++p) Out("new 7 1 Fixed" + std::to_string(p));  // pages 9, 10, 11
    const std::string cli = std::string("'") + QB_CLI_PATH + "' --home '" + Home.Path() + "' ";
    const std::string ids = Home.File("ids");
    const std::string script = Home.File("race.sh");
    WriteBytes(script, "for r in $(seq 1 " + std::to_string(kRounds) + "); do " + cli +
                           "new 7 1 N$r >>'" + ids + "' & printf 'text %s' $r | " + cli +
                           "write $((9 + r % 3)) || echo failed >>'" + ids + "' & wait; done\n");
    ASSERT_EQ(std::system(("bash '" + script + "'").c_str()), 0);

    const std::vector<std::string> given = Lines(ReadBytes(ids));
    EXPECT_EQ(given.size(), static_cast<size_t>(kRounds));
    EXPECT_EQ(std::set<std::string>(given.begin(), given.end()).size(), given.size());
    for (int p = 0; p < 3; ++p) {
        const int last = kRounds - (kRounds - p) % 3;  // the last round r with r % 3 == p
        EXPECT_EQ(Out("show " + std::to_string(9 + p)), "text " + std::to_string(last)) << p;
    }
    EXPECT_EQ(Out("check"), "ok\n");
}

// The test plays the desktop program: it holds the notebook and answers on its socket.
class TFakeProgram {
  public:
    explicit TFakeProgram(const std::string& home) : FLock(FromUtf8(home + "data/")) {
        EXPECT_TRUE(FLock.TryAcquire("quillbox"));
        FPath = ProgramSocketPath(FromUtf8(home));
    }
    ~TFakeProgram() {
        if (FThread.joinable()) FThread.join();
        if (FListener >= 0) ::close(FListener);
        ::unlink(FPath.c_str());
    }
    // Answers one request with the reply.
    void Listen(cli::TRemoteReply reply) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, FPath.c_str());
        ::unlink(FPath.c_str());
        FListener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(::bind(FListener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::listen(FListener, 1), 0);
        FThread = std::thread([this, reply] {
            int fd = ::accept(FListener, nullptr, nullptr);
            std::string bytes;
            char buffer[4096];
            while (cli::DecodeRequest(bytes, Request) == cli::drIncomplete) {
                ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n <= 0) break;
                bytes.append(buffer, static_cast<size_t>(n));
            }
            (void)!::write(fd, cli::kRemoteAccepted.data(), cli::kRemoteAccepted.size());
            std::string go(cli::kRemoteGo.size(), '\0');
            if (::read(fd, go.data(), go.size()) == static_cast<ssize_t>(go.size()) &&
                go == cli::kRemoteGo) {
                const std::string answer = cli::EncodeReply(reply);
                (void)!::write(fd, answer.data(), answer.size());
            }
            ::close(fd);
        });
    }
    cli::TRemoteRequest Request;

  private:
    TNotebookLock FLock;
    std::string FPath;
    int FListener = -1;
    std::thread FThread;
};

TEST_F(CliSafety, AWriteGoesToTheProgramHoldingTheNotebook) {
    Out("new 7 1 Note");
    const std::string before = ReadBytes(Home.File("data/quillbox.idx"));
    {
        TFakeProgram program(Home.Path());
        program.Listen({3, "done\n", "a message\n"});
        EXPECT_EQ(Cli("write 9", "from a script\n"), 3);
        EXPECT_EQ(out, "done\n");
        EXPECT_EQ(err, "a message\n");
        EXPECT_EQ(program.Request.Args, (std::vector<std::string>{"write", "9"}));
        EXPECT_EQ(program.Request.Input, "from a script\n");
        // Reading needs no handing over.
        EXPECT_EQ(Cli("show 9"), 0);
    }
    {
        TFakeProgram silent(Home.Path());  // holds the notebook, does not listen
        EXPECT_EQ(Cli("rename 9 Other"), 1);
        EXPECT_EQ(err, "quillbox (pid " + std::to_string(::getpid()) +
                           ") holds the notebook and did not answer; nothing was changed\n");
    }
    EXPECT_EQ(ReadBytes(Home.File("data/quillbox.idx")), before);
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 07777;
}

// New files and folders are private whatever the umask; a rewrite keeps the mode it finds.
TEST_F(CliSafety, FilesArePrivateAndKeepTheirMode) {
    const mode_t mask = ::umask(022);
    Out("new 7 1 Note");
    Out("write 9", "text");
    Out("option Backup AutoSaveTime 5");
    const std::string backup = Out("backup");
    WriteBytes(Home.File("data/quillbox.idx"), ReadBytes(Home.File("data/quillbox.idx")));
    struct {
        std::string path;
        mode_t mode;
    } fresh[] = {
        {Home.File("quillbox.ini"), 0600},
        {Home.File("data"), 0700},
        {Home.File("data/quillbox.dat"), 0600},
        {Home.File("data/quillbox.lock"), 0600},
        {Home.File("olddata"), 0700},
        {Home.File("olddata/quillbox.idx"), 0600},
        {Home.File("backup"), 0700},
        {backup.substr(0, backup.size() - 1), 0700},
        {backup.substr(0, backup.size() - 1) + "quillbox.dat", 0600},
    };
    for (const auto& f : fresh) EXPECT_EQ(ModeOf(f.path), f.mode) << f.path;

    for (const char* name : {"quillbox.ini", "data/quillbox.idx", "data/quillbox.dat"})
        ::chmod(Home.File(name).c_str(), 0640);
    Out("write 9", "other text");
    Out("option Backup AutoSaveTime 6");
    for (const char* name : {"quillbox.ini", "data/quillbox.idx", "data/quillbox.dat"})
        EXPECT_EQ(ModeOf(Home.File(name)), 0640u) << name;
    ::umask(mask);
}

// A write that fails (the file size limit stands in for a full disk) reports exit 1 and
// leaves every file as it was; the same change without the limit succeeds.
TEST_F(CliSafety, AFailedWriteChangesNothing) {
    Out("new 7 1 Note");
    Out("option Backup AutoSaveTime 5");
    const std::string big(20000, 'x');
    const std::string limited = "trap '' XFSZ; ulimit -f 2; ";  // 2 KB: less than each file
    struct {
        std::string args;
    } cases[] = {
        {"write 9"},
        {"option Backup AutoSaveTime 7"},
        {"rename 9 Renamed"},
    };
    std::map<std::string, std::string> files;
    for (const char* name : {"quillbox.ini", "data/quillbox.idx", "data/quillbox.dat"})
        files[name] = ReadBytes(Home.File(name));
    const std::string cli = std::string("'") + QB_CLI_PATH + "' --home '" + Home.Path() + "' ";
    for (const auto& c : cases) {
        const std::string input = Home.File("input");
        WriteBytes(input, big);
        const std::string script = Home.File("limited.sh");
        WriteBytes(script, limited + cli + c.args + " <'" + input + "' 2>'" + Home.File("err") + "'\n");
        EXPECT_EQ(WEXITSTATUS(std::system(("bash '" + script + "'").c_str())), 1) << c.args;
        EXPECT_NE(ReadBytes(Home.File("err")), "") << c.args;
        for (const auto& [name, bytes] : files)
            EXPECT_EQ(ReadBytes(Home.File(name)), bytes) << c.args << " " << name;
        EXPECT_EQ(Cli(c.args, big), 0) << c.args << ": " << err;
        for (const auto& [name, bytes] : files) files[name] = ReadBytes(Home.File(name));
    }
}

// A backup folder appears complete or not at all: a half-made one (a killed backup's hidden
// folder) goes at the next start, unless another process holds the notebook.
TEST_F(CliSafety, AHalfMadeBackupIsRemovedAtTheNextStart) {
    Out("new 7 1 Note");
    const std::string backup = Out("backup");
    EXPECT_NE(ReadBytes(backup.substr(0, backup.size() - 1) + "quillbox.idx"), "");
    const std::string half = Home.File("backup/.partial qbbak 2026-01-01 00-00-00");
    for (bool held : {true, false}) {
        std::filesystem::create_directories(half);
        WriteBytes(half + "/quillbox.dat", "half");
        TNotebookLock other(FromUtf8(Home.File("data/")));
        if (held) {
            ASSERT_TRUE(other.TryAcquire("quillbox"));
        }
        Out("tree");
        EXPECT_EQ(std::filesystem::exists(half), held) << held;
    }
    size_t folders = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Home.File("backup")))
        folders += entry.is_directory();
    EXPECT_EQ(folders, 1u);
}

// Names stay on one line, fit the file system when exported, and pages the start makes for
// older data are found under the root.
TEST_F(CliSafety, NamesFitLinesAndFiles) {
    EXPECT_EQ(Out("new 7 1 \"$(printf 'a\\nb\\r\\nc')\""), "9\n");
    EXPECT_NE(Out("tree").find("    9\t1\t0\ta  b  c\n"), std::string::npos) << out;

    std::string cjk;
    for (int i = 0; i < 82; ++i) cjk += "\xE6\xBC\xA2";  // 246 bytes of one character
    EXPECT_EQ(Out("new 7 1 " + cjk), "10\n");
    Out("write 10", "text");
    const std::string folder = Home.File("out/");
    for (const std::string& target : {folder, folder + cjk + ".txt"}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        EXPECT_EQ(Cli("export " + std::string(target == folder ? "7 " : "10 ") + "'" + target + "'"),
                  0)
            << target << ": " << err;
        EXPECT_TRUE(std::filesystem::exists(folder + cjk + ".txt")) << target;
    }
}

TEST(CliOldData, PagesMadeAtTheStartAreAttachedToTheRoot) {
    TTempFolder home(false);
    std::filesystem::create_directories(home.File("data"));
    WriteBytes(home.File("data/quillbox.idx"),
               "\xFF\xFE" + Utf16LE(IndexOf(u"", {Rec(-1, -2, 23, 0, ContainerProps(u"", u"0")),
                                                  Rec(0, -1, 22, 0, ContainerProps(u"Root", u"1")),
                                                  Rec(1, 0, 1, 0, NoteProps(u"Note"))})));
    std::string out, err;
    ASSERT_EQ(RunCli("--home '" + home.Path() + "' rm 1", "", &out, &err), 0) << err;
    ASSERT_EQ(RunCli("--home '" + home.Path() + "' tree", "", &out, &err), 0) << err;
    EXPECT_EQ(out,
              "-1\t23\t0\t\n"
              "  0\t22\t0\tRoot\n"
              "  2\t14\t0\tRecent Notes\n"
              "    3\t19\t0\tRecent Created\n"
              "    4\t20\t0\tRecent Modified\n"
              "    5\t21\t0\tRecent Visited\n"
              "  6\t10\t0\tFavorite\n"
              "  7\t11\t0\tSearch\n"
              "  8\t13\t0\tRecycleBin\n"
              "    1\t1\t0\tNote\n");
}

// Cut anywhere, a message is incomplete; complete, it reads back as it was sent.
TEST(RemoteCommandTest, MessagesSurviveEveryCut) {
    const cli::TRemoteRequest request{{"new", "7", "1", "a\nb\tc"}, "line 1\nline 2\n"};
    const std::string bytes = cli::EncodeRequest(request);
    cli::TRemoteRequest read;
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        ASSERT_EQ(cli::DecodeRequest(bytes.substr(0, cut), read), cli::drIncomplete) << cut;
    ASSERT_EQ(cli::DecodeRequest(bytes, read), cli::drComplete);
    EXPECT_EQ(read.Args, request.Args);
    EXPECT_EQ(read.Input, request.Input);

    const std::string reply = cli::EncodeReply({1, "out", "err\n"});
    cli::TRemoteReply back;
    ASSERT_EQ(cli::DecodeReply(reply, back), cli::drComplete);
    EXPECT_EQ(back.Exit, 1);
    EXPECT_EQ(back.Out, "out");
    EXPECT_EQ(back.Err, "err\n");

    for (const char* bad : {"show\n", "cli\n0\n0\n", "cli\nx\n", "cli\n1\n1\nab\n0\n"})
        EXPECT_EQ(cli::DecodeRequest(bad, read), cli::drInvalid) << bad;
    EXPECT_EQ(cli::DecodeRequest(bytes + "x", read), cli::drInvalid);
}

}  // namespace
}  // namespace qb::test
