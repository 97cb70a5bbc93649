// Any accelerator file: reading it never fails, every key it binds formats to a text that
// reads back as the same key, and setting one command's key leaves that key in force.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/UknStrUtils.h"
#include "shell/UAccelText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text =
        qb::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    qb::TAccelEntries entries = qb::DefaultAccelEntries();
    qb::ApplyAccelLines(entries, text);
    for (const qb::TAccelBinding& binding : qb::AccelBindings(entries))
        if (qb::ParseAccelKey(qb::FormatAccelKey(binding.Key)) != binding.Key) std::abort();

    const int32_t id = size > 0 ? 1 + data[0] * 200 : 1010;
    const std::u16string key = u"Ctrl+Shift+F5";
    qb::TAccelEntries changed = qb::DefaultAccelEntries();
    qb::ApplyAccelLines(changed, qb::SetAccelLine(text, id, key));
    if (qb::AccelKeyText(changed, id) != key) std::abort();
    return 0;
}
