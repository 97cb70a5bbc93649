// Pages in a real store: names, children, status, deleting, copying, texts and external files.

#include "ModelFixture.h"
#include "features/UMemoPage.h"
#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"

namespace qb::test {
namespace {

using TPageTreeTest = TModelTest;

std::vector<std::u16string> ChildNames(TPageSuper* container) {
    TknIntList ids;
    container->GetChildIds(ids);
    std::vector<std::u16string> names;
    for (int i = 0; i < ids.Count(); ++i) names.push_back(GetStore().GetPage(ids.Items(i))->Name());
    return names;
}

TEST_F(TPageTreeTest, NewPagesTakeTheFirstFreeDefaultName) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    EXPECT_EQ(group->Name(), u"Group1");
    Add(group, ptNote, u"Note1");
    Add(group, ptNote, u"Note3");
    EXPECT_EQ(Add(group, ptNote)->Name(), u"Note2");
    EXPECT_EQ(Add(group, ptNote)->Name(), u"Note4");
    TPageSuper* memo = Add(group, ptMemo);
    EXPECT_EQ(memo->Name(), u"Memo1");
    EXPECT_EQ(Add(memo, ptMemoItem)->Name(), u"1");  // items have no base name
    EXPECT_EQ(Add(memo, ptMemoItem)->Name(), u"2");
    // A fresh list page takes its class's default list settings.
    EXPECT_EQ(Ids(memo->ListProperty()->Columns), (std::vector<int32_t>{25840, 25140, 25180}));
    EXPECT_EQ(memo->TrueProperty()->CreateTime, Now);
}

TEST_F(TPageTreeTest, SetNameEscapesLineBreaksAndCutsAt200) {
    TPageSuper* note = Add(GroupRoot(), ptNote);
    TEventLog log;
    note->SetName(u"a\r\nb\tc\vd\re\nf");
    EXPECT_EQ(note->Name(), u"a  b  c  d  e  f");  // a lone LF too: names stay on one line
    note->SetName(u"a\r\nb\tc\vd\re\nf");  // the same name again: no event
    EXPECT_EQ(log.Events.size(), 1u);
    EXPECT_EQ(log.Events[0], TEventLog::TEvent(pePageChanged, note->Id(), -1));
    note->SetName(std::u16string(300, u'x'));
    EXPECT_EQ(note->Name(), std::u16string(200, u'x'));
    std::u16string pair = std::u16string(199, u'x') + u"\U0001F600";  // 201 code units
    note->SetName(pair);
    EXPECT_EQ(note->Name(), std::u16string(199, u'x'));  // never half a character
}

TEST_F(TPageTreeTest, ChildListOperationsAndTheirEvents) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    TPageChilds* c = group->Childs();
    int32_t a = Add(group, ptNote)->Id(), b = Add(group, ptNote)->Id();
    int32_t x = Store().NewPage(group->Id(), ptNote), y = Store().NewPage(group->Id(), ptNote);
    TEventLog log;
    c->AddChild(x, b);  // before b
    EXPECT_EQ(Ids(c->Ids()), (std::vector<int32_t>{a, x, b}));
    c->AddChild(x, -1);   // listed already: nothing, no event
    c->AddChild(y, 999);  // before an id not listed: appended
    EXPECT_EQ(Ids(c->Ids()), (std::vector<int32_t>{a, x, b, y}));
    c->RemoveChild(x);
    c->InsertChild(x, 0);
    c->InsertChild(a, 3);  // listed: nothing
    c->RemoveChildAt(7);   // invalid: nothing
    c->RemoveChildAt(3);
    EXPECT_EQ(Ids(c->Ids()), (std::vector<int32_t>{x, a, b}));
    const std::vector<TEventLog::TEvent> expected{{peChildAdded, group->Id(), x},
                                                  {peChildAdded, group->Id(), y},
                                                  {peChildRemoved, group->Id(), x},
                                                  {peChildAdded, group->Id(), x},
                                                  {peChildRemoved, group->Id(), y}};
    EXPECT_EQ(log.Events, expected);
}

