// Clipboard capture: the watcher's quiet rule and ignore flag, the capture rules (size limit,
// duplicate filters, Fixed items, the maximum count), pasting items back with their hotkeys
// and the popup, and the watch and clear commands.

#include <gtest/gtest.h>

#include <memory>

#include "features/TrayFixture.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UVirtualKeys.h"

namespace qb::test {
namespace {

constexpr uint16_t kCtrlQ = 0x0200 | 'Q';
constexpr uint16_t kShiftF12 = 0x0100 | 0x7B;

TEST(ClipWatcher, QuietRuleAndIgnoreFlag) {
    TClipWatcher watcher;
    TCaptured captured;
    watcher.OnClipboardChanged(u"unwatched", 0);
    watcher.AddObserver(&captured);
    watcher.OnClipboardChanged(u"a", 1000);
    watcher.OnClipboardChanged(u"b", 1100);  // 100 ms: dropped
    watcher.OnClipboardChanged(u"c", 1101);  // counted from the last one handled
    watcher.OnClipboardChanged(u"", 1300);
    watcher.IgnoreNext();
    watcher.OnClipboardChanged(u"own", 1500);
    watcher.OnClipboardChanged(u"d", 1700);
    // The program's own change dropped by the quiet rule spends the flag all the same.
    watcher.IgnoreNext();
    watcher.OnClipboardChanged(u"own", 1750);
    watcher.OnClipboardChanged(u"e", 1900);
    EXPECT_FALSE(watcher.IgnoringNext());
    EXPECT_EQ(captured.Texts, (std::vector<std::u16string>{u"a", u"c", u"d", u"e"}));

    // Watching again starts afresh: no quiet time, no ignore flag.
    watcher.IgnoreNext();
    watcher.RemoveObserver(&captured);
    EXPECT_FALSE(watcher.Watching());
    watcher.AddObserver(&captured);
    watcher.OnClipboardChanged(u"f", 1910);
    EXPECT_EQ(captured.Texts.back(), u"f");
}

class ClipHandler : public TDesktopTest {
  protected:
    ~ClipHandler() override { Handler.reset(); }
    TClipHandler& Start() {
        Handler.reset();
        Handler = std::make_unique<TClipHandler>(kRootId, Popups, Paste, nullptr);
        if (!Handler->Watching()) Handler->ExecuteCommand(cmWatchClipboard);
        return *Handler;
    }
    TPageChilds& Items() { return *Handler->ClipPage().Childs(); }
    std::vector<std::u16string> Texts() {
        std::vector<std::u16string> texts;
        for (int i = 0; i < Items().Count(); ++i)
            texts.push_back(Page(Items().ChildAt(i))->GetText(-1));
        return texts;
    }
    void Fix(int index) { static_cast<TClipItem*>(Page(Items().ChildAt(index)))->Fixed = true; }
    void CopyAll(std::initializer_list<std::u16string_view> texts) {
        for (auto text : texts) Copy(text);
    }
    std::unique_ptr<TClipHandler> Handler;
};

TEST_F(ClipHandler, DuplicateFilters) {
    struct TCase {
        int32_t Filter;
        std::vector<std::u16string> Twice;
        std::vector<std::u16string> Aba;
    };
    const TCase cases[] = {{0, {u"A", u"A"}, {u"A", u"B", u"A"}},
                           {1, {u"A"}, {u"A", u"B", u"A"}},
                           {2, {u"A"}, {u"B", u"A"}}};
    for (const TCase& c : cases) {
        OptionManager().FilterType = c.Filter;
        Start();
        CopyAll({u"A", u"A"});
        EXPECT_EQ(Texts(), c.Twice) << c.Filter;
        Handler->ExecuteCommand(cmClearClipboard);
        CopyAll({u"A", u"B", u"A"});
        EXPECT_EQ(Texts(), c.Aba) << c.Filter;
        Handler->ExecuteCommand(cmClearClipboard);
    }
}

TEST_F(ClipHandler, FixedItemsKeepTheirPlacesWithinTheMaximum) {
    OptionManager().MaxClipNum = 3;
    Start();
    CopyAll({u"B", u"F", u"A"});
    Fix(1);
    CopyAll({u"T1", u"T2", u"T3", u"T4"});
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"T4", u"F", u"T3"}));
    // Trimmed items are gone from the store, not only from the list.
    TknIntList clips;
    Store().GetIdsOfType(ptClipItem, clips);
    EXPECT_EQ(clips.Count(), 3);

    Fix(0);
    Fix(2);
    Copy(u"T5");  // the Fixed items fill the list: nothing more is stored
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"T4", u"F", u"T3"}));
}

TEST_F(ClipHandler, SizeLimitAndItemNames) {
    OptionManager().MaxItemByte = 11;  // 5 characters
    OptionManager().MenuWidth = 3;
    Start();
    Copy(u"123456");
    Copy(u"a\tb\U0001F600");  // 5 code units; the name never splits a pair
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"a\tb\U0001F600"}));
    EXPECT_EQ(Page(Items().ChildAt(0))->Name(), u"a  b");
}

