#include "shell/UknClasses.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UStringTable.h"
#include "shell/UknHotKeyCenter.h"
#include "shell/UknTimerCenter.h"

namespace qb {

// --- command center ---

void TknCommandCenter::AddSender(ICommandSender* sender) {
    FSenders.Add(sender);
    if (sender) sender->SetCommandProc([this](int32_t id) { ExecuteCommand(id); });
}

void TknCommandCenter::RemoveSender(ICommandSender* sender) {
    FSenders.Remove(sender);
}
void TknCommandCenter::AddExecutor(ICommandExecutor* executor) {
    FExecutors.Add(executor);
}
void TknCommandCenter::RemoveExecutor(ICommandExecutor* executor) {
    FExecutors.Remove(executor);
}

void TknCommandCenter::ExecuteCommand(int32_t id) {
    FExecutors.ForEach([id](ICommandExecutor* e) { e->ExecuteCommand(id); });
}

bool TknCommandCenter::CheckCommand(int32_t id) {
    bool enabled = true;
    FExecutors.ForEach([id, &enabled](ICommandExecutor* e) {
        enabled = e->CheckCommand(id);
        return enabled;  // the first objection ends the round
    });
    if (GetEnabled(id) != enabled) SetEnabled(id, enabled);
    return enabled;
}

void TknCommandCenter::CheckCommands() {
    FSenders.ForEach([this](ICommandSender* s) {
        TknIntList ids;
        s->GetItemList(ids);
        for (int i = 0; i < ids.Count(); ++i) CheckCommand(ids.Items(i));
    });
}

ICommandSender* TknCommandCenter::FirstSenderWith(int32_t id) {
    ICommandSender* found = nullptr;
    FSenders.ForEach([id, &found](ICommandSender* s) {
        if (s->ItemExists(id)) found = s;
        return !found;
    });
    return found;
}

void TknCommandCenter::SetChecked(int32_t id, bool checked) {
    FSenders.ForEach([=](ICommandSender* s) { s->CheckItem(id, checked); });
}

bool TknCommandCenter::GetChecked(int32_t id) {
    ICommandSender* s = FirstSenderWith(id);
    return s && s->ItemChecked(id);
}

void TknCommandCenter::SwitchChecked(int32_t id) {
    FSenders.ForEach([id](ICommandSender* s) {
        if (s->ItemExists(id)) s->CheckItem(id, !s->ItemChecked(id));
    });
}

void TknCommandCenter::SetEnabled(int32_t id, bool enabled) {
    FSenders.ForEach([=](ICommandSender* s) { s->EnableItem(id, enabled); });
}

bool TknCommandCenter::GetEnabled(int32_t id) {
    ICommandSender* s = FirstSenderWith(id);
    return s && s->ItemEnabled(id);
}

std::u16string TknCommandCenter::GetItemText(int32_t id) {
    ICommandSender* s = FirstSenderWith(id);
    return s ? s->GetItemText(id) : std::u16string();
}

// --- event and list centers ---

void TknEventCenter::EventNotify(int32_t event, int32_t wparam, int32_t lparam) {
    FObservers.ForEach([=](IEventObserver* o) { o->EventNotify(event, wparam, lparam); });
}

void TknListCenter::GetListItems(int32_t listId, TknStrList& texts) {
    FProviders.ForEach([&](IListProvider* p) { p->GetListItems(listId, texts); });
}

bool TknListCenter::GetItemTip(int32_t id, int& index, int maxLength, std::u16string& tip) {
    bool answered = false;
    FProviders.ForEach([&](IListProvider* p) {
        answered = p->GetItemTip(id, index, maxLength, tip);
        return !answered;
    });
    return answered;
}

// --- option and memory centers ---

void TknOption::AddObserver(IOptionObserver* observer) {
    if (FObservers.Add(observer)) observer->OptionChanged();
}

void TknOption::SetOptions(TknWindow* parent) {
    if (!DoSetOptions(parent)) return;
    Save();
    NotifyAll();
}

void TknOption::NotifyAll() {
    FObservers.ForEach([](IOptionObserver* o) { o->OptionChanged(); });
}

void TknMemory::AddObserver(IMemorizer* observer) {
    if (FObservers.Add(observer)) observer->RestoreMemory();
}

void TknMemory::SaveMemory() {
    FObservers.ForEach([](IMemorizer* o) { o->SaveMemory(); });
    Save();
}

// --- language center ---

namespace {

std::u16string ExpandEscapes(std::u16string_view text) {
    return ReplaceAll(ReplaceAll(text, u"\\t", u"\t"), u"\\n", u"\r\n");
}

}  // namespace

TknLanguage::TknLanguage() : FBuiltInLanguage(u"Chinese") {
    FTexts.KeyDelimiter = u"=";
    // Cut at LF so that files with either line end load; parsing trims the CR.
    FTexts.Separator = u"\n";
}

void TknLanguage::SetLanguage(std::u16string_view name) {
    std::u16string chosen(name);
    if (chosen.empty()) chosen = SystemLocaleIsChinesePrc() ? u"Chinese" : u"English";
    if (chosen == FLanguage) return;
    FLanguage = chosen;
    LoadLanguage(FLanguage, FTexts);
    FObservers.ForEach([](ILangObserver* o) { o->LanguageChanged(); });
}

std::u16string TknLanguage::GetText(int32_t id, std::u16string_view defaultText) const {
    std::u16string text = FTexts.ItemsByKey(id);
    if (text.empty()) {
        if (!defaultText.empty() && IsSameText(FLanguage, FBuiltInLanguage))
            text = defaultText;
        else
            text = StringTableText(id);
    }
    return ExpandEscapes(text);
}

void TknLanguage::AddObserver(ILangObserver* observer) {
    if (FObservers.Add(observer) && !FLanguage.empty()) observer->LanguageChanged();
}

// --- save center ---

void TknSaveCenter::Save() {
    FSavers.ForEach([](ISaver* s) { s->Save(); });
}

// --- size center ---

TSizeManager::TSizeManager() {
    OptionManager().AddObserver(this);
}

TSizeManager::~TSizeManager() {
    if (auto* options = ExistingOptionManager()) options->RemoveObserver(this);
}

void TSizeManager::AddObserver(ISizeObserver* observer) {
    if (FObservers.Add(observer)) observer->AdjustAppearance();
}

void TSizeManager::SetSize(int32_t width, int32_t height) {
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    NotifyAll();
}

void TSizeManager::OptionChanged() {
    const TOptions& options = OptionManager().Options();
    FAutoAdjust = options.AutoAdjust;
    FLevel = std::clamp(options.AutoAdjustLevel, 1, 5);
    NotifyAll();
}

bool TSizeManager::Room(int32_t dimension, int32_t threshold) const {
    return !FAutoAdjust || dimension > threshold + 20 * FLevel;
}

bool TSizeManager::RoomForTree() const {
    return Room(FWidth, 320);
}
bool TSizeManager::RoomForMultiLineTabs() const {
    return Room(FHeight, 280);
}
bool TSizeManager::RoomForToolBar() const {
    return Room(FHeight, 240);
}
bool TSizeManager::RoomForMenuBar() const {
    return Room(FHeight, 200);
}
bool TSizeManager::RoomForTabBar() const {
    return Room(FHeight, 160);
}

void TSizeManager::NotifyAll() {
    FObservers.ForEach([](ISizeObserver* o) { o->AdjustAppearance(); });
}

// --- global objects ---

namespace {

template <class T>
std::unique_ptr<T>& Slot() {
    static std::unique_ptr<T> object;
    return object;
}

template <class T>
T& Lazy() {
    auto& object = Slot<T>();
    if (!object) object = std::make_unique<T>();
    return *object;
}

// Takes the object out of its slot before destroying it, so that code running in its
// destructor sees it gone.
template <class T>
void Release(std::unique_ptr<T>& slot) {
    std::unique_ptr<T> object = std::move(slot);
    object.reset();
}

std::function<std::unique_ptr<TknSaveCenter>()>& SaveCenterFactory() {
    static std::function<std::unique_ptr<TknSaveCenter>()> factory;
    return factory;
}

}  // namespace

TknCommandCenter& CommandCenter() {
    return Lazy<TknCommandCenter>();
}
TknEventCenter& EventCenter() {
    return Lazy<TknEventCenter>();
}
TknListCenter& ListCenter() {
    return Lazy<TknListCenter>();
}
TSizeManager& SizeCenter() {
    return Lazy<TSizeManager>();
}

TknSaveCenter& SaveCenter() {
    auto& object = Slot<TknSaveCenter>();
    if (!object) {
        object = SaveCenterFactory() ? SaveCenterFactory()() : std::make_unique<TknSaveCenter>();
        object->OnCreate();
    }
    return *object;
}

TknCommandCenter* ExistingCommandCenter() {
    return Slot<TknCommandCenter>().get();
}
TknEventCenter* ExistingEventCenter() {
    return Slot<TknEventCenter>().get();
}
TknListCenter* ExistingListCenter() {
    return Slot<TknListCenter>().get();
}
TknSaveCenter* ExistingSaveCenter() {
    return Slot<TknSaveCenter>().get();
}
TSizeManager* ExistingSizeCenter() {
    return Slot<TSizeManager>().get();
}

void SetSaveCenterFactory(std::function<std::unique_ptr<TknSaveCenter>()> factory) {
    SaveCenterFactory() = std::move(factory);
}

void ReleaseCenters() {
    if (auto& save = Slot<TknSaveCenter>()) {
        save->OnDestroy();
        Release(save);
    }
    Release(Slot<TSizeManager>());
    Release(Slot<TknEventCenter>());
    Release(Slot<TknCommandCenter>());
    Release(Slot<TknListCenter>());
}

void ReleaseShellGlobals() {
    ReleaseCenters();
    ReleaseLangManager();
    ReleaseMemoryManager();
    ReleaseOptionManager();
    ReleaseTimerCenter();
    ReleaseHotKeyCenter();
}

}  // namespace qb
