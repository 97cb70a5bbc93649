#include "model/UPageSuper.h"

#include <set>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

std::u16string gSearchString;
bool gSearchMatchCase = false;

const std::u16string kCrLf = u"\r\n";

// Marks the pages a recursive operation is working on, so that a child list that leads back
// to one of them (a loop in a damaged file) ends the recursion instead of repeating it.
class TWalkGuard {
  public:
    TWalkGuard(std::set<int32_t>& active, int32_t id)
        : FActive(active), FId(id), FEntered(active.insert(id).second) {}
    ~TWalkGuard() {
        if (FEntered) FActive.erase(FId);
    }
    TWalkGuard(const TWalkGuard&) = delete;
    TWalkGuard& operator=(const TWalkGuard&) = delete;
    bool Entered() const { return FEntered; }

  private:
    std::set<int32_t>& FActive;
    int32_t FId;
    bool FEntered;
};

std::set<int32_t> gStatusWalk, gDeletableWalk, gDeleteWalk, gExportWalk, gCopyTargets,
    gCopySources;

void AddUnique(TknIntList& ids, int32_t id) {
    if (!ids.ItemExists(id)) ids.Add(id);
}

// Reads an external text file; false when it is missing or unreadable.
bool ReadExternal(const std::u16string& path, int maxLen, std::u16string& text) {
    if (!FileExists(path)) return false;
    try {
        TknTextFile file(path, fmRead);
        if (maxLen == 0) {
            text.clear();
            return true;
        }
        text = file.ReadText(maxLen < 0 ? -1 : int64_t(maxLen) + 1);
        if (maxLen > 0 && text.size() > size_t(maxLen)) text = text.substr(0, maxLen) + u" ...";
        return true;
    } catch (const TknError&) {
        return false;
    }
}

// The encoding to write a text in: the wanted one, unless it is the code page and the text
// does not survive it, which would lose characters; then UTF-8.
TEncoding EncodingFor(TEncoding wanted, std::u16string_view text) {
    if (wanted == enAnsi && AnsiToUnicode(UnicodeToAnsi(text)) != text) return enUTF8;
    return wanted == enUnknown ? enUTF16LE : wanted;
}

TEncoding ExportEncoding() {
    const auto& source = PageEnvironment().ExportEncoding;
    return source ? source() : enUTF16LE;
}

std::u16string SeparatorLine() {
    const auto& source = PageEnvironment().SepLine;
    return ExpandPattern(source ? source() : u"%n%s(12)%n");
}

std::u16string JoinEntries(TknStrList& entries, std::u16string_view separator) {
    entries.Separator = std::u16string(separator);
    return entries.GetText();
}

}  // namespace

void SetSearchString(std::u16string text, bool matchCase) {
    gSearchString = std::move(text);
    gSearchMatchCase = matchCase;
}
const std::u16string& SearchString() {
    return gSearchString;
}
bool SearchMatchCase() {
    return gSearchMatchCase;
}

// --- TPageSuper ---

TPageSuper::TPageSuper(int32_t id) : FId(id) {}

TPageSuper::~TPageSuper() {
    if (PageCenterExists()) PageCenter().ForgetPage(this);
}

void TPageSuper::SetText(std::u16string_view text) {
    if (GetStore().SaveText(FId, text))
        if (TTruePageProperty* property = TrueProperty()) property->ModifyTime = LocalNow();
}

std::u16string TPageSuper::GetText(int maxLen) {
    return GetStore().ReadText(FId, maxLen);
}

void TPageSuper::SetStatus(uint8_t status) {
    if (status == FStatus || status > psReadOnly) return;
    FStatus = status;
    PageCenter().Notify(peStatusChanged, FId);
}

void TPageSuper::Initialize() {
    if (TPageSuper* parent = GetParent()) {
        if (TPageChilds* childs = parent->Childs()) {
            FName = childs->NewChildName(PageType());
        } else {
            std::u16string base;
            PageNameManager().GetName(PageType(), base);
            FName = base + u"1";
        }
    }
    FStatus = psNormal;
    FIconFile.clear();
    FCheckMark = false;
    for (TPropertySuper* property : FProperties) property->Initialize();
}

