// quillbox-cli due and open, run as their own processes on a notebook made here.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <unistd.h>

#include <algorithm>
#include <functional>

#include "features/ULinkPage.h"
#include "features/UMemoPage.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

constexpr int32_t kGroupRoot = 7;  // in a notebook the tool has started

class CliTray : public ::testing::Test {
  protected:
    // A list page made by the tool (which saves the system pages with it); its id.
    int32_t NewList(uint8_t type) {
        EXPECT_EQ(Cli("new " + std::to_string(kGroupRoot) + " " + std::to_string(type)), 0) << err;
        return std::stoi(out);
    }

    int Cli(const std::string& args) {
        err.clear();
        out.clear();
        return RunCli("--home '" + Home.Path() + "' " + args, "", &out, &err);
    }
    // Adds pages to the notebook in this process, then saves it for the tool.
    void Edit(const std::function<void(TPageStore&)>& edit) {
        SetProgramFolder(Home.Path16());
        edit(GetStore());
        GetStore().SaveIndex();
        ReleaseStore();
        ReleasePageFactoryObjects();
        SetProgramFolder(u"");
    }
    static TPageSuper& Add(TPageStore& store, int32_t parent, uint8_t type,
                           std::u16string_view name) {
        int32_t id = store.NewPage(parent, type);
        store.GetPage(parent)->Childs()->AddChild(id);
        TPageSuper& page = *store.GetPage(id);
        page.SetName(name);
        return page;
    }
    static void AddMemo(TPageStore& store, int32_t memos, std::u16string_view name,
                        std::u16string_view timeText) {
        auto& item = static_cast<TMemoItem&>(Add(store, memos, ptMemoItem, name));
        item.Memo().SetTimeText(timeText);
    }

    TTempFolder Home{false};
    std::string out, err;
};

TEST_F(CliTray, DueListsTheItemsOfAMinuteAndFiresNone) {
    int32_t memos = NewList(ptMemo);
    ASSERT_EQ(memos, 9);
    Edit([memos](TPageStore& store) {
        AddMemo(store, memos, u"standup", u"@w1-5 09:30:00");      // 10
        AddMemo(store, memos, u"rent", u"@m1 09:30:00");           // 11
        AddMemo(store, memos, u"Christmas", u"@y12-25 09:30:00");  // 12
        AddMemo(store, memos, u"dentist", u"2010-11-01 09:00");    // 13
        AddMemo(store, memos, u"notes", u"");                      // 14
    });
    ASSERT_EQ(Cli("due --at '2010-11-01 09:30'"), 0) << err;
    EXPECT_EQ(out,
              "10\t@w1-5 09:30:00\tstandup\n"
              "11\t@m1 09:30:00\trent\n"
              "13\t2010-11-01 09:00\tdentist\n");
    ASSERT_EQ(Cli("due --at '2010-11-01 09:30'"), 0);  // nothing was marked as reminded
    EXPECT_NE(out.find("13\t"), std::string::npos);
    ASSERT_EQ(Cli("due --at '2010-12-25 09:30'"), 0);
    EXPECT_EQ(out, "12\t@y12-25 09:30:00\tChristmas\n13\t2010-11-01 09:00\tdentist\n");
    ASSERT_EQ(Cli("due --at '2010-10-31 09:29'"), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Cli("due"), 0) << err;

    for (const char* bad : {"'2010-11-01'", "'2010-11-01 9:30'", "'2010-02-30 09:30'",
                            "'2010-13-01 09:30'", "'2010-11-01 24:00'", "'x'", "''"}) {
        EXPECT_EQ(Cli(std::string("due --at ") + bad), 2) << bad;
        EXPECT_NE(err.find("yyyy-MM-dd HH:mm"), std::string::npos) << bad;
    }
    EXPECT_EQ(Cli("due --when '2010-11-01 09:30'"), 2);
}

TEST_F(CliTray, OpenStartsTheLinkedProgramAndReportsFailures) {
    TTempFolder work(false);
    std::string script = Home.File("tools/note.sh");
    ::mkdir(Home.File("tools").c_str(), 0755);
    WriteBytes(script, "#!/bin/sh\necho \"$(pwd) $*\" >> '" + work.File("ran.txt") + "'\n");
    ::chmod(script.c_str(), 0755);
    int32_t links = NewList(ptLink);
    ASSERT_EQ(links, 9);
    Edit([&](TPageStore& store) {
        auto& program = static_cast<TLinkItem&>(Add(store, links, ptLinkItem, u"note"));  // 10
        program.LinkProperty().Link = u".\\tools\\note.sh";
        auto& batch = static_cast<TLinkItem&>(Add(store, links, ptLinkItem, u"batch"));  // 11
        batch.LinkProperty().LinkType = ltBatch;
        batch.LinkProperty().Link = u"\"" + FromUtf8(script) + u"\" first \"two words\"\r\n" +
                                    work.File16("missing.sh") + u"\r\n\"" + FromUtf8(script) +
                                    u"\" never";
    });
    EXPECT_EQ(Cli("open 10"), 0) << err;
    EXPECT_EQ(Cli("open 11"), 1);
    EXPECT_EQ(err, "quillbox-cli open: File not found! " + work.File("missing.sh") + "\n");
    std::string ran;
    for (int i = 0; i < 300 && std::count(ran.begin(), ran.end(), '\n') < 2; ++i) {
        usleep(10000);
        ran = FileExists(work.File16("ran.txt")) ? ReadBytes(work.File("ran.txt")) : "";
    }
    std::string tools = Home.File("tools");
    // Both runs append; their order is the processes' own.
    EXPECT_NE(ran.find(tools + " \n"), std::string::npos) << ran;
    EXPECT_NE(ran.find(tools + " first two words\n"), std::string::npos) << ran;
    EXPECT_EQ(ran.find("never"), std::string::npos);

    EXPECT_EQ(Cli("open 9"), 1);
    EXPECT_NE(err.find("no link item"), std::string::npos);
    EXPECT_EQ(Cli("open x"), 2);
}

}  // namespace
}  // namespace qb::test
