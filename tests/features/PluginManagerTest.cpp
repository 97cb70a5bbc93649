// The plug-in manager: exactly the handlers the [ExtFuncs] options ask for, the services it
// installs, and everything they registered gone after Destroy.

#include <gtest/gtest.h>

#include "features/TrayFixture.h"
#include "features/ULinkHandler.h"
#include "features/UTemplateHandler.h"
#include "features/UTipQuery.h"
#include "foundation/UknError.h"
#include "shell/UOptionManager.h"
#include "shell/UPluginManager.h"

namespace qb::test {
namespace {

class PluginManager : public TDesktopTest {};

TEST_F(PluginManager, HandlersFollowTheExtensionOptions) {
    OptionManager().TemplateHotKey = 0x0200 | 'T';
    OptionManager().ClipboardHotKey = 0x0200 | 'Q';
    OptionManager().FastLinkHotKey = 0x0200 | 'L';
    OptionManager().TipQueryHotKey = 0x0200 | 'D';
    for (int bits = 0; bits < 32; ++bits) {
        const bool templ = bits & 1, clip = bits & 2, link = bits & 4, memo = bits & 8,
                   dict = bits & 16;
        TOptions& options = OptionManager();
        options.EnableTemplate = templ;
        options.EnableClipboard = clip;
        options.EnableLinkPage = link;
        options.EnableMemoPage = memo;
        options.EnableDictPage = dict;
        TPluginManager manager;
        TPluginServices services;
        services.Desktop = &Desktop;
        services.Popup = &Menu;
        manager.Create(services);
        SCOPED_TRACE(bits);
        EXPECT_EQ(manager.PasteHandler() != nullptr, templ || clip);
        EXPECT_EQ(manager.PopupHandler() != nullptr, templ || clip || link);
        EXPECT_EQ(manager.TemplateHandler() != nullptr, templ);
        EXPECT_EQ(manager.ClipHandler() != nullptr, clip);
        EXPECT_EQ(manager.LinkHandler() != nullptr, link);
        EXPECT_EQ(manager.FastLinkHandler() != nullptr, link);
        EXPECT_EQ(manager.MemoHandler() != nullptr, memo);
        EXPECT_EQ(manager.TipQuery() != nullptr, dict);
        EXPECT_EQ(Keys.Registered.size(), size_t(templ + clip + link + dict));
        manager.Destroy();
        EXPECT_EQ(manager.PopupHandler(), nullptr);
        EXPECT_EQ(manager.MemoHandler(), nullptr);
        EXPECT_EQ(manager.TipQuery(), nullptr);
        EXPECT_TRUE(Keys.Registered.empty());
        EXPECT_EQ(Timers.SetCount(), 0);
        manager.Destroy();  // nothing left to free
    }
}

TEST_F(PluginManager, HandlersLiveOnTheRootAndUseTheServices) {
    TMemoryShell shell;
    TPluginManager manager;
    TPluginServices services;
    services.Desktop = &Desktop;
    services.Shell = &shell;
    manager.Create(services);
    manager.Create(services);  // once only
    TPageSuper* fast = Page(manager.FastLinkHandler()->PageId());
    EXPECT_EQ(fast->OwnerId(), kRootId);
    EXPECT_EQ(Page(manager.ClipHandler()->PageId())->OwnerId(), kRootId);
    auto& link = static_cast<TLinkItem&>(*Add(fast, ptLinkItem, u"site"));
    link.LinkProperty().Link = u"https://example.org";
    link.LinkProperty().LinkType = ltUrl;
    CommandCenter().ExecuteCommand(TFastLinkHandler::ItemCommandBase + 1);
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].Target, u"https://example.org");
    EXPECT_TRUE(Shell.Calls.empty());
    manager.Destroy();
    EXPECT_THROW(OpenTarget(u"x"), TknError);  // the service given is taken back
}

}  // namespace
}  // namespace qb::test