int TPageSuper::GetImageIndex() {
    int custom = CustomImageIndex();
    return custom >= 0 ? custom : StatusImageIndex(PageType());
}

bool TPageSuper::IsSingleton() const {
    return false;
}

void TPageSuper::LoadProperties(TknStrList& entries) {
    FName = TakeEntry(entries);
    FStatus = TakeByteEntry(entries, psReadOnly);
    FIconFile = TakeEntry(entries);
    FCheckMark = TakeBoolEntry(entries);
    for (TPropertySuper* property : FProperties) property->Load(entries);
}

void TPageSuper::SaveProperties(TknStrList& entries) {
    entries.Clear();
    entries.Add(FName);
    AddIntEntry(entries, FStatus);
    entries.Add(FIconFile);
    AddBoolEntry(entries, FCheckMark);
    for (TPropertySuper* property : FProperties) property->Save(entries);
}

void TPageSuper::CopyFrom(TPageSuper& source) {
    CopyFieldsAndProperties(source);
    SetText(source.GetFullText());
}

void TPageSuper::CopyFieldsAndProperties(TPageSuper& source) {
    FName = source.FName;
    FStatus = source.FStatus;
    FIconFile = source.FIconFile;
    FCheckMark = source.FCheckMark;
    const auto& from = source.FProperties;
    for (size_t i = 0; i < FProperties.size() && i < from.size(); ++i)
        FProperties[i]->CopyFrom(*from[i]);
}

std::u16string TPageSuper::GetFieldText(int32_t fieldId) {
    switch (fieldId) {
        case fiTitle:
            return FName;
        case fiAbstract:
        case fiSearchResult:
            return GetText(200);
        case fiNodePath:
            return GetStore().GetNodePath(this);
        case fiText:
            return GetFullText();
        default:
            return {};
    }
}

std::u16string TPageSuper::ExportText(bool withType) {
    std::u16string text = GetFullText();
    return withType ? IntToStr(PageType()) + kCrLf + text : text;
}

std::u16string TPageSuper::GetAbstract() {
    return GetText(200);
}

void TPageSuper::ImportText(std::u16string_view text) {
    SetText(text);
}

bool TPageSuper::IsSearchable() const {
    return false;
}

void TPageSuper::GetFieldIds(TknIntList& ids) {
    AddUnique(ids, fiTitle);
}

void TPageSuper::GetChildIds(TknIntList& ids) {
    ids.Clear();
}

bool TPageSuper::CanAddChild(int type) {
    return AcceptsChildType(type);
}

bool TPageSuper::AcceptsChildType(int type) {
    return type == ChildItemType();
}

int TPageSuper::ChildItemType() const {
    return kNoChildType;
}

bool TPageSuper::ShowsChildInTree(int) {
    return false;
}

bool TPageSuper::IsItemContainer() const {
    return false;
}

bool TPageSuper::IsReferenceList() const {
    return false;
}

TPageChilds* TPageSuper::Childs() {
    return nullptr;
}

TListProperty* TPageSuper::ListProperty() {
    return nullptr;
}

TTruePageProperty* TPageSuper::TrueProperty() {
    return nullptr;
}

void TPageSuper::DefaultListSettings(TListProperty&) const {}

bool TPageSuper::CanDelete() {
    return FStatus == psNormal;
}

void TPageSuper::Delete() {
    GetStore().DeletePage(FId);
}  // frees this object

void TPageSuper::SetName(std::u16string_view name) {
    // A lone LF (a script's argument, a file name) would break every line that lists names;
    // it becomes two spaces like the line breaks the display escape takes.
    std::u16string clean =
        CutAt(ReplaceAll(EncodeForDisplay(name), u"\n", u"  "), kMaxNameLength);
    if (clean == FName) return;
    FName = std::move(clean);
    PageCenter().Notify(pePageChanged, FId);
}

void TPageSuper::SetIconFile(std::u16string_view path) {
    std::u16string relative = MakeRelative(path, ProgramFolder());
    if (relative == FIconFile) return;
    FIconFile = std::move(relative);
    PageCenter().Notify(peIconChanged, FId);
}

void TPageSuper::SetParent(const TPageSuper* page) {
    FOwnerId = page ? page->Id() : kNoOwnerId;
}

