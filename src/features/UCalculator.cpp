#include "features/UCalculator.h"

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

#include <algorithm>
#include <bitset>
#include <charconv>
#include <cmath>
#include <numbers>

#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr std::u16string_view kBracketNotMatch = u"bracket not match!";
constexpr std::u16string_view kSyntaxError = u"error!";
constexpr std::u16string_view kInfiniteRecurrence = u"Infinite recurrence!";
constexpr std::u16string_view kParamsNotFit = u"parameter list not fit!";
constexpr std::u16string_view kInvalidResult = u"Invalid result!";
constexpr std::u16string_view kOverflow = u"Floating point overflow!";
constexpr std::u16string_view kZeroDivide = u"Floating point division by zero!";
constexpr std::u16string_view kInvalidOp = u"Invalid floating point operation!";
constexpr std::u16string_view kIntZeroDivide = u"Division by zero!";
constexpr std::u16string_view kIntOverflow = u"Integer overflow!";
constexpr std::u16string_view kHelp =
    u"supports pi, e, +, -, *, /, ^, %, lg, ln, log, exp, sqrt, sqr, rad, deg, sin, "
    u"asin/arcsin, cos, acos/arccos, tg/tan, atan/arctan, cot, acot/arccot";

// Matched in this order: a longer name comes before a shorter one it starts or ends with.
constexpr std::u16string_view kFunctionNames[] = {
    u"lg",     u"ln",     u"exp", u"sqrt", u"sqr",    u"rad", u"deg",
    u"asin",   u"arcsin", u"sin", u"acos", u"arccos", u"cos", u"atan",
    u"arctan", u"tg",     u"tan", u"acot", u"arccot", u"cot", u"int"};
// Operator classes in splitting order; the last one of Evaluate's passes is additive.
constexpr std::u16string_view kPowerOps = u"^";
constexpr std::u16string_view kMultiplicativeOps = u"*/\\!";
constexpr std::u16string_view kAdditiveOps = u"+-";

// What one tokenizing costs on top of its characters, so that many short expansions count.
constexpr size_t kTokenizeCost = 256;

constexpr long double kPi = std::numbers::pi_v<long double>;
// fsin and fcos leave arguments from 2^63 on unreduced; such a sine counts as 0.
constexpr long double kReductionLimit = 9223372036854775808.0L;

[[noreturn]] void Fail(std::u16string_view message) {
    throw TknError(std::u16string(message));
}

std::u16string Join(const TTokenList& tokens) {
    size_t n = 0;
    for (const auto& t : tokens) n += t.size();
    std::u16string out;
    out.reserve(n);
    for (const auto& t : tokens) out += t;
    return out;
}

long double Checked(long double v) {
    if (std::isnan(v)) Fail(kInvalidOp);
    if (std::isinf(v)) Fail(kOverflow);
    return v;
}

long double Divide(long double a, long double b) {
    if (b == 0) Fail(kZeroDivide);
    return Checked(a / b);
}

long double SquareRoot(long double x) {
    if (x < 0) Fail(kInvalidOp);
    return std::sqrt(x);
}

long double LogArgument(long double x) {
    if (x == 0) Fail(kZeroDivide);
    if (x < 0) Fail(kInvalidOp);
    return x;
}

long double IntPower(long double base, uint64_t n) {
    long double result = 1;
    while (n != 0) {
        if (n & 1) result *= base;
        base *= base;
        n >>= 1;
    }
    return result;
}

std::u16string WithoutBlanks(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (char16_t c : s)
        if (c != u' ' && c != u'\t') out.push_back(c);
    return out;
}

// Brackets of every shape and the typographic operator signs become the plain ones.
void NormaliseSymbols(std::u16string& s) {
    for (char16_t& c : s) {
        switch (c) {
            case u'{':
            case u'[':
                c = u'(';
                break;
            case u'}':
            case u']':
                c = u')';
                break;
            case u'\u00D7':
            case u'\uFF0A':
                c = u'*';
                break;
            case u'\u00F7':
            case u'\uFF0F':
                c = u'/';
                break;
            case u'\uFF0B':
                c = u'+';
                break;
            case u'\uFF0D':
                c = u'-';
                break;
            default:
                break;
        }
    }
}

