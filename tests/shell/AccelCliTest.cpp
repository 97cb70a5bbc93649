#include <string>

#include "ShellTestSupport.h"
#include "foundation/UknFile.h"
#include "shell/UAccelText.h"

namespace qb::test {

using AccelCliTest = TShellTest;

TEST_F(AccelCliTest, ListsAndSetsKeys) {
    const std::string home = "--home '" + FFolder.Path() + "' ";
    std::string out, err;
    ASSERT_EQ(RunCli(home + "accel", "", &out, &err), 0) << err;
    EXPECT_EQ(out.substr(0, 21), "1010=Ctrl+N\n1110=Ctrl");
    EXPECT_NE(out.find("\n1320=Ctrl+Z (left to the editor)\n"), std::string::npos);
    EXPECT_FALSE(FileExists(FFolder.File16("accel.txt")));  // listing writes nothing

    EXPECT_EQ(RunCli(home + "accel 1160 ctrl+q", "", &out, &err), 0) << err;
    EXPECT_EQ(RunCli(home + "accel 1800 Ctrl+N", "", &out, &err), 0) << err;
    EXPECT_EQ(RunCli(home + "accel 1150 ''", "", &out, &err), 0) << err;
    EXPECT_EQ(ReadAccelFile(FFolder.File16("accel.txt")),
              u"1160=ctrl+q\r\n1800=Ctrl+N\r\n1150=\r\n");
    ASSERT_EQ(RunCli(home + "accel", "", &out, &err), 0) << err;
    EXPECT_NE(out.find("\n1150=\n"), std::string::npos);
    EXPECT_NE(out.find("\n1160=ctrl+q\n"), std::string::npos);
    EXPECT_NE(out.find("\n1800=Ctrl+N (taken by 1010)\n"), std::string::npos);

    EXPECT_EQ(RunCli(home + "accel 1160 Ctrl+F13", "", &out, &err), 1);
    EXPECT_NE(err.find("Not a key: Ctrl+F13"), std::string::npos);
    EXPECT_EQ(RunCli(home + "accel 70000 F9", "", &out, &err), 2);
    EXPECT_EQ(RunCli(home + "accel 1160", "", &out, &err), 2);
    EXPECT_EQ(ReadAccelFile(FFolder.File16("accel.txt")),
              u"1160=ctrl+q\r\n1800=Ctrl+N\r\n1150=\r\n");
}

}  // namespace qb::test
