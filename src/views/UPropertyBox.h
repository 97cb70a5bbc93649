#pragma once

// What the property box shows and stores, without its window: the general fields of a page,
// the list settings of a list page with the columns its items offer, the default settings of
// a page type, and Apply to all.

#include <cstdint>
#include <string>
#include <vector>

namespace qb {

class TPageSuper;
class TListProperty;

struct TGeneralFields {
    std::u16string Name;
    uint8_t Status = 0;
    std::u16string CreateTime, ModifyTime, VisitTime;  // read-only
    std::u16string NodePath;                           // read-only
    std::u16string TypeName;                           // read-only: "NotePage", "MemoPage", ...
    std::u16string IconFile;                           // absolute
    bool operator==(const TGeneralFields&) const = default;
};
TGeneralFields LoadGeneralFields(TPageSuper& page);
// The name (when not empty), the status and the icon.
void SaveGeneralFields(const TGeneralFields& fields, TPageSuper& page);

// A column the page's items offer, shown or not; a newly shown one is 100 wide.
struct TColumnChoice {
    int32_t FieldId = 0;
    std::u16string Caption;
    bool Shown = false;
    int32_t Width = 100;
    bool operator==(const TColumnChoice&) const = default;
};
struct TListSettings {
    uint8_t ViewStyle = 3;
    bool FullRowSelect = true;
    bool ShowCheckBoxes = false;
    bool ShowGrids = false;
    // The shown columns first, in their order; then the others the page offers.
    std::vector<TColumnChoice> Columns;
    bool operator==(const TListSettings&) const = default;
};
TListSettings LoadListSettings(TPageSuper& page, const TListProperty& list);
// The shown columns in their order with their widths; hidden ones are forgotten.
void StoreListSettings(const TListSettings& settings, TListProperty& list);
// Load Default: the stored default of the page's type shown over the page's columns.
TListSettings DefaultListSettings(TPageSuper& page);
// Save Default.
void SaveDefaultListSettings(uint8_t pageType, const TListSettings& settings);
// Apply to all: the settings stored into every page of the type; the number of pages.
int ApplyListSettingsToAll(uint8_t pageType, const TListSettings& settings);

}  // namespace qb
