#pragma once

// The process-wide centers through which the subsystems meet: commands, events, dynamic menu
// lists, options, remembered state, interface texts, save requests and the window size. Each
// center keeps an ordered set of listeners it does not own; every listener registers itself and
// unregisters before it is destroyed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "foundation/UknList.h"

namespace qb {

class TknWindow;  // the toolkit's window; the centers only pass it on

// --- listener interfaces (methods in slot order) ---

using TCommandProc = std::function<void(int32_t id)>;

class ICommandSender : public IInterface {
  public:
    virtual void CheckItem(int32_t id, bool checked) = 0;
    virtual bool ItemChecked(int32_t id) = 0;
    virtual void EnableItem(int32_t id, bool enabled) = 0;
    virtual bool ItemEnabled(int32_t id) = 0;
    virtual void ShowItem(int32_t id, bool visible) = 0;
    virtual bool ItemVisible(int32_t id) = 0;
    virtual void SetItemText(int32_t id, std::u16string_view text) = 0;
    virtual std::u16string GetItemText(int32_t id) = 0;
    virtual void SetCommandProc(TCommandProc proc) = 0;
    virtual bool ItemExists(int32_t id) = 0;
    virtual void GetItemList(TknIntList& ids) = 0;
};

class ICommandExecutor : public IInterface {
  public:
    // True unless this executor objects to the command; ids it does not know answer true.
    virtual bool CheckCommand(int32_t id) = 0;
    virtual void ExecuteCommand(int32_t id) = 0;
};

class IEventObserver : public IInterface {
  public:
    virtual void EventNotify(int32_t event, int32_t wparam, int32_t lparam) = 0;
};

class IListProvider : public IInterface {
  public:
    // Appends the texts of its own list only.
    virtual void GetListItems(int32_t listId, TknStrList& texts) = 0;
    virtual bool GetItemTip(int32_t id, int& index, int maxLength, std::u16string& tip) = 0;
};

class IOptionObserver : public IInterface {
  public:
    virtual void OptionChanged() = 0;
};

class IMemorizer : public IInterface {
  public:
    virtual void SaveMemory() = 0;
    virtual void RestoreMemory() = 0;
};

class ILangObserver : public IInterface {
  public:
    virtual void LanguageChanged() = 0;
};

class ISaver : public IInterface {
  public:
    virtual void Save() = 0;
};

class ISizeObserver : public IInterface {
  public:
    virtual void AdjustAppearance() = 0;
};

class IHotkeyOwner : public IInterface {
  public:
    virtual void OnHotkey(uint32_t id, uint16_t hotKey) = 0;
};

// --- the observer set ---

// An ordered set of listeners over TknInterfaceList. Adding a present listener keeps it in its
// first place. ForEach visits the listeners in order and survives listeners that remove
// themselves or others meanwhile: a removed listener is not visited, and no remaining one is
// skipped or visited twice. Listeners added meanwhile are visited at the end.
template <class I>
class TknObserverList {
  public:
    // True when the listener was not present before.
    bool Add(I* listener);
    void Remove(const I* listener);
    bool Contains(const I* listener) const { return FList.IndexOf(listener) >= 0; }
    int Count() const { return FList.Count(); }
    I* Items(int index) const { return static_cast<I*>(FList.Items(index)); }

    // Calls visit(listener) for each listener in order; stops early when visit returns false.
    template <class F>
    void ForEach(F visit);

  private:
    class TCursorGuard;
    TknInterfaceList FList;
    std::vector<int*> FCursors;  // positions of the visits running now (nested ones included)
};

template <class I>
bool TknObserverList<I>::Add(I* listener) {
    if (!listener || Contains(listener)) return false;
    FList.Add(listener);
    return true;
}

template <class I>
void TknObserverList<I>::Remove(const I* listener) {
    for (int i = FList.High(); i >= 0; --i) {
        if (FList.Items(i) != listener) continue;
        FList.Delete(i);
        for (int* cursor : FCursors)
            if (i <= *cursor) --*cursor;
    }
}

template <class I>
class TknObserverList<I>::TCursorGuard {
  public:
    TCursorGuard(std::vector<int*>& cursors, int* cursor) : FCursors(cursors) {
        FCursors.push_back(cursor);
    }
    ~TCursorGuard() { FCursors.pop_back(); }
    TCursorGuard(const TCursorGuard&) = delete;
    TCursorGuard& operator=(const TCursorGuard&) = delete;