TPageSuper* TPageSuper::GetParent() const {
    return GetStore().GetPage(FOwnerId);
}

TPageSuper* TPageSuper::GetNeighbour() const {
    TPageSuper* parent = GetParent();
    if (!parent || !parent->Childs()) return parent;
    TknIntList ids;
    parent->Childs()->GetChildIds(ids);
    int at = ids.IndexOf(FId);
    if (at < 0) return parent;
    if (at < ids.High()) return GetStore().GetPage(ids.Items(at + 1));
    if (at > 0) return GetStore().GetPage(ids.Items(at - 1));
    return parent;
}

bool TPageSuper::IsSeparator() const {
    return FName.starts_with(u"---");
}

int TPageSuper::CustomImageIndex() const {
    if (FIconFile.empty()) return -1;
    return PageImageList().AddIconFile(NativePath(MakeAbsolute(FIconFile, ProgramFolder())));
}

int TPageSuper::StatusImageIndex(uint8_t imageType) const {
    int base = PageImageList().GetBaseIndex(imageType);
    return base < 0 ? -1 : base + FStatus;
}

// --- TTruePageSuper ---

TTruePageSuper::TTruePageSuper(int32_t id)
    : TPageSuper(id), FTrueProperty(std::make_unique<TTruePageProperty>(id)) {
    AddProperty(FTrueProperty.get());
}

TTruePageSuper::~TTruePageSuper() = default;

void TTruePageSuper::SetText(std::u16string_view text) {
    if (FTrueProperty->UsesExternalFile() && WriteExternal(text)) return;
    TPageSuper::SetText(text);
}

std::u16string TTruePageSuper::GetText(int maxLen) {
    std::u16string text;
    if (FTrueProperty->UsesExternalFile() &&
        ReadExternal(FTrueProperty->GetExternalPath(), maxLen, text))
        return text;
    return TPageSuper::GetText(maxLen);
}

bool TTruePageSuper::WriteExternal(std::u16string_view text) {
    std::u16string path = FTrueProperty->GetExternalPath();
    try {
        TEncoding encoding = ExportEncoding();
        bool marker = false;
        if (FileExists(path)) {
            TknTextFile old(path, fmRead);
            if (old.ReadText(-1) == text) return true;
            encoding = old.Encoding();
            marker = old.HasMarker();
        }
        TknTextFile file(path, fmWriteAtomic, EncodingFor(encoding, text), marker);
        file.Write(text);
        file.Commit();
    } catch (const TknError&) {
        return false;
    }
    FTrueProperty->ModifyTime = LocalNow();
    return true;
}

std::u16string TTruePageSuper::GetFieldText(int32_t fieldId) {
    std::u16string text;
    if (FTrueProperty->GetFieldText(fieldId, text)) return text;
    return TPageSuper::GetFieldText(fieldId);
}

void TTruePageSuper::GetFieldIds(TknIntList& ids) {
    TPageSuper::GetFieldIds(ids);
    AddUnique(ids, fiText);
    for (int32_t id : TTruePageProperty::FieldIds()) AddUnique(ids, id);
}

// --- TEditPageSuper ---

std::u16string TEditPageSuper::GetFieldText(int32_t fieldId) {
    const std::u16string& search = SearchString();
    if (fieldId != fiSearchResult || search.empty()) return TTruePageSuper::GetFieldText(fieldId);
    std::u16string text = GetFullText();
    int at = SearchMatchCase() ? Pos(search, text) : Pos(LowerCase(search), LowerCase(text));
    if (at == 0) return TTruePageSuper::GetFieldText(fieldId);
    int from = at > 10 ? at - 10 : 1;
    return EncodeForDisplay(CutAt(std::u16string_view(text).substr(from - 1), 200));
}

// --- TNotePage ---

int TNotePage::GetImageIndex() {
    bool iconExists =
        !IconFile().empty() && FileExists(NativePath(MakeAbsolute(IconFile(), ProgramFolder())));
    if (TrueProperty()->External && !iconExists) return StatusImageIndex(ptExternalNote);
    return TEditPageSuper::GetImageIndex();
}

// --- TListPageSuper ---

