// The tip query: where the selected word comes from, what the tip shows, and that the
// user's clipboard is left as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include "features/TrayFixture.h"
#include "features/UTipQuery.h"
#include "shell/UOptionManager.h"
#include "support/TestSupport.h"

namespace qb::test {
namespace {

constexpr uint16_t kCtrlAltD = 0x0600 | 'D';

class TRecordingTip : public ITipWindow {
  public:
    void ShowTip(std::u16string_view title, std::u16string_view text, TColor color) override {
        Shown.push_back(std::u16string(title) + u"|" + std::u16string(text));
        Color = color;
    }
    void HideTip() override { ++Hides; }
    std::vector<std::u16string> Shown;
    TColor Color = 0;
    int Hides = 0;
};

// A shown editor: answers the selection query with its selection.
class TEditorSelection : public IEventObserver {
  public:
    TEditorSelection() { EventCenter().AddObserver(this); }
    ~TEditorSelection() override {
        if (auto* events = ExistingEventCenter()) events->RemoveObserver(this);
    }
    void EventNotify(int32_t event, int32_t, int32_t) override {
        if (event == evQuerySelection) EventCenter().SharedText = Selected;
    }
    std::u16string Selected;
};

class TipQuery : public TDesktopTest {
  protected:
    TipQuery() {
        std::filesystem::create_directories(Folder.File("dict"));
        WriteBytes(Folder.File("dict/en.dic"),
                   "\xFF\xFE" + Utf16LE(u"@English\r\napple\tfruit\r\npear\tanother fruit"));
        OptionManager().SelDictList = u"en.dic";
        OptionManager().TipQueryHotKey = kCtrlAltD;
        OptionManager().TipQueryColor = Rgb(1, 2, 3);
        Query = std::make_unique<TTipQuery>(Desktop, &Tip);
    }
    ~TipQuery() override { Query.reset(); }

    TRecordingTip Tip;
    TEditorSelection Editor;
    std::unique_ptr<TTipQuery> Query;
};

TEST_F(TipQuery, LooksUpTheSelectionOfTheProgramInFront) {
    Desktop.Foreground = 42;
    Desktop.Clipboard = u"the user's";
    Desktop.Primary = u"  apple\n";
    ASSERT_EQ(Keys.Press(modControl | modAlt, 'D'), 1);
    EXPECT_EQ(Tip.Shown, (std::vector<std::u16string>{u"apple:|[English] fruit"}));
    EXPECT_EQ(Tip.Color, Rgb(1, 2, 3));
    EXPECT_TRUE(Desktop.Log.empty());  // the selection buffer needs no key

    // Nothing in the buffer: a copy, and the clipboard gets its text back.
    Desktop.Primary.clear();
    Desktop.Selection = u"Pear";
    Query->Query();
    EXPECT_EQ(Tip.Shown.back(), u"Pear:|[English] (pear) another fruit");
    EXPECT_EQ(Desktop.Clipboard, u"the user's");

    // Nothing selected anywhere: the tip goes.
    Desktop.Selection.clear();
    Query->Query();
    EXPECT_EQ(Tip.Hides, 1);
    EXPECT_EQ(Desktop.Clipboard, u"the user's");
}

TEST_F(TipQuery, InTheProgramItselfTheEditorsSelectionComesFirst) {
    Desktop.Foreground = 0;
    Desktop.Primary = u"pear";
    Editor.Selected = u" apple ";
    Query->Query();
    Editor.Selected.clear();
    Query->Query();
    Desktop.Primary.clear();
    Desktop.Selection = u"apple";  // never copied from the program's own window
    Query->Query();
    EXPECT_EQ(Tip.Shown, (std::vector<std::u16string>{u"apple:|[English] fruit",
                                                      u"pear:|[English] another fruit"}));
    EXPECT_EQ(Tip.Hides, 1);
    EXPECT_TRUE(Desktop.Log.empty());
    EXPECT_TRUE(EventCenter().SharedText.empty());
}

}  // namespace
}  // namespace qb::test
