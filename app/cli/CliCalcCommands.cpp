// quillbox-cli calc EXPR: the calculator's result with the options' decimals, degree flag and
// user functions. quillbox-cli lookup WORD [--multi|--single]: the meanings from the selected
// dictionaries of the dict/ folder, one line each (the option MultiDict unless told).

#include <ostream>

#include "CliCommands.h"
#include "features/UCalcHandler.h"
#include "features/UCalculator.h"
#include "features/UDictionary.h"
#include "foundation/UknStrUtils.h"
#include "shell/UOptionManager.h"

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

}  // namespace

void RegisterCalcCommands(TCliRegistry& registry) {
    registry.Add({"calc", "EXPR", "print the calculator's result of an expression", RunCalc});
    registry.Add({"lookup", "WORD [--multi|--single]",
                  "look a word up in the selected dictionaries of dict/", RunLookup});
}

}  // namespace qb::cli