// Splits an argument text at the separators outside brackets, so that a nested call keeps its
// own arguments.
TTokenList SplitArguments(std::u16string_view text, char16_t separator) {
    TTokenList out;
    int depth = 0;
    size_t cut = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'(')
            ++depth;
        else if (text[i] == u')')
            --depth;
        else if (text[i] == separator && depth == 0) {
            out.emplace_back(text.substr(cut, i - cut));
            cut = i + 1;
        }
    }
    out.emplace_back(text.substr(cut));
    return out;
}

size_t FindSplit(std::u16string_view token, std::u16string_view op, TSplitMode mode,
                 bool afterClose) {
    switch (mode) {
        case smPrefix:
            return token.starts_with(op) ? 0 : std::u16string_view::npos;
        case smAnywhere:
            return token.find(op);
        case smOperator: {
            size_t p = token.find(op);
            // A "+" or "-" at the start of a token is a sign, unless a bracket group precedes.
            bool sign = op == u"+" || op == u"-";
            if (p == 0 && sign && !afterClose) p = token.find(op, op.size());
            return p;
        }
    }
    return std::u16string_view::npos;
}

// Splits at every operator class, "%" and the function names, in that order.
// Splitting only ever cuts tokens apart, so a pass whose operator starts with a character that
// no token holds is skipped.
void SplitOperators(TTokenList& tokens, bool skipGroups) {
    std::bitset<128> present;
    for (const auto& t : tokens)
        for (char16_t c : t)
            if (c < 128) present.set(c);
    auto split = [&](std::u16string_view op, TSplitMode mode) {
        if (present.test(op[0])) TCalculator::SplitAt(tokens, op, mode, skipGroups);
    };
    for (std::u16string_view ops : {kPowerOps, kMultiplicativeOps, kAdditiveOps})
        for (size_t i = 0; i < ops.size(); ++i) split(ops.substr(i, 1), smOperator);
    split(u"%", smOperator);
    for (std::u16string_view name : kFunctionNames) split(name, smPrefix);
}

}  // namespace

char16_t SystemDecimalSeparator() {
    UErrorCode status = U_ZERO_ERROR;
    icu::DecimalFormatSymbols symbols(icu::Locale::getDefault(), status);
    if (U_FAILURE(status)) return u'.';
    icu::UnicodeString s = symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
    return s.length() == 1 ? s.charAt(0) : u'.';
}

std::u16string FormatGeneral(long double v, char16_t decimalSeparator) {
    if (v == 0 || std::isnan(v) || std::isinf(v)) {
        if (v == 0) return u"0";
        return std::isnan(v) ? u"NAN" : (v < 0 ? u"-INF" : u"INF");
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string_view text(buf, static_cast<size_t>(r.ptr - buf));  // [-]d.ddddddddddddddde±x
    bool negative = text[0] == '-';
    if (negative) text.remove_prefix(1);
    size_t e = text.find('e');
    int exponent = std::stoi(std::string(text.substr(e + 1)));
    std::string digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::u16string out = negative ? u"-" : u"";
    auto append = [&out](std::string_view s) { out.append(s.begin(), s.end()); };
    if (exponent < -4 || exponent >= 15) {
        append(digits.substr(0, 1));
        if (digits.size() > 1) {
            out.push_back(decimalSeparator);
            append(digits.substr(1));
        }
        out.push_back(u'E');
        append(std::to_string(exponent));
    } else if (exponent < 0) {
        out.push_back(u'0');
        out.push_back(decimalSeparator);
        out.append(static_cast<size_t>(-exponent - 1), u'0');
        append(digits);
    } else {
        auto whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() < whole) digits.append(whole - digits.size(), '0');
        append(std::string_view(digits).substr(0, whole));
        if (digits.size() > whole) {
            out.push_back(decimalSeparator);
            append(std::string_view(digits).substr(whole));
        }
    }
    return out;
}