// An observer that looks at the list when told of a removal.
class TRemovalProbe : public IPageObserver {
  public:
    explicit TRemovalProbe(TPageChilds* childs) : FChilds(childs) {
        PageCenter().AddObserver(this);
    }
    ~TRemovalProbe() override { PageCenter().RemoveObserver(this); }
    void PageEvent(uint8_t event, int32_t, int32_t argument) override {
        if (event == peChildRemoved) StillListed = FChilds->IndexOf(argument) >= 0;
    }
    bool StillListed = false;

  private:
    TPageChilds* FChilds;
};

TEST_F(TPageTreeTest, RemovalIsAnnouncedBeforeTheIdGoes) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    int32_t a = Add(group, ptNote)->Id();
    TRemovalProbe probe(group->Childs());
    group->Childs()->RemoveChild(a);
    EXPECT_TRUE(probe.StillListed);
    EXPECT_EQ(group->Childs()->Count(), 0);
}

TEST_F(TPageTreeTest, ChildListsDropUnknownIdsAndDamage) {
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    int32_t a = Add(group, ptNote)->Id(), b = Add(group, ptNote)->Id();
    TknStrList entries;
    auto load = [&](std::u16string text) {
        SetEntries(entries, {text});
        group->Childs()->Load(entries);
        return Ids(group->Childs()->Ids());
    };
    std::u16string sa = IntToStr(a), sb = IntToStr(b);
    EXPECT_EQ(load(sa + u",777," + sb), (std::vector<int32_t>{a, b}));
    // Empty or broken pieces are not id 0 (the group root); repeated ids are kept once.
    EXPECT_EQ(load(sa + u",," + sb + u",x," + sa + u",99999999999"), (std::vector<int32_t>{a, b}));
    EXPECT_EQ(load(u""), std::vector<int32_t>{});
    // Enumeration drops the container itself and pages deleted meanwhile.
    load(sa + u"," + IntToStr(group->Id()) + u"," + sb);
    Store().DeletePage(a);
    TknIntList ids;
    group->GetChildIds(ids);
    EXPECT_EQ(Ids(ids), std::vector<int32_t>{b});
    EXPECT_EQ(Ids(group->Childs()->Ids()), std::vector<int32_t>{b});
}

TEST_F(TPageTreeTest, LockingReachesOwnedPagesOnly) {
    TPageSuper* root = GroupRoot();
    TPageSuper* group = Add(root, ptGroup);
    TPageSuper* sub = Add(group, ptGroup);
    TPageSuper* deep = Add(sub, ptNote);
    TPageSuper* other = Add(root, ptNote);
    TPageSuper* tag = Add(root, ptTag);
    tag->Childs()->AddChild(other->Id());  // a reference
    Add(tag, ptTag);
    tag->SetStatus(psLocked);
    EXPECT_EQ(other->Status(), psNormal);
    group->SetStatus(psReadOnly);
    EXPECT_EQ(sub->Status(), psReadOnly);
    EXPECT_EQ(deep->Status(), psReadOnly);
    group->SetStatus(psNormal);
    EXPECT_EQ(deep->Status(), psNormal);
    group->SetStatus(9);  // no such status
    EXPECT_EQ(group->Status(), psNormal);
}

TEST_F(TPageTreeTest, DeletableOnlyWithoutLockedOwnedPages) {
    TPageSuper* root = GroupRoot();
    TPageSuper* holder = Add(root, ptGroup);
    TPageSuper* locked = Add(holder, ptNote);
    locked->SetStatus(psLocked);
    TPageSuper* tag = Add(root, ptTag);
    tag->Childs()->AddChild(locked->Id());
    tag->Childs()->AddChild(12345);  // missing pages count as deletable
    EXPECT_FALSE(holder->CanDelete());
    EXPECT_TRUE(tag->CanDelete());
    EXPECT_FALSE(root->CanDelete());
    locked->SetStatus(psNormal);
    EXPECT_TRUE(holder->CanDelete());
}

