#include "editor/EditTestSupport.h"

#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UProgramServices.h"
#include "storage/UPageStore.h"

namespace qb::test {

namespace {
constexpr char16_t Closers[] = u"\x1D\x1E\x1F\x7F";
}

std::u16string FromReadable(std::u16string_view readable) {
    std::u16string out;
    for (size_t i = 0; i < readable.size(); ++i) {
        char16_t c = readable[i];
        if (c == u'{')
            out += u'\x1C';
        else if (c == u'}' && i + 1 < readable.size())
            out += Closers[readable[++i] - u'1'];
        else if (c == u'\n')
            out += u'\r';
        else
            out += c;
    }
    return out;
}

std::u16string ToReadable(std::u16string_view inner) {
    std::u16string out;
    for (char16_t c : inner) {
        if (c == u'\x1C')
            out += u'{';
        else if (c == u'\r')
            out += u'\n';
        else if (auto k = std::u16string_view(Closers).find(c); k != std::u16string_view::npos)
            out += u"}" + std::u16string(1, static_cast<char16_t>(u'1' + k));
        else
            out += c;
    }
    return out;
}

void LoadMarked(IEditControl& control, std::u16string_view marked) {
    std::u16string text;
    int start = 0, end = 0;
    for (char16_t c : FromReadable(marked)) {
        if (c == u'[')
            start = static_cast<int>(text.size());
        else if (c == u']')
            end = static_cast<int>(text.size());
        else if (c == u'|')
            start = end = static_cast<int>(text.size());
        else
            text += c;
    }
    control.SetText(text);
    control.SetSel(start, end - start);
}

std::u16string ShowMarked(const IEditControl& control) {
    std::u16string text = control.TextRange(0, control.TextLength());
    TEditSel sel = control.GetSel();
    if (sel.Length == 0) {
        text.insert(sel.Start, u"|");
    } else {
        text.insert(sel.End(), u"]");
        text.insert(sel.Start, u"[");
    }
    return ToReadable(text);
}

TStoreEditorTest::TStoreEditorTest() {
    ConnectPageEnvironment();
    FGroupRoot = Add(kRootId, ptGroupRoot, u"Notes");
}

TStoreEditorTest::~TStoreEditorTest() {
    ReleaseStore();
    ReleasePageFactoryObjects();
}

int32_t TStoreEditorTest::Add(int32_t parent, uint8_t type, std::u16string_view name) {
    int32_t id = GetStore().NewPage(parent, type);
    GetStore().GetPage(parent)->Childs()->AddChild(id);
    GetStore().GetPage(id)->SetName(name);
    return id;
}

}  // namespace qb::test
