// The editor client over the in-memory control: the page text in and out, the page status,
// the remembered caret and the Edit commands' enabled states.
#include <gtest/gtest.h>

#include "editor/EditTestSupport.h"
#include "editor/UEditorClient.h"
#include "editor/UMemoryEditControl.h"
#include "editor/UknRichEditClasses.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb::test {

namespace {

struct TFakeUi : IEditorUi, IClientControl {
    std::vector<int32_t> Posted;
    std::u16string Told;
    void ShowFindBox() override {}
    void Inform(std::u16string_view message) override { Told = message; }
    bool Confirm(std::u16string_view) override { return true; }
    bool ConfirmClear() override { return false; }
    std::optional<std::u16string> InsertLink() override { return u"<http://x>"; }
    void Post(int32_t message) override { Posted.push_back(message); }
    void ApplyAppearance() override {}
    void FocusAndClickThrough() override {}
    bool Shown = true;
    bool ControlShown() const override { return Shown; }
    void ShowControl(bool) override {}
    bool ControlHasFocus() const override { return false; }
    void FocusControl() override {}
};

}  // namespace

class EditorClient : public TStoreEditorTest {
  protected:
    TMemoryEditControl Edit{3};
    TFakeUi Ui;
    TEditorClient Client{Edit, Ui, Ui};
    TPageSuper& Page(int32_t id) { return *GetStore().GetPage(id); }
};

TEST_F(EditorClient, PageTextAndStatusReachTheControl) {
    int32_t note = Add(FGroupRoot, ptNote, u"n");
    Page(note).SetText(u"kept\r\n");
    Client.SetActive(true);
    struct TRow {
        uint8_t Status;
        bool ReadOnly;
        int Protected;
    } rows[] = {
        {psNormal, false, 0}, {psLocked, false, 0}, {psProtected, false, 5}, {psReadOnly, true, 0}};
    for (const TRow& r : rows) {
        Page(note).SetStatus(r.Status);
        Client.Load(&Page(note));
        EXPECT_EQ(Edit.ReadOnly(), r.ReadOnly) << int(r.Status);
        EXPECT_EQ(Edit.ProtectedLength(), r.Protected) << int(r.Status);
    }
    EXPECT_EQ(Ui.Posted.back(), msgRestoreCaret);
    Page(note).SetStatus(psNormal);  // a status change re-applies at once
    EXPECT_FALSE(Edit.ReadOnly());
    Edit.SetSel(Edit.TextLength(), 0);
    Edit.TypeChar(u'+');
    EXPECT_EQ(Page(note).GetFullText(), u"kept\r\n");  // nothing saved per keystroke
    Client.Save();
    EXPECT_EQ(Page(note).GetFullText(), u"kept\r\n+");
}

