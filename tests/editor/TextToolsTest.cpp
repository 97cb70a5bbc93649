#include <gtest/gtest.h>

#include "editor/EditTestSupport.h"
#include "editor/UEditor.h"
#include "editor/UMemoryEditControl.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionManager.h"

namespace qb::test {

namespace {

struct TToolRow {
    std::u16string Before;
    int32_t Command;
    std::u16string After;
};

class TextTools : public TEditorTest {
  protected:
    void RunRows(const std::vector<TToolRow>& rows);
};

void TextTools::RunRows(const std::vector<TToolRow>& rows) {
    for (const auto& row : rows) {
        TMemoryEditControl control;
        THLTextHandler handler(control);
        LoadMarked(control, row.Before);
        handler.ExecuteCommand(row.Command);
        EXPECT_EQ(ToUtf8(ShowMarked(control)), ToUtf8(row.After))
            << ToUtf8(row.Before) << " with " << row.Command;
    }
}

}  // namespace

TEST_F(TextTools, HighlightWrapsTheSelectionAndLeavesItsLineBreakOutside) {
    RunRows({
        {u"ab[cd]e", cmHighlight1, u"ab{[cd]}1e"},
        {u"[line\n]next", cmHighlight1 + 1, u"{[line]}2\nnext"},
        {u"[a{b}1c]", cmHighlight1 + 2, u"{[a{b}1c]}3"},  // around a block: nested
        {u"a{[b]}1c", cmHighlight1 + 3, u"a{{[b]}4}1c"},  // inside a block: nested
        {u"ab|c", cmHighlight1, u"ab|c"},                 // not enabled without a selection
        {u"[\n]x", cmHighlight1, u"[\n]x"},               // nothing left to wrap
    });
    TMemoryEditControl control;
    THLTextHandler handler(control);
    LoadMarked(control, u"[ab]");
    control.SetReadOnly(true);
    EXPECT_FALSE(handler.CheckCommand(cmHighlight1));
    handler.ExecuteCommand(cmHighlight1);
    EXPECT_EQ(ShowMarked(control), u"[ab]");
}

TEST_F(TextTools, RemoveHighlightFindsItsBlockAndKeepsNestedOnes) {
    RunRows({
        {u"x{|ab}1y", cmRemoveHighlight, u"x[ab]y"},        // caret right after the opening
        {u"x[y{ab}2]z", cmRemoveHighlight, u"xy[ab]z"},     // opening inside the selection
        {u"{a|b}3", cmRemoveHighlight, u"[ab]"},            // caret inside, looked back for
        {u"{ab|}4", cmRemoveHighlight, u"[ab]"},            // caret before the closing
        {u"{ab}1|c", cmRemoveHighlight, u"{ab}1|c"},        // block closed before the caret
        {u"{a|{b}2c}1", cmRemoveHighlight, u"[a{b}2c]"},    // outer block, inner stays
        {u"{a{b|}2c}1", cmRemoveHighlight, u"{a[b]c}1"},    // inner block only
        {u"{a{b}2|c}1", cmRemoveHighlight, u"{a{b}2|c}1"},  // nearest opening closed already
        {u"{abc|", cmRemoveHighlight, u"{abc|"},            // no closing marker
        {u"a|b", cmRemoveHighlight, u"a|b"},
    });
}

TEST_F(TextTools, RemoveHighlightScansAtMost2000CharactersEachWay) {
    std::u16string pad(1999, u'x');
    RunRows({
        // The opening 2000 characters before the caret is found, 2001 is not.
        {u"{" + pad + u"|}1", cmRemoveHighlight, u"[" + pad + u"]"},
        {u"{x" + pad + u"|}1", cmRemoveHighlight, u"{x" + pad + u"|}1"},
        // The closing at most 2000 characters after the opening ...
        {u"{|" + pad + u"}1", cmRemoveHighlight, u"[" + pad + u"]"},
        {u"{|x" + pad + u"}1", cmRemoveHighlight, u"{|x" + pad + u"}1"},
        // ... unless the selection reaches further.
        {u"{[xx" + pad + u"]}1", cmRemoveHighlight, u"[xx" + pad + u"]"},
    });
}

TEST_F(TextTools, ListsPrefixNonBlankLinesAfterTheirIndentation) {
    RunRows({
        {u"[a\n\nb]", cmList1, u"[* a\n\n* b]"},
        {u"[a\n\nb]", cmOrderedList, u"[1. a\n\n2. b]"},  // blank lines take no number
        {u"[a\n \t\nb]", cmList2, u"[> a\n \t\n> b]"},
        {u"[  a\n\tb]", cmList1, u"[  * a\n\t* b]"},
        {u"x[y\nz]", cmList1, u"[* xy\n* z]"},    // from the start of the first line
        {u"[a\nb\n]", cmList1, u"[* a\n* b\n]"},  // the empty line after the last break
        {u"[a\nb\n\n]", cmOrderedList, u"[1. a\n2. b\n\n]"},
        {u"[a\n  ]", cmList1, u"[* a\n  ]"},      // a blank last line
        {u"[> a\n> b]", cmList1, u"[* a\n* b]"},  // other list forms are replaced
        {u"[1. a\n2. b]", cmList2, u"[> a\n> b]"},
        {u"[1. a\n* b\n> c]\nd", cmRemoveList, u"[a\nb\nc]\nd"},
        {u"[3. a\n2. b]", cmRemoveList, u"[3. a\nb]"},  // only the number the line would get
        {u"[a b]", cmList1, u"[a b]"},                  // not enabled without a line break
    });
}

TEST_F(TextTools, ListChangesAreUndoneStepByStep) {
    TMemoryEditControl control;
    THLTextHandler handler(control);
    TOptions options = OptionManager().Options();
    options.UL1 = u"- ";
    options.UL2 = u"+ ";
    OptionManager().ReplaceOptions(options);
    OptionManager().NotifyAll();
    LoadMarked(control, u"[+ a\n+ b]");
    handler.ExecuteCommand(cmList1);
    EXPECT_EQ(ShowMarked(control), u"[- a\n- b]");
    control.Undo();
    EXPECT_EQ(ToReadable(control.TextRange(0, 99)), u"a\nb");
    control.Undo();
    EXPECT_EQ(ToReadable(control.TextRange(0, 99)), u"+ a\n+ b");
    EXPECT_FALSE(control.CanUndo());
}

TEST_F(TextTools, EmptyLineCleanUps) {
    RunRows({
        {u"a\n\n  \n  b|", cmDeleteEmptyLines, u"a\n  b|"},
        {u"a\nb\n\n\n|", cmDeleteEmptyLines, u"a\nb|"},
        {u"a  \n\n\tb", cmDeleteEmptyLines, u"a  \n\tb|"},  // blanks before a break stay
        {u"\n\na", cmDeleteEmptyLines, u"\na|"},
        {u"a\nb", cmLeaveOneEmptyLine, u"a\n\nb\n|"},
        {u"a\n\n\n \n\nb\n", cmLeaveOneEmptyLine, u"a\n\nb\n|"},
        {u"abc", cmDeleteEmptyLines, u"[abc]"},  // nothing to change
        // A selection inside the page keeps the break to the line after it.
        {u"[a\n\n\n]b\nc", cmDeleteEmptyLines, u"a\n|b\nc"},
        {u"[a\n\n\n]b\nc", cmLeaveOneEmptyLine, u"a\n\n|b\nc"},
        {u"x[a\nb]c\n\nd", cmLeaveOneEmptyLine, u"xa\n\nb|c\n\nd"},
        {u"[a\n\n  ]  b", cmDeleteEmptyLines, u"a\n  |  b"},
    });
    EXPECT_EQ(CleanEmptyLinesText(u"a\r\n\r\nb", false, true), u"a\rb");  // LF is ignored
}

TEST_F(TextTools, PageNameFromSelectionIsTheStoredForm) {
    TMemoryEditControl control;
    LoadMarked(control, u"[a\tb\nc]");
    EXPECT_EQ(PageNameFromSelection(control),
              u"a\x01"
              u"b\x02"
              u"c");
    control.SetText(std::u16string(250, u'n'));
    control.SetSel(10, 240);
    EXPECT_EQ(PageNameFromSelection(control), std::u16string(200, u'n'));
    control.SetSel(3, 0);
    EXPECT_EQ(PageNameFromSelection(control), u"");
}

}  // namespace qb::test