long double ReadFloat(std::u16string_view s, char16_t decimalSeparator) {
    std::u16string t = Trim(s);
    if (t.empty()) Fail(u"empty string cannot be converted to number!");
    // Sign, digits with at most one separator, then an optional exponent.
    std::string ascii;
    size_t i = 0;
    bool negative = t[0] == u'-';
    if (t[0] == u'-' || t[0] == u'+') ++i;
    int mantissaDigits = 0, wholeDigits = 0, exponentDigits = 0;
    bool separator = false, significant = false;
    for (; i < t.size(); ++i) {
        char16_t c = t[i];
        if (c >= u'0' && c <= u'9') {
            ++mantissaDigits;
            significant = significant || c != u'0';
            if (!separator && significant) ++wholeDigits;
            ascii.push_back(static_cast<char>(c));
        } else if (c == decimalSeparator && !separator) {
            separator = true;
            ascii.push_back('.');
        } else {
            break;
        }
    }
    long double exponent = 0;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E') && mantissaDigits > 0) {
        ascii.push_back('e');
        size_t start = ++i;
        if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
            if (t[i] == u'-') ascii.push_back('-');
            ++i;
        }
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i, ++exponentDigits) {
            ascii.push_back(static_cast<char>(t[i]));
            exponent = exponent * 10 + (t[i] - u'0');
        }
        if (start < t.size() && t[start] == u'-') exponent = -exponent;
        if (exponentDigits == 0) mantissaDigits = 0;  // "1e" is no number
    }
    if (mantissaDigits == 0 || i != t.size()) Fail(t + u" is not a valid number!");
    long double v = 0;
    auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        v = wholeDigits + exponent > 0 ? HUGE_VALL : 0;  // beyond the range either way
    return negative ? -v : v;
}

long double RoundDecimals(long double x, int d) {
    if (x == 0 || (d >= -20 && d <= -1)) return x;
    const long double input = x;
    int n = 0;
    while (std::fabs(10 * x) < 1) {
        if (++n > 19) return input;
        x *= 10;
    }
    for (int i = 0; i < d; ++i) {
        if (std::fabs(x) >= 1e20L || n > 19) return input;
        x *= 10;
        ++n;
    }
    // The rounding goes through a signed 64-bit integer; beyond it the value stays as it is.
    if (std::fabs(x) >= 9223372036854775807.0L) return input;
    return static_cast<long double>(std::llrint(x)) / IntPower(10, static_cast<uint64_t>(n));
}

long double Power(long double base, long double exponent) {
    long double result;
    if (exponent == 0)
        result = 1;
    else if (base == 0 && exponent > 0)
        result = 0;
    else if (std::trunc(exponent) == exponent && std::fabs(exponent) <= 2147483647.0L) {
        auto n = static_cast<uint64_t>(std::fabs(exponent));
        result = exponent > 0 ? IntPower(base, n) : 1 / IntPower(base, n);
    } else {
        result = std::exp(exponent * std::log(base));
    }
    if (std::isnan(result) || std::isinf(result)) Fail(kInvalidResult);
    return result;
}

// --- TCalculator ---

TCalculator::TCalculator(char16_t decimalSeparator)
    : FDecimalSeparator(decimalSeparator), FArgSeparator(decimalSeparator == u'.' ? u',' : u';') {
    ResetFunctions();
}

void TCalculator::ResetFunctions() {
    // The built-ins are defined afresh, so that a user's redefinition of one does not outlive
    // the user's list.
    FFunctions.clear();
    std::u16string sep(1, FArgSeparator);
    AddFunction(u"pi=" + Num(kPi));
    AddFunction(u"e=" + Num(std::numbers::e_v<long double>));
    AddFunction(u"log(x" + sep + u"y)=lgx/lgy");
    AddFunction(u"round(x" + sep + u"y)=int(x*10^y)/10^y");
}

void TCalculator::LoadFunctions(const std::vector<std::u16string>& lines) {
    ResetFunctions();
    for (const auto& line : lines) AddFunction(line);
}

void TCalculator::AddFunction(std::u16string_view line) {
    std::u16string s = Trim(LowerCase(line));
    size_t tab = s.find(u'\t');
    if (tab != std::u16string::npos && tab > 0) s.resize(tab);
    size_t comment = s.find(u"//");
    if (comment != std::u16string::npos && comment > 0) s.resize(comment);
    s = WithoutBlanks(s);
    size_t eq = s.find(u'=');
    if (eq == std::u16string::npos) return;
    std::u16string left = s.substr(0, eq);
    size_t bracket = left.find(u'(');
    std::u16string name = left.substr(0, bracket);
    // An empty name would match the empty tokens that every bracket group leaves behind.
    if (name.empty()) return;

    auto it = std::find_if(FFunctions.begin(), FFunctions.end(),
                           [&](const TCalcFunction& f) { return f.LeftSide == left; });
    if (it == FFunctions.end()) {
        TCalcFunction entry;
        entry.Name = name;
        entry.LeftSide = left;
        entry.HasParams = bracket != std::u16string::npos;
        if (entry.HasParams) entry.Params = ReplaceAll(left.substr(bracket + 1), u")", u"");
        FFunctions.push_back(std::move(entry));
        it = FFunctions.end() - 1;
    }
    it->Definition = std::u16string(line);
    it->Body = u"(" + s.substr(eq + 1) + u")";
    it->BodyTokens = CutBody(it->Body);
}

