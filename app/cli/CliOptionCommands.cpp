// quillbox-cli option SECTION KEY [VALUE]: reads one option or remembered value of
// quillbox.ini (its default when the file lacks it), or sets it and saves through its manager.

#include <optional>
#include <ostream>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknIniFile.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"

namespace qb::cli {

namespace {

bool IsMemoryKey(const std::u16string& section, const std::u16string& key) {
    return FindIniKey(TMemoryManager::Keys(), section, key) != nullptr;
}

// The ini layer drops a write that failed, as the profile functions do; the command reads the
// value back from the file, so that success is reported only when it is there.
void RequireInFile(const std::u16string& section, const std::u16string& key,
                   const std::u16string& value) {
    TknIniFile ini(ProgramFolder() + u"quillbox.ini");
    ini.Section = section;
    if (ini.ReadString(key, u"\x01") != value) throw TknError(u"File Write Error!");
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
    std::optional<std::u16string> value;
    if (memory) {
        MemoryManager().SetValueText(section, key, ctx.Args[2]);
        MemoryManager().Save();
        value = MemoryManager().ValueText(section, key);
    } else {
        OptionManager().SetValueText(section, key, ctx.Args[2]);
        OptionManager().Save();
        value = OptionManager().ValueText(section, key);
    }
    RequireInFile(section, key, value.value_or(u""));
    return 0;
}

}  // namespace

void RegisterOptionCommands(TCliRegistry& registry) {
    registry.Add({"option", "SECTION KEY [VALUE]",
                  "print an option of quillbox.ini (or its default), or set it and save",
                  RunOption, caWrite, 3});
}

}  // namespace qb::cli