TEST_F(TPageTreeTest, DeletingAContainerDeletesWhatItOwns) {
    TPageSuper* root = GroupRoot();
    TPageSuper* group = Add(root, ptGroup);
    int32_t groupId = group->Id();
    int32_t note = Add(group, ptNote)->Id();
    int32_t subNote = Add(Add(group, ptGroup), ptNote)->Id();
    int32_t outside = Add(root, ptNote)->Id();
    group->Childs()->AddChild(outside);                    // referenced only
    int32_t templ = Store().NewPage(groupId, ptTemplate);  // a single-instance page
    group->Childs()->AddChild(templ);
    root->Childs()->RemoveChild(groupId);
    group->Delete();
    EXPECT_FALSE(Store().PageExists(groupId));
    EXPECT_FALSE(Store().PageExists(note));
    EXPECT_FALSE(Store().PageExists(subNote));
    EXPECT_TRUE(Store().PageExists(outside));
    EXPECT_TRUE(Store().PageExists(templ));
}

TEST_F(TPageTreeTest, OwnershipLoopsInADamagedFileEndEveryWalk) {
    TPageSuper* root = GroupRoot();
    TPageSuper* a = Add(root, ptGroup);
    TPageSuper* b = Add(a, ptGroup);
    // b claims to own a, and lists it: a loop.
    a->SetOwnerId(b->Id());
    b->Childs()->AddChild(a->Id());
    a->SetStatus(psLocked);
    EXPECT_EQ(b->Status(), psLocked);
    EXPECT_FALSE(a->CanDelete());
    a->SetStatus(psNormal);
    EXPECT_TRUE(a->CanDelete());
    EXPECT_FALSE(a->ExportText(false).empty());
    int32_t aId = a->Id(), bId = b->Id();
    root->Childs()->RemoveChild(aId);
    a->Delete();
    EXPECT_FALSE(Store().PageExists(aId));
    EXPECT_FALSE(Store().PageExists(bId));
}

TEST_F(TPageTreeTest, CopyingAGroupCopiesOwnedPagesAndKeepsReferences) {
    TPageSuper* root = GroupRoot();
    TPageSuper* group = Add(root, ptTag, u"Tag");
    TPageSuper* owned = Add(group, ptTag, u"Sub");
    Add(owned, ptTag, u"Deep");
    TPageSuper* elsewhere = Add(root, ptNote, u"Elsewhere");
    group->Childs()->AddChild(elsewhere->Id());
    group->TrueProperty()->Remark = u"remark";
    TPageSuper* copy = Add(root, ptTag);
    copy->CopyFrom(*group);
    EXPECT_EQ(copy->Name(), u"Tag");
    EXPECT_EQ(copy->TrueProperty()->Remark, u"remark");
    TknIntList ids;
    copy->GetChildIds(ids);
    ASSERT_EQ(ids.Count(), 2);
    TPageSuper* subCopy = Page(ids.Items(0));
    EXPECT_NE(subCopy->Id(), owned->Id());
    EXPECT_EQ(subCopy->OwnerId(), copy->Id());
    EXPECT_EQ(subCopy->Name(), u"Sub");
    EXPECT_EQ(ChildNames(subCopy), std::vector<std::u16string>{u"Deep"});
    EXPECT_EQ(ids.Items(1), elsewhere->Id());  // still a reference
}

TEST_F(TPageTreeTest, CopyingIntoItsOwnSubtreeEnds) {
    TPageSuper* group = Add(GroupRoot(), ptGroup, u"G");
    TPageSuper* inner = Add(group, ptGroup, u"Inner");
    Add(group, ptNote, u"N")->SetText(u"text");
    TPageSuper* copy = Add(inner, ptGroup);
    copy->CopyFrom(*group);
    EXPECT_EQ(ChildNames(copy), (std::vector<std::u16string>{u"Inner", u"N"}));
    TknIntList ids;
    copy->GetChildIds(ids);
    EXPECT_TRUE(ChildNames(Page(ids.Items(0))).empty());
    EXPECT_EQ(Page(ids.Items(1))->GetFullText(), u"text");
}

TEST_F(TPageTreeTest, CopyingALeafCopiesRemarkTextAndGivesFreshTimes) {
    TPageSuper* note = Add(GroupRoot(), ptNote, u"Original");
    note->SetText(u"body");
    note->TrueProperty()->Remark = u"why";
    note->SetStatus(psLocked);
    Now.Hour = 12;
    TPageSuper* copy = Add(GroupRoot(), ptNote);
    copy->CopyFrom(*note);
    EXPECT_EQ(copy->Name(), u"Original");
    EXPECT_EQ(copy->Status(), psLocked);
    EXPECT_EQ(copy->GetFullText(), u"body");
    EXPECT_EQ(copy->TrueProperty()->Remark, u"why");
    EXPECT_EQ(copy->TrueProperty()->CreateTime.Hour, 12);
    EXPECT_EQ(note->TrueProperty()->CreateTime.Hour, 10);
}

