#include "model/UPageFactory.h"

#include <algorithm>

#include "features/UClipPage.h"
#include "features/UContactPage.h"
#include "features/ULinkPage.h"
#include "features/UMemoPage.h"
#include "features/UTemplatePage.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"
#include "model/UFavoritePage.h"
#include "model/UGroupPage.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "model/URecentPage.h"
#include "model/URecycleBin.h"
#include "model/USearchPage.h"
#include "model/UTagPage.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

// Without the toolkit nothing is drawn; a file gives an icon when it exists.
class TNullImageSink : public IPageImageSink {
  public:
    void AddOverlay(int32_t, int) override {}
    void AddIcon(int32_t, int) override {}
    bool AddFileIcon(const std::u16string& fileName) override {
        return FileExists(fileName) || DirectoryExists(fileName);
    }
};

// Declared first, so that at process exit (objects not released by then go in the reverse order
// of these lines) it outlives the factory's prototype pages, whose destructors tell it.
std::unique_ptr<TPageCenter> gPageCenter;
std::unique_ptr<TPageFactory> gFactory;
std::unique_ptr<TListPageDefSettingsManager> gDefSettings;
std::unique_ptr<TPageImageList> gImageList;
std::unique_ptr<IPageImageSink> gImageSink;
std::unique_ptr<TPageNameManager> gNameManager;

template <class T>
T& Single(std::unique_ptr<T>& object) {
    if (!object) object = std::make_unique<T>();
    return *object;
}

std::u16string AsciiLower(std::u16string_view s) {
    std::u16string lower(s);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return lower;
}

constexpr int32_t kOverlayIcons[] = {570, 571, 572};

const std::u16string kDefSettingsSection = u"PageDefSettings";

std::u16string IniPath() {
    return ProgramFolder() + u"quillbox.ini";
}

std::u16string SettingsText(const TListProperty& listProperty) {
    TknStrList entries(6);
    listProperty.Save(entries);
    entries.Separator = u";";
    return entries.GetText();
}

}  // namespace

// --- environment ---

TPageEnvironment& PageEnvironment() {
    static TPageEnvironment environment;
    return environment;
}

std::u16string PageText(int32_t stringId) {
    const auto& source = PageEnvironment().Text;
    return source ? source(stringId) : std::u16string();
}

std::u16string HotKeyText(uint16_t hotKey) {
    if (hotKey == 0) return {};
    const auto& source = PageEnvironment().HotKeyText;
    return source ? source(hotKey) : IntToStr(hotKey);
}

// --- TPageFactory ---

TPageFactory::TPageFactory() {
    FIndexOfType.fill(-1);
    for (TCreateFunc create : {
             NewPageOf<TGroupPage>,
             NewPageOf<TNotePage>,
             NewPageOf<TCalcPage>,
             NewPageOf<TMemoPage>,
             NewPageOf<TDictPage>,
             NewPageOf<TLinkPage>,
             NewPageOf<TContactPage>,
             NewPageOf<TTemplatePage>,
             NewPageOf<TFastLinkPage>,
             NewPageOf<TFavoritePage>,
             NewPageOf<TSearchPage>,
             NewPageOf<TTagPage>,
             NewPageOf<TRecycleBin>,
             NewPageOf<TRecentPage_Root>,
             NewPageOf<TMemoItem>,
             NewPageOf<TLinkItem>,
             NewPageOf<TContactItem>,
             NewPageOf<TTemplateItem>,
             NewPageOf<TRecentPage_Create>,
             NewPageOf<TRecentPage_Modify>,
             NewPageOf<TRecentPage_Visit>,
             NewPageOf<TGroupRoot>,
             NewPageOf<TRoot>,
             NewPageOf<TClipPage>,
             NewPageOf<TClipItem>,
         })
        RegisterClass(create);
}

TPageFactory::~TPageFactory() = default;

void TPageFactory::RegisterClass(TCreateFunc create) {
    FClasses.push_back({create, std::unique_ptr<TPageSuper>(create(0))});
    int16_t& index = FIndexOfType[FClasses.back().Prototype->PageType()];
    if (index < 0) index = static_cast<int16_t>(FClasses.size() - 1);  // the first class wins
}

const TPageFactory::TPageClass* TPageFactory::ClassOf(int type) const {
    return type >= 0 && type < 256 && FIndexOfType[type] >= 0 ? &FClasses[FIndexOfType[type]]
                                                              : nullptr;
}

const TPageSuper* TPageFactory::GetClass(int type) const {
    const TPageClass* c = ClassOf(type);
    return c ? c->Prototype.get() : nullptr;
}

