// A saving process killed at random moments: the notebook always opens with every page
// holding one of the texts it was given, never a shifted or half-written one.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>

#include "storage/StoreTestSupport.h"

namespace qb::test {
namespace {

using StoreCrash = StoreTest;

constexpr int kPages = 8;
constexpr int kRounds = 25;

// Each version has its own length, so that a text read at a stale offset shows.
std::u16string VersionText(int page, int version) {
    std::u16string text =
        FromUtf8("<" + std::to_string(page) + ":" + std::to_string(version) + ">");
    text.append(static_cast<size_t>((page * 7 + version * 13) % 61),
                static_cast<char16_t>(u'a' + page));
    return text;
}

int VersionOf(const std::u16string& text) {
    size_t colon = text.find(u':');
    size_t close = text.find(u'>');
    if (colon == std::u16string::npos || close == std::u16string::npos || close < colon) return -1;
    return static_cast<int>(StrToIntDef(text.substr(colon + 1, close - colon - 1), -1));
}

[[noreturn]] void SaveUntilKilled(int firstVersion) {
    try {
        TPageStore& store = GetStore();
        for (int version = firstVersion;; ++version)
            for (int page = 1; page <= kPages; ++page)
                store.SaveText(page, VersionText(page, version));
    } catch (...) {
        _exit(3);
    }
}

TEST_F(StoreCrash, PagesKeepTheirOldOrNewTextWhenSavingIsKilled) {
    std::u16string index = u"3.2.0\r\n", data;
    for (int page = 1; page <= kPages; ++page) {
        std::u16string text = VersionText(page, 0);
        index += u"\r\n" + Rec(page, 0, 1, static_cast<int>(text.size()), NoteProps(u"n"));
        data += text;
    }
    WriteNotebook(index, data);

    std::mt19937 random(20101106);
    std::vector<int> seen(kPages + 1, 0);
    int newest = 0;
    for (int round = 0; round < kRounds; ++round) {
        ReleaseStore();
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveUntilKilled(newest + 1);
        ::usleep(std::uniform_int_distribution<useconds_t>(1000, 40000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself: " << status;

        TPageStore& store = GetStore();
        for (int page = 1; page <= kPages; ++page) {
            std::u16string text = store.ReadText(page, -1);
            int version = VersionOf(text);
            ASSERT_GE(version, 0) << "round " << round << " page " << page;
            ASSERT_EQ(text, VersionText(page, version)) << "round " << round << " page " << page;
            ASSERT_GE(version, seen[page]) << "round " << round << " page " << page;
            seen[page] = version;
            newest = std::max(newest, version);
        }
    }
    EXPECT_GT(newest, 0) << "no save finished before a kill";
    // Opening leaves no pending or temporary file behind; the lock file stays.
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(Home.File("data")))
        files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"quillbox.dat", "quillbox.idx", "quillbox.lock"}));
}

}  // namespace
}  // namespace qb::test
