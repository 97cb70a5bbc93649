#pragma once

// A notebook started as the program starts it: the system-page manager over a fresh store, with
// the shell's centers, options and memory released after each test.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ModelFixture.h"
#include "model/UDeleteHandler.h"
#include "model/UFavoritePage.h"
#include "model/URecentPage.h"
#include "model/URecycleBin.h"
#include "model/USearchPage.h"
#include "model/USysPageHandler.h"
#include "model/USysPageManager.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UknClasses.h"

namespace qb::test {

// Answers the questions as told and records what deleting showed.
class TScriptedDeleteSite : public IDeleteSite {
  public:
    bool Confirm(std::u16string_view question) override {
        Questions.emplace_back(question);
        return Answer;
    }
    void ForgetPage(int32_t pageId) override { Forgotten.push_back(pageId); }
    void ShowProgress(std::u16string_view text, std::u16string_view name) override {
        Progress.push_back(std::u16string(text) + u"|" + std::u16string(name));
    }
    void HideProgress() override { ++Hidden; }
    bool EscapeHeld() override { return ++Checks == EscapeAtCheck; }
    void ShowNotice(std::u16string_view text) override { Notices.emplace_back(text); }

    bool Answer = true;
    int EscapeAtCheck = 0;  // ESC is held at this check (1-based); 0 never
    int Checks = 0;
    int Hidden = 0;
    std::vector<std::u16string> Questions, Progress, Notices;
    std::vector<int32_t> Forgotten;
};

// Counts one numbered event of the event center.
class TEventCounter : public IEventObserver {
  public:
    explicit TEventCounter(int32_t event) : Event(event) { EventCenter().AddObserver(this); }
    ~TEventCounter() override {
        if (TknEventCenter* center = ExistingEventCenter()) center->RemoveObserver(this);
    }
    void EventNotify(int32_t event, int32_t, int32_t) override { Count += event == Event; }
    int32_t Event;
    int Count = 0;
};

class TSysPagesTest : public TModelTest {
  protected:
    TSysPagesTest() : Manager(std::make_unique<TSysPageManager>()) {}
    ~TSysPagesTest() override {
        Manager.reset();
        ReleaseDeleteHandler();
        SetSearchDialog(nullptr);
        ReleaseShellGlobals();
    }

    int32_t IdOf(uint8_t type) {
        int32_t id = 0;
        return Store().FindFirstOfType(type, id) ? id : kNoOwnerId;
    }
    TPageSuper* Sys(uint8_t type) { return Page(IdOf(type)); }
    TPageSuper* Bin() { return Sys(ptRecycleBin); }
    TPageSuper* Favorites() { return Sys(ptFavorite); }

    std::vector<int32_t> Children(TPageSuper* page) {
        TknIntList ids;
        page->GetChildIds(ids);
        return Ids(ids);
    }
    std::vector<int32_t> Children(uint8_t type) { return Children(Sys(type)); }
    std::vector<std::u16string> Names(const std::vector<int32_t>& ids) {
        std::vector<std::u16string> names;
        for (int32_t id : ids) names.push_back(Page(id) ? Page(id)->Name() : u"(gone)");
        return names;
    }
    std::vector<int> Types(const std::vector<int32_t>& ids) {
        std::vector<int> types;
        for (int32_t id : ids) types.push_back(Page(id)->PageType());
        return types;
    }
    int32_t ActiveId() {
        TPageSuper* page = PageCenter().ActivePage();
        return page ? page->Id() : kNoOwnerId;
    }
    TPageSuper* AddText(TPageSuper* parent, uint8_t type, std::u16string_view name,
                        std::u16string_view text) {
        TPageSuper* page = Add(parent, type, name);
        page->SetText(text);
        return page;
    }

    std::unique_ptr<TSysPageManager> Manager;
};

}  // namespace qb::test
