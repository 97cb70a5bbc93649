// The link handler: item hotkeys from the store and from events, opening by event and hotkey,
// minimizing afterwards, and dropped files becoming link items.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

#include "features/TrayFixture.h"
#include "features/ULinkHandler.h"
#include "features/UProcessShell.h"
#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "shell/UOptionManager.h"

namespace qb::test {
namespace {

constexpr uint16_t kCtrlL = 0x0200 | 'L';
constexpr uint16_t kAltK = 0x0400 | 'K';

class TWindowState : public IMainWindowState {
  public:
    bool IsMinimized() override { return Minimized; }
    void Minimize() override {
        Minimized = true;
        ++Minimizes;
    }
    bool Minimized = false;
    int Minimizes = 0;
};

class LinkHandler : public TTrayTest {
  protected:
    LinkHandler() { SetMainWindowState(&Window); }
    ~LinkHandler() override {
        Handler.reset();
        SetMainWindowState(nullptr);
    }

    TLinkItem& AddLink(std::u16string_view link, TLinkType type = ltUrl, uint16_t hotKey = 0) {
        if (!FPage) FPage = Add(GroupRoot(), ptLink, u"Links");
        auto& item = static_cast<TLinkItem&>(*Add(FPage, ptLinkItem, u"link"));
        item.LinkProperty().Link = link;
        item.LinkProperty().LinkType = type;
        item.LinkProperty().HotKey = hotKey;
        return item;
    }
    std::vector<std::u16string> Targets() const {
        std::vector<std::u16string> targets;
        for (const auto& call : Shell.Calls) targets.push_back(call.Target);
        return targets;
    }

