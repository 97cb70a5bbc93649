// Arbitrary bytes as the property part of an index line: the first byte picks a page type, the
// rest is UTF-16 LE text cut at TAB into entries. Every page that is not a container (those
// ask the store about their children) must load any entries without failing, and what it saves
// must load back to the same entries.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "foundation/UknList.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

std::u16string SavedText(qb::TPageSuper& page) {
    qb::TknStrList entries(25);
    page.SaveProperties(entries);
    entries.Separator = u"\t";
    return entries.GetText();
}

void LoadText(qb::TPageSuper& page, const std::u16string& text) {
    qb::TknStrList entries(25);
    entries.Separator = u"\t";
    entries.SetText(text);
    page.LoadProperties(entries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint8_t type = data[0];
    std::u16string text;
    for (size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    qb::TPageFactory& factory = qb::PageFactory();
    std::unique_ptr<qb::TPageSuper> page(factory.CreatePage(type, 1, 0));
    if (!page || page->Childs()) return 0;
    LoadText(*page, text);
    std::u16string saved = SavedText(*page);
    std::unique_ptr<qb::TPageSuper> again(factory.CreatePage(type, 1, 0));
    LoadText(*again, saved);
    Check(SavedText(*again) == saved);
    return 0;
}
