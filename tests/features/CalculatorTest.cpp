#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "features/UCalculator.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"

namespace qb {
namespace {

struct TCase {
    std::u16string_view Expression;
    std::u16string_view Result;
};

void ExpectResults(TCalculator& calc, std::initializer_list<TCase> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(ToUtf8(calc.Calculate(c.Expression)), ToUtf8(c.Result))
            << "expression: " << ToUtf8(c.Expression);
}

std::string Bracketed(const TTokenList& tokens) {
    std::string out;
    for (const auto& t : tokens) out.append("[").append(ToUtf8(t)).append("]");
    return out;
}

std::string Tokens(TCalculator& calc, std::u16string_view expression) {
    TTokenList tokens;
    calc.Tokenize(expression, tokens);
    return Bracketed(tokens);
}

TEST(Calculator, PrecedenceAndAssociativity) {
    TCalculator calc(u'.');
    ExpectResults(calc, {{u"2+3*4", u"14"},
                         {u"(2+3)*4", u"20"},
                         {u"2^3^2", u"64"},
                         {u"2*3^2", u"18"},
                         {u"10-2-3", u"5"},
                         {u"8/2/2", u"2"},
                         {u"(1+2)-3", u"0"},
                         {u"1+2*3-4/2", u"5"},
                         {u"((2))*((3+1))", u"8"},
                         {u"7\\2", u"3"},
                         {u"7!2", u"1"},
                         {u"-7\\2", u"-3"},
                         {u"-7!2", u"-1"},
                         {u"2+7\\2*3", u"11"},
                         {u"2(3)", u"23"}});
}

TEST(Calculator, Signs) {
    TCalculator calc(u'.');
    ExpectResults(calc, {{u"2*-3", u"-6"},
                         {u"-3+2", u"-1"},
                         {u"3--2", u"5"},
                         {u"3+-2", u"1"},
                         {u"2^-1", u"0.5"},
                         {u"+5", u"5"},
                         {u"(0-3)*2", u"-6"},
                         {u"-(2)", u"error!"},
                         {u"--5", u"error!"}});
}

TEST(Calculator, PostfixAndFunctions) {
    TCalculator calc(u'.');
    ExpectResults(calc, {{u"50+10%", u"50.1"},
                         {u"200*5%", u"10"},
                         {u"(5)%", u"0.05"},
                         {u"sqrt16", u"4"},
                         {u"sqrt(16)+sqr3", u"13"},
                         {u"exp0+ln1", u"1"},
                         {u"lg1000", u"3"},
                         {u"int(2.5)", u"2"},
                         {u"int(3.5)", u"4"},
                         {u"int(-2.5)", u"-2"},
                         {u"rad180", u"3.141593"},
                         {u"deg(pi)", u"180"},
                         {u"sin(pi/2)", u"1"},
                         {u"cos0", u"1"},
                         {u"tan0+tg0", u"0"},
                         {u"cot(pi/4)", u"1"},
                         {u"atan1", u"0.785398"},
                         {u"arctan1", u"0.785398"},
                         {u"asin1", u"1.570796"},
                         {u"arcsin1", u"1.570796"},
                         {u"acos1+arccos1", u"0"},
                         {u"acot0", u"1.570796"},
                         {u"arccot1", u"0.785398"},
                         {u"e", u"2.718282"},
                         {u"2*pi", u"6.283185"},
                         {u"log(8,2)", u"3"},
                         {u"round(3.5,0)", u"4"},
                         {u"round(2.355,2)", u"2.36"},
                         {u"round(2.345,2)", u"2.34"},
                         {u"sin1e30", u"0"},
                         {u"sin", u"error!"},
                         {u"2+sqrt", u"error!"},
                         {u"%5", u"error!"},
                         {u"%", u"error!"}});
}

TEST(Calculator, DegreeMode) {
    TCalculator calc(u'.');
    calc.SetDegree(true);
    ExpectResults(calc, {{u"sin30", u"0.5"},
                         {u"sin(30)", u"0.5"},
                         {u"cos60", u"0.5"},
                         {u"tan45", u"1"},
                         {u"cot45", u"1"},
                         {u"asin0.5", u"30"},
                         {u"acos0.5", u"60"},
                         {u"atan1", u"45"},
                         {u"acot0", u"90"},
                         {u"rad180", u"3.141593"},
                         {u"deg(pi)", u"180"}});
    calc.SetDegree(false);
    EXPECT_EQ(ToUtf8(calc.Calculate(u"sin30")), "-0.988032");
}

TEST(Calculator, UserFunctions) {
    TCalculator calc(u'.');
    calc.AddFunction(u"f(x)=x*2");
    calc.AddFunction(u"Add(X,Y) = X+Y  // sums two numbers");
    calc.AddFunction(u"g=5\tthe tab starts a comment");
    calc.AddFunction(u"no equals sign here");
    calc.AddFunction(u"=7");  // no name: ignored
    ExpectResults(calc, {{u"f(3)", u"6"},
                         {u"F(2+1)*2", u"12"},
                         {u"add(1,2)", u"3"},
                         {u"add(f(1),f(2))", u"6"},
                         {u"log(round(8.2,0),2)", u"3"},
                         {u"g*2", u"10"},
                         {u"(1+2)", u"3"},
                         {u"?add", u"Add(X,Y) = X+Y  // sums two numbers"},
                         {u"?LOG", u"log(x,y)=lgx/lgy"},
                         {u"?nothing", u""}});
    EXPECT_EQ(ToUtf8(calc.Calculate(u"?list")),
              "\r\nf(x)=x*2\r\nAdd(X,Y) = X+Y  // sums two numbers\r\ng=5\tthe tab starts a "
              "comment");

    calc.AddFunction(u"f(x)=x*3");  // same left-hand side: replaced, not added
    calc.AddFunction(u"pi=3");
    ExpectResults(calc, {{u"f(3)", u"9"}, {u"pi", u"3"}});
    EXPECT_EQ(ToUtf8(calc.ListFunctions()),
              "f(x)=x*3\r\nAdd(X,Y) = X+Y  // sums two numbers\r\ng=5\tthe tab starts a comment")
        << "the redefined f keeps its place in the table";

    calc.ResetFunctions();
    ExpectResults(calc, {{u"pi", u"3.141593"}, {u"?list", u"\r\n"}});
    EXPECT_EQ(ToUtf8(calc.Calculate(u"f(3)")), "f3 is not a valid number!");
}

TEST(Calculator, UserFunctionErrors) {
    TCalculator calc(u'.');
    calc.AddFunction(u"f(x)=x*2");
    calc.AddFunction(u"r(x)=r(x)");
    calc.AddFunction(u"a=a");
    calc.AddFunction(u"w(x)=w(x)+w(x)");
    // Each level doubles the work: the evaluation must stop on the work bound, not run on.
    calc.AddFunction(u"d(x)=x+x");
    ExpectResults(calc, {{u"f(1,2)", u"parameter list not fit!"},
                         {u"f+1", u"error!"},
                         {u"f", u"error!"},
                         {u"r(1)", u"Infinite recurrence!"},
                         {u"a", u"Infinite recurrence!"},
                         {u"w(1)", u"Infinite recurrence!"},
                         {u"d(d(d(1)))", u"8"}});
    std::u16string fanOut = u"1";
    for (int i = 0; i < 60; ++i) fanOut = u"d(" + fanOut + u")";
    EXPECT_EQ(ToUtf8(calc.Calculate(fanOut)), "Infinite recurrence!");
    std::u16string deep = std::u16string(100000, u'(') + u"1" + std::u16string(100000, u')');
    EXPECT_EQ(ToUtf8(calc.Calculate(deep)), "Infinite recurrence!");
    std::u16string longSum = u"1";
    for (int i = 0; i < 30000; ++i) longSum += u"+1";
    EXPECT_EQ(ToUtf8(calc.Calculate(longSum)), "30001") << "the work bound spares long lines";
    std::u16string deep200 = std::u16string(198, u'(') + u"1" + std::u16string(198, u')');
    EXPECT_EQ(ToUtf8(calc.Calculate(deep200)), "1") << "the limit is 200 levels";
}

TEST(Calculator, FormattingAndRounding) {
    TCalculator calc(u'.');
    ExpectResults(calc, {{u"1/3", u"0.333333"},
                         {u"-1/3", u"-0.333333"},
                         {u"2/3", u"0.666667"},
                         {u"0.000000000000001", u"0"},
                         {u"1234567890123456", u"1.234568E15"},
                         {u"9999999999999999", u"1E16"},
                         {u"1e20", u"1E20"},
                         {u"2.50000", u"2.5"},
                         {u"0.0000012345", u"1.2345E-6"},
                         {u"10000000000000*1.5", u"15000000000000"},
                         {u"123456789012.3456789", u"123456789012.346"},
                         {u"0.0001", u"0.0001"},
                         {u"0.0000000000001", u"1E-13"},
                         {u"1e-13", u"1e is not a valid number!"}});
    calc.SetDecimals(2);
    ExpectResults(calc, {{u"1/3", u"0.33"}, {u"0.00012345", u"0.00012"}, {u"0.125", u"0.12"}});
    calc.SetDecimals(-1);  // "Float": no rounding beyond the 15 digits
    ExpectResults(calc,
                  {{u"1/3", u"0.333333333333333"}, {u"1234567890123456", u"1.23456789012346E15"}});
    calc.SetDecimals(0);
    ExpectResults(calc, {{u"2.5", u"2"}, {u"3.5", u"4"}, {u"0.5", u"0"}, {u"0.06", u"0.1"}});

    EXPECT_EQ(ToUtf8(FormatGeneral(0.00001L, u'.')), "1E-5");
    EXPECT_EQ(ToUtf8(FormatGeneral(123456789012345.0L, u'.')), "123456789012345");
    EXPECT_EQ(ToUtf8(FormatGeneral(1e15L, u'.')), "1E15");
    EXPECT_EQ(ToUtf8(FormatGeneral(-2.5e-7L, u'.')), "-2.5E-7");
    EXPECT_EQ(ToUtf8(FormatGeneral(2.5L, u',')), "2,5");
    EXPECT_EQ(ToUtf8(FormatGeneral(100.0L, u'.')), "100");
    EXPECT_EQ(RoundDecimals(1e13L, 6), 1e13L) << "scaled beyond 64 bits: unrounded";
    EXPECT_EQ(RoundDecimals(1e-25L, 6), 1e-25L);
    EXPECT_EQ(RoundDecimals(-2.5L, -25), -2.0L);
}

TEST(Calculator, Power) {
    TCalculator calc(u'.');
    ExpectResults(calc, {{u"2^10", u"1024"},
                         {u"2^0.5", u"1.414214"},
                         {u"0^0", u"1"},
                         {u"0^2", u"0"},
                         {u"(0-2)^3", u"-8"},
                         {u"2^-2", u"0.25"},
                         {u"0^-1", u"Invalid result!"},
                         {u"(0-8)^(1/3)", u"Invalid result!"},
                         {u"10^5000", u"Invalid result!"}});
    // Beyond 32 bits the exponent goes through the logarithm: 31 squarings would be off by
    // about 1e-10 here.
    long double reference = std::exp(3000000000.0L * std::log(1.0000001L));
    EXPECT_NEAR(static_cast<double>(Power(1.0000001L, 3000000000.0L) / reference), 1.0, 1e-13);
}

TEST(Calculator, ErrorTexts) {
    TCalculator calc(u'.');
    ExpectResults(calc,
                  {{u"(1+2", u"bracket not match!"},
                   {u"1+2)", u"bracket not match!"},
                   {u")1+2(", u"bracket not match!"},
                   {u"*3", u"error!"},
                   {u"3+", u"error!"},
                   {u"1/0", u"Floating point division by zero!"},
                   {u"ln0", u"Floating point division by zero!"},
                   {u"sqrt(0-1)", u"Invalid floating point operation!"},
                   {u"asin2", u"Invalid floating point operation!"},
                   {u"lg(0-1)", u"Invalid floating point operation!"},
                   {u"abc", u"abc is not a valid number!"},
                   {u"1e", u"1e is not a valid number!"},
                   {u"1.2.3", u"1.2.3 is not a valid number!"},
                   {u"()", u"empty string cannot be converted to number!"},
                   {u"7\\0", u"Division by zero!"},
                   {u"7.5\\2", u"7.5 is not a valid integer!"},
                   {u"99999999999999999999\\1", u"99999999999999999999 is not a valid integer!"},
                   {u"-9223372036854775808\\-1", u"Integer overflow!"},
                   {u"-9223372036854775808!-1", u"0"},
                   {u"1e5000", u"Floating point overflow!"},
                   {u"1e5000+1", u"Floating point overflow!"},
                   {u"exp(100000)", u"Floating point overflow!"},
                   {u"", u""},
                   {u" \t ", u""}});
    EXPECT_EQ(calc.Calculate(u"?").substr(0, 18), u"supports pi, e, +,");
}

TEST(Calculator, NormalisingAndDecimalComma) {
    TCalculator calc(u'.');
    ExpectResults(calc, {{u"{2+3}\u00D7[4]", u"20"},
                         {u"6\u00F73", u"2"},
                         {u"6\uFF0F3\uFF0B1\uFF0D1\uFF0A2", u"1"},
                         {u" 2 +\t3 ", u"5"},
                         {u"SQRT(16)", u"4"}});
    TCalculator comma(u',');
    EXPECT_EQ(comma.ArgSeparator(), u';');
    ExpectResults(comma, {{u"1,5+1", u"2,5"},
                          {u"log(8;2)", u"3"},
                          {u"round(2,355;2)", u"2,36"},
                          {u"1.5+1", u"1.5 is not a valid number!"},
                          {u"?log", u"log(x;y)=lgx/lgy"}});
}

TEST(Calculator, TokenizeAndSplit) {
    TCalculator calc(u'.');
    EXPECT_EQ(Tokens(calc, u"(1+2)-3"), "[(][1+2][)][-][3]");
    EXPECT_EQ(Tokens(calc, u"2*-3"), "[2][*][-3]");
    EXPECT_EQ(Tokens(calc, u"sin30+5%"), "[sin][30][+][5][%]");
    EXPECT_EQ(Tokens(calc, u"asin1*sqrt4"), "[asin][1][*][sqrt][4]");
    EXPECT_EQ(Tokens(calc, u"(1)"), "[(][1][)][]");
    EXPECT_EQ(Tokens(calc, u"log(8,2)"), "[(][(lg(8)/lg(2))][)][]");
    EXPECT_EQ(Tokens(calc, u"2^(1+1)"), "[2][^][(][1+1][)][]");
    EXPECT_THROW(Tokens(calc, u"(()"), TknError);

    TTokenList tokens{u"(-x+(y))"};
    TCalculator::SplitAt(tokens, u"(", smAnywhere, false);
    TCalculator::SplitAt(tokens, u"+", smOperator, false);
    EXPECT_EQ(Bracketed(tokens), "[(][-x][+][(][y))]");
}

}  // namespace
}  // namespace qb
