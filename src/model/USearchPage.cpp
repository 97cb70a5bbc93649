#include "model/USearchPage.h"

#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr int32_t cmSearch = 1630;
constexpr int32_t evSearchStringChanged = 3087;
constexpr int32_t kSearchBoxCaption = 11700;
constexpr int32_t kPageTypeCaptionBase = 25360;
constexpr int32_t kOperatorCaptionBase = 25970;  // 25970 to 26000, 10 apart

ISearchDialog* gSearchDialog = nullptr;

bool Matches(int32_t op, const std::u16string& field, const std::u16string& value) {
    switch (op) {
        case soEqual:
            return field == value;
        case soNotEqual:
            return field != value;
        case soInclude:
            return field.find(value) != std::u16string::npos;
        case soExclude:
            return field.find(value) == std::u16string::npos;
        default:
            return false;
    }
}

// Only a search of a text page's text for a part of it marks matches in the texts.
bool SetsSearchString(const TSearchCrit& crit) {
    bool textPage = crit.PageType == ptNote || crit.PageType == ptCalc || crit.PageType == ptDict;
    return textPage && crit.FieldId == fiText && crit.Operator == soInclude;
}

TSearchPage* SearchPageOf(const TSysPageHandlerSuper& handler) {
    return dynamic_cast<TSearchPage*>(handler.Page());
}

}  // namespace

// --- TSearchPage ---

void TSearchPage::GetChildIds(TknIntList& ids) {
    ids.Clear();
    if (Crit.Value.empty()) return;
    const std::u16string value = Crit.MatchCase ? Crit.Value : LowerCase(Crit.Value);
    TPageStore& store = GetStore();
    TknIntList candidates(store.RecordCount());
    store.GetIdsOfType(Crit.PageType, candidates);
    for (int i = 0; i < candidates.Count(); ++i) {
        TPageSuper* page = store.GetPage(candidates.Items(i));
        if (!page) continue;
        std::u16string field = page->GetFieldText(Crit.FieldId);
        if (!Crit.MatchCase) field = LowerCase(field);
        if (Matches(Crit.Operator, field, value)) ids.Add(page->Id());
    }
}

// --- TSearchBox ---

TSearchBox::TSearchBox(const TSearchCrit& crit) : Crit(crit) {
    TknIntList types;
    GetStore().GetUsedTypes(types);
    TPageFactory& factory = PageFactory();
    for (int i = 0; i < types.Count(); ++i) {
        auto type = static_cast<uint8_t>(types.Items(i));
        if (factory.IsSearchable(type))
            FPageTypes.push_back({type, LangText(kPageTypeCaptionBase + type)});
    }
    FOperators = OperatorChoices();
    bool offered = false;
    for (const TSearchChoice& choice : FPageTypes) offered |= choice.Value == crit.PageType;
    if (offered)
        SelectPageType(crit.PageType);
    else if (!FPageTypes.empty())
        SelectPageType(static_cast<uint8_t>(FPageTypes.front().Value));
}

std::u16string TSearchBox::Caption() const {
    return LangText(kSearchBoxCaption);
}

void TSearchBox::SelectPageType(uint8_t type) {
    Crit.PageType = type;
    FFields.clear();
    TPageStore& store = GetStore();
    int32_t sampleId = 0;
    TPageSuper* sample = store.FindFirstOfType(type, sampleId) ? store.GetPage(sampleId) : nullptr;
    if (!sample) return;
    FFields = FieldChoices(*sample);
    bool kept = false;
    for (const TSearchChoice& field : FFields) kept |= field.Value == Crit.FieldId;
    if (!kept && !FFields.empty()) Crit.FieldId = FFields.front().Value;
}

std::vector<TSearchChoice> TSearchBox::OperatorChoices() {
    std::vector<TSearchChoice> choices;
    for (int32_t op = soEqual; op <= soExclude; ++op)
        choices.push_back({op, LangText(kOperatorCaptionBase + 10 * op)});
    return choices;
}

std::vector<TSearchChoice> TSearchBox::FieldChoices(TPageSuper& page) {
    TknIntList ids;
    page.GetFieldIds(ids);
    std::vector<TSearchChoice> choices;
    for (int i = 0; i < ids.Count(); ++i) choices.push_back({ids.Items(i), LangText(ids.Items(i))});
    return choices;
}

// --- the dialog and the remembered criteria ---

void SetSearchDialog(ISearchDialog* dialog) {
    gSearchDialog = dialog;
}

TSearchCrit RememberedSearchCrit() {
    const TMemory& memory = MemoryManager();
    TSearchCrit crit;
    if (memory.PageType >= 0 && memory.PageType <= 255)
        crit.PageType = static_cast<uint8_t>(memory.PageType);
    crit.FieldId = memory.Col;
    if (memory.Opr >= soEqual && memory.Opr <= soExclude) crit.Operator = memory.Opr;
    crit.Value = memory.Value;
    int32_t searchId = 0;
    TPageStore& store = GetStore();
    if (store.FindFirstOfType(ptSearch, searchId))
        if (auto* page = dynamic_cast<TSearchPage*>(store.GetPage(searchId)))
            crit.MatchCase = page->Crit.MatchCase;
    return crit;
}

// --- TSearchHandler ---

TSearchHandler::TSearchHandler(int32_t parentId)
    : TSysPageHandlerSuper(parentId, ptSearch, 25880, cmSearch) {}

void TSearchHandler::ExecuteCommand(int32_t id) {
    if (id != cmSearch) return;
    TSearchBox box(RememberedSearchCrit());
    if (gSearchDialog && gSearchDialog->Execute(box)) RunSearch(box.Crit);
}

void TSearchHandler::RunSearch(const TSearchCrit& crit) {
    TMemory& memory = MemoryManager();
    memory.PageType = crit.PageType;
    memory.Col = crit.FieldId;
    memory.Opr = crit.Operator;
    memory.Value = crit.Value;
    if (TSearchPage* page = SearchPageOf(*this)) page->Crit = crit;

    if (SetsSearchString(crit))
        SetSearchString(crit.Value, crit.MatchCase);
    else
        SetSearchString(u"", false);
    EventCenter().EventNotify(evSearchStringChanged);
    OpenPage();
}

}  // namespace qb
