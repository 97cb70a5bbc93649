#include <string>

#include "ShellTestSupport.h"
#include "foundation/UknFile.h"

namespace qb::test {

using CliOptionTest = TShellTest;

TEST_F(CliOptionTest, PrintsDefaultsSetsAndSaves) {
    const std::string home = "--home '" + FFolder.Path() + "' ";
    std::string out, err;
    EXPECT_EQ(RunCli(home + "option Backup AutoSaveTime", "", &out, &err), 0) << err;
    EXPECT_EQ(out, "10\n");
    EXPECT_EQ(RunCli(home + "option edit ul1", "", &out), 0);
    EXPECT_EQ(out, "* \n");
    EXPECT_FALSE(FileExists(IniPath()));  // reading writes nothing

    EXPECT_EQ(RunCli(home + "option Backup AutoSaveTime 30", "", &out, &err), 0) << err;
    EXPECT_EQ(RunCli(home + "option Backup AutoSaveTime", "", &out), 0);
    EXPECT_EQ(out, "30\n");
    EXPECT_EQ(FindIniLine(IniLines(), u"Program", u"Version")->Value, u"3.2.0");
    EXPECT_EQ(OptionManager().AutoSaveTime, 30);

    // Remembered values live in the same file.
    EXPECT_EQ(RunCli(home + "option Memory SaveCount 12", "", &out, &err), 0) << err;
    EXPECT_EQ(MemoryManager().SaveCount, 12);
    EXPECT_EQ(RunCli(home + "option Memory SaveCount", "", &out), 0);
    EXPECT_EQ(out, "12\n");

    // Non-ASCII values pass through as UTF-8.
    EXPECT_EQ(RunCli(home + "option Program MailClient 'm\xC3\xA4il'", "", &out, &err), 0) << err;
    EXPECT_EQ(RunCli(home + "option Program MailClient", "", &out), 0);
    EXPECT_EQ(out, "m\xC3\xA4il\n");
}

TEST_F(CliOptionTest, RefusesUnknownKeysBadValuesAndWrongArguments) {
    const std::string home = "--home '" + FFolder.Path() + "' ";
    std::string out, err;
    EXPECT_EQ(RunCli(home + "option Backup NoSuchKey", "", &out, &err), 1);
    EXPECT_NE(err.find("Unknown option"), std::string::npos) << err;
    EXPECT_EQ(RunCli(home + "option Backup AutoSaveTime soon", "", &out, &err), 1);
    EXPECT_EQ(RunCli(home + "option Edit BmkRule 1", "", &out, &err), 1);
    EXPECT_EQ(RunCli(home + "option Backup", "", &out, &err), 2);
    EXPECT_EQ(RunCli(home + "option a b c d", "", &out, &err), 2);
    EXPECT_FALSE(FileExists(IniPath()));
}

}  // namespace qb::test