TEST_F(TPageTreeTest, TextsAbstractsAndModifyTime) {
    TPageSuper* note = Add(GroupRoot(), ptNote);
    Now.Minute = 5;
    note->SetText(u"12345");
    EXPECT_EQ(note->TrueProperty()->ModifyTime.Minute, 5);
    Now.Minute = 6;
    note->SetText(u"12345");  // unchanged: no new modify time
    EXPECT_EQ(note->TrueProperty()->ModifyTime.Minute, 5);
    EXPECT_EQ(note->GetText(5), u"12345");
    note->SetText(u"123456");
    EXPECT_EQ(note->GetText(5), u"12345 ...");
    EXPECT_EQ(note->GetText(0), u"");
    EXPECT_EQ(note->GetFieldText(fiText), u"123456");
    std::u16string longText(250, u'a');
    note->SetText(longText);
    EXPECT_EQ(note->GetFieldText(fiAbstract), std::u16string(200, u'a') + u" ...");
}

TEST_F(TPageTreeTest, SearchResultFieldShowsTheTextAroundTheMatch) {
    TPageSuper* note = Add(GroupRoot(), ptNote);
    note->SetText(u"0123456789abcdefghij\r\nNEEDLE\tend");
    SetSearchString(u"needle", false);
    EXPECT_EQ(note->GetFieldText(fiSearchResult), u"cdefghij  NEEDLE  end");
    SetSearchString(u"needle", true);  // case matters now: no match, the abstract instead
    EXPECT_EQ(note->GetFieldText(fiSearchResult), note->GetText(200));
    SetSearchString(u"0123", false);
    EXPECT_EQ(note->GetFieldText(fiSearchResult).substr(0, 4), u"0123");
}

TEST_F(TPageTreeTest, NodePathAndNeighbours) {
    TPageSuper* root = GroupRoot();
    root->SetName(u"Root");
    TPageSuper* group = Add(root, ptGroup, u"G");
    TPageSuper* a = Add(group, ptNote, u"A");
    TPageSuper* b = Add(group, ptNote, u"B");
    TPageSuper* c = Add(group, ptNote, u"C");
    EXPECT_EQ(b->GetFieldText(fiNodePath), u"Root\\G\\B");
    EXPECT_EQ(b->GetNeighbour(), c);
    EXPECT_EQ(c->GetNeighbour(), b);
    group->Childs()->RemoveChild(b->Id());
    EXPECT_EQ(b->GetNeighbour(), group);  // not listed: the parent
    group->Childs()->RemoveChild(c->Id());
    EXPECT_EQ(a->GetNeighbour(), group);  // alone: the parent
}

TEST_F(TPageTreeTest, ItemFieldTextsAndAbstract) {
    TPageSuper* memo = Add(GroupRoot(), ptMemo);
    auto* item = static_cast<TMemoItem*>(Add(memo, ptMemoItem, u"Dentist"));
    item->Memo().SetTimeText(u"2010-11-08 09:30");
    item->Memo().Description = u"bring\r\ncard";
    EXPECT_EQ(item->GetFieldText(fiTitle), u"Dentist");
    EXPECT_EQ(item->GetFieldText(fiMemoDescription), u"bring  card");
    EXPECT_EQ(item->GetFieldText(fiMemoAction), u"Remind");
    // The parent's columns without the title, one line each; the abstract column is skipped.
    memo->ListProperty()->Columns.Add(fiAbstract);
    EXPECT_EQ(item->GetFieldText(fiAbstract),
              u"Time: 2010-11-08 09:30\r\nDescription: bring  card");
    TPageSuper* separator = Add(memo, ptMemoItem, u"--- later");
    EXPECT_EQ(separator->GetFieldText(fiMemoTime), u"--- later");
    EXPECT_EQ(separator->GetImageIndex(), -1);
}