TEST_F(ClipHandler, DigitHotKeysPasteAndShiftPastesARun) {
    OptionManager().ClipboardHotKey = kShiftF12;
    OptionManager().EnableClipItemHotKey = true;
    OptionManager().FilterType = 0;
    Start();
    EXPECT_EQ(Keys.Registered.size(), 10u);
    CopyAll({u"one", u"two", u"three"});  // newest first: three, two, one

    Desktop.Held = {vkShift};
    EXPECT_EQ(Keys.Press(modShift, '2'), 1);
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"two\r\nthree");
    // The program's own pastes were not captured.
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"three", u"two", u"one"}));

    Desktop = TMemoryDesktopInput();
    Desktop.Held = {vkShift, vkControl};  // Shift with Ctrl is no run
    Handler->ActivateItem(2);
    Handler->ActivateItem(3);  // beyond the last item
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"one");
}

TEST_F(ClipHandler, HotKeysFollowTheOptions) {
    Start();
    EXPECT_TRUE(Keys.Registered.empty());
    OptionManager().ClipboardHotKey = 0x7B;  // no modifier: no digits
    OptionManager().EnableClipItemHotKey = true;
    OptionManager().NotifyAll();
    EXPECT_EQ(Keys.Registered.size(), 1u);
    OptionManager().ClipboardHotKey = kCtrlQ;
    OptionManager().NotifyAll();
    EXPECT_EQ(Keys.Registered.size(), 10u);
    EXPECT_EQ(Keys.Press(modControl, '9'), 1);
    OptionManager().EnableClipItemHotKey = false;
    OptionManager().NotifyAll();
    EXPECT_EQ(Keys.Registered.size(), 1u);
    Handler.reset();
    EXPECT_TRUE(Keys.Registered.empty());
}

TEST_F(ClipHandler, PopupPastesTheChosenItemAndNewPasteToTop) {
    OptionManager().ClipboardHotKey = kCtrlQ;
    OptionManager().NewPasteToTop = true;
    Start();
    CopyAll({u"first", u"second", u"third"});
    Desktop.Foreground = 5;
    Desktop.CaretX = 40;
    Desktop.CaretY = 60;
    Menu.Choices = {4003};
    Keys.Press(modControl, 'Q');
    ASSERT_EQ(Menu.Shown.size(), 1u);
    EXPECT_EQ(Menu.Shown[0],
              (std::vector<TPopupItem>{
                  {4001, u"1.\tthird"}, {4002, u"2.\tsecond"}, {4003, u"3.\tfirst"}}));
    EXPECT_EQ(Menu.Places[0].X, 40);
    EXPECT_TRUE(Menu.Places[0].AtCaret && Menu.Places[0].TakeFocus);
    EXPECT_EQ(Desktop.Log.front(), "foreground 5");  // the target has the focus back
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"first");
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"first", u"third", u"second"}));

    OptionManager().NewPasteToTop = false;
    OptionManager().NotifyAll();
    Handler->ExecuteCommand(4002);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"first", u"third", u"second"}));
}

TEST_F(ClipHandler, ItemCommandsNeedATarget) {
    Start();
    Copy(u"x");
    Desktop.Foreground = 0;  // the program itself is in front, showing no text
    EXPECT_FALSE(Handler->CheckCommand(4001));
    TPageSuper* note = Add(GroupRoot(), ptNote);
    PageCenter().SetActivePage(note);
    EXPECT_TRUE(Handler->CheckCommand(4001));
    PageCenter().SetActivePage(nullptr);
    Desktop.Foreground = 3;
    EXPECT_TRUE(Handler->CheckCommand(4001));
}

class TAnswer : public IClipConfirm {
  public:
    bool Confirm(std::u16string_view question) override {
        Questions.emplace_back(question);
        return Ok;
    }
    bool Ok = false;
    std::vector<std::u16string> Questions;
};

TEST_F(ClipHandler, ClearKeepsFixedItemsAndAsksFirst) {
    TAnswer answer;
    Handler = std::make_unique<TClipHandler>(kRootId, Popups, Paste, &answer);
    EXPECT_FALSE(Handler->CheckCommand(cmClearClipboard));
    Handler->ExecuteCommand(cmWatchClipboard);
    CopyAll({u"a", u"b", u"c"});
    Fix(1);
    EXPECT_TRUE(Handler->CheckCommand(cmClearClipboard));
    CommandCenter().ExecuteCommand(cmClearClipboard);
    EXPECT_EQ(Texts().size(), 3u);
    answer.Ok = true;
    CommandCenter().ExecuteCommand(cmClearClipboard);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"b"}));
    EXPECT_EQ(answer.Questions.back(), u"Are you sure to clear all the clip text?");
}

TEST_F(ClipHandler, WatchingIsToggledAndRemembered) {
    Handler = std::make_unique<TClipHandler>(kRootId, Popups, Paste, nullptr);
    Copy(u"unseen");
    CommandCenter().ExecuteCommand(cmWatchClipboard);
    Copy(u"seen");
    EXPECT_TRUE(MemoryManager().WatchClipboard);
    Handler.reset();  // leaves the watcher
    EXPECT_FALSE(ClipWatcher().Watching());
    Handler = std::make_unique<TClipHandler>(kRootId, Popups, Paste, nullptr);
    EXPECT_TRUE(Handler->Watching());  // from the remembered setting
    CommandCenter().ExecuteCommand(cmWatchClipboard);
    Copy(u"off again");
    EXPECT_FALSE(MemoryManager().WatchClipboard);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"seen"}));
}

}  // namespace
}  // namespace qb::test
