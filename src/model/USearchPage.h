#pragma once

// The search page: its children are the results of the current search. Also the search
// command with the logic of its dialog.

#include <cstdint>
#include <string>
#include <vector>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "model/USysPageHandler.h"

namespace qb {

// Search operators.
inline constexpr int32_t soEqual = 0;
inline constexpr int32_t soNotEqual = 1;
inline constexpr int32_t soInclude = 2;
inline constexpr int32_t soExclude = 3;

struct TSearchCrit {
    uint8_t PageType = ptNote;
    int32_t FieldId = fiText;
    int32_t Operator = soInclude;
    std::u16string Value;
    bool MatchCase = false;
    bool operator==(const TSearchCrit&) const = default;
};

class TSearchPage : public TListPageSuper {
  public:
    using TListPageSuper::TListPageSuper;
    uint8_t PageType() const override { return ptSearch; }
    bool IsSingleton() const override { return true; }
    void DefaultListSettings(TListProperty& listProperty) const override {
        listProperty.SetReportDefaults({fiTitle, fiSearchResult, fiModifyTime}, {100, 150, 80});
    }
    void GetOptionalColumns(TknIntList& ids) override {
        TListPageSuper::GetOptionalColumns(ids);
        AddColumns(ids, {fiSearchResult});
    }
    // The pages of the criteria's type outside the recycle bin whose field matches, in store
    // order; none for an empty value. Computed anew on every call.
    void GetChildIds(TknIntList& ids) override;

    TSearchCrit Crit;
};

// One entry of a choice list of the search dialog.
struct TSearchChoice {
    int32_t Value;
    std::u16string Caption;
    bool operator==(const TSearchChoice&) const = default;
};

// What the search dialog offers and edits. The page types are the searchable types the store
// holds pages of; the fields are those of the chosen type.
class TSearchBox {
  public:
    explicit TSearchBox(const TSearchCrit& crit);

    std::u16string Caption() const;
    const std::vector<TSearchChoice>& PageTypes() const { return FPageTypes; }
    const std::vector<TSearchChoice>& Fields() const { return FFields; }
    const std::vector<TSearchChoice>& Operators() const { return FOperators; }
    // Chooses a type and fills the field list with its fields; the chosen field stays when the
    // type has it, else the first one is chosen.
    void SelectPageType(uint8_t type);

    // The four operators, and the fields of a page, with their captions.
    static std::vector<TSearchChoice> OperatorChoices();
    static std::vector<TSearchChoice> FieldChoices(TPageSuper& page);

    // The criteria as shown; the dialog sets field, operator, value and match case directly.
    TSearchCrit Crit;

  private:
    std::vector<TSearchChoice> FPageTypes;
    std::vector<TSearchChoice> FFields;
    std::vector<TSearchChoice> FOperators;
};

// The search dialog, supplied by the GUI: shows the box and lets the user edit it; true on OK.
class ISearchDialog {
  public:
    virtual ~ISearchDialog() = default;
    virtual bool Execute(TSearchBox& box) = 0;
};
// Not owned; null (the default) makes every search dialog a cancelled one.
void SetSearchDialog(ISearchDialog* dialog);

// The criteria remembered in the memory record, with the search page's match case.
TSearchCrit RememberedSearchCrit();

class TSearchHandler : public TSysPageHandlerSuper {
  public:
    explicit TSearchHandler(int32_t parentId);

    void ExecuteCommand(int32_t id) override;  // 1630 shows the dialog
    // What OK does: remembers the criteria, sets or clears the program-wide search string
    // (event 3087) and opens the search page.
    void RunSearch(const TSearchCrit& crit);
};

}  // namespace qb