  private:
    std::vector<int*>& FCursors;
};

template <class I>
template <class F>
void TknObserverList<I>::ForEach(F visit) {
    int i = 0;
    TCursorGuard guard(FCursors, &i);
    for (; i < FList.Count(); ++i) {
        I* listener = Items(i);
        if (!listener) continue;
        if constexpr (std::is_same_v<decltype(visit(listener)), bool>) {
            if (!visit(listener)) return;
        } else {
            visit(listener);
        }
    }
}

// --- the centers ---

class TknCommandCenter {
  public:
    virtual ~TknCommandCenter() = default;

    // Adds the sender and hands it the center's ExecuteCommand as its command procedure.
    void AddSender(ICommandSender* sender);
    void RemoveSender(ICommandSender* sender);
    void AddExecutor(ICommandExecutor* executor);
    void RemoveExecutor(ICommandExecutor* executor);

    // Every executor in order; no early stop.
    void ExecuteCommand(int32_t id);
    // Enabled while no executor objects; the senders are told only when the state changes.
    bool CheckCommand(int32_t id);
    // CheckCommand for every id of every sender.
    virtual void CheckCommands();

    void SetChecked(int32_t id, bool checked);
    bool GetChecked(int32_t id);
    void SwitchChecked(int32_t id);
    void SetEnabled(int32_t id, bool enabled);
    bool GetEnabled(int32_t id);
    std::u16string GetItemText(int32_t id);

  private:
    ICommandSender* FirstSenderWith(int32_t id);

    TknObserverList<ICommandSender> FSenders;
    TknObserverList<ICommandExecutor> FExecutors;
};

class TknEventCenter {
  public:
    void AddObserver(IEventObserver* observer) { FObservers.Add(observer); }
    void RemoveObserver(IEventObserver* observer) { FObservers.Remove(observer); }
    void EventNotify(int32_t event, int32_t wparam = 0, int32_t lparam = 0);

    // The string an event carries: filled by the sender before raising it, or by a receiver
    // for the sender to read afterwards.
    std::u16string SharedText;

  private:
    TknObserverList<IEventObserver> FObservers;
};

class TknListCenter {
  public:
    void AddProvider(IListProvider* provider) { FProviders.Add(provider); }
    void RemoveProvider(IListProvider* provider) { FProviders.Remove(provider); }
    // Every provider is given the same list and appends to it for its own list id only.
    void GetListItems(int32_t listId, TknStrList& texts);
    // The providers in order until one answers true.
    bool GetItemTip(int32_t id, int& index, int maxLength, std::u16string& tip);

  private:
    TknObserverList<IListProvider> FProviders;
};

// Base of the option manager. A subclass constructor runs OnCreate then Load; its destructor
// runs OnDestroy.
class TknOption {
  public:
    virtual ~TknOption() = default;
    virtual void OnCreate() {}
    virtual void OnDestroy() {}
    virtual void Load() = 0;
    virtual void Save() = 0;
    // Opens the options dialog; true asks SetOptions to save and tell every observer.
    virtual bool DoSetOptions(TknWindow* parent) = 0;

    // A new observer is told at once, so that it starts from the current options.
    void AddObserver(IOptionObserver* observer);
    void RemoveObserver(IOptionObserver* observer) { FObservers.Remove(observer); }
    void SetOptions(TknWindow* parent);
    void NotifyAll();

  private:
    TknObserverList<IOptionObserver> FObservers;
};

// Base of the memory manager; same construction rule as TknOption.
class TknMemory {
  public:
    virtual ~TknMemory() = default;
    virtual void OnCreate() {}
    virtual void OnDestroy() {}
    virtual void Load() = 0;
    virtual void Save() = 0;

    // A new observer restores its state at once.
    void AddObserver(IMemorizer* observer);
    void RemoveObserver(IMemorizer* observer) { FObservers.Remove(observer); }
    // Every observer puts its state into the record, then the record is written.
    void SaveMemory();

