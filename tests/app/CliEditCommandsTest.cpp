// quillbox-cli edit and stats, each run as its own process on one program folder.

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace qb::test {
namespace {

class CliEdit : public TCliTest {
  protected:
    CliEdit() {
        Out("new 7 1 Note");  // page 9
        Out("write 9", "* one\n\n  two\nthree\n\n\n");
    }
};

TEST_F(CliEdit, TextToolsChangeTheSavedText) {
    // Positions count a line break once.
    EXPECT_EQ(Out("edit 9 1388 --select 0 16"), "0 23\n");
    EXPECT_EQ(Out("show 9"), "1. one\n\n  2. two\n3. three\n\n\n");
    EXPECT_EQ(Out("edit 9 1381 --select 13 3"), "14 3\n");
    EXPECT_EQ(Hex(Out("show 9").substr(10, 8)), "32 2E 20 1C 74 77 6F 1D");
    EXPECT_EQ(Out("edit 9 1385 --select 14 0"), "13 3\n");
    EXPECT_EQ(Out("edit 9 1390"), "24 0\n");
    EXPECT_EQ(Out("show 9"), "1. one\n  2. two\n3. three");
    EXPECT_EQ(Out("edit 9 355 --select 3 3"), "3 3\n");
    EXPECT_EQ(Out("field 9 25840"), "one\n");       // the title
    EXPECT_EQ(Cli("edit 9 1386 --select 0 2"), 1);  // no line break selected
    EXPECT_NE(err.find("command 1386 is not enabled here"), std::string::npos);
}

TEST_F(CliEdit, FindCommandsUseTheRememberedSettings) {
    Out("option FindCrit FindText T");
    EXPECT_EQ(Out("edit 9 1462 --select 8 0"), "9 1\n");  // "two", letter case ignored
    EXPECT_EQ(Cli("edit 9 1466"), 1);                     // replacing not allowed
    Out("option FindCrit ReplaceText 'T.'");
    Out("option FindCrit AllowReplace 1");
    Out("option FindCrit DirUp 1");
    EXPECT_EQ(Out("edit 9 1470 --select 12 0"), "All target text has been replaced!\n11 0\n");
    EXPECT_EQ(Out("show 9"), "* one\n\n  T.wo\nthree\n\n\n");  // upward from the caret only
    EXPECT_EQ(Out("edit 9 1464 --select 0 0"), "9 1\n");       // previous means down when up
    EXPECT_EQ(Out("edit 9 1462 --select 0 0"), "No target text found!\n0 0\n");
    EXPECT_EQ(Out("edit 9 1480"), "0 0\n");
    EXPECT_EQ(Out("option FindCrit HighlightMatch"), "0\n");  // remembered
}

TEST_F(CliEdit, ProtectedAndReadOnlyPagesKeepTheirText) {
    Out("status 9 2");
    EXPECT_EQ(Out("edit 9 1391"), "0 21\n");  // the whole text is protected
    Out("status 9 3");
    EXPECT_EQ(Cli("edit 9 1381 --select 0 3"), 1);
    EXPECT_EQ(Out("edit 9 1390"), "0 21\n");
    EXPECT_EQ(Out("show 9"), "* one\n\n  two\nthree\n\n\n");
}

TEST_F(CliEdit, WrongArguments) {
    EXPECT_EQ(Cli("edit 9 1500"), 2);
    EXPECT_EQ(Cli("edit 9 1390 --select 1"), 2);
    EXPECT_EQ(Cli("edit 9 1390 --select -1 2"), 2);
    EXPECT_EQ(Cli("edit 9 1390 --sel 1 2"), 2);
    EXPECT_EQ(Cli("edit 99 1390"), 1);
    EXPECT_EQ(Cli("edit 7 1390"), 1);  // a group has no text
    EXPECT_NE(err.find("page 7 has no text to edit"), std::string::npos);
}

TEST_F(CliEdit, StatisticsOfAPageAndTheNotebook) {
    Out("new 7 0 Group");  // 10
    EXPECT_EQ(Out("stats 9"),
              "[Current Page]\nTotal Characters:\t27\nCharacters ExCr:\t15\n"
              "Characters ExBl:\t12\nWords:\t4\nLines:\t6\nParagraphs:\t3\n"
              "[Database]\nGroup\t1\n\nNotePage\t1\n");
    EXPECT_EQ(Out("stats 7"), "[Current Page]\nItems:\t2\n[Database]\nGroup\t1\n\nNotePage\t1\n");
    EXPECT_EQ(Cli("stats 99"), 1);
}

}  // namespace
}  // namespace qb::test
