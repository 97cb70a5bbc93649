#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace qb::test {

TEST(CliBasics, VersionHelpAndUsageErrors) {
    std::string out, err;
    EXPECT_EQ(RunCli("--version", "", &out), 0);
    EXPECT_EQ(out, "quillbox-cli 3.2.0\n");
    EXPECT_EQ(RunCli("--help", "", &out), 0);
    EXPECT_NE(out.find("Usage: quillbox-cli [--home DIR] COMMAND"), std::string::npos);
    EXPECT_EQ(RunCli("no-such-command", "", &out, &err), 2);
    EXPECT_NE(err.find("unknown command 'no-such-command'"), std::string::npos);
    EXPECT_EQ(RunCli("", "", &out, &err), 2);
    EXPECT_EQ(RunCli("--home", "", &out, &err), 2);
}

}  // namespace qb::test
