#pragma once

// The page class tree: every page and every list item is a TPageSuper. A page holds its own few
// fields and an ordered array of property objects; the page store owns the page objects and
// their texts, and pages reach their texts, parents and children only through the store.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknList.h"
#include "foundation/UknListSuper.h"

namespace qb {

class TPropertySuper;
class TClonableProperty;
class TTruePageProperty;
class TListProperty;
class TPageChilds;

// Page type codes: what the index file stores and what the factory creates by.
inline constexpr uint8_t ptGroup = 0;
inline constexpr uint8_t ptNote = 1;
inline constexpr uint8_t ptCalc = 2;
inline constexpr uint8_t ptMemo = 3;
inline constexpr uint8_t ptDict = 4;
inline constexpr uint8_t ptLink = 5;
inline constexpr uint8_t ptContact = 6;
inline constexpr uint8_t ptTemplate = 7;
inline constexpr uint8_t ptFastLink = 8;
inline constexpr uint8_t ptFavorite = 10;
inline constexpr uint8_t ptSearch = 11;
inline constexpr uint8_t ptTag = 12;
inline constexpr uint8_t ptRecycleBin = 13;
inline constexpr uint8_t ptRecentRoot = 14;
inline constexpr uint8_t ptMemoItem = 15;
inline constexpr uint8_t ptLinkItem = 16;
inline constexpr uint8_t ptContactItem = 17;
inline constexpr uint8_t ptTemplateItem = 18;
inline constexpr uint8_t ptRecentCreate = 19;
inline constexpr uint8_t ptRecentModify = 20;
inline constexpr uint8_t ptRecentVisit = 21;
inline constexpr uint8_t ptGroupRoot = 22;
inline constexpr uint8_t ptRoot = 23;
inline constexpr uint8_t ptClip = 25;
inline constexpr uint8_t ptClipItem = 26;
inline constexpr uint8_t ptExternalNote = 27;  // an image key only: a note with external text
inline constexpr int kNoChildType = -1;

// Special ids.
inline constexpr int32_t kRootId = -1;
inline constexpr int32_t kRootOwnerId = -2;
inline constexpr int32_t kNoOwnerId = -10;

// Status values.
inline constexpr uint8_t psNormal = 0;
inline constexpr uint8_t psLocked = 1;
inline constexpr uint8_t psProtected = 2;
inline constexpr uint8_t psReadOnly = 3;

// Which client shows a page.
inline constexpr int ckNone = 0;
inline constexpr int ckEditor = 1;
inline constexpr int ckList = 2;
inline constexpr int ckAbstract = 3;

// Field ids: the string-table id of a field's caption is its key.
inline constexpr int32_t fiName = 25230;
inline constexpr int32_t fiCreateTime = 25790;
inline constexpr int32_t fiModifyTime = 25800;
inline constexpr int32_t fiVisitTime = 25810;
inline constexpr int32_t fiTimeSpan = 25815;
inline constexpr int32_t fiFile = 25820;
inline constexpr int32_t fiRemark = 25830;
inline constexpr int32_t fiTitle = 25840;
inline constexpr int32_t fiAbstract = 25850;
inline constexpr int32_t fiSearchResult = 25855;
inline constexpr int32_t fiExternal = 25860;
inline constexpr int32_t fiNodePath = 25865;
inline constexpr int32_t fiText = 25920;
// Fields of the list items.
inline constexpr int32_t fiMemoTime = 25140;
inline constexpr int32_t fiMemoAction = 25150;
inline constexpr int32_t fiMemoSound = 25160;
inline constexpr int32_t fiMemoSoundFile = 25170;
inline constexpr int32_t fiMemoDescription = 25180;
inline constexpr int32_t fiLink = 25200;
inline constexpr int32_t fiCategory = 25205;
inline constexpr int32_t fiHotKey = 25210;
inline constexpr int32_t fiAbbrev = 25215;
inline constexpr int32_t fiSex = 25240;
inline constexpr int32_t fiMobile = 25250;
inline constexpr int32_t fiEmail = 25260;
inline constexpr int32_t fiIM = 25270;
inline constexpr int32_t fiMSN = 25280;
inline constexpr int32_t fiCompany = 25290;
inline constexpr int32_t fiDepartment = 25300;
inline constexpr int32_t fiAddress = 25310;
inline constexpr int32_t fiZipCode = 25320;
inline constexpr int32_t fiTel = 25330;
inline constexpr int32_t fiFax = 25340;
inline constexpr int32_t fiOthers = 25350;

// The program-wide search string (set by the search, read by the "Search result" field).
void SetSearchString(std::u16string text, bool matchCase);
const std::u16string& SearchString();
bool SearchMatchCase();

class TPageSuper : public TknObject {
  public:
    // Create (slot 3): the factory sets OwnerId right after.
    explicit TPageSuper(int32_t id);
    ~TPageSuper() override;
    TPageSuper(const TPageSuper&) = delete;
    TPageSuper& operator=(const TPageSuper&) = delete;