  private:
    TknObserverList<IMemorizer> FObservers;
};

// Base of the language manager: interface texts by string-table id.
class TknLanguage {
  public:
    TknLanguage();
    virtual ~TknLanguage() = default;

    // An empty name picks "Chinese" on a Chinese (PRC) system and "English" elsewhere. A new
    // name loads its texts and tells every observer.
    void SetLanguage(std::u16string_view name);
    // The loaded text; else the caller's default while the built-in language is current; else
    // the string table's text. "\t" and "\n" become a tab and CR LF.
    std::u16string GetText(int32_t id, std::u16string_view defaultText = {}) const;
    void SetBuiltInLanguage(std::u16string_view name) { FBuiltInLanguage = name; }
    const std::u16string& Language() const { return FLanguage; }
    const std::u16string& BuiltInLanguage() const { return FBuiltInLanguage; }

    // Once a language is set, a new observer is told at once.
    void AddObserver(ILangObserver* observer);
    void RemoveObserver(ILangObserver* observer) { FObservers.Remove(observer); }

  protected:
    virtual void LoadLanguage(std::u16string_view name, TknStrList& texts) = 0;

  private:
    TknStrList FTexts;
    TknObserverList<ILangObserver> FObservers;
    std::u16string FLanguage;
    std::u16string FBuiltInLanguage;
};

class TknSaveCenter {
  public:
    virtual ~TknSaveCenter() = default;
    virtual void OnCreate() {}
    virtual void OnDestroy() {}
    // Every saver in order.
    virtual void Save();

    void AddSaver(ISaver* saver) { FSavers.Add(saver); }
    void RemoveSaver(ISaver* saver) { FSavers.Remove(saver); }

  private:
    TknObserverList<ISaver> FSavers;
};

// Tells its observers when the main window's size or the auto-adjust options change, and
// answers whether the window has room for its optional parts.
class TSizeManager : public IOptionObserver {
  public:
    TSizeManager();  // registers with the option center
    ~TSizeManager() override;

    void AddObserver(ISizeObserver* observer);
    void RemoveObserver(ISizeObserver* observer) { FObservers.Remove(observer); }
    // The main window's client size; unchanged values tell nobody.
    void SetSize(int32_t width, int32_t height);
    void OptionChanged() override;

    bool RoomForTree() const;           // width  > 320 + 20 * level
    bool RoomForMultiLineTabs() const;  // height > 280 + 20 * level
    bool RoomForToolBar() const;        // height > 240 + 20 * level
    bool RoomForMenuBar() const;        // height > 200 + 20 * level
    bool RoomForTabBar() const;         // height > 160 + 20 * level

    bool AutoAdjust() const { return FAutoAdjust; }
    int32_t Level() const { return FLevel; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }

  private:
    bool Room(int32_t dimension, int32_t threshold) const;
    void NotifyAll();

    TknObserverList<ISizeObserver> FObservers;
    bool FAutoAdjust = true;
    int32_t FLevel = 3;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

// --- global accessors: each creates its center on first call ---

TknCommandCenter& CommandCenter();
TknEventCenter& EventCenter();
TknListCenter& ListCenter();
TknSaveCenter& SaveCenter();
TSizeManager& SizeCenter();

// The centers if they exist now, else null; listeners unregister through these so that a
// destructor running after the center's release does not create it again.
TknCommandCenter* ExistingCommandCenter();
TknEventCenter* ExistingEventCenter();
TknListCenter* ExistingListCenter();
TknSaveCenter* ExistingSaveCenter();
TSizeManager* ExistingSizeCenter();

// The save center is made by the storage layer's save manager; until one installs its
// factory, SaveCenter() makes a plain TknSaveCenter.
void SetSaveCenterFactory(std::function<std::unique_ptr<TknSaveCenter>()> factory);

// Releases the save, size, event, command and list centers, in this order.
void ReleaseCenters();
// Everything of the shell layer: the centers above, then the language, memory and option
// managers, the timer and hotkey centers. Tests call it to start afresh.
void ReleaseShellGlobals();

}  // namespace qb
