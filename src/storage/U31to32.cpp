#include "storage/U31to32.h"

#include <algorithm>
#include <memory>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/U30to31.h"
#include "storage/UStoreFiles.h"

namespace qb {

namespace {

struct TOldPage {
    std::vector<std::u16string> Fields;
    int32_t Id;
    int32_t Parent;
    int64_t Position;
    uint8_t Type;
};

struct TListFile {
    std::u16string_view Name;
    uint8_t ListType;
    uint8_t ItemType;
    bool UnderGroupRoot;
};

constexpr TListFile kListFiles[] = {
    {u"Memo.txt", ptMemo, ptMemoItem, true},
    {u"Contact.txt", ptContact, ptContactItem, true},
    {u"Link.txt", ptLink, ptLinkItem, true},
    {u"Template.txt", ptTemplate, ptTemplateItem, false},
};

class TIndexBuilder {
  public:
    explicit TIndexBuilder(const TDataFolders& folders)
        : FFolders(folders), FNow(FormatDateTime(LocalNow(), 3)) {}

    void Build(const std::vector<std::u16string>& oldLines);
    const std::u16string& Text() const { return FText; }
    const std::vector<std::u16string>& MovedFiles() const { return FMoved; }

  private:
    std::vector<int32_t> ChildrenOf(int32_t parent) const;
    void AddListFile(const TListFile& list, int32_t& nextId, std::vector<int32_t>& groupRootKids,
                     std::vector<int32_t>& rootKids, std::vector<std::u16string>& lines);
    std::u16string PageLine(std::vector<std::u16string> head, uint8_t type,
                            const std::vector<int32_t>& children) const;
    void AddLine(const std::u16string& line) { FText += u"\r\n" + line; }

    const TDataFolders& FFolders;
    const std::u16string FNow;
    std::vector<TOldPage> FPages;
    std::u16string FText;
    std::vector<std::u16string> FMoved;
};

std::u16string FieldAt(const std::vector<std::u16string>& fields, size_t i) {
    return i < fields.size() ? fields[i] : std::u16string();
}

std::u16string JoinIds(const std::vector<int32_t>& ids) {
    std::u16string text;
    for (size_t i = 0; i < ids.size(); ++i) text += (i ? u"," : u"") + IntToStr(ids[i]);
    return text;
}

// A type that is now a single-instance class (or no class at all) would clash with the
// system pages: the page becomes a note and keeps its text.
uint8_t ConvertedType(int64_t type) {
    if (type < 0 || type > 255) return ptNote;
    auto code = static_cast<uint8_t>(type);
    if (!PageFactory().GetClass(code) || PageFactory().IsSingleton(code)) return ptNote;
    return code;
}

std::vector<int32_t> TIndexBuilder::ChildrenOf(int32_t parent) const {
    std::vector<const TOldPage*> kids;
    for (const TOldPage& page : FPages)
        if (page.Parent == parent && page.Id != parent) kids.push_back(&page);
    std::stable_sort(kids.begin(), kids.end(), [](const TOldPage* a, const TOldPage* b) {
        return a->Position < b->Position;
    });
    std::vector<int32_t> ids;
    for (const TOldPage* page : kids) ids.push_back(page->Id);
    return ids;
}

// head: id, owner, type, text length, name, status and what the old line kept after them.
std::u16string TIndexBuilder::PageLine(std::vector<std::u16string> head, uint8_t type,
                                       const std::vector<int32_t>& children) const {
    head.insert(head.end(), {u"", u"0", FNow, FNow, FNow, u"0", u"", u""});
    std::unique_ptr<TPageSuper> page(PageFactory().CreatePage(type, 0, kNoOwnerId));
    if (page && page->ListProperty()) {
        TListProperty settings(0);
        ListPageDefSettings().LoadDefault(type, settings);
        TknStrList entries(6);
        settings.Save(entries);
        for (int i = 0; i < entries.Count(); ++i) head.push_back(entries.Items(i));
    }
    if (page && page->Childs()) head.push_back(JoinIds(children));
    return JoinFields(head);
}

void TIndexBuilder::AddListFile(const TListFile& list, int32_t& nextId,
                                std::vector<int32_t>& groupRootKids, std::vector<int32_t>& rootKids,
                                std::vector<std::u16string>& lines) {
    const std::u16string path = FFolders.Data + std::u16string(list.Name);
    if (!FileExists(path)) return;
    FMoved.emplace_back(list.Name);
    std::vector<std::u16string> items = ReadOldLines(path);
    if (items.size() < 2) return;
    const int32_t listId = nextId++;
    std::vector<int32_t> itemIds;
    std::vector<std::u16string> itemLines;
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].empty()) continue;
        itemIds.push_back(nextId);
        itemLines.push_back(IntToStr(nextId++) + u"\t" + IntToStr(listId) + u"\t" +
                            IntToStr(list.ItemType) + u"\t0\t" + items[i]);
    }
    std::u16string name;
    PageNameManager().GetName(list.ListType, name);
    const int32_t owner = list.UnderGroupRoot ? 0 : kRootId;
    lines.push_back(
        PageLine({IntToStr(listId), IntToStr(owner), IntToStr(list.ListType), u"0", name, u"0"},
                 list.ListType, itemIds));
    lines.insert(lines.end(), itemLines.begin(), itemLines.end());
    (list.UnderGroupRoot ? groupRootKids : rootKids).push_back(listId);
}

