#pragma once

// The calculator of calculator pages: a text-based expression evaluator with user functions.
// An expression is cut into tokens, bracket groups are evaluated recursively, user functions
// expand by textual substitution, and every intermediate result goes back to text in the
// general number format (15 significant digits) before the next operator reads it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

using TTokenList = std::vector<std::u16string>;

// How SplitAt finds the operator in a token.
enum TSplitMode : uint8_t {
    smPrefix,    // function names: only at the very start of the token
    smOperator,  // operators and "%": the first occurrence that is not a sign
    smAnywhere,  // brackets inside a function body: the first occurrence wherever it is
};

// One entry of the function table.
struct TCalcFunction {
    std::u16string Name;
    std::u16string Body;        // the right-hand side in brackets
    std::u16string Params;      // parameter names joined by the argument separator
    std::u16string Definition;  // the line as it was given
    std::u16string LeftSide;    // name and bracketed parameters, normalised
    bool HasParams = false;     // the left-hand side has brackets
    TTokenList BodyTokens;      // the body cut for parameter substitution
};

// The decimal separator of the user's locale; the argument separator follows from it.
char16_t SystemDecimalSeparator();

// Number text as the calculator writes and reads it.
std::u16string FormatGeneral(long double v, char16_t decimalSeparator);
// Raises the conversion error for malformed text; a value beyond the range reads as infinite.
long double ReadFloat(std::u16string_view s, char16_t decimalSeparator);
// Rounds to d decimals (a value below 0.1 keeps d significant digits); -20..-1 leave it as it
// is, and so does a scaled value beyond the 64-bit range.
long double RoundDecimals(long double x, int d);
// Raises "Invalid result!" when the result is not a finite number.
long double Power(long double base, long double exponent);

class TCalculator {
  public:
    static constexpr int kMaxDepth = 200;
    static constexpr int kBuiltinCount = 4;
    // Characters that one evaluation may tokenize and produce; runaway expansion stops here.
    static constexpr size_t kWorkLimit = size_t{1} << 20;

    explicit TCalculator(char16_t decimalSeparator = SystemDecimalSeparator());

    std::u16string Calculate(std::u16string_view expression);
    void AddFunction(std::u16string_view line);
    void ResetFunctions();
    // ResetFunctions, then AddFunction for every line.
    void LoadFunctions(const std::vector<std::u16string>& lines);
    std::u16string ListFunctions() const;
    std::u16string GetDefinition(std::u16string_view name) const;

    void SetDecimals(int decimals) { FDecimals = decimals; }
    void SetDegree(bool degree) { FDegree = degree; }
    int Decimals() const { return FDecimals; }
    bool Degree() const { return FDegree; }
    char16_t DecimalSeparator() const { return FDecimalSeparator; }
    char16_t ArgSeparator() const { return FArgSeparator; }

    void Tokenize(std::u16string_view expression, TTokenList& tokens);
    static void SplitAt(TTokenList& tokens, std::u16string_view op, TSplitMode mode,
                        bool skipGroups);
    static bool IsFunctionName(std::u16string_view token);

  private:
    std::u16string Evaluate(std::u16string expression);
    std::u16string ApplyFunction(const TCalcFunction& entry, std::u16string_view argument);
    void ExpandFunctions(TTokenList& tokens);
    TTokenList CutBody(std::u16string_view body) const;
    std::u16string FormatResult(std::u16string_view text) const;
    std::u16string Num(long double v) const { return FormatGeneral(v, FDecimalSeparator); }
    long double Read(std::u16string_view s) const { return ReadFloat(s, FDecimalSeparator); }
    long double Operand(std::u16string_view s) const;
    long double Function(std::u16string_view name, long double x) const;
    std::u16string Binary(char16_t op, std::u16string_view a, std::u16string_view b) const;
    void ApplyPostfix(TTokenList& tokens) const;
    void ApplyPrefix(TTokenList& tokens) const;
    void ApplyBinary(TTokenList& tokens, std::u16string_view ops) const;
    void Charge(size_t characters);

    char16_t FDecimalSeparator;
    char16_t FArgSeparator;
    int FDecimals = 6;
    bool FDegree = false;
    std::vector<TCalcFunction> FFunctions;
    int FDepth = 0;
    size_t FWork = 0;
};

}  // namespace qb
