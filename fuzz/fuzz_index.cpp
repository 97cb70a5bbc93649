// Opening arbitrary index files: the store opens them without crash or hang, every lookup
// ends, what it writes back opens to the same notebook, and no save moves a text.

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace {

using namespace qb;

// One folder for the whole run, in memory where possible: every save flushes to disk.
const std::string& Folder() {
    static const std::string folder = [] {
        std::string path = fuzz::MakeRunFolder("index");
        std::filesystem::create_directories(path + "data");
        return path;
    }();
    return folder;
}

// Every record's id and text, read with the lookups that need no page object.
std::vector<std::pair<int32_t, std::u16string>> Texts(TPageStore& store) {
    std::vector<std::pair<int32_t, std::u16string>> texts;
    for (int i = 0; i < store.RecordCount(); ++i) {
        const int32_t id = store.RecordAt(i).Id;
        texts.emplace_back(id, store.ReadText(id, -1));
        store.ReadText(id, 3);
        store.IsInRecycleBin(id);
    }
    TknIntList ids;
    store.GetIdsOfType(ptNote, ids);
    store.GetUsedTypes(ids);
    return texts;
}

// Creates every page object and walks its owners.
void LoadPages(TPageStore& store) {
    for (int i = 0; i < store.RecordCount(); ++i)
        if (TPageSuper* page = store.GetPage(store.RecordAt(i).Id)) store.GetNodePath(page);
    TknIntList ids;
    store.GetIdsOfType(255, ids);
    TPageSuper* found = nullptr;
    store.FindByPath(u"a\\b", found);
}

std::string SaveIndex() {
    GetStore().SaveIndex();
    std::string bytes = ReadFileBytes(FromUtf8(Folder() + "data/quillbox.idx"));
    ReleaseStore();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetProgramFolder(FromUtf8(Folder()));
    const std::string index = Folder() + "data/quillbox.idx";
    static const uint8_t text[] =
        "\xFF\xFE"
        "a\0b\0c\0d\0e\0f\0g\0h\0i\0j\0k\0l\0m\0n\0o\0p\0";
    fuzz::WriteFile(index, data, size);
    fuzz::WriteFile(Folder() + "data/quillbox.dat", text, sizeof text - 1);

    // What the store writes of records it never made pages of opens to the same notebook.
    const auto texts = Texts(GetStore());
    const std::string written = SaveIndex();
    if (Texts(GetStore()) != texts || SaveIndex() != written) std::abort();

    // Page objects of any kind load and save without harm to the texts.
    LoadPages(GetStore());
    SaveIndex();
    if (Texts(GetStore()) != texts) std::abort();
    ReleaseStore();
    return 0;
}
