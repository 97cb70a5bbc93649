#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "support/TestSupport.h"

namespace qb {
namespace {

using namespace std::string_literals;

std::string U8(std::u16string_view s) {
    return ToUtf8(s);
}

TEST(StrUtils, TrimDropsOnlyCharactersBelow0x21) {
    EXPECT_EQ(Trim(u"\t \t  "), u"");
    EXPECT_EQ(Trim(u"\x01\r\n a b \x1f"), u"a b");
    EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");  // a no-break space is text
    EXPECT_EQ(TrimLeft(u"  x  "), u"x  ");
    EXPECT_EQ(TrimRight(u"  x  "), u"  x");
    EXPECT_EQ(Trim(u""), u"");
}

TEST(StrUtils, PosAndRPosAreOneBasedAndExact) {
    struct Case {
        std::u16string_view sub, s;
        int from, pos;
    } cases[] = {
        {u"b", u"abcb", 1, 2}, {u"b", u"abcb", 3, 4}, {u"b", u"abcb", 5, 0},
        {u"B", u"abcb", 1, 0}, {u"", u"abc", 1, 0},   {u"a", u"", 1, 0},
        {u"aa", u"aaa", 2, 2}, {u"a", u"abc", -3, 1}, {u"abcd", u"abc", 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pos(c.sub, c.s, c.from), c.pos) << U8(c.sub) << " in " << U8(c.s);
    EXPECT_EQ(RPos(u"aa", u"aaaa"), 3);
    EXPECT_EQ(RPos(u"b", u"abcb"), 4);
    EXPECT_EQ(RPos(u"x", u"abc"), 0);
    EXPECT_EQ(RPos(u"", u"abc"), 0);
}

TEST(StrUtils, SlicesClampToTheText) {
    EXPECT_EQ(LeftStr(u"abc", 2), u"ab");
    EXPECT_EQ(LeftStr(u"abc", 9), u"abc");
    EXPECT_EQ(LeftStr(u"abc", -1), u"abc");
    EXPECT_EQ(LeftStr(u"abc", 0), u"");
    EXPECT_EQ(MidStr(u"abcde", 2, 3), u"bcd");
    EXPECT_EQ(MidStr(u"abcde", 4, -1), u"de");
    EXPECT_EQ(MidStr(u"abcde", 6, 1), u"");
    EXPECT_EQ(MidStr(u"abcde", 5, 100), u"e");
    EXPECT_EQ(RightStr(u"abc", 2), u"bc");
    EXPECT_EQ(RightStr(u"abc", 5), u"abc");
    EXPECT_EQ(RightStr(u"abc", 0), u"");
    EXPECT_EQ(SubStr(u"abcde", 2, 4), u"bcd");
    EXPECT_EQ(SubStr(u"abcde", 3, 3), u"c");
    EXPECT_EQ(SubStr(u"abcde", 4, 2), u"");
    EXPECT_EQ(SubStr(u"abcde", 0, 2), u"");
    EXPECT_EQ(SubStr(u"abcde", 6, 9), u"");
    EXPECT_EQ(SubStr(u"abcde", 4, INT32_MAX), u"de");
}

TEST(StrUtils, ReplaceAllScansLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(ReplaceAll(u"a.b.c", u".", u""), u"abc");
    EXPECT_EQ(ReplaceAll(u"aXa", u"a", u"aa"), u"aaXaa");
    EXPECT_EQ(ReplaceAll(u"Aa", u"a", u"b"), u"Ab");
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
    EXPECT_EQ(ReplaceAll(u"", u"a", u"x"), u"");
}

TEST(StrUtils, LocaleComparison) {
    EXPECT_TRUE(IsSameText(u"Notes", u"nOTES"));
    EXPECT_TRUE(IsSameText(u"\u00C4rger", u"\u00E4RGER"));  // beyond ASCII
    EXPECT_FALSE(IsSameText(u"Note", u"Notes"));
    EXPECT_FALSE(IsSameText(u"resume", u"r\u00E9sum\u00E9"));  // accents still count
    EXPECT_EQ(CompareText(u"abc", u"abc"), 0);
    EXPECT_NE(CompareText(u"a", u"A"), 0);   // case-sensitive
    EXPECT_EQ(CompareText(u"a", u"B"), -1);  // locale order, not code-unit order
    EXPECT_EQ(CompareText(u"B", u"a"), 1);
    EXPECT_EQ(CompareText(u"\u00E9", u"f"), -1);
    EXPECT_EQ(CompareText(u"e", u"\u00E9"), -1);
}

TEST(StrUtils, CaseMappingMayChangeTheLength) {
    EXPECT_EQ(LowerCase(u"\u00C4B c"), u"\u00E4b c");
    EXPECT_EQ(UpperCase(u"stra\u00DFe"), u"STRASSE");
    EXPECT_EQ(UpperCase(u""), u"");
}

TEST(StrUtils, IntToStr) {
    EXPECT_EQ(IntToStr(0), u"0");
    EXPECT_EQ(IntToStr(-42), u"-42");
    EXPECT_EQ(IntToStr(7, 3), u"007");
    EXPECT_EQ(IntToStr(-7, 3), u"-007");
    EXPECT_EQ(IntToStr(1234, 2), u"1234");
    EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(IntToStr(INT64_MAX), u"9223372036854775807");
}

TEST(StrUtils, StrToIntAcceptsOnlyDigitsAfterAnOptionalMinus) {
    struct Case {
        std::u16string_view text;
        int64_t value;  // -999 marks a failure
    } cases[] = {
        {u" 42 ", 42},
        {u"-7", -7},
        {u"\t007\r\n", 7},
        {u"9223372036854775807", INT64_MAX},
        {u"-9223372036854775808", INT64_MIN},
        {u"9223372036854775808", -999},  // beyond 64 bits: no silent wrap-around
        {u"99999999999999999999", -999},
        {u"1a", -999},
        {u"", -999},
        {u"   ", -999},
        {u"+5", -999},
        {u"-", -999},
        {u"--5", -999},
        {u"1 2", -999},
        {u"\u0663", -999},  // a digit, but not 0 to 9
    };
    for (const Case& c : cases) EXPECT_EQ(StrToIntDef(c.text, -999), c.value) << U8(c.text);
}

TEST(StrUtils, StrToIntFailsWithTheTwoMessages) {
    auto message = [](std::u16string_view s) {
        try {
            StrToInt(s);
        } catch (const TknError& e) {
            return e.Message();
        }
        return std::u16string(u"(no error)");
    };
    EXPECT_EQ(message(u"  "), u"empty string cannot be converted to integer!");
    EXPECT_EQ(message(u"12x"), u"12x is not a valid integer!");
    EXPECT_EQ(message(u"-"), u"- is not a valid integer!");
    EXPECT_STREQ(TknError(u"\u00E9").what(), "\xC3\xA9");
}

TEST(StrUtils, Booleans) {
    EXPECT_TRUE(StrToBool(u"2"));
    EXPECT_TRUE(StrToBool(u"-1"));
    EXPECT_FALSE(StrToBool(u"0"));
    EXPECT_FALSE(StrToBool(u"yes"));
    EXPECT_EQ(BoolToStr(true), u"1");
    EXPECT_EQ(BoolToStr(false), u"0");
    EXPECT_EQ(BoolToInt(true), 1);
    EXPECT_EQ(IfThen(true, u"a", u"b"), u"a");
    EXPECT_EQ(IfThen(false, int64_t{1}, int64_t{2}), 2);
}

TEST(StrUtils, StorageEscapingOfMultiLineText) {
    std::u16string text = u"a\r\nb\rc\td\ve\nf";
    std::u16string stored = EncodeForStorage(text);
    EXPECT_EQ(stored,
              u"a\x02"
              u"b\x02"
              u"c\x01"
              u"d\x02"
              u"e\nf");  // a lone LF stays
    EXPECT_EQ(DecodeFromStorage(stored), u"a\r\nb\r\nc\td\r\ne\nf");
    EXPECT_EQ(EncodeForStorage(u"\r\r\n\n"), u"\x02\x02\n");
    EXPECT_EQ(DecodeFromStorage(EncodeForStorage(u"x\r\ny\tz")), u"x\r\ny\tz");
    EXPECT_EQ(EncodeForDisplay(text), u"a  b  c  d  e\nf");
    EXPECT_EQ(EncodeForDisplay(u"\r\r\n"), u"    ");
}

TEST(StrUtils, Utf8RoundTripAndReplacementOfInvalidInput) {
    std::u16string text = u"a\u00E9\u20AC\U0001F600\u0000z!"s;
    std::string bytes = ToUtf8(text);
    EXPECT_EQ(test::Hex(bytes), "61 C3 A9 E2 82 AC F0 9F 98 80 00 7A 21");
    EXPECT_EQ(FromUtf8(bytes), text);

    struct Case {
        std::string_view bytes;
        std::u16string_view text;
    } cases[] = {
        {"a\xC3(b", u"a\uFFFD(b"},                  // missing continuation byte
        {"x\xE2\x82", u"x\uFFFD"},                  // cut at the end
        {"\xE2\x82\xE2\x82\xAC", u"\uFFFD\u20AC"},  // resynchronises on the next lead byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong lead byte, stray continuation
        {"\xED\xA0\x80", u"\uFFFD"},                // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},            // beyond U+10FFFF
        {"\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.text) << test::Hex(c.bytes);

    std::u16string lone = u"a";
    lone.push_back(char16_t{0xD800});
    lone.push_back(u'b');
    EXPECT_EQ(test::Hex(ToUtf8(lone)), "61 EF BF BD 62");
    EXPECT_EQ(test::Hex(ToUtf8(std::u16string(1, char16_t{0xDC00}))), "EF BF BD");
}

}  // namespace
}  // namespace qb
