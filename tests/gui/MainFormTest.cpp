// The main window on the offscreen platform: its status handling with the saves it makes, the
// close box with CloseMinimize, the title, Show Tree's resizing, transparency and what it
// remembers when it goes.
#include "MainFormFixture.h"

#include <QApplication>
#include <QLayout>
#include <memory>

#include "model/UPageSuper.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UMainForm.h"
#include "views/ui/UWorkSpacePanel.h"
#include "storage/UPageStore.h"
#include "storage/USaveManager.h"

namespace qb::test {

class MainFormTest : public TMainFormTest {};

TEST_F(MainFormTest, MinimizingSavesOnceAndRestoringComesBack) {
    TMainForm& form = Create();
    ASSERT_TRUE(form.Initialized());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Status(), wsNormal);

    CommandCenter().ExecuteCommand(kRestoreCommand);  // shown: 1960 minimizes, into the tray
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.Status(), wsMinimized);
    EXPECT_EQ(SaveCount(), 1);
    EXPECT_FALSE(SaveManager().Active());
    EXPECT_EQ(MemoryManager().WinStatus, wsNormal);

    CommandCenter().ExecuteCommand(kRestoreCommand);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Status(), wsNormal);
    EXPECT_TRUE(SaveManager().Active());
    EXPECT_EQ(SaveCount(), 1);  // restoring does not save

    // A second start's request on a visible window keeps it, and saves nothing.
    form.ShowRequested();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(SaveCount(), 1);
}

TEST_F(MainFormTest, CloseBoxHidesWithCloseMinimizeAndExitClosesWithASave) {
    OptionManager().CloseMinimize = true;
    OptionManager().MinimizeToTray = false;
    TMainForm& form = Create();
    form.DoSysCommand(TSysCommand::scClose);
    EXPECT_TRUE(form.isHidden());  // hidden even though minimizing alone would not hide
    EXPECT_FALSE(form.Closing());
    EXPECT_EQ(SaveCount(), 1);

    CommandCenter().ExecuteCommand(kRestoreCommand);
    ASSERT_TRUE(form.isVisible());
    CommandCenter().ExecuteCommand(kExitCommand);
    QApplication::processEvents();  // Exit runs once the command's event is over
    EXPECT_TRUE(form.Closing());
    EXPECT_EQ(SaveCount(), 2);  // closing while shown saves
    // The remembered state is in the file for the next start.
    ReleaseMemoryManager();
    EXPECT_EQ(MemoryManager().SaveCount, 2);
}

TEST_F(MainFormTest, TitleFollowsTheActivePageWhileWanted) {
    TMainForm& form = Create();
    // The first start opens a new note in the group root.
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Note1 - quillbox"));
    TPageStore& store = GetStore();
    int32_t groupRoot = 0;
    ASSERT_TRUE(store.FindFirstOfType(ptGroupRoot, groupRoot));
    TPageSuper* page = store.GetPage(groupRoot);
    page->SetName(u"Diary");
    PageCenter().SetActivePage(page);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Diary - quillbox"));
    page->SetName(u"Journal");
    EventCenter().EventNotify(kEventTitleChanged);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Journal - quillbox"));

    OptionManager().CaptionPageName = false;
    OptionManager().NotifyAll();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("quillbox"));
}

TEST_F(MainFormTest, ShowTreeKeepsThePageAreaAndTransparencyUsesTheLevel) {
    TMainForm& form = Create();
    form.Workspace().layout()->activate();
    const QSize window = form.size();
    const QSize area = form.Workspace().PageArea()->size();
    CommandCenter().ExecuteCommand(kShowTreeCommand);
    QApplication::processEvents();
    EXPECT_TRUE(form.Workspace().TreeShown());
    EXPECT_GT(form.width(), window.width());
    EXPECT_EQ(form.Workspace().PageArea()->width(), area.width());
    CommandCenter().ExecuteCommand(kShowTreeCommand);
    QApplication::processEvents();
    EXPECT_EQ(form.width(), window.width());

    OptionManager().Transparency = 5;
    OptionManager().NotifyAll();
    EXPECT_DOUBLE_EQ(form.windowOpacity(), 1.0);  // the flag is off
    CommandCenter().ExecuteCommand(kTransparentCommand);
    EXPECT_NEAR(form.windowOpacity(), 155 / 255.0, 0.01);
    CommandCenter().ExecuteCommand(kShowTreeCommand);
    FForm.reset();  // closing remembers both
    EXPECT_TRUE(MemoryManager().ShowTree);
    EXPECT_TRUE(MemoryManager().Transparent);
}

}  // namespace qb::test