std::u16string TCalculator::ListFunctions() const {
    std::u16string out;
    for (size_t i = kBuiltinCount; i < FFunctions.size(); ++i) {
        if (i > kBuiltinCount) out += u"\r\n";
        out += FFunctions[i].Definition;
    }
    return out;
}

std::u16string TCalculator::GetDefinition(std::u16string_view name) const {
    for (const auto& f : FFunctions)
        if (IsSameText(f.Name, name)) return f.Definition;
    return {};
}

std::u16string TCalculator::Calculate(std::u16string_view expression) {
    std::u16string s = LowerCase(WithoutBlanks(expression));
    if (s.empty()) return {};
    if (s == u"?") return std::u16string(kHelp);
    if (s == u"?list") return u"\r\n" + ListFunctions();
    if (s[0] == u'?') return GetDefinition(std::u16string_view(s).substr(1));
    NormaliseSymbols(s);
    try {
        FDepth = 0;
        FWork = 0;
        return FormatResult(Evaluate(std::move(s)));
    } catch (const TknError& e) {
        return e.Message();
    }
}

void TCalculator::Charge(size_t characters) {
    FWork += characters;
    if (FWork > kWorkLimit) Fail(kInfiniteRecurrence);
}

bool TCalculator::IsFunctionName(std::u16string_view token) {
    return std::find(std::begin(kFunctionNames), std::end(kFunctionNames), token) !=
           std::end(kFunctionNames);
}

void TCalculator::SplitAt(TTokenList& tokens, std::u16string_view op, TSplitMode mode,
                          bool skipGroups) {
    // Most passes find nothing to split; they leave the list untouched.
    auto splits = [&](size_t i, bool afterClose) {
        const std::u16string& token = tokens[i];
        if (FindSplit(token, op, mode, afterClose) == std::u16string_view::npos) return false;
        return token != op && token != u"%" && !IsFunctionName(token);
    };
    size_t first = 0;
    for (; first < tokens.size(); ++first) {
        if (skipGroups && tokens[first] == u"(" && first + 2 < tokens.size())
            first += 2;
        else if (splits(first, first > 0 && tokens[first - 1] == u")"))
            break;
    }
    if (first == tokens.size()) return;

    TTokenList out(std::make_move_iterator(tokens.begin()),
                   std::make_move_iterator(tokens.begin() + static_cast<ptrdiff_t>(first)));
    out.reserve(tokens.size() + 8);
    for (size_t i = first; i < tokens.size(); ++i) {
        std::u16string& token = tokens[i];
        if (skipGroups && token == u"(" && i + 2 < tokens.size()) {
            for (size_t k = i; k < i + 3; ++k) out.push_back(std::move(tokens[k]));
            i += 2;
            continue;
        }
        if (!splits(i, !out.empty() && out.back() == u")")) {
            out.push_back(std::move(token));
            continue;
        }
        std::u16string_view rest = token;
        size_t p = FindSplit(rest, op, mode, !out.empty() && out.back() == u")");
        // The text after the operator is examined again; its own leading operator is a sign.
        while (p != std::u16string_view::npos) {
            if (p > 0) out.emplace_back(rest.substr(0, p));
            out.emplace_back(op);
            rest = rest.substr(p + op.size());
            p = rest.empty() ? std::u16string_view::npos : FindSplit(rest, op, mode, false);
        }
        if (!rest.empty()) out.emplace_back(rest);
    }
    tokens = std::move(out);
}

