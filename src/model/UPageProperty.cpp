#include "model/UPageProperty.h"

#include <unicode/locid.h>

#include <algorithm>
#include <typeinfo>
#include <unordered_set>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

bool IsSimplifiedChineseSystem() {
    const icu::Locale& locale = icu::Locale::getDefault();
    std::string_view country = locale.getCountry();
    return std::string_view(locale.getLanguage()) == "zh" &&
           (std::string_view(locale.getScript()) == "Hans" || country == "CN" || country == "SG");
}

bool SameDate(const TSystemTime& a, const TSystemTime& b) {
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day;
}

// A child-list entry: ids separated by ",". Pieces that are not whole 32-bit numbers are
// dropped instead of read as 0, which would name the group root, and an id is kept once.
void ParseIds(std::u16string_view text, TknIntList& ids) {
    std::vector<int32_t> parsed;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u',', start);
        if (end == std::u16string_view::npos) end = text.size();
        constexpr int64_t kBad = INT64_MIN;  // a blank piece too
        const int64_t id = StrToIntDef(text.substr(start, end - start), kBad);
        if (id >= INT32_MIN && id <= INT32_MAX) parsed.push_back(static_cast<int32_t>(id));
        start = end + 1;
    }
    // A list without repeats (the usual one) is checked by sorting a copy, not by hashing.
    std::vector<int32_t> sorted(parsed);
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        std::unordered_set<int32_t> seen;
        std::erase_if(parsed, [&seen](int32_t id) { return !seen.insert(id).second; });
    }
    ids.Populate(parsed);
}

}  // namespace

std::u16string TakeEntry(TknStrList& list) {
    std::u16string value = list.Items(0);
    list.Delete(0);
    return value;
}

void AddIntEntry(TknStrList& list, int64_t value) {
    list.Add(IntToStr(value));
}
void AddBoolEntry(TknStrList& list, bool value) {
    list.Add(BoolToStr(value));
}
int64_t TakeIntEntry(TknStrList& list) {
    return StrToIntDef(TakeEntry(list), 0);
}
bool TakeBoolEntry(TknStrList& list) {
    return StrToBool(TakeEntry(list));
}

uint8_t TakeByteEntry(TknStrList& list, uint8_t max) {
    int64_t value = TakeIntEntry(list);
    return (value >= 0 && value <= max) ? static_cast<uint8_t>(value) : 0;
}

std::u16string FlagText(bool flag) {
    if (!flag) return {};
    return IsSimplifiedChineseSystem() ? u"\u221A" : u"Y";
}

bool TPropertySuper::GetFieldText(int32_t, std::u16string&) const {
    return false;
}

void TClonableProperty::CopyFrom(const TPropertySuper& other) {
    // Entries of another property class would be misread.
    if (typeid(other) != typeid(*this)) return;
    TknStrList entries(25);
    other.Save(entries);
    Load(entries);
}

// --- TTruePageProperty ---

void TTruePageProperty::Load(TknStrList& list) {
    CreateTime = ParseDateTime(TakeEntry(list), true);
    ModifyTime = ParseDateTime(TakeEntry(list), true);
    VisitTime = ParseDateTime(TakeEntry(list), true);
    External = TakeBoolEntry(list);
    ExternalFile = TakeEntry(list);
    Remark = DecodeFromStorage(TakeEntry(list));
}

void TTruePageProperty::Save(TknStrList& list) const {
    list.Add(FormatDateTime(CreateTime, 3));
    list.Add(FormatDateTime(ModifyTime, 3));
    list.Add(FormatDateTime(VisitTime, 3));
    AddBoolEntry(list, External);
    list.Add(ExternalFile);
    list.Add(EncodeForStorage(Remark));
}

void TTruePageProperty::CopyFrom(const TPropertySuper& other) {
    if (auto* source = dynamic_cast<const TTruePageProperty*>(&other)) Remark = source->Remark;
}

void TTruePageProperty::Initialize() {
    CreateTime = ModifyTime = VisitTime = LocalNow();
}

bool TTruePageProperty::GetFieldText(int32_t fieldId, std::u16string& text) const {
    switch (fieldId) {
        case fiCreateTime:
            text = FormatLocal(CreateTime, 0);
            return true;
        case fiModifyTime:
            text = FormatLocal(ModifyTime, 0);
            return true;
        case fiVisitTime:
            text = FormatLocal(VisitTime, 0);
            return true;
        case fiTimeSpan:
            text = SameDate(CreateTime, ModifyTime)
                       ? FormatLocal(ModifyTime, 0)
                       : FormatLocal(CreateTime, 1) + u" .. " + FormatLocal(ModifyTime, 1);
            return true;
        case fiFile:
            text = ExternalFile;
            return true;
        case fiRemark:
            text = Remark;
            return true;
        case fiExternal:
            text = FlagText(External);
            return true;
        default:
            return false;
    }
}

const std::vector<int32_t>& TTruePageProperty::FieldIds() {
    static const std::vector<int32_t> ids{fiCreateTime, fiModifyTime, fiVisitTime,
                                          fiExternal,   fiFile,       fiRemark};
    return ids;
}

void TTruePageProperty::SetExternal(bool flag, std::u16string_view file) {
    std::u16string relative = MakeRelative(file, ProgramFolder());
    bool real = flag != External || (flag && relative != ExternalFile);
    TPageSuper* page = GetStore().GetPage(PageId);
    std::u16string text;
    if (real && page) {
        text = page->GetFullText();
        if (!External) page->SetText(u"");
    }
    External = flag;
    ExternalFile = relative;
    if (real && page) page->SetText(text);
    PageCenter().Notify(pePageChanged, PageId);
}