TEST_F(TPageTreeTest, ExternalFileSwitchOnAndOff) {
    TPageSuper* note = Add(GroupRoot(), ptNote);
    note->SetText(u"hello");
    TTruePageProperty* tp = note->TrueProperty();
    std::u16string file = Folder.File16("ext/n.txt");
    TEventLog log;
    tp->SetExternal(true, file);
    EXPECT_EQ(tp->ExternalFile, u".\\ext/n.txt");  // kept relative to the program folder
    EXPECT_EQ(Store().GetTextLength(note->Id()), 0);
    EXPECT_EQ(ReadBytes(Folder.File("ext/n.txt")), "\xFF\xFE" + Utf16LE(u"hello"));
    EXPECT_EQ(note->GetFullText(), u"hello");
    note->SetText(u"changed");
    EXPECT_EQ(ReadBytes(Folder.File("ext/n.txt")), "\xFF\xFE" + Utf16LE(u"changed"));
    EXPECT_EQ(note->GetText(3), u"cha ...");
    tp->SetExternal(false, u"");
    EXPECT_EQ(Store().ReadText(note->Id(), -1), u"changed");
    EXPECT_TRUE(FileExists(file));  // the old file is left alone
    ASSERT_FALSE(log.Events.empty());
    EXPECT_EQ(log.Events.back(), TEventLog::TEvent(pePageChanged, note->Id(), -1));
}

TEST_F(TPageTreeTest, ExternalFileFallsBackToTheStoreAndKeepsItsEncoding) {
    TPageSuper* note = Add(GroupRoot(), ptNote);
    note->SetText(u"in store");
    TTruePageProperty* tp = note->TrueProperty();
    tp->External = true;
    tp->ExternalFile = u".\\missing.txt";
    EXPECT_EQ(note->GetFullText(), u"in store");  // missing file: the store's text
    EXPECT_FALSE(FileExists(Folder.File16("missing.txt")));

    WriteBytes(Folder.File("plain.txt"), "abc");  // code page text, no byte-order mark
    tp->ExternalFile = u".\\plain.txt";
    EXPECT_EQ(note->GetFullText(), u"abc");
    note->SetText(u"abd");
    EXPECT_EQ(ReadBytes(Folder.File("plain.txt")), "abd");
    note->SetText(u"\u4E2D");  // not in the code page: written as UTF-8 rather than lost
    EXPECT_EQ(note->GetFullText(), u"\u4E2D");

    WriteBytes(Folder.File("marked.txt"), "\xFD\xFF\xFE" + Utf16LE(u"old"));
    tp->ExternalFile = u".\\marked.txt";
    note->SetText(u"new");
    EXPECT_EQ(ReadBytes(Folder.File("marked.txt")), "\xFD\xFF\xFE" + Utf16LE(u"new"));
}

TEST_F(TPageTreeTest, ItemListsExportAndImportTheirRecords) {
    TPageSuper* memo = Add(GroupRoot(), ptMemo);
    auto* item = static_cast<TMemoItem*>(Add(memo, ptMemoItem, u"One"));
    item->Memo().SetTimeText(u"@08:00:00");
    Add(memo, ptMemoItem, u"Two");
    std::u16string records = memo->ExportText(true);
    EXPECT_EQ(records.substr(0, 3), u"3\r\n");
    EXPECT_EQ(memo->ExportText(false).substr(0, 24), u"Title\tTime\tDescription\r\n");
    TPageSuper* copy = Add(GroupRoot(), ptMemo);
    copy->ImportText(records.substr(3));
    EXPECT_EQ(ChildNames(copy), (std::vector<std::u16string>{u"One", u"Two"}));
    TknIntList ids;
    copy->GetChildIds(ids);
    EXPECT_EQ(static_cast<TMemoItem*>(Page(ids.Items(0)))->Memo().GetTimeText(), u"@08:00:00");
}

}  // namespace
}  // namespace qb::test

