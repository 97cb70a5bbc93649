// The factory and the class rules, the image bookkeeping, names, default list settings and the
// page center.

#include <set>

#include "ModelFixture.h"
#include "features/UClipPage.h"
#include "features/UContactPage.h"
#include "features/ULinkPage.h"
#include "features/UMemoPage.h"
#include "foundation/UknIniFile.h"

namespace qb::test {
namespace {

using TFactoryTest = TModelTest;

std::unique_ptr<TPageSuper> Make(uint8_t type, int32_t id = 50) {
    return std::unique_ptr<TPageSuper>(PageFactory().CreatePage(type, id, 0));
}

template <class F>
std::set<int> TypesWhere(F test) {
    std::set<int> types;
    for (int type = 0; type <= 27; ++type)
        if (test(type)) types.insert(type);
    return types;
}

TEST_F(TFactoryTest, EveryTypeCodeHasItsClass) {
    TknIntList types;
    PageFactory().GetPageTypes(types);
    EXPECT_EQ(Ids(types), (std::vector<int32_t>{0,  1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13,
                                                14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 25, 26}));
    for (int i = 0; i < types.Count(); ++i) {
        auto page = PageFactory().CreatePage(static_cast<uint8_t>(types.Items(i)), 42, 7);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->PageType(), types.Items(i));
        EXPECT_EQ(page->Id(), 42);
        EXPECT_EQ(page->OwnerId(), 7);
        delete page;
    }
    for (uint8_t unknown : {9, 24, 27, 200}) EXPECT_EQ(Make(unknown), nullptr);
    auto singleton = [](int t) { return PageFactory().IsSingleton(static_cast<uint8_t>(t)); };
    EXPECT_EQ(TypesWhere(singleton), (std::set<int>{7, 8, 10, 11, 13, 14, 19, 20, 21, 22, 23, 25}));
    auto searchable = [](int t) { return PageFactory().IsSearchable(static_cast<uint8_t>(t)); };
    EXPECT_EQ(TypesWhere(searchable), (std::set<int>{1, 2, 3, 4, 5, 6}));
}

struct TChildRule {
    uint8_t Type;
    std::set<int> Accepts, CanAdd, Shows;
};

TEST_F(TFactoryTest, AcceptedAndShownChildTypes) {
    const std::set<int> all = TypesWhere([](int) { return true; });
    const std::set<int> groupTypes{0, 1, 2, 3, 4, 5, 6, 7, 9};
    const std::set<int> rootTypes{7, 8, 10, 11, 13, 14, 22, 24, 25};
    const TChildRule rules[] = {
        {ptRoot, rootTypes, rootTypes, all},
        {ptGroup, groupTypes, groupTypes, all},
        {ptGroupRoot, groupTypes, groupTypes, all},
        {ptRecycleBin, groupTypes, groupTypes, {}},
        {ptRecentRoot, {19, 20, 21}, {19, 20, 21}, {19, 20, 21}},
        {ptTag, {12}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12}, {12}},
        {ptFavorite, {}, all, {}},
        {ptMemo, {15}, {15}, {}},
        {ptLink, {16}, {16}, {}},
        {ptFastLink, {16}, {16}, {}},
        {ptContact, {17}, {17}, {}},
        {ptTemplate, {18}, {18}, {}},
        {ptClip, {26}, {26}, {}},
        {ptNote, {}, {}, {}},
        {ptSearch, {}, {}, {}},
        {ptMemoItem, {}, {}, {}},
    };
    for (const auto& rule : rules) {
        auto page = Make(rule.Type);
        EXPECT_EQ(TypesWhere([&](int t) { return page->AcceptsChildType(t); }), rule.Accepts)
            << int(rule.Type);
        EXPECT_EQ(TypesWhere([&](int t) { return page->CanAddChild(t); }), rule.CanAdd)
            << int(rule.Type);
        EXPECT_EQ(TypesWhere([&](int t) { return page->ShowsChildInTree(t); }), rule.Shows)
            << int(rule.Type);
    }
    EXPECT_TRUE(Make(ptFavorite)->IsReferenceList());
    EXPECT_FALSE(Make(ptTag)->IsReferenceList());
    EXPECT_EQ(Make(ptGroup)->ChildItemType(), ptNote);
    EXPECT_EQ(Make(ptRecycleBin)->ChildItemType(), kNoChildType);
}

