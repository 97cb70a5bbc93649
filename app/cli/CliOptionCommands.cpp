// quillbox-cli option SECTION KEY [VALUE]: reads one option or remembered value of
// quillbox.ini (its default when the file lacks it), or sets it and saves through its manager.

#include <ostream>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"

namespace qb::cli {

namespace {

bool IsMemoryKey(const std::u16string& section, const std::u16string& key) {
    return FindIniKey(TMemoryManager::Keys(), section, key) != nullptr;
}

int RunOption(TCliContext& ctx) {
    RequireArgs(ctx, 2, 3);
    const std::u16string& section = ctx.Args[0];
    const std::u16string& key = ctx.Args[1];
    bool memory = IsMemoryKey(section, key);
    if (ctx.Args.size() == 2) {
        auto value = memory ? MemoryManager().ValueText(section, key)
                            : OptionManager().ValueText(section, key);
        if (!value) throw TknError(u"Unknown option: " + section + u" " + key);
        ctx.Out << Utf8(*value) << "\n";
        return 0;
    }
    if (memory) {
        MemoryManager().SetValueText(section, key, ctx.Args[2]);
        MemoryManager().Save();
    } else {
        OptionManager().SetValueText(section, key, ctx.Args[2]);
        OptionManager().Save();
    }
    return 0;
}

}  // namespace

void RegisterOptionCommands(TCliRegistry& registry) {
    registry.Add({"option", "SECTION KEY [VALUE]",
                  "print an option of quillbox.ini (or its default), or set it and save",
                  RunOption, caWrite, 3});
}

}  // namespace qb::cli