void TCalculator::Tokenize(std::u16string_view expression, TTokenList& tokens) {
    Charge(expression.size() + kTokenizeCost);
    tokens.clear();
    int depth = 0;
    size_t cut = 0;
    for (size_t i = 0; i < expression.size(); ++i) {
        char16_t c = expression[i];
        if (c == u'(' && ++depth == 1) {
            if (i > cut) tokens.emplace_back(expression.substr(cut, i - cut));
            tokens.emplace_back(u"(");
            cut = i + 1;
        } else if (c == u')') {
            if (--depth < 0) Fail(kBracketNotMatch);
            if (depth == 0) {
                tokens.emplace_back(expression.substr(cut, i - cut));
                tokens.emplace_back(u")");
                cut = i + 1;
            }
        }
    }
    if (depth != 0) Fail(kBracketNotMatch);
    tokens.emplace_back(expression.substr(cut));
    SplitOperators(tokens, true);
    ExpandFunctions(tokens);
}

void TCalculator::ExpandFunctions(TTokenList& tokens) {
    for (const auto& entry : FFunctions) {
        if (std::find(tokens.begin(), tokens.end(), entry.Name) == tokens.end()) continue;
        TTokenList out;
        out.reserve(tokens.size());
        for (size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i] != entry.Name) {
                out.push_back(std::move(tokens[i]));
            } else if (!entry.HasParams) {
                Charge(entry.Body.size());
                out.push_back(entry.Body);
            } else {
                if (i + 3 >= tokens.size() || tokens[i + 1] != u"(" || tokens[i + 3] != u")")
                    Fail(kSyntaxError);
                out.emplace_back(u"(");
                out.push_back(ApplyFunction(entry, tokens[i + 2]));
                out.emplace_back(u")");
                i += 3;
            }
        }
        tokens = std::move(out);
    }
}

TTokenList TCalculator::CutBody(std::u16string_view body) const {
    TTokenList tokens{std::u16string(body)};
    SplitAt(tokens, u"(", smAnywhere, false);
    SplitAt(tokens, u")", smAnywhere, false);
    SplitOperators(tokens, false);
    return tokens;
}

std::u16string TCalculator::ApplyFunction(const TCalcFunction& entry,
                                          std::u16string_view argument) {
    TTokenList params = SplitArguments(entry.Params, FArgSeparator);
    TTokenList args = SplitArguments(argument, FArgSeparator);
    if (params.size() != args.size()) Fail(kParamsNotFit);
    std::u16string out;
    for (const auto& token : entry.BodyTokens) {
        auto p = std::find(params.begin(), params.end(), token);
        if (p == params.end()) {
            Charge(token.size());
            out += token;
        } else {
            const std::u16string& arg = args[static_cast<size_t>(p - params.begin())];
            Charge(arg.size() + 2);
            out += u'(';
            out += arg;
            out += u')';
        }
    }
    return out;
}

std::u16string TCalculator::Evaluate(std::u16string expression) {
    if (++FDepth > kMaxDepth) Fail(kInfiniteRecurrence);
    if (expression.empty()) {
        --FDepth;
        return {};
    }
    TTokenList tokens;
    for (;;) {
        Tokenize(expression, tokens);
        std::u16string joined = Join(tokens);
        if (joined == expression) break;
        expression = std::move(joined);
    }
    TTokenList values;
    values.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == u"(" && i + 2 < tokens.size()) {
            values.push_back(Evaluate(std::move(tokens[i + 1])));
            i += 2;
        } else {
            values.push_back(std::move(tokens[i]));
        }
    }
    ApplyPostfix(values);
    ApplyPrefix(values);
    ApplyBinary(values, kPowerOps);
    ApplyBinary(values, kMultiplicativeOps);
    ApplyBinary(values, kAdditiveOps);
    std::u16string result = Join(values);
    Charge(result.size());
    --FDepth;
    return result;
}

void TCalculator::ApplyPostfix(TTokenList& tokens) const {
    TTokenList out;
    out.reserve(tokens.size());
    for (auto& token : tokens) {
        if (token != u"%") {
            out.push_back(std::move(token));
            continue;
        }
        if (out.empty()) Fail(kSyntaxError);
        out.back() = Num(Operand(out.back()) / 100);
    }
    tokens = std::move(out);
}

void TCalculator::ApplyPrefix(TTokenList& tokens) const {
    TTokenList out;
    out.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!IsFunctionName(tokens[i])) {
            out.push_back(std::move(tokens[i]));
            continue;
        }
        if (i + 1 >= tokens.size()) Fail(kSyntaxError);
        out.push_back(Num(Function(tokens[i], Operand(tokens[i + 1]))));
        ++i;
    }
    tokens = std::move(out);
}