TListPageSuper::TListPageSuper(int32_t id)
    : TTruePageSuper(id), FListProperty(std::make_unique<TListProperty>(id)) {
    AddProperty(FListProperty.get());
}

TListPageSuper::~TListPageSuper() = default;

void TListPageSuper::Initialize() {
    TTruePageSuper::Initialize();
    ListPageDefSettings().LoadDefault(PageType(), *FListProperty);
}

int TListPageSuper::ClientKind() const {
    return FListProperty->ViewStyle == vsAbstract ? ckAbstract : ckList;
}

std::u16string TListPageSuper::GetFieldText(int32_t fieldId) {
    switch (fieldId) {
        case fiAbstract:
        case fiSearchResult:
            return GetAbstract();
        case fiText:
            return ExportText(false);
        default:
            return TTruePageSuper::GetFieldText(fieldId);
    }
}

std::u16string TListPageSuper::ExportText(bool withType) {
    if (withType) return IntToStr(PageType()) + kCrLf;
    TWalkGuard guard(gExportWalk, Id());
    if (!guard.Entered()) return {};
    TknIntList ids;
    GetChildIds(ids);
    std::vector<TPageSuper*> children;
    for (int i = 0; i < ids.Count(); ++i)
        if (TPageSuper* child = GetStore().GetPage(ids.Items(i))) children.push_back(child);
    std::u16string contents;
    for (size_t i = 0; i < children.size(); ++i)
        contents += (i ? kCrLf : u"") + children[i]->Name();
    std::u16string separator = kCrLf + SeparatorLine() + kCrLf;
    std::u16string text = contents;
    for (TPageSuper* child : children) text += separator + child->ExportText(false);
    return text;
}

void TListPageSuper::DefaultListSettings(TListProperty& listProperty) const {
    listProperty.SetReportDefaults({fiTitle, fiAbstract, fiModifyTime}, {120, 240, 100});
}

void TListPageSuper::GetOptionalColumns(TknIntList& ids) {
    AddColumns(ids, {fiTitle, fiCreateTime, fiModifyTime, fiVisitTime, fiAbstract, fiNodePath});
    for (int32_t id : TTruePageProperty::FieldIds()) AddUnique(ids, id);
}

void TListPageSuper::AddColumns(TknIntList& ids, std::initializer_list<int32_t> columns) {
    for (int32_t id : columns) AddUnique(ids, id);
}

// --- TPageContainer ---

TPageContainer::TPageContainer(int32_t id)
    : TListPageSuper(id), FChilds(std::make_unique<TPageChilds>(id)) {
    AddProperty(FChilds.get());
}

TPageContainer::~TPageContainer() = default;

void TPageContainer::SetStatus(uint8_t status) {
    if (status > psReadOnly) return;
    TWalkGuard guard(gStatusWalk, Id());
    if (!guard.Entered()) return;
    TPageSuper::SetStatus(status);
    TknIntList ids;
    FChilds->GetChildIds(ids);
    for (int i = 0; i < ids.Count(); ++i) {
        TPageSuper* child = GetStore().GetPage(ids.Items(i));
        if (child && child->OwnerId() == Id()) child->SetStatus(status);
    }
}

void TPageContainer::CopyFrom(TPageSuper& source) {
    TWalkGuard target(gCopyTargets, Id());
    // Pages of a damaged notebook that own each other would be copied without end.
    TWalkGuard copying(gCopySources, source.Id());
    if (!copying.Entered()) throw TknError(u"The pages to copy own each other in a loop.");
    TPageSuper::CopyFrom(source);
    TPageChilds* from = source.Childs();
    if (!from) return;
    TPageStore& store = GetStore();
    TknIntList ids;
    from->GetChildIds(ids);
    for (int i = 0; i < ids.Count(); ++i) {
        int32_t id = ids.Items(i);
        TPageSuper* child = store.GetPage(id);
        // A page this copy is filling: the source holds the copy (copying into itself).
        if (!child || gCopyTargets.contains(id)) continue;
        if (child->OwnerId() != source.Id()) {
            FChilds->AddChild(id);  // a reference stays a reference
            continue;
        }
        if (child->IsSingleton()) continue;  // there can be only one
        int32_t newId = store.NewPage(Id(), child->PageType());
        if (TPageSuper* copy = store.GetPage(newId)) copy->CopyFrom(*child);
        FChilds->AddChild(newId);
    }
}

