// Any text, any user functions: Calculate must answer with a result or an error text, never
// crash, hang or run out of memory. The first byte picks the settings; every line but the last
// is a function definition, the last line is the expression.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "features/UCalculator.h"
#include "foundation/UknStrUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t settings = data[0];
    qb::TCalculator calc(settings & 0x80 ? u',' : u'.');
    calc.SetDegree(settings & 0x40);
    calc.SetDecimals(static_cast<int>(settings & 0x3F) - 21);  // -21..42
    std::u16string text =
        qb::FromUtf8(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    std::u16string_view rest = text;
    for (size_t nl = rest.find(u'\n'); nl != std::u16string_view::npos; nl = rest.find(u'\n')) {
        calc.AddFunction(rest.substr(0, nl));
        rest.remove_prefix(nl + 1);
    }
    calc.Calculate(rest);
    return 0;
}
