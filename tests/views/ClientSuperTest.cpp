// The client base: only the active client hears commands and page events, and it loads and
// saves on the workspace's page events.

#include <gtest/gtest.h>

#include <string>

#include "model/ModelFixture.h"
#include "views/UClientSuper.h"

namespace qb::test {
namespace {

class TLogClient : public TClientSuper {
  public:
    void Load(TPageSuper* page) override {
        SetPage(page);
        Log += u"L" + std::u16string(page->Name());
    }
    void Unload() override { Log += u"U"; }
    IClientControl* Control() override { return nullptr; }
    void Save() override { Log += u"S" + std::u16string(Page()->Name()); }
    void ExecuteCommand(int32_t id) override { Log += u"X" + IntToStr(id); }
    std::u16string Log;
};

class ClientSuperTest : public TModelTest {};

TEST_F(ClientSuperTest, OnlyTheActiveClientListensAndItSavesItsOwnPage) {
    TPageSuper* a = Add(GroupRoot(), ptNote, u"a");
    TPageSuper* b = Add(GroupRoot(), ptNote, u"b");
    TLogClient client;
    CommandCenter().ExecuteCommand(1010);
    PageCenter().SetActivePage(a);
    EXPECT_EQ(client.Log, u"");  // inactive: deaf

    client.SetActive(true);
    PageCenter().SetActivePage(a);
    PageCenter().Notify(pePageDeactivated, b->Id());  // not its page
    PageCenter().Notify(pePageDeactivated, a->Id());
    CommandCenter().ExecuteCommand(1010);
    EXPECT_EQ(client.Log, u"La" u"Sa" u"X1010");

    client.Log.clear();
    client.SetActive(false);
    EXPECT_EQ(client.Page(), nullptr);
    PageCenter().SetActivePage(b);
    CommandCenter().ExecuteCommand(1010);
    EXPECT_EQ(client.Log, u"U");
}

}  // namespace
}  // namespace qb::test