    // Virtual operations in slot order.
    virtual void SetText(std::u16string_view text);                       // 0
    virtual std::u16string GetText(int maxLen);                           // 1
    virtual void SetStatus(uint8_t status);                               // 2
    virtual void Initialize();                                            // 4
    virtual uint8_t PageType() const = 0;                                 // 5 (class)
    virtual int ClientKind() const = 0;                                   // 6
    virtual int GetImageIndex();                                          // 7
    virtual bool IsSingleton() const;                                     // 8 (class)
    virtual void LoadProperties(TknStrList& entries);                     // 9
    virtual void SaveProperties(TknStrList& entries);                     // 10
    virtual void CopyFrom(TPageSuper& source);                            // 11
    virtual std::u16string GetFieldText(int32_t fieldId);                 // 12
    virtual std::u16string ExportText(bool withType);                     // 13
    virtual std::u16string GetAbstract();                                 // 14
    virtual void ImportText(std::u16string_view text);                    // 15
    virtual bool IsSearchable() const;                                    // 16 (class)
    virtual void GetFieldIds(TknIntList& ids);                            // 17
    virtual void GetChildIds(TknIntList& ids);                            // 18
    virtual bool CanAddChild(int type);                                   // 19
    virtual bool AcceptsChildType(int type);                              // 20
    virtual int ChildItemType() const;                                    // 21 (class)
    virtual bool ShowsChildInTree(int type);                              // 22
    virtual bool IsItemContainer() const;                                 // 23
    virtual bool IsReferenceList() const;                                 // 24
    virtual TPageChilds* Childs();                                        // 25
    virtual TListProperty* ListProperty();                                // 26
    virtual TTruePageProperty* TrueProperty();                            // 27
    virtual void DefaultListSettings(TListProperty& listProperty) const;  // 28 (class)
    virtual bool CanDelete();                                             // 29
    virtual void Delete();                                                // 30

    int32_t Id() const { return FId; }
    int32_t OwnerId() const { return FOwnerId; }
    void SetOwnerId(int32_t ownerId) { FOwnerId = ownerId; }
    const std::u16string& Name() const { return FName; }
    uint8_t Status() const { return FStatus; }
    const std::u16string& IconFile() const { return FIconFile; }
    bool CheckMark() const { return FCheckMark; }
    void SetCheckMark(bool checked) { FCheckMark = checked; }
    const std::vector<TPropertySuper*>& Properties() const { return FProperties; }

    void SetName(std::u16string_view name);
    void SetIconFile(std::u16string_view path);
    void SetParent(const TPageSuper* page);
    TPageSuper* GetParent() const;
    TPageSuper* GetNeighbour() const;
    std::u16string GetFullText() { return GetText(-1); }
    // The page is a list item whose name marks it as a separator line.
    bool IsSeparator() const;

    static constexpr int kMaxNameLength = 200;

  protected:
    void AddProperty(TPropertySuper* property) { FProperties.push_back(property); }
    // The custom icon's index when one is set and loads, else -1.
    int CustomImageIndex() const;
    // The type's base image plus the status overlay.
    int StatusImageIndex(uint8_t imageType) const;
    // Fields of this page and each property, copied as a leaf page copies them.
    void CopyFieldsAndProperties(TPageSuper& source);

