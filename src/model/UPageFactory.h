#pragma once

// The single objects that tie the page classes to the rest of the program: the factory that
// creates pages by type code, the page image bookkeeping, the default names, the default list
// settings kept in the ini file, and the page center that announces page events and holds the
// active page.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknFile.h"
#include "foundation/UknList.h"
#include "foundation/UknListSuper.h"

namespace qb {

class TPageSuper;
class TListProperty;

// What the page model asks of the program around it. The shell points these at the language
// center and the options; until then texts are empty and the options keep their defaults.
struct TPageEnvironment {
    std::function<std::u16string(int32_t stringId)> Text;
    std::function<TEncoding()> ExportEncoding;                  // option ExportEncode
    std::function<std::u16string()> SepLine;                    // option SepLine, not yet expanded
    std::function<std::u16string(uint16_t hotKey)> HotKeyText;  // a hotkey word as key text
};
TPageEnvironment& PageEnvironment();
std::u16string PageText(int32_t stringId);   // interface text of a string-table id
std::u16string HotKeyText(uint16_t hotKey);  // empty for no hotkey

class TPageFactory {
  public:
    using TCreateFunc = TPageSuper* (*)(int32_t id);

    TPageFactory();  // registers every page class
    ~TPageFactory();

    void RegisterClass(TCreateFunc create);
    // The registered class of a type (an object that answers the class-level operations), or
    // nullptr.
    const TPageSuper* GetClass(int type) const;
    // A new page object of the type, or nullptr for a type no class has.
    TPageSuper* CreatePage(uint8_t pageType, int32_t id, int32_t ownerId) const;
    void GetPageTypes(TknIntList& types) const;  // ascending
    bool IsSingleton(uint8_t type) const;
    bool IsSearchable(uint8_t type) const;

  private:
    struct TPageClass {
        TCreateFunc Create;
        std::unique_ptr<TPageSuper> Prototype;
    };
    const TPageClass* ClassOf(int type) const;

    std::vector<TPageClass> FClasses;
    // Each type's place in FClasses (-1: none), so that a lookup costs no walk: the store and
    // the lists ask for every page they pass.
    std::array<int16_t, 256> FIndexOfType;
};

template <class T>
TPageSuper* NewPageOf(int32_t id) {
    return new T(id);
}

TPageFactory& PageFactory();

// How an image is drawn when it is added: plain, with the overlay of a status, or grey.
inline constexpr int ivPlain = 0;
inline constexpr int ivGrey = 4;

// The toolkit's three page image lists (small, large and state images). Each add goes to all
// three, so one index is valid in each.
class IPageImageSink {
  public:
    virtual ~IPageImageSink() = default;
    // An overlay image: added as an image and registered as overlay 1, 2 or 3.
    virtual void AddOverlay(int32_t iconId, int overlay) = 0;
    // An icon resource drawn plain, with overlay 1..3, or grey (ivGrey).
    virtual void AddIcon(int32_t iconId, int variant) = 0;
    // The icon of a file: the file itself as an icon, else the icon of the folder or of the file
    // type. False when there is none (nothing was added).
    virtual bool AddFileIcon(const std::u16string& fileName) = 0;
};

// Installs the image lists the page image list draws into; takes effect at its next creation.
void SetPageImageSink(std::unique_ptr<IPageImageSink> sink);

class TPageImageList {
  public:
    explicit TPageImageList(IPageImageSink& sink);  // registers the icons of every page type

    // Four images: plain, then overlaid for Locked, Protected and ReadOnly.
    void RegisterType(int type, int32_t iconId);
    void RegisterItemType(int type, std::initializer_list<int32_t> iconIds, bool withGrey);
    int GetBaseIndex(int type) const;  // -1 for an unregistered type
    int AddIconFile(std::u16string_view fileName);
    int Count() const { return FCount; }

  private:
    int Add();

    IPageImageSink& FSink;
    std::map<int, int> FTypeIndex;             // page type or image key -> first image
    std::map<std::u16string, int> FFileIndex;  // icon file name -> image
    int FCount = 0;
};

TPageImageList& PageImageList();

class TPageNameManager {
  public:
    TPageNameManager();  // registers the default names
    void Register(uint8_t type, int32_t stringId);
    // The type's base name in the current language; text unchanged when the type has none.
    void GetName(int type, std::u16string& text) const;

  private:
    std::vector<uint8_t> FTypes;
    std::vector<int32_t> FStringIds;
};

TPageNameManager& PageNameManager();

class TListPageDefSettingsManager {
  public:
    void LoadDefault(uint8_t type, TListProperty& listProperty);
    void SaveDefault(uint8_t type, const TListProperty& listProperty);

  private:
    std::map<uint8_t, std::u16string> FCache;  // page type -> the settings joined by ";"
};

TListPageDefSettingsManager& ListPageDefSettings();

// Page events.
inline constexpr uint8_t peRenameRequested = 0;
inline constexpr uint8_t pePageChanged = 1;
inline constexpr uint8_t peStatusChanged = 2;
inline constexpr uint8_t pePageViewChanged = 3;
inline constexpr uint8_t peIconChanged = 4;
inline constexpr uint8_t peClientKindChanged = 6;
inline constexpr uint8_t pePageActivated = 7;
inline constexpr uint8_t pePageDeactivated = 8;
inline constexpr uint8_t peChildAdded = 9;
inline constexpr uint8_t peChildRemoved = 10;
inline constexpr uint8_t pePageSelected = 12;
inline constexpr uint8_t pePageUnselected = 13;

class IPageObserver : public IInterface {
  public:
    virtual void PageEvent(uint8_t event, int32_t pageId, int32_t argument) = 0;
};

class TPageCenter {
  public:
    void AddObserver(IPageObserver* observer);
    void RemoveObserver(IPageObserver* observer);
    // Calls every observer in registration order; one removed during the broadcast is skipped.
    void Notify(uint8_t event, int32_t pageId, int32_t argument = -1);
    void SetActivePage(TPageSuper* page);
    TPageSuper* ActivePage() const { return FActivePage; }
    // A page object going away stops being the active page (no events).
    void ForgetPage(const TPageSuper* page);

  private:
    TknInterfaceList FObservers{100};
    TPageSuper* FActivePage = nullptr;
};

TPageCenter& PageCenter();
bool PageCenterExists();

// Frees the five objects in the program's fixed order: factory, default settings, image list,
// name manager, page center. Each is created again on its next use.
void ReleasePageFactoryObjects();

}  // namespace qb