void TIndexBuilder::Build(const std::vector<std::u16string>& oldLines) {
    for (const std::u16string& line : oldLines) {
        std::vector<std::u16string> fields = SplitFields(line);
        if (fields.size() < 4) continue;
        int64_t id = StrToIntDef(fields[0], -1);
        if (id < 1 || id > INT32_MAX) continue;  // -1 and 0 are the root and the group root now
        TOldPage page{{},
                      static_cast<int32_t>(id),
                      static_cast<int32_t>(StrToIntDef(fields[1], 0)),
                      StrToIntDef(fields[2], 0),
                      ConvertedType(StrToIntDef(fields[3], 1))};
        page.Fields = std::move(fields);
        FPages.push_back(std::move(page));
    }
    int32_t nextId = 1;
    for (const TOldPage& page : FPages) nextId = std::max(nextId, page.Id + 1);

    std::vector<int32_t> groupRootKids = ChildrenOf(0), rootKids{0};
    std::vector<std::u16string> lines;
    for (const TOldPage& page : FPages) {
        const auto& f = page.Fields;
        std::vector<std::u16string> head{f[0],          f[1],          IntToStr(page.Type),
                                         FieldAt(f, 6), FieldAt(f, 4), FieldAt(f, 5)};
        if (f.size() > 9) head.insert(head.end(), f.begin() + 9, f.end());
        lines.push_back(
            PageLine(std::move(head), page.Type,
                     page.Type == ptGroup ? ChildrenOf(page.Id) : std::vector<int32_t>()));
    }
    for (const TListFile& list : kListFiles)
        AddListFile(list, nextId, groupRootKids, rootKids, lines);

    FText = std::u16string(kIndexVersion32a) + u"\r\n";
    AddLine(PageLine({u"-1", u"-2", IntToStr(ptRoot), u"0", u"", u"0"}, ptRoot, rootKids));
    AddLine(PageLine({u"0", u"-1", IntToStr(ptGroupRoot), u"0", u"", u"0"}, ptGroupRoot,
                     groupRootKids));
    for (const std::u16string& line : lines) AddLine(line);
}

}  // namespace

void Convert31to32(const TDataFolders& folders) {
    if (IniVersion(folders) != kIniVersion31a) return;
    TIndexBuilder builder(folders);
    builder.Build(ReadOldLines(folders.Data + u"quillbox.idx"));
    TStoreFiles files(folders.Data);
    TknTextFile data(files.DataPath(), fmRead, enUTF16LE);
    files.WriteIndex(builder.Text(), data.HasMarker());
    WriteIniValue(folders, u"Program", u"Version", kIniVersionUpgraded);
    WriteIniValue(folders, u"Option", u"ToolButtons", u"");
    for (const std::u16string& file : builder.MovedFiles()) MoveToOldData(folders, file);
    MoveToOldData(folders, u"clipboard.txt");
}

}  // namespace qb