void TCalculator::ApplyBinary(TTokenList& tokens, std::u16string_view ops) const {
    TTokenList out;
    out.reserve(tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::u16string& token = tokens[i];
        if (token.size() != 1 || ops.find(token[0]) == std::u16string_view::npos) {
            out.push_back(std::move(tokens[i]));
            continue;
        }
        if (out.empty() || i + 1 >= tokens.size()) Fail(kSyntaxError);
        out.back() = Binary(token[0], out.back(), tokens[i + 1]);
        ++i;
    }
    tokens = std::move(out);
}

std::u16string TCalculator::Binary(char16_t op, std::u16string_view a,
                                   std::u16string_view b) const {
    if (op == u'\\' || op == u'!') {
        int64_t x = StrToInt(a), y = StrToInt(b);
        if (y == 0) Fail(kIntZeroDivide);
        if (y == -1) {  // the one quotient that leaves the 64-bit range
            if (x == INT64_MIN && op == u'\\') Fail(kIntOverflow);
            return op == u'\\' ? IntToStr(-x) : u"0";
        }
        return IntToStr(op == u'\\' ? x / y : x % y);
    }
    long double x = Operand(a), y = Operand(b);
    switch (op) {
        case u'+':
            return Num(Checked(x + y));
        case u'-':
            return Num(Checked(x - y));
        case u'*':
            return Num(Checked(x * y));
        case u'/':
            return Num(Divide(x, y));
        default:
            return Num(Power(x, y));
    }
}

long double TCalculator::Function(std::u16string_view name, long double x) const {
    const long double toRadians = FDegree ? kPi / 180 : 1;
    const long double fromRadians = FDegree ? 180 / kPi : 1;
    auto sine = [&](long double v) {
        v *= toRadians;
        return std::fabs(v) >= kReductionLimit ? 0.0L : std::sin(v);
    };
    auto cosine = [&](long double v) {
        v *= toRadians;
        return std::fabs(v) >= kReductionLimit ? 0.0L : std::cos(v);
    };
    long double r;
    if (name == u"sin")
        r = sine(x);
    else if (name == u"cos")
        r = cosine(x);
    else if (name == u"tan" || name == u"tg")
        r = Divide(sine(x), cosine(x));
    else if (name == u"cot")
        r = Divide(cosine(x), sine(x));
    else if (name == u"asin" || name == u"arcsin")
        r = std::atan2(x, SquareRoot(1 - x * x)) * fromRadians;
    else if (name == u"acos" || name == u"arccos")
        r = std::atan2(SquareRoot(1 - x * x), x) * fromRadians;
    else if (name == u"atan" || name == u"arctan")
        r = std::atan(x) * fromRadians;
    else if (name == u"acot" || name == u"arccot")
        r = (x == 0 ? kPi / 2 : std::atan(1 / x)) * fromRadians;
    else if (name == u"exp")
        r = std::exp(x);
    else if (name == u"lg")
        r = std::log10(LogArgument(x));
    else if (name == u"ln")
        r = std::log(LogArgument(x));
    else if (name == u"sqrt")
        r = SquareRoot(x);
    else if (name == u"sqr")
        r = x * x;
    else if (name == u"rad")
        r = x * kPi / 180;
    else if (name == u"deg")
        r = x * 180 / kPi;
    else
        r = std::nearbyint(x);  // "int": halves go to the even neighbour
    return Checked(r);
}

long double TCalculator::Operand(std::u16string_view s) const {
    return Checked(Read(s));
}

std::u16string TCalculator::FormatResult(std::u16string_view text) const {
    long double v = Read(text);
    if (std::fabs(v) <= 1e-14L) return u"0";
    if (std::isinf(v) || std::isnan(v)) Fail(kOverflow);
    if (std::fabs(v) <= 1e15L) return Num(RoundDecimals(v, FDecimals));
    int k = 0;
    while (std::fabs(v) >= 10) {
        v /= 10;
        ++k;
    }
    v = RoundDecimals(v, FDecimals);
    if (std::fabs(v) >= 10) {  // 9.9999999 rounded up: keep the mantissa below 10
        v /= 10;
        ++k;
    }
    return Num(v) + u"E" + IntToStr(k);
}

}  // namespace qb
