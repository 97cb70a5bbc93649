#include "features/UCalcHandler.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"

namespace qb {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

std::u16string LeadingBlanks(std::u16string_view s) {
    size_t n = 0;
    while (n < s.size() && s[n] <= u' ') ++n;
    return std::u16string(s.substr(0, n));
}

bool HasDigit(std::u16string_view s) {
    return std::any_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// An old result behind the separator is dropped.
std::u16string CutAtFirst(const std::u16string& expression, char16_t separator) {
    size_t at = expression.find(separator);
    return at == std::u16string::npos ? expression
                                      : Trim(std::u16string_view(expression).substr(0, at));
}

// Length in the control, where CR LF is one character.
int ControlLength(std::u16string_view s) {
    int pairs = 0;
    for (size_t at = s.find(kCrLf); at != std::u16string_view::npos; at = s.find(kCrLf, at + 2))
        ++pairs;
    return static_cast<int>(s.size()) - pairs;
}

}  // namespace

TCalcLine ParseLine(std::u16string_view line, bool tabsAreLabels) {
    TCalcLine out;
    size_t tab = tabsAreLabels ? line.rfind(u'\t') : std::u16string_view::npos;
    if (tab != std::u16string_view::npos) {
        out.Prefix = line.substr(0, tab + 1);
        line.remove_prefix(tab + 1);
    }
    out.Prefix += LeadingBlanks(line);
    std::u16string expression = Trim(line);
    if (expression.starts_with(u'$')) {
        out.Marker = u"$";
    } else if (expression.starts_with(u'@') || expression.starts_with(u'#')) {
        out.Marker = expression.substr(0, 1);
        expression = TrimLeft(std::u16string_view(expression).substr(1));
    } else if (expression.starts_with(u"//")) {
        out.Marker = u"//";
        expression = TrimLeft(std::u16string_view(expression).substr(2));
    }
    out.Expression = std::move(expression);
    return out;
}

void ApplyCalcOptions(TCalculator& calc, const TOptions& options) {
    calc.SetDecimals(options.CalcDecimal);
    calc.SetDegree(options.Tri_Degree);
    calc.LoadFunctions(options.UserFunctions);
}

TCalcHandler::TCalcHandler(IEditControl& control) : FControl(control) {
    FControl.SetKeyHook(this);
    OptionManager().AddObserver(this);
}

TCalcHandler::~TCalcHandler() {
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    FControl.SetKeyHook(nullptr);
}

void TCalcHandler::OptionChanged() {
    const TOptions& options = OptionManager().Options();
    ApplyCalcOptions(FCalculator, options);
    FUserFunctions = options.UserFunctions;
    FMultiDict = options.MultiDict;
    FDictionary.SetSelected(options.SelDictList);
    FDictionary.SetDebugMode(options.DebugMode);
}

bool TCalcHandler::KeyDown(int key, int shift) {
    const bool shiftDown = (shift & ssShift) != 0, ctrl = (shift & ssCtrl) != 0;
    if (key == vkF9 && FPageType == ptCalc) {
        Recalculate();
        return true;
    }
    if (key != vkReturn) return false;
    const bool active =
        FPageType == ptCalc || FPageType == ptDict || (FPageType == ptNote && (shiftDown || ctrl));
    return active && Enter(shiftDown, ctrl);
}

bool TCalcHandler::CharTyped(char16_t ch) {
    if (ch != u'=' || FPageType != ptCalc) return false;
    TEditSel para = FControl.ParagraphFromChar(FControl.GetSel().Start);
    if (TrimLeft(FControl.TextRange(para.Start, para.End())).starts_with(u'#')) return false;
    FControl.KeyDown(vkReturn, 0);
    return true;
}

void TCalcHandler::ReloadFunctions() {
    FCalculator.LoadFunctions(FUserFunctions);
}

void TCalcHandler::AddPageFunctions(int end) {
    std::u16string text = FControl.TextRange(0, end);
    std::u16string_view rest = text;
    while (!rest.empty()) {
        size_t br = rest.find(u'\r');
        TCalcLine line = ParseLine(rest.substr(0, br), false);
        if (line.Marker == u"#") FCalculator.AddFunction(line.Expression);
        rest = br == std::u16string_view::npos ? std::u16string_view() : rest.substr(br + 1);
    }
}

bool TCalcHandler::Enter(bool shift, bool ctrl) {
    const int caret = FControl.GetSel().Start;
    const TEditSel para = FControl.ParagraphFromChar(caret);
    if (caret == para.Start) return false;
    TCalcLine line = ParseLine(FControl.TextRange(para.Start, para.End()), true);
    const bool calcPage = FPageType == ptCalc;
    if (line.Expression.empty() || line.Marker == u"//" || (calcPage && line.Marker == u"#"))
        return false;
    const bool calculation = calcPage || (FPageType == ptNote && line.Marker != u"$" &&
                                          line.Marker != u"@" && HasDigit(line.Expression));
    line.Expression = CutAtFirst(line.Expression, calculation ? u'=' : u':');

    std::u16string result, separator;
    if (calculation) {
        ReloadFunctions();
        AddPageFunctions(para.Start);
        result = FCalculator.Calculate(line.Expression);
        separator = u" =";
    } else {
        result = LookUp(line, ctrl);
        separator = u":";
    }
    // The "@" that asked for a look-up stays, so that the line keeps its kind on the next Enter.
    std::u16string text = line.Prefix + (line.Marker == u"@" ? u"@" : u"") + line.Expression +
                          separator + u" " + result;
    if (caret == para.End() && !(calculation && ctrl)) {
        text += kCrLf;
        if (calcPage && shift) text += result;
    }
    FControl.SetSel(para.Start, para.Length);
    FControl.ReplaceSel(text);
    return true;
}

std::u16string TCalcHandler::LookUp(const TCalcLine& line, bool ctrl) {
    std::vector<std::u16string> results;
    FDictionary.Lookup(line.Expression, results, FMultiDict != ctrl);
    const std::u16string indent = LeadingBlanks(line.Prefix) + u"\t";
    std::u16string out;
    for (size_t i = 0; i < results.size(); ++i) {
        if (i > 0) out.append(kCrLf).append(indent);
        out += results[i];
    }
    if (results.size() > 1) out += kCrLf;
    return out;
}

std::u16string TCalcHandler::RecalculatedLine(std::u16string_view raw) {
    // Definitions are read without labels, so that a tab may start their comment.
    TCalcLine definition = ParseLine(raw, false);
    if (definition.Marker == u"#") {
        FCalculator.AddFunction(definition.Expression);
        return std::u16string(raw);
    }
    TCalcLine line = ParseLine(raw, true);
    if (!line.Marker.empty() || line.Expression.empty()) return std::u16string(raw);
    std::u16string expression = CutAtFirst(line.Expression, u'=');
    return line.Prefix + expression + u" = " + FCalculator.Calculate(expression);
}

void TCalcHandler::Recalculate() {
    const TEditSel sel = FControl.GetSel();
    const TEditSel para = FControl.ParagraphFromChar(sel.Start);
    const std::u16string above = FControl.TextRange(0, para.Start);
    const auto caretLine = std::count(above.begin(), above.end(), u'\r');
    const int scroll = FControl.ScrollOffset();
    ReloadFunctions();

    const std::u16string text = FControl.GetText();
    std::u16string out;
    out.reserve(text.size() + text.size() / 2);
    int position = 0, caretLineStart = 0;  // in the control's positions: a break counts once
    size_t from = 0;
    for (ptrdiff_t line = 0;; ++line) {
        size_t end = text.find(kCrLf, from);
        if (line == caretLine) caretLineStart = position;
        std::u16string rewritten =
            RecalculatedLine(std::u16string_view(text).substr(from, end - from));
        position += ControlLength(rewritten) + 1;
        out += rewritten;
        if (end == std::u16string::npos) break;
        out += kCrLf;
        from = end + kCrLf.size();
    }
    FControl.SetText(out);
    FControl.SetScrollOffset(scroll);
    FControl.SetSel(caretLineStart + sel.Start - para.Start, sel.Length);
}

}  // namespace qb
