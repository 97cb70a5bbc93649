#include <gtest/gtest.h>

#include "editor/EditTestSupport.h"
#include "editor/UFindHandler.h"
#include "editor/UMemoryEditControl.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UMemoryManager.h"

namespace qb::test {

namespace {

struct TFakeUi : IFindUi {
    std::vector<std::u16string> Messages;
    std::u16string Question;
    bool Answer = true;
    int BoxShown = 0;
    void ShowFindBox() override { ++BoxShown; }
    void Inform(std::u16string_view m) override { Messages.emplace_back(m); }
    bool Confirm(std::u16string_view q) override {
        Question = q;
        return Answer;
    }
};

struct TFindFixture {
    TMemoryEditControl Control;
    TFakeUi Ui;
    TFindHandler Handler{Control, Ui};
    TknRichEditFindHandler& Engine = Handler.Engine();
    explicit TFindFixture(std::u16string_view marked, std::u16string_view what,
                          std::u16string_view replace = u"") {
        LoadMarked(Control, marked);
        Engine.FindWhat = what;
        Engine.ReplaceWith = replace;
        Engine.AllowReplace = !replace.empty();
    }
    std::string Shown() const { return ToUtf8(ShowMarked(Control)); }
};

class FindReplace : public TEditorTest {
  protected:
    ~FindReplace() override { SetSearchString(u"", false); }
};

}  // namespace

TEST_F(FindReplace, FindNextAndPreviousWithRollBack) {
    struct TRow {
        std::u16string Before;
        bool DirUp, RollBack;
        int32_t Command;
        std::u16string After;
        bool Found;
    } rows[] = {
        {u"[ab] ab ab", false, false, cmFindNext, u"ab [ab] ab", true},  // not the same again
        {u"a|b ab ab", false, false, cmFindNext, u"ab [ab] ab", true},
        {u"ab ab [ab]", false, false, cmFindNext, u"ab ab a|b", false},
        {u"ab ab [ab]", false, true, cmFindNext, u"[ab] ab ab", true},
        {u"ab [ab] ab", false, false, cmFindPrevious, u"[ab] ab ab", true},
        {u"[ab] ab ab", false, false, cmFindPrevious, u"|ab ab ab", false},
        {u"[ab] ab ab", false, true, cmFindPrevious, u"ab ab [ab]", true},
        {u"ab [ab] ab", true, false, cmFindNext, u"[ab] ab ab", true},  // direction up
        {u"ab [ab] ab", true, false, cmFindPrevious, u"ab ab [ab]", true},
        {u"ab\n[ab]\nab", false, false, cmFindNext, u"ab\nab\n[ab]", true},
    };
    for (const auto& r : rows) {
        TFindFixture f(r.Before, u"AB");
        f.Engine.DirUp = r.DirUp;
        f.Engine.RollBack = r.RollBack;
        f.Handler.ExecuteCommand(r.Command);
        EXPECT_EQ(f.Shown(), ToUtf8(r.After)) << ToUtf8(r.Before) << " " << r.Command;
        EXPECT_EQ(f.Ui.Messages.empty(), r.Found);
        if (!r.Found) {
            EXPECT_EQ(f.Ui.Messages.at(0), u"No target text found!");
        }
    }
}

TEST_F(FindReplace, CaseWordAndWithinSelection) {
    TFindFixture f(u"|Ab ab abc ab", u"ab");
    f.Engine.MatchCase = true;
    f.Engine.WholeWord = true;
    f.Engine.FindNext(false);
    EXPECT_EQ(f.Shown(), "Ab [ab] abc ab");
    f.Engine.FindNext(false);
    EXPECT_EQ(f.Shown(), "Ab ab abc [ab]");  // "abc" is no whole word

    TFindFixture w(u"ab [x ab ab] ab", u"ab");
    w.Engine.WithinSelection = true;
    w.Engine.DirUp = true;
    ASSERT_TRUE(w.Engine.FindNext(false));
    EXPECT_EQ(w.Shown(), "ab x ab [ab] ab");  // upward: the last match inside
    EXPECT_FALSE(w.Engine.WithinSelection);   // one-shot
    TFindFixture outside(u"ab [x] ab", u"ab");
    outside.Engine.WithinSelection = true;
    outside.Engine.RollBack = true;  // no roll back within the selection
    EXPECT_FALSE(outside.Engine.FindNext(false));
    EXPECT_EQ(outside.Shown(), "ab [x] ab");
    EXPECT_TRUE(outside.Engine.WithinSelection);
}

TEST_F(FindReplace, ReplaceOnlyReplacesTheSelectedTarget) {
    TFindFixture f(u"[xy] ab ab", u"ab", u"CD");
    f.Handler.ExecuteCommand(cmReplaceFindNext);  // the selection is not the target: only finds
    EXPECT_EQ(f.Shown(), "xy [ab] ab");
    f.Handler.ExecuteCommand(cmReplaceFindNext);
    EXPECT_EQ(f.Shown(), "xy CD [ab]");
    f.Handler.ExecuteCommand(cmReplaceFindPrevious);
    EXPECT_EQ(f.Shown(), "xy CD CD|");  // replaced, then nothing more found upward
    EXPECT_EQ(f.Ui.Messages, std::vector<std::u16string>{u"No replace target found!"});
    f.Control.Undo();
    EXPECT_EQ(ToUtf8(ToReadable(f.Control.TextRange(0, 99))), "xy CD ab");  // one step each
}

TEST_F(FindReplace, ReplaceAllInBothDirections) {
    struct TRow {
        std::u16string Before;
        bool DirUp, RollBack, Within;
        std::u16string After;
    } rows[] = {
        {u"|a ba a", false, false, false, u"aa baa aa|"},  // doubles each once and stops
        {u"a ba a|", true, false, false, u"aa| baa aa"},
        {u"a b|a a", false, false, false, u"a baa aa|"},  // from the caret on
        {u"a b|a a", true, false, false, u"aa| ba a"},
        {u"a b|a a", true, true, false, u"aa baa aa|"},  // roll back: the whole text, downward
        {u"a [a a] a", false, false, true, u"a aa aa| a"},
        {u"a [a a] a", true, false, true, u"a aa| aa a"},
        {u"a [a a] a", false, true, true, u"a aa aa| a"},
    };
    for (const auto& r : rows) {
        TFindFixture f(r.Before, u"a", u"aa");
        f.Engine.DirUp = r.DirUp;
        f.Engine.RollBack = r.RollBack;
        f.Engine.WithinSelection = r.Within;
        EXPECT_TRUE(f.Engine.ReplaceAllMatches()) << ToUtf8(r.Before);
        EXPECT_EQ(f.Shown(), ToUtf8(r.After)) << ToUtf8(r.Before) << " up " << r.DirUp;
    }
    // Shrinking replacements move the end of the selection with them.
    TFindFixture shrink(u"x[abab ab]ab", u"ab", u"");
    shrink.Engine.AllowReplace = true;
    shrink.Engine.WithinSelection = true;
    shrink.Engine.ReplaceAllMatches();
    EXPECT_EQ(shrink.Shown(), "x |ab");
}

TEST_F(FindReplace, ReplaceAllAsksAndReports) {
    TFindFixture f(u"|one two one", u"one", u"1");
    f.Engine.DirUp = true;
    f.Ui.Answer = false;
    f.Handler.ExecuteCommand(cmReplaceAll);
    EXPECT_EQ(f.Ui.Question,
              u"Do you really want to use \"1\" to replace each \"one\" in the upward direction?");
    EXPECT_TRUE(f.Ui.Messages.empty());
    f.Ui.Answer = true;
    f.Engine.RollBack = true;
    f.Handler.ExecuteCommand(cmReplaceAll);
    EXPECT_EQ(f.Ui.Question,
              u"Do you really want to use \"1\" to replace each \"one\" in the  direction?");
    EXPECT_EQ(f.Shown(), "1 two 1|");
    f.Handler.ExecuteCommand(cmReplaceAll);
    EXPECT_EQ(f.Ui.Messages, (std::vector<std::u16string>{u"All target text has been replaced!",
                                                          u"No replace target found!"}));
}

TEST_F(FindReplace, ProtectedMatchesAreSkippedNotLooped) {
    TFindFixture f(u"|aa\naa", u"a", u"b");
    f.Control.SetProtected(true, 3);
    EXPECT_TRUE(f.Engine.ReplaceAllMatches());
    EXPECT_EQ(ToUtf8(ToReadable(f.Control.TextRange(0, 99))), "aa\nbb");
    f.Control.SetReadOnly(true);
    f.Engine.DirUp = true;
    f.Control.SetSel(5, 0);
    EXPECT_FALSE(f.Engine.ReplaceAllMatches());
}

TEST_F(FindReplace, CommandsNeedTheirSettingsAndOneDialogAtATime) {
    TFindFixture f(u"|x", u"");
    EXPECT_FALSE(f.Handler.CheckCommand(cmFindNext));
    f.Engine.FindWhat = u"x";
    EXPECT_TRUE(f.Handler.CheckCommand(cmFindPrevious));
    EXPECT_FALSE(f.Handler.CheckCommand(cmReplaceAll));  // replacing not allowed
    f.Handler.ExecuteCommand(cmFindReplace);
    f.Handler.ExecuteCommand(cmFindReplace);
    EXPECT_EQ(f.Ui.BoxShown, 1);
    f.Handler.SetFindBoxOpen(false);
    EXPECT_TRUE(f.Handler.CheckCommand(cmFindReplace));
}

TEST_F(FindReplace, SearchPageHandsOverItsString) {
    TFindFixture f(u"|Word word", u"old", u"new");
    f.Engine.WholeWord = f.Engine.RollBack = f.Engine.DirUp = f.Engine.WithinSelection = true;
    SetSearchString(u"Word", true);
    EventCenter().EventNotify(3087);
    EXPECT_EQ(f.Engine.FindWhat, u"Word");
    EXPECT_EQ(f.Engine.ReplaceWith, u"");
    EXPECT_FALSE(f.Engine.AllowReplace || f.Engine.WholeWord || f.Engine.RollBack ||
                 f.Engine.DirUp || f.Engine.WithinSelection);
    EXPECT_TRUE(f.Engine.MatchCase);
    EXPECT_TRUE(f.Engine.HighlightMatch);
    SetSearchString(u"", false);
    EventCenter().EventNotify(3087);
    EXPECT_FALSE(f.Engine.HighlightMatch);
    EXPECT_EQ(f.Engine.FindWhat, u"Word");  // the rest stays
    EXPECT_TRUE(f.Engine.MatchCase);
}

TEST_F(FindReplace, HistoriesAndRememberedSettings) {
    std::vector<std::u16string> h = {u"b", u"a", u"c"};
    AddToHistory(h, u"a");
    EXPECT_EQ(h, (std::vector<std::u16string>{u"a", u"b", u"c"}));
    for (int i = 0; i < 40; ++i) AddToHistory(h, IntToStr(i));
    EXPECT_EQ(h.size(), HistoryLimit);
    EXPECT_EQ(h.front(), u"39");

    TFindFixture f(u"|x", u"");
    TFindBoxValues box;
    box.FindText = u"find";
    box.ReplaceText = u"";
    box.DirUp = box.WholeWord = true;
    f.Handler.ReadFindBox(box);
    box.FindText = u"other";
    box.ReplaceText = u"with";
    box.AllowReplace = true;
    f.Handler.ReadFindBox(box);
    box.FindText = u"find";
    f.Handler.ReadFindBox(box);
    EXPECT_EQ(f.Handler.FindHistory(), (std::vector<std::u16string>{u"find", u"other"}));
    EXPECT_EQ(f.Handler.ReplaceHistory(), std::vector<std::u16string>{u"with"});

    f.Handler.SaveMemory();
    TMemory& memory = MemoryManager();
    EXPECT_EQ(memory.FindText, u"find");
    EXPECT_EQ(memory.ReplaceText, u"with");
    EXPECT_TRUE(memory.AllowReplace && memory.DirUp && memory.WholeWord);
    EXPECT_FALSE(memory.MatchCase || memory.RollBack);
    EXPECT_EQ(memory.FindHistory, (std::vector<std::u16string>{u"find", u"other"}));
    memory.FindText = u"again";
    memory.ReplaceHistory = {u"r1", u"r2"};
    memory.MatchCase = true;
    TMemoryEditControl control;
    TFakeUi ui;
    TFindHandler g(control, ui);  // a new handler starts from the memory
    EXPECT_EQ(g.Engine().FindWhat, u"again");
    EXPECT_EQ(g.ReplaceHistory(), (std::vector<std::u16string>{u"r1", u"r2"}));
    EXPECT_TRUE(g.Engine().AllowReplace && g.Engine().DirUp && g.Engine().MatchCase);
    g.Engine().RollBack = true;
    MemoryManager().SaveMemory();  // asks every handler, then writes the file
    ReleaseShellGlobals();
    EXPECT_TRUE(MemoryManager().RollBack);  // read back from the file
    EXPECT_EQ(MemoryManager().ReplaceHistory, (std::vector<std::u16string>{u"r1", u"r2"}));
}

}  // namespace qb::test
