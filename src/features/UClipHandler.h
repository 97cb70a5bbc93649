#pragma once

// Clipboard capture: the watcher that hears of every new clipboard text, and the clip handler
// that keeps the newest texts as items of the clipboard page, pastes them back on its popup
// and digit hotkeys, and offers the watch, clear and manage commands.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "features/UClipPage.h"
#include "features/UCommonClasses.h"
#include "shell/UknClasses.h"

namespace qb {

class IClipObserver : public IInterface {
  public:
    virtual void ClipboardChanged(std::u16string_view text) = 0;
};

// Changes closer than this to the last one handled are dropped.
inline constexpr uint64_t kClipQuietMs = 100;

// The platform tells it of each clipboard change once, with the new text; it is watching
// while it has observers.
class TClipWatcher {
  public:
    void AddObserver(IClipObserver* observer);
    void RemoveObserver(IClipObserver* observer);
    void SetObserving(IClipObserver* observer, bool on);  // adds or removes it
    bool Watching() const { return FObservers.Count() > 0; }

    // The program is about to write the clipboard itself: the next change is not reported.
    void IgnoreNext() { FIgnoreNext = true; }
    bool IgnoringNext() const { return FIgnoreNext; }

    // A change at `nowMs` (a monotonic clock). Within 100 ms of the last handled change it is
    // dropped whole; an empty or ignored text reaches no observer. Either way the ignore flag
    // is spent.
    void OnClipboardChanged(std::u16string_view text, uint64_t nowMs);

  private:
    TknObserverList<IClipObserver> FObservers;
    bool FIgnoreNext = false;
    std::optional<uint64_t> FLastChange;
};

TClipWatcher& ClipWatcher();
void ReleaseClipWatcher();

// What "Clear Clipboard" asks: an OK/Cancel question titled "Prompt"; true for OK.
class IClipConfirm {
  public:
    virtual ~IClipConfirm() = default;
    virtual bool Confirm(std::u16string_view question) = 0;
};

inline constexpr int32_t cmWatchClipboard = 1770;
inline constexpr int32_t cmClearClipboard = 1780;
inline constexpr int32_t cmClipboardManage = 1790;

class TClipHandler : public THandlerWithPaste, public IClipObserver {
  public:
    static constexpr int32_t CaptionId = 25390;  // "Clipboard"
    static constexpr int32_t ItemCommandBase = 4000;

    // Finds or creates the clipboard page under the parent, and starts watching when the
    // remembered "WatchClipboard" says so. Without a confirmation clearing asks nobody.
    TClipHandler(int32_t parentId, TPopupHandler& popup, TPasteHandler& paste,
                 IClipConfirm* confirm = nullptr);
    ~TClipHandler() override;

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;
    void OptionChanged() override;
    // The item's text goes to the paste handler; "NewPasteToTop" moves the item first.
    void PasteItem(int32_t itemId) override;

    // The capture rules for a new clipboard text.
    void ClipboardChanged(std::u16string_view text) override;

    bool Watching() const { return FWatching; }
    TClipPage& ClipPage() const { return static_cast<TClipPage&>(*Page()); }

  private:
    void SetWatching(bool on);
    void ClearItems();
    bool IsDuplicate(std::u16string_view text, TPageChilds& childs) const;
    void AddItem(std::u16string_view text, TPageChilds& childs);

    IClipConfirm* FConfirm;
    bool FWatching = false;
    // Copies of the options.
    int32_t FMaxClipNum = 30;
    int32_t FMaxItemByte = 100000;
    int32_t FMenuWidth = 30;
    int32_t FFilterType = 1;
    bool FNewPasteToTop = false;
};

}  // namespace qb
