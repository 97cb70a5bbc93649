// quillbox-cli accel [ID KEY]: lists the accelerators the main window uses (the built-in keys
// with "accel.txt" applied), or sets the key of one command in "accel.txt".

#include <ostream>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "shell/UAccelText.h"

namespace qb::cli {

namespace {

// Why an entry's key does not reach the window, empty when it does.
std::string KeyNote(const TAccelEntry& entry, const std::vector<TAccelBinding>& bindings) {
    if (!entry.InTable) return " (left to the editor)";
    std::optional<TAccelKey> key = ParseAccelKey(entry.KeyText);
    if (!key) return entry.KeyText.empty() ? "" : " (not a key)";
    for (const TAccelBinding& binding : bindings)
        if (binding.Key == *key && binding.Id != entry.Id)
            return " (taken by " + std::to_string(binding.Id) + ")";
    return "";
}

int RunAccel(TCliContext& ctx) {
    if (ctx.Args.size() == 1) throw TUsageError("missing arguments");
    RequireArgs(ctx, 0, 2);
    const std::u16string fileName = AccelFileName();
    if (ctx.Args.empty()) {
        TAccelEntries entries = LoadAccelEntries(fileName);
        std::vector<TAccelBinding> bindings = AccelBindings(entries);
        for (const TAccelEntry& e : entries)
            ctx.Out << e.Id << "=" << Utf8(e.KeyText) << KeyNote(e, bindings) << "\n";
        return 0;
    }
    const int32_t id = ArgToInt(ctx.Args[0], "ID");
    if (id < 1 || id > 0xFFFF) throw TUsageError("ID must lie between 1 and 65535");
    const std::u16string& keyText = ctx.Args[1];
    // An empty key takes a built-in key away.
    if (!keyText.empty() && !ParseAccelKey(keyText)) throw TknError(u"Not a key: " + keyText);
    WriteAccelFile(fileName, SetAccelLine(ReadAccelFile(fileName), id, keyText));
    return 0;
}

}  // namespace

void RegisterAccelCommands(TCliRegistry& registry) {
    registry.Add({"accel", "[ID KEY]",
                  "list the window's accelerators, or set the key of a command in accel.txt",
                  RunAccel, caWrite, 2});
}

}  // namespace qb::cli