namespace qb::test {
namespace {

// The index line the store writes for a loaded group: its own fields, then the true
// property's, the list settings and the child list, each one TAB-separated field.
TEST_F(TPageTreeTest, GroupRecordInTheIndexFile) {
    TPageSuper* root = GroupRoot();
    TPageSuper* group = Add(root, ptGroup, u"Projects");
    std::u16string children;
    for (int i = 0; i < 3; ++i) children += (i ? u"," : u"") + IntToStr(Add(group, ptNote)->Id());
    Store().SaveIndex();
    std::u16string expected = IntToStr(group->Id()) + u"\t" + IntToStr(root->Id()) +
                              u"\t0\t0\tProjects\t0\t\t0\t2010-11-06 10:00:00\t"
                              u"2010-11-06 10:00:00\t2010-11-06 10:00:00\t0\t\t\t"
                              u"25840,25850,25800\t120,240,100\t0\t3\t1\t0\t" +
                              children;
    std::string index = ReadBytes(Folder.File("data/quillbox.idx"));
    EXPECT_NE(index.find(Utf16LE(u"\r\n" + expected + u"\r\n")), std::string::npos);
    // Reopened, the group has the same fields and children.
    int32_t groupId = group->Id();
    ReleaseStore();
    TPageSuper* again = Page(groupId);
    ASSERT_NE(again, nullptr);
    TknStrList entries;
    again->SaveProperties(entries);
    entries.Separator = u"\t";
    EXPECT_EQ(expected.substr(expected.find(u"Projects")), entries.GetText());
}

TEST_F(TPageTreeTest, GroupsExportTheirContentsAndEachChild) {
    PageEnvironment().SepLine = [] { return u"%s(3)"; };
    TPageSuper* group = Add(GroupRoot(), ptGroup);
    Add(group, ptNote, u"First")->SetText(u"one");
    Add(group, ptNote, u"Second")->SetText(u"two");
    EXPECT_EQ(group->ExportText(false), u"First\r\nSecond\r\n---\r\none\r\n---\r\ntwo");
    EXPECT_EQ(group->GetFieldText(fiText), group->ExportText(false));
    EXPECT_EQ(group->ExportText(true), u"0\r\n");
}

TEST_F(TPageTreeTest, TreeChildrenAndTimeFields) {
    TPageSuper* root = GroupRoot();
    TPageSuper* memo = Add(root, ptMemo);
    Add(memo, ptMemoItem);
    EXPECT_FALSE(memo->Childs()->HasTreeChildren());  // items are not shown in the tree
    TPageSuper* tag = Add(root, ptTag);
    tag->Childs()->AddChild(memo->Id());
    EXPECT_FALSE(tag->Childs()->HasTreeChildren());  // a tagged page is only listed
    Add(tag, ptTag);
    EXPECT_TRUE(tag->Childs()->HasTreeChildren());

    TTruePageProperty* tp = memo->TrueProperty();
    tp->ModifyTime = {2010, 11, 8, 1, 9, 5, 0, 0};
    EXPECT_EQ(memo->GetFieldText(fiTimeSpan),
              FormatLocal(tp->CreateTime, 1) + u" .. " + FormatLocal(tp->ModifyTime, 1));
    tp->ModifyTime = {2010, 11, 6, 6, 11, 0, 0, 0};
    EXPECT_EQ(memo->GetFieldText(fiTimeSpan), FormatLocal(tp->ModifyTime, 0));
    EXPECT_EQ(memo->GetFieldText(fiExternal), u"");
    tp->External = true;
    EXPECT_EQ(memo->GetFieldText(fiExternal), u"Y");
}

TEST_F(TPageTreeTest, SwitchingBetweenExternalFilesMovesTheText) {
    TPageSuper* note = Add(GroupRoot(), ptNote);
    TTruePageProperty* tp = note->TrueProperty();
    tp->SetExternal(true, Folder.File16("a.txt"));
    note->SetText(u"text");
    tp->SetExternal(true, Folder.File16("b.txt"));
    EXPECT_EQ(ReadBytes(Folder.File("b.txt")), "\xFF\xFE" + Utf16LE(u"text"));
    EXPECT_EQ(ReadBytes(Folder.File("a.txt")), "\xFF\xFE" + Utf16LE(u"text"));  // left alone
    TEventLog log;
    tp->SetExternal(true, Folder.File16("b.txt"));  // no change: only the event
    EXPECT_EQ(log.Events, (std::vector<TEventLog::TEvent>{{pePageChanged, note->Id(), -1}}));
    EXPECT_EQ(Store().GetTextLength(note->Id()), 0);
}

}  // namespace
}  // namespace qb::test