TEST_F(EditorClient, CaretIsRememberedInTheBookmarkFile) {
    int32_t a = Add(FGroupRoot, ptNote, u"a");
    Page(a).SetText(u"0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6");
    Client.SetActive(true);
    Client.Load(&Page(a));
    Edit.ScrollLines(2);
    Edit.SetSel(6, 3);
    Client.Save();
    EXPECT_EQ(ReadBytes(FFolder.File("data/quillbox.bmk")),
              "\xFF\xFE" + Utf16LE(IntToStr(a) + u"=6,3,2"));
    Client.Load(&Page(a));
    Client.RestoreCaret();
    EXPECT_EQ(Edit.GetSel(), (TEditSel{6, 3}));
    EXPECT_EQ(Edit.FirstVisibleLine(), 2);
    Edit.SetSel(6, 0);  // line 3 of a view of three lines: restored at the top instead
    Edit.ScrollLines(-5);
    Client.Save();
    Client.RestoreCaret();
    EXPECT_EQ(Edit.GetSel(), (TEditSel{0, 0}));
    TSelMemo partial(FFolder.File16("partial.bmk"));
    WriteBytes(FFolder.File("partial.bmk"), "7=12\r\n");
    EXPECT_EQ(TSelMemo(FFolder.File16("partial.bmk")).Entry(7), (std::array<int, 3>{12, 0, 0}));
    EXPECT_EQ(partial.Entry(8), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(EditorClient, EditCommandsFollowTheControl) {
    int32_t note = Add(FGroupRoot, ptNote, u"n");
    Page(note).SetText(u"abc");
    Client.SetActive(true);
    Client.Load(&Page(note));
    EXPECT_FALSE(Client.CheckCommand(cmUndo));
    EXPECT_FALSE(Client.CheckCommand(cmCopy));
    EXPECT_FALSE(Client.CheckCommand(cmPaste));
    Edit.SetSel(1, 1);
    EXPECT_TRUE(Client.CheckCommand(cmCut));
    Client.ExecuteCommand(cmCut);
    EXPECT_TRUE(Client.CheckCommand(cmUndo));
    EXPECT_TRUE(Client.CheckCommand(cmPaste));
    Client.ExecuteCommand(cmInsertLink);
    EXPECT_EQ(Edit.GetText(), u"a<http://x>c");
    Client.ExecuteCommand(cmClear);  // the question is answered Cancel
    EXPECT_EQ(Edit.GetText(), u"a<http://x>c");
    Edit.SetReadOnly(true);
    Edit.SetSel(0, 1);
    EXPECT_FALSE(Client.CheckCommand(cmCut));
    EXPECT_FALSE(Client.CheckCommand(cmPaste));
    EXPECT_TRUE(Client.CheckCommand(cmCopy));
}

// A snapped text reaches the page shown even while the window is in the tray, after the
// separator line; the selection is handed out only while the editor is on the screen.
TEST_F(EditorClient, AppendedTextGoesIntoTheControlThatHoldsThePage) {
    int32_t note = Add(FGroupRoot, ptNote, u"n");
    Page(note).SetText(u"first");
    Client.SetActive(true);
    Client.Load(&Page(note));
    Ui.Shown = false;
    OptionManager().SepLine = u"--";
    EventCenter().SharedText = u"snap";
    EventCenter().EventNotify(evAppendText);
    Client.Save();
    EXPECT_EQ(Page(note).GetFullText(), u"first\r\n--\r\nsnap");
    Edit.SetSel(0, 5);
    EventCenter().SharedText = u"";
    EventCenter().EventNotify(evQuerySelection);
    EXPECT_EQ(EventCenter().SharedText, u"");
    Ui.Shown = true;
    EventCenter().EventNotify(evQuerySelection);
    EXPECT_EQ(EventCenter().SharedText, u"first");
}

TEST(EditorLinks, WebAddressesAreFoundInTheText) {
    struct TRow {
        std::u16string Text;
        std::vector<TEditSel> Links;
    } rows[] = {
        {u"see http://a.org/x?y=1 now", {{4, 18}}},
        {u"<www.b.com>,\tMAILTO:me@c.d", {{1, 9}, {13, 13}}},
        {u"\"file:.\\doc.txt\" outlook:Notes", {{1, 14}, {17, 13}}},
        {u"http:// www. plain ftp:/x", {}},  // a prefix alone, or a wrong one, is no link
    };
    for (const TRow& r : rows) EXPECT_EQ(LinksIn(r.Text), r.Links) << ToUtf8(r.Text);
    EXPECT_EQ(LinkAt(u"go www.x.y", 3), (TEditSel{3, 7}));
    EXPECT_EQ(LinkAt(u"go www.x.y", 2), (TEditSel{-1, 0}));
}

TEST_F(EditorClient, NodeLinksOpenTheirPage) {
    int32_t plan = Add(Add(FGroupRoot, ptGroup, u"Work"), ptNote, u"Plan");
    Client.SetActive(true);
    Client.Load(&Page(plan));
    Client.OpenLink(u"outlook:///Work/Missing");
    EXPECT_EQ(Ui.Told, u"Invalid node link!: Work\\Missing");
    Client.OpenLink(u"OUTLOOK:@Plan");
    EXPECT_EQ(PageCenter().ActivePage(), &Page(plan));
}

}  // namespace qb::test