  private:
    int32_t FId;
    int32_t FOwnerId = kNoOwnerId;
    std::u16string FName;
    uint8_t FStatus = psNormal;
    std::u16string FIconFile;
    bool FCheckMark = false;
    std::vector<TPropertySuper*> FProperties;
};

// Pages with times, an optional external file and a remark.
class TTruePageSuper : public TPageSuper {
  public:
    explicit TTruePageSuper(int32_t id);
    ~TTruePageSuper() override;

    void SetText(std::u16string_view text) override;
    std::u16string GetText(int maxLen) override;
    std::u16string GetFieldText(int32_t fieldId) override;
    void GetFieldIds(TknIntList& ids) override;
    TTruePageProperty* TrueProperty() override { return FTrueProperty.get(); }

  private:
    bool WriteExternal(std::u16string_view text);
    std::unique_ptr<TTruePageProperty> FTrueProperty;
};

// Pages whose content is one text.
class TEditPageSuper : public TTruePageSuper {
  public:
    using TTruePageSuper::TTruePageSuper;
    int ClientKind() const override { return ckEditor; }
    bool IsSearchable() const override { return true; }
    std::u16string GetFieldText(int32_t fieldId) override;
};

// Pages shown as a list.
class TListPageSuper : public TTruePageSuper {
  public:
    explicit TListPageSuper(int32_t id);
    ~TListPageSuper() override;

    void Initialize() override;
    int ClientKind() const override;
    std::u16string GetFieldText(int32_t fieldId) override;
    std::u16string ExportText(bool withType) override;
    TListProperty* ListProperty() override { return FListProperty.get(); }
    void DefaultListSettings(TListProperty& listProperty) const override;
    virtual void GetOptionalColumns(TknIntList& ids);  // 31

  protected:
    // Appends each id not yet in the list.
    static void AddColumns(TknIntList& ids, std::initializer_list<int32_t> columns);

  protected:
    // The settings every list page class starts from: report view, full-row selection.
    static void SetListDefaults(TListProperty& listProperty, std::vector<int32_t> columns,
                                std::vector<int32_t> widths);

  private:
    std::unique_ptr<TListProperty> FListProperty;
};

// Lists that hold their children's ids.
class TPageContainer : public TListPageSuper {
  public:
    explicit TPageContainer(int32_t id);
    ~TPageContainer() override;

    void SetStatus(uint8_t status) override;
    void CopyFrom(TPageSuper& source) override;
    void GetChildIds(TknIntList& ids) override;
    TPageChilds* Childs() override { return FChilds.get(); }
    bool CanDelete() override;
    void Delete() override;

  private:
    std::unique_ptr<TPageChilds> FChilds;
};

// Containers whose children are list items.
class TChildItemContainer : public TPageContainer {
  public:
    using TPageContainer::TPageContainer;
    bool IsItemContainer() const override { return true; }
    bool IsSearchable() const override { return !IsSingleton(); }
    std::u16string ExportText(bool withType) override;
    void ImportText(std::u16string_view text) override;
};

// List items: their fields live in the item property the concrete class creates.
class TChildItemSuper : public TPageSuper {
  public:
    using TPageSuper::TPageSuper;
    ~TChildItemSuper() override;

    int ClientKind() const override { return ckNone; }
    int GetImageIndex() override;
    std::u16string GetFieldText(int32_t fieldId) override;
    virtual int ItemImageOffset() = 0;  // 31

    TClonableProperty* ItemProperty() const { return FItemProperty.get(); }

  protected:
    // Called once by the concrete item class's constructor.
    void SetItemProperty(std::unique_ptr<TClonableProperty> property);

  private:
    std::u16string AbstractText();
    std::unique_ptr<TClonableProperty> FItemProperty;
};

class TNotePage : public TEditPageSuper {
  public:
    using TEditPageSuper::TEditPageSuper;
    uint8_t PageType() const override { return ptNote; }
    int GetImageIndex() override;
};

class TCalcPage : public TEditPageSuper {
  public:
    using TEditPageSuper::TEditPageSuper;
    uint8_t PageType() const override { return ptCalc; }
};

class TDictPage : public TEditPageSuper {
  public:
    using TEditPageSuper::TEditPageSuper;
    uint8_t PageType() const override { return ptDict; }
};

}  // namespace qb
