// The template handler: item hotkeys from the store and events, the keys released before a
// hotkey's paste, the popup and digit hotkeys, and the text pasted with its placeholders
// expanded in template mode.

#include <gtest/gtest.h>

#include <memory>

#include "features/TrayFixture.h"
#include "features/UTemplateHandler.h"
#include "foundation/UknFunctions.h"
#include "shell/UOptionManager.h"
#include "shell/UVirtualKeys.h"

namespace qb::test {
namespace {

constexpr uint16_t kCtrlT = 0x0200 | 'T';
constexpr uint16_t kCtrlShiftY = 0x0300 | 'Y';
constexpr uint16_t kCtrlAltP = 0x0600 | 'P';

class TemplateHandler : public TDesktopTest {
  protected:
    ~TemplateHandler() override { Handler.reset(); }
    TTemplateItem& AddTemplate(std::u16string_view text, uint16_t hotKey = 0,
                               std::u16string_view name = u"t") {
        if (!FPage) FPage = Add(GroupRoot(), ptTemplate, u"Templates");
        auto& item = static_cast<TTemplateItem&>(*Add(FPage, ptTemplateItem, name));
        item.Template().Text = text;
        item.Template().HotKey = hotKey;
        return item;
    }
    void Start() { Handler = std::make_unique<TTemplateHandler>(kRootId, Popups, Paste); }
    std::vector<std::string> PasteSteps(std::string_view text) {
        return {"clipboard " + std::string(text), "down Ctrl", "down V", "up V", "up Ctrl"};
    }

    std::unique_ptr<TTemplateHandler> Handler;
    TPageSuper* FPage = nullptr;
};

TEST_F(TemplateHandler, HotKeyReleasesHeldKeysThenPastesExpanded) {
    AddTemplate(u"Dear %s(=,3)%nregards%t!", kCtrlT);
    Start();
    const std::string expanded = "Dear ===\r\nregards\t!";
    Desktop.Held = {vkControl, 'T'};
    ASSERT_EQ(Keys.Press(modControl, 'T'), 1);
    RunPosted();
    std::vector<std::string> expected = {"up T", "up Ctrl"};
    for (auto& step : PasteSteps(expanded)) expected.push_back(step);
    EXPECT_EQ(Desktop.Log, expected);

    Desktop = TMemoryDesktopInput();
    Desktop.Held = {vkShift, vkAlt, vkControl};
    Keys.Press(modControl, 'T');
    RunPosted();
    expected = {"up T", "up Alt", "up Ctrl", "up Shift"};
    for (auto& step : PasteSteps(expanded)) expected.push_back(step);
    EXPECT_EQ(Desktop.Log, expected);
}

TEST_F(TemplateHandler, PastesDateTimeAndLinesAsExpanded) {
    TTemplateItem& stamp = AddTemplate(u"%d %i");
    TTemplateItem& lines = AddTemplate(u"one\r\ntwo~n");
    Start();
    Handler->PasteItem(stamp.Id());
    Handler->PasteItem(lines.Id());
    Handler->PasteItem(FPage->Id());  // not a template item
    RunPosted();
    TSystemTime time = LocalNow();
    EXPECT_EQ(Desktop.Transcript(),
              FormatLocal(time, 1) + u" " + FormatLocal(time, 2) + u"\r\none\r\ntwo[Enter]");
}

TEST_F(TemplateHandler, PopupAndDigitHotKeysPasteItems) {
    AddTemplate(u"first");
    AddTemplate(u"second %s(2)", 0, u"sig").Template().Abbrev = u"s";
    OptionManager().TemplateHotKey = kCtrlAltP;
    OptionManager().EnableTemplItemHotKey = true;
    Start();
    EXPECT_EQ(Keys.Press(modControl | modAlt, '2'), 1);
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"second --");

    Menu.Choices = {5001};
    Keys.Press(modControl | modAlt, 'P');
    EXPECT_EQ(Menu.Shown.at(0), (std::vector<TPopupItem>{{5001, u"1.\tt"}, {5002, u"s.\tsig"}}));
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"second --first");
    EXPECT_EQ(Keys.Press(modControl | modAlt, '3'), 1);  // no third item: nothing
    EXPECT_TRUE(Posted.empty());
}

TEST_F(TemplateHandler, ItemHotKeysFollowEventsAndLeaveOtherIdsAlone) {
    TTemplateItem& a = AddTemplate(u"a");
    Start();
    // An item whose id is also a hotkey id of another owner keeps both keys apart.
    class TOther : public IHotkeyOwner {
      public:
        void OnHotkey(uint32_t id, uint16_t) override { Ids.push_back(id); }
        std::vector<uint32_t> Ids;
    } other;
    HotKeyCenter().AddHotKey(&other, static_cast<uint32_t>(a.Id()), 0x0200 | '1');
    EventCenter().EventNotify(evTemplateHotKeySet, a.Id(), kCtrlShiftY);
    EXPECT_EQ(Keys.Registered.size(), 2u);
    Keys.Press(modControl | modShift, 'Y');
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"a");
    Keys.Press(modControl, '1');
    EXPECT_EQ(other.Ids, (std::vector<uint32_t>{static_cast<uint32_t>(a.Id())}));
    EXPECT_TRUE(Posted.empty());

    EventCenter().EventNotify(evTemplateItemDeleted, a.Id());
    EXPECT_EQ(Keys.Press(modControl | modShift, 'Y'), 0);
    EXPECT_EQ(Keys.Press(modControl, '1'), 1);
    HotKeyCenter().RemoveOwner(&other);
}

}  // namespace
}  // namespace qb::test
