#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "foundation/UknFile.h"
#include "shell/UInMemoryPlatform.h"

namespace qb::test {

namespace {

using TLog = std::vector<std::string>;

// An event observer that logs its name and runs an optional action during the call.
class TObserver : public IEventObserver {
  public:
    TObserver(std::string name, TLog& log) : FName(std::move(name)), FLog(log) {}
    void EventNotify(int32_t event, int32_t, int32_t) override {
        FLog.push_back(FName + ":" + std::to_string(event));
        if (OnCall) OnCall();
    }
    std::function<void()> OnCall;

  private:
    std::string FName;
    TLog& FLog;
};

// A menu: holds ids with enabled/checked flags and counts the writes it receives.
class TMenu : public ICommandSender {
  public:
    explicit TMenu(std::vector<int32_t> ids) {
        for (int32_t id : ids) Items[id];
    }
    struct TItem {
        bool Enabled = false;
        bool Checked = false;
        std::u16string Text;
    };
    void CheckItem(int32_t id, bool checked) override {
        if (Items.count(id)) Items[id].Checked = checked;
    }
    bool ItemChecked(int32_t id) override { return Items.count(id) && Items[id].Checked; }
    void EnableItem(int32_t id, bool enabled) override {
        ++EnableWrites;
        if (Items.count(id)) Items[id].Enabled = enabled;
    }
    bool ItemEnabled(int32_t id) override { return Items.count(id) && Items[id].Enabled; }
    void ShowItem(int32_t, bool) override {}
    bool ItemVisible(int32_t) override { return true; }
    void SetItemText(int32_t id, std::u16string_view text) override { Items[id].Text = text; }
    std::u16string GetItemText(int32_t id) override {
        return Items.count(id) ? Items[id].Text : u"";
    }
    void SetCommandProc(TCommandProc proc) override { Proc = std::move(proc); }
    bool ItemExists(int32_t id) override { return Items.count(id) != 0; }
    void GetItemList(TknIntList& ids) override {
        for (const auto& [id, item] : Items) ids.Add(id);
    }

    std::map<int32_t, TItem> Items;
    TCommandProc Proc;
    int EnableWrites = 0;
};

class TExecutor : public ICommandExecutor {
  public:
    TExecutor(std::string name, TLog& log) : FName(std::move(name)), FLog(log) {}
    bool CheckCommand(int32_t id) override {
        FLog.push_back(FName + "?" + std::to_string(id));
        return !Objects.count(id);
    }
    void ExecuteCommand(int32_t id) override { FLog.push_back(FName + "!" + std::to_string(id)); }
    std::set<int32_t> Objects;

