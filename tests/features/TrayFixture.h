#pragma once

// A fresh notebook, shell globals and in-memory platforms for each test of the tray features:
// timers whose virtual clock is also the local time, hotkeys pressed by hand, a recording
// shell, sound player and reminder windows; for the pasting features a recording desktop with
// the shared popup and paste handlers.

#include <string>
#include <vector>

#include "features/UClipHandler.h"
#include "features/UCommonClasses.h"
#include "features/ULinkOpener.h"
#include "features/UMemoHandler.h"
#include "features/UMemoPage.h"
#include "features/UPasteHandler.h"
#include "model/ModelFixture.h"
#include "model/UDeleteHandler.h"
#include "shell/UInMemoryPlatform.h"
#include "shell/UknClasses.h"

namespace qb::test {

class TRecordingSound : public ISoundPlayer {
  public:
    void PlayFile(const std::u16string& path) override { Files.push_back(path); }
    void PlayTones(const std::vector<TTone>& tones) override { Tones.push_back(tones); }
    void Stop() override { ++Stops; }
    std::vector<std::u16string> Files;
    std::vector<std::vector<TTone>> Tones;
    int Stops = 0;
};

class TRecordingWindows : public IReminderWindows {
  public:
    bool ShowReminder(TReminderPopup& popup) override {
        if (Refuse) return false;
        Shown.push_back(&popup);
        return true;
    }
    void CloseReminder(TReminderPopup& popup) override { Closed.push_back(popup.ItemId()); }
    void ShowError(std::u16string_view text) override { Errors.emplace_back(text); }
    std::vector<TReminderPopup*> Shown;
    std::vector<int32_t> Closed;
    std::vector<std::u16string> Errors;
    bool Refuse = false;  // no window can be shown
};

class TCountingSaver : public ISaver {
  public:
    void Save() override { ++Saves; }
    int Saves = 0;
};

class TTrayTest : public TModelTest {
  protected:
    TTrayTest() {
        ReleaseShellGlobals();
        SetTimerPlatform(&Timers);
        SetHotKeyPlatform(&Keys);
        SetShell(&Shell);
        SetSoundPlayer(&Sound);
        SetReminderWindows(&Windows);
        SetClockForTesting([this] { return AddUnits(Start, tuMillisecond, Timers.Now()); });
        SaveCenter().AddSaver(&Saver);
    }
    ~TTrayTest() override {
        ReleaseDeleteHandler();
        ReleaseShellGlobals();
        SetTimerPlatform(nullptr);
        SetHotKeyPlatform(nullptr);
        SetShell(nullptr);
        SetSoundPlayer(nullptr);
        SetReminderWindows(nullptr);
    }

    // "yyyy-MM-dd HH:mm[:ss]" as a local time.
    static TSystemTime At(std::u16string_view text) { return ParseDateTime(text, false); }
    // Moves the clock (and the timers) to the moment.
    void RunUntil(std::u16string_view text) {
        int64_t target = ToUnits(At(text), tuMillisecond);
        int64_t now = ToUnits(LocalNow(), tuMillisecond);
        ASSERT_GE(target, now);
        Timers.Advance(static_cast<uint64_t>(target - now));
    }

    TPageSuper* MemoPage() {
        if (!FMemoPage) FMemoPage = Add(GroupRoot(), ptMemo, u"Memos");
        return FMemoPage;
    }
    TMemoItem& AddMemo(std::u16string_view name, std::u16string_view timeText,
                       TMemoAction action = maReminder) {
        auto& item = static_cast<TMemoItem&>(*Add(MemoPage(), ptMemoItem, name));
        item.Memo().SetTimeText(timeText);
        item.Memo().Action = action;
        return item;
    }

    TSystemTime Start = At(u"2010-11-06 10:00:00");  // a Saturday
    TMemoryTimerPlatform Timers;
    TMemoryHotKeyPlatform Keys;
    TMemoryShell Shell;
    TRecordingSound Sound;
    TRecordingWindows Windows;
    TCountingSaver Saver;

  private:
    TPageSuper* FMemoPage = nullptr;
};

// The clipboard texts the watcher reports.
class TCaptured : public IClipObserver {
  public:
    void ClipboardChanged(std::u16string_view text) override { Texts.emplace_back(text); }
    std::vector<std::u16string> Texts;
};

// Answers each popup with the next of `Choices` (0 when none is left), keeping what it showed.
class TScriptedPopup : public IItemPopup {
  public:
    int32_t Popup(const std::vector<TPopupItem>& items, const TPopupPlace& place) override {
        Shown.push_back(items);
        Places.push_back(place);
        if (Choices.empty()) return 0;
        int32_t chosen = Choices.front();
        Choices.erase(Choices.begin());
        return chosen;
    }
    std::vector<int32_t> Choices;
    std::vector<std::vector<TPopupItem>> Shown;
    std::vector<TPopupPlace> Places;
};

class TDesktopTest : public TTrayTest {
  protected:
    TDesktopTest() {
        ReleaseClipWatcher();
        // The platform reports each clipboard change, as the toolkit does, 200 ms apart.
        Desktop.ClipboardChanged = [this](std::u16string_view text) {
            ClipWatcher().OnClipboardChanged(text, ClipClock += 200);
        };
    }
    ~TDesktopTest() override { ReleaseClipWatcher(); }

    // A copy in another program, 200 ms after the last change.
    void Copy(std::u16string_view text) {
        ClipWatcher().OnClipboardChanged(text, ClipClock += 200);
    }

    TMemoryDesktopInput Desktop;
    std::vector<std::function<void()>> Posted;
    TPasteHandler Paste{Desktop, [this](std::function<void()> call) { Posted.push_back(call); }};
    TScriptedPopup Menu;
    TPopupHandler Popups{Desktop, &Menu};
    uint64_t ClipClock = 1000;

    // The GUI's event loop reaching the posted pastes.
    void RunPosted() {
        auto calls = std::move(Posted);
        Posted.clear();
        for (auto& call : calls) call();
    }
};

}  // namespace qb::test
