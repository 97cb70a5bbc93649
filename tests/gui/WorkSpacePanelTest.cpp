// The workspace's controls in the main window: renaming in place through the tree's editor
// (Escape there cancels the editing, it does not send the window to the tray), and the tab
// bar's rows, fixed widths and hits.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>

#include "GuiWait.h"
#include "foundation/UknStrUtils.h"
#include "MainFormFixture.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"
#include "views/USpace.h"
#include "views/ui/UTabControl.h"
#include "views/ui/UTreeView.h"
#include "views/ui/UWorkSpacePanel.h"

namespace qb::test {
namespace {

class WorkSpacePanelTest : public TMainFormTest {
  protected:
    TPageSuper* GroupRoot() {
        int32_t id = 0;
        GetStore().FindFirstOfType(ptGroupRoot, id);
        return GetStore().GetPage(id);
    }
    // The open editor (a closed one waits for its deletion a while).
    QLineEdit* Editor(TMainForm& form) {
        for (QLineEdit* edit : form.Workspace().Tree().viewport()->findChildren<QLineEdit*>())
            if (edit->isVisible()) return edit;
        return nullptr;
    }
};

TEST_F(WorkSpacePanelTest, RenamingInPlaceGoesThroughThePageAndEscapeOnlyCancels) {
    OptionManager().ShowNodeImages = false;
    TMainForm& form = Create();
    CommandCenter().ExecuteCommand(kShowTreeCommand);
    TPageSuper* page = PageCenter().ActivePage();  // the first start's note
    ASSERT_NE(page, nullptr);
    page->SetStatus(psLocked);
    EXPECT_EQ(form.Workspace().Tree().currentItem()->text(0), QStringLiteral("+ Note1"));

    CommandCenter().ExecuteCommand(cmRename);
    ASSERT_TRUE(WaitUntil([&] { return Editor(form) != nullptr; }));
    QLineEdit* edit = Editor(form);
    EXPECT_EQ(edit->text(), QStringLiteral("Note1"));  // not the label's "+ " when images are off
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Note1"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(edit, &escape);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Editor(form), nullptr);
    EXPECT_EQ(page->Name(), u"Note1");

    CommandCenter().ExecuteCommand(cmRename);
    ASSERT_TRUE(WaitUntil([&] { return Editor(form) != nullptr; }));
    Editor(form)->setText(QStringLiteral("Two\tparts"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(Editor(form), &enter);
    EXPECT_TRUE(WaitUntil([&] { return page->Name() == u"Two  parts"; }));
    QTreeWidgetItem* item = form.Workspace().Tree().currentItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(0), QStringLiteral("+ Two  parts"));
}

TEST_F(WorkSpacePanelTest, ADoubleClickOnTheEmptyPageAreaMakesANoteBesideThePage) {
    OptionManager().AutoName = true;  // no name prompt
    TMainForm& form = Create();
    TPageSuper* first = PageCenter().ActivePage();
    QWidget* area = form.Workspace().PageArea();
    QWidget* client = area->findChildren<QWidget*>().value(0, area);  // disabled until built
    const QPoint at = client->rect().center();
    QMouseEvent click(QEvent::MouseButtonDblClick, at, client->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &click);
    TPageSuper* made = PageCenter().ActivePage();
    ASSERT_NE(made, first);
    EXPECT_EQ(made->OwnerId(), first->OwnerId());
    EXPECT_EQ(made->PageType(), ptNote);
}

TEST_F(WorkSpacePanelTest, TabsWrapIntoRowsHaveFixedWidthsAndAreHit) {
    Create();
    QWidget parent;
    parent.resize(400, 600);
    TknTabControl tabs(&parent);
    tabs.setGeometry(0, 0, 400, 30);
    std::vector<TTabData> data;
    for (int i = 0; i < 12; ++i) data.push_back(TTabData{u"Page number " + IntToStr(i), i + 100, -1});
    TTabLayout layout;
    layout.MultiLine = true;
    tabs.ApplyLayout(layout);
    tabs.SetTabs(data);
    const int rowHeight = tabs.TabRect(0).height();
    EXPECT_GT(tabs.height(), 2 * rowHeight);
    EXPECT_EQ(tabs.TabAt(tabs.TabRect(7).center()), 7);

    layout.TabWidth = 90;  // fixed widths
    tabs.ApplyLayout(layout);
    for (int i = 0; i < tabs.TabCount(); ++i) EXPECT_EQ(tabs.TabRect(i).width(), 90);

    layout.MultiLine = false;  // one row, scrolled to keep the selected tab in sight
    tabs.ApplyLayout(layout);
    EXPECT_EQ(tabs.height(), rowHeight);
    tabs.SelectTab(11);
    EXPECT_LT(tabs.TabRect(11).right(), 400);
    EXPECT_EQ(tabs.TabAt(tabs.TabRect(11).center()), 11);
    EXPECT_EQ(tabs.TabAt(QPoint(-5, 5)), -1);
}

}  // namespace
}  // namespace qb::test
