// The edit boxes' shared rules over in-memory fields: where a box stands and which steps it
// offers, a new item placed before its insert position, stepping and saving, the icon path.

#include <gtest/gtest.h>

#include "foundation/UknFunctions.h"
#include "model/SysPagesFixture.h"
#include "views/UEditBox.h"

namespace qb::test {
namespace {

// A box whose one field is the item's name.
class TNameFields : public IItemFields {
  public:
    void LoadItem(TPageSuper& item) override { Name = item.Name(); }
    void ClearForNew() override { Name.clear(); }
    bool FieldsValid() override { return Valid; }
    void SaveItem(TPageSuper& item) override { item.SetName(Name); }
    void ShowPosition(bool newItem, bool prior, bool next) override {
        Shown = std::string(newItem ? "new" : "edit") + (prior ? " <" : "") + (next ? " >" : "");
    }
    std::u16string Name;
    bool Valid = true;
    std::string Shown;
};

class EditBoxTest : public TSysPagesTest {
  protected:
    EditBoxTest() {
        List = Add(GroupRoot(), ptLink, u"Links");
        for (const char16_t* name : {u"a", u"b", u"c"}) Add(List, ptLinkItem, name);
    }
    int32_t At(int index) { return Children(List)[index]; }
    std::vector<std::u16string> ListNames() { return Names(Children(List)); }

    TNameFields Fields;
    TPageSuper* List = nullptr;
};

TEST_F(EditBoxTest, PositionAndSteps) {
    struct {
        int32_t item;        // index of the edited item, -1: a new one
        int32_t insertAt;    // index of the insert position, -1: at the end
        const char* shown;
    } cases[] = {
        {0, -1, "edit >"}, {1, -1, "edit < >"}, {2, -1, "edit <"},
        {-1, -1, "new"},   {-1, 0, "new >"},    {-1, 2, "new <"},
    };
    for (const auto& c : cases) {
        TEditBoxSuper box(Fields, ptLinkItem, List->Id(), c.item < 0 ? -1 : At(c.item),
                          c.insertAt < 0 ? -1 : At(c.insertAt));
        box.Refresh();
        EXPECT_EQ(Fields.Shown, c.shown) << c.item << " " << c.insertAt;
    }
}

TEST_F(EditBoxTest, ANewItemGoesBeforeItsInsertPositionAndPriorShowsTheOneBefore) {
    TEditBoxSuper box(Fields, ptLinkItem, List->Id(), -1, At(2));  // inserted before the last
    box.Refresh();
    Fields.Name = u"new";
    ASSERT_TRUE(box.Prior());
    EXPECT_EQ(ListNames(), (std::vector<std::u16string>{u"a", u"b", u"new", u"c"}));
    EXPECT_EQ(Fields.Name, u"b");
    EXPECT_EQ(box.ItemId(), At(1));
    EXPECT_EQ(Fields.Shown, "edit < >");

    Fields.Name = u"B";  // edited, then the next one
    ASSERT_TRUE(box.Next());
    EXPECT_EQ(Page(At(1))->Name(), u"B");
    EXPECT_EQ(Fields.Name, u"new");

    // Refused fields make nothing.
    TEditBoxSuper refused(Fields, ptLinkItem, List->Id(), -1, -1);
    refused.Refresh();
    Fields.Valid = false;
    EXPECT_FALSE(refused.Save());
    EXPECT_EQ(Children(List).size(), 4u);
}

TEST_F(EditBoxTest, SaveAndNewTwiceMakesTwoItemsAtTheEnd) {
    TEditBoxSuper box(Fields, ptLinkItem, List->Id(), At(0), -1);
    box.Refresh();
    Fields.Name = u"A";
    ASSERT_TRUE(box.SaveAndNew());
    EXPECT_TRUE(box.IsNew());
    Fields.Name = u"x";
    ASSERT_TRUE(box.SaveAndNew());
    Fields.Name = u"y";
    ASSERT_TRUE(box.Save());
    EXPECT_EQ(ListNames(), (std::vector<std::u16string>{u"A", u"b", u"c", u"x", u"y"}));
    EXPECT_EQ(Page(At(4))->PageType(), ptLinkItem);
}

TEST_F(EditBoxTest, IconPathsInsideTheProgramFolderAreStoredRelative) {
    TPageSuper* item = Page(At(0));
    const std::u16string inside = ProgramFolder() + u"icons/star.ico";
    item->SetIconFile(inside);
    EXPECT_EQ(item->IconFile(), u".\\icons/star.ico");
    EXPECT_EQ(NativePath(ItemIconPath(*item)), inside);
    item->SetIconFile(u"/usr/share/icons/x.ico");
    EXPECT_EQ(ItemIconPath(*item), u"/usr/share/icons/x.ico");
    item->SetIconFile(u"");
    EXPECT_EQ(ItemIconPath(*item), u"");
}

}  // namespace
}  // namespace qb::test