std::u16string TTruePageProperty::GetExternalPath() const {
    return NativePath(MakeAbsolute(ExternalFile, ProgramFolder()));
}

// --- TListProperty ---

TListProperty::TListProperty(int32_t pageId) : TClonableProperty(pageId) {
    Columns.Separator = u",";
    Widths.Separator = u",";
}

void TListProperty::Load(TknStrList& list) {
    Columns.SetText(TakeEntry(list));
    Widths.SetText(TakeEntry(list));
    while (Widths.Count() < Columns.Count()) Widths.Add(kDefaultWidth);
    ShowCheckBoxes = TakeBoolEntry(list);
    ViewStyle = TakeByteEntry(list, vsAbstract);
    FullRowSelect = TakeBoolEntry(list);
    ShowGrids = TakeBoolEntry(list);
}

void TListProperty::Save(TknStrList& list) const {
    list.Add(Columns.GetText());
    list.Add(Widths.GetText());
    AddBoolEntry(list, ShowCheckBoxes);
    AddIntEntry(list, ViewStyle);
    AddBoolEntry(list, FullRowSelect);
    AddBoolEntry(list, ShowGrids);
}

void TListProperty::SetReportDefaults(std::initializer_list<int32_t> columns,
                                      std::initializer_list<int32_t> widths) {
    ViewStyle = vsReport;
    FullRowSelect = true;
    ShowGrids = false;
    ShowCheckBoxes = false;
    Columns.Populate(columns);
    Widths.Populate(widths);
}

// --- TPageChilds ---

TPageChilds::TPageChilds(int32_t pageId) : TPropertySuper(pageId) {
    FIds.Separator = u",";
}

void TPageChilds::Load(TknStrList& list) {
    ParseIds(TakeEntry(list), FIds);
    TPageStore& store = GetStore();
    for (int i = FIds.Count() - 1; i >= 0; --i) {
        if (store.PageExists(FIds.Items(i))) continue;
        store.NoteProblem(u"page " + IntToStr(PageId) + u": its child " + IntToStr(FIds.Items(i)) +
                          u" does not exist");
        FIds.Delete(i);
    }
}

void TPageChilds::Save(TknStrList& list) const {
    list.Add(FIds.GetText());
}

void TPageChilds::AddChild(int32_t id, int32_t beforeId) {
    if (FIds.ItemExists(id)) return;
    int at = beforeId < 0 ? -1 : FIds.IndexOf(beforeId);
    if (at < 0)
        FIds.Add(id);
    else
        FIds.Insert(at, id);
    PageCenter().Notify(peChildAdded, PageId, id);
}

void TPageChilds::InsertChild(int32_t id, int index) {
    if (FIds.ItemExists(id)) return;
    if (FIds.PosValid(index))
        FIds.Insert(index, id);
    else
        FIds.Add(id);
    PageCenter().Notify(peChildAdded, PageId, id);
}

void TPageChilds::RemoveChild(int32_t id) {
    if (!FIds.ItemExists(id)) return;
    PageCenter().Notify(peChildRemoved, PageId, id);
    FIds.DeleteValue(id);
}

void TPageChilds::RemoveChildAt(int index) {
    if (!FIds.PosValid(index)) return;
    RemoveChild(FIds.Items(index));
}

void TPageChilds::GetChildIds(TknIntList& ids) {
    ids.Clear();
    TPageStore& store = GetStore();
    for (int i = 0; i < FIds.Count();) {
        int32_t id = FIds.Items(i);
        if (id == PageId || !store.PageExists(id)) {
            FIds.Delete(i);
            continue;
        }
        ids.Add(id);
        ++i;
    }
}

bool TPageChilds::CanDeleteChild(int32_t id) {
    TPageSuper* child = GetStore().GetPage(id);
    if (!child || child->OwnerId() != PageId) return true;
    return child->CanDelete();
}

bool TPageChilds::AllChildrenDeletable() {
    for (int i = 0; i < FIds.Count(); ++i)
        if (!CanDeleteChild(FIds.Items(i))) return false;
    return true;
}

void TPageChilds::DeleteAll() {
    TPageStore& store = GetStore();
    while (!FIds.IsEmpty()) {
        int32_t id = FIds.Items(FIds.High());
        RemoveChild(id);
        TPageSuper* child = store.GetPage(id);
        if (child && child->OwnerId() == PageId && !child->IsSingleton()) child->Delete();
    }
}

std::u16string TPageChilds::NewChildName(int pageType) {
    std::u16string base;
    PageNameManager().GetName(pageType, base);
    std::vector<std::u16string> names;
    TPageStore& store = GetStore();
    for (int i = 0; i < FIds.Count(); ++i)
        if (TPageSuper* child = store.GetPage(FIds.Items(i))) names.push_back(child->Name());
    // n children can block at most n numbers, so the search ends by Count + 1.
    for (int64_t n = 1;; ++n) {
        std::u16string name = base + IntToStr(n);
        if (std::find(names.begin(), names.end(), name) == names.end()) return name;
    }
}

bool TPageChilds::HasTreeChildren() {
    TPageStore& store = GetStore();
    TPageSuper* container = store.GetPage(PageId);
    if (!container) return false;
    for (int i = 0; i < FIds.Count(); ++i) {
        TPageSuper* child = store.GetPage(FIds.Items(i));
        if (child && container->ShowsChildInTree(child->PageType())) return true;
    }
    return false;
}

}  // namespace qb
