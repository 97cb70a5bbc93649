// quillbox-cli calc EXPR: the calculator's result with the options' decimals, degree flag and
// user functions. quillbox-cli lookup WORD [--multi|--single]: the meanings from the selected
// dictionaries of the dict/ folder, one line each (the option MultiDict unless told).
// quillbox-cli recalc ID: F9 on a calculator page, the page's text saved and printed.

#include <ostream>

#include "CliCommands.h"
#include "editor/UMemoryEditControl.h"
#include "features/UCalcHandler.h"
#include "features/UCalculator.h"
#include "features/UDictionary.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb::cli {

namespace {

int RunCalc(TCliContext& ctx) {
    RequireArgs(ctx, 1, SIZE_MAX);
    std::u16string expression;
    for (const auto& arg : ctx.Args) {
        if (!expression.empty()) expression += u' ';
        expression += arg;
    }
    TCalculator calc;
    ApplyCalcOptions(calc, OptionManager().Options());
    ctx.Out << Utf8(ReplaceAll(calc.Calculate(expression), u"\r\n", u"\n")) << "\n";
    return 0;
}

int RunLookup(TCliContext& ctx) {
    RequireArgs(ctx, 1, 2);
    const TOptions& options = OptionManager().Options();
    bool multi = options.MultiDict;
    if (ctx.Args.size() == 2) {
        if (ctx.Args[1] != u"--multi" && ctx.Args[1] != u"--single")
            throw TUsageError("unknown switch: " + Utf8(ctx.Args[1]));
        multi = ctx.Args[1] == u"--multi";
    }
    TDictionary dict;
    dict.SetSelected(options.SelDictList);
    dict.SetDebugMode(options.DebugMode);
    std::vector<std::u16string> results;
    dict.Lookup(ctx.Args[0], results, multi);
    for (const auto& line : dict.Trace()) ctx.Err << Utf8(line) << "\n";
    for (const auto& line : results) ctx.Out << Utf8(line) << "\n";
    return 0;
}

int RunRecalc(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    int32_t id = ArgToInt(ctx.Args[0], "ID");
    OpenNotebook();
    TPageSuper* page = GetStore().GetPage(id);
    if (!page || page->PageType() != ptCalc)
        throw TknError(u"The page " + ctx.Args[0] + u" is no calculator page");
    if (page->Status() == psReadOnly || page->Status() == psProtected)
        throw TknError(u"The page " + ctx.Args[0] + u" is protected");
    TMemoryEditControl control;
    control.SetText(page->GetText(-1));
    {
        TCalcHandler calc(control);
        calc.SetPageType(ptCalc);
        calc.Recalculate();
    }
    page->SetText(control.GetText());
    GetStore().SaveIndex();
    ctx.Out << Utf8(ReplaceAll(control.GetText(), u"\r\n", u"\n")) << "\n";
    return 0;
}

}  // namespace

void RegisterCalcCommands(TCliRegistry& registry) {
    registry.Add({"calc", "EXPR", "print the calculator's result of an expression", RunCalc});
    registry.Add({"lookup", "WORD [--multi|--single]",
                  "look a word up in the selected dictionaries of dict/", RunLookup});
    registry.Add(
        {"recalc", "ID", "recalculate a calculator page (F9), save and print it", RunRecalc, caWrite});
}

}  // namespace qb::cli
