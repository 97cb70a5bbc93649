#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/UMemoryEditControl.h"
#include "features/UCalcHandler.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionManager.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

constexpr uint8_t kNote = 1, kCalc = 2, kDict = 4;

// Page texts in tests: "\n" is a line break and "|" the caret.
void Load(IEditControl& control, std::u16string_view marked) {
    std::u16string text(marked);
    size_t caret = text.find(u'|');
    text.erase(caret, 1);
    control.SetText(text);
    control.SetSel(static_cast<int>(caret), 0);
}

std::string Show(const IEditControl& control) {
    std::u16string inner = ReplaceAll(control.GetText(), u"\r\n", u"\n");
    inner.insert(static_cast<size_t>(control.GetSel().Start), u"|");
    return ToUtf8(inner);
}

class CalcHandler : public ::testing::Test {
  protected:
    void TearDown() override { ReleaseOptionManager(); }

    // Enter (with the given modifiers) on the marked text of a page of the given type.
    std::string Press(uint8_t pageType, std::u16string_view marked, int key = vkReturn,
                      int shift = 0) {
        TMemoryEditControl control;
        TCalcHandler handler(control);
        handler.SetPageType(pageType);
        Load(control, marked);
        control.KeyDown(key, shift);
        return Show(control);
    }

    test::TTempFolder FHome;
};

TEST_F(CalcHandler, EnterOnCalculatorPages) {
    struct {
        std::u16string_view Before;
        int Shift;
        std::string After;
    } cases[] = {
        {u"1+1|", 0, "1+1 = 2\n|"},
        {u"1+1 = 3|\nnext", 0, "1+1 = 2\n|\nnext"},  // the old result is replaced
        {u"Sum\t 1+1|", 0, "Sum\t 1+1 = 2\n|"},
        {u"2*3|", ssCtrl, "2*3 = 6|"},
        {u"2*3|", ssShift, "2*3 = 6\n6|"},
        {u"10|/4", 0, "10/4 = 2.5|"},
        {u"10|/4", ssShift, "10/4 = 2.5|"},
        {u"3+|", 0, "3+ = error!\n|"},
        {u"$x|", 0, "$x = $x is not a valid number!\n|"},
        {u"#f(x)=x*2\nf(4)|", 0, "#f(x)=x*2\nf(4) = 8\n|"},
        {u"f(4)|\n#f(x)=x*2", 0, "f(4) = f4 is not a valid number!\n|\n#f(x)=x*2"},
        {u"|1+1", 0, "\n|1+1"},        // caret at the line start: a line break
        {u"// 1+1|", 0, "// 1+1\n|"},  // comment: the control's own Enter
        {u"#g=3|", 0, "#g=3\n|"},      // definition: likewise
        {u"  |", 0, "  \n|"},          // nothing to calculate
    };
    for (const auto& c : cases)
        EXPECT_EQ(Press(kCalc, c.Before, vkReturn, c.Shift), c.After) << ToUtf8(c.Before);
}

TEST_F(CalcHandler, OptionsReachTheCalculator) {
    OptionManager().CalcDecimal = 2;
    OptionManager().Tri_Degree = true;
    OptionManager().UserFunctions = {u"sq(x)=x*x", u"half=0.5"};
    EXPECT_EQ(Press(kCalc, u"sq(1/3)+sin30|", vkReturn, ssCtrl), "sq(1/3)+sin30 = 0.61|");

    TMemoryEditControl control;
    TCalcHandler handler(control);
    handler.SetPageType(kCalc);
    OptionManager().CalcDecimal = 4;
    OptionManager().UserFunctions = {};
    OptionManager().NotifyAll();
    Load(control, u"1/3|");
    control.KeyDown(vkReturn, ssCtrl);
    EXPECT_EQ(Show(control), "1/3 = 0.3333|");
    Load(control, u"half|");
    control.KeyDown(vkReturn, ssCtrl);
    EXPECT_EQ(Show(control), "half = half is not a valid number!|")
        << "a function dropped from the options is gone";
}

