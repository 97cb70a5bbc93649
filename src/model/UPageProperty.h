#pragma once

// Property objects carry a page's persistent data as an ordered run of string entries. The page
// store keeps a page's whole run as the rest of its index line, so the order and the number of
// entries each class consumes are part of the file format.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknList.h"

namespace qb {

class TPropertySuper {
  public:
    explicit TPropertySuper(int32_t pageId) : PageId(pageId) {}  // Create
    virtual ~TPropertySuper() = default;
    TPropertySuper(const TPropertySuper&) = delete;
    TPropertySuper& operator=(const TPropertySuper&) = delete;

    // Reads its own entries from the front of the list and removes them; missing entries read
    // as empty.
    virtual void Load(TknStrList& list) = 0;
    virtual void Save(TknStrList& list) const = 0;  // appends its entries
    virtual void CopyFrom(const TPropertySuper& other) = 0;
    virtual void Initialize() {}
    virtual bool GetFieldText(int32_t fieldId, std::u16string& text) const;

    int32_t PageId;
};

// Copies itself through its own Save and Load, so a descendant whose Load and Save agree is
// copied correctly.
class TClonableProperty : public TPropertySuper {
  public:
    using TPropertySuper::TPropertySuper;
    void CopyFrom(const TPropertySuper& other) override;
};

class TTruePageProperty : public TPropertySuper {
  public:
    using TPropertySuper::TPropertySuper;

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    void CopyFrom(const TPropertySuper& other) override;  // the remark only
    void Initialize() override;
    bool GetFieldText(int32_t fieldId, std::u16string& text) const override;

    // Moves the page's text between the store and an external file.
    void SetExternal(bool flag, std::u16string_view file);
    std::u16string GetExternalPath() const;
    // External with a path: the page's text lives in that file.
    bool UsesExternalFile() const { return External && !ExternalFile.empty(); }
    // The fields this property answers for lists and searches, in their column order.
    static const std::vector<int32_t>& FieldIds();

    TSystemTime CreateTime;
    TSystemTime ModifyTime;
    TSystemTime VisitTime;
    bool External = false;
    std::u16string ExternalFile;
    std::u16string Remark;
};

// View styles of a list.
inline constexpr uint8_t vsBigIcon = 0;
inline constexpr uint8_t vsSmallIcon = 1;
inline constexpr uint8_t vsList = 2;
inline constexpr uint8_t vsReport = 3;
inline constexpr uint8_t vsAbstract = 4;

class TListProperty : public TClonableProperty {
  public:
    explicit TListProperty(int32_t pageId);

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    // The settings every list page class starts from: report view with full-row selection, no
    // grid lines, no check boxes, and the given columns.
    void SetReportDefaults(std::initializer_list<int32_t> columns,
                           std::initializer_list<int32_t> widths);

    uint8_t ViewStyle = vsReport;
    bool FullRowSelect = true;
    bool ShowGrids = false;
    bool ShowCheckBoxes = false;
    TknIntList Columns;
    TknIntList Widths;

    static constexpr int32_t kDefaultWidth = 100;
};

class TPageChilds : public TPropertySuper {
  public:
    explicit TPageChilds(int32_t pageId);

    void Load(TknStrList& list) override;
    void Save(TknStrList& list) const override;
    void CopyFrom(const TPropertySuper&) override {}  // containers copy their children

    void AddChild(int32_t id, int32_t beforeId = -1);
    void InsertChild(int32_t id, int index);
    void RemoveChild(int32_t id);
    void RemoveChildAt(int index);
    int IndexOf(int32_t id) const { return FIds.IndexOf(id); }
    int Count() const { return FIds.Count(); }
    bool IsEmpty() const { return FIds.IsEmpty(); }
    int32_t ChildAt(int index) const { return FIds.Items(index); }

    // The listed ids in order; ids of pages the store no longer holds, and the container's own
    // id, are dropped from the list on the way.
    void GetChildIds(TknIntList& ids);
    bool CanDeleteChild(int32_t id);
    bool AllChildrenDeletable();
    void DeleteAll();
    std::u16string NewChildName(int pageType);
    bool HasTreeChildren();

    const TknIntList& Ids() const { return FIds; }

  private:
    TknIntList FIds;
};

// The entry helpers every property uses: numbers in decimal, booleans "1"/"0".
std::u16string TakeEntry(TknStrList& list);  // the first entry, removed; empty when none
void AddIntEntry(TknStrList& list, int64_t value);
void AddBoolEntry(TknStrList& list, bool value);
int64_t TakeIntEntry(TknStrList& list);
bool TakeBoolEntry(TknStrList& list);
// A byte value; anything outside 0..max reads as 0.
uint8_t TakeByteEntry(TknStrList& list, uint8_t max);

// "Y" when the flag is on ("√" on a Simplified Chinese system), empty when off.
std::u16string FlagText(bool flag);

}  // namespace qb
