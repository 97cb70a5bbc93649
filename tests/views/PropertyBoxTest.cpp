// The property box's decisions: the columns offered and stored, the type's default settings,
// Apply to all, and the general fields.

#include <gtest/gtest.h>

#include "model/SysPagesFixture.h"
#include "model/UPageProperty.h"
#include "views/UPropertyBox.h"

namespace qb::test {
namespace {

using PropertyBoxTest = TSysPagesTest;

std::vector<int32_t> Shown(const TListSettings& s) {
    std::vector<int32_t> ids;
    for (const TColumnChoice& c : s.Columns)
        if (c.Shown) ids.push_back(c.FieldId);
    return ids;
}

TEST_F(PropertyBoxTest, ColumnsShownComeFirstAndOnlyShownOnesAreStored) {
    TPageSuper* memo = Add(GroupRoot(), ptMemo, u"Memos");
    TListProperty& list = *memo->ListProperty();
    TListSettings s = LoadListSettings(*memo, list);
    // Title, Time, Description shown; then the rest of the memo columns, each once.
    ASSERT_EQ(s.Columns.size(), 7u);
    EXPECT_EQ(Shown(s), (std::vector<int32_t>{fiTitle, fiMemoTime, fiMemoDescription}));
    EXPECT_EQ(s.Columns[3].FieldId, fiMemoAction);
    EXPECT_EQ(s.Columns[0].Caption, u"Title");
    EXPECT_EQ(s.Columns[2].Width, 200);

    s.Columns[1].Shown = false;  // Time goes, Action comes, at its place in the list
    s.Columns[3].Shown = true;
    s.ViewStyle = vsAbstract;
    StoreListSettings(s, list);
    EXPECT_EQ(Ids(list.Columns), (std::vector<int32_t>{fiTitle, fiMemoDescription, fiMemoAction}));
    EXPECT_EQ(Ids(list.Widths), (std::vector<int32_t>{100, 200, 100}));
    EXPECT_EQ(memo->ClientKind(), ckAbstract);
}

TEST_F(PropertyBoxTest, DefaultsAndApplyToAllTouchExactlyThePagesOfTheType) {
    TPageSuper* memoA = Add(GroupRoot(), ptMemo, u"A");
    TPageSuper* group = Add(GroupRoot(), ptGroup, u"G");
    TPageSuper* memoB = Add(group, ptMemo, u"B");
    TPageSuper* links = Add(GroupRoot(), ptLink, u"L");
    const std::u16string linkSettings = [&] {
        TknStrList e;
        links->ListProperty()->Save(e);
        return e.GetText();
    }();

    TListSettings s = LoadListSettings(*memoA, *memoA->ListProperty());
    s.ShowGrids = true;
    s.Columns[2].Shown = false;
    EXPECT_EQ(ApplyListSettingsToAll(ptMemo, s), 2);
    for (TPageSuper* memo : {memoA, memoB}) {
        EXPECT_TRUE(memo->ListProperty()->ShowGrids);
        EXPECT_EQ(Ids(memo->ListProperty()->Columns), (std::vector<int32_t>{fiTitle, fiMemoTime}));
    }
    TknStrList e;
    links->ListProperty()->Save(e);
    EXPECT_EQ(e.GetText(), linkSettings);

    // Save Default, then Load Default on another page of the type.
    s.ViewStyle = vsList;
    SaveDefaultListSettings(ptMemo, s);
    TListSettings loaded = DefaultListSettings(*memoB);
    EXPECT_EQ(loaded.ViewStyle, vsList);
    EXPECT_EQ(Shown(loaded), (std::vector<int32_t>{fiTitle, fiMemoTime}));
    EXPECT_NE(DefaultListSettings(*links).ViewStyle, vsList);
}

TEST_F(PropertyBoxTest, GeneralFields) {
    TPageSuper* group = Add(GroupRoot(), ptGroup, u"Work");
    TPageSuper* note = Add(group, ptNote, u"Plan");
    TGeneralFields f = LoadGeneralFields(*note);
    EXPECT_EQ(f.Name, u"Plan");
    EXPECT_EQ(f.NodePath, u"Root\\Work\\Plan");
    EXPECT_EQ(f.TypeName, u"NotePage");
    f.Name = u"Plan B";
    f.Status = psLocked;
    SaveGeneralFields(f, *note);
    EXPECT_EQ(note->Name(), u"Plan B");
    EXPECT_EQ(note->Status(), psLocked);
    f.Name = u"  ";  // an empty name is not taken
    SaveGeneralFields(f, *note);
    EXPECT_EQ(note->Name(), u"Plan B");
}

}  // namespace
}  // namespace qb::test
