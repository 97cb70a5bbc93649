// Pasting into the program in front: what the target receives for each template token, the
// keys released first, the clipboard change the watcher must not capture, and the posted
// pastes that queue texts with line breaks between them.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "features/TrayFixture.h"
#include "shell/UVirtualKeys.h"

namespace qb::test {
namespace {

class PasteHandler : public TDesktopTest {
  protected:
    std::u16string Sent(std::u16string_view text, bool templateMode = true) {
        TPasteHandler now(Desktop);
        now.Paste(std::u16string(text), templateMode);
        return Desktop.Transcript();
    }
};

TEST_F(PasteHandler, TemplateTokensBecomeKeys) {
    struct TCase {
        std::u16string Text;
        std::u16string Sent;
        bool Template = true;
    };
    const TCase cases[] = {
        {u"Dear~nSir", u"Dear[Enter]Sir"},
        {u"~t~u~d~h~e~r~l", u"[Tab][Up][Down][Home][End][Right][Left]"},
        {u"x~l(3)y", u"x[Left][Left][Left]y"},
        {u"a~cb", u"ab[Left]"},
        {u"a~c", u"a"},  // a mark at the end leaves the caret there
        {u"one\r\ntw~co\r\nthree",
         u"one\r\ntwo\r\nthree[Left][Left][Left][Left][Left][Left][Left]"},
        {u"a~cb~nc", u"ab[Enter]c[Left][Left][Left]"},  // Enter is one caret step
        {u"x~n(0)", u"x[Enter](0)"},
        {u"x~n()", u"x[Enter]()"},
        {u"x~n(2", u"x[Enter](2"},
        {u"x~n(-2)", u"x[Enter](-2)"},
        {u"x~n( 2)", u"x[Enter]( 2)"},
        {u"~", u"~"},
        {u"a~~nb~x", u"a~[Enter]b~x"},
        {u"plain~n", u"plain~n", false},
    };
    for (const TCase& c : cases) {
        Desktop = TMemoryDesktopInput();
        EXPECT_EQ(Sent(c.Text, c.Template), c.Sent) << ToUtf8(c.Text);
    }
}

std::u16string Repeated(std::u16string_view key, int times) {
    std::u16string keys;
    for (int i = 0; i < times; ++i) keys += key;
    return keys;
}

TEST_F(PasteHandler, AbsurdCountsAreBounded) {
    EXPECT_EQ(Sent(u"~r(99999999999999999999)x"), Repeated(u"[Right]", kMaxKeyRepeat) + u"x");
    Desktop = TMemoryDesktopInput();
    EXPECT_EQ(Sent(u"~d(1001)"), Repeated(u"[Down]", kMaxKeyRepeat));
    Desktop = TMemoryDesktopInput();
    EXPECT_EQ(Sent(u"~d(999)"), Repeated(u"[Down]", 999));
}

TEST_F(PasteHandler, SelectionIsCopiedAndPastedAsItIs) {
    Desktop.Selection = u"my ~n text";
    EXPECT_EQ(Sent(u"<b>~s</b>~s"), u"[Ctrl+C]<b>my ~n text</b>my ~n text");
    // Nothing selected: the clipboard keeps what it held.
    Desktop = TMemoryDesktopInput();
    Desktop.Clipboard = u"old";
    EXPECT_EQ(Sent(u"[~s]"), u"[Ctrl+C][old]");
}

TEST_F(PasteHandler, HeldModifiersAreReleasedBeforeThePaste) {
    Desktop.Held = {vkShift, vkAlt};
    Sent(u"hi", false);
    EXPECT_EQ(Desktop.Log, (std::vector<std::string>{"up Alt", "up Shift", "clipboard hi",
                                                     "down Ctrl", "down V", "up V", "up Ctrl"}));
    // The user's own release was waited for first; nothing held, nothing waited.
    EXPECT_GE(Desktop.PausedMs, 300u);
    Desktop = TMemoryDesktopInput();
    Sent(u"hi", false);
    EXPECT_LT(Desktop.PausedMs, 50u);
    Desktop = TMemoryDesktopInput();
    Sent(u"", false);  // an empty text sends nothing
    EXPECT_TRUE(Desktop.Log.empty());
}

TEST_F(PasteHandler, OwnClipboardChangesAreNotCaptured) {
    TCaptured captured;
    ClipWatcher().AddObserver(&captured);
    Desktop.Selection = u"sel";
    Paste.Paste(u"a~sb~nc", true);
    RunPosted();
    Copy(u"user copy");
    EXPECT_EQ(Desktop.Transcript(), u"[Ctrl+C]aselb[Enter]c");
    EXPECT_EQ(captured.Texts, (std::vector<std::u16string>{u"user copy"}));
    ClipWatcher().RemoveObserver(&captured);
}

TEST_F(PasteHandler, PostedPastesQueueWithLineBreaks) {
    Paste.Paste(u"one", false);
    Paste.Paste(u"two", false);
    Paste.Paste(u"three", false);
    EXPECT_TRUE(Desktop.Log.empty());  // nothing before the event loop runs the posted calls
    ASSERT_EQ(Posted.size(), 3u);
    RunPosted();
    EXPECT_EQ(Desktop.Transcript(), u"one\r\ntwo\r\nthree");

    // A call posted by a handler that has gone does nothing.
    std::vector<std::function<void()>> late;
    auto gone = std::make_unique<TPasteHandler>(
        Desktop, [&](std::function<void()> call) { late.push_back(call); });
    gone->Paste(u"late", false);
    gone.reset();
    size_t logged = Desktop.Log.size();
    late.front()();
    EXPECT_EQ(Desktop.Log.size(), logged);
}

TEST_F(PasteHandler, WindowInFrontComesBackAfterTheTrayMenu) {
    Desktop.Foreground = 7;
    Paste.RememberForeground();
    Desktop.Foreground = 0;  // the program's menu is in front
    Paste.Paste(u"x", false);
    RunPosted();
    EXPECT_EQ(Desktop.Log.front(), "clipboard x");  // the menu never took the focus

    Desktop.Log.clear();
    Desktop.Foreground = 9;
    Paste.RememberForeground();
    Paste.MenuClosed();
    Desktop.Foreground = 0;
    Paste.Paste(u"y", false);
    Paste.Paste(u"z", false);
    RunPosted();
    EXPECT_EQ(Desktop.Log[0], "foreground 9");
    EXPECT_EQ(std::count(Desktop.Log.begin(), Desktop.Log.end(), "foreground 9"), 1);
}

}  // namespace
}  // namespace qb::test
