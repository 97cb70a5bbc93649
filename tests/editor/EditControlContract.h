#pragma once

// Behaviour every editor text control must show, as a type-parameterised suite. A control
// implementation instantiates it with a factory type that has
// `static std::unique_ptr<qb::IEditControl> Make()`:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Memory, EditControlContract, TMemoryControlFactory);

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "editor/UEditControl.h"

namespace qb::test {

template <typename TFactory>
class EditControlContract : public ::testing::Test {
  protected:
    std::unique_ptr<IEditControl> C = TFactory::Make();
    IEditControl& Load(std::u16string_view text) {
        C->SetText(text);
        return *C;
    }
};

TYPED_TEST_SUITE_P(EditControlContract);

TYPED_TEST_P(EditControlContract, LineBreaksAreOneCharacterInsideAndCrLfOutside) {
    IEditControl& c = this->Load(u"ab\r\ncd\nef\rg\r\n");
    EXPECT_EQ(c.GetText(), u"ab\r\ncd\r\nef\r\ng\r\n");
    EXPECT_EQ(c.TextLength(), 11);
    EXPECT_EQ(c.TextRange(1, 4), u"b\rc");
    EXPECT_EQ(c.TextRange(10, 99), u"\r");
    ASSERT_EQ(c.LineCount(), 5);  // the break at the end opens an empty last line
    EXPECT_EQ(c.LineIndex(2), 6);
    EXPECT_EQ(c.LineIndex(4), 11);
    EXPECT_EQ(c.LineFromChar(5), 1);  // the break belongs to its line
    EXPECT_EQ(c.LineFromChar(6), 2);
    EXPECT_EQ(c.LineFromChar(11), 4);
    EXPECT_EQ(c.LineText(1), u"cd\r");
    EXPECT_EQ(c.LineText(4), u"");
    EXPECT_EQ(c.ParagraphFromChar(7), (TEditSel{6, 2}));
    EXPECT_EQ(c.ParagraphFromChar(11), (TEditSel{11, 0}));
    EXPECT_EQ(c.GetSel(), (TEditSel{0, 0}));
    c.SetText(u"");
    EXPECT_EQ(c.LineCount(), 1);
    EXPECT_EQ(c.GetText(), u"");
}

TYPED_TEST_P(EditControlContract, SelectionIsClampedAndReplacedAsOneStep) {
    IEditControl& c = this->Load(u"hello\r\nworld");
    c.SetSel(9, 50);
    EXPECT_EQ(c.GetSel(), (TEditSel{9, 2}));
    c.SetSel(-3, 2);
    EXPECT_EQ(c.GetSel(), (TEditSel{0, 2}));
    c.SetSel(3, 4);
    EXPECT_EQ(c.SelText(), u"lo\rw");
    ASSERT_TRUE(c.ReplaceSel(u"P\r\nQ"));
    EXPECT_EQ(c.GetText(), u"helP\r\nQorld");
    EXPECT_EQ(c.GetSel(), (TEditSel{6, 0}));  // after the new text, CR LF counted once
    ASSERT_TRUE(c.CanUndo());
    c.Undo();
    EXPECT_EQ(c.GetText(), u"hello\r\nworld");
    ASSERT_TRUE(c.CanRedo());
    c.Redo();
    EXPECT_EQ(c.GetText(), u"helP\r\nQorld");
    c.Undo();
    c.SetSel(0, 0);
    c.ReplaceSel(u"x");  // a new edit drops what could be redone
    EXPECT_FALSE(c.CanRedo());
    c.Undo();
    EXPECT_EQ(c.GetText(), u"hello\r\nworld");
    c.SetText(u"new");
    EXPECT_FALSE(c.CanUndo());  // loading is not undoable
}

TYPED_TEST_P(EditControlContract, UndoLimitKeepsTheNewestSteps) {
    IEditControl& c = this->Load(u"");
    c.SetUndoLimit(3);
    for (char16_t ch : std::u16string(u"abcde")) c.TypeChar(ch);
    for (int i = 0; i < 5; ++i) c.Undo();
    EXPECT_EQ(c.GetText(), u"ab");
    c.SetUndoLimit(0);
    c.TypeChar(u'z');
    EXPECT_FALSE(c.CanUndo());
}

TYPED_TEST_P(EditControlContract, ReadOnlyAndProtectedTextRefuseEdits) {
    IEditControl& c = this->Load(u"keep\r\nfree");
    c.SetReadOnly(true);
    c.SetSel(7, 1);
    EXPECT_FALSE(c.ReplaceSel(u"X"));
    c.TypeChar(u'Y');
    EXPECT_TRUE(c.KeyDown(vkDelete, 0));
    EXPECT_EQ(c.GetText(), u"keep\r\nfree");
    c.SetReadOnly(false);
    c.SetProtected(true, 5);  // "keep" and its line break
    EXPECT_EQ(c.ProtectedLength(), 5);
    c.SetSel(5, 0);
    c.KeyDown(vkBack, 0);  // would delete the protected break
    c.SetSel(3, 4);
    EXPECT_FALSE(c.ReplaceSel(u""));
    EXPECT_EQ(c.GetText(), u"keep\r\nfree");
    c.SetSel(5, 0);
    c.TypeChar(u'+');
    c.KeyDown(vkDelete, 0);
    EXPECT_EQ(c.GetText(), u"keep\r\n+ree");
    c.SetProtected(false, 0);
    EXPECT_EQ(c.ProtectedLength(), 0);
    c.SetSel(0, 1);
    EXPECT_TRUE(c.ReplaceSel(u"K"));
    EXPECT_EQ(c.GetText(), u"Keep\r\n+ree");
}

TYPED_TEST_P(EditControlContract, FindStaysInsideItsRange) {
    IEditControl& c = this->Load(u"Abc abc_x ABC\r\nabc");
    TEditFindFlags down, up, matchCase, word;
    up.Down = false;
    matchCase.MatchCase = true;
    word.WholeWord = true;
    struct TRow {
        int Start, End;
        std::u16string What;
        TEditFindFlags Flags;
        int Expected;
    } rows[] = {
        {0, -1, u"abc", down, 0},       {1, -1, u"abc", down, 4},   {1, -1, u"abc", matchCase, 4},
        {0, -1, u"ABC", matchCase, 10}, {0, -1, u"abc", up, 14},    {0, 13, u"abc", up, 10},
        {0, 12, u"abc", up, 4},         {5, 7, u"bc", down, 5},     {5, 6, u"bc", down, -1},
        {1, -1, u"abc", word, 10},      {0, -1, u"c\rA", down, 12}, {0, -1, u"", down, -1},
        {14, 99, u"abc", down, 14},     {0, -1, u"abcd", down, -1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(c.Find(r.Start, r.End, r.What, r.Flags), r.Expected)
            << r.Start << ".." << r.End << " " << r.Flags.Down;
}

TYPED_TEST_P(EditControlContract, KeyHookComesFirst) {
    struct THook : IEditKeyHook {
        std::vector<int> Keys;
        bool KeyDown(int key, int shift) override {
            Keys.push_back(key * 10 + shift);
            return key == vkF9 || shift == ssCtrl;
        }
        bool CharTyped(char16_t ch) override { return ch == u'='; }
    } hook;
    IEditControl& c = this->Load(u"ab");
    c.SetSel(2, 0);
    c.SetKeyHook(&hook);
    EXPECT_TRUE(c.KeyDown(vkF9, 0));
    EXPECT_TRUE(c.KeyDown(vkReturn, ssCtrl));  // taken by the hook: no line break
    c.TypeChar(u'=');
    c.TypeChar(u'+');
    EXPECT_EQ(c.GetText(), u"ab+");
    EXPECT_TRUE(c.KeyDown(vkReturn, 0));
    EXPECT_EQ(c.GetText(), u"ab+\r\n");
    EXPECT_EQ(hook.Keys, (std::vector<int>{vkF9 * 10, vkReturn * 10 + ssCtrl, vkReturn * 10}));
    c.SetKeyHook(nullptr);
    c.TypeChar(u'=');
    EXPECT_EQ(c.GetText(), u"ab+\r\n=");
}

TYPED_TEST_P(EditControlContract, EnterKeepsIndentAndAddsEmptyLine) {
    IEditControl& c = this->Load(u"\t \u3000item\r\nnext");
    c.SetAutoIndent(true);
    c.SetSel(7, 0);  // at the end of the indented line
    c.KeyDown(vkReturn, 0);
    EXPECT_EQ(c.GetText(), u"\t \u3000item\r\n\t \u3000\r\nnext");
    EXPECT_EQ(c.GetSel(), (TEditSel{11, 0}));
    c.SetAutoEmptyLine(true);
    c.SetAutoIndent(false);
    c.SetSel(c.TextLength(), 0);
    c.KeyDown(vkReturn, 0);
    EXPECT_EQ(c.GetText(), u"\t \u3000item\r\n\t \u3000\r\nnext\r\n\r\n");
    c.SetAutoIndent(true);
    c.SetSel(0, 0);  // indent of the line the caret leaves, taken before the break
    c.KeyDown(vkReturn, 0);
    EXPECT_EQ(c.GetText().substr(0, 11), u"\r\n\r\n\t \u3000\t \u3000i");
}

TYPED_TEST_P(EditControlContract, TabIndentsSelectedLines) {
    IEditControl& c = this->Load(u"a\r\n  b\r\n\r\nc");
    c.SetSel(0, 5);
    c.KeyDown(vkTab, 0);
    EXPECT_EQ(c.GetText(), u"\ta\r\n  \tb\r\n\r\nc");
    c.SetSel(0, c.TextLength());
    c.KeyDown(vkTab, ssShift);
    c.KeyDown(vkTab, ssShift);
    EXPECT_EQ(c.GetText(), u"a\r\n b\r\n\r\nc");  // one blank per step, never a line break
    c.SetSel(1, 0);
    c.KeyDown(vkTab, 0);  // without a line break in the selection it types a tab
    EXPECT_EQ(c.GetText(), u"a\t\r\n b\r\n\r\nc");
}

TYPED_TEST_P(EditControlContract, VisibleRangeFollowsScrolling) {
    std::u16string text;
    for (int i = 0; i < 100; ++i) text += u"line\r\n";
    IEditControl& c = this->Load(text);
    EXPECT_EQ(c.FirstVisibleLine(), 0);
    c.ScrollLines(10);
    EXPECT_EQ(c.FirstVisibleLine(), 10);
    int offset = c.ScrollOffset();
    EXPECT_GT(offset, 0);
    c.ScrollLines(-50);
    EXPECT_EQ(c.FirstVisibleLine(), 0);
    c.SetScrollOffset(offset);
    EXPECT_EQ(c.FirstVisibleLine(), 10);
    TEditRect r = c.FormatRect();
    int top = c.CharFromPoint({r.Left, r.Top});
    EXPECT_EQ(top, c.LineIndex(10));
    EXPECT_EQ(c.CharFromPoint(c.PointFromChar(top + 2)), top + 2);
    int bottom = c.CharFromPoint({r.Right, r.Bottom});
    EXPECT_GT(c.LineFromChar(bottom), 10);
    EXPECT_LT(c.LineFromChar(bottom), 100);
}

TYPED_TEST_P(EditControlContract, ClipboardRoundTrip) {
    IEditControl& c = this->Load(u"one\r\ntwo");
    c.SetSel(2, 3);
    c.Cut();
    EXPECT_EQ(c.GetText(), u"onwo");
    ASSERT_TRUE(c.CanPaste());
    c.SetSel(4, 0);
    c.Paste();
    EXPECT_EQ(c.GetText(), u"onwoe\r\nt");
    c.SetSel(0, 2);
    c.Copy();
    c.Clear();
    c.Paste();
    c.Paste();
    EXPECT_EQ(c.GetText(), u"ononwoe\r\nt");
}

// Long runs of random edits against a plain string: no character lost, moved or invented.
TYPED_TEST_P(EditControlContract, RandomEditsMatchAPlainString) {
    IEditControl& c = this->Load(u"");
    std::u16string model;
    std::mt19937 rng(7);
    const std::u16string pieces[] = {u"", u"x", u"\r", u"abc", u"0123456789abcdef", u"\r\rZ"};
    for (int i = 0; i < 3000; ++i) {
        int start = static_cast<int>(rng() % (model.size() + 1));
        int len = static_cast<int>(rng() % 8);
        len = std::min<int>(len, static_cast<int>(model.size()) - start);
        const std::u16string& piece = pieces[rng() % 6];
        c.SetSel(start, len);
        ASSERT_TRUE(c.ReplaceSel(piece));
        model.replace(start, len, piece);
        if (i % 97 == 0) {
            ASSERT_EQ(c.TextRange(0, c.TextLength()), model) << "after edit " << i;
            ASSERT_EQ(c.LineCount(), 1 + std::count(model.begin(), model.end(), u'\r'));
        }
    }
    EXPECT_EQ(c.TextRange(0, c.TextLength()), model);
}

REGISTER_TYPED_TEST_SUITE_P(EditControlContract, LineBreaksAreOneCharacterInsideAndCrLfOutside,
                            SelectionIsClampedAndReplacedAsOneStep, UndoLimitKeepsTheNewestSteps,
                            ReadOnlyAndProtectedTextRefuseEdits, FindStaysInsideItsRange,
                            KeyHookComesFirst, EnterKeepsIndentAndAddsEmptyLine,
                            TabIndentsSelectedLines, VisibleRangeFollowsScrolling,
                            ClipboardRoundTrip, RandomEditsMatchAPlainString);

}  // namespace qb::test
