// The page commands of quillbox-cli, each run as its own process on one program folder.

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace qb::test {
namespace {

class CliPages : public ::testing::Test {
  protected:
    // Runs a command on the test's folder; returns its exit code, its output in out.
    int Cli(const std::string& args, std::string_view input = "") {
        err.clear();
        return RunCli("--home '" + Home.Path() + "' " + args, input, &out, &err);
    }
    std::string Out(const std::string& args, std::string_view input = "") {
        EXPECT_EQ(Cli(args, input), 0) << args << ": " << err;
        return out;
    }

    TTempFolder Home{false};
    std::string out, err;
};

TEST_F(CliPages, BuildAndListANotebook) {
    // A first start has the root only.
    EXPECT_EQ(Out("tree"), "-1\t23\t0\t\n");

    EXPECT_EQ(Out("new -1 22 Notes"), "1\n");
    EXPECT_EQ(Out("new 1 0 Work"), "2\n");
    EXPECT_EQ(Out("new 2 1 Plan"), "3\n");
    EXPECT_EQ(Out("new 1 1"), "4\n");  // a default name
    EXPECT_EQ(Out("new -1 13 Bin"), "5\n");
    EXPECT_EQ(Out("rename 4 'Grüße ✓'"), "");
    EXPECT_EQ(Out("tree"),
              "-1\t23\t0\t\n"
              "  1\t22\t0\tNotes\n"
              "    2\t0\t0\tWork\n"
              "      3\t1\t0\tPlan\n"
              "    4\t1\t0\tGrüße ✓\n"
              "  5\t13\t0\tBin\n");

    EXPECT_EQ(Out("path 3"), "Notes\\Work\\Plan\n");
    EXPECT_EQ(Out("find 'notes\\work\\PLAN'"), "3\n");
    EXPECT_EQ(Out("field 3 25840"), "Plan\n");

    // Locking a group locks what it owns.
    EXPECT_EQ(Out("status 2 1"), "");
    EXPECT_NE(Out("tree").find("    2\t0\t1\tWork\n      3\t1\t1\tPlan\n"), std::string::npos);
}

TEST_F(CliPages, TextsGoInWithCrLfAndComeOutWithLf) {
    Out("new -1 22 Notes");
    Out("new 1 1 Note");
    Out("new 1 1 Other");
    EXPECT_EQ(Out("write 2", "first\nsecond\r\nthird"), "");
    EXPECT_EQ(Out("write 3", "ü\n"), "");
    EXPECT_EQ(Out("show 2"), "first\nsecond\nthird");
    EXPECT_EQ(Out("show 3"), "ü\n");
    EXPECT_EQ(ReadBytes(Home.File("data/quillbox.dat")),
              "\xFF\xFE" + Utf16LE(u"first\r\nsecond\r\nthird\u00FC\r\n"));
    EXPECT_EQ(Out("field 2 25920"), "first\nsecond\nthird\n");
    EXPECT_EQ(Out("write 2", ""), "");
    EXPECT_EQ(Out("show 2"), "");
    EXPECT_EQ(Out("show 3"), "ü\n");
}

TEST_F(CliPages, Errors) {
    Out("new -1 22 Notes");
    Out("new 1 1 Note");
    Out("new -1 7 Templates");
    struct {
        std::string args;
        int code;
        std::string message;
    } cases[] = {
        {"new 2 1 Child", 1, "does not take pages of type 1"},
        {"new -1 1 Note", 1, "does not take pages of type 1"},
        {"new -1 7 Again", 1, "page of type 7 already"},
        {"new 99 1", 1, "no page with id 99"},
        {"new 1 300", 2, "TYPE must lie between 0 and 255"},
        {"show 42", 1, "no page with id 42"},
        {"show x", 2, "ID must be a whole number"},
        {"show", 2, "missing arguments"},
        {"status 2 4", 2, "N must lie between 0 and 3"},
        {"find 'Notes\\Nothing'", 1, "no page with the path"},
        {"rename 2", 2, "missing arguments"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cli(c.args), c.code) << c.args;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.args << ": " << err;
    }
    EXPECT_EQ(Out("tree"),
              "-1\t23\t0\t\n  1\t22\t0\tNotes\n    2\t1\t0\tNote\n  3\t7\t0\tTemplates\n");
}

}  // namespace
}  // namespace qb::test
