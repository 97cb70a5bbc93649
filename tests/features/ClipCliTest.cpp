// quillbox-cli clip, template and recalc, run as their own processes on a notebook made here.

#include <gtest/gtest.h>

#include <functional>

#include "features/UClipPage.h"
#include "features/UTemplatePage.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

constexpr int32_t kGroupRoot = 7;  // in a notebook the tool has started

class ClipCli : public ::testing::Test {
  protected:
    ClipCli() { EXPECT_EQ(Cli("tree"), 0) << err; }
    // A page made by the tool, which saves the system pages with it; its id.
    int32_t NewPage(uint8_t type) {
        EXPECT_EQ(Cli("new " + std::to_string(kGroupRoot) + " " + std::to_string(type)), 0) << err;
        return std::stoi(out);
    }
    int Cli(const std::string& args) {
        out.clear();
        err.clear();
        return RunCli("--home '" + Home.Path() + "' " + args, "", &out, &err);
    }
    // Works on the notebook in this process; saved for the tool when `save` says so.
    void Store(const std::function<void(TPageStore&)>& work, bool save = false) {
        SetProgramFolder(Home.Path16());
        work(GetStore());
        if (save) GetStore().SaveIndex();
        ReleaseStore();
        ReleasePageFactoryObjects();
    }
    static TPageSuper& Add(TPageStore& store, int32_t parent, uint8_t type) {
        int32_t id = store.NewPage(parent, type);
        store.GetPage(parent)->Childs()->AddChild(id);
        return *store.GetPage(id);
    }
    std::vector<std::u16string> ClipTexts() {
        std::vector<std::u16string> texts;
        Store([&](TPageStore& store) {
            int32_t page = 0;
            if (!store.FindFirstOfType(ptClip, page)) return;
            TknIntList ids;
            store.GetPage(page)->GetChildIds(ids);
            for (int i = 0; i < ids.Count(); ++i)
                texts.push_back(store.GetPage(ids.Items(i))->GetText(-1));
        });
        return texts;
    }

    TTempFolder Home;
    std::string out, err;
};

TEST_F(ClipCli, ClipCapturesByTheRules) {
    OptionManager().MaxClipNum = 3;
    OptionManager().MaxItemByte = 20;
    OptionManager().Save();
    ReleaseOptionManager();
    std::vector<bool> captured;
    for (const char* text : {"one", "two", "two", "three", "four"}) {
        EXPECT_EQ(Cli(std::string("clip ") + text), 0) << err;
        captured.push_back(out != "not captured\n");
    }
    EXPECT_EQ(captured, (std::vector<bool>{true, true, false, true, true}));
    EXPECT_EQ(ClipTexts(), (std::vector<std::u16string>{u"four", u"three", u"two"}));
    EXPECT_EQ(Cli("clip 12345678901"), 0);  // above 20 bytes
    EXPECT_EQ(out, "not captured\n");
    EXPECT_EQ(Cli("clip"), 2);
}

TEST_F(ClipCli, TemplateShowsWhatAPasteSends) {
    int32_t id = 0, page = NewPage(ptTemplate);
    Store(
        [&](TPageStore& store) {
            auto& item = static_cast<TTemplateItem&>(Add(store, page, ptTemplateItem));
            item.Template().Text = u"Dear ~s,~n~t%s(=,2)~c!~l(2)\r\nx";
            id = item.Id();
        },
        true);
    EXPECT_EQ(Cli("template " + std::to_string(id)), 0) << err;
    EXPECT_EQ(out, "[Ctrl+C]Dear ,[Enter][Tab]==![Left][Left]\nx[Left][Left][Left]\n");
    EXPECT_EQ(Cli("template " + std::to_string(kRootId)), 1);
}

TEST_F(ClipCli, RecalcRewritesACalculatorPage) {
    int32_t calc = NewPage(ptCalc), note = NewPage(ptNote);
    Store([&](TPageStore& store) {
        store.GetPage(calc)->SetText(u"1+2\r\n2*3 = 7\r\n#f(x)=x*10\r\nf(2)\r\n// 1+1");
    });
    EXPECT_EQ(Cli("recalc " + std::to_string(calc)), 0) << err;
    const std::u16string expected = u"1+2 = 3\r\n2*3 = 6\r\n#f(x)=x*10\r\nf(2) = 20\r\n// 1+1";
    EXPECT_EQ(out, ToUtf8(ReplaceAll(expected, u"\r\n", u"\n")) + "\n");
    Store([&](TPageStore& store) { EXPECT_EQ(store.GetPage(calc)->GetText(-1), expected); });
    EXPECT_EQ(Cli("recalc " + std::to_string(note)), 1);
    EXPECT_EQ(Cli("recalc x"), 2);
}

}  // namespace
}  // namespace qb::test