TPageSuper* TPageFactory::CreatePage(uint8_t pageType, int32_t id, int32_t ownerId) const {
    const TPageClass* c = ClassOf(pageType);
    if (!c) return nullptr;
    TPageSuper* page = c->Create(id);
    page->SetOwnerId(ownerId);
    return page;
}

void TPageFactory::GetPageTypes(TknIntList& types) const {
    std::vector<int32_t> codes;
    for (const TPageClass& c : FClasses) codes.push_back(c.Prototype->PageType());
    std::sort(codes.begin(), codes.end());
    types.Populate(codes);
}

bool TPageFactory::IsSingleton(uint8_t type) const {
    const TPageSuper* c = GetClass(type);
    return c && c->IsSingleton();
}

bool TPageFactory::IsSearchable(uint8_t type) const {
    const TPageSuper* c = GetClass(type);
    return c && c->IsSearchable();
}

TPageFactory& PageFactory() {
    return Single(gFactory);
}

// --- TPageImageList ---

void SetPageImageSink(std::unique_ptr<IPageImageSink> sink) {
    gImageList.reset();  // it draws into the old sink
    gImageSink = std::move(sink);
}

TPageImageList::TPageImageList(IPageImageSink& sink) : FSink(sink) {
    for (int overlay = 1; overlay <= 3; ++overlay) {
        FSink.AddOverlay(kOverlayIcons[overlay - 1], overlay);
        Add();
    }
    const std::pair<int, int32_t> typeIcons[] = {
        {ptGroup, 1110},      {ptNote, 1010},       {ptCalc, 1030},    {ptMemo, 1040},
        {ptDict, 1050},       {ptLink, 1060},       {ptContact, 1070}, {ptTemplate, 1750},
        {ptFastLink, 1760},   {ptFavorite, 6500},   {ptSearch, 1630},  {ptTag, 1640},
        {ptRecycleBin, 1650}, {ptRecentRoot, 1590},
    };
    for (auto [type, icon] : typeIcons) RegisterType(type, icon);
    RegisterItemType(ptMemoItem, {550, 557, 587}, true);
    RegisterItemType(ptLinkItem, {559, 561, 555, 556, 557}, false);
    RegisterItemType(ptContactItem, {551, 552}, false);
    RegisterItemType(ptTemplateItem, {5000}, false);
    RegisterType(ptRecentCreate, 7000);
    RegisterType(ptRecentModify, 7500);
    RegisterType(ptRecentVisit, 8000);
    RegisterType(ptGroupRoot, 1110);
    RegisterType(ptClip, 1790);
    RegisterItemType(ptClipItem, {4000, 575}, false);
    RegisterType(ptExternalNote, 573);
}

int TPageImageList::Add() {
    return FCount++;
}

void TPageImageList::RegisterType(int type, int32_t iconId) {
    FTypeIndex[type] = FCount;
    for (int variant = ivPlain; variant <= 3; ++variant) {
        FSink.AddIcon(iconId, variant);
        Add();
    }
}

void TPageImageList::RegisterItemType(int type, std::initializer_list<int32_t> iconIds,
                                      bool withGrey) {
    FTypeIndex[type] = FCount;
    for (int32_t icon : iconIds) {
        FSink.AddIcon(icon, ivPlain);
        Add();
        if (!withGrey) continue;
        FSink.AddIcon(icon, ivGrey);
        Add();
    }
}

int TPageImageList::GetBaseIndex(int type) const {
    auto it = FTypeIndex.find(type);
    return it == FTypeIndex.end() ? -1 : it->second;
}

int TPageImageList::AddIconFile(std::u16string_view fileName) {
    std::u16string name = AsciiLower(fileName);
    auto cached = FFileIndex.find(name);
    if (cached != FFileIndex.end()) return cached->second;
    std::u16string_view path = fileName;
    if (name.starts_with(u"file:")) {
        name.erase(0, 5);
        path.remove_prefix(5);
    }
    if (name.starts_with(u"//")) {
        name.erase(0, 2);
        path.remove_prefix(2);
    }
    // The cache holds the names without the prefix; a prefixed name looked up only as it came
    // would add its icon again on every call.
    cached = FFileIndex.find(name);
    if (cached != FFileIndex.end()) return cached->second;
    // The small letters only key the cache: file names with capitals must still be found on
    // file systems that tell the cases apart.
    if (!FSink.AddFileIcon(std::u16string(path))) return -1;
    int index = Add();
    FFileIndex[name] = index;
    return index;
}

TPageImageList& PageImageList() {
    if (!gImageList) {
        if (!gImageSink) gImageSink = std::make_unique<TNullImageSink>();
        gImageList = std::make_unique<TPageImageList>(*gImageSink);
    }
    return *gImageList;
}

// --- TPageNameManager ---