class CalcHandlerLookup : public CalcHandler {
  protected:
    void SetUp() override {
        WriteDict("en.dic", u"@English", u"apple\tfruit\r\ncat\tfeline");
        WriteDict("de.dic", u"@Deutsch", u"cat\tKatze");
        WriteDict("r.dic", u"$Ranges", u"a\tc\tearly letters");
        OptionManager().SelDictList = u"en.dic,de.dic,r.dic";
    }
    void WriteDict(const std::string& name, std::u16string_view header, std::u16string_view body) {
        std::filesystem::create_directories(FHome.File("dict"));
        test::WriteBytes(
            FHome.File("dict/" + name),
            "\xFF\xFE" + test::Utf16LE(std::u16string(header) + u"\r\n" + std::u16string(body)));
    }
};

TEST_F(CalcHandlerLookup, DictionaryAndNotePages) {
    struct {
        uint8_t Page;
        std::u16string_view Before;
        int Shift;
        std::string After;
    } cases[] = {
        {kDict, u"apple|", 0, "apple: [English] fruit\n|"},
        {kDict, u"apple: old meaning|", ssCtrl, "apple: fruit\n|"},  // Ctrl inverts MultiDict
        {kDict, u"  cat|", 0, "  cat: [English] feline\n  \t[Deutsch] Katze\n\n|"},
        {kDict, u"$b|", 0, "$b: [Ranges] early letters\n|"},
        {kDict, u"pear|", 0, "pear: not found!\n|"},
        {kNote, u"3*4|", ssShift, "3*4 = 12\n|"},
        {kNote, u"3*4|", ssCtrl, "3*4 = 12|"},
        {kNote, u"apple|", ssShift, "apple: [English] fruit\n|"},
        {kNote, u"@4711|", ssShift, "@4711: not found!\n|"},  // "@" asks for a look-up
        {kNote, u"3*4|", 0, "3*4\n|"},                        // plain Enter: the control's
    };
    for (const auto& c : cases)
        EXPECT_EQ(Press(c.Page, c.Before, vkReturn, c.Shift), c.After) << ToUtf8(c.Before);
}

TEST_F(CalcHandler, TypedEqualsSign) {
    TMemoryEditControl control;
    TCalcHandler handler(control);
    handler.SetPageType(kCalc);
    Load(control, u"5*5|");
    control.TypeChar(u'=');
    EXPECT_EQ(Show(control), "5*5 = 25\n|");
    Load(control, u"  #g|");
    control.TypeChar(u'=');
    EXPECT_EQ(Show(control), "  #g=|");
    handler.SetPageType(kNote);
    Load(control, u"5*5|");
    control.TypeChar(u'=');
    EXPECT_EQ(Show(control), "5*5=|");
}

TEST_F(CalcHandler, RecalculateAll) {
    OptionManager().UserFunctions = {u"double(x)=2*x"};
    TMemoryEditControl control(3);
    TCalcHandler handler(control);
    handler.SetPageType(kCalc);
    Load(control,
         u"k+1\n#k=1\t// tab comment\n#r=2\narea\tpi*r^2 = old\n1/|4\n// 1+1\n$word\n\n"
         u"#r=3\ndouble(r)=999");
    control.SetSel(control.GetSel().Start, 2);
    control.ScrollLines(2);
    EXPECT_TRUE(control.KeyDown(vkF9, 0));
    EXPECT_EQ(ToUtf8(ReplaceAll(control.GetText(), u"\r\n", u"\n")),
              "k+1 = k is not a valid number!\n#k=1\t// tab comment\n#r=2\n"
              "area\tpi*r^2 = 12.566371\n1/4 = 0.25\n// 1+1\n$word\n\n#r=3\ndouble(r) = 6");
    TEditSel sel = control.GetSel();
    EXPECT_EQ(ToUtf8(control.TextRange(sel.Start, sel.End())), "4 ") << "same line, offset, length";
    EXPECT_EQ(control.FirstVisibleLine(), 2);

    handler.SetPageType(kNote);
    EXPECT_FALSE(control.KeyDown(vkF9, 0)) << "F9 belongs to calculator pages";
}

}  // namespace
}  // namespace qb
