// quillbox-cli rm, mv, fav, search and recent against a notebook built here and read back.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/UknDateTimeUtils.h"
#include "model/UDeleteHandler.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "model/USysPageManager.h"
#include "shell/UknClasses.h"
#include "storage/UPageStore.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

class TCliTreeTest : public ::testing::Test {
  protected:
    TCliTreeTest() { Open(); }
    ~TCliTreeTest() override {
        Close(false);
        SetClockForTesting({});
    }

    void Open() { Manager = std::make_unique<TSysPageManager>(); }
    void Close(bool save = true) {
        Manager.reset();
        ReleaseDeleteHandler();
        if (save) GetStore().SaveIndex();
        ReleaseStore();
        ReleasePageFactoryObjects();
        ReleaseShellGlobals();
    }
    // Saves what was built here, runs the tool on the folder, then opens the notebook again.
    int Cli(const std::string& args, std::string* out = nullptr, std::string* err = nullptr) {
        Close();
        std::string ignored;
        int rc = RunCli("--home '" + Folder.Path() + "' " + args, "", out ? out : &ignored, err);
        Open();
        return rc;
    }

    TPageSuper* Page(int32_t id) { return GetStore().GetPage(id); }
    int32_t IdOf(uint8_t type) {
        int32_t id = kNoOwnerId;
        GetStore().FindFirstOfType(type, id);
        return id;
    }
    int32_t Add(int32_t parent, uint8_t type, std::u16string_view name,
                std::u16string_view text = {}) {
        int32_t id = GetStore().NewPage(parent, type);
        Page(parent)->Childs()->AddChild(id);
        Page(id)->SetName(name);
        if (!text.empty()) Page(id)->SetText(text);
        return id;
    }
    std::vector<int32_t> Children(int32_t id) {
        TknIntList ids;
        Page(id)->GetChildIds(ids);
        std::vector<int32_t> v;
        for (int i = 0; i < ids.Count(); ++i) v.push_back(ids.Items(i));
        return v;
    }
    static std::string Line(int32_t id, const std::string& name) {
        return std::to_string(id) + "\t" + name + "\n";
    }

    TTempFolder Folder;
    std::unique_ptr<TSysPageManager> Manager;
};

TEST_F(TCliTreeTest, AFirstStartThroughTheToolGivesTheProgramsTree) {
    Close(false);  // nothing written yet: the tool starts the notebook
    std::string out, err;
    EXPECT_EQ(RunCli("--home '" + Folder.Path() + "' fav add 7", "", &out, &err), 0) << err;
    Open();
    std::vector<int32_t> top = Children(kRootId);
    std::vector<int> types;
    for (int32_t id : top) types.push_back(Page(id)->PageType());
    EXPECT_EQ(types, (std::vector<int>{14, 10, 11, 22, 13}));
    EXPECT_EQ(Page(IdOf(ptRecycleBin))->Name(), u"RecycleBin");
    EXPECT_EQ(Children(IdOf(ptFavorite)), (std::vector<int32_t>{7}));  // 7: the group root
}

TEST_F(TCliTreeTest, RmRecyclesDestroysInTheBinAndRefusesLockedPages) {
    const int32_t root = IdOf(ptGroupRoot), bin = IdOf(ptRecycleBin);
    const int32_t group = Add(root, ptGroup, u"G");
    const int32_t a = Add(group, ptNote, u"A", u"alpha");
    const int32_t b = Add(group, ptNote, u"B");
    const int32_t locked = Add(root, ptNote, u"L");
    Page(locked)->SetStatus(psLocked);
    EXPECT_EQ(Cli("rm " + std::to_string(a)), 0);
    EXPECT_EQ(Page(a)->OwnerId(), bin);
    EXPECT_EQ(Page(a)->GetFullText(), u"alpha");
    EXPECT_EQ(Children(group), (std::vector<int32_t>{b}));

    std::string err;
    EXPECT_EQ(Cli("rm " + std::to_string(locked), nullptr, &err), 1);
    EXPECT_NE(err.find("cannot be deleted"), std::string::npos);
    EXPECT_EQ(Page(locked)->OwnerId(), root);
    EXPECT_EQ(Cli("rm 9999", nullptr, &err), 1);
    EXPECT_EQ(Cli("rm x", nullptr, &err), 2);

    // The limit of the options file applies: with 1 the older page goes for good.
    EXPECT_EQ(Cli("option Program RecyclerLimit 1"), 0);
    EXPECT_EQ(Cli("rm " + std::to_string(b)), 0);
    EXPECT_EQ(Children(bin), (std::vector<int32_t>{b}));
    EXPECT_FALSE(GetStore().PageExists(a));
    EXPECT_EQ(Cli("rm " + std::to_string(b)), 0);  // inside the bin: destroyed
    EXPECT_FALSE(GetStore().PageExists(b));
}