void TPageContainer::GetChildIds(TknIntList& ids) {
    FChilds->GetChildIds(ids);
}

bool TPageContainer::CanDelete() {
    TWalkGuard guard(gDeletableWalk, Id());
    if (!guard.Entered()) return true;  // the outer test of this page decides
    return TListPageSuper::CanDelete() && FChilds->AllChildrenDeletable();
}

void TPageContainer::Delete() {
    TWalkGuard guard(gDeleteWalk, Id());
    if (!guard.Entered()) return;  // being deleted further up: that call finishes it
    FChilds->DeleteAll();
    TListPageSuper::Delete();
}

// --- TChildItemContainer ---

std::u16string TChildItemContainer::ExportText(bool withType) {
    TknIntList ids;
    GetChildIds(ids);
    TPageStore& store = GetStore();
    std::u16string text;
    if (withType) {
        text = IntToStr(PageType());
        TknStrList entries(25);
        for (int i = 0; i < ids.Count(); ++i) {
            if (TPageSuper* item = store.GetPage(ids.Items(i))) {
                item->SaveProperties(entries);
                text += kCrLf + JoinEntries(entries, u"\t");
            }
        }
        return text;
    }
    const TknIntList& columns = ListProperty()->Columns;
    for (int c = 0; c < columns.Count(); ++c)
        text += (c ? u"\t" : u"") + PageText(columns.Items(c));
    for (int i = 0; i < ids.Count(); ++i) {
        TPageSuper* item = store.GetPage(ids.Items(i));
        if (!item) continue;
        text += kCrLf;
        for (int c = 0; c < columns.Count(); ++c)
            text += (c ? u"\t" : u"") + item->GetFieldText(columns.Items(c));
    }
    return text;
}

void TChildItemContainer::ImportText(std::u16string_view text) {
    TknStrList lines(100);
    lines.SetText(text);
    TknStrList entries(25);
    entries.Separator = u"\t";
    TPageStore& store = GetStore();
    for (int i = 0; i < lines.Count(); ++i) {
        if (lines.Items(i).empty()) continue;
        int32_t id = store.NewPage(Id(), static_cast<uint8_t>(ChildItemType()));
        TPageSuper* item = store.GetPage(id);
        if (!item) continue;
        entries.SetText(lines.Items(i));
        item->LoadProperties(entries);
        Childs()->AddChild(id);
    }
}

// --- TChildItemSuper ---

TChildItemSuper::~TChildItemSuper() = default;

void TChildItemSuper::SetItemProperty(std::unique_ptr<TClonableProperty> property) {
    FItemProperty = std::move(property);
    AddProperty(FItemProperty.get());
}

int TChildItemSuper::GetImageIndex() {
    if (IsSeparator()) return -1;
    int custom = CustomImageIndex();
    if (custom >= 0) return custom;
    int base = PageImageList().GetBaseIndex(PageType());
    return base < 0 ? -1 : base + ItemImageOffset();
}

std::u16string TChildItemSuper::GetFieldText(int32_t fieldId) {
    if (IsSeparator()) return Name();
    if (fieldId == fiAbstract) return AbstractText();
    std::u16string text;
    if (FItemProperty && FItemProperty->GetFieldText(fieldId, text)) return text;
    if (fieldId == fiName) return Name();
    return TPageSuper::GetFieldText(fieldId);
}

std::u16string TChildItemSuper::AbstractText() {
    TPageSuper* parent = GetParent();
    TListProperty* list = parent ? parent->ListProperty() : nullptr;
    if (!list) return {};
    std::u16string text;
    for (int i = 0; i < list->Columns.Count(); ++i) {
        int32_t column = list->Columns.Items(i);
        // The abstract itself as a column would ask for itself without end.
        if (column == fiTitle || column == fiName || column == fiAbstract) continue;
        if (!text.empty()) text += kCrLf;
        text += PageText(column) + u": " + GetFieldText(column);
    }
    return text;
}

}  // namespace qb
