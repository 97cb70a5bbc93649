// The template handler: item hotkeys from the store and events, the keys released before a
// hotkey's paste, and the text pasted with its placeholders expanded in template mode.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "features/TrayFixture.h"
#include "features/UTemplateHandler.h"
#include "foundation/UknFunctions.h"

namespace qb::test {
namespace {

constexpr uint16_t kCtrlT = 0x0200 | 'T';
constexpr uint16_t kCtrlShiftY = 0x0300 | 'Y';

class TRecordingSite : public ITemplatePasteSite {
  public:
    bool KeyHeld(uint8_t key) override { return Held.count(key) != 0; }
    void KeyUp(uint8_t key) override {
        Steps.push_back("up " + std::to_string(key));
        Held.erase(key);
    }
    void Pause(uint32_t ms) override { Steps.push_back("pause " + std::to_string(ms)); }
    void Paste(const std::u16string& text, bool templateMode) override {
        Steps.push_back(std::string(templateMode ? "template " : "plain ") + ToUtf8(text));
    }
    std::set<uint8_t> Held;
    std::vector<std::string> Steps;
};

class TemplateHandler : public TTrayTest {
  protected:
    TemplateHandler() { SetTemplatePasteSite(&Site); }
    ~TemplateHandler() override {
        Handler.reset();
        SetTemplatePasteSite(nullptr);
    }
    TTemplateItem& AddTemplate(std::u16string_view text, uint16_t hotKey = 0) {
        if (!FPage) FPage = Add(GroupRoot(), ptTemplate, u"Templates");
        auto& item = static_cast<TTemplateItem&>(*Add(FPage, ptTemplateItem, u"t"));
        item.Template().Text = text;
        item.Template().HotKey = hotKey;
        return item;
    }

    TRecordingSite Site;
    std::unique_ptr<TTemplateHandler> Handler;
    TPageSuper* FPage = nullptr;
};

TEST_F(TemplateHandler, HotKeyReleasesHeldKeysThenPastesExpanded) {
    AddTemplate(u"Dear %s(=,3)%nregards%t!", kCtrlT);
    Handler = std::make_unique<TTemplateHandler>();
    Site.Held = {vkControl};
    ASSERT_EQ(Keys.Press(modControl, 'T'), 1);
    EXPECT_EQ(Site.Steps, (std::vector<std::string>{"up 84", "pause 10", "up 17", "pause 10",
                                                    "template Dear ===\r\nregards\t!"}));
    Site.Steps.clear();
    Site.Held = {vkShift, vkAlt, vkControl};
    Keys.Press(modControl, 'T');
    EXPECT_EQ(Site.Steps, (std::vector<std::string>{"up 84", "pause 10", "up 18", "pause 10",
                                                    "up 17", "pause 10", "up 16", "pause 10",
                                                    "template Dear ===\r\nregards\t!"}));
}

TEST_F(TemplateHandler, PastesDateTimeAndLinesAsExpanded) {
    TTemplateItem& stamp = AddTemplate(u"%d %i");
    TTemplateItem& lines = AddTemplate(u"one\r\ntwo");
    Handler = std::make_unique<TTemplateHandler>();
    Handler->PasteItem(stamp.Id());
    Handler->PasteItem(lines.Id());
    Handler->PasteItem(FPage->Id());  // not a template item
    TSystemTime now = LocalNow();
    EXPECT_EQ(Site.Steps,
              (std::vector<std::string>{
                  "template " + ToUtf8(FormatLocal(now, 1) + u" " + FormatLocal(now, 2)),
                  "template one\r\ntwo"}));
}

TEST_F(TemplateHandler, ItemHotKeysFollowEventsAndLeaveOtherIdsAlone) {
    TTemplateItem& a = AddTemplate(u"a");
    // An item whose id is also a hotkey id of another owner keeps both keys apart.
    Handler = std::make_unique<TTemplateHandler>();
    class TOther : public IHotkeyOwner {
      public:
        void OnHotkey(uint32_t id, uint16_t) override { Ids.push_back(id); }
        std::vector<uint32_t> Ids;
    } other;
    HotKeyCenter().AddHotKey(&other, static_cast<uint32_t>(a.Id()), 0x0200 | '1');
    EventCenter().EventNotify(evTemplateHotKeySet, a.Id(), kCtrlShiftY);
    EXPECT_EQ(Keys.Registered.size(), 2u);
    Keys.Press(modControl | modShift, 'Y');
    EXPECT_EQ(Site.Steps.back(), "template a");
    Keys.Press(modControl, '1');
    EXPECT_EQ(other.Ids, (std::vector<uint32_t>{static_cast<uint32_t>(a.Id())}));
    EXPECT_EQ(Site.Steps.size(), 3u);

    EventCenter().EventNotify(evTemplateItemDeleted, a.Id());
    EXPECT_EQ(Keys.Press(modControl | modShift, 'Y'), 0);
    EXPECT_EQ(Keys.Press(modControl, '1'), 1);
    HotKeyCenter().RemoveOwner(&other);
}

}  // namespace
}  // namespace qb::test