TEST_F(TCliTreeTest, MvDropsMovesCopiesAndRefuses) {
    const int32_t root = IdOf(ptGroupRoot);
    const int32_t g = Add(root, ptGroup, u"G");
    const int32_t sub = Add(g, ptGroup, u"Sub");
    const int32_t n1 = Add(root, ptNote, u"N1"), n2 = Add(root, ptNote, u"N2");
    const int32_t n3 = Add(root, ptNote, u"N3");
    std::string out, err;
    EXPECT_EQ(Cli("mv " + std::to_string(n1) + " " + std::to_string(n2) + " --sibling", &out), 0);
    EXPECT_EQ(out, std::to_string(n1) + "\n");
    EXPECT_EQ(Children(root), (std::vector<int32_t>{g, n2, n1, n3}));

    EXPECT_EQ(Cli("mv --copy " + std::to_string(n3) + " " + std::to_string(sub), &out), 0);
    int32_t copy = std::stoi(out);
    EXPECT_EQ(Children(sub), (std::vector<int32_t>{copy}));
    EXPECT_EQ(Children(root).back(), n3);

    EXPECT_EQ(Cli("mv " + std::to_string(g) + " " + std::to_string(sub), &out, &err), 1);
    EXPECT_EQ(Page(g)->OwnerId(), root);
    EXPECT_EQ(Cli("mv " + std::to_string(g), &out, &err), 2);
}

TEST_F(TCliTreeTest, FavAddsOnceAndRemoves) {
    const int32_t note = Add(IdOf(ptGroupRoot), ptNote, u"N");
    const std::string id = std::to_string(note);
    EXPECT_EQ(Cli("fav add " + id), 0);
    EXPECT_EQ(Cli("fav add " + id), 0);
    EXPECT_EQ(Children(IdOf(ptFavorite)), (std::vector<int32_t>{note}));
    EXPECT_EQ(Cli("fav rm " + id), 0);
    EXPECT_TRUE(Children(IdOf(ptFavorite)).empty());
    EXPECT_EQ(Page(note)->OwnerId(), IdOf(ptGroupRoot));
    EXPECT_EQ(Cli("fav toggle " + id), 2);
    EXPECT_EQ(Cli("fav add 9999"), 1);
}

TEST_F(TCliTreeTest, SearchPrintsIdsAndNamesOfTheResults) {
    const int32_t root = IdOf(ptGroupRoot);
    const int32_t a = Add(root, ptNote, u"Ä note", u"Some WORD here");
    const int32_t b = Add(root, ptNote, u"B", u"a word too");
    Add(root, ptNote, u"C", u"nothing");
    const int32_t memo = Add(root, ptMemo, u"word list");
    const int32_t gone = Add(root, ptNote, u"Gone", u"word");
    DeleteHandler().DeleteOrRecycle(gone, root);
    std::string out, err;
    EXPECT_EQ(Cli("search 1 25920 2 word", &out, &err), 0) << err;
    EXPECT_EQ(out, Line(a, "Ä note") + Line(b, "B"));
    EXPECT_EQ(Cli("search NotePage text include word --case", &out), 0);
    EXPECT_EQ(out, Line(b, "B"));
    EXPECT_EQ(Cli("search MemoPage Remark Exclude zzz", &out), 0);
    EXPECT_EQ(out, Line(memo, "word list"));
    EXPECT_EQ(Cli("search ContactPage Title Include x", &out), 0);  // no such pages yet
    EXPECT_EQ(out, "");
    EXPECT_EQ(Cli("search 1 25920 Has word", &out, &err), 2);
    EXPECT_EQ(Cli("search 300 25920 2 word", &out, &err), 2);
}

TEST_F(TCliTreeTest, RecentListsAreNewestFirst) {
    TSystemTime now{2012, 5, 0, 1, 8, 0, 0, 0};
    SetClockForTesting([&now] { return now; });
    const int32_t root = IdOf(ptGroupRoot);
    const int32_t first = Add(root, ptNote, u"First");
    now.Day = 3;
    const int32_t second = Add(root, ptCalc, u"Second");
    now.Day = 2;
    const int32_t third = Add(root, ptNote, u"Third");
    Page(first)->TrueProperty()->ModifyTime = TSystemTime{2012, 6, 0, 1, 8, 0, 0, 0};
    std::string out;
    EXPECT_EQ(Cli("recent create", &out), 0);
    EXPECT_EQ(out, Line(second, "Second") + Line(third, "Third") + Line(first, "First"));
    EXPECT_EQ(Cli("recent modify", &out), 0);
    EXPECT_EQ(out, Line(first, "First") + Line(second, "Second") + Line(third, "Third"));
    DeleteHandler().DeleteOrRecycle(second, root);
    EXPECT_EQ(Cli("recent visit", &out), 0);
    EXPECT_EQ(out, Line(third, "Third") + Line(first, "First"));
    EXPECT_EQ(Cli("recent deleted", &out), 2);
}

}  // namespace
}  // namespace qb::test
