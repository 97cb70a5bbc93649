#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "shell/UOptionManager.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

using test::RunCli;

// Options saved into the temporary program folder, then read by a separate quillbox-cli.
class CalcCli : public ::testing::Test {
  protected:
    void SaveOptions() {
        OptionManager().Save();
        ReleaseOptionManager();
    }
    std::string Home() const { return "--home '" + FHome.Path() + "' "; }
    test::TTempFolder FHome;
};

TEST_F(CalcCli, CalcUsesTheOptions) {
    std::string out;
    EXPECT_EQ(RunCli(Home() + "calc 1/3 + 1", "", &out), 0);
    EXPECT_EQ(out, "1.333333\n");
    OptionManager().CalcDecimal = 2;
    OptionManager().Tri_Degree = true;
    OptionManager().UserFunctions = {u"sq(x)=x*x"};
    SaveOptions();
    EXPECT_EQ(RunCli(Home() + "calc 'sq(1/3)+sin30'", "", &out), 0);
    EXPECT_EQ(out, "0.61\n");
    EXPECT_EQ(RunCli(Home() + "calc '?list'", "", &out), 0);
    EXPECT_EQ(out, "\nsq(x)=x*x\n");
    EXPECT_EQ(RunCli(Home() + "calc '(1+2'", "", &out), 0);
    EXPECT_EQ(out, "bracket not match!\n");
    EXPECT_EQ(RunCli(Home() + "calc", "", &out), 2);
}

TEST_F(CalcCli, Lookup) {
    std::string out, err;
    EXPECT_EQ(RunCli(Home() + "lookup cat", "", &out), 0);
    EXPECT_EQ(out, "no dictionary configured!\n");
    std::filesystem::create_directories(FHome.File("dict"));
    test::WriteBytes(FHome.File("dict/en.dic"),
                     "\xFF\xFE" + test::Utf16LE(u"@English\r\ncat\tfeline"));
    test::WriteBytes(FHome.File("dict/de.dic"),
                     "\xFF\xFE" + test::Utf16LE(u"@Deutsch\r\ncat\tKatze"));
    OptionManager().SelDictList = u"en.dic,de.dic";
    SaveOptions();
    EXPECT_EQ(RunCli(Home() + "lookup cat", "", &out), 0);
    EXPECT_EQ(out, "[English] feline\n[Deutsch] Katze\n");
    EXPECT_EQ(RunCli(Home() + "lookup Cat --single", "", &out), 0);
    EXPECT_EQ(out, "(cat) feline\n");
    EXPECT_EQ(RunCli(Home() + "lookup dog --multi", "", &out), 0);
    EXPECT_EQ(out, "not found!\n");
    EXPECT_EQ(RunCli(Home() + "lookup cat --all", "", &out, &err), 2);
}

}  // namespace
}  // namespace qb