    TWindowState Window;
    std::unique_ptr<TLinkHandler> Handler;
    TPageSuper* FPage = nullptr;
};

TEST_F(LinkHandler, ItemHotKeysFollowTheStoreAndEvents) {
    TLinkItem& news = AddLink(u"news.example.org", ltUrl, kCtrlL);
    TLinkItem& mail = AddLink(u"bob@example.org", ltEmail);
    Handler = std::make_unique<TLinkHandler>();
    EXPECT_EQ(Keys.Registered.size(), 1u);
    EXPECT_EQ(Keys.Press(modControl, 'L'), 1);
    EXPECT_EQ(Targets(), (std::vector<std::u16string>{u"http://news.example.org"}));

    EventCenter().EventNotify(evLinkHotKeySet, mail.Id(), kAltK);
    EXPECT_EQ(Keys.Press(modAlt, 'K'), 1);
    EXPECT_EQ(Targets().back(), u"mailto:bob@example.org");
    EventCenter().EventNotify(evLinkHotKeySet, mail.Id(), kCtrlL);  // replaces Alt+K
    EXPECT_EQ(Keys.Press(modAlt, 'K'), 0);
    EXPECT_EQ(Keys.Press(modControl, 'L'), 2);

    EventCenter().EventNotify(evLinkItemDeleted, news.Id());
    EventCenter().EventNotify(evLinkItemDeleted, mail.Id());
    EXPECT_TRUE(Keys.Registered.empty());

    // A key kept by an item that went without its event is given back when pressed.
    EventCenter().EventNotify(evLinkHotKeySet, news.Id(), kAltK);
    DeleteHandler().DeleteOrRecycle(news.Id(), FPage->Id());
    Shell.Calls.clear();
    EXPECT_EQ(Keys.Press(modAlt, 'K'), 1);
    EXPECT_TRUE(Shell.Calls.empty());
    EXPECT_TRUE(Keys.Registered.empty());

    EventCenter().EventNotify(evLinkHotKeySet, mail.Id(), kAltK);
    Handler.reset();
    EXPECT_TRUE(Keys.Registered.empty());
}

TEST_F(LinkHandler, OpensByEventAndMinimizesWhenAsked) {
    TLinkItem& batch = AddLink(u"/a\r\n/b", ltBatch);
    TLinkItem& folder = AddLink(u"/srv", ltFolder);
    Handler = std::make_unique<TLinkHandler>();
    EventCenter().EventNotify(evOpenLink, batch.Id());
    EXPECT_EQ(Targets(), (std::vector<std::u16string>{u"/a", u"/b"}));
    EXPECT_EQ(Window.Minimizes, 0);

    OptionManager().AutoMinimizeAfterOpenLink = true;
    OptionManager().NotifyAll();
    EventCenter().EventNotify(evOpenLink, folder.Id());
    EXPECT_EQ(Window.Minimizes, 1);
    EventCenter().EventNotify(evOpenLink, folder.Id());
    EXPECT_EQ(Window.Minimizes, 1);  // already minimized

    Window.Minimized = false;
    Shell.Results[u"/b"] = seAccessDenied;
    EXPECT_THROW(EventCenter().EventNotify(evOpenLink, batch.Id()), TknError);
    EXPECT_EQ(Window.Minimizes, 1);  // a failed open minimizes nothing

    size_t calls = Shell.Calls.size();
    EventCenter().EventNotify(evOpenLink, FPage->Id());  // not a link item
    EventCenter().EventNotify(evOpenLink, 9999);
    EXPECT_EQ(Shell.Calls.size(), calls);
}

TEST_F(LinkHandler, FastLinkChoiceOpensThroughTheLinkHandler) {
    TPageSuper* fast = Add(GroupRoot(), ptFastLink, u"Fast");
    auto& site = static_cast<TLinkItem&>(*Add(fast, ptLinkItem, u"site"));
    site.LinkProperty().Link = u"example.org";
    site.LinkProperty().LinkType = ltUrl;
    Handler = std::make_unique<TLinkHandler>();
    TMemoryDesktopInput desktop;
    test::TScriptedPopup menu;
    TPopupHandler popups(desktop, &menu);
    OptionManager().FastLinkHotKey = kAltK;
    TFastLinkHandler fastLinks(kRootId, popups);
    menu.Choices = {6001};
    Keys.Press(modAlt, 'K');
    ASSERT_EQ(menu.Places.size(), 1u);
    EXPECT_FALSE(menu.Places[0].AtCaret);
    EXPECT_EQ(Targets(), (std::vector<std::u16string>{u"http://example.org"}));
}

TEST_F(LinkHandler, DroppedFilesBecomeLinkItems) {
    TTempFolder elsewhere(false);
    ::mkdir(elsewhere.File("Music.old").c_str(), 0755);
    WriteBytes(elsewhere.File("report.final.pdf"), "%PDF");
    ::mkdir(Folder.File("tools").c_str(), 0755);
    WriteBytes(Folder.File("tools/run.sh"), "#!/bin/sh\n");
    WriteBytes(elsewhere.File("shell.desktop"),
               "[Desktop Action x]\nExec=nothing\n[Desktop Entry]\nName=Shell\nExec = sh -c 'echo "
               "hi' %U\n");
    WriteBytes(elsewhere.File("broken.desktop"), "[Desktop Entry]\nName=Broken\n");
    WriteBytes(elsewhere.File("Word.lnk"), "L");
    TPageSuper* links = Add(GroupRoot(), ptFastLink, u"Fast");
    std::vector<std::u16string> paths = {
        elsewhere.File16("Music.old/"),     elsewhere.File16("report.final.pdf"),
        Folder.File16("tools/run.sh"),      elsewhere.File16("shell.desktop"),
        elsewhere.File16("broken.desktop"), elsewhere.File16("Word.lnk"),
    };
    std::vector<int32_t> ids = DropFilesOnLinkPage(links->Id(), paths);
    ASSERT_EQ(ids.size(), paths.size());
    EXPECT_EQ(Ids(links->Childs()->Ids()), ids);

    struct {
        const char* Name;
        TLinkType Type;
        std::u16string Link;
    } expected[] = {
        {"Music.old", ltFolder, elsewhere.File16("Music.old/")},
        {"report.final", ltFile, elsewhere.File16("report.final.pdf")},
        {"run", ltFile, u".\\tools/run.sh"},
        {"sh", ltFile, FindProgram(u"sh")},
        {"broken", ltFile, elsewhere.File16("broken.desktop")},
        {"Word", ltFile, elsewhere.File16("Word.lnk")},
    };
    for (size_t i = 0; i < ids.size(); ++i) {
        auto* item = dynamic_cast<TLinkItem*>(Page(ids[i]));
        ASSERT_TRUE(item);
        EXPECT_EQ(ToUtf8(item->Name()), expected[i].Name);
        EXPECT_EQ(item->LinkProperty().LinkType, expected[i].Type) << expected[i].Name;
        EXPECT_EQ(ToUtf8(item->LinkProperty().Link), ToUtf8(expected[i].Link));
        EXPECT_EQ(item->LinkProperty().HotKey, 0);
    }
    // The relative link opens the program where it lies.
    Handler = std::make_unique<TLinkHandler>();
    Handler->OpenItem(ids[2]);
    EXPECT_EQ(ToUtf8(Shell.Calls.back().Target), Folder.File("tools/run.sh"));

    EXPECT_TRUE(DropFilesOnLinkPage(GroupRoot()->Id(), paths).empty());
    EXPECT_TRUE(DropFilesOnLinkPage(9999, paths).empty());
}

}  // namespace
}  // namespace qb::test