TPageNameManager::TPageNameManager() {
    const std::pair<uint8_t, int32_t> names[] = {
        {ptGroup, 25670}, {ptNote, 25690}, {ptCalc, 25700},    {ptMemo, 25710},
        {ptDict, 25720},  {ptLink, 25730}, {ptContact, 25740}, {ptTag, 25680},
    };
    for (auto [type, stringId] : names) Register(type, stringId);
}

void TPageNameManager::Register(uint8_t type, int32_t stringId) {
    FTypes.push_back(type);
    FStringIds.push_back(stringId);
}

void TPageNameManager::GetName(int type, std::u16string& text) const {
    for (size_t i = 0; i < FTypes.size(); ++i) {
        if (FTypes[i] != type) continue;
        text = PageText(FStringIds[i]);
        return;
    }
}

TPageNameManager& PageNameManager() {
    return Single(gNameManager);
}

// --- TListPageDefSettingsManager ---

void TListPageDefSettingsManager::LoadDefault(uint8_t type, TListProperty& listProperty) {
    TknStrList entries(6);
    entries.Separator = u";";
    auto cached = FCache.find(type);
    if (cached != FCache.end()) {
        entries.SetText(cached->second);
        listProperty.Load(entries);
        return;
    }
    TknIniFile ini(IniPath());
    ini.Section = kDefSettingsSection;
    std::u16string value = ini.ReadString(IntToStr(type), u"");
    entries.SetText(value);
    if (entries.Count() > 0) {
        listProperty.Load(entries);
        FCache[type] = value;
        return;
    }
    if (const TPageSuper* pageClass = PageFactory().GetClass(type))
        pageClass->DefaultListSettings(listProperty);
    FCache[type] = SettingsText(listProperty);
}

void TListPageDefSettingsManager::SaveDefault(uint8_t type, const TListProperty& listProperty) {
    std::u16string text = SettingsText(listProperty);
    FCache[type] = text;
    TknIniFile ini(IniPath());
    ini.Section = kDefSettingsSection;
    ini.WriteString(IntToStr(type), text);
}

TListPageDefSettingsManager& ListPageDefSettings() {
    return Single(gDefSettings);
}

// --- TPageCenter ---

void TPageCenter::AddObserver(IPageObserver* observer) {
    FObservers.Add(observer);
}

void TPageCenter::RemoveObserver(IPageObserver* observer) {
    FObservers.Remove(observer);
}

void TPageCenter::Notify(uint8_t event, int32_t pageId, int32_t argument) {
    std::vector<IInterface*> observers;
    for (int i = 0; i < FObservers.Count(); ++i) observers.push_back(FObservers.Items(i));
    for (IInterface* observer : observers)
        if (FObservers.IndexOf(observer) >= 0)
            static_cast<IPageObserver*>(observer)->PageEvent(event, pageId, argument);
}

void TPageCenter::SetActivePage(TPageSuper* page) {
    TPageStore& store = GetStore();
    auto groupRoot = [&store]() -> TPageSuper* {
        int32_t id = 0;
        return store.FindFirstOfType(ptGroupRoot, id) ? store.GetPage(id) : nullptr;
    };
    if (!page) {
        TPageSuper* root = groupRoot();
        if (!root) return;
        int32_t id = store.NewPage(root->Id(), ptNote);
        root->Childs()->AddChild(id);
        page = store.GetPage(id);
    } else if (page->Id() == kRootId) {
        page = groupRoot();
    }
    if (page) {
        TPageSuper* owner = store.GetPage(page->OwnerId());
        TPageChilds* listed = owner ? owner->Childs() : nullptr;
        if (!listed || listed->IndexOf(page->Id()) < 0) page = groupRoot();
    }
    if (!page) return;
    int32_t pageId = page->Id();
    if (FActivePage) {
        int oldKind = FActivePage->ClientKind();
        Notify(pePageDeactivated, FActivePage->Id());
        page = store.GetPage(pageId);  // an observer may have deleted it
        if (!page) return;
        if (oldKind != page->ClientKind()) Notify(peClientKindChanged, pageId);
    } else {
        Notify(peClientKindChanged, pageId);
    }
    page = store.GetPage(pageId);
    if (!page) return;
    FActivePage = page;
    if (TTruePageProperty* property = page->TrueProperty()) property->VisitTime = LocalNow();
    Notify(pePageActivated, pageId);
}

void TPageCenter::ForgetPage(const TPageSuper* page) {
    if (FActivePage == page) FActivePage = nullptr;
}

TPageCenter& PageCenter() {
    return Single(gPageCenter);
}

bool PageCenterExists() {
    return gPageCenter != nullptr;
}

void ReleasePageFactoryObjects() {
    gFactory.reset();
    gDefSettings.reset();
    gImageList.reset();
    gNameManager.reset();
    gPageCenter.reset();
}

}  // namespace qb