TEST_F(TFactoryTest, ClientKindsFieldIdsAndColumns) {
    EXPECT_EQ(Make(ptNote)->ClientKind(), ckEditor);
    EXPECT_EQ(Make(ptDict)->ClientKind(), ckEditor);
    EXPECT_EQ(Make(ptMemoItem)->ClientKind(), ckNone);
    EXPECT_EQ(Make(ptClipItem)->ClientKind(), ckNone);
    auto memo = Make(ptMemo);
    EXPECT_EQ(memo->ClientKind(), ckList);
    memo->ListProperty()->ViewStyle = vsAbstract;
    EXPECT_EQ(memo->ClientKind(), ckAbstract);

    TknIntList ids;
    Make(ptNote)->GetFieldIds(ids);
    EXPECT_EQ(Ids(ids),
              (std::vector<int32_t>{25840, 25920, 25790, 25800, 25810, 25860, 25820, 25830}));
    ids.Clear();
    Make(ptMemoItem)->GetFieldIds(ids);
    EXPECT_EQ(Ids(ids), std::vector<int32_t>{25840});
    ids.Clear();
    auto group = Make(ptGroup);
    static_cast<TListPageSuper*>(group.get())->GetOptionalColumns(ids);
    EXPECT_EQ(Ids(ids), (std::vector<int32_t>{25840, 25790, 25800, 25810, 25850, 25865, 25860,
                                              25820, 25830}));
    ids.Clear();
    static_cast<TListPageSuper*>(Make(ptSearch).get())->GetOptionalColumns(ids);
    EXPECT_EQ(ids.Items(ids.High()), fiSearchResult);

    TListProperty lp(1);
    group->DefaultListSettings(lp);
    TknStrList entries;
    lp.Save(entries);
    EXPECT_EQ(Entries(entries), (std::vector<std::u16string>{u"25840,25850,25800", u"120,240,100",
                                                             u"0", u"3", u"1", u"0"}));
    Make(ptContact)->DefaultListSettings(lp);
    EXPECT_EQ(Ids(lp.Widths), (std::vector<int32_t>{60, 100, 100, 150}));
    Make(ptRecentVisit)->DefaultListSettings(lp);
    EXPECT_EQ(Ids(lp.Columns), (std::vector<int32_t>{25840, 25850, 25810}));
}

// Records what the image list asks the toolkit to draw.
class TRecordingSink : public IPageImageSink {
  public:
    explicit TRecordingSink(std::vector<std::pair<int32_t, int>>* calls,
                            std::vector<std::u16string>* files)
        : FCalls(calls), FFiles(files) {}
    void AddOverlay(int32_t iconId, int overlay) override {
        FCalls->emplace_back(iconId, -overlay);
    }
    void AddIcon(int32_t iconId, int variant) override { FCalls->emplace_back(iconId, variant); }
    bool AddFileIcon(const std::u16string& fileName) override {
        FFiles->push_back(fileName);
        return fileName.ends_with(u".ico") || fileName.ends_with(u".ICO");
    }

  private:
    std::vector<std::pair<int32_t, int>>* FCalls;
    std::vector<std::u16string>* FFiles;
};

TEST_F(TFactoryTest, ImageIndicesFollowTheFourVariantScheme) {
    std::vector<std::pair<int32_t, int>> calls;
    std::vector<std::u16string> files;
    SetPageImageSink(std::make_unique<TRecordingSink>(&calls, &files));
    TPageImageList& images = PageImageList();
    EXPECT_EQ(images.Count(), 99);
    ASSERT_EQ(calls.size(), 99u);
    EXPECT_EQ(calls[0], std::make_pair(570, -1));
    EXPECT_EQ(calls[2], std::make_pair(572, -3));
    EXPECT_EQ(images.GetBaseIndex(ptGroup), 3);
    EXPECT_EQ(images.GetBaseIndex(ptNote), 7);
    EXPECT_EQ(calls[8], std::make_pair(1010, 1));  // the locked note
    EXPECT_EQ(images.GetBaseIndex(ptMemoItem), 59);
    EXPECT_EQ(calls[60], std::make_pair(550, ivGrey));
    EXPECT_EQ(calls[61], std::make_pair(557, ivPlain));
    EXPECT_EQ(images.GetBaseIndex(ptLinkItem), 65);
    EXPECT_EQ(images.GetBaseIndex(ptGroupRoot), 85);
    EXPECT_EQ(images.GetBaseIndex(ptClipItem), 93);
    EXPECT_EQ(images.GetBaseIndex(ptExternalNote), 95);
    EXPECT_EQ(images.GetBaseIndex(ptRoot), -1);

    auto note = Make(ptNote);
    note->SetStatus(psLocked);
    EXPECT_EQ(note->GetImageIndex(), 8);
    note->SetStatus(psReadOnly);
    EXPECT_EQ(note->GetImageIndex(), 10);
    note->TrueProperty()->External = true;
    EXPECT_EQ(note->GetImageIndex(), 98);  // the external note's image, read-only variant

    auto memo = Make(ptMemoItem);
    static_cast<TMemoItem*>(memo.get())->Memo().Action = maExecuteLink;
    EXPECT_EQ(memo->GetImageIndex(), 59 + 2);
    auto contact = Make(ptContactItem);
    static_cast<TContactItem*>(contact.get())->Contact().Sex = 1;
    EXPECT_EQ(contact->GetImageIndex(), 71);
    auto link = Make(ptLinkItem);
    static_cast<TLinkItem*>(link.get())->LinkProperty().LinkType = ltBatch;
    EXPECT_EQ(link->GetImageIndex(), 65 + 4);  // stays within the link item's five images
    auto clip = Make(ptClipItem);
    static_cast<TClipItem*>(clip.get())->Fixed = true;
    EXPECT_EQ(clip->GetImageIndex(), 94);
}

