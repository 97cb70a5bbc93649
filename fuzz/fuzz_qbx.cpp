// Importing arbitrary ".qbx" files: no crash or hang, a refused file creates nothing, and a
// page that was imported exports to a file that imports to the same page again (type, text,
// items and their names).

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/UIOHandler.h"
#include "storage/UPageStore.h"

namespace {

using namespace qb;

const std::string& Folder() {
    static const std::string folder = [] {
        std::string path = fuzz::MakeRunFolder("qbx");
        SetProgramFolder(FromUtf8(path));
        return path;
    }();
    return folder;
}

TPageSuper* FreshGroupRoot() {
    ReleaseStore();
    std::filesystem::remove_all(Folder() + "data");
    TPageStore& store = GetStore();
    const int32_t id = store.NewPage(kRootId, ptGroupRoot);
    store.GetRoot()->Childs()->AddChild(id);
    return store.GetPage(id);
}

// The page the import added to the target, or the single-instance list it filled.
TPageSuper* Imported(TPageSuper* target, int before, int records) {
    TPageChilds* childs = target->Childs();
    if (childs->Count() > before) return GetStore().GetPage(childs->ChildAt(childs->Count() - 1));
    if (GetStore().RecordCount() == records) return nullptr;
    for (uint8_t type : {ptTemplate, ptFastLink, ptClip}) {
        int32_t id = 0;
        if (GetStore().FindFirstOfType(type, id)) return GetStore().GetPage(id);
    }
    std::abort();  // records appeared, but no page holds them
}

// What the format itself carries: the type, a text page's text verbatim, and the items in
// order with their names. (Item fields are the item classes' own and may normalise a damaged
// value over more than one load.)
std::u16string Summary(TPageSuper* page) {
    std::u16string text = IntToStr(page->PageType()) + u"|";
    if (!page->IsItemContainer()) return text + page->GetFullText();
    TknIntList ids;
    page->GetChildIds(ids);
    for (int i = 0; i < ids.Count(); ++i)
        if (TPageSuper* item = GetStore().GetPage(ids.Items(i))) text += item->Name() + u"\n";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string in = Folder() + "in.qbx", out = Folder() + "out.qbx";
    fuzz::WriteFile(in, data, size);
    TPageSuper* root = FreshGroupRoot();
    TIOHandler io;
    const int records = GetStore().RecordCount();
    if (!io.ImportPath(root, FromUtf8(in), false, false)) std::abort();
    TPageSuper* page = Imported(root, 0, records);
    if (!page) {
        if (GetStore().RecordCount() != records) std::abort();
        return 0;
    }
    const std::u16string first = Summary(page);
    io.ExportToFile(page, FromUtf8(out));
    root = FreshGroupRoot();
    if (!io.ImportPath(root, FromUtf8(out), false, false)) std::abort();
    TPageSuper* again = Imported(root, 0, GetStore().RecordCount() - 1);
    if (!again || Summary(again) != first) std::abort();
    return 0;
}