  private:
    std::string FName;
    TLog& FLog;
};

int gSaveCentersCreated = 0;

struct TCountingCenter : TknSaveCenter {
    void OnCreate() override { ++gSaveCentersCreated; }
};

class TOptionListener : public IOptionObserver {
  public:
    void OptionChanged() override { ++Calls; }
    int Calls = 0;
};

class TSizeListener : public ISizeObserver {
  public:
    void AdjustAppearance() override { ++Calls; }
    int Calls = 0;
};

}  // namespace

using CentersTest = TShellTest;

TEST_F(CentersTest, ObserverSetKeepsFirstRegistrationOrderAndIgnoresDuplicates) {
    TLog log;
    TObserver a("a", log), b("b", log), c("c", log);
    EventCenter().AddObserver(&b);
    EventCenter().AddObserver(&a);
    EventCenter().AddObserver(&b);  // stays first
    EventCenter().AddObserver(&c);
    EventCenter().EventNotify(1);
    EXPECT_EQ(log, (TLog{"b:1", "a:1", "c:1"}));

    log.clear();
    EventCenter().RemoveObserver(&a);
    EventCenter().RemoveObserver(&a);  // absent: no effect
    EventCenter().EventNotify(2);
    EXPECT_EQ(log, (TLog{"b:2", "c:2"}));
}

// Each case: which listener acts during the first broadcast, and what it does; every listener
// still registered must be called exactly once, a removed one not at all.
TEST_F(CentersTest, BroadcastSurvivesRemovalsAndAdditionsDuringIt) {
    struct TCase {
        const char* Name;
        int Actor;                 // index of the listener that acts
        std::vector<int> Removes;  // indexes it removes
        bool AddsLate;             // it also adds a fifth listener
        TLog Expected;
    };
    const std::vector<TCase> cases = {
        {"removes itself", 1, {1}, false, {"0:7", "1:7", "2:7", "3:7"}},
        {"removes an earlier one", 2, {0}, false, {"0:7", "1:7", "2:7", "3:7"}},
        {"removes a later one", 1, {2}, false, {"0:7", "1:7", "3:7"}},
        {"removes itself and the next", 1, {1, 2}, false, {"0:7", "1:7", "3:7"}},
        {"removes everyone", 0, {0, 1, 2, 3}, false, {"0:7"}},
        {"removes the last, itself being last", 3, {3}, false, {"0:7", "1:7", "2:7", "3:7"}},
        {"adds a listener", 1, {}, true, {"0:7", "1:7", "2:7", "3:7", "late:7"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.Name);
        Reset();
        TLog log;
        std::vector<std::unique_ptr<TObserver>> listeners;
        for (int i = 0; i < 4; ++i)
            listeners.push_back(std::make_unique<TObserver>(std::to_string(i), log));
        TObserver late("late", log);
        for (auto& l : listeners) EventCenter().AddObserver(l.get());
        bool done = false;
        listeners[tc.Actor]->OnCall = [&] {
            if (done) return;
            done = true;
            for (int r : tc.Removes) EventCenter().RemoveObserver(listeners[r].get());
            if (tc.AddsLate) EventCenter().AddObserver(&late);
        };
        EventCenter().EventNotify(7);
        EXPECT_EQ(log, tc.Expected);
    }
}

TEST_F(CentersTest, NestedBroadcastWithRemovalKeepsOuterBroadcastOnTrack) {
    TLog log;
    TObserver a("a", log), b("b", log), c("c", log);
    for (auto* o : {&a, &b, &c}) EventCenter().AddObserver(o);
    b.OnCall = [&] {
        if (log.size() > 2) return;
        EventCenter().RemoveObserver(&a);
        EventCenter().EventNotify(2);  // b and c again, inside the first round
    };
    EventCenter().EventNotify(1);
    EXPECT_EQ(log, (TLog{"a:1", "b:1", "b:2", "c:2", "c:1"}));
}

TEST_F(CentersTest, CommandsReachEveryExecutorThroughTheSendersProc) {
    TLog log;
    TMenu menu({1150});
    TExecutor first("x", log), second("y", log);
    CommandCenter().AddExecutor(&first);
    CommandCenter().AddExecutor(&second);
    CommandCenter().AddSender(&menu);
    ASSERT_TRUE(menu.Proc);
    menu.Proc(1150);
    CommandCenter().ExecuteCommand(9999);  // nobody knows it: still reaches both
    EXPECT_EQ(log, (TLog{"x!1150", "y!1150", "x!9999", "y!9999"}));
}

TEST_F(CentersTest, CheckCommandStopsAtTheFirstObjectionAndWritesOnlyChanges) {
    TLog log;
    TMenu menu({1010}), toolbar({1010});
    TExecutor a("a", log), b("b", log), c("c", log);
    for (auto* e : {&a, &b, &c}) CommandCenter().AddExecutor(e);
    CommandCenter().AddSender(&menu);
    CommandCenter().AddSender(&toolbar);

    EXPECT_TRUE(CommandCenter().CheckCommand(1010));  // disabled -> enabled: written
    EXPECT_TRUE(menu.Items[1010].Enabled && toolbar.Items[1010].Enabled);
    EXPECT_EQ(menu.EnableWrites, 1);
    EXPECT_TRUE(CommandCenter().CheckCommand(1010));  // unchanged: not written again
    EXPECT_EQ(menu.EnableWrites, 1);

    b.Objects.insert(1010);
    log.clear();
    EXPECT_FALSE(CommandCenter().CheckCommand(1010));
    EXPECT_EQ(log, (TLog{"a?1010", "b?1010"}));  // c is not asked
    EXPECT_FALSE(menu.Items[1010].Enabled || toolbar.Items[1010].Enabled);
    EXPECT_EQ(toolbar.EnableWrites, 2);
    EXPECT_FALSE(CommandCenter().CheckCommand(1010));
    EXPECT_EQ(toolbar.EnableWrites, 2);

    b.Objects.clear();
    EXPECT_TRUE(CommandCenter().CheckCommand(1010));
    EXPECT_TRUE(menu.Items[1010].Enabled);
    EXPECT_EQ(menu.EnableWrites, 3);
}

TEST_F(CentersTest, CheckCommandsVisitsEveryIdOfEverySender) {
    TLog log;
    TMenu menu({1010, 1110}), tray({1960});
    TExecutor e("e", log);
    e.Objects.insert(1110);
    CommandCenter().AddExecutor(&e);
    CommandCenter().AddSender(&menu);
    CommandCenter().AddSender(&tray);
    CommandCenter().CheckCommands();
    EXPECT_EQ(log, (TLog{"e?1010", "e?1110", "e?1960"}));
    EXPECT_TRUE(menu.Items[1010].Enabled);
    EXPECT_FALSE(menu.Items[1110].Enabled);
    EXPECT_TRUE(tray.Items[1960].Enabled);
}

TEST_F(CentersTest, QueriesAskTheFirstSenderHoldingTheId) {
    TMenu without({1}), first({1720}), second({1720});
    first.Items[1720] = {true, true, u"&Stay On Top"};
    second.Items[1720] = {false, false, u"other"};
    for (auto* s : {&without, &first, &second}) CommandCenter().AddSender(s);
    EXPECT_TRUE(CommandCenter().GetChecked(1720));
    EXPECT_TRUE(CommandCenter().GetEnabled(1720));
    EXPECT_EQ(CommandCenter().GetItemText(1720), u"&Stay On Top");
    EXPECT_FALSE(CommandCenter().GetChecked(4242));
    EXPECT_FALSE(CommandCenter().GetEnabled(4242));
    EXPECT_EQ(CommandCenter().GetItemText(4242), u"");

    // Switching flips each holder's own mark.
    CommandCenter().SwitchChecked(1720);
    EXPECT_FALSE(first.Items[1720].Checked);
    EXPECT_TRUE(second.Items[1720].Checked);
    EXPECT_EQ(without.Items.count(1720), 0u);
    CommandCenter().SetChecked(1720, false);
    EXPECT_FALSE(second.Items[1720].Checked);
}

TEST_F(CentersTest, ListCenterFillsFromAllProvidersAndTipsFromTheFirstThatAnswers) {
    struct TProvider : IListProvider {
        int32_t ListId;
        std::u16string Text;
        bool Answers;
        int TipCalls = 0;
        TProvider(int32_t listId, std::u16string text, bool answers)
            : ListId(listId), Text(std::move(text)), Answers(answers) {}
        void GetListItems(int32_t listId, TknStrList& texts) override {
            if (listId == ListId) texts.Add(Text);
        }
        bool GetItemTip(int32_t, int& index, int, std::u16string& tip) override {
            ++TipCalls;
            if (!Answers) return false;
            index = 2;
            tip = Text;
            return true;
        }
    };
    TProvider clips(4000, u"clip", false), templ(5000, u"templ", true), more(5000, u"more", true);
    for (auto* p : {&clips, &templ, &more}) ListCenter().AddProvider(p);
    TknStrList texts;
    ListCenter().GetListItems(5000, texts);
    ASSERT_EQ(texts.Count(), 2);
    EXPECT_EQ(texts.Items(0), u"templ");
    EXPECT_EQ(texts.Items(1), u"more");

    int index = -1;
    std::u16string tip;
    EXPECT_TRUE(ListCenter().GetItemTip(5001, index, 200, tip));
    EXPECT_EQ(tip, u"templ");
    EXPECT_EQ(index, 2);
    EXPECT_EQ(more.TipCalls, 0);
    ListCenter().RemoveProvider(&templ);
    ListCenter().RemoveProvider(&more);
    EXPECT_FALSE(ListCenter().GetItemTip(5001, index, 200, tip));
}

TEST_F(CentersTest, NewListenersAreToldAtOnceButOnlyOnce) {
    TOptionListener options;
    OptionManager().AddObserver(&options);
    EXPECT_EQ(options.Calls, 1);
    OptionManager().AddObserver(&options);  // already present
    EXPECT_EQ(options.Calls, 1);

    struct TMemorizer : IMemorizer {
        int Restores = 0;
        void SaveMemory() override { MemoryManager().TreeWidth = 222; }
        void RestoreMemory() override { ++Restores; }
    } memorizer;
    MemoryManager().AddObserver(&memorizer);
    EXPECT_EQ(memorizer.Restores, 1);
    // SaveMemory pulls the state first, then writes it.
    MemoryManager().SaveMemory();
    ReleaseMemoryManager();
    EXPECT_EQ(MemoryManager().TreeWidth, 222);

    TSizeListener size;
    SizeCenter().AddObserver(&size);
    EXPECT_EQ(size.Calls, 1);
    OptionManager().RemoveObserver(&options);
}

TEST_F(CentersTest, CancelledOptionsDialogNeitherSavesNorNotifies) {
    TScriptedOptionsDialog dialog;
    SetOptionsDialog(&dialog);
    TOptionListener listener;
    OptionManager().AddObserver(&listener);

    OptionManager().SetOptions(nullptr);  // no Edit: cancelled
    EXPECT_EQ(dialog.Runs, 1);
    EXPECT_EQ(listener.Calls, 1);
    EXPECT_FALSE(FileExists(FFolder.File16("quillbox.ini")));

    dialog.Edit = [](TOptions& o) {
        o.AutoSaveTime = 3;
        return true;
    };
    OptionManager().SetOptions(nullptr);
    EXPECT_EQ(listener.Calls, 2);  // told once, not twice
    EXPECT_EQ(OptionManager().AutoSaveTime, 3);
    ReleaseShellGlobals();
    EXPECT_EQ(OptionManager().AutoSaveTime, 3);  // it was saved
}

TEST_F(CentersTest, SizeCenterThresholdsAndNotifications) {
    TSizeListener listener;
    SizeCenter().AddObserver(&listener);
    SizeCenter().SetSize(400, 260);
    EXPECT_EQ(listener.Calls, 2);
    SizeCenter().SetSize(400, 260);  // unchanged: silent
    EXPECT_EQ(listener.Calls, 2);

    // Level 3: thresholds + 60, strictly above.
    EXPECT_FALSE(SizeCenter().RoomForMenuBar());  // 260 is not above 260
    EXPECT_TRUE(SizeCenter().RoomForTabBar());
    EXPECT_FALSE(SizeCenter().RoomForToolBar());
    EXPECT_TRUE(SizeCenter().RoomForTree());  // 400 > 380
    SizeCenter().SetSize(380, 261);
    EXPECT_TRUE(SizeCenter().RoomForMenuBar());
    EXPECT_FALSE(SizeCenter().RoomForTree());
    EXPECT_FALSE(SizeCenter().RoomForMultiLineTabs());

    // The level is clamped to 1..5 and an option change notifies.
    TOptions options = OptionManager().Options();
    options.AutoAdjustLevel = 9;
    OptionManager().ReplaceOptions(options);
    OptionManager().NotifyAll();
    EXPECT_EQ(SizeCenter().Level(), 5);
    EXPECT_EQ(listener.Calls, 4);
    EXPECT_FALSE(SizeCenter().RoomForMenuBar());  // 261 is not above 300

    options.AutoAdjust = false;
    OptionManager().ReplaceOptions(options);
    OptionManager().NotifyAll();
    SizeCenter().SetSize(1, 1);
    EXPECT_TRUE(SizeCenter().RoomForTree() && SizeCenter().RoomForMultiLineTabs() &&
                SizeCenter().RoomForToolBar() && SizeCenter().RoomForMenuBar() &&
                SizeCenter().RoomForTabBar());
}

TEST_F(CentersTest, SaveCenterAsksEverySaverAndCanBeMadeByAFactory) {
    TLog log;
    struct TSaver : ISaver {
        TSaver(std::string name, TLog& log) : Name(std::move(name)), Log(log) {}
        void Save() override { Log.push_back(Name); }
        std::string Name;
        TLog& Log;
    } first("first", log), second("second", log);
    SaveCenter().AddSaver(&first);
    SaveCenter().AddSaver(&second);
    SaveCenter().Save();
    EXPECT_EQ(log, (TLog{"first", "second"}));

    ReleaseCenters();
    SetSaveCenterFactory([] { return std::make_unique<TCountingCenter>(); });
    SaveCenter().Save();
    EXPECT_EQ(gSaveCentersCreated, 1);
    EXPECT_NE(dynamic_cast<TCountingCenter*>(&SaveCenter()), nullptr);
}

TEST_F(CentersTest, ReleasedCentersAreNotRecreatedByTheirListeners) {
    // The size center outlives the option manager: its destructor must not make a new one.
    SizeCenter();
    ReleaseOptionManager();
    ReleaseCenters();
    EXPECT_EQ(ExistingOptionManager(), nullptr);
    EXPECT_EQ(ExistingSizeCenter(), nullptr);

    // The other way round it unregisters, so the next broadcast cannot reach it.
    SizeCenter();
    ReleaseCenters();
    ASSERT_NE(ExistingOptionManager(), nullptr);
    TOptionListener listener;
    OptionManager().AddObserver(&listener);
    OptionManager().NotifyAll();
    EXPECT_EQ(listener.Calls, 2);
    OptionManager().RemoveObserver(&listener);
}

}  // namespace qb::test