TEST_F(TFactoryTest, IconFilesAreLoadedOncePerName) {
    std::vector<std::pair<int32_t, int>> calls;
    std::vector<std::u16string> files;
    SetPageImageSink(std::make_unique<TRecordingSink>(&calls, &files));
    TPageImageList& images = PageImageList();
    EXPECT_EQ(images.AddIconFile(u"/Icons/A.ICO"), 99);
    EXPECT_EQ(images.AddIconFile(u"/icons/a.ico"), 99);
    EXPECT_EQ(images.AddIconFile(u"file:///icons/a.ico"), 99);  // the same file
    EXPECT_EQ(images.AddIconFile(u"file:///icons/a.ico"), 99);
    // Loaded by the name as given: file names tell the cases apart here.
    EXPECT_EQ(files, std::vector<std::u16string>{u"/Icons/A.ICO"});
    EXPECT_EQ(images.AddIconFile(u"/icons/b.txt"), -1);  // no icon: nothing kept
    EXPECT_EQ(images.AddIconFile(u"/icons/b.txt"), -1);
    EXPECT_EQ(files.size(), 3u);
    EXPECT_EQ(images.AddIconFile(u"/icons/c.ico"), 100);

    auto note = Make(ptNote);
    note->SetIconFile(Folder.File16("Mine.ico"));
    EXPECT_EQ(note->IconFile(), u".\\Mine.ico");
    EXPECT_EQ(note->GetImageIndex(), 101);
    note->SetIconFile(Folder.File16("broken.png"));
    EXPECT_EQ(note->GetImageIndex(), 7);  // falls back to the type's image
}

TEST_F(TFactoryTest, DefaultNames) {
    std::u16string text = u"keep";
    PageNameManager().GetName(ptMemoItem, text);
    EXPECT_EQ(text, u"keep");
    PageNameManager().GetName(ptNote, text);
    EXPECT_EQ(text, u"Note");
    PageEnvironment().Text = [](int32_t id) { return id == 25690 ? u"Notiz" : u""; };
    PageNameManager().GetName(ptNote, text);
    EXPECT_EQ(text, u"Notiz");  // the current language's text
}

TEST_F(TFactoryTest, DefaultListSettingsComeFromTheIniOrTheClass) {
    WriteBytes(Folder.File("quillbox.ini"), "[PageDefSettings]\r\n5=25840;50;1;2;0;1\r\n");
    TPageSuper* link = Add(GroupRoot(), ptLink);
    TListProperty* lp = link->ListProperty();
    EXPECT_EQ(Ids(lp->Columns), std::vector<int32_t>{25840});
    EXPECT_EQ(Ids(lp->Widths), std::vector<int32_t>{50});
    EXPECT_TRUE(lp->ShowCheckBoxes);
    EXPECT_EQ(lp->ViewStyle, vsList);
    EXPECT_FALSE(lp->FullRowSelect);
    EXPECT_TRUE(lp->ShowGrids);

    TPageSuper* memo = Add(GroupRoot(), ptMemo);
    memo->ListProperty()->SetReportDefaults({25840, 25140}, {100, 100});
    memo->ListProperty()->ViewStyle = vsAbstract;
    ListPageDefSettings().SaveDefault(ptMemo, *memo->ListProperty());
    TknIniFile ini(Folder.File16("quillbox.ini"));
    ini.Section = u"PageDefSettings";
    EXPECT_EQ(ini.ReadString(u"3", u""), u"25840,25140;100,100;0;4;1;0");
    EXPECT_EQ(ini.ReadString(u"5", u""), u"25840;50;1;2;0;1");  // the other key stays
    for (int run = 0; run < 2; ++run) {
        for (int i = 0; i < 2; ++i) {
            TPageSuper* next = Add(GroupRoot(), ptMemo);
            EXPECT_EQ(Ids(next->ListProperty()->Columns), (std::vector<int32_t>{25840, 25140}));
            EXPECT_EQ(next->ClientKind(), ckAbstract);
        }
        ReleasePageFactoryObjects();  // a new program run reads the ini again
    }
}

