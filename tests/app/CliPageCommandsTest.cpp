// The page commands of quillbox-cli, each run as its own process on one program folder.

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace qb::test {
namespace {

using CliPages = TCliTest;

// What a first start creates under the root; the group root is page 7 and user pages follow
// the recycle bin.
const std::string kSystemPages =
    "-1\t23\t0\t\n"
    "  1\t14\t0\tRecent Notes\n"
    "    2\t19\t0\tRecent Created\n"
    "    3\t20\t0\tRecent Modified\n"
    "    4\t21\t0\tRecent Visited\n"
    "  5\t10\t0\tFavorite\n"
    "  6\t11\t0\tSearch\n"
    "  7\t22\t0\tRoot\n";
const std::string kRecycleBin = "  8\t13\t0\tRecycleBin\n";

TEST_F(CliPages, BuildAndListANotebook) {
    EXPECT_EQ(Out("tree"), kSystemPages + kRecycleBin);

    EXPECT_EQ(Out("new 7 0 Work"), "9\n");
    EXPECT_EQ(Out("new 9 1 Plan"), "10\n");
    EXPECT_EQ(Out("new 7 1"), "11\n");  // a default name
    EXPECT_EQ(Out("rename 11 'Grüße ✓'"), "");
    EXPECT_EQ(Out("tree"), kSystemPages +
                               "    9\t0\t0\tWork\n"
                               "      10\t1\t0\tPlan\n"
                               "    11\t1\t0\tGrüße ✓\n" +
                               kRecycleBin);

    EXPECT_EQ(Out("path 10"), "Root\\Work\\Plan\n");
    EXPECT_EQ(Out("find 'root\\work\\PLAN'"), "10\n");
    EXPECT_EQ(Out("field 10 25840"), "Plan\n");

    // Locking a group locks what it owns.
    EXPECT_EQ(Out("status 9 1"), "");
    EXPECT_NE(Out("tree").find("    9\t0\t1\tWork\n      10\t1\t1\tPlan\n"), std::string::npos);
}

TEST_F(CliPages, TextsGoInWithCrLfAndComeOutWithLf) {
    Out("new 7 1 Note");
    Out("new 7 1 Other");
    EXPECT_EQ(Out("write 9", "first\nsecond\r\nthird"), "");
    EXPECT_EQ(Out("write 10", "ü\n"), "");
    EXPECT_EQ(Out("show 9"), "first\nsecond\nthird");
    EXPECT_EQ(Out("show 10"), "ü\n");
    EXPECT_EQ(ReadBytes(Home.File("data/quillbox.dat")),
              "\xFF\xFE" + Utf16LE(u"first\r\nsecond\r\nthird\u00FC\r\n"));
    EXPECT_EQ(Out("field 9 25920"), "first\nsecond\nthird\n");
    EXPECT_EQ(Out("write 9", ""), "");
    EXPECT_EQ(Out("show 9"), "");
    EXPECT_EQ(Out("show 10"), "ü\n");
}

TEST_F(CliPages, Errors) {
    Out("new 7 1 Note");
    Out("new -1 7 Templates");
    struct {
        std::string args;
        int code;
        std::string message;
    } cases[] = {
        {"new 9 1 Child", 1, "does not take pages of type 1"},
        {"new -1 1 Note", 1, "does not take pages of type 1"},
        {"new -1 7 Again", 1, "page of type 7 already"},
        {"new 99 1", 1, "no page with id 99"},
        {"new 7 300", 2, "TYPE must lie between 0 and 255"},
        {"show 42", 1, "no page with id 42"},
        {"show x", 2, "ID must be a whole number"},
        {"show", 2, "missing arguments"},
        {"status 9 4", 2, "N must lie between 0 and 3"},
        {"find 'Notes\\Nothing'", 1, "no page with the path"},
        {"rename 2", 2, "missing arguments"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cli(c.args), c.code) << c.args;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
    }
    EXPECT_EQ(Out("tree"), kSystemPages + "    9\t1\t0\tNote\n" + kRecycleBin + "  10\t7\t0\tTemplates\n");
}

// Item fields set one command at a time read back in the next; bad values change nothing.
TEST_F(CliPages, ItemFields) {
    Out("new 7 3 Memos");                // 9
    Out("new 9 15 Call");                // 10
    Out("new 7 5 Links");                // 11
    Out("new 11 16 Home");               // 12
    Out("new 7 6 People");               // 13
    Out("new 13 17 Ann");                // 14
    Out("new -1 7 Templates");           // 15
    Out("new 15 18 Sig");                // 16
    struct {
        std::string id, field, value, shown;
    } sets[] = {
        {"10", "25140", "2026-12-09 14:05", "2026-12-09 14:05"},
        {"10", "25150", "2", "None"},
        {"10", "25180", "ring Bob", "ring Bob"},
        {"10", "25840", "Call Bob", "Call Bob"},
        {"12", "25200", "/tmp", "/tmp"},
        {"12", "25205", "1", "Folder"},
        {"12", "25210", "Ctrl+Alt+H", "1608"},  // the hotkey word
        {"14", "25250", "0170 1234", "0170 1234"},
        {"14", "25240", "1", "Female"},
        {"16", "25920", "Regards\nAnn", "Regards  Ann"},  // shown on one line
    };
    for (const auto& c : sets) {
        EXPECT_EQ(Out("field " + c.id + " " + c.field + " '" + c.value + "'"), "") << c.field;
        EXPECT_EQ(Out("field " + c.id + " " + c.field), c.shown + "\n") << c.field;
    }
    struct {
        std::string args, message;
    } refused[] = {
        {"field 10 25140 '2026-02-30 10:00'", "not a valid time"},
        {"field 10 25150 7", "from 0 to 2"},
        {"field 12 25210 Ctrl+Nothing", "not a hotkey"},
        {"field 14 25200 x", "has no field 25200"},
        {"field 9 25140 '2026-12-09 14:05'", "has no field 25140"},
        {"field 10 25840 ''", "must not be empty"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(Cli(c.args), 1) << c.args;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
    }
    EXPECT_EQ(Out("field 10 25140"), "2026-12-09 14:05\n");
    EXPECT_EQ(Out("field 10 25840"), "Call Bob\n");
}

}  // namespace
}  // namespace qb::test
