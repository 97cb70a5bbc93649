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

// The texts of a large notebook are scanned in runs of a fixed length without early exits,
// which the compiler turns into vector steps.
constexpr size_t kRun = 64;

bool IsAscii(std::u16string_view text) {
    char16_t bits = 0;
    size_t i = 0;
    for (; i + kRun <= text.size() && bits < 0x80; i += kRun)
        for (size_t j = 0; j < kRun; ++j) bits |= text[i + j];
    for (; i < text.size(); ++i) bits |= text[i];
    return bits < 0x80;
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool AsciiFoldedEqual(std::u16string_view text, std::u16string_view lowered) {
    if (text.size() != lowered.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (AsciiLower(text[i]) != lowered[i]) return false;
    return true;
}

// An ASCII letter is found in either case by setting the bit that tells the cases apart.
bool AsciiFoldedContains(std::u16string_view text, std::u16string_view lowered) {
    if (lowered.size() > text.size()) return false;
    const char16_t first = lowered[0];
    const char16_t fold = first >= u'a' && first <= u'z' ? 0x20 : 0;
    const std::u16string_view rest = lowered.substr(1);
    const size_t last = text.size() - lowered.size();  // the last place a match can start
    auto matchesAt = [&](size_t i) {
        return (text[i] | fold) == first && AsciiFoldedEqual(text.substr(i + 1, rest.size()), rest);
    };
    size_t i = 0;
    for (; i + kRun <= last + 1; i += kRun) {
        bool seen = false;
        for (size_t j = 0; j < kRun; ++j) seen |= (text[i + j] | fold) == first;
        if (!seen) continue;
        for (size_t j = 0; j < kRun; ++j)
            if (matchesAt(i + j)) return true;
    }
    for (; i <= last; ++i)
        if (matchesAt(i)) return true;
    return false;
}

// A search criterion applied to field texts. Without match case both sides are compared in
// lower case; a text of plain ASCII is folded on the fly, only other texts are lowered whole.
class TFieldMatcher {
  public:
    explicit TFieldMatcher(const TSearchCrit& crit)
        : FOperator(crit.Operator),
          FMatchCase(crit.MatchCase),
          FValue(crit.MatchCase ? crit.Value : LowerCase(crit.Value)),
          FValueAscii(IsAscii(FValue)) {}

    bool Matches(std::u16string_view field) const {
        const bool whole = FOperator == soEqual || FOperator == soNotEqual;
        bool hit;
        if (FMatchCase)
            hit = whole ? field == FValue : field.find(FValue) != std::u16string_view::npos;
        else if (IsAscii(field))  // lowered, it stays ASCII
            hit = FValueAscii && (whole ? AsciiFoldedEqual(field, FValue)
                                        : AsciiFoldedContains(field, FValue));
        else
            hit = whole ? LowerCase(field) == FValue
                        : LowerCase(field).find(FValue) != std::u16string::npos;
        switch (FOperator) {
            case soEqual:
            case soInclude:
                return hit;
            case soNotEqual:
            case soExclude:
                return !hit;
            default:
                return false;
        }
    }

  private:
    int32_t FOperator;
    bool FMatchCase;
    std::u16string FValue;
    bool FValueAscii;
};

bool IsTextPage(uint8_t type) {
    return type == ptNote || type == ptCalc || type == ptDict;
}

// A text page's text that lives in the data file: always when the page is not loaded and has
// text there (an external text leaves none), else when its property says it is not external.
bool HasStoredText(const TPageRecord& record) {
    if (!IsTextPage(record.PageType)) return false;
    if (!record.Page) return record.TextLength > 0;
    const TTruePageProperty* property = record.Page->TrueProperty();
    return property && !property->UsesExternalFile();
}

// Only a search of a text page's text for a part of it marks matches in the texts.
bool SetsSearchString(const TSearchCrit& crit) {
    return IsTextPage(crit.PageType) && crit.FieldId == fiText && crit.Operator == soInclude;
}

TSearchPage* SearchPageOf(const TSysPageHandlerSuper& handler) {
    return dynamic_cast<TSearchPage*>(handler.Page());
}

}  // namespace

// --- TSearchPage ---

// Titles are read from the records and stored texts in one pass over the data file, so that
// a search of a large notebook loads only the pages it must.
void TSearchPage::GetChildIds(TknIntList& ids) {
    ids.Clear();
    if (Crit.Value.empty()) return;
    const TFieldMatcher matcher(Crit);
    TPageStore& store = GetStore();
    std::vector<int32_t> candidates;
    store.GetIdsOfType(Crit.PageType, candidates);
    std::vector<char> hits(candidates.size(), 0);
    std::vector<int32_t> stored;
    std::vector<size_t> storedAt;  // each stored text's index among the candidates
    for (size_t i = 0; i < candidates.size(); ++i) {
        const TPageRecord& record = *store.FindRecord(candidates[i]);
        // (A record without class has no page, and so no title.)
        if (Crit.FieldId == fiTitle && (record.Page || PageFactory().GetClass(record.PageType))) {
            hits[i] = matcher.Matches(store.NameOf(record));
        } else if (Crit.FieldId == fiText && HasStoredText(record)) {
            stored.push_back(record.Id);
            storedAt.push_back(i);
        } else if (TPageSuper* page = store.GetPage(record.Id)) {
            hits[i] = matcher.Matches(page->GetFieldText(Crit.FieldId));
        }
    }
    store.ScanTexts(stored, [&](size_t k, std::u16string_view text) {
        hits[storedAt[k]] = matcher.Matches(text);
    });
    for (size_t i = 0; i < candidates.size(); ++i)
        if (hits[i]) ids.Add(candidates[i]);
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