// Removes another observer when it hears the first event.
class TRemover : public IPageObserver {
  public:
    IPageObserver* Victim = nullptr;
    int Calls = 0;
    void PageEvent(uint8_t, int32_t, int32_t) override {
        ++Calls;
        if (Victim) PageCenter().RemoveObserver(Victim);
    }
};

TEST_F(TFactoryTest, ObserversHearEventsInRegistrationOrder) {
    TRemover first, third;
    TEventLog second;  // registers itself
    PageCenter().RemoveObserver(&second);
    PageCenter().AddObserver(&first);
    PageCenter().AddObserver(&second);
    PageCenter().AddObserver(&first);  // once only
    PageCenter().AddObserver(&third);
    PageCenter().Notify(peIconChanged, 4);
    EXPECT_EQ(first.Calls, 1);
    EXPECT_EQ(second.Events, (std::vector<TEventLog::TEvent>{{peIconChanged, 4, -1}}));
    first.Victim = &third;
    PageCenter().Notify(pePageChanged, 4);
    EXPECT_EQ(third.Calls, 1);  // removed during the broadcast: not called
    PageCenter().RemoveObserver(&first);
}

TEST_F(TFactoryTest, ActivatingPagesAnnouncesLeavingKindAndArrival) {
    TPageSuper* root = GroupRoot();
    TPageSuper* a = Add(root, ptNote);
    TPageSuper* b = Add(root, ptNote);
    TPageSuper* memo = Add(root, ptMemo);
    Now.Minute = 30;
    TEventLog log;
    TPageCenter& center = PageCenter();
    using E = TEventLog::TEvent;
    center.SetActivePage(a);
    EXPECT_EQ(log.Events,
              (std::vector<E>{{peClientKindChanged, a->Id(), -1}, {pePageActivated, a->Id(), -1}}));
    EXPECT_EQ(a->TrueProperty()->VisitTime.Minute, 30);
    log.Events.clear();
    center.SetActivePage(b);
    EXPECT_EQ(log.Events,
              (std::vector<E>{{pePageDeactivated, a->Id(), -1}, {pePageActivated, b->Id(), -1}}));
    log.Events.clear();
    center.SetActivePage(memo);
    EXPECT_EQ(log.Events, (std::vector<E>{{pePageDeactivated, b->Id(), -1},
                                          {peClientKindChanged, memo->Id(), -1},
                                          {pePageActivated, memo->Id(), -1}}));
    center.SetActivePage(Store().GetRoot());
    EXPECT_EQ(center.ActivePage(), root);
    TPageSuper* unlisted = Page(Store().NewPage(root->Id(), ptNote));
    center.SetActivePage(unlisted);
    EXPECT_EQ(center.ActivePage(), root);
    log.Events.clear();
    center.SetActivePage(nullptr);  // a new note in the group root
    TPageSuper* fresh = center.ActivePage();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->PageType(), ptNote);
    EXPECT_EQ(root->Childs()->ChildAt(root->Childs()->Count() - 1), fresh->Id());
    EXPECT_EQ(log.Events.front(), E(peChildAdded, root->Id(), fresh->Id()));
    EXPECT_EQ(log.Events.back(), E(pePageActivated, fresh->Id(), -1));
    int32_t freshId = fresh->Id();
    root->Childs()->RemoveChild(freshId);
    fresh->Delete();
    EXPECT_EQ(center.ActivePage(), nullptr);  // a deleted page is no longer active
}

}  // namespace
}  // namespace qb::test
